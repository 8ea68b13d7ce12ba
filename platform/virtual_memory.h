// Page-aligned zeroed memory, backed only where touched, for the arena heaps.
#pragma once

#include <cstddef>

namespace platform {

// Reserves size bytes of page-aligned memory that reads as zero. Pages are
// only backed when first touched, so a large arena costs nothing up front.
// Null when the system refuses.
void* AllocateZeroedPages(std::size_t size);
void FreeZeroedPages(void* base, std::size_t size);

}  // namespace platform
