// Lifetime, flips, origin, drawing state and inheritance flags of the graphic.
#include "framework/graphics/texture.h"
#include "framework/utility/script_graphic/graphic_handlers.h"

namespace vesk::utility::script_graphic::graphic {

namespace {

std::uint32_t SetGraphicFlag(SYS_CScriptEngine& engine, const ScriptArgs& args, std::uint32_t mask)
{
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    if (graphic != nullptr && args.Need(1)) {
        graphic->SetFlags(mask, args.U32(0) != 0);
    }
    return 1;
}

// A word of the graphic's local transform set from a0.
std::uint32_t SetLocalWord(SYS_CScriptEngine& engine, const ScriptArgs& args,
                           std::uint32_t draw_unit::UTL_STransform2::*field)
{
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    if (graphic != nullptr && args.Need(1)) {
        graphic->local.*field = args.U32(0);
    }
    return 1;
}

}  // namespace

std::uint32_t Lifetime(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    if (graphic == nullptr) {
        return 1;
    }
    switch (mode) {
    case 0:
        if (!args.Need(1)) {
            return 1;
        }
        graphic->lifetime = args.U32(0);
        break;
    case 1:
        if (!args.Need(2)) {
            return 1;
        }
        graphic->lifetime = static_cast<std::uint32_t>(RandomIntIn(args.I32(0), args.I32(1)));
        break;
    case 2:
        if (!args.Need(1)) {
            return 1;
        }
        graphic->lifetime = graphic->age + args.U32(0);
        break;
    default:
        return 1;
    }
    graphic->SetFlags(draw_unit::kImmortal, false);
    return 1;
}

std::uint32_t Immortal(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return SetGraphicFlag(engine, args, draw_unit::kImmortal);
}

std::uint32_t Flip(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    if (graphic == nullptr || !args.Need(1)) {
        return 1;
    }
    // The word as given: world flips are the XOR of the words along the parent chain.
    const std::uint32_t flip = args.U32(0);
    if (mode == 0) {
        graphic->local.flipX = flip;
    } else if (mode == 1) {
        graphic->local.flipY = flip;
    }
    return 1;
}

std::uint32_t Origin(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    if (graphic == nullptr || !args.Need(2)) {
        return 1;
    }
    if (mode == 0) {
        graphic->origin = {args.F32(0), args.F32(1)};
    } else if (mode == 1 && graphic->GetObjectKind() == kObjectSprite) {
        // In units of the sprite's size.
        if (const resource::SYS_CTexture* sprite = static_cast<UTL_CObjectSprite*>(graphic)->GetSprite()) {
            graphic->origin = {args.F32(0) * static_cast<float>(sprite->GetWidth()),
                               args.F32(1) * static_cast<float>(sprite->GetHeight())};
        }
    }
    return 1;
}

std::uint32_t Visible(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return SetLocalWord(engine, args, &draw_unit::UTL_STransform2::visible);
}

std::uint32_t Priority(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return SetLocalWord(engine, args, &draw_unit::UTL_STransform2::priority);
}

std::uint32_t BlendMode(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return SetLocalWord(engine, args, &draw_unit::UTL_STransform2::blendMode);
}

std::uint32_t InheritTransform(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return SetGraphicFlag(engine, args, draw_unit::kInheritTransform);
}

std::uint32_t InheritPriority(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return SetGraphicFlag(engine, args, draw_unit::kInheritPriority);
}

std::uint32_t InheritBlendMode(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return SetGraphicFlag(engine, args, draw_unit::kInheritBlendMode);
}

std::uint32_t InheritVisible(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return SetGraphicFlag(engine, args, draw_unit::kInheritVisible);
}

std::uint32_t InheritColor(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return SetGraphicFlag(engine, args, draw_unit::kInheritColor);
}

std::uint32_t InheritAlpha(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return SetGraphicFlag(engine, args, draw_unit::kInheritAlpha);
}

std::uint32_t OwnRotation(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return SetGraphicFlag(engine, args, draw_unit::kOwnRotation);
}

}  // namespace vesk::utility::script_graphic::graphic
