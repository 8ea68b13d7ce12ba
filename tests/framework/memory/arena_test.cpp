// The arena allocator: layout, alignment, first fit, merging, refused frees, random workloads and threads.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "framework/memory/arena.h"
#include "tests/support/log_capture.h"
#include "tests/support/test_arena.h"

namespace vesk::memory {
namespace {

using support::LogCapture;
using support::TestArena;

constexpr std::size_t kUnit = 128;  // unit and header area of a 0x80 arena

// Block size the arena takes for an n-byte request.
constexpr std::size_t BlockSize(std::size_t n)
{
    return (kUnit + n + kUnit - 1) / kUnit * kUnit;
}

std::size_t Offset(TestArena& arena, void* pointer)
{
    return static_cast<std::size_t>(static_cast<std::byte*>(pointer) - arena.base());
}

bool IsZero(const void* pointer, std::size_t n)
{
    const auto* bytes = static_cast<const unsigned char*>(pointer);
    return std::all_of(bytes, bytes + n, [](unsigned char b) { return b == 0; });
}

// Free blocks in address order, disjoint, never touching (touching ones must
// have merged), and together with the blocks in use they make up the arena.
void ExpectConsistent(TestArena& arena)
{
    const std::vector<FreeBlockInfo> blocks = GetFreeBlocks(*arena.heap());
    const ArenaStats stats = GetArenaStats(*arena.heap());
    std::size_t freeBytes = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        freeBytes += blocks[i].size;
        if (i > 0) {
            EXPECT_GT(blocks[i].offset, blocks[i - 1].offset + blocks[i - 1].size) << "block " << i;
        }
    }
    EXPECT_EQ(freeBytes + stats.bytesInUse, stats.firstFreeSize);
}

TEST(Arena, LaysOutOneFreeBlockAfterTheControlRecord)
{
    TestArena arena(64 * 1024);
    ASSERT_TRUE(arena.ok());
    const std::vector<FreeBlockInfo> blocks = GetFreeBlocks(*arena.heap());
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].offset, 128u);
    EXPECT_EQ(blocks[0].size, 64 * 1024 - 128 - kUnit);
    EXPECT_EQ(GetArenaStats(*arena.heap()).firstFreeSize, blocks[0].size);
}

TEST(Arena, RefusesUnusableSetUps)
{
    LogCapture capture;
    HeapRecord heap;
    alignas(4096) static std::byte tiny[256];
    EXPECT_FALSE(InitArena(&heap, tiny, sizeof(tiny), 0x80));
    TestArena badUnit(64 * 1024, 0x90);
    EXPECT_FALSE(badUnit.ok());
    EXPECT_TRUE(capture.Contains("too small"));
    EXPECT_TRUE(capture.Contains("power of two"));
}

TEST(Arena, ZeroByteRequestGivesNullAndCountsNothing)
{
    TestArena arena(64 * 1024);
    EXPECT_EQ(MemAlloc(arena.heap(), 0), nullptr);
    EXPECT_EQ(MemAlloc(nullptr, 16), nullptr);
    const ArenaStats stats = GetArenaStats(*arena.heap());
    EXPECT_EQ(stats.allocCount, 0u);
    EXPECT_EQ(stats.liveBlocks, 0u);
    EXPECT_EQ(stats.bytesInUse, 0u);
}

TEST(Arena, BlocksAreAlignedZeroedAndCounted)
{
    TestArena arena(64 * 1024);
    auto* first = static_cast<unsigned char*>(MemAlloc(arena.heap(), 300));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(first) % 128, 0u);
    EXPECT_TRUE(IsZero(first, 300));
    std::memset(first, 0xAB, 300);
    MemFree(first);

    // The same memory comes back zeroed.
    auto* again = static_cast<unsigned char*>(MemAlloc(arena.heap(), 300));
    EXPECT_EQ(again, first);
    EXPECT_TRUE(IsZero(again, 300));

    const ArenaStats stats = GetArenaStats(*arena.heap());
    EXPECT_EQ(stats.allocCount, 2u);
    EXPECT_EQ(stats.freeCount, 1u);
    EXPECT_EQ(stats.liveBlocks, 1u);
    EXPECT_EQ(stats.bytesInUse, BlockSize(300));
    EXPECT_EQ(stats.peakBytesInUse, BlockSize(300));
}

