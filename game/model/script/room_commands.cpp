// Handlers of the room command table.
#include "game/model/script/room_commands.h"

#include <algorithm>
#include <array>
#include <string>

#include "game/services/data/record_entries.h"
#include "game/services/data/static_database.h"
#include "game/services/data/setting_commands.h"
#include "game/model/script/script_room.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/room_script_commands.h"

namespace {

using vesk::utility::script::ScriptArgs;
using vesk::utility::script::ScriptHandler;
using vesk::utility::script::SYS_CScriptEngine;

constexpr std::uint32_t kRoomTableSize = 40;
constexpr std::uint32_t kCapacityLimit = 8;
constexpr std::int32_t kOpenCapacity = 129;
constexpr std::size_t kUpgradeNameOffset = 8;
constexpr std::size_t kUpgradeNameBytes = RoomUpgradeEntry::kNameKeyLength + 1;

GAME_CScriptRoom& RoomEngine(SYS_CScriptEngine& engine) { return static_cast<GAME_CScriptRoom&>(engine); }

// A statement the room kind's record could not take, named by the room id.
void Refuse(SYS_CScriptEngine& engine, const std::string& what)
{
    setting_commands::ReportRefused("room " + DescribeId(RoomEngine(engine).GetRoom()->GetRoomId()) +
                                    ": " + what);
}

// The record of the running room's room id: created when asked, else only an
// existing one; null without a room or a database.
RoomData* RoomKindOf(SYS_CScriptEngine& engine, bool create)
{
    GAME_CRoomBase* room = RoomEngine(engine).GetRoom();
    GAME_CStaticDatabase* database = GetStaticDatabase();
    if (room == nullptr || database == nullptr) {
        return nullptr;
    }
    return database->GetOrCreateRoomData(room->GetRoomId(), create);
}

// The existing record for a sub-code 0 statement of `words` argument words;
// null when the statement does nothing.
RoomData* ExistingRoomKind(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::size_t words)
{
    return mode == 0 && args.Need(words) ? RoomKindOf(engine, false) : nullptr;
}

// Slot 0: the room kind's sprite, footprint, build, capacity, durability,
// pairs and materials.
std::uint32_t RoomKindCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    std::size_t words = 0;
    switch (mode) {
    case 0:
        words = 3;
        break;
    case 2:
    case 3:
    case 4:
    case 10:
        words = 2;
        break;
    case 5:
    case 6:
    case 20:
        words = 1;
        break;
    case 30:
        break;
    default:
        return 1;
    }
    if (!args.Need(words)) {
        return 1;
    }
    RoomData* data = RoomKindOf(engine, true);
    if (data == nullptr) {
        return 1;
    }
    switch (mode) {
    case 0:
        data->spriteId = args.I32(0);
        data->width = args.I32(1);
        data->height = args.I32(2);
        break;
    case 2:
        data->buildCrewLimit = args.I32(0);
        data->buildSeconds = args.I32(1);
        break;
    case 3:
        data->words[0] = std::max(0, args.I32(0));
        data->words[1] = std::max(0, args.I32(1));
        break;
    case 4: {
        auto free = std::find_if(data->pairs.begin(), data->pairs.end(),
                                 [](const IdValue& pair) { return pair.id == kNoId || pair.value == 0; });
        if (free == data->pairs.end()) {
            Refuse(engine, "all eight pairs are in use");
        } else {
            *free = IdValue{args.U32(0), args.I32(1)};
        }
        break;
    }
    case 5:
        data->capacity = static_cast<std::int32_t>(std::min(args.U32(0), kCapacityLimit));
        break;
    case 6:
        data->durability = std::max(0, args.I32(0));
        break;
    case 10:
        if (!PutItemCount(data->materials, args.U32(0), args.I32(1))) {
            Refuse(engine, "all eight materials are in use");
        }
        break;
    case 20:
        data->words[2] = args.I32(0);
        break;
    case 30:
        data->capacity = kOpenCapacity;
        break;
    default:
        break;
    }
    return 1;
}

