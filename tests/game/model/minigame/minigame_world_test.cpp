// The arcade world on the shipped data: waves from the wave script, spawns and their limits, combat, pick-ups and weapons, and scripted effects.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "framework/math/random.h"
#include "framework/utility/effect/effect_layer.h"
#include "framework/utility/script_graphic/script_engine.h"
#include "game/model/minigame/minigame_enemy.h"
#include "game/model/minigame/minigame_player.h"
#include "game/model/minigame/minigame_weapon.h"
#include "game/model/minigame/minigame_world.h"
#include "game/model/minigame/script_object_spawner.h"
#include "game/model/object/object_enemy.h"
#include "game/services/data/tag.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

constexpr std::uint32_t kHopper = MakeTag("E901");
constexpr std::uint32_t kHeavy = MakeTag("E903");

class MiniGameWorldTest : public support::UITest {
protected:
    void SetUp() override
    {
        support::UITest::SetUp();
        vesk::math::SeedRandom(7);
        arcade = std::make_unique<GAME_CMiniGameWorld>();
        arcade->Reset();
    }

    // The world lives on the game's heap: it goes before the game does.
    void TearDown() override
    {
        arcade.reset();
        support::UITest::TearDown();
    }

    std::size_t LiveEnemies() const
    {
        return static_cast<std::size_t>(std::count_if(arcade->Enemies().begin(), arcade->Enemies().end(),
                                                      [](const auto& enemy) { return enemy->active != 0; }));
    }

    GAME_CMiniGameObjectEnemy& EnemyAt(std::size_t slot, float x, std::uint32_t id = kHopper)
    {
        GAME_CMiniGameObjectEnemy& enemy = *arcade->Enemies()[slot];
        enemy.Init({id, x, 255.0f, 1.0f, 1.0f});
        return enemy;
    }

    // The rat out of harm's way for the length of a test.
    void Shelter() const
    {
        GAME_CMiniGameObjectPlayer& rat = *arcade->Player();
        rat.hit = 1;
        rat.invincibleTimer = 1000000;
    }

    std::unique_ptr<GAME_CMiniGameWorld> arcade;
};

TEST_F(MiniGameWorldTest, WavesComeFromTheWaveScriptAndStopWithTheRat)
{
    Shelter();
    // The first step runs the wave script's opening: one hopper a spawn, three times, 120 steps apart.
    arcade->Update();
    ASSERT_EQ(arcade->waveActive, 1u);
    EXPECT_EQ(arcade->waveEnemies, std::vector<std::uint32_t>{kHopper});
    EXPECT_EQ(arcade->enemiesPerSpawn, 1);
    EXPECT_EQ(arcade->repeatCount, 3);
    std::vector<int> spawnSteps;
    for (int step = 1; step <= 400; ++step) {
        const std::size_t before = LiveEnemies();
        arcade->Update();
        if (LiveEnemies() > before) {
            spawnSteps.push_back(step);
            for (const auto& enemy : arcade->Enemies()) {
                if (enemy->active == 0 || enemy->age != 1) continue;
                // Born at the edge and moved at most one step since.
                const float x = enemy->position.x;
                EXPECT_TRUE((x >= -202.0f && x < 2.0f) || (x >= 638.0f && x < 842.0f)) << x;
                EXPECT_EQ(enemy->position.y, 255.0f);
            }
        }
    }
    EXPECT_EQ(spawnSteps, (std::vector<int>{121, 242, 363}));
    // The script goes on once the wave is over: after its wait, the second wave.
    for (int step = 0; step < 100 && arcade->waveActive == 0; ++step) arcade->Update();
    EXPECT_EQ(arcade->waveEnemies.size(), 2u);

    // An endless wave (repeat count 0) never ends; an empty list spawns nothing but counts its repeats.
    arcade->StartWave(1, 0, 0);
    for (int step = 0; step < 50; ++step) arcade->Update();
    EXPECT_EQ(arcade->waveActive, 1u);
    arcade->waveEnemies.clear();
    arcade->StartWave(3, 2, 0);
    const std::size_t live = LiveEnemies();
    arcade->Update();
    arcade->Update();
    EXPECT_EQ(arcade->waveActive, 0u);
    EXPECT_LE(LiveEnemies(), live);

    // With all 300 enemies in play a spawn is dropped.
    for (int i = 0; i < 310; ++i) arcade->SpawnEnemy(kHopper);
    EXPECT_EQ(LiveEnemies(), GAME_CMiniGameWorld::kEnemyPool);

    // A dead rat stops the waves and the collisions; the objects still move.
    arcade->AddWaveEnemy(kHopper);
    arcade->StartWave(1, 5, 10);
    arcade->Player()->Die();
    const float x = arcade->Enemies()[0]->position.x;
    arcade->Update();
    EXPECT_EQ(arcade->countdown, 10);
    EXPECT_NE(arcade->Enemies()[0]->position.x, x);
}

