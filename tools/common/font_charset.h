// The UTF-16 code units a font must have a glyph for, gathered from ranges and message texts.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/common/message_file_writer.h"

namespace tools {

// The UTF-16 code units a font must have a glyph for, each once, in order.
class FontCharset {
public:
    void AddRange(char16_t first, char16_t last);

    // Adds the code units of every text whose key begins with one of the
    // prefixes (every text when there are none). Control codes are left out:
    // the text drawing breaks lines at line feeds and escapes and draws no
    // other control code. A surrogate can have no glyph of its own (glyphs are
    // found by single code unit), so a text holding one is reported in
    // `errors` and its surrogates are not added.
    void AddMessageTexts(const std::vector<MessageFileEntry>& entries, const std::vector<std::string>& keyPrefixes,
                         std::string_view sourceName, std::vector<std::string>& errors);

    const std::set<char16_t>& Codes() const { return codes_; }

private:
    std::set<char16_t> codes_;
};

// "41" or "3041-3094", hexadecimal code units; false for anything else, for a
// range that runs backwards and for code unit 0.
bool ParseCodeRange(std::string_view text, char16_t& first, char16_t& last);

}  // namespace tools
