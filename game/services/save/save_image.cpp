// The save image in memory, its working copies, and the operations that build and check it.
#include "game/services/save/save_image.h"

#include <algorithm>
#include <cstring>

#include "framework/log/log.h"
#include "game/services/text/language.h"
#include "game/services/data/id_tags.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/services/input/input_map.h"
#include "game/services/save/quest_boards.h"
#include "platform/little_endian.h"

using namespace save_layout;

namespace {

SaveAreas* g_areas = nullptr;

void Fill(std::span<std::uint8_t> bytes, std::size_t offset, std::size_t size, std::uint8_t value)
{
    std::memset(bytes.data() + offset, value, size);
}

void InitialiseAreas(SaveAreas& areas)
{
    areas.image.assign(kImageSize, 0);
    areas.workingSlot.assign(kSlotSize, 0);
    areas.workingSystem.assign(kSystemRecordSize, 0);
    areas.preSaveSlot.assign(kSlotSize, 0);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        InitSlotRecord(areas.ImageSlot(slot));
    }
    InitSlotRecord(areas.workingSlot);
    InitSlotRecord(areas.preSaveSlot);
    InitSystemRecord(areas.ImageSystemRecord());
    InitSystemRecord(areas.workingSystem);
}

// The first ship of the database gives a new game its ship and fuel.
void InitShipHeader(std::span<std::uint8_t> slot)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    const ShipData* ship = database ? database->GetShipDataAt(0) : nullptr;
    if (ship == nullptr) {
        vesk::log::Warning("new game: the static database has no ship; the slot starts without one");
        return;
    }
    platform::WriteU32(slot, slot::kShipTag, ship->id);
    platform::WriteU16(slot, slot::kFuel, static_cast<std::uint16_t>(ship->baseFuelCapacity & 0xFFFF));
    platform::WriteU16(slot, slot::kFuelCountdown, 100);
}

void InitRouteSaveHeader(std::span<std::uint8_t> slot)
{
    platform::WriteU32(slot, slot::kRouteId, 0xFFFFFFFF);
    platform::WriteU32(slot, slot::kRouteReversed, 0);
    platform::WriteU32(slot, slot::kRouteDirection, 0);
    platform::WriteU32(slot, slot::kRoutePosition, 0);
}

void InitFieldItemArea(std::span<std::uint8_t> slot)
{
    Fill(slot, slot::kFieldItems, slot::kFieldItemsSize, 0);
    for (int i = 0; i < slot::kFieldItemCount; ++i) {
        platform::WriteU32(slot, slot::kFieldItems + i * slot::kFieldItemSize, 0xFFFFFFFF);
    }
}

}  // namespace

std::span<std::uint8_t> SaveAreas::ImageSlot(int slot)
{
    return std::span(image).subspan(SlotOffset(std::clamp(slot, 0, kSlotCount - 1)), kSlotSize);
}

std::span<std::uint8_t> SaveAreas::ImageSystemRecord()
{
    return std::span(image).subspan(kSystemRecordOffset, kSystemRecordSize);
}

std::uint32_t SaveAreas::ImageCurrentSlot() const { return platform::ReadU32(image.data() + kCurrentSlotOffset); }

void SaveAreas::SetImageCurrentSlot(std::uint32_t slot) { platform::WriteU32(image.data() + kCurrentSlotOffset, slot); }

SaveAreas& GetSaveAreas()
{
    if (g_areas == nullptr) {
        g_areas = new SaveAreas;
        InitialiseAreas(*g_areas);
    }
    return *g_areas;
}

void ResetSaveAreas() { InitialiseAreas(GetSaveAreas()); }

std::span<std::uint8_t> GetWorkingSlot() { return GetSaveAreas().workingSlot; }

std::span<std::uint8_t> GetWorkingSystemRecord() { return GetSaveAreas().workingSystem; }

void InitSystemRecord(std::span<std::uint8_t> record)
{
    Fill(record, 0, system::kSettingsSize, 0);
    platform::WriteU16(record, system::kBgmVolume, 75);
    platform::WriteU16(record, system::kSeVolume, 75);
    platform::WriteU16(record, system::kLanguage, static_cast<std::uint16_t>(GetPlatformLanguageIndex()));
    platform::WriteU16(record, system::kWindowSize, 100);
    platform::WriteU16(record, system::kWheelSensitivity, 50);
    platform::WriteU32(record, system::kOption28, 1);
    platform::WriteU16(record, system::kCameraSpeed, 50);
    platform::WriteU32(record, system::kPauseInactive, 1);
    platform::WriteU32(record, system::kMuteInactive, 1);
    platform::WriteU32(record, system::kOption48, 1);
    platform::WriteU16(record, system::kAutoSaveMinutes, 10);
}

