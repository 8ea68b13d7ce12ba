// The tasks that keep the crew fed and rested: cooking, meals at a table or on the grid, and breaks.
#include "game/model/ship/task_food.h"

#include <algorithm>

#include "game/model/stores/food_storage.h"
#include "game/services/player/inventory.h"
#include "game/services/data/static_lookups.h"
#include "game/model/stores/stored_items.h"
#include "game/services/data/tag.h"
#include "game/model/object/actor_status.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_crew.h"
#include "game/model/ship/task_manager.h"
#include "game/model/ship/task_results.h"
#include "platform/little_endian.h"

namespace {

constexpr std::size_t kMaxIngredients = 8;
constexpr std::uint32_t kFallbackBreakTask = MakeTag("TD03");
constexpr std::int32_t kMealFramesWithoutDish = 180;

const CookingRecipe* RecipeOfStore(const GAME_CFoodStorage* store)
{
    return store != nullptr ? FindCookingRecipe(*store->GetFoodId()) : nullptr;
}

// The record of the break's id, or that of sleep when data has none for it.
const TaskData* BreakRecord(std::uint32_t taskId)
{
    const TaskData* record = FindTaskData(taskId);
    return record != nullptr ? record : FindTaskData(kFallbackBreakTask);
}

std::int32_t MaximumOf(std::int32_t wholeUnits) { return static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{wholeUnits} * 1000, INT32_MAX)); }

}  // namespace

// --- cooking

GAME_CTaskCooking::GAME_CTaskCooking(const GAME_CTaskRequest& request) : GAME_CTaskBase(request)
{
    crewLimit = request.SignedWord(20);
    duration = request.SignedWord(24);
    staminaCost_ = request.SignedWord(28);
    calorieCost_ = request.SignedWord(32);
    GAME_CFoodStorage* store = Store();
    if (store == nullptr) {
        Finish();
        return;
    }
    if (*store->GetFoodId() == kNoId) {
        const GAME_CStaticDatabase* database = GetStaticDatabase();
        if (database != nullptr && !database->CookingRecipes().empty()) {
            const std::uint32_t firstDish = database->CookingRecipes().begin()->first;
            store->SetFoodId(&firstDish);
        }
        Finish();
        return;
    }
    recipe_ = FindCookingRecipe(*store->GetFoodId());
    if (recipe_ == nullptr) {
        // A dish without a recipe cannot be cooked.
        Finish();
        return;
    }
    crewLimit = 1;
    duration = static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{recipe_->cookingSeconds} * 60, INT32_MAX));
    staminaCost_ = recipe_->cookingStaminaCost;
    calorieCost_ = 0;
    repeat = 1;
    if (store->GetCount() < store->GetCapacity()) {
        if (request.Word(40) == 0 && request.restored == 0) PostCarryRequests(recipe_->ingredients, kMaxIngredients);
    }
}

GAME_CFoodStorage* GAME_CTaskCooking::Store() const { return FindFoodStorage(GetRoomIndex()); }

std::span<const ItemCount> GAME_CTaskCooking::GetRequiredMaterials() const
{
    const CookingRecipe* recipe = RecipeOfStore(Store());
    return recipe != nullptr ? std::span<const ItemCount>(recipe->ingredients) : std::span<const ItemCount>();
}

bool GAME_CTaskCooking::IsIngredientShort() const
{
    for (const ItemCount& pair : GetRequiredMaterials()) {
        if (IsUnusedItemCount(pair)) break;
        if (CountMaterial(pair.itemId) < pair.count) return true;
    }
    return false;
}

void GAME_CTaskCooking::Update()
{
    if (GetRoom() == nullptr) {
        Finish();
        return;
    }
    if (!IsPeriodOver(materialTimer_, kMaterialPeriod)) return;
    GAME_CFoodStorage* store = Store();
    if (store == nullptr) {
        Finish();
        return;
    }
    if (store->GetCount() < store->GetCapacity()) {
        if (IsIngredientShort()) TopUpMaterials(GetRequiredMaterials());
        return;
    }
    std::vector<GAME_CTaskBase*> children;
    if (GAME_CTaskManager* tasks = ship_world::Tasks()) tasks->GetChildTasks(this, children);
    for (GAME_CTaskBase* child : children) child->Finish();
}

bool GAME_CTaskCooking::CanProgress(std::int32_t limit, std::int32_t taskValue)
{
    GAME_CFoodStorage* store = Store();
    if (store == nullptr) {
        Finish();
        return false;
    }
    if (store->GetCount() < store->GetCapacity()) return GAME_CTaskBase::CanProgress(limit, taskValue);
    // A full store needs no cook.
    ReleaseAllCrew(true);
    return false;
}

void GAME_CTaskCooking::ApplyCompletionEffect()
{
    if (GAME_CFoodStorage* store = Store()) store->AddOne();
    if (recipe_ != nullptr) DrawRecipeSkill(*this, *recipe_);
}

bool GAME_CTaskCooking::RepeatTask()
{
    if (!IsRepeatDue()) return false;
    PostRepeat(MakeCookingRequest(GetRoomIndex()));
    return false;
}

// --- meal at a table

GAME_CTaskMeal::GAME_CTaskMeal(const GAME_CTaskRequest& request) : GAME_CTaskBase(request)
{
    id = MakeTag("TMEL");
    createdFor_ = GetRoom();
}

