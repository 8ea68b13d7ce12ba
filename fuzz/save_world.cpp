// Whole save images, seeded with images the game wrote, mutated field by field at the offsets of the
// slots and the system record. Each image is read by the load (its header made to match, so that
// the fields are reached), applied to the running game, and the slot's world is stepped a few frames.
//
// An input is either a whole image, read as it is, or a list of edits to one of the whole images the
// game wrote (the seeds in fuzz/corpus/save_world/, and a new game's image). The mutator writes edit
// lists: libFuzzer keeps every input it finds in memory and hashes it, which a corpus of 3 MiB images
// would not survive for a million runs, while an edit list is a few hundred bytes and names the same
// image.
#include <malloc.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
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
// An edit: the offset in the image (4 bytes), the width code (1 byte: 1, 2 or 4 bytes), the value (4 bytes).
constexpr std::size_t kEditSize = 9;
constexpr std::size_t kMaxEdits = 256;
constexpr std::size_t kWidths[] = {1, 2, 4};

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

// A new game's image, and the images the game wrote that seed the corpus, in the order of their names:
// the first byte of an edit list picks one, so that a list found in one run means the same image in the next.
const std::vector<std::vector<std::uint8_t>>& BaseImages()
{
    static const std::vector<std::vector<std::uint8_t>> images = [] {
        std::vector<std::vector<std::uint8_t>> made;
        InitAllSaveData();
        SaveAreas& areas = GetSaveAreas();
        std::memcpy(areas.ImageSystemRecord().data(), areas.workingSystem.data(), kSystemRecordSize);
        WriteSaveHeader(areas.image);
        made.push_back(areas.image);
        std::vector<std::filesystem::path> seeds;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(VARNOLIS_SOURCE_DIR "/fuzz/corpus/save_world", error)) {
            if (entry.is_regular_file() && entry.file_size() == kImageSize) seeds.push_back(entry.path());
        }
        std::sort(seeds.begin(), seeds.end());
        for (const auto& seed : seeds) {
            std::ifstream file(seed, std::ios::binary);
            std::vector<std::uint8_t> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            if (image.size() != kImageSize) continue;
            WriteSaveHeader(image);
            made.push_back(std::move(image));
        }
        return made;
    }();
    return images;
}

// The checksum's share of the words that hold [start, start + length): taken before and after an edit, it
// moves the header's checksum by the difference, so that an edited image needs no pass over all of it.
std::uint32_t ChecksumShare(std::span<const std::uint8_t> image, std::size_t start, std::size_t length)
{
    std::uint32_t sum = 0;
    const std::size_t first = std::max(kSlotsOffset, start & ~std::size_t{3});
    const std::size_t end = std::min(kChecksumEnd, start + length);
    for (std::size_t offset = first; offset < end; offset += 4) sum += platform::ReadU32(image, offset);
    return sum;
}

struct Edit {
    std::size_t offset;
    std::size_t width;
    std::uint32_t value;
};

// The edit as the image takes it: inside the image and past the header, which the load needs whole.
Edit ReadEdit(const std::uint8_t* bytes)
{
    Edit edit{platform::ReadU32(bytes), kWidths[bytes[4] % std::size(kWidths)], platform::ReadU32(bytes + 5)};
    if (edit.offset < kHeaderSize || edit.offset + edit.width > kImageSize) {
        edit.offset = kHeaderSize + edit.offset % (kImageSize - kHeaderSize - edit.width + 1);
    }
    return edit;
}

void WriteEdit(std::uint8_t* bytes, const Edit& edit)
{
    platform::WriteU32(bytes, static_cast<std::uint32_t>(edit.offset));
    bytes[4] = static_cast<std::uint8_t>(edit.width == 4 ? 2 : edit.width - 1);
    platform::WriteU32(bytes + 5, edit.value);
}

