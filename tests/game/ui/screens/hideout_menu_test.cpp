// The hideout: the root opening where the ship stops, the menu of the facilities a hideout offers, choosing and opening one, and the labels a road arms for the menu and its facilities.
// With VARNOLIS_UI_PICTURE_DIR=<folder> the test also writes the canvas at its stops as PPM pictures to look at.
#include <gtest/gtest.h>

#include <string_view>

#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/data/world_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/working_slot.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/ui/screens/ui_ajito_menu.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_ship_status.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_label_object.h"
#include "tests/game/ui/screens/hideout_menu_steps.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

constexpr std::uint32_t kSeDecide = 0;
constexpr std::uint32_t kSeCursor = 58;
// The road from Cheddar Springs to Old Well.
constexpr std::uint32_t kRoadToOldWell = 2;

class HideoutMenuTest : public support::HideoutMenuSteps<support::UITest> {
protected:
    void SetUp() override
    {
        support::UITest::SetUp();
        UI().SetOpen(kSlotCommon, true);
        StepFrames(20);
        oldWell = GetStaticDatabase()->GetOrCreateHideoutData(MakeTag("AD04"));
    }

    GAME_CRouteManager& Route() const { return *world->travel->routeManager; }

    // The ship takes the road to Old Well, sets out (the hideout it leaves is forgotten) and stands at
    // the road's end: the hideout root opens there.
    void ArriveAtOldWell()
    {
        StartRoute(*world->travel, &kRoadToOldWell, true, {}, {});
        Route().SetPosition(100);
        ASSERT_TRUE(StepUntil([&] { return world->travel->GetLocation() == nullptr && !UI().IsOpen(kSlotAjitoRoot); }, 10));
        Route().SetPosition(Route().GetLength());
        ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotAjitoRoot); }, 10));
    }

    // The emphasis starts at the frame after the choice.
    void WaitOutEmphasis()
    {
        StepFrames(1);
        ASSERT_TRUE(Menu().IsEmphasizing());
        ASSERT_TRUE(StepUntil([&] { return !Menu().IsEmphasizing(); }, GAME_CUIAjitoMenu::kEmphasisFrames));
    }

    void Click(vesk::math::Vec2 point)
    {
        ClickAt(static_cast<int>(point.x), static_cast<int>(point.y));
        StepFrames(1);
    }

    // From the menu as the player goes with the keys: down to the facility, decide once it has grown;
    // the facility slides in and rests.
    void OpenFacility(int index, int slot)
    {
        ASSERT_NO_FATAL_FAILURE(OpenMenuFromHud());
        StepFrames(GAME_CUIAjitoMenu::kEmphasisFrames + 1);
        for (int step = 0; step < GAME_CUIAjitoMenu::kButtonCount && Menu().Selection() != index; ++step) {
            PressAction(kActionCursorDown);
            StepFrames(GAME_CUIAjitoMenu::kEmphasisFrames + 2);
        }
        ASSERT_EQ(Menu().Selection(), index);
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return UI().Get<GAME_CUIScreen>(slot)->State() == UIScreenState::kMain; }, 40)) << slot;
    }

    // The facility's close, back to the menu, and the menu's close, back to the game.
    void LeaveFacility(int slot)
    {
        PressAction(kActionCancel);
        ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(slot) && Menu().State() == UIScreenState::kMain; }, 60)) << slot;
        PressAction(kActionCancel);
        ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotAjitoMenu); }, 40));
    }

    std::string_view NoticeKey() const { return UI().Get<GAME_CUIShipStatus>()->notice.key.c_str(); }

    HideoutData* oldWell = nullptr;
};

