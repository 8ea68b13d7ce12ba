// The list window: a sliding window of text rows with a cursor and a close button.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "game/model/world/tween.h"
#include "game/ui/cursor_blink.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_placed_object.h"

// A decided row calls back.
using UIListDecideCallback = std::function<void()>;
// Whether a row shows, given the row's argument: 0 hidden, 1 shown disabled, 2 shown enabled.
using UIListRowEnabledCallback = std::function<std::int32_t(std::intptr_t argument)>;

struct UIListObjectDesc {
    float shownX, shownY;
    float pivotX, pivotY;
    float openingWidth, openingHeight;
    float width, height;
    std::int32_t further;
    UIIconCallback closeRelease;
    std::int32_t windowSprite;
    UIListDecideCallback decide;
};
UIListObjectDesc* InitUIListObjectDesc(UIListObjectDesc* desc);

struct UIListObjectRowDesc {
    char key[64];
    char16_t rightText[16];
    std::uint32_t normalColor;
    std::uint32_t disabledColor;
    UIListRowEnabledCallback enabled;
    std::intptr_t argument;
    std::int32_t state;
};
UIListObjectRowDesc* InitUIListObjectRowDesc(UIListObjectRowDesc* row);

// States: 0 closed, 1 opening, 2 open (rows take input), 4 closing. Seven rows show at a time.
class GAME_CUIListObject : public GAME_CUIPlacedObject {
public:
    static constexpr std::uint32_t kVisibleRows = 7;

    explicit GAME_CUIListObject(const UIListObjectDesc* desc = nullptr);
    ~GAME_CUIListObject() override;

    // Copies a row record into the list of all rows; RefreshRows then decides what shows.
    void AddRow(const UIListObjectRowDesc& row);
    void ClearRows();
    void RefreshRows();
    void ScrollTo(std::uint32_t top);

    std::uint32_t Top() const { return top_; }
    std::uint32_t Cursor() const { return cursor_; }
    // The cursor row (0 to 6, relative to the top); a row past the shown ones is pulled back by the update.
    void SetCursor(std::uint32_t cursor) { cursor_ = std::min(cursor, kVisibleRows - 1); }
    std::uint32_t ShownCount() const { return static_cast<std::uint32_t>(shown_.size()); }
    const UIListObjectRowDesc* ShownRow(std::uint32_t index) const { return index < shown_.size() ? shown_[index] : nullptr; }
    int State() const { return state_; }
    GAME_CUIIconObject* CloseButton() const { return close_; }

    void Update(bool input) override;
    void Draw() override;
    bool IsDecided() const override { return close_ != nullptr && close_->IsDecided(); }
    bool IsBusy() const override { return state_ == 1 || state_ == 4 || (close_ != nullptr && close_->IsBusy()); }
    // Opens or closes with a slide; the flag clears only when the window has slid out.
    void SetVisible(bool visible) override;
    // The position answered is the shown one; the size is the opening pair while sliding in.
    const vesk::math::Vec2* GetSize() const override { return state_ == 1 ? &openingSize_ : &size_; }

private:
    void RowInput();
    // One row down (1) or up (-1).
    void Step(std::int32_t direction);
    bool IsRowHidden(const UIListObjectRowDesc& row) const;

    vesk::math::Vec2 hidden_{};
    vesk::math::Vec2 current_{};
    vesk::math::Vec2 openingSize_{};
    Tween slideIn_{};
    Tween slideOut_{};
    int state_ = 0;
    int requested_ = 0;
    std::vector<UIListObjectRowDesc*> rows_;
    std::vector<UIListObjectRowDesc*> shown_;
    std::uint32_t top_ = 0;
    std::uint32_t cursor_ = 0;
    UICursorBlink blink_;
    std::int32_t windowSprite_ = -1;
    std::int32_t windowBg_ = -1;
    std::int32_t cursorSprite_ = -1;
    std::int32_t highlight_ = -1;
    std::int32_t separator_ = -1;
    GAME_CUIIconObject* close_ = nullptr;
    UIListDecideCallback decide_;
};
