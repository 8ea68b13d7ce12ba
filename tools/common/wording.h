// A text as the game shows it in its three scripts, and the suffix each script's picture takes.
#pragma once

#include <array>
#include <string_view>

namespace tools {

struct Wording {
    std::u16string_view japanese;
    std::u16string_view english;
    std::u16string_view korean;
};

// Pictures with words on them come in three forms: "name" (Japanese), "name_eng" and "name_kr".
inline constexpr int kScripts = 3;
inline constexpr std::array<const char*, kScripts> kScriptSuffixes = {"", "_eng", "_kr"};

// Script 0 is Japanese, 1 English, 2 Korean, in the order of kScriptSuffixes.
constexpr std::u16string_view InScript(const Wording& wording, int script)
{
    return script == 0 ? wording.japanese : script == 1 ? wording.english : wording.korean;
}

}  // namespace tools
