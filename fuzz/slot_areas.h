// Fuzz input laid over one area of a game slot: the first byte picks the area, the bytes after it fill the area.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace fuzz_support {

// Bytes of a game slot, from its start.
struct SlotArea {
    std::size_t offset;
    std::size_t size;
};

// Copies the input after its first byte over the area that byte picks, as much as the area holds.
// The input holds at least one byte.
inline void OverwriteArea(std::vector<std::uint8_t>& slot, std::span<const SlotArea> areas, const std::uint8_t* data,
                          std::size_t size)
{
    const SlotArea& area = areas[data[0] % areas.size()];
    std::memcpy(slot.data() + area.offset, data + 1, std::min(area.size, size - 1));
}

}  // namespace fuzz_support
