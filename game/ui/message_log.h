// The message log screen (slot 34): the last 64 notices of the game in a window of ten rows.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "game/services/text/fixed_string.h"
#include "game/ui/cursor_blink.h"
#include "game/ui/list_view.h"
#include "game/ui/ui_screen.h"

class GAME_CUINullObject;
class GAME_CUIScrollBarObject;
class GAME_CUILabelObject;
struct UIScreenContext;

// Notices arrive through AddMessage whether the window is open or not. Line 0 is the oldest; lines
// fill from 0 upwards without gaps and the 65th notice pushes the oldest out. Every line keeps at
// most 127 characters and its terminator. The log holds the game while it is open (the simulation
// stops); closing lets go only when the HUD opened the log.
class GAME_CUIMessageLog : public GAME_CUIScreen, public UIScreenSlot<kSlotMessageLog> {
public:
    static constexpr int kLineCount = 64;
    static constexpr std::size_t kLineUnits = 128;
    static constexpr int kRows = 10;
    static constexpr int kKindCount = 5;
    static constexpr std::uint32_t kTallyLimit = 9999999;
    static constexpr std::uint32_t kDayLimit = 999;

    using LineText = UTL_CFixedWString<kLineUnits>;
    struct Line {
        LineText text;
        std::int32_t kind = 0;
        // The language the text was written in: a line outlives a change of language.
        std::uint32_t language = 0;
    };

    explicit GAME_CUIMessageLog(const UIScreenContext& context);
    ~GAME_CUIMessageLog() override;

    void Draw() override;

    // A null or empty text stores nothing.
    void AddMessage(const char16_t* text, std::int32_t kind);
    // The text up to its first terminator.
    void AddMessage(std::u16string_view text, std::int32_t kind);
    // Every line emptied and the scroll back at the top (the return to the title).
    void Clear();

    int CountLines() const { return count_; }
    const Line& GetLine(int index) const;

    // Set by the HUD right after it opens the log: closing then clears the menu pause and reopens the
    // HUD, otherwise the pause menu.
    std::int32_t openedByShortcut = 0;

    // --- what the window shows
    int CursorRow() const { return list_.cursor; }
    int LastRow() const { return std::max(list_.ShownRows() - 1, 0); }
    bool IsCursorShown() const;
    std::int32_t ScrollValue() const;
    std::int32_t ScrollMaximum() const;
    const GAME_CUILabelObject* RowLabel(int row) const { return rowLabels_[static_cast<std::size_t>(row)]; }
    const GAME_CUILabelObject* TallyLabel(int index) const { return tallyLabels_[static_cast<std::size_t>(index)]; }

protected:
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;
    bool KeepsHoldOnClose() const override { return openedByShortcut == 0; }

private:
    void Build();
    void EnterOpening();
    void FillTallies();
    void PlaceCursor();
    void CopyLinesToRows();
    void DrawDayCounter() const;
    void OnClose();

    GAME_CUIScrollBarObject* scrollBar_ = nullptr;
    std::array<GAME_CUILabelObject*, kRows> rowLabels_{};
    std::array<GAME_CUILabelObject*, 6> tallyLabels_{};
    UICursorBlink cursor_;
    GAME_CUINullObject* title_ = nullptr;
    std::array<std::int32_t, 10> digitSprites_{};
    std::int32_t titleSprite_ = -1;
    std::int32_t titleSpriteEnglish_ = -1;

    // The lines as a ring: line 0 is lines_[first_]; pushing the oldest out only moves first_.
    std::array<Line, kLineCount> lines_{};
    int first_ = 0;
    int count_ = 0;
    UIListView list_{.visible = kRows};
};
