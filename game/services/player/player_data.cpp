// The running game's player-level values: play time, money, speeds, options and room inventories.
#include "game/services/player/player_data.h"

#include <algorithm>
#include <string>

#include "framework/log/log.h"
#include "game/services/player/inventory.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/player/player_data_links.h"

namespace {

GAME_CPlayerData* g_player = nullptr;

}  // namespace

GAME_CStaticDatabaseHolder::GAME_CStaticDatabaseHolder() { CreateStaticDatabase(); }

GAME_CStaticDatabaseHolder::~GAME_CStaticDatabaseHolder() { DestroyStaticDatabase(); }

GAME_CPlayerData::GAME_CPlayerData() : databaseHolder(std::make_unique<GAME_CStaticDatabaseHolder>()) {}

GAME_CPlayerData::~GAME_CPlayerData()
{
    ClearInventories();
    databaseHolder.reset();
}

void GAME_CPlayerData::AddMoney(std::int64_t amount)
{
    money = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{money} + amount, 0, kMaxMoney));
}

GAME_CInventory* GAME_CPlayerData::GetInventoryAt(std::int64_t index) const
{
    if (index < 0 || index >= static_cast<std::int64_t>(inventories_.size())) return nullptr;
    return inventories_[static_cast<std::size_t>(index)];
}

void GAME_CPlayerData::AddInventory(GAME_CInventory* inventory)
{
    if (inventory != nullptr && std::find(inventories_.begin(), inventories_.end(), inventory) == inventories_.end()) {
        inventories_.push_back(inventory);
    }
}

void GAME_CPlayerData::ClearInventories()
{
    for (GAME_CInventory* inventory : inventories_) {
        if (inventory) inventory->room = nullptr;
        delete inventory;
    }
    inventories_.clear();
}

GAME_CPlayerData* CreatePlayerData()
{
    DestroyPlayerData();
    g_player = new GAME_CPlayerData;
    CreatePlayerDataPools();
    return g_player;
}

void DestroyPlayerData()
{
    if (g_player == nullptr) return;
    DestroyPlayerDataPools();
    delete g_player;
    g_player = nullptr;
}

GAME_CPlayerData* GetPlayerData() { return g_player; }

const std::uint32_t* GetUIColorTable()
{
    static const std::uint32_t colors[kUIColorCount] = {0xFF61FF51, 0xFF808080, 0xFFED7BDE, 0xFF4D4D4D,
                                                         0xFF99FFCC, 0xFF85AB85, 0xFF24FF25, 0xFF0020FF,
                                                         0xFF1010FF, 0xFF20FFFF, 0xFF02F902};
    return colors;
}

std::uint32_t GetUIColor(int index) { return GetUIColorTable()[index >= 0 && index < kUIColorCount ? index : 0]; }

const std::uint32_t* GetGrayColor()
{
    static const std::uint32_t gray = 0xFF808080;
    return &gray;
}
