// The save and load machine in the running game: slot round trips, refusals, autosaves and owed saves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "game/services/achievement/achievements.h"
#include "game/services/player/player_data.h"
#include "game/model/session/play_session.h"
#include "game/services/save/quest_boards.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "game/services/sound/sound_player.h"
#include "game/services/clock/game_clock.h"
#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/item_data.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/data/static_database.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_factory.h"
#include "game/model/ship/task_request.h"
#include "platform/file_system.h"
#include "platform/little_endian.h"
#include "tests/support/log_capture.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/game_fixture.h"
#include "game/services/text/message_text.h"
#include "game/ui/message_log.h"
#include "game/ui/resident_bar.h"
#include "game/ui/ui_manager.h"
#include "game/ui/widgets/ui_info_bar_object.h"

namespace {

using namespace save_layout;

std::vector<std::uint8_t> SlotOfFile(const std::filesystem::path& path, int slot)
{
    const std::string bytes = support::ReadBytes(path);
    return {bytes.begin() + static_cast<std::ptrdiff_t>(SlotOffset(slot)),
            bytes.begin() + static_cast<std::ptrdiff_t>(SlotOffset(slot) + kSlotSize)};
}

class SaveMachineTest : public support::GameFixture {
protected:
    void SetUp() override
    {
        support::GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartToMainGame());
    }

    // Writes the image, its header made to match, as the save file and loads it into a play session.
    void WriteAndLoad(std::vector<std::uint8_t>& image)
    {
        WriteSaveHeader(image);
        support::WriteBytes(SavePath(), std::string(image.begin(), image.end()));
        ASSERT_TRUE(GetSaveManager()->RequestLoad());
        ASSERT_TRUE(StepUntilSaveIdle());
        ASSERT_EQ(GetSaveManager()->lastResult, GAME_CSaveManager::kOk);
        SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    }
};

TEST_F(SaveMachineTest, ASlotSavedAndLoadedSavesAgainByteForByte)
{
    GAME_CPlayerData* player = GetPlayerData();
    player->playSeconds = 3723;
    player->money = 123456;
    GAME_CGameClock* clock = GetGameClock();
    clock->day = 7;
    clock->step = 4321;
    clock->itemsFound = 5;
    clock->enemiesDefeated = 9;
    clock->timeStopped = 1;
    std::span<std::uint8_t> working = GetWorkingSlot();
    // The live areas the running game keeps in the working slot.
    platform::WriteU32(working, slot::kStoryFlags + 4, 0x80000001u);
    working[slot::kByteTable + 17] = 0x5A;
    SetSlotEventBit(working, 1000, true);
    working[slot::kLiveTable + 3] = 0x11;
    platform::WriteU32(working, slot::kEndingSeen, 1);
    working[slot::kFieldItemsLive + 2] = 0x77;
    platform::WriteU32(GetWorkingSystemRecord(), system::kAchievementCounters + 8, 42);

    GAME_CSaveManager* saves = GetSaveManager();
    ASSERT_TRUE(saves->RequestSaveSlot(3));
    // A second request while the first runs is refused.
    EXPECT_FALSE(saves->RequestSaveSlot(4));
    EXPECT_FALSE(saves->RequestAutoSave());
    ASSERT_TRUE(StepUntilSaveIdle());
    ASSERT_EQ(saves->lastResult, GAME_CSaveManager::kOk);
    const std::vector<std::uint8_t> first = SlotOfFile(SavePath(), 3);

    // Everything changes, then the file is read back and applied.
    player->playSeconds = 1;
    player->money = 2;
    ResetGameClock(*clock);
    std::memset(working.data(), 0, working.size());
    ASSERT_TRUE(saves->RequestLoad());
    ASSERT_TRUE(StepUntilSaveIdle());
    ASSERT_EQ(saves->lastResult, GAME_CSaveManager::kOk);
    EXPECT_EQ(saves->currentSlot, 3u);
    SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    EXPECT_EQ(player->playSeconds, 3723u);
    EXPECT_EQ(player->money, 123456);
    EXPECT_EQ(clock->day, 7u);
    EXPECT_EQ(clock->step, 4321u);
    EXPECT_EQ(clock->enemiesDefeated, 9u);
    EXPECT_EQ(platform::ReadU32(GetWorkingSystemRecord(), system::kAchievementCounters + 8), 42u);

    ASSERT_TRUE(saves->RequestSaveCurrentSlot());
    ASSERT_TRUE(StepUntilSaveIdle());
    EXPECT_EQ(SlotOfFile(SavePath(), 3), first);
}

TEST_F(SaveMachineTest, ValuesOutOfRangeInASlotAreClampedWhenApplied)
{
    std::span<std::uint8_t> slot = GetWorkingSlot();
    std::span<std::uint8_t> system = GetWorkingSystemRecord();
    platform::WriteU32(slot, slot::kPlaySeconds, 0xFFFFFFF0u);
    platform::WriteI32(slot, slot::kMoney, -5);
    platform::WriteU32(slot, slot::kClockStep, 7000);
    platform::WriteU16(system, system::kLanguage, 9);
    SetupPlaySession(slot, system);
    EXPECT_EQ(GetPlayerData()->playSeconds, kMaxPlaySeconds);
    EXPECT_EQ(GetPlayerData()->money, 0);
    EXPECT_EQ(GetGameClock()->step, 0u);
    EXPECT_EQ(GetPlayerData()->language, 1u);
    platform::WriteI32(slot, slot::kMoney, 2000000000);
    SetupPlaySession(slot, system);
    EXPECT_EQ(GetPlayerData()->money, kMaxMoney);
}

TEST_F(SaveMachineTest, AnAutosaveRefusedWhileTheRouteHoldsRetries600FramesLater)
{
    GAME_CGameWorld* world = GetGameWorld();
    ASSERT_TRUE(CloseScreen(kSlotTitle));
    world->travel->routeManager = std::make_unique<GAME_CRouteManager>();
    ASSERT_NE(AddCrewMember(), nullptr);  // a crew with nobody alive is never autosaved
    GetPlayerData()->autoSaveMinutes = 1;  // 3600 frames
    GAME_CSaveManager* saves = GetSaveManager();

    saves->UpdateAutoSaveTimer();  // takes the interval, counts from 0
    ASSERT_EQ(saves->autoSaveInterval, 3600u);
    saves->autoSaveCounter = 3599;
    world->travel->routeManager->SetHolding(true);
    saves->UpdateAutoSaveTimer();
    EXPECT_TRUE(saves->IsIdle());
    EXPECT_EQ(saves->autoSaveCounter, 3000u);

    world->travel->routeManager->SetHolding(false);
    for (int frame = 0; frame < 599; ++frame) saves->UpdateAutoSaveTimer();
    EXPECT_TRUE(saves->IsIdle());
    saves->UpdateAutoSaveTimer();
    EXPECT_FALSE(saves->IsIdle());
    EXPECT_EQ(saves->automatic, 1u);
    EXPECT_EQ(saves->currentSlot, 0u);
    EXPECT_EQ(UIManagerOf(world)->MessageLog()->CountLines(), 1);
    EXPECT_EQ(UIManagerOf(world)->MessageLog()->GetLine(0).kind, 1);
    ASSERT_TRUE(StepUntilSaveIdle());
    EXPECT_EQ(saves->automatic, 0u);

    // A changed interval starts the count again.
    GetPlayerData()->autoSaveMinutes = 2;
    saves->autoSaveCounter = 100;
    saves->UpdateAutoSaveTimer();
    EXPECT_EQ(saves->autoSaveCounter, 0u);
}

