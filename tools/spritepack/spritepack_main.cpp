// spritepack: packs a folder of PNG pictures into a sprite package (".pac").
// The package holds one atlas and a sprite table naming every picture by its
// file name.
//
//   spritepack [--atlas NAME] [--extra PNG]... [--preview PNG] [--symbols FILE] INPUT_DIR OUTPUT.pac
//
// --atlas    the atlas image's name (default: the output's file name without extension)
// --extra    a picture added as a stand-alone image of its own
// --preview  also writes the packed atlas as a PNG, for looking at
// --symbols  also writes each sprite's index as "name index" lines, for scripts to name sprites by

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/common/png_file.h"
#include "tools/common/sprite_package_writer.h"
#include "tools/common/whole_file.h"

namespace {

namespace fs = std::filesystem;

int Usage()
{
    std::cerr << "usage: spritepack [--atlas NAME] [--extra PNG]... [--preview PNG] [--symbols FILE] INPUT_DIR OUTPUT.pac\n";
    return 2;
}

std::optional<tools::NamedImage> LoadNamed(const fs::path& path)
{
    std::optional<tools::RgbaImage> image = tools::ReadPng(path);
    if (!image) return std::nullopt;
    // The table keeps the name without its extension: 31 bytes are the sprite name itself.
    return tools::NamedImage{path.stem().string(), std::move(*image)};
}

}  // namespace

int main(int argc, char** argv)
{
    std::string atlasName;
    std::vector<fs::path> extras;
    fs::path preview;
    fs::path symbols;
    std::vector<std::string_view> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if ((arg == "--atlas" || arg == "--extra" || arg == "--preview" || arg == "--symbols") && i + 1 < argc) {
            const char* value = argv[++i];
            if (arg == "--atlas") atlasName = value;
            if (arg == "--extra") extras.emplace_back(value);
            if (arg == "--preview") preview = value;
            if (arg == "--symbols") symbols = value;
        } else if (arg.starts_with("--")) {
            return Usage();
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) return Usage();
    const fs::path input(positional[0]);
    const fs::path output(positional[1]);
    if (atlasName.empty()) atlasName = output.stem().string();

    std::error_code error;
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(input, error)) {
        if (entry.is_regular_file() && entry.path().extension() == ".png") files.push_back(entry.path());
    }
    if (error) {
        std::cerr << "error: cannot list " << input.string() << ": " << error.message() << "\n";
        return 1;
    }
    // Sorted, so the sprite indices do not depend on the file system's order.
    std::sort(files.begin(), files.end());

    std::vector<tools::NamedImage> sprites;
    for (const fs::path& file : files) {
        std::optional<tools::NamedImage> sprite = LoadNamed(file);
        if (!sprite) return 1;
        sprites.push_back(std::move(*sprite));
    }
    std::vector<tools::NamedImage> extraImages;
    for (const fs::path& file : extras) {
        std::optional<tools::NamedImage> image = LoadNamed(file);
        if (!image) return 1;
        image->name = file.stem().string();
        extraImages.push_back(std::move(*image));
    }

    const std::optional<std::vector<uint8_t>> package = tools::MakeSpritePackage(atlasName, sprites, extraImages);
    if (!package || !tools::WriteWholeFile(output, *package)) return 1;
    if (!preview.empty()) {
        const std::optional<tools::PackedAtlas> atlas = tools::BuildAtlas(sprites);
        if (!atlas || !tools::WritePng(preview, atlas->image)) return 1;
    }
    if (!symbols.empty()) {
        std::string lines;
        for (std::size_t i = 0; i < files.size(); ++i) lines += files[i].stem().string() + " " + std::to_string(i) + "\n";
        if (!tools::WriteWholeFile(symbols, std::vector<uint8_t>(lines.begin(), lines.end()))) return 1;
    }
    return 0;
}
