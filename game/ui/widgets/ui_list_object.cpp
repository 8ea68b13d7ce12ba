// The list window: a sliding window of text rows with a cursor and a close button.
#include "game/ui/widgets/ui_list_object.h"

#include <cstring>
#include <string>

#include "game/services/player/player_data.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/text/message_text.h"
#include "game/ui/list_view.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_screen.h"

using vesk::math::Vec2;

namespace {

constexpr std::uint32_t kSeparatorCount = 6;

}  // namespace

UIListObjectDesc* InitUIListObjectDesc(UIListObjectDesc* desc)
{
    *desc = UIListObjectDesc{};
    desc->further = 15;
    desc->windowSprite = FindUISprite("ui_windowbase");
    return desc;
}

UIListObjectRowDesc* InitUIListObjectRowDesc(UIListObjectRowDesc* row)
{
    *row = UIListObjectRowDesc{};
    row->normalColor = 0xFFFFFFFFu;
    row->disabledColor = 0xFFB4B4B4u;
    return row;
}

GAME_CUIListObject::GAME_CUIListObject(const UIListObjectDesc* desc) : GAME_CUIPlacedObject(0)
{
    UIListObjectDesc defaults;
    if (desc == nullptr) desc = InitUIListObjectDesc(&defaults);
    position_ = {desc->shownX, desc->shownY};
    hidden_ = {desc->shownX, -kCanvasHeight};
    current_ = hidden_;
    pivot_ = {desc->pivotX, desc->pivotY};
    openingSize_ = {desc->openingWidth, desc->openingHeight};
    size_ = {desc->width, desc->height};
    InitTween(slideIn_, position_.x, position_.y, UIMover::kSlideFrames, 0);
    InitTween(slideOut_, hidden_.x, hidden_.y, UIMover::kSlideFrames, 0);
    windowSprite_ = desc->windowSprite;
    windowBg_ = FindUISprite("ui_windowbase_bg");
    cursorSprite_ = FindUISprite("ui_cursor_common_r90");
    highlight_ = FindUISprite("ui_select_highlight");
    separator_ = FindUISprite("ui_separator_right");
    decide_ = desc->decide;

    UIIconObjectDesc button;
    InitUIIconObjectDesc(&button);
    const float closeX = desc->shownX + desc->width - 2.0f;
    const float closeY = desc->shownY + desc->pivotY * desc->height + 20.0f;
    button.shownX = closeX;
    button.shownY = closeY;
    button.hiddenX = closeX;
    button.hiddenY = closeY - desc->height;
    button.normalSprite = FindUISprite("ui_closebutton");
    button.pressedSprite = FindUISprite("ui_closebutton_touch");
    const Vec2 buttonSize = UISpriteSize(button.normalSprite);
    if (buttonSize.x > 0.0f) SetUIIconObjectDescSize(&button, buttonSize.x, buttonSize.y);
    button.pivotX = button.pivotY = 0.5f;
    button.appearTween = 1;
    button.disappearTween = 1;
    button.pressedFrames = 5;
    button.soundEffect = kSeUICancel;
    button.action = kActionCancel;
    button.useAction = 1;
    button.releaseCallback = desc->closeRelease;
    close_ = new GAME_CUIIconObject(&button);
}

GAME_CUIListObject::~GAME_CUIListObject()
{
    ClearRows();
    delete close_;
}

void GAME_CUIListObject::AddRow(const UIListObjectRowDesc& row)
{
    auto* copy = new UIListObjectRowDesc(row);
    copy->key[sizeof copy->key - 1] = 0;
    copy->rightText[15] = 0;
    rows_.push_back(copy);
}

void GAME_CUIListObject::ClearRows()
{
    for (UIListObjectRowDesc* row : rows_) delete row;
    rows_.clear();
    shown_.clear();
}

void GAME_CUIListObject::RefreshRows()
{
    shown_.clear();
    for (UIListObjectRowDesc* row : rows_) {
        row->state = row->enabled != nullptr ? row->enabled(row->argument) : 2;
        if (row->enabled == nullptr || row->state != 0) shown_.push_back(row);
    }
    // A list that has shrunk below its page is shown from where its last page starts, the chosen
    // row kept where it can be: a top left past that page would hide rows above a half-empty window.
    const std::uint32_t count = ShownCount();
    const std::uint32_t lastTop = count > kVisibleRows ? count - kVisibleRows : 0;
    if (top_ > lastTop) {
        cursor_ = std::min(cursor_ + (top_ - lastTop), kVisibleRows - 1);
        top_ = lastTop;
    }
}

bool GAME_CUIListObject::IsRowHidden(const UIListObjectRowDesc& row) const
{
    return row.enabled != nullptr && row.enabled(row.argument) == 0;
}

void GAME_CUIListObject::ScrollTo(std::uint32_t top)
{
    const std::uint32_t count = ShownCount();
    const std::uint32_t before = top_;
    top_ = count <= kVisibleRows ? 0 : std::min(top, count - kVisibleRows);
    if (top_ != before) PlayUISE(kSeUICursor);
    // Past rows that now answer "hidden", at most once round the shown rows.
    for (std::uint32_t steps = 0; steps < count; ++steps) {
        const UIListObjectRowDesc* row = ShownRow(top_ + cursor_);
        if (row == nullptr || !IsRowHidden(*row)) break;
        Step(1);
    }
}

