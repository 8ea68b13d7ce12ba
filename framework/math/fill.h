// Fills of 16-bit values.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace vesk::math {

// Writes count copies of a 16-bit value from destination on.
inline void FillU16(std::uint16_t* destination, std::uint16_t value, std::size_t count)
{
    std::fill_n(destination, count, value);
}

}  // namespace vesk::math
