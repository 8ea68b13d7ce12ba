// Route commands on the world around the route: items taken, music and sounds, fades, money and fuel, rooms, achievements.
#include <algorithm>

#include "framework/log/log.h"
#include "game/services/achievement/achievements.h"
#include "game/services/data/id_tags.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/services/data/tag.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/sound/sound_player.h"
#include "game/services/save/working_slot.h"
#include "game/model/travel/route_commands.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/task_base.h"
#include "platform/little_endian.h"

namespace route_commands {
namespace {

constexpr std::uint32_t kFadeChannels = 2;
constexpr std::uint32_t kAchievementA = 13;
constexpr std::uint32_t kAchievementB = 16;

// Waits while the frames on the command do not exceed the frames given; negative frames go on.
std::uint32_t WaitFrames(SYS_CScriptEngine& engine, std::int32_t frames)
{
    if (frames < 0) return 1;
    return Thread(engine).framesOnCommand <= static_cast<std::uint32_t>(frames) ? Yield(engine) : 1;
}

std::uint32_t WithAlpha(std::uint32_t color, std::uint32_t alpha) { return (color & 0x00FFFFFF) | ((alpha & 0xFF) << 24); }

// Takes up to `amount` units from the room inventories, then from the items on the field.
void TakeItemUnits(GAME_CGameWorld& world, std::uint32_t itemId, std::int64_t amount)
{
    GAME_CPlayerData* player = GetPlayerData();
    for (std::size_t i = 0; player != nullptr && amount > 0 && i < player->InventoryCount(); ++i) {
        GAME_CInventory* inventory = player->GetInventoryAt(static_cast<std::int64_t>(i));
        if (inventory == nullptr) continue;
        for (std::int64_t take = std::min(amount, inventory->CountItem(itemId)); take > 0; --take) {
            if (!inventory->TakeItem(itemId)) break;
            --amount;
        }
    }
    if (amount <= 0) return;
    GAME_CFieldObjectManager& objects = *world.fieldObjects;
    for (GAME_CObjectItem* item : objects.items) {
        if (amount <= 0) break;
        if (item == nullptr || item->dead != 0) continue;
        // A carrier busy with a task lets go of it first, whatever the item. The task unlists it as
        // it clears the carrier's link: a task still counting it would take it back at its next step.
        if (GAME_CObjectActor* carrier = item->carrier; carrier != nullptr && carrier->task != nullptr) {
            GAME_CTaskBase* task = carrier->task;
            if (GAME_CRoomBase* room = world.ship->GetRoom(task->GetRoomIndex())) room->RemoveCrew(carrier);
            task->RemoveCrew(carrier);
        }
        if (item->itemId == kNoId || item->record == nullptr || item->count == 0) {
            item->dead = 1;
            continue;
        }
        if (item->itemId != itemId) continue;
        const std::int64_t take = std::min<std::int64_t>(amount, item->count);
        item->count -= static_cast<std::int32_t>(take);
        amount -= take;
        if (item->count <= 0) item->dead = 1;
    }
}

}  // namespace

// Slot 44: takes units of an item from the inventories and the field.
std::uint32_t TakeItems(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CGameWorld* world = World();
    if (mode != 0 || !args.Need(2) || world == nullptr || world->fieldObjects == nullptr || world->ship == nullptr) return 1;
    TakeItemUnits(*world, args.U32(0), args.I32(1));
    return 1;
}

// Slot 45: music and sound effects.
std::uint32_t Sound(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CSoundPlayer* sound = PeekSoundPlayer();
    switch (mode) {
    case 0:
        if (!args.Need(3) || args.I32(0) >= kMusicTrackCount || args.I32(0) < 0) return 1;
        if (FirstFrame(engine) && sound != nullptr) {
            sound->PlayBGM(args.U32(0), std::max(args.I32(1), 0), false);
        }
        return args.I32(2) != 0 ? WaitFrames(engine, std::max(args.I32(1), 0)) : 1;
    case 1:
        if (!args.Need(2)) return 1;
        if (FirstFrame(engine) && sound != nullptr) sound->StopBGM(std::max(args.I32(0), 0));
        return args.I32(1) != 0 ? WaitFrames(engine, std::max(args.I32(0), 0)) : 1;
    case 2:
        // Held, so that the focus coming back does not undo it.
        if (sound != nullptr) sound->HoldBGM();
        return 1;
    case 3:
        if (sound != nullptr) sound->ReleaseBGM();
        return 1;
    case 10:
        if (args.Need(1) && args.U32(0) < kSoundEffectCount && sound != nullptr) sound->PlaySE(args.U32(0), 1.0f);
        return 1;
    default:
        return 1;
    }
}

// Slot 46: screen fades on the layers of the script's fade mask.
std::uint32_t Fade(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CScriptRoute& script = RouteEngine(engine);
    if (mode == 10 || mode == 11) {
        if (!args.Need(1)) return 1;
        const std::uint32_t bit = mode == 10 ? 1u : 2u;
        script.fadeLayerMask = args.I32(0) != 0 ? script.fadeLayerMask | bit : script.fadeLayerMask & ~bit;
        return 1;
    }
    if (mode > 3 || !args.Need(mode == 0 ? 4 : 3)) return 1;
    const std::int32_t frames = args.I32(mode == 0 ? 2 : 1);
    const bool wait = args.I32(mode == 0 ? 3 : 2) != 0;
    GAME_CGameWorld* world = PeekGameWorld();
    if (FirstFrame(engine) && world != nullptr && world->ui) {
        UIFadeRequest request;
        if (mode == 0) {
            request.from = args.U32(0);
            request.to = args.U32(1);
        } else {
            UIFadeState state;
            world->ui->GetFadeState(&state);
            const std::uint32_t a = args.U32(0);
            request.from = mode == 2 ? WithAlpha(state.current, a) : state.current;
            request.to = mode == 1 ? a : WithAlpha(state.current, mode == 2 ? a >> 16 : a);
        }
        request.frames = std::max(frames, 0);
        for (std::uint32_t channel = 0; channel < kFadeChannels; ++channel) {
            if ((script.fadeLayerMask >> channel & 1u) == 0) continue;
            request.channel = channel;
            world->ui->StartFade(request);
        }
    }
    return wait ? WaitFrames(engine, frames) : 1;
}

// Slot 47: money and fuel.
std::uint32_t MoneyAndFuel(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    std::int32_t delta = 0;
    switch (mode) {
    case 0:
    case 10:
        if (!args.Need(1)) return 1;
        delta = args.I32(0);
        break;
    case 1:
    case 11:
        if (!VariableValue(engine, args, 0, &delta)) return 1;
        break;
    default:
        return 1;
    }
    if (mode < 10) {
        if (GAME_CPlayerData* player = GetPlayerData()) player->AddMoney(delta);
    } else if (GAME_CGameWorld* world = World(); world != nullptr && world->ship) {
        world->ship->AddFuel(delta);
    }
    return 1;
}

// Slot 48: rooms placed on the grid, and the room kinds unlocked for building.
std::uint32_t Rooms(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(1)) return 1;
    const std::uint32_t roomId = args.U32(0);
    const std::int32_t kind = FindRoomIdIndex(roomId);
    if (mode == 0 || mode == 1) {
        std::int32_t column = 0;
        std::int32_t row = 0;
        if (mode == 0) {
            if (!args.Need(3)) return 1;
            column = args.I32(1);
            row = args.I32(2);
        } else if (!VariableValue(engine, args, 4, &column) || !VariableValue(engine, args, 4 + kNameBytes, &row)) {
            return 1;
        }
        if (kind == 0) {
            vesk::log::Warning("route script: room id " + TagText(roomId) + " is no room kind; nothing is placed");
            return 1;
        }
        if (GAME_CGameWorld* world = World(); world != nullptr && world->ship) world->ship->PlaceRoom(column, row, kind);
        return 1;
    }
    if (mode != 10 || !args.Need(2) || kind < 1) return 1;
    working_slot::SetRoomKindUnlocked(kind, args.I32(1) != 0);
    return 1;
}

// Slot 60: achievement progress, and the two achievements a pending word of the save asks for.
std::uint32_t Achievements(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    switch (mode) {
    case 0:
        if (args.Need(2)) AddAchievementCount(args.U32(0), args.U32(1));
        return 1;
    case 1:
        if (args.Need(3)) SetAchievementFlag(args.U32(0), args.U32(1), args.I32(2) != 0);
        return 1;
    case 2: {
        std::span<std::uint8_t> system = GetWorkingSystemRecord();
        const std::size_t at = save_layout::system::kAchievementPending;
        if (system.size() < at + 4) return 1;
        const std::uint32_t pending = platform::ReadU32(system, at);
        if ((pending & 1u) == 0) return 1;
        if (!IsAchievementUnlocked(kAchievementA) && (pending & 2u) == 0) UnlockAchievement(kAchievementA);
        if (!IsAchievementUnlocked(kAchievementB) && (pending & 4u) == 0) UnlockAchievement(kAchievementB);
        platform::WriteU32(system, at, 0);
        return 1;
    }
    default:
        return 1;
    }
}

}  // namespace route_commands