// Old Well with only its quest board: the menu moves the choice from the first button to the quest
// board as it opens, and the road's label welcomes the ship once. Input waits for the quest board to
// grow into the panel; decide then opens it. Back with its real facilities, the choice is kept, a
// first press on the pub only chooses it, a second opens the pub; a press where a hidden button would
// be does nothing.
TEST_F(HideoutMenuTest, TheMenuOpensOnTheOfferedFacilityAndASecondPressOpensIt)
{
    const std::uint32_t services = oldWell->facilities;
    oldWell->facilities = 1u << GAME_CUIAjitoMenu::kQuest;
    ASSERT_EQ(Menu().Selection(), GAME_CUIAjitoMenu::kFuel);
    ArriveAtOldWell();
    // Taking the road armed the menu's label.
    ASSERT_NE(Route().Script().scriptWords[0], -1);
    EXPECT_EQ(world->travel->GetLocation()->hideoutId, MakeTag("AD04"));
    EXPECT_TRUE(GetSlotBit(GetWorkingSlot(), save_layout::slot::kVisitedHideouts, save_layout::slot::kVisitedHideoutBits, 3));

    OpenMenuFromHud();
    EXPECT_EQ(Menu().Selection(), GAME_CUIAjitoMenu::kQuest);
    EXPECT_EQ(Route().Script().scriptWords[0], -1);
    EXPECT_EQ(NoticeKey(), "ROUTE_OLD_WELL_WELCOME");
    EXPECT_STREQ(Menu().Title()->Key(), "AD04");
    for (int i = 0; i < GAME_CUIAjitoMenu::kButtonCount; ++i) EXPECT_EQ(Menu().Button(i)->IsVisible(), i == GAME_CUIAjitoMenu::kQuest);

    // While the quest board grows, decide counts for nothing.
    ASSERT_TRUE(Menu().IsEmphasizing());
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_FALSE(UI().IsOpen(kSlotQuestBoard));
    WaitOutEmphasis();
    EXPECT_EQ(Menu().Placement(GAME_CUIAjitoMenu::kQuest)->GetScale()->x, 2.0f);
    // The pub's place is empty: a press there does nothing.
    Click(GAME_CUIAjitoMenu::HomeOf(GAME_CUIAjitoMenu::kPub));
    EXPECT_FALSE(Played(kSeCursor));
    EXPECT_EQ(Menu().Selection(), GAME_CUIAjitoMenu::kQuest);
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeDecide));
    EXPECT_TRUE(UI().IsOpen(kSlotQuestBoard));
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotAjitoMenu); }, 30));
    // The facility keeps the game stopped behind it.
    EXPECT_EQ(world->held, 1u);
    ASSERT_TRUE(CloseScreen(kSlotQuestBoard));

    // Again with fuel, quest board and pub: the choice stays, the label has run for good.
    oldWell->facilities = services;
    OpenMenuFromHud();
    EXPECT_EQ(Menu().Selection(), GAME_CUIAjitoMenu::kQuest);
    EXPECT_FALSE(Menu().IsEmphasizing());
    EXPECT_EQ(Route().Script().scriptWords[0], -1);
    EXPECT_TRUE(Menu().Button(GAME_CUIAjitoMenu::kFuel)->IsVisible());
    EXPECT_FALSE(Menu().Button(GAME_CUIAjitoMenu::kMarket)->IsVisible());
    EXPECT_TRUE(Menu().Button(GAME_CUIAjitoMenu::kPub)->IsVisible());
    Click(GAME_CUIAjitoMenu::HomeOf(GAME_CUIAjitoMenu::kPub));
    EXPECT_TRUE(Played(kSeCursor));
    EXPECT_EQ(Menu().Selection(), GAME_CUIAjitoMenu::kPub);
    EXPECT_FALSE(UI().IsOpen(kSlotPub));
    WaitOutEmphasis();
    EXPECT_EQ(Menu().Placement(GAME_CUIAjitoMenu::kQuest)->GetScale()->x, 1.0f);
    KeepCanvasPicture("hideout-menu-pub");
    Click({GAME_CUIAjitoMenu::kPanelTopLeft.x + 128.0f, GAME_CUIAjitoMenu::kPanelTopLeft.y + 78.0f});
    EXPECT_TRUE(Played(kSeDecide));
    EXPECT_TRUE(UI().IsOpen(kSlotPub));
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotAjitoMenu); }, 30));
}

// The road to Old Well is taken at Cheddar Springs, and before the ship sets out the player visits
// the menu there: Old Well's welcome is not said at Cheddar Springs, and it still greets the ship
// when it comes in to Old Well.
TEST_F(HideoutMenuTest, OldWellsWelcomeWaitsForTheShipToComeInToOldWell)
{
    StartRoute(*world->travel, &kRoadToOldWell, true, {}, {});
    ASSERT_TRUE(StepUntil([&] { return world->travel->GetLocation() != nullptr && UI().IsOpen(kSlotAjitoRoot); }, 10));
    ASSERT_EQ(world->travel->GetLocation()->hideoutId, MakeTag("AD01"));
    OpenMenuFromHud();
    EXPECT_NE(NoticeKey(), "ROUTE_OLD_WELL_WELCOME");
    StepFrames(GAME_CUIAjitoMenu::kEmphasisFrames + 1);
    PressAction(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotAjitoMenu); }, 40));

    Route().SetPosition(100);
    ASSERT_TRUE(StepUntil([&] { return world->travel->GetLocation() == nullptr && !UI().IsOpen(kSlotAjitoRoot); }, 10));
    Route().SetPosition(Route().GetLength());
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotAjitoRoot); }, 10));
    OpenMenuFromHud();
    EXPECT_EQ(NoticeKey(), "ROUTE_OLD_WELL_WELCOME");
}

