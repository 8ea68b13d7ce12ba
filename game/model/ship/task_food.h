// The tasks that keep the crew fed and rested: cooking, meals at a table or on the grid, and breaks.
#pragma once

#include "game/model/ship/task_with_record.h"

class GAME_CFoodStorage;

// Cooks the kitchen's current dish from carried ingredients into the room's food store, and
// cooks again while the store has room.
class GAME_CTaskCooking final : public GAME_CTaskBase {
public:
    static constexpr std::int32_t kMaterialPeriod = 180;

    explicit GAME_CTaskCooking(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskCooking; }
    TaskTarget GetTargetIndex() const override { return {.recipe = recipe_}; }
    std::int32_t GetExtraValue1() const override { return staminaCost_; }
    std::int32_t GetExtraValue2() const override { return calorieCost_; }
    bool CanProgress(std::int32_t crewLimit, std::int32_t duration) override;
    void Update() override;

protected:
    std::span<const ItemCount> GetRequiredMaterials() const override;
    void ApplyCompletionEffect() override;
    bool RepeatTask() override;

private:
    GAME_CFoodStorage* Store() const;
    // Whether some ingredient of the current dish is still short.
    bool IsIngredientShort() const;

    std::int32_t staminaCost_ = 0;
    std::int32_t calorieCost_ = 0;
    std::int32_t materialTimer_ = kMaterialPeriod;
    const CookingRecipe* recipe_ = nullptr;
};

// Crew eat portions from a dining room's food store (or its inventory).
class GAME_CTaskMeal final : public GAME_CTaskBase {
public:
    explicit GAME_CTaskMeal(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskMeal; }
    std::int32_t GetCrewLimit() const override { return 1; }
    std::int32_t GetTaskValue() const override;
    bool CanProgress(std::int32_t, std::int32_t) override { return !crew.empty(); }
    void Update() override;
    void OnRemoved() override;

protected:
    void ApplyCompletionEffect() override;

private:
    GAME_CRoomBase* createdFor_ = nullptr;
};

// A meal away from any table: the crew AI walks to a food item and eats it; the task itself
// never progresses.
class GAME_CTaskMealOnGrid final : public GAME_CTaskBase {
public:
    static constexpr std::int32_t kCyclePeriod = 180;

    explicit GAME_CTaskMealOnGrid(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskMealOnGrid; }
    std::int32_t GetRoomIndex() const override { return -1; }
    std::int32_t SetRoomIndex(std::int32_t) override { return -1; }
    std::int32_t GetCrewLimit() const override { return 1; }
    std::int32_t GetTaskValue() const override { return 3; }
    bool IsRoomTask() const override { return false; }
    bool HasRoom() const override { return false; }
    void Update() override;
    void SaveRecord(std::span<std::uint8_t> area, std::size_t index) const override;

private:
    std::int32_t cycle_ = kCyclePeriod;
};

// A crew member rests in a room until its stamina is full.
class GAME_CTaskBreak final : public GAME_CTaskWithRecord {
public:
    static constexpr std::int32_t kNoCrewDuration = 190;

    explicit GAME_CTaskBreak(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskBreak; }
    std::int32_t GetCrewLimit() const override { return 1; }
    std::int32_t GetTaskValue() const override;
    bool CanProgress(std::int32_t crewLimit, std::int32_t duration) override;
    std::int32_t GetRewardInterval() const override;
    void Update() override;

protected:
    // A break needs nothing delivered: its record gives only the costs of the rest.
    std::span<const ItemCount> GetRequiredMaterials() const override { return {}; }
    void ApplyCompletionEffect() override;

private:
    GAME_CRoomBase* createdFor_ = nullptr;
};
