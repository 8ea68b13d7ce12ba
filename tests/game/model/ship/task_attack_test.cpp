// Turrets at work against an enemy: a cycle from an empty store ends at its first progress, the first cheese bomb fired unlocks its achievement, every attack ends once the last enemy has gone, a turret forgets an enemy that has left the field, a crew member called over in a road battle arrives in time for the catapult to fire, and each round gives one hit, heard, before the emptied catapult stands down.
#include <gtest/gtest.h>

#include "game/model/stores/ammo_storage.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/sound/sound_player.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_attack.h"
#include "game/model/ship/task_manager.h"
#include "platform/little_endian.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

constexpr std::uint32_t kSandCrawler = MakeTag("E001");
constexpr std::uint32_t kCannonSound = 32;

class TaskAttackTest : public support::TaskWorld {
protected:
    // An enemy beside the ship, in its appearance (not idle, so the turrets keep at it).
    GAME_CObjectEnemy& Spawn(std::int32_t routePosition = 0)
    {
        GAME_CObjectEnemy* enemy = Field().AcquireEnemyObject();
        EXPECT_NE(enemy, nullptr);
        EnemySetupRecord setup;
        setup.enemyId = kSandCrawler;
        setup.routePositions = {routePosition, routePosition};
        enemy->Init(setup);
        return *enemy;
    }

    // A catapult loading cheese bombs, with that many in its store.
    GAME_CAmmo& Turret(GAME_CRoomBase& room, std::int32_t rounds)
    {
        GAME_CAmmo* store = FindAmmoStorage(NumberOf(room));
        EXPECT_NE(store, nullptr);
        static GAME_CAmmoImpl unused(-1);
        if (store == nullptr) return unused;
        store->SetAmmoId(&kCheeseBomb);
        while (store->GetCount() > 0) store->RemoveOne();
        for (std::int32_t i = 0; i < rounds; ++i) store->AddOne();
        return *store;
    }

    // A shooting cycle of the turret, manned by a crew member inside it.
    GAME_CTaskBase* Man(GAME_CRoomBase& turret, GAME_CObjectActor& gunner)
    {
        turret.TryAddCrew(&gunner);
        GAME_CTaskBase* attack = GAME_CTaskBase::CreateFromRequest(MakeAttackRequest(NumberOf(turret), 0));
        EXPECT_NE(attack, nullptr);
        if (attack != nullptr) attack->AddCrew(&gunner);
        return attack;
    }

    // A road at route position 500 with a sand crawler come up beside the ship at 600.
    GAME_CObjectEnemy& StartRoadBattle()
    {
        constexpr std::uint32_t kRoute = MakeTag("R901");
        RouteData* route = GetStaticDatabase()->GetOrCreateRouteData(kRoute);
        route->length = 2000;
        route->startLocation = MakeTag("H901");
        route->endLocation = MakeTag("H902");
        StartRoute(*World().travel, &kRoute, true, {}, {});
        EXPECT_EQ(World().travel->routeManager->GetRouteId(), kRoute);
        World().travel->routeManager->SetPosition(500);
        return Spawn(600);
    }

    static bool IsCheeseBombAchievementUnlocked()
    {
        const std::uint32_t bits = platform::ReadU32(GetWorkingSystemRecord(), save_layout::system::kAchievementBits);
        return (bits >> GAME_CTaskAttackToEnemy::kAchievementOfFirstCheeseBomb & 1u) != 0;
    }
};

TEST_F(TaskAttackTest, AnEmptyTurretStopsAtOnceTheFirstCheeseBombUnlocksItsAchievementAndTheLastEnemyEndsEveryCycle)
{
    GAME_CRoomBase& left = Place(kCatapult, 1, 0);
    GAME_CRoomBase& right = Place(kCatapult, 8, 0);
    GAME_CObjectActor& first = AddCrew(1, 0);
    GAME_CObjectActor& second = AddCrew(8, 0);
    GAME_CObjectEnemy& enemy = Spawn();
    ASSERT_FALSE(Field().AreAllEnemiesIdle());
    left.target = &enemy;
    right.target = &enemy;

    // Nothing in the store: the cycle ends at its first progress, with nothing fired.
    GAME_CAmmo& leftStore = Turret(left, 0);
    GAME_CTaskBase* dry = Man(left, first);
    ASSERT_NE(dry, nullptr);
    ASSERT_EQ(dry->GetTaskValue(), 180);  // the cheese bomb's frames between rounds
    StepSimulation(1);
    ASSERT_TRUE(IsListed(dry));
    EXPECT_EQ(dry->progress, 1);
    StepSimulation(1);
    EXPECT_FALSE(IsListed(dry));

    // Two rounds: the first progress fires one, and the first cheese bomb ever fired unlocks the
    // achievement.
    enemy.RunLabel(enemy_label::kAppear);
    ASSERT_FALSE(IsCheeseBombAchievementUnlocked());
    Turret(left, 2);
    GAME_CTaskBase* leftCycle = Man(left, first);
    ASSERT_NE(leftCycle, nullptr);
    StepSimulation(2);
    ASSERT_TRUE(IsListed(leftCycle));
    EXPECT_EQ(leftStore.GetCount(), 1);
    EXPECT_TRUE(IsCheeseBombAchievementUnlocked());

    // Both turrets at work; once the last enemy has gone, every cycle ends in its next step.
    GAME_CAmmo& rightStore = Turret(right, 2);
    GAME_CTaskBase* rightCycle = Man(right, second);
    ASSERT_NE(rightCycle, nullptr);
    StepSimulation(2);
    ASSERT_TRUE(IsListed(leftCycle));
    ASSERT_TRUE(IsListed(rightCycle));
    EXPECT_EQ(rightStore.GetCount(), 1);
    Field().ClearEnemies();
    StepSimulation(1);
    EXPECT_FALSE(IsListed(leftCycle));
    EXPECT_FALSE(IsListed(rightCycle));
    EXPECT_TRUE(TasksOfKind(kTaskAttackToEnemy).empty());
}

