// The event window as a reader meets it: typing with its sound, completing, confirming, the fast CANCEL, added text, the NEXT prompt and the picture.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>

#include "framework/utility/script/script_thread.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/language.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "tests/game/ui/ui_test_base.h"
#include "tests/support/build_paths.h"
#include "tests/support/message_data.h"

namespace {

constexpr std::uint32_t kTypingSound = 44;

class EventWindowTest : public support::UITest {
protected:
    GAME_CUIEvent& Window() const { return *UI().Get<GAME_CUIEvent>(); }
    const std::u16string& Shown() const { return Window().Text().shownText; }

    // Opened as a script opens it, with the typing sound it sets; the script stays on its event, or
    // the travel step would close the window.
    void OpenWindow()
    {
        world->travel->routeManager->Script().GetThreads()->Main().running = 1;
        UI().SetOpen(kSlotEvent, true);
        StepFrames(1);
        UI().SetEventSound(static_cast<std::int32_t>(kTypingSound));
    }

    // A new text, taken by the window at the next frame with nothing of it shown yet.
    void ShowText(std::u16string_view text)
    {
        Window().SetText(std::u16string(text).c_str());
        StepFrames(1);
        ASSERT_TRUE(Shown().empty());
    }
};

TEST_F(EventWindowTest, AReaderTypesThroughCompletesConfirmsSpeedsUpAndReadsOnUntilTheNextPrompt)
{
    OpenWindow();
    const std::u16string wind = u"The wind rises over the dunes.";
    ASSERT_NO_FATAL_FAILURE(ShowText(wind));

    // A character a frame, the typing sound with every second one.
    for (std::size_t frame = 1; frame <= 6; ++frame) {
        StepFrames(1);
        EXPECT_EQ(Shown(), wind.substr(0, frame));
        EXPECT_EQ(Played(kTypingSound), frame % 2 == 0) << "frame " << frame;
    }
    // DECIDE completes the text at the next frame without the sound; the text waits, unconfirmed.
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_EQ(Shown().size(), 7u);
    StepFrames(1);
    EXPECT_EQ(Shown(), wind);
    EXPECT_FALSE(Played(kTypingSound));
    StepFrames(40);
    EXPECT_FALSE(Window().IsFinished());
    EXPECT_TRUE(UI().IsOpen(kSlotEvent));
    // The second DECIDE confirms it.
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_TRUE(Window().IsFinished());

    // Added text takes the confirmation back and types on from the old end, on a new line.
    Window().AppendText(u"\x1bSand fills the air.");
    EXPECT_FALSE(Window().IsFinished());
    StepFrames(2);
    EXPECT_EQ(Shown(), wind + u"\x1bS");
    EXPECT_EQ(Window().Text().lineCount, 2);

    // CANCEL held types six characters a frame, the sound every second frame, and confirms the
    // text in the first frame all of it is shown.
    const std::u16string twenty = u"abcdefghijklmnopqrst";
    ASSERT_NO_FATAL_FAILURE(ShowText(twenty));
    HoldAction(kActionCancel, 4);
    for (std::size_t frame = 1; frame <= 3; ++frame) {
        StepFrames(1);
        EXPECT_EQ(Shown().size(), 6 * frame);
        EXPECT_EQ(Played(kTypingSound), frame == 2) << "frame " << frame;
        EXPECT_FALSE(Window().IsFinished());
    }
    StepFrames(1);
    EXPECT_EQ(Shown(), twenty);
    EXPECT_TRUE(Window().IsFinished());
    StepFrames(2);

    // Three lines parted by ESC: each a separator lower, NEXT on the fourth line's place, centred,
    // shown 16 frames in every 32 once all is shown.
    ASSERT_NO_FATAL_FAILURE(ShowText(u"Dust ahead.\x1bRaiders!\x1bMan the catapult."));
    PressAction(kActionDecide);
    StepFrames(2);
    ASSERT_TRUE(Window().AllShown());
    const float textY = GAME_CUIEvent::kPanelFirstBaseY - UILineHeight();
    const support::RecordedTextDraw* second = FindTextDraw(u"Raiders!");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->x, GAME_CUIEvent::kPanelTextX);
    EXPECT_EQ(second->y, textY + 18.0f);
    int promptFrames = 0;
    for (int frame = 0; frame < 32; ++frame) {
        StepFrames(1);
        const support::RecordedTextDraw* prompt = FindTextDraw(u"NEXT");
        if (prompt == nullptr) continue;
        ++promptFrames;
        EXPECT_EQ(prompt->y, textY + 54.0f);
        EXPECT_EQ(prompt->x, 320.0f - static_cast<float>(static_cast<int>(MeasureUIText(u"NEXT"))));
    }
    EXPECT_EQ(promptFrames, 16);
    EXPECT_FALSE(Window().IsFinished());

