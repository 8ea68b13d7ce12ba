// Draws generated placeholder sprites as PNG pictures, one folder per sprite
// package, for spritepack to pack.
//
//   spritegen dotroom OUTPUT_DIR   the ship's room sprites

#include <filesystem>
#include <iostream>
#include <string_view>

#include "tools/common/png_file.h"
#include "tools/spritegen/dotroom_art.h"

int main(int argc, char** argv)
{
    if (argc != 3 || std::string_view(argv[1]) != "dotroom") {
        std::cerr << "usage: spritegen dotroom OUTPUT_DIR\n";
        return 2;
    }
    const std::filesystem::path folder = argv[2];
    for (const tools::NamedImage& sprite : spritegen::DrawDotRoomSprites()) {
        if (!tools::WritePng(folder / sprite.name, sprite.image)) return 1;
    }
    return 0;
}
