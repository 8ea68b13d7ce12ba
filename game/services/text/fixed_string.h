// Strings of a fixed capacity that live inside their owning record: message keys, names, dialog lines.
#pragma once

#include <array>
#include <cstddef>

// N characters, nothing else: the text is what stands before the first zero, it holds at most N - 1
// characters and the last character is always zero. No operation allocates or writes past the array;
// a source too long is cut (counting characters, never bytes).
template <typename Char, std::size_t N>
class UTL_CFixedStringOf {
    static_assert(N >= 1, "a fixed string holds at least its terminator");

public:
    UTL_CFixedStringOf() { chars_.fill(Char{}); }
    // A null source gives the empty text.
    explicit UTL_CFixedStringOf(const Char* source)
    {
        chars_.fill(Char{});
        if (source != nullptr) CopyFront(source);
    }

    // Clears the whole array, then copies; the new length. A null source leaves the text empty.
    std::size_t Assign(const Char* source)
    {
        chars_.fill(Char{});
        if (source == nullptr) return 0;
        return CopyFront(source);
    }

    // Appends what fits after the current text; a null source changes nothing.
    UTL_CFixedStringOf& Append(const Char* source)
    {
        if (source == nullptr) return *this;
        const std::size_t length = Length();
        if (length >= N) return *this;
        const std::size_t sourceLength = LengthOf(source);
        for (std::size_t i = 0; length + i < N && i < sourceLength; ++i) chars_[length + i] = source[i];
        chars_[N - 1] = Char{};
        if (length + sourceLength < N - 1) chars_[length + sourceLength] = Char{};
        return *this;
    }

    std::size_t Length() const { return LengthOf(chars_.data()); }
    bool Empty() const { return chars_[0] == Char{}; }
    const Char* c_str() const { return chars_.data(); }
    static constexpr std::size_t Capacity() { return N; }
    // The whole array, terminator included (records compare and copy it as a whole).
    const std::array<Char, N>& Chars() const { return chars_; }

private:
    static std::size_t LengthOf(const Char* text)
    {
        std::size_t length = 0;
        while (text[length] != Char{}) ++length;
        return length;
    }

    std::size_t CopyFront(const Char* source)
    {
        std::size_t count = 0;
        while (count < N - 1 && source[count] != Char{}) {
            chars_[count] = source[count];
            ++count;
        }
        chars_[N - 1] = Char{};
        return count;
    }

    std::array<Char, N> chars_;
};

template <std::size_t N>
using UTL_CFixedString = UTL_CFixedStringOf<char, N>;
template <std::size_t N>
using UTL_CFixedWString = UTL_CFixedStringOf<char16_t, N>;
