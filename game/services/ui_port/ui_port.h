// What the model asks of the screens: the screen manager implements it and the world holds it,
// so that nothing below the UI includes the UI.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "game/services/ui_port/ui_records.h"

class GAME_CGameWorld;
class GAME_CObjectActor;

class GAME_CUIPort {
public:
    virtual ~GAME_CUIPort() = default;

    // --- slots
    virtual bool IsOpen(int slot) const = 0;
    virtual void SetOpen(int slot, bool open) = 0;
    // The topmost open screen's answer on whether the field takes input.
    virtual bool GetTopFieldControl() const = 0;
    virtual void UpdateScreens() = 0;
    // A second update within one frame: the frame's input went to the first, so none is given again.
    virtual void UpdateScreensWithoutInput() = 0;
    virtual void Draw() = 0;
    virtual void DrawMainOnly() = 0;

    // --- lines and notices
    // A line into the message log alone.
    virtual void AddLogLine(std::u16string_view text, std::int32_t kind) = 0;
    // A line into the message log and the resident bar's info bar.
    virtual void PostLine(std::u16string_view text, std::int32_t kind) = 0;
    // True when any line of the info bar holds text.
    virtual bool HasInfoBarText() const = 0;
    virtual bool ClearInfoBarMessages() = 0;
    virtual void ShowNotice(const UINoticeRecord& record) = 0;
    virtual bool IsNoticeActive() const = 0;
    // Drops the notice the ship-status panel shows.
    virtual void ClearShipStatusNotice() = 0;
    // Asks the ship-status panel to redraw its figures.
    virtual void FlagShipStatusRefresh() = 0;

    // --- game over and fades
    virtual void SetGameOverCause(std::uint32_t cause) = 0;
    virtual void AddGameOverLoss(const LossRecord& loss) = 0;
    virtual void StartFade(const UIFadeRequest& request) = 0;
    virtual void GetFadeState(UIFadeState* out) const = 0;

    // --- the event window and its choices
    virtual void ShowEventMessage(const UIEventTextValue& value) = 0;
    // The window waits again for its text to be read out.
    virtual void RestartEventWait() = 0;
    // True while the window still reads out (shownInFull: until its whole text is shown).
    virtual bool IsEventWindowBusy(bool shownInFull) const = 0;
    // True while the window is open with a text in it.
    virtual bool EventWindowHoldsText() const = 0;
    // Appends text to the window (newPage: on a page of its own) and clears the screens away.
    virtual void AppendEventText(std::u16string_view text, bool newPage) = 0;
    virtual void CloseScreensForEvent() = 0;
    virtual void SetEventWindowParams(std::int32_t icon, std::int32_t mode, std::int32_t flagA, std::int32_t flagB,
                                      float scale) = 0;
    virtual void SetEventTextColor(std::uint32_t color) = 0;
    // The sound the window plays (-1: none).
    virtual void SetEventSound(std::int32_t id) = 0;
    virtual void OpenEventChoices(std::u16string_view title) = 0;
    virtual void SetEventChoice(std::uint32_t index, std::u16string_view text) = 0;
    // The choice taken, or a value outside the choices while none is.
    virtual std::int32_t EventChoiceAnswer() const = 0;
    virtual void CloseEventChoices() = 0;

    // --- single screens the route and the ship drive
    // The ship-change screen opens to change the ship to the one of the tag.
    virtual void OpenShipChange(std::uint32_t shipTag) = 0;
    virtual void SetTitleCounter(std::int32_t value) = 0;
    // The HUD's pick flags: crew (true) or items.
    virtual void SetHudPickFlag(bool crew, bool on) = 0;
    // The birth screen opens on the parents and their child.
    virtual void ShowActorBirth(GAME_CObjectActor* first, GAME_CObjectActor* second, GAME_CObjectActor* child) = 0;
};

// The screens for a new world, which owns them; the UI layer defines it.
std::unique_ptr<GAME_CUIPort> MakeUIPort(GAME_CGameWorld& world);

// The port of the world that runs, for the services that post to the screens; null while there is none.
GAME_CUIPort* ActiveUIPort();
void SetActiveUIPort(GAME_CUIPort* port);
