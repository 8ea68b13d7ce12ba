// The screen manager: the 50 screen slots, updated from the top down and drawn from the bottom up.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "framework/memory/heaps.h"
#include "game/ui/message_log.h"
#include "game/ui/resident_bar.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_game_over.h"
#include "game/ui/screens/ui_ship_status.h"
#include "game/ui/ui_base.h"
#include "game/services/ui_port/ui_port.h"
#include "game/services/ui_port/ui_slots.h"

class GAME_CGameWorld;
class GAME_CRoomBase;

// Every screen is made when the manager is made and lives in its slot until the manager goes; screens
// are only opened and closed. Slot 0 stays empty. A slot whose screen could not be made stays empty:
// the passes and the closing operations leave it out.
class GAME_CUIManager : public vesk::memory::MainHeapObject, public GAME_CUIPort {
public:
    explicit GAME_CUIManager(GAME_CGameWorld& world);
    ~GAME_CUIManager() override;
    GAME_CUIManager(const GAME_CUIManager&) = delete;
    GAME_CUIManager& operator=(const GAME_CUIManager&) = delete;

    GAME_CUIBase* GetScreen(int slot) const;
    // The screen of the slot its class names; null when that slot is empty. Still checked, so a class
    // that named another class's slot can never be used as that screen.
    template <typename Screen>
        requires requires { Screen::kSlot; }
    Screen* Get() const
    {
        return Get<Screen>(Screen::kSlot);
    }
    // For a base many screens share (the state machine's): the screen of a slot as that base, null
    // when the slot is empty or holds a screen of another kind.
    template <typename Screen>
    Screen* Get(int slot) const
    {
        return dynamic_cast<Screen*>(GetScreen(slot));
    }
    bool IsOpen(int slot) const override;
    bool IsAnyOpen(std::span<const int> slots) const;
    void SetOpen(int slot, bool open) override;

    // The event choice window and the dialog first, then the window focus, then the open screens from
    // slot 49 down to 1; a screen that does not pass input on takes it from the slots below.
    void UpdateScreens() override;
    void UpdateScreensWithoutInput() override;
    void Draw() override;
    void DrawMainOnly() override;
    // The topmost open screen's answer, passing over slots 49, 6 and 2; true when none is open.
    bool GetTopFieldControl() const override;

    // --- operations for the rest of the game
    // The slot of the screen a finished room of the kind opens, 0 for none.
    static int RoomScreenSlot(std::uint16_t kind);
    void OpenRoomScreen(GAME_CRoomBase* room, std::int32_t roomIndex);
    void OpenAdjacentRoomScreen(GAME_CRoomBase* room, bool previous);
    void SkipToNextRoom();
    void SkipToPrevRoom();
    // Whether a room's screen (one with a task page) is open.
    bool IsRoomScreenOpen() const;
    void ShowEventMessage(const UIEventTextValue& value) override;
    void SetEventWindowParams(std::int32_t icon, std::int32_t mode, std::int32_t flagA, std::int32_t flagB,
                              float scale) override;
    void CloseScreensForEvent() override;
    // True when no screen had to be closed.
    bool CloseAllExcept();
    void SetGameOverCause(std::uint32_t cause) override;
    std::uint32_t GetGameOverCause() const;
    void AddGameOverLoss(const LossRecord& loss) override;
    void StartFade(const UIFadeRequest& request) override;
    void GetFadeState(UIFadeState* out) const override;
    void ShowNotice(const UINoticeRecord& record) override;
    bool IsNoticeActive() const override;
    bool ClearInfoBarMessages() override;

    // --- the rest of the model's UI port
    void AddLogLine(std::u16string_view text, std::int32_t kind) override;
    void PostLine(std::u16string_view text, std::int32_t kind) override;
    bool HasInfoBarText() const override;
    void ClearShipStatusNotice() override;
    void FlagShipStatusRefresh() override;
    void RestartEventWait() override;
    bool IsEventWindowBusy(bool shownInFull) const override;
    bool EventWindowHoldsText() const override;
    void AppendEventText(std::u16string_view text, bool newPage) override;
    void SetEventTextColor(std::uint32_t color) override;
    void SetEventSound(std::int32_t id) override;
    void OpenEventChoices(std::u16string_view title) override;
    void SetEventChoice(std::uint32_t index, std::u16string_view text) override;
    std::int32_t EventChoiceAnswer() const override;
    void CloseEventChoices() override;
    void OpenShipChange(std::uint32_t shipTag) override;
    void SetTitleCounter(std::int32_t value) override;
    void SetHudPickFlag(bool crew, bool on) override;
    void ShowActorBirth(GAME_CObjectActor* first, GAME_CObjectActor* second, GAME_CObjectActor* child) override;

    GAME_CUIMessageLog* MessageLog() const;
    GAME_CUIResident* Resident() const;
    // What the screens are handed: for the parts of a screen made apart from it (and for tests).
    const UIScreenContext& Context() const { return context_; }

private:
    // True while the event window shows a text its script has not yet seen confirmed.
    bool EventTextAwaitsConfirm() const;
    void UpdatePass(bool takeInput);
    void UpdateFocus(bool input);
    // Slots 1 to 49 from the bottom up, each with the event choices attached to it.
    void DrawSlots(bool withPreDraw);

    // Declared before the slots: the screens keep it.
    UIScreenContext context_;
    std::array<std::unique_ptr<GAME_CUIBase>, kUISlotCount> slots_;
};

// The world's screen manager, behind its UI port (null without a world or screens).
GAME_CUIManager* UIManagerOf(const GAME_CGameWorld* world);

// The room screens stop following their room with the camera.
void StopCameraRoomFocus(const GAME_CGameWorld& world);
