// Frames of the UI to the queued draws: the screen passes with a screen of 300 widgets and the shared dialog, with the HUD, a full log and the build menu, the world map with 40 hideouts and 128 roads, the market's step after a change and the rumour log's row refill.
// Measured in the running game on the data set; the allocations counter tells whether a frame in
// steady state asks the general allocator for memory.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "bench/allocation_counter.h"
#include "bench/headless_run_folder.h"
#include "framework/app/framework_session.h"
#include "framework/graphics/device_record.h"
#include "framework/log/log.h"
#include "framework/text/font_manager.h"
#include "game/app/game_app.h"
#include "game/app/scene/scene_initialize.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/save/working_slot.h"
#include "game/ui/screens/ui_map.h"
#include "game/ui/screens/ui_shop.h"
#include "game/ui/message_log.h"
#include "game/ui/screens/ui_talk_log.h"
#include "game/ui/ui_manager.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"


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

// Brings the game up on the dummy drivers with the built data set, runs it to the main game, lets
// `setup` open what the frame measures, and times `frame`: allocations counted, the rasterizer's
// flush at the end of each frame left out, glyphs taken by a counting sink.
template <typename Setup>
void RunFramesInGame(benchmark::State& state, Setup setup)
{
    const bench_support::HeadlessRunFolder folder;
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
            GlyphCounter glyphs;
            vesk::text::GetFontManager()->SetGlyphSink(&glyphs);
            // The setup gives the frame, and a teardown run before the game goes down.
            auto [frame, teardown] = setup(*UIManagerOf(GetGameWorld()));
            // Warm up: layouts, first lookups, batches.
            for (int i = 0; i < 30; ++i) {
                frame();
                FlushUISprites();
            }
            // The software rasterizer's share is the renderer's, not the UI's.
            bench_support::TimeFramesCountingAllocations(state, frame, FlushUISprites);
            vesk::text::GetFontManager()->SetGlyphSink(nullptr);
            teardown();
        }
        session.Stop();
    }
    SetStartupJobsInline(false);
    vesk::log::SetSink({});
}

