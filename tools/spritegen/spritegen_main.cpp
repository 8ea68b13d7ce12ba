// Draws generated placeholder sprites as PNG pictures, one folder per sprite
// package, for spritepack to pack.
//
//   spritegen dotroom OUTPUT_DIR   the ship's room sprites
//   spritegen effect OUTPUT_DIR    the effect sprites

#include <filesystem>
#include <iostream>
#include <string_view>

#include "tools/common/png_file.h"
#include "tools/spritegen/dotroom_art.h"
#include "tools/spritegen/effect_art.h"

int main(int argc, char** argv)
{
    const std::string_view kind = argc == 3 ? argv[1] : "";
    if (kind != "dotroom" && kind != "effect") {
        std::cerr << "usage: spritegen dotroom|effect OUTPUT_DIR\n";
        return 2;
    }
    const std::filesystem::path folder = argv[2];
    const auto sprites = kind == "dotroom" ? spritegen::DrawDotRoomSprites() : spritegen::DrawEffectSprites();
    for (const tools::NamedImage& sprite : sprites) {
        if (!tools::WritePng(folder / sprite.name, sprite.image)) return 1;
    }
    return 0;
}
