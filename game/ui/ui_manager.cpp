// The UI manager: the 50 screen slots, updated from the top down and drawn from the bottom up.
#include "game/ui/ui_manager.h"

#include "game/core/world/game_world.h"
#include "game/ui/selection_dialog.h"

GAME_CUIManager::GAME_CUIManager()
{
    for (int slot = 1; slot < kUISlotCount; ++slot) {
        if (slot == kSlotMessageLog) {
            slots_[slot].reset(new GAME_CUIMessageLog);
        } else if (slot == kSlotResident) {
            slots_[slot].reset(new GAME_CUIResident);
        } else {
            slots_[slot].reset(new GAME_CUIBase);
        }
    }
}

GAME_CUIManager::~GAME_CUIManager() { DestroyInDisplaySelection(); }

GAME_CUIBase* GAME_CUIManager::GetScreen(int slot) const
{
    return slot > 0 && slot < kUISlotCount ? slots_[slot].get() : nullptr;
}

bool GAME_CUIManager::IsOpen(int slot) const
{
    const GAME_CUIBase* screen = GetScreen(slot);
    return screen != nullptr && screen->IsOpen();
}

void GAME_CUIManager::SetOpen(int slot, bool open)
{
    if (GAME_CUIBase* screen = GetScreen(slot)) screen->SetOpen(open);
}

void GAME_CUIManager::UpdateScreens()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    bool inputAllowed = world == nullptr || world->inputBlocked == 0;
    GetInDisplaySelection()->UpdateTree(inputAllowed);
    for (int slot = kUISlotCount - 1; slot >= 1; --slot) {
        GAME_CUIBase* screen = slots_[slot].get();
        if (screen == nullptr || !screen->IsOpen()) continue;
        screen->Update(inputAllowed);
        if (!screen->PassesInput()) inputAllowed = false;
    }
}

void GAME_CUIManager::Draw()
{
    for (int slot = 1; slot < kUISlotCount; ++slot) {
        GAME_CUIBase* screen = slots_[slot].get();
        if (screen == nullptr || !screen->IsOpen()) continue;
        screen->PreDraw();
        screen->Draw();
    }
}

void GAME_CUIManager::DrawMainOnly()
{
    for (int slot = 1; slot < kUISlotCount; ++slot) {
        GAME_CUIBase* screen = slots_[slot].get();
        if (screen != nullptr && screen->IsOpen()) screen->Draw();
    }
}

bool GAME_CUIManager::GetTopFieldControl() const
{
    for (int slot = kUISlotCount - 1; slot >= 1; --slot) {
        if (slot == 49 || slot == 6 || slot == kSlotResident) continue;
        const GAME_CUIBase* screen = slots_[slot].get();
        if (screen != nullptr && screen->IsOpen()) return screen->AllowsFieldControl();
    }
    return true;
}

GAME_CUIMessageLog* GAME_CUIManager::MessageLog() const
{
    return static_cast<GAME_CUIMessageLog*>(slots_[kSlotMessageLog].get());
}

GAME_CUIResident* GAME_CUIManager::Resident() const
{
    return static_cast<GAME_CUIResident*>(slots_[kSlotResident].get());
}

bool GAME_CUIManager::ClearInfoBarMessages() { return Resident()->infoBar.ClearMessages(); }

void GAME_CUIManager::SetGameOverCause(std::uint32_t cause)
{
    switch (cause) {
    case 0: gameOverCause_ = 0; break;
    case 1: gameOverCause_ = 2; break;
    case 2: gameOverCause_ = 1; break;
    default: gameOverCause_ = 3; break;
    }
}
