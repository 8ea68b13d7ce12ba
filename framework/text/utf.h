// The UTF-8 and UTF-16 conversions, reached by the framework and the game from here.
#pragma once

#include "platform/text_utf.h"

namespace vesk::text {

// The one UTF-8 / UTF-16 conversion of the program lives in the platform layer
// (it depends on nothing); the framework and the game reach it from here.
using platform::AppendUtf16;
using platform::AppendUtf8;
using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

}  // namespace vesk::text
