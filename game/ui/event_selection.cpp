// The event choice window: up to three choices offered during a scripted event, one instance for the game.
#include "game/ui/event_selection.h"

#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_category_change_object.h"

using vesk::math::Vec2;

namespace {

GAME_CUIEventSelectionObject* g_eventSelection = nullptr;

constexpr float kRowX = 265.0f;
constexpr float kCursorShift = 59.0f;
constexpr float kOffScreenX = 10000.0f;
constexpr float kRowWidth = 315.0f;
constexpr float kRowHeight = 66.0f;

}  // namespace

GAME_CUIEventSelectionObject::GAME_CUIEventSelectionObject()
{
    root_ = MakeUIGroupNode(0.0f, 0.0f);
    drawList_.push_back(MakeUICategorySwitch(1));
    drawList_.push_back(root_);
    drawList_.push_back(MakeUIPictureUnder(root_, "ui_windowchoices_title_bg", 314.0f, 41.0f));
    drawList_.push_back(MakeUIPictureUnder(root_, "ui_windowchoices_title", 301.0f, 29.0f));
    drawList_.push_back(MakeUIPictureUnder(root_, "ui_windowchoices_title_scan", 314.0f, 42.0f));
    for (std::uint32_t row = 0; row < kChoiceCount; ++row) {
        rows_[row] = MakeUIGroupUnder(root_, kOffScreenX, 0.0f);
        drawList_.push_back(rows_[row]);
        drawList_.push_back(MakeUIPictureUnder(rows_[row], "ui_windowchoices_bg", 12.0f, 12.0f));
        drawList_.push_back(MakeUIPictureUnder(rows_[row], "ui_windowchoices", 0.0f, 0.0f));
        drawList_.push_back(MakeUIPictureUnder(rows_[row], "ui_windowchoices_scan", 12.0f, 13.0f));
        drawList_.push_back(MakeUIPictureUnder(rows_[row], "ui_windowchoices_separator", 16.0f, 36.0f));
        drawList_.push_back(MakeUIPictureUnder(rows_[row], "ui_windowchoices_separator", 16.0f, 54.0f));
    }
    drawList_.push_back(MakeUICategorySwitch(0));
    titleLabel_ = MakeUILabel(root_, "", 322.0f, 46.0f);
    drawList_.push_back(titleLabel_);
    for (std::uint32_t row = 0; row < kChoiceCount; ++row) {
        entries_[row].pending.reserve(kLineChars * kLinesPerChoice);
        for (std::uint32_t line = 0; line < kLinesPerChoice; ++line) {
            entries_[row].labels[line] = MakeUILabel(rows_[row], "", 19.0f, 19.0f + 18.0f * static_cast<float>(line));
            drawList_.push_back(entries_[row].labels[line]);
        }
    }
}

GAME_CUIEventSelectionObject::~GAME_CUIEventSelectionObject() { DeleteWidgets(drawList_); }

void GAME_CUIEventSelectionObject::Open()
{
    title_.Assign(u"");
    titleLabel_->SetTextW(u"");
    cursor_ = 0;
    answer_ = -1;
    requested_ = 1;
    active_ = 1;
    InitTween(slide_, 0.0f, 0.0f, UIMover::kSlideFrames, 0);
    RestartTweenFrom(slide_, {0.0f, -kCanvasHeight});
    const Vec2 start{0.0f, -kCanvasHeight};
    root_->SetPosition(&start);
    root_->UpdateTree(false);
}

void GAME_CUIEventSelectionObject::Close()
{
    if (active_ == 0) return;
    requested_ = 3;
    InitTween(slide_, 0.0f, -kCanvasHeight, UIMover::kSlideFrames, 0);
    RestartTweenFrom(slide_, {0.0f, 0.0f});
    const Vec2 start{0.0f, 0.0f};
    root_->SetPosition(&start);
    root_->UpdateTree(false);
}

void GAME_CUIEventSelectionObject::ClearChoices()
{
    for (Entry& entry : entries_) {
        entry.pending.clear();
        for (auto& line : entry.lines) line.Assign(u"");
        for (GAME_CUILabelObject* label : entry.labels) label->SetTextA("");
        entry.filled = false;
    }
}

void GAME_CUIEventSelectionObject::SetChoice(const Choice* choice)
{
    if (choice == nullptr || choice->index >= kChoiceCount) return;
    Entry& entry = entries_[choice->index];
    entry.pending.clear();
    for (auto& line : entry.lines) line.Assign(u"");
    entry.pending = choice->text;
    entry.filled = !choice->text.empty();
    if (cursor_ >= kChoiceCount) cursor_ = kChoiceCount - 1;
    if (!entries_[cursor_].filled && entry.filled) cursor_ = choice->index;
}

