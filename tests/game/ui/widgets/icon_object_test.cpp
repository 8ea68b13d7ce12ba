// The sprite button and the widget tree: presses from pointer and keys, repeats, siblings, nested scales.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/services/input/input_actions.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_null_object.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

constexpr std::uint32_t kButtonSe = 3;

struct Calls {
    std::vector<int> presses;
    std::vector<int> releases;
    int frame = 0;
};


class IconObjectTest : public support::UITest {
protected:
    GAME_CUIIconObject* AddButton(float x, float y, Calls* calls)
    {
        UIIconObjectDesc desc;
        InitUIIconObjectDesc(&desc);
        desc.shownX = desc.hiddenX = x;
        desc.shownY = desc.hiddenY = y;
        SetUIIconObjectDescSize(&desc, 40.0f, 20.0f);
        desc.soundEffect = kButtonSe;
        desc.action = kActionDecide;
        desc.useAction = 1;
        desc.pressCallback = [calls](GAME_CUIIconObject*) { calls->presses.push_back(calls->frame); };
        desc.releaseCallback = [calls](GAME_CUIIconObject*) { calls->releases.push_back(calls->frame); };
        auto* button = new GAME_CUIIconObject(&desc);
        owned.emplace_back(button);
        button->SetParent(root.get());
        button->SetVisible(true);
        return button;
    }

    // One game frame, then the tree's update on that frame's input.
    void Frame(Calls* calls = nullptr)
    {
        StepFrames(1);
        if (calls != nullptr) ++calls->frame;
        root->UpdateTree(true);
    }

    // Widgets live in the game's heap: they go before the game does.
    void TearDown() override
    {
        owned.clear();
        root.reset();
        support::UITest::TearDown();
    }

    std::unique_ptr<GAME_CUINullObject> root{MakeUIGroupNode(0.0f, 0.0f)};
    std::vector<std::unique_ptr<GAME_CUIObjectBase>> owned;
};

TEST_F(IconObjectTest, AClickAndTheDecideKeyInOneFrameGiveOnePressReleasedTenFramesLater)
{
    Calls calls;
    GAME_CUIIconObject* button = AddButton(100.0f, 100.0f, &calls);
    Frame();
    Frame();
    ASSERT_EQ(button->State(), 1);

    ClickAt(110, 110);
    PressAction(kActionDecide);
    Frame(&calls);
    EXPECT_TRUE(button->IsDecided());
    EXPECT_TRUE(PlayedNow(kButtonSe));
    for (int i = 0; i < 15; ++i) Frame(&calls);
    ASSERT_EQ(calls.presses.size(), 1u);
    ASSERT_EQ(calls.releases.size(), 1u);
    EXPECT_EQ(calls.releases[0] - calls.presses[0], 10);
    EXPECT_EQ(button->State(), 1);

    // Disabled, it takes no press; a press request on a disabled icon is not even kept.
    button->SetDisabled(true);
    button->Press();
    ClickAt(110, 110);
    Frame(&calls);
    button->SetDisabled(false);
    Frame(&calls);
    EXPECT_EQ(calls.presses.size(), 1u);
}

TEST_F(IconObjectTest, AHeldRepeatButtonPressesOnTheFirstHoldFrameThenEveryFourthFromTheThirtySecond)
{
    Calls calls;
    UIIconObjectDesc desc;
    InitUIIconObjectDesc(&desc);
    desc.shownX = desc.hiddenX = 200.0f;
    desc.shownY = desc.hiddenY = 100.0f;
    SetUIIconObjectDescSize(&desc, 30.0f, 30.0f);
    desc.repeatMode = 1;
    desc.pressedFrames = 1;
    desc.soundEffect = kButtonSe;
    auto* button = new GAME_CUIIconObject(&desc);
    owned.emplace_back(button);
    button->SetParent(root.get());
    button->SetVisible(true);
    Frame();
    Frame();

    PointerDown(210, 110);
    std::vector<int> pressFrames;
    for (int frame = 1; frame <= 42; ++frame) {
        Frame();
        if (PlayedNow(kButtonSe)) pressFrames.push_back(frame);
    }
    PointerUp();
    ASSERT_FALSE(pressFrames.empty());
    // The hold counts from the first frame the pointer is held down.
    const int first = pressFrames.front() - 1;
    std::vector<int> holdFrames;
    for (int frame : pressFrames) holdFrames.push_back(frame - first);
    EXPECT_EQ(holdFrames, (std::vector<int>{1, 32, 36, 40}));
}

TEST_F(IconObjectTest, OfTwoSiblingsUnderAClickOnlyTheFirstTakesItAndScalesNest)
{
    Calls first;
    Calls second;
    GAME_CUIIconObject* a = AddButton(300.0f, 200.0f, &first);
    GAME_CUIIconObject* b = AddButton(300.0f, 200.0f, &second);
    Frame();
    Frame();
    ClickAt(310, 210);
    Frame();
    EXPECT_TRUE(a->IsDecided());
    EXPECT_FALSE(b->IsDecided());
    // A decided widget withholds the input from the whole tree in the next frame.
    ClickAt(310, 210);
    Frame();
    Frame();
    EXPECT_EQ(first.presses.size(), 1u);
    EXPECT_TRUE(second.presses.empty());

    UINullObjectDesc parentDesc;
    InitUINullObjectDesc(&parentDesc);
    parentDesc.positionX = 100.0f;
    parentDesc.positionY = 50.0f;
    parentDesc.scaleX = parentDesc.scaleY = 2.0f;
    auto& parent = *owned.emplace_back(new GAME_CUINullObject(&parentDesc));
    UINullObjectDesc childDesc;
    InitUINullObjectDesc(&childDesc);
    childDesc.positionX = childDesc.positionY = 10.0f;
    auto& child = static_cast<GAME_CUINullObject&>(*owned.emplace_back(new GAME_CUINullObject(&childDesc)));
    child.SetParent(&parent);
    child.SetParent(&parent);
    EXPECT_EQ(parent.Children().size(), 1u);
    parent.UpdateTree(false);
    EXPECT_FLOAT_EQ(child.WorldPosition().x, 120.0f);
    EXPECT_FLOAT_EQ(child.WorldPosition().y, 70.0f);
    EXPECT_FLOAT_EQ(child.WorldScale().x, 2.0f);
}

}  // namespace
