// The command line's screen-size switches ("-scr_w", "-scr_h") and the scan that reads them.
#pragma once

#include <string_view>

namespace vesk::app {

// What the command line asks for: "-scr_w <number>" and "-scr_h <number>".
struct CommandLineOptions {
    bool hasScreenWidth = false;
    int screenWidth = 0;
    bool hasScreenHeight = false;
    int screenHeight = 0;
};

// Splits the line at blanks into a ring of four tokens. A switch is recognised in the
// first token; its number is the second token. A token that starts with '-' starts a
// new ring; any other token goes to the next slot, the fifth back into the first,
// where its characters are added to those already there.
CommandLineOptions ScanCommandLine(std::u16string_view line);

// The number at the start of a token, as the C library reads it: leading blanks, an
// optional sign, decimal digits up to the first other character; 0 when there are
// none. Values beyond the int range saturate.
int TokenToInt(std::u16string_view token);

}  // namespace vesk::app
