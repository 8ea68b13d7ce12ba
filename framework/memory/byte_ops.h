// Byte comparison with a sign of -1, 0 or 1, and clearing.
#pragma once

#include <cstddef>

namespace vesk::memory {

// 0 when the n bytes are equal, else -1 or 1 by the first differing byte
// compared as unsigned.
int CompareBytes(const void* a, const void* b, std::size_t n);
void ClearMemory(void* pointer, std::size_t n);

}  // namespace vesk::memory
