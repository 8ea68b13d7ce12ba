// Typed command arguments: how definition files name them, how source tokens become bytes and back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/common/script_lexer.h"

namespace vesk::tools::script {

enum class ArgType {
    I32,        // signed word
    U32,        // unsigned word
    Hex,        // word printed in hex (masks, ids)
    F32,        // float word
    Tag,        // 4-character tag word: 'ID01'
    Label,      // command index word, written as a label
    Condition,  // all | any | not_all | not_any (condition words of a conditional jump)
    Compare,    // == != > >= < <= (compare modes 4 to 9)
    I16,
    U16,
    U8,
    AsciiFixed,  // ascii[N]: N bytes, text of at most N - 1, zero-filled
    AsciiZ,      // asciiz: zero-terminated
    Utf16Fixed,  // utf16[N]: N units, text of at most N - 1 units, zero-filled
    Utf16Z,      // utf16z: zero-terminated
};

// Where an argument goes: the argument data, the command's mode byte, or its
// u16 operand.
enum class ArgPlace { Data, Mode, Operand };

struct ArgSpec {
    ArgType type = ArgType::I32;
    ArgPlace place = ArgPlace::Data;
    std::uint32_t length = 0;  // N of the fixed texts
};

// "i32", "mode:u8", "operand:u16", "utf16[32]", ...; null with error set
// when the text names no type or a type that cannot go to that place.
std::optional<ArgSpec> ParseArgSpec(std::string_view text, std::string& error);
std::string ArgSpecName(const ArgSpec& spec);

// Appends one data argument (aligned to its natural alignment). Label
// arguments take labelIndex and ignore the token. False with error set when
// the token is not a value of the type.
bool EncodeDataArgument(const ArgSpec& spec, const Token& token, std::uint32_t labelIndex,
                        std::vector<std::uint8_t>& data, std::string& error);
// Pads argument data to whole words.
void FinishArgumentData(std::vector<std::uint8_t>& data);

// The value of a mode or operand argument, range-checked for its place.
std::optional<std::uint32_t> EncodeScalarArgument(const ArgSpec& spec, const Token& token, std::string& error);

// One data argument read back: its source text, or for labels the index.
struct DecodedArgument {
    std::string text;
    bool isLabel = false;
    std::uint32_t labelIndex = 0;
};

// Reads the data argument at offset (after aligning it) and advances offset;
// null when the data ends first.
std::optional<DecodedArgument> DecodeDataArgument(const ArgSpec& spec, std::span<const std::uint8_t> data,
                                                  std::size_t& offset);
std::string FormatScalarArgument(const ArgSpec& spec, std::uint32_t value);

// Integers of sources: decimal or 0x hex, with an optional sign.
std::optional<std::int64_t> ParseInteger(std::string_view text);
// An entry id or tag word as source: 'ID01' when printable, else a number.
std::string FormatTagWord(std::uint32_t word);
std::optional<std::uint32_t> TagWord(std::string_view fourBytes);

}  // namespace vesk::tools::script
