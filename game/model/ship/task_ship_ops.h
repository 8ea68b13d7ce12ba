// The tasks that keep the land ship running: engine maintenance, refuelling, reloading turrets, route scans and driving.
#pragma once

#include <memory>

#include "game/services/data/item_data.h"
#include "game/model/ship/task_with_record.h"

// Tends an engine room; the ship's stats follow it while it works. It repeats by a new task.
class GAME_CTaskEngineMaintenance final : public GAME_CTaskWithRecord {
public:
    static constexpr std::int32_t kDefaultFrames = 900;
    static constexpr std::int32_t kStatsPeriod = 64;

    explicit GAME_CTaskEngineMaintenance(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskEngineMaintenance; }
    void Update() override;

protected:
    bool RepeatTask() override;
};

// Turns delivered materials into fuel.
class GAME_CTaskRefuel final : public GAME_CTaskWithRecord {
public:
    static constexpr std::int32_t kMaterialPeriod = 180;

    explicit GAME_CTaskRefuel(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskRefuel; }
    void Update() override;

protected:
    bool RepeatTask() override;

private:
    std::int32_t materialTimer_ = kMaterialPeriod;
};

// Carries ammunition from the stores into a turret room's store. The crew AI fetches and
// delivers; the task only keeps its wanted count and its crew.
class GAME_CTaskReload final : public GAME_CTaskBase {
public:
    static constexpr std::int32_t kCrewPeriod = 60;

    explicit GAME_CTaskReload(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskReload; }
    std::int32_t GetCrewLimit() const override { return 1; }
    std::int32_t GetTaskValue() const override { return 300; }
    bool IsRoomTask() const override { return false; }
    TaskTarget GetTargetIndex() const override { return {.load = load_.get()}; }
    std::uint32_t GetReservedItemId() const override { return ammoId_; }
    std::int32_t GetReservedItemCount() const override { return wanted_; }
    void SetTargetIndex(std::unique_ptr<GAME_CItemDataImpl> load) override { load_ = std::move(load); }
    bool CanProgress(std::int32_t crewLimit, std::int32_t duration) override;
    void Update() override;
    void SaveRecord(std::span<std::uint8_t> area, std::size_t index) const override;
    void LoadRecord(std::span<const std::uint8_t> area, std::size_t index) override;
    void OnRemoved() override;

private:
    // The wanted count anew from the turret's store; a room that is gone or no turret ends the task.
    void Initialise();
    // The held units back on the floor near the cell; those that find no cell stay held.
    void DropLoad(std::int32_t x, std::int32_t y);

    std::unique_ptr<GAME_CItemDataImpl> load_;
    std::uint32_t ammoId_ = kNoId;
    std::int32_t wanted_ = 0;
    std::int32_t crewTimer_ = kCrewPeriod;
};

// Scans for the routes that lead on from the current route's ends. It repeats by a new task.
class GAME_CTaskRouteScan final : public GAME_CTaskWithRecord {
public:
    static constexpr std::int32_t kDefaultFrames = 1800;

    explicit GAME_CTaskRouteScan(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskRouteScan; }
    void Update() override {}
    void SaveRecord(std::span<std::uint8_t> area, std::size_t index) const override;

protected:
    void ApplyCompletionEffect() override;
    bool RepeatTask() override;
};

// Keeps a crew member at the bridge so that the ship can drive; its progress is the ship's
// position on the route.
class GAME_CTaskBridgeDriver final : public GAME_CTaskBase {
public:
    static constexpr std::uint16_t kBridgeKind = 1;

    explicit GAME_CTaskBridgeDriver(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskBridgeDriver; }
    // The given room when it is a bridge, else the next bridge of the room list; without one the
    // task finishes.
    std::int32_t SetRoomIndex(std::int32_t index) override;
    std::int32_t GetCrewLimit() const override { return 1; }
    std::int32_t GetTaskValue() const override;
    void Update() override;

private:
    GAME_CRoomBase* bridge_ = nullptr;
};
