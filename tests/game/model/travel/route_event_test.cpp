// Tests of route events: meeting fixed windows, drawing random events by weight, removing, restoring and handing them over.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "framework/math/random.h"
#include "game/services/data/world_records.h"
#include "game/model/travel/route_event.h"
#include "game/model/travel/route_save_block.h"
#include "platform/little_endian.h"

namespace {

RouteEventDescriptor Fixed(std::int32_t label, std::int32_t from, std::int32_t to)
{
    return {RouteEventDescriptor::kFixed, label, from, to, 0};
}

RouteEventDescriptor Random(std::int32_t label, std::int32_t from, std::int32_t to, std::int32_t weight)
{
    return {RouteEventDescriptor::kRandom, label, from, to, weight};
}

}  // namespace

TEST(RouteEvents, FixedWindowsAreHalfOpenAndFireOnce)
{
    RouteEventList list;
    AddRouteEvent(list, Fixed(7, 10, 20));
    EXPECT_EQ(FindRouteEventAt(list, 9), -1);
    EXPECT_EQ(FindRouteEventAt(list, 20), -1);
    EXPECT_EQ(FindRouteEventAt(list, 19), 7);
    EXPECT_EQ(FindRouteEventAt(list, 10), -1);  // used up
    EXPECT_TRUE(list.fixedEvents.empty());

    // A fixed event without a label goes when met and lets the random events be drawn at once.
    AddRouteEvent(list, Fixed(-1, 0, 5));
    AddRouteEvent(list, Random(9, 0, 5, 1));
    EXPECT_EQ(FindRouteEventAt(list, 3), 9);
    EXPECT_TRUE(list.fixedEvents.empty());
    EXPECT_TRUE(list.randomEvents.empty());

    // Null entries are dropped by the walk.
    list.fixedEvents.push_back(nullptr);
    AddRouteEvent(list, Fixed(4, 0, 5));
    EXPECT_EQ(FindRouteEventAt(list, 0), 4);
    EXPECT_TRUE(list.fixedEvents.empty());
}

TEST(RouteEvents, RandomEventsAreDrawnByWeightAndAllThatCoverTheDistanceGo)
{
    vesk::math::SeedRandom(77);
    vesk::math::MarkRandomClockSeeded();
    std::array<int, 2> drawn{};
    constexpr int kDraws = 4000;
    for (int i = 0; i < kDraws; ++i) {
        RouteEventList list;
        AddRouteEvent(list, Random(1, 200, 300, 1));
        AddRouteEvent(list, Random(3, 250, 300, 3));
        AddRouteEvent(list, Random(5, 100, 200, 9));  // does not cover 260
        const std::int32_t label = FindRouteEventAt(list, 260);
        ASSERT_TRUE(label == 1 || label == 3) << label;
        ++drawn[label == 1 ? 0 : 1];
        ASSERT_EQ(list.randomEvents.size(), 1u);
        EXPECT_EQ(list.randomEvents[0]->GetLabel(), 5);
    }
    const double share = static_cast<double>(drawn[1]) / kDraws;
    EXPECT_NEAR(share, 0.75, 0.03);

    // Weight 0, as the route record gives them, is never drawn and stays.
    RouteEventList list;
    AddRouteEvent(list, Random(2, 0, 10, 0));
    EXPECT_EQ(FindRouteEventAt(list, 5), -1);
    EXPECT_EQ(list.randomEvents.size(), 1u);
}

TEST(RouteEvents, RemovalOverlapsTheClosedRangeAndOwnersChange)
{
    RouteEventList list;
    AddRouteEvent(list, Random(1, 0, 10, 1));
    AddRouteEvent(list, Random(2, 10, 20, 1));
    AddRouteEvent(list, Random(3, 21, 30, 1));
    RemoveRandomEventsInRange(list, 20, 10);  // either order
    ASSERT_EQ(list.randomEvents.size(), 1u);
    EXPECT_EQ(list.randomEvents[0]->GetLabel(), 3);

    RouteEventList target;
    AddRouteEvent(list, Fixed(8, 1, 2));
    const GAME_CEvent* moved = list.randomEvents[0].get();
    MoveRandomRouteEvents(target, list);
    MoveFixedRouteEvents(target, list);
    EXPECT_TRUE(list.randomEvents.empty());
    EXPECT_TRUE(list.fixedEvents.empty());
    ASSERT_EQ(target.randomEvents.size(), 1u);
    EXPECT_EQ(target.randomEvents[0].get(), moved);
    EXPECT_EQ(target.fixedEvents.size(), 1u);
}

TEST(RouteEvents, TheRecordGivesWeightZeroAndRestoringStopsAtTheFirstTerminator)
{
    RouteData record;
    record.fixedEvents = {{4, 100, 110}};
    record.randomEvents = {{6, 200, 300, 5}};
    RouteEventList list;
    AddRouteEvent(list, Fixed(1, 0, 1));
    FillRouteEventsFromRecord(list, record);
    ASSERT_EQ(list.fixedEvents.size(), 1u);
    EXPECT_EQ(list.fixedEvents[0]->GetFrom(), 100);
    ASSERT_EQ(list.randomEvents.size(), 1u);
    EXPECT_EQ(list.randomEvents[0]->GetWeight(), 0);

    std::vector<std::uint8_t> block(route_block::kSize, 0xFF);
    auto fixed = [&](int i, std::int32_t label, std::int32_t from, std::int32_t to) {
        const std::size_t at = route_block::kFixedEvents + static_cast<std::size_t>(i) * route_block::kFixedEventSize;
        platform::WriteI32(block, at, label);
        platform::WriteI32(block, at + 4, from);
        platform::WriteI32(block, at + 8, to);
    };
    auto random = [&](int i, std::int32_t label, std::int32_t from, std::int32_t to, std::int32_t weight) {
        const std::size_t at = route_block::kRandomEvents + static_cast<std::size_t>(i) * route_block::kRandomEventSize;
        platform::WriteI32(block, at, label);
        platform::WriteI32(block, at + 4, from);
        platform::WriteI32(block, at + 8, to);
        platform::WriteI32(block, at + 12, weight);
    };
    fixed(0, 11, 5, 6);
    fixed(1, 0, 0, 0);  // all zero ends the list
    fixed(2, 12, 7, 8);
    random(0, 21, 1, 2, 3);
    random(1, 22, 1, 2, 0);  // weight 0 ends it
    random(2, 23, 1, 2, 3);
    RestoreRouteEvents(list, block);
    ASSERT_EQ(list.fixedEvents.size(), 1u);
    EXPECT_EQ(list.fixedEvents[0]->GetLabel(), 11);
    ASSERT_EQ(list.randomEvents.size(), 1u);
    EXPECT_EQ(list.randomEvents[0]->GetLabel(), 21);
}
