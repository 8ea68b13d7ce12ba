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

namespace {

namespace slot = save_layout::slot;

constexpr int kCiPoints = 2;
constexpr int kCiFrames = 240;
constexpr int kSlot = 3;

struct Area {
    const char* name;
    std::size_t offset;
};

// The areas of a slot by where they start, for naming a differing byte.
constexpr Area kAreas[] = {
    {"play time", slot::kPlaySeconds}, {"money", slot::kMoney}, {"kept date area", slot::kDateTime},
    {"rooms", slot::kRooms}, {"crew", slot::kCrew}, {"ship", slot::kShipTag},
    {"damage markers", slot::kDamageMarkers}, {"world tables", slot::kWorldTables},
    {"byte table", slot::kByteTable}, {"travel", slot::kTravel}, {"clock", slot::kClock},
    {"store", slot::kStore}, {"tasks", slot::kTasks}, {"field items", slot::kFieldItems},
    {"engine modes", slot::kEngineModes}, {"live table", slot::kLiveTable}, {"event bits", slot::kEventBits},
    {"background", slot::kBackground}, {"ranking", slot::kRanking}, {"live area", slot::kLiveArea},
    {"background list", slot::kBackgroundSaveList}, {"travel flags", slot::kTravelFlags},
};

std::string AreaOf(std::size_t offset)
{
    const Area* found = &kAreas[0];
    for (const Area& area : kAreas) {
        if (area.offset <= offset) found = &area;
    }
    return std::string(found->name) + " +" + std::to_string(offset - found->offset);
}

std::string Differences(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b)
{
    std::ostringstream text;
    int shown = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size() && shown < 24; ++i) {
        if (a[i] == b[i]) continue;
        text << " [" << AreaOf(i) << ": " << int{a[i]} << " vs " << int{b[i]} << "]";
        ++shown;
    }
    return text.str();
}

