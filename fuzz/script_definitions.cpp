// Reads arbitrary text as a definition file and a script source, split at the first line "%%".
// The definitions may say anything, and still whatever assembles with them
// must print back as source that assembles to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/script_round_trip.h"
#include "tools/common/script_commands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const size_t split = text.find("\n%%\n");
    const std::string_view definitions = text.substr(0, split);
    const std::string_view source = split == std::string_view::npos ? std::string_view() : text.substr(split + 4);

    vesk::tools::script::CommandSet commands;
    vesk::tools::script::Diagnostics errors;
    if (!commands.Parse(definitions, "fuzz.def", errors)) return 0;
    fuzz::AssembleAndRoundTrip(source, commands);
    return 0;
}
