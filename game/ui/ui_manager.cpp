// The screen manager: the 50 screen slots, updated from the top down and drawn from the bottom up.
#include "game/ui/ui_manager.h"

#include <algorithm>
#include <string>

#include "framework/log/log.h"
#include "framework/window/window_proc.h"
#include "game/services/player/player_data.h"
#include "game/services/sound/focus_mute.h"
#include "game/services/sound/sound_player.h"
#include "game/model/world/game_world.h"
#include "game/ui/achieve_popup.h"
#include "game/ui/event_selection.h"
#include "game/ui/fade_in_out.h"
#include "game/ui/game_center.h"
#include "game/ui/screen_factory.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_draw.h"

namespace {

// The order the screens are made in.
constexpr int kBuildOrder[] = {1,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18,
                               19, 20, 21, 22, 23, 24, 25, 33, 34, 35, 27, 28, 29, 30, 31, 32, 2,
                               26, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49};

// Screens whose being open keeps the focus pause from opening the pause menu. The event window is
// not one: the ship drives on beneath it, so the game still pauses, though no menu comes over it.
bool KeepsFocusPauseAway(int slot)
{
    return slot != kSlotEvent && (slot == 4 || (slot >= 7 && slot <= 12) || (slot >= 14 && slot <= 48));
}

}  // namespace

GAME_CUIManager::GAME_CUIManager(GAME_CGameWorld& world) : context_{world, *this}
{
    for (int slot : kBuildOrder) {
        slots_[static_cast<std::size_t>(slot)].reset(MakeScreen(slot, context_));
        if (!slots_[static_cast<std::size_t>(slot)]) vesk::log::Error("UI: no memory for the screen of slot " + std::to_string(slot) + "; the slot stays empty");
    }
    SetOpen(kSlotAchievementPopup, true);
    GetInDisplaySelection();
    GetEventSelection();
}

GAME_CUIManager::~GAME_CUIManager()
{
    DestroyInDisplaySelection();
    DestroyEventSelection();
    for (auto& slot : slots_) slot.reset();
}

GAME_CUIBase* GAME_CUIManager::GetScreen(int slot) const
{
    return slot > 0 && slot < kUISlotCount ? slots_[static_cast<std::size_t>(slot)].get() : nullptr;
}

bool GAME_CUIManager::IsOpen(int slot) const
{
    const GAME_CUIBase* screen = GetScreen(slot);
    return screen != nullptr && screen->IsOpen();
}

bool GAME_CUIManager::IsAnyOpen(std::span<const int> slots) const
{
    return std::any_of(slots.begin(), slots.end(), [this](int slot) { return IsOpen(slot); });
}

void GAME_CUIManager::SetOpen(int slot, bool open)
{
    if (GAME_CUIBase* screen = GetScreen(slot)) screen->SetOpen(open);
}

void GAME_CUIManager::UpdateScreens() { UpdatePass(true); }

void GAME_CUIManager::UpdateScreensWithoutInput() { UpdatePass(false); }

void GAME_CUIManager::UpdatePass(bool takeInput)
{
    bool input = takeInput && context_.world.inputBlocked == 0;
    GAME_CUIEventSelectionObject* choices = PeekEventSelection();
    if (choices != nullptr && choices->IsActive()) {
        // An event met while a question waits writes its text into the event window: that text is
        // read and confirmed first, or its script (which holds the question's) would wait for good.
        const bool textWaits = EventTextAwaitsConfirm();
        const bool rest = choices->Update(input && !textWaits);
        if (!textWaits) input = rest;
    }
    GAME_CUIInDisplaySelectionObject* dialog = GetInDisplaySelection();
    if (dialog != nullptr && dialog->visible) {
        dialog->UpdateTree(input);
        input = false;
    }
    UpdateFocus(input);
    for (int slot = kUISlotCount - 1; slot >= 1; --slot) {
        GAME_CUIBase* screen = GetScreen(slot);
        if (screen == nullptr || !screen->IsOpen()) continue;
        screen->Update(input);
        if (!screen->PassesInput()) input = false;
    }
}

bool GAME_CUIManager::EventTextAwaitsConfirm() const
{
    const auto* window = Get<GAME_CUIEvent>();
    return window != nullptr && window->IsOpen() && !window->pendingText.empty() && !window->IsFinished();
}

void GAME_CUIManager::UpdateFocus(bool input)
{
    GAME_CGameWorld& world = context_.world;
    if (vesk::window::GetWindowInputState().active) {
        world.paused = 0;
    } else {
        const GAME_CPlayerData* player = GetPlayerData();
        if (player == nullptr || player->pauseWhenInactive != 0) {
            bool menuOpen = false;
            for (int slot = 1; slot < kUISlotCount && !menuOpen; ++slot) menuOpen = KeepsFocusPauseAway(slot) && IsOpen(slot);
            if (!menuOpen) {
                SetOpen(kSlotBuildSelectGrid, false);
                SetOpen(kSlotActorStatus, false);
                if (!IsOpen(kSlotPause) && !IsOpen(kSlotTitle) && !IsOpen(kSlotEvent) && input) SetOpen(kSlotPause, true);
                world.paused = 1;
            }
        }
    }
    ApplyFocusMute(*GetSoundPlayer());
}

void GAME_CUIManager::Draw() { DrawSlots(true); }

void GAME_CUIManager::DrawMainOnly() { DrawSlots(false); }

void GAME_CUIManager::DrawSlots(bool withPreDraw)
{
    GAME_CUIEventSelectionObject* choices = PeekEventSelection();
    for (int slot = 1; slot < kUISlotCount; ++slot) {
        GAME_CUIBase* screen = GetScreen(slot);
        if (screen != nullptr && screen->IsOpen()) {
            if (withPreDraw) screen->PreDraw();
            screen->Draw();
            // What a screen queued last (its texts, often) lands under the screens above it.
            FlushUISprites();
        }
        if (choices != nullptr && choices->IsActive() && choices->IsShown() && choices->OwnerSlot() == static_cast<std::uint32_t>(slot)) {
            choices->Draw();
        }
    }
}

bool GAME_CUIManager::GetTopFieldControl() const
{
    for (int slot = kSlotFade; slot >= 1; --slot) {
        if (slot == kSlotResident || slot == kSlotAjitoRoot) continue;
        const GAME_CUIBase* screen = GetScreen(slot);
        if (screen != nullptr && screen->IsOpen()) return screen->AllowsFieldControl();
    }
    return true;
}

GAME_CUIMessageLog* GAME_CUIManager::MessageLog() const { return Get<GAME_CUIMessageLog>(); }

GAME_CUIResident* GAME_CUIManager::Resident() const { return Get<GAME_CUIResident>(); }
