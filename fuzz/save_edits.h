// Edit lists over whole save images, which the save fuzz targets that load into a game mutate and read.
//
// An input is either a whole image, read as it is, or a list of edits to one of the whole images the
// game wrote (the seeds in fuzz/corpus/save_world/, and whatever image a target puts first). The
// mutator writes edit lists: libFuzzer keeps every input it finds in memory and hashes it, which a
// corpus of 3 MiB images would not survive for a million runs, while an edit list is a few hundred
// bytes and names the same image.
#pragma once

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

#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "platform/little_endian.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace fuzz_support {

using Image = std::vector<std::uint8_t>;

// An edit: the offset in the image (4 bytes), the width code (1 byte: 1, 2 or 4 bytes), the value (4 bytes).
inline constexpr std::size_t kEditSize = 9;
inline constexpr std::size_t kMaxEdits = 256;
inline constexpr std::size_t kEditWidths[] = {1, 2, 4};

// A field the mutator aims at: count records of stride bytes from offset, each with a field of
// width bytes; in the system record when system is set, else in a slot.
struct SaveField {
    std::size_t offset;
    std::size_t width;
    std::size_t stride;
    std::size_t count;
    bool system = false;
};

namespace layout = save_layout;

inline constexpr SaveField kSaveFields[] = {
    {layout::slot::kPlaySeconds, 4, 4, 2},
    {layout::slot::kDateTime, 4, 4, layout::slot::kDateTimeSize / 4},
    {layout::slot::kRooms, 4, layout::slot::kRoomRecordSize, layout::slot::kRoomRecordCount},
    {layout::slot::kRooms + 4, 2, layout::slot::kRoomRecordSize, layout::slot::kRoomRecordCount},
    {layout::slot::kRooms + 6, 2, layout::slot::kRoomRecordSize, layout::slot::kRoomRecordCount},
    {layout::slot::kRooms + 8, 4, layout::slot::kRoomRecordSize, layout::slot::kRoomRecordCount},
    {layout::slot::kRooms + 12, 4, layout::slot::kRoomRecordSize, layout::slot::kRoomRecordCount},
    {layout::slot::kCrew, 1, 1, layout::slot::kCrewRecordCount * layout::slot::kCrewRecordSize},
    {layout::slot::kCrew, 2, 2, layout::slot::kCrewRecordCount * layout::slot::kCrewRecordSize / 2},
    {layout::slot::kCrew, 4, 4, layout::slot::kCrewRecordCount * layout::slot::kCrewRecordSize / 4},
    {layout::slot::kShipTag, 4, 4, 1},
    {layout::slot::kFuel, 2, 2, 2},
    {layout::slot::kDamageMarkers, 2, layout::slot::kDamageMarkerSize, layout::slot::kDamageMarkerCount},
    {layout::slot::kDamageMarkers + 2, 1, layout::slot::kDamageMarkerSize, layout::slot::kDamageMarkerCount},
    {layout::slot::kDamageMarkers + 3, 1, layout::slot::kDamageMarkerSize, layout::slot::kDamageMarkerCount},
    {layout::slot::kWorldTables, 4, 4, layout::slot::kWorldTablesSize / 4},
    {layout::slot::kOfferSets, 4, layout::slot::kOfferPairSize, layout::slot::kOfferSetCount * layout::slot::kOfferSetSize / 8},
    {layout::slot::kByteTable, 1, 1, layout::slot::kByteTableSize},
    {layout::slot::kTravel, 4, 4, layout::slot::kTravelSize / 4},
    {layout::slot::kTravel, 2, 2, layout::slot::kTravelSize / 2},
    {layout::slot::kClock, 4, 4, layout::slot::kClockSize / 4},
    {layout::slot::kStore, 4, layout::slot::kStoreEntrySize, layout::slot::kStoreEntryCount},
    {layout::slot::kStore + 4, 2, layout::slot::kStoreEntrySize, layout::slot::kStoreEntryCount},
    {layout::slot::kStore + 6, 2, layout::slot::kStoreEntrySize, layout::slot::kStoreEntryCount},
    {layout::slot::kStoreCounters, 2, 2, 2},
    {layout::slot::kTasks, 4, 4, layout::slot::kTasksSize / 4},
    {layout::slot::kTasks, 2, 2, layout::slot::kTasksSize / 2},
    {layout::slot::kTasks, 1, 1, layout::slot::kTasksSize},
    {layout::slot::kFieldItems, 4, layout::slot::kFieldItemSize, layout::slot::kFieldItemCount},
    {layout::slot::kFieldItems + 4, 2, 2, layout::slot::kFieldItemCount * layout::slot::kFieldItemSize / 2},
    {layout::slot::kFieldItems + 8, 1, 1, layout::slot::kFieldItemCount * layout::slot::kFieldItemSize},
    {layout::slot::kEngineModes, 1, 16, layout::slot::kEngineModesSize / 16},
    {layout::slot::kLiveTable, 4, 4, layout::slot::kLiveTableSize / 4},
    {layout::slot::kEventBits, 4, 4, layout::slot::kEventBitsSize / 4},
    {layout::slot::kBackground, 4, 4, 8},
    {layout::slot::kRanking, 4, 4, 30},
    {layout::slot::kRanking, 2, 2, 60},
    {layout::slot::kLiveArea, 4, 4, 16},
    {layout::slot::kBackgroundSaveList, 4, 4, layout::slot::kBackgroundSaveListSize / 4},
    {layout::slot::kTravelFlags, 4, 4, 1},
    {0, 2, 2, 32, true},
    {0, 4, 4, 16, true},
    {layout::system::kAchievementBits, 4, 4, 66, true},
    {layout::system::kPadBindings, 4, 4, 28, true},
    {layout::system::kKeyBindings, 4, 4, 28, true},
};

