// The route script engine: its variables, candidate lists and the settings its commands keep.
#include "game/model/travel/script_route.h"

#include <algorithm>
#include <cstring>

#include "framework/utility/script/script_thread.h"
#include "game/model/world/game_world.h"

namespace {

// A name as the variables keep it: at most 31 characters, up to the first zero.
std::string_view KeptName(std::string_view name)
{
    name = name.substr(0, std::min(name.find('\0'), RouteVariable::kNameBytes - 1));
    return name;
}

}  // namespace

std::string_view RouteVariable::Name() const
{
    return std::string_view(name.data(), std::find(name.begin(), name.end() - 1, '\0') - name.begin());
}

GAME_CScriptRoute::GAME_CScriptRoute(GAME_CRouteManager* manager)
    : GAME_CScriptObjectEngine(GetRouteCommandTable()), manager_(manager)
{
}

void GAME_CScriptRoute::OnJump(int kind)
{
    if (kind == vesk::utility::script::kJumpRestart) fadeLayerMask = 3;
}

void GAME_CScriptRoute::DropQuestions()
{
    // Each close starts the window's slide out again: only a window a question holds is closed.
    if (questions.empty()) return;
    questions.clear();
    if (GAME_CGameWorld* world = PeekGameWorld(); world != nullptr && world->ui != nullptr) world->ui->CloseEventChoices();
}

bool GAME_CScriptRoute::IsRunning() const
{
    const vesk::utility::script::ScriptThreadBlock* threads = GetThreads();
    return threads != nullptr && threads->Main().running != 0;
}

RouteVariable* GAME_CScriptRoute::FindRouteVariable(std::string_view name)
{
    name = KeptName(name);
    if (name.empty()) return nullptr;
    for (RouteVariable& variable : variables_) {
        if (!variable.IsFree() && variable.Name() == name) return &variable;
    }
    return nullptr;
}

RouteVariable* GAME_CScriptRoute::GetOrCreateRouteVariable(std::string_view name)
{
    if (RouteVariable* found = FindRouteVariable(name)) return found;
    name = KeptName(name);
    if (name.empty()) return nullptr;
    for (RouteVariable& variable : variables_) {
        if (!variable.IsFree()) continue;
        variable = RouteVariable{};
        std::memcpy(variable.name.data(), name.data(), name.size());
        return &variable;
    }
    return nullptr;
}

void GAME_CScriptRoute::ClearRouteVariables(const std::string_view* name)
{
    if (name == nullptr) {
        variables_.fill(RouteVariable{});
        return;
    }
    if (RouteVariable* variable = FindRouteVariable(*name)) *variable = RouteVariable{};
}

void GAME_CScriptRoute::AddCandidate(int list, std::int32_t value, std::int32_t weight)
{
    if (list >= 0 && list < kCandidateListCount) candidates_[list].push_back({value, weight});
}

std::int32_t GAME_CScriptRoute::DrawCandidate(int list)
{
    if (list < 0 || list >= kCandidateListCount) return -1;
    std::vector<WeightedValue>& entries = candidates_[list];
    const std::int64_t drawn = PickWeightedIndex(entries);
    const std::int32_t value = drawn < 0 ? -1 : entries[static_cast<std::size_t>(drawn)].value;
    entries.clear();
    return value;
}

void ResetRouteEffectSettings(RouteEffectSettings& settings)
{
    std::u16string name = std::move(settings.objectName);
    settings = RouteEffectSettings{};
    settings.objectName = std::move(name);
}

void ResetNewCrewTemplate(NewCrewTemplate& crewTemplate) { crewTemplate = NewCrewTemplate{}; }
