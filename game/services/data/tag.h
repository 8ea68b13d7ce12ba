// Four-character tags ("SHP2", "ID01", "TCKG"): the 32-bit word whose bytes in memory spell the tag.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

// The tag word of four ASCII characters: the first character in the low byte, so that the word
// stored little-endian spells the tag.
constexpr std::uint32_t MakeTag(const char (&text)[5])
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 8) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(text[3])) << 24);
}

// The four characters of a tag word, for message keys and logs.
inline std::string TagText(std::uint32_t tag)
{
    std::string text(4, '\0');
    for (int i = 0; i < 4; ++i) text[i] = static_cast<char>((tag >> (8 * i)) & 0xFF);
    return text;
}

// An id as a data author wrote it: 'ID01' when its four bytes are printable, else the number.
inline std::string DescribeId(std::uint32_t id)
{
    const std::string text = TagText(id);
    const bool printable =
        std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E && c != '\''; });
    return printable ? "'" + text + "'" : std::to_string(static_cast<std::int32_t>(id));
}
