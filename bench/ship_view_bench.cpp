// Drawing the ship view at zoom 2 (aim: under 1 ms on one core): the larger hull of the data set with every cell furnished,
// eight effect fields and twenty damage markers, into the canvas through the software renderer. Headless.
#include <benchmark/benchmark.h>

#include "bench/built_data_session.h"
#include "framework/app/framework_manager.h"
#include "framework/draw/sprite_draw.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/memory/heaps.h"
#include "game/services/data/id_tags.h"
#include "game/services/player/player_data.h"
#include "game/services/data/setting_script.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/model/script/script_package.h"
#include "game/model/world/camera2d.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/effect_field.h"
#include "game/model/ship/ship.h"
#include "tests/support/ship_test_data.h"

namespace {

// The framework and the game world on the data set this build made, with "SHP3" furnished.
class ShipViewRig {
public:
    ShipViewRig()
    {
        if (!session_.Started()) return;
        DestroyGameWorld();  // one left by an earlier benchmark points into the database replaced here
        CreatePlayerData();
        vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
        if (!RunStaticDatabaseScript(*GetStaticDatabase()) || !LoadScriptPackage(kScriptPackageRoom) ||
            registry->LoadSpritePackage({vesk::memory::MainHeap(), vesk::memory::MainHeap()}, 2, "ship/room/dotroom.pac") ==
                nullptr) {
            return;
        }
        GAME_CGameWorld* world = GetGameWorld();
        GAME_CShip& ship = *world->ship;
        if (!ship.ChangeShip(MakeTag("SHP3"))) return;
        world->camera->zoom = 2.0f;
        // Two-cell rooms where they fit, one-cell rooms in the rest.
        const std::uint32_t wide[] = {MakeTag("ID04"), MakeTag("ID06"), MakeTag("ID18"), MakeTag("ID25")};
        const std::uint32_t single[] = {MakeTag("ID03"), MakeTag("ID20"), MakeTag("ID17"), MakeTag("ID28"), MakeTag("ID21")};
        int n = 0;
        for (std::int32_t y = 0; y < ship.grid.height; ++y) {
            for (std::int32_t x = 0; x < ship.grid.width; ++x, ++n) {
                if (ship.PlaceRoom(x, y, FindRoomIdIndex(wide[n % 4])) == nullptr) {
                    ship.PlaceRoom(x, y, FindRoomIdIndex(single[n % 5]));
                }
            }
        }
        for (int i = 0; i < 8; ++i) CreateEffectField(kEffectBuff, 1 + i % 3, MakeTag("B001"), 1, 1 << 30, ship.rooms[i * 3]);
        for (std::int32_t i = 0; i < 20; ++i) ship.AddCellDamage(i % ship.grid.width, i % ship.grid.height, 1);
        for (int step = 0; step < 20; ++step) ship.Update();
        ship.body->Update();
        vesk::app::BeginFrameDraw();
        ok_ = ship.CountRoomsOnGrid() > 0;
    }

    ~ShipViewRig()
    {
        support::DestroyTestWorld();
    }

    bool Ok() const { return ok_; }

    // The world's ship passes: hull, rooms, effect fields, and the front pass.
    static void Draw()
    {
        GAME_CShip& ship = *GetGameWorld()->ship;
        ship.body->DrawBody();
        ship.DrawRooms();
        ship.DrawEffectFields();
        vesk::graphics::EndSpriteDraw();
        ship.body->DrawFront();
    }

private:
    bench_support::BuiltDataSession session_;
    bool ok_ = false;
};

void BM_ShipViewDrawZoom2(benchmark::State& state)
{
    ShipViewRig rig;
    if (!rig.Ok()) {
        state.SkipWithError("the ship view did not come up (is the data set built?)");
        return;
    }
    for (auto _ : state) ShipViewRig::Draw();
    state.counters["rooms"] = static_cast<double>(GetGameWorld()->ship->CountRoomsOnGrid());
}
BENCHMARK(BM_ShipViewDrawZoom2)->Unit(benchmark::kMicrosecond);

}  // namespace
