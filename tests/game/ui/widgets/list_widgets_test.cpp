// The list window, scroll bar, slider and toggle under the player's clicks, wheel and drags.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "game/services/input/input_actions.h"
#include "game/ui/widgets/ui_list_object.h"
#include "game/ui/widgets/ui_scroll_bar_object.h"
#include "game/ui/widgets/ui_slider.h"
#include "game/ui/widgets/ui_toggle_object.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

int g_decided = 0;
void OnDecide() { ++g_decided; }
// Row arguments: 0 hidden, 1 disabled, 2 enabled.
std::int32_t RowState(std::intptr_t argument) { return static_cast<std::int32_t>(argument); }

class ListWidgetsTest : public support::UITest {
protected:
    void TearDown() override
    {
        widgets.clear();
        support::UITest::TearDown();
    }

    template <typename Widget>
    Widget* Keep(Widget* widget)
    {
        widgets.emplace_back(widget);
        return widget;
    }

    // A shown scroll bar of steps 0 to 4 at (500, 100), 100 units tall; clamping or wrapping at its ends.
    GAME_CUIScrollBarObject* FiveStepBar(bool clamp)
    {
        UIScrollBarObjectDesc desc;
        InitUIScrollBarObjectDesc(&desc);
        desc.positionX = 500.0f;
        desc.positionY = 100.0f;
        desc.height = 100.0f;
        desc.maximum = 4;
        desc.clamp = clamp ? 1 : 0;
        auto* bar = Keep(new GAME_CUIScrollBarObject(&desc));
        bar->SetVisible(true);
        return bar;
    }

    // A shown slider at (100, 200) from 0 to 10 in steps of 5.
    GAME_CUISlider* ThreeStepSlider()
    {
        UISliderDesc desc;
        InitUISliderDesc(&desc);
        desc.positionX = 100.0f;
        desc.positionY = 200.0f;
        desc.maximum = 10;
        auto* slider = Keep(new GAME_CUISlider(&desc));
        slider->step = 5;
        slider->SetVisible(true);
        return slider;
    }

    // One game frame, then the widget's tree update on that frame's input.
    void Frame(GAME_CUIObjectBase* widget)
    {
        StepFrames(1);
        widget->UpdateTree(true);
    }

    GAME_CUIListObject* MakeList(const std::vector<std::intptr_t>& states)
    {
        UIListObjectDesc desc;
        InitUIListObjectDesc(&desc);
        desc.width = 200.0f;
        desc.height = 200.0f;
        desc.decide = &OnDecide;
        auto* list = Keep(new GAME_CUIListObject(&desc));
        for (std::intptr_t state : states) {
            UIListObjectRowDesc row;
            InitUIListObjectRowDesc(&row);
            row.enabled = &RowState;
            row.argument = state;
            list->AddRow(row);
        }
        list->RefreshRows();
        return list;
    }

    std::vector<std::unique_ptr<GAME_CUIObjectBase>> widgets;
};

TEST_F(ListWidgetsTest, AListScrollsToItsLastPageAndADisabledRowTakesTheCursorButNeverDecides)
{
    GAME_CUIListObject* list = MakeList({2, 2, 2, 2, 2, 2, 2, 2});
    list->ScrollTo(5);
    EXPECT_EQ(list->Top(), 1u);
    GAME_CUIListObject* seven = MakeList({2, 2, 2, 2, 2, 2, 2});
    seven->ScrollTo(5);
    EXPECT_EQ(seven->Top(), 0u);

    // Rows that all answer "hidden" at the time of the scroll do not keep it stepping for ever.
    std::vector<std::intptr_t> states{2, 2, 2};
    GAME_CUIListObject* vanishing = MakeList(states);
    for (std::uint32_t i = 0; i < vanishing->ShownCount(); ++i) const_cast<UIListObjectRowDesc*>(vanishing->ShownRow(i))->argument = 0;
    vanishing->ScrollTo(0);
    EXPECT_EQ(vanishing->Top(), 0u);

    GAME_CUIListObject* mixed = MakeList({2, 1, 0, 2});
    EXPECT_EQ(mixed->ShownCount(), 3u);
    mixed->SetVisible(true);
    for (int i = 0; i < 20; ++i) Frame(mixed);
    ASSERT_EQ(mixed->State(), 2);
    g_decided = 0;
    ClickAt(330, 157 + 18 + 5);  // the disabled row
    Frame(mixed);
    EXPECT_EQ(mixed->Cursor(), 1u);
    EXPECT_TRUE(PlayedNow(kSeCursor));
    Frame(mixed);  // the button goes up between two clicks
    ClickAt(330, 157 + 18 + 5);
    Frame(mixed);
    EXPECT_EQ(g_decided, 0);
    Frame(mixed);
    ClickAt(330, 157 + 5);
    Frame(mixed);
    Frame(mixed);
    ClickAt(330, 157 + 5);
    Frame(mixed);
    EXPECT_EQ(g_decided, 1);
    EXPECT_TRUE(PlayedNow(kSeDecide));
}

