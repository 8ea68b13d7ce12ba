// The fast blenders against the general blend equation, and the byte conversions.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "platform/graphics/blend.h"
#include "platform/graphics/pixel_row.h"

namespace {

using namespace platform::gfx;

const BlendDesc kAlpha{true, BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha, BlendOp::Add,
                       BlendFactor::One,      BlendFactor::Zero,        BlendOp::Add};

TEST(Blend, FastAlphaBlenderMatchesTheGeneralEquation)
{
    std::mt19937 random(99);
    AlphaBlender fast;
    for (int i = 0; i < 200000; ++i) {
        std::uint32_t src = random();
        const std::uint32_t dst = random();
        if (i < 512) src = (src & 0x00FFFFFFu) | (static_cast<std::uint32_t>(i & 255) << 24);
        ASSERT_EQ(fast(src, dst), BlendPixel(kAlpha, src, dst)) << std::hex << src << " " << dst;
    }
}

// Rows of texels, by run and by column, plain and times a flat colour, every length up to 40 (so
// every SIMD width and tail), with groups of clear, opaque and partly clear texels: the row loops
// write what the scalar blender writes. Rows by column come with their columns alone, or also in
// groups of eight: scattered, or a texel row drawn one, two or three times as wide, flipped or not.
TEST(Blend, AlphaRowsMatchTheScalarBlenderPixelForPixel)
{
    std::mt19937 random(7);
    AlphaBlender scalar;
    std::vector<std::uint32_t> texels(64);
    // What the columns may name: eight texels from any of them stay inside the vector.
    constexpr int kTexelRow = 56;
    std::vector<int> columns(64);
    std::vector<int> groupBases, groupLanes;
    for (int round = 0; round < 600; ++round) {
        const int count = 1 + round % 40;
        const int source = round % 5;  // 0: run; 1: columns; 2, 3, 4: columns in groups
        const bool modulate = round % 3 == 2;
        const int widening = 1 + static_cast<int>(random() % 3);
        const int start = static_cast<int>(random() % static_cast<unsigned>(kTexelRow - (count - 1) / widening));
        const bool flipped = random() % 2 == 1;
        for (std::size_t i = 0; i < texels.size(); ++i) {
            const int kind = static_cast<int>((i / 4 + static_cast<std::size_t>(round)) % 3);
            const std::uint32_t alpha = kind == 0 ? 0u : (kind == 1 ? 255u : random() & 0xFFu);
            texels[i] = (random() & 0x00FFFFFFu) | alpha << 24;
            const int step = static_cast<int>(flipped ? static_cast<std::size_t>(count) - 1 - i % count : i % count);
            columns[i] = source >= 3 ? start + step / widening : static_cast<int>(random() % kTexelRow);
        }
        PixelRow row;
        row.count = count;
        row.texels = texels.data() + round % 5;
        row.columns = source > 0 ? columns.data() : nullptr;
        if (source >= 2) row.groups = MakeColumnGroups(columns.data(), count, kTexelRow, groupBases, groupLanes);
        row.r = static_cast<int>(random() & 0xFF), row.g = static_cast<int>(random() & 0xFF);
        row.b = static_cast<int>(random() & 0xFF), row.a = static_cast<int>(random() & 0xFF);
        std::vector<std::uint32_t> target(static_cast<std::size_t>(count));
        for (std::uint32_t& pixel : target) pixel = random();
        std::vector<std::uint32_t> want = target;
        for (int i = 0; i < count; ++i) {
            std::uint32_t src = row.columns ? row.texels[columns[static_cast<std::size_t>(i)]] : row.texels[i];
            if (modulate) src = ModulateColor(src, row.r, row.g, row.b, row.a);
            want[static_cast<std::size_t>(i)] = scalar(src, want[static_cast<std::size_t>(i)]);
        }
        row.target = target.data();
        WritePixelRow(row, scalar, true, modulate, false);
        ASSERT_EQ(target, want) << "round " << round;
    }
}

// The blend modes' fast blenders against the general equation: every
// source channel, source alpha and destination channel (in steps), with the
// other channels random.
TEST(Blend, EachModesBlenderMatchesTheGeneralEquation)
{
    const BlendDesc add{true, BlendFactor::SrcAlpha, BlendFactor::One, BlendOp::Add, BlendFactor::One, BlendFactor::Zero,
                        BlendOp::Add};
    const BlendDesc multiply{true, BlendFactor::Zero, BlendFactor::SrcColor, BlendOp::Add, BlendFactor::Zero,
                             BlendFactor::Zero, BlendOp::Add};
    const BlendDesc subtract{true, BlendFactor::SrcAlpha, BlendFactor::One, BlendOp::RevSubtract, BlendFactor::SrcAlpha,
                             BlendFactor::One, BlendOp::Add};
    ASSERT_EQ(ClassifyBlend(BlendDesc{}), BlendKind::Opaque);
    ASSERT_EQ(ClassifyBlend(kAlpha), BlendKind::Alpha);
    ASSERT_EQ(ClassifyBlend(add), BlendKind::Add);
    ASSERT_EQ(ClassifyBlend(multiply), BlendKind::Multiply);
    ASSERT_EQ(ClassifyBlend(subtract), BlendKind::Subtract);
    std::mt19937 random(42);
    for (const BlendDesc* desc : {&add, &multiply, &subtract, &kAlpha}) {
        WithBlender(*desc, [&](auto blend) {
            for (int s = 0; s < 256; ++s) {
                for (int sa = 0; sa < 256; ++sa) {
                    for (int d = s % 17; d < 256; d += 17) {
                        const std::uint32_t noise = random();
                        const std::uint32_t src = (noise & 0x00FFFF00u) | static_cast<std::uint32_t>(s) |
                                                  static_cast<std::uint32_t>(sa) << 24;
                        const std::uint32_t dst = (noise >> 8 & 0x00FFFF00u) | static_cast<std::uint32_t>(d) |
                                                  static_cast<std::uint32_t>(255 - d) << 24;
                        ASSERT_EQ(blend(src, dst), BlendPixel(*desc, src, dst)) << std::hex << src << " " << dst;
                    }
                }
            }
        });
    }
}

TEST(Blend, EquationsHoldWithinOneStep)
{
    // Reference in real numbers: clamp(s * fs op d * fd) per channel.
    std::mt19937 random(5);
    const BlendDesc modes[] = {
        {true, BlendFactor::SrcAlpha, BlendFactor::One, BlendOp::Add, BlendFactor::One, BlendFactor::Zero, BlendOp::Add},
        {true, BlendFactor::Zero, BlendFactor::SrcColor, BlendOp::Add, BlendFactor::Zero, BlendFactor::Zero, BlendOp::Add},
        {true, BlendFactor::SrcAlpha, BlendFactor::One, BlendOp::RevSubtract, BlendFactor::SrcAlpha, BlendFactor::One,
         BlendOp::Add},
        kAlpha,
    };
    auto factor = [](BlendFactor f, double s, double sa) {
        switch (f) {
        case BlendFactor::Zero: return 0.0;
        case BlendFactor::One: return 1.0;
        case BlendFactor::SrcColor: return s;
        case BlendFactor::SrcAlpha: return sa;
        case BlendFactor::InvSrcAlpha: return 1.0 - sa;
        }
        return 0.0;
    };
    auto apply = [](BlendOp op, double a, double b) {
        const double v = op == BlendOp::Add ? a + b : (op == BlendOp::Subtract ? a - b : b - a);
        return std::clamp(v, 0.0, 1.0);
    };
    for (const BlendDesc& mode : modes) {
        for (int i = 0; i < 20000; ++i) {
            const std::uint32_t src = random(), dst = random();
            const std::uint32_t out = BlendPixel(mode, src, dst);
            const double sa = ChannelA(src) / 255.0;
            const int shifts[3] = {16, 8, 0};
            for (int shift : shifts) {
                const double s = ((src >> shift) & 255) / 255.0, d = ((dst >> shift) & 255) / 255.0;
                const double expected = apply(mode.colorOp, s * factor(mode.srcColor, s, sa), d * factor(mode.dstColor, s, sa));
                ASSERT_NEAR(((out >> shift) & 255) / 255.0, expected, 1.0 / 255.0 + 1e-9);
            }
            const double da = ChannelA(dst) / 255.0;
            const double expectedA = apply(mode.alphaOp, sa * factor(mode.srcAlpha, sa, sa), da * factor(mode.dstAlpha, sa, sa));
            ASSERT_NEAR(ChannelA(out) / 255.0, expectedA, 1.0 / 255.0 + 1e-9);
        }
    }
}

TEST(Blend, DisabledBlendingWritesTheSource)
{
    EXPECT_EQ(BlendPixel(BlendDesc{}, 0x12345678u, 0xFFFFFFFFu), 0x12345678u);
}

TEST(PixelMath, ByteConversionsAreExact)
{
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(ToByte(static_cast<float>(b) / 255.0f), b);
        EXPECT_EQ(Mul255(b, 255), b);
        for (int c = 0; c < 256; c += 17) EXPECT_EQ(Mul255(b, c), static_cast<int>(std::lround(b * c / 255.0)));
    }
}

}  // namespace
