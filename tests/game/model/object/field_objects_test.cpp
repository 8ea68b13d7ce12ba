// The field-object manager's step: what holds still when, damage numbers, sand pillars and crew talk.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/services/ui_port/ui_slots.h"
#include "tests/support/crew_world.h"

namespace {

using namespace support;

constexpr int kSlotEnding = 46;

class FieldObjects : public CrewWorld {};

TEST_F(FieldObjects, TheGameOverScreenHoldsCrewAndEnemiesUnlessTheEndingPlaysBehindIt)
{
    GAME_CObjectActor& member = AddCrew(0, 2);
    ASSERT_TRUE(Field().DropItemOnCell(kFood, 1, 4, 1));
    const GAME_CObjectItem* item = Field().items.back();
    StepField(1);
    const std::int32_t calorie = member.status.calorie;
    World().ui->SetOpen(kSlotGameOver, true);
    StepField(5);
    EXPECT_EQ(member.status.calorieCountdown, 6000);
    EXPECT_EQ(item->bounceStep, 7);  // items still move
    World().ui->SetOpen(kSlotEnding, true);
    StepField(5);
    EXPECT_EQ(member.status.calorieCountdown, 5995);
    EXPECT_EQ(member.status.calorie, calorie);
}

TEST_F(FieldObjects, DamageNumbersLiveSixtyStepsAndTheSixtyFifthReplacesTheOldest)
{
    GAME_CObjectActor& member = AddCrew(2, 1);
    member.aiEnabled = 0;  // it stays on its cell
    Field().AddActorDamageNumber(&member, 0);
    EXPECT_TRUE(std::all_of(Field().GetDamageNumbers().CrewNumbers().begin(),
                            Field().GetDamageNumbers().CrewNumbers().end(),
                            [](const DamageNumbers::CrewSlot& slot) { return slot.value == 0; }));
    Field().AddActorDamageNumber(&member, 1);
    StepField(1);
    for (std::int32_t value = 2; value <= 64; ++value) Field().AddActorDamageNumber(&member, value);
    Field().AddActorDamageNumber(&member, 65);
    const auto& numbers = Field().GetDamageNumbers().CrewNumbers();
    EXPECT_EQ(numbers[0].value, 65);
    EXPECT_EQ(numbers[0].age, 0);
    EXPECT_EQ(numbers[1].value, 2);

    // At age 45 a number is half gone and has risen 37 units; at 60 it has gone.
    StepField(45);
    EXPECT_EQ(numbers[0].age, 45);
    EXPECT_EQ(DamageNumberOpacity(numbers[0].age), 127);
    EXPECT_EQ(DamageNumberRise(numbers[0].age), 37);
    StepField(15);
    EXPECT_EQ(numbers[0].value, 0);
    EXPECT_EQ(numbers[0].age, 0);

    // A hull hit on the cell takes HP from everyone standing there and shows the number.
    Field().DamageActorsAtCell(2, 1, {3, 0});
    EXPECT_EQ(member.status.hp, 97000);
    EXPECT_EQ(numbers[0].value, 3);
}

TEST_F(FieldObjects, ASandPillarOfSpeed100ShowsSixFramesTenStepsEachAndIsGoneAfterSixty)
{
    GAME_CObjectSandPillar* pillar = Field().AcquireSandPillar();
    ASSERT_NE(pillar, nullptr);
    pillar->Start(300, 100, 1.0f);
    std::vector<std::int32_t> frames{pillar->CurrentFrame()};
    for (int step = 1; step < 60; ++step) {
        StepField(1);
        frames.push_back(pillar->CurrentFrame());
    }
    for (std::size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(frames[i], static_cast<std::int32_t>(i / 10)) << i;
    StepField(1);
    EXPECT_TRUE(std::none_of(Field().activeSandPillars.begin(), Field().activeSandPillars.end(),
                             [](const GAME_CObjectSandPillar* active) { return active != nullptr; }));
    EXPECT_EQ(Field().AcquireSandPillar(), pillar);
}

TEST_F(FieldObjects, CrewTalkEndsWithNoCrewAndWithAMinimumAboveTheMaximum)
{
    Field().ShowCrewBalloonGroup(3, 5, 2);
    for (int i = 0; i < 4; ++i) AddCrew(i, 2).balloonCountdown = 1 << 30;
    Field().ShowCrewBalloonGroup(3, 1, 6);
    const auto spoke = std::count_if(Field().crew.begin(), Field().crew.end(), [](const GAME_CObjectActor* member) {
        return !member->balloon->Queue().empty();
    });
    EXPECT_GE(spoke, 1);
    Field().ShowCrewBalloonGroup(200, 1, 1);  // no such fixed group
}

}  // namespace
