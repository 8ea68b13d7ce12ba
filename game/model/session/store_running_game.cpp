// Writing the running game into a slot: each owner's area, and the live areas kept from before the save.
#include <cstring>

#include "game/services/player/player_data.h"
#include "game/model/stores/store_record.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"
#include "platform/little_endian.h"

using namespace save_layout;

namespace {

void CopyFromPreSave(std::span<std::uint8_t> slot, std::size_t offset, std::size_t size)
{
    const std::vector<std::uint8_t>& preSave = GetSaveAreas().preSaveSlot;
    std::memcpy(slot.data() + offset, preSave.data() + offset, size);
}

}  // namespace

void StoreRunningGame(std::span<std::uint8_t> slot)
{
    if (const GAME_CPlayerData* player = GetPlayerData()) {
        platform::WriteU32(slot, slot::kPlaySeconds, player->playSeconds);
        platform::WriteU32(slot, slot::kMoney, static_cast<std::uint32_t>(player->money));
    }
    CopyFromPreSave(slot, slot::kDateTime, slot::kDateTimeSize);
    CopyFromPreSave(slot, slot::kWorldTables, slot::kWorldTablesSize);
    GAME_CGameWorld* world = PeekGameWorld();
    if (world != nullptr && world->ship) world->ship->WriteSaveRecord(slot);
    if (world != nullptr && world->fieldObjects) world->fieldObjects->SaveToSlot(slot);
    CopyFromPreSave(slot, slot::kByteTable, slot::kByteTableSize);
    if (world != nullptr && world->travel && world->travel->routeManager) world->travel->routeManager->WriteSaveBlock(slot);
    if (world != nullptr && world->background) {
        world->background->WriteSaveRecord(slot.subspan(slot::kBackground, slot::kBackgroundSize),
                                           slot.subspan(slot::kBackgroundSaveList, slot::kBackgroundSaveListSize));
    }
    StoreGameClock(*GetGameClock(), slot);
    WriteStoreRecord(slot);
    if (world != nullptr && world->tasks) world->tasks->WriteSaveRecords(slot);
    CopyFromPreSave(slot, slot::kLiveTable, slot::kLiveTableSize);
    CopyFromPreSave(slot, slot::kEventBits, slot::kEventBitsSize);
    CopyFromPreSave(slot, slot::kByteTable, slot::kByteTableSize);
    CopyFromPreSave(slot, slot::kRanking, slot::kRankingSize);
    CopyFromPreSave(slot, slot::kLiveArea, slot::kLiveAreaSize);
    CopyFromPreSave(slot, slot::kFieldItemsLive, slot::kFieldItemsLiveSize);
    if (IsGameWorldReady() && world != nullptr && world->travel && world->travel->routeManager) {
        const std::uint32_t flags = platform::ReadU32(slot, slot::kTravelFlags);
        const std::uint32_t keep = world->travel->routeManager->KeepsEvents() ? 1u : 0u;
        platform::WriteU32(slot, slot::kTravelFlags, (flags & ~1u) | keep);
    }
}
