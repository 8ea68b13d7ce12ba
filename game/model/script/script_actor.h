// The actor script engine: runs a crew member's script on the crew member that embeds it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "game/model/script/script_object_engine.h"

class GAME_CObjectActor;

// The labels of the crew's script that a crew member asks, step by step, whether its script runs in.
enum class CrewStateLabel : std::uint8_t { kNoAction, kAction, kItemGet, kDeath };
inline constexpr std::size_t kCrewStateLabelCount = 4;

// Table 1 the actor table. The owner is the crew member that embeds the engine.
class GAME_CScriptActor final : public GAME_CScriptObjectEngine {
public:
    explicit GAME_CScriptActor(GAME_CObjectActor* actor);

    // Attaches the program (null: none) and finds where its state labels start, once: every crew member
    // asks about two of them each step, and finding a label by name walks the label table.
    void Attach(const vesk::utility::script_package::ProgramRecord* program);

    // IsInLabel of the state label's name.
    bool IsInStateLabel(CrewStateLabel label) const;

    // After a restart at an entry or label: period 1, counter 0, and the crew
    // member drawn again at its standard offset.
    void OnJump(int kind) override;

    GAME_CObjectActor* GetActor() const { return actor_; }

private:
    GAME_CObjectActor* actor_;
    // The program the starts were found in; one set another way is asked by name.
    const vesk::utility::script_package::ProgramRecord* stateLabelsOf_ = nullptr;
    std::array<std::optional<std::uint32_t>, kCrewStateLabelCount> stateLabelStarts_{};
};
