// The task cancel window (slot 23): one running task of a room, its needs and crew, and the questions that cancel it or switch its repeat.
#pragma once

#include <array>
#include <cstdint>

#include "game/ui/crew_row.h"
#include "game/ui/cursor_blink.h"
#include "game/ui/task_details.h"
#include "game/ui/ui_screen.h"

class GAME_CTaskBase;

// A room screen's task list opens it for the room (the base's target) and the task chosen. It holds
// the game while open; a cancelled task stays listed, finished, until the window has closed. The
// task and the room are looked up in the world each frame before they are read: a window whose
// task has left the task list (or finished) or whose room has left the ship closes.
class GAME_CUITaskCancel : public GAME_CUIScreen, public UIScreenSlot<kSlotTaskCancel> {
public:
    static constexpr int kMaterialRows = UITaskDetails::kMaterialRows;
    static constexpr int kCrewRows = 2;
    // The main page, each question and the notice that follows its yes.
    enum class Page : std::int32_t { kMain, kAskCancel, kCancelled, kAskRepeatOn, kRepeatOn, kAskRepeatOff, kRepeatOff };
    using enum Page;
    // The button the keyboard's cursor stands beside.
    enum class Cursor : std::int32_t { kRepeat, kCancel };

    explicit GAME_CUITaskCancel(const UIScreenContext& context);

    void Draw() override;

    // Written by the opener with the room.
    GAME_CTaskBase* task = nullptr;

    // What the window shows, for those who look at it.
    Page CurrentPage() const { return pages_.Current(); }
    Cursor CursorAt() const { return cursor_; }
    const GAME_CUILabelObject* Title() const { return details_.title; }
    const GAME_CUILabelObject* ResultLabel() const { return details_.item; }
    const GAME_CUILabelObject* TimeLabel() const { return details_.time; }
    const GAME_CUILabelObject* MaterialName(int row) const { return details_.rows[static_cast<std::size_t>(row)].name; }
    const GAME_CUILabelObject* MaterialCount(int row) const { return details_.rows[static_cast<std::size_t>(row)].count; }
    const GAME_CUIIconObject* RepeatButton() const { return repeat_; }
    const GAME_CUIIconObject* CancelButton() const { return cancel_; }
    const GAME_CUILabelObject* RepeatLabel() const { return repeatLabel_; }
    const UICrewRow& CrewRow(int row) const { return crew_[static_cast<std::size_t>(row)]; }
    float BarShare() const { return details_.BarShare(); }

private:
    struct Material {
        std::uint32_t id = 0;
        std::int32_t count = 0;
    };

    void Build();
    void OnEnterState(UIScreenState state) override;
    // The room screen it was opened from holds the game on until that one closes.
    bool KeepsHoldOnClose() const override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;
    void EnterPage(Page page);
    // The task when it is still listed in the world and not finished; null otherwise.
    GAME_CTaskBase* LiveTask() const;
    bool IsRoomOnShip() const;

    void RefreshTaskView();
    void RefreshTaskDetails();
    void CollectMaterials(const GAME_CTaskBase& shown);
    void ShowProduct(std::uint32_t itemId, std::int32_t count);
    void RefreshMaterialRows();
    void ShowCrew(bool withTurn);
    void UpdateTaskInput(bool input);
    void OnRepeatButton();
    void OnCancelButton();
    void Ask(const char* key);
    void ApplyCancel();
    void ApplyRepeat(bool on);

    GAME_CUINullObject* window_ = nullptr;
    GAME_CUIIconObject* repeat_ = nullptr;
    GAME_CUIIconObject* cancel_ = nullptr;
    GAME_CUILabelObject* repeatLabel_ = nullptr;
    // Its item line is the product's.
    UITaskDetails details_;
    std::array<UICrewRow, kCrewRows> crew_{UICrewRow(UICrewRowLayout::Panel()), UICrewRow(UICrewRowLayout::Panel())};

    std::array<Material, kMaterialRows> needs_{};
    std::int32_t scrollTop_ = 0;
    UIPages<Page> pages_{kMain};
    Cursor cursor_ = Cursor::kRepeat;
    // Beside the two buttons, stepping left and back.
    UICursorBlink cursorArrow_;
    // The task named by a question and its notice, taken as the question is asked.
    std::uint32_t askedTaskId_ = 0;
};