TEST_F(SaveMachineTest, ASystemSaveWhileASlotSaveRunsIsWrittenAfterIt)
{
    GAME_CSaveManager* saves = GetSaveManager();
    ASSERT_TRUE(saves->RequestSaveSlot(2));
    platform::WriteU32(GetWorkingSystemRecord(), system::kAchievementCounters, 77);
    EXPECT_FALSE(saves->RequestSaveSystem());
    EXPECT_TRUE(saves->IsSystemSavePending());
    EXPECT_FALSE(saves->IsSystemRecordSaved());
    ASSERT_TRUE(StepUntil([&] { return saves->IsSystemRecordSaved(); }, 600));
    ASSERT_TRUE(StepUntilSaveIdle());
    const std::string file = support::ReadBytes(SavePath());
    EXPECT_EQ(platform::ReadU32(reinterpret_cast<const std::uint8_t*>(file.data()) + kSystemRecordOffset +
                                system::kAchievementCounters),
              77u);
}

TEST_F(SaveMachineTest, AFailedWriteKeepsTheOldFileAndSaysSo)
{
    GAME_CSaveManager* saves = GetSaveManager();
    const std::string before = support::ReadBytes(SavePath());
    platform::SetFileFaultForTesting(platform::FileFault::ShortWrite);
    GetPlayerData()->money = 999;
    ASSERT_TRUE(saves->RequestAutoSave());
    ASSERT_TRUE(StepUntilSaveIdle());
    platform::SetFileFaultForTesting(platform::FileFault::None);
    EXPECT_EQ(saves->lastResult, GAME_CSaveManager::kBroken);
    EXPECT_EQ(saves->automatic, 0u);
    // The machine does not delete the file or try again by itself.
    StepFrames(3);
    EXPECT_TRUE(saves->IsIdle());
    EXPECT_EQ(support::ReadBytes(SavePath()), before);
}

// The autosave falls due on a full disk: beside its "saving" line the log and the info bar say it was
// not written, and the file keeps the last save; with room again the next one is written, and says
// nothing more.
TEST_F(SaveMachineTest, AnAutosaveThatCannotBeWrittenSaysSoInTheLogAndTheInfoBar)
{
    GAME_CGameWorld* world = GetGameWorld();
    ASSERT_TRUE(CloseScreen(kSlotTitle));
    world->travel->routeManager = std::make_unique<GAME_CRouteManager>();
    ASSERT_NE(AddCrewMember(), nullptr);
    GetPlayerData()->autoSaveMinutes = 1;
    GAME_CSaveManager* saves = GetSaveManager();
    GAME_CUIManager& ui = *UIManagerOf(world);
    const auto lines = [&] {
        std::vector<std::u16string> texts;
        const GAME_CUIMessageLog& log = *ui.MessageLog();
        for (int i = 0; i < log.CountLines(); ++i) texts.emplace_back(log.GetLine(i).text.c_str());
        return texts;
    };
    const auto infoBarHas = [&](const std::u16string& text) {
        const GAME_CUIInfoBarObject& bar = ui.Resident()->infoBar;
        for (std::uint32_t row = 0; row < bar.RowCount(); ++row) {
            if (bar.GetRow(row).text == text) return true;
        }
        return false;
    };
    const std::u16string saving = GetMessageTextExpanded("PAUSEUI_SAVE_RUNNING");
    const std::u16string failed = GetMessageTextExpanded("PAUSEUI_AUTOSAVE_FAILED");
    const std::string before = support::ReadBytes(SavePath());
    saves->UpdateAutoSaveTimer();

    platform::SetFileFaultForTesting(platform::FileFault::ShortWrite);
    GetPlayerData()->money = 999;
    saves->autoSaveCounter = saves->autoSaveInterval - 1;
    saves->UpdateAutoSaveTimer();
    ASSERT_FALSE(saves->IsIdle());
    ASSERT_TRUE(StepUntilSaveIdle());
    platform::SetFileFaultForTesting(platform::FileFault::None);
    EXPECT_EQ(lines(), (std::vector<std::u16string>{saving, failed}));
    EXPECT_TRUE(infoBarHas(failed));
    EXPECT_EQ(support::ReadBytes(SavePath()), before);

    ASSERT_TRUE(ui.ClearInfoBarMessages());
    saves->autoSaveCounter = saves->autoSaveInterval - 1;
    saves->UpdateAutoSaveTimer();
    ASSERT_TRUE(StepUntilSaveIdle());
    EXPECT_EQ(saves->lastResult, GAME_CSaveManager::kOk);
    EXPECT_EQ(lines(), (std::vector<std::u16string>{saving, failed, saving}));
    EXPECT_FALSE(infoBarHas(failed));
    EXPECT_EQ(platform::ReadI32(SlotOfFile(SavePath(), kAutoSaveSlot), slot::kMoney), 999);
}

// Quitting while a save is being written: the write finishes before the game lets go of what it reads.
TEST_F(SaveMachineTest, ASaveStillBeingWrittenAtShutdownIsFinishedWhole)
{
    GAME_CPlayerData* player = GetPlayerData();
    player->money = 4242;
    platform::SetFileFaultForTesting(platform::FileFault::SlowWrite);
    ASSERT_TRUE(GetSaveManager()->RequestSaveSlot(4));
    StopGame();
    platform::SetFileFaultForTesting(platform::FileFault::None);
    const std::string file = support::ReadBytes(SavePath());
    ASSERT_EQ(file.size(), kImageSize);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
    EXPECT_EQ(platform::ReadU32(bytes, kChecksumOffset), ComputeSaveChecksum(bytes));
    EXPECT_EQ(platform::ReadI32(bytes, SlotOffset(4) + slot::kMoney), 4242);
}

