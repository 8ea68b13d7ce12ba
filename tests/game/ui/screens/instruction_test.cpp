// The instruction screen: the names each pad button shows on both pages, after a rebinding too, and the way back to the options.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/sound/sound_player.h"
#include "game/ui/screens/ui_instruction.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

using Screen = GAME_CUIInstruction;

class InstructionTest : public support::UITest {
protected:
    Screen& Instructions() const { return *UI().Get<Screen>(); }

    std::string Reads(int entry) const { return Instructions().EntryLabel(entry)->Key(); }
};

TEST_F(InstructionTest, EachButtonReadsTheActionBoundToItAndOnlyAFreshClickLeadsBack)
{
    // The click that opened the screen is still held: it opens in one frame, on page 0, and stays.
    PointerDown(300, 200);
    StepFrames(1);
    UI().SetOpen(kSlotInstruction, true);
    StepFrames(2);
    ASSERT_EQ(Instructions().State(), UIScreenState::kMain);
    EXPECT_EQ(Instructions().Page(), 0);
    EXPECT_EQ(Reads(Screen::kEntryA), "ADD_TEXT_UI_CONFIG_DECIDE");
    EXPECT_EQ(Reads(Screen::kEntryB), "ADD_TEXT_UI_CONFIG_CANCEL");
    EXPECT_EQ(Reads(Screen::kEntryX), "ADD_TEXT_UI_CONFIG_GAMEPLAY_MENU");
    EXPECT_EQ(Reads(Screen::kEntryY), "ADD_TEXT_UI_CONFIG_GAMEPLAY_OUTER");
    EXPECT_EQ(Reads(Screen::kEntryUp), "ADD_TEXT_UI_CONFIG_CURSOR_UP");
    EXPECT_EQ(Reads(Screen::kEntryLeftStick), "ADD_TEXT_UI_INSTRUCTION_05");
    EXPECT_EQ(Instructions().PromptIcon(0)->Sprite(), FindUISprite("ui_instruction_icon_a"));
    StepFrames(30);
    EXPECT_TRUE(UI().IsOpen(kSlotInstruction));
    PointerUp();
    StepFrames(1);
    KeepCanvasPicture("instructions");

    // Decide turns the page: the menu actions.
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_EQ(Instructions().Page(), 1);
    EXPECT_EQ(Reads(Screen::kEntryX), "ADD_TEXT_UI_CONFIG_MENU_FUNCTION_A");
    EXPECT_EQ(Reads(Screen::kEntryY), "ADD_TEXT_UI_CONFIG_MENU_FUNCTION_B");
    EXPECT_EQ(Reads(Screen::kEntryLB), "ADD_TEXT_UI_CONFIG_MENU_TAB_LEFT");
    EXPECT_EQ(Reads(Screen::kEntryLT), "ADD_TEXT_UI_CONFIG_MENU_PAGE_LEFT");

    // A fresh click leads back to the options with the cancel sound.
    StepFrames(1);
    ClickAt(300, 200);
    StepFrames(1);
    const auto& effects = frames.back().soundEffects;
    EXPECT_NE(std::find(effects.begin(), effects.end(), kSeCancel), effects.end());
    EXPECT_TRUE(UI().IsOpen(kSlotOption));
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotInstruction); }, 5));
    ASSERT_TRUE(CloseScreen(kSlotOption));

    // Decide on X, the gameplay menu on A: the names follow the buttons; the next opening is on page 0.
    GetInputMap()->SetPadBinding(kActionDecide, 0x400);
    GetInputMap()->SetPadBinding(kActionGameplayMenu, 0x200);
    UI().SetOpen(kSlotInstruction, true);
    StepFrames(2);
    EXPECT_EQ(Instructions().Page(), 0);
    EXPECT_EQ(Reads(Screen::kEntryX), "ADD_TEXT_UI_CONFIG_DECIDE");
    EXPECT_EQ(Reads(Screen::kEntryA), "ADD_TEXT_UI_CONFIG_GAMEPLAY_MENU");
    EXPECT_EQ(Instructions().PromptIcon(0)->Sprite(), FindUISprite("ui_instruction_icon_x"));
}

}  // namespace
