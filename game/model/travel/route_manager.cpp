// The route manager: building a route, moving along it, its script frames, the stall watch and the route save block.
#include "game/model/travel/route_manager.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "framework/log/log.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/script/script_package.h"
#include "game/model/travel/route_save_block.h"
#include "game/model/world/game_over_causes.h"
#include "game/model/world/game_world.h"
#include "platform/little_endian.h"

namespace {

constexpr std::int32_t kAccumulatorUnit = 1000;
// The clock raises an accumulator no further than its road's maximum, a few thousand; a saved value
// beyond this is damage, and would otherwise make millions of calls as the road starts.
constexpr std::int32_t kMaxSavedAccumulator = 100 * kAccumulatorUnit;

const GAME_CScriptPackage* RoutePackage()
{
    const GAME_CScriptPackageHolder* holder = GetScriptPackages();
    return holder != nullptr ? holder->Get(kScriptPackageRoute) : nullptr;
}

const vesk::utility::script_package::ProgramRecord* FindRouteProgram(std::uint32_t routeId)
{
    const GAME_CScriptPackage* package = RoutePackage();
    if (package == nullptr) return nullptr;
    for (std::uint32_t i = 0; i < package->GetEntryCount(); ++i) {
        const auto& entry = package->GetEntry(i);
        if (entry.id == routeId && !entry.program.IsEmpty()) return &entry.program;
    }
    return nullptr;
}

// A saved background-object list counts as empty when its first entry has id -1, id 0 with a
// position of 0 or less, or a depth of 0.
bool IsObjectListEmpty(std::span<const std::uint8_t> objects)
{
    if (objects.size() < 12) return true;
    const std::int32_t id = platform::ReadI32(objects, 0);
    const std::int32_t position = platform::ReadI32(objects, 4);
    const std::int32_t depth = platform::ReadI32(objects, 8);
    return id == -1 || (id == 0 && position <= 0) || depth == 0;
}

}  // namespace

GAME_CRouteManager::GAME_CRouteManager() : script_(this) {}

GAME_CRouteManager::~GAME_CRouteManager() = default;

void GAME_CRouteManager::BeginRegistration(std::uint32_t routeId,
                                           const vesk::utility::script_package::ProgramRecord* program)
{
    routeId_ = routeId;
    script_.Attach(program);
}

void GAME_CRouteManager::FinishRegistration()
{
    script_.Attach(nullptr);
    routeId_ = kNoId;
}

void GAME_CRouteManager::BindScript(std::uint32_t routeId, bool keepVariables)
{
    // Attaching clears every thread: nothing runs until a label is jumped to.
    script_.Attach(FindRouteProgram(routeId));
    if (!keepVariables) script_.ClearRouteVariables();
    const std::optional<vesk::utility::script::ScriptLabel> label = script_.FindLabel(kRouteCreationLabel);
    creationLabel_ = label ? label->commandIndex : 0xFFFFFFFF;
}

bool GAME_CRouteManager::IsInCreationLabel() const
{
    const vesk::utility::script::ScriptThreadBlock* threads = script_.GetThreads();
    return creationLabel_ != 0xFFFFFFFF && threads != nullptr && threads->Main().running != 0 &&
           threads->Main().startIndex == creationLabel_;
}

void GAME_CRouteManager::SetEnds(std::uint32_t departure, std::uint32_t destination)
{
    departure_ = departure;
    destination_ = destination;
}

bool GAME_CRouteManager::IsForward() const { return record_ != nullptr && destination_ == record_->endLocation; }

std::int64_t GAME_CRouteManager::RecordDistance(std::int64_t position) const
{
    return IsForward() ? position : std::int64_t{length_} - position;
}

void GAME_CRouteManager::SetPosition(std::int64_t position)
{
    position_ = static_cast<std::int32_t>(std::clamp<std::int64_t>(position, 0, length_));
}

void GAME_CRouteManager::RunCreationLabel()
{
    // Without the label the frame finds nothing to run: the threads were cleared when the script was bound.
    script_.JumpToLabel(kRouteCreationLabel);
    script_.Update();
}

