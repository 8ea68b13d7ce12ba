// The assembler's promise, checked on whatever a fuzzer makes.
// A package that assembles prints as source that assembles to the same bytes.
#pragma once

#include <cstdlib>
#include <string_view>

#include "tools/common/script_assembler.h"
#include "tools/common/script_disassembler.h"

namespace fuzz {

inline void AssembleAndRoundTrip(std::string_view source, const vesk::tools::script::CommandSet& commands)
{
    using namespace vesk::tools::script;
    const AssemblyResult assembled = AssembleScript(source, "fuzz.vss", commands);
    if (!assembled.Ok()) return;
    const DisassemblyResult printed = DisassembleScript(assembled.package, commands);
    if (!printed.ok || !printed.notes.empty()) std::abort();
    const AssemblyResult again = AssembleScript(printed.source, "again.vss", commands);
    if (!again.Ok() || again.package != assembled.package) std::abort();
}

}  // namespace fuzz