TEST(Arena, ResourceUnitStillGivesBlocksAlignedTo128)
{
    TestArena arena(64 * 1024, 0x40);
    for (std::size_t n : {1u, 64u, 65u, 200u}) {
        void* block = MemAlloc(arena.heap(), n);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 128, 0u);
    }
}

TEST(Arena, ParticleUnitGivesPageAlignedBlocks)
{
    TestArena arena(256 * 1024, 0x1000);
    void* a = MemAlloc(arena.heap(), 10);
    void* b = MemAlloc(arena.heap(), 5000);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(a) % 4096, 0u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(b) % 4096, 0u);
    EXPECT_EQ(GetArenaStats(*arena.heap()).bytesInUse, 2 * 4096u + 3 * 4096u);
}

// A hole of `holeBytes` followed by a fence block, then the rest of the arena.
struct HoleSetUp {
    void* hole;
    std::size_t holeOffset;
};

HoleSetUp MakeHole(TestArena& arena, std::size_t holeBytes)
{
    void* hole = MemAlloc(arena.heap(), holeBytes - kUnit);
    void* fence = MemAlloc(arena.heap(), 1);
    EXPECT_NE(fence, nullptr);
    const std::size_t holeOffset = GetFreeBlocks(*arena.heap()).front().offset - holeBytes - BlockSize(1);
    MemFree(hole);
    return {hole, holeOffset};
}

TEST(Arena, FirstFitTakesExactFitsSkipsSliversAndSplitsLargerBlocks)
{
    const std::size_t t = BlockSize(128);  // 256

    {
        TestArena arena(64 * 1024);
        const HoleSetUp setUp = MakeHole(arena, t);
        EXPECT_EQ(MemAlloc(arena.heap(), 128), setUp.hole) << "an exact fit is used whole";
        EXPECT_EQ(GetFreeBlocks(*arena.heap()).size(), 1u);
    }
    {
        TestArena arena(64 * 1024);
        const HoleSetUp setUp = MakeHole(arena, t + kUnit);
        void* block = MemAlloc(arena.heap(), 128);
        EXPECT_NE(block, setUp.hole) << "one unit over is skipped";
        const std::vector<FreeBlockInfo> blocks = GetFreeBlocks(*arena.heap());
        ASSERT_EQ(blocks.size(), 2u);
        EXPECT_EQ(blocks[0].offset, setUp.holeOffset);
        EXPECT_EQ(blocks[0].size, t + kUnit);
    }
    {
        TestArena arena(64 * 1024);
        const HoleSetUp setUp = MakeHole(arena, t + 2 * kUnit);
        EXPECT_EQ(MemAlloc(arena.heap(), 128), setUp.hole) << "two units over is split";
        const std::vector<FreeBlockInfo> blocks = GetFreeBlocks(*arena.heap());
        ASSERT_EQ(blocks.size(), 2u);
        EXPECT_EQ(blocks[0].offset, setUp.holeOffset + t);
        EXPECT_EQ(blocks[0].size, 2 * kUnit);
    }
}

