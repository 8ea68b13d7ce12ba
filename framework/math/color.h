// Colours as four bytes (red, green, blue, alpha) and as 32-bit words.
#pragma once

#include <cstdint>

namespace vesk::math {

// A colour as four bytes in memory order red, green, blue, alpha. As one
// 32-bit word red is the low byte and alpha the high byte (opaque black is
// 0xFF000000).
struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
};

inline constexpr bool operator==(const Color& x, const Color& y)
{
    return x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a;
}

inline constexpr std::uint32_t ColorToWord(const Color& color)
{
    return static_cast<std::uint32_t>(color.r) | static_cast<std::uint32_t>(color.g) << 8 |
           static_cast<std::uint32_t>(color.b) << 16 | static_cast<std::uint32_t>(color.a) << 24;
}

inline constexpr Color ColorFromWord(std::uint32_t word)
{
    return {static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
            static_cast<std::uint8_t>(word >> 16), static_cast<std::uint8_t>(word >> 24)};
}

inline constexpr Color MakeColorRGBA(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a)
{
    return {r, g, b, a};
}

inline constexpr void SetColorRGBA(Color& color, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a)
{
    color = {r, g, b, a};
}

// Shared constants: white is every bit set, black is opaque black.
inline const Color& GetColorWhite()
{
    static constexpr Color kWhite = ColorFromWord(0xFFFFFFFFu);
    return kWhite;
}

inline const Color& GetColorBlack()
{
    static constexpr Color kBlack = ColorFromWord(0xFF000000u);
    return kBlack;
}

}  // namespace vesk::math
