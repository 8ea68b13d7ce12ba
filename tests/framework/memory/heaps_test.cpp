// The program's heaps, the fallback to the general allocator, heap objects and byte comparison.
#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "framework/memory/byte_ops.h"
#include "framework/memory/heaps.h"
#include "tests/support/log_capture.h"

namespace vesk::memory {
namespace {

using support::LogCapture;

bool Contains(HeapRecord* heap, const void* pointer)
{
    const auto* address = static_cast<const std::byte*>(pointer);
    return heap != nullptr && address >= heap->base && address < heap->base + heap->size;
}

class Heaps : public ::testing::Test {
protected:
    void TearDown() override { ReleaseHeaps(); }
};

TEST_F(Heaps, StartUpHeapsNestInTheMainHeapAndEachHasALock)
{
    ASSERT_TRUE(CreateHeaps());
    HeapRecord* main = MainHeap();
    ASSERT_NE(main, nullptr);
    ASSERT_NE(SmallHeap(), nullptr);
    ASSERT_NE(ResourceHeap(), nullptr);
    EXPECT_EQ(ParticleHeap(), nullptr) << "made later, once the framework manager exists";
    EXPECT_EQ(main->size, kMainHeapSize);
    EXPECT_TRUE(main->arenaFromSystem);
    EXPECT_FALSE(SmallHeap()->arenaFromSystem);
    EXPECT_TRUE(Contains(main, SmallHeap()->base));
    EXPECT_TRUE(Contains(main, ResourceHeap()->base));
    EXPECT_NE(main->lock, nullptr);
    EXPECT_NE(SmallHeap()->lock, nullptr);
    EXPECT_NE(ResourceHeap()->lock, nullptr);

    // A block of a nested heap goes back to that heap, not to the main heap.
    void* text = MemAlloc(ResourceHeap(), 1000);
    ASSERT_TRUE(Contains(ResourceHeap(), text));
    const std::size_t mainInUse = GetArenaStats(*main).bytesInUse;
    MainHeapFree(text);
    EXPECT_EQ(GetArenaStats(*ResourceHeap()).liveBlocks, 0u);
    EXPECT_EQ(GetArenaStats(*main).bytesInUse, mainInUse);

    ASSERT_TRUE(CreateParticleHeap());
    void* particle = MemAlloc(ParticleHeap(), 1);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(particle) % 4096, 0u);
}

TEST_F(Heaps, MainHeapAllocationsAreZeroedAndReturned)
{
    ASSERT_TRUE(CreateHeaps());
    auto* block = static_cast<unsigned char*>(MainHeapAlloc(5000));
    ASSERT_TRUE(Contains(MainHeap(), block));
    const unsigned char zeros[5000] = {};
    EXPECT_EQ(CompareBytes(block, zeros, sizeof(zeros)), 0);
    const std::size_t live = GetArenaStats(*MainHeap()).liveBlocks;
    MainHeapFree(block);
    EXPECT_EQ(GetArenaStats(*MainHeap()).liveBlocks, live - 1);
    EXPECT_EQ(MainHeapAlloc(0), nullptr);
}

TEST_F(Heaps, WithoutHeapsTheGeneralAllocatorServesAndTakesBack)
{
    ASSERT_EQ(MainHeap(), nullptr);
    auto* block = static_cast<unsigned char*>(MainHeapAlloc(300));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[0], 0);
    EXPECT_EQ(block[299], 0);
    // Returned to the general allocator; the leak checker would see it otherwise.
    MainHeapFree(block);
}

TEST_F(Heaps, AfterReleaseFreesOfHeapBlocksDoNothing)
{
    ASSERT_TRUE(CreateHeaps());
    ASSERT_TRUE(CreateParticleHeap());
    void* stale = MainHeapAlloc(100);
    ReleaseHeaps();
    EXPECT_EQ(MainHeap(), nullptr);
    EXPECT_EQ(SmallHeap(), nullptr);
    EXPECT_EQ(ResourceHeap(), nullptr);
    EXPECT_EQ(ParticleHeap(), nullptr);

    LogCapture capture;
    MainHeapFree(stale);  // its arena is gone; must not be touched
    EXPECT_TRUE(capture.Lines().empty());

    void* general = MainHeapAlloc(100);
    ASSERT_NE(general, nullptr);
    EXPECT_FALSE(IsInAnyArena(general));
    MainHeapFree(general);
}

TEST_F(Heaps, ForeignPointerIsRefusedWhileTheHeapExists)
{
    ASSERT_TRUE(CreateHeaps());
    LogCapture capture;
    int local = 0;
    MainHeapFree(&local);
    EXPECT_TRUE(capture.Contains("MainHeapFree refused"));
}

class HeapCounted : public MainHeapObject {
public:
    int value = 7;
};

TEST_F(Heaps, HeapObjectsLiveInTheMainHeap)
{
    ASSERT_TRUE(CreateHeaps());
    auto* object = new HeapCounted();
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(Contains(MainHeap(), object));
    const std::size_t live = GetArenaStats(*MainHeap()).liveBlocks;
    delete object;
    EXPECT_EQ(GetArenaStats(*MainHeap()).liveBlocks, live - 1);
}

TEST(ByteOps, CompareBytesOrdersByTheFirstDifferingUnsignedByte)
{
    const unsigned char a[] = {1, 2, 3, 4, 5, 0x80};
    const unsigned char b[] = {1, 2, 3, 4, 5, 0x01};
    EXPECT_EQ(CompareBytes(a, b, 5), 0);
    EXPECT_EQ(CompareBytes(a, b, 6), 1);
    EXPECT_EQ(CompareBytes(b, a, 6), -1);
    EXPECT_EQ(CompareBytes(a, b, 0), 0);
}

}  // namespace
}  // namespace vesk::memory
