// The shipped data set at work in the running game: the crew's own rooms each give their crew
// something to do, and the road brings the lookout no build menu offers.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "game/model/object/object_actor.h"
#include "game/model/ship/effect_field.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"
#include "game/model/stores/stored_items.h"
#include "game/model/travel/route_event.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/data/task_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/message_text.h"
#include "game/services/ui_port/ui_slots.h"
#include "game/ui/event_selection.h"
#include "game/ui/screens/ui_add_task.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/ui_manager.h"
#include "tests/support/event_window.h"
#include "tests/support/task_world.h"

namespace {

constexpr std::uint32_t kStoreroom = MakeTag("ID20");
constexpr std::uint32_t kLookout = MakeTag("ID02");
constexpr std::uint32_t kRouteScan = MakeTag("TSCN");
// The rocky pass from Rusty Gear Post to Mirage Market, where the lookout post stands.
constexpr std::uint32_t kRockyPass = 3;
constexpr std::int32_t kLookoutPost = 2305;

class DataSetRooms : public support::TaskWorld {
protected:
    GAME_CUIAddTask& AddTask() const { return *UI().Get<GAME_CUIAddTask>(); }

    // The room's add-task screen opened as its task tab opens it; its entries once it stands.
    const std::vector<const TaskData*>& OpenAddTask(GAME_CRoomBase& room)
    {
        AddTask().target = &room;
        AddTask().SetOpen(true);
        EXPECT_TRUE(StepUntil([&] { return AddTask().State() == UIScreenState::kMain; }, 20));
        return AddTask().Entries();
    }

    bool HoldsBuff(const GAME_CObjectActor& member, std::uint32_t buff) const
    {
        return std::ranges::any_of(member.status.buffs, [&](const auto& slot) { return slot.id == buff; });
    }

    // The rocky pass taken, and the event at the place met as the ship passes it.
    void MeetOnTheRockyPass(std::int32_t place)
    {
        UI().SetOpen(kSlotCommon, true);
        std::uint32_t road = kRockyPass;
        StartRoute(*World().travel, &road, true, {}, {});
        StepFrames(2);
        GAME_CRouteManager& route = *World().travel->routeManager;
        passedLabel_ = FindRouteEventAt(*route.Events(), place);
        ASSERT_NE(passedLabel_, -1) << "no event at " << place;
        route.Script().Call(static_cast<std::uint32_t>(passedLabel_));
    }
    // The same event met once more, as on the pass driven again.
    void MeetItAgain() { World().travel->routeManager->Script().Call(static_cast<std::uint32_t>(passedLabel_)); }

    // Frames reading the event's texts and taking the first answer of its question, as a player
    // does with DECIDE, until done() holds.
    bool ReadTheEventUntil(const std::function<bool()>& done)
    {
        bool pressed = false;
        return StepUntil(
            [&] {
                const bool asked = GetEventSelection()->IsActive() && GetEventSelection()->State() == 2;
                const bool waiting = asked || support::EventTextWaits(UI().Get<GAME_CUIEvent>());
                if (waiting && !pressed) PressAction(kActionDecide);
                pressed = waiting && !pressed;
                return done();
            },
            3000);
    }
    bool ReadTheEventThrough()
    {
        StepFrames(2);
        return ReadTheEventUntil([&] { return !UI().IsOpen(kSlotEvent) && !World().travel->routeManager->IsRouteEventRunning(); });
    }

