// The screens without a menu: achievement popup, fade, game center, ticker; and the event choice window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "game/services/achievement/achievements.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/language.h"
#include "game/app/scene/scene_stack.h"
#include "game/services/text/message_text.h"
#include "game/ui/achieve_popup.h"
#include "game/ui/event_selection.h"
#include "game/ui/fade_in_out.h"
#include "game/ui/ui_draw.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class ResidentScreensTest : public support::UITest {};

// The states a run of frames passed through, each with the number of frames it lasted.
std::vector<std::pair<int, int>> Runs(const std::vector<int>& states)
{
    std::vector<std::pair<int, int>> runs;
    for (int state : states) {
        if (runs.empty() || runs.back().first != state) {
            runs.emplace_back(state, 1);
        } else {
            ++runs.back().second;
        }
    }
    return runs;
}

TEST_F(ResidentScreensTest, TwoAchievementsInOneFrameShowOneAfterTheOther)
{
    auto* popup = UI().Get<GAME_CUIAchievePopup>();
    ASSERT_TRUE(popup->IsOpen());
    GAME_CAchievementManager* achievements = GetAchievementManager();
    achievements->popupQueue = {3, 7};
    std::vector<int> states;
    std::vector<std::uint32_t> indexes;
    // The title each frame drew, beside the icon.
    std::vector<std::u16string> titles;
    for (int frame = 0; frame < 640; ++frame) {
        StepFrames(1);
        states.push_back(popup->State());
        indexes.push_back(popup->Index());
        std::u16string title;
        for (const support::RecordedTextDraw& text : frames.back().texts) {
            if (text.x == popup->PointX() + 75.0f && text.y == popup->PointY() + 8.0f) title = text.text;
        }
        titles.push_back(title);
    }
    const std::vector<std::pair<int, int>> expected{{1, 30}, {2, 240}, {3, 30}, {4, 30}, {2, 240}, {5, 30}, {0, 40}};
    EXPECT_EQ(Runs(states), expected);
    EXPECT_EQ(indexes[100], 3u);
    EXPECT_EQ(indexes[400], 7u);
    EXPECT_EQ(indexes.back(), GAME_CUIAchievePopup::kNone);

    // The first keeps its title while it fades out; the second's shows as it fades in.
    const std::u16string first = GetMessageTextExpanded(GetAchievementGameRow(3).messageKey.data());
    const std::u16string second = GetMessageTextExpanded(GetAchievementGameRow(7).messageKey.data());
    ASSERT_NE(first, second);
    EXPECT_EQ(titles[100], first);
    EXPECT_EQ(titles[285], first);
    EXPECT_EQ(titles[315], second);
    EXPECT_EQ(titles[400], second);
}

// In every language each achievement's title and description fit the popup's face right of the
// icon, each on its one line.
TEST_F(ResidentScreensTest, EveryAchievementsTextsFitThePopupInEveryLanguage)
{
    // The texts start 75 units in.
    const float textRoom = UISpriteSize(FindUISprite("ui_popup_bg")).x - 75.0f;
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        for (int index = 0; index < kAchievementCount; ++index) {
            const std::string title(GetAchievementGameRow(index).messageKey.data());
            for (const std::string& key : {title, title + "_DISCRIPT"}) {
                EXPECT_LE(MeasureUIText(GetMessageTextExpanded(key.c_str())), textRoom) << file << ": " << key;
            }
        }
    }
}

TEST_F(ResidentScreensTest, AFadeToAnOpaqueColourStaysAndAFadeToTransparentCloses)
{
    UI().StartFade({0x00000000u, 0xFF000000u, -20, 0});
    ASSERT_TRUE(UI().IsOpen(kSlotFade));
    StepFrames(10);
    UIFadeState state;
    UI().GetFadeState(&state);
    EXPECT_NEAR(state.progress, 0.5f, 0.06f);
    EXPECT_EQ(state.channel, 0u);
    StepFrames(30);
    EXPECT_TRUE(UI().IsOpen(kSlotFade));
    UI().GetFadeState(&state);
    EXPECT_EQ(state.current, 0xFF000000u);
    EXPECT_EQ(state.progress, 1.0f);
    // It covers the view: the canvas is black under it.
    EXPECT_EQ(CanvasPixel(320, 180) & 0xFFFFFFu, 0u);

    UI().StartFade({0xFF000000u, 0x00000000u, 20, 0});
    StepFrames(25);
    EXPECT_FALSE(UI().IsOpen(kSlotFade));

    // Channel 0 is what GetFadeState reports, also while only channel 1 runs.
    UI().StartFade({0x00000000u, 0x80FFFFFFu, 10, 1});
    UI().GetFadeState(&state);
    EXPECT_EQ(state.channel, 0u);
    EXPECT_EQ(state.to, 0x00000000u);
}

