// Route command 40: items dropped aboard, enemies, drop items beside the route and background objects.
#include <algorithm>

#include "framework/math/random.h"
#include "game/services/data/item_data.h"
#include "game/services/data/static_database.h"
#include "game/services/text/tag_text.h"
#include "game/model/travel/route_commands.h"
#include "game/model/world/game_world.h"

namespace route_commands {
namespace {

constexpr std::size_t kEnemyLabelUnits = 32;

// Drops count units of the item as stacks on free cells, searched from the last row's first
// column; stops when no cell or no item object is left.
void DropItemsAboard(GAME_CGameWorld& world, std::uint32_t itemId, std::int64_t count)
{
    GAME_CFieldObjectManager& objects = *world.fieldObjects;
    const std::int32_t lastRow = world.ship->grid.height - 1;
    while (count > 0) {
        ItemEntry entry;
        InitItemEntry(entry, itemId, static_cast<std::int32_t>(std::min<std::int64_t>(count, INT32_MAX)));
        std::int32_t column = -1;
        std::int32_t row = -1;
        if (entry.record == nullptr || entry.count <= 0 || !objects.FindFreeItemCell(0, lastRow, &column, &row)) return;
        if (!objects.DropItemOnCell(itemId, entry.count, column, row)) return;
        count -= entry.count;
    }
}

// An enemy from the pool at the route position; nothing when all 16 are out.
void SpawnEnemy(GAME_CGameWorld& world, std::uint32_t enemyId, std::int32_t position, std::int32_t p, std::int32_t q,
                std::u16string_view label)
{
    GAME_CFieldObjectManager& objects = *world.fieldObjects;
    if (objects.enemies.size() >= GAME_CFieldObjectManager::kEnemyPoolSize) return;
    GAME_CObjectEnemy* enemy = objects.AcquireEnemyObject();
    if (enemy == nullptr) return;
    EnemySetupRecord setup;
    InitEnemySetupRecord(setup);
    setup.enemyId = enemyId;
    setup.routePositions = {position, position};
    setup.values = {p, q};
    char16_t name[64];
    CopyWideText64(name, label);
    std::copy(std::begin(name), std::end(name), setup.labelName.begin());
    enemy->Init(setup);
}

// A drop item beside the route: a random place in [a, b) rounded down to a multiple of step (when
// step > 0), an amount in [c, d).
void PlaceDropItem(GAME_CGameWorld& world, std::uint32_t itemId, std::int32_t a, std::int32_t b, std::int32_t step,
                   std::int32_t c, std::int32_t d)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    const ItemData* item = database != nullptr ? database->FindItemData(itemId) : nullptr;
    if (item == nullptr) return;
    auto draw = [](std::int32_t low, std::int32_t high) {
        if (high <= low) return low;
        const std::int64_t span = std::int64_t{high} - low;
        const auto number = (static_cast<std::int64_t>(vesk::math::Rand()) << 15) | vesk::math::Rand();
        return static_cast<std::int32_t>(low + number % span);
    };
    std::int32_t position = draw(std::min(a, b), std::max(a, b));
    if (step > 0) position -= ((position % step) + step) % step;
    GAME_CObjectDropItem* drop = world.fieldObjects->AcquireDropItem();
    if (drop == nullptr) return;
    // What comes aboard is one stack: the amount is held to the item's stack limit here, so that a saved drop keeps it.
    drop->Init({itemId, std::min(draw(std::min(c, d), std::max(c, d)), StackLimitOf(item)), position});
}

// A variable's value plus an offset, the offset negated on a route run backward when asked.
bool VariablePlusOffset(SYS_CScriptEngine& engine, const ScriptArgs& args, std::int32_t* position)
{
    std::int32_t base = 0;
    if (!args.Need(10) || !VariableValue(engine, args, 0, &base)) return false;
    std::int64_t offset = args.I32(8);
    const GAME_CRouteManager* route = Manager(engine);
    if (args.I32(9) != 0 && route != nullptr && !route->IsForward()) offset = -offset;
    *position = static_cast<std::int32_t>(std::clamp<std::int64_t>(base + offset, INT32_MIN, INT32_MAX));
    return true;
}

}  // namespace

