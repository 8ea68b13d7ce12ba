// The script disassembler that prints a script package as source for the assembler.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/common/script_commands.h"

namespace vesk::tools::script {

struct DisassemblyResult {
    bool ok = false;
    std::string source;
    std::string error;               // why the package could not be read
    std::vector<std::string> notes;  // what the source cannot reproduce exactly
};

// Prints a package as source for AssembleScript. A package the assembler
// wrote prints as source that assembles to the same bytes; commands that no
// definition reproduces print as .raw. For other packages the notes say
// where the bytes would differ. name (the package's file) names it in the
// log when it is refused.
DisassemblyResult DisassembleScript(std::span<const std::uint8_t> package, const CommandSet& commands,
                                    std::string_view name = "script package");

}  // namespace vesk::tools::script
