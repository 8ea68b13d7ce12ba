// A small arena heap on page-aligned memory for one test.
#pragma once

#include <cstdlib>
#include <cstddef>

#include <gtest/gtest.h>

#include "framework/memory/arena.h"

namespace support {

// A small arena on page-aligned memory, closed and freed with the object.
class TestArena {
public:
    explicit TestArena(std::size_t size, std::size_t unit = 0x80, bool withLock = false)
        : size_(size), memory_(std::aligned_alloc(4096, size))
    {
        ok_ = vesk::memory::InitArena(&heap_, memory_, size_, unit);
        if (withLock) {
            vesk::memory::AttachHeapLock(&heap_);
        }
    }
    ~TestArena()
    {
        vesk::memory::CloseArena(&heap_);
        vesk::memory::DeleteHeapLock(&heap_);
        std::free(memory_);
    }
    TestArena(const TestArena&) = delete;
    TestArena& operator=(const TestArena&) = delete;

    bool ok() const { return ok_; }
    vesk::memory::HeapRecord* heap() { return &heap_; }
    std::byte* base() { return static_cast<std::byte*>(memory_); }

private:
    std::size_t size_;
    void* memory_;
    vesk::memory::HeapRecord heap_;
    bool ok_ = false;
};

}  // namespace support
