// Copies of tags and texts into the fixed buffers that notices and records hold.
#include "game/services/text/tag_text.h"

#include <algorithm>

namespace {

template <typename Char>
std::size_t CopyText(Char (&output)[64], std::basic_string_view<Char> text)
{
    std::fill(std::begin(output), std::end(output), Char{0});
    const std::size_t length = std::min(text.substr(0, text.find(Char{0})).size(), std::size(output) - 1);
    std::copy_n(text.data(), length, output);
    return length;
}

}  // namespace

void TagToString(std::uint32_t tag, char (&output)[5])
{
    for (int i = 0; i < 4; ++i) output[i] = static_cast<char>((tag >> (8 * i)) & 0xFF);
    output[4] = '\0';
}

const char* TagToStaticString(std::uint32_t tag)
{
    static char shared[5];
    TagToString(tag, shared);
    return shared;
}

std::size_t CopyText64(char (&output)[64], std::string_view text) { return CopyText(output, text); }

std::size_t CopyWideText64(char16_t (&output)[64], std::u16string_view text) { return CopyText(output, text); }
