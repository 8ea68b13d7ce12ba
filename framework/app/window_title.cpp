#include "framework/app/window_title.h"

namespace vesk::app {

int ReadPlatformLanguage()
{
    // The storefront stand-in reads the user's language here.
    return kPlatformLanguageEnglish;
}

std::u16string_view WindowTitleForPlatformLanguage(int languageCode)
{
    return languageCode == kPlatformLanguageJapanese ? kTitleJapanese : kTitleEnglish;
}

}  // namespace vesk::app
