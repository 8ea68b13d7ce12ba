// Every plain form of new and delete replaced for the benchmark program, counting each allocation.
#include "bench/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

// Every plain form of new and delete, so that each allocation is counted and each block goes back
// the way it came. The sanitizer build keeps its own allocator (its runtime supplies some forms of
// new itself, and a block from one allocator freed by the other is a fault), so it counts nothing.
namespace {

std::atomic<std::size_t> g_allocations{0};

}  // namespace

std::size_t bench_support::AllocationCount() { return g_allocations.load(std::memory_order_relaxed); }

#if !defined(__SANITIZE_ADDRESS__)
namespace {

void* CountedAllocation(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size)
{
    if (void* block = CountedAllocation(size)) return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    if (void* block = CountedAllocation(size)) return block;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return CountedAllocation(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return CountedAllocation(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
#pragma GCC diagnostic pop
#endif
