// The window title chosen by the language the storefront reports.
#include "framework/app/window_title.h"

#include "framework/achievement/platform_language.h"

namespace vesk::app {

int ReadPlatformLanguage()
{
    achievement::ReadPlatformLanguage();
    return achievement::GetPlatformLanguageCode();
}

std::u16string_view WindowTitleForPlatformLanguage(int languageCode)
{
    return languageCode == kPlatformLanguageJapanese ? kTitleJapanese : kTitleEnglish;
}

}  // namespace vesk::app
