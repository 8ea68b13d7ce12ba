// spriteview: shows the sprites of a sprite package in a grid, for checking data by eye.
// Each sprite stands on a lighter cell that marks its bounds. Prints the
// grid's index, size and name of each sprite.
//
//   spriteview [--resources DIR] [--scale N] [--atlas] [--frames N] PACKAGE.pac
//
// --resources  the data folder holding the shader files (default ResourceWin)
// --scale      whole-number magnification of the sprites (default 1)
// --atlas      shows the package's whole atlas instead of the grid
// --frames     quits after that many frames (default: when the window closes)

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/app/framework_manager.h"
#include "framework/draw/sprite_draw.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/polygon_render.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/memory/heaps.h"
#include "framework/process/canvas.h"
#include "tools/common/viewer.h"
#include "tools/common/whole_file.h"

namespace {

using vesk::graphics::Vec2f;

constexpr int kGroup = 0;
constexpr float kMargin = 4.0f;
constexpr uint32_t kBackground = 0xFF2A2420u;  // RGBA bytes, red lowest: a dark slate
constexpr uint32_t kCell = 0xFF4A403Au;

struct Options {
    tools::ViewerOptions viewer = tools::DefaultViewerOptions("spriteview");
    std::string package;
    float scale = 1.0f;
    bool atlas = false;
};

int Usage()
{
    std::fprintf(stderr, "usage: spriteview [--resources DIR] [--scale N] [--atlas] [--frames N] PACKAGE.pac\n");
    return 2;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (tools::ParseViewerOption(argc, argv, i, options.viewer)) {
            continue;
        }
        if (arg == "--scale" && i + 1 < argc) {
            options.scale = static_cast<float>(std::clamp(std::atoi(argv[++i]), 1, 16));
        } else if (arg == "--atlas") {
            options.atlas = true;
        } else if (!arg.starts_with("--") && options.package.empty()) {
            options.package = arg;
        } else {
            return false;
        }
    }
    return !options.package.empty();
}

struct Cell {
    Vec2f position;
    Vec2f size;
    int sprite = -1;
};

// Rows of equal cells, as many as fit across the canvas.
std::vector<Cell> LayOutGrid(const vesk::resource::SpriteGroup& group, float scale)
{
    const int spriteCount = static_cast<int>(group.textures.size()) - 1;  // the atlas comes last
    float cellWidth = 0.0f;
    float cellHeight = 0.0f;
    for (int i = 0; i < spriteCount; ++i) {
        cellWidth = std::max(cellWidth, group.textures[static_cast<size_t>(i)]->GetWidth() * scale);
        cellHeight = std::max(cellHeight, group.textures[static_cast<size_t>(i)]->GetHeight() * scale);
    }
    const int columns = std::max(1, static_cast<int>((vesk::process::kCanvasWidth - kMargin) / (cellWidth + kMargin)));
    std::vector<Cell> cells;
    for (int i = 0; i < spriteCount; ++i) {
        const float x = kMargin + static_cast<float>(i % columns) * (cellWidth + kMargin);
        const float y = kMargin + static_cast<float>(i / columns) * (cellHeight + kMargin);
        cells.push_back({{x, y}, {cellWidth, cellHeight}, i});
    }
    return cells;
}

void DrawCells(const std::vector<Cell>& cells, float scale)
{
    vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord();
    if (!record) return;

    vesk::graphics::BeginColorPolygonDraw();
    for (const Cell& cell : cells) record->colorRenderer.AddRect(cell.position, cell.size, kCell);
    record->colorRenderer.Flush();

    vesk::graphics::BeginSpriteDraw(kGroup, 4);
    for (const Cell& cell : cells) {
        vesk::graphics::InitDrawParam(record->textureRenderer.drawParam);
        record->textureRenderer.drawParam.scaleX = scale;
        record->textureRenderer.drawParam.scaleY = scale;
        vesk::graphics::DrawSprite(cell.position, cell.sprite);
    }
    vesk::graphics::EndSpriteDraw();
}

int Run(const Options& options)
{
    const std::optional<std::vector<uint8_t>> bytes = tools::ReadWholeFile(options.package);
    if (!bytes) {
        std::fprintf(stderr, "error: cannot read %s\n", options.package.c_str());
        return 1;
    }
    if (!tools::OpenViewer(options.viewer)) {
        return 1;
    }
    vesk::app::GetFrameworkManager()->clearColor = kBackground;

    vesk::resource::SpriteRegistry& registry = *vesk::resource::GetSpriteRegistry();
    const vesk::resource::TextureLoader loader{nullptr, vesk::memory::MainHeap()};
    const vesk::resource::SYS_CTexture* atlas = registry.LoadSpritePackageFromMemory(
        loader, kGroup, *bytes, std::filesystem::path(options.package).filename().string());
    int result = 1;
    if (atlas) {
        const vesk::resource::SpriteGroup& group = *registry.GetSpriteGroup(kGroup);
        std::printf("%s: atlas \"%s\" %d x %d, %zu sprites\n", options.package.c_str(), atlas->GetName().c_str(),
                    atlas->GetWidth(), atlas->GetHeight(), group.textures.size() - 1);
        for (size_t i = 0; i + 1 < group.textures.size(); ++i) {
            const vesk::resource::SYS_CTexture* sprite = group.textures[i];
            std::printf("%4zu  %3d x %-3d  %s\n", i, sprite->GetWidth(), sprite->GetHeight(),
                        sprite->GetName().c_str());
        }
        std::fflush(stdout);

        std::vector<Cell> cells;
        if (options.atlas) {
            cells.push_back({{kMargin, kMargin},
                             {atlas->GetWidth() * options.scale, atlas->GetHeight() * options.scale},
                             static_cast<int>(group.textures.size()) - 1});
        } else {
            cells = LayOutGrid(group, options.scale);
        }
        tools::RunViewerFrames(options.viewer, nullptr, [&] { DrawCells(cells, options.scale); });
        result = 0;
    }
    tools::CloseViewer();
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) return Usage();
    return Run(options);
}
