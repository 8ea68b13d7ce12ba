// Food stores: one per food-storage room, each holding a count of one dish.
#pragma once

#include <cstdint>

#include "framework/memory/heaps.h"
#include "game/services/data/record_entries.h"

class GAME_CRoomBase;

class GAME_CFoodStorage : public vesk::memory::MainHeapObject {
public:
    virtual ~GAME_CFoodStorage() = default;
    // A different dish empties the store.
    virtual void SetFoodId(const std::uint32_t* foodId) = 0;
    virtual const std::uint32_t* GetFoodId() const = 0;
    virtual std::int32_t GetCount() const = 0;
    // 0 while the room is missing, under construction, off the grid or not listed; else the room's
    // food capacity and its upgrades.
    virtual std::int32_t GetCapacity() const = 0;
    virtual std::int32_t GetRoomIndex() const = 0;
    virtual void AddOne() = 0;
    virtual void RemoveOne() = 0;
    virtual GAME_CRoomBase* GetRoom() const = 0;
};

class GAME_CFoodStorageImpl final : public GAME_CFoodStorage {
public:
    // Bound to the room number; the dish is the first of the static database.
    explicit GAME_CFoodStorageImpl(std::int32_t roomIndex);
    ~GAME_CFoodStorageImpl() override;

    void SetFoodId(const std::uint32_t* foodId) override;
    const std::uint32_t* GetFoodId() const override { return &foodId_; }
    std::int32_t GetCount() const override { return count_; }
    std::int32_t GetCapacity() const override;
    std::int32_t GetRoomIndex() const override { return roomIndex_; }
    void AddOne() override;
    void RemoveOne() override;
    GAME_CRoomBase* GetRoom() const override { return room_; }

    // What the save reader restores and the ship's relinking changes.
    void SetCount(std::int32_t count) { count_ = count; }
    void SetRoomIndex(std::int32_t index) { roomIndex_ = index; }
    void BindRoom(GAME_CRoomBase* room, std::int32_t roomIndex)
    {
        room_ = room;
        roomIndex_ = roomIndex;
    }

private:
    std::int32_t roomIndex_;
    std::uint32_t foodId_ = kNoId;
    std::int32_t count_ = 0;
    GAME_CRoomBase* room_ = nullptr;
};

// The store of the room number, made in the first free place of the list when there is none.
GAME_CFoodStorage* GetOrCreateFoodStorage(std::int32_t roomIndex);
// Deletes the store and frees its place.
void RemoveFoodStorage(GAME_CFoodStorage* store);
std::int32_t GetFoodStorageCount();
// Null outside the list or at a free place.
GAME_CFoodStorage* GetFoodStorageAt(std::int64_t index);
GAME_CFoodStorageImpl* FindFoodStorage(std::int32_t roomIndex);
void ClearFoodStorageList();
// Every store takes the current number of its room (-1 when the room is gone).
void RelinkFoodStorageRooms();