TEST_F(MiniGameWorldTest, KillsScoreAndDropOnceAndTheRatsLivesShieldAndWeaponsFollowTheRules)
{
    GAME_CMiniGameObjectPlayer& rat = *arcade->Player();
    // A kill scores once and drops its item at the sprite's centre.
    GAME_CMiniGameObjectEnemy& enemy = EnemyAt(0, 100.0f);
    arcade->Update();
    enemy.FieldEnemy()->dead = 1;
    enemy.FieldEnemy()->pendingDrop = MakeTag("I101");
    const vesk::math::Vec2 centre{enemy.position.x - enemy.width * enemy.pivotX * enemy.scaleX + enemy.width * enemy.scaleX / 2, enemy.position.y};
    arcade->Update();
    arcade->Update();
    EXPECT_EQ(arcade->score, 100);
    EXPECT_EQ(enemy.active, 0u);
    const GAME_CMiniGameObjectItem& cheese = *arcade->Items()[0];
    ASSERT_EQ(cheese.active, 1u);
    EXPECT_EQ(cheese.subKind, GAME_CMiniGameObjectItem::kCheese);
    EXPECT_FLOAT_EQ(cheese.position.x, centre.x);
    EXPECT_FLOAT_EQ(cheese.position.y, centre.y);

    // A 101st item replaces the oldest.
    for (int i = 1; i < 100; ++i) {
        arcade->SpawnDropItem({0, 10.0f * i, 100.0f, 1.0f, 1.0f, MakeTag("I102")});
        arcade->Update();
    }
    arcade->SpawnDropItem({0, 600.0f, 100.0f, 1.0f, 1.0f, MakeTag("I104")});
    EXPECT_EQ(arcade->Items()[0]->subKind, 4);
    EXPECT_EQ(arcade->Items()[0]->age, 0u);

    // Cheese at full lives is worth 200 points instead.
    ASSERT_EQ(rat.lives, 3);
    GAME_CMiniGameObjectItem& item = *arcade->Items()[0];
    item.subKind = GAME_CMiniGameObjectItem::kCheese;
    rat.OnHit(item);
    EXPECT_EQ(arcade->score, 300);
    EXPECT_EQ(rat.lives, 3);

    // Two enemies on the rat in one step cost one life, then 120 blinking steps.
    for (auto& object : arcade->Items()) object->Deactivate();
    GAME_CMiniGameObjectEnemy& first = EnemyAt(1, rat.position.x);
    GAME_CMiniGameObjectEnemy& second = EnemyAt(2, rat.position.x);
    arcade->Update();
    EXPECT_EQ(rat.lives, 2);
    EXPECT_EQ(rat.invincibleTimer, 120);
    std::set<std::uint32_t> alphas;
    for (int step = 0; step < 119; ++step) {
        arcade->Update();
        alphas.insert(rat.color >> 24);
    }
    EXPECT_EQ(alphas, (std::set<std::uint32_t>{0u, 0xFFu}));
    EXPECT_EQ(rat.lives, 2);
    first.Deactivate();
    second.Deactivate();
    arcade->Update();
    EXPECT_EQ(rat.hit, 0);

    // The shield: 600 steps of safety, the rat solid all along.
    item.subKind = GAME_CMiniGameObjectItem::kShield;
    rat.OnHit(item);
    EnemyAt(1, rat.position.x);
    alphas.clear();
    for (int step = 0; step < 599; ++step) {
        arcade->Update();
        alphas.insert(rat.color >> 24);
    }
    EXPECT_EQ(alphas, std::set<std::uint32_t>{0xFFu});
    EXPECT_EQ(rat.lives, 2);
    arcade->Update();
    EXPECT_EQ(rat.shield, 0);

    // A fourth weapon pushes the oldest out; two machine guns fire half a cooldown apart.
    Shelter();
    for (auto& object : arcade->Enemies()) object->Deactivate();
    rat.AddWeapon(0);
    rat.AddWeapon(1);
    rat.AddWeapon(2);
    ASSERT_EQ(rat.Weapons().size(), 3u);
    for (std::uint8_t kind = 0; kind < 3; ++kind) EXPECT_EQ(rat.Weapons()[kind]->subKind, kind);
    // The HUD lists every weapon taken since the run began (the start weapon's icon goes with the reset).
    EXPECT_EQ(arcade->WeaponIcons().size(), 3u);
    rat.ClearWeapons();
    rat.AddWeapon(0);
    rat.AddWeapon(0);
    for (int step = 0; step < 10; ++step) arcade->Update();
    arcade->controls.fireHeld = true;
    arcade->Update();
    EXPECT_EQ(rat.Weapons()[0]->motion, GAME_CMiniGameObjectWeapon::kCooling);
    EXPECT_EQ(rat.Weapons()[1]->motion, GAME_CMiniGameObjectWeapon::kDelayed);
    EXPECT_EQ(rat.Weapons()[1]->shotDelay, rat.Weapons()[1]->cooldown / 2 - 1);
    arcade->controls = {};
}

