// First-fit arena allocator with tagged block headers and one lock per heap.
// The arena's first bytes hold its control record; every block carries a
// header just before the pointer handed out. Blocks are zero-filled and aligned
// to max(128, unit) bytes. The free list is doubly linked in address order and
// neighbouring free blocks are merged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/lock/critical_section.h"

namespace vesk::memory {

struct HeapRecord {
    std::byte* base = nullptr;
    std::size_t size = 0;
    // True when the arena memory came from the system (and goes back there),
    // false when it was carved out of the main heap.
    bool arenaFromSystem = false;
    thread::SYS_CCriticalSection* lock = nullptr;
};

// The smallest unit an arena accepts: a 64-bit block header needs 64 bytes.
inline constexpr std::size_t kMinArenaUnit = 64;

// Lays out an arena of size bytes at base for heap. The unit is raised to
// kMinArenaUnit and must be a power of two. The whole arena is zero-filled
// unless the caller says it already reads as zero. Registers the arena so that
// MemFree can tell its blocks from stray pointers; CloseArena undoes that.
// False (with a log line) when the arena is too small, the unit is bad or too
// many arenas are open.
bool InitArena(HeapRecord* heap, void* base, std::size_t size, std::size_t unit, bool alreadyZeroed = false);
void CloseArena(HeapRecord* heap);

// Gives the heap its critical section; the lock stays null when that fails.
void AttachHeapLock(HeapRecord* heap);
void DeleteHeapLock(HeapRecord* heap);

// n zero-filled bytes from heap, or null (for n = 0, no heap or no room).
void* MemAlloc(HeapRecord* heap, std::size_t n);

// Returns a block to the heap it came from. Null is ignored. A pointer that is
// not a live block of an open arena (foreign, misaligned, damaged header,
// already freed) is refused with a log line and changes nothing.
void MemFree(void* pointer);

// True when pointer lies in an open arena's block area.
bool IsInAnyArena(const void* pointer);

// Inspection, for diagnostics and tests.
struct ArenaStats {
    std::size_t unit = 0;
    std::size_t firstFreeSize = 0;
    std::uint64_t allocCount = 0;
    std::uint64_t freeCount = 0;
    std::size_t bytesInUse = 0;
    std::size_t liveBlocks = 0;
    std::size_t peakBytesInUse = 0;
};
struct FreeBlockInfo {
    std::size_t offset = 0;  // from the arena base
    std::size_t size = 0;
};
ArenaStats GetArenaStats(const HeapRecord& heap);
std::vector<FreeBlockInfo> GetFreeBlocks(const HeapRecord& heap);

}  // namespace vesk::memory