void InitSystemRecordWithBindings(std::span<std::uint8_t> record)
{
    Fill(record, 0, record.size(), 0);
    InitSystemRecord(record);
    GAME_CInputMap::WriteDefaultPadBindings(record.subspan(system::kPadBindings, GAME_CInputMap::kBindingTableBytes));
    GAME_CInputMap::WriteDefaultKeyBindings(record.subspan(system::kKeyBindings, GAME_CInputMap::kBindingTableBytes));
}

void InitTaskSaveArea(std::span<std::uint8_t> slot)
{
    Fill(slot, slot::kTasks, slot::kTasksSize, 0);
    for (int i = 0; i < slot::kTaskRecordCount; ++i) {
        const std::size_t record = slot::kTasks + i * slot::kTaskRecordSize;
        Fill(slot, record, 28, 0xFF);       // task id, per-kind word, five material ids
        Fill(slot, record + 33, 5, 0xFF);   // no crew
        slot[record + 40] = 0xFF;           // kind: end of the used records
        slot[record + 41] = 0xFF;           // no room
    }
}

void InitStoreSaveArea(std::span<std::uint8_t> slot)
{
    for (int i = 0; i < slot::kStoreEntryCount; ++i) {
        const std::size_t entry = slot::kStore + i * slot::kStoreEntrySize;
        platform::WriteU32(slot, entry, 0xFFFFFFFF);
        platform::WriteU16(slot, entry + 4, 0);
        platform::WriteU16(slot, entry + 6, 0xFFFF);
    }
    platform::WriteU16(slot, slot::kStoreCounters, 0xFFFF);
    platform::WriteU16(slot, slot::kStoreCounters + 2, 0xFFFF);
}

void InitSlotRecord(std::span<std::uint8_t> slot)
{
    Fill(slot, slot::kDateTime, slot::kDateTimeSize, 0);
    Fill(slot, slot::kByteTable, slot::kByteTableSize, 0);
    InitStoreSaveArea(slot);
    InitTaskSaveArea(slot);
    InitFieldItemArea(slot);
    Fill(slot, slot::kEngineModes, slot::kRanking - slot::kEngineModes, 0);  // up to the ranking
    InitMiniGameRanking(slot.subspan(slot::kRanking, slot::kRankingSize));
    Fill(slot, slot::kLiveArea, slot::kLiveAreaSize, 0);
}

void InitNewGameSlot(std::span<std::uint8_t> slot, bool keepLive, const ShuffleDraw& draw)
{
    std::vector<std::uint8_t> keptTravel;
    if (keepLive) {
        keptTravel.assign(slot.begin() + slot::kTravel, slot.begin() + slot::kTravel + slot::kTravelSize);
    }
    Fill(slot, 0, slot.size(), 0);
    InitShipHeader(slot);
    platform::WriteU32(slot, slot::kStoryFlags, platform::ReadU32(slot, slot::kStoryFlags) | 1u);
    BuildNewGameOfferSets(slot, draw);
    InitRouteSaveHeader(slot);
    platform::WriteU32(slot, slot::kClockDay, 0);
    platform::WriteU32(slot, slot::kClockStep, 0);
    InitStoreSaveArea(slot);
    InitTaskSaveArea(slot);
    InitFieldItemArea(slot);
    InitMiniGameRanking(slot.subspan(slot::kRanking, slot::kRankingSize));
    if (keepLive) {
        std::memcpy(slot.data() + slot::kTravel + slot::kTravelKeptOffset,
                    keptTravel.data() + slot::kTravelKeptOffset, slot::kTravelKeptSize);
    }
}

void InitAllSaveData()
{
    SaveAreas& areas = GetSaveAreas();
    InitSystemRecordWithBindings(areas.workingSystem);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        InitNewGameSlot(areas.ImageSlot(slot), false);
    }
}

std::uint32_t ComputeSaveChecksum(std::span<const std::uint8_t> image)
{
    std::uint32_t sum = 0;
    if (image.size() < kChecksumEnd) {
        return 0;
    }
    for (std::size_t offset = kSlotsOffset; offset < kChecksumEnd; offset += 4) {
        sum += platform::ReadU32(image.data() + offset);
    }
    return sum;
}

void WriteSaveHeader(std::span<std::uint8_t> image)
{
    std::memcpy(image.data() + kMagicOffset, kMagic, sizeof(kMagic));
    platform::WriteU32(image, kFormatOffset, kFormat);
    platform::WriteU32(image, kSizeOffset, static_cast<std::uint32_t>(kImageSize));
    platform::WriteU32(image, kChecksumOffset, ComputeSaveChecksum(image));
}