void GAME_CUIListObject::SetVisible(bool visible)
{
    if (visible) {
        requested_ = 1;
        visible_ = 1;
    } else {
        requested_ = 4;
    }
    if (close_ != nullptr) close_->SetVisible(visible);
}

void GAME_CUIListObject::Step(std::int32_t direction)
{
    // The rows go round: past the last the first comes, above the first the last page.
    UIListView view{.count = static_cast<std::int32_t>(ShownCount()), .visible = static_cast<std::int32_t>(kVisibleRows),
                    .top = static_cast<std::int32_t>(top_), .cursor = static_cast<std::int32_t>(cursor_), .wrap = UIListWrap::kRing};
    view.Step(direction);
    top_ = static_cast<std::uint32_t>(view.top);
    cursor_ = static_cast<std::uint32_t>(view.cursor);
}

void GAME_CUIListObject::Update(bool input)
{
    blink_.Tick();
    if (requested_ != state_) {
        state_ = requested_;
        switch (state_) {
        case 0: visible_ = 0; break;
        case 1: RestartTweenFrom(slideIn_, {hidden_.x, hidden_.y}); break;
        case 2: current_ = position_; break;
        case 4: RestartTweenFrom(slideOut_, {position_.x, position_.y}); break;
        default: break;
        }
    }
    if (close_ != nullptr) input = close_->UpdateTree(input);
    if (state_ == 1) {
        TweenPoint point{current_.x, current_.y};
        UpdateTweenEaseOut(slideIn_, point);
        current_ = {point.x, point.y};
        if (IsTweenFinished(slideIn_)) requested_ = 2;
    } else if (state_ == 4) {
        TweenPoint point{current_.x, current_.y};
        UpdateTweenEaseOut(slideOut_, point);
        current_ = {point.x, point.y};
        if (IsTweenFinished(slideOut_)) requested_ = 0;
    } else if (state_ == 2 && input) {
        RowInput();
    }
    const std::uint32_t count = ShownCount();
    while (top_ + cursor_ >= count && (top_ > 0 || cursor_ > 0)) {
        if (cursor_ > 0) {
            --cursor_;
        } else {
            --top_;
        }
    }
}

void GAME_CUIListObject::RowInput()
{
    const std::uint32_t count = ShownCount();
    if (count == 0) return;
    const Vec2 world = WorldPosition();
    const float x = static_cast<float>(static_cast<int>(world.x));
    const float y = static_cast<float>(static_cast<int>(world.y));
    const std::uint32_t visible = count > top_ ? std::min(kVisibleRows, count - top_) : 0;
    if (const std::int32_t row = ClickedUIListRow({x + 317.0f, y + 157.0f}, static_cast<std::int32_t>(visible)); row >= 0) {
        const auto k = static_cast<std::uint32_t>(row);
        if (k != cursor_) {
            cursor_ = k;
            PlayUISE(kSeUICursor);
        } else if (shown_[top_ + k]->state == 2 && decide_ != nullptr) {
            PlayUISE(kSeUIDecide);
            decide_();
        }
        return;
    }
    if (count <= 1) return;
    if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown)) {
        Step(1);
        PlayUISE(kSeUICursor);
    } else if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp)) {
        Step(-1);
        PlayUISE(kSeUICursor);
    }
}

void GAME_CUIListObject::Draw()
{
    if (!IsVisible()) return;
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    param.pivotX = pivot_.x;
    param.pivotY = pivot_.y;
    DrawUISprite(current_, windowSprite_, param);
    if (close_ != nullptr && close_->IsVisible()) close_->Draw();
    DrawUISprite({current_.x + 34.0f, current_.y + 108.0f}, windowBg_, param);

    const Vec2 world = WorldPosition();
    const float x = static_cast<float>(static_cast<int>(world.x));
    const float y = static_cast<float>(static_cast<int>(world.y));
    const std::uint32_t count = ShownCount();
    const std::uint32_t visible = count > top_ ? std::min(kVisibleRows, count - top_) : 0;
    const std::uint32_t tint = GetUIColor(kUIColorHighlight);
    if (visible > 0) {
        const float nudge = blink_.Bob();
        DrawUISprite({x + 300.0f - nudge, y + 157.0f + 18.0f * static_cast<float>(cursor_)}, cursorSprite_);
        DrawUISprite({x + 313.0f, y + 155.0f + 18.0f * static_cast<float>(cursor_)}, highlight_, tint);
    }
    for (std::uint32_t k = 0; k < visible && k < kSeparatorCount; ++k) {
        DrawUISprite({x + 296.0f, y + 172.0f + 18.0f * static_cast<float>(k)}, separator_, tint);
    }
    const float lineHeight = UILineHeight();
    for (std::uint32_t k = 0; k < visible; ++k) {
        const UIListObjectRowDesc& row = *shown_[top_ + k];
        const float rowY = y + 157.0f + 18.0f * static_cast<float>(k);
        const std::uint32_t color = row.state == 2 ? row.normalColor : row.disabledColor;
        DrawUIText({x + 317.0f, rowY}, GetMessageTextExpanded(row.key), color);
        if (row.rightText[0] != 0) {
            const std::u16string_view right(row.rightText);
            DrawUIText({x + 469.0f - MeasureUIText(right), rowY + (17.0f - lineHeight) * 0.5f}, right, color);
        }
    }
}
