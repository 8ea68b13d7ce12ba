// Random bytes in one area of an otherwise valid save image, the checksum made to match.
// Every reader of the slot and the system record must take them without
// trusting them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/save_image_support.h"
#include "game/services/save/save_layout.h"
#include "platform/little_endian.h"

namespace {

using namespace save_layout;

struct Area {
    std::size_t offset;  // in the slot, or in the system record when system is set
    std::size_t size;
    bool system;
};

constexpr Area kAreas[] = {
    {slot::kPlaySeconds, 8, false},
    {slot::kShipTag, 8, false},
    {slot::kWorldTables, slot::kWorldTablesSize, false},
    {slot::kByteTable, slot::kByteTableSize, false},
    {slot::kTravel, 16, false},
    {slot::kClock, slot::kClockSize, false},
    {slot::kEventBits, slot::kEventBitsSize, false},
    {slot::kRanking, slot::kRankingSize, false},
    {slot::kLiveArea, slot::kLiveAreaSize, false},
    {0, system::kSettingsSize, true},
    {system::kAchievementBits, 264, true},
    {system::kPadBindings, 112, true},
    {system::kKeyBindings, 112, true},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    fuzz_support::PrepareGameModel();
    std::vector<std::uint8_t> image = fuzz_support::NewGameImage();
    const Area& area = kAreas[data[0] % std::size(kAreas)];
    const std::size_t base = area.system ? kSystemRecordOffset : SlotOffset(data[1] % kSlotCount);
    const std::size_t count = std::min(area.size, size - 2);
    std::memcpy(image.data() + base + area.offset, data + 2, count);
    if (!area.system) platform::WriteU32(image.data() + kCurrentSlotOffset, data[1] % kSlotCount);
    WriteSaveHeader(image);
    fuzz_support::ReadAndApply(image);
    return 0;
}
