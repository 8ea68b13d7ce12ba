// Screen positions in fixed point, and values that vary linearly over a triangle on the screen.
#pragma once

namespace platform::gfx {

inline constexpr int kSubpixelBits = 8;
inline constexpr long long kSubpixel = 1LL << kSubpixelBits;
inline constexpr long long kHalfPixel = kSubpixel / 2;

// value = a0 + a * dx + b * dy, with dx, dy the offsets in subpixels from the
// triangle's first vertex. Every path evaluates it by this one expression, in
// this order, so every path rounds it alike.
struct Plane {
    double a0 = 0, a = 0, b = 0;

    double At(double dx, double dy) const { return a0 + a * dx + b * dy; }
};

}  // namespace platform::gfx