TEST(Arena, AdjacentFreesMergeInEitherOrder)
{
    for (bool lowFirst : {true, false}) {
        TestArena arena(64 * 1024);
        void* low = MemAlloc(arena.heap(), 200);
        void* high = MemAlloc(arena.heap(), 500);
        void* fence = MemAlloc(arena.heap(), 1);
        ASSERT_NE(fence, nullptr);
        MemFree(lowFirst ? low : high);
        MemFree(lowFirst ? high : low);
        const std::vector<FreeBlockInfo> blocks = GetFreeBlocks(*arena.heap());
        ASSERT_EQ(blocks.size(), 2u) << (lowFirst ? "low first" : "high first");
        EXPECT_EQ(blocks[0].offset, Offset(arena, low) - kUnit);
        EXPECT_EQ(blocks[0].size, BlockSize(200) + BlockSize(500));
        ExpectConsistent(arena);
    }
}

TEST(Arena, FreeingEverythingRestoresTheFirstBlock)
{
    TestArena arena(64 * 1024);
    std::vector<void*> blocks;
    for (int i = 0; i < 20; ++i) {
        blocks.push_back(MemAlloc(arena.heap(), 100 + i * 37));
    }
    // Odd ones first, then the even ones in reverse, to merge on both sides.
    for (std::size_t i = 1; i < blocks.size(); i += 2) {
        MemFree(blocks[i]);
    }
    for (std::size_t i = blocks.size(); i-- > 0;) {
        if (i % 2 == 0) {
            MemFree(blocks[i]);
        }
    }
    const std::vector<FreeBlockInfo> free = GetFreeBlocks(*arena.heap());
    ASSERT_EQ(free.size(), 1u);
    EXPECT_EQ(free[0].size, GetArenaStats(*arena.heap()).firstFreeSize);
    EXPECT_EQ(GetArenaStats(*arena.heap()).liveBlocks, 0u);
}

TEST(Arena, BlockFreedIntoAnEmptyListOrAboveTheLastFreeBlockIsReusable)
{
    TestArena arena(64 * 1024);
    void* low = MemAlloc(arena.heap(), 1000);
    void* middle = MemAlloc(arena.heap(), 1000);
    // Take the whole rest exactly, leaving the free list empty.
    const std::size_t rest = GetFreeBlocks(*arena.heap()).front().size;
    void* high = MemAlloc(arena.heap(), rest - kUnit);
    ASSERT_NE(high, nullptr);
    ASSERT_TRUE(GetFreeBlocks(*arena.heap()).empty());
    EXPECT_EQ(MemAlloc(arena.heap(), 1), nullptr);

    MemFree(low);
    ASSERT_EQ(GetFreeBlocks(*arena.heap()).size(), 1u) << "freed into an empty list";
    MemFree(high);
    ASSERT_EQ(GetFreeBlocks(*arena.heap()).size(), 2u) << "freed above the last free block";

    EXPECT_EQ(MemAlloc(arena.heap(), rest - kUnit), high);
    EXPECT_EQ(MemAlloc(arena.heap(), 1000), low);
    MemFree(middle);
    ExpectConsistent(arena);
}

TEST(Arena, FreesOfBadPointersAreRefusedAndChangeNothing)
{
    TestArena arena(64 * 1024);
    TestArena other(64 * 1024);
    void* kept = MemAlloc(arena.heap(), 300);
    void* freed = MemAlloc(arena.heap(), 300);
    void* fence = MemAlloc(arena.heap(), 300);
    ASSERT_NE(fence, nullptr);
    MemFree(freed);
    const std::vector<FreeBlockInfo> before = GetFreeBlocks(*arena.heap());
    const ArenaStats statsBefore = GetArenaStats(*arena.heap());

    LogCapture capture;
    MemFree(freed);  // double free
    static int notInAnyHeap;
    MemFree(&notInAnyHeap);
    MemFree(static_cast<std::byte*>(kept) + 16);   // inside a block
    MemFree(static_cast<std::byte*>(kept) + 128);  // aligned, but no header there
    MemFree(arena.base() + 64);                     // the control record

    EXPECT_EQ(capture.Lines().size(), 5u);
    EXPECT_TRUE(capture.Contains("already freed"));
    EXPECT_TRUE(capture.Contains("not inside any heap"));
    EXPECT_TRUE(capture.Contains("not the start of a block"));
    EXPECT_TRUE(capture.Contains("no block header"));

    const std::vector<FreeBlockInfo> after = GetFreeBlocks(*arena.heap());
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].offset, before[i].offset);
        EXPECT_EQ(after[i].size, before[i].size);
    }
    EXPECT_EQ(GetArenaStats(*arena.heap()).freeCount, statsBefore.freeCount);
    EXPECT_EQ(GetArenaStats(*arena.heap()).bytesInUse, statsBefore.bytesInUse);
    EXPECT_EQ(GetFreeBlocks(*other.heap()).size(), 1u);
}