// Slot 40, by mode; 100 to 131 are the particle effects.
std::uint32_t Spawn(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode >= 100 && mode <= 131) return SpawnEffect(engine, mode, args);
    GAME_CGameWorld* world = World();
    if (world == nullptr || world->fieldObjects == nullptr || world->ship == nullptr || world->background == nullptr) {
        return 1;
    }
    GAME_CScriptRoute& script = RouteEngine(engine);
    GAME_CBackgroundView& background = *world->background;
    switch (mode) {
    case 0:
        if (args.Need(2)) DropItemsAboard(*world, args.U32(0), args.I32(1));
        return 1;
    case 4:
        if (args.Need(3)) DropItemsAboard(*world, args.U32(0), RandomBetween(args.I32(1), args.I32(2)));
        return 1;
    case 1:
        if (args.Need(4)) SpawnEnemy(*world, args.U32(0), args.I32(1), args.I32(2), args.I32(3), {});
        return 1;
    case 5: {
        const std::u16string label = InlineWideText(args, 16, kEnemyLabelUnits);
        if (args.Need(4) && !args.Faulted()) SpawnEnemy(*world, args.U32(0), args.I32(1), args.I32(2), args.I32(3), label);
        return 1;
    }
    case 6: {
        // {enemy id, variable name, p, q, label}
        std::int32_t position = 0;
        const std::u16string label = InlineWideText(args, 44, kEnemyLabelUnits);
        if (!args.Faulted() && VariableValue(engine, args, 4, &position)) {
            SpawnEnemy(*world, args.U32(0), position, args.I32(9), args.I32(10), label);
        }
        return 1;
    }
    case 2:
        if (args.Need(3)) background.PlaceObject(args.I32(1), args.I32(0), args.I32(2), false);
        return 1;
    case 140:
    case 141:
        if (args.Need(4)) background.PlaceObject(args.I32(1), args.I32(0), args.I32(2), args.I32(3) != 0, mode == 141 ? 1 : 0);
        return 1;
    case 3:
        if (args.Need(6) && CanSpawn()) {
            PlaceDropItem(*world, args.U32(0), args.I32(1), args.I32(2), args.I32(3), args.I32(4), args.I32(5));
        }
        return 1;
    case 7:
        if (args.Need(1)) world->fieldObjects->holdNextEnemy = args.I32(0) != 0 ? 1 : 0;
        return 1;
    case 8: {
        const std::u16string label = InlineWideText(args, 0, kEnemyLabelUnits);
        if (!args.Faulted()) world->fieldObjects->RunLabelOnAllEnemies(label);
        return 1;
    }
    case 10:
    case 20:
    case 30:
        if (args.Need(2)) {
            const int list = mode == 10 ? GAME_CScriptRoute::kDropItemList
                                        : (mode == 20 ? GAME_CScriptRoute::kEnemyList : GAME_CScriptRoute::kSpriteList);
            script.AddCandidate(list, args.I32(0), args.I32(1));
        }
        return 1;
    case 11: {
        if (!args.Need(4) || !CanSpawn()) return 1;
        const std::int32_t item = script.DrawCandidate(GAME_CScriptRoute::kDropItemList);
        if (item != -1) PlaceDropItem(*world, static_cast<std::uint32_t>(item), args.I32(0), args.I32(1), 0, args.I32(2), args.I32(3));
        return 1;
    }
    case 12: {
        // {variable, offset, flag, amount a, amount b}
        std::int32_t position = 0;
        if (!args.Need(12) || !CanSpawn() || !VariablePlusOffset(engine, args, &position)) return 1;
        const std::int32_t item = script.DrawCandidate(GAME_CScriptRoute::kDropItemList);
        if (item != -1) PlaceDropItem(*world, static_cast<std::uint32_t>(item), position, position, 0, args.I32(10), args.I32(11));
        return 1;
    }
    case 21:
    case 22:
    case 23: {
        // 21 {position, p, q}; 22 {a, b, p, q}; 23 {variable, offset, flag, p, q}
        std::int32_t position = 0;
        std::size_t pAt = 1;
        if (mode == 21) {
            if (!args.Need(3)) return 1;
            position = args.I32(0);
        } else if (mode == 22) {
            if (!args.Need(4)) return 1;
            position = RandomBetween(args.I32(0), args.I32(1));
            pAt = 2;
        } else {
            if (!args.Need(12) || !VariablePlusOffset(engine, args, &position)) return 1;
            pAt = 10;
        }
        const std::int32_t enemy = script.DrawCandidate(GAME_CScriptRoute::kEnemyList);
        if (enemy != -1) SpawnEnemy(*world, static_cast<std::uint32_t>(enemy), position, args.I32(pAt), args.I32(pAt + 1), {});
        return 1;
    }
    case 31:
    case 32: {
        // 31 {position, depth}; 32 {variable, offset, flag, depth}
        std::int32_t position = 0;
        std::int32_t depth = 0;
        if (mode == 31) {
            if (!args.Need(2)) return 1;
            position = args.I32(0);
            depth = args.I32(1);
        } else {
            if (!args.Need(11) || !VariablePlusOffset(engine, args, &position)) return 1;
            depth = args.I32(10);
        }
        const std::int32_t sprite = script.DrawCandidate(GAME_CScriptRoute::kSpriteList);
        if (sprite != -1) background.PlaceObject(position, sprite, depth, false);
        return 1;
    }
    case 40:
        if (args.Need(3)) background.RemoveObjectsInRange(args.I32(0), args.I32(1), args.I32(2));
        return 1;
    case 41: {
        std::int32_t a = 0;
        std::int32_t b = 0;
        if (args.Need(17) && VariableValue(engine, args, 0, &a) && VariableValue(engine, args, kNameBytes, &b)) {
            background.RemoveObjectsInRange(a, b, args.I32(16));
        }
        return 1;
    }
    case 150:
        world->fieldObjects->ClearDropItems();
        return 1;
    default:
        return 1;
    }
}

}  // namespace route_commands
