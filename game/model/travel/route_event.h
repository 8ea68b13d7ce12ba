// Route events: windows of route distance in which the route script jumps to a label, fixed or drawn by weight.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "framework/memory/heaps.h"

struct RouteData;

// One event: the label to call, its window [from, to) and its weight for the random draw.
class GAME_CEvent : public vesk::memory::MainHeapObject {
public:
    virtual ~GAME_CEvent() = default;
    // The command index of the label to call; -1 for none.
    virtual std::int32_t GetLabel() const = 0;
    virtual std::int32_t GetFrom() const = 0;
    // The end of the window, not included.
    virtual std::int32_t GetTo() const = 0;
    // Fixed events carry 0.
    virtual std::int32_t GetWeight() const = 0;
};

// What an event is made from.
struct RouteEventDescriptor {
    enum Kind : std::int32_t { kFixed = 0, kRandom = 1 };
    std::int32_t kind = kFixed;
    std::int32_t label = -1;
    std::int32_t from = 0;
    std::int32_t to = 0;
    std::int32_t weight = 0;
};

class GAME_CEventImpl final : public GAME_CEvent {
public:
    explicit GAME_CEventImpl(const RouteEventDescriptor& descriptor)
        : label_(descriptor.label), from_(descriptor.from), to_(descriptor.to), weight_(descriptor.weight)
    {
    }
    std::int32_t GetLabel() const override { return label_; }
    std::int32_t GetFrom() const override { return from_; }
    std::int32_t GetTo() const override { return to_; }
    std::int32_t GetWeight() const override { return weight_; }

private:
    std::int32_t label_;
    std::int32_t from_;
    std::int32_t to_;
    std::int32_t weight_;
};

// The events of one route: fixed events fire once when the ship passes their window; of the random
// events whose windows cover the distance reached, one is drawn by weight and all of them go. Null
// entries may stand in either list; every walk drops them. Distances are on the route record's own
// axis.
struct RouteEventList {
    std::vector<std::unique_ptr<GAME_CEvent>> fixedEvents;
    std::vector<std::unique_ptr<GAME_CEvent>> randomEvents;
};

// Appends a new event to the fixed list (kind 0) or the random list (any other kind).
GAME_CEvent* AddRouteEvent(RouteEventList& list, const RouteEventDescriptor& descriptor);
// The label to call at the distance, or -1; the events met are used up.
std::int32_t FindRouteEventAt(RouteEventList& list, std::int32_t distance);
// Deletes every random event whose window overlaps [min(a, b), max(a, b)].
void RemoveRandomEventsInRange(RouteEventList& list, std::int32_t a, std::int32_t b);
void ClearRouteEvents(RouteEventList& list);
// The record's fixed and random windows, every one with weight 0.
void FillRouteEventsFromRecord(RouteEventList& list, const RouteData& route);
// From a route save block: the fixed entries up to the first with a field of -1 or all three 0,
// the random entries up to the first with label, from or to -1 or a weight of -1 or 0.
void RestoreRouteEvents(RouteEventList& list, std::span<const std::uint8_t> block);
// The source's events of that kind change owner: appended to the target, the source left empty.
void MoveFixedRouteEvents(RouteEventList& target, RouteEventList& source);
void MoveRandomRouteEvents(RouteEventList& target, RouteEventList& source);