// A road arms a label for each facility of the hideout it ends at: the gas station, the market and the
// pub each run theirs once, as they come in, and leave the others armed. Old Well's welcome, armed
// for the gas station, greets the ship as the gas station opens.
TEST_F(HideoutMenuTest, EachFacilityRunsTheLabelItsRoadArmedForItAsItComesIn)
{
    oldWell->facilities = 0xF;
    ArriveAtOldWell();
    auto& words = Route().Script().scriptWords;
    // The road armed the welcome for the menu; it goes to the gas station instead.
    const std::int32_t welcome = words[0];
    ASSERT_NE(welcome, -1);
    words[0] = -1;
    words[1] = welcome;
    // Commands the script lacks: dropped, but taken all the same.
    words[2] = 1'000'000;
    words[5] = 1'000'000;

    ASSERT_NO_FATAL_FAILURE(OpenFacility(GAME_CUIAjitoMenu::kFuel, kSlotGasStation));
    EXPECT_EQ(words[1], -1);
    EXPECT_EQ(NoticeKey(), "ROUTE_OLD_WELL_WELCOME");
    EXPECT_EQ(words[2], 1'000'000);
    EXPECT_EQ(words[5], 1'000'000);
    ASSERT_NO_FATAL_FAILURE(LeaveFacility(kSlotGasStation));

    ASSERT_NO_FATAL_FAILURE(OpenFacility(GAME_CUIAjitoMenu::kMarket, kSlotShop));
    EXPECT_EQ(words[2], -1);
    EXPECT_EQ(words[5], 1'000'000);
    ASSERT_NO_FATAL_FAILURE(LeaveFacility(kSlotShop));

    ASSERT_NO_FATAL_FAILURE(OpenFacility(GAME_CUIAjitoMenu::kPub, kSlotPub));
    EXPECT_EQ(words[5], -1);
    ASSERT_NO_FATAL_FAILURE(LeaveFacility(kSlotPub));
    EXPECT_TRUE(UI().IsOpen(kSlotCommon));
    EXPECT_EQ(world->held, 0u);
}

// A hideout with nothing to visit: no button, the highlight gone and the notice in the middle of the
// window; decide does nothing, cancel closes the menu and lets the game run again.
TEST_F(HideoutMenuTest, AHideoutWithoutFacilitiesSaysSoAndCancelGoesBackToTheGame)
{
    oldWell->facilities = 0;
    ArriveAtOldWell();
    OpenMenuFromHud();
    StepFrames(GAME_CUIAjitoMenu::kEmphasisFrames + 1);
    EXPECT_FALSE(Menu().Highlight()->IsVisible());
    EXPECT_NE(FindTextDraw(GetMessageTextExpanded("AJITOUI_NOT_ANY_SHOP")), nullptr);
    KeepCanvasPicture("hideout-menu-empty");
    PressAction(kActionDecide);
    StepFrames(2);
    for (const int slot : {kSlotGasStation, kSlotShop, kSlotQuestBoard, kSlotPub}) EXPECT_FALSE(UI().IsOpen(slot));
    EXPECT_EQ(world->held, 1u);

    PressAction(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotAjitoMenu); }, 40));
    EXPECT_TRUE(UI().IsOpen(kSlotCommon));
    EXPECT_TRUE(UI().IsOpen(kSlotAjitoRoot));
    EXPECT_EQ(world->held, 0u);
    EXPECT_EQ(world->fieldStick, 1u);
}

// A facility's title is the town's name with the words for what the facility is around it, each
// said once: words the town's own name already holds read twice (in Chinese, Mirage Market's bazaar
// was 蜃楼市集市集, "Mirage Market Market").
TEST_F(HideoutMenuTest, NoFacilityTitleSaysItsWordsTwiceInAnyLanguage)
{
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        for (const auto& [town, hideout] : GetStaticDatabase()->Hideouts()) {
            for (const std::string& key : hideout.typeNameKeys) {
                const std::u16string title = FormatUIMessage(key, {UITagName(town)});
                const std::u16string format = GetMessageTextExpanded(key);
                const std::size_t name = format.find(u"%ls");
                ASSERT_NE(name, std::u16string::npos) << key;
                for (std::u16string words : {format.substr(0, name), format.substr(name + 3)}) {
                    std::erase(words, u' ');
                    if (words.empty()) continue;
                    const std::size_t first = title.find(words);
                    EXPECT_EQ(title.find(words, first + 1), std::u16string::npos)
                        << GetMessageFileForLanguage(language) << ": " << key << " at " << TagText(town);
                }
            }
        }
    }
}

}  // namespace
