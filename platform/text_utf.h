#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-16 to UTF-8 for the few places where the platform wants narrow text.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace platform