TEST(Arena, DoubleFreeAfterMergeIsStillRefused)
{
    TestArena arena(64 * 1024);
    void* low = MemAlloc(arena.heap(), 300);
    void* high = MemAlloc(arena.heap(), 300);
    MemFree(low);
    MemFree(high);  // merges into low's block and the rest
    LogCapture capture;
    MemFree(high);
    MemFree(low);
    EXPECT_EQ(capture.Lines().size(), 2u);
    ASSERT_EQ(GetFreeBlocks(*arena.heap()).size(), 1u);
    EXPECT_EQ(GetArenaStats(*arena.heap()).liveBlocks, 0u);
}

TEST(Arena, RandomWorkloadKeepsDataAndStructureIntact)
{
    TestArena arena(512 * 1024, 0x40);
    std::mt19937 random(1234);
    struct Live {
        unsigned char* pointer;
        std::size_t size;
        unsigned char fill;
    };
    std::vector<Live> live;
    for (int step = 0; step < 4000; ++step) {
        const bool allocate = live.empty() || random() % 100 < 55;
        if (allocate) {
            const std::size_t n = 1 + random() % 3000;
            auto* pointer = static_cast<unsigned char*>(MemAlloc(arena.heap(), n));
            if (pointer == nullptr) {
                continue;
            }
            ASSERT_TRUE(IsZero(pointer, n));
            const auto fill = static_cast<unsigned char>(1 + random() % 255);
            std::memset(pointer, fill, n);
            live.push_back({pointer, n, fill});
        } else {
            const std::size_t index = random() % live.size();
            const Live block = live[index];
            ASSERT_TRUE(std::all_of(block.pointer, block.pointer + block.size,
                                    [&](unsigned char b) { return b == block.fill; }))
                << "a neighbour wrote into block " << index;
            MemFree(block.pointer);
            live.erase(live.begin() + static_cast<std::ptrdiff_t>(index));
        }
        if (step % 200 == 0) {
            ExpectConsistent(arena);
        }
    }
    for (const Live& block : live) {
        MemFree(block.pointer);
    }
    EXPECT_EQ(GetFreeBlocks(*arena.heap()).size(), 1u);
    EXPECT_EQ(GetArenaStats(*arena.heap()).bytesInUse, 0u);
}

TEST(Arena, ThreadsSharingALockedArenaLoseNothing)
{
    TestArena arena(1024 * 1024, 0x80, true);
    ASSERT_NE(arena.heap()->lock, nullptr);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&arena, t] {
            std::vector<void*> mine;
            for (int i = 0; i < 2000; ++i) {
                if (void* block = MemAlloc(arena.heap(), 64 + (i * 13 + t) % 700)) {
                    mine.push_back(block);
                }
                if (mine.size() > 16) {
                    MemFree(mine.front());
                    mine.erase(mine.begin());
                }
            }
            for (void* block : mine) {
                MemFree(block);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    const ArenaStats stats = GetArenaStats(*arena.heap());
    EXPECT_EQ(stats.liveBlocks, 0u);
    EXPECT_EQ(stats.allocCount, stats.freeCount);
    EXPECT_EQ(GetFreeBlocks(*arena.heap()).size(), 1u);
}

}  // namespace
}  // namespace vesk::memory
