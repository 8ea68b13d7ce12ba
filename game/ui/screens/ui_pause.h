// The pause menu (slot 33): eight rows over the stopped game, the quit dialog and the return to the title.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/ui/ui_base.h"
#include "game/ui/ui_screen.h"

class GAME_CUIIconObject;
class GAME_CUILabelObject;
class GAME_CUINullObject;
class GAME_CUIObjectBase;

// Stays open beneath the screens it opens, which lie in higher slots and take the input first. Row 0
// (the sound room) is there only once the game has been cleared; the save row is dead on the start
// route. The quit entry offers the title, the desktop or going on; the return to the title fades
// out, reads the save file again and rebuilds the running game from the working records.
class GAME_CUIPause : public GAME_CUIBase {
public:
    static constexpr int kRowCount = 8;
    enum Row : int { kRowSoundRoom = 0, kRowReturnToGame, kRowMessageLog, kRowRumorLog, kRowSave, kRowAchievement,
                     kRowOption, kRowQuit };
    enum State : std::int32_t { kClosed = 0, kOpening = 1, kMain = 2, kClosing = 3 };
    enum SubState : std::int32_t { kMenu = 0, kQuitDialog = 1, kFadingOut = 2, kReturningToTitle = 3 };
    enum QuitChoice : int { kChoiceTitle = 0, kChoiceDesktop = 1, kChoiceContinue = 2 };
    static constexpr std::int32_t kFadeFrames = 60;

    GAME_CUIPause();
    ~GAME_CUIPause() override;

    bool IsOpen() const override { return requests_.openFlag != 0; }
    void SetOpen(bool open) override { requests_.Request(open); }
    bool AllowsFieldControl() const override { return false; }
    void Update(bool input) override;
    // The black of the return to the title.
    void PreDraw() override;
    void Draw() override;
    bool PassesInput() const override { return false; }

    std::int32_t GetState() const { return state_; }
    std::int32_t GetSubState() const { return subState_; }
    std::int32_t GetCursor() const { return cursor_; }
    std::int32_t GetDialogCursor() const { return dialogCursor_; }
    std::int32_t GetFadeCounter() const { return fadeCounter_; }
    GAME_CUIIconObject* RowButton(int row) const { return rows_[static_cast<std::size_t>(row)].button; }
    GAME_CUINullObject* RowFrame(int row) const { return rows_[static_cast<std::size_t>(row)].frame; }
    GAME_CUIIconObject* QuitButton(int choice) const { return quitButtons_[static_cast<std::size_t>(choice)]; }

private:
    struct MenuRow {
        GAME_CUIIconObject* button = nullptr;
        GAME_CUINullObject* frame = nullptr;
        GAME_CUINullObject* highlight = nullptr;
    };

    void BuildMenu();
    void BuildQuitDialog();
    void SetLanguageSprites();
    void RefreshMenu();
    void EnterState(std::int32_t state);
    void EnterSubState(std::int32_t subState);
    void UpdateMain(bool input);
    void UpdateMenuKeys();
    void UpdateQuitDialog(bool input);
    void ReturnToTitle();
    void UpdateHighlight();
    bool UpdateTrees(bool input);
    bool AnyMenuWidgetBusy() const;
    bool GameCleared() const;
    void RunRow(int row);
    void RunQuitChoice(int choice);
    int NextRow(int row, int step) const;


    std::vector<GAME_CUIObjectBase*> menuWidgets_;
    std::vector<GAME_CUIObjectBase*> dialogWidgets_;
    std::array<MenuRow, kRowCount> rows_{};
    std::array<GAME_CUIIconObject*, 3> quitButtons_{};
    std::array<GAME_CUILabelObject*, 3> quitLabels_{};
    GAME_CUINullObject* dialogRoot_ = nullptr;
    GAME_CUINullObject* dialogCursorAnchor_ = nullptr;
    GAME_CUINullObject* dialogCursorWidget_ = nullptr;
    std::int32_t bigTextSprite_ = -1;
    std::array<std::int32_t, 3> balloonSprites_{-1, -1, -1};
    std::int32_t ratSprite_ = -1;
    std::int32_t state_ = kClosed;
    std::int32_t nextState_ = kClosed;
    std::int32_t subState_ = kMenu;
    std::int32_t nextSubState_ = kMenu;
    UIScreenRequests requests_;
    std::int32_t cursor_ = kRowReturnToGame;
    std::int32_t dialogCursor_ = kChoiceContinue;
    std::int32_t pulse_ = 0;
    std::int32_t fadeCounter_ = 0;
    bool resetCursor_ = true;
    bool showText_ = false;
    bool savingText_ = false;
};
