// The running game brought up headless on the data set this build made, under way on a busy road, for benchmarks.
#pragma once

#include "bench/headless_run_folder.h"
#include "framework/app/framework_session.h"
#include "framework/graphics/device_record.h"
#include "framework/log/log.h"
#include "game/app/game_app.h"
#include "game/services/player/player_data.h"
#include "game/app/scene/scene_base.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/world/game_world.h"
#include "game/services/ui_port/ui_slots.h"
#include "tests/support/busy_road.h"

namespace bench_support {

constexpr int kMaxFrames = 2000;

// How the rig's ship stands and where its frames go.
struct TravelRigOptions {
    bool heavy = false;  // the ship furnished to the full, at the widest zoom
    int windowWidth = 0;  // 0: the size the device starts the window at
    int windowHeight = 0;
    bool shown = true;  // false: the frame goes no further than the back buffer
};

// The game brought up headless in a scratch folder on the data set this build made, its title
// closed, and the larger hull under way on the first road with a full crew, enemies ahead and
// the road lined with background objects.
class TravelRig {
public:
    explicit TravelRig(const TravelRigOptions& options = {})
    {
        vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
        if (!session_.Start()) return;
        if (vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord()) {
            record->presenter.SetPaced(false);
            if (options.windowWidth > 0) vesk::graphics::PlaceWindowOnMonitor(static_cast<float>(options.windowWidth), static_cast<float>(options.windowHeight), false);
            if (!options.shown) record->presenter.Destroy();
        }
        int frames = 0;
        while (!IsSceneOnStack(kSceneGameMain) && frames++ < kMaxFrames) game_.GameFrame();
        GAME_CGameWorld* world = PeekGameWorld();
        if (world == nullptr) return;
        world->ui->SetOpen(kSlotTitle, false);
        // A headless window never has the focus: the game must not pause for it.
        GetPlayerData()->pauseWhenInactive = 0;
        world->ui->SetOpen(kSlotPause, false);
        while (world->ui->IsOpen(kSlotTitle) && frames++ < kMaxFrames) game_.GameFrame();
        if (world->ui->IsOpen(kSlotTitle)) return;
        if (options.heavy) {
            tasks_ = support::FurnishHeavyShip(*world);
            ok_ = tasks_ >= 0;
        } else {
            ok_ = support::FurnishBusyRoad(*world);
        }
    }

    ~TravelRig()
    {
        session_.Stop();
        vesk::log::SetSink({});
    }

    bool Ok() const { return ok_; }
    int Tasks() const { return tasks_; }
    void Frame() { game_.GameFrame(); }

private:
    HeadlessRunFolder folder_;
    varnolis::GameApplication game_;
    vesk::app::FrameworkSession session_{vesk::app::kAllFrameworkSystems | vesk::app::FrameworkSystem::Game, u"", &game_};
    bool ok_ = false;
    int tasks_ = 0;
};

}  // namespace bench_support
