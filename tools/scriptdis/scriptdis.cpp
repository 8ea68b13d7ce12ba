// scriptdis: prints a script package as source for scriptasm.
//   scriptdis -d common.def [-d table.def ...] [-o out.vss] package.pac
#include <cstdio>
#include <string>
#include <vector>

#include "tools/common/script_commands.h"
#include "tools/common/script_disassembler.h"
#include "tools/common/script_tool_files.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: scriptdis -d DEFS [-d DEFS ...] [-o OUTPUT] PACKAGE.pac\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace vesk::tools::script;
    std::vector<std::string> definitionFiles;
    std::string output;
    std::string input;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if ((argument == "-d" || argument == "-o") && i + 1 < argc) {
            (argument == "-d" ? definitionFiles.emplace_back() : output) = argv[++i];
        } else if (input.empty() && !argument.starts_with("-")) {
            input = argument;
        } else {
            return Usage();
        }
    }
    if (definitionFiles.empty() || input.empty()) {
        return Usage();
    }

    CommandSet commands;
    Diagnostics errors;
    for (const std::string& file : definitionFiles) {
        commands.LoadFile(file, errors);
    }
    for (const Diagnostic& error : errors) {
        std::fprintf(stderr, "%s\n", error.ToString().c_str());
    }
    if (!errors.empty()) {
        return 1;
    }
    const auto package = ReadWholeFile(input);
    if (!package) {
        std::fprintf(stderr, "%s: error: cannot read the package\n", input.c_str());
        return 1;
    }
    const DisassemblyResult result = DisassembleScript(*package, commands);
    if (!result.ok) {
        std::fprintf(stderr, "%s: error: %s\n", input.c_str(), result.error.c_str());
        return 1;
    }
    for (const std::string& note : result.notes) {
        std::fprintf(stderr, "%s: note: %s\n", input.c_str(), note.c_str());
    }
    if (output.empty()) {
        std::fwrite(result.source.data(), 1, result.source.size(), stdout);
        return 0;
    }
    if (!WriteWholeFile(output, result.source.data(), result.source.size())) {
        std::fprintf(stderr, "%s: error: cannot write the source\n", output.c_str());
        return 1;
    }
    return 0;
}
