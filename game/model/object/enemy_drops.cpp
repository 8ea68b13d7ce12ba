// An enemy's drops: an item drawn from its kind's drop table by weight, kept for later or laid on the route ahead of the ship.
#include "game/model/object/enemy_drops.h"

#include <algorithm>

#include "framework/math/random.h"
#include "game/services/data/world_records.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/ship_world.h"

namespace {

constexpr std::int64_t kDropAhead = 100;

// 31 random bits from three draws: 15, 15 and 2 of them. Every bit is drawn, so the number
// modulo a total is as even as the total allows.
std::uint64_t DrawDropNumber()
{
    const auto high = static_cast<std::uint64_t>(vesk::math::Rand());
    const auto middle = static_cast<std::uint64_t>(vesk::math::Rand());
    const auto low = static_cast<std::uint64_t>(vesk::math::Rand());
    return ((((high << 15) | middle) << 2) | ((low >> 2) & 3)) >> 1;
}

}  // namespace

std::uint32_t ChooseEnemyDrop(const EnemyData& kind)
{
    const int count = CountEnemyDropEntries(kind);
    std::uint64_t total = 0;
    for (int i = 0; i < count; ++i) {
        if (kind.drops[i].itemId != kNoId) total += static_cast<std::uint64_t>(kind.drops[i].weight);
    }
    if (total == 0) return kNoId;
    std::uint64_t rest = DrawDropNumber() % total;
    // Each entry covers as many of the numbers 0 .. total - 1 as its weight,
    // so the draws follow the weights.
    for (int i = 0; i < count; ++i) {
        const auto weight = static_cast<std::uint64_t>(kind.drops[i].weight);
        if (weight > rest) return kind.drops[i].itemId;
        rest -= weight;
    }
    return kNoId;
}

void GAME_CObjectEnemy::PickDropItem()
{
    pendingDrop = data_ != nullptr ? ChooseEnemyDrop(*data_) : kNoId;
}

void GAME_CObjectEnemy::SpawnDropItem()
{
    if (data_ == nullptr) return;
    const std::uint32_t itemId = ChooseEnemyDrop(*data_);
    GAME_CFieldObjectManager* manager = ship_world::FieldObjects();
    if (itemId == kNoId || manager == nullptr) return;
    GAME_CObjectDropItem* drop = manager->AcquireDropItem();
    if (drop == nullptr) return;
    const std::int64_t place =
        std::min(std::int64_t{ShipRoutePosition()} + kDropAhead, std::int64_t{CurrentRouteLength()} - kDropAhead);
    DropItemSetup setup;
    setup.itemId = itemId;
    setup.count = 1;
    setup.routePosition = static_cast<std::int32_t>(std::max<std::int64_t>(place, std::numeric_limits<std::int32_t>::min()));
    drop->Init(setup);
}
