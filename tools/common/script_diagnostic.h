// Errors of definition files and script sources, at their lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vesk::tools::script {

// One error of a definition file or a script source, at its line.
struct Diagnostic {
    std::string file;
    int line = 0;
    std::string message;

    // "file:line: error: message"; without the line for errors of a whole file (line 0).
    std::string ToString() const
    {
        std::string text = file;
        if (line > 0) {
            text += ':';
            text += std::to_string(line);
        }
        text += ": error: ";
        text += message;
        return text;
    }
};

using Diagnostics = std::vector<Diagnostic>;

// A word as messages quote it: 'word'.
inline std::string Quoted(std::string_view word)
{
    std::string quoted;
    quoted.reserve(word.size() + 2);
    quoted += '\'';
    quoted += word;
    quoted += '\'';
    return quoted;
}

}  // namespace vesk::tools::script
