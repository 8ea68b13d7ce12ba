// The program's heaps and the allocation entry points everything else uses.
#pragma once

#include <cstddef>

#include "framework/memory/arena.h"

namespace vesk::memory {

inline constexpr std::size_t kMainHeapSize = 0x14000000;      // 320 MiB
inline constexpr std::size_t kSmallHeapSize = 0x100000;       // 1 MiB
inline constexpr std::size_t kResourceHeapSize = 0xA00000;    // 10 MiB
inline constexpr std::size_t kParticleHeapSize = 0x14000000;  // 320 MiB
inline constexpr std::size_t kMainHeapUnit = 0x80;
inline constexpr std::size_t kSmallHeapUnit = 0x80;
inline constexpr std::size_t kResourceHeapUnit = 0x40;
inline constexpr std::size_t kParticleHeapUnit = 0x1000;

// Null while the heap does not exist.
HeapRecord* MainHeap();
HeapRecord* SmallHeap();     // locks, shader pairs, render-target textures
HeapRecord* ResourceHeap();  // fonts, textures, text and other loaded data
HeapRecord* ParticleHeap();  // the particle runtime

// The main heap (from the system, zeroed lazily), then the small and the
// resource heaps carved out of it, each with its lock. False when the main
// heap cannot be had; the program then runs on the general allocator.
bool CreateHeaps();
// Made once the framework manager exists.
bool CreateParticleHeap();
// Resource, small and particle heaps, then the main heap. From then on
// MainHeapFree ignores blocks of the released heaps.
void ReleaseHeaps();

// n zero-filled bytes from the main heap, or from the general allocator while
// the main heap does not exist. Null for n = 0 or when nothing is left.
void* MainHeapAlloc(std::size_t n);
// Gives a block back to whichever heap it came from, or to the general
// allocator when MainHeapAlloc took it from there. Blocks of heaps already
// released are ignored; anything else is refused with a log line.
void MainHeapFree(void* pointer);

// Base for objects that live in the main heap: `new` gives null instead of
// throwing when no memory is left, and `delete` returns the memory.
class MainHeapObject {
public:
    static void* operator new(std::size_t size) noexcept { return MainHeapAlloc(size); }
    static void operator delete(void* pointer) noexcept { MainHeapFree(pointer); }
};

}  // namespace vesk::memory