void GAME_CRouteManager::RestoreVariables(std::span<const std::uint8_t> block)
{
    auto& variables = script_.Variables();
    for (int i = 0; i < route_block::kVariableCount; ++i) {
        const std::size_t at = route_block::kVariables + static_cast<std::size_t>(i) * route_block::kVariableSize;
        RouteVariable variable;
        std::memcpy(variable.name.data(), block.data() + at, route_block::kVariableNameBytes);
        variable.name.back() = '\0';
        variable.value = platform::ReadI32(block, at + route_block::kVariableNameBytes);
        if (variable.IsFree()) variable = RouteVariable{};
        variables[static_cast<std::size_t>(i)] = variable;
    }
    for (int i = 0; i < route_block::kScriptWordCount; ++i) {
        const std::int32_t word = platform::ReadI32(block, route_block::kScriptWords + static_cast<std::size_t>(i) * 4);
        script_.scriptWords[static_cast<std::size_t>(i)] = word == 0 ? -1 : word;
    }
}

bool GAME_CRouteManager::BuildRoute(const std::uint32_t* routeId, std::span<std::uint8_t> savedBlock,
                                    std::span<const std::uint8_t> savedObjects, bool sameRoute)
{
    startRoute_ = 0;
    if (routeId == nullptr || *routeId == kNoId) return false;
    if (!savedBlock.empty() && savedBlock.size() < route_block::kSize) {
        vesk::log::Warning("route " + std::to_string(*routeId) + ": the saved route block is short; it is not used");
        savedBlock = {};
    }
    // On the same route the variables the travel controller carried over stay.
    BindScript(*routeId, sameRoute);
    routeId_ = *routeId;
    request_ = RouteRequest{};
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    record_ = database != nullptr ? database->FindRouteData(routeId_) : nullptr;
    if (record_ == nullptr) return false;

    halted_ = 0;
    events_ = std::make_unique<RouteEventList>();
    GAME_CGameWorld* world = PeekGameWorld();
    if (!savedBlock.empty()) {
        SetPosition(platform::ReadI32(savedBlock, route_block::kPosition));
        if (world != nullptr && world->background) world->background->SetLastSeenPosition(position_);
        RestoreVariables(savedBlock);
        RestoreRouteEvents(*events_, savedBlock);
        if (IsObjectListEmpty(savedObjects)) RunCreationLabel();
    } else {
        const bool mayFill = world == nullptr || world->travel == nullptr || world->travel->CanSpawnOnRoute();
        if (!sameRoute && mayFill) FillRouteEventsFromRecord(*events_, *record_);
        RunCreationLabel();
    }
    SpendAccumulators(savedBlock.empty() ? route_block::Working() : savedBlock);
    stallCounter_ = 0;
    return true;
}

void GAME_CRouteManager::SpendAccumulators(std::span<std::uint8_t> block)
{
    std::int32_t position = -1;
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr || block.size() < route_block::kSize) return;
    database->FindRouteDataIndexed(routeId_, &position);
    if (position < 0 || position >= route_block::kRouteRecordCount) return;
    std::span<std::uint8_t> record =
        block.subspan(route_block::RouteRecord(static_cast<std::size_t>(position)), route_block::kRouteRecordSize);
    SpendAccumulator(record, route_block::kFirstAccumulator, record_->firstLabels);
    SpendAccumulator(record, route_block::kSecondAccumulator, record_->secondLabels);
}

void GAME_CRouteManager::SpendAccumulator(std::span<std::uint8_t> record, std::size_t offset,
                                          std::span<const RouteWeightedLabel> labels)
{
    std::vector<WeightedValue> entries;
    entries.reserve(labels.size());
    for (const RouteWeightedLabel& label : labels) entries.push_back({static_cast<std::int32_t>(label.label), label.weight});
    std::int32_t accumulator = platform::ReadI32(record, offset);
    if (accumulator > kMaxSavedAccumulator) {
        vesk::log::Warning("save data: route " + std::to_string(routeId_) + " has a random-call accumulator of " +
                           std::to_string(accumulator) + "; " + std::to_string(kMaxSavedAccumulator) + " is taken");
        accumulator = kMaxSavedAccumulator;
    }
    while (accumulator >= kAccumulatorUnit) {
        const std::int64_t drawn = PickWeightedIndex(entries);
        if (drawn < 0) return;  // nothing to place: the accumulator stays
        script_.Call(static_cast<std::uint32_t>(entries[static_cast<std::size_t>(drawn)].value));
        script_.Update();
        accumulator -= kAccumulatorUnit;
    }
    platform::WriteI32(record, offset, std::max(accumulator, 0));
}

