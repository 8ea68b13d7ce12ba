// Whole save images, seeded with images the game wrote, mutated field by field at the offsets of the
// slots and the system record. Each image is read by the load (its header made to match, so that
// the fields are reached), applied to the running game, and the slot's world is stepped a few frames.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "framework/file/resource_file.h"
#include "framework/log/log.h"
#include "framework/math/random.h"
#include "game/model/script/script_package.h"
#include "game/model/session/play_session.h"
#include "game/model/world/game_world.h"
#include "game/services/achievement/achievements.h"
#include "game/services/data/setting_script.h"
#include "game/services/data/static_database.h"
#include "game/services/input/input_map.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "platform/little_endian.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

using namespace save_layout;

constexpr int kFramesStepped = 8;

// A field the mutator aims at: count records of stride bytes from offset, each with a field of
// width bytes; in the system record when system is set, else in a slot.
struct Field {
    std::size_t offset;
    std::size_t width;
    std::size_t stride;
    std::size_t count;
    bool system = false;
};

constexpr Field kFields[] = {
    {slot::kPlaySeconds, 4, 4, 2},
    {slot::kDateTime, 4, 4, slot::kDateTimeSize / 4},
    {slot::kRooms, 4, slot::kRoomRecordSize, slot::kRoomRecordCount},
    {slot::kRooms + 4, 2, slot::kRoomRecordSize, slot::kRoomRecordCount},
    {slot::kRooms + 6, 2, slot::kRoomRecordSize, slot::kRoomRecordCount},
    {slot::kRooms + 8, 4, slot::kRoomRecordSize, slot::kRoomRecordCount},
    {slot::kRooms + 12, 4, slot::kRoomRecordSize, slot::kRoomRecordCount},
    {slot::kCrew, 1, 1, slot::kCrewRecordCount * slot::kCrewRecordSize},
    {slot::kCrew, 4, 4, slot::kCrewRecordCount * slot::kCrewRecordSize / 4},
    {slot::kShipTag, 4, 4, 1},
    {slot::kFuel, 2, 2, 2},
    {slot::kDamageMarkers, 2, slot::kDamageMarkerSize, slot::kDamageMarkerCount},
    {slot::kDamageMarkers + 2, 1, slot::kDamageMarkerSize, slot::kDamageMarkerCount},
    {slot::kDamageMarkers + 3, 1, slot::kDamageMarkerSize, slot::kDamageMarkerCount},
    {slot::kWorldTables, 4, 4, slot::kWorldTablesSize / 4},
    {slot::kByteTable, 1, 1, slot::kByteTableSize},
    {slot::kTravel, 4, 4, slot::kTravelSize / 4},
    {slot::kTravel, 2, 2, slot::kTravelSize / 2},
    {slot::kClock, 4, 4, slot::kClockSize / 4},
    {slot::kStore, 4, slot::kStoreEntrySize, slot::kStoreEntryCount},
    {slot::kStore + 4, 2, slot::kStoreEntrySize, slot::kStoreEntryCount},
    {slot::kStore + 6, 2, slot::kStoreEntrySize, slot::kStoreEntryCount},
    {slot::kStoreCounters, 2, 2, 2},
    {slot::kTasks, 4, 4, slot::kTasksSize / 4},
    {slot::kTasks, 1, 1, slot::kTasksSize},
    {slot::kFieldItems, 4, slot::kFieldItemSize, slot::kFieldItemCount},
    {slot::kFieldItems + 4, 2, 2, slot::kFieldItemCount * slot::kFieldItemSize / 2},
    {slot::kFieldItems + 8, 1, 1, slot::kFieldItemCount * slot::kFieldItemSize},
    {slot::kEngineModes, 1, 16, slot::kEngineModesSize / 16},
    {slot::kLiveTable, 4, 4, slot::kLiveTableSize / 4},
    {slot::kEventBits, 4, 4, slot::kEventBitsSize / 4},
    {slot::kBackground, 4, 4, 8},
    {slot::kRanking, 4, 4, 30},
    {slot::kLiveArea, 4, 4, 16},
    {slot::kBackgroundSaveList, 4, 4, slot::kBackgroundSaveListSize / 4},
    {slot::kTravelFlags, 4, 4, 1},
    {0, 2, 2, 32, true},
    {0, 4, 4, 16, true},
    {system::kAchievementBits, 4, 4, 66, true},
    {system::kPadBindings, 4, 4, 28, true},
    {system::kKeyBindings, 4, 4, 28, true},
};

constexpr std::uint32_t kEdgeValues[] = {0,      1,      2,          3,          0x7F,       0x80,      0xFF,
                                         0x100,  0x7FFF, 0x8000,     0xFFFF,     0x10000,    0x7FFFFFFF, 0x80000000,
                                         0xFFFFFFFE, 0xFFFFFFFF};

