// The room construction window (slot 12): a room being built, its time left, materials and builder, and the question that gives the building up.
#pragma once

#include <array>
#include <cstdint>

#include "game/ui/crew_row.h"
#include "game/ui/cursor_blink.h"
#include "game/ui/task_details.h"
#include "game/ui/ui_screen.h"

class GAME_CTaskBase;

// The screen manager opens it for a room under construction (the base's target). The world goes on
// stepping behind it: each frame the window finds its room in the ship's room list and the room's
// build task among the room's tasks before it reads either, posting a build task when the room has
// none; a room that has gone or is finished closes it. Only the question and its notice hold the game.
class GAME_CUIRoomBuilding : public GAME_CUIScreen, public UIScreenSlot<kSlotRoomBuilding> {
public:
    static constexpr int kLines = UITaskDetails::kMaterialRows;
    static constexpr int kMaterialPairs = 8;
    // The main page, the question, and the notice after a yes.
    enum class Page : std::int32_t { kMain, kAsk, kCancelled };
    using enum Page;

    explicit GAME_CUIRoomBuilding(const UIScreenContext& context);

    void Draw() override;

    // What the window shows, for those who look at it.
    Page CurrentPage() const { return pages_.Current(); }
    const GAME_CUILabelObject* RoomName() const { return details_.item; }
    const GAME_CUILabelObject* TimeLabel() const { return details_.time; }
    const GAME_CUILabelObject* LineLeft(int line) const { return details_.rows[static_cast<std::size_t>(line)].name; }
    const GAME_CUILabelObject* LineRight(int line) const { return details_.rows[static_cast<std::size_t>(line)].count; }
    const GAME_CUIIconObject* CancelButton() const { return cancel_; }
    const GAME_CUILabelObject* CancelLabel() const { return cancelLabel_; }
    const GAME_CUIScrollBarObject* ScrollBar() const { return details_.scroll; }
    const UICrewRow& Builder() const { return builder_; }
    float BarShare() const { return details_.BarShare(); }

private:
    void Build();
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    bool StepTransition(UIScreenState state) override;
    void UpdateMain(bool input) override;
    // The room while it is on the ship and still being built; null otherwise.
    GAME_CRoomBase* LiveRoom() const;
    // The room's build task, posting one when the room has no task; null when there is none to show.
    GAME_CTaskBase* FindBuildTask(GAME_CRoomBase& room, bool& posted) const;
    void EnterPage(Page page);
    void UpdateInput(bool input);
    void UpdateQuestion();
    void OnCancelButton();
    void ShowProgress(const GAME_CTaskBase& build);
    void RefreshLines(const GAME_CTaskBase* build);
    void ShowCancelButton();

    GAME_CUINullObject* window_ = nullptr;
    GAME_CUIIconObject* cancel_ = nullptr;
    GAME_CUILabelObject* cancelLabel_ = nullptr;
    UITaskDetails details_;
    UICrewRow builder_{UICrewRowLayout::Panel()};

    UIPages<Page> pages_{kMain};
    // Beside the cancel button, stepping left and back.
    UICursorBlink cursor_;
};
