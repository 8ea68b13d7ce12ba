// A played game saved at several points: each save loads back to the same bytes and, loaded twice, runs on alike;
// and a game saved on its way plays on as it would have unsaved.
//
// From a new game's first road the game is played on (at triple speed, the engines connected and a
// driver on the bridge, event texts confirmed) and checked at points along the way. At each: the slot is built as a
// save builds it, applied as a load applies it, and built again: the two must match, and what the
// player sees of the game after the load must be what he saw as it was saved (a field the save
// leaves out would pass the byte comparison, missing from both builds alike). Then the same
// slot is loaded twice, over different running states, and each load runs on for the same frames
// with the same random seed: the saves built after must match too, so a load leaves nothing of the
// game that ran before it. The load places each crew member at a random point of its saved cell,
// so the game that was saved may run on otherwise than its loads; only loads are compared.
// Item-carrying tasks are not loaded back (the items call their carriers anew), nor are the crew's
// in-room marks, so these are left out of the comparison; nor is where the records of lying
// materials on the road and of spent damage stand (a load packs them). A crew member given back
// its task thinks at once and may take a unit from a store or pick up an item, so on the full
// ship the stores and lying items are compared only between the two loads.
// CI checks two points briefly; VARNOLIS_SAVE_ROUND_TRIP_POINTS=<count> and
// VARNOLIS_SAVE_ROUND_TRIP_FRAMES=<frames between points and run on after each load> check more;
// with VARNOLIS_SAVE_ROUND_TRIP_ROADS set the ship sets out on another road from each hideout it
// reaches, and with VARNOLIS_SAVE_ROUND_TRIP_FULL_SHIP set it plays on the larger hull furnished
// to the full (a crew of 128, workshops crafting, rooms being built, items on the deck, enemies).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "framework/math/random.h"
#include "game/model/session/play_session.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_request.h"
#include "game/services/data/tag.h"
#include "game/model/travel/route_manager.h"
#include "game/model/world/game_world.h"
#include "game/services/data/task_records.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "game/services/data/static_database.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_enemy.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/model/stores/stored_items.h"
#include "game/services/clock/game_clock.h"
#include "game/services/player/player_data.h"
#include "framework/text/utf.h"
#include "game/services/data/static_lookups.h"
#include "tests/support/busy_road.h"
#include "platform/little_endian.h"
#include "game/ui/ui_screen.h"
#include "tests/support/game_fixture.h"
#include "tests/support/save_comparison.h"

namespace {

namespace slot = save_layout::slot;

constexpr int kCiPoints = 2;
constexpr int kCiFrames = 240;
constexpr int kSlot = 3;

int FromEnvironment(const char* name, int fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr ? std::max(1, std::atoi(text)) : fallback;
}

class PlayedSaveRoundTrip : public support::GameFixture {
protected:
    // The running game built into a slot of the image, as a save builds it.
    static std::vector<std::uint8_t> Save()
    {
        BuildSlotImage(kSlot);
        const std::span<std::uint8_t> written = GetSaveAreas().ImageSlot(kSlot);
        return {written.begin(), written.end()};
    }

    // The slot applied as the load screen applies it, the game's own screens closed first as on the
    // way back to the title; the random placing of the crew seeded alike.
    void Load(const std::vector<std::uint8_t>& bytes)
    {
        for (int screen = kSlotBuild; screen <= kSlotInventoryTrash; ++screen) UI().SetOpen(screen, false);
        // The title is out of reach while an event's choices wait for their answer.
        UI().CloseEventChoices();
        StepFrames(GAME_CUIScreen::kSlideFrames + 2);
        // ... and while a game over runs its course, begun perhaps in the frames just stepped.
        StepConfirmingEventsUntil([&] { return !UI().IsOpen(kSlotGameOver); }, 3000);
        for (int screen = kSlotBuild; screen <= kSlotInventoryTrash; ++screen) UI().SetOpen(screen, false);
        UI().CloseEventChoices();
        // At the title the game stands still while its screens finish closing: one left closing (an
        // event window the frames above opened again) would still be open in the loaded game.
        GAME_CGameWorld& world = *GetGameWorld();
        const bool closed = StepUntil([&] {
            world.held = 1;
            for (int screen = kSlotBuild; screen <= kSlotInventoryTrash; ++screen) {
                if (UI().IsOpen(screen)) return false;
            }
            return true;
        }, 4 * GAME_CUIScreen::kSlideFrames);
        EXPECT_TRUE(closed) << "the game's screens did not close before the load";
        vesk::math::SeedRandom(8);
        // The autosave counts the frames played since the last one, whatever was loaded in
        // between: each load starts it alike, so that the two runs autosave alike.
        GetSaveManager()->autoSaveCounter = 0;
        GetSaveAreas().workingSlot.assign(bytes.begin(), bytes.end());
        SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    }