inline constexpr std::uint32_t kEdgeValues[] = {0,      1,      2,          3,          0x7F,       0x80,      0xFF,
                                                0x100,  0x7FFF, 0x8000,     0xFFFF,     0x10000,    0x7FFFFFFF, 0x80000000,
                                                0xFFFFFFFE, 0xFFFFFFFF};

// The images edit lists name: first (when not empty), then the images the game wrote that seed the
// save-world corpus, in the order of their names, each with its header made to match. The first
// byte of an edit list picks one, so that a list found in one run means the same image in the next.
inline std::vector<Image> ReadBaseImages(Image first)
{
    std::vector<Image> made;
    if (!first.empty()) made.push_back(std::move(first));
    std::vector<std::filesystem::path> seeds;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(VARNOLIS_SOURCE_DIR "/fuzz/corpus/save_world", error)) {
        if (entry.is_regular_file() && entry.file_size() == layout::kImageSize) seeds.push_back(entry.path());
    }
    std::sort(seeds.begin(), seeds.end());
    for (const auto& seed : seeds) {
        std::ifstream file(seed, std::ios::binary);
        Image image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (image.size() != layout::kImageSize) continue;
        WriteSaveHeader(image);
        made.push_back(std::move(image));
    }
    return made;
}

// The checksum's share of the words that hold [start, start + length): taken before and after an edit, it
// moves the header's checksum by the difference, so that an edited image needs no pass over all of it.
inline std::uint32_t ChecksumShare(std::span<const std::uint8_t> image, std::size_t start, std::size_t length)
{
    std::uint32_t sum = 0;
    const std::size_t first = std::max(layout::kSlotsOffset, start & ~std::size_t{3});
    const std::size_t end = std::min(layout::kChecksumEnd, start + length);
    for (std::size_t offset = first; offset < end; offset += 4) sum += platform::ReadU32(image, offset);
    return sum;
}

struct SaveEdit {
    std::size_t offset;
    std::size_t width;
    std::uint32_t value;
};

// The edit as the image takes it: inside the image and past the header, which the load needs whole.
inline SaveEdit ReadEdit(const std::uint8_t* bytes)
{
    SaveEdit edit{platform::ReadU32(bytes), kEditWidths[bytes[4] % std::size(kEditWidths)], platform::ReadU32(bytes + 5)};
    if (edit.offset < layout::kHeaderSize || edit.offset + edit.width > layout::kImageSize) {
        edit.offset = layout::kHeaderSize + edit.offset % (layout::kImageSize - layout::kHeaderSize - edit.width + 1);
    }
    return edit;
}

inline void WriteEdit(std::uint8_t* bytes, const SaveEdit& edit)
{
    platform::WriteU32(bytes, static_cast<std::uint32_t>(edit.offset));
    bytes[4] = static_cast<std::uint8_t>(edit.width == 4 ? 2 : edit.width - 1);
    platform::WriteU32(bytes + 5, edit.value);
}

