// The UI manager: the 50 screen slots, updated from the top down and drawn from the bottom up.
#pragma once

#include <array>
#include <memory>

#include "framework/memory/heaps.h"
#include "game/ui/message_log.h"
#include "game/ui/resident_bar.h"
#include "game/ui/ui_base.h"
#include "game/ui/ui_slots.h"

// Every slot holds a screen from creation on (slot 0 stays empty).
class GAME_CUIManager : public vesk::memory::MainHeapObject {
public:
    GAME_CUIManager();
    ~GAME_CUIManager();
    GAME_CUIManager(const GAME_CUIManager&) = delete;
    GAME_CUIManager& operator=(const GAME_CUIManager&) = delete;

    GAME_CUIBase* GetScreen(int slot) const;
    bool IsOpen(int slot) const;
    void SetOpen(int slot, bool open);

    // The dialog first, then the open screens from slot 49 down to 1; a screen that does not
    // pass input on takes it from the slots below.
    void UpdateScreens();
    void Draw();
    void DrawMainOnly();
    // The topmost open screen's answer, passing over slots 49, 6 and 2; true when none is open.
    bool GetTopFieldControl() const;

    GAME_CUIMessageLog* MessageLog() const;
    GAME_CUIResident* Resident() const;
    bool ClearInfoBarMessages();
    // The game-over screen's cause: 0 hull lost, 1 crew lost (kept as the screen numbers them).
    void SetGameOverCause(std::uint32_t cause);
    std::uint32_t GetGameOverCause() const { return gameOverCause_; }

private:
    std::array<std::unique_ptr<GAME_CUIBase>, kUISlotCount> slots_;
    std::uint32_t gameOverCause_ = 0;
};
