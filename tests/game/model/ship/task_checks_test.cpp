// Ordering work: the add-task check's refusals and their codes, the factory's refusal of kind 1, and the cooking request's cleared words.
#include <gtest/gtest.h>

#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_manager.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

class TaskChecksTest : public support::TaskWorld {
protected:
    std::uint32_t Check(const char (&taskId)[5], const GAME_CRoomBase& room)
    {
        const TaskData* record = FindTaskData(MakeTag(taskId));
        EXPECT_NE(record, nullptr) << taskId;
        std::uint32_t code = 0;
        const bool allowed = record != nullptr && CheckTaskRequest(*record, &room, &code);
        EXPECT_EQ(allowed, code == kTaskRequestAllowed) << taskId;
        return code;
    }
};

TEST_F(TaskChecksTest, AnOrderIsRefusedWithTheCodeOfTheFirstRuleItBreaks)
{
    GAME_CRoomBase& engine = Place(kEngine, 0, 0);
    GAME_CRoomBase& infirmary = Place(kInfirmary, 3, 0);

    // The carburettor first; the turbocharger needs it.
    EXPECT_EQ(Check("TU23", engine), kTaskRequestAllowed);
    EXPECT_EQ(Check("TU24", engine), kTaskRequestNeedsUpgrade);
    // An upgrade the room has is refused as such even while a required one is missing.
    engine.installedUpgrades = 1u << 1;
    EXPECT_EQ(Check("TU24", engine), kTaskRequestAlready);
    engine.installedUpgrades = 0;
    // The over-limit valve after the turbocharger.
    EXPECT_EQ(Check("TU25", engine), kTaskRequestNeedsUpgrade);
    engine.installedUpgrades = 0b11;
    EXPECT_EQ(Check("TU25", engine), kTaskRequestAllowed);
    engine.installedUpgrades = 0;

    // A second upgrade of the same id, or of the same upgrade bit under another id.
    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeRoomUpgradeRequest(*FindTaskData(MakeTag("TU23")), NumberOf(engine))),
              nullptr);
    EXPECT_EQ(Check("TU23", engine), kTaskRequestOnlyOne);
    TaskData& sameBit = *GetStaticDatabase()->GetOrCreateTaskData(MakeTag("TUZZ"));
    sameBit = *FindTaskData(MakeTag("TU23"));
    sameBit.id = MakeTag("TUZZ");
    EXPECT_EQ(Check("TUZZ", engine), kTaskRequestOnlyOne);

    // One patient task per treatment and room; a missing upgrade still has the last word.
    EXPECT_EQ(Check("TN01", infirmary), kTaskRequestAllowed);
    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakePatientRequest(NumberOf(infirmary), 0, MakeTag("N001"), 0)), nullptr);
    EXPECT_EQ(Check("TN01", infirmary), kTaskRequestOnlyOne);
    EXPECT_EQ(Check("TN04", infirmary), kTaskRequestNeedsUpgrade);

    // Five tasks bound to a room fill it; 1235 in the world fill the ship.
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakePatientRequest(NumberOf(infirmary), 0, 0, 0)), nullptr);
    }
    EXPECT_EQ(Check("TN02", infirmary), kTaskRequestAllowed);
    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakePatientRequest(NumberOf(infirmary), 0, 0, 0)), nullptr);
    EXPECT_EQ(infirmary.boundTasks.size(), kMaxRoomTasks);
    EXPECT_EQ(Check("TN02", infirmary), kTaskRequestTooMany);
    while (Tasks().tasks.size() < kMaxTasks) {
        ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeMealOnGridRequest()), nullptr);
    }
    EXPECT_EQ(Check("TU24", engine), kTaskRequestTooMany);
}

TEST_F(TaskChecksTest, TheFactoryMakesNoTaskOfKindOneAndACookingRequestClearsTheWordsBeforeItsValue)
{
    GAME_CTaskRequest request = MakeMealOnGridRequest();
    request.kind = 1;
    EXPECT_EQ(GAME_CTaskBase::CreateFromRequest(request), nullptr);
    request.kind = 19;
    EXPECT_EQ(GAME_CTaskBase::CreateFromRequest(request), nullptr);
    EXPECT_TRUE(Tasks().tasks.empty());

    const GAME_CTaskRequest cooking = MakeCookingRequest(3, 7);
    for (std::size_t offset = 20; offset <= 36; offset += 4) EXPECT_EQ(cooking.Word(offset), 0u) << offset;
    EXPECT_EQ(cooking.Word(40), 7u);
    EXPECT_EQ(cooking.size, 44u);
}

}  // namespace
