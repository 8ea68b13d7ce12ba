// The save-slot screen (slot 45): the ten game slots, saved into from the pause menu and loaded from the title.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/services/save/working_slot.h"
#include "game/ui/cursor_blink.h"
#include "game/ui/list_view.h"
#include "game/ui/ui_screen.h"

class GAME_CUIIconObject;
class GAME_CUILabelObject;

// Visible row 0 always shows slot 0 (the autosave); rows 1 to 3 scroll over slots 1 to 9. In save
// mode the cursor row c marks visible row c + 1 (the autosave cannot be saved into); in load mode
// the cursor row is the visible row. The rows are written from a snapshot of the image's slots,
// taken at each opening and after each save. In load mode, moving onto a saved slot sets it up as
// the running game behind a short fade.
class GAME_CUISaveSlot : public GAME_CUIScreen, public UIScreenSlot<kSlotSaveSlots> {
public:
    static constexpr int kVisibleRows = 4;
    static constexpr std::int32_t kMaxScrollTop = 6;
    static constexpr std::int32_t kFadeFrames = 10;
    enum class SubState : std::int32_t {
        kList,
        kSaveQuestion,
        kSaving,
        kSaveDone,
        kLoadQuestion,
        kLoadConfirmed,
        kLoadDone,
        kPreviewFadeOut,
        kPreviewApply,
        kPreviewFadeIn,
        // A save that could not be written asks whether to try again.
        kSaveRetryQuestion,
    };
    using enum SubState;
    // The row labels: name, date, play time, location, crew.
    enum RowLabel : int { kLabelName = 0, kLabelDate, kLabelPlayTime, kLabelLocation, kLabelCrew, kLabelCount };

    explicit GAME_CUISaveSlot(const UIScreenContext& context);

    void Draw() override;

    // The slot the cursor selects.
    int SelectedSlot() const;
    SubState GetSubState() const { return pages_.Current(); }
    std::int32_t GetScrollTop() const { return list_.top; }
    std::int32_t GetCursorRow() const { return list_.cursor; }
    std::int32_t GetDimCounter() const { return dimCounter_; }
    // The text a row's label shows (literal).
    std::u16string RowText(int row, RowLabel label) const;
    // The highlight of a visible row is shown.
    bool IsRowHighlighted(int row) const;
    // The row button of a visible row, for the pointer.
    GAME_CUIIconObject* RowButton(int row) const { return rows_[static_cast<std::size_t>(row)].button; }

    // 0 save mode, 1 load mode; the title sets it before opening, the screen clears it as it closes.
    std::uint32_t loadMode = 0;

protected:
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;

private:
    struct Row {
        GAME_CUIIconObject* button = nullptr;
        GAME_CUINullObject* highlight = nullptr;
        std::array<GAME_CUILabelObject*, kLabelCount> labels{};
    };

    void BuildWidgets();
    void TakeSnapshot();
    void SetUpList();
    void EnterSubState(SubState subState);
    void UpdateList(bool input);
    void MoveCursor(bool up);
    void ClickRow(int row);
    void StartSave();
    void UpdateSaving();
    void ApplyPreview();
    void PlaceCursor();
    void WriteRows();
    void WriteRow(int row, int slot);
    // Nothing for a slot outside the snapshot.
    working_slot::SlotSummary SnapshotSummary(int slot) const;
    std::uint32_t SnapshotPlayTime(int slot) const;

    std::vector<std::uint8_t> snapshot_;
    GAME_CUINullObject* bigTitle_ = nullptr;
    GAME_CUILabelObject* titleLabel_ = nullptr;
    UICursorBlink cursor_;
    std::array<Row, kVisibleRows> rows_{};
    std::int32_t saveSprite_ = -1;
    std::int32_t loadSprite_ = -1;
    UIPages<SubState> pages_{kList};
    std::int32_t waitCounter_ = 0;
    UIListView list_{.count = kVisibleRows - 1 + kMaxScrollTop, .visible = kVisibleRows - 1, .wrap = UIListWrap::kTwoPart};
    std::int32_t dimCounter_ = 0;
    std::uint32_t scrollUpRequest_ = 0;
    std::uint32_t scrollDownRequest_ = 0;
    std::uint32_t decideRequest_ = 0;
    std::int32_t clickedRow_ = -1;
    // The slot save of this screen is still to be asked for (the machine was busy).
    bool saveOwed_ = false;
};
