// fontbuild: rasterises the characters a font needs into a font image (".cvt") and its glyph table (".abcd").
//
//   fontbuild --face PATH [--face-index N] --size PX [--face ...]
//             --cell-height PX [--extra-advance PX]
//             [--range HEX[-HEX]]... [--messages SOURCE.txt]... [--key-prefix PREFIX]...
//             [--narrow-full-width] [--preview PREVIEW.png] OUTPUT
//
// OUTPUT is the path without extension; OUTPUT.cvt and OUTPUT.abcd are
// written, and the image is named after OUTPUT's file name. The characters
// are the given ranges plus those of the message texts (only of keys that
// begin with a given prefix, when prefixes are given). A character that no
// face has is an error, listed with its code. With --narrow-full-width the
// full-width forms U+FF01..U+FF5E take the shapes and advances of ASCII
// U+0021..U+007E (for Latin texts, whose numbers the game writes full-width).

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/common/font_atlas.h"
#include "tools/common/font_charset.h"
#include "tools/common/image_writer.h"
#include "tools/common/message_source.h"
#include "tools/common/png_file.h"
#include "tools/common/whole_file.h"
#include "tools/fontbuild/glyph_rasterizer.h"

namespace {

struct FaceOption {
    std::string path;
    int index = 0;
    int size = 0;
};

struct Options {
    std::vector<FaceOption> faces;
    int cellHeight = 0;
    int extraAdvance = 0;
    std::vector<std::string> ranges;
    std::vector<std::string> messageSources;
    std::vector<std::string> keyPrefixes;
    bool narrowFullWidth = false;
    std::filesystem::path preview;
    std::filesystem::path output;
};

int Usage()
{
    std::cerr << "usage: fontbuild --face PATH [--face-index N] --size PX [--face ...] --cell-height PX\n"
                 "                 [--extra-advance PX] [--range HEX[-HEX]]... [--messages SOURCE.txt]...\n"
                 "                 [--key-prefix PREFIX]... [--narrow-full-width] [--preview PREVIEW.png] OUTPUT\n";
    return 2;
}

bool ParseInt(const char* text, int& out)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 4096) return false;
    out = static_cast<int>(value);
    return true;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--face" && hasValue) {
            options.faces.push_back({argv[++i], 0, 0});
        } else if ((argument == "--face-index" || argument == "--size") && hasValue && !options.faces.empty()) {
            int& target = argument == "--size" ? options.faces.back().size : options.faces.back().index;
            if (!ParseInt(argv[++i], target)) return false;
        } else if (argument == "--cell-height" && hasValue) {
            if (!ParseInt(argv[++i], options.cellHeight)) return false;
        } else if (argument == "--extra-advance" && hasValue) {
            if (!ParseInt(argv[++i], options.extraAdvance)) return false;
        } else if (argument == "--range" && hasValue) {
            options.ranges.emplace_back(argv[++i]);
        } else if (argument == "--messages" && hasValue) {
            options.messageSources.emplace_back(argv[++i]);
        } else if (argument == "--key-prefix" && hasValue) {
            options.keyPrefixes.emplace_back(argv[++i]);
        } else if (argument == "--narrow-full-width") {
            options.narrowFullWidth = true;
        } else if (argument == "--preview" && hasValue) {
            options.preview = argv[++i];
        } else if (argument.starts_with("--") || !options.output.empty()) {
            return false;
        } else {
            options.output = argument;
        }
    }
    return !options.faces.empty() && options.cellHeight > 0 && !options.output.empty();
}

bool CollectCharset(const Options& options, tools::FontCharset& charset)
{
    for (const std::string& text : options.ranges) {
        char16_t first = 0;
        char16_t last = 0;
        if (!tools::ParseCodeRange(text, first, last)) {
            std::cerr << "error: bad code range \"" << text << "\"\n";
            return false;
        }
        charset.AddRange(first, last);
    }
    std::vector<std::string> errors;
    for (const std::string& path : options.messageSources) {
        const std::optional<std::string> text = tools::ReadTextFile(path);
        if (!text) {
            std::cerr << "error: cannot read " << path << "\n";
            return false;
        }
        const tools::MessageSource source = tools::ParseMessageSource(*text, path);
        errors.insert(errors.end(), source.errors.begin(), source.errors.end());
        charset.AddMessageTexts(source.entries, options.keyPrefixes, path, errors);
    }
    for (const std::string& error : errors) std::cerr << "error: " << error << "\n";
    return errors.empty();
}

std::string CodeList(const std::vector<char16_t>& codes)
{
    std::string list;
    for (char16_t code : codes) {
        char text[16];
        std::snprintf(text, sizeof text, " U+%04X", static_cast<unsigned>(code));
        list += text;
    }
    return list;
}

// The character whose glyph a code is drawn with: itself, or the ASCII form of a full-width one.
char16_t GlyphSource(char16_t code, bool narrowFullWidth)
{
    constexpr char16_t kFirstFullWidth = 0xFF01;
    constexpr char16_t kLastFullWidth = 0xFF5E;
    constexpr char16_t kFullWidthOffset = 0xFF01 - 0x21;
    if (!narrowFullWidth || code < kFirstFullWidth || code > kLastFullWidth) return code;
    return static_cast<char16_t>(code - kFullWidthOffset);
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) return Usage();

    tools::FontCharset charset;
    if (!CollectCharset(options, charset)) return 1;

    tools::GlyphRasterizer rasterizer;
    for (const FaceOption& face : options.faces) {
        if (!rasterizer.AddFace(face.path, face.index, face.size)) return 1;
    }
    std::set<char16_t> sources;
    for (char16_t code : charset.Codes()) sources.insert(GlyphSource(code, options.narrowFullWidth));
    if (!rasterizer.SetCellHeight(options.cellHeight, sources)) return 1;
    rasterizer.SetExtraAdvance(options.extraAdvance);

    std::vector<tools::GlyphCell> cells;
    std::vector<char16_t> missing;
    for (char16_t code : charset.Codes()) {
        std::optional<tools::GlyphCell> cell = rasterizer.Render(GlyphSource(code, options.narrowFullWidth));
        if (cell) {
            cell->code = code;
            cells.push_back(std::move(*cell));
        } else {
            missing.push_back(code);
        }
    }
    if (!missing.empty()) {
        std::cerr << "error: no face has " << missing.size() << " of the characters:" << CodeList(missing) << "\n";
        return 1;
    }
    if (!rasterizer.ClippedCodes().empty()) {
        std::cerr << "warning: glyphs reaching outside the " << options.cellHeight
                  << "-pixel line were cut:" << CodeList(rasterizer.ClippedCodes()) << "\n";
    }

    const std::optional<tools::FontAtlas> atlas =
        tools::BuildFontAtlas(cells, static_cast<float>(options.cellHeight));
    if (!atlas) return 1;
    const std::string name = options.output.filename().string();
    const auto image = tools::MakeImageFile(atlas->image, name, tools::ImageEncoding::Raw);
    if (!image) return 1;

    std::filesystem::path imagePath = options.output;
    imagePath += ".cvt";
    std::filesystem::path tablePath = options.output;
    tablePath += ".abcd";
    if (!tools::WriteWholeFile(imagePath, *image) || !tools::WriteWholeFile(tablePath, atlas->glyphTable)) return 1;
    if (!options.preview.empty() && !tools::WritePng(options.preview, atlas->image)) return 1;
    return 0;
}
