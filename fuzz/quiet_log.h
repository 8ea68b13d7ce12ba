// The log sent nowhere, for fuzz targets whose bad inputs would otherwise fill the terminal.
#pragma once

#include <string_view>

#include "framework/log/log.h"

namespace fuzz_support {

// Silences the log on the first call; later calls do nothing.
inline void QuietLog()
{
    static const bool quiet = [] {
        vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
        return true;
    }();
    (void)quiet;
}

}  // namespace fuzz_support
