// Shows the sprites of a sprite package in a grid, each on a lighter cell that
// marks its bounds, for checking data by eye. Prints the grid's index, size
// and name of each sprite.
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
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "framework/app/canvas.h"
#include "framework/app/framework_manager.h"
#include "framework/app/quitting.h"
#include "framework/file/resource_file.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/polygon_render.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "framework/graphics/sprite_draw.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/memory/heaps.h"
#include "framework/window/message_pump.h"

namespace {

using vesk::graphics::Vec2f;

constexpr int kGroup = 0;
constexpr float kMargin = 4.0f;
constexpr uint32_t kBackground = 0xFF2A2420u;  // RGBA bytes, red lowest: a dark slate
constexpr uint32_t kCell = 0xFF4A403Au;

struct Options {
    std::string resources = std::string(vesk::file::kResourceFolder);
    std::string package;
    float scale = 1.0f;
    bool atlas = false;
    long frames = -1;
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
        const bool hasValue = i + 1 < argc;
        if (arg == "--resources" && hasValue) {
            options.resources = argv[++i];
        } else if (arg == "--scale" && hasValue) {
            options.scale = static_cast<float>(std::clamp(std::atoi(argv[++i]), 1, 16));
        } else if (arg == "--frames" && hasValue) {
            options.frames = std::max(1L, std::atol(argv[++i]));
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
    const int columns = std::max(1, static_cast<int>((vesk::app::kCanvasWidth - kMargin) / (cellWidth + kMargin)));
    std::vector<Cell> cells;
    for (int i = 0; i < spriteCount; ++i) {
        const float x = kMargin + static_cast<float>(i % columns) * (cellWidth + kMargin);
        const float y = kMargin + static_cast<float>(i / columns) * (cellHeight + kMargin);
        cells.push_back({{x, y}, {cellWidth, cellHeight}, i});
    }
    return cells;
}

void DrawFrame(const std::vector<Cell>& cells, float scale)
{
    vesk::app::BeginFrameDraw();
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
    vesk::app::EndFrameDraw();
}

int Run(const Options& options)
{
    std::ifstream file(options.package, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "error: cannot read %s\n", options.package.c_str());
        return 1;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());

    vesk::file::SetResourceFolder(options.resources);
    vesk::memory::CreateHeaps();
    vesk::app::SetupCanvas();
    if (!vesk::app::CreateFrameworkManager()) {
        std::fprintf(stderr, "error: cannot open a window\n");
        return 1;
    }
    vesk::app::SetupRenderResources();
    vesk::app::GetFrameworkManager()->clearColor = kBackground;

    vesk::resource::SpriteRegistry& registry = vesk::app::GetFrameworkManager()->spriteRegistry;
    const vesk::resource::TextureLoader loader{nullptr, vesk::memory::MainHeap()};
    const vesk::resource::SYS_CTexture* atlas = registry.LoadSpritePackageFromMemory(
        loader, kGroup, bytes, std::filesystem::path(options.package).filename().string());
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
        int quit = 0;
        for (long frame = 0; quit == 0 && frame != options.frames;) {
            int exitCode = 0;
            if (vesk::window::PumpMessages(&quit, &exitCode) != 0) continue;
            DrawFrame(cells, options.scale);
            ++frame;
            if (vesk::app::IsQuitting()) break;
        }
        result = 0;
    }

    registry.ReleaseAll();
    vesk::graphics::ReleaseShaderManager();
    vesk::graphics::ReleaseRenderStates();
    vesk::app::ReleaseFrameworkManager();
    vesk::app::ReleaseDeviceAndWindow();
    vesk::memory::ReleaseHeaps();
    return result;
}

}  // namespace

// The display libraries a real window loads keep allocations to the end of
// the process; in a sanitizer build the leak report would only list theirs.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) return Usage();
    return Run(options);
}
