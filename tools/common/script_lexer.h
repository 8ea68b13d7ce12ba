// Tokens of a script source line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk::tools::script {

// One token of a source line. Words are runs of anything but blanks, commas,
// quotes, colons and ';' (which starts a comment): mnemonics, label names,
// numbers, "#12" command indices and operators such as ">=" alike.
struct Token {
    enum class Kind { Word, String, Tag, Colon };
    Kind kind = Kind::Word;
    std::string text;  // the word, or the literal between its quotes, escapes kept
    int column = 0;    // 1-based

    bool IsWord() const { return kind == Kind::Word; }
};

// Null with error set on an unterminated literal.
std::optional<std::vector<Token>> TokenizeLine(std::string_view line, std::string& error);

// Describes a token for messages: the word itself or the quoted literal.
std::string TokenText(const Token& token);

}  // namespace vesk::tools::script
