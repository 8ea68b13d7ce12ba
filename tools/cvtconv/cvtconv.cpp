// Converts a PNG picture into a ".cvt" image, raw or block-compressed.
//
//   cvtconv [--format raw|bc1|bc2|bc3] [--name NAME] input.png output.cvt
//
// The name stored in the image (by which the game finds its texture) defaults
// to the output file's name without its extension.

#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/common/whole_file.h"
#include "tools/common/image_writer.h"
#include "tools/common/png_file.h"

namespace {

int Usage()
{
    std::cerr << "usage: cvtconv [--format raw|bc1|bc2|bc3] [--name NAME] input.png output.cvt\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    tools::ImageEncoding encoding = tools::ImageEncoding::Raw;
    std::string name;
    bool nameGiven = false;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--format" && i + 1 < argc) {
            const auto parsed = tools::ParseImageEncoding(argv[++i]);
            if (!parsed) {
                std::cerr << "error: unknown format " << argv[i] << "\n";
                return Usage();
            }
            encoding = *parsed;
        } else if (argument == "--name" && i + 1 < argc) {
            name = argv[++i];
            nameGiven = true;
        } else if (argument.starts_with("--")) {
            return Usage();
        } else {
            paths.emplace_back(argument);
        }
    }
    if (paths.size() != 2) {
        return Usage();
    }
    const std::filesystem::path input = paths[0];
    const std::filesystem::path output = paths[1];
    if (!nameGiven) {
        name = output.stem().string();
    }

    const auto picture = tools::ReadPng(input);
    if (!picture) {
        return 1;
    }
    const auto file = tools::MakeImageFile(*picture, name, encoding);
    if (!file) {
        std::cerr << "error: cannot convert " << input.string() << "\n";
        return 1;
    }
    return tools::WriteWholeFile(output, *file) ? 0 : 1;
}
