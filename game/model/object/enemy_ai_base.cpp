// The enemy AI's step: the facing rule and the approach towards the ship.
#include "game/model/object/enemy_ai_base.h"

#include <algorithm>
#include <cstdlib>

#include "game/model/object/field_draw.h"
#include "game/model/object/object_enemy.h"

void GAME_CEnemyAIBase::Update()
{
    GAME_CObjectEnemy* enemy = owner_;
    if (enemy == nullptr) return;
    EnemyHPRecord& record = enemy->hpRecord;
    const std::int64_t toShip = std::int64_t{ShipRoutePosition()} - enemy->routePosition;
    const std::int64_t fromHome = std::int64_t{enemy->routePosition} - enemy->homePosition;

    if (record.refreshFacing != 0 || record.facingDecided == 0) {
        bool facing = record.facingMode == 0 ? toShip < 0 : IsRouteReversed();
        if (record.speedFactor < 0) facing = !facing;
        if (record.invertFacing != 0) facing = !facing;
        enemy->facing = facing ? 1 : 0;
        record.facingDecided = 1;
    }

    if (record.speedFactor == 0) return;
    constexpr std::uint32_t kBoth = EnemyHPRecord::kFlagApproach | EnemyHPRecord::kFlagHitReaction;
    const std::int64_t reach = record.reach;
    if (std::llabs(fromHome) >= reach || std::llabs(toShip) >= reach || (record.flags & kBoth) != kBoth) return;
    const std::int64_t step = std::max<std::int64_t>(std::int64_t{record.approachStep} * record.speedFactor, 1);
    const std::int64_t direction = toShip > 0 ? 1 : (toShip < 0 ? -1 : 0);
    enemy->MoveOnRoute(step * direction);
}
