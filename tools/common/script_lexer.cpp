// Splitting a source line into words, literals and colons.
#include "tools/common/script_lexer.h"

#include "tools/common/script_diagnostic.h"

namespace vesk::tools::script {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == ',';
}

bool EndsWord(char c)
{
    return IsBlank(c) || c == '"' || c == '\'' || c == ':' || c == ';';
}

}  // namespace

std::optional<std::vector<Token>> TokenizeLine(std::string_view line, std::string& error)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (IsBlank(c)) {
            ++i;
            continue;
        }
        if (c == ';') {
            break;
        }
        Token token;
        token.column = static_cast<int>(i) + 1;
        if (c == ':') {
            token.kind = Token::Kind::Colon;
            token.text = ":";
            ++i;
        } else if (c == '"' || c == '\'') {
            token.kind = c == '"' ? Token::Kind::String : Token::Kind::Tag;
            std::size_t end = i + 1;
            while (end < line.size() && line[end] != c) {
                end += line[end] == '\\' ? 2 : 1;
            }
            if (end >= line.size()) {
                error = std::string("unterminated ") + (c == '"' ? "text" : "tag") + " starting at column " +
                        std::to_string(token.column);
                return std::nullopt;
            }
            token.text = std::string(line.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            std::size_t end = i;
            while (end < line.size() && !EndsWord(line[end])) {
                ++end;
            }
            token.text = std::string(line.substr(i, end - i));
            i = end;
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::string TokenText(const Token& token)
{
    switch (token.kind) {
    case Token::Kind::String:
        return "\"" + token.text + "\"";
    case Token::Kind::Tag:
        return Quoted(token.text);
    default:
        return token.text;
    }
}

}  // namespace vesk::tools::script
