// The room-script commands that run on a placed room: sprite, flags, display values, offsets, sound, removal, firing and targets.
#include "game/model/ship/room_script_commands.h"

#include <algorithm>
#include <cmath>

#include "framework/math/random.h"
#include "framework/math/scalar.h"
#include "game/services/sound/sound_player.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/script/script_period.h"
#include "game/model/script/script_room.h"
#include "game/model/world/world_attacks.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"

namespace room_script_commands {
namespace {

using vesk::utility::script::ScriptThread;

constexpr float kPerMille = 0.001f;
constexpr std::int32_t kVolumeLimit = 2000;
constexpr std::int32_t kAttackSecondValue = 150;

GAME_CRoomBase* RoomOf(SYS_CScriptEngine& engine) { return static_cast<GAME_CScriptRoom&>(engine).GetRoom(); }

float Lerp(std::int32_t from, std::int32_t to, float t)
{
    return (static_cast<float>(from) + static_cast<float>(std::int64_t{to} - from) * t) * kPerMille;
}

float Milli(std::int32_t value) { return static_cast<float>(value) * kPerMille; }

// A whole number between the smaller and the larger bound, the upper one excluded; the bound when
// both are equal.
std::int64_t RandomBetween(std::int32_t a, std::int32_t b)
{
    const std::int64_t low = std::min(a, b);
    const std::int64_t span = std::int64_t{std::max(a, b)} - low;
    return span > 0 ? low + vesk::math::Rand() % span : low;
}

}  // namespace

std::uint32_t SetSprite(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    GAME_CRoomBase* room = RoomOf(engine);
    if (room != nullptr && args.Need(1)) room->spriteId = args.I32(0);
    return 1;
}

std::uint32_t SetFlag(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CRoomBase* room = RoomOf(engine);
    if (room == nullptr || !args.Need(1)) return 1;
    const bool on = args.I32(0) != 0;
    switch (mode) {
    case 0:
        room->scriptFlagA = on;
        break;
    case 1:
        room->buildStarted = room->underConstruction && !on;
        break;
    case 2:
        room->broken = on;
        break;
    default:
        break;
    }
    return 1;
}

std::uint32_t Display(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CRoomBase* room = RoomOf(engine);
    if (room == nullptr) return 1;
    if (mode == 0 && args.Need(4)) {
        room->offsetX = Milli(args.I32(0));
        room->scaleX = Milli(args.I32(1));
        room->offsetY = Milli(args.I32(2));
        room->scaleY = Milli(args.I32(3));
    } else if (mode == 1 && args.Need(5)) {
        if (FramesOnCommand(engine) > args.U32(4)) return 1;
        room->offsetX += Milli(args.I32(0));
        room->scaleX += Milli(args.I32(1));
        room->offsetY += Milli(args.I32(2));
        room->scaleY += Milli(args.I32(3));
        return YieldThisFrame(engine);
    }
    return 1;
}

std::uint32_t Offset(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CRoomBase* room = RoomOf(engine);
    if (room == nullptr) return 1;
    const std::uint32_t frames = FramesOnCommand(engine);
    switch (mode) {
    case 0:
        if (args.Need(2)) {
            room->offset2X = Milli(args.I32(0));
            room->offset2Y = Milli(args.I32(1));
        }
        return 1;
    case 1: {
        if (!args.Need(5)) return 1;
        const std::uint32_t length = args.U32(4);
        if (frames < length) {
            const float t = static_cast<float>(frames) / static_cast<float>(length);
            room->offset2X = Lerp(args.I32(0), args.I32(2), t);
            room->offset2Y = Lerp(args.I32(1), args.I32(3), t);
            return YieldThisFrame(engine);
        }
        room->offset2X = Milli(args.I32(2));
        room->offset2Y = Milli(args.I32(3));
        return 1;
    }
    case 2:
    case 3: {
        if (!args.Need(3)) return 1;
        float& value = mode == 2 ? room->offset2X : room->offset2Y;
        const std::uint32_t length = args.U32(2);
        if (frames < length) {
            value = Lerp(args.I32(0), args.I32(1), static_cast<float>(frames) / static_cast<float>(length));
            return YieldThisFrame(engine);
        }
        value = Milli(args.I32(1));
        return 1;
    }
    case 10:
    case 11:
        if (args.Need(2)) {
            (mode == 10 ? room->offset2X : room->offset2Y) =
                static_cast<float>(RandomBetween(args.I32(0), args.I32(1))) * kPerMille;
        }
        return 1;
    case 20:
    case 21: {
        if (!args.Need(3)) return 1;
        const float angle = static_cast<float>(args.I32(1)) * static_cast<float>(frames) * vesk::math::kFloatDegreesToRadians;
        (mode == 20 ? room->offset2X : room->offset2Y) = Milli(args.I32(0)) * std::sin(angle);
        return frames >= args.U32(2) ? 1 : YieldThisFrame(engine);
    }
    default:
        return 1;
    }
}

std::uint32_t PlaySound(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode != 0 || !args.Need(2)) return 1;
    const std::uint32_t sound = args.U32(0);
    const std::int32_t volume = args.I32(1);
    if (volume >= 1 && sound < kSoundEffectCount) {
        ship_world::PlaySoundEffect(sound, static_cast<float>(std::min(volume, kVolumeLimit)) * kPerMille);
    }
    return 1;
}

std::uint32_t RequestRemoval(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs&, std::uint16_t)
{
    GAME_CRoomBase* room = RoomOf(engine);
    if (room != nullptr && mode == 0) room->removeRequested = true;
    return 1;
}

std::uint32_t Fire(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CRoomBase* room = RoomOf(engine);
    if (room == nullptr || mode != 0 || !args.Need(2) || room->target == nullptr) return 1;
    AttackRecord attack;
    attack.power = static_cast<std::int32_t>(static_cast<float>(room->GetUpgradedOutput(0)) * Milli(args.I32(0)));
    attack.secondValue = kAttackSecondValue;
    attack.sound = args.U32(1) < kSoundEffectCount ? args.U32(1) : kSoundEffectCount;
    ApplyCrewAttackToEnemy(attack, room->target);
    return 1;
}

std::uint32_t Target(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CRoomBase* room = RoomOf(engine);
    if (room == nullptr || !args.Need(1)) return 1;
    const bool setConditions = args.I32(0) != 0;
    ScriptThread* thread = engine.RunningThread();
    if (mode != 0) {
        if (setConditions && thread != nullptr) thread->conditionAnd = 0;
        return 1;
    }
    const GAME_CShip* ship = ship_world::Ship();
    const GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    room->target = ship != nullptr && objects != nullptr ? objects->FindNearestEnemy(ship->routePosition) : nullptr;
    if (setConditions && thread != nullptr) {
        const std::uint32_t found = room->target != nullptr ? 1 : 0;
        thread->conditionAnd &= found;
        thread->conditionOr |= found;
    }
    return 1;
}

}  // namespace room_script_commands
