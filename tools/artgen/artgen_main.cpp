// Draws the generated placeholder art as PNG pictures.
//
//   artgen logos OUTPUT_DIR     writes companylogo_korvexa.png and gameengine_logo.png
//   artgen scenery OUTPUT_DIR   writes bg000.png to bg002.png, bg_ending.png, bg_ending_front.png
//                               and the mini-game's minigame_titlelogo.png, minigame_frame.png,
//                               minigame_gameover.png and minigame_licence.png
//   artgen map OUTPUT_DIR       writes the world map's picture map_base.png
//   artgen title OUTPUT_DIR FONT...
//                               writes the title screen's 23 pictures (ui_title_*.png); the fonts
//                               set their lettering, each character from the first font that has it

#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/artgen/artgen_logos.h"
#include "tools/artgen/artgen_map.h"
#include "tools/artgen/artgen_scenery.h"
#include "tools/artgen/artgen_title.h"
#include "tools/common/png_file.h"

int main(int argc, char** argv)
{
    const std::string_view kind = argc >= 3 ? argv[1] : "";
    if ((kind != "logos" && kind != "map" && kind != "scenery" && kind != "title") || (kind != "title" && argc != 3) ||
        (kind == "title" && argc < 4)) {
        std::cerr << "usage: artgen logos|map|scenery OUTPUT_DIR | artgen title OUTPUT_DIR FONT...\n";
        return 2;
    }
    const std::filesystem::path folder = argv[2];
    if (kind == "title") {
        const auto images = artgen::DrawTitleImages(std::vector<std::string>(argv + 3, argv + argc));
        if (images.empty()) return 1;
        for (const tools::NamedImage& image : images) {
            if (!tools::WritePng(folder / (image.name + ".png"), image.image)) return 1;
        }
        return 0;
    }
    if (kind == "map") return tools::WritePng(folder / "map_base.png", artgen::DrawWorldMap()) ? 0 : 1;
    if (kind == "logos") {
        const bool written = tools::WritePng(folder / "companylogo_korvexa.png", artgen::DrawCompanyLogo()) &&
                             tools::WritePng(folder / "gameengine_logo.png", artgen::DrawEngineLogo());
        return written ? 0 : 1;
    }
    const bool written = tools::WritePng(folder / "bg000.png", artgen::DrawDistantView(0)) &&
                         tools::WritePng(folder / "bg001.png", artgen::DrawDistantView(1)) &&
                         tools::WritePng(folder / "bg002.png", artgen::DrawDistantView(2)) &&
                         tools::WritePng(folder / "bg_ending.png", artgen::DrawEndingBackground()) &&
                         tools::WritePng(folder / "bg_ending_front.png", artgen::DrawEndingFront()) &&
                         tools::WritePng(folder / "minigame_titlelogo.png", artgen::DrawMiniGameTitleLogo()) &&
                         tools::WritePng(folder / "minigame_frame.png", artgen::DrawMiniGameFrame()) &&
                         tools::WritePng(folder / "minigame_gameover.png", artgen::DrawMiniGameGameOver()) &&
                         tools::WritePng(folder / "minigame_licence.png", artgen::DrawMiniGameLicence());
    return written ? 0 : 1;
}
