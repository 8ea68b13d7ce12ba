// What the screen manager reads of the ship's rooms: kind, build state, room data and the room list.
#include "game/ui/ui_room_access.h"

#include <algorithm>
#include <span>

#include "game/services/data/item_records.h"
#include "game/services/data/static_database.h"
#include "game/services/data/task_records.h"
#include "game/services/text/actor_names.h"
#include "game/model/world/game_world.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_base.h"

std::uint16_t GetUIRoomKind(const GAME_CRoomBase* room) { return room != nullptr ? room->kind : 0; }

bool IsUIRoomUnderConstruction(const GAME_CRoomBase* room) { return room != nullptr && room->underConstruction; }

const RoomData* GetUIRoomData(const GAME_CRoomBase* room)
{
    if (room == nullptr) return nullptr;
    if (room->roomData != nullptr) return room->roomData;
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    return database != nullptr ? database->FindRoomData(room->GetRoomId()) : nullptr;
}

const std::vector<GAME_CRoomBase*>* GetUIShipRooms(const GAME_CGameWorld& world)
{
    return world.ship ? &world.ship->rooms : nullptr;
}

std::int32_t GetUIRoomIndex(const GAME_CGameWorld& world, const GAME_CRoomBase* room)
{
    return world.ship && room != nullptr ? world.ship->GetRoomIndex(room) : -1;
}

UIRoomSound GetUIRoomSound(const GAME_CRoomBase* room)
{
    // The room kind's last pair holds its screen sound: {sound id (-1 none), loop value}.
    const RoomData* data = GetUIRoomData(room);
    if (data == nullptr || data->lastPair.id == kNoId) return {};
    return {static_cast<std::int32_t>(data->lastPair.id), data->lastPair.value};
}

std::size_t GetUIRoomTasks(const GAME_CRoomBase* room, UIRoomTasks& out)
{
    out.fill(nullptr);
    if (room == nullptr) return 0;
    const std::size_t count = std::min(room->boundTasks.size(), kUIRoomTaskSlots);
    std::copy_n(room->boundTasks.begin(), count, out.begin());
    return count;
}

namespace {

// The items a pair list asks for, up to its first unused pair.
std::int32_t CountRequired(std::span<const ItemCount> pairs)
{
    std::int32_t total = 0;
    for (const ItemCount& pair : pairs) {
        if (IsUnusedItemCount(pair)) break;
        total += pair.count;
    }
    return total;
}

}  // namespace

UITaskView GetUITaskView(const GAME_CTaskBase* task)
{
    UITaskView view;
    if (task == nullptr) return view;
    view.tag = task->id;
    view.kind = task->GetKind();
    const std::int32_t duration = task->GetTaskValue();
    if (duration > 0) view.progress = std::clamp(static_cast<float>(task->progress) / static_cast<float>(duration), 0.0f, 1.0f);
    // The task data's materials; a cooking task without task data needs its dish's ingredients.
    if (const TaskData* data = task->GetTaskData()) {
        view.materialTotal = CountRequired(data->materials);
    } else if (const CookingRecipe* recipe = task->GetKind() == kTaskCooking ? task->GetTargetIndex().recipe : nullptr) {
        view.materialTotal = CountRequired(recipe->ingredients);
    }
    if (view.materialTotal > 0) {
        const float carried = static_cast<float>(task->materials.size()) / static_cast<float>(view.materialTotal);
        view.carried = std::clamp(carried, 0.0f, 1.0f);
    }
    return view;
}

void CollectUIRoomCrew(const GAME_CRoomBase* room, std::vector<GAME_CObjectActor*>& out)
{
    out.clear();
    if (room == nullptr) return;
    auto add = [&](GAME_CObjectActor* actor) {
        if (actor != nullptr && std::find(out.begin(), out.end(), actor) == out.end()) out.push_back(actor);
    };
    for (GAME_CObjectActor* actor : room->assignedCrew) add(actor);
    for (GAME_CObjectActor* actor : room->presentCrew) add(actor);
    UIRoomTasks tasks;
    const std::size_t count = GetUIRoomTasks(room, tasks);
    for (std::size_t i = 0; i < count; ++i) {
        for (GAME_CObjectActor* actor : tasks[i]->crew) add(actor);
    }
}

std::int32_t GetUIRoomCapacity(const GAME_CRoomBase* room) { return room != nullptr ? room->capacity : 0; }

UICrewView GetUICrewView(const GAME_CObjectActor* actor, const GAME_CRoomBase* room)
{
    UICrewView view;
    if (actor == nullptr) return view;
    view.name = RomanizeKanaPair(std::u16string_view(actor->status.name));
    view.livesHere = room != nullptr && actor->homeLink.room == room;
    const GAME_CActorStatus& status = actor->status;
    const ActorBaseStats& maxima = status.computed;
    if (maxima.maxStamina > 0) view.stamina = static_cast<float>(status.stamina) / (1000.0f * static_cast<float>(maxima.maxStamina));
    if (maxima.maxCalorie > 0) view.calorie = static_cast<float>(status.calorie) / (1000.0f * static_cast<float>(maxima.maxCalorie));
    return view;
}
