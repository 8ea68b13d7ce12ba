// What the game's object script engines share: their threads, their two command tables and their step period.
#pragma once

#include <string_view>

#include "framework/utility/script/script_engine.h"
#include "framework/utility/script_package/program_record.h"
#include "game/model/script/script_period.h"

// An engine that runs one object kind's script: table 0 the common table,
// table 1 the kind's own, ten threads of its own and a step period.
class GAME_CScriptObjectEngine : public vesk::utility::script::SYS_CScriptEngine {
public:
    // Clears the threads and points the engine at the two tables and the
    // program (null: none); the period starts over at 1.
    void AttachProgram(const vesk::utility::script_package::ProgramRecord* program);

    // Whether the main thread runs and was started at the label.
    bool IsInLabel(std::u16string_view label) const;
    // No program, or the main thread has stopped.
    bool IsStopped() const;

    // One step of the owner: the script runs at its period.
    void TickScript() { period_.Tick(*this); }
    ScriptPeriod& Period() { return period_; }

protected:
    explicit GAME_CScriptObjectEngine(vesk::utility::script::CommandTable ownTable);

private:
    vesk::utility::script::CommandTable ownTable_;
    vesk::utility::script::ScriptThreadBlock threads_;
    ScriptPeriod period_;
};
