// The cheese cellar of the shipped data as the journey's last quest needs it: built, lined with stone and ageing the golden cheese.
#include <gtest/gtest.h>

#include <span>

#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "game/model/ship/task_request.h"
#include "game/model/stores/stored_items.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/task_records.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

constexpr std::uint32_t kCheeseCellar = MakeTag("ID11");
constexpr std::uint32_t kStoneWalls = MakeTag("TU11");
constexpr std::uint32_t kAgeGoldenCheese = MakeTag("TC11");
constexpr std::uint32_t kGoldenCheese = MakeTag("I076");

class CheeseCellarTest : public support::TaskWorld {
protected:
    void StockMaterials(GAME_CRoomBase& storeroom, std::span<const ItemCount> materials)
    {
        for (const ItemCount& material : materials) {
            if (IsUnusedItemCount(material)) break;
            Stock(storeroom, material.itemId, material.count);
        }
    }
};

// The cellar holds one crew member, and so do its build, its stone walls and the ageing: each goes
// on with the one who fits in, and the oasis's golden cheese comes out of the upgraded cellar (a
// task calling for more crew than the room lets in never moved, and the last quest could not be
// delivered).
TEST_F(CheeseCellarTest, OneCrewMemberBuildsTheCellarLinesItWithStoneAndAgesTheGoldenCheese)
{
    GAME_CRoomBase& storeroom = Place(kStoreroom, 0, 0);
    for (std::int32_t x = 1; x <= 3; ++x) AddCrew(x, 0);
    const RoomData* cellarData = FindRoomData(kCheeseCellar);
    const TaskData* walls = FindTaskData(kStoneWalls);
    const TaskData* ageing = FindTaskData(kAgeGoldenCheese);
    ASSERT_NE(cellarData, nullptr);
    ASSERT_NE(walls, nullptr);
    ASSERT_NE(ageing, nullptr);
    StockMaterials(storeroom, cellarData->materials);
    StockMaterials(storeroom, walls->materials);
    StockMaterials(storeroom, ageing->materials);

    GAME_CRoomBase* cellar = Ship().PlaceNewRoom(6, 0, FindRoomIdIndex(kCheeseCellar), kCheeseCellar, true);
    ASSERT_NE(cellar, nullptr);
    ASSERT_TRUE(StepSimulationUntil([&] { return !cellar->underConstruction; }, 30000)) << "the cellar is never built";

    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeRoomUpgradeRequest(*walls, NumberOf(*cellar))), nullptr);
    const std::uint32_t wallsBit = 1u << walls->productItem;
    ASSERT_TRUE(StepSimulationUntil([&] { return (cellar->installedUpgrades & wallsBit) != 0; }, 30000))
        << "the stone walls are never put in";

    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(*ageing, NumberOf(*cellar), 0)), nullptr);
    EXPECT_TRUE(StepSimulationUntil([&] { return CountStoredItem(kGoldenCheese) == 1; }, 60000))
        << "the golden cheese is never made";
}

}  // namespace
