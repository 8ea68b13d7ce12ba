// The screen manager's operations for the rest of the game: room screens, events, game over, fades, notices.
#include <algorithm>
#include <vector>

#include "game/services/sound/sound_player.h"
#include "game/model/world/game_world.h"
#include "game/ui/fade_in_out.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/screens/ui_inventory.h"
#include "game/ui/screens/ui_map.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_room_access.h"

namespace {

// The screens CloseScreensForEvent closes, in its order.
constexpr int kEventClosedSlots[] = {4, 5, 13, 14, 17, 19, 22, 21, 33, 26, 12, 16, 20, 34, 35, 27, 38, 39, 41, 42, 44, 45, 29, 31, 15};
// Room screens that step to the next or previous room, in the order they are asked.
constexpr int kRoomScreenSlots[] = {17, 14, 15, 16, 18, 19, 20, 21};
// Screens CloseAllExcept leaves open.
constexpr int kResidentSlots[] = {1, 2, 3, 6, 36, 46, 48, 49};
constexpr std::uint16_t kKindUnreachedA = 22;
constexpr std::uint16_t kKindGameCenter = 31;

struct RoomOrderEntry {
    std::int32_t kind;
    std::int32_t index;
    std::int32_t order;
};

bool IsEventRunning(const GAME_CGameWorld& world)
{
    return world.travel && world.travel->routeManager && world.travel->routeManager->IsRouteEventRunning();
}

}  // namespace

int GAME_CUIManager::RoomScreenSlot(std::uint16_t kind)
{
    switch (kind) {
    case 1: return kSlotMap;
    case 2:
    case 3:
    case 18:
    case 19: return kSlotItemCreate;
    case 4: return kSlotDiningHall;
    case 5: return kSlotHospital;
    case 14: return kSlotMindControl;
    case 15:
    case 16:
    case 17: return kSlotBullet;
    case 20:
    case 32: return kSlotInventory;
    case 23: return kSlotEngineRoom;
    case 31: return kSlotGameCenter;
    default:
        if ((kind >= 6 && kind <= 13) || (kind >= 24 && kind <= 30)) return kSlotItemCreate;
        return 0;
    }
}

void GAME_CUIManager::OpenRoomScreen(GAME_CRoomBase* room, std::int32_t)
{
    GAME_CGameWorld& world = context_.world;
    if (IsEventRunning(world) || world.inputBlocked != 0) return;
    if (IsOpen(kSlotEvent)) return;
    const int slot = IsUIRoomUnderConstruction(room) ? kSlotRoomBuilding : RoomScreenSlot(GetUIRoomKind(room));
    GAME_CUIBase* screen = GetScreen(slot);
    if (slot == 0 || screen == nullptr) return;
    if (slot == kSlotMap) {
        auto* map = static_cast<GAME_CUIMap*>(screen);
        const GAME_CRouteManager* route = world.travel ? world.travel->routeManager.get() : nullptr;
        map->atStop = route == nullptr || !route->IsUnderWay() ? 1 : 0;
        map->openFromId = route != nullptr ? route->GetDeparture() : kNoId;
        map->openToId = route != nullptr ? route->GetDestination() : kNoId;
    }
    if (slot == kSlotInventory) static_cast<GAME_CUIInventory*>(screen)->subMode = 0;
    screen->OpenForRoom(room);
    const UIRoomSound sound = GetUIRoomSound(room);
    if (sound.id < 0) return;
    if (sound.loop != 0) {
        GetSoundPlayer()->PlayTrackedSE(static_cast<std::uint32_t>(sound.id), static_cast<std::uint32_t>(sound.loop));
    } else {
        GetSoundPlayer()->PlaySE(static_cast<std::uint32_t>(sound.id), 1.0f);
    }
}

void GAME_CUIManager::OpenAdjacentRoomScreen(GAME_CRoomBase* room, bool previous)
{
    const std::vector<GAME_CRoomBase*>* rooms = GetUIShipRooms(context_.world);
    if (rooms == nullptr) return;
    std::vector<RoomOrderEntry> entries;
    entries.reserve(rooms->size());
    for (std::size_t i = 0; i < rooms->size(); ++i) {
        const GAME_CRoomBase* candidate = (*rooms)[i];
        if (candidate == nullptr || IsUIRoomUnderConstruction(candidate)) continue;
        const std::uint16_t kind = GetUIRoomKind(candidate);
        if (kind == kKindUnreachedA || kind == kKindGameCenter) continue;
        // A room without a screen (a fuel tank) is passed over: stepping onto it would close the
        // screen, open none and leave the game held with the view fastened on that room.
        if (RoomScreenSlot(kind) == 0) continue;
        // The order is the kind's place in the room-id table, which is the kind itself.
        entries.push_back({kind, static_cast<std::int32_t>(i), kind});
    }
    if (entries.empty()) return;
    std::stable_sort(entries.begin(), entries.end(), [](const RoomOrderEntry& a, const RoomOrderEntry& b) {
        return a.order != b.order ? a.order < b.order : a.index < b.index;
    });
    const auto found = std::find(rooms->begin(), rooms->end(), room);
    const std::int32_t roomIndex = found == rooms->end() ? -1 : static_cast<std::int32_t>(found - rooms->begin());
    std::int32_t at = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].index == roomIndex && roomIndex >= 0) at = static_cast<std::int32_t>(i);
    }
    const std::int32_t count = static_cast<std::int32_t>(entries.size());
    std::int32_t chosen = 0;
    if (previous) {
        chosen = at <= 0 ? count - 1 : at - 1;
    } else {
        chosen = at < 0 || at + 1 >= count ? 0 : at + 1;
    }
    GAME_CRoomBase* next = (*rooms)[static_cast<std::size_t>(entries[static_cast<std::size_t>(chosen)].index)];
    OpenRoomScreen(next, entries[static_cast<std::size_t>(chosen)].index);
    if (GAME_CCamera2D* camera = context_.world.camera.get()) {
        camera->mode = GAME_CCamera2D::kFollowCrew;
        camera->followedRoom = next;
    }
}

