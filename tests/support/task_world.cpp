// The running game on the shipped data with an empty ship of its own, for tests of crew tasks, the crew AI and the hand-out.
#include "tests/support/task_world.h"

#include <algorithm>
#include <cstring>

#include "framework/math/random.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/item_data.h"
#include "game/services/player/inventory.h"
#include "game/model/stores/stored_items.h"
#include "game/services/sound/sound_player.h"
#include "game/model/world/game_world.h"
#include "game/model/object/actor_ai_base.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "game/model/session/play_session.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"

namespace support {

void TaskWorld::SetUp()
{
    GameFixture::SetUp();
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    vesk::math::SeedRandom(1);
    vesk::math::MarkRandomClockSeeded();
    // Whatever a new game starts with goes: each test builds its own ship.
    Tasks().RemoveRoomTasks(nullptr);
    for (GAME_CObjectActor* actor : Field().crew) {
        if (actor != nullptr) actor->dead = 1;
    }
    Field().RemoveDeadActors();
    Field().ClearItems();
    ASSERT_TRUE(Ship().ChangeShip(MakeTag("SHP2")));
}

GAME_CGameWorld& TaskWorld::World() const { return *GetGameWorld(); }

GAME_CShip& TaskWorld::Ship() const { return *World().ship; }

GAME_CTaskManager& TaskWorld::Tasks() const { return *World().tasks; }

GAME_CFieldObjectManager& TaskWorld::Field() const { return *World().fieldObjects; }

GAME_CRoomBase& TaskWorld::Place(std::uint32_t roomId, std::int32_t x, std::int32_t y)
{
    GAME_CRoomBase* room = Ship().PlaceRoom(x, y, FindRoomIdIndex(roomId));
    EXPECT_NE(room, nullptr) << TagText(roomId) << " at " << x << ", " << y;
    static GAME_CRoomBase unused;
    return room != nullptr ? *room : unused;
}

GAME_CObjectActor& TaskWorld::AddCrew(std::int32_t x, std::int32_t y)
{
    GAME_CObjectActor* actor = Field().AcquireActorObject();
    EXPECT_NE(actor, nullptr);
    ActorSetupRecord setup;
    Ship().GetCellFloorPoint(x, y, &setup.x, &setup.y, false);
    actor->Init(setup);
    actor->aiEnabled = 1;
    return *actor;
}

void TaskWorld::Stock(GAME_CRoomBase& storage, std::uint32_t itemId, std::int32_t count)
{
    GAME_CInventory* inventory = FindRoomInventory(&storage);
    ASSERT_NE(inventory, nullptr) << TagText(storage.roomId) << " has no inventory";
    for (std::int32_t i = 0; i < count; ++i) ASSERT_TRUE(inventory->AddItem(itemId));
}

GAME_CObjectItem& TaskWorld::Drop(std::uint32_t itemId, std::int32_t count, std::int32_t x, std::int32_t y)
{
    EXPECT_TRUE(Field().DropItemOnCell(itemId, count, x, y));
    return *Field().items.back();
}

std::int32_t TaskWorld::NumberOf(const GAME_CRoomBase& room) const { return Ship().GetRoomIndex(&room); }

bool TaskWorld::IsListed(const GAME_CTaskBase* task) const
{
    return std::find(Tasks().tasks.begin(), Tasks().tasks.end(), task) != Tasks().tasks.end();
}

std::vector<GAME_CTaskBase*> TaskWorld::TasksOfKind(std::int32_t kind) const
{
    std::vector<GAME_CTaskBase*> found;
    Tasks().GetTasksOfKind(kind, found);
    return found;
}

std::int32_t TaskWorld::CarriedUnits() const
{
    std::int32_t units = 0;
    for (const GAME_CTaskBase* carry : TasksOfKind(kTaskCarrierFromInventory)) {
        const GAME_CItemDataImpl* load = carry->GetTargetIndex().load;
        units += load != nullptr ? load->count : 0;
    }
    return units;
}

bool TaskWorld::StepSimulationUntil(const std::function<bool()>& done, int maxSteps)
{
    for (int i = 0; i < maxSteps; ++i) {
        if (done()) return true;
        StepSimulation(1);
    }
    return done();
}

void TaskWorld::SaveAndLoad()
{
    constexpr std::uint32_t kSlot = 2;
    BuildSlotImage(kSlot);
    const std::span<std::uint8_t> saved = GetSaveAreas().ImageSlot(kSlot);
    std::memcpy(GetWorkingSlot().data(), saved.data(), saved.size());
    SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
}

std::vector<std::uint32_t> TaskWorld::StepAndListSounds()
{
    GAME_CSoundPlayer* sound = GetSoundPlayer();
    sound->UpdateSoundPlayer();
    StepSimulation(1);
    std::vector<std::uint32_t> played;
    for (std::uint32_t n = 0; n < kSoundEffectCount; ++n) {
        if (sound->WasPlayedThisFrame(n)) played.push_back(n);
    }
    return played;
}

}  // namespace support
