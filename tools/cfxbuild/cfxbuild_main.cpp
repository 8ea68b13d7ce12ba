// cfxbuild: writes one ".cfx" shader file per line of a program list.
// Usage: cfxbuild <program list> <output folder>
// A list line is "<vertex|pixel> <program name>"; blank lines and lines
// starting with '#' are skipped. Every name must be a built-in program.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/graphics/program.h"
#include "tools/common/cfx_writer.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: cfxbuild <program list> <output folder>\n");
        return 2;
    }
    std::ifstream list(argv[1]);
    if (!list) {
        std::fprintf(stderr, "cfxbuild: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::filesystem::path folder = argv[2];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "cfxbuild: cannot create %s: %s\n", folder.string().c_str(), ec.message().c_str());
        return 1;
    }
    int failures = 0;
    int lineNumber = 0;
    std::string line;
    while (std::getline(list, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string stageText, name, extra;
        fields >> stageText >> name;
        if (name.empty() || (fields >> extra)) {
            std::fprintf(stderr, "cfxbuild: %s:%d: expected '<vertex|pixel> <name>'\n", argv[1], lineNumber);
            ++failures;
            continue;
        }
        platform::gfx::ShaderStage stage;
        bool known = false;
        if (stageText == "vertex") {
            stage = platform::gfx::ShaderStage::Vertex;
            known = platform::gfx::FindVertexProgram(name) != nullptr;
        } else if (stageText == "pixel") {
            stage = platform::gfx::ShaderStage::Pixel;
            known = platform::gfx::FindPixelProgram(name) != nullptr;
        } else {
            std::fprintf(stderr, "cfxbuild: %s:%d: unknown stage '%s'\n", argv[1], lineNumber, stageText.c_str());
            ++failures;
            continue;
        }
        if (!known) {
            std::fprintf(stderr, "cfxbuild: %s:%d: no built-in %s program '%s'\n", argv[1], lineNumber,
                         stageText.c_str(), name.c_str());
            ++failures;
            continue;
        }
        std::string error;
        if (!tools::WriteCfxFile((folder / (name + ".cfx")).string(), stage, name, error)) {
            std::fprintf(stderr, "cfxbuild: %s: %s\n", name.c_str(), error.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
