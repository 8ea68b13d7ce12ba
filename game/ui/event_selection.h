// The event choice window: up to three choices offered during a scripted event, one instance for the game.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/model/world/tween.h"
#include "game/services/text/fixed_string.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"

// The event scripts open it, fill the title and choices, wait for the answer and close it; the screen
// manager updates it every frame and draws it after the event screen's slot. A choice keeps three lines
// of at most 127 characters; the rest is dropped.
class GAME_CUIEventSelectionObject : public vesk::memory::MainHeapObject {
public:
    static constexpr std::uint32_t kChoiceCount = 3;
    static constexpr std::uint32_t kLinesPerChoice = 3;
    static constexpr std::size_t kLineChars = 128;
    static constexpr std::uint32_t kEventSlot = 25;

    struct Choice {
        std::uint32_t index;
        std::u16string text;
    };

    GAME_CUIEventSelectionObject();
    virtual ~GAME_CUIEventSelectionObject();
    GAME_CUIEventSelectionObject(const GAME_CUIEventSelectionObject&) = delete;
    GAME_CUIEventSelectionObject& operator=(const GAME_CUIEventSelectionObject&) = delete;

    void Open();
    void Close();
    void ClearChoices();
    // Indices of 3 and more are ignored.
    void SetChoice(const Choice* choice);
    void SetTitle(const char16_t* text);
    // The frame's step: whether input still passes on.
    bool Update(bool input);
    // The window's visible widgets.
    void Draw();

    bool IsActive() const { return active_ != 0; }
    bool IsShown() const { return state_ != 0; }
    int State() const { return state_; }
    std::int32_t Answer() const { return answer_; }
    std::uint32_t Cursor() const { return cursor_; }
    std::uint32_t OwnerSlot() const { return kEventSlot; }
    vesk::math::Vec2 RowPosition(std::uint32_t row) const { return rowPositions_[row]; }
    const GAME_CUILabelObject* RowLabel(std::uint32_t row, std::uint32_t line) const { return entries_[row].labels[line]; }
    const UTL_CFixedWString<kLineChars>& Title() const { return title_; }

private:
    struct Entry {
        std::u16string pending;
        std::array<UTL_CFixedWString<kLineChars>, kLinesPerChoice> lines;
        std::array<GAME_CUILabelObject*, kLinesPerChoice> labels{};
        bool filled = false;
    };

    void LayOut(Entry& entry);
    void PlaceRows();
    std::uint32_t CountChoices() const;
    void Decide();

    std::vector<GAME_CUIObjectBase*> drawList_;
    std::array<Entry, kChoiceCount> entries_{};
    std::array<vesk::math::Vec2, kChoiceCount> rowPositions_{};
    std::array<GAME_CUINullObject*, kChoiceCount> rows_{};
    GAME_CUINullObject* root_ = nullptr;
    GAME_CUILabelObject* titleLabel_ = nullptr;
    Tween slide_{};
    int state_ = 0;
    int requested_ = 0;
    std::uint32_t cursor_ = 0;
    std::int32_t answer_ = -1;
    std::uint32_t active_ = 0;
    UTL_CFixedWString<kLineChars> title_;
};

// The window, made on first use (the screen manager makes it before the first frame).
GAME_CUIEventSelectionObject* GetEventSelection();
// Null until it exists.
GAME_CUIEventSelectionObject* PeekEventSelection();
// The screen manager's destructor ends it.
void DestroyEventSelection();
