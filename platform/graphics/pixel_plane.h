// One value per pixel, whose clear costs what was written since the last clear, not the plane's size.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include "platform/graphics/pixel_row_avx2.h"

namespace platform::gfx {

namespace pixel_plane_detail {

#if defined(VARNOLIS_HAS_AVX2_ROWS)
// The same fill, compiled for AVX2: eight four-byte values a store.
__attribute__((target("avx2"))) inline void FillWordsAvx2(std::uint32_t* first, std::size_t count, std::uint32_t value)
{
    std::fill(first, first + count, value);
}
#endif

// `count` values from `first` set to `value`; a colour plane's, the most cleared every frame, eight a store where
// the CPU has AVX2.
template <typename T>
void FillValues(T* first, std::size_t count, T value)
{
#if defined(VARNOLIS_HAS_AVX2_ROWS)
    if constexpr (std::is_same_v<T, std::uint32_t>) {
        if (CpuHasAvx2()) {
            FillWordsAvx2(first, count, value);
            return;
        }
    }
#endif
    std::fill(first, first + count, value);
}

}  // namespace pixel_plane_detail

// Pixels x0 <= x < x1, y0 <= y < y1.
struct PixelRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

// Every value outside the written rectangle equals the plane's fill value (the
// last clear, or the value it was made with). A clear to the same value
// refills only the written rectangle; a clear to another value fills it all.
// A plane made unallocated takes no memory until something writes to it.
//
// Writes go through Data(), which counts the whole plane as written, or
// through DataToWrite(region), which counts only that region: the caller
// writes nowhere else. Either pointer is good until the next Clear.
template <typename T>
class PixelPlane {
public:
    PixelPlane(int width, int height, T value, bool allocate)
        : width_(std::max(width, 0)), height_(std::max(height, 0)), fill_(value)
    {
        if (allocate) values_.assign(Count(), fill_);
    }

    int Width() const { return width_; }
    int Height() const { return height_; }

    T At(int x, int y) const { return values_.empty() ? fill_ : values_[Index(x, y)]; }
    // Null while the plane is unallocated: every value is then At's.
    const T* Data() const { return values_.empty() ? nullptr : values_.data(); }

    T* Data() { return DataToWrite({0, 0, width_, height_}); }

    T* DataToWrite(const PixelRect& region)
    {
        if (values_.empty()) values_.assign(Count(), fill_);
        const PixelRect r{std::max(region.x0, 0), std::max(region.y0, 0), std::min(region.x1, width_),
                          std::min(region.y1, height_)};
        if (!r.Empty()) {
            written_ = written_.Empty() ? r
                                        : PixelRect{std::min(written_.x0, r.x0), std::min(written_.y0, r.y0),
                                                    std::max(written_.x1, r.x1), std::max(written_.y1, r.y1)};
        }
        return values_.data();
    }

    void Clear(T value)
    {
        if (!values_.empty()) {
            if (!SameBits(value, fill_)) {
                pixel_plane_detail::FillValues(values_.data(), values_.size(), value);
            } else if (!written_.Empty()) {
                for (int y = written_.y0; y < written_.y1; ++y) {
                    pixel_plane_detail::FillValues(values_.data() + Index(written_.x0, y),
                                                   static_cast<std::size_t>(written_.x1 - written_.x0), value);
                }
            }
        }
        fill_ = value;
        written_ = {};
    }

private:
    // Bit for bit, so that a clear to -0.0 or a NaN is not taken for another.
    static bool SameBits(T a, T b) { return std::memcmp(&a, &b, sizeof(T)) == 0; }
    std::size_t Count() const { return static_cast<std::size_t>(width_) * height_; }
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_;
    int height_;
    T fill_;
    PixelRect written_;
    std::vector<T> values_;
};

}  // namespace platform::gfx