bool GAME_CRouteManager::LoadStartRoute()
{
    startRoute_ = 0;
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr) return false;
    const StartRouteEntry& entry = database->StartRoute();
    if (entry.routeId == kNoId || entry.commandIndex == kNoId) return false;
    BindScript(entry.routeId, false);
    routeId_ = entry.routeId;
    request_ = RouteRequest{};
    record_ = database->FindRouteData(routeId_);
    script_.Restart(entry.commandIndex);
    script_.OnJump(vesk::utility::script::kJumpRestart);
    length_ = kStartRouteLength;
    events_.reset();
    if (GAME_CGameWorld* world = PeekGameWorld(); world != nullptr && world->ui) world->ui->SetOpen(kSlotEvent, true);
    stallCounter_ = 0;
    startRoute_ = 1;
    return true;
}

std::int32_t GAME_CRouteManager::Move(float distance)
{
    if (halted_ != 0) return position_;
    if (!std::isfinite(distance)) distance = 0.0f;
    fraction_ += distance;
    const double whole = std::trunc(static_cast<double>(fraction_));
    fraction_ -= static_cast<float>(whole);
    const std::int64_t oldPosition = position_;
    // Far moves stop at the ends: no unit past them holds an event, and the walk stays bounded.
    const std::int64_t newPosition =
        std::clamp<std::int64_t>(oldPosition + static_cast<std::int64_t>(std::clamp(whole, -4.0e18, 4.0e18)), 0, length_);
    GAME_CGameWorld* world = PeekGameWorld();
    if (newPosition != oldPosition) {
        stallCounter_ = 0;
        const std::int64_t step = newPosition > oldPosition ? 1 : -1;
        for (std::int64_t unit = oldPosition; unit != newPosition && events_ != nullptr; unit += step) {
            const std::int64_t distanceOnRecord = RecordDistance(unit);
            const std::int32_t label = FindRouteEventAt(*events_, static_cast<std::int32_t>(
                                                                      std::clamp<std::int64_t>(distanceOnRecord, INT32_MIN, INT32_MAX)));
            if (label == -1) continue;
            // An event met while others still run keeps the speed from before them: theirs may
            // already have put the game to the first speed, which is not the player's.
            const bool eventsUnderWay = script_.IsRunning();
            script_.Call(static_cast<std::uint32_t>(label));
            if (!eventsUnderWay && world != nullptr && world->timeScale) savedSpeed_ = world->timeScale->speed;
            break;
        }
        const GAME_CStaticDatabase* database = GetStaticDatabase();
        if ((newPosition == 0 || newPosition >= length_) && database != nullptr && !database->MarkedIds().empty() &&
            world != nullptr && world->fieldObjects && !world->fieldObjects->crew.empty()) {
            world->fieldObjects->ShowRandomCrewBalloons(database->MarkedIds(),
                                                        static_cast<std::int32_t>(world->fieldObjects->crew.size()));
        }
    }
    stallCounter_ = 0;
    position_ = static_cast<std::int32_t>(newPosition);
    return position_;
}

void GAME_CRouteManager::RunScript()
{
    script_.Update();
    const std::int32_t running = script_.IsRunning() ? 1 : 0;
    const GAME_CPlayerData* player = GetPlayerData();
    GAME_CGameWorld* world = PeekGameWorld();
    if (running != lastRunState_ && player != nullptr && player->option36 == 0 && world != nullptr && world->timeScale) {
        if (std::find(player->speeds.begin(), player->speeds.end(), savedSpeed_) != player->speeds.end()) {
            world->timeScale->speed = savedSpeed_;
        }
    }
    lastRunState_ = running;
}

