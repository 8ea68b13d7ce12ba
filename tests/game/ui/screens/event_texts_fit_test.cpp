// Every text the road scripts put in the event window fits its panel in every language, measured with the game's own fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "framework/text/font_manager.h"
#include "game/services/player/player_data.h"
#include "game/services/text/language.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/text_lines.h"
#include "tests/support/build_paths.h"
#include "tests/support/game_fixture.h"
#include "tests/support/message_data.h"
#include "tools/common/whole_file.h"

namespace {

// The rule under each line is 318 units long from x 157; the text starts at x 175.
constexpr float kPanelTextWidth = 300.0f;
constexpr std::size_t kPanelLines = GAME_CUIEvent::kPanelLines;
// A variable written into the window: as wide as a six-digit number in full-width digits.
constexpr std::u16string_view kNumberStandIn = u"８８８８８８";

// One text the window shows, as the script builds it: everything added since the window was
// last opened, emptied or given a new text. A label reached by a jump is taken to follow the
// lines above it, which counts some texts together that never meet: never fewer lines.
struct WindowText {
    std::string where;
    std::u16string text;
};

std::string Unquoted(const std::string& word)
{
    return word.size() >= 2 && word.front() == '"' && word.back() == '"' ? word.substr(1, word.size() - 2) : word;
}

std::vector<WindowText> WindowTextsOfTheRoads(const std::map<std::string, std::u16string>& messages)
{
    const std::string path =
        (support::SourceRoot() / "data/script/route_script.vss").string();
    const std::string source = tools::ReadTextFile(path).value_or("");
    EXPECT_FALSE(source.empty()) << path;
    std::vector<WindowText> texts;
    WindowText current;
    auto finish = [&] {
        if (!current.text.empty()) texts.push_back(current);
        current.text.clear();
    };
    std::istringstream lines(source);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream words(line.substr(0, line.find(';')));
        std::string command, first, second, third;
        words >> command >> first >> second >> third;
        const std::string where = "route_script.vss:" + std::to_string(number);
        auto messageText = [&](const std::string& word) {
            const auto found = messages.find(Unquoted(word));
            EXPECT_NE(found, messages.end()) << where << ": no message " << word;
            return found != messages.end() ? found->second : std::u16string();
        };
        // Closing leaves the text: a label jumped to from a choice adds to the text it follows.
        if (command == ".entry" || (command == "text.window" && first == "1") || command == "text.clear") {
            finish();
        } else if (command == "text.show" || command == "text.show_full") {
            finish();
            current = {where, messageText(second)};
        } else if (command == "text.add" || command == "text.add_full" || command == "text.add_number") {
            if (current.text.empty()) current.where = where;
            if (second == "1") current.text += u'\x1b';
            current.text += command == "text.add_number" ? std::u16string(kNumberStandIn) : messageText(first);
        }
    }
    finish();
    return texts;
}

class EventTextsFit : public support::GameFixture {};

TEST_F(EventTextsFit, EveryRoadTextFitsThePanelInEveryLanguage)
{
    StartGame();
    ASSERT_TRUE(StepUntilMainGame());
    const vesk::text::SYS_CFontManager& fonts = *vesk::text::GetFontManager();
    for (const auto& [language, index] : support::kMessageLanguages) {
        // Slot 0 carries the font of the chosen language from the next frame on.
        ChooseLanguage(index);
        std::map<std::string, std::u16string> messages;
        for (const auto& entry : support::ReadMessageSource(language).entries) messages[entry.key] = entry.text;
        const auto slot = static_cast<int>(GetFontSlotForLanguage(index));
        const std::vector<WindowText> texts = WindowTextsOfTheRoads(messages);
        EXPECT_GT(texts.size(), 10u);
        float widest = 0.0f;
        for (const WindowText& text : texts) {
            const std::vector<std::u16string> rows = SplitTextLines(text.text);
            EXPECT_LE(rows.size(), kPanelLines) << language << ", the text from " << text.where;
            // A window's first text starts on its first line.
            EXPECT_FALSE(rows.empty() || rows.front().empty()) << language << ", the text from " << text.where;
            for (const std::u16string& row : rows) {
                const float width = fonts.MeasureString(slot, row, 0.0f, nullptr, false);
                EXPECT_LE(width, kPanelTextWidth)
                    << language << ", the text from " << text.where << ", line " << (&row - rows.data()) + 1;
                widest = std::max(widest, width);
            }
        }
        // The language's font is there to measure with, and the panel's width is used.
        EXPECT_GT(widest, kPanelTextWidth * 0.6f) << language;
    }
}

}  // namespace
