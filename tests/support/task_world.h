// The running game on the shipped data with an empty ship of its own, for tests of crew tasks, the crew AI and the hand-out.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "game/services/data/tag.h"
#include "tests/support/game_fixture.h"

class GAME_CFieldObjectManager;
class GAME_CGameWorld;
class GAME_CObjectActor;
class GAME_CObjectItem;
class GAME_CRoomBase;
class GAME_CShip;
class GAME_CTaskBase;
class GAME_CTaskManager;

namespace support {

// The game brought up to the main game with its title closed; then the ship is "SHP2" with no
// room, no crew, no item and no task, and the random generator is seeded. Tests place what they
// need and step the world's simulation.
class TaskWorld : public GameFixture {
protected:
    void SetUp() override;

    GAME_CGameWorld& World() const;
    GAME_CShip& Ship() const;
    GAME_CTaskManager& Tasks() const;
    GAME_CFieldObjectManager& Field() const;

    // A finished room of the kind at the cell (fails the test when it does not fit).
    GAME_CRoomBase& Place(std::uint32_t roomId, std::int32_t x, std::int32_t y);
    // A crew member standing on the cell's floor point, its AI running.
    GAME_CObjectActor& AddCrew(std::int32_t x, std::int32_t y);
    // Units of the item into the storage room's inventory.
    void Stock(GAME_CRoomBase& storage, std::uint32_t itemId, std::int32_t count);
    // An item object of the count lying on the cell.
    GAME_CObjectItem& Drop(std::uint32_t itemId, std::int32_t count, std::int32_t x, std::int32_t y);
    // The room's number in the ship's room list.
    std::int32_t NumberOf(const GAME_CRoomBase& room) const;
    // Whether the task is still in the world's task list (a finished task is deleted by the
    // list's next pass).
    bool IsListed(const GAME_CTaskBase* task) const;
    // The unfinished tasks of the kind, in list order.
    std::vector<GAME_CTaskBase*> TasksOfKind(std::int32_t kind) const;
    // The units the carries for tasks hold in their loads, between the stores and the tasks.
    std::int32_t CarriedUnits() const;
    // Simulation steps until done() holds; false when it did not within maxSteps.
    bool StepSimulationUntil(const std::function<bool()>& done, int maxSteps);
    // The running game saved into a slot of the image as a save builds it and loaded back from it
    // as a load does: every crew member, item and task is made anew.
    void SaveAndLoad();
    // One simulation step; the sound effects the game asked for in it.
    std::vector<std::uint32_t> StepAndListSounds();
};

}  // namespace support