TEST_F(ListWidgetsTest, TheWheelWrapsOrClampsAScrollBarAndASliderOffersItsSteps)
{
    auto* wrapping = FiveStepBar(false);
    Wheel(1);
    Frame(wrapping);
    EXPECT_EQ(wrapping->Value(), 4);
    EXPECT_TRUE(PlayedNow(kSeCursor));
    EXPECT_TRUE(wrapping->IsDecided());

    auto* clamping = FiveStepBar(true);
    StepFrames(2);
    Wheel(1);
    Frame(clamping);
    EXPECT_EQ(clamping->Value(), 0);
    EXPECT_TRUE(PlayedNow(kSeCursor));

    // Dragging along the bar picks the step under the pointer (after the frame in which the change
    // of the wheel holds the input).
    Frame(clamping);
    PointerDown(503, 101);
    Frame(clamping);
    EXPECT_TRUE(clamping->IsDragging());
    PointerMove(503, 190);
    Frame(clamping);
    Frame(clamping);
    EXPECT_EQ(clamping->Value(), 4);
    PointerUp();
    Frame(clamping);
    Frame(clamping);
    EXPECT_FALSE(clamping->IsDragging());

    auto* slider = ThreeStepSlider();
    std::set<std::int32_t> offered;
    Drag(101, 201, 200, 205, 40, [&] {
        slider->UpdateTree(true);
        offered.insert(slider->value);
    });
    EXPECT_EQ(offered, (std::set<std::int32_t>{0, 5, 10}));

    // A toggle clicked twice is back where it was, with the sound both times.
    UIToggleObjectDesc toggleDesc;
    InitUIToggleObjectDesc(&toggleDesc);
    toggleDesc.positionX = 300.0f;
    toggleDesc.positionY = 300.0f;
    auto* toggle = Keep(new GAME_CUIToggleObject(&toggleDesc));
    toggle->SetVisible(true);
    ClickAt(300, 300);
    Frame(toggle);
    EXPECT_EQ(toggle->value, 1);
    EXPECT_TRUE(PlayedNow(kSeCursor));
    Frame(toggle);
    ClickAt(300, 300);
    Frame(toggle);
    EXPECT_EQ(toggle->value, 0);
    EXPECT_TRUE(PlayedNow(kSeCursor));
}

// A quick click, pressed and released within one frame, sets a scroll bar and a slider to the step
// under it, as a longer click does, and leaves no drag behind.
TEST_F(ListWidgetsTest, AQuickClickSetsAScrollBarAndASliderToTheStepUnderIt)
{
    auto* bar = FiveStepBar(true);
    Frame(bar);
    TapAt(503, 190);
    Frame(bar);
    EXPECT_EQ(bar->Value(), 4);
    EXPECT_TRUE(bar->IsDecided());
    // The frame after a decision takes no input; the one after it sees the pointer up.
    Frame(bar);
    Frame(bar);
    EXPECT_FALSE(bar->IsDragging());
    TapAt(503, 101);
    Frame(bar);
    EXPECT_EQ(bar->Value(), 0);

    auto* slider = ThreeStepSlider();
    Frame(slider);
    TapAt(185, 205);
    Frame(slider);
    EXPECT_EQ(slider->value, 10);
    Frame(slider);
    Frame(slider);
    TapAt(101, 205);
    Frame(slider);
    EXPECT_EQ(slider->value, 0);
}

TEST_F(ListWidgetsTest, MenuKeysMoveTheCursorScrollingAtTheLastVisibleRowAndWrappingAtTheFirst)
{
    GAME_CUIListObject* list = MakeList({2, 2, 2, 2, 2, 2, 2, 2, 2});
    list->SetVisible(true);
    for (int i = 0; i < 20; ++i) Frame(list);
    ASSERT_EQ(list->State(), 2);
    auto press = [&](int action) {
        PressAction(action);
        Frame(list);
        Frame(list);
    };
    for (int i = 0; i < 7; ++i) press(kActionCursorDown);
    EXPECT_EQ(list->Top(), 1u);
    EXPECT_EQ(list->Cursor(), 6u);
    press(kActionCursorDown);
    press(kActionCursorDown);
    EXPECT_EQ(list->Top() + list->Cursor(), 0u);  // past the last row, back to the first
    press(kActionCursorUp);
    EXPECT_EQ(list->Top(), 2u);
    EXPECT_EQ(list->Cursor(), 6u);
}

}  // namespace
