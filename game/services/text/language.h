// The game's five languages: their index, message file, font slot, slot-0 font and window title.
#pragma once

#include <cstdint>
#include <string_view>

inline constexpr int kLanguageCount = 5;
inline constexpr std::uint32_t kLanguageJapanese = 0;
inline constexpr std::uint32_t kLanguageEnglish = 1;
inline constexpr std::uint32_t kLanguageKorean = 2;
inline constexpr std::uint32_t kLanguageTraditionalChinese = 3;
inline constexpr std::uint32_t kLanguageSimplifiedChinese = 4;

// The language index of a storefront language code: Japanese, Korean and the two Chinese
// scripts have their own texts, every other code gets English.
std::uint32_t LanguageIndexFromPlatformCode(std::int32_t platformCode);
// The same for the code the storefront reported at start-up.
std::uint32_t GetPlatformLanguageIndex();

// The message file of a language index (indices past the five take English).
std::string_view GetMessageFileForLanguage(std::uint32_t language);
// The font slot its texts are drawn with. Slot 1 is the mini-game's and never chosen here.
std::uint32_t GetFontSlotForLanguage(std::uint32_t language);
// The font file (path without its .abcd / .cvt extension) registered into slot 0 while the
// language is chosen.
std::string_view GetSystemFontForLanguage(std::uint32_t language);

// Slot 0 changes with the language, so a copy of the system font (Japanese and English) stays
// in this slot for texts kept from another language.
inline constexpr std::uint32_t kKeptSystemFontSlot = 5;
// The font slot that holds a language's characters whichever language is in force: for texts
// written in one language and drawn after the player chose another.
std::uint32_t GetKeptFontSlotForLanguage(std::uint32_t language);

// The window title: Japanese for language 0, English for every other.
std::u16string_view GetWindowTitleForLanguage(std::uint32_t language);
