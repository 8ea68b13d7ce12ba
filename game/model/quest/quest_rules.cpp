// The quest rules on the ship and the slot's boards: the accepted limit, what may be delivered, delivering and retiring.
#include "game/model/quest/quest_rules.h"

#include <algorithm>
#include <map>
#include <string>

#include "game/model/object/field_object_manager.h"
#include "game/model/ship/item_drops.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/stores/stored_items.h"
#include "game/services/achievement/achievements.h"
#include "game/services/data/item_data.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/services/save/quest_boards.h"
#include "game/services/save/save_field_log.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"

namespace {

const QuestData* FindQuest(std::uint32_t questId)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    return database != nullptr ? database->FindQuestData(questId) : nullptr;
}

bool EndsItemList(const ItemCount& entry) { return entry.itemId == kNoId || entry.count <= 0; }

// Stored units first, inventory by inventory, then items lying on the grid.
void TakeNeededItem(const ItemCount& needed)
{
    std::int64_t remaining = needed.count;
    if (const GAME_CPlayerData* player = GetPlayerData()) {
        for (std::size_t index = 0; index < player->InventoryCount() && remaining > 0; ++index) {
            GAME_CInventory* inventory = player->GetInventoryAt(static_cast<std::int64_t>(index));
            if (inventory == nullptr) continue;
            const std::int64_t taken = std::min(inventory->CountItem(needed.itemId), remaining);
            for (std::int64_t unit = 0; unit < taken; ++unit) inventory->TakeItem(needed.itemId);
            remaining -= taken;
        }
    }
    if (GAME_CFieldObjectManager* objects = ship_world::FieldObjects(); objects != nullptr && remaining > 0) {
        objects->ConsumeFieldItems(needed.itemId, static_cast<std::int32_t>(remaining));
    }
}

// Piles of at most a stack on free cells searched from column 0 of the last row; what finds none is lost.
void PlaceRewardItem(const ItemCount& reward)
{
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr) return;
    DropItemStacks(reward.itemId, reward.count, 0, std::max(ship->grid.height - 1, 0));
}

// Slot `pair` leaves the board. Boards past the hideout list hold quests only in a damaged save, and
// there is no hideout to cut the board's tail to: only that slot goes, and the board's other quests
// stay. A board outside the slot is no board at all.
void RemoveFromBoard(std::span<std::uint8_t> slot, int board, int pair)
{
    namespace layout = save_layout::slot;
    const std::string area = "offer set " + std::to_string(board);
    if (board < 0 || board >= layout::kOfferSetCount) {
        LogBadWorkingSlotField(area, layout::kOfferSets, "no such board; nothing is removed");
        return;
    }
    int offerCount = QuestBoardOfferCount(board);
    if (board >= CountUsedOfferSets()) {
        const std::size_t at = layout::kOfferSets + static_cast<std::size_t>(board) * layout::kOfferSetSize;
        LogBadWorkingSlotField(area, at, "a board past the hideouts; only its pair " + std::to_string(pair) + " is removed");
        offerCount = layout::kOfferPairCount + 1;  // past every pair: no tail is emptied
    }
    QuestBoardWriter(slot, board).RemoveSlot(pair, offerCount);
}

}  // namespace

bool CanAcceptQuest(std::span<const std::uint8_t> slot)
{
    const GAME_CPlayerData* player = GetPlayerData();
    const std::int64_t limit = player != nullptr ? player->questLimit : 0;
    return CountFlaggedQuestEntries(slot) < limit;
}

bool IsQuestDeliverable(std::uint32_t questId)
{
    const QuestData* quest = FindQuest(questId);
    if (quest == nullptr) return false;
    for (const ItemCount& needed : quest->neededItems) {
        if (EndsItemList(needed)) break;
        if (CountAvailableItem(needed.itemId) < needed.count) return false;
    }
    return true;
}

bool QuestRewardsFitOnDeck(std::uint32_t questId)
{
    const QuestData* quest = FindQuest(questId);
    if (quest == nullptr) return true;
    std::int64_t stacks = 0;
    for (const ItemCount& reward : quest->rewardItems) {
        if (EndsItemList(reward)) break;
        stacks += CountStacksOf(FindItemData(reward.itemId), reward.count);
    }
    if (stacks == 0) return true;
    const GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (objects == nullptr) return false;
    // The needed units come from the storerooms first; the stacks the rest empties on the deck make room.
    std::map<std::uint32_t, std::int64_t> needed;
    for (const ItemCount& entry : quest->neededItems) {
        if (EndsItemList(entry)) break;
        needed[entry.itemId] += entry.count;
    }
    std::int64_t freed = 0;
    for (const auto& [itemId, units] : needed) freed += objects->CountStacksEmptiedBy(itemId, std::max<std::int64_t>(units - CountStoredItem(itemId), 0));
    return stacks <= objects->CountFreeItemPlaces() + freed;
}

bool DeliverQuest(std::span<std::uint8_t> slot, int board, int pair, std::uint32_t questId)
{
    const QuestData* quest = FindQuest(questId);
    if (quest == nullptr) return false;
    for (const ItemCount& needed : quest->neededItems) {
        if (EndsItemList(needed)) break;
        TakeNeededItem(needed);
    }
    if (GAME_CShip* ship = ship_world::Ship(); ship != nullptr && quest->fuel > 0) ship->AddFuel(quest->fuel);
    if (GAME_CPlayerData* player = GetPlayerData(); player != nullptr && quest->money > 0) player->AddMoney(quest->money);
    for (const ItemCount& reward : quest->rewardItems) {
        if (EndsItemList(reward)) break;
        PlaceRewardItem(reward);
    }
    RemoveFromBoard(slot, board, pair);
    ApplyQuestEffects(slot, questId, QuestEffect::kDelivery);
    AddAchievementCount(MakeTag("A011"), 1);
    return true;
}

void RetireQuest(std::span<std::uint8_t> slot, int board, int pair) { RemoveFromBoard(slot, board, pair); }
