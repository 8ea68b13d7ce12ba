// The window's title in English and Japanese, and the language code that picks one.
#pragma once

#include <string_view>

namespace vesk::app {

inline constexpr std::u16string_view kTitleEnglish = u"VARNOLIS";
inline constexpr std::u16string_view kTitleJapanese = u"ヴァルノリス";

// The storefront's language code for Japanese; every other code shows the English title.
inline constexpr int kPlatformLanguageJapanese = 0;
inline constexpr int kPlatformLanguageEnglish = 1;

// The language code the storefront reports, read once at start-up.
int ReadPlatformLanguage();

std::u16string_view WindowTitleForPlatformLanguage(int languageCode);

}  // namespace vesk::app