std::int32_t GAME_CTaskMeal::GetTaskValue() const
{
    const std::int32_t room = GetRoomIndex();
    if (room == -1 || room >= kNoRoomIndex) return -1;
    const CookingRecipe* recipe = RecipeOfStore(FindFoodStorage(room));
    if (crew.empty() || recipe == nullptr) return kMealFramesWithoutDish;
    return recipe->mealDurationFrames;
}

void GAME_CTaskMeal::Update()
{
    repeat = 0;
    GAME_CRoomBase* room = GetRoom();
    if (room == nullptr || room != createdFor_) {
        Finish();
        return;
    }
    const GAME_CObjectActor* leader = LeadingCrew();
    if (leader == nullptr) {
        Finish();
        return;
    }
    if (leader->status.calorie >= MaximumOf(leader->status.computed.maxCalorie)) Finish();
}

void GAME_CTaskMeal::ApplyCompletionEffect()
{
    GAME_CRoomBase* room = GetRoom();
    if (room == nullptr || room->roomData == nullptr) return;
    if ((room->roomData->flags & kRoomInventory) == 0) {
        GAME_CFoodStorage* store = FindFoodStorage(GetRoomIndex());
        const CookingRecipe* dish = RecipeOfStore(store);
        if (store == nullptr || dish == nullptr) return;
        for (GAME_CObjectActor* actor : crew) {
            if (actor == nullptr || store->GetCount() <= 0) break;
            actor->status.AddCalorie(static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{dish->calorie} * 1000, INT32_MIN, INT32_MAX)));
            store->RemoveOne();
        }
        return;
    }
    GAME_CInventory* inventory = FindRoomInventory(room);
    if (inventory == nullptr) return;
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr) continue;
        const GAME_CItemDataImpl* best = nullptr;
        for (const InventoryStack& stack : inventory->stacks) {
            if (!stack.item || stack.item->record == nullptr || stack.item->count <= 0) continue;
            if (best == nullptr || stack.item->record->foodValue >= best->record->foodValue) best = stack.item.get();
        }
        if (best == nullptr) break;
        const std::uint32_t itemId = best->itemId;
        actor->status.AddCalorie(static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{best->record->foodValue} * 1000, INT32_MIN, INT32_MAX)));
        inventory->TakeItem(itemId);
    }
}

void GAME_CTaskMeal::OnRemoved()
{
    for (GAME_CObjectActor* actor : crew) {
        if (actor != nullptr) actor->status.UpdateConditionFlags();
    }
}

// --- meal on the grid

GAME_CTaskMealOnGrid::GAME_CTaskMealOnGrid(const GAME_CTaskRequest& request) : GAME_CTaskBase(request)
{
    id = MakeTag("TMOG");
    roomIndex = -1;
}

void GAME_CTaskMealOnGrid::Update()
{
    if (--cycle_ < 1) cycle_ = kCyclePeriod;
    progress = 0;
    progressFraction = 0;
}

void GAME_CTaskMealOnGrid::SaveRecord(std::span<std::uint8_t> area, std::size_t index) const
{
    GAME_CTaskBase::SaveRecord(area, index);
    platform::WriteU32(area.subspan(index * task_record::kSize, task_record::kSize), task_record::kId, MakeTag("TMOG"));
}

// --- break

GAME_CTaskBreak::GAME_CTaskBreak(const GAME_CTaskRequest& request)
    : GAME_CTaskWithRecord(request, BreakRecord(request.taskId))
{
    createdFor_ = GetRoom();
}

std::int32_t GAME_CTaskBreak::GetTaskValue() const
{
    const GAME_CObjectActor* leader = LeadingCrew();
    if (leader == nullptr) return kNoCrewDuration;
    return static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{leader->status.computed.maxStamina} * 600, INT32_MAX));
}

std::int32_t GAME_CTaskBreak::GetRewardInterval() const
{
    const GAME_CRoomBase* room = GetRoom();
    const std::int64_t bonus = room != nullptr ? room->SumUpgradeValues({4, 5}) : 0;
    // Upgrades that would bring the sum to 0 or below cannot make the interval endless or negative.
    return static_cast<std::int32_t>(std::max<std::int64_t>(1, 60000 / std::max<std::int64_t>(1, 1000 + bonus)));
}

void GAME_CTaskBreak::Update()
{
    GAME_CRoomBase* room = GetRoom();
    if (room == nullptr || room != createdFor_ || !room->IsBuiltOnGrid()) {
        Finish();
        return;
    }
    GAME_CObjectActor* leader = LeadingCrew();
    if (leader == nullptr || leader->dead != 0 || (leader->task != nullptr && leader->task != this) ||
        leader->status.GetCalorie() < 1) {
        Finish();
        return;
    }
    if (leader->task == nullptr) leader->SetTask(this, false);
    for (GAME_CObjectActor* actor : crew) {
        if (actor != nullptr && !room->IsPresent(actor)) room->AssignCrew(actor);
    }
    if (task_crew::IsInsideRoom(*leader) && leader->status.stamina >= MaximumOf(leader->status.computed.maxStamina)) {
        Finish();
    }
}

bool GAME_CTaskBreak::CanProgress(std::int32_t, std::int32_t)
{
    const GAME_CObjectActor* leader = LeadingCrew();
    if (leader != nullptr && leader->task == this) return true;
    Finish();
    return false;
}

void GAME_CTaskBreak::ApplyCompletionEffect()
{
    GAME_CRoomBase* room = GetRoom();
    for (GAME_CObjectActor* actor : std::vector<GAME_CObjectActor*>(crew)) {
        if (actor == nullptr) continue;
        ReleaseCrewMember(actor, true);
        if (room != nullptr) room->RemoveCrew(actor);
    }
}
