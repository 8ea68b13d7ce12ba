// The twenty achievements: their counters and checks, unlocking, and the popup queue.
#include "game/services/achievement/achievements.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "framework/graphics/sprite_registry.h"
#include "framework/text/format_text.h"
#include "game/services/achievement/achievement_links.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_database.h"
#include "game/services/save/save_image.h"
#include "game/services/save/working_slot.h"
#include "game/services/save/save_manager.h"
#include "game/services/text/message_text.h"
#include "game/services/ui_port/ui_port.h"
#include "platform/little_endian.h"

using namespace save_layout;

namespace {

GAME_CAchievementManager* g_manager = nullptr;

// The message log shows achievement lines in their own colour.
constexpr std::int32_t kAchievementLineKind = 4;
constexpr int kIconGroup = 2;
constexpr int kRowRooms = 4;
constexpr int kRowRumors = 7;
constexpr int kRowEngines = 8;
constexpr int kRowLocations = 12;
constexpr int kRowItems = 17;
constexpr int kRowSet18 = 18;
constexpr int kRowSet0 = 0;
constexpr std::uint32_t kSet0Bits = 16;
constexpr std::uint32_t kSet12Bits = 17;
constexpr std::uint32_t kSet18Bits = 5;

std::array<AchievementGameRow, kAchievementCount> MakeGameRows()
{
    std::array<AchievementGameRow, kAchievementCount> rows{};
    for (int i = 0; i < kAchievementCount; ++i) {
        std::string number = i + 1 < 10 ? "0" : "";
        number += std::to_string(i + 1);
        std::string icon = "achievement_";
        icon += number;
        std::string key = "ACHIEVE_";
        key += number;
        InitFixedString64(rows[i].icon, icon.c_str());
        InitFixedString64(rows[i].lockedIcon, "achievement_icon_lock");
        InitFixedString64(rows[i].messageKey, key.c_str());
    }
    return rows;
}

const std::array<AchievementGameRow, kAchievementCount> kGameRows = MakeGameRows();

const std::array<std::string, kAchievementCount> kApiNames = [] {
    std::array<std::string, kAchievementCount> names{};
    for (int i = 0; i < kAchievementCount; ++i) {
        names[i] = "KLO_ACHIEVEMENT_1_";
        names[i] += std::to_string(i);
    }
    return names;
}();

std::array<vesk::achievement::StorefrontAchievementRow, kAchievementCount> g_storefrontRows = [] {
    std::array<vesk::achievement::StorefrontAchievementRow, kAchievementCount> rows{};
    for (int i = 0; i < kAchievementCount; ++i) {
        rows[i].index = static_cast<std::uint32_t>(i);
        rows[i].apiName = kApiNames[i].c_str();
    }
    return rows;
}();

std::span<std::uint8_t> System() { return GetWorkingSystemRecord(); }

std::uint32_t Counter(int row) { return platform::ReadU32(System(), system::kAchievementCounters + 4 * row); }

void SetCounter(int row, std::uint32_t value)
{
    platform::WriteU32(System(), system::kAchievementCounters + 4 * row, value);
}

// Counters refreshed from the game only ever grow.
void RaiseCounter(int row, std::uint32_t value) { SetCounter(row, std::max(Counter(row), value)); }

int PopCount(std::uint32_t word, std::uint32_t bits)
{
    return std::popcount(bits >= 32 ? word : (word & ((1u << bits) - 1u)));
}

bool ThresholdReached(int row)
{
    const GAME_CAchievementManager* manager = GetAchievementManager();
    return manager->thresholds[static_cast<std::size_t>(row)] <= Counter(row);
}

std::uint32_t CountBoughtRumorsOffered()
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr) return 0;
    std::uint32_t count = 0;
    for (const auto& [id, hideout] : database->Hideouts()) {
        for (std::uint32_t rumor : hideout.rumors) {
            std::int32_t position = -1;
            if (database->FindRumorDataIndexed(rumor, &position) == nullptr || position < 0) continue;
            count += working_slot::RumorBought(static_cast<std::size_t>(position)) ? 1 : 0;
        }
    }
    return count;
}