    std::int32_t Lookouts() const { return Ship().CountIntactRoomsOfKind(FindRoomIdIndex(kLookout)); }

private:
    std::int32_t passedLabel_ = -1;
};

// The lounge, the music room, the library and the shrine each offer their task in the add-task
// screen; ordered there, a crew member fetches what it needs, works it to its end and is left with
// what the room gives: the lounge's refreshing air and the music room's tune lie over the room and
// its neighbours, the shrine's prayer burns its herb.
TEST_F(DataSetRooms, TheCrewsOwnRoomsEachOfferATaskThatIsWorkedToItsEnd)
{
    struct Room {
        std::uint32_t id;
        std::int32_t x;
        std::uint32_t task;
        std::uint32_t fieldBuff;  // kNoId: no field
    };
    const Room rooms[] = {{MakeTag("ID25"), 3, MakeTag("TR25"), MakeTag("B003")},
                          {MakeTag("ID26"), 5, MakeTag("TR26"), MakeTag("B002")},
                          {MakeTag("ID28"), 6, MakeTag("TR28"), kNoId},
                          {MakeTag("ID30"), 7, MakeTag("TR30"), kNoId}};
    GAME_CRoomBase& storeroom = Place(kStoreroom, 0, 0);
    GAME_CObjectActor& member = AddCrew(1, 0);
    for (const Room& shown : rooms) {
        SCOPED_TRACE(TagText(shown.id));
        const TaskData* task = FindTaskData(shown.task);
        ASSERT_NE(task, nullptr);
        for (const ItemCount& material : task->materials) {
            if (IsUnusedItemCount(material)) break;
            Stock(storeroom, material.itemId, material.count);
        }
        GAME_CRoomBase& room = Place(shown.id, shown.x, 0);
        const std::vector<const TaskData*>& entries = OpenAddTask(room);
        ASSERT_EQ(entries.size(), 1u);
        ASSERT_EQ(entries.front(), task);
        const std::int32_t herbs = CountStoredItem(MakeTag("I008"));
        AddTask().IssueTaskRequest(entries.front(), false);
        ASSERT_EQ(room.boundTasks.size(), 1u) << "the order was refused";
        const GAME_CTaskBase* ordered = room.boundTasks.front();
        ASSERT_TRUE(StepUntil([&] { return !AddTask().IsOpen(); }, 30));

        ASSERT_TRUE(StepSimulationUntil([&] { return !IsListed(ordered); }, 20000)) << "the task is never done";
        if (shown.fieldBuff != kNoId) {
            const auto& fields = GetEffectFields();
            const auto field = std::ranges::find_if(fields, [&](const GAME_CEffectField* f) { return f->GetRoom() == &room; });
            ASSERT_NE(field, fields.end()) << "no field over the room";
            EXPECT_EQ((*field)->GetEffectId(), shown.fieldBuff);
            EXPECT_EQ((*field)->GetEffectType(), kEffectBuff);
            EXPECT_EQ((*field)->GetVisualKind(), task->effectAWord);
            StepSimulation(1);
            EXPECT_TRUE(HoldsBuff(member, shown.fieldBuff)) << "the crew member working there has none of it";
        }
        if (task->materials[0].itemId == MakeTag("I008")) {
            EXPECT_EQ(CountStoredItem(MakeTag("I008")), herbs - 1) << "the herb was not burnt";
        }
    }
}

// A ship without a lookout that meets the post on the rocky pass and takes it aboard has a
// lookout on the first free cell of its lowest row, where its crew walk; its add-task screen
// offers the route scan, and the crew come to scan. A ship with a lookout is asked nothing.
TEST_F(DataSetRooms, TheRockyPassGivesAShipWithoutALookoutItsLookout)
{
    GAME_CRoomBase& quarters = Place(MakeTag("ID03"), 0, 3);
    AddCrew(0, 3);
    ASSERT_EQ(Lookouts(), 0);

    ASSERT_NO_FATAL_FAILURE(MeetOnTheRockyPass(kLookoutPost));
    ASSERT_TRUE(ReadTheEventThrough());
    ASSERT_EQ(Lookouts(), 1) << "no lookout taken aboard";
    GAME_CRoomBase* lookout = nullptr;
    for (GAME_CRoomBase* room : Ship().rooms) {
        if (room != nullptr && room->roomId == kLookout) lookout = room;
    }
    ASSERT_NE(lookout, nullptr);
    EXPECT_FALSE(lookout->underConstruction);
    EXPECT_EQ(lookout->gridX, 1) << "the first free cell of the lowest row";
    EXPECT_EQ(lookout->gridY, 3);
    EXPECT_TRUE(Ship().IsReachable(quarters.gridX, quarters.gridY, lookout->gridX, lookout->gridY));

    const std::vector<const TaskData*>& entries = OpenAddTask(*lookout);
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front()->id, kRouteScan);
    AddTask().IssueTaskRequest(entries.front(), false);
    ASSERT_EQ(lookout->boundTasks.size(), 1u) << "the route scan was refused";
    const GAME_CTaskBase* scan = lookout->boundTasks.front();
    ASSERT_TRUE(StepUntil([&] { return !AddTask().IsOpen(); }, 30));
    EXPECT_TRUE(StepSimulationUntil([&] { return !IsListed(scan) || scan->progress > 0; }, 3000))
        << "nobody comes to scan";

    // Passed again with the lookout aboard: no question, no second post.
    MeetItAgain();
    StepFrames(30);
    EXPECT_FALSE(UI().IsOpen(kSlotEvent));
    EXPECT_FALSE(GetEventSelection()->IsActive());
    EXPECT_EQ(Lookouts(), 1);
}

// On a deck with no free cell the crew leave the post on the pass and the road says why; the
// search of the cells ends and the road goes on.
TEST_F(DataSetRooms, ADeckWithoutAFreeCellLeavesTheLookoutOnThePass)
{
    const std::uint16_t quarters = static_cast<std::uint16_t>(FindRoomIdIndex(MakeTag("ID03")));
    for (std::int32_t y = 0; y < Ship().grid.height; ++y) {
        for (std::int32_t x = 0; x < Ship().grid.width; ++x) Ship().PlaceRoom(x, y, quarters);
    }
    const std::int32_t rooms = Ship().CountRoomsOnGrid();
    ASSERT_EQ(rooms, Ship().grid.width * Ship().grid.height);

    ASSERT_NO_FATAL_FAILURE(MeetOnTheRockyPass(kLookoutPost));
    bool told = false;
    const std::u16string noRoom = GetMessageTextExpanded("ROUTE_LOOKOUT_NO_ROOM");
    ASSERT_TRUE(ReadTheEventUntil(
        [&] {
            const GAME_CUIEvent& window = *UI().Get<GAME_CUIEvent>();
            told = told || (window.IsOpen() && window.Text().fullText.find(noRoom) != std::u16string::npos);
            return told && !UI().IsOpen(kSlotEvent) && !World().travel->routeManager->IsRouteEventRunning();
        }));
    EXPECT_EQ(Lookouts(), 0);
    EXPECT_EQ(Ship().CountRoomsOnGrid(), rooms);
}

}  // namespace
