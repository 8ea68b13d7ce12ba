// scriptasm: assembles one script source into a script package.
//   scriptasm -d common.def [-d table.def ...] -o out.pac source.vss
#include <cstdio>
#include <string>
#include <vector>

#include "tools/common/script_assembler.h"
#include "tools/common/script_commands.h"
#include "tools/common/script_tool_files.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: scriptasm -d DEFS [-d DEFS ...] -o OUTPUT.pac SOURCE\n");
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
    if (definitionFiles.empty() || output.empty() || input.empty()) {
        return Usage();
    }

    CommandSet commands;
    Diagnostics errors;
    for (const std::string& file : definitionFiles) {
        commands.LoadFile(file, errors);
    }
    const auto source = ReadWholeFile(input);
    if (!source) {
        errors.push_back({input, 0, "cannot read the source"});
    }
    if (errors.empty()) {
        const AssemblyResult result =
            AssembleScript(std::string_view(reinterpret_cast<const char*>(source->data()), source->size()), input,
                           commands);
        errors = result.errors;
        if (result.Ok() && !WriteWholeFile(output, result.package.data(), result.package.size())) {
            errors.push_back({output, 0, "cannot write the package"});
        }
    }
    for (const Diagnostic& error : errors) {
        std::fprintf(stderr, "%s\n", error.ToString().c_str());
    }
    return errors.empty() ? 0 : 1;
}
