// Textures in both byte orders, row pitches, address modes and linear filtering.
#include <gtest/gtest.h>

#include <limits>

#include "platform/graphics/pixel_math.h"
#include "platform/graphics/resources.h"

namespace {

using namespace platform::gfx;

TEST(Texture, BothByteOrdersRoundTripAndSampleAlike)
{
    const std::uint8_t rgba[] = {10, 20, 30, 40, 50, 60, 70, 80};
    const std::uint8_t bgra[] = {30, 20, 10, 40, 70, 60, 50, 80};
    Texture a(2, 1, PixelFormat::R8G8B8A8);
    Texture b(2, 1, PixelFormat::B8G8R8A8);
    a.Update(rgba, 8);
    b.Update(bgra, 8);
    EXPECT_EQ(a.ReadBytes(), std::vector<std::uint8_t>(rgba, rgba + 8));
    EXPECT_EQ(b.ReadBytes(), std::vector<std::uint8_t>(bgra, bgra + 8));
    EXPECT_EQ(a.Pixel(0, 0), b.Pixel(0, 0));
    EXPECT_EQ(a.Pixel(0, 0), PackColor(10, 20, 30, 40));
}

TEST(Texture, RowPitchIsHonoured)
{
    std::uint8_t rows[2 * 12] = {};
    rows[12] = 9;  // first byte of the second row
    Texture t(2, 2, PixelFormat::B8G8R8A8);
    t.Update(rows, 12);
    EXPECT_EQ(ChannelB(t.Pixel(0, 1)), 9);
}

TEST(Sampling, AddressModes)
{
    // Four texels in a row: 0, 1, 2, 3 in the red channel.
    Texture t(4, 1, PixelFormat::B8G8R8A8);
    for (int i = 0; i < 4; ++i) t.Pixels()[i] = PackColor(i, 0, 0, 255);
    auto red = [&](AddressMode mode, float u) {
        const SamplerDesc sampler{Filter::Point, mode, mode};
        return ChannelR(Sample(&t, &sampler, u, 0.5f));
    };
    EXPECT_EQ(red(AddressMode::Wrap, 0.1f), 0);
    EXPECT_EQ(red(AddressMode::Wrap, 1.3f), 1);
    EXPECT_EQ(red(AddressMode::Wrap, -0.1f), 3);
    EXPECT_EQ(red(AddressMode::Mirror, 1.1f), 3);
    EXPECT_EQ(red(AddressMode::Mirror, 1.9f), 0);
    EXPECT_EQ(red(AddressMode::Mirror, -0.1f), 0);
    EXPECT_EQ(red(AddressMode::Clamp, 5.0f), 3);
    EXPECT_EQ(red(AddressMode::Clamp, -5.0f), 0);
}

TEST(Sampling, LinearFilterBlendsNeighbours)
{
    Texture t(2, 1, PixelFormat::B8G8R8A8);
    t.Pixels()[0] = PackColor(0, 0, 0, 255);
    t.Pixels()[1] = PackColor(200, 0, 0, 255);
    const SamplerDesc clamp{Filter::Linear, AddressMode::Clamp, AddressMode::Clamp};
    EXPECT_EQ(ChannelR(Sample(&t, &clamp, 0.5f, 0.5f)), 100);  // midway between the texel centres
    EXPECT_EQ(ChannelR(Sample(&t, &clamp, 0.25f, 0.5f)), 0);
    EXPECT_EQ(ChannelR(Sample(&t, &clamp, 0.75f, 0.5f)), 200);
    EXPECT_EQ(Sample(nullptr, &clamp, 0.5f, 0.5f), 0u);  // unbound reads as transparent black
}

// A coordinate that is NaN, infinite or far past the texture (a degenerate quad, a runaway scroll)
// still reads the texture in every filter and address mode: an opaque texture gives an opaque texel.
TEST(Sampling, CoordinatesPastEveryTexelStillReadTheTexture)
{
    Texture t(2, 2, PixelFormat::B8G8R8A8);
    for (int i = 0; i < 4; ++i) t.Pixels()[i] = PackColor(40 * i, 200 - 40 * i, 7, 255);
    const float past[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity(), 3.0e9f, -3.0e9f, 1.0e30f, 0.25f};
    for (const Filter filter : {Filter::Point, Filter::Linear}) {
        for (const AddressMode mode : {AddressMode::Wrap, AddressMode::Mirror, AddressMode::Clamp}) {
            const SamplerDesc sampler{filter, mode, mode};
            for (const float u : past) {
                for (const float v : past) {
                    EXPECT_EQ(ChannelA(Sample(&t, &sampler, u, v)), 255)
                        << "filter " << static_cast<int>(filter) << " mode " << static_cast<int>(mode) << " at " << u << ", " << v;
                }
            }
        }
    }
}

}  // namespace
