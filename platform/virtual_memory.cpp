// Zeroed pages from anonymous memory maps.
#include "platform/virtual_memory.h"

#include <sys/mman.h>

namespace platform {

void* AllocateZeroedPages(std::size_t size)
{
    void* base = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    return base == MAP_FAILED ? nullptr : base;
}

void FreeZeroedPages(void* base, std::size_t size)
{
    if (base != nullptr) {
        munmap(base, size);
    }
}

}  // namespace platform
