// The static-database commands run from assembled scripts.
#include <gtest/gtest.h>

#include "framework/file/resource_file.h"
#include "game/services/achievement/achievements.h"
#include "game/services/player/player_data.h"
#include "game/services/data/tag.h"
#include "game/services/clock/game_clock.h"
#include "tests/game/services/data/setting_test_support.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch_folder.h"

namespace {

using game_test::RunSettingSource;

TEST(SettingCommands, AShipOfTheFullGridHas247FloorCellsAndOneCanBeCleared)
{
    GAME_CStaticDatabase database;
    ASSERT_TRUE(RunSettingSource(database, R"(
        ship 'SHP2' 400 500 0
        ship.grid 'SHP2' 19 13
        ship 'SHP3' 300 300 0
        ship.grid 'SHP3' 19 13
        ship.cell 'SHP3' 4 2 0
        ship.cell 'SHP3' 19 0 0     ; outside the grid: no bit changes
    )"));
    const ShipData* full = database.FindShipData(MakeTag("SHP2"));
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(database.GetShipDataAt(0), full);
    EXPECT_EQ(full->floorMask.count(), 247u);
    EXPECT_EQ(full->gridWidth, 19);
    EXPECT_EQ(full->baseFuelCapacity, 500);

    const ShipData* cleared = database.FindShipData(MakeTag("SHP3"));
    ASSERT_NE(cleared, nullptr);
    EXPECT_EQ(cleared->floorMask.count(), 246u);
    EXPECT_EQ(full->floorMask ^ cleared->floorMask, decltype(full->floorMask)().set(2 * 19 + 4));
}

}  // namespace

namespace {

using support::LogCapture;

std::uint32_t T(const char (&tag)[5]) { return MakeTag(tag); }

TEST(SettingCommands, LaterStatementsMergeIntoOneRecordAndNamingAnUnknownOneDoesNothing)
{
    GAME_CStaticDatabase database;
    LogCapture log;
    ASSERT_TRUE(RunSettingSource(database, R"(
        item 'I001' -1 0 0 10 0 5
        item.ammo 'I009' 10 60 10      ; not defined: refused
        item 'I002' -1 0 0 20 0 0
        item 'I001' -1 0 0 99 0 7      ; the same item again
        item.ammo 'I001' 12 90 10
        dish.skill 'D009' 'S001' 5      ; not defined: refused
        dish 'D001' -1 30 200 12 20
        dish.skill 'D001' 'S001' -4
        dish.no_skill 'D001' 0
    )"));
    ASSERT_EQ(database.Items().size(), 2u);
    const ItemData* item = database.FindItemData(T("I001"));
    EXPECT_EQ(item->stackLimit, 99);
    EXPECT_EQ(item->foodValue, 7);
    EXPECT_TRUE(item->IsAmmunition());
    EXPECT_EQ(database.FindItemData(T("I009")), nullptr);
    std::uint32_t id = 0;
    EXPECT_EQ(database.GetItemDataAt(2, &id), nullptr);
    EXPECT_EQ(id, kNoId);

    const CookingRecipe* dish = database.FindCookingRecipe(T("D001"));
    ASSERT_NE(dish, nullptr);
    EXPECT_EQ(dish->mealDurationFrames, 20 * 60);
    EXPECT_EQ(dish->skills[0].skillId, T("S001"));
    EXPECT_EQ(dish->skills[0].weight, 0);  // a negative weight is stored as 0
    EXPECT_EQ(dish->noSkillWeight, 1);
    EXPECT_EQ(database.FindCookingRecipe(T("D009")), nullptr);

    EXPECT_TRUE(log.Contains("item 'I009' is not defined"));
    EXPECT_TRUE(log.Contains("dish 'D009' is not defined"));
}

TEST(SettingCommands, AnIdAfterAGapKeepsItsOneEntryAndAFullListRefusesTheRest)
{
    GAME_CStaticDatabase database;
    LogCapture log;
    ASSERT_TRUE(RunSettingSource(database, R"(
        dish.ingredient 'D001' 'I001' 1
        dish.ingredient 'D001' 'I002' 2
        dish.ingredient 'D001' 'I001' 0   ; the first entry is now free
        dish.ingredient 'D001' 'I002' 5   ; still the second entry
        task.material 'TCFT' 'I001' 1
        task.material 'TCFT' 'I002' 1
        task.material 'TCFT' 'I003' 1
        task.material 'TCFT' 'I004' 1
        task.material 'TCFT' 'I005' 1
        task.material 'TCFT' 'I006' 1   ; a sixth kind
        task.material 'TCFT' 'I002' 4
        task.bonus_buff 'TCFT' 'B001' 3
        task.bonus_skill 'TCFT' 'B001' 2   ; another type: its own entry
        task.bonus_buff 'TCFT' 'B001' 6
    )"));
    const CookingRecipe* dish = database.FindCookingRecipe(T("D001"));
    ASSERT_NE(dish, nullptr);
    EXPECT_EQ(dish->ingredients[0].itemId, T("I001"));
    EXPECT_EQ(dish->ingredients[0].count, 0);
    EXPECT_EQ(dish->ingredients[1].count, 5);
    EXPECT_EQ(dish->ingredients[2].itemId, kNoId);

    const TaskData* task = database.FindTaskData(T("TCFT"));
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(task->materials[1].count, 4);
    EXPECT_EQ(task->materials[4].itemId, T("I005"));
    EXPECT_TRUE(log.Contains("task 'TCFT' has no free material entry for 'I006'"));
    EXPECT_EQ(task->bonuses[0].type, kBonusBuff);
    EXPECT_EQ(task->bonuses[0].weight, 6);
    EXPECT_EQ(task->bonuses[1].type, kBonusSkill);
    EXPECT_EQ(task->bonuses[2].type, kBonusUnused);
}

// Crafting, treatment and mind control, with the indexes built the way the data set builds them.
TEST(SettingCommands, TaskKindsAndTheIndexesBuiltFromThem)
{
    GAME_CStaticDatabase database;
    LogCapture log;
    ASSERT_TRUE(RunSettingSource(database, R"(
        item 'I001' -1 0 0 10 0 0
        item 'I002' -1 0 0 10 0 0
        item 'I003' -1 0 0 10 0 0
        room_kind 'ID05'
        room_kind 'ID08'
        debuff 'N001' 1000 1000 1000 1000 1000 1000 50 'ID99' 30
        skill 'S001' 1000 1000 1000 1000 1000 1000 1000 'ID05' 1000 1000 -1 0 1000
        task 'TC01' 2 0
        task.product 'TC01' 'I002' 2
        task.material 'TC01' 'I001' 3
        task.room 'TC01' 'ID05'
        task.room_upgraded 'TC01' 'ID08' 4
        task.room 'TC01' 'ID05'          ; offered once
        task 'TC02' 2 0
        task.product 'TC02' 'I003' 1
        task.material 'TC02' 'I002' 1
        task.material 'TC02' 'I001' 2
        task.room 'TC02' 'ID08'
        task.upgrade 'TU01' 3
        task.room 'TU01' 'ID08'
        task.treat 'TN01' 'N001'
        task.treat 'TN02' 'N009'         ; no such debuff
        task.heal 'THHP' 20000
        task.mind_control 'TM01' 'S001'
        task.scan 'TSCN' 30
        task.refuel 'TF01' -5
        task.kind_sounds 7 12 13
        task.kind_sounds 19 1 1
        index.tasks
        index.production
    )"));
    const TaskData* craft = database.FindTaskData(T("TC01"));
    ASSERT_NE(craft, nullptr);
    EXPECT_EQ(craft->requiredUpgradeBits, 1u << 4);
    EXPECT_EQ(database.FindRoomData(T("ID05"))->offeredTasks.size(), 1u);
    EXPECT_EQ(database.FindRoomData(T("ID08"))->offeredTasks.size(), 3u);

    // I002 is made by TC01 in both room kinds and used by TC02; I001 goes into both.
    const ItemProductionData* made = database.FindItemProductionData(T("I002"));
    ASSERT_NE(made, nullptr);
    ASSERT_EQ(made->producers.size(), 2u);
    EXPECT_EQ(made->producers[0].taskId, T("TC01"));
    EXPECT_EQ(made->producers[0].roomId, T("ID05"));
    EXPECT_EQ(made->producers[1].roomId, T("ID08"));
    EXPECT_EQ(made->producers[1].productCount, 2);
    ASSERT_EQ(made->consumers.size(), 1u);
    EXPECT_EQ(made->consumers[0].taskId, T("TC02"));
    EXPECT_EQ(made->consumers[0].productItem, T("I003"));
    const ItemProductionData* raw = database.FindItemProductionData(T("I001"));
    ASSERT_EQ(raw->consumers.size(), 3u);
    EXPECT_EQ(raw->consumers[2].materialCount, 2);
    EXPECT_TRUE(raw->producers.empty());
    EXPECT_TRUE(database.FindItemProductionData(T("I003"))->consumers.empty());

    EXPECT_EQ(database.FindTreatmentData(T("N001")), database.FindTaskData(T("TN01")));
    EXPECT_EQ(database.FindDebuffData(T("N001"))->treatment, database.FindTaskData(T("TN01")));
    EXPECT_EQ(database.FindDebuffData(T("N001"))->roomKind, kNoId);  // ID99 is not a room kind
    EXPECT_EQ(database.FindDebuffData(T("N001"))->factors[6], 100);
    EXPECT_EQ(database.FindTaskData(T("TN02"))->treatedDebuff, kNoId);
    EXPECT_TRUE(log.Contains("task 'TN02' treats unknown debuff 'N009'"));
    EXPECT_TRUE(log.Contains("unknown room kind 'ID99'"));
    EXPECT_EQ(database.FindSkillData(T("S001"))->roomKind, T("ID05"));
    EXPECT_EQ(database.FindMindControlData(T("S001")), database.FindTaskData(T("TM01")));
    EXPECT_EQ(database.FindTaskData(T("THHP"))->kind, kTaskPatient);
    EXPECT_EQ(database.FindTaskData(T("TSCN"))->amount, 30 * 60);
    EXPECT_EQ(database.FindTaskData(T("TF01"))->amount, 1);
    EXPECT_EQ(database.FindTaskData(T("TU01"))->productItem, 3u);
    EXPECT_EQ(database.GetTaskSounds(7).start, 12);
}

TEST(SettingCommands, WorldRecordsStoreWhatTheyMayAndCutTheirTexts)
{
    GAME_CStaticDatabase database;
    LogCapture log;
    ASSERT_TRUE(RunSettingSource(database, R"(
        quest 'Q001' 3 'I001' 2
        quest.flags 'Q001' 1023 1024 -1
        quest.counter_deliver 'Q001' 2048 0x1FF
        quest.notice 'Q001' "QUEST_NOTICE_A"
        quest.notice 'Q001' ""                     ; empty: kept
        rumor 'R001' 500 12 'AD01'
        rumor.at 'R001' 'AD01'                     ; listed once
        rumor.room 'R001' 'IDNO'
        rumor.room 'R002' 'ID27'
        rumor.room 'R003' 'ID28'
        rumor 'R004' -50 -1 'AD02'                 ; a negative price: free
        hideout 'AD01' 3 120 200
        hideout.facilities 'AD01' 1 0 1 1
        hideout.neighbours 'AD01' 'AD02' 0 0 'AD03'
        hideout.quest 'AD01' 'Q001' 1
        hideout.quest 'AD01' 'Q002' 1
        hideout.quest 'AD01' 'Q001' 4
        hideout.pub_name 'AD01' "PUB_TYPE_NAME1"
        limits 5 0 7
        camera.zoom_min 1500
        crew.walk_x 250
        crew.walk_y -500
        arcade.items 300 8000 1 2 3 4 5 2500
        arcade.weapon 'W001' 4 300 12 1500 0 250
        balloon.range 100 -5 7
    )"));
    const QuestData* quest = database.FindQuestData(T("Q001"));
    ASSERT_NE(quest, nullptr);
    EXPECT_EQ(quest->limitDays, 3);
    EXPECT_EQ(quest->eventFlags[0], 1023u);
    EXPECT_EQ(quest->eventFlags[1], kNoId);
    EXPECT_TRUE(log.Contains("quest 'Q001' names flag or counter 1024"));
    EXPECT_FALSE(log.Contains("counter 4294967295"));  // -1 is none, not a refusal
    EXPECT_EQ(quest->counters[1].index, kNoId);
    EXPECT_EQ(quest->counters[1].value, 0xFF);
    EXPECT_EQ(quest->noticeKey, "QUEST_NOTICE_A");

    EXPECT_EQ(database.FindRumorData(T("R001"))->unlockedRoom, kNoId);
    EXPECT_EQ(database.FindRumorData(T("R002"))->unlockedRoom, kNoId);
    EXPECT_EQ(database.FindRumorData(T("R003"))->unlockedRoom, T("ID28"));
    EXPECT_EQ(database.FindRumorData(T("R001"))->price, 500);
    EXPECT_EQ(database.FindRumorData(T("R004"))->price, 0);
    EXPECT_TRUE(log.Contains("rumour 'R004' costs -50"));

    const HideoutData* hideout = database.FindHideoutData(T("AD01"));
    ASSERT_NE(hideout, nullptr);
    EXPECT_EQ(hideout->rumors, std::vector<std::uint32_t>{T("R001")});
    EXPECT_EQ(hideout->facilities, kFacilityGasStation | kFacilityQuestBoard | kFacilityPub);
    EXPECT_EQ(hideout->neighbours[1], kNoId);
    EXPECT_EQ(hideout->neighbours[3], T("AD03"));
    EXPECT_EQ(hideout->offers[0].value, 4);
    EXPECT_EQ(hideout->offers[1].questId, T("Q002"));
    EXPECT_EQ(hideout->typeNameKeys[kTypeNamePub], "PUB_TYPE_NAME1");
    EXPECT_EQ(hideout->typeNameKeys[kTypeNameMarket], "MARKET_TYPE_NAME0");

    EXPECT_EQ(database.Limits().first, 100);
    EXPECT_EQ(database.Limits().second, 1);
    EXPECT_FLOAT_EQ(database.Camera().zoomMin, 1.5f);
    EXPECT_FLOAT_EQ(database.BaseStats().walkSpeedX, 0.25f);
    EXPECT_FLOAT_EQ(database.BaseStats().walkSpeedY, -0.5f);
    EXPECT_FLOAT_EQ(database.Tuning().itemLife[4], 0.005f);
    EXPECT_FLOAT_EQ(database.Tuning().itemBlinkTime, 2.5f);
    EXPECT_FLOAT_EQ(database.FindParamRecord(T("W001"))->muzzleX, 1.5f);
    EXPECT_EQ(database.BalloonRanges()[0].upper, 0);
    EXPECT_EQ(database.BalloonRanges()[0].lower, 0);
}

TEST(SettingCommands, AnInlineTextWithoutItsTerminatorIsCutAtItsField)
{
    GAME_CStaticDatabase database;
    // quest.notice for quest 1: 32 bytes of 'A' and no zero byte, then another statement's data.
    const std::string letters = "0x41414141 0x41414141 0x41414141 0x41414141 0x41414141 0x41414141 0x41414141 "
                                "0x41414141";
    ASSERT_TRUE(RunSettingSource(database, ".raw 1 30 20 0 1 " + letters + "\n" +
                                               ".raw 1 61 40 0 2 " + letters + "\n" +
                                               "quest.money 1 0x42424242\n"));
    EXPECT_EQ(database.FindQuestData(1)->noticeKey, std::string(31, 'A'));
    EXPECT_EQ(database.FindHideoutData(2)->typeNameKeys[kTypeNamePub], std::string(31, 'A'));
}

TEST(SettingCommands, TheClearStatementEmptiesEveryKind)
{
    GAME_CStaticDatabase database;
    ASSERT_TRUE(RunSettingSource(database, R"(
        item 'I001' -1 0 0 10 0 0
        crew.max_hp 150
        clear
        task 'TCKG' 7 0
    )"));
    EXPECT_TRUE(database.Items().empty());
    EXPECT_EQ(database.Tasks().size(), 1u);
    EXPECT_EQ(database.BaseStats().maxHp, 150);
}

class SettingPackage : public ::testing::Test {
protected:
    void SetUp() override { vesk::file::SetResourceFolder((scratch_.path() / "data").string()); }
    void TearDown() override { vesk::file::SetResourceFolder(vesk::file::kResourceFolder); }

    void Write(const std::vector<std::uint8_t>& package)
    {
        support::WriteBytes(scratch_.path() / "data/script/static_database.pac",
                                     std::string(package.begin(), package.end()));
    }

    support::ScratchFolder scratch_;
    GAME_CStaticDatabase database_;
};

TEST_F(SettingPackage, AMissingOrUnusablePackageLeavesTheDatabaseEmptyAndNamesTheFile)
{
    {
        LogCapture log;
        EXPECT_FALSE(RunStaticDatabaseScript(database_));
        EXPECT_TRUE(log.Contains("static database: script/static_database.pac could not be read"));
    }
    {
        LogCapture log;
        Write(std::vector<std::uint8_t>(20, 0x41));
        EXPECT_FALSE(RunStaticDatabaseScript(database_));
        EXPECT_TRUE(log.Contains("script/static_database.pac is not a script package"));
    }
    {
        LogCapture log;
        const auto unlabelled = vesk::tools::script::AssembleScript(
            ".entry 1\nstart:\n    item 'I001' -1 0 0 1 0 0\n    return\n", "other.vss", game_test::SettingCommands());
        Write(unlabelled.package);
        EXPECT_FALSE(RunStaticDatabaseScript(database_));
        EXPECT_TRUE(log.Contains("has no registration label"));
    }
    EXPECT_TRUE(database_.Items().empty());
    Write(game_test::AssembleSetting("item 'I001' -1 0 0 1 0 0"));
    EXPECT_TRUE(RunStaticDatabaseScript(database_));
    EXPECT_NE(database_.FindItemData(T("I001")), nullptr);
}

}  // namespace

namespace {

TEST(SettingCommands, ThePlayerDataTheClockAndTheAchievementsTakeTheirTuning)
{
    GAME_CPlayerData* player = CreatePlayerData();
    ASSERT_NE(player, nullptr);
    GAME_CStaticDatabase database;
    support::LogCapture log;
    ASSERT_TRUE(RunSettingSource(database, R"(
        player.constant 14
        player.colors 11 6
        player.color1 0xFF112233 3
        player.color3 0xFF0000FF 2
        player.color3 0xFF0000FF 3      ; the third group has three colours
        stall 5 9000
        clock.period2 2000
        achievement.goal 'A003' 7
        achievement.goal 'A021' 9      ; no such achievement
    )"));
    EXPECT_EQ(player->questLimit, 14u);
    EXPECT_EQ(player->textColors.second, 6u);
    EXPECT_EQ(player->textColors.normal[3], 0xFF112233u);
    EXPECT_EQ(player->textColors.highlight[2], 0xFF0000FFu);
    EXPECT_EQ(player->textColors.highlight[3], TextColorRecord{}.highlight[3]);
    EXPECT_EQ(player->constant840, 60u);
    EXPECT_EQ(player->constant7200, 9000u);
    EXPECT_EQ(GetGameClock()->phaseLengths[1], 2000u);
    EXPECT_EQ(GetAchievementManager()->thresholds[2], 7u);
    EXPECT_TRUE(log.Contains("text colour 3 of group 3 does not exist"));
    EXPECT_TRUE(log.Contains("achievement 'A021' does not exist"));
    DestroyAchievementManager();
    DestroyGameClock();
    DestroyPlayerData();
}

}  // namespace
