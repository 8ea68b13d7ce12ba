// The message log screen (slot 34): the last 64 notices of the game in a window of ten rows.
#include "game/ui/message_log.h"

#include <algorithm>

#include "game/services/player/player_data.h"
#include "game/services/text/full_width.h"
#include "game/services/text/message_text.h"
#include "game/services/text/number_format.h"
#include "game/services/clock/game_clock.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"
#include "game/ui/widgets/ui_scroll_bar_object.h"

namespace {

// A row's pointer rectangle.
constexpr vesk::math::Vec2 kRowHitSize{256.0f, 18.0f};

const char* const kTallyKeys[6] = {"ADD_TEXT_UI_MESSAGELOG_01", "ADD_TEXT_UI_MESSAGELOG_02",
                                   "ADD_TEXT_UI_MESSAGELOG_03", "ADD_TEXT_UI_MESSAGELOG_04",
                                   "ADD_TEXT_UI_MESSAGELOG_05", "ADD_TEXT_UI_MESSAGELOG_06"};

}  // namespace

GAME_CUIMessageLog::GAME_CUIMessageLog(const UIScreenContext& context)
    : GAME_CUIScreen({.holdsGame = true}, &context)
{
    Build();
}

GAME_CUIMessageLog::~GAME_CUIMessageLog() = default;

const GAME_CUIMessageLog::Line& GAME_CUIMessageLog::GetLine(int index) const
{
    static const Line kEmpty{};
    if (index < 0 || index >= count_) return kEmpty;
    return lines_[static_cast<std::size_t>((first_ + index) % kLineCount)];
}

void GAME_CUIMessageLog::AddMessage(const char16_t* text, std::int32_t kind)
{
    if (text == nullptr || text[0] == 0) return;
    int slot = 0;
    if (count_ < kLineCount) {
        slot = (first_ + count_) % kLineCount;
        ++count_;
    } else {
        // The oldest line goes; its place becomes the newest.
        slot = first_;
        first_ = (first_ + 1) % kLineCount;
    }
    Line& line = lines_[static_cast<std::size_t>(slot)];
    line.text.Assign(text);
    line.kind = kind;
    line.language = UITextLanguage();
    scrollBar_->SetMaximum(std::max(0, count_ - kRows));
}

void GAME_CUIMessageLog::AddMessage(std::u16string_view text, std::int32_t kind)
{
    std::array<char16_t, kLineUnits> buffer{};
    const std::size_t length = std::min(text.size(), kLineUnits - 1);
    std::copy_n(text.begin(), length, buffer.begin());
    AddMessage(buffer.data(), kind);
}

bool GAME_CUIMessageLog::IsCursorShown() const { return (cursor_.arrow->Color() >> 24) != 0; }

std::int32_t GAME_CUIMessageLog::ScrollValue() const { return scrollBar_->Value(); }

std::int32_t GAME_CUIMessageLog::ScrollMaximum() const { return scrollBar_->Maximum(); }

void GAME_CUIMessageLog::OnEnterState(UIScreenState state)
{
    if (state == kOpening) EnterOpening();
    if (state == kClosed) openedByShortcut = 0;
}

void GAME_CUIMessageLog::EnterOpening()
{
    const GAME_CPlayerData* player = Context().Player();
    const bool japanese = player == nullptr || player->language == 0;
    title_->SetSprite(japanese ? titleSprite_ : titleSpriteEnglish_);
    ShowAllWidgets();
    scrollBar_->SetValue(scrollBar_->Maximum());
    for (GAME_CUILabelObject* row : rowLabels_) row->SetTextW(u"");
    FillTallies();
    // The cursor starts on the last row that shows a line; without any line it is hidden.
    list_.count = count_;
    cursor_.arrow->SetColor(count_ == 0 ? kUIHidden : kUIWhite);
    list_.cursor = std::max(list_.ShownRows() - 1, 0);
    cursor_.Restart();
    PlaceCursor();
}

void GAME_CUIMessageLog::FillTallies()
{
    const GAME_CGameClock* clock = GetGameClock();
    const std::uint32_t counts[3] = {clock->itemsFound, clock->counter, clock->enemiesDefeated};
    for (int i = 0; i < 3; ++i) {
        GAME_CUILabelObject* name = tallyLabels_[static_cast<std::size_t>(2 * i)];
        GAME_CUILabelObject* number = tallyLabels_[static_cast<std::size_t>(2 * i + 1)];
        name->SetTextW(GetMessageTextExpanded(kTallyKeys[2 * i]).c_str());
        const std::int32_t value = static_cast<std::int32_t>(std::min(counts[i], kTallyLimit));
        const std::u16string text = FormatWithOneNumber(GetMessageTextExpanded(kTallyKeys[2 * i + 1]), value);
        std::array<char16_t, kLineUnits> wide{};
        ToFullWidthText(wide.data(), wide.size(), text);
        number->SetTextW(wide.data());
    }
}

void GAME_CUIMessageLog::UpdateMain(bool input)
{
    if (!Root()->UpdateTree(input)) return;
    const vesk::math::Vec2 origin = *Root()->GetPosition();
    list_.count = count_;
    if (list_.Follow(*scrollBar_)) CopyLinesToRows();
    if (const std::int32_t row = ClickedUIListRow({origin.x + 101.0f, origin.y + 100.0f}, LastRow() + 1, kRowHitSize); row >= 0) {
        list_.Click(row);
        return;
    }
    if (list_.StepByKeys() != 0) scrollBar_->SetValue(list_.top);
    cursor_.Tick();
    PlaceCursor();
}

void GAME_CUIMessageLog::PlaceCursor() { cursor_.Place({100.0f, static_cast<float>(list_.cursor * 18 + 105)}); }

void GAME_CUIMessageLog::OnClose()
{
    SetOpen(false);
    Context().ui.SetOpen(openedByShortcut != 0 ? kSlotCommon : kSlotPause, true);
}

void GAME_CUIMessageLog::Draw()
{
    if (State() == kClosed) return;
    DrawWidgets(widgets_);
}

void GAME_CUIMessageLog::CopyLinesToRows()
{
    // The labels drawn before this node show what the previous frame copied.
    const int first = ScrollValue();
    const int end = std::min({first + kRows, kLineCount, count_});
    for (int n = first; n < end; ++n) {
        GAME_CUILabelObject* row = rowLabels_[static_cast<std::size_t>(n - first)];
        const Line& line = GetLine(n);
        row->SetTextW(line.text.c_str());
        row->SetColor(UILineKindColor(line.kind));
        row->SetFontSlot(UIFontSlotForTextIn(line.language));
    }
}

void GAME_CUIMessageLog::DrawDayCounter() const
{
    const GAME_CGameClock* clock = PeekGameClock();
    const std::uint32_t day = std::min(clock != nullptr ? clock->day : 0u, kDayLimit);
    const std::uint32_t digits[3] = {day / 100, day / 10 % 10, day % 10};
    const float y = Root()->GetPosition()->y + 119.0f;
    const vesk::graphics::DrawParam param{.scaleX = 4.0f, .scaleY = 4.0f, .color = UILineKindColor(4)};
    for (int i = 0; i < 3; ++i) {
        DrawUISprite({400.0f + 32.0f * static_cast<float>(i), y}, digitSprites_[digits[i]], param);
    }
}

void GAME_CUIMessageLog::Clear()
{
    lines_.fill(Line{});
    first_ = 0;
    count_ = 0;
    scrollBar_->SetMaximum(0);
    scrollBar_->SetValue(0);
}
