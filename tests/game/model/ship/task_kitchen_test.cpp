// The kitchen at work: ingredients carried in, a dish cooked into the store and cooked again, a full store sending its cook away, a meal for three with two servings, and a dish's own cost under a cook's skill.
#include <gtest/gtest.h>

#include "game/model/stores/food_storage.h"
#include "game/services/player/inventory.h"
#include "game/services/data/static_lookups.h"
#include "game/model/stores/stored_items.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_manager.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

constexpr std::uint32_t kPorridge = MakeTag("D001");  // 2 grain and 1 water; 20 seconds to cook, 10 to eat
constexpr std::uint32_t kSturdy = MakeTag("S002");  // work costs 900 per mille of stamina

class TaskKitchenTest : public support::TaskWorld {
protected:
    GAME_CFoodStorage& StoreOf(const GAME_CRoomBase& kitchen)
    {
        GAME_CFoodStorage* store = FindFoodStorage(NumberOf(kitchen));
        EXPECT_NE(store, nullptr);
        static GAME_CFoodStorageImpl unused(-1);
        return store != nullptr ? *store : unused;
    }
};

TEST_F(TaskKitchenTest, ACookingOrderFetchesItsIngredientsCooksTheDishAndCooksAgain)
{
    GAME_CRoomBase& kitchen = Place(kKitchen, 0, 0);
    GAME_CRoomBase& storeroom = Place(kStoreroom, 5, 0);
    Stock(storeroom, kGrain, 6);
    Stock(storeroom, kWater, 3);
    GAME_CObjectActor& cook = AddCrew(7, 0);
    GAME_CFoodStorage& store = StoreOf(kitchen);
    ASSERT_EQ(*store.GetFoodId(), kPorridge);
    const CookingRecipe& porridge = *FindCookingRecipe(kPorridge);

    GAME_CTaskBase* cooking = GAME_CTaskBase::CreateFromRequest(MakeCookingRequest(NumberOf(kitchen)));
    ASSERT_NE(cooking, nullptr);
    std::vector<GAME_CTaskBase*> carries = TasksOfKind(kTaskCarrierFromInventory);
    ASSERT_EQ(carries.size(), 2u);
    EXPECT_EQ(carries[0]->GetReservedItemId(), kGrain);
    EXPECT_EQ(carries[0]->GetReservedItemCount(), 2);
    EXPECT_EQ(carries[1]->GetReservedItemId(), kWater);
    EXPECT_EQ(carries[1]->GetReservedItemCount(), 1);

    // The crew carry the ingredients in; only then does the cooking start.
    ASSERT_TRUE(StepSimulationUntil([&] { return cooking->progress > 0; }, 6000));
    EXPECT_EQ(cooking->CountMaterial(kGrain), 2);
    EXPECT_EQ(cooking->CountMaterial(kWater), 1);
    EXPECT_TRUE(TasksOfKind(kTaskCarrierFromInventory).empty());
    EXPECT_EQ(CountStoredItem(kGrain), 4);
    EXPECT_EQ(cook.task, cooking);

    // The dish takes its cooking seconds of work at full speed, a frame a step; then the store
    // gains a serving.
    EXPECT_EQ(cooking->GetTaskValue(), porridge.cookingSeconds * 60);
    std::int32_t last = 0;
    for (int step = 0; step < 5000 && IsListed(cooking) && !cooking->IsFinished(); ++step) {
        EXPECT_EQ(store.GetCount(), 0);
        last = cooking->progress;
        StepSimulation(1);
    }
    EXPECT_EQ(last, porridge.cookingSeconds * 60 - 1);
    EXPECT_EQ(store.GetCount(), 1);

    // It is ordered again, and the new order fetches the rest of the ingredients.
    const std::vector<GAME_CTaskBase*> again = TasksOfKind(kTaskCooking);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0]->repeat, 1u);
    ASSERT_TRUE(StepSimulationUntil([&] { return store.GetCount() == 2; }, 12000));

    // A full store needs no cook: the one at work goes.
    ASSERT_TRUE(StepSimulationUntil([&] { return cook.task != nullptr && cook.task->GetKind() == kTaskCooking; }, 600));
    while (store.GetCount() < store.GetCapacity()) store.AddOne();
    StepSimulation(2);
    EXPECT_TRUE(cook.task == nullptr || cook.task->GetKind() != kTaskCooking);
    for (const GAME_CTaskBase* task : TasksOfKind(kTaskCooking)) EXPECT_TRUE(task->crew.empty());
}

