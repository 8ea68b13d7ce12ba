// The game's five languages: their index, message file, font slot, slot-0 font and window title.
#include "game/services/text/language.h"

#include <array>

#include "framework/achievement/platform_language.h"
#include "framework/app/window_title.h"

namespace {

struct LanguageFiles {
    std::string_view messageFile;
    std::uint32_t fontSlot;
    std::string_view systemFont;
    std::uint32_t keptFontSlot;
};

// English has a slot-0 font of its own, whose full-width forms are as narrow as ASCII.
constexpr std::array<LanguageFiles, kLanguageCount> kLanguages = {{
    {"message/japanese.mes", 0, "font/font_system", kKeptSystemFontSlot},
    {"message/english.mes", 0, "font/font_english", kKeptSystemFontSlot},
    {"message/korean.mes", 2, "font/font_system", 2},
    {"message/traditionalChinese.mes", 3, "font/font_system", 3},
    {"message/simplifiedChinese.mes", 4, "font/font_system", 4},
}};

const LanguageFiles& FilesOf(std::uint32_t language)
{
    return kLanguages[language < kLanguages.size() ? language : kLanguageEnglish];
}

}  // namespace

std::uint32_t LanguageIndexFromPlatformCode(std::int32_t platformCode)
{
    using namespace vesk::achievement;
    switch (platformCode) {
    case kPlatformLanguageJapanese:
        return kLanguageJapanese;
    case kPlatformLanguageKorean:
        return kLanguageKorean;
    case kPlatformLanguageSimplifiedChinese:
        return kLanguageSimplifiedChinese;
    case kPlatformLanguageTraditionalChinese:
        return kLanguageTraditionalChinese;
    default:
        return kLanguageEnglish;
    }
}

std::uint32_t GetPlatformLanguageIndex()
{
    return LanguageIndexFromPlatformCode(vesk::achievement::GetPlatformLanguageCode());
}

std::string_view GetMessageFileForLanguage(std::uint32_t language) { return FilesOf(language).messageFile; }

std::uint32_t GetFontSlotForLanguage(std::uint32_t language) { return FilesOf(language).fontSlot; }

std::string_view GetSystemFontForLanguage(std::uint32_t language) { return FilesOf(language).systemFont; }

std::uint32_t GetKeptFontSlotForLanguage(std::uint32_t language) { return FilesOf(language).keptFontSlot; }

std::u16string_view GetWindowTitleForLanguage(std::uint32_t language)
{
    return language == kLanguageJapanese ? vesk::app::kTitleJapanese : vesk::app::kTitleEnglish;
}