void GAME_CUIEventSelectionObject::SetTitle(const char16_t* text)
{
    title_.Assign(text);
    titleLabel_->SetTextW(title_.c_str());
}

void GAME_CUIEventSelectionObject::LayOut(Entry& entry)
{
    const std::vector<std::u16string> lines =
        SplitTextLines(entry.pending, {.maxLines = kLinesPerChoice, .maxLineLength = kLineChars - 1, .ends = TextLineEnds::kRunsBreakOnce});
    for (std::size_t i = 0; i < lines.size(); ++i) entry.lines[i].Assign(lines[i].c_str());
    for (std::uint32_t i = 0; i < kLinesPerChoice; ++i) entry.labels[i]->SetTextW(entry.lines[i].c_str());
    entry.pending.clear();
}

std::uint32_t GAME_CUIEventSelectionObject::CountChoices() const
{
    std::uint32_t count = 0;
    for (const Entry& entry : entries_) count += entry.filled ? 1 : 0;
    return count;
}

void GAME_CUIEventSelectionObject::PlaceRows()
{
    static constexpr float kThree[3] = {74.0f, 167.0f, 260.0f};
    static constexpr float kTwo[2] = {102.0f, 218.0f};
    const std::uint32_t count = CountChoices();
    std::uint32_t placed = 0;
    for (std::uint32_t row = 0; row < kChoiceCount; ++row) {
        Vec2 position{kOffScreenX, 0.0f};
        if (entries_[row].filled) {
            if (count == 3) position = {kRowX, kThree[placed]};
            if (count == 2) position = {kRowX, kTwo[placed]};
            if (count == 1) position = {kRowX, 167.0f};
            ++placed;
            if (row == cursor_) position.x -= kCursorShift;
        }
        rowPositions_[row] = position;
        rows_[row]->SetPosition(&position);
    }
}

void GAME_CUIEventSelectionObject::Decide()
{
    PlayUISE(kSeUIDecide);
    answer_ = static_cast<std::int32_t>(cursor_);
}

bool GAME_CUIEventSelectionObject::Update(bool input)
{
    for (Entry& entry : entries_) {
        if (!entry.pending.empty()) LayOut(entry);
    }
    if (requested_ != state_) {
        state_ = requested_;
        if (state_ == 0) {
            active_ = 0;
            return input;
        }
    }
    if (state_ == 1 || state_ == 3) {
        TweenPoint point{0.0f, 0.0f};
        UpdateTweenEaseOut(slide_, point);
        const Vec2 position{point.x, point.y};
        root_->SetPosition(&position);
        if (IsTweenFinished(slide_)) requested_ = state_ == 1 ? 2 : 0;
        input = false;
    } else if (root_->IsAnyDecided()) {
        input = false;
    }
    input = root_->UpdateTree(input);
    PlaceRows();
    if (!input) return false;

    for (std::uint32_t row = 0; row < kChoiceCount; ++row) {
        if (!entries_[row].filled) continue;
        const Vec2 at = rowPositions_[row];
        if (!IsUIClickInRect(at, {at.x + kRowWidth, at.y + kRowHeight})) continue;
        if (row == cursor_) {
            Decide();
        } else {
            cursor_ = row;
            PlayUISE(kSeUICursor);
        }
        return false;
    }
    if (IsUIActionTriggered(kActionDecide)) {
        Decide();
        return false;
    }
    const bool up = IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp);
    const bool down = !up && IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown);
    if (up || down) {
        const std::uint32_t start = cursor_;
        std::uint32_t next = cursor_;
        for (std::uint32_t i = 0; i < kChoiceCount; ++i) {
            next = up ? (next + kChoiceCount - 1) % kChoiceCount : (next + 1) % kChoiceCount;
            if (next == start) break;
            if (entries_[next].filled) {
                cursor_ = next;
                break;
            }
        }
        if (cursor_ != start) PlayUISE(kSeUICursor);
    }
    return false;
}

void GAME_CUIEventSelectionObject::Draw()
{
    DrawWidgets(drawList_);
    FlushUISprites();
}

GAME_CUIEventSelectionObject* GetEventSelection()
{
    if (g_eventSelection == nullptr) g_eventSelection = new GAME_CUIEventSelectionObject;
    return g_eventSelection;
}

GAME_CUIEventSelectionObject* PeekEventSelection() { return g_eventSelection; }

void DestroyEventSelection()
{
    delete g_eventSelection;
    g_eventSelection = nullptr;
}
