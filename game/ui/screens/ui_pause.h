// The pause menu (slot 33): eight rows over the stopped game, the quit dialog and the return to the title.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/ui/list_view.h"
#include "game/ui/ui_screen.h"

class GAME_CRouteManager;
class GAME_CUIIconObject;
class GAME_CUILabelObject;
class GAME_CUINullObject;
class GAME_CUIObjectBase;
struct UIScreenContext;

// Stays open beneath the screens it opens, which lie in higher slots and take the input first. Row 0
// (the sound room) is there only once the game has been cleared; the save row is dead on the start
// route. The quit entry offers the title, the desktop or going on; the return to the title fades
// out, reads the save file again and rebuilds the running game from the working records.
class GAME_CUIPause : public GAME_CUIScreen, public UIScreenSlot<kSlotPause> {
public:
    static constexpr int kRowCount = 8;
    enum Row : int { kRowSoundRoom = 0, kRowReturnToGame, kRowMessageLog, kRowRumorLog, kRowSave, kRowAchievement,
                     kRowOption, kRowQuit };
    enum class SubState : std::int32_t { kMenu, kQuitDialog, kFadingOut, kReturningToTitle };
    using enum SubState;
    enum QuitChoice : int { kChoiceTitle = 0, kChoiceDesktop = 1, kChoiceContinue = 2 };
    static constexpr std::int32_t kFadeFrames = 60;

    explicit GAME_CUIPause(const UIScreenContext& context);
    ~GAME_CUIPause() override;

    // The rows' pictures in the player's language (again after the options changed it).
    void SetLanguageSprites();
    // The black of the return to the title.
    void PreDraw() override;
    void Draw() override;

    SubState GetSubState() const { return pages_.Current(); }
    std::int32_t GetCursor() const { return cursor_; }
    std::int32_t GetDialogCursor() const { return quitChoices_.cursor; }
    std::int32_t GetFadeCounter() const { return fadeCounter_; }
    GAME_CUIIconObject* RowButton(int row) const { return rows_[static_cast<std::size_t>(row)].button; }
    GAME_CUINullObject* RowFrame(int row) const { return rows_[static_cast<std::size_t>(row)].frame; }
    GAME_CUIIconObject* QuitButton(int choice) const { return quitButtons_[static_cast<std::size_t>(choice)]; }

protected:
    void BeginFrame(bool input) override;
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;
    bool KeepsHoldOnClose() const override;

private:
    struct MenuRow {
        GAME_CUIIconObject* button = nullptr;
        GAME_CUINullObject* frame = nullptr;
        GAME_CUINullObject* highlight = nullptr;
    };

    void BuildMenu();
    void BuildQuitDialog();
    void RefreshMenu();
    void EnterSubState(SubState subState);
    void UpdateMenuKeys();
    void UpdateQuitDialog(bool input);
    void ReturnToTitle();
    void UpdateHighlight();
    bool UpdateTrees(bool input);
    bool GameCleared() const;
    bool SavingBarred() const;
    const GAME_CRouteManager* CurrentRoute() const;
    void RunRow(int row);
    void RunQuitChoice(int choice);

    std::vector<GAME_CUIObjectBase*> dialogWidgets_;
    std::array<MenuRow, kRowCount> rows_{};
    std::array<GAME_CUIIconObject*, 3> quitButtons_{};
    GAME_CUINullObject* dialogRoot_ = nullptr;
    GAME_CUINullObject* dialogCursorAnchor_ = nullptr;
    GAME_CUINullObject* dialogCursorWidget_ = nullptr;
    std::int32_t bigTextSprite_ = -1;
    std::array<std::int32_t, 3> balloonSprites_{-1, -1, -1};
    std::int32_t ratSprite_ = -1;
    UIPages<SubState> pages_{kMenu};
    std::int32_t cursor_ = kRowReturnToGame;
    UIListView quitChoices_{.count = 3, .visible = 3, .cursor = kChoiceContinue, .wrap = UIListWrap::kRing};
    std::int32_t pulse_ = 0;
    std::int32_t fadeCounter_ = 0;
    bool resetCursor_ = true;
    bool showText_ = false;
    bool savingText_ = false;
    // The file is to be read again for the title: a save still being written kept it from being asked.
    bool rereadOwed_ = false;
};
