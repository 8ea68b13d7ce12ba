// The first ship of a new game on the shipped data: the start route's crew store its supplies, then cook the kitchen's first dish and load the catapult from them.
#include <gtest/gtest.h>

#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/model/stores/stored_items.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/tag.h"
#include "game/services/player/inventory.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "game/model/ship/task_request.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

using CrewStartTest = support::TaskWorld;

GAME_CRoomBase* FindRoom(const GAME_CShip& ship, std::uint32_t roomId)
{
    for (std::int32_t number = 0; number < ship.CountRoomsOnGrid(); ++number) {
        GAME_CRoomBase* room = ship.GetRoom(number);
        if (room != nullptr && room->roomId == roomId) return room;
    }
    return nullptr;
}

TEST_F(CrewStartTest, TheStartRouteCrewStoreTheirSuppliesThenCookTheFirstDishAndLoadTheCatapultFromThem)
{
    ASSERT_TRUE(World().travel->routeManager->LoadStartRoute());
    // Whole frames, so that the event window shows the route's texts, confirmed, and lets its script go on.
    ASSERT_TRUE(StepConfirmingEventsUntil([&] { return Field().crew.size() == 3 && !Field().items.empty(); }, 600));
    GAME_CRoomBase* kitchen = FindRoom(Ship(), kKitchen);
    GAME_CRoomBase* catapult = FindRoom(Ship(), kCatapult);
    ASSERT_NE(kitchen, nullptr);
    ASSERT_NE(catapult, nullptr);

    // Nobody tells them: what lies on the floor goes into the storeroom.
    ASSERT_TRUE(StepSimulationUntil([&] { return Field().items.empty(); }, 6000)) << Field().items.size() << " left";
    EXPECT_EQ(CountStoredItem(kGrain), 4);
    EXPECT_EQ(CountStoredItem(kWater), 2);
    EXPECT_EQ(CountStoredItem(kCheeseBomb), 5);
    EXPECT_EQ(CountStoredItem(kScrapIron), 3);
    // Every kind the route drops fits the storeroom, with room left for the road's finds.
    GAME_CRoomBase* storeroom = FindRoom(Ship(), MakeTag("ID20"));
    ASSERT_NE(storeroom, nullptr);
    const GAME_CInventory* stored = FindRoomInventory(storeroom);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->stacks.size(), 10u);
    EXPECT_EQ(stored->capacity, 12);

    // Ordered as the kitchen's and the turret's screens order them: the first dish is cooked from
    // the stored grain and water, and the stored cheese bombs are carried into the catapult.
    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeCookingRequest(NumberOf(*kitchen))), nullptr);
    GAME_CAmmo* rounds = FindAmmoStorage(NumberOf(*catapult));
    ASSERT_NE(rounds, nullptr);
    rounds->SetAmmoId(&kCheeseBomb);
    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeReloadRequest(NumberOf(*catapult), kCheeseBomb)), nullptr);
    GAME_CFoodStorage* food = FindFoodStorage(NumberOf(*kitchen));
    ASSERT_NE(food, nullptr);
    ASSERT_TRUE(StepSimulationUntil([&] { return food->GetCount() >= 1 && rounds->GetCount() == 5; }, 8000))
        << "servings " << food->GetCount() << ", rounds " << rounds->GetCount();
    EXPECT_EQ(CountStoredItem(kCheeseBomb), 0);
    EXPECT_LE(CountStoredItem(kGrain), 2);
}

}  // namespace
