// Draws the generated placeholder art as PNG pictures.
//
//   artgen logos OUTPUT_DIR   writes companylogo_korvexa.png and gameengine_logo.png

#include <filesystem>
#include <iostream>
#include <string_view>

#include "tools/artgen/artgen_logos.h"
#include "tools/common/png_file.h"

int main(int argc, char** argv)
{
    if (argc != 3 || std::string_view(argv[1]) != "logos") {
        std::cerr << "usage: artgen logos OUTPUT_DIR\n";
        return 2;
    }
    const std::filesystem::path folder = argv[2];
    const bool written = tools::WritePng(folder / "companylogo_korvexa.png", artgen::DrawCompanyLogo()) &&
                         tools::WritePng(folder / "gameengine_logo.png", artgen::DrawEngineLogo());
    return written ? 0 : 1;
}
