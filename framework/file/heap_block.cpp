// Whole-file blocks from the given heap or the main heap.
#include "framework/file/heap_block.h"

#include "framework/memory/heaps.h"

namespace vesk::file {

void* AllocateFileBlock(memory::HeapRecord* heap, std::size_t size)
{
    return heap != nullptr ? memory::MemAlloc(heap, size) : memory::MainHeapAlloc(size);
}

void FreeFileBlock(void* block)
{
    memory::MainHeapFree(block);
}

}  // namespace vesk::file