    // Frames of play: the speed at three, each event text confirmed once it is shown.
    void Play(int frames)
    {
        GAME_CGameWorld& world = *GetGameWorld();
        world.timeScale->speed = 3.0f;
        PostDriver(world);
        int played = 0;
        StepConfirmingEventsUntil([&] { return ++played >= frames; }, frames + 1);
    }

    // The player connects the engines and puts a crew member on the bridge while the road lies ahead.
    static void PostDriver(GAME_CGameWorld& world)
    {
        const GAME_CRouteManager& route = *world.travel->routeManager;
        if (world.tasks->HasBridgeDriverTask() || route.GetPosition() >= route.GetLength()) return;
        for (std::int32_t number = 0; number < world.ship->CountRoomsOnGrid(); ++number) {
            GAME_CRoomBase* room = world.ship->GetRoom(number);
            if (room != nullptr && room->GetRoomId() == MakeTag("ID23") && room->engineMode == kEngineDisconnected) {
                room->engineMode = kEngineConnected;
            }
        }
        world.ship->RecalcStats();
        for (std::int32_t number = 0; number < world.ship->CountRoomsOnGrid(); ++number) {
            const GAME_CRoomBase* room = world.ship->GetRoom(number);
            if (room == nullptr || room->GetRoomId() != MakeTag("ID01") || room->underConstruction) continue;
            if (GAME_CTaskBase* driver = GAME_CTaskBase::CreateFromRequest(MakeBridgeDriverRequest(number))) {
                world.fieldObjects->AssignCrewToTask(driver, false, false);
            }
            return;
        }
    }

    // At a hideout at the end of its road the ship sets out on another road from there, the one
    // after the last taken in the database's order.
    void TakeNextRoad()
    {
        GAME_CGameWorld& world = *GetGameWorld();
        const GAME_CRouteManager& route = *world.travel->routeManager;
        const LocationRecord* here = world.travel->GetLocation();
        if (route.GetPosition() < route.GetLength() || here == nullptr || here->hideoutId == kNoId) return;
        const GAME_CStaticDatabase& database = *GetStaticDatabase();
        std::uint32_t id = kNoId;
        std::vector<std::pair<std::uint32_t, bool>> roads;
        for (std::int32_t position = 0; const RouteData* road = database.GetRouteDataAt(position, &id); ++position) {
            if (road->startLocation == here->hideoutId) roads.emplace_back(id, true);
            if (road->endLocation == here->hideoutId) roads.emplace_back(id, false);
        }
        if (roads.empty()) return;
        const auto& [road, forward] = roads[static_cast<std::size_t>(roadsTaken_++) % roads.size()];
        std::printf("  sets out on road %u%s\n", road, forward ? "" : " backward");
        StartRoute(*world.travel, &road, forward, {}, {});
    }