// Quitting while a save is written and an achievement's write waits for it: both reach the file.
TEST_F(SaveMachineTest, AnAchievementWaitingOnAWriteAtShutdownIsWrittenBeforeTheGameEnds)
{
    constexpr std::uint32_t kEarned = 6;
    GetPlayerData()->money = 4343;
    ASSERT_TRUE(GetSaveManager()->RequestSaveSlot(3));
    UnlockAchievement(kEarned);
    ASSERT_TRUE(GetSaveManager()->IsSystemSavePending());
    StopGame();
    const std::string file = support::ReadBytes(SavePath());
    ASSERT_EQ(file.size(), kImageSize);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
    EXPECT_TRUE(CheckSaveImage(bytes));
    EXPECT_EQ(platform::ReadI32(bytes, SlotOffset(3) + slot::kMoney), 4343);
    EXPECT_NE(platform::ReadU32(bytes, kSystemRecordOffset + system::kAchievementBits) & (1u << kEarned), 0u);
}

}  // namespace

namespace {

// The ship's records and the crew's places: cells on the grid, rooms the ship has, fuel in the tank.
void AddShipAndCrewBreaks(std::span<const std::uint8_t> record, std::vector<std::string>& breaks)
{
    const GAME_CShip& ship = *PeekGameWorld()->ship;
    int rooms = 0;
    while (rooms < slot::kRoomRecordCount &&
           platform::ReadU32(record, slot::kRooms + static_cast<std::size_t>(rooms) * slot::kRoomRecordSize) != kNoId) {
        ++rooms;
    }
    for (int i = 0; i < slot::kCrewRecordCount; ++i) {
        const std::size_t at = slot::kCrew + static_cast<std::size_t>(i) * slot::kCrewRecordSize;
        if (record[at] != 1) continue;
        const std::string name = "crew record " + std::to_string(i);
        if (record[at + 1] >= ship.grid.width || record[at + 2] >= ship.grid.height) breaks.push_back(name + " cell");
        if (record[at + 3] > 1) breaks.push_back(name + " in-room byte");
        const std::uint8_t bits = record[at + 54];
        if ((bits & ~0x11) != 0) breaks.push_back(name + " room bits");
        if ((bits & 0x01) != 0 && record[at + 53] >= rooms) breaks.push_back(name + " home room");
        if ((bits & 0x10) != 0 && record[at + 52] >= rooms) breaks.push_back(name + " work room");
        for (const std::size_t meter : {36u, 40u, 44u}) {
            if (platform::ReadI32(record, at + meter) < 0) breaks.push_back(name + " meter");
        }
        // The time left of the buffs and debuffs: never below 0, and none in an empty slot.
        for (std::size_t k = 0; k < 4; ++k) {
            const std::int32_t left = platform::ReadI32(record, at + 60 + 4 * k);
            const std::uint32_t id = platform::ReadU32(record, at + 20 + 4 * k);
            if (left < 0 || (left != 0 && (id == 0 || id == kNoId))) breaks.push_back(name + " time left");
        }
    }
    for (int i = 0; i < rooms; ++i) {
        const std::size_t at = slot::kRooms + static_cast<std::size_t>(i) * slot::kRoomRecordSize;
        if (platform::ReadI32(record, at + 16) < 0) breaks.push_back("room record " + std::to_string(i) + " birth count");
    }
    const std::int16_t fuel = platform::ReadI16(record, slot::kFuel);
    if (fuel < 0 || fuel > ship.fuelCapacity) breaks.push_back("fuel");
    if (platform::ReadI16(record, slot::kFuelCountdown) < 0) breaks.push_back("fuel countdown");
    for (int i = 0; i < slot::kDamageMarkerCount; ++i) {
        if (platform::ReadI16(record, slot::kDamageMarkers + static_cast<std::size_t>(i) * slot::kDamageMarkerSize) < 0) {
            breaks.push_back("damage record " + std::to_string(i));
        }
    }
}

void AddTaskBreaks(std::span<const std::uint8_t> record, std::vector<std::string>& breaks)
{
    for (int i = 0; i < slot::kTaskRecordCount; ++i) {
        const std::size_t at = slot::kTasks + static_cast<std::size_t>(i) * slot::kTaskRecordSize;
        const std::uint8_t kind = record[at + 40];
        if (kind == 255) break;
        const std::string name = "task record " + std::to_string(i);
        if (!HasTaskClass(kind)) breaks.push_back(name + " kind");
        if (platform::ReadI16(record, at + 38) < 0) breaks.push_back(name + " progress");
        for (std::size_t k = 0; k < 5; ++k) {
            const std::uint32_t id = platform::ReadU32(record, at + 8 + 4 * k);
            if (record[at + 28 + k] != 0 && (id == kNoId || id == 0)) breaks.push_back(name + " material count");
        }
    }
}

void AddOfferSetBreaks(std::span<const std::uint8_t> record, std::vector<std::string>& breaks)
{
    for (int set = 0; set < CountUsedOfferSets(); ++set) {
        const HideoutData* hideout = GetStaticDatabase()->GetHideoutDataAt(set, nullptr);
        if (hideout == nullptr) continue;
        const std::size_t at = slot::kOfferSets + static_cast<std::size_t>(set) * slot::kOfferSetSize;
        const std::uint32_t mask = platform::ReadU32(record, at + slot::kOfferMask);
        const std::string name = "offer set " + std::to_string(set);
        bool emptySeen = false;
        for (int pair = 0; pair < slot::kOfferPairCount; ++pair) {
            const std::uint32_t id = platform::ReadU32(record, at + static_cast<std::size_t>(pair) * slot::kOfferPairSize);
            const bool empty = id == kNoId || id == 0;
            // The boards keep their offers packed at the front: a quest past a gap is out of reach.
            if (!empty && emptySeen) breaks.push_back(name + " gap before pair " + std::to_string(pair));
            emptySeen = emptySeen || empty;
            if (empty && (mask >> pair & 1u) != 0) breaks.push_back(name + " accepted mark");
            if (!empty && GetStaticDatabase()->FindQuestData(id) == nullptr) breaks.push_back(name + " quest");
        }
        if (platform::ReadU32(record, at + slot::kOfferSpare) != 0) breaks.push_back(name + " spare word");
        if (platform::ReadU32(record, at + slot::kOfferCountdown) >
            static_cast<std::uint32_t>(std::max(hideout->offerRefreshCountdown, 1))) {
            breaks.push_back(name + " countdown");
        }
    }
}

void AddRankingBreaks(std::span<const std::uint8_t> record, std::vector<std::string>& breaks)
{
    for (int row = 0; row < ranking::kEntryCount; ++row) {
        const std::size_t at = slot::kRanking + static_cast<std::size_t>(row) * ranking::kEntrySize;
        const std::string name = "ranking row " + std::to_string(row);
        for (std::size_t unit = 0; unit < ranking::kNameUnits; ++unit) {
            const std::uint16_t value = platform::ReadU16(record, at + 2 * unit);
            if (value != 0 && (value < 0x20 || (value >= 0xD800 && value <= 0xDFFF))) breaks.push_back(name + " name");
        }
        if (platform::ReadU16(record, at + 2 * ranking::kNameUnits) != 0) breaks.push_back(name + " terminator");
        if (platform::ReadI32(record, at + ranking::kScore) < 0) breaks.push_back(name + " score");
    }
}

// The slot's own invariants, walked as a save checker walks them: every break, by area.
std::vector<std::string> SlotInvariantBreaks(std::span<const std::uint8_t> record)
{
    std::vector<std::string> breaks;
    for (int i = 0; i < slot::kCrewRecordCount; ++i) {
        const std::uint8_t present = record[slot::kCrew + static_cast<std::size_t>(i) * slot::kCrewRecordSize];
        if (present > 1) breaks.push_back("crew record " + std::to_string(i) + " present byte " + std::to_string(present));
        const std::size_t ids = slot::kCrew + static_cast<std::size_t>(i) * slot::kCrewRecordSize + 12;
        for (std::size_t k = 0; present == 1 && k < 2; ++k) {
            const auto unknown = [&](std::size_t at, bool known) {
                const std::uint32_t id = platform::ReadU32(record, at);
                if (id != 0 && id != kNoId && !known) breaks.push_back("crew record " + std::to_string(i) + " id " + TagText(id));
            };
            unknown(ids + 4 * k, FindSkillData(platform::ReadU32(record, ids + 4 * k)) != nullptr);
            unknown(ids + 8 + 4 * k, FindBuffData(platform::ReadU32(record, ids + 8 + 4 * k)) != nullptr);
            unknown(ids + 16 + 4 * k, FindDebuffData(platform::ReadU32(record, ids + 16 + 4 * k)) != nullptr);
        }
    }
    for (int i = 0; i < slot::kRoomRecordCount; ++i) {
        const std::size_t at = slot::kRooms + static_cast<std::size_t>(i) * slot::kRoomRecordSize;
        if (platform::ReadU32(record, at + 8) > 1) breaks.push_back("room record " + std::to_string(i) + " flag");
        if (platform::ReadU32(record, at + 12) >= (1u << 11)) breaks.push_back("room record " + std::to_string(i) + " upgrades");
    }
    for (int i = 0; i < slot::kStoreEntryCount; ++i) {
        const std::size_t at = slot::kStore + static_cast<std::size_t>(i) * slot::kStoreEntrySize;
        const std::uint32_t id = platform::ReadU32(record, at);
        const bool empty = id == 0xFFFFFFFFu || id == 0xFFFFFFFEu || id == 0;
        if (empty && platform::ReadU16(record, at + 4) != 0) breaks.push_back("store entry " + std::to_string(i));
    }
    for (int i = 0; i < 16; ++i) {
        const std::size_t at = slot::kEnemyRecords + static_cast<std::size_t>(i) * 16;
        const std::uint32_t id = platform::ReadU32(record, at);
        const bool empty = id == 0 || id == 0xFFFFFFFEu || id == kNoId || platform::ReadI32(record, at + 4) < 1;
        if (!empty && FindEnemyData(id) == nullptr) breaks.push_back("enemy record " + std::to_string(i));
    }
    for (int i = 0; i < 128; ++i) {
        const std::size_t at = slot::kDropItemRecords + static_cast<std::size_t>(i) * 12;
        const std::int32_t count = platform::ReadI32(record, at + 8);
        const ItemData* item = FindItemData(platform::ReadU32(record, at));
        if (count > 0 && (item == nullptr || count > StackLimitOf(item))) breaks.push_back("drop-item record " + std::to_string(i));
    }
    // Food stores lie between the two store counters, each holding a dish.
    const std::uint16_t foodBegin = platform::ReadU16(record, slot::kStoreCounters);
    const std::uint16_t foodEnd = platform::ReadU16(record, slot::kStoreCounters + 2);
    for (int i = foodBegin; foodEnd != 0xFFFF && i < std::min<int>(foodEnd, slot::kStoreEntryCount); ++i) {
        const std::uint32_t id = platform::ReadU32(record, slot::kStore + static_cast<std::size_t>(i) * slot::kStoreEntrySize);
        if (id == kNoId || id == 0) break;
        if (FindCookingRecipe(id) == nullptr) breaks.push_back("food store entry " + std::to_string(i));
    }
    for (int i = 0; i < slot::kFieldItemCount; ++i) {
        const std::size_t at = slot::kFieldItems + static_cast<std::size_t>(i) * slot::kFieldItemSize;
        const std::uint8_t inUse = record[at + 10];
        if (inUse > 1 || (inUse == 1 && (FindItemData(platform::ReadU32(record, at)) == nullptr || record[at + 8] == 0))) {
            breaks.push_back("item record " + std::to_string(i));
        }
    }
    const std::int32_t money = platform::ReadI32(record, slot::kMoney);
    if (money < 0 || money > kMaxMoney) breaks.push_back("money");
    for (const std::size_t counter : {slot::kStoreCounters, slot::kStoreCounters + 2}) {
        const std::uint16_t value = platform::ReadU16(record, counter);
        if (value > slot::kStoreEntryCount && value != 0xFFFF) breaks.push_back("store counter");
    }
    constexpr std::uint32_t kHigh[8] = {9999, 12, 31, 23, 59, 60, 999, 7};
    constexpr std::uint32_t kLow[8] = {1, 1, 1, 0, 0, 0, 0, 0};
    bool stamped = false;
    bool inRange = true;
    for (std::size_t i = 0; i < 8; ++i) {
        const std::uint32_t field = platform::ReadU32(record, slot::kLastSaveTime + 4 * i);
        stamped = stamped || field != 0;
        inRange = inRange && field >= kLow[i] && field <= kHigh[i];
    }
    if (stamped && !inRange) breaks.push_back("last-save time");
    if (platform::ReadU32(record, slot::kEndingSeen) > 1) breaks.push_back("ending-seen flag");
    for (const std::size_t flag : {slot::kClockTimeStopped, slot::kClockFlag, slot::kRouteReversed, slot::kRouteDirection}) {
        if (platform::ReadU32(record, flag) > 1) breaks.push_back("flag at offset " + std::to_string(flag));
    }
    const std::uint32_t bgm = platform::ReadU32(record, slot::kClockBgm);
    if (bgm != 0xFFFFFFFFu && bgm > kBgmCount) breaks.push_back("clock music");
    if (platform::ReadU32(record, slot::kTravelFlags) > 1) breaks.push_back("travel flags");
    AddShipAndCrewBreaks(record, breaks);
    AddTaskBreaks(record, breaks);
    AddOfferSetBreaks(record, breaks);
    AddRankingBreaks(record, breaks);
    return breaks;
}

TEST_F(SaveMachineTest, ASlotBreakingItsInvariantsLoadsWithALineForEachFieldAndSavesSound)
{
    ASSERT_NE(AddCrewMember(), nullptr);
    ASSERT_NE(PeekGameWorld()->ship->PlaceRoom(0, 2, FindRoomIdIndex(MakeTag("ID23"))), nullptr);
    GAME_CSaveManager* saves = GetSaveManager();
    ASSERT_TRUE(saves->RequestSaveSlot(3));
    ASSERT_TRUE(StepUntilSaveIdle());
    const std::string bytes = support::ReadBytes(SavePath());
    std::vector<std::uint8_t> image(bytes.begin(), bytes.end());
    ASSERT_EQ(image.size(), kImageSize);
    EXPECT_TRUE(SlotInvariantBreaks(std::span(image).subspan(SlotOffset(3), kSlotSize)).empty());

    // Damage a checksum cannot see, since the header is made to match.
    const std::span<std::uint8_t> third = std::span(image).subspan(SlotOffset(3), kSlotSize);
    third[slot::kCrew + 1 * slot::kCrewRecordSize] = 4;
    third[slot::kCrew + 2 * slot::kCrewRecordSize] = 242;
    ASSERT_EQ(platform::ReadU32(third, slot::kRooms), MakeTag("ID23"));
    platform::WriteU32(third, slot::kRooms + 8, 7);
    platform::WriteU32(third, slot::kRooms + 12, 0xFFFF0000u);
    const std::size_t emptyEntry = slot::kStore + 3000 * slot::kStoreEntrySize;
    platform::WriteU32(third, emptyEntry, 0xFFFFFFFFu);
    platform::WriteU16(third, emptyEntry + 4, 7);
    const std::uint32_t stamp[8] = {2026, 524300, 7, 23, 10, 5, 0, 1};
    for (std::size_t i = 0; i < 8; ++i) platform::WriteU32(third, slot::kLastSaveTime + 4 * i, stamp[i]);
    platform::WriteU32(third, slot::kEndingSeen, 9);
    const std::span<std::uint8_t> fifth = std::span(image).subspan(SlotOffset(5), kSlotSize);
    for (std::size_t i = 0; i < 8; ++i) platform::WriteU32(fifth, slot::kLastSaveTime + 4 * i, 2026);
    support::LogCapture log;
    ASSERT_NO_FATAL_FAILURE(WriteAndLoad(image));
    for (const char* line : {"slot 3, crew record 1 at offset 8200: present byte 4",
                             "slot 3, crew record 2 at offset 8328: present byte 242",
                             "slot 3, room record 0 at offset 48: under-construction flag 7",
                             "slot 3, room record 0 at offset 52: upgrade bits 4294901760",
                             "slot 3, store entry 3000 at offset 135660: count 7 without an id",
                             "slot 3, last-save time at offset 218292: month 524300",
                             "slot 3, ending-seen flag at offset 218284: 9",
                             "slot 5, last-save time at offset 218292: month 2026"}) {
        EXPECT_TRUE(log.Contains(line)) << line << "\n" << ::testing::PrintToString(log.Lines());
    }
    EXPECT_EQ(PeekGameWorld()->fieldObjects->crew.size(), 1u);
    EXPECT_TRUE(SlotInvariantBreaks(GetSaveAreas().ImageSlot(5)).empty());

    ASSERT_TRUE(saves->RequestSaveCurrentSlot());
    ASSERT_TRUE(StepUntilSaveIdle());
    const std::vector<std::uint8_t> saved = SlotOfFile(SavePath(), 3);
    EXPECT_EQ(SlotInvariantBreaks(saved), std::vector<std::string>{});
}

// A save whose taken quest the data no longer knows: the load says so, and the offer drawn in its
// place comes untaken, so the player holds only the quests they took and may take one more.
TEST_F(SaveMachineTest, ATakenQuestTheDataLostComesBackAsAnOfferNotTaken)
{
    GAME_CSaveManager* saves = GetSaveManager();
    ASSERT_TRUE(saves->RequestSaveSlot(3));
    ASSERT_TRUE(StepUntilSaveIdle());
    const std::string bytes = support::ReadBytes(SavePath());
    std::vector<std::uint8_t> image(bytes.begin(), bytes.end());
    const std::span<std::uint8_t> third = std::span(image).subspan(SlotOffset(3), kSlotSize);
    // Cheddar Springs' board: a lost quest and Q001, both taken.
    for (int pair = 0; pair < slot::kOfferPairCount; ++pair) {
        const std::size_t at = slot::kOfferSets + static_cast<std::size_t>(pair) * slot::kOfferPairSize;
        platform::WriteU32(third, at, pair == 0 ? MakeTag("ZZZZ") : pair == 1 ? MakeTag("Q001") : kNoId);
        platform::WriteI32(third, at + 4, pair < 2 ? 2 : 0);
    }
    platform::WriteU32(third, slot::kOfferSets + slot::kOfferMask, 0b11);
    support::LogCapture log;
    ASSERT_NO_FATAL_FAILURE(WriteAndLoad(image));

    EXPECT_TRUE(log.Contains("slot 3, offer set 0 at offset 32560: taken quest 1515870810 names no record; it is given up"))
        << ::testing::PrintToString(log.Lines());
    const QuestBoardRecord board(GetWorkingSlot(), 0);
    EXPECT_TRUE(board.Id(0) == MakeTag("Q002") || board.Id(0) == MakeTag("Q004")) << board.Id(0);
    EXPECT_FALSE(board.IsAccepted(0));
    EXPECT_EQ(board.Id(1), MakeTag("Q001"));
    EXPECT_TRUE(board.IsAccepted(1));
    EXPECT_EQ(CountFlaggedQuestEntries(GetWorkingSlot()), 1);
}

// A save whose taken quests hold days left their quests cannot have: the five-day Q001 at 0 days,
// which would never run out, and the unlimited Q004 at 3, which would run out. The load says so and
// gives Q001 its five days and Q004 none to count; a day later Q001 has four left and Q004 is still
// taken.
TEST_F(SaveMachineTest, TakenQuestDaysOutsideTheirLimitAreMendedAsTheSlotLoads)
{
    ASSERT_TRUE(GetSaveManager()->RequestSaveSlot(3));
    ASSERT_TRUE(StepUntilSaveIdle());
    const std::string bytes = support::ReadBytes(SavePath());
    std::vector<std::uint8_t> image(bytes.begin(), bytes.end());
    const std::span<std::uint8_t> third = std::span(image).subspan(SlotOffset(3), kSlotSize);
    const std::pair<std::uint32_t, std::int32_t> pairs[] = {{MakeTag("Q001"), 0}, {MakeTag("Q004"), 3}, {MakeTag("Q002"), 5}};
    for (int pair = 0; pair < slot::kOfferPairCount; ++pair) {
        const std::size_t at = slot::kOfferSets + static_cast<std::size_t>(pair) * slot::kOfferPairSize;
        platform::WriteU32(third, at, pair < 3 ? pairs[pair].first : kNoId);
        platform::WriteI32(third, at + 4, pair < 3 ? pairs[pair].second : 0);
    }
    platform::WriteU32(third, slot::kOfferSets + slot::kOfferMask, 0b011);
    support::LogCapture log;
    ASSERT_NO_FATAL_FAILURE(WriteAndLoad(image));

    for (const char* line : {"slot 3, offer set 0 at offset 32564: days left 0 do not fit the quest's limit of 5; they are 5",
                             "slot 3, offer set 0 at offset 32572: days left 3 do not fit the quest's limit of -1; they are -1"}) {
        EXPECT_TRUE(log.Contains(line)) << line << "\n" << ::testing::PrintToString(log.Lines());
    }
    RefreshOfferSetsDaily(GetWorkingSlot());
    const QuestBoardRecord board(GetWorkingSlot(), 0);
    EXPECT_EQ(board.Value(0), 4);
    EXPECT_EQ(board.Value(1), -1);
    EXPECT_EQ(board.Mask(), 0b011u);
}

// A save whose taken quests stand on a board past the data's hideouts: the quest screens named such a
// quest's hideout by a raw tag, and no hideout could take its delivery. The load drops that board,
// saying so, and leaves the hideouts' boards as they were.
TEST_F(SaveMachineTest, QuestsOnABoardPastTheHideoutsAreDroppedAsTheSlotLoads)
{
    const int stray = CountUsedOfferSets();
    ASSERT_LT(stray, slot::kOfferSetCount);
    ASSERT_TRUE(GetSaveManager()->RequestSaveSlot(3));
    ASSERT_TRUE(StepUntilSaveIdle());
    const std::string bytes = support::ReadBytes(SavePath());
    std::vector<std::uint8_t> image(bytes.begin(), bytes.end());
    const std::span<std::uint8_t> third = std::span(image).subspan(SlotOffset(3), kSlotSize);
    const std::size_t strayBoard = slot::kOfferSets + static_cast<std::size_t>(stray) * slot::kOfferSetSize;
    const std::uint32_t ids[] = {MakeTag("Q001"), MakeTag("Q002"), MakeTag("Q004")};
    for (std::size_t pair = 0; pair < std::size(ids); ++pair) {
        platform::WriteU32(third, strayBoard + pair * slot::kOfferPairSize, ids[pair]);
        platform::WriteI32(third, strayBoard + pair * slot::kOfferPairSize + 4, 3);
    }
    platform::WriteU32(third, strayBoard + slot::kOfferMask, 0b101);
    platform::WriteU32(third, slot::kOfferSets, MakeTag("Q001"));
    platform::WriteI32(third, slot::kOfferSets + 4, 2);
    platform::WriteU32(third, slot::kOfferSets + slot::kOfferMask, 0b1);
    support::LogCapture log;
    ASSERT_NO_FATAL_FAILURE(WriteAndLoad(image));

    const std::string line = "slot 3, offer set " + std::to_string(stray) + " at offset " + std::to_string(strayBoard) +
                             ": a board past the hideouts holds 3 quests, 2 of them taken; they are dropped";
    EXPECT_TRUE(log.Contains(line)) << line << "\n" << ::testing::PrintToString(log.Lines());
    const QuestBoardRecord dropped(GetWorkingSlot(), stray);
    for (int pair = 0; pair < slot::kOfferPairCount; ++pair) EXPECT_TRUE(dropped.IsEmpty(pair)) << pair;
    EXPECT_EQ(dropped.Mask(), 0u);
    const QuestBoardRecord kept(GetWorkingSlot(), 0);
    EXPECT_EQ(kept.Id(0), MakeTag("Q001"));
    EXPECT_EQ(kept.Value(0), 2);
    EXPECT_TRUE(kept.IsAccepted(0));
    EXPECT_EQ(CountFlaggedQuestEntries(GetWorkingSlot()), 1);
}

}  // namespace

