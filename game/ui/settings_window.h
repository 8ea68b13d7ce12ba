// The window the options and binding screens share: nine visible rows over a scroll bar, three buttons, and the save, leave and default questions around a working copy.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "game/ui/cursor_blink.h"
#include "game/ui/list_view.h"
#include "game/ui/settings_block_copy.h"
#include "game/ui/ui_screen.h"

class GAME_CUIIconObject;
class GAME_CUILabelObject;
class GAME_CUINullObject;
class GAME_CUIScrollBarObject;
struct UIScreenContext;

// The cursor runs through one ring: the rows, then "save", "leave without saving" and "defaults",
// then the first row again; left and right go round the three buttons. Saving stores the working
// copy in the running system record, puts it in force and writes the record; the finished notice
// comes only once this screen's write is on disk, and a failed write asks whether to try again.
// Leaving with unsaved edits asks first. Defaults fill the copy only: nothing is stored until saved.
class GAME_CUISettingsWindow : public GAME_CUIScreen {
public:
    static constexpr int kVisibleRows = 9;
    static constexpr int kButtonCount = 3;
    enum Button : int { kButtonSave = 0, kButtonLeave = 1, kButtonDefault = 2 };
    enum class Page : std::int32_t {
        kBrowse,
        kOwn,  // a page of the screen's own (the binding screens' capture)
        kSaveQuestion,
        kSaving,
        kSaveFinished,
        kSaveRetry,
        kLeaveQuestion,
        kDefaultQuestion,
        kDefaultsNotice,
    };

    // What one screen's window holds.
    struct Layout {
        int slot = 0;
        const char* titleKey = "";
        int rowCount = 0;
        std::size_t blockOffset = 0;
        // The pointer rectangle of visible row k: from (left, top + 18 k) to (right, top + 18 k + height).
        float hitLeft = 0.0f;
        float hitTop = 0.0f;
        float hitRight = 0.0f;
        float hitHeight = 17.0f;
        // Opening puts the cursor back on the first row, or leaves it on a button it stood on.
        bool keepsButtonOnOpen = false;
    };

    // The cursor: a row, or rowCount + the button.
    int Cursor() const;
    int Top() const { return list_.top; }
    Page GetPage() const { return pages_.Current(); }
    UISettingsBlockCopy& Work() { return work_; }
    const UISettingsBlockCopy& Work() const { return work_; }
    GAME_CUIIconObject* BottomButton(int button) const { return buttons_[static_cast<std::size_t>(button)]; }

protected:
    GAME_CUISettingsWindow(const UIScreenContext& context, const Layout& layout);

    // The whole window in draw order; the screen's rows are added by the two hooks (every row's
    // pictures, then every row's texts), each row under the list node at y = 18 units a row.
    void BuildWindow();
    virtual void BuildRowPictures(GAME_CUINullObject* list, int row, float y) {}
    virtual void BuildRowTexts(GAME_CUINullObject* list, int row, float y) = 0;

    // Opening: whether the stored block is loaded over the copy, and the widgets then set from it.
    virtual bool ReloadsOnOpen() { return true; }
    virtual void LoadWidgets() = 0;
    // Every frame while open, before the state's step: each row, shown in the window or not, then
    // what the screen shows beyond its rows.
    virtual void RefreshRow(int row, bool shown) = 0;
    virtual void RefreshRows() {}
    // Row input: decide on a row (also a pointer on the cursor row), left or right on a row.
    virtual void DecideRow(int row) = 0;
    virtual void SideRow(int row) {}
    // A row the cursor passes over.
    virtual bool SkipsRow(int row) const { return false; }
    // Around the main step's widget update: before, and after (false withholds the row input).
    virtual void BeforeTree() {}
    virtual bool AfterTree(bool input) { return input; }
    // After the page's step.
    virtual void AfterPage() {}
    virtual void EnterOwnPage() {}
    virtual void UpdateOwnPage() {}
    // Saving: the copy's last touches before it is stored; then, stored, it is put in force. Then,
    // each frame, whether the save may be told (besides the write), and what is done once it
    // settled, written or not.
    virtual void BeforeStore() {}
    virtual void PutStoredInForce() = 0;
    virtual bool SaveMayBeTold() const { return true; }
    virtual void AfterSaveSettled() {}
    // The message key of the notice that tells the save was written.
    virtual const char* SaveFinishedKey() { return "OPTION_SAVE_FINISHED"; }
    // The copy takes the defaults.
    virtual void ResetToDefaults() = 0;
    // Where leaving goes (after this screen closes), and what leaving without saving undoes.
    virtual void OpenNextScreen() = 0;
    virtual void UndoUnsaved() {}

    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;

    void GoPage(Page page) { pages_.Go(page); }
    bool OnRow() const { return button_ < 0; }
    // Moves the cursor to a row, scrolling it into view.
    void SelectRow(int row);
    const Layout& Shape() const { return layout_; }
    GAME_CUIScrollBarObject* ScrollBar() const { return scrollBar_; }
    UIListView& List() { return list_; }
    bool RowShown(int row) const { return row >= list_.top && row < list_.top + kVisibleRows; }

private:
    void BuildFrame();
    void BuildButtons();
    void EnterPage(Page page);
    void UpdateSaving();
    void RowInput();
    bool PointerOnRows();
    void StepCursor(int direction);
    void StepButtons(int direction);
    void PlaceCursor();
    void AskLeave();

    Layout layout_;
    UISettingsBlockCopy work_;
    UIPages<Page> pages_{Page::kBrowse};
    UIListView list_{};
    int button_ = -1;
    std::array<GAME_CUIIconObject*, kButtonCount> buttons_{};
    GAME_CUIScrollBarObject* scrollBar_ = nullptr;
    GAME_CUINullObject* listNode_ = nullptr;
    GAME_CUINullObject* cursorNode_ = nullptr;
    GAME_CUINullObject* highlight_ = nullptr;
    UICursorBlink blink_;
    std::int32_t dots_ = 0;
};
