// The game's five languages: their index, message file, font slot and window title.
#include "game/services/text/language.h"

#include <array>

#include "framework/achievement/platform_language.h"
#include "framework/app/window_title.h"

namespace {

struct LanguageFiles {
    std::string_view messageFile;
    std::uint32_t fontSlot;
};

constexpr std::array<LanguageFiles, kLanguageCount> kLanguages = {{
    {"message/japanese.mes", 0},
    {"message/english.mes", 0},
    {"message/korean.mes", 2},
    {"message/traditionalChinese.mes", 3},
    {"message/simplifiedChinese.mes", 4},
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

std::u16string_view GetWindowTitleForLanguage(std::uint32_t language)
{
    return language == kLanguageJapanese ? vesk::app::kTitleJapanese : vesk::app::kTitleEnglish;
}
