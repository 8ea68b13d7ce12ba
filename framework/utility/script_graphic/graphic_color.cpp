// Colour bytes and colour steps of the graphic.
#include "framework/utility/script_graphic/graphic_handlers.h"

namespace vesk::utility::script_graphic::graphic {

namespace {

std::uint8_t LowByte(std::int32_t value) { return static_cast<std::uint8_t>(value); }

// Adds a signed amount, held within 0..255 like a colour step.
void AddClamped(std::uint8_t& channel, std::int32_t amount)
{
    const std::int64_t value = static_cast<std::int64_t>(channel) + amount;
    channel = static_cast<std::uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

// Byte modes: 0 set a0; 1 set a random integer in [a0, a1]; 2 add a0; 3 add a
// random integer in [a0, a1].
std::uint32_t ApplyByte(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args,
                        std::uint8_t math::Color::*channel)
{
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    if (graphic == nullptr) {
        return 1;
    }
    std::uint8_t& byte = graphic->local.color.*channel;
    switch (mode) {
    case 0:
        if (args.Need(1)) {
            byte = LowByte(args.I32(0));
        }
        break;
    case 1:
        if (args.Need(2)) {
            byte = LowByte(RandomIntIn(args.I32(0), args.I32(1)));
        }
        break;
    case 2:
        if (args.Need(1)) {
            AddClamped(byte, args.I32(0));
        }
        break;
    case 3:
        if (args.Need(2)) {
            AddClamped(byte, RandomIntIn(args.I32(0), args.I32(1)));
        }
        break;
    default:
        break;
    }
    return 1;
}

// Step modes: 0 a0; 1 a random integer in [a0, a1].
std::uint32_t ApplyStep(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::size_t channel)
{
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    if (graphic == nullptr) {
        return 1;
    }
    if (mode == 0 && args.Need(1)) {
        graphic->colorVelocity[channel] = args.I32(0);
    } else if (mode == 1 && args.Need(2)) {
        graphic->colorVelocity[channel] = RandomIntIn(args.I32(0), args.I32(1));
    }
    return 1;
}

constexpr std::size_t kRed = 0;
constexpr std::size_t kGreen = 1;
constexpr std::size_t kBlue = 2;
constexpr std::size_t kAlpha = 3;

}  // namespace

std::uint32_t Alpha(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    return ApplyByte(engine, mode, args, &math::Color::a);
}

std::uint32_t AlphaVelocity(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    return ApplyStep(engine, mode, args, kAlpha);
}

std::uint32_t Red(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    return ApplyByte(engine, mode, args, &math::Color::r);
}

std::uint32_t RedVelocity(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    return ApplyStep(engine, mode, args, kRed);
}

std::uint32_t Green(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    return ApplyByte(engine, mode, args, &math::Color::g);
}

std::uint32_t GreenVelocity(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    return ApplyStep(engine, mode, args, kGreen);
}

std::uint32_t Blue(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    return ApplyByte(engine, mode, args, &math::Color::b);
}

std::uint32_t BlueVelocity(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    return ApplyStep(engine, mode, args, kBlue);
}

std::uint32_t Color(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    if (graphic == nullptr) {
        return 1;
    }
    math::Color& color = graphic->local.color;
    std::uint8_t* channels[3] = {&color.r, &color.g, &color.b};
    switch (mode) {
    case 0:
        if (args.Need(3)) {
            for (std::size_t i = 0; i < 3; ++i) {
                *channels[i] = LowByte(args.I32(i));
            }
        }
        break;
    case 1:
        if (args.Need(6)) {
            for (std::size_t i = 0; i < 3; ++i) {
                *channels[i] = LowByte(RandomIntIn(args.I32(i), args.I32(i + 3)));
            }
        }
        break;
    case 2:
        if (args.Need(3)) {
            for (std::size_t i = 0; i < 3; ++i) {
                AddClamped(*channels[i], args.I32(i));
            }
        }
        break;
    case 3:
        if (args.Need(6)) {
            for (std::size_t i = 0; i < 3; ++i) {
                AddClamped(*channels[i], RandomIntIn(args.I32(i), args.I32(i + 3)));
            }
        }
        break;
    default:
        break;
    }
    return 1;
}

std::uint32_t ColorVelocity(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    if (graphic == nullptr) {
        return 1;
    }
    if (mode == 0 && args.Need(3)) {
        for (std::size_t i = 0; i < 3; ++i) {
            graphic->colorVelocity[i] = args.I32(i);
        }
    } else if (mode == 1 && args.Need(6)) {
        for (std::size_t i = 0; i < 3; ++i) {
            graphic->colorVelocity[i] = RandomIntIn(args.I32(i), args.I32(i + 3));
        }
    }
    return 1;
}

}  // namespace vesk::utility::script_graphic::graphic
