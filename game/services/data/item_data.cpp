// The contents of one item stack: item id, count and the item's static record.
#include "game/services/data/item_data.h"

#include <algorithm>

#include "game/services/data/static_lookups.h"

bool GAME_CItemDataImpl::TakeOne()
{
    if (record == nullptr || count <= 0) return false;
    --count;
    return true;
}

std::int32_t StackLimitOf(const ItemData* record) { return record != nullptr ? std::max(1, record->stackLimit) : 1; }

std::int64_t CountStacksOf(const ItemData* record, std::int64_t units)
{
    const std::int64_t limit = StackLimitOf(record);
    return units > 0 ? (units + limit - 1) / limit : 0;
}

std::unique_ptr<GAME_CItemDataImpl> CreateItemData(std::uint32_t itemId, std::int32_t count)
{
    if (count == 0) return nullptr;
    std::unique_ptr<GAME_CItemDataImpl> item(new GAME_CItemDataImpl);
    if (!item) return nullptr;
    item->itemId = itemId;
    item->record = FindItemData(itemId);
    item->count = std::min(count, StackLimitOf(item->record));
    return item;
}
