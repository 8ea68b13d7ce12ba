// The route manager: one route being travelled, its position, events and script, and the route save block.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "framework/memory/heaps.h"
#include "framework/utility/script_package/program_record.h"
#include "game/services/data/record_entries.h"
#include "game/model/travel/route_event.h"
#include "game/model/travel/script_route.h"

struct RouteData;
struct RouteWeightedLabel;

// The label a route's content is placed from when the ship takes the route.
inline constexpr std::u16string_view kRouteCreationLabel = u"経路作成";

// The travel controller owns one at a time and replaces it whenever a route starts. The position
// counts from the departure, 0..length; event windows lie on the route record's own axis, so a
// route travelled backward meets them at length - position.
class GAME_CRouteManager : public vesk::memory::MainHeapObject {
public:
    // The start route of a new game never ends.
    static constexpr std::int32_t kStartRouteLength = 2147483647;
    static constexpr std::size_t kLabelNameUnits = 32;

    GAME_CRouteManager();
    virtual ~GAME_CRouteManager();
    GAME_CRouteManager(const GAME_CRouteManager&) = delete;
    GAME_CRouteManager& operator=(const GAME_CRouteManager&) = delete;

    // --- the route scripts' registration at start-up
    void BeginRegistration(std::uint32_t routeId, const vesk::utility::script_package::ProgramRecord* program);
    void FinishRegistration();

    // Builds the route of the id: its script, record, events and content. savedBlock is the route
    // save block of a slot being applied (empty: none), savedObjects the slot's background-object
    // list (empty: none). False when the id is -1 or has no route record.
    bool BuildRoute(const std::uint32_t* routeId, std::span<std::uint8_t> savedBlock,
                    std::span<const std::uint8_t> savedObjects, bool sameRoute);
    // The start route of a new game, from the static database's start-route entry; false (nothing
    // changed but the start-route flag) when the entry is not set.
    bool LoadStartRoute();
    // Moves by the distance; the new position.
    std::int32_t Move(float distance);
    // One frame of the route script.
    void RunScript();
    // One frame of standing still under way.
    void CountStall();
    // The route save block of a slot: id, direction, position, variables, script words, events.
    void WriteSaveBlock(std::span<std::uint8_t> slot) const;
    // The scan level of this route's record in the working slot; 0 when the route is not in the map.
    std::int32_t GetRouteRecordValue() const;
    void ReleaseEvents();

    // --- what the travel controller sets and reads
    std::uint32_t GetRouteId() const { return routeId_; }
    const RouteData* GetRouteRecord() const { return record_; }
    GAME_CScriptRoute& Script() { return script_; }
    const GAME_CScriptRoute& Script() const { return script_; }
    RouteEventList* Events() { return events_.get(); }
    std::int32_t GetPosition() const { return position_; }
    // Clamped to 0..length.
    void SetPosition(std::int64_t position);
    std::int32_t GetLength() const { return length_; }
    void SetLength(std::int32_t length) { length_ = length < 1 ? 1 : length; }
    std::uint32_t GetDeparture() const { return departure_; }
    std::uint32_t GetDestination() const { return destination_; }
    void SetEnds(std::uint32_t departure, std::uint32_t destination);
    // The destination is the record's end location.
    bool IsForward() const;
    // The route has a record and runs from its end location back to its start.
    bool IsReversed() const { return record_ != nullptr && !IsForward(); }
    // 0 < position < length.
    bool IsUnderWay() const { return position_ > 0 && position_ < length_; }
    // The distance on the record's own axis of a position counted from the departure.
    std::int64_t RecordDistance(std::int64_t position) const;

    // While halted, moves do nothing and the game clock stands still.
    bool IsHolding() const { return halted_ != 0; }
    void SetHolding(bool halted) { halted_ = halted ? 1 : 0; }
    // A route event runs: the route script's main thread runs.
    bool IsRouteEventRunning() const { return script_.IsRunning(); }
    bool KeepsEvents() const { return keepEvents_ != 0; }
    void SetKeepEvents(bool keep) { keepEvents_ = keep ? 1 : 0; }
    bool IsStartRoute() const { return startRoute_ != 0; }
    std::int32_t GetStallCounter() const { return stallCounter_; }
    // The main thread runs the creation label.
    bool IsInCreationLabel() const;

    // --- a route change the script asked for, carried out by the travel controller
    struct RouteRequest {
        std::uint32_t routeId = kNoId;
        std::u16string label;
        std::int32_t entryPosition = -1;
        bool usePosition = false;
        bool reverse = false;
    };
    RouteRequest& Request() { return request_; }
    bool HasRequest() const { return request_.routeId != kNoId; }

    // The journey's progress and its limit, and the route's two nodes (the map screen reads them).
    std::int32_t progress = 0;
    std::int32_t progressLimit = 0;
    std::uint32_t nodeA = 0;
    std::uint32_t nodeB = 0;

private:
    // Binds the script to the route's entry of the route package and, unless kept, clears the variables.
    void BindScript(std::uint32_t routeId, bool keepVariables);
    void RunCreationLabel();
    // Random calls from the route's record: 1000 of an accumulator per call.
    void SpendAccumulators(std::span<std::uint8_t> block);
    void SpendAccumulator(std::span<std::uint8_t> record, std::size_t offset, std::span<const RouteWeightedLabel> labels);
    void RestoreVariables(std::span<const std::uint8_t> block);

    std::unique_ptr<RouteEventList> events_;
    std::uint32_t routeId_ = kNoId;
    RouteRequest request_;
    GAME_CScriptRoute script_;
    std::uint32_t departure_ = kNoId;
    std::uint32_t destination_ = kNoId;
    std::int32_t length_ = 1;
    std::int32_t position_ = 0;
    float fraction_ = 0.0f;
    const RouteData* record_ = nullptr;
    std::int32_t halted_ = 0;
    std::int32_t stallCounter_ = 0;
    std::int32_t startRoute_ = 0;
    std::int32_t keepEvents_ = 0;
    std::int32_t lastRunState_ = 0;
    float savedSpeed_ = 0.0f;
    std::uint32_t creationLabel_ = 0xFFFFFFFF;
};
