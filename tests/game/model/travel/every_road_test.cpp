// Every road of the shipped data set driven whole, either way, with each answer its questions offer:
// every event it holds met, every text read, and nothing the game logs as a fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/math/random.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/data/world_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/language.h"
#include "game/ui/message_log.h"
#include "game/ui/event_selection.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/ui_manager.h"
#include "tests/support/event_window.h"
#include "tests/support/game_fixture.h"
#include "tests/support/log_capture.h"

namespace {

constexpr std::uint32_t kRoadCount = 7;
// Units the road is driven on at each frame beside the ship's own drive: a bare hull taken on the
// way has no engine, and the whole data set is driven in seconds.
constexpr float kFastForward = 25.0f;
// Frames a road may take, its events' texts and questions included.
constexpr int kFramesPerRoad = 4000;

// A message key shown in place of its text: a run of capitals, digits and underscores that holds an
// underscore, as the texts' keys are written.
bool HoldsBareKey(std::u16string_view text)
{
    std::size_t run = 0;
    bool underscore = false;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char16_t c = i < text.size() ? text[i] : u' ';
        if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_') {
            ++run;
            underscore = underscore || c == u'_';
            continue;
        }
        if (underscore && run >= 4) return true;
        run = 0;
        underscore = false;
    }
    return false;
}

class EveryRoad : public support::GameFixture, public ::testing::WithParamInterface<int> {
protected:
    // Texts read and questions answered with the run's answer (0 the first choice, 1 the second)
    // while the road is driven on, until done() holds; false when it did not within the bound.
    bool DriveUntil(GAME_CRouteManager& route, const std::function<bool()>& done, int maxFrames)
    {
        bool pressed = false;
        return StepUntil(
            [&] {
                const GAME_CUIEventSelectionObject& choices = *GetEventSelection();
                const GAME_CUIEvent* window = UI().Get<GAME_CUIEvent>();
                if (pressed) {
                    pressed = false;  // DECIDE goes up before it goes down again
                } else if (choices.State() == 2) {
                    if (GetParam() == 0 || choices.Cursor() != 0) ++questions;
                    PressAction(GetParam() == 1 && choices.Cursor() == 0 ? kActionCursorDown : kActionDecide);
                    pressed = true;
                } else if (support::EventTextWaits(window)) {
                    PressAction(kActionDecide);
                    pressed = true;
                }
                if (window != nullptr && window->IsOpen()) NoteBareKey(window->pendingText);
                if (choices.IsActive()) NoteBareKey(choices.Title().c_str());
                if (!route.IsHolding() && !UI().IsOpen(kSlotShipChange)) route.Move(kFastForward);
                return done();
            },
            maxFrames);
    }

    bool Quiet(const GAME_CRouteManager& route)
    {
        return !route.IsRouteEventRunning() && !UI().IsOpen(kSlotEvent) && !GetEventSelection()->IsActive() &&
               !UI().IsOpen(kSlotShipChange);
    }

    // Calls a label of the road's script from outside, as the road meets an event, and reads it through.
    void Meet(GAME_CRouteManager& route, std::uint32_t label, const std::string& what)
    {
        route.Script().Call(label);
        ASSERT_TRUE(DriveUntil(route, [&] { return Quiet(route); }, kFramesPerRoad)) << what << " never ends";
    }

    void NoteBareKey(std::u16string_view text)
    {
        if (HoldsBareKey(text) && std::find(bareKeys.begin(), bareKeys.end(), text) == bareKeys.end()) bareKeys.emplace_back(text);
    }

    int questions = 0;  // answered
    std::vector<std::u16string> bareKeys;  // texts shown with a key for want of its text
};

