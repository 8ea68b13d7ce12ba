// One piece of a layout object: a sprite placed, scaled, turned and tinted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace plix {

// One piece of a layout object: a sprite placed, scaled, turned and tinted.
// The same record serves as a part and, from the second pool, as a sub-record.
struct SYS_CPart {
    std::uint32_t flags = 1;                 // the library's own; a fresh record holds 1
    std::uint32_t state[3] = {0, 0, 0};      // the library's own; a fresh record holds 0
    std::int32_t x = 0;
    std::int32_t y = 0;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float rotation = 0.0f;                   // degrees
    std::uint32_t color = 0xFFFFFFFFu;       // 0xRRGGBBAA: red in the most significant byte
    std::string spriteName;
    std::int32_t spriteIndex = -1;           // -1 until the name is resolved
    std::optional<std::uint32_t> dataKey;    // key of the object's data entry that belongs to this part

    // Back to what a fresh record holds, so nothing of one layout leaks into the next.
    void Reset() { *this = SYS_CPart{}; }
};

}  // namespace plix