bool CheckSaveImage(std::span<const std::uint8_t> image)
{
    return image.size() == kImageSize && std::memcmp(image.data() + kMagicOffset, kMagic, sizeof(kMagic)) == 0 &&
           platform::ReadU32(image, kSizeOffset) == kImageSize &&
           platform::ReadU32(image, kChecksumOffset) == ComputeSaveChecksum(image);
}

std::uint32_t GetSaveImageFormat(std::span<const std::uint8_t> image)
{
    return image.size() >= kHeaderSize ? platform::ReadU32(image, kFormatOffset) : 0xFFFFFFFF;
}

void InitMiniGameRanking(std::span<std::uint8_t> area)
{
    Fill(area, 0, area.size(), 0);
    for (int n = 0; n < ranking::kEntryCount; ++n) {
        const std::size_t entry = n * ranking::kEntrySize;
        for (std::size_t c = 0; c < ranking::kNameUnits; ++c) {
            platform::WriteU16(area, entry + 2 * c, static_cast<std::uint16_t>(0xFF21 + n));
        }
        platform::WriteU32(area, entry + ranking::kScore, static_cast<std::uint32_t>(10000 - 1000 * n));
    }
}

void SortMiniGameRanking(std::span<std::uint8_t> area)
{
    // Scores are signed: a negative score from a file ranks last, not first.
    auto score = [&](int n) {
        return static_cast<std::int32_t>(platform::ReadU32(area, n * ranking::kEntrySize + ranking::kScore));
    };
    for (int i = 0; i < ranking::kEntryCount; ++i) {
        for (int j = i + 1; j < ranking::kEntryCount; ++j) {
            if (score(i) < score(j)) {
                std::swap_ranges(area.begin() + i * ranking::kEntrySize, area.begin() + (i + 1) * ranking::kEntrySize,
                                 area.begin() + j * ranking::kEntrySize);
            }
        }
    }
}

int CountFlaggedQuestEntries(std::span<const std::uint8_t> slot)
{
    int count = 0;
    const int sets = CountUsedOfferSets();
    for (int set = 0; set < sets; ++set) {
        const QuestBoardRecord offers(slot, set);
        for (int pair = 0; pair < slot::kOfferPairCount && !offers.IsEmpty(pair); ++pair) {
            count += offers.IsAccepted(pair) ? 1 : 0;
        }
    }
    return count;
}

void MarkItemDiscovered(std::span<std::uint8_t> slot, std::uint32_t itemId)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    std::int32_t position = -1;
    if (GetPlayerData() == nullptr || database == nullptr ||
        database->FindItemDataIndexed(itemId, &position) == nullptr || position < 0) {
        return;
    }
    SetSlotBit(slot, slot::kFieldItemsLive, slot::kFieldItemsLiveSize * 8, static_cast<std::uint32_t>(position), true);
}

bool IsRoomKindUnlocked(std::span<const std::uint8_t> slot, std::int32_t kind)
{
    return kind >= 0 && GetSlotBit(slot, slot::kRoomUnlockFlags, kRoomIdCount, static_cast<std::uint32_t>(kind));
}

void SetRoomKindUnlocked(std::span<std::uint8_t> slot, std::int32_t kind, bool on)
{
    if (kind >= 0) SetSlotBit(slot, slot::kRoomUnlockFlags, kRoomIdCount, static_cast<std::uint32_t>(kind), on);
}

bool GetSlotBit(std::span<const std::uint8_t> slot, std::size_t offset, std::uint32_t bitCount, std::uint32_t bit)
{
    const std::size_t word = offset + 4 * (bit / 32);
    if (bit >= bitCount || slot.size() < word + 4) {
        return false;
    }
    return (platform::ReadU32(slot, word) >> (bit % 32) & 1u) != 0;
}

void SetSlotBit(std::span<std::uint8_t> slot, std::size_t offset, std::uint32_t bitCount, std::uint32_t bit, bool on)
{
    const std::size_t word = offset + 4 * (bit / 32);
    if (bit >= bitCount || slot.size() < word + 4) {
        return;
    }
    const std::uint32_t mask = 1u << (bit % 32);
    const std::uint32_t value = platform::ReadU32(slot, word);
    platform::WriteU32(slot, word, on ? (value | mask) : (value & ~mask));
}

bool GetSlotEventBit(std::span<const std::uint8_t> slot, std::uint32_t bit)
{
    return GetSlotBit(slot, slot::kEventBits, slot::kEventBitCount, bit);
}

void SetSlotEventBit(std::span<std::uint8_t> slot, std::uint32_t bit, bool on)
{
    SetSlotBit(slot, slot::kEventBits, slot::kEventBitCount, bit, on);
}

int CountUsedOfferSets()
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr) {
        return 0;
    }
    return static_cast<int>(std::min<std::size_t>(slot::kOfferSetCount, database->Hideouts().size()));
}
