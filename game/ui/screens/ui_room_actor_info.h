// The room crew screen (slot 28): one crew member as a room sees it, binding it to the room or letting it go, and sending it out at once.
#pragma once

#include <array>
#include <cstdint>

#include "game/ui/crew_row.h"
#include "game/ui/cursor_blink.h"
#include "game/ui/focus_map.h"
#include "game/ui/info_panel.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

class GAME_CObjectActor;

// A room screen's crew panel opens it for its room (the base's target) and the member chosen. It
// stands at once over the room screen, which is not drawn meanwhile; the skip arrows close it and
// move the room screen to the next or previous room. Storerooms take no crew: they hide the bind
// button. The screen closes when its member leaves the crew or its room leaves the ship.
class GAME_CUIRoomActorInfo : public GAME_CUIScreen, public UIScreenSlot<kSlotRoomActorInfo> {
public:
    enum class Step : std::int32_t { kBrowse, kAskBind, kBound, kAskUnbind, kUnbound, kAskExit, kExit };
    enum Focus : std::int32_t { kFocusButtons, kFocusEffects, kFocusSkipLeft, kFocusSkipRight };
    enum ButtonRow : std::int32_t { kRowBind = 0, kRowExit = 1 };
    static constexpr std::int32_t kUnbindSE = 3;
    static constexpr std::int32_t kTaskPauseFrames = 10;
    static constexpr int kEffectLines = 6;
    static constexpr int kLinesPerEffect = 3;

    explicit GAME_CUIRoomActorInfo(const UIScreenContext& context);

    void OnBindButton();
    void OnExitButton();

    // The crew member chosen in a room's crew panel.
    GAME_CObjectActor* targetActor = nullptr;

    // What the screen shows, for those who look at it.
    Step CurrentStep() const { return steps_.Current(); }
    std::int32_t CurrentFocus() const { return focus_; }
    std::int32_t Row() const { return row_; }
    bool BindingAllowed() const { return bindingAllowed_; }
    const GAME_CUIIconObject* BindButton() const { return bind_; }
    const GAME_CUILabelObject* BindLabel() const { return bindLabel_; }
    const GAME_CUILabelObject* Title() const { return title_; }
    const GAME_CUILabelObject* MemberName() const { return name_; }
    const GAME_CUILabelObject* EffectLine(int line) const { return effects_.Label(line); }
    const GAME_CUIScrollBarObject* EffectBar() const { return effectBar_; }
    const UICrewMeters& Meters() const { return meters_; }

private:
    void Build();
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;
    void BeginOpen();
    void EnterStep(Step step);
    void StepQuestion(Step onYes, bool closeOnYes);
    void HandleKeys();
    void RefreshEffects();
    void PlaceCursors();
    void SendOut();
    bool IsMemberPresent() const;
    bool IsStillThere() const;
    std::u16string RoomName() const;
    std::u16string MemberNameText() const;

    GAME_CUINullObject* window_ = nullptr;
    GAME_CUILabelObject* title_ = nullptr;
    GAME_CUILabelObject* name_ = nullptr;
    UICrewMeters meters_;
    UIInfoPanel effects_;
    GAME_CUIScrollBarObject* effectBar_ = nullptr;
    GAME_CUIIconObject* bind_ = nullptr;
    GAME_CUILabelObject* bindLabel_ = nullptr;
    GAME_CUIIconObject* exit_ = nullptr;
    GAME_CUINullObject* skipLeftCursor_ = nullptr;
    GAME_CUINullObject* skipRightCursor_ = nullptr;
    std::array<UIFocusPlace, 4> places_{};

    UIPages<Step> steps_{Step::kBrowse};
    std::int32_t focus_ = kFocusButtons;
    std::int32_t row_ = kRowBind;
    // Beside the buttons or the traits.
    UICursorBlink buttonCursor_;
    bool bindingAllowed_ = true;
    UILanguagePictures heading_;
};