void BM_UIFrame(benchmark::State& state)
{
    const bool draw = state.range(0) != 0;
    std::unique_ptr<BusyScreen> screen;
    RunFramesInGame(state, [&](GAME_CUIManager& ui) {
        screen = std::make_unique<BusyScreen>();
        GAME_CUIInDisplaySelectionObject* dialog = GetInDisplaySelection();
        dialog->Open(kSlotCommon, 0, true);
        dialog->SetMessageByKey("ARE_YOU_SURE");
        dialog->SetButtonText(0, "COMMAND_YES");
        dialog->SetButtonText(1, "COMMAND_NO");
        auto frame = [&ui, &screen, dialog, draw] {
            ui.UpdateScreens();
            screen->Update();
            if (!draw) return;
            screen->Draw();
            dialog->Draw();
            ui.Draw();
        };
        auto teardown = [dialog, &screen] {
            dialog->Close();
            screen.reset();
        };
        return std::pair{std::function<void()>(frame), std::function<void()>(teardown)};
    });
}
// Argument 0: the updates alone; 1: with the draws, up to the queued sprites and glyphs (the
// flushes the dialog's and the screens' draw-state switches ask for still rasterize).
BENCHMARK(BM_UIFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The screen manager's passes over the play screen as it stands with the HUD, the message log full
// of its 64 notices and the build menu open: the updates alone (argument 0) and with the draws (1).
void BM_BuildMenuOverHud(benchmark::State& state)
{
    const bool draw = state.range(0) != 0;
    RunFramesInGame(state, [&](GAME_CUIManager& ui) {
        ui.SetOpen(kSlotCommon, true);
        if (auto* log = ui.Get<GAME_CUIMessageLog>(kSlotMessageLog)) {
            for (int i = 0; i < GAME_CUIMessageLog::kLineCount; ++i) {
                log->AddMessage(u"The catapult is loaded with cheese bombs; the crew cheers.", i % GAME_CUIMessageLog::kKindCount);
            }
        }
        ui.SetOpen(kSlotMessageLog, true);
        ui.SetOpen(kSlotBuild, true);
        for (int i = 0; i < 40; ++i) {
            ui.UpdateScreens();
            FlushUISprites();
        }
        if (!ui.IsOpen(kSlotCommon) || !ui.IsOpen(kSlotMessageLog) || !ui.IsOpen(kSlotBuild)) {
            state.SkipWithError("the HUD, the log or the build menu did not stay open");
        }
        auto frame = [&ui, draw] {
            ui.UpdateScreens();
            if (draw) ui.Draw();
        };
        auto teardown = [&ui] {
            ui.SetOpen(kSlotBuild, false);
            ui.SetOpen(kSlotMessageLog, false);
        };
        return std::pair{std::function<void()>(frame), std::function<void()>(teardown)};
    });
}
BENCHMARK(BM_BuildMenuOverHud)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A four-character tag of a letter and three digits.
std::uint32_t NumberedTag(char letter, int number)
{
    const auto digit = [](int value) { return static_cast<std::uint32_t>('0' + value % 10); };
    return static_cast<std::uint32_t>(letter) | digit(number / 100) << 8 | digit(number / 10) << 16 | digit(number) << 24;
}

// The static database grown to the save format's limits: 40 hideouts on a grid over the map and
// 128 roads between them, every hideout discovered.
void FillWorldMapToTheLimits()
{
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    constexpr int kHideouts = 40;
    constexpr int kRoutes = 128;
    std::vector<std::uint32_t> ids;
    for (const auto& [id, record] : database.Hideouts()) ids.push_back(id);
    for (int n = static_cast<int>(ids.size()); n < kHideouts; ++n) {
        const std::uint32_t id = NumberedTag('B', n);
        HideoutData& record = *database.GetOrCreateHideoutData(id);
        record.discoveryBit = n;
        record.mapX = 30 + (n % 8) * 85;
        record.mapY = 30 + (n / 8) * 90;
        ids.push_back(id);
    }
    for (int bit = 0; bit < kHideouts; ++bit) working_slot::SetStoryFlag(static_cast<std::uint32_t>(bit), true);
    for (int n = static_cast<int>(database.Routes().size()), k = 0; n < kRoutes; ++n, ++k) {
        RouteData& route = *database.GetOrCreateRouteData(NumberedTag('R', n));
        const std::size_t a = static_cast<std::size_t>(k % kHideouts);
        const std::size_t b = static_cast<std::size_t>((k * 7 + 3) % kHideouts);
        route.startLocation = ids[a];
        route.endLocation = ids[b == a ? (b + 1) % kHideouts : b];
        route.startHideout = database.FindHideoutData(route.startLocation);
        route.endHideout = database.FindHideoutData(route.endLocation);
        route.length = 2000 + 100 * k;
    }
}

// The world map open on the bridge at its rest: its frame's update (argument 0), and with the map
// view's draw, the clip, picture, roads, points and markers (argument 1).
void BM_WorldMapFrame(benchmark::State& state)
{
    const bool draw = state.range(0) != 0;
    RunFramesInGame(state, [&](GAME_CUIManager& ui) {
        FillWorldMapToTheLimits();
        GAME_CShip& ship = *GetGameWorld()->ship;
        const auto found = std::find_if(ship.rooms.begin(), ship.rooms.end(),
                                        [](const GAME_CRoomBase* room) { return room != nullptr && room->kind == 1; });
        // Before a game is started the ship may have no bridge yet: one is placed.
        GAME_CRoomBase* bridge = found != ship.rooms.end() ? *found : ship.PlaceRoom(2, 2, FindRoomIdIndex(MakeTag("ID01")));
        GAME_CUIMap* map = ui.Get<GAME_CUIMap>();
        if (bridge != nullptr) ui.OpenRoomScreen(bridge, ship.GetRoomIndex(bridge));
        for (int i = 0; i < 30; ++i) {
            ui.UpdateScreens();
            FlushUISprites();
        }
        if (map == nullptr || map->State() != UIScreenState::kMain || map->DiscoveredPoints().size() != 40) {
            state.SkipWithError("the map did not open on 40 hideouts");
        }
        auto frame = [&ui, map, draw] {
            ui.UpdateScreens();
            if (draw) map->DrawMapPicture();
        };
        auto teardown = [&ui] { ui.SetOpen(kSlotMap, false); };
        return std::pair{std::function<void()>(frame), std::function<void()>(teardown)};
    });
}
BENCHMARK(BM_WorldMapFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The market's step after a quantity changes, with every floor cell of the deck holding a stack:
// the check of money and room, the six rows with what the ship holds of each good, the totals.
void BM_MarketAfterChange(benchmark::State& state)
{
    RunFramesInGame(state, [&](GAME_CUIManager& ui) {
        GAME_CGameWorld& world = *GetGameWorld();
        const std::uint32_t town = MakeTag("AD01");
        world.travel->SetCurrentLocation(&town);
        std::int32_t column = -1;
        std::int32_t row = -1;
        while (world.fieldObjects->FindFreeItemCell(0, 0, &column, &row)) world.fieldObjects->DropItemOnCell(MakeTag("I020"), 5, column, row);
        ui.SetOpen(kSlotShop, true);
        for (int i = 0; i < 40; ++i) {
            ui.UpdateScreens();
            FlushUISprites();
        }
        auto* shop = ui.Get<GAME_CUIShop>();
        if (shop->State() != UIScreenState::kMain || world.fieldObjects->CountFreeItemPlaces() != 0) {
            state.SkipWithError("the market did not open over a full deck");
        }
        auto frame = [shop] { shop->AfterChange(); };
        auto teardown = [&ui] { ui.SetOpen(kSlotShop, false); };
        return std::pair{std::function<void()>(frame), std::function<void()>(teardown)};
    });
}
BENCHMARK(BM_MarketAfterChange)->Unit(benchmark::kMicrosecond);

// The rumour log's work of every frame, its eight rows' texts written again, with 64 rumours heard
// at the pubs of the data set's hideouts.
void BM_RumourLogRowRefill(benchmark::State& state)
{
    RunFramesInGame(state, [&](GAME_CUIManager& ui) {
        GAME_CStaticDatabase& database = *GetStaticDatabase();
        std::vector<std::uint32_t> hideouts;
        for (const auto& [id, hideout] : database.Hideouts()) hideouts.push_back(id);
        for (std::uint32_t i = 0; i < 64; ++i) {
            // "Q" + two digits + "Z": past the data set's own rumours in the map's order.
            const std::uint32_t id = 'Q' | (('0' + i / 10) << 8) | (('0' + i % 10) << 16) | ('Z' << 24);
            database.GetOrCreateRumorData(id);
            database.GetOrCreateHideoutData(hideouts[i % hideouts.size()])->rumors.push_back(id);
        }
        for (std::size_t position = 0; position < database.Rumors().size(); ++position) working_slot::SetRumorBought(position);
        ui.SetOpen(kSlotTalkLog, true);
        for (int i = 0; i < 40; ++i) {
            ui.UpdateScreens();
            FlushUISprites();
        }
        auto* log = ui.Get<GAME_CUITalkLog>(kSlotTalkLog);
        if (log == nullptr || log->Entries().size() < 64) state.SkipWithError("the log did not list the rumours");
        auto frame = [log] {
            if (log != nullptr) log->RefreshRows();
        };
        auto teardown = [&ui] { ui.SetOpen(kSlotTalkLog, false); };
        return std::pair{std::function<void()>(frame), std::function<void()>(teardown)};
    });
}
BENCHMARK(BM_RumourLogRowRefill)->Unit(benchmark::kMicrosecond);

}  // namespace