TEST_F(TaskKitchenTest, OfThreeCrewAtAMealWithTwoServingsTheFirstTwoEat)
{
    GAME_CRoomBase& kitchen = Place(kKitchen, 0, 0);
    kitchen.capacity = 3;
    GAME_CFoodStorage& store = StoreOf(kitchen);
    store.AddOne();
    store.AddOne();
    GAME_CTaskBase* meal = GAME_CTaskBase::CreateFromRequest(MakeMealRequest(NumberOf(kitchen)));
    ASSERT_NE(meal, nullptr);
    std::vector<GAME_CObjectActor*> diners;
    for (int i = 0; i < 3; ++i) {
        GAME_CObjectActor& diner = AddCrew(i % 2, 0);
        diner.status.calorie = 10000;
        diner.status.UpdateConditionFlags();
        kitchen.TryAddCrew(&diner);
        meal->AddCrew(&diner);
        diners.push_back(&diner);
    }
    const std::int32_t calorie = FindCookingRecipe(kPorridge)->calorie;
    ASSERT_EQ(meal->GetTaskValue(), FindCookingRecipe(kPorridge)->mealDurationFrames);
    ASSERT_TRUE(StepSimulationUntil([&] { return !IsListed(meal); }, 2000));
    EXPECT_GE(diners[0]->status.calorie, 10000 + calorie * 1000 - 1000);
    EXPECT_GE(diners[1]->status.calorie, 10000 + calorie * 1000 - 1000);
    EXPECT_LE(diners[2]->status.calorie, 10000);
    EXPECT_EQ(store.GetCount(), 0);
}

TEST_F(TaskKitchenTest, WithoutATaskRecordADishCostsItsCookingStaminaScaledByTheCooksSkillsDistanceFromNeutral)
{
    // A cooking order under an id the database has no record of: the dish's own cost applies.
    GAME_CRoomBase& kitchen = Place(kKitchen, 0, 0);
    GAME_CObjectActor& cook = AddCrew(0, 0);
    cook.status.AddSkill(kSturdy);
    ASSERT_EQ(cook.status.skills[0].record->pairFactors[0], 900);
    GAME_CTaskRequest request = MakeCookingRequest(NumberOf(kitchen), 1);
    request.taskId = MakeTag("TCK0");
    ASSERT_EQ(FindTaskData(request.taskId), nullptr);
    GAME_CTaskBase* cooking = GAME_CTaskBase::CreateFromRequest(request);
    ASSERT_NE(cooking, nullptr);
    cooking->materials = {kGrain, kGrain, kWater};
    kitchen.TryAddCrew(&cook);
    cooking->AddCrew(&cook);
    const CookingRecipe& porridge = *FindCookingRecipe(kPorridge);
    ASSERT_EQ(cooking->GetExtraValue1(), porridge.cookingStaminaCost);

    std::int32_t charged = 0;
    int charges = 0;
    for (int step = 0; step < 3000 && IsListed(cooking) && !cooking->IsFinished(); ++step) {
        const std::int32_t before = cook.status.stamina;
        StepSimulation(1);
        if (cook.status.stamina < before) {
            charged += before - cook.status.stamina;
            ++charges;
        }
    }
    EXPECT_EQ(StoreOf(kitchen).GetCount(), 1);
    // One part a second of the 20 and the whole cost at 900 per mille, not at 1000 + 900.
    EXPECT_EQ(charges, porridge.cookingSeconds);
    EXPECT_EQ(charged, porridge.cookingStaminaCost * 900 / 1000);
}

}  // namespace