    // The larger hull bought as at a shipyard (the stock kept in one room), furnished: a room of
    // every kind, more workshops, quarters, storerooms, tailors and libraries, a full crew of 128,
    // the workshops crafting on repeat, enemies ahead.
    static void FurnishFullShip(GAME_CGameWorld& world)
    {
        GAME_CShip& ship = *world.ship;
        ASSERT_TRUE(ship.ChangeShip(MakeTag("SHP3"), true));
        ASSERT_NE(support::PlaceDrivingRooms(ship), nullptr);
        ship.AddFuel(100000);
        // One room of every kind, each where it first fits, then the workshops and the rest.
        for (std::int32_t kind = 1; kind < kRoomIdCount; ++kind) {
            bool fitted = false;
            for (std::int32_t y = 0; y < ship.grid.height && !fitted; ++y) {
                for (std::int32_t x = 0; x < ship.grid.width && !fitted; ++x) {
                    fitted = ship.CanPlaceRoom(x, y, kind) && ship.PlaceRoom(x, y, kind) != nullptr;
                }
            }
        }
        const std::uint32_t kinds[] = {MakeTag("ID06"), MakeTag("ID03"), MakeTag("ID20"), MakeTag("ID13"), MakeTag("ID28")};
        int placed = 0;
        for (std::int32_t y = 0; y < ship.grid.height && placed < 30; ++y) {
            for (std::int32_t x = 0; x < ship.grid.width && placed < 30; ++x) {
                const std::int32_t kind = FindRoomIdIndex(kinds[placed % 5]);
                if (ship.CanPlaceRoom(x, y, kind) && ship.PlaceRoom(x, y, kind) != nullptr) ++placed;
            }
        }
        GAME_CFieldObjectManager& field = *world.fieldObjects;
        for (int i = static_cast<int>(field.crew.size()); i < 128; ++i) {
            GAME_CObjectActor* actor = field.AcquireActorObject();
            if (actor == nullptr) break;
            ActorSetupRecord setup;
            ship.GetCellFloorPoint(i % ship.grid.width, i / ship.grid.width % ship.grid.height, &setup.x, &setup.y, true);
            actor->Init(setup);
            actor->aiEnabled = 1;
        }
        for (int i = 0; i < 16; ++i) {
            if (GAME_CObjectEnemy* enemy = field.AcquireEnemyObject()) enemy->Init({MakeTag(i % 2 == 0 ? "E001" : "E002"), {600 + 40 * i, 600 + 40 * i}});
        }
        const TaskData* craft = FindTaskData(MakeTag("TC01"));
        ASSERT_NE(craft, nullptr);
        for (GAME_CRoomBase* room : ship.rooms) {
            if (room == nullptr) continue;
            for (int i = 0; i < 4; ++i) {
                GAME_CTaskBase* task = GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(*craft, ship.GetRoomIndex(room), 1));
                if (task == nullptr) break;
                task->repeat = 1;
            }
        }
        std::printf("full ship: %d rooms, %zu crew, %zu tasks\n", ship.CountRoomsOnGrid(), field.crew.size(), world.tasks->tasks.size());
    }

    // Rooms still being built and items lying on the deck.
    static void StartBuildsAndDropItems(GAME_CGameWorld& world)
    {
        GAME_CShip& ship = *world.ship;
        int builds = 0;
        for (std::int32_t y = ship.grid.height - 1; y >= 0 && builds < 3; --y) {
            for (std::int32_t x = ship.grid.width - 1; x >= 0 && builds < 3; --x) {
                const std::int32_t kind = FindRoomIdIndex(MakeTag(builds % 2 == 0 ? "ID03" : "ID06"));
                if (ship.CanPlaceRoom(x, y, kind) && ship.PlaceNewRoom(x, y, kind, kNoId, true) != nullptr) ++builds;
            }
        }
        const std::uint32_t items[] = {MakeTag("I001"), MakeTag("I002"), MakeTag("I010"), MakeTag("I020")};
        for (int i = 0; i < 40; ++i) {
            world.fieldObjects->DropItemOnCell(items[i % 4], 1 + i % 5, i % ship.grid.width, i / ship.grid.width % ship.grid.height);
        }
    }

    int roadsTaken_ = 0;
    bool fullShip_ = false;

    std::vector<std::uint8_t> LoadAndRunOn(const std::vector<std::uint8_t>& bytes, int frames)
    {
        Load(bytes);
        vesk::math::SeedRandom(7);
        Play(frames);
        return Save();
    }

