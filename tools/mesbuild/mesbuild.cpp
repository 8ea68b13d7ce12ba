// mesbuild: turns the readable source of one language's messages into the message file the game reads.
//
//   mesbuild [--revision N] <source.txt> <output.mes>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "tools/common/message_file_writer.h"
#include "tools/common/message_source.h"
#include "tools/common/whole_file.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: mesbuild [--revision N] <source.txt> <output.mes>\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    uint32_t revision = 1;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--revision") {
            if (++i == argc) {
                return Usage();
            }
            char* end = nullptr;
            const unsigned long value = std::strtoul(argv[i], &end, 10);
            if (*argv[i] == '\0' || *end != '\0' || value > 0xFFFFFFFFul) {
                std::fprintf(stderr, "mesbuild: bad revision '%s'\n", argv[i]);
                return 2;
            }
            revision = static_cast<uint32_t>(value);
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 2) {
        return Usage();
    }

    const std::optional<std::string> source = tools::ReadTextFile(paths[0]);
    if (!source) {
        std::fprintf(stderr, "mesbuild: cannot read '%s'\n", paths[0].c_str());
        return 1;
    }
    const tools::MessageSource parsed = tools::ParseMessageSource(*source, paths[0]);
    for (const std::string& error : parsed.errors) {
        std::fprintf(stderr, "%s\n", error.c_str());
    }
    if (!parsed.errors.empty()) {
        return 1;
    }
    return tools::WriteWholeFile(paths[1], tools::WriteMessageFile(parsed.entries, revision)) ? 0 : 1;
}
