// Animation commands of the common table: they drive the engine's target.
// Engines without a target skip them.
#include "framework/utility/script/common_handlers.h"
#include "framework/utility/script/script_services.h"

namespace vesk::utility::script::common {
namespace {

constexpr std::uint32_t kDefaultBlendKind = 5;
constexpr float kDefaultBlendTime = 0.3f;

AnimationHandle LookUpAnimation(SYS_CScriptTarget& target, std::uint32_t setSlot, std::uint32_t id)
{
    return GetScriptServices().FindAnimation(target.GetAnimationSetKey(setSlot), id);
}

std::uint32_t WaitThisFrame(SYS_CScriptEngine& engine)
{
    engine.RunningThread()->yield = 1;
    return 0;
}

}  // namespace

std::uint32_t PlayAnimation(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(3)) {
        return 0;
    }
    if (SYS_CScriptTarget* target = engine.CurrentTarget()) {
        target->PlayAnimation(LookUpAnimation(*target, args.U32(0), args.U32(1)), 0, args.U32(2) != 0, 0, 0.0f);
    }
    return 1;
}

std::uint32_t WaitAnimationEnd(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs&, std::uint16_t)
{
    SYS_CScriptTarget* target = engine.CurrentTarget();
    if (target == nullptr || target->IsAnimationEnd()) {
        return 1;
    }
    return WaitThisFrame(engine);
}

std::uint32_t WaitAnimationFrame(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs&, std::uint16_t frame)
{
    SYS_CScriptTarget* target = engine.CurrentTarget();
    if (target == nullptr || target->GetAnimationFrame() >= frame) {
        return 1;
    }
    return WaitThisFrame(engine);
}

std::uint32_t PlayAnimationBlend(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args,
                                 std::uint16_t)
{
    const std::size_t words = mode == 0 ? 6 : mode == 1 ? 3 : mode == 2 ? 4 : 0;
    if (!args.Need(words)) {
        return 0;
    }
    SYS_CScriptTarget* target = engine.CurrentTarget();
    if (target == nullptr || words == 0) {
        return 1;
    }
    const AnimationHandle animation = LookUpAnimation(*target, args.U32(0), args.U32(1));
    switch (mode) {
    case 0:
        target->PlayAnimation(animation, args.U32(2), args.U32(3) != 0, args.U32(4), args.F32(5));
        break;
    case 1:
        target->PlayAnimation(animation, 0, args.U32(2) != 0, kDefaultBlendKind, kDefaultBlendTime);
        break;
    case 2:
        target->PlayAnimation(animation, args.U32(2), args.U32(3) != 0, kDefaultBlendKind, kDefaultBlendTime);
        break;
    }
    return 1;
}

std::uint32_t SetAnimationSet(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(2)) {
        return 0;
    }
    if (SYS_CScriptTarget* target = engine.CurrentTarget()) {
        target->SetAnimationSetKey(args.U32(0), args.U32(1));
    }
    return 1;
}

std::uint32_t TargetCall10(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(1)) {
        return 0;
    }
    if (SYS_CScriptTarget* target = engine.CurrentTarget()) {
        target->ScriptCall10(args.U32(0));
    }
    return 1;
}

std::uint32_t TargetCall9(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(1)) {
        return 0;
    }
    if (SYS_CScriptTarget* target = engine.CurrentTarget()) {
        target->ScriptCall9(args.U32(0));
    }
    return 1;
}

}  // namespace vesk::utility::script::common
