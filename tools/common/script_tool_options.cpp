// The script tools' command line, and the command set loaded from its definition files.
#include "tools/common/script_tool_options.h"

#include <cstdio>
#include <string_view>

namespace vesk::tools::script {

bool ParseScriptToolOptions(int argc, char** argv, ScriptToolOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if ((argument == "-d" || argument == "-s") && i + 1 < argc) {
            (argument == "-d" ? options.definitionFiles : options.symbolFiles).emplace_back(argv[++i]);
        } else if (argument == "-o" && i + 1 < argc) {
            options.output = argv[++i];
        } else if (argument == "-k" && i + 1 < argc && std::string_view(argv[i + 1]).size() == 4) {
            options.kind = argv[++i];
        } else if (options.input.empty() && !argument.starts_with("-")) {
            options.input = argument;
        } else {
            return false;
        }
    }
    return !options.definitionFiles.empty() && !options.input.empty();
}

bool LoadCommandSet(const ScriptToolOptions& options, CommandSet& commands)
{
    Diagnostics errors;
    for (const std::string& file : options.definitionFiles) {
        commands.LoadFile(file, errors);
    }
    for (const std::string& file : options.symbolFiles) {
        commands.LoadSymbolFile(file, errors);
    }
    for (const Diagnostic& error : errors) {
        std::fprintf(stderr, "%s\n", error.ToString().c_str());
    }
    return errors.empty();
}

}  // namespace vesk::tools::script