// Slot 1: the room kind's flag bits.
std::uint32_t RoomFlagsCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode > 2 || (mode != 2 && !args.Need(1))) {
        return 1;
    }
    RoomData* data = RoomKindOf(engine, false);
    if (data == nullptr) {
        return 1;
    }
    if (mode == 0) {
        data->flags |= args.U32(0);
    } else if (mode == 1) {
        data->flags &= ~args.U32(0);
    } else {
        data->flags = 0;
    }
    return 1;
}

// Slot 2: one of the eighteen indexed values.
std::uint32_t RoomValueCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    RoomData* data = ExistingRoomKind(engine, mode, args, 2);
    const std::uint32_t index = args.U32(0);
    if (data != nullptr && index < kRoomValueCount) {
        data->values[index] = args.I32(1);
    }
    return 1;
}

// Slot 3: an upgrade entry {type, name key, value}, by type.
std::uint32_t RoomUpgradeCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args,
                                 std::uint16_t)
{
    RoomData* data = ExistingRoomKind(engine, mode, args, 2);
    if (data == nullptr) {
        return 1;
    }
    const std::int32_t type = args.I32(0);
    auto entry = std::find_if(data->upgrades.begin(), data->upgrades.end(),
                              [type](const RoomUpgradeEntry& e) { return e.type == -1 || e.type == type; });
    if (entry == data->upgrades.end()) {
        Refuse(engine, "all sixteen upgrades are in use");
        return 1;
    }
    entry->type = type;
    entry->nameKey = setting_commands::ReadFieldText(args, kUpgradeNameOffset, kUpgradeNameBytes);
    entry->value = args.I32(1);
    return 1;
}

// Slot 4: an ammunition item the room kind takes.
std::uint32_t RoomAcceptItemCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args,
                                    std::uint16_t)
{
    RoomData* data = ExistingRoomKind(engine, mode, args, 1);
    if (data == nullptr) {
        return 1;
    }
    const std::uint32_t itemId = args.U32(0);
    const ItemData* item = GetStaticDatabase()->FindItemData(itemId);
    if (item == nullptr || !item->IsAmmunition()) {
        Refuse(engine, "item " + DescribeId(itemId) + " is no ammunition");
        return 1;
    }
    if (std::find(data->acceptedItems.begin(), data->acceptedItems.end(), itemId) == data->acceptedItems.end()) {
        data->acceptedItems.push_back(itemId);
    }
    return 1;
}

// Slot 5: the sound the room's screen loops and its loop value; an id of -1 clears it.
std::uint32_t RoomLastPairCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args,
                                  std::uint16_t)
{
    RoomData* data = ExistingRoomKind(engine, mode, args, 2);
    if (data == nullptr) {
        return 1;
    }
    data->lastPair = IdValue{};
    if (args.U32(0) != kNoId) {
        data->lastPair = IdValue{args.U32(0), args.I32(1)};
    }
    return 1;
}

constexpr auto kRoomHandlers = [] {
    std::array<ScriptHandler, kRoomTableSize> handlers{};
    handlers[0] = RoomKindCommand;
    handlers[1] = RoomFlagsCommand;
    handlers[2] = RoomValueCommand;
    handlers[3] = RoomUpgradeCommand;
    handlers[4] = RoomAcceptItemCommand;
    handlers[5] = RoomLastPairCommand;
    handlers[10] = room_script_commands::SetSprite;
    handlers[11] = room_script_commands::SetFlag;
    handlers[12] = room_script_commands::Display;
    handlers[13] = room_script_commands::Offset;
    handlers[14] = room_script_commands::PlaySound;
    handlers[20] = SetPeriodCommand<GAME_CScriptRoom>;
    handlers[21] = room_script_commands::RequestRemoval;
    handlers[30] = room_script_commands::Fire;
    handlers[31] = room_script_commands::Target;
    return handlers;
}();

}  // namespace

vesk::utility::script::CommandTable GetRoomCommandTable() { return {kRoomHandlers.data(), kRoomTableSize}; }