// Writes the edits of a list into a copy of its image and makes the checksum follow.
void ApplyEdits(std::span<const std::uint8_t> list, std::vector<std::uint8_t>& image)
{
    const auto& bases = BaseImages();
    image = bases[list.empty() ? 0 : list[0] % bases.size()];
    std::uint32_t checksum = platform::ReadU32(image, kChecksumOffset);
    for (std::size_t at = 1; at + kEditSize <= list.size(); at += kEditSize) {
        const Edit edit = ReadEdit(list.data() + at);
        checksum -= ChecksumShare(image, edit.offset, edit.width);
        for (std::size_t i = 0; i < edit.width; ++i) image[edit.offset + i] = static_cast<std::uint8_t>(edit.value >> (8 * i));
        checksum += ChecksumShare(image, edit.offset, edit.width);
    }
    platform::WriteU32(image, kChecksumOffset, checksum);
}

// An edit of one field, mostly in the slot the image loads, so that the edit is applied and stepped.
Edit FieldEdit(std::span<const std::uint8_t> image, std::minstd_rand& random)
{
    const Field& field = kFields[random() % std::size(kFields)];
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
    return {at, field.width, value};
}

// Now and then the byte-level mutator works on one field area of the slot the image loads; the bytes it
// changed become edits of one byte.
void ByteEdits(std::span<const std::uint8_t> image, std::minstd_rand& random, std::vector<Edit>& edits)
{
    const Field& field = kFields[random() % std::size(kFields)];
    std::uint32_t slot = platform::ReadU32(image, kCurrentSlotOffset);
    if (slot >= static_cast<std::uint32_t>(kSlotCount)) slot = 0;
    const std::size_t start = (field.system ? kSystemRecordOffset : SlotOffset(static_cast<int>(slot))) + field.offset;
    const std::size_t length = std::min<std::size_t>(field.stride * field.count, 256);
    std::vector<std::uint8_t> window(image.begin() + start, image.begin() + start + length);
    LLVMFuzzerMutate(window.data(), length, length);
    for (std::size_t i = 0; i < length; ++i) {
        if (window[i] != image[start + i]) edits.push_back({start + i, 1, window[i]});
    }
}

}  // namespace

// Whole images are larger than the 1 MiB libFuzzer caps inputs at unless told otherwise, which
// would cut every seed short of the slots it is about: the limit becomes one whole image.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Each run copies whole images: kept in the heap, not mapped and unmapped run after run, they
    // cost no page faults.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
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
    PrepareGame();
    BaseImages();
    std::minstd_rand random(seed);
    const std::size_t maxList = std::min(maxSize, 1 + kMaxEdits * kEditSize);
    if (size == kImageSize || size == 0 || maxList < 1 + kEditSize) {
        // A whole image starts a list of its own on one of the images the game wrote.
        data[0] = static_cast<std::uint8_t>(random());
        size = 1;
    }
    size = 1 + (std::min(size, maxList) - 1) / kEditSize * kEditSize;
    static std::vector<std::uint8_t> image;
    ApplyEdits(std::span(data, size), image);

    std::vector<Edit> edits;
    if (random() % 8 == 0) {
        ByteEdits(image, random, edits);
    } else {
        const int count = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < count; ++i) edits.push_back(FieldEdit(image, random));
    }
    if (size > 1 && random() % 8 == 0) {
        // Lists also shrink: one edit leaves.
        const std::size_t gone = 1 + kEditSize * (random() % ((size - 1) / kEditSize));
        std::memmove(data + gone, data + gone + kEditSize, size - gone - kEditSize);
        size -= kEditSize;
    }
    for (const Edit& edit : edits) {
        if (size + kEditSize <= maxList) {
            WriteEdit(data + size, edit);
            size += kEditSize;
        } else if (size > 1) {
            // A full list changes one of its edits instead.
            WriteEdit(data + 1 + kEditSize * (random() % ((size - 1) / kEditSize)), edit);
        }
    }
    return size;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PrepareGame();
    BaseImages();
    static std::vector<std::uint8_t> image;
    if (size == kImageSize) {
        image.assign(data, data + size);
        WriteSaveHeader(image);
    } else {
        // Anything but a whole image stops at the size check, and is then read as an edit list.
        if (TakeLoadedImage(std::span(data, size)) == GAME_CSaveManager::kOk) __builtin_trap();
        ApplyEdits(std::span(data, size), image);
    }
    if (TakeLoadedImage(image) != GAME_CSaveManager::kOk) return 0;
    SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    GAME_CGameWorld* world = GetGameWorld();
    for (int frame = 0; frame < kFramesStepped; ++frame) world->Step();
    return 0;
}
