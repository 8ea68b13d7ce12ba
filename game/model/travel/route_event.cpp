// Route events: adding, meeting, drawing, removing, restoring and handing over the events of a route.
#include "game/model/travel/route_event.h"

#include <algorithm>

#include "game/services/data/world_records.h"
#include "game/model/travel/route_random.h"
#include "game/model/travel/route_save_block.h"
#include "platform/little_endian.h"

namespace {

using EventArray = std::vector<std::unique_ptr<GAME_CEvent>>;

void DropNulls(EventArray& events)
{
    std::erase_if(events, [](const std::unique_ptr<GAME_CEvent>& event) { return event == nullptr; });
}

bool Covers(const GAME_CEvent& event, std::int32_t distance)
{
    return event.GetFrom() <= distance && distance < event.GetTo();
}

// The first fixed event whose window covers the distance is used up; its label, or -1.
std::int32_t TakeFixedEvent(EventArray& events, std::int32_t distance)
{
    DropNulls(events);
    auto met = std::find_if(events.begin(), events.end(), [&](const auto& event) { return Covers(*event, distance); });
    if (met == events.end()) return -1;
    const std::int32_t label = (*met)->GetLabel();
    events.erase(met);
    return label;
}

// One label drawn by weight among the random events that cover the distance; when one is drawn,
// every one of them is used up.
std::int32_t DrawRandomEvent(EventArray& events, std::int32_t distance)
{
    DropNulls(events);
    std::vector<WeightedValue> candidates;
    for (const auto& event : events) {
        if (Covers(*event, distance)) candidates.push_back({event->GetLabel(), event->GetWeight()});
    }
    const std::int64_t drawn = PickWeightedIndex(candidates);
    if (drawn < 0) return -1;
    const std::int32_t label = candidates[static_cast<std::size_t>(drawn)].value;
    if (label != -1) {
        std::erase_if(events, [&](const auto& event) { return Covers(*event, distance); });
    }
    return label;
}

void MoveEvents(EventArray& target, EventArray& source)
{
    for (auto& event : source) {
        if (event != nullptr) target.push_back(std::move(event));
    }
    source.clear();
}

}  // namespace

GAME_CEvent* AddRouteEvent(RouteEventList& list, const RouteEventDescriptor& descriptor)
{
    auto event = std::make_unique<GAME_CEventImpl>(descriptor);
    GAME_CEvent* added = event.get();
    (descriptor.kind == RouteEventDescriptor::kFixed ? list.fixedEvents : list.randomEvents).push_back(std::move(event));
    return added;
}

std::int32_t FindRouteEventAt(RouteEventList& list, std::int32_t distance)
{
    const std::int32_t fixedLabel = TakeFixedEvent(list.fixedEvents, distance);
    const std::int32_t drawnLabel = DrawRandomEvent(list.randomEvents, distance);
    return fixedLabel != -1 ? fixedLabel : drawnLabel;
}

void RemoveRandomEventsInRange(RouteEventList& list, std::int32_t a, std::int32_t b)
{
    const std::int32_t low = std::min(a, b);
    const std::int32_t high = std::max(a, b);
    std::erase_if(list.randomEvents, [&](const std::unique_ptr<GAME_CEvent>& event) {
        return event == nullptr || (event->GetTo() >= low && event->GetFrom() <= high);
    });
}

void ClearRouteEvents(RouteEventList& list)
{
    list.fixedEvents.clear();
    list.fixedEvents.shrink_to_fit();
    list.randomEvents.clear();
    list.randomEvents.shrink_to_fit();
}

void FillRouteEventsFromRecord(RouteEventList& list, const RouteData& route)
{
    ClearRouteEvents(list);
    for (const RouteFixedEvent& entry : route.fixedEvents) {
        AddRouteEvent(list, {RouteEventDescriptor::kFixed, static_cast<std::int32_t>(entry.label), entry.from, entry.to, 0});
    }
    for (const RouteRandomEvent& entry : route.randomEvents) {
        AddRouteEvent(list, {RouteEventDescriptor::kRandom, static_cast<std::int32_t>(entry.label), entry.from, entry.to, 0});
    }
}

void RestoreRouteEvents(RouteEventList& list, std::span<const std::uint8_t> block)
{
    ClearRouteEvents(list);
    for (int i = 0; i < route_block::kFixedEventCount; ++i) {
        const std::size_t at = route_block::kFixedEvents + static_cast<std::size_t>(i) * route_block::kFixedEventSize;
        const std::int32_t label = platform::ReadI32(block, at);
        const std::int32_t from = platform::ReadI32(block, at + 4);
        const std::int32_t to = platform::ReadI32(block, at + 8);
        if (label == -1 || from == -1 || to == -1 || (label == 0 && from == 0 && to == 0)) break;
        AddRouteEvent(list, {RouteEventDescriptor::kFixed, label, from, to, 0});
    }
    for (int i = 0; i < route_block::kRandomEventCount; ++i) {
        const std::size_t at = route_block::kRandomEvents + static_cast<std::size_t>(i) * route_block::kRandomEventSize;
        const std::int32_t label = platform::ReadI32(block, at);
        const std::int32_t from = platform::ReadI32(block, at + 4);
        const std::int32_t to = platform::ReadI32(block, at + 8);
        const std::int32_t weight = platform::ReadI32(block, at + 12);
        if (label == -1 || from == -1 || to == -1 || weight == -1 || weight == 0) break;
        AddRouteEvent(list, {RouteEventDescriptor::kRandom, label, from, to, weight});
    }
}

void MoveFixedRouteEvents(RouteEventList& target, RouteEventList& source)
{
    MoveEvents(target.fixedEvents, source.fixedEvents);
}

void MoveRandomRouteEvents(RouteEventList& target, RouteEventList& source)
{
    MoveEvents(target.randomEvents, source.randomEvents);
}