void StopCameraRoomFocus(const GAME_CGameWorld& world)
{
    if (!world.camera) return;
    world.camera->followedRoom = nullptr;
    world.camera->mode = GAME_CCamera2D::kFree;
}

void GAME_CUIManager::SkipToNextRoom()
{
    for (int slot : kRoomScreenSlots) {
        if (IsOpen(slot)) GetScreen(slot)->SkipToNextRoom();
    }
}

void GAME_CUIManager::SkipToPrevRoom()
{
    for (int slot : kRoomScreenSlots) {
        if (IsOpen(slot)) GetScreen(slot)->SkipToPrevRoom();
    }
}

bool GAME_CUIManager::IsRoomScreenOpen() const { return IsAnyOpen(kRoomScreenSlots); }

void GAME_CUIManager::ShowEventMessage(const UIEventTextValue& value)
{
    if (value.typeTag == UIEventTextValue::kStringTag) {
        if (auto* event = Get<GAME_CUIEvent>()) {
            if (value.wide == 0) {
                event->SetMessageKey(value.narrow.empty() ? nullptr : value.narrow.c_str());
            } else {
                event->SetText(value.text.empty() ? nullptr : value.text.c_str());
            }
        }
    }
    CloseScreensForEvent();
}

void GAME_CUIManager::SetEventWindowParams(std::int32_t icon, std::int32_t mode, std::int32_t flagA, std::int32_t flagB, float scale)
{
    if (auto* event = Get<GAME_CUIEvent>()) {
        event->pictureSprite = icon;
        event->pictureScale = scale;
        event->pictureGroup = mode;
        event->pictureFlipX = static_cast<std::uint32_t>(flagA);
        event->pictureFlipY = static_cast<std::uint32_t>(flagB);
    }
    CloseScreensForEvent();
}

void GAME_CUIManager::CloseScreensForEvent()
{
    for (int slot : kEventClosedSlots) {
        GAME_CUIBase* screen = GetScreen(slot);
        if (screen == nullptr || !screen->IsOpen()) continue;
        screen->Update(false);
        screen->SetOpen(false);
    }
    CloseDialog();
}

bool GAME_CUIManager::CloseAllExcept()
{
    bool noneOpen = true;
    for (int slot = 1; slot < kUISlotCount; ++slot) {
        if (std::find(std::begin(kResidentSlots), std::end(kResidentSlots), slot) != std::end(kResidentSlots)) continue;
        if (!IsOpen(slot)) continue;
        GetScreen(slot)->SetOpen(false);
        noneOpen = false;
    }
    return noneOpen;
}

void GAME_CUIManager::SetGameOverCause(std::uint32_t cause)
{
    auto* gameOver = Get<GAME_CUIGameOver>();
    if (gameOver == nullptr) return;
    switch (cause) {
    case 0: gameOver->cause = 0; break;
    case 1: gameOver->cause = 2; break;
    case 2: gameOver->cause = 1; break;
    default: gameOver->cause = 3; break;
    }
}

std::uint32_t GAME_CUIManager::GetGameOverCause() const
{
    const auto* gameOver = Get<GAME_CUIGameOver>();
    return gameOver != nullptr ? gameOver->cause : 0;
}

void GAME_CUIManager::AddGameOverLoss(const LossRecord& loss)
{
    if (auto* gameOver = Get<GAME_CUIGameOver>()) gameOver->losses.push_back(loss);
}

void GAME_CUIManager::StartFade(const UIFadeRequest& request)
{
    if (auto* fade = Get<GAME_CUIFadeInOut>()) fade->Start(request.channel, request.from, request.to, request.frames);
}

void GAME_CUIManager::GetFadeState(UIFadeState* out) const
{
    *out = UIFadeState{};
    const auto* fade = Get<GAME_CUIFadeInOut>();
    if (fade == nullptr) return;
    const GAME_CUIFadeInOut::Channel& channel = fade->GetChannel(0);
    out->from = channel.from;
    out->to = channel.to;
    out->current = channel.current;
    out->progress = channel.duration < 1 || channel.counter >= channel.duration
                        ? 1.0f
                        : static_cast<float>(channel.counter) / static_cast<float>(channel.duration);
    out->channel = 0;
}

void GAME_CUIManager::ShowNotice(const UINoticeRecord& record)
{
    if (record.key.Empty() || record.count == 0 || (record.count >= 2 && record.frames < 1)) return;
    auto* panel = Get<GAME_CUIShipStatus>();
    if (panel == nullptr) return;
    panel->TakeNotice(record);
}

bool GAME_CUIManager::IsNoticeActive() const
{
    const auto* panel = Get<GAME_CUIShipStatus>();
    if (panel == nullptr) return false;
    const UINoticeRecord& notice = panel->notice;
    return !notice.key.Empty() && notice.count != 0 && (notice.count < 2 || notice.frames >= 1);
}

bool GAME_CUIManager::ClearInfoBarMessages()
{
    if (GAME_CUIResident* resident = Resident()) resident->infoBar.ClearMessages();
    return true;
}
