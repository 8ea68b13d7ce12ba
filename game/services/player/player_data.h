// The running game's player-level values: play time, money, speeds, options and room inventories.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/memory/heaps.h"

class GAME_CInventory;
class GAME_CRoomBase;

inline constexpr std::uint32_t kMaxPlaySeconds = 3599999;  // 999:59:59
inline constexpr std::int32_t kMaxMoney = 999999999;

// Creates the static database with it and destroys it with it.
struct GAME_CStaticDatabaseHolder {
    GAME_CStaticDatabaseHolder();
    ~GAME_CStaticDatabaseHolder();
    GAME_CStaticDatabaseHolder(const GAME_CStaticDatabaseHolder&) = delete;
    GAME_CStaticDatabaseHolder& operator=(const GAME_CStaticDatabaseHolder&) = delete;
};

// Text colours the screens share, ARGB words.
struct TextColorRecord {
    std::uint32_t first = 10;
    std::uint32_t second = 5;
    std::array<std::uint32_t, 4> normal{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    std::array<std::uint32_t, 4> disabled{0xFF808080, 0xFF808080, 0xFF808080, 0xFF808080};
    std::array<std::uint32_t, 4> highlight{0xFF00FFFF, 0xFF00FFFF, 0xFF00FFFF, 0xFF00FFFF};
};

class GAME_CPlayerData : public vesk::memory::MainHeapObject {
public:
    GAME_CPlayerData();
    ~GAME_CPlayerData();
    GAME_CPlayerData(const GAME_CPlayerData&) = delete;
    GAME_CPlayerData& operator=(const GAME_CPlayerData&) = delete;

    // money = clamp(money + amount, 0, 999999999)
    void AddMoney(std::int64_t amount);

    // --- room inventories
    GAME_CInventory* GetInventoryAt(std::int64_t index) const;
    std::size_t InventoryCount() const { return inventories_.size(); }
    // The room's inventory, found among the free ones or made; its index goes to outIndex.
    GAME_CInventory* AttachRoomInventory(GAME_CRoomBase* room, std::int32_t* outIndex);
    void AddInventory(GAME_CInventory* inventory);
    // Drops every stack of inventory i near the cell, then deletes the inventory.
    void DropInventoryItems(std::int64_t index, std::int32_t x, std::int32_t y);
    void DropRoomInventories(const GAME_CRoomBase* room);
    void ClearInventories();

    std::uint32_t constant840 = 840;
    std::uint32_t constant7200 = 7200;
    std::uint32_t questLimit = 12;
    std::uint32_t word4 = 0;
    std::uint32_t playSeconds = 0;
    std::int32_t money = 0;
    std::array<float, 3> speeds{1.0f, 2.0f, 3.0f};
    std::uint32_t word10 = 16;
    float word11 = 3.0f;
    std::unique_ptr<GAME_CStaticDatabaseHolder> databaseHolder;
    TextColorRecord textColors;
    // Option words copied from the settings block.
    std::uint32_t option4 = 0;
    std::uint32_t noScrollClamp = 0;  // settings offset 8: the camera leaves the ship scroll unclamped
    std::uint32_t language = 0;
    std::uint32_t fontIndex = 0;
    std::uint32_t languageChanged = 0;
    std::uint32_t fullScreen = 0;
    std::uint16_t windowSize = 100;
    std::uint16_t option22 = 0;
    std::uint16_t cameraSpeed = 50;
    std::uint32_t option28 = 1;
    std::uint16_t option32 = 50;
    std::uint32_t option36 = 1;
    std::uint32_t pauseWhenInactive = 1;
    std::uint32_t muteWhenInactive = 1;
    std::uint32_t option48 = 1;
    std::uint16_t autoSaveMinutes = 10;
    std::uint32_t option56 = 0;

private:
    std::vector<GAME_CInventory*> inventories_;
};

// Destroys an older instance and makes a new one with its static database.
GAME_CPlayerData* CreatePlayerData();
void DestroyPlayerData();
// Null while there is none.
GAME_CPlayerData* GetPlayerData();

// The eleven UI colours (ARGB) and the grey the screens share.
inline constexpr int kUIColorCount = 11;
const std::uint32_t* GetUIColorTable();
std::uint32_t GetUIColor(int index);
const std::uint32_t* GetGrayColor();
