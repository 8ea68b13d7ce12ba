// The route script engine: runs a route's script for the route manager, with its variables, candidate lists and settings.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/model/script/script_object_engine.h"
#include "game/model/travel/route_random.h"

class GAME_CRouteManager;
class GAME_CObjectActor;
class GAME_CRoomBase;

// A named value of the route script; an empty name marks a free slot.
struct RouteVariable {
    static constexpr std::size_t kNameBytes = 32;  // with its terminating zero
    std::array<char, kNameBytes> name{};
    std::int32_t value = 0;

    std::string_view Name() const;
    bool IsFree() const { return name[0] == '\0'; }
};

// Where, how large and how turned the next particle effect of the route script stands.
struct RouteEffectSettings {
    std::u16string objectName;  // no route command sets it
    float x = 0.0f;
    float y = 0.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float rotation = 0.0f;
};

// What the next crew member a route script recruits is given: ids -1 for none, caps in whole units.
struct NewCrewTemplate {
    static constexpr std::int32_t kNoCap = 10000000;
    std::int32_t skillId = -1;
    std::int32_t buffIds[2] = {-1, -1};
    std::int32_t debuffIds[2] = {-1, -1};
    std::int32_t hpCap = kNoCap;
    std::int32_t staminaCap = kNoCap;
    std::int32_t calorieCap = kNoCap;
};

// A question an event asks in the choice window: its words, where each answer goes on in the script
// (-1: after the wait), and the return-stack depth of the event that waits for it.
struct RouteQuestion {
    std::u16string title;
    std::array<std::u16string, 3> choices;
    std::array<std::int32_t, 3> targets{-1, -1, -1};
    std::uint32_t depth = 0;
    bool shown = true;  // the choice window shows it; an inner question asked over it hides it
};

// Table 0 the common table, table 1 the route table. The owner is the route manager.
class GAME_CScriptRoute final : public GAME_CScriptObjectEngine {
public:
    static constexpr int kVariableCount = 32;
    static constexpr int kScriptWordCount = 6;
    static constexpr int kCandidateListCount = 4;
    // Candidate lists: drop items, enemies, weighted jumps, background sprites.
    enum CandidateList : int { kDropItemList = 0, kEnemyList = 1, kJumpList = 2, kSpriteList = 3 };

    explicit GAME_CScriptRoute(GAME_CRouteManager* manager);

    void Attach(const vesk::utility::script_package::ProgramRecord* program) { AttachProgram(program); }
    // A restart drives both fade layers again.
    void OnJump(int kind) override;

    GAME_CRouteManager* GetManager() const { return manager_; }
    // The main thread runs a script.
    bool IsRunning() const;

    // --- route variables
    // The variable of exactly that name (at most 31 characters count); null when absent.
    RouteVariable* FindRouteVariable(std::string_view name);
    // As find; when absent the first free slot takes the name with the value 0; null when all 32
    // hold other names.
    RouteVariable* GetOrCreateRouteVariable(std::string_view name);
    // Empties the slot of that name; all of them when the name is null.
    void ClearRouteVariables(const std::string_view* name = nullptr);
    std::array<RouteVariable, kVariableCount>& Variables() { return variables_; }
    const std::array<RouteVariable, kVariableCount>& Variables() const { return variables_; }

    // --- weighted candidate lists: a draw takes one value by weight and empties the list
    void AddCandidate(int list, std::int32_t value, std::int32_t weight);
    // -1 when the list is empty or its weights add up to 0 or less.
    std::int32_t DrawCandidate(int list);

    std::array<std::int32_t, kScriptWordCount> scriptWords{-1, -1, -1, -1, -1, -1};
    std::uint32_t fadeLayerMask = 3;  // bit 0 and bit 1: the fade layers the fade command drives
    RouteEffectSettings effectSettings;
    NewCrewTemplate newCrew;
    // What the crew and damage commands act on; checked against the live lists before each use.
    GAME_CObjectActor* selectedActor = nullptr;
    GAME_CRoomBase* selectedRoom = nullptr;
    // The questions asked and not yet answered, innermost last: an event met while another one's
    // question waits asks its own over it, and the outer one is asked again once the inner is answered.
    std::vector<RouteQuestion> questions;
    // Forgets the questions and closes the choice window: no event waits for an answer any more.
    void DropQuestions();
    // The return-stack depth of the event that opened the event window; -1 while no event holds it.
    // An event met inside it finds the window open and leaves it open at its end.
    std::int32_t eventWindowDepth = -1;

private:
    GAME_CRouteManager* manager_;
    std::array<RouteVariable, kVariableCount> variables_{};
    std::array<std::vector<WeightedValue>, kCandidateListCount> candidates_{};
};

void ResetRouteEffectSettings(RouteEffectSettings& settings);
void ResetNewCrewTemplate(NewCrewTemplate& crewTemplate);

// The route table: 61 slots.
vesk::utility::script::CommandTable GetRouteCommandTable();
