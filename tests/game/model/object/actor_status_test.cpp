// Crew status: meters that drain and recover, the conditions they lead to, buffs and debuffs, and the stats they give.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/services/data/static_database.h"
#include "game/services/clock/game_clock.h"
#include "game/model/object/field_object_manager.h"
#include "tests/support/crew_world.h"

namespace {

using namespace support;

class CrewStatus : public CrewWorld {
protected:
    ActorBaseStats& Base() const { return GetStaticDatabase()->BaseStats(); }

    static bool Queued(const GAME_CObjectActor& member, std::int32_t line)
    {
        const auto& queue = member.balloon->Queue();
        return std::any_of(queue.begin(), queue.end(), [&](const BalloonQueueEntry& entry) { return entry.lineId == line; });
    }
};

TEST_F(CrewStatus, AnIdleCrewMemberEatsUpItsCalorieStarvesAndOnlyThenAsksForFood)
{
    Base().maxCalorie = 2;
    Base().caloriePeriod = 60;
    GAME_CObjectActor& hungry = AddCrew(0, 2);
    GAME_CObjectActor& fed = AddCrew(1, 2);
    EXPECT_EQ(hungry.status.calorie, 2000);
    const auto step = [&](int count) {
        for (int i = 0; i < count; ++i) {
            fed.status.calorie = 2000;
            StepField(1);
        }
    };
    step(1);
    EXPECT_EQ(hungry.status.calorie, 1000);
    step(59);
    EXPECT_EQ(hungry.status.calorie, 1000);
    EXPECT_FALSE(hungry.status.IsStarving());
    step(1);
    EXPECT_EQ(hungry.status.calorie, 0);
    EXPECT_TRUE(hungry.status.IsStarving());
    EXPECT_NE(hungry.status.flags & GAME_CActorStatus::kFlagStarving, 0u);

    // The balloon check comes every 121 steps: the first at step 1, the next at step 122.
    step(60);
    EXPECT_FALSE(Queued(hungry, kStarvingLine));
    step(1);
    EXPECT_TRUE(Queued(hungry, kStarvingLine));
    step(300);
    EXPECT_FALSE(Queued(fed, kStarvingLine));

    // Whole units: 1 to 999 thousandths count as 1.
    EXPECT_EQ(WholeUnits(0), 0);
    EXPECT_EQ(WholeUnits(999), 1);
    EXPECT_EQ(WholeUnits(1999), 1);
    EXPECT_EQ(WholeUnits(2000), 2);
}

TEST_F(CrewStatus, ADebuffDrainsItsHPAndEndsABuffRestartsAndTheStoppedClockStopsOnlyLosses)
{
    DebuffData* cold = GetStaticDatabase()->GetOrCreateDebuffData(kDebuff, false);
    cold->durationSeconds = 5;
    cold->hpDrainInterval = 60;
    GAME_CObjectActor& member = AddCrew(0, 2);
    GAME_CActorStatus& status = member.status;
    status.AddDebuff(kDebuff);
    status.AddDebuff(kDebuff);
    EXPECT_EQ(status.debuffs[1].id, kNoId);
    StepField(299);
    EXPECT_EQ(status.hp, 96000);
    EXPECT_EQ(status.debuffs[0].id, kDebuff);
    StepField(1);
    EXPECT_EQ(status.hp, 95000);
    EXPECT_EQ(status.debuffs[0].id, kNoId);
    StepField(120);
    EXPECT_EQ(status.hp, 95000);

    // A buff added again keeps its slot and starts its time over; a third buff finds no slot.
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    database.GetOrCreateBuffData(MakeTag("B002"), true)->durationSeconds = 10;
    database.GetOrCreateBuffData(MakeTag("B003"), true)->durationSeconds = 10;
    status.AddBuff(kBuff);
    StepField(100);
    EXPECT_EQ(status.buffs[0].timer, 500);
    status.AddBuff(kBuff);
    EXPECT_EQ(status.buffs[0].timer, 600);
    EXPECT_EQ(status.buffs[1].id, kNoId);
    status.AddBuff(MakeTag("B002"));
    status.AddBuff(MakeTag("B003"));
    EXPECT_EQ(status.buffs[1].id, MakeTag("B002"));
    status.RemoveBuff(kNoId);
    EXPECT_EQ(status.buffs[0].id, kNoId);
    EXPECT_EQ(status.buffs[1].id, kNoId);

    // While the clock is stopped nothing is lost, but stamina still comes back.
    Base().staminaRecoveryPeriod = 10;
    status.Recalc();
    status.stamina = 50000;
    status.staminaCountdown = 1;
    const std::int32_t calorie = status.calorie;
    GetGameClock()->timeStopped = 1;
    EXPECT_EQ(status.AddHP(-5000), 95000);
    EXPECT_EQ(status.AddHP(1000), 96000);
    StepField(200);
    EXPECT_EQ(status.calorie, calorie);
    EXPECT_GT(status.stamina, 50000);
    status.AddDebuff(kDebuff);
    StepField(300);
    EXPECT_EQ(status.hp, 96000);
}

TEST_F(CrewStatus, FactorsOf1000ChangeNothingAndEveryPeriodStaysAtLeastOneFrame)
{
    BuffData* buff = GetStaticDatabase()->GetOrCreateBuffData(kBuff, false);
    buff->factors = {1000, 1100, 1000, 500, 1000, 1000, 1000};
    GAME_CObjectActor& member = AddCrew(0, 2);
    EXPECT_EQ(member.status.computed.maxStamina, 100);
    member.status.AddBuff(kBuff);
    EXPECT_EQ(member.status.computed.maxStamina, 110);
    EXPECT_EQ(member.status.computed.maxHp, 100);
    EXPECT_EQ(member.status.computed.caloriePeriod, 12000);
    member.status.RemoveBuff(kBuff);
    EXPECT_EQ(member.status.computed.maxStamina, 100);

    // Periods of 0 from the data would never end a meter step: they count as 1.
    Base().exhaustedStaminaRecoveryPeriod = 0;
    Base().staminaRecoveryPeriod = 0;
    Base().caloriePeriod = 0;
    member.status.Recalc();
    member.status.stamina = 0;
    StepField(3);
    EXPECT_TRUE(member.status.IsExhausted());
    EXPECT_EQ(member.status.computed.exhaustedStaminaRecoveryPeriod, 1);

    // Random removal preferring an occupied slot empties nothing when both are empty.
    member.status.RemoveRandomDebuff(true);
    EXPECT_EQ(member.status.debuffs[0].id, kNoId);
}

}  // namespace