// Each road is set out on from either end. As it sets out its random events and its random calls
// (the raiders and supplies the clock brings) are met one by one, since the dice would meet only some;
// then the road is driven to its far end through its fixed events. A road taken again the other way
// keeps the fixed events it has met, so every road is driven forward once before any is driven back.
// Road 7 driven forward ends the journey, so it is driven last.
TEST_P(EveryRoad, IsDrivenToItsEndEitherWayWithNoFaultLogged)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    GAME_CGameWorld& world = *GetGameWorld();
    vesk::math::SeedRandom(11 + static_cast<std::uint32_t>(GetParam()));
    support::LogCapture log;

    struct Leg {
        std::uint32_t road;
        bool forward;
    };
    std::vector<Leg> legs;
    for (std::uint32_t road = 1; road < kRoadCount; ++road) legs.push_back({road, true});
    legs.push_back({kRoadCount, false});
    for (std::uint32_t road = 1; road < kRoadCount; ++road) legs.push_back({road, false});
    legs.push_back({kRoadCount, true});

    for (std::size_t legIndex = 0; legIndex < legs.size(); ++legIndex) {
        const Leg& leg = legs[legIndex];
        // Each leg is read in the next of the five languages.
        const auto language = static_cast<std::uint32_t>(legIndex % kLanguageCount);
        ChooseLanguage(language);
        StepFrames(1);
        const std::string name = "road " + std::to_string(leg.road) + (leg.forward ? " forward" : " backward") +
                                 " in language " + std::to_string(language);
        SCOPED_TRACE(name);
        const RouteData* record = GetStaticDatabase()->FindRouteData(leg.road);
        ASSERT_NE(record, nullptr);
        std::uint32_t road = leg.road;
        StartRoute(*world.travel, &road, leg.forward, {}, {});
        ShowNextHideoutNotice(world);
        GAME_CRouteManager& route = *world.travel->routeManager;

        // Set out: the first units meet the setting-out event, which places the random events.
        ASSERT_TRUE(DriveUntil(route, [&] { return route.GetPosition() >= 10 && Quiet(route); }, kFramesPerRoad))
            << "stuck setting out at " << route.GetPosition();
        std::vector<std::uint32_t> labels;
        for (const auto& event : route.Events()->randomEvents) {
            if (event != nullptr) labels.push_back(static_cast<std::uint32_t>(event->GetLabel()));
        }
        route.Events()->randomEvents.clear();
        for (const RouteWeightedLabel& call : record->firstLabels) labels.push_back(call.label);
        for (const RouteWeightedLabel& call : record->secondLabels) labels.push_back(call.label);
        for (const std::uint32_t label : labels) {
            ASSERT_NO_FATAL_FAILURE(Meet(route, label, "the event at command " + std::to_string(label)));
        }

        const std::uint32_t end = leg.forward ? record->endLocation : record->startLocation;
        const bool journeyEnds = leg.road == kRoadCount && leg.forward;
        const bool arrived = DriveUntil(
            route,
            [&] {
                if (journeyEnds) return UI().IsOpen(kSlotEnding);
                const LocationRecord* here = world.travel->GetLocation();
                return route.GetPosition() >= route.GetLength() && here != nullptr && here->hideoutId == end && Quiet(route);
            },
            kFramesPerRoad);
        ASSERT_TRUE(arrived) << "at " << route.GetPosition() << " of " << route.GetLength() << ", event running "
                             << route.IsRouteEventRunning() << ", event window " << UI().IsOpen(kSlotEvent)
                             << ", question " << GetEventSelection()->IsActive();
        EXPECT_FALSE(UI().IsOpen(kSlotGameOver));
        for (int i = 0; i < UI().MessageLog()->CountLines(); ++i) {
            const std::u16string_view line = UI().MessageLog()->GetLine(i).text.c_str();
            NoteBareKey(line);
        }
    }
    for (const std::u16string& text : bareKeys) ADD_FAILURE() << "a key shown for its text: " << std::string(text.begin(), text.end());

    // The oasis twice each way, the toll and the hull each way, the lookout until it is aboard.
    EXPECT_GE(questions, 8);
    for (const std::string& line : log.Lines()) {
        EXPECT_EQ(line.rfind("info: ", 0), 0u) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(EachAnswer, EveryRoad, ::testing::Values(0, 1));

}  // namespace
