// A command's argument data, read by word with every read checked against the end of the block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/little_endian.h"

namespace vesk::utility::script {

// The argument data of one command: its bytes up to the end of the block.
// Handlers read words by index; a read that would leave the block gives 0 and
// marks the command faulty, and the engine then stops the thread. Handlers
// that act on several words call Need first so that they act on all or none.
class ScriptArgs {
public:
    ScriptArgs() = default;
    ScriptArgs(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool IsEmpty() const { return data_ == nullptr; }
    const std::uint8_t* Data() const { return data_; }
    std::size_t Size() const { return size_; }
    bool Faulted() const { return faulted_; }

    // True when `words` 32-bit words are there; false marks the fault.
    bool Need(std::size_t words) const { return NeedBytes(words * 4); }
    bool NeedBytes(std::size_t bytes) const
    {
        if (bytes <= size_) {
            return true;
        }
        faulted_ = true;
        return false;
    }

    std::uint32_t U32(std::size_t index) const
    {
        return Need(index + 1) ? platform::ReadU32(data_ + index * 4) : 0;
    }
    std::int32_t I32(std::size_t index) const { return static_cast<std::int32_t>(U32(index)); }
    float F32(std::size_t index) const { return Need(index + 1) ? platform::ReadF32(data_ + index * 4) : 0.0f; }

    // Text of 8-bit characters from byteOffset up to its zero byte; empty and
    // faulty when no zero byte comes before the end of the block.
    std::string_view AsciiZ(std::size_t byteOffset) const
    {
        for (std::size_t at = byteOffset; at < size_; ++at) {
            if (data_[at] == 0) {
                return std::string_view(reinterpret_cast<const char*>(data_ + byteOffset), at - byteOffset);
            }
        }
        faulted_ = true;
        return {};
    }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    mutable bool faulted_ = false;
};

}  // namespace vesk::utility::script