TEST_F(ResidentScreensTest, TheGameCenterStartsTheMiniGameInOneFrame)
{
    UI().SetOpen(kSlotGameCenter, true);
    StepFrames(1);
    EXPECT_TRUE(Played(59));
    EXPECT_TRUE(IsSceneOnStack(kSceneMiniGame));
    for (const GAME_CSceneBase* scene : GetSceneStack()->scenes) {
        if (scene->GetSceneId() == kSceneGameMain) {
            EXPECT_TRUE(scene->IsEnd());
        }
    }
    StepFrames(1);
    EXPECT_FALSE(Played(59));
}

TEST_F(ResidentScreensTest, TheTickerRefusesWhenFullAndDrawsItsTextsAsTheyStand)
{
    GAME_CUIInfoBarObject& ticker = UI().Resident()->infoBar;
    ASSERT_TRUE(ticker.ClearMessages());
    auto barPixels = [&] {
        std::vector<std::uint32_t> pixels;
        for (int y = 307; y < 323; ++y) {
            for (int x = 181; x < 464; ++x) pixels.push_back(CanvasPixel(x, y));
        }
        return pixels;
    };
    StepFrames(1);
    const std::vector<std::uint32_t> emptyBar = barPixels();
    EXPECT_FALSE(ticker.AddMessage(nullptr, 0));
    for (std::uint32_t i = 0; i < ticker.RowCount(); ++i) EXPECT_TRUE(ticker.AddMessage(u"100% sure %s %d", i % 5));
    // The texts reach the canvas, though nothing is drawn after the bar.
    StepFrames(100);
    EXPECT_NE(barPixels(), emptyBar);
    EXPECT_FALSE(ticker.AddMessage(u"one too many", 0));
    EXPECT_EQ(ticker.CountMessages(), ticker.RowCount());
    // A second line starts 4 pixels behind the first.
    EXPECT_GT(ticker.GetRow(1).offset, ticker.GetRow(0).offset + 4.0f);
    // Kinds outside the table take the general colour.
    EXPECT_EQ(UILineKindColor(9), UILineKindColor(0));
    EXPECT_NE(UILineKindColor(2), UILineKindColor(0));

    // The texts scroll out and leave their rows free.
    ASSERT_TRUE(StepUntil([&] { return ticker.CountMessages() == 0; }, 6000));
    EXPECT_TRUE(ticker.AddMessage(u"again", 3));
    EXPECT_EQ(ticker.GetRow(0).offset, 0.0f);
}

// In play the HUD's bar is drawn after the ticker along its top: the ticker's text must still be seen
// there, not only shine faintly through the bar.
TEST_F(ResidentScreensTest, TheTickersTextShowsOverTheHudsBar)
{
    UI().SetOpen(kSlotCommon, true);
    GAME_CUIInfoBarObject& ticker = UI().Resident()->infoBar;
    ASSERT_TRUE(ticker.ClearMessages());
    StepFrames(20);
    auto barPixels = [&] {
        std::vector<std::uint32_t> pixels;
        for (int y = 312; y < 321; ++y) {
            for (int x = 200; x < 440; ++x) pixels.push_back(CanvasPixel(x, y));
        }
        return pixels;
    };
    const std::vector<std::uint32_t> emptyBar = barPixels();
    ASSERT_TRUE(ticker.AddMessage(u"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", 0));
    StepFrames(200);
    const std::vector<std::uint32_t> shown = barPixels();
    int stronglyChanged = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        int largest = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const int a = static_cast<int>((shown[i] >> shift) & 0xFF);
            const int b = static_cast<int>((emptyBar[i] >> shift) & 0xFF);
            largest = std::max(largest, a > b ? a - b : b - a);
        }
        if (largest >= 64) ++stronglyChanged;
    }
    EXPECT_GT(stronglyChanged, 100);
}

