// Route command 50: losses of money, crew, items and rooms, each listed on the game-over screen.
#include <algorithm>
#include <cstdlib>

#include "framework/math/random.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/model/stores/stored_items.h"
#include "game/services/data/tag.h"
#include "game/services/text/message_text.h"
#include "game/model/travel/route_commands.h"
#include "game/model/world/game_world.h"

namespace route_commands {
namespace {

constexpr std::uint32_t kLossMoney = 0;
constexpr std::uint32_t kLossCrew = 1;
constexpr std::uint32_t kLossRoom = 3;
constexpr std::size_t kMaterialPairs = 8;

void RecordLoss(GAME_CGameWorld* world, std::uint32_t kind, std::u16string_view name, std::int32_t column,
                std::int32_t row, std::int32_t amount)
{
    if (world == nullptr || world->ui == nullptr) return;
    LossRecord loss;
    InitLossRecord(&loss);
    loss.kind = static_cast<std::int32_t>(kind);
    const std::u16string text(name);
    loss.name.Assign(text.c_str());
    loss.gridX = column;
    loss.gridY = row;
    loss.amount = amount;
    world->ui->AddGameOverLoss(loss);
}

void TakeMoney(GAME_CGameWorld* world, std::int64_t amount)
{
    if (GAME_CPlayerData* player = GetPlayerData()) player->AddMoney(-amount);
    RecordLoss(world, kLossMoney, {}, 0, 0, static_cast<std::int32_t>(std::min<std::int64_t>(amount, INT32_MAX)));
}

// The (k + 1)-th entry met, k drawn below the list's size, null entries passed over.
template <typename T>
T* PickMet(const std::vector<T*>& list)
{
    if (list.empty()) return nullptr;
    std::size_t k = static_cast<std::size_t>(vesk::math::Rand() >> 1) % list.size();
    for (T* entry : list) {
        if (entry == nullptr) continue;
        if (k == 0) return entry;
        --k;
    }
    return nullptr;
}

// The first live item of the list lying in a row that the test takes.
template <typename RowTest>
void KillFirstItemInRow(GAME_CFieldObjectManager& objects, RowTest test)
{
    for (std::size_t i = 0; i < objects.items.size(); ++i) {
        GAME_CObjectItem* item = objects.GetItemAt(static_cast<std::int64_t>(i));
        if (item == nullptr || item->dead != 0 || !test(item->GetCellRow())) continue;
        item->dead = 1;
        break;
    }
    objects.RemoveDeadItems();
}

// Mode 40: what an engine room needs, dropped aboard when no engine room works.
void DropEngineMaterials(GAME_CGameWorld& world)
{
    GAME_CShip& ship = *world.ship;
    GAME_CFieldObjectManager& objects = *world.fieldObjects;
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (ship.CountWorkingRoomsOfKind(kRoomKindEngine) != 0 || database == nullptr) return;
    const RoomData* engine = database->FindRoomData(MakeTag("ID23"));
    if (engine == nullptr) return;
    std::vector<ItemCount> pairs;
    for (std::size_t i = 0; i < kMaterialPairs && i < engine->materials.size(); ++i) {
        if (engine->materials[i].itemId == kNoId || engine->materials[i].count == 0) break;
        pairs.push_back(engine->materials[i]);
    }
    auto isPairItem = [&](std::uint32_t id) {
        return std::any_of(pairs.begin(), pairs.end(), [&](const ItemCount& pair) { return pair.itemId == id; });
    };
    const float cellWidth = ship.grid.cellWidth;
    const float cellHeight = ship.grid.cellHeight;
    for (const ItemCount& pair : pairs) {
        const std::int64_t have = CountStoredItem(pair.itemId) + CountFieldItem(pair.itemId);
        if (pair.count <= have) continue;
        // An item of the top row that is none of the materials makes room for the new one.
        for (GAME_CObjectItem* item : objects.items) {
            if (item == nullptr || isPairItem(item->itemId) || item->dead != 0 || item->carrier != nullptr) continue;
            if (cellHeight > 0.0f && static_cast<std::int64_t>(item->position.y / cellHeight) == 0) {
                item->dead = 1;
                break;
            }
        }
        objects.RemoveDeadItems();
        std::int32_t column = -1;
        std::int32_t row = -1;
        objects.FindFreeItemCell(0, 0, &column, &row);
        GAME_CObjectItem* item = objects.AcquireItemObject();
        if (item == nullptr) continue;
        objects.items.push_back(item);
        ItemObjectSetup setup;
        setup.x = cellWidth * static_cast<float>(column) + static_cast<float>(static_cast<std::int32_t>(cellWidth) / 2);
        setup.y = static_cast<float>(row + 1) * cellHeight - 1.0f;
        InitItemEntry(setup.entry, pair.itemId, static_cast<std::int32_t>(pair.count - have));
        item->Init(setup);
    }
}

}  // namespace

// Slot 50: by mode, then always the sweep of dead crew and dead items.
std::uint32_t Losses(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CGameWorld* world = World();
    if (world == nullptr || world->fieldObjects == nullptr || world->ship == nullptr) return 1;
    GAME_CFieldObjectManager& objects = *world->fieldObjects;
    switch (mode) {
    case 0:
        if (args.Need(1)) TakeMoney(world, std::abs(std::int64_t{args.I32(0)}));
        break;
    case 1: {
        std::int32_t value = 0;
        if (VariableValue(engine, args, 0, &value) && value > 0) TakeMoney(world, value);
        break;
    }
    case 10:
        if (GAME_CObjectActor* member = PickMet(objects.crew)) {
            RecordLoss(world, kLossCrew, member->status.name, member->cellX, member->cellY, 0);
            member->dead = 1;
        }
        break;
    case 20:
        if (GAME_CObjectItem* item = PickMet(objects.items)) {
            item->dead = 1;
            objects.RemoveDeadItems();
        }
        break;
    case 21:
        KillFirstItemInRow(objects, [](std::int32_t row) { return row == 0; });
        break;
    case 22: {
        const std::int32_t lastRow = world->ship->grid.height - 1;
        KillFirstItemInRow(objects, [&](std::int32_t row) { return row >= lastRow; });
        break;
    }
    case 30: {
        const std::int32_t onGrid = world->ship->CountRoomsOnGrid();
        if (onGrid <= 0) break;
        GAME_CRoomBase* room = world->ship->GetRoom((vesk::math::Rand() >> 2) % onGrid);
        if (room == nullptr) break;
        RecordLoss(world, kLossRoom, GetMessageTextExpanded(TagText(room->roomId)), room->gridX, room->gridY, 0);
        room->removeRequested = true;
        break;
    }
    case 40:
        DropEngineMaterials(*world);
        break;
    default:
        break;
    }
    objects.RemoveDeadActors();
    objects.RemoveDeadItems();
    return 1;
}

}  // namespace route_commands
