// Items on the field: free cells, the pool's limit, the hop and the carry requests, and drop items that come aboard.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/services/data/tag.h"
#include "game/model/travel/route_manager.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"
#include "tests/support/crew_world.h"

namespace {

using namespace support;

class FieldItems : public CrewWorld {
protected:
    void Block(std::int32_t column, std::int32_t row) { ASSERT_TRUE(Field().DropItemOnCell(kMaterial, 1, column, row)); }

    std::pair<std::int32_t, std::int32_t> FreeCellFrom(std::int32_t column, std::int32_t row) const
    {
        std::pair<std::int32_t, std::int32_t> cell;
        Field().FindFreeItemCell(column, row, &cell.first, &cell.second);
        return cell;
    }

    std::size_t CountCarryTasks() const
    {
        const auto& tasks = World().tasks->tasks;
        return static_cast<std::size_t>(std::count_if(tasks.begin(), tasks.end(), [](const GAME_CTaskBase* task) {
            return task != nullptr && task->id == MakeTag("TICR");
        }));
    }
};

TEST_F(FieldItems, AFreeCellIsSoughtInTheRowOutwardThenAboveThenBelowAndItemsNeverOutnumberCells)
{
    UseLargeShip();
    using Cell = std::pair<std::int32_t, std::int32_t>;
    EXPECT_EQ(FreeCellFrom(5, 3), Cell(5, 3));
    Block(5, 3);
    EXPECT_EQ(FreeCellFrom(5, 3), Cell(4, 3));
    Block(4, 3);
    EXPECT_EQ(FreeCellFrom(5, 3), Cell(6, 3));
    for (std::int32_t x = 0; x < 19; ++x) {
        if (x != 4 && x != 5) Block(x, 3);
    }
    EXPECT_EQ(FreeCellFrom(5, 3), Cell(5, 2));
    for (std::int32_t x = 0; x < 19; ++x) Block(x, 2);
    EXPECT_EQ(FreeCellFrom(5, 3), Cell(5, 4));
    EXPECT_EQ(FreeCellFrom(-4, -9), Cell(0, 0));

    // With every floor cell holding an item there is no object and no cell for another.
    for (std::int32_t y = 0; y < 13; ++y) {
        for (std::int32_t x = 0; x < 19; ++x) {
            if (!Field().IsCellOccupiedByItem(x, y)) Block(x, y);
        }
    }
    EXPECT_EQ(Field().items.size(), 247u);
    EXPECT_EQ(Field().AcquireItemObject(), nullptr);
    EXPECT_EQ(FreeCellFrom(5, 3), Cell(-1, -1));
}

TEST_F(FieldItems, ANewItemHopsOnceAsksForACarrierOnLandingAndAgainEvery179Steps)
{
    // A carrier is asked for only while some storage room can take the item.
    Place(kStorage, 8, 1);
    ASSERT_TRUE(Field().DropItemOnCell(kFood, 2, 3, 1));
    GAME_CObjectItem* item = Field().items.back();
    EXPECT_EQ(item->bounceStep, 1);
    int steps = 0;
    while (CountCarryTasks() == 0 && steps < 100) {
        StepField(1);
        ++steps;
    }
    EXPECT_EQ(item->bounceStep, 0);
    EXPECT_EQ(item->bounceOffset.y, 0.0f);
    EXPECT_EQ(CountCarryTasks(), 1u);
    // A second carry of the same item is refused while the first is under way; this one ends.
    World().tasks->tasks.front()->Finish();
    StepField(178);
    EXPECT_EQ(CountCarryTasks(), 1u);
    StepField(1);
    EXPECT_EQ(CountCarryTasks(), 2u);

    // A used-up stack goes back to the pool and calls off the carry task aimed at it.
    item->count = 0;
    StepField(1);
    EXPECT_TRUE(Field().items.empty());
    EXPECT_EQ(World().tasks->tasks.front()->cancel, 1u);
}

TEST_F(FieldItems, ADropItemBesideTheShipComesAboard45StepsAfterAFreeCellWasFoundNearTheBottomLeft)
{
    UseLargeShip();
    Route().SetPosition(1000);
    Block(0, 12);
    StepField(40);  // the blocking item has landed
    GAME_CObjectDropItem* drop = Field().AcquireDropItem();
    drop->Init({kFood, 3, 1100});
    GAME_CObjectDropItem* far = Field().AcquireDropItem();
    far->Init({kFood, 1, 2000});
    const std::size_t itemsBefore = Field().items.size();
    StepField(45);
    EXPECT_EQ(Field().items.size(), itemsBefore);
    StepField(1);
    ASSERT_EQ(Field().items.size(), itemsBefore + 1);
    const GAME_CObjectItem* boarded = Field().items.back();
    EXPECT_EQ(boarded->itemId, kFood);
    EXPECT_EQ(boarded->count, 3);
    EXPECT_EQ(boarded->GetCellColumn(), 1);
    EXPECT_EQ(boarded->GetCellRow(), 12);
    const std::vector<std::u16string> log = LogMessages();
    EXPECT_EQ(std::count(log.begin(), log.end(), u"OLIF_GET_ITEM"), 1);
    EXPECT_EQ(Field().CountDropItems(), 1);

    // With every drop item in use, the oldest is taken again.
    for (int i = 1; i < 128; ++i) Field().AcquireDropItem()->Init({kFood, 1, 5000 + i});
    StepField(1);
    EXPECT_EQ(Field().AcquireDropItem(), far);
}

}  // namespace
