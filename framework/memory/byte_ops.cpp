// Byte comparison and clearing.
#include "framework/memory/byte_ops.h"

#include <cstring>

namespace vesk::memory {

int CompareBytes(const void* a, const void* b, std::size_t n)
{
    const int result = n == 0 ? 0 : std::memcmp(a, b, n);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

void ClearMemory(void* pointer, std::size_t n)
{
    if (n != 0) {
        std::memset(pointer, 0, n);
    }
}

}  // namespace vesk::memory
