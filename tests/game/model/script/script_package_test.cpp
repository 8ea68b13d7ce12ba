// Loading the room, actor, route and enemy packages and running their registration labels.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/file/resource_file.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/model/script/script_package.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/script_assembly.h"

namespace {

class ScriptPackageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vesk::file::SetResourceFolder((scratch_.path() / "data").string());
        CreateStaticDatabase();
        database_ = GetStaticDatabase();
        ASSERT_NE(database_, nullptr);
    }

    void TearDown() override
    {
        DestroyScriptPackageHolder();
        DestroyStaticDatabase();
        vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
    }

    void WritePackage(int kind, std::string_view source, std::string_view table)
    {
        const std::vector<std::uint8_t> bytes = support::AssemblePackage(source, {table});
        support::WriteBytes(scratch_.path() / "data" / std::string(ScriptPackageFile(kind)),
                                     std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }

    support::ScratchFolder scratch_;
    GAME_CStaticDatabase* database_ = nullptr;
};

// The registration of a room kind as the data writes it, an entry without the
// label, a second entry of the same id, a registration that never yields and
// the statements the record cannot take.
TEST_F(ScriptPackageTest, RoomEntriesRegisterTheirRoomKindsUnderTheirTags)
{
    ItemData* shell = database_->GetOrCreateItemData(MakeTag("I096"), true);
    shell->power = 12;
    shell->period = 30;
    shell->reach = 200;
    database_->GetOrCreateItemData(MakeTag("I001"), true);

    WritePackage(kScriptPackageRoom, R"(
.entry 'ID16'
"データベース登録":
    reg.flags 0x1
    reg.sprite 11 2 1
    reg.flags 0x100
    reg.flags 0x4
    reg.flags_clear 0x4
    reg.build 2 40
    reg.capacity 20
    reg.durability -5
    reg.material 'I001' 4
    reg.material 'I002' 2
    reg.material 'I001' 6
    reg.value 6 35
    reg.value 18 99
    reg.upgrade 0 10 "UPGRADE_TURRET_POWER_1"
    reg.upgrade 1 20 "UPGRADE_TURRET_POWER_2"
    reg.upgrade 0 15 "UPGRADE_TURRET_POWER_1B"
    reg.accept_item 'I096'
    reg.accept_item 'I096'
    reg.accept_item 'I001'
    reg.screen_sound 61 3
    reg.run 4 -2
    reg.build_limit -7
    halt
"更新[NoTask]":
    reg.durability 1
    halt

.entry 'ID05'
"更新[NoTask]":
    reg.sprite 1 1 1
    halt

.entry 'ID07'
"データベース登録":
    reg.sprite 3 1 1
    wait 1
    reg.durability 77
    halt

.entry 'ID08'
"データベース登録":
spin:
    reg.sprite 4 1 1
    goto spin

.entry 'ID09'
"データベース登録":
    reg.capacity_open
    halt

.entry 'ID16'
"データベース登録":
    reg.durability 120
    halt
)",
                 "room.def");

    support::LogCapture log;
    ASSERT_TRUE(LoadScriptPackage(kScriptPackageRoom));

    const RoomData* turret = database_->FindRoomData(MakeTag("ID16"));
    ASSERT_NE(turret, nullptr);
    // Flags before the record exists do nothing; slot 0 creates it.
    EXPECT_EQ(turret->flags, 0x100u);
    EXPECT_EQ(turret->spriteId, 11);
    EXPECT_EQ(turret->width, 2);
    EXPECT_EQ(turret->height, 1);
    EXPECT_EQ(turret->buildCrewLimit, 2);
    EXPECT_EQ(turret->buildSeconds, 40);
    EXPECT_EQ(turret->capacity, 8);
    // The second entry of the same id merged into the record.
    EXPECT_EQ(turret->durability, 120);
    EXPECT_EQ(turret->materials[0].itemId, MakeTag("I001"));
    EXPECT_EQ(turret->materials[0].count, 6);
    EXPECT_EQ(turret->materials[1].itemId, MakeTag("I002"));
    EXPECT_EQ(turret->materials[2].itemId, kNoId);
    EXPECT_EQ(turret->values[6], 35);
    EXPECT_EQ(turret->upgrades[0].type, 0);
    EXPECT_EQ(turret->upgrades[0].nameKey, "UPGRADE_TURRET_POWER_1B");
    EXPECT_EQ(turret->upgrades[0].value, 15);
    EXPECT_EQ(turret->upgrades[1].value, 20);
    EXPECT_EQ(turret->upgrades[2].type, -1);
    EXPECT_EQ(turret->acceptedItems, (std::vector<std::uint32_t>{MakeTag("I096")}));
    EXPECT_TRUE(log.Contains("'I001' is no ammunition"));
    EXPECT_EQ(turret->lastPair.id, 61u);
    EXPECT_EQ(turret->words[0], 4);
    EXPECT_EQ(turret->words[1], 0);
    EXPECT_EQ(turret->BuildLimit(), -7);

    // No registration label: nothing registered. A yield ends the run.
    EXPECT_EQ(database_->FindRoomData(MakeTag("ID05")), nullptr);
    const RoomData* yielding = database_->FindRoomData(MakeTag("ID07"));
    ASSERT_NE(yielding, nullptr);
    EXPECT_EQ(yielding->spriteId, 3);
    EXPECT_EQ(yielding->durability, 30);
    // A registration that never yields is stopped, and the load goes on.
    EXPECT_TRUE(log.Contains("ran " + std::to_string(kRegistrationCommandBudget) + " commands"));
    ASSERT_NE(database_->FindRoomData(MakeTag("ID08")), nullptr);
    ASSERT_NE(database_->FindRoomData(MakeTag("ID09")), nullptr);
    EXPECT_EQ(database_->FindRoomData(MakeTag("ID09"))->capacity, 129);

    // The package stays held for the rooms that will run it.
    const GAME_CScriptPackage* package = GetScriptPackages()->Get(kScriptPackageRoom);
    ASSERT_NE(package, nullptr);
    EXPECT_EQ(package->GetEntryCount(), 6u);
    EXPECT_NE(package->FindProgram(MakeTag("ID05")), nullptr);
}