std::uint32_t CountKnownLocations()
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    const std::uint32_t set = platform::ReadU32(System(), system::kAchievementSet12);
    std::uint32_t count = 0;
    for (std::uint32_t index = 0; index < kSet12Bits; ++index) {
        const bool known = database != nullptr && database->GetHideoutDataAt(static_cast<std::int32_t>(index), nullptr);
        if (known && (set >> index & 1u) != 0) ++count;
    }
    return count;
}

std::uint32_t CountDiscoveredItems()
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    const std::size_t items = database ? std::min(database->Items().size(), working_slot::kDiscoveredItemBits) : 0;
    std::uint32_t count = 0;
    for (std::size_t position = 0; position < items; ++position) count += working_slot::ItemDiscovered(position) ? 1 : 0;
    return count;
}

void TellStorefront(std::uint32_t index)
{
    vesk::achievement::StorefrontAchievementRow& row = g_storefrontRows[index];
    row.achieved = 1;
    row.reserved = 0;
    if (vesk::achievement::SYSSTEAM_CAchievement* system = vesk::achievement::GetAchievementSystem()) {
        system->SetAchievement(row.apiName);
        system->storeOwed = true;
    }
}

std::int32_t RowOfTag(std::uint32_t tag) { return FindAchievementIndex(tag); }

}  // namespace

bool IsAchievementUnlocked(std::uint32_t index)
{
    const std::span<std::uint8_t> record = System();
    if (index >= 32 || record.size() < system::kAchievementBits + 4) return false;
    return (platform::ReadU32(record, system::kAchievementBits) >> index & 1u) != 0;
}

GAME_CAchievementManager* ConstructAchievementManager()
{
    auto* manager = new GAME_CAchievementManager;
    manager->thresholds.fill(1);
    return manager;
}

GAME_CAchievementManager* GetAchievementManager()
{
    if (g_manager == nullptr) g_manager = ConstructAchievementManager();
    return g_manager;
}

GAME_CAchievementManager* PeekAchievementManager() { return g_manager; }

void DestroyAchievementManager()
{
    if (g_manager == nullptr) return;
    g_manager->popupQueue.clear();
    vesk::achievement::DestroyAchievementSystem();
    delete g_manager;
    g_manager = nullptr;
}

const AchievementGameRow& GetAchievementGameRow(int index)
{
    return kGameRows[static_cast<std::size_t>(std::clamp(index, 0, kAchievementCount - 1))];
}

vesk::achievement::StorefrontAchievementRow* GetStorefrontAchievementRows() { return g_storefrontRows.data(); }

void ResetStorefrontAchievementRows()
{
    for (vesk::achievement::StorefrontAchievementRow& row : g_storefrontRows) {
        row.achieved = 0;
        row.reserved = 0;
    }
}

bool AddAchievementCount(std::uint32_t tag, std::uint32_t amount)
{
    const std::int32_t row = RowOfTag(tag);
    if (row < 0 || row >= kAchievementCount) return false;
    SetCounter(row, Counter(row) + amount);
    return true;
}

bool SetAchievementFlag(std::uint32_t tag, std::uint32_t bit, bool on)
{
    const std::int32_t row = RowOfTag(tag);
    if (row < 0 || row >= kAchievementCount) return false;
    std::size_t offset = 0;
    std::uint32_t bits = 0;
    switch (row) {
    case kRowSet0: offset = system::kAchievementSet0; bits = kSet0Bits; break;
    case kRowLocations: offset = system::kAchievementSet12; bits = kSet12Bits; break;
    case kRowSet18: offset = system::kAchievementSet18; bits = kSet18Bits; break;
    default: return true;
    }
    if (bit >= bits) return false;
    const std::uint32_t word = platform::ReadU32(System(), offset);
    platform::WriteU32(System(), offset, on ? (word | 1u << bit) : (word & ~(1u << bit)));
    return true;
}

