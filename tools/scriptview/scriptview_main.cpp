// scriptview: plays the scripts of a script-graphic package side by side, for checking effect data by eye.
// Each label runs in its own cell of the canvas and starts again a moment
// after it ends. Every object is shown relative to its parent, so an effect
// stays in its cell.
//
//   scriptview [--resources DIR] [--sprites GROUP PACKAGE.pac]... [--scale N] [--frames N]
//              SCRIPT.pac LABEL...
//
// --resources  the data folder holding the shader files (default ResourceWin)
// --sprites    loads a sprite package into a sprite group (repeatable)
// --scale      magnification of the effects (default 2)
// --frames     quits after that many frames (default: when the window closes)

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/app/framework_manager.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/memory/heaps.h"
#include "framework/process/canvas.h"
#include "framework/text/utf.h"
#include "framework/utility/script_graphic/script_engine.h"
#include "framework/utility/script_package/script_package.h"
#include "tools/common/viewer.h"
#include "tools/common/whole_file.h"

namespace {

using vesk::utility::script_graphic::UTL_CObjectBase;
using vesk::utility::script_graphic::UTL_CScriptEngine;

constexpr std::uint32_t kBackground = 0xFF2A2420u;  // RGBA bytes, red lowest: a dark slate
constexpr int kRestartDelayFrames = 20;

struct SpritePackage {
    int group = 0;
    std::string path;
};

struct Options {
    tools::ViewerOptions viewer = tools::DefaultViewerOptions("scriptview");
    std::vector<SpritePackage> sprites;
    std::string script;
    std::vector<std::string> labels;
    float scale = 2.0f;
};

// One label playing in one cell.
struct Cell {
    std::u16string label;
    std::uint32_t start = 0;
    UTL_CObjectBase* anchor = nullptr;
    std::uint32_t effect = UTL_CObjectBase::kNoHandle;
    int restartIn = 0;
};

int Usage()
{
    std::fprintf(stderr,
                 "usage: scriptview [--resources DIR] [--sprites GROUP PACKAGE.pac]... [--scale N] [--frames N] "
                 "SCRIPT.pac LABEL...\n");
    return 2;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (tools::ParseViewerOption(argc, argv, i, options.viewer)) {
            continue;
        }
        if (arg == "--sprites" && i + 2 < argc) {
            const int group = std::atoi(argv[++i]);
            options.sprites.push_back({group, argv[++i]});
        } else if (arg == "--scale" && i + 1 < argc) {
            options.scale = static_cast<float>(std::clamp(std::atoi(argv[++i]), 1, 8));
        } else if (arg.starts_with("--")) {
            return false;
        } else if (options.script.empty()) {
            options.script = arg;
        } else {
            options.labels.emplace_back(arg);
        }
    }
    return !options.script.empty() && !options.labels.empty();
}

std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path)
{
    std::optional<std::vector<std::uint8_t>> bytes = tools::ReadWholeFile(path);
    if (!bytes) {
        std::fprintf(stderr, "error: cannot read %s\n", path.c_str());
    }
    return bytes;
}

// Cells side by side across the middle of the canvas, each with an anchor
// object that never dies and draws nothing.
std::vector<Cell> LayOutCells(UTL_CScriptEngine& engine, const Options& options)
{
    std::vector<Cell> cells;
    const float width = vesk::process::kCanvasWidth / static_cast<float>(options.labels.size());
    for (const std::string& name : options.labels) {
        const std::u16string label = vesk::text::Utf8ToUtf16(name);
        const auto found = engine.FindLabel(label);
        if (!found) {
            std::fprintf(stderr, "warning: the package has no label \"%s\"\n", name.c_str());
            continue;
        }
        Cell cell;
        cell.label = label;
        cell.start = found->commandIndex;
        cell.anchor = engine.CreateSpriteObject(u"cell", -1, -1, nullptr);
        if (cell.anchor == nullptr) {
            continue;
        }
        cell.anchor->flags |= vesk::utility::draw_unit::kImmortal;
        cell.anchor->local.position = {width * (static_cast<float>(cells.size()) + 0.5f),
                                       vesk::process::kCanvasHeight / 2.0f};
        cell.anchor->local.scale = {options.scale, options.scale};
        cells.push_back(cell);
    }
    return cells;
}

// Every object with a parent shown in its parent's space, so that an effect
// stays in its cell.
void ShowRelativeToParent(UTL_CScriptEngine& engine)
{
    for (const auto& [handle, object] : engine.Objects()) {
        if (object->GetParent() != nullptr) {
            object->flags |= vesk::utility::draw_unit::kInheritTransform;
        }
    }
}

void Update(UTL_CScriptEngine& engine, std::vector<Cell>& cells)
{
    for (Cell& cell : cells) {
        if (engine.FindObjectByHandle(cell.effect) != nullptr) {
            continue;
        }
        if (cell.restartIn > 0) {
            --cell.restartIn;
            continue;
        }
        if (UTL_CObjectBase* effect = engine.CreateScriptObject(cell.label, cell.start, cell.anchor)) {
            cell.effect = effect->handle;
        }
        cell.restartIn = kRestartDelayFrames;
    }

    engine.RunFramePasses(&ShowRelativeToParent);
}

int Run(const Options& options)
{
    const std::optional<std::vector<std::uint8_t>> script = ReadFile(options.script);
    if (!script) {
        return 1;
    }
    if (!tools::OpenViewer(options.viewer)) {
        return 1;
    }
    vesk::app::GetFrameworkManager()->clearColor = kBackground;

    int result = 1;
    vesk::resource::SpriteRegistry& registry = *vesk::resource::GetSpriteRegistry();
    const vesk::resource::TextureLoader loader{nullptr, vesk::memory::MainHeap()};
    bool loaded = true;
    for (const SpritePackage& package : options.sprites) {
        const std::optional<std::vector<std::uint8_t>> bytes = ReadFile(package.path);
        loaded = loaded && bytes && registry.LoadSpritePackageFromMemory(loader, package.group, *bytes,
                                                                         package.path) != nullptr;
    }

    auto manager = std::make_unique<vesk::utility::script_package::UTL_CManager>();
    void* image = vesk::memory::MainHeapAlloc(script->size());
    const vesk::utility::script_package::ProgramRecord* program = nullptr;
    if (image != nullptr) {
        std::memcpy(image, script->data(), script->size());
        manager->ParseScriptPackage(image, script->size(), options.script);
        // The engine runs the package's first entry, as the effect layer does.
        if (manager->GetEntryCount() > 0 && !manager->GetEntry(0).program.IsEmpty()) {
            program = &manager->GetEntry(0).program;
        }
    }
    if (loaded && program != nullptr) {
        auto engine = std::make_unique<UTL_CScriptEngine>();
        engine->Init(program);
        std::vector<Cell> cells = LayOutCells(*engine, options);
        if (!cells.empty()) {
            tools::RunViewerFrames(
                options.viewer, [&](long) { Update(*engine, cells); }, [&] { engine->DrawAllPriorities(); });
        }
        result = cells.empty() ? 1 : 0;
    } else {
        std::fprintf(stderr, "error: nothing to play\n");
    }

    manager.reset();
    tools::CloseViewer();
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        return Usage();
    }
    return Run(options);
}
