// The event window (slot 25): for now a box that shows the event's text whole at once.
#include "game/ui/screens/ui_event.h"

#include "game/services/text/message_text.h"
#include "game/ui/ui_draw.h"

namespace {

constexpr float kBoxX = 40.0f;
constexpr float kBoxY = 236.0f;
constexpr float kBoxWidth = 560.0f;
constexpr float kBoxHeight = 100.0f;
constexpr float kTextInset = 10.0f;
constexpr std::uint32_t kBoxColor = 0xC0101418u;
constexpr int kMaxLines = 6;

}  // namespace

void GAME_CUIEvent::SetMessageKey(const char* key)
{
    messageKey.Assign(key);
    text = key != nullptr ? GetMessageTextExpanded(key) : u"";
    TextChanged();
}

void GAME_CUIEvent::SetText(const char16_t* literal)
{
    messageKey.Assign(nullptr);
    text = literal != nullptr ? literal : u"";
    TextChanged();
}

void GAME_CUIEvent::AppendText(const char16_t* more)
{
    if (more == nullptr) return;
    text += more;
    TextChanged();
}

void GAME_CUIEvent::TextChanged()
{
    done = 0;
    totalLength = static_cast<std::uint32_t>(text.size());
    shownLength = totalLength;
}

std::u16string GAME_CUIEvent::ShownText() const
{
    const std::size_t page = text.rfind(kNewPage);
    return page == std::u16string::npos ? text : text.substr(page + 1);
}

void GAME_CUIEvent::Update(bool input)
{
    GAME_CUIScreen::Update(input);
    shownLength = totalLength;
    done = 1;
}

void GAME_CUIEvent::Draw()
{
    if (State() == kClosed) return;
    const float slide = Root() != nullptr ? Root()->GetPosition()->y : 0.0f;
    DrawUIRect({kBoxX, kBoxY + slide}, {kBoxWidth, kBoxHeight}, kBoxColor);
    const std::u16string page = ShownText();
    const float lineHeight = UILineHeight() > 0.0f ? UILineHeight() : 15.0f;
    std::size_t start = 0;
    for (int line = 0; line < kMaxLines && start <= page.size(); ++line) {
        const std::size_t end = page.find(u'\n', start);
        const std::u16string_view row = std::u16string_view(page).substr(start, end == std::u16string::npos ? std::u16string::npos : end - start);
        DrawUIText({kBoxX + kTextInset, kBoxY + slide + kTextInset + lineHeight * static_cast<float>(line)}, row, textColor);
        if (end == std::u16string::npos) break;
        start = end + 1;
    }
    FlushUISprites();
}