// The slot without what a load rebuilds rather than reads: the crew's in-room marks (a member goes
// into its room again as it walks), the points of lying items within their cells (a loaded item
// lies at its cell's middle) and the item-carrying task records, taken out of the task list (later
// records move up, their repeat bits with them).
std::vector<std::uint8_t> WithoutRebuiltFields(std::vector<std::uint8_t> bytes)
{
    constexpr std::size_t kCrewInRoom = 3;
    for (std::size_t r = 0; r < static_cast<std::size_t>(slot::kCrewRecordCount); ++r) {
        bytes[slot::kCrew + r * slot::kCrewRecordSize + kCrewInRoom] = 0;
    }
    constexpr std::size_t kItemX = 4;
    constexpr std::size_t kItemY = 6;
    const GAME_CShipGrid& grid = GetGameWorld()->ship->grid;
    for (std::size_t r = 0; r < static_cast<std::size_t>(slot::kFieldItemCount); ++r) {
        const std::size_t at = slot::kFieldItems + r * slot::kFieldItemSize;
        const auto column = static_cast<std::int16_t>(platform::ReadI16(bytes, at + kItemX) / static_cast<std::int32_t>(grid.cellWidth));
        const auto row = static_cast<std::int16_t>(platform::ReadI16(bytes, at + kItemY) / static_cast<std::int32_t>(grid.cellHeight));
        platform::WriteI16(bytes, at + kItemX, column);
        platform::WriteI16(bytes, at + kItemY, row);
    }
    const std::size_t size = task_record::kSize;
    std::vector<std::vector<std::uint8_t>> kept;
    std::vector<bool> repeats;
    for (std::size_t r = 0; r < static_cast<std::size_t>(slot::kTaskRecordCount); ++r) {
        const std::size_t at = slot::kTasks + r * size;
        const std::uint8_t kind = bytes[at + task_record::kKind];
        if (kind == task_record::kNone) break;
        if (kind == kTaskItemCarrier) continue;
        kept.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
        repeats.push_back(GetSlotBit(bytes, slot::kTaskRepeatBits, slot::kTaskRecordCount, static_cast<std::uint32_t>(r)));
    }
    // The road's drop records in the order a load makes them again: in use ones first.
    constexpr std::size_t kDropSize = 12;
    constexpr std::size_t kDropCount = 128;
    std::vector<std::vector<std::uint8_t>> drops;
    for (std::size_t r = 0; r < kDropCount; ++r) {
        const auto at = static_cast<std::ptrdiff_t>(slot::kDropItemRecords + r * kDropSize);
        std::vector<std::uint8_t> record(bytes.begin() + at, bytes.begin() + at + static_cast<std::ptrdiff_t>(kDropSize));
        if (platform::ReadI32(record, 8) > 0) drops.push_back(record);
    }
    for (std::size_t r = 0; r < kDropCount; ++r) {
        const std::size_t at = slot::kDropItemRecords + r * kDropSize;
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), kDropSize, std::uint8_t{0});
        platform::WriteU32(bytes, at, r < drops.size() ? platform::ReadU32(drops[r], 0) : 0xFFFFFFFFu);
        if (r < drops.size()) std::copy(drops[r].begin(), drops[r].end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    }
    // Damage records without damage left, which a load passes over.
    std::vector<std::vector<std::uint8_t>> damage;
    for (std::size_t r = 0; r < static_cast<std::size_t>(slot::kDamageMarkerCount); ++r) {
        const auto at = static_cast<std::ptrdiff_t>(slot::kDamageMarkers + r * slot::kDamageMarkerSize);
        std::vector<std::uint8_t> record(bytes.begin() + at, bytes.begin() + at + static_cast<std::ptrdiff_t>(slot::kDamageMarkerSize));
        if (platform::ReadI16(record, 0) != 0) damage.push_back(record);
        std::fill_n(bytes.begin() + at, slot::kDamageMarkerSize, std::uint8_t{0});
    }
    for (std::size_t r = 0; r < damage.size(); ++r) {
        std::copy(damage[r].begin(), damage[r].end(), bytes.begin() + static_cast<std::ptrdiff_t>(slot::kDamageMarkers + r * slot::kDamageMarkerSize));
    }
    InitTaskSaveArea(bytes);
    for (std::size_t r = 0; r < kept.size(); ++r) {
        std::copy(kept[r].begin(), kept[r].end(), bytes.begin() + static_cast<std::ptrdiff_t>(slot::kTasks + r * size));
        SetSlotBit(bytes, slot::kTaskRepeatBits, slot::kTaskRecordCount, static_cast<std::uint32_t>(r), repeats[r]);
    }
    return bytes;
}

