// The common command table: which slot runs which handler.
#include "framework/utility/script/common_table.h"

#include <array>

#include "framework/utility/script/common_handlers.h"

namespace vesk::utility::script {
namespace {

// Slots 0 to 2 stay empty: labels point at them.
std::array<ScriptHandler, kCommonTableSize> BuildCommonTable()
{
    std::array<ScriptHandler, kCommonTableSize> table{};
    table[3] = common::Return;
    table[4] = common::ExitBlock;
    table[5] = common::StartSubThread;
    table[6] = common::StopSubThread;
    table[10] = common::Jump;
    table[11] = common::Goto;
    table[12] = common::Call;
    table[13] = common::JumpKind3;
    table[20] = common::JumpIf;
    table[21] = common::GotoIf;
    table[22] = common::CallIf;
    table[23] = common::JumpIfKind3;
    table[30] = common::Wait;
    table[31] = common::Halt;
    table[32] = common::WaitForDecide;
    table[33] = common::RandomWait;
    table[40] = common::TestHeld;
    table[41] = common::TestPressed;
    table[42] = common::TestReleased;
    table[43] = common::TestRepeat;
    table[44] = common::TestStick;
    table[45] = common::TestLoopCounter;
    table[50] = common::PlayAnimation;
    table[51] = common::WaitAnimationEnd;
    table[52] = common::WaitAnimationFrame;
    table[53] = common::PlayAnimationBlend;
    table[54] = common::SetAnimationSet;
    table[55] = common::TargetCall10;
    table[56] = common::TargetCall9;
    table[60] = common::PlaySound;
    table[70] = common::SpawnEffect;
    table[71] = common::SendEffectParameter;
    table[80] = common::EffectPosition;
    table[81] = common::EffectRotation;
    table[82] = common::EffectScale;
    table[83] = common::EffectParameterValue;
    table[90] = common::SeedRandom;
    return table;
}

const std::array<ScriptHandler, kCommonTableSize> g_commonTable = BuildCommonTable();

}  // namespace

CommandTable GetCommonCommandTable()
{
    return CommandTable{g_commonTable.data(), kCommonTableSize};
}

}  // namespace vesk::utility::script
