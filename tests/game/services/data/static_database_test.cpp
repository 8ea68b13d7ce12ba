// The static database's containers: tag tables, positions, route and balloon lookups, name lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/file/resource_file.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch_folder.h"

namespace {

TEST(IdTags, PositionsAreKindsAndEndsGiveNone)
{
    EXPECT_EQ(GetRoomIdTag(0), MakeTag("IDNO"));
    EXPECT_EQ(GetRoomIdTag(26), MakeTag("ID26"));
    EXPECT_EQ(GetRoomIdTag(27), MakeTag("ID28"));  // there is no ID27
    EXPECT_EQ(GetRoomIdTag(32), MakeTag("ID90"));
    EXPECT_EQ(GetRoomIdTag(33), MakeTag("IDBR"));
    EXPECT_EQ(GetRoomIdTag(34), kNoId);
    EXPECT_EQ(GetRoomIdTag(-1), kNoId);
    EXPECT_EQ(FindRoomIdIndex(MakeTag("ID32")), 31);
    EXPECT_EQ(FindRoomIdIndex(MakeTag("ID27")), 0);

    EXPECT_EQ(GetAchievementIdTag(19), MakeTag("A020"));
    EXPECT_EQ(GetAchievementIdTag(20), kNoId);
    EXPECT_EQ(FindAchievementIndex(MakeTag("A001")), 0);
    EXPECT_EQ(FindAchievementIndex(MakeTag("A021")), -1);
}

TEST(StaticDatabase, PositionsFollowUnsignedKeyOrderAndEndAtTheCount)
{
    GAME_CStaticDatabase database;
    database.GetOrCreateRumorData(0x80000000u)->price = 3;
    database.GetOrCreateRumorData(7)->price = 1;
    database.GetOrCreateRumorData(0x7FFFFFFFu)->price = 2;

    std::uint32_t id = 0;
    ASSERT_NE(database.GetRumorDataAt(0, &id), nullptr);
    EXPECT_EQ(id, 7u);
    EXPECT_EQ(database.GetRumorDataAt(2, &id)->price, 3);
    EXPECT_EQ(id, 0x80000000u);
    EXPECT_EQ(database.GetRumorDataAt(3, &id), nullptr);
    EXPECT_EQ(id, kNoId);
    EXPECT_EQ(database.GetRumorDataAt(-1, &id), nullptr);
    std::int32_t position = 0;
    EXPECT_EQ(database.FindRumorDataIndexed(0x7FFFFFFFu, &position)->price, 2);
    EXPECT_EQ(position, 1);
    EXPECT_EQ(database.FindRumorDataIndexed(8, &position), nullptr);
    EXPECT_EQ(position, -1);

    // Lists keep insertion order.
    database.GetOrCreateItemData(MakeTag("I002"), true);
    database.GetOrCreateItemData(MakeTag("I001"), true);
    EXPECT_EQ(database.GetOrCreateItemData(MakeTag("I003"), false), nullptr);
    EXPECT_EQ(database.GetItemDataAt(0, &id), database.FindItemData(MakeTag("I002")));
    EXPECT_EQ(database.GetItemDataAt(2, &id), nullptr);
    EXPECT_EQ(id, kNoId);
    EXPECT_EQ(database.FindItemDataIndexed(MakeTag("I001"), &position), database.FindItemData(MakeTag("I001")));
    EXPECT_EQ(position, 1);
    EXPECT_EQ(database.GetNearViewDataAt(0), nullptr);
    EXPECT_EQ(database.GetShipDataAt(0), nullptr);
}

TEST(StaticDatabase, RoutesBetweenTwoLocationsAreFoundEitherWay)
{
    GAME_CStaticDatabase database;
    auto route = [&](std::uint32_t id, const char (&from)[5], const char (&to)[5]) {
        RouteData* record = database.GetOrCreateRouteData(id);
        record->startLocation = MakeTag(from);
        record->endLocation = MakeTag(to);
    };
    route(30, "AD01", "AD02");
    route(10, "AD02", "AD03");
    route(20, "AD03", "AD01");
    route(40, "AD01", "AD02");  // a later duplicate is never chosen

    std::int32_t position = 0;
    const RouteData* forward = database.FindRouteBetween(MakeTag("AD01"), MakeTag("AD02"), &position);
    EXPECT_EQ(forward, database.FindRouteData(30));
    EXPECT_EQ(position, 2);
    EXPECT_EQ(database.FindRouteBetween(MakeTag("AD02"), MakeTag("AD01"), &position), forward);
    EXPECT_EQ(database.FindRouteBetween(MakeTag("AD01"), MakeTag("AD09"), &position), nullptr);
    EXPECT_EQ(position, -1);

    std::vector<std::int32_t> positions{99};
    database.CollectRoutesFrom(MakeTag("AD01"), positions);
    EXPECT_EQ(positions, (std::vector<std::int32_t>{1, 2, 3}));
}

TEST(StaticDatabase, BalloonLinesByRatioClampTheValueAndNeverDivideByZero)
{
    GAME_CStaticDatabase database;
    database.AddBalloonRange(0, 300, 1);
    database.AddBalloonRange(250, 700, 2);
    database.AddBalloonRange(900, 5000, 3);  // upper clamped to 1000
    database.AddBalloonRange(800, 600, 4);   // lower clamped to the upper
    EXPECT_EQ(database.BalloonRanges()[2].upper, 1000);
    EXPECT_EQ(database.BalloonRanges()[3].lower, 600);

    std::vector<std::uint32_t> lines;
    EXPECT_EQ(database.CollectBalloonLinesForRatio(28, 100, lines), 2u);
    EXPECT_EQ(lines, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(database.CollectBalloonLinesForRatio(500, 100, lines), 1u);  // ratio 1000
    EXPECT_EQ(lines, (std::vector<std::uint32_t>{3}));
    EXPECT_EQ(database.CollectBalloonLinesForRatio(5, 0, lines), 1u);  // maximum taken as 1
    EXPECT_EQ(lines, (std::vector<std::uint32_t>{3}));
    EXPECT_EQ(database.CollectBalloonLinesForRatio(0x7FFFFFFF, 0x7FFFFFFF, lines), 1u);
}

TEST(StaticDatabase, ClearFreesTheRecordsAndKeepsTheScalars)
{
    GAME_CStaticDatabase database;
    database.GetOrCreateTaskData(MakeTag("TCKG"))->kind = kTaskCooking;
    database.GetOrCreateShipData(MakeTag("SHP2"));
    database.BaseStats().maxHp = 250;
    database.SetTaskSounds(7, {3, 4});
    database.SetTaskSounds(19, {5, 6});  // no such kind
    database.Clear();
    EXPECT_EQ(database.FindTaskData(MakeTag("TCKG")), nullptr);
    EXPECT_TRUE(database.Ships().empty());
    EXPECT_EQ(database.BaseStats().maxHp, 250);
    EXPECT_EQ(database.GetTaskSounds(7).completion, 4);
    EXPECT_EQ(database.GetTaskSounds(19).start, -1);
}

TEST(StaticDatabase, FreeLookupsWithoutAnInstanceGiveNullAndMinusOne)
{
    DestroyStaticDatabase();
    std::int32_t position = 5;
    EXPECT_EQ(FindItemDataIndexed(MakeTag("I001"), &position), nullptr);
    EXPECT_EQ(position, -1);
    CreateStaticDatabase();
    GetStaticDatabase()->GetOrCreateItemData(MakeTag("I001"), true)->stackLimit = 9;
    EXPECT_EQ(FindItemDataIndexed(MakeTag("I001"), &position)->stackLimit, 9);
    EXPECT_EQ(position, 0);
    DestroyStaticDatabase();
}

TEST(ShipData, FloorCellsOutsideTheGridHaveNoBit)
{
    ShipData ship;
    ship.SetFloorCell(18, 12, true);
    ship.SetFloorCell(19, 0, true);  // would be cell (0, 1)
    ship.SetFloorCell(0, 13, true);
    ship.SetFloorCell(-1, 0, true);
    EXPECT_EQ(ship.floorMask.count(), 1u);
    EXPECT_TRUE(ship.IsFloorCell(18, 12));
    EXPECT_FALSE(ship.IsFloorCell(0, 1));
    EXPECT_FALSE(ship.IsFloorCell(19, 0));
}

class ActorNameLists : public ::testing::Test {
protected:
    void SetUp() override { vesk::file::SetResourceFolder((scratch_.path() / "data").string()); }
    void TearDown() override { vesk::file::SetResourceFolder(vesk::file::kResourceFolder); }
    void Write(const char* name, std::string_view bytes)
    {
        support::WriteBytes(scratch_.path() / "data" / name, bytes);
    }

    support::ScratchFolder scratch_;
    GAME_CStaticDatabase database_;
};

TEST_F(ActorNameLists, NamesAreTwoUnitsAndIndicesPastTheEndGiveNone)
{
    Write("script/s_actor_name.lst", "チュポコミミ");
    Write("script/s_actor_ngword.lst", "ポコ");
    database_.LoadActorNameLists();
    EXPECT_EQ(database_.GetActorNameCount(), 3);
    EXPECT_EQ(database_.GetActorName(2), std::u16string_view(u"ミミ"));
    EXPECT_TRUE(database_.GetActorName(3).empty());
    EXPECT_TRUE(database_.GetActorName(-1).empty());
    EXPECT_EQ(database_.GetActorNgWordList(), "ポコ");
}

TEST_F(ActorNameLists, AMissingNameListLeavesBothEmptyAndNamesTheFile)
{
    database_.SetActorNameLists("ポコ", "ポコ");
    Write("script/s_actor_ngword.lst", "ポコ");
    support::LogCapture log;
    database_.LoadActorNameLists();
    EXPECT_TRUE(database_.GetActorNameList().empty());
    EXPECT_TRUE(database_.GetActorNgWordList().empty());
    EXPECT_EQ(database_.GetActorNameCount(), 0);
    EXPECT_TRUE(log.Contains("script/s_actor_name.lst"));
}

}  // namespace
