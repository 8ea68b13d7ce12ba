// Assembles arbitrary text as a script source with the game's own command tables.
// Whatever assembles must print back as source that assembles to the same
// bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/script_round_trip.h"
#include "tools/common/script_commands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using vesk::tools::script::CommandSet;
    static const CommandSet commands = [] {
        CommandSet set;
        vesk::tools::script::Diagnostics errors;
        for (const char* name : {"common.def", "graphic.def"}) {
            if (!set.LoadFile(std::string(VARNOLIS_SOURCE_DIR "/data/script/defs/") + name, errors)) std::abort();
        }
        return set;
    }();
    fuzz::AssembleAndRoundTrip(std::string_view(reinterpret_cast<const char*>(data), size), commands);
    return 0;
}