// A turret's aim follows the enemies on the field: one that has died or that the road has cleared
// away goes back to the enemy pool, and a turret with no rounds (whose own search never runs) must
// not keep pointing its gun at it, nor a later shot of the room's script land on it.
TEST_F(TaskAttackTest, ATurretForgetsAnEnemyOnceItHasLeftTheField)
{
    GAME_CRoomBase& turret = Place(kCatapult, 1, 0);
    Turret(turret, 0);
    GAME_CObjectEnemy& fallen = Spawn();
    turret.target = &fallen;
    fallen.dead = 1;
    StepSimulation(1);
    EXPECT_FALSE(Field().IsEnemyActive(&fallen));
    EXPECT_EQ(turret.target, nullptr);

    GAME_CObjectEnemy& passing = Spawn();
    turret.target = &passing;
    Field().ClearEnemies();
    EXPECT_EQ(turret.target, nullptr);
}

// On the road a sand crawler comes up to the ship, rests between bites and bites the hull; the only
// crew member stands at the other end of the ship, bound to nothing. The loaded catapult calls it
// over, and the battle lasts while the crawler hunts: it arrives in time and the catapult fires.
TEST_F(TaskAttackTest, ACrewMemberCalledOverInARoadBattleArrivesWhileItLastsAndTheCatapultFires)
{
    GAME_CObjectEnemy& crawler = StartRoadBattle();
    GAME_CRoomBase& catapult = Place(kCatapult, 8, 0);
    GAME_CAmmo& store = Turret(catapult, 5);
    GAME_CObjectActor& gunner = AddCrew(0, 0);
    const std::int32_t hp = crawler.hpRecord.hp;

    ASSERT_TRUE(StepSimulationUntil([&] { return store.GetCount() < 5; }, 3000))
        << store.GetCount() << " rounds left; the gunner is " << (gunner.task != nullptr ? "on" : "off")
        << " a task";
    ASSERT_TRUE(StepSimulationUntil([&] { return crawler.hpRecord.hp < hp; }, 120));
}

// A catapult with three rounds fights a crawler that will not die: every round it takes gives one
// hit and no more, each heard as the cannon's boom, the catapult shows its work while a cycle lasts,
// and once the last round is spent and its cycle has ended it stands down and hits nothing more.
TEST_F(TaskAttackTest, InARoadBattleEachRoundGivesOneHitAndTheEmptyCatapultStandsDown)
{
    GAME_CObjectEnemy& crawler = StartRoadBattle();
    crawler.hpRecord.maxHp = 100000;
    crawler.hpRecord.hp = 100000;
    GAME_CRoomBase& catapult = Place(kCatapult, 8, 0);
    GAME_CAmmo& store = Turret(catapult, 3);
    AddCrew(7, 0);

    std::int32_t roundsTaken = 0;
    std::int32_t hits = 0;
    std::int32_t heard = 0;
    std::int32_t lastCount = store.GetCount();
    std::int32_t lastHp = crawler.hpRecord.hp;
    bool sawWork = false;
    // One step's rounds and hits; a hit may come in the step its round is taken, never before.
    auto step = [&] {
        StepSimulation(1);
        if (store.GetCount() < lastCount) roundsTaken += lastCount - store.GetCount();
        if (crawler.hpRecord.hp < lastHp) {
            ++hits;
            if (GetSoundPlayer()->WasPlayedThisFrame(kCannonSound)) ++heard;
        }
        lastCount = store.GetCount();
        lastHp = crawler.hpRecord.hp;
        if (!TasksOfKind(kTaskAttackToEnemy).empty() && catapult.IsInTaskLabel()) sawWork = true;
        return hits <= roundsTaken;
    };

    const auto spent = [&] { return store.GetCount() == 0 && TasksOfKind(kTaskAttackToEnemy).empty(); };
    for (int frame = 0; frame < 3000 && !spent(); ++frame) {
        ASSERT_TRUE(step()) << hits << " hits from " << roundsTaken << " rounds by frame " << frame;
    }
    ASSERT_TRUE(spent()) << store.GetCount() << " rounds left";
    EXPECT_EQ(roundsTaken, 3);
    EXPECT_EQ(hits, 3);
    EXPECT_EQ(heard, 3);
    EXPECT_TRUE(sawWork);
    ASSERT_FALSE(crawler.IsInIdleLabel());

    // The last cycle has ended: the catapult has left its work and hits no more.
    StepSimulation(1);
    EXPECT_FALSE(catapult.IsInWorkLabel());
    const std::int32_t hpAfter = crawler.hpRecord.hp;
    StepSimulation(600);
    EXPECT_EQ(crawler.hpRecord.hp, hpAfter) << "the empty catapult hit again";
    EXPECT_FALSE(catapult.IsInWorkLabel());
}

}  // namespace