// The game as the start-up leaves it: the data set's database, scripts and world.
void PrepareGame()
{
    static const bool ready = [] {
        vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
        vesk::math::SeedRandom(1);
        vesk::math::MarkRandomClockSeeded();
        vesk::file::SetResourceFolder(VARNOLIS_BUILT_RESOURCE_DIR);
        CreatePlayerData();
        ResetSaveAreas();
        GetSaveManager();
        if (GAME_CStaticDatabase* database = GetStaticDatabase()) {
            RunStaticDatabaseScript(*database);
            database->LoadActorNameLists();
        }
        GetInputMap();
        for (int kind = 0; kind < kScriptPackageKindCount; ++kind) LoadScriptPackage(kind);
        GetAchievementManager();
        GetGameWorld();
        return true;
    }();
    (void)ready;
}

// A new game's image, for inputs that are not whole images yet.
const std::vector<std::uint8_t>& NewGameImage()
{
    static const std::vector<std::uint8_t> image = [] {
        InitAllSaveData();
        SaveAreas& areas = GetSaveAreas();
        std::memcpy(areas.ImageSystemRecord().data(), areas.workingSystem.data(), kSystemRecordSize);
        WriteSaveHeader(areas.image);
        return areas.image;
    }();
    return image;
}

void MutateField(std::span<std::uint8_t> image, std::minstd_rand& random)
{
    const Field& field = kFields[random() % std::size(kFields)];
    // Mostly the slot that is loaded, so that the mutation is applied and stepped.
    std::uint32_t slot = platform::ReadU32(image, kCurrentSlotOffset);
    if (slot >= static_cast<std::uint32_t>(kSlotCount) || random() % 4 == 0) slot = random() % kSlotCount;
    const std::size_t base = field.system ? kSystemRecordOffset : SlotOffset(static_cast<int>(slot));
    const std::size_t at = base + field.offset + field.stride * (random() % field.count);
    std::uint32_t value = 0;
    switch (random() % 3) {
    case 0: value = kEdgeValues[random() % std::size(kEdgeValues)]; break;
    case 1: value = static_cast<std::uint32_t>(random()); break;
    default: {
        // A small step from what is there.
        std::uint32_t old = 0;
        for (std::size_t i = 0; i < field.width; ++i) old |= static_cast<std::uint32_t>(image[at + i]) << (8 * i);
        value = old + static_cast<std::uint32_t>(static_cast<std::int32_t>(random() % 9) - 4);
        break;
    }
    }
    for (std::size_t i = 0; i < field.width; ++i) image[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

// Whole images are larger than the 1 MiB libFuzzer caps inputs at unless told otherwise, which
// would cut every seed short of the slots it is about: the limit becomes one whole image.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static std::vector<char*> arguments;
    static std::string maxLength = "-max_len=" + std::to_string(kImageSize);
    arguments.assign(*argv, *argv + *argc);
    arguments.insert(arguments.begin() + 1, maxLength.data());
    arguments.push_back(nullptr);
    *argc = static_cast<int>(arguments.size()) - 1;
    *argv = arguments.data();
    return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed)
{
    if (maxSize < kImageSize) return LLVMFuzzerMutate(data, size, maxSize);
    PrepareGame();
    if (size != kImageSize) {
        std::memcpy(data, NewGameImage().data(), kImageSize);
        size = kImageSize;
    }
    std::minstd_rand random(seed);
    const std::span<std::uint8_t> image(data, size);
    const int mutations = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < mutations; ++i) MutateField(image, random);
    if (random() % 8 == 0) {
        // Now and then the byte-level mutator works on one field area.
        const Field& field = kFields[random() % std::size(kFields)];
        const std::size_t start = (field.system ? kSystemRecordOffset : SlotOffset(0)) + field.offset;
        const std::size_t length = std::min<std::size_t>(field.stride * field.count, 256);
        std::vector<std::uint8_t> window(data + start, data + start + length);
        LLVMFuzzerMutate(window.data(), length, length);
        std::memcpy(data + start, window.data(), length);
    }
    return size;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PrepareGame();
    if (size != kImageSize) {
        // Anything but a whole image stops at the size check.
        if (TakeLoadedImage(std::span(data, size)) == GAME_CSaveManager::kOk) __builtin_trap();
        return 0;
    }
    std::vector<std::uint8_t> image(data, data + size);
    WriteSaveHeader(image);
    if (TakeLoadedImage(image) != GAME_CSaveManager::kOk) return 0;
    SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    GAME_CGameWorld* world = GetGameWorld();
    for (int frame = 0; frame < kFramesStepped; ++frame) world->Step();
    return 0;
}
