// Scans arbitrary bytes as the game's command line.
// The words are split at zero bytes and joined as the program joins its
// arguments, and the same bytes are read as UTF-16 text. Reading the screen
// sizes may neither crash nor overflow.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/app/command_line.h"
#include "platform/little_endian.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using vesk::app::ScanCommandLine;
    std::u16string joined;
    for (size_t i = 0; i < size; ++i) {
        joined += data[i] == 0 ? u' ' : static_cast<char16_t>(data[i]);
    }
    ScanCommandLine(joined);

    std::u16string wide;
    for (size_t i = 0; i + 1 < size; i += 2) {
        wide += static_cast<char16_t>(platform::ReadU16(data + i));
    }
    ScanCommandLine(wide);

    // After "-scr_w" a single word is its number, unless it starts a switch.
    // (More words go round the ring of tokens and may add to that number's.)
    if (wide.find_first_of(u" \t") == std::u16string::npos) {
        const vesk::app::CommandLineOptions options = ScanCommandLine(u"-scr_w " + wide);
        const bool startsSwitch = !wide.empty() && wide[0] == u'-';
        if (options.hasScreenWidth == startsSwitch ||
            (!startsSwitch && options.screenWidth != vesk::app::TokenToInt(wide))) {
            std::abort();
        }
    }
    return 0;
}