// A line longer than the bar, once it runs past both of its ends, shows only inside the bar: the
// canvas left and right of it stays as it was before the line came, and every draw of the line is
// clipped to the bar.
TEST_F(ResidentScreensTest, TheTickerShowsItsTextOnlyInsideItsBar)
{
    GAME_CUIInfoBarObject& ticker = UI().Resident()->infoBar;
    ASSERT_TRUE(ticker.ClearMessages());
    world->held = 1;
    auto besideBar = [&] {
        std::vector<std::uint32_t> pixels;
        for (int y = 305; y < 325; ++y) {
            for (int x = 100; x < 181; ++x) pixels.push_back(CanvasPixel(x, y));
            for (int x = 464; x < 560; ++x) pixels.push_back(CanvasPixel(x, y));
        }
        return pixels;
    };
    StepFrames(1);
    const std::vector<std::uint32_t> before = besideBar();
    const std::u16string line(160, u'W');
    ASSERT_TRUE(ticker.AddMessage(line.c_str(), 2));
    ASSERT_TRUE(StepUntil([&] { return ticker.GetRow(0).offset < -400.0f; }, 1000));
    ASSERT_GT(ticker.GetRow(0).offset + MeasureUIText(line), 100.0f);
    EXPECT_EQ(besideBar(), before);
    const support::RecordedTextDraw* draw = FindTextDraw(line);
    ASSERT_NE(draw, nullptr);
    EXPECT_EQ(draw->clip, (vesk::graphics::CanvasRect{{181.0f, 307.0f}, {283.0f, 16.0f}}));
}

TEST_F(ResidentScreensTest, OneEventChoiceSitsLeftOfCentreAndTakesNoDecideWhileItSlidesIn)
{
    GAME_CUIEventSelectionObject* choices = GetEventSelection();
    choices->Open();
    choices->ClearChoices();
    choices->SetTitle(u"A dune blocks the way");
    const GAME_CUIEventSelectionObject::Choice only{0, u"Dig through\nall night"};
    choices->SetChoice(&only);
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_EQ(choices->Answer(), -1);
    EXPECT_EQ(choices->RowPosition(0).x, 206.0f);
    EXPECT_EQ(choices->RowPosition(0).y, 167.0f);
    EXPECT_EQ(std::u16string(choices->RowLabel(0, 1)->Literal()), u"all night");
    for (int i = 0; i < 12; ++i) {
        PressAction(kActionDecide);
        StepFrames(1);
        EXPECT_EQ(choices->Answer(), -1);
    }
    StepFrames(4);
    ASSERT_EQ(choices->State(), 2);
    // Up and down have nowhere to go with one choice.
    PressAction(kActionCursorDown);
    StepFrames(1);
    EXPECT_EQ(choices->Cursor(), 0u);
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_EQ(choices->Answer(), 0);
    EXPECT_TRUE(Played(kSeDecide));

    // A text longer than a row keeps three lines of 127 characters.
    const GAME_CUIEventSelectionObject::Choice longText{1, std::u16string(300, u'a') + u"\n\n\nb\nc\nd\ne"};
    choices->SetChoice(&longText);
    StepFrames(1);
    EXPECT_EQ(choices->RowLabel(1, 0)->Literal().size(), 127u);
    EXPECT_EQ(std::u16string(choices->RowLabel(1, 2)->Literal()), u"c");
    choices->Close();
    ASSERT_TRUE(StepUntil([&] { return !choices->IsActive(); }, 20));
}

TEST_F(ResidentScreensTest, TheUISpritesAreInTheRoomPackageAtTheSizesTheLayoutsUse)
{
    for (const char* name : {"ui_dialogbase", "ui_separator_dialog", "ui_enterbutton", "ui_enterbutton_touch", "ui_closebutton",
                             "ui_closebutton_touch", "ui_cursor_common_r90", "ui_cursor_baselabel", "ui_windowbase",
                             "ui_windowbase_bg", "ui_select_highlight", "ui_separator_right", "ui_separator_left_rat",
                             "ui_scrollbar_frame_side", "ui_scrollbar_frame_center", "ui_scrollbar_gauge",
                             "ui_sliderbar_slider", "ui_map_sliderbar", "ui_map_sliderbar_bg", "ui_option_toggle_bg_off",
                             "ui_option_toggle_bg_on", "ui_option_toggle_button", "ui_text_on", "ui_text_off",
                             "ui_icon_actor", "ui_icon_bind_live", "ui_icon_bind_work", "ui_icon_stamina_calorie2",
                             "ui_text_num_slash", "ui_text_infinity", "ui_common_bg", "ui_popup_bg",
                             "ui_windowchoices_title_bg", "ui_windowchoices_title", "ui_windowchoices_title_scan",
                             "ui_windowchoices_bg", "ui_windowchoices", "ui_windowchoices_scan", "ui_windowchoices_separator"}) {
        EXPECT_NE(FindUISprite(name), kNoSprite) << name;
    }
    EXPECT_EQ(UISpriteSize(FindUISprite("ui_dialogbase")).x, 280.0f);
    for (char digit = '0'; digit <= '9'; ++digit) {
        EXPECT_EQ(UISpriteSize(FindUISprite(std::string("ui_text_num_") + digit)).x, 5.0f);
    }
}

}  // namespace
