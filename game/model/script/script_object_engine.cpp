// The shared set-up of the game's object script engines.
#include "game/model/script/script_object_engine.h"

#include "framework/utility/script/common_table.h"

GAME_CScriptObjectEngine::GAME_CScriptObjectEngine(vesk::utility::script::CommandTable ownTable)
    : ownTable_(ownTable)
{
    AttachProgram(nullptr);
}

void GAME_CScriptObjectEngine::AttachProgram(const vesk::utility::script_package::ProgramRecord* program)
{
    threads_.Clear();
    SetThreads(&threads_);
    SetCommandTable(0, vesk::utility::script::GetCommonCommandTable());
    SetCommandTable(1, ownTable_);
    SetProgram(program);
    period_ = ScriptPeriod{};
}

bool GAME_CScriptObjectEngine::IsInLabel(std::u16string_view label) const
{
    if (IsStopped()) return false;
    const std::optional<vesk::utility::script::ScriptLabel> found = FindLabel(label);
    return found.has_value() && found->commandIndex == threads_.Main().startIndex;
}

bool GAME_CScriptObjectEngine::IsStopped() const { return GetProgram() == nullptr || threads_.Main().running == 0; }