    // A picture stands at the lower left, with the window's picture mark; "text.clear" empties the
    // window, which then shows no prompt and counts as read at the first DECIDE.
    const std::int32_t rat = FindUISprite("rat_stand_01");
    UI().SetEventWindowParams(rat, kUISpriteGroup, 0, 0, 4.0f);
    StepFrames(1);
    const support::RecordedSpriteDraw* picture = FindSpriteDraw(kUISpriteGroup, "rat_stand_01");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->x, 112.0f);
    EXPECT_EQ(picture->y, 360.0f);
    EXPECT_NE(FindSpriteDraw(kUISpriteGroup, "ui_eventwindow_icon"), nullptr);
    UI().ShowEventMessage(UIEventTextValue{0, UIEventTextValue::kStringTag, {}, {}});
    StepFrames(32);
    EXPECT_EQ(FindTextDraw(u"NEXT"), nullptr);
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_TRUE(Window().IsFinished());
    KeepCanvasPicture("event-window");
}

// The prompt to read on is the chosen language's own word, drawn in that language's font, and under
// the longest text the panel holds it still stands inside the panel.
TEST_F(EventWindowTest, ThePromptToReadOnSpeaksEachLanguageAndStaysInsideThePanel)
{
    const std::int32_t panel = FindUISprite("ui_eventwindow_bg");
    const vesk::math::Vec2 panelSize = UISpriteSize(panel);
    constexpr float kPanelLeft = 140.0f;
    constexpr float kPanelTop = 60.0f;
    OpenWindow();
    for (const auto& [language, index] : support::kMessageLanguages) {
        std::u16string prompt;
        for (const auto& entry : support::ReadMessageSource(language).entries) {
            if (entry.key == "EVENT_WINDOW_NEXT") prompt = entry.text;
        }
        ASSERT_FALSE(prompt.empty()) << language;
        ChooseLanguage(index);
        // Eight lines, as many as the panel has rules for.
        std::u16string lines = u"Dust.";
        for (int line = 2; line <= 8; ++line) lines.append(u"\x1b" u"Dust.");
        ASSERT_NO_FATAL_FAILURE(ShowText(lines));
        PressAction(kActionDecide);
        StepFrames(2);
        ASSERT_TRUE(Window().AllShown()) << language;
        const support::RecordedTextDraw* drawn = nullptr;
        for (int frame = 0; frame < GAME_CUIEvent::kPromptPeriod && drawn == nullptr; ++frame) {
            StepFrames(1);
            drawn = FindTextDraw(prompt);
            if (index != kLanguageEnglish) {
                EXPECT_EQ(FindTextDraw(u"NEXT"), nullptr) << language;
            }
        }
        ASSERT_NE(drawn, nullptr) << language;
        EXPECT_EQ(drawn->font, static_cast<std::uint32_t>(UIFontSlot())) << language;
        const float width = MeasureUIText(prompt);
        EXPECT_GT(width, 0.0f) << language;
        EXPECT_GE(drawn->x, kPanelLeft) << language;
        EXPECT_LE(drawn->x + width, kPanelLeft + panelSize.x) << language;
        EXPECT_GE(drawn->y, kPanelTop) << language;
        EXPECT_LE(drawn->y + UILineHeight(), kPanelTop + panelSize.y) << language;
        KeepCanvasPicture(std::string("event-window-prompt-") + language);
        PressAction(kActionDecide);
        StepFrames(1);
        EXPECT_TRUE(Window().IsFinished()) << language;
    }
}

// Every line the roads write into the event window stands inside its panel, in every language: the
// keys are those the road script adds to or shows in the window.
TEST_F(EventWindowTest, EveryLineTheRoadsWriteStaysInsideThePanelInEveryLanguage)
{
    std::ifstream file(support::SourceRoot() / "data/script/route_script.vss");
    std::stringstream script;
    script << file.rdbuf();
    const std::string source = script.str();
    std::set<std::string> keys;
    const std::regex written(R"re(text\.(?:add|add_full|show|show_full) +"([A-Z0-9_]+)")re");
    for (auto it = std::sregex_iterator(source.begin(), source.end(), written); it != std::sregex_iterator(); ++it) {
        keys.insert((*it)[1].str());
    }
    ASSERT_GT(keys.size(), 20u);
    // The text keeps the margin on the right that it keeps on the left.
    constexpr float kPanelLeft = 140.0f;
    const float textRight = kPanelLeft + UISpriteSize(FindUISprite("ui_eventwindow_bg")).x - (GAME_CUIEvent::kPanelTextX - kPanelLeft);
    for (const auto& [language, index] : support::kMessageLanguages) {
        ChooseLanguage(index);
        StepFrames(1);
        for (const auto& entry : support::ReadMessageSource(language).entries) {
            if (!keys.contains(entry.key)) continue;
            for (const std::u16string& line : SplitTextLines(entry.text)) {
                EXPECT_LE(GAME_CUIEvent::kPanelTextX + MeasureUIText(line), textRight) << entry.key << " in " << language;
            }
        }
    }
}

}  // namespace
