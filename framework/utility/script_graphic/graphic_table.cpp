// The graphic command table: which slot runs which handler, and the random helpers the handlers share.
#include <algorithm>
#include <array>
#include <cstdint>

#include "framework/math/random.h"
#include "framework/utility/script_graphic/graphic_handlers.h"

namespace vesk::utility::script_graphic {

namespace graphic {

float RandomIn(float low, float high) { return math::RandFloat(high - low) + low; }

std::int32_t RandomIntIn(std::int32_t low, std::int32_t high)
{
    // Wide arithmetic: the span of two extreme values does not fit in 32 bits.
    const std::int64_t span = static_cast<std::int64_t>(high) - low + 1;
    const std::int64_t clamped = std::clamp<std::int64_t>(span, INT32_MIN, INT32_MAX);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(
        static_cast<std::int64_t>(low) + math::RandInt(static_cast<int>(clamped))));
}

}  // namespace graphic

namespace {

// The table is laid out in groups of five slots; empty slots are no-ops.
std::array<script::ScriptHandler, UTL_CScriptEngine::kTableSize> BuildGraphicTable()
{
    using namespace graphic;
    std::array<script::ScriptHandler, UTL_CScriptEngine::kTableSize> table{};
    table[0] = Sprite;
    table[1] = ChildScript;
    table[2] = RemoveChildren;
    table[5] = Lifetime;
    table[6] = Immortal;
    table[7] = Flip;
    table[10] = Origin;
    table[15] = Position;
    table[20] = PositionX;
    table[25] = PositionY;
    table[27] = MoveTo;
    table[30] = Velocity;
    table[35] = VelocityAdd;
    table[40] = Acceleration;
    table[45] = Scale;
    table[50] = ScaleAdd;
    table[55] = ScaleVelocity;
    table[60] = Rotation;
    table[65] = RotationVelocity;
    table[70] = Alpha;
    table[71] = AlphaVelocity;
    table[75] = Color;
    table[76] = ColorVelocity;
    table[80] = Red;
    table[81] = RedVelocity;
    table[85] = Green;
    table[86] = GreenVelocity;
    table[90] = Blue;
    table[91] = BlueVelocity;
    table[95] = Visible;
    table[96] = Priority;
    table[97] = BlendMode;
    table[100] = SelectGraphic;
    table[105] = InheritTransform;
    table[106] = InheritPriority;
    table[107] = InheritBlendMode;
    table[109] = InheritVisible;
    table[111] = InheritColor;
    table[112] = InheritAlpha;
    table[113] = OwnRotation;
    table[115] = SetVariable;
    table[116] = TestVariable;
    table[120] = SetPad;
    table[121] = TestPad;
    table[125] = OnHeld;
    table[126] = OnPressed;
    table[127] = OnReleased;
    table[128] = OnRepeat;
    table[129] = OnPointerNear;
    table[130] = InputLock;
    table[135] = KnockBack;
    return table;
}

const std::array<script::ScriptHandler, UTL_CScriptEngine::kTableSize> g_graphicTable = BuildGraphicTable();

}  // namespace

script::CommandTable GetGraphicCommandTable()
{
    return script::CommandTable{g_graphicTable.data(), UTL_CScriptEngine::kTableSize};
}

}  // namespace vesk::utility::script_graphic