namespace {

// One kind of damage to a saved slot, and the line its load must log.
struct SlotMutation {
    const char* name;
    void (*damage)(std::span<std::uint8_t> slot);
    const char* line;
};

void WriteWord(std::span<std::uint8_t> record, std::size_t offset, std::uint32_t value)
{
    platform::WriteU32(record, offset, value);
}

const SlotMutation kSlotMutations[] = {
    {"ClockStepPastTheDay", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kClockStep, 99999); },
     "slot 3, clock step at offset 111404: 99999 is past the day"},
    {"TimeStoppedFlag", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kClockTimeStopped, 3); },
     "slot 3, clock time-stopped flag at offset 111424: 3 is neither 0 nor 1"},
    {"ClockFlag", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kClockFlag, 0x100); },
     "slot 3, clock flag at offset 111428: 256 is neither 0 nor 1"},
    {"ClockMusic", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kClockBgm, 40); },
     "slot 3, clock music at offset 111420: track word 40 names no track"},
    {"RouteReversedFlag", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kRouteReversed, 2); },
     "slot 3, route reversed flag at offset 70444: 2 is neither 0 nor 1"},
    {"RouteDirectionFlag", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kRouteDirection, 0xFFFFFFFFu); },
     "slot 3, route direction flag at offset 70448: 4294967295 is neither 0 nor 1"},
    {"CrewSkillId", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kCrew + 12, MakeTag("ZZZZ")); },
     "slot 3, crew record 0 at offset 8084: skill ZZZZ names no record"},
    {"CrewDebuffId", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kCrew + 32, MakeTag("ZZZZ")); },
     "slot 3, crew record 0 at offset 8104: debuff ZZZZ names no record"},
    {"EnemyId",
     [](std::span<std::uint8_t> r) {
         WriteWord(r, slot::kEnemyRecords, MakeTag("ZZZZ"));
         WriteWord(r, slot::kEnemyRecords + 4, 5);
     },
     "slot 3, enemy record 0 at offset 70456: enemy ZZZZ names no record"},
    {"DropItemId",
     [](std::span<std::uint8_t> r) {
         WriteWord(r, slot::kDropItemRecords, MakeTag("ZZZZ"));
         WriteWord(r, slot::kDropItemRecords + 8, 3);
     },
     "slot 3, drop-item record 0 at offset 91448: item ZZZZ with count 3 names no record"},
    {"FieldItemInUseByte", [](std::span<std::uint8_t> r) { r[slot::kFieldItems + 10] = 9; },
     "slot 3, item record 0 at offset 199730: in-use byte 9 is neither 0 nor 1"},
    {"FieldItemId",
     [](std::span<std::uint8_t> r) {
         WriteWord(r, slot::kFieldItems, MakeTag("ZZZZ"));
         r[slot::kFieldItems + 8] = 1;
         r[slot::kFieldItems + 10] = 1;
     },
     "slot 3, item record 0 at offset 199720: item ZZZZ names no record"},
    {"Money", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kMoney, 0xFFFFFFF0u); },
     "slot 3, money at offset 4: -16 is out of range"},
    {"StoreCounter", [](std::span<std::uint8_t> r) { platform::WriteU16(r, slot::kStoreCounters, 60000); },
     "slot 3, store record at offset 143272: item counter 60000 lies past its"},
    {"RouteId", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kRouteId, MakeTag("ZZZZ")); },
     "slot 3, route id at offset 70440: route"},
    {"CrewCell", [](std::span<std::uint8_t> r) { r[slot::kCrew + 1] = 200; },
     "slot 3, crew record 0 at offset 8073: cell (200, "},
    {"CrewInRoomByte", [](std::span<std::uint8_t> r) { r[slot::kCrew + 3] = 7; },
     "slot 3, crew record 0 at offset 8075: in-room byte 7 is neither 0 nor 1"},
    {"CrewRoomBits", [](std::span<std::uint8_t> r) { r[slot::kCrew + 54] |= 0x80; },
     "slot 3, crew record 0 at offset 8126: room bits"},
    {"CrewHomeRoom",
     [](std::span<std::uint8_t> r) {
         r[slot::kCrew + 54] |= 0x01;
         r[slot::kCrew + 53] = 250;
     },
     "slot 3, crew record 0 at offset 8125: home room 250 is not on the ship"},
    {"CrewHp", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kCrew + 36, 0x7FFFFFFF); },
     "slot 3, crew record 0 at offset 8108: hp 2147483647 is outside 0 and its maximum"},
    {"CrewCalorie", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kCrew + 44, 0xFFFFFFFFu); },
     "slot 3, crew record 0 at offset 8116: calorie -1 is outside 0 and its maximum; it is 0"},
    {"Fuel", [](std::span<std::uint8_t> r) { platform::WriteI16(r, slot::kFuel, 32000); },
     "slot 3, fuel at offset 24460: 32000 lies outside the tank"},
    {"FuelCountdown", [](std::span<std::uint8_t> r) { platform::WriteI16(r, slot::kFuelCountdown, -5); },
     "slot 3, fuel countdown at offset 24462: -5 is below 0"},
    {"DamageAmount", [](std::span<std::uint8_t> r) { platform::WriteI16(r, slot::kDamageMarkers, -3); },
     "slot 3, damage record 0 at offset 24520: damage -3"},
    {"ShipTag", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kShipTag, MakeTag("ZZZZ")); },
     "slot 3, ship tag at offset 24456: the ship ZZZZ does not exist"},
    // A tag of an escape code and a newline reaches the log as one line the terminal only prints.
    {"ShipTagOfControlBytes", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kShipTag, 0x0A5B1B00u); },
     "slot 3, ship tag at offset 24456: the ship \\x00\\x1b[\\x0a does not exist"},
    {"RoomOffTheGrid",
     [](std::span<std::uint8_t> r) {
         const std::size_t last = slot::kRooms + (slot::kRoomRecordCount - 1) * slot::kRoomRecordSize;
         WriteWord(r, last, MakeTag("ID23"));
         platform::WriteI16(r, last + 4, 9999);
     },
     "slot 3, room record 250 at offset 8040: room ID23 at 9999, 0 does not fit the ship"},
    {"RoomBirthCount", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kRooms + 16, 0xFFFFFFFBu); },
     "slot 3, room record 0 at offset 56: birth count -5 is below 0; it starts at 0"},
    {"CrewBuffTime", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kCrew + 60, 0x7FFFFFFF); },
     "slot 3, crew record 0 at offset 8132: buff time 2147483647 is outside 0 and what it lasts"},
    {"CrewDebuffTime", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kCrew + 72, 0xFFFFFFFFu); },
     "slot 3, crew record 0 at offset 8144: debuff time -1 is outside 0 and what it lasts"},
    {"TaskKind", [](std::span<std::uint8_t> r) { r[slot::kTasks + 40] = 200; },
     "slot 3, task record 0 at offset 144464: kind 200 is no task's"},
    {"TaskProgress", [](std::span<std::uint8_t> r) { platform::WriteI16(r, slot::kTasks + 38, -40); },
     "slot 3, task record 0 at offset 144462: progress -40 is below 0"},
    {"TaskMaterialCount",
     [](std::span<std::uint8_t> r) {
         WriteWord(r, slot::kTasks + 8 + 16, kNoId);
         r[slot::kTasks + 28 + 4] = 9;
     },
     "slot 3, task record 0 at offset 144456: material count 9 without an id"},
    {"TaskCrew", [](std::span<std::uint8_t> r) { r[slot::kTasks + 33 + 4] = 120; },
     "slot 3, task record 0 at offset 144461: task"},
    {"OfferUnknownQuest", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kOfferSets, 0x7FFFFFF0u); },
     "slot 3, offer set 0 at offset 32560: quest 2147483632 names no record; it is replaced"},
    // A quest the data lost on a board that holds its whole pool: with no other quest to draw it
    // leaves the board, and the quests after it close up.
    {"OfferUnknownQuestWithThePoolOnTheBoard",
     [](std::span<std::uint8_t> r) {
         const std::uint32_t ids[] = {MakeTag("Q001"), MakeTag("ZZZZ"), MakeTag("Q002"), MakeTag("Q004")};
         for (std::size_t pair = 0; pair < 4; ++pair) {
             WriteWord(r, slot::kOfferSets + pair * slot::kOfferPairSize, ids[pair]);
             WriteWord(r, slot::kOfferSets + pair * slot::kOfferPairSize + 4, 0);
         }
         WriteWord(r, slot::kOfferSets + slot::kOfferMask, 0b1100);
     },
     "slot 3, offer set 0 at offset 32568: quest 1515870810 names no record"},
    {"OfferMarkWithoutQuest",
     [](std::span<std::uint8_t> r) {
         WriteWord(r, slot::kOfferSets + 31 * slot::kOfferPairSize, kNoId);
         WriteWord(r, slot::kOfferSets + slot::kOfferMask, 1u << 31);
     },
     "slot 3, offer set 0 at offset 32816: pair 31 is marked accepted without a quest"},
    {"OfferSpareWord", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kOfferSets + slot::kOfferSpare, 5); },
     "slot 3, offer set 0 at offset 32820: 5 in the spare word"},
    {"OfferCountdown", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kOfferSets + slot::kOfferCountdown, 0xFFFFFFFFu); },
     "slot 3, offer set 0 at offset 32824: refresh countdown 4294967295"},
    {"RankingName", [](std::span<std::uint8_t> r) { platform::WriteU16(r, slot::kRanking + 2, 0xD800); },
     "slot 3, ranking row 0 at offset 213166: name unit 55296 is no character"},
    {"RankingTerminator", [](std::span<std::uint8_t> r) { platform::WriteU16(r, slot::kRanking + 6, 0x41); },
     "slot 3, ranking row 0 at offset 213170: name terminator 65 is not 0"},
    {"RankingScore", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kRanking + 8, 0x80000000u); },
     "slot 3, ranking row 0 at offset 213172: score -2147483648 is below 0"},
    {"StoreOwner",
     [](std::span<std::uint8_t> r) {
         WriteWord(r, slot::kStore, support::shipped::kTimber);
         platform::WriteU16(r, slot::kStore + 4, 1);
         platform::WriteU16(r, slot::kStore + 6, 5000);
         platform::WriteU16(r, slot::kStoreCounters, 1);
     },
     "slot 3, store entry 0 at offset 111662: owner 5000 is not a room of the ship"},
    {"StoreStackCount",
     [](std::span<std::uint8_t> r) {
         // The stack lies in the storeroom.
         int owner = 0;
         while (owner + 1 < slot::kRoomRecordCount &&
                platform::ReadU32(r, slot::kRooms + static_cast<std::size_t>(owner) * slot::kRoomRecordSize) !=
                    support::shipped::kStoreroom) {
             ++owner;
         }
         WriteWord(r, slot::kStore, support::shipped::kTimber);
         platform::WriteU16(r, slot::kStore + 4, 60000);
         platform::WriteU16(r, slot::kStore + 6, static_cast<std::uint16_t>(owner));
         platform::WriteU16(r, slot::kStoreCounters, 1);
     },
     "slot 3, store entry 0 at offset 111660: count 60000 of I002 is past its stack limit"},
    {"TravelFlags", [](std::span<std::uint8_t> r) { WriteWord(r, slot::kTravelFlags, 6); },
     "slot 3, travel flags at offset 224428: 6 holds bits past the keep-events bit"},
    {"FieldItemCount",
     [](std::span<std::uint8_t> r) {
         WriteWord(r, slot::kFieldItems, support::shipped::kTimber);
         r[slot::kFieldItems + 8] = 0;
         r[slot::kFieldItems + 10] = 1;
     },
     "slot 3, item record 0 at offset 199728: count 0 holds no stack; the record is dropped"},
    {"DropItemCount",
     [](std::span<std::uint8_t> r) {
         WriteWord(r, slot::kDropItemRecords, support::shipped::kTimber);
         WriteWord(r, slot::kDropItemRecords + 8, 60000);
     },
     "slot 3, drop-item record 0 at offset 91456: count 60000 of I002 is past the stack limit"},
    {"FoodStoreDish",
     [](std::span<std::uint8_t> r) {
         // The kitchen's store, the first entry past the item stacks.
         const std::size_t entry = slot::kStore + platform::ReadU16(r, slot::kStoreCounters) * slot::kStoreEntrySize;
         WriteWord(r, entry, MakeTag("ZZZZ"));
     },
     "slot 3, store entry 0 at offset 111656: names ZZZZ, which is no dish; it is passed over"},
};

