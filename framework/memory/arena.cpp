// The arena allocator: tagged blocks carved first-fit from one region, freed and merged under the heap's lock.
#include "framework/memory/arena.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <string_view>

#include "framework/log/log.h"

namespace vesk::memory {
namespace {

constexpr std::uint32_t kBlockTag = 0x4D454D5A;  // "ZMEM" in memory order
// Block states, so that a second free of the same pointer is caught at once.
constexpr std::uint32_t kLiveBlock = 0x4556494C;  // "LIVE"
constexpr std::uint32_t kFreeBlock = 0x45455246;  // "FREE"

// Blocks are handed out aligned to at least this many bytes.
constexpr std::size_t kMinAllocUnit = 128;
// The header sits in the last kHeaderBytes before the pointer handed out; a
// free block carries it at its start instead.
constexpr std::size_t kHeaderBytes = 64;
constexpr std::size_t kMaxArenas = 16;

struct ArenaControl;

struct BlockHeader {
    std::uint32_t tag;
    std::uint32_t state;
    BlockHeader* prevFree;
    BlockHeader* nextFree;
    std::size_t size;  // whole block, header area included
    ArenaControl* arena;
    std::byte* start;
    std::uint64_t spare;
};
static_assert(sizeof(BlockHeader) <= kHeaderBytes);
static_assert(kHeaderBytes <= kMinArenaUnit);

// Lives at the arena base.
struct ArenaControl {
    std::byte* base;
    BlockHeader* freeHead;  // lowest address
    BlockHeader* freeTail;  // highest address
    std::size_t firstFreeSize;
    std::size_t unit;
    HeapRecord* heap;
    std::uint64_t allocCount;
    std::uint64_t freeCount;
    std::size_t bytesInUse;
    std::size_t liveBlocks;
    std::size_t peakBytesInUse;
    std::uint64_t reserved[2];
};
// The first block starts at least 128 bytes past the base.
static_assert(sizeof(ArenaControl) <= 128);

std::byte* RoundDown(std::byte* address, std::size_t unit)
{
    const auto value = reinterpret_cast<std::uintptr_t>(address);
    return address - (value & (unit - 1));
}

std::size_t RoundUp(std::size_t value, std::size_t unit)
{
    return (value + unit - 1) & ~(unit - 1);
}

std::size_t AllocUnit(const ArenaControl& arena)
{
    return std::max(arena.unit, kMinAllocUnit);
}

// (u + 31) rounded down to a multiple of u: one unit for every unit allowed.
std::size_t HeaderArea(std::size_t unit)
{
    return (unit + 31) & ~(unit - 1);
}

std::byte* FirstBlockOf(std::byte* base, std::size_t unit)
{
    return RoundDown(base + 127 + unit, unit);
}

std::byte* AddressOf(BlockHeader* block)
{
    return reinterpret_cast<std::byte*>(block);
}

ArenaControl* ControlOf(const HeapRecord& heap)
{
    return reinterpret_cast<ArenaControl*>(heap.base);
}

BlockHeader* HeaderBefore(void* pointer)
{
    return reinterpret_cast<BlockHeader*>(static_cast<std::byte*>(pointer) - kHeaderBytes);
}

std::string HexAddress(const void* pointer)
{
    char digits[2 + 2 * sizeof(std::uintptr_t)] = {'0', 'x'};
    auto [end, error] = std::to_chars(digits + 2, std::end(digits),
                                      reinterpret_cast<std::uintptr_t>(pointer), 16);
    return std::string(digits, end);
}

void RefuseFree(const void* pointer, std::string_view reason)
{
    log::Error("MemFree refused " + HexAddress(pointer) + ": " + std::string(reason));
}

// Open arenas, so that MemFree can check a pointer before reading any header.
struct ArenaEntry {
    HeapRecord* heap = nullptr;
    const std::byte* blocksBegin = nullptr;  // lowest pointer a block can have
    const std::byte* end = nullptr;
};

struct ArenaRegistry {
    std::mutex mutex;
    std::array<ArenaEntry, kMaxArenas> entries{};
};

ArenaRegistry& Registry()
{
    static ArenaRegistry registry;
    return registry;
}

bool RegisterArena(HeapRecord* heap, const std::byte* blocksBegin, const std::byte* end)
{
    ArenaRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    ArenaEntry* slot = nullptr;
    for (ArenaEntry& entry : registry.entries) {
        if (entry.heap == heap) {
            slot = &entry;
            break;
        }
        if (entry.heap == nullptr && slot == nullptr) {
            slot = &entry;
        }
    }
    if (slot == nullptr) {
        return false;
    }
    *slot = ArenaEntry{heap, blocksBegin, end};
    return true;
}

// Arenas nest (the small and resource heaps are blocks of the main heap), so
// the innermost arena holding the pointer is the one it belongs to.
HeapRecord* FindArenaOf(const void* pointer)
{
    const auto* address = static_cast<const std::byte*>(pointer);
    ArenaRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    const ArenaEntry* best = nullptr;
    for (const ArenaEntry& entry : registry.entries) {
        if (entry.heap == nullptr || address < entry.blocksBegin || address >= entry.end) {
            continue;
        }
        if (best == nullptr || entry.end - entry.blocksBegin < best->end - best->blocksBegin) {
            best = &entry;
        }
    }
    return best != nullptr ? best->heap : nullptr;
}

void Unlink(ArenaControl& arena, BlockHeader* block)
{
    if (block->prevFree != nullptr) {
        block->prevFree->nextFree = block->nextFree;
    } else {
        arena.freeHead = block->nextFree;
    }
    if (block->nextFree != nullptr) {
        block->nextFree->prevFree = block->prevFree;
    } else {
        arena.freeTail = block->prevFree;
    }
}

// Merges next into block when they touch.
void MergeWithNext(ArenaControl& arena, BlockHeader* block)
{
    BlockHeader* next = block->nextFree;
    if (next == nullptr || AddressOf(block) + block->size != AddressOf(next)) {
        return;
    }
    Unlink(arena, next);
    block->size += next->size;
}

}  // namespace

bool InitArena(HeapRecord* heap, void* base, std::size_t size, std::size_t unit, bool alreadyZeroed)
{
    if (heap == nullptr || base == nullptr) {
        log::Error("InitArena: no heap record or no memory");
        return false;
    }
    unit = std::max(unit, kMinArenaUnit);
    if ((unit & (unit - 1)) != 0) {
        log::Error("InitArena: the unit " + std::to_string(unit) + " is not a power of two");
        return false;
    }
    auto* bytes = static_cast<std::byte*>(base);
    if (reinterpret_cast<std::uintptr_t>(bytes) % alignof(ArenaControl) != 0) {
        log::Error("InitArena: misaligned arena base " + HexAddress(base));
        return false;
    }
    std::byte* first = FirstBlockOf(bytes, unit);
    const std::size_t headerArea = HeaderArea(unit);
    const std::size_t prefix = static_cast<std::size_t>(first - bytes);
    // Room for at least one block of the smallest size (2 allocation units).
    const std::size_t smallestBlock = 2 * std::max(unit, kMinAllocUnit);
    if (size < prefix + headerArea + smallestBlock) {
        log::Error("InitArena: an arena of " + std::to_string(size) + " bytes is too small");
        return false;
    }
    if (!RegisterArena(heap, first + kHeaderBytes, bytes + size)) {
        log::Error("InitArena: too many arenas are open");
        return false;
    }
    if (!alreadyZeroed) {
        std::memset(bytes, 0, size);
    }

    heap->base = bytes;
    heap->size = size;
    auto* control = new (bytes) ArenaControl{};
    const std::size_t freeSize = size - prefix - headerArea;
    auto* block = new (first) BlockHeader{kBlockTag, kFreeBlock, nullptr, nullptr, freeSize, control, first, 0};
    control->base = bytes;
    control->freeHead = block;
    control->freeTail = block;
    control->firstFreeSize = freeSize;
    control->unit = unit;
    control->heap = heap;
    return true;
}

void CloseArena(HeapRecord* heap)
{
    ArenaRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    for (ArenaEntry& entry : registry.entries) {
        if (entry.heap == heap) {
            entry = ArenaEntry{};
        }
    }
}

void AttachHeapLock(HeapRecord* heap)
{
    heap->lock = new (std::nothrow) thread::SYSWIN_CCriticalSection();
}

void DeleteHeapLock(HeapRecord* heap)
{
    delete heap->lock;
    heap->lock = nullptr;
}

bool IsInAnyArena(const void* pointer)
{
    return FindArenaOf(pointer) != nullptr;
}

void* MemAlloc(HeapRecord* heap, std::size_t n)
{
    if (n == 0 || heap == nullptr || heap->base == nullptr || n > heap->size) {
        return nullptr;
    }
    thread::SYS_CScopedLock lock(heap->lock);
    ArenaControl& arena = *ControlOf(*heap);
    const std::size_t u = AllocUnit(arena);
    const std::size_t h = HeaderArea(u);
    const std::size_t t = RoundUp(h + n, u);

    // First fit. A block only a little larger than needed is skipped, so
    // that no sliver too small to hold a block is left behind.
    BlockHeader* block = arena.freeHead;
    while (block != nullptr && block->size != t && block->size < t + 2 * u) {
        block = block->nextFree;
    }
    if (block == nullptr) {
        return nullptr;
    }

    std::byte* start = AddressOf(block);
    if (block->size > t) {
        auto* rest = new (start + t) BlockHeader{kBlockTag, kFreeBlock, block->prevFree, block->nextFree,
                                                 block->size - t, &arena, start + t, 0};
        if (rest->prevFree != nullptr) {
            rest->prevFree->nextFree = rest;
        } else {
            arena.freeHead = rest;
        }
        if (rest->nextFree != nullptr) {
            rest->nextFree->prevFree = rest;
        } else {
            arena.freeTail = rest;
        }
    } else {
        Unlink(arena, block);
    }

    std::byte* pointer = RoundDown(start, u) + h;
    new (HeaderBefore(pointer)) BlockHeader{kBlockTag, kLiveBlock, nullptr, nullptr, t, &arena, start, 0};

    arena.bytesInUse += t;
    ++arena.allocCount;
    ++arena.liveBlocks;
    arena.peakBytesInUse = std::max(arena.peakBytesInUse, arena.bytesInUse);
    std::memset(pointer, 0, t - h);
    return pointer;
}

void MemFree(void* pointer)
{
    if (pointer == nullptr) {
        return;
    }
    HeapRecord* heap = FindArenaOf(pointer);
    if (heap == nullptr) {
        RefuseFree(pointer, "not inside any heap");
        return;
    }
    thread::SYS_CScopedLock lock(heap->lock);
    ArenaControl& arena = *ControlOf(*heap);
    const std::size_t u = AllocUnit(arena);
    auto* address = static_cast<std::byte*>(pointer);
    if (reinterpret_cast<std::uintptr_t>(address) % u != 0) {
        RefuseFree(pointer, "not the start of a block");
        return;
    }
    BlockHeader* header = HeaderBefore(pointer);
    if (header->tag != kBlockTag || header->arena != &arena) {
        RefuseFree(pointer, "no block header of this heap");
        return;
    }
    if (header->state != kLiveBlock) {
        RefuseFree(pointer, "already freed");
        return;
    }
    std::byte* start = header->start;
    const std::size_t size = header->size;
    std::byte* arenaEnd = heap->base + heap->size;
    const bool sane = start >= FirstBlockOf(heap->base, arena.unit) && start <= address - kHeaderBytes
        && address - start <= static_cast<std::ptrdiff_t>(u) && size % u == 0 && size >= 2 * u
        && size <= static_cast<std::size_t>(arenaEnd - start);
    if (!sane) {
        RefuseFree(pointer, "damaged block header");
        return;
    }

    // Free neighbours by address: prev is the last free block below, next the
    // first one above.
    BlockHeader* prev = nullptr;
    BlockHeader* next = arena.freeHead;
    while (next != nullptr && AddressOf(next) < start) {
        prev = next;
        next = next->nextFree;
    }
    if (prev != nullptr && AddressOf(prev) + prev->size > start) {
        RefuseFree(pointer, "lies inside a free block");
        return;
    }
    if (next != nullptr && start + size > AddressOf(next)) {
        RefuseFree(pointer, "overlaps a free block");
        return;
    }

    header->state = kFreeBlock;
    // Linked in wherever it belongs, also into an empty list or past the
    // last free block, so no freed block is ever lost to the arena.
    auto* block = new (start) BlockHeader{kBlockTag, kFreeBlock, prev, next, size, &arena, start, 0};
    if (prev != nullptr) {
        prev->nextFree = block;
    } else {
        arena.freeHead = block;
    }
    if (next != nullptr) {
        next->prevFree = block;
    } else {
        arena.freeTail = block;
    }
    if (prev != nullptr && AddressOf(prev) + prev->size == start) {
        MergeWithNext(arena, prev);
        block = prev;
    }
    MergeWithNext(arena, block);

    ++arena.freeCount;
    arena.bytesInUse -= size;
    --arena.liveBlocks;
}

ArenaStats GetArenaStats(const HeapRecord& heap)
{
    thread::SYS_CScopedLock lock(heap.lock);
    const ArenaControl& arena = *ControlOf(heap);
    ArenaStats stats;
    stats.unit = arena.unit;
    stats.firstFreeSize = arena.firstFreeSize;
    stats.allocCount = arena.allocCount;
    stats.freeCount = arena.freeCount;
    stats.bytesInUse = arena.bytesInUse;
    stats.liveBlocks = arena.liveBlocks;
    stats.peakBytesInUse = arena.peakBytesInUse;
    return stats;
}

std::vector<FreeBlockInfo> GetFreeBlocks(const HeapRecord& heap)
{
    thread::SYS_CScopedLock lock(heap.lock);
    std::vector<FreeBlockInfo> blocks;
    for (BlockHeader* block = ControlOf(heap)->freeHead; block != nullptr; block = block->nextFree) {
        blocks.push_back({static_cast<std::size_t>(AddressOf(block) - heap.base), block->size});
    }
    return blocks;
}

}  // namespace vesk::memory