// Writes the edits of a list into a copy of its image and makes the checksum follow.
inline void ApplyEdits(std::span<const std::uint8_t> list, const std::vector<Image>& bases, Image& image)
{
    image = bases[list.empty() ? 0 : list[0] % bases.size()];
    std::uint32_t checksum = platform::ReadU32(image, layout::kChecksumOffset);
    for (std::size_t at = 1; at + kEditSize <= list.size(); at += kEditSize) {
        const SaveEdit edit = ReadEdit(list.data() + at);
        checksum -= ChecksumShare(image, edit.offset, edit.width);
        for (std::size_t i = 0; i < edit.width; ++i) image[edit.offset + i] = static_cast<std::uint8_t>(edit.value >> (8 * i));
        checksum += ChecksumShare(image, edit.offset, edit.width);
    }
    platform::WriteU32(image, layout::kChecksumOffset, checksum);
}

// The image an input stands for: a whole image as it is (its header made to match), else the edit list
// applied. An edit list never passes the load by itself: it stops at the size check.
inline void ImageOfInput(const std::uint8_t* data, std::size_t size, const std::vector<Image>& bases, Image& image)
{
    if (size == layout::kImageSize) {
        image.assign(data, data + size);
        WriteSaveHeader(image);
    } else {
        ApplyEdits(std::span(data, size), bases, image);
    }
}

// An edit of one field, mostly in the slot the image loads, so that the edit is applied and stepped.
inline SaveEdit FieldEdit(std::span<const std::uint8_t> image, std::minstd_rand& random)
{
    const SaveField& field = kSaveFields[random() % std::size(kSaveFields)];
    std::uint32_t slot = platform::ReadU32(image, layout::kCurrentSlotOffset);
    if (slot >= static_cast<std::uint32_t>(layout::kSlotCount) || random() % 4 == 0) slot = random() % layout::kSlotCount;
    const std::size_t base = field.system ? layout::kSystemRecordOffset : layout::SlotOffset(static_cast<int>(slot));
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
inline void ByteEdits(std::span<const std::uint8_t> image, std::minstd_rand& random, std::vector<SaveEdit>& edits)
{
    const SaveField& field = kSaveFields[random() % std::size(kSaveFields)];
    std::uint32_t slot = platform::ReadU32(image, layout::kCurrentSlotOffset);
    if (slot >= static_cast<std::uint32_t>(layout::kSlotCount)) slot = 0;
    const std::size_t start =
        (field.system ? layout::kSystemRecordOffset : layout::SlotOffset(static_cast<int>(slot))) + field.offset;
    const std::size_t length = std::min<std::size_t>(field.stride * field.count, 256);
    std::vector<std::uint8_t> window(image.begin() + start, image.begin() + start + length);
    LLVMFuzzerMutate(window.data(), length, length);
    for (std::size_t i = 0; i < length; ++i) {
        if (window[i] != image[start + i]) edits.push_back({start + i, 1, window[i]});
    }
}

// The custom mutator's work: the list grows by edits of fields (now and then by the byte mutator's
// edits of a field area), shrinks now and then, and a whole image starts a list of its own.
inline std::size_t MutateEditList(std::uint8_t* data, std::size_t size, std::size_t maxSize, unsigned int seed,
                                  const std::vector<Image>& bases)
{
    std::minstd_rand random(seed);
    const std::size_t maxList = std::min(maxSize, 1 + kMaxEdits * kEditSize);
    if (size == layout::kImageSize || size == 0 || maxList < 1 + kEditSize) {
        data[0] = static_cast<std::uint8_t>(random());
        size = 1;
    }
    size = 1 + (std::min(size, maxList) - 1) / kEditSize * kEditSize;
    static Image image;
    ApplyEdits(std::span(data, size), bases, image);

    std::vector<SaveEdit> edits;
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
    for (const SaveEdit& edit : edits) {
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

// Whole images are larger than the 1 MiB libFuzzer caps inputs at unless told otherwise, which
// would cut every seed short of the slots it is about: the limit becomes one whole image.
inline void AllowWholeImages(int* argc, char*** argv)
{
    static std::vector<char*> arguments;
    static std::string maxLength = "-max_len=" + std::to_string(layout::kImageSize);
    arguments.assign(*argv, *argv + *argc);
    arguments.insert(arguments.begin() + 1, maxLength.data());
    arguments.push_back(nullptr);
    *argc = static_cast<int>(arguments.size()) - 1;
    *argv = arguments.data();
}

}  // namespace fuzz_support
