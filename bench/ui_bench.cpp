// One frame of the UI: the screen passes, a screen of 300 widgets and the shared dialog, to the queued draws; the HUD with a crowd aboard; a notice added to a full message log.
// Measured in the running game on the data set; the allocations counter tells whether a frame in
// steady state asks the general allocator for memory.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "framework/app/framework_session.h"
#include "framework/file/resource_file.h"
#include "framework/graphics/device_record.h"
#include "framework/log/log.h"
#include "framework/process/canvas.h"
#include "framework/text/font_manager.h"
#include "framework/window/window_proc.h"
#include "game/core/app/game_app.h"
#include "game/core/scene/scene_initialize.h"
#include "game/core/scene/scene_stack.h"
#include "game/core/data/id_tags.h"
#include "game/core/data/tag.h"
#include "game/core/world/game_world.h"
#include "game/object/object_actor.h"
#include "game/ship/room_base.h"
#include "game/ship/ship.h"
#include "game/ui/message_log.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"

// Every plain form of new and delete, so that each allocation is counted and each block goes back
// the way it came. The sanitizer build keeps its own allocator (its runtime supplies some forms of
// new itself, and a block from one allocator freed by the other is a fault), so it counts nothing.
namespace {

std::atomic<std::size_t> g_allocations{0};

}  // namespace

