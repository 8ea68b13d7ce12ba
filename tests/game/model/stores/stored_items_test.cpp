// The ship's item totals as the screens and the quest board read them while crew carry units between the stores and the tasks.
#include <gtest/gtest.h>

#include "game/model/quest/quest_rules.h"
#include "game/services/data/item_data.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_request.h"
#include "game/model/stores/stored_items.h"
#include "game/services/data/static_lookups.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

constexpr std::uint32_t kIronPlate = MakeTag("I010");
constexpr std::uint32_t kGear = MakeTag("I005");
constexpr std::uint32_t kCopperWire = MakeTag("I004");
constexpr std::uint32_t kEngineWorks = MakeTag("ID07");
constexpr std::uint32_t kEnginePart = MakeTag("I012");
constexpr std::uint32_t kEnginePartRecipe = MakeTag("TC03");  // one plate, two gears and a copper wire
constexpr std::uint32_t kPlatesForASmith = MakeTag("Q002");  // four plates

class StoredItems : public support::TaskWorld {};

// Five plates aboard, one of them claimed for an engine part: four stay free for the smith's
// quest all along, before the carrier takes the claimed plate, while it carries it and after the
// part is made, and the board counts the quest deliverable throughout.
TEST_F(StoredItems, UnitsACarrierHasTakenForATaskAreNotWithheldTwiceFromAQuest)
{
    GAME_CRoomBase& storeroom = Place(kStoreroom, 0, 0);
    GAME_CRoomBase& works = Place(kEngineWorks, 8, 0);
    AddCrew(3, 0);
    AddCrew(4, 0);
    Stock(storeroom, kIronPlate, 5);
    Stock(storeroom, kGear, 2);
    Stock(storeroom, kCopperWire, 1);
    const TaskData* recipe = FindTaskData(kEnginePartRecipe);
    ASSERT_NE(recipe, nullptr);
    GAME_CTaskBase* craft = GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(*recipe, NumberOf(works), 0));
    ASSERT_NE(craft, nullptr);

    bool sawPlateInHand = false;
    const bool made = StepSimulationUntil(
        [&] {
            for (const GAME_CTaskBase* carry : TasksOfKind(kTaskCarrierFromInventory)) {
                const GAME_CItemDataImpl* load = carry->GetTargetIndex().load;
                if (load != nullptr && load->itemId == kIronPlate && load->count > 0) sawPlateInHand = true;
            }
            EXPECT_EQ(CountAvailableItem(kIronPlate), 4) << "plate in hand: " << sawPlateInHand;
            EXPECT_TRUE(IsQuestDeliverable(kPlatesForASmith)) << "plate in hand: " << sawPlateInHand;
            return CountStoredItem(kEnginePart) == 1 || HasFailure();
        },
        30000);
    ASSERT_FALSE(HasFailure());
    EXPECT_TRUE(sawPlateInHand);
    EXPECT_TRUE(made);
    EXPECT_EQ(CountStoredItem(kIronPlate), 4);
}

}  // namespace
