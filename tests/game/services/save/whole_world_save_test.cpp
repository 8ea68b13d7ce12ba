// The whole world saved mid-journey and rebuilt from its slot: the second save matches the first byte for byte, and both worlds run on alike.
#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <sstream>
#include <vector>

#include "framework/math/random.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_lookups.h"
#include "game/model/stores/stored_items.h"
#include "game/model/session/play_session.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "game/services/save/working_slot.h"
#include "game/services/data/static_database.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/route_save_block.h"
#include "game/model/travel/script_route.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/effect_field.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "game/model/ship/task_request.h"
#include "platform/little_endian.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

namespace slot = save_layout::slot;

constexpr std::uint32_t kRoad = 1;  // Cheddar Springs to Rusty Gear Post, 2400 units

// Where in a slot the first differing bytes lie, for a readable failure.
std::string DescribeDifferences(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                                std::size_t offset, std::size_t size)
{
    std::ostringstream text;
    int shown = 0;
    for (std::size_t i = offset; i < offset + size && i < a.size() && i < b.size() && shown < 12; ++i) {
        if (a[i] == b[i]) continue;
        text << " +" << i << ": " << int{a[i]} << " vs " << int{b[i]} << ";";
        ++shown;
    }
    return text.str();
}

class WholeWorldSave : public support::TaskWorld {
protected:
    // The running game written as the save does, into a slot of the image.
    std::vector<std::uint8_t> SaveSlot()
    {
        BuildSlotImage(2);
        const std::span<std::uint8_t> written = GetSaveAreas().ImageSlot(2);
        return {written.begin(), written.end()};
    }

    // The slot read back as a load applies it.
    void Restore(const std::vector<std::uint8_t>& image)
    {
        std::memcpy(GetWorkingSlot().data(), image.data(), image.size());
        SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    }

    GAME_CRouteManager& Route() const { return *World().travel->routeManager; }
};