#if !defined(__SANITIZE_ADDRESS__)
namespace {

void* CountedAllocation(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size)
{
    if (void* block = CountedAllocation(size)) return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    if (void* block = CountedAllocation(size)) return block;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return CountedAllocation(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return CountedAllocation(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
#pragma GCC diagnostic pop
#endif

namespace {

// A screen's worth of widgets: 100 pictures, 100 buttons and 100 labels under one root.
struct BusyScreen {
    std::unique_ptr<GAME_CUINullObject> root{MakeUIGroupNode(0.0f, 0.0f)};
    std::vector<std::unique_ptr<GAME_CUIObjectBase>> widgets;

    BusyScreen()
    {
        const std::int32_t button = FindUISprite("ui_enterbutton");
        for (int i = 0; i < 100; ++i) {
            const float x = static_cast<float>(20 + (i % 10) * 60);
            const float y = static_cast<float>(20 + (i / 10) * 32);
            widgets.emplace_back(MakeUIPicture("ui_cursor_baselabel", x, y));
            UIIconObjectDesc desc;
            InitUIIconObjectDesc(&desc);
            desc.shownX = desc.hiddenX = x;
            desc.shownY = desc.hiddenY = y + 16.0f;
            desc.normalSprite = button;
            auto* icon = new GAME_CUIIconObject(&desc);
            icon->SetVisible(true);
            widgets.emplace_back(icon);
            UILabelObjectDesc label;
            InitUILabelObjectDesc(&label);
            label.positionX = x;
            label.positionY = y;
            auto* text = new GAME_CUILabelObject(&label);
            text->SetTextA(i % 2 == 0 ? "COMMAND_YES" : "ADDTASK_TEXT_ADDNEWTASK");
            widgets.emplace_back(text);
        }
        for (auto& widget : widgets) widget->SetParent(root.get());
    }

    void Update() { root->UpdateTree(true); }
    void Draw()
    {
        for (auto& widget : widgets) {
            if (widget->IsVisible()) widget->Draw();
        }
    }
};

// Takes the glyphs of the texts instead of the device, so that a frame stops at the queued draws.
class GlyphCounter final : public vesk::text::GlyphSpriteSink {
public:
    void AddGlyph(const vesk::graphics::DrawParam&, vesk::graphics::Vec2f, vesk::resource::SYS_CTexture*) override { ++glyphs; }
    std::size_t glyphs = 0;
};

// Runs the body in the game brought up on the data set and settled in its main scene, in a folder
// of its own that is gone afterwards.
void InRunningGame(benchmark::State& state, const std::function<void(varnolis::GameApplication&)>& body)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "varnolis_ui_bench_XXXXXX").string();
    const std::filesystem::path folder = mkdtemp(pattern.data());
    std::filesystem::current_path(folder);
    vesk::file::SetResourceFolder(VARNOLIS_BUILT_RESOURCE_DIR);
    vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
    SetStartupJobsInline(true);
    {
        varnolis::GameApplication game;
        vesk::app::FrameworkSession session(vesk::app::kAllFrameworkSystems | vesk::app::FrameworkSystem::Game, u"", &game);
        if (!session.Start()) {
            state.SkipWithError("the game did not come up");
        } else {
            if (vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord()) record->presenter.SetPaced(false);
            for (int frames = 0; frames < 2000 && !IsSceneOnStack(kSceneGameMain); ++frames) game.GameFrame();
            body(game);
        }
        session.Stop();
    }
    SetStartupJobsInline(false);
    vesk::log::SetSink({});
    vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}

void BM_UIFrame(benchmark::State& state)
{
    InRunningGame(state, [&](varnolis::GameApplication&) {
        GAME_CUIManager& ui = *GetGameWorld()->ui;
        BusyScreen screen;
        GAME_CUIInDisplaySelectionObject* dialog = GetInDisplaySelection();
        dialog->Open(kSlotCommon, 0, true);
        dialog->SetMessageByKey("ARE_YOU_SURE");
        dialog->SetButtonText(0, "COMMAND_YES");
        dialog->SetButtonText(1, "COMMAND_NO");
        GlyphCounter glyphs;
        vesk::text::GetFontManager()->SetGlyphSink(&glyphs);
        const bool draw = state.range(0) != 0;
        auto frame = [&] {
            ui.UpdateScreens();
            screen.Update();
            if (!draw) return;
            screen.Draw();
            dialog->Draw();
            ui.Draw();
        };
        // Warm up: layouts, first lookups, batches.
        for (int i = 0; i < 30; ++i) {
            frame();
            FlushUISprites();
        }
        std::size_t allocations = 0;
        for (auto _ : state) {
            const std::size_t before = g_allocations.load(std::memory_order_relaxed);
            frame();
            allocations += g_allocations.load(std::memory_order_relaxed) - before;
            // The software rasterizer's share is the renderer's, not the UI's.
            state.PauseTiming();
            FlushUISprites();
            state.ResumeTiming();
        }
        vesk::text::GetFontManager()->SetGlyphSink(nullptr);
        state.counters["allocations/frame"] = benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
        dialog->Close();
    });
}
// Argument 0: the updates alone; 1: with the draws, up to the queued sprites and glyphs (the
// flushes the dialog's and the screens' draw-state switches ask for still rasterize).
BENCHMARK(BM_UIFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The HUD's update and draw with 128 crew members aboard: the picks look through every one of them
// and the current cell's room is highlighted (aim: under 30 µs a frame). Argument 0: the update
// alone; 1: with the draw, whose closing flush rasterizes the HUD's batch in the software renderer.
void BM_HudFrame(benchmark::State& state)
{
    InRunningGame(state, [&](varnolis::GameApplication& game) {
        GAME_CGameWorld& world = *GetGameWorld();
        // Past the title, on the ship the new game starts with.
        world.ui->SetOpen(kSlotTitle, false);
        for (int frames = 0; frames < 120 && world.ui->IsOpen(kSlotTitle); ++frames) game.GameFrame();
        GAME_CShip& ship = *world.ship;
        auto* hud = world.ui->Get<GAME_CUICommon>(kSlotCommon);
        GAME_CRoomBase* highlighted = ship.rooms.empty() ? nullptr : ship.rooms.front();
        const std::int32_t kitchen = FindRoomIdIndex(MakeTag("ID04"));
        for (std::int32_t cell = 0; highlighted == nullptr && cell < ship.grid.width * ship.grid.height; ++cell) {
            const std::int32_t x = cell % ship.grid.width;
            const std::int32_t y = cell / ship.grid.width;
            if (ship.CanPlaceRoom(x, y, kitchen)) highlighted = ship.PlaceRoom(x, y, kitchen);
        }
        if (hud == nullptr || highlighted == nullptr) {
            state.SkipWithError(hud == nullptr ? "no HUD" : "no room aboard");
            return;
        }
        for (int i = 0; i < 128; ++i) {
            GAME_CObjectActor* member = world.fieldObjects->AcquireActorObject();
            if (member == nullptr) break;
            ActorSetupRecord setup;
            ship.GetCellFloorPoint(highlighted->gridX, highlighted->gridY, &setup.x, &setup.y, true);
            member->Init(setup);
        }
        // The pointer hovers over the room, whose cell becomes the current cell.
        float minX = 0.0f;
        float minY = 0.0f;
        float maxX = 0.0f;
        float maxY = 0.0f;
        ship.GetGridScreenMin(&minX, &minY);
        ship.GetGridScreenMax(&maxX, &maxY);
        const float cellWidth = (maxX - minX) / static_cast<float>(ship.grid.width);
        const float cellHeight = (maxY - minY) / static_cast<float>(ship.grid.height);
        const std::int32_t column = ship.body->scaleX < 0.0f ? ship.grid.width - 1 - highlighted->gridX : highlighted->gridX;
        const std::int32_t row = ship.body->scaleY < 0.0f ? ship.grid.height - 1 - highlighted->gridY : highlighted->gridY;
        const vesk::process::CanvasView& view = vesk::process::GetCanvasView(0);
        vesk::window::WindowInputState& window = vesk::window::GetWindowInputState();
        // A focused window: an unfocused game pauses and its HUD takes no input.
        window.active = true;
        world.ui->SetOpen(kSlotPause, false);
        hud->SetOpen(true);
        window.canvasCursorX = static_cast<int>(minX + (static_cast<float>(column) + 0.5f) * cellWidth + view.originX);
        window.canvasCursorY = static_cast<int>(minY + (static_cast<float>(row) + 0.5f) * cellHeight + view.originY);
        for (int frames = 0; frames < 30; ++frames) {
            window.active = true;
            game.GameFrame();
        }
        GlyphCounter glyphs;
        vesk::text::GetFontManager()->SetGlyphSink(&glyphs);
        const bool draw = state.range(0) != 0;
        for (auto _ : state) {
            window.active = true;
            hud->Update(true);
            if (draw) hud->Draw();
            state.PauseTiming();
            FlushUISprites();
            state.ResumeTiming();
        }
        vesk::text::GetFontManager()->SetGlyphSink(nullptr);
        state.counters["crew"] = static_cast<double>(world.fieldObjects->crew.size());
        state.counters["current cell"] = static_cast<double>(hud->CurrentCell());
    });
}
BENCHMARK(BM_HudFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A notice added to a full log, which pushes the oldest line out (aim: under 2 µs).
void BM_MessageLogAddToFull(benchmark::State& state)
{
    InRunningGame(state, [&](varnolis::GameApplication&) {
        GAME_CUIMessageLog* log = GetGameWorld()->ui->MessageLog();
        if (log == nullptr) {
            state.SkipWithError("no message log");
            return;
        }
        const std::u16string text(100, u'ネ');
        for (int i = 0; i < GAME_CUIMessageLog::kLineCount; ++i) log->AddMessage(text, i % 3);
        int kind = 0;
        for (auto _ : state) {
            log->AddMessage(text.c_str(), kind);
            kind = (kind + 1) % 3;
        }
    });
}
BENCHMARK(BM_MessageLogAddToFull)->Unit(benchmark::kNanosecond);

}  // namespace
