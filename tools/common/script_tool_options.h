// The command line shared by the script tools: TOOL -d DEFS [-d DEFS ...] [-s SYMBOLS ...] [-k KIND] [-o OUTPUT] INPUT
#pragma once

#include <string>
#include <vector>

#include "tools/common/script_commands.h"

namespace vesk::tools::script {

struct ScriptToolOptions {
    std::vector<std::string> definitionFiles;
    std::vector<std::string> symbolFiles;
    std::string output;
    std::string kind;  // four characters naming the package's command table, or empty
    std::string input;
};

// False on an unknown option, a second input, or no definition file or input.
bool ParseScriptToolOptions(int argc, char** argv, ScriptToolOptions& options);

// The definition and symbol files loaded into one command set; false after
// printing their errors.
bool LoadCommandSet(const ScriptToolOptions& options, CommandSet& commands);

}  // namespace vesk::tools::script
