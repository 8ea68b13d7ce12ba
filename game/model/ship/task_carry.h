// The carrying tasks: an item lying on the grid taken to storage, and units of an item fetched from the stores into a parent task.
#pragma once

#include <memory>

#include "game/services/data/item_data.h"
#include "game/model/ship/task_base.h"

// Sends a crew member to pick up an item object lying on the grid and bring it to a storage
// room; the crew AI carries it and ends the task.
class GAME_CTaskItemCarrier final : public GAME_CTaskBase {
public:
    static constexpr std::int32_t kUnclaimedFrames = 300;

    explicit GAME_CTaskItemCarrier(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskItemCarrier; }
    std::int32_t GetRoomIndex() const override { return -1; }
    std::int32_t SetRoomIndex(std::int32_t) override { return -1; }
    std::int32_t GetCrewLimit() const override { return 1; }
    std::int32_t GetTaskValue() const override { return 300; }
    bool IsRoomTask() const override { return false; }
    bool HasRoom() const override { return false; }
    TaskTarget GetTargetIndex() const override { return {.item = item_}; }
    void Update() override;

protected:
    void ApplyCompletionEffect() override;

private:
    GAME_CObjectItem* item_ = nullptr;
    std::int32_t unclaimedTimer_ = kUnclaimedFrames;
};

// Takes units of one item from the stores (or items lying on the grid) and carries them into a
// parent task, whose delivered materials grow by one entry per unit when this task is removed.
class GAME_CTaskCarrierFromInventory final : public GAME_CTaskBase {
public:
    static constexpr std::int32_t kHandOverPeriod = 180;
    static constexpr std::int32_t kAvailabilityPeriod = 90;
    static constexpr std::uint32_t kCompletionSound = 45;

    explicit GAME_CTaskCarrierFromInventory(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskCarrierFromInventory; }
    // The parent's room: where the units go.
    std::int32_t GetRoomIndex() const override;
    std::int32_t SetRoomIndex(std::int32_t) override { return GetRoomIndex(); }
    std::int32_t GetCrewLimit() const override { return 1; }
    std::int32_t GetTaskValue() const override { return 300; }
    bool IsRoomTask() const override { return false; }
    TaskTarget GetTargetIndex() const override { return {.load = load_.get()}; }
    std::uint32_t GetReservedItemId() const override { return itemId_; }
    std::int32_t GetReservedItemCount() const override { return count_; }
    void SetTargetIndex(std::unique_ptr<GAME_CItemDataImpl> load) override { load_ = std::move(load); }
    GAME_CTaskBase* GetParentTask() const override { return parent_; }
    bool CanProgress(std::int32_t crewLimit, std::int32_t duration) override;
    void Update() override;
    void SaveRecord(std::span<std::uint8_t> area, std::size_t index) const override;
    void LoadRecord(std::span<const std::uint8_t> area, std::size_t index) override;
    void OnRemoved() override;
    void OnLinkedTaskRemoved(const GAME_CTaskBase* removed) override;

protected:
    void UpdateCarryProgress(std::int32_t crewLimit, std::int32_t duration) override;

private:
    // Whether the leading crew member stands on a cell of the parent's room.
    bool IsLeaderAtRoom() const;
    // The units held go into the parent, or onto the floor near the crew when it has finished.
    void HandOverLoad();
    // The units held go onto free floor cells near the cell; what finds no place stays held.
    void PutLoadDown(std::int32_t x, std::int32_t y);

    GAME_CTaskBase* parent_ = nullptr;
    std::unique_ptr<GAME_CItemDataImpl> load_;
    std::uint32_t itemId_ = kNoId;
    std::int32_t count_ = 0;
    std::int32_t handOverTimer_ = kHandOverPeriod;
    std::int32_t availabilityTimer_ = kAvailabilityPeriod;
};

// The load record of a carry or reload task as the save keeps it: {id, count} in the first
// material pair of the record.
void WriteLoadRecord(std::span<std::uint8_t> area, std::size_t index, const GAME_CItemDataImpl* load);
std::unique_ptr<GAME_CItemDataImpl> ReadLoadRecord(std::span<const std::uint8_t> area, std::size_t index);
