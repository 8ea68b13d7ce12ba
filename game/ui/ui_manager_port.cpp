// The screen manager as the model's UI port: what the model asks, done on the screens that show it.
#include <string>

#include "game/model/world/game_world.h"
#include "game/ui/event_selection.h"
#include "game/ui/screens/ui_actor_birth.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/screens/ui_ship_change.h"
#include "game/ui/screens/ui_ship_status.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/ui_manager.h"

std::unique_ptr<GAME_CUIPort> MakeUIPort(GAME_CGameWorld& world) { return std::make_unique<GAME_CUIManager>(world); }

GAME_CUIManager* UIManagerOf(const GAME_CGameWorld* world)
{
    return world != nullptr ? static_cast<GAME_CUIManager*>(world->ui.get()) : nullptr;
}

void GAME_CUIManager::AddLogLine(std::u16string_view text, std::int32_t kind)
{
    if (GAME_CUIMessageLog* log = MessageLog()) log->AddMessage(text, kind);
}

void GAME_CUIManager::PostLine(std::u16string_view text, std::int32_t kind)
{
    AddLogLine(text, kind);
    if (GAME_CUIResident* resident = Resident()) {
        const std::u16string line(text);
        resident->infoBar.AddMessage(line.c_str(), kind);
    }
}

bool GAME_CUIManager::HasInfoBarText() const
{
    const GAME_CUIResident* resident = Resident();
    return resident != nullptr && resident->infoBar.CountMessages() > 0;
}

void GAME_CUIManager::ClearShipStatusNotice()
{
    if (auto* panel = Get<GAME_CUIShipStatus>()) panel->ClearNotice();
}

void GAME_CUIManager::FlagShipStatusRefresh()
{
    if (auto* panel = Get<GAME_CUIShipStatus>()) panel->refreshFlag = 1;
}

void GAME_CUIManager::RestartEventWait()
{
    if (auto* window = Get<GAME_CUIEvent>()) window->finished = 0;
}

bool GAME_CUIManager::IsEventWindowBusy(bool shownInFull) const
{
    const auto* window = Get<GAME_CUIEvent>();
    // A closed window neither types nor takes a confirm: a script waiting on it would wait for
    // good. That happens when the window is closed under a waiting script (the ending closes it).
    if (window == nullptr || !window->IsOpen()) return false;
    return shownInFull ? !window->AllShown() : !window->IsFinished();
}

bool GAME_CUIManager::EventWindowHoldsText() const
{
    const auto* window = Get<GAME_CUIEvent>();
    return window != nullptr && window->IsOpen() && !window->pendingText.empty();
}

void GAME_CUIManager::AppendEventText(std::u16string_view text, bool newPage)
{
    auto* window = Get<GAME_CUIEvent>();
    if (window == nullptr) return;
    std::u16string line(text);
    if (newPage) line.insert(line.begin(), GAME_CUIEvent::kNewLine);
    window->AppendText(line);
    CloseScreensForEvent();
}

void GAME_CUIManager::SetEventTextColor(std::uint32_t color)
{
    if (auto* window = Get<GAME_CUIEvent>()) window->textColor = color;
}

void GAME_CUIManager::SetEventSound(std::int32_t id)
{
    if (auto* window = Get<GAME_CUIEvent>()) window->SetTypingSound(id);
}

void GAME_CUIManager::OpenEventChoices(std::u16string_view title)
{
    GAME_CUIEventSelectionObject* choices = GetEventSelection();
    choices->Open();
    choices->ClearChoices();
    const std::u16string text(title);
    choices->SetTitle(text.c_str());
}

void GAME_CUIManager::SetEventChoice(std::uint32_t index, std::u16string_view text)
{
    const GAME_CUIEventSelectionObject::Choice choice{index, std::u16string(text)};
    GetEventSelection()->SetChoice(&choice);
}

std::int32_t GAME_CUIManager::EventChoiceAnswer() const { return GetEventSelection()->Answer(); }

void GAME_CUIManager::CloseEventChoices() { GetEventSelection()->Close(); }

void GAME_CUIManager::OpenShipChange(std::uint32_t shipTag)
{
    if (auto* screen = Get<GAME_CUIShipChange>()) screen->targetShipTag = shipTag;
    SetOpen(kSlotShipChange, true);
}

void GAME_CUIManager::SetTitleCounter(std::int32_t value)
{
    if (auto* title = Get<GAME_CUITitle>()) title->SetCounterA(value);
}

void GAME_CUIManager::SetHudPickFlag(bool crew, bool on)
{
    if (auto* hud = Get<GAME_CUICommon>()) (crew ? hud->crewPickFlag : hud->itemPickFlag) = on ? 1 : 0;
}

void GAME_CUIManager::ShowActorBirth(GAME_CObjectActor* first, GAME_CObjectActor* second, GAME_CObjectActor* child)
{
    if (auto* screen = Get<GAME_CUIActorBirth>()) {
        screen->SetFamily(first, second, child);
        screen->SetOpen(true);
    }
}