bool CheckAchievement(int row)
{
    switch (row) {
    case kRowSet0:
        RaiseCounter(row, static_cast<std::uint32_t>(PopCount(platform::ReadU32(System(), system::kAchievementSet0), kSet0Bits)));
        break;
    case kRowRooms:
        return EveryCellHoldsAFinishedRoom();
    case kRowRumors:
        RaiseCounter(row, CountBoughtRumorsOffered());
        break;
    case kRowEngines:
        RaiseCounter(row, CountFinishedEngineRooms());
        break;
    case kRowLocations:
        RaiseCounter(row, CountKnownLocations());
        break;
    case kRowItems:
        RaiseCounter(row, CountDiscoveredItems());
        break;
    case kRowSet18:
        RaiseCounter(row, static_cast<std::uint32_t>(PopCount(platform::ReadU32(System(), system::kAchievementSet18), kSet18Bits)));
        break;
    default:
        break;
    }
    return ThresholdReached(row);
}

void UpdateAchievements(GAME_CAchievementManager& manager)
{
    if (++manager.frameCounter >= manager.checkInterval) {
        manager.frameCounter = 0;
        for (std::uint32_t check = 0; check < manager.checksPerRound; ++check) {
            const std::uint32_t index = manager.checkIndex % kAchievementCount;
            if (g_storefrontRows[index].achieved == 0 && (IsAchievementUnlocked(index) || CheckAchievement(static_cast<int>(index)))) {
                UnlockAchievement(index);
            }
            manager.checkIndex = (index + 1) % kAchievementCount;
        }
    }
    if (vesk::achievement::SYSSTEAM_CAchievement* system = vesk::achievement::GetAchievementSystem()) {
        system->AdvanceRequestState();
    }
}

void UnlockAchievement(std::uint32_t index)
{
    if (index >= static_cast<std::uint32_t>(kAchievementCount) || g_storefrontRows[index].achieved != 0) return;
    if (IsAchievementUnlocked(index)) {
        TellStorefront(index);
        return;
    }
    GAME_CAchievementManager* manager = GetAchievementManager();
    if (std::find(manager->popupQueue.begin(), manager->popupQueue.end(), index) != manager->popupQueue.end()) return;
    const std::uint32_t bits = platform::ReadU32(System(), system::kAchievementBits);
    platform::WriteU32(System(), system::kAchievementBits, bits | 1u << index);
    manager->popupQueue.push_back(index);
    TellStorefront(index);
    // Written at once when the machine is idle, else as soon as it is.
    GetSaveManager()->RequestSaveSystem();
    if (GAME_CUIPort* ui = ActiveUIPort()) {
        const std::u16string line = vesk::text::FormatText(GetMessageTextOrKey("OLIF_ACHIEVEMENT"),
                                                           {GetMessageTextOrKey(kGameRows[index].messageKey.data())});
        ui->AddLogLine(line, kAchievementLineKind);
    }
}

void SyncAchievementsFromSave()
{
    for (std::uint32_t index = 0; index < static_cast<std::uint32_t>(kAchievementCount); ++index) {
        if (IsAchievementUnlocked(index)) TellStorefront(index);
    }
}

std::uint32_t PopAchievementNotice(GAME_CAchievementManager& manager)
{
    if (manager.popupQueue.empty()) return kNoAchievementNotice;
    const std::uint32_t index = manager.popupQueue.front();
    manager.popupQueue.erase(manager.popupQueue.begin());
    return index;
}

const void* FindAchievementIcon(int index)
{
    if (index < 0 || index >= kAchievementCount) return nullptr;
    const int sprite = vesk::resource::FindSpriteIndex(kIconGroup, kGameRows[index].icon.data());
    return vesk::resource::GetSpriteAt(kIconGroup, sprite);
}

void InitFixedString64(std::array<char, 64>& buffer, const char* text)
{
    buffer.fill('\0');
    if (text == nullptr) return;
    const std::size_t length = std::min<std::size_t>(std::strlen(text), buffer.size() - 1);
    std::memcpy(buffer.data(), text, length);
}