void PrintTo(const SlotMutation& mutation, std::ostream* out) { *out << mutation.name; }

class SlotMutationTest : public SaveMachineTest, public ::testing::WithParamInterface<SlotMutation> {};

// A slot the game wrote, damaged in one field a checksum cannot see: the load names the field, and
// the world it makes saves a slot that keeps its invariants.
TEST_P(SlotMutationTest, LoadsWithALineNamingTheFieldAndSavesSound)
{
    ASSERT_NE(AddCrewMember(), nullptr);
    // A task in the first task record, a storeroom for stacks, a kitchen with a food store.
    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeMealOnGridRequest()), nullptr);
    ASSERT_NE(PeekGameWorld()->ship->PlaceRoom(0, 2, FindRoomIdIndex(support::shipped::kStoreroom)), nullptr);
    ASSERT_NE(PeekGameWorld()->ship->PlaceRoom(2, 1, FindRoomIdIndex(support::shipped::kKitchen)), nullptr);
    GAME_CSaveManager* saves = GetSaveManager();
    ASSERT_TRUE(saves->RequestSaveSlot(3));
    ASSERT_TRUE(StepUntilSaveIdle());
    const std::string bytes = support::ReadBytes(SavePath());
    std::vector<std::uint8_t> image(bytes.begin(), bytes.end());
    ASSERT_EQ(image.size(), kImageSize);
    const std::span<std::uint8_t> third = std::span(image).subspan(SlotOffset(3), kSlotSize);
    ASSERT_EQ(SlotInvariantBreaks(third), std::vector<std::string>{});
    GetParam().damage(third);
    support::LogCapture log;
    ASSERT_NO_FATAL_FAILURE(WriteAndLoad(image));
    EXPECT_TRUE(log.Contains(GetParam().line)) << ::testing::PrintToString(log.Lines());
    StepFrames(10);

    ASSERT_TRUE(saves->RequestSaveCurrentSlot());
    ASSERT_TRUE(StepUntilSaveIdle());
    EXPECT_EQ(SlotInvariantBreaks(SlotOfFile(SavePath(), 3)), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(EachField, SlotMutationTest, ::testing::ValuesIn(kSlotMutations),
                         [](const ::testing::TestParamInfo<SlotMutation>& info) { return std::string(info.param.name); });

}  // namespace