TEST_F(ScriptPackageTest, EnemyEntriesRegisterTheirEnemyKindsAndActorsRegisterNothing)
{
    WritePackage(kScriptPackageEnemy, R"(
.entry 'E016'
"データベース登録":
    reg.stats 240 -30 4000 50 120 8 12 2 6
    reg.sprite_index 7
    reg.music 4
    reg.music 11
    reg.minigame 1 2 3 4 5
    reg.drop 'I001' 10
    reg.drop 'I002' 0
    reg.drop 'I003' 5
    reg.drop 'I002' 7
    reg.drop 'I004' 1
    reg.drop 'I005' 1
    reg.drop 'I006' 1
    reg.drop 'I007' 1
    reg.drop 'I008' 1
    reg.drop 'I009' 1
    halt

.entry 'E017'
"出現":
    reg.stats 1 1 1 1 1 1 1 1 1
    halt
)",
                 "enemy.def");
    support::LogCapture log;
    ASSERT_TRUE(LoadScriptPackage(kScriptPackageEnemy));
    const EnemyData* enemy = database_->FindEnemyData(MakeTag("E016"));
    ASSERT_NE(enemy, nullptr);
    EXPECT_EQ(enemy->stats[0], 240);
    EXPECT_EQ(enemy->stats[1], -30);
    EXPECT_EQ(enemy->stats[8], 6);
    EXPECT_EQ(enemy->stats[9], 7);
    EXPECT_EQ(enemy->stats[10], 4);
    EXPECT_EQ(enemy->miniGame[4], 5);
    // 'I002' first took weight 0, so 'I003' took its place; the later 'I002'
    // found no entry of its own and took the next free one.
    EXPECT_EQ(enemy->drops[0].itemId, MakeTag("I001"));
    EXPECT_EQ(enemy->drops[1].itemId, MakeTag("I003"));
    EXPECT_EQ(enemy->drops[2].itemId, MakeTag("I002"));
    EXPECT_EQ(enemy->drops[2].weight, 7);
    EXPECT_EQ(CountEnemyDropEntries(*enemy), 8);
    EXPECT_TRUE(log.Contains("all eight drops are in use"));
    EXPECT_EQ(database_->FindEnemyData(MakeTag("E017")), nullptr);

    // Actor scripts register nothing at load time, whatever their label holds.
    WritePackage(kScriptPackageActor, R"(
.entry 1
"データベース登録":
    visible 0
    halt
)",
                 "actor.def");
    ASSERT_TRUE(LoadScriptPackage(kScriptPackageActor));
    EXPECT_EQ(GetScriptPackages()->Get(kScriptPackageActor)->GetEntryCount(), 1u);
}

TEST_F(ScriptPackageTest, AMissingOrBrokenPackageLeavesItsKindEmptyAndNamesTheFile)
{
    support::LogCapture log;
    EXPECT_FALSE(LoadScriptPackage(kScriptPackageRoom));
    EXPECT_TRUE(log.Contains("script/room_script.pac"));
    const GAME_CScriptPackage* rooms = GetScriptPackages()->Get(kScriptPackageRoom);
    ASSERT_NE(rooms, nullptr);
    EXPECT_EQ(rooms->GetEntryCount(), 0u);
    EXPECT_TRUE(database_->Rooms().empty());

    support::WriteBytes(scratch_.path() / "data/script/route_script.pac", "not a package at all");
    EXPECT_FALSE(LoadScriptPackage(kScriptPackageRoute));
    EXPECT_TRUE(log.Contains("script/route_script.pac"));

    // The next kind loads as if nothing had happened.
    WritePackage(kScriptPackageEnemy, ".entry 'E001'\n\"データベース登録\":\n    reg.sprite_index 1\n    halt\n", "enemy.def");
    EXPECT_TRUE(LoadScriptPackage(kScriptPackageEnemy));
    EXPECT_NE(database_->FindEnemyData(MakeTag("E001")), nullptr);
    EXPECT_FALSE(LoadScriptPackage(4));
    EXPECT_EQ(GetScriptPackages()->Get(4), nullptr);
}

}  // namespace
