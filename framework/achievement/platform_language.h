// Platform language codes, and the player's language as the storefront reports it.
#pragma once

#include <cstdint>
#include <string_view>

namespace vesk::achievement {

// Platform language codes the game turns into its language index.
inline constexpr int32_t kPlatformLanguageJapanese = 0;
inline constexpr int32_t kPlatformLanguageEnglish = 1;
inline constexpr int32_t kPlatformLanguageKorean = 7;
inline constexpr int32_t kPlatformLanguageSimplifiedChinese = 15;
inline constexpr int32_t kPlatformLanguageTraditionalChinese = 16;

// The code of a storefront language name; English for names the game has no texts for.
int32_t PlatformLanguageCodeFromName(std::string_view name);

// Asks the storefront for the player's language and keeps its code.
void ReadPlatformLanguage();

// The code kept by ReadPlatformLanguage (English before it ran).
int32_t GetPlatformLanguageCode();

}  // namespace vesk::achievement
