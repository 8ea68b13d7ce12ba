// The script assembler, and the source it reads.
// Script source, one statement a line (';' starts a comment):
//
//     .entry 'ID01'                 ; a new entry: a number or a 4-character tag
//     "データベース登録":             ; exported label: a label-table name
//     loop:                         ; local label
//         wait 3                    ; a mnemonic of the definition files
//         goto loop
//     .export "name" loop           ; a label-table name for a local label or #index
//     .raw 1 5 0 0 0x10 -2          ; table slot mode operand, then data words
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/common/script_commands.h"
#include "tools/common/script_diagnostic.h"

namespace vesk::tools::script {

// Every label (local or exported) writes a label marker, the empty common
// slot 0, at its place; label arguments hold the marker's command index, so
// a goto continues after it and a jump runs it. Label arguments are written
// as a local name, an exported "name", or #index.
inline constexpr std::uint8_t kMarkerTable = 0;
inline constexpr std::uint16_t kMarkerSlot = 0;

struct AssemblyResult {
    std::vector<std::uint8_t> package;
    Diagnostics errors;

    bool Ok() const { return errors.empty(); }
};

AssemblyResult AssembleScript(std::string_view source, std::string_view fileName, const CommandSet& commands);

}  // namespace vesk::tools::script
