// The screen manager: the 50 screen slots, updated from the top down and drawn from the bottom up.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "framework/memory/heaps.h"
#include "game/ui/message_log.h"
#include "game/ui/resident_bar.h"
#include "game/ui/screens/ui_game_over.h"
#include "game/ui/screens/ui_ship_status.h"
#include "game/ui/ui_base.h"
#include "game/services/ui_port/ui_slots.h"

class GAME_CRoomBase;

// A fade request: colours, frames (their absolute value is used) and channel (0 or 1).
struct UIFadeRequest {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    std::int32_t frames = 0;
    std::uint32_t channel = 0;
};
// What GetFadeState tells of channel 0.
struct UIFadeState {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    std::uint32_t current = 0;
    float progress = 0.0f;
    std::uint32_t channel = 0;
};
// A script value handed to ShowEventMessage: a narrow string is a message key, a wide one literal text.
struct UIEventTextValue {
    static constexpr std::uint32_t kStringTag = 32;
    std::uint32_t wide = 0;
    std::uint32_t typeTag = 0;
    std::string narrow;
    std::u16string text;
};

// Every screen is made when the manager is made and lives in its slot until the manager goes; screens
// are only opened and closed. Slot 0 stays empty. A slot whose screen could not be made stays empty:
// the passes and the closing operations leave it out.
class GAME_CUIManager : public vesk::memory::MainHeapObject {
public:
    GAME_CUIManager();
    ~GAME_CUIManager();
    GAME_CUIManager(const GAME_CUIManager&) = delete;
    GAME_CUIManager& operator=(const GAME_CUIManager&) = delete;

    GAME_CUIBase* GetScreen(int slot) const;
    // The screen of a slot as the class that slot holds (null when the slot is empty).
    template <typename Screen>
    Screen* Get(int slot) const
    {
        return static_cast<Screen*>(GetScreen(slot));
    }
    bool IsOpen(int slot) const;
    void SetOpen(int slot, bool open);

    // The event choice window and the dialog first, then the window focus, then the open screens from
    // slot 49 down to 1; a screen that does not pass input on takes it from the slots below.
    void UpdateScreens();
    void Draw();
    void DrawMainOnly();
    // The topmost open screen's answer, passing over slots 49, 6 and 2; true when none is open.
    bool GetTopFieldControl() const;

    // --- operations for the rest of the game
    void OpenRoomScreen(GAME_CRoomBase* room, std::int32_t roomIndex);
    void OpenAdjacentRoomScreen(GAME_CRoomBase* room, bool previous);
    void SkipToNextRoom();
    void SkipToPrevRoom();
    void ShowEventMessage(const UIEventTextValue& value);
    void SetEventWindowParams(std::int32_t icon, std::int32_t mode, std::int32_t flagA, std::int32_t flagB, float scale);
    void CloseScreensForEvent();
    // True when no screen had to be closed.
    bool CloseAllExcept();
    void SetGameOverCause(std::uint32_t cause);
    std::uint32_t GetGameOverCause() const;
    void AddGameOverLoss(const UIGameOverLoss& loss);
    void StartFade(const UIFadeRequest& request);
    void GetFadeState(UIFadeState* out) const;
    void ShowNotice(const UINoticeRecord& record);
    bool IsNoticeActive() const;
    bool ClearInfoBarMessages();

    GAME_CUIMessageLog* MessageLog() const;
    GAME_CUIResident* Resident() const;

private:
    void UpdateFocus(bool input);

    std::array<std::unique_ptr<GAME_CUIBase>, kUISlotCount> slots_;
};

// The room screens stop following their room with the camera.
void StopCameraRoomFocus();