    void CheckPoint(int point, int frames)
    {
        const GAME_CGameWorld& world = *GetGameWorld();
        const GAME_CRouteManager& route = *world.travel->routeManager;
        std::printf("point %d: route %u at %d of %d%s, crew %zu, tasks %zu, rooms %d\n", point, route.GetRouteId(),
                    route.GetPosition(), route.GetLength(), route.IsRouteEventRunning() ? ", event running" : "",
                    world.fieldObjects->crew.size(), world.tasks->tasks.size(), world.ship->CountRoomsOnGrid());
        std::fflush(stdout);
        const std::string seen = support::WhatThePlayerSees();
        const std::vector<std::uint8_t> first = Save();
        Load(first);
        EXPECT_EQ(support::WhatThePlayerSees(), seen) << "point " << point << ", what the player sees after the load";
        std::vector<std::uint8_t> again = Save();
        if (fullShip_) {
            const std::pair<std::size_t, std::size_t> thought[] = {{slot::kStore, slot::kStoreSize}, {slot::kFieldItems, slot::kFieldItemCount * slot::kFieldItemSize}};
            for (const auto& [offset, size] : thought) {
                std::copy_n(first.begin() + static_cast<std::ptrdiff_t>(offset), size, again.begin() + static_cast<std::ptrdiff_t>(offset));
            }
        }
        EXPECT_TRUE(support::WithoutRebuiltFields(first) == support::WithoutRebuiltFields(again))
            << "point " << point << ", saved again after the load:" << support::SlotDifferences(support::WithoutRebuiltFields(first), support::WithoutRebuiltFields(again));
        const std::vector<std::uint8_t> firstRun = LoadAndRunOn(first, frames);
        const std::vector<std::uint8_t> secondRun = LoadAndRunOn(first, frames);
        ExpectAlike(firstRun, secondRun, "point " + std::to_string(point) + ", two loads run on");
    }

    // Two runs compared as their saves show them. The second of play time under way belongs to the
    // frame loop, not to the game, and is not saved; an autosave on the way stamps the clock's time.
    static void ExpectAlike(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b, const std::string& what)
    {
        std::copy_n(b.begin() + slot::kPlaySeconds, 4, a.begin() + slot::kPlaySeconds);
        std::copy_n(b.begin() + slot::kLastSaveTime, 32, a.begin() + slot::kLastSaveTime);
        EXPECT_TRUE(a == b) << what << ":" << support::SlotDifferences(a, b);
    }
};

TEST_F(PlayedSaveRoundTrip, SavesAlongTheRoadLoadBackAndRunOnAlike)
{
    vesk::math::MarkRandomClockSeeded();
    vesk::math::SeedRandom(1);
    StartNewGameToFirstRoad();
    ASSERT_FALSE(HasFatalFailure());
    const int points = FromEnvironment("VARNOLIS_SAVE_ROUND_TRIP_POINTS", kCiPoints);
    const int frames = FromEnvironment("VARNOLIS_SAVE_ROUND_TRIP_FRAMES", kCiFrames);
    if (std::getenv("VARNOLIS_SAVE_ROUND_TRIP_FULL_SHIP") != nullptr) {
        fullShip_ = true;
        FurnishFullShip(*GetGameWorld());
        StartBuildsAndDropItems(*GetGameWorld());
    }
    for (int point = 0; point < points && !HasFailure(); ++point) {
        // A ship that has reached a hideout is checked there once before it sets out again.
        const GAME_CRouteManager& route = *GetGameWorld()->travel->routeManager;
        const bool standing = route.GetPosition() >= route.GetLength();
        CheckPoint(point, frames);
        if (standing && std::getenv("VARNOLIS_SAVE_ROUND_TRIP_ROADS") != nullptr) TakeNextRoad();
        Play(frames);
    }
}

// Saving leaves the game as it was: a game saved on its way and the same game played on without
// the save, from one load with one random seed, run on alike, down to the next random number.
TEST_F(PlayedSaveRoundTrip, ASavedGamePlaysOnAsAnUnsavedOne)
{
    vesk::math::MarkRandomClockSeeded();
    vesk::math::SeedRandom(1);
    StartNewGameToFirstRoad();
    ASSERT_FALSE(HasFatalFailure());
    Play(kCiFrames);
    const std::vector<std::uint8_t> start = Save();
    auto playOn = [&](bool saving) {
        Load(start);
        vesk::math::SeedRandom(7);
        Play(kCiFrames / 2);
        if (saving) {
            EXPECT_TRUE(GetSaveManager()->RequestAutoSave());
        }
        Play(kCiFrames);
        const int nextDraw = vesk::math::Rand();
        return std::pair{Save(), nextDraw};
    };
    const auto [saved, savedDraw] = playOn(true);
    ASSERT_TRUE(StepUntilSaveIdle());
    EXPECT_EQ(GetSaveManager()->lastResult, GAME_CSaveManager::kOk);
    const auto [unsaved, unsavedDraw] = playOn(false);
    EXPECT_EQ(savedDraw, unsavedDraw) << "the save drew from the game's random numbers";
    ExpectAlike(saved, unsaved, "saved and unsaved runs");
}

}  // namespace
