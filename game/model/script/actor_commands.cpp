// Handlers of the actor command table.
#include "game/model/script/actor_commands.h"

#include <algorithm>
#include <array>

#include "framework/graphics/sprite_registry.h"
#include "game/model/script/script_actor.h"
#include "game/services/sound/sound_player.h"
#include "game/model/object/object_actor.h"

namespace {

using vesk::utility::script::ScriptArgs;
using vesk::utility::script::ScriptHandler;
using vesk::utility::script::SYS_CScriptEngine;

constexpr std::uint32_t kActorTableSize = 40;
constexpr int kUiSpriteGroup = 2;
constexpr std::int32_t kMaxVolumePerMille = 1000;

GAME_CObjectActor* ActorOf(SYS_CScriptEngine& engine) { return static_cast<GAME_CScriptActor&>(engine).GetActor(); }

// Slot 10: the frame (a sprite of group 2) and the size it is drawn at on the field.
std::uint32_t SetFrame(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    GAME_CObjectActor* actor = ActorOf(engine);
    if (actor == nullptr || !args.Need(3)) return 1;
    actor->spriteIndex = args.I32(0);
    // A missing sprite or one without size leaves the scale as it is.
    const vesk::resource::SYS_CTexture* sprite = vesk::resource::GetSpriteAt(kUiSpriteGroup, actor->spriteIndex);
    if (sprite == nullptr) return 1;
    if (sprite->GetWidth() > 0) actor->displayScaleX = static_cast<float>(args.U32(1)) / static_cast<float>(sprite->GetWidth());
    if (sprite->GetHeight() > 0) {
        actor->displayScaleY = static_cast<float>(args.U32(2)) / static_cast<float>(sprite->GetHeight());
    }
    return 1;
}

// Slot 11: the crew member's scale pair, set, moved or multiplied at once or over frames.
std::uint32_t ScalePair(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CObjectActor* actor = ActorOf(engine);
    if (actor == nullptr) return 1;
    switch (mode) {
    case 0:
    case 1:
    case 2:
        if (!args.Need(2)) return 1;
        if (mode == 0) {
            actor->scaleX = args.F32(0);
            actor->scaleY = args.F32(1);
        } else if (mode == 1) {
            actor->scaleX += args.F32(0);
            actor->scaleY += args.F32(1);
        } else {
            actor->scaleX *= args.F32(0);
            actor->scaleY *= args.F32(1);
        }
        return 1;
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
        return 1;
    default:
        break;
    }
    if (!args.Need(3) || FramesOnCommand(engine) >= args.U32(2)) return 1;
    if (mode == 10) {
        actor->scaleX += args.F32(0);
        actor->scaleY += args.F32(1);
    } else if (mode == 11) {
        actor->scaleX *= args.F32(0);
        actor->scaleY *= args.F32(1);
    }
    return YieldThisFrame(engine);
}

// Slot 12: the progress value, at most 1, and the stats computed anew.
std::uint32_t SetProgress(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CObjectActor* actor = ActorOf(engine);
    if (actor == nullptr || mode != 0 || !args.Need(1)) return 1;
    actor->status.progress = std::min(args.I32(0), 1);
    actor->status.Recalc();
    return 1;
}

// Slot 21: whether the crew member is drawn.
std::uint32_t SetVisible(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CObjectActor* actor = ActorOf(engine);
    if (actor != nullptr && mode == 0 && args.Need(1)) actor->SetVisible(args.I32(0) != 0);
    return 1;
}

// Slot 22: where a load is drawn, moved from one point to another over frames.
std::uint32_t MoveCarryOffset(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CObjectActor* actor = ActorOf(engine);
    if (actor == nullptr || mode != 0 || !args.Need(3)) return 1;
    const auto low = [](std::uint32_t word) { return static_cast<float>(static_cast<std::int16_t>(word & 0xFFFF)); };
    const auto high = [](std::uint32_t word) { return static_cast<float>(static_cast<std::int16_t>(word >> 16)); };
    const vesk::math::Vec2 from{low(args.U32(0)), high(args.U32(0))};
    const vesk::math::Vec2 to{low(args.U32(1)), high(args.U32(1))};
    const std::uint32_t frames = args.U32(2);
    const std::uint32_t done = FramesOnCommand(engine);
    if (done >= frames) {
        actor->SetDrawOffset(to);
        return 1;
    }
    const float t = static_cast<float>(done) / static_cast<float>(frames);
    actor->SetDrawOffset({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
    return YieldThisFrame(engine);
}

// Slot 30: the crew member's AI runs from now on.
std::uint32_t EnableAI(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs&, std::uint16_t)
{
    GAME_CObjectActor* actor = ActorOf(engine);
    if (actor != nullptr && mode == 0) actor->aiEnabled = 1;
    return 1;
}

constexpr auto kActorHandlers = [] {
    std::array<ScriptHandler, kActorTableSize> handlers{};
    handlers[10] = SetFrame;
    handlers[11] = ScalePair;
    handlers[12] = SetProgress;
    handlers[20] = SetPeriodCommand<GAME_CScriptActor>;
    handlers[21] = SetVisible;
    handlers[22] = MoveCarryOffset;
    handlers[23] = PlaySoundEffectCommand;
    handlers[30] = EnableAI;
    return handlers;
}();

}  // namespace

std::uint32_t PlaySoundEffectCommand(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode != 0 || !args.Need(2)) return 1;
    const std::uint32_t sound = args.U32(0);
    if (sound >= kSoundEffectCount) return 1;
    const float volume = static_cast<float>(std::clamp(args.I32(1), 0, kMaxVolumePerMille)) * 0.001f;
    if (GAME_CSoundPlayer* player = GetSoundPlayer()) player->PlaySE(sound, volume);
    return 1;
}

vesk::utility::script::CommandTable GetActorCommandTable() { return {kActorHandlers.data(), kActorTableSize}; }
