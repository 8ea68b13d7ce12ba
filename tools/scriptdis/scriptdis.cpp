// scriptdis: prints a script package as source for scriptasm.
//   scriptdis -d common.def [-d table.def ...] [-o out.vss] package.pac
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

#include "tools/common/script_disassembler.h"
#include "tools/common/script_tool_options.h"
#include "tools/common/whole_file.h"

int main(int argc, char** argv)
{
    using namespace vesk::tools::script;
    ScriptToolOptions options;
    if (!ParseScriptToolOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: scriptdis -d DEFS [-d DEFS ...] [-o OUTPUT] PACKAGE.pac\n");
        return 2;
    }
    CommandSet commands;
    if (!LoadCommandSet(options, commands)) {
        return 1;
    }
    const char* input = options.input.c_str();
    const auto package = ::tools::ReadWholeFile(options.input);
    if (!package) {
        std::fprintf(stderr, "%s: error: cannot read the package\n", input);
        return 1;
    }
    const DisassemblyResult result = DisassembleScript(*package, commands, options.input);
    if (!result.ok) {
        std::fprintf(stderr, "%s: error: %s\n", input, result.error.c_str());
        return 1;
    }
    for (const std::string& note : result.notes) {
        std::fprintf(stderr, "%s: note: %s\n", input, note.c_str());
    }
    if (options.output.empty()) {
        std::fwrite(result.source.data(), 1, result.source.size(), stdout);
        return 0;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(result.source.data());
    return ::tools::WriteWholeFile(options.output, std::span(bytes, result.source.size()), ::tools::MissingFolders::Refuse)
               ? 0
               : 1;
}