TEST_F(WholeWorldSave, ASlotSavedMidJourneyComesBackIdenticalAndRunsOnAlike)
{
    // A ship under way: a bridge and an engine, a kitchen cooking again and again, a storeroom,
    // a loaded catapult and an infirmary being built, with four crew.
    GAME_CRoomBase& bridge = Place(kBridge, 0, 0);
    GAME_CRoomBase& engine = Place(kEngine, 0, 2);
    GAME_CRoomBase& kitchen = Place(kKitchen, 2, 0);
    GAME_CRoomBase& storeroom = Place(kStoreroom, 4, 0);
    GAME_CRoomBase& catapult = Place(kCatapult, 5, 0);
    engine.engineMode = kEngineConnected;
    Ship().RecalcStats();
    Ship().AddFuel(5000);
    ASSERT_GT(Ship().fuel, 0);
    for (int i = 0; i < 3; ++i) AddCrew(2 + i, 3);
    AddCrew(0, 0);
    Stock(storeroom, kGrain, 8);
    Stock(storeroom, kWater, 4);
    Stock(storeroom, kTimber, 3);  // no cloth aboard: the build waits for its second material
    Stock(storeroom, kCheeseBomb, 2);
    GAME_CFoodStorage* food = FindFoodStorage(NumberOf(kitchen));
    ASSERT_NE(food, nullptr);
    food->AddOne();
    GAME_CAmmo* ammo = GetOrCreateAmmoStorage(NumberOf(catapult));
    ASSERT_NE(ammo, nullptr);
    ammo->SetAmmoId(&kCheeseBomb);
    ammo->SetCapacity(5);
    for (int i = 0; i < 3; ++i) ammo->AddOne();
    GAME_CRoomBase* site = Ship().PlaceNewRoom(8, 0, FindRoomIdIndex(kInfirmary), kInfirmary, true);
    ASSERT_NE(site, nullptr);
    GAME_CTaskBase* cooking = GAME_CTaskBase::CreateFromRequest(MakeCookingRequest(NumberOf(kitchen)));
    ASSERT_NE(cooking, nullptr);
    cooking->repeat = 1;
    Ship().AddCellDamage(3, 0, 20);
    Ship().AddCellDamage(0, 2, 35);
    ASSERT_EQ(Ship().damageMarkers.size(), 2u);
    // The timber is carried to the site while the ship still stands at the hideout.
    const std::vector<GAME_CTaskBase*> builds = TasksOfKind(kTaskRoomBuild);
    ASSERT_EQ(builds.size(), 1u);
    ASSERT_TRUE(StepSimulationUntil([&] { return builds[0]->CountMaterial(kTimber) == 3; }, 20000));

    // On the road: the departure label lines it with background objects, the first fixed event
    // places random events further on, and the driver takes the ship to 260.
    StartRoute(*World().travel, &kRoad, true, {}, {});
    ASSERT_EQ(Route().GetLength(), 2400);
    GAME_CTaskBase* driver = GAME_CTaskBase::CreateFromRequest(MakeBridgeDriverRequest(NumberOf(bridge)));
    ASSERT_NE(driver, nullptr);
    Field().AssignCrewToTask(driver, false, false);
    ASSERT_EQ(driver->crew.size(), 1u);
    ASSERT_TRUE(StepSimulationUntil([&] { return Route().GetPosition() >= 260; }, 20000));
    Tasks().FinishTasksOfKind(kTaskBridgeDriver);
    StepSimulation(1);
    Route().SetPosition(260);
    ASSERT_FALSE(World().ui->IsOpen(kSlotGameOver));
    GAME_CScriptRoute& script = Route().Script();
    script.GetOrCreateRouteVariable("visits")->value = 3;
    script.GetOrCreateRouteVariable("toll")->value = -40;

    // What the mid-journey state must hold for the round trip to mean anything.
    ASSERT_FALSE(Route().Events()->randomEvents.empty());
    ASSERT_FALSE(Route().Events()->fixedEvents.empty());
    ASSERT_GE(World().background->ActiveObjects().size(), 4u);
    EXPECT_EQ(builds[0]->CountMaterial(kCloth), 0);
    EXPECT_TRUE(site->underConstruction);
    ASSERT_FALSE(TasksOfKind(kTaskCooking).empty());
    EXPECT_EQ(TasksOfKind(kTaskCooking)[0]->repeat, 1u);
    EXPECT_GT(CountStoredItem(kGrain), 0);
    EXPECT_GT(ammo->GetCount(), 0);
    EXPECT_EQ(Ship().damageMarkers.size(), 2u);
    const std::int32_t position = Route().GetPosition();
    ASSERT_EQ(position, 260);

    const std::vector<std::uint8_t> first = SaveSlot();
    vesk::math::SeedRandom(77);
    StepSimulation(2000);
    const std::vector<std::uint8_t> ranOn = SaveSlot();
    ASSERT_NE(platform::ReadU32(ranOn, slot::kClockStep), platform::ReadU32(first, slot::kClockStep));

    // Rebuilt from the slot, the world saves again byte for byte.
    vesk::math::SeedRandom(78);
    Restore(first);
    EXPECT_EQ(Route().GetPosition(), position);
    ASSERT_NE(Route().Script().FindRouteVariable("toll"), nullptr);
    EXPECT_EQ(Route().Script().FindRouteVariable("toll")->value, -40);
    const std::vector<std::uint8_t> second = SaveSlot();
    EXPECT_TRUE(first == second) << "differences:" << DescribeDifferences(first, second, 0, first.size());

    // Run on with the same draws (a save draws numbers of its own), the restored world keeps the
    // road as the original did: route, events, variables, background objects and clock.
    vesk::math::SeedRandom(77);
    StepSimulation(2000);
    const std::vector<std::uint8_t> restoredRanOn = SaveSlot();
    const std::pair<std::size_t, std::size_t> roadAreas[] = {{slot::kTravel, route_block::kSize},
                                                             {slot::kBackground, slot::kBackgroundSize},
                                                             {slot::kBackgroundSaveList, slot::kBackgroundSaveListSize},
                                                             {slot::kClock, slot::kClockSize}};
    for (const auto& [offset, size] : roadAreas) {
        EXPECT_EQ(DescribeDifferences(ranOn, restoredRanOn, offset, size), "");
    }

    // The crew keep only their cells in a slot, so it is from the restored state that the whole
    // world runs alike: a second restore, made over the world that ran on, leaves nothing of it.
    vesk::math::SeedRandom(78);
    Restore(first);
    vesk::math::SeedRandom(77);
    StepSimulation(2000);
    const std::vector<std::uint8_t> again = SaveSlot();
    EXPECT_TRUE(again == restoredRanOn) << "differences:" << DescribeDifferences(restoredRanOn, again, 0, again.size());
}

}  // namespace

