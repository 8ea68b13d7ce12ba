// The field part of a save slot: crew, enemies, drop items and items written at their offsets and read back, and a slot that is not to be trusted.
#include <gtest/gtest.h>

#include <vector>

#include "game/services/data/static_database.h"
#include "game/services/save/save_layout.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "platform/little_endian.h"
#include "tests/support/crew_world.h"

namespace {

using namespace support;
namespace slot = save_layout::slot;

constexpr std::uint32_t kEnemy = kTestEnemy;

class FieldSave : public CrewWorld {
protected:
    void SetUp() override
    {
        CrewWorld::SetUp();
        GetStaticDatabase()->GetOrCreateEnemyData(kEnemy);
    }

    static std::size_t Crew(int index) { return slot::kCrew + static_cast<std::size_t>(index) * slot::kCrewRecordSize; }
    static std::size_t Item(int index) { return slot::kFieldItems + static_cast<std::size_t>(index) * 12; }
};

TEST_F(FieldSave, SaveThenLoadGivesBackCrewEnemiesItemsAndDropItemsAtTheirOffsets)
{
    GAME_CRoomBase& home = Place(kHome, 0, 0);
    GAME_CRoomBase& kitchen = Place(kKitchen, 2, 0);
    GAME_CObjectActor& cook = AddCrew(1, 2);
    cook.status.name = u"あい";
    cook.status.hp = 41234;
    cook.status.stamina = 20500;
    cook.status.calorie = 0;
    cook.status.progress = 1;
    cook.status.AddBuff(kBuff);
    cook.status.AddDebuff(kDebuff);
    cook.status.UpdateConditionFlags();
    home.AssignCrew(&cook);
    kitchen.AssignCrew(&cook);
    GAME_CObjectActor& porter = AddCrew(6, 1);
    ASSERT_TRUE(Field().DropItemOnCell(kFood, 2, 3, 1));
    ASSERT_TRUE(Field().DropItemOnCell(kMaterial, 7, 5, 2));
    GAME_CObjectItem* load = Field().items.back();
    load->SetCarrier(&porter);
    porter.SetCarriedItem(load);
    Field().AcquireDropItem()->Init({kFood, 4, 700});
    GAME_CObjectEnemy* enemy = Field().AcquireEnemyObject();
    enemy->Init({kEnemy, {10, 20}});
    enemy->hpRecord.hp = 7;

    std::vector<std::uint8_t> saved = EmptySlot();
    Field().SaveToSlot(saved);
    EXPECT_EQ(saved[Crew(0)], 1);
    EXPECT_EQ(saved[Crew(0) + 1], 1);
    EXPECT_EQ(saved[Crew(0) + 2], 2);
    EXPECT_EQ(platform::ReadU16(saved, Crew(0) + 4), u'あ');
    EXPECT_EQ(platform::ReadI32(saved, Crew(0) + 36), 41234);
    EXPECT_EQ(saved[Crew(0) + 52], 1);  // work: the kitchen
    EXPECT_EQ(saved[Crew(0) + 53], 0);  // home
    EXPECT_EQ(saved[Crew(0) + 54], 0x11);
    EXPECT_EQ(saved[Crew(1)], 1);
    EXPECT_EQ(saved[Crew(2)], 0);
    EXPECT_EQ(platform::ReadU32(saved, slot::kEnemyRecords), kEnemy);
    EXPECT_EQ(platform::ReadI32(saved, slot::kEnemyRecords + 8), 20);
    EXPECT_EQ(platform::ReadU32(saved, slot::kDropItemRecords), kFood);
    EXPECT_EQ(platform::ReadI32(saved, slot::kDropItemRecords + 4), 700);
    EXPECT_EQ(platform::ReadU32(saved, Item(0)), kFood);
    EXPECT_EQ(saved[Item(1) + 8], 7);
    EXPECT_EQ(saved[Item(1) + 9], 1);  // carried by the second crew member
    EXPECT_EQ(platform::ReadU32(saved, Item(2)), kNoId);

    Field().LoadFromSlot(saved);
    ASSERT_EQ(Field().crew.size(), 2u);
    const GAME_CObjectActor& back = *Field().crew[0];
    EXPECT_EQ(back.status.name, ActorName(u"あい"));
    EXPECT_EQ(back.status.hp, 41234);
    EXPECT_EQ(back.status.stamina, 20500);
    EXPECT_TRUE(back.status.IsStarving());
    EXPECT_EQ(back.status.buffs[0].id, kBuff);
    EXPECT_EQ(back.status.debuffs[0].id, kDebuff);
    EXPECT_EQ(back.status.progress, 1);
    EXPECT_EQ(back.GetGridColumn(), 1);
    EXPECT_EQ(back.GetGridRow(), 2);
    EXPECT_EQ(back.homeLink.room, &home);
    EXPECT_EQ(back.workLink.room, &kitchen);
    ASSERT_EQ(Field().items.size(), 2u);
    EXPECT_EQ(Field().items[0]->GetCellColumn(), 3);
    EXPECT_EQ(Field().items[1]->carrier, Field().crew[1]);
    EXPECT_EQ(Field().crew[1]->carriedItem, Field().items[1]);
    ASSERT_EQ(Field().enemies.size(), 1u);
    EXPECT_EQ(Field().enemies[0]->hpRecord.hp, 7);
    EXPECT_EQ(Field().enemies[0]->routePosition, 20);
    EXPECT_EQ(Field().CountDropItems(), 1);

    // Saved again, the records are the same bytes: nothing drifts from one save to the next.
    std::vector<std::uint8_t> again = EmptySlot();
    Field().SaveToSlot(again);
    EXPECT_EQ(again, saved);
}

// The ship takes rooms away in its own step, after the crew's: the rooms above move down a number
// at once, and a save taken before the crew's next step must name each member's rooms by the
// numbers they have now, not by those they had.
TEST_F(FieldSave, ASaveRightAfterARoomIsTakenAwayKeepsEveryMemberInItsOwnRooms)
{
    Place(kFuelTank, 0, 2);
    GAME_CRoomBase& home = Place(kHome, 0, 0);
    GAME_CRoomBase& kitchen = Place(kKitchen, 2, 0);
    GAME_CObjectActor& cook = AddCrew(6, 1);
    home.AssignCrew(&cook);
    kitchen.AssignCrew(&cook);

    Ship().RemoveRoom(0);
    std::vector<std::uint8_t> saved = EmptySlot();
    Field().SaveToSlot(saved);
    EXPECT_EQ(saved[Crew(0) + 53], 0);  // home
    EXPECT_EQ(saved[Crew(0) + 52], 1);  // work: the kitchen

    Field().LoadFromSlot(saved);
    ASSERT_EQ(Field().crew.size(), 1u);
    EXPECT_EQ(Field().crew[0]->homeLink.room, &home);
    EXPECT_EQ(Field().crew[0]->workLink.room, &kitchen);
}

// A buff or debuff goes on after a load for the time it had left: a cold near its end ends on the
// frame it would have ended unsaved, taking no more HP, rather than starting its whole time again.
TEST_F(FieldSave, BuffsAndDebuffsGoOnForTheTimeTheyHadLeft)
{
    GetStaticDatabase()->GetOrCreateDebuffData(kDebuff, false)->hpDrainInterval = 60;
    constexpr std::int32_t kWhole = 10 * 60;
    AddCrew(1, 2);
    GAME_CActorStatus& status = Field().crew[0]->status;
    status.AddBuff(kBuff);
    status.AddDebuff(kDebuff);
    for (int i = 0; i < kWhole - 100; ++i) status.Tick();
    ASSERT_EQ(status.debuffs[0].timer, 100);
    const std::int32_t hpBefore = status.hp;

    std::vector<std::uint8_t> saved = EmptySlot();
    Field().SaveToSlot(saved);
    Field().LoadFromSlot(saved);
    GAME_CActorStatus& loaded = Field().crew[0]->status;
    EXPECT_EQ(loaded.buffs[0].timer, 100);
    EXPECT_EQ(loaded.debuffs[0].timer, 100);
    for (int i = 0; i < 100; ++i) loaded.Tick();
    EXPECT_EQ(loaded.buffs[0].id, kNoId) << "the buff ran its whole time again after the load";
    EXPECT_EQ(loaded.debuffs[0].id, kNoId) << "the debuff ran its whole time again after the load";
    EXPECT_EQ(loaded.hp, hpBefore - 2 * 1000) << "the debuff takes a unit at 60 and at 0 frames left";

    // A save that kept no time (an older one) runs them their whole time; a time past the whole
    // is damage, named in the log and cut to the whole.
    platform::WriteI32(saved, Crew(0) + 60, 0);
    platform::WriteI32(saved, Crew(0) + 68, 99999);
    Field().LoadFromSlot(saved);
    EXPECT_EQ(Field().crew[0]->status.buffs[0].timer, kWhole);
    EXPECT_EQ(Field().crew[0]->status.debuffs[0].timer, kWhole);
    EXPECT_TRUE(LogMentions("debuff time 99999"));
}

TEST_F(FieldSave, ASaveWritesNoMoreThanItsRecordsAndLeavesNothingOfAnEarlierOne)
{
    std::vector<std::uint8_t> saved = EmptySlot();
    // An earlier save's enemy and item records.
    platform::WriteU32(saved, slot::kEnemyRecords + 16, kEnemy);
    platform::WriteI32(saved, slot::kEnemyRecords + 20, 50);
    platform::WriteU32(saved, Item(5), kFood);
    saved[Item(5) + 8] = 1;
    saved[Item(5) + 10] = 1;
    while (Field().AcquireActorObject() != nullptr) {
    }
    Field().crew.push_back(Field().crew[0]);
    Field().crew.push_back(Field().crew[1]);
    ASSERT_TRUE(Field().DropItemOnCell(kMaterial, 1, 0, 0));
    Field().items.back()->count = 300;  // more than a byte holds
    const std::vector<std::uint8_t> before = saved;
    Field().SaveToSlot(saved);
    EXPECT_EQ(saved[Crew(127)], 1);
    EXPECT_EQ(saved[slot::kShipTag], before[slot::kShipTag]);
    EXPECT_EQ(saved[Item(0) + 8], 255);
    Field().crew.resize(128);
    Field().LoadFromSlot(saved);
    EXPECT_TRUE(Field().enemies.empty());
    EXPECT_EQ(Field().items.size(), 1u);
}

TEST_F(FieldSave, LoadingAnUntrustedSlotKeepsMetersCellsAndLinksWithinTheWorld)
{
    std::vector<std::uint8_t> saved = EmptySlot();
    saved[Crew(0)] = 1;
    saved[Crew(0) + 1] = 200;  // off the grid
    saved[Crew(0) + 2] = 1;
    platform::WriteI32(saved, Crew(0) + 36, -5);
    platform::WriteI32(saved, Crew(0) + 40, 999999999);
    saved[Crew(0) + 53] = 99;  // no such room
    saved[Crew(0) + 54] = 0x01;
    // An item carried by nobody, and one lying far off the floor.
    platform::WriteU32(saved, Item(0), kFood);
    saved[Item(0) + 8] = 3;
    saved[Item(0) + 9] = 40;
    saved[Item(0) + 10] = 1;
    platform::WriteU32(saved, Item(1), kMaterial);
    platform::WriteI16(saved, Item(1) + 4, 30000);
    platform::WriteI16(saved, Item(1) + 6, -7);
    saved[Item(1) + 8] = 2;
    saved[Item(1) + 9] = 255;
    saved[Item(1) + 10] = 1;
    // An enemy with more HP than its kind's maximum of 100.
    platform::WriteU32(saved, slot::kEnemyRecords, kEnemy);
    platform::WriteI32(saved, slot::kEnemyRecords + 4, 5000);
    platform::WriteI32(saved, slot::kEnemyRecords + 8, 30);
    platform::WriteI32(saved, slot::kEnemyRecords + 12, 30);
    Field().LoadFromSlot(saved);

    ASSERT_EQ(Field().enemies.size(), 1u);
    EXPECT_EQ(Field().enemies[0]->hpRecord.maxHp, 100);
    EXPECT_EQ(Field().enemies[0]->hpRecord.hp, 100);
    ASSERT_EQ(Field().crew.size(), 1u);
    const GAME_CObjectActor& member = *Field().crew[0];
    EXPECT_EQ(member.status.hp, 0);
    EXPECT_EQ(member.status.stamina, 100000);
    EXPECT_LT(member.GetGridColumn(), Ship().grid.width);
    EXPECT_EQ(member.homeLink.room, nullptr);
    ASSERT_EQ(Field().items.size(), 2u);
    EXPECT_EQ(Field().items[0]->carrier, nullptr);
    EXPECT_EQ(member.carriedItem, nullptr);
    for (const GAME_CObjectItem* item : Field().items) {
        EXPECT_TRUE(Ship().grid.IsInside(item->GetCellColumn(), item->GetCellRow()));
    }
    EXPECT_NE(Field().items[0]->GetCellColumn() * 100 + Field().items[0]->GetCellRow(),
              Field().items[1]->GetCellColumn() * 100 + Field().items[1]->GetCellRow());
}

// Quarters still being built are their builder's workplace and nobody's home: a record naming such
// quarters as a member's home is damage, which would lodge the member in a building site.
TEST_F(FieldSave, AHomeInQuartersStillBeingBuiltIsNotTakenFromTheSlot)
{
    ASSERT_NE(Ship().PlaceNewRoom(0, 0, kHome, kNoId, false), nullptr);
    std::vector<std::uint8_t> saved = EmptySlot();
    saved[Crew(0)] = 1;
    saved[Crew(0) + 53] = 0;  // the quarters being built
    saved[Crew(0) + 54] = 0x01;
    Field().LoadFromSlot(saved);

    ASSERT_EQ(Field().crew.size(), 1u);
    EXPECT_EQ(Field().crew[0]->homeLink.room, nullptr);
    EXPECT_TRUE(Ship().GetRoom(0)->assignedCrew.empty() && Ship().GetRoom(0)->presentCrew.empty());
    EXPECT_TRUE(LogMentions("crew record 0"));
}

}  // namespace
