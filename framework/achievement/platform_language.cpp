// The player's language read from the storefront and kept as a platform language code.
#include "framework/achievement/platform_language.h"

#include <string>

#include "platform/storefront/storefront.h"

namespace vesk::achievement {

namespace {
int32_t g_platformLanguage = kPlatformLanguageEnglish;
}  // namespace

int32_t PlatformLanguageCodeFromName(std::string_view name)
{
    if (name == "japanese") return kPlatformLanguageJapanese;
    if (name == "english") return kPlatformLanguageEnglish;
    if (name == "koreana") return kPlatformLanguageKorean;
    // Each Chinese name gets the code of its own script, so that the game
    // picks its Chinese texts rather than falling back to English.
    if (name == "schinese") return kPlatformLanguageSimplifiedChinese;
    if (name == "tchinese") return kPlatformLanguageTraditionalChinese;
    return kPlatformLanguageEnglish;
}

void ReadPlatformLanguage()
{
    g_platformLanguage = PlatformLanguageCodeFromName(platform::storefront::GetCurrentGameLanguage());
}

int32_t GetPlatformLanguageCode() { return g_platformLanguage; }

}  // namespace vesk::achievement
