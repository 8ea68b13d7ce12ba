// A focus table walked by the direction keys: neighbours, a place that opens only on a condition, silence and decide.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "game/ui/focus_map.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class FocusMapTest : public support::UITest {};

TEST_F(FocusMapTest, AWalkFollowsTheTableItsConditionsAndItsSilentPlaces)
{
    enum : std::int32_t { kRows = 1, kCrew = 2, kTab = 3, kScroll = 7 };
    bool scrollable = false;
    int pressed = 0;
    UIIconObjectDesc desc;
    InitUIIconObjectDesc(&desc);
    desc.releaseCallback = [&](GAME_CUIIconObject*) { ++pressed; };
    auto tab = std::make_unique<GAME_CUIIconObject>(&desc);
    tab->SetVisible(true);
    constexpr std::int32_t none = kUINoFocus;
    const std::array<UIFocusPlace, 4> places{{
        {.id = kRows, .next = {kTab, kTab, kCrew, none}},
        {.id = kCrew, .next = {kScroll, kTab, none, kRows}, .otherwise = {none, none, none, none}},
        {.id = kTab, .next = {kRows, kScroll, none, none}, .otherwise = {none, kCrew, none, none}, .button = tab.get()},
        {.id = kScroll, .next = {kTab, kCrew, none, kRows}, .condition = [&] { return scrollable; }, .silent = true},
    }};
    const UIFocusMap map(places);

    std::int32_t focus = kRows;
    EXPECT_TRUE(map.Step(focus, kUIFocusLeft));
    EXPECT_EQ(focus, kCrew);
    EXPECT_TRUE(PlayedNow(kSeCursor));
    // The scroll place is closed: up from the crew leads nowhere, down from the tab falls back.
    EXPECT_FALSE(map.Step(focus, kUIFocusUp));
    EXPECT_EQ(focus, kCrew);
    EXPECT_TRUE(map.Step(focus, kUIFocusDown));
    EXPECT_EQ(focus, kTab);
    EXPECT_TRUE(map.Step(focus, kUIFocusDown));
    EXPECT_EQ(focus, kCrew);
    // Open, it is stepped onto; steps from it go without a sound.
    scrollable = true;
    EXPECT_TRUE(map.Step(focus, kUIFocusUp));
    EXPECT_EQ(focus, kScroll);
    EXPECT_FALSE(map.Step(focus, kUIFocusLeft));
    StepFrames(1);
    EXPECT_TRUE(map.Step(focus, kUIFocusRight));
    EXPECT_EQ(focus, kRows);
    EXPECT_FALSE(PlayedNow(kSeCursor));
    EXPECT_TRUE(map.Step(focus, kUIFocusLeft));
    EXPECT_TRUE(map.Step(focus, kUIFocusUp));
    // Decide presses the place's button; a place without one takes no press.
    EXPECT_FALSE(map.Press(focus));
    EXPECT_TRUE(map.Step(focus, kUIFocusUp));
    EXPECT_TRUE(map.Press(focus));
    for (int i = 0; i < 30 && pressed == 0; ++i) tab->Update(true);
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(map.Neighbour(99, kUIFocusUp), kUINoFocus);
}

TEST_F(FocusMapTest, AWalkLetsAPlaceMoveItsOwnCursorFirstAndTellsTheArrivalItsDirection)
{
    enum : std::int32_t { kList = 1, kPanel = 2, kTab = 3 };
    int listCursor = 1;
    int arrivedFrom = -1;
    constexpr std::int32_t none = kUINoFocus;
    const std::array<UIFocusPlace, 3> places{{
        {.id = kList, .next = {kTab, kTab, none, none},
         .inside =
             [&](int d) {
                 if (d != kUIFocusUp || listCursor == 0) return false;
                 --listCursor;
                 return true;
             },
         .arrive = [&](int d) { arrivedFrom = d; }},
        {.id = kPanel, .next = {none, kTab, none, kList}, .soundsUpDown = true},
        {.id = kTab, .next = {kList, kPanel, none, none}},
    }};
    const UIFocusMap map(places);

    std::int32_t focus = kList;
    EXPECT_EQ(map.Walk(focus, kUIFocusUp), UIFocusWalk::kAnswered);
    EXPECT_EQ(listCursor, 0);
    EXPECT_FALSE(PlayedNow(kSeCursor));
    EXPECT_EQ(map.Walk(focus, kUIFocusUp), UIFocusWalk::kStepped);
    EXPECT_EQ(focus, kTab);
    EXPECT_TRUE(PlayedNow(kSeCursor));
    EXPECT_EQ(map.Walk(focus, kUIFocusUp), UIFocusWalk::kStepped);
    EXPECT_EQ(arrivedFrom, kUIFocusUp);
    // A place that answers up and down with the sound takes them even where they lead nowhere; left
    // and right it leaves alone.
    focus = kPanel;
    StepFrames(1);
    EXPECT_EQ(map.Walk(focus, kUIFocusUp), UIFocusWalk::kAnswered);
    EXPECT_EQ(focus, kPanel);
    EXPECT_TRUE(PlayedNow(kSeCursor));
    EXPECT_EQ(map.Walk(focus, kUIFocusLeft), UIFocusWalk::kNone);
    EXPECT_EQ(map.Walk(focus, kUIFocusRight), UIFocusWalk::kStepped);
    EXPECT_EQ(arrivedFrom, kUIFocusRight);
}

}  // namespace
