#pragma once

#include <string>
#include <vector>

namespace vesk::tools::script {

// One error of a definition file or a script source, at its line.
struct Diagnostic {
    std::string file;
    int line = 0;
    std::string message;

    std::string ToString() const { return file + ":" + std::to_string(line) + ": error: " + message; }
};

using Diagnostics = std::vector<Diagnostic>;

}  // namespace vesk::tools::script