void GAME_CRouteManager::CountStall()
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (script_.IsRunning() || (world != nullptr && world->inputBlocked != 0)) {
        stallCounter_ = 0;
        return;
    }
    ++stallCounter_;
    const GAME_CPlayerData* player = GetPlayerData();
    const bool hasFuel = world != nullptr && world->ship && world->ship->fuel > 0;
    std::int64_t limit = 0;
    if (hasFuel) {
        const std::int32_t recordLimit = record_ != nullptr ? record_->stallLimits[1] : 0;
        limit = recordLimit >= 1 ? recordLimit : (player != nullptr ? player->constant7200 : 7200);
    } else {
        const std::int32_t recordLimit = record_ != nullptr ? record_->stallLimits[0] : 0;
        limit = recordLimit > 0 ? recordLimit : (player != nullptr ? player->constant840 : 840);
    }
    if (stallCounter_ == limit && world != nullptr && world->ui) {
        world->ui->SetOpen(kSlotGameOver, true);
        world->ui->SetGameOverCause(kGameOverCauseStalled);
    }
}

void GAME_CRouteManager::WriteSaveBlock(std::span<std::uint8_t> slot) const
{
    if (slot.size() < save_layout::slot::kTravel + route_block::kSize) return;
    std::span<std::uint8_t> block = slot.subspan(save_layout::slot::kTravel, route_block::kSize);
    platform::WriteU32(block, route_block::kRouteId, routeId_);
    const bool reversed = record_ != nullptr && destination_ != record_->endLocation;
    platform::WriteU32(block, route_block::kReversed, reversed ? 1 : 0);
    platform::WriteU32(block, route_block::kDirection, 0);
    platform::WriteI32(block, route_block::kPosition, position_);

    std::memset(block.data() + route_block::kVariables, 0, route_block::kVariableCount * route_block::kVariableSize);
    const auto& variables = script_.Variables();
    for (int i = 0; i < route_block::kVariableCount; ++i) {
        const std::size_t at = route_block::kVariables + static_cast<std::size_t>(i) * route_block::kVariableSize;
        const RouteVariable& variable = variables[static_cast<std::size_t>(i)];
        const std::string_view name = variable.Name();
        std::memcpy(block.data() + at, name.data(), name.size());
        platform::WriteI32(block, at + route_block::kVariableNameBytes, variable.value);
    }
    for (int i = 0; i < route_block::kScriptWordCount; ++i) {
        platform::WriteI32(block, route_block::kScriptWords + static_cast<std::size_t>(i) * 4,
                           script_.scriptWords[static_cast<std::size_t>(i)]);
    }

    std::memset(block.data() + route_block::kFixedEvents, 0xFF, route_block::kFixedEventCount * route_block::kFixedEventSize);
    std::memset(block.data() + route_block::kRandomEvents, 0xFF,
                route_block::kRandomEventCount * route_block::kRandomEventSize);
    if (events_ == nullptr) return;
    std::size_t written = 0;
    for (const auto& event : events_->fixedEvents) {
        if (event == nullptr || written >= route_block::kFixedEventCount) continue;
        const std::size_t at = route_block::kFixedEvents + written++ * route_block::kFixedEventSize;
        platform::WriteI32(block, at, event->GetLabel());
        platform::WriteI32(block, at + 4, event->GetFrom());
        platform::WriteI32(block, at + 8, event->GetTo());
    }
    written = 0;
    for (const auto& event : events_->randomEvents) {
        if (event == nullptr || written >= route_block::kRandomEventCount) continue;
        const std::size_t at = route_block::kRandomEvents + written++ * route_block::kRandomEventSize;
        platform::WriteI32(block, at, event->GetLabel());
        platform::WriteI32(block, at + 4, event->GetFrom());
        platform::WriteI32(block, at + 8, event->GetTo());
        platform::WriteI32(block, at + 12, event->GetWeight());
    }
}

std::int32_t GAME_CRouteManager::GetRouteRecordValue() const
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    std::span<std::uint8_t> block = route_block::Working();
    std::int32_t position = -1;
    if (database == nullptr || block.empty() || database->FindRouteDataIndexed(routeId_, &position) == nullptr ||
        position < 0 || position >= route_block::kRouteRecordCount) {
        return 0;
    }
    return platform::ReadU16(block, route_block::RouteRecord(static_cast<std::size_t>(position)) + route_block::kScanLevel);
}

void GAME_CRouteManager::ReleaseEvents() { events_.reset(); }
