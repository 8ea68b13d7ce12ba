// The window a rumour's text is read in, seven lines at a time: the pub's and the rumour log's.
#include "game/ui/rumour_text_window.h"

#include <algorithm>
#include <string>

#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/message_text.h"
#include "game/ui/menu_window.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_category_change_object.h"

namespace {

constexpr float kLineX = 105.0f;
constexpr float kFirstLineY = 106.0f;
constexpr float kMarkX = 320.0f;

}  // namespace

UIRumourTextWindow::~UIRumourTextWindow() { DeleteWidgets(widgets_); }

void UIRumourTextWindow::Build(UIIconCallback back, Keys keys)
{
    keys_ = keys;
    root_ = MakeUIGroupNode(0.0f, 0.0f);
    GAME_CUINullObject* root = root_;
    widgets_.push_back(root);
    BeginUIMenuWindow(widgets_, root, back, UIMenuCorner::kBack);
    scrollBar_ = MakeUIScrollBar(root, 525.0f, 105.0f, 8.0f, 128.0f);
    widgets_.push_back(scrollBar_);
    for (int k = 0; k + 1 < kShownLines; ++k) {
        widgets_.push_back(MakeUIPictureUnder(root, "ui_separator_big", 107.0f, kFirstLineY + 15.0f + kUILineStep * static_cast<float>(k)));
    }
    widgets_.push_back(MakeUIPictureUnder(root, "ui_separator_center", 99.0f, 247.0f));
    UIButtonSpec enter{.sprite = "ui_enterbutton", .pressedSprite = "ui_enterbutton_touch", .sound = kSeUIDecide,
                       .action = kActionDecide, .release = std::move(back)};
    PlaceUIButtonTopLeft(enter, 384.0f, 257.0f);
    GAME_CUIIconObject* enterButton = MakeUIButton(root, enter);
    widgets_.push_back(enterButton);
    widgets_.push_back(MakeUICategorySwitch(0, true));
    title_ = MakeUILabel(root, "", 103.0f, 60.0f);
    widgets_.push_back(title_);
    widgets_.push_back(MakeUILabel(enterButton, "PUB_BACK_BUTTON", 0.0f, 0.0f, 0.5f, 0.5f));
    for (int k = 0; k < kShownLines; ++k) {
        lines_[static_cast<std::size_t>(k)] = MakeUILabel(root, "", kLineX, kFirstLineY + kUILineStep * static_cast<float>(k));
        widgets_.push_back(lines_[static_cast<std::size_t>(k)]);
    }
    previousMark_ = MakeUILabel(root, "", kMarkX, 91.0f, 0.5f);
    widgets_.push_back(previousMark_);
    nextMark_ = MakeUILabel(root, "", kMarkX, 231.0f, 0.5f);
    widgets_.push_back(nextMark_);
    EndUIMenuWindow(widgets_, root);
    std::erase(widgets_, nullptr);
}

void UIRumourTextWindow::Show(std::uint32_t rumourId)
{
    const std::string key = TagText(rumourId) + "_DISCRIPT";
    std::u16string text = GetMessageTextExpanded(key);
    if (text.empty()) text.assign(key.begin(), key.end());
    buffer_.Fill(text);
    title_->SetTextA(TagText(rumourId).c_str());
    scrollBar_->SetMaximum(std::max(static_cast<std::int32_t>(buffer_.Count()) - kShownLines, 0));
    scrollBar_->SetValue(0);
    ShowFrom(0);
}

void UIRumourTextWindow::ShowFrom(std::int32_t first)
{
    for (int k = 0; k < kShownLines; ++k) {
        const std::int64_t line = static_cast<std::int64_t>(first) + k;
        lines_[static_cast<std::size_t>(k)]->SetTextW(line >= 0 ? buffer_.Line(static_cast<std::size_t>(line)).c_str() : u"");
    }
    if (first >= 1) {
        previousMark_->SetTextA("TEXT_PREV_CURSOR");
    } else {
        previousMark_->SetTextW(u"");
    }
    if (static_cast<std::int64_t>(first) + kShownLines < static_cast<std::int64_t>(buffer_.Count())) {
        nextMark_->SetTextA("TEXT_NEXT_CURSOR");
    } else {
        nextMark_->SetTextW(u"");
    }
}

void UIRumourTextWindow::ShowWidgets() const
{
    for (GAME_CUIObjectBase* widget : widgets_) widget->SetVisible(true);
}

bool UIRumourTextWindow::Update(bool input)
{
    const std::int32_t before = scrollBar_->Value();
    const bool free = root_->UpdateTree(input);
    if (scrollBar_->Value() != before) {
        PlayUISE(kSeUICursor);
        ShowFrom(scrollBar_->Value());
    }
    return free;
}

void UIRumourTextWindow::StepByKeys()
{
    const std::int32_t value = scrollBar_->Value();
    if (scrollBar_->Maximum() == 0) return;
    std::int32_t step = 0;
    if (IsUIMenuPressed(kUIMenuUp, true)) {
        if (value > 0) step = -1;
    } else if (IsUIMenuPressed(kUIMenuDown, true) && value < scrollBar_->Maximum()) {
        step = 1;
    }
    if (step == 0) return;
    if (keys_ == Keys::kSoundedSteps) PlayUISE(kSeUICursor);
    scrollBar_->SetValue(value + step);
    ShowFrom(scrollBar_->Value());
}