TEST_F(WholeWorldSave, ALoadKeepsNoneOfTheItemsTheGameBeforeItFound)
{
    // A slot saved before any timber came aboard, an infirmary site waiting for it.
    const GAME_CStaticDatabase& database = *GetStaticDatabase();
    std::int32_t timber = -1;
    ASSERT_NE(database.FindItemDataIndexed(kTimber, &timber), nullptr);
    SetSlotBit(GetWorkingSlot(), slot::kFieldItemsLive, working_slot::kDiscoveredItemBits, static_cast<std::uint32_t>(timber), false);
    GAME_CRoomBase* site = Ship().PlaceNewRoom(4, 0, FindRoomIdIndex(kInfirmary), kInfirmary, true);
    ASSERT_NE(site, nullptr);
    AddCrew(0, 0);
    const std::vector<std::uint8_t> first = SaveSlot();
    ASSERT_FALSE(GetSlotBit(first, slot::kFieldItemsLive, working_slot::kDiscoveredItemBits, static_cast<std::uint32_t>(timber)));

    // The game runs on: timber is found and carried to the site.
    Drop(kTimber, 3, 0, 0);
    const std::vector<GAME_CTaskBase*> builds = TasksOfKind(kTaskRoomBuild);
    ASSERT_EQ(builds.size(), 1u);
    ASSERT_TRUE(StepSimulationUntil([&] { return builds[0]->CountMaterial(kTimber) == 3; }, 20000));
    ASSERT_TRUE(working_slot::ItemDiscovered(static_cast<std::size_t>(timber)));

    // The slot loaded over it has still never seen timber, nor does its next save.
    Restore(first);
    EXPECT_FALSE(working_slot::ItemDiscovered(static_cast<std::size_t>(timber)));
    const std::vector<std::uint8_t> second = SaveSlot();
    EXPECT_EQ(DescribeDifferences(first, second, slot::kFieldItemsLive, slot::kFieldItemsLiveSize), "");
}

TEST_F(WholeWorldSave, ALoadKeepsNoneOfTheFieldsTheGameBeforeItLeft)
{
    // A slot saved with a rat beside an empty deck.
    AddCrew(0, 0);
    const std::vector<std::uint8_t> first = SaveSlot();

    // The game runs on: a refinery is built beside the rat and a finished fuel can leaves its fumes.
    GAME_CRoomBase& refinery = Place(MakeTag("ID08"), 1, 0);
    const TaskData* fuelCan = FindTaskData(MakeTag("TC04"));
    ASSERT_NE(fuelCan, nullptr);
    const TaskEffect& fumes = fuelCan->effectB;
    ASSERT_NE(CreateEffectField(kEffectDebuff, fuelCan->effectBWord, fumes.id, fumes.value, fumes.count, &refinery), nullptr);

    // The slot loaded over it has no refinery: its rat, standing where the fumes were, stays well,
    // and no smoke is drawn over the deck.
    Restore(first);
    EXPECT_TRUE(GetEffectFields().empty());
    StepSimulationUntil([] { return false; }, 5);
    ASSERT_EQ(Field().crew.size(), 1u);
    for (const auto& slot : Field().crew[0]->status.debuffs) EXPECT_NE(slot.id, fumes.id);
}
