// The actor script engine.
#include "game/model/script/script_actor.h"

#include <string_view>

#include "game/model/script/actor_commands.h"
#include "game/model/object/object_actor.h"

namespace {

constexpr std::array<std::u16string_view, kCrewStateLabelCount> kStateLabelNames = {
    actor_label::kNoAction, actor_label::kAction, actor_label::kItemGet, actor_label::kDeath};

}  // namespace

GAME_CScriptActor::GAME_CScriptActor(GAME_CObjectActor* actor)
    : GAME_CScriptObjectEngine(GetActorCommandTable()), actor_(actor)
{
}

void GAME_CScriptActor::Attach(const vesk::utility::script_package::ProgramRecord* program)
{
    AttachProgram(program);
    stateLabelsOf_ = program;
    for (std::size_t i = 0; i < kCrewStateLabelCount; ++i) {
        const std::optional<vesk::utility::script::ScriptLabel> found = FindLabel(kStateLabelNames[i]);
        stateLabelStarts_[i] = found ? std::optional<std::uint32_t>(found->commandIndex) : std::nullopt;
    }
}

bool GAME_CScriptActor::IsInStateLabel(CrewStateLabel label) const
{
    const auto index = static_cast<std::size_t>(label);
    if (GetProgram() != stateLabelsOf_) return IsInLabel(kStateLabelNames[index]);
    if (IsStopped()) return false;
    const std::optional<std::uint32_t>& start = stateLabelStarts_[index];
    return start.has_value() && *start == GetThreads()->Main().startIndex;
}

void GAME_CScriptActor::OnJump(int kind)
{
    if (kind != vesk::utility::script::kJumpRestart) {
        return;
    }
    Period().Set(1);
    if (actor_ != nullptr) {
        actor_->SetDrawOffset({0.0f, GAME_CObjectActor::kStandardDrawOffsetY});
        actor_->SetVisible(true);
    }
}
