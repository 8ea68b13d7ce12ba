// Route command 30: conditions on money, items, rooms, crew, the slot's byte table and bit set, and the route.
#include <algorithm>

#include "framework/math/random.h"
#include "game/services/data/id_tags.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/model/stores/stored_items.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/working_slot.h"
#include "game/model/script/script_operators.h"
#include "game/model/travel/route_commands.h"
#include "game/model/world/game_world.h"
#include "platform/little_endian.h"

namespace route_commands {
namespace {

using namespace save_layout;

constexpr std::uint32_t kBitCount = slot::kEventBitCount;

std::uint32_t AsUnsigned(std::int64_t value) { return static_cast<std::uint32_t>(value); }

std::int64_t CountRoomsWithUpgrade(const GAME_CShip& ship, std::uint32_t roomId, std::uint32_t bit)
{
    std::int64_t count = 0;
    const auto onGrid = static_cast<std::size_t>(std::max(ship.CountRoomsOnGrid(), 0));
    for (std::size_t i = 0; i < std::min(onGrid, ship.rooms.size()); ++i) {
        const GAME_CRoomBase* room = ship.rooms[i];
        if (room != nullptr && room->roomId == roomId && bit < 32 && (room->installedUpgrades >> bit & 1u) != 0) ++count;
    }
    return count;
}

std::int64_t CountSkillSlots(const GAME_CFieldObjectManager& objects, std::uint32_t skillId)
{
    std::int64_t count = 0;
    for (const GAME_CObjectActor* member : objects.crew) {
        if (member == nullptr) continue;
        for (const auto& skill : member->status.skills) count += skill.id == skillId ? 1 : 0;
    }
    return count;
}

}  // namespace

// Slot 30: a value of the game compared (unsigned) by an operator text, or a test; 50 and 51 write.
std::uint32_t Condition(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CGameWorld* world = PeekGameWorld();
    const GAME_CPlayerData* player = GetPlayerData();
    const GAME_CRouteManager* route = Manager(engine);
    // Modes that compare: the value, the operator text and the right side's word.
    auto compare = [&](std::int64_t value, std::size_t operatorAt, std::size_t rightWord) -> std::uint32_t {
        const std::string_view op = InlineText(args, operatorAt);
        if (!args.Need(rightWord + 1)) return 1;
        Test(engine, CompareOperatorU32(AsUnsigned(value), op, args.U32(rightWord)));
        return 1;
    };
    switch (mode) {
    case 0:
        return compare(player != nullptr ? player->money : 0, 0, 8);
    case 1:
        if (!args.Need(1)) return 1;
        return compare(CountStoredItem(args.U32(0)) + CountFieldItem(args.U32(0)), 4, 9);
    case 2:
        if (!args.Need(1) || world == nullptr || world->ship == nullptr) return 1;
        return compare(world->ship->CountIntactRoomsOfKind(FindRoomIdIndex(args.U32(0))), 4, 9);
    case 3:
        if (!args.Need(2) || world == nullptr || world->ship == nullptr) return 1;
        return compare(CountRoomsWithUpgrade(*world->ship, args.U32(0), args.U32(1)), 8, 10);
    case 4:
        return compare(world != nullptr && world->fieldObjects ? world->fieldObjects->crew.size() : 0, 0, 8);
    case 5:
        if (!args.Need(1) || world == nullptr || world->fieldObjects == nullptr) return 1;
        return compare(CountSkillSlots(*world->fieldObjects, args.U32(0)), 4, 9);
    case 6: {
        const std::string_view op = InlineText(args, 4);
        if (!args.Need(10)) return 1;
        const std::uint8_t* entry = working_slot::ByteCounter(args.U32(0));
        if (entry == nullptr) return 1;
        Test(engine, CompareOperatorS8(static_cast<std::int8_t>(*entry), op, static_cast<std::int8_t>(args.U32(9) & 0xFF)));
        return 1;
    }
    case 7:
        return compare(vesk::math::Rand(), 0, 8);
    case 8:
        if (args.Need(2) && args.U32(0) < kBitCount) {
            Test(engine, working_slot::EventFlag(args.U32(0)) == (args.I32(1) != 0));
        }
        return 1;
    case 9:
        Test(engine, route != nullptr && route->IsForward());
        return 1;
    case 10:
        if (args.Need(1)) Test(engine, world != nullptr && world->ship && world->ship->shipTag == args.U32(0));
        return 1;
    case 11: {
        Test(engine, working_slot::EndingSeen());
        return 1;
    }
    case 12:
        Thread(engine).conditionAnd = 0;
        return 1;
    case 13:
        Test(engine, world != nullptr && world->travel && world->travel->GetLocation() != nullptr);
        return 1;
    case 50: {
        const std::string_view op = InlineText(args, 4);
        if (!args.Need(10)) return 1;
        if (std::uint8_t* entry = working_slot::ByteCounter(args.U32(0))) {
            *entry = static_cast<std::uint8_t>(
                ApplyOperator8(static_cast<std::int8_t>(*entry), op, static_cast<std::int8_t>(args.U32(9) & 0xFF)));
        }
        return 1;
    }
    case 51:
        if (args.Need(2)) working_slot::SetEventFlag(args.U32(0), args.I32(1) != 0);
        return 1;
    default:
        return 1;
    }
}

}  // namespace route_commands