TEST_F(MiniGameWorldTest, ARoundHitsOneOfTwoEnemiesAShellAllThreeAndLivingEnemiesGrow)
{
    Shelter();
    const auto hurt = [&](int count) {
        int hit = 0;
        for (int slot = 0; slot < count; ++slot) {
            const GAME_CObjectEnemy* field = arcade->Enemies()[static_cast<std::size_t>(slot)]->FieldEnemy();
            hit += field->hpRecord.hp < field->hpRecord.maxHp ? 1 : 0;
        }
        return hit;
    };
    EnemyAt(0, 500.0f);
    EnemyAt(1, 500.0f);
    arcade->Update();
    const GAME_CMiniGameObjectEnemy& target = *arcade->Enemies()[0];
    const vesk::math::Vec2 middle = target.SpriteCentre();
    arcade->SpawnBullet({0, middle.x, middle.y, 1.0f, 1.0f, 0.0f, 0.0f, 1});
    arcade->Update();
    EXPECT_EQ(hurt(2), 1);

    for (auto& object : arcade->Enemies()) object->Deactivate();
    for (std::size_t slot = 0; slot < 3; ++slot) EnemyAt(slot, 300.0f);
    arcade->Update();
    const vesk::math::Vec2 centre = arcade->Enemies()[0]->SpriteCentre();
    arcade->SpawnBullet({1, centre.x, centre.y - 2.0f, 1.0f, 1.0f, 0.0f, 0.0f, 1});
    arcade->Update();
    EXPECT_EQ(hurt(3), 3);

    // 300 steps alive: HP and its maximum gain the kind's growth.
    for (auto& object : arcade->Enemies()) object->Deactivate();
    GAME_CMiniGameObjectEnemy& grower = EnemyAt(0, 100.0f);
    const std::int32_t maxHp = grower.FieldEnemy()->hpRecord.maxHp;
    for (int step = 0; step < 301; ++step) arcade->Update();
    EXPECT_EQ(grower.FieldEnemy()->hpRecord.maxHp, maxHp + grower.FieldEnemy()->miniGameRanges[4]);
}

TEST_F(MiniGameWorldTest, TheHeavysMortarIsANamedScriptObjectAtItsMuzzleAndAMissingLabelMakesNothing)
{
    Shelter();
    vesk::utility::script_graphic::UTL_CScriptEngine* engine = vesk::utility::particle::GetEffectEngine();
    ASSERT_NE(engine, nullptr);
    GAME_CMiniGameObjectEnemy& heavy = EnemyAt(0, 200.0f, kHeavy);
    GAME_CScriptObjectSpawner spawner(engine);
    const vesk::utility::script_graphic::UTL_CObjectBase* mortar = nullptr;
    for (int step = 0; step < 200 && mortar == nullptr; ++step) {
        arcade->Update();
        for (const auto& [handle, object] : engine->Objects()) {
            if (object->GetName().starts_with(u"E903_")) mortar = object;
        }
    }
    ASSERT_NE(mortar, nullptr);
    const GAME_CObjectEnemy& field = *heavy.FieldEnemy();
    const float side = field.facing != 0 ? -1.0f : 1.0f;
    EXPECT_FLOAT_EQ(mortar->local.position.x, heavy.position.x + side * -20.0f);
    EXPECT_FLOAT_EQ(mortar->local.position.y, heavy.position.y - 30.0f);
    EXPECT_EQ(mortar->local.flipX, field.facing != 0 ? 1u : 0u);
    spawner.RunScriptGraphicFrame();

    ScriptObjectRequest request;
    request.objectName = u"nothing";
    request.labelName = u"no such label";
    const std::size_t count = engine->ObjectCount();
    EXPECT_EQ(SpawnScriptObject(engine, request), nullptr);
    EXPECT_EQ(engine->ObjectCount(), count);
}

}  // namespace