// What the player sees of the running game, one line a thing: money, the ship's hull, fuel and
// rooms, each crew member's meters, the tasks under way, the stores by item, the road and the clock,
// the enemies alongside. Where a crew member stands within its cell and the work its thinking takes up
// anew are left out: a load places the crew and hands the items on the deck to carriers again.
std::string WhatThePlayerSees()
{
    const GAME_CGameWorld& world = *GetGameWorld();
    const GAME_CPlayerData& player = *GetPlayerData();
    std::ostringstream out;
    out << "money " << player.money << "\n";
    const GAME_CShip& ship = *world.ship;
    out << "ship " << DescribeId(ship.shipTag) << " hull " << ship.GetRemainingHull() << " of " << ship.hullMax << " fuel "
        << ship.fuel << " of " << ship.fuelCapacity << "\n";
    for (std::int32_t number = 0; number < ship.CountRoomsOnGrid(); ++number) {
        const GAME_CRoomBase* room = ship.GetRoom(number);
        if (room == nullptr) continue;
        out << "room " << number << ": " << DescribeId(room->GetRoomId()) << " at " << room->gridX << ',' << room->gridY
            << (room->underConstruction ? " being built" : "") << (room->broken ? " broken" : "") << " level " << room->level
            << " upgrades " << room->installedUpgrades << " engine " << room->engineMode
            << " births " << room->birthCounter << "\n";
    }
    for (const GAME_CObjectActor* actor : world.fieldObjects->crew) {
        if (actor == nullptr) continue;
        const GAME_CActorStatus& status = actor->status;
        const std::u16string name(std::u16string_view(status.name));
        out << "crew " << vesk::text::Utf16ToUtf8(name) << ": hp " << status.GetHP() << " stamina " << status.GetStamina()
            << " calories " << status.GetCalorie() << " cell " << actor->GetGridColumn() << ',' << actor->GetGridRow()
            << " works in " << actor->workLink.roomNumber << " lives in " << actor->homeLink.roomNumber;
        for (const auto& skill : status.skills) out << " skill " << DescribeId(skill.id);
        for (const auto& buff : status.buffs) out << " buff " << DescribeId(buff.id) << " for " << buff.timer;
        for (const auto& debuff : status.debuffs) out << " debuff " << DescribeId(debuff.id) << " for " << debuff.timer;
        out << "\n";
    }
    for (const GAME_CTaskBase* task : world.tasks->tasks) {
        if (task == nullptr || task->IsFinished() || task->GetKind() == kTaskItemCarrier) continue;
        out << "task " << task->GetKind() << " " << DescribeId(task->id) << " room " << task->GetRoomIndex() << " progress "
            << task->progress << " materials " << task->materials.size() << (task->repeat != 0 ? " repeated" : "") << "\n";
    }
    for (const auto& item : GetStaticDatabase()->Items()) {
        if (item == nullptr) continue;
        const std::int64_t aboard = CountStoredItem(item->id) + CountFieldItem(item->id) + CountCarriedItem(item->id);
        if (aboard != 0) out << "item " << DescribeId(item->id) << " x" << aboard << "\n";
    }
    for (std::int32_t i = 0; i < GetFoodStorageCount(); ++i) {
        const GAME_CFoodStorage* food = GetFoodStorageAt(i);
        if (food == nullptr) continue;
        out << "food in room " << food->GetRoomIndex() << ": " << DescribeId(*food->GetFoodId()) << " x" << food->GetCount() << "\n";
    }
    for (std::int32_t i = 0; i < GetAmmoStorageCount(); ++i) {
        const GAME_CAmmoImpl* ammo = GetAmmoStorageAt(i);
        if (ammo == nullptr) continue;
        out << "ammo in room " << ammo->GetRoomIndex() << ": " << DescribeId(*ammo->GetAmmoId()) << " x" << ammo->GetCount() << "\n";
    }
    const GAME_CRouteManager& route = *world.travel->routeManager;
    // Whether the ship is driven shows in the driver's task above: the ship's drive mark lives for one
    // step only, and between frames it tells what the last step of whatever game ran before did.
    out << "road " << DescribeId(route.GetRouteId()) << " at " << route.GetPosition() << " of " << route.GetLength() << "\n";
    const GAME_CGameClock& clock = *GetGameClock();
    out << "day " << clock.day << " step " << clock.step << "\n";
    for (const GAME_CObjectEnemy* enemy : world.fieldObjects->enemies) {
        if (enemy == nullptr || enemy->dead != 0) continue;
        out << "enemy " << DescribeId(enemy->GetEnemyId()) << " hp " << enemy->hpRecord.hp << "\n";
    }
    return out.str();
}

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
        const std::string seen = WhatThePlayerSees();
        const std::vector<std::uint8_t> first = Save();
        Load(first);
        EXPECT_EQ(WhatThePlayerSees(), seen) << "point " << point << ", what the player sees after the load";
        std::vector<std::uint8_t> again = Save();
        if (fullShip_) {
            const std::pair<std::size_t, std::size_t> thought[] = {{slot::kStore, slot::kStoreSize}, {slot::kFieldItems, slot::kFieldItemCount * slot::kFieldItemSize}};
            for (const auto& [offset, size] : thought) {
                std::copy_n(first.begin() + static_cast<std::ptrdiff_t>(offset), size, again.begin() + static_cast<std::ptrdiff_t>(offset));
            }
        }
        EXPECT_TRUE(WithoutRebuiltFields(first) == WithoutRebuiltFields(again))
            << "point " << point << ", saved again after the load:" << Differences(WithoutRebuiltFields(first), WithoutRebuiltFields(again));
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
        EXPECT_TRUE(a == b) << what << ":" << Differences(a, b);
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
