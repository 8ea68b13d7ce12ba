// Ammunition stores: one per turret room, each holding a count of one kind of ammunition and firing at enemies in reach.
#pragma once

#include <cstdint>

#include "framework/memory/heaps.h"
#include "game/services/data/record_entries.h"

class GAME_CRoomBase;

class GAME_CAmmo : public vesk::memory::MainHeapObject {
public:
    virtual ~GAME_CAmmo() = default;
    // A new kind drops the old stock on the floor near the room and takes the new kind's values.
    virtual void SetAmmoId(const std::uint32_t* ammoId) = 0;
    virtual const std::uint32_t* GetAmmoId() const = 0;
    virtual std::int32_t GetPower() const = 0;
    virtual std::int32_t GetCount() const = 0;
    virtual std::int32_t GetCapacity() const = 0;
    virtual void SetCapacity(std::int32_t capacity) = 0;
    virtual std::int32_t GetRoomIndex() const = 0;
    virtual std::int32_t AddOne() = 0;
    virtual std::int32_t RemoveOne() = 0;
    virtual GAME_CRoomBase* GetRoom() const = 0;
};

class GAME_CAmmoImpl final : public GAME_CAmmo {
public:
    explicit GAME_CAmmoImpl(std::int32_t roomIndex);

    void SetAmmoId(const std::uint32_t* ammoId) override;
    const std::uint32_t* GetAmmoId() const override { return &ammoId_; }
    std::int32_t GetPower() const override { return power_; }
    std::int32_t GetCount() const override { return count_; }
    std::int32_t GetCapacity() const override { return capacity_; }
    void SetCapacity(std::int32_t capacity) override;
    std::int32_t GetRoomIndex() const override { return roomIndex_; }
    std::int32_t AddOne() override;
    std::int32_t RemoveOne() override;
    GAME_CRoomBase* GetRoom() const override { return room_; }

    // Once a frame: while stocked, a turret posts an attack on the nearest enemy in reach every
    // period frames.
    void UpdateAutoAttack();
    // Drops the stock as item stacks on free cells near the cell, what finds no cell into the
    // storerooms with room; what finds neither is lost.
    void DropStock(std::int32_t x, std::int32_t y);

    std::int32_t GetPeriod() const { return period_; }
    std::int32_t GetReach() const { return reach_; }
    void SetRoomIndex(std::int32_t index) { roomIndex_ = index; }
    void BindRoom(GAME_CRoomBase* room, std::int32_t roomIndex)
    {
        room_ = room;
        roomIndex_ = roomIndex;
    }

private:
    std::uint32_t ammoId_ = kNoId;
    std::int32_t count_ = 0;
    std::int32_t capacity_ = 0;
    std::int32_t roomIndex_;
    std::int32_t power_ = 0;
    std::int32_t frameCounter_ = 0;
    std::int32_t period_ = 0;
    std::int32_t reach_ = 0;
    GAME_CRoomBase* room_ = nullptr;
};

GAME_CAmmoImpl* GetOrCreateAmmoStorage(std::int32_t roomIndex);
// Drops the stock near the cell (the room's, else column 0 of that row), leaves the list and is deleted.
void RemoveAmmoStorage(GAME_CAmmoImpl* store, std::int32_t dropRow);
std::int32_t GetAmmoStorageCount();
GAME_CAmmoImpl* GetAmmoStorageAt(std::int64_t index);
GAME_CAmmoImpl* FindAmmoStorage(std::int32_t roomIndex);
void ClearAmmoStorageList();
void RelinkAmmoStorageRooms();
