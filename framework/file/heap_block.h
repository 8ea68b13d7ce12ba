// Blocks that hold a whole file, from a given heap or the main heap, and their release.
#pragma once

#include <cstddef>

#include "framework/memory/arena.h"

namespace vesk::file {

// A block for a whole file: from heap when given, else the main heap, else
// the general allocator. FreeFileBlock gives it back the same way.
void* AllocateFileBlock(memory::HeapRecord* heap, std::size_t size);
void FreeFileBlock(void* block);

}  // namespace vesk::file
