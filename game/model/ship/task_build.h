// The tasks that turn delivered materials into something lasting: building a room, upgrading it, crafting items.
#pragma once

#include <array>

#include "game/model/ship/task_with_record.h"

// Builds a room placed on the grid from the materials its room data names.
class GAME_CTaskRoomBuild final : public GAME_CTaskBase {
public:
    static constexpr std::int32_t kMaterialCheckSteps = 120;

    explicit GAME_CTaskRoomBuild(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskRoomBuild; }
    void Update() override;

protected:
    std::span<const ItemCount> GetRequiredMaterials() const override { return buildMaterials_; }
    void ApplyCompletionEffect() override;

private:
    std::array<ItemCount, 8> buildMaterials_{};
    std::int32_t materialCounter_ = 0;
};

// Installs an upgrade in a room; it never repeats.
class GAME_CTaskRoomUpgrade final : public GAME_CTaskWithRecord {
public:
    static constexpr std::int32_t kMaterialPeriod = 180;

    explicit GAME_CTaskRoomUpgrade(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskRoomUpgrade; }
    void Update() override;

private:
    std::int32_t materialTimer_ = kMaterialPeriod;
};

// Crafts the record's product in a workshop room.
class GAME_CTaskItemCraft final : public GAME_CTaskWithRecord {
public:
    static constexpr std::int32_t kMaterialPeriod = 180;

    explicit GAME_CTaskItemCraft(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskItemCraft; }
    // The product's stacks fit on the free floor cells.
    bool HasRoomForResults() const override;
    void Update() override;

protected:
    bool RepeatTask() override;

private:
    std::int32_t staminaChange_ = 0;
    std::int32_t calorieChange_ = 0;
    std::uint32_t productItem_ = kNoId;
    std::int32_t productCount_ = 0;
    std::int32_t materialTimer_ = kMaterialPeriod;
};
