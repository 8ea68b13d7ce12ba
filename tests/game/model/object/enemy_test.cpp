// Enemies on the field: their labels from appearance to death, HP, the approach and facing, drops, held-back enemies and the save slot.
#include <climits>

#include <gtest/gtest.h>

#include "framework/math/random.h"
#include "game/services/achievement/achievements.h"
#include "game/services/data/static_database.h"
#include "game/services/data/world_records.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/travel/route_manager.h"
#include "game/model/object/enemy_drops.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_enemy.h"
#include "platform/little_endian.h"
#include "tests/support/enemy_world.h"

namespace {

using support::kPlainEnemy;
using support::kScorpion;
using support::kSlipEnemy;

class EnemyTest : public support::EnemyWorld {
protected:
    static std::uint32_t PendingWord()
    {
        return platform::ReadU32(GetWorkingSystemRecord(), save_layout::system::kAchievementPending);
    }
    bool IsFree(const GAME_CObjectEnemy& enemy) const { return !Field().IsEnemyActive(&enemy); }
};

TEST_F(EnemyTest, AnEnemyAppearsRestsFightsAndDiesThroughItsLabelsAndLeavesTheFieldThatStep)
{
    GAME_CObjectEnemy& enemy = Spawn(kPlainEnemy, 500);
    EXPECT_TRUE(enemy.IsInLabel(enemy_label::kAppear));  // it ran its first step at once
    EXPECT_EQ(Variable(enemy, "appeared"), 1);
    EXPECT_EQ(enemy.hpRecord.hp, 40);
    EXPECT_FALSE(Field().AreAllEnemiesIdle());
    StepField(3);  // the appearance waits two steps and stops; the next step rests
    EXPECT_TRUE(enemy.IsInIdleLabel());
    EXPECT_TRUE(Field().AreAllEnemiesIdle());

    // A hit that takes more than is left leaves 0 and starts nothing by itself; the next step
    // starts the death, once, and notes the defeat.
    enemy.hpRecord.hp = 3;
    EXPECT_EQ(AddEnemyHP(enemy.hpRecord, -5), 0);
    EXPECT_TRUE(enemy.IsInIdleLabel());
    StepField(1);
    EXPECT_TRUE(enemy.IsInDeathLabel());
    EXPECT_EQ(Variable(enemy, "deaths"), 1);
    EXPECT_EQ(PendingWord(), 4u);
    EXPECT_EQ(Field().CountDropItems(), 1);
    // Another hit on the dying enemy neither restarts its death nor drops again.
    AddEnemyHP(enemy.hpRecord, 0);
    EXPECT_EQ(Variable(enemy, "deaths"), 1);
    StepField(1);
    EXPECT_EQ(Variable(enemy, "deaths"), 1);
    EXPECT_EQ(Field().CountDropItems(), 1);
    // The end request takes it off the field in the step that raises it.
    for (int step = 0; step < 5 && Variable(enemy, "ending") == 0; ++step) {
        EXPECT_FALSE(IsFree(enemy));
        StepField(1);
    }
    EXPECT_EQ(Variable(enemy, "ending"), 1);
    EXPECT_TRUE(IsFree(enemy));
    EXPECT_TRUE(Field().AreAllEnemiesIdle());
    EXPECT_EQ(Field().AcquireEnemyObject(), &enemy);  // the next hand-out takes it again
}

TEST_F(EnemyTest, HitsRaiseAndLowerHpWithinItsBoundsAndPlayTheirLabels)
{
    GAME_CObjectEnemy& enemy = Spawn(kPlainEnemy, 500);
    // A positive change plays the damage label while flag bit 1 is set.
    EXPECT_EQ(AddEnemyHP(enemy.hpRecord, 2), 42);
    EXPECT_TRUE(enemy.IsInDamageLabel());
    enemy.hpRecord.hp = 10;
    EXPECT_EQ(AddEnemyHP(enemy.hpRecord, INT_MAX), 40);  // past the largest HP: the maximum
    EXPECT_EQ(AddEnemyHP(enemy.hpRecord, INT_MIN), 0);

    // At 0 even a change of 0 starts the death at once.
    GAME_CObjectEnemy& other = Spawn(kPlainEnemy, 600);
    other.hpRecord.hp = 0;
    AddEnemyHP(other.hpRecord, 0);
    EXPECT_TRUE(other.IsInDeathLabel());
    EXPECT_EQ(PendingWord(), 4u);
}

TEST_F(EnemyTest, TheIronScorpionsDefeatUnlocksItsAchievementOnceAndASlippedDeathStillEnds)
{
    GAME_CAchievementManager& achievements = *GetAchievementManager();
    for (int round = 0; round < 2; ++round) {
        GAME_CObjectEnemy& scorpion = Spawn(kScorpion, 500);
        scorpion.hpRecord.hp = 0;
        StepField(3);
        EXPECT_TRUE(IsFree(scorpion));
    }
    EXPECT_EQ(PendingWord(), 6u);
    EXPECT_EQ(std::count(achievements.popupQueue.begin(), achievements.popupQueue.end(), 14u), 1);

    // A death that ends without the end request ends the enemy all the same.
    GAME_CObjectEnemy& slip = Spawn(kSlipEnemy, 500);
    slip.hpRecord.hp = 0;
    StepField(3);
    EXPECT_FALSE(IsFree(slip));
    StepField(1);
    EXPECT_TRUE(IsFree(slip));
    EXPECT_TRUE(Field().AreAllEnemiesIdle());
}

TEST_F(EnemyTest, TheEnemyWalksTowardsTheShipWithinItsReachAndTheRoutesMargin)
{
    SetShipPosition(600);
    GAME_CObjectEnemy& enemy = Spawn(kPlainEnemy, 500);
    StepField(10);
    EXPECT_EQ(enemy.routePosition, 510);  // 1000 x 1000 millionths: one unit a step
    StepField(200);
    EXPECT_EQ(enemy.routePosition, 600);  // it stops where the ship is

    // Pushed past its reach of home it comes back to its edge.
    enemy.routePosition = 800;
    StepField(1);
    EXPECT_EQ(enemy.routePosition, 699);
    enemy.routePosition = 200;
    StepField(1);
    EXPECT_EQ(enemy.routePosition, 301);

    // No speed, no walk.
    enemy.routePosition = 500;
    enemy.hpRecord.speedFactor = 0;
    StepField(5);
    EXPECT_EQ(enemy.routePosition, 500);

    // Walking, it keeps a tenth of the route from either end.
    SetShipPosition(0);
    GAME_CObjectEnemy& low = Spawn(kPlainEnemy, 103);
    StepField(10);
    EXPECT_EQ(low.routePosition, 100);
    SetShipPosition(1000);
    GAME_CObjectEnemy& high = Spawn(kPlainEnemy, 897);
    StepField(10);
    EXPECT_EQ(high.routePosition, 900);
}

TEST_F(EnemyTest, FacingFollowsTheShipTheSpeedsSignAndTheInvertWord)
{
    SetShipPosition(400);
    GAME_CObjectEnemy& enemy = Spawn(kPlainEnemy, 500);
    EXPECT_EQ(enemy.facing, 1);  // set up ahead of the ship
    enemy.hpRecord.speedFactor = 0;  // so that it stays put
    StepField(1);
    EXPECT_EQ(enemy.facing, 1);  // the ship is behind it
    SetShipPosition(600);
    StepField(1);
    EXPECT_EQ(enemy.facing, 0);
    enemy.hpRecord.speedFactor = -1;
    StepField(1);
    EXPECT_EQ(enemy.facing, 1);
    enemy.hpRecord.invertFacing = 1;
    StepField(1);
    EXPECT_EQ(enemy.facing, 0);

    // Facing along the route, decided once.
    enemy.hpRecord = EnemyHPRecord{};
    enemy.hpRecord.owner = &enemy;
    enemy.hpRecord.speedFactor = 0;
    enemy.hpRecord.facingMode = 1;
    enemy.hpRecord.refreshFacing = 0;
    enemy.hpRecord.hp = 10;
    SetRouteReversed(true);
    StepField(1);
    EXPECT_EQ(enemy.facing, 1);
    SetRouteReversed(false);
    StepField(1);
    EXPECT_EQ(enemy.facing, 1);
}

TEST_F(EnemyTest, DropsFollowTheWeightsAndLandAheadOfTheShip)
{
    EnemyData kind;
    kind.drops[0] = {MakeTag("I001"), 1};
    kind.drops[1] = {MakeTag("I003"), 3};
    vesk::math::SeedRandom(7);
    int first = 0;
    for (int draw = 0; draw < 10000; ++draw) first += ChooseEnemyDrop(kind) == MakeTag("I001") ? 1 : 0;
    EXPECT_GE(first, 2300);
    EXPECT_LE(first, 2700);

    EnemyData weightless;
    weightless.drops[0] = {MakeTag("I001"), 0};
    EXPECT_EQ(ChooseEnemyDrop(weightless), kNoId);

    GAME_CObjectEnemy& enemy = Spawn(kPlainEnemy, 500);
    SetShipPosition(300);
    enemy.SpawnDropItem();
    SetShipPosition(950);
    enemy.SpawnDropItem();
    ASSERT_EQ(Field().CountDropItems(), 2);
    EXPECT_EQ(Field().activeDropItems[0]->routePosition, 400);
    EXPECT_EQ(Field().activeDropItems[0]->count, 1);
    EXPECT_EQ(Field().activeDropItems[1]->routePosition, 900);  // the route's end less 100

    enemy.PickDropItem();
    EXPECT_TRUE(enemy.pendingDrop == MakeTag("I001") || enemy.pendingDrop == MakeTag("I003"));
}

TEST_F(EnemyTest, ALabelRunOnAllEnemiesStepsTheOnesThatHaveItTwiceUntilTheirNextLabel)
{
    GAME_CObjectEnemy& roaring = Spawn(kPlainEnemy, 500);
    GAME_CObjectEnemy& quiet = Spawn(kSlipEnemy, 500);
    GAME_CObjectEnemy& second = Spawn(kPlainEnemy, 520);
    StepField(3);
    const std::int32_t quietIdle = Variable(quiet, "idle");
    Field().RunLabelOnAllEnemies(u"咆哮");
    EXPECT_EQ(Variable(roaring, "roar"), 1);  // jumped and ran once
    EXPECT_EQ(Field().pendingEnemies, (std::vector<GAME_CObjectEnemy*>{&roaring, &second}));
    StepField(1);
    EXPECT_EQ(Variable(roaring, "roar"), 3);
    EXPECT_EQ(Variable(second, "roar"), 3);
    EXPECT_EQ(Variable(quiet, "idle"), quietIdle + 1);
    // At 6 both roars jump back to rest in their extra steps, which ends those steps.
    StepField(2);
    EXPECT_TRUE(roaring.IsInIdleLabel());
    EXPECT_TRUE(second.IsInIdleLabel());
    EXPECT_TRUE(Field().pendingEnemies.empty());
    const std::int32_t idle = Variable(roaring, "idle");
    StepField(1);
    EXPECT_EQ(Variable(roaring, "idle"), idle + 1);

    // An enemy set up while the next one is held back waits in the list too.
    Field().holdNextEnemy = 1;
    GAME_CObjectEnemy& held = Spawn(kPlainEnemy, 500);
    EXPECT_EQ(Field().pendingEnemies, std::vector<GAME_CObjectEnemy*>{&held});
    EXPECT_EQ(Field().holdNextEnemy, 0u);
}

TEST_F(EnemyTest, InTheArcadeGameAnEnemyWalksTheScreenTurnsAtItsEdgesAndReachesByItsSide)
{
    GetStaticDatabase()->GetOrCreateEnemyData(kPlainEnemy)->miniGame = {1, 100, 20, 60, 0};
    GAME_CObjectEnemy& enemy = *Field().AcquireEnemyObject();
    EnemySetupRecord setup;
    setup.enemyId = kPlainEnemy;
    enemy.InitForMiniGame(setup);
    EXPECT_TRUE(enemy.IsInLabel(enemy_label::kAppear));
    EXPECT_EQ(enemy.miniGameRanges[3], 60);
    enemy.position = {100.0f, 300.0f};
    enemy.miniGameArea[0] = 400.0f;  // the target, to the right
    enemy.miniGameArea[1] = 300.0f;
    enemy.UpdateForMiniGame();
    EXPECT_EQ(enemy.facing, 0);  // towards the target
    EXPECT_FLOAT_EQ(enemy.position.x, 101.0f);  // speed 1000: a unit a step
    enemy.hpRecord.refreshFacing = 0;
    enemy.position.x = 615.0f;  // past the right margin it turns back
    enemy.UpdateForMiniGame();
    EXPECT_EQ(enemy.facing, 1);
    EXPECT_FLOAT_EQ(enemy.position.x, 614.0f);
    enemy.hpRecord.climb = 1;
    enemy.UpdateForMiniGame();
    EXPECT_FLOAT_EQ(enemy.position.y, 299.0f);

    // A target 50 units to the right of its middle: facing left the enemy reaches it with its
    // second range (60), facing right not with its first (20); 10 units away it does. A target
    // above its top is out of reach.
    enemy.width = 20.0f;
    enemy.height = 20.0f;
    enemy.position = {100.0f, 300.0f};
    enemy.miniGameArea[0] = 150.0f;
    enemy.facing = 1;
    EXPECT_TRUE(enemy.IsTargetInRange());
    enemy.facing = 0;
    EXPECT_FALSE(enemy.IsTargetInRange());
    enemy.miniGameArea[0] = 110.0f;
    EXPECT_TRUE(enemy.IsTargetInRange());
    enemy.miniGameArea[1] = 250.0f;
    EXPECT_FALSE(enemy.IsTargetInRange());
}

TEST_F(EnemyTest, ALoadedSlotBringsItsEnemiesBackAtTheirAppearanceWithTheirHp)
{
    std::vector<std::uint8_t> slot = EmptySlot();
    const auto record = [&](int index, std::uint32_t id, std::int32_t hp, std::int32_t position, std::int32_t home) {
        const std::size_t at = save_layout::slot::kEnemyRecords + static_cast<std::size_t>(index) * 16;
        platform::WriteU32(slot, at, id);
        platform::WriteI32(slot, at + 4, hp);
        platform::WriteI32(slot, at + 8, position);
        platform::WriteI32(slot, at + 12, home);
    };
    record(0, kPlainEnemy, 17, 420, 400);
    record(1, kPlainEnemy, 0, 500, 500);             // no HP left
    record(2, MakeTag("E099"), 30, 500, 500);        // no such kind
    record(3, kSlipEnemy, 5, 610, 600);
    Field().LoadFromSlot(slot);
    ASSERT_EQ(Field().enemies.size(), 2u);
    const GAME_CObjectEnemy& first = *Field().enemies[0];
    EXPECT_EQ(first.GetEnemyId(), kPlainEnemy);
    EXPECT_EQ(first.hpRecord.hp, 17);
    EXPECT_EQ(first.routePosition, 420);
    EXPECT_EQ(first.homePosition, 400);
    EXPECT_TRUE(first.IsInLabel(enemy_label::kAppear));
    EXPECT_EQ(Field().enemies[1]->hpRecord.hp, 5);
}

}  // namespace
