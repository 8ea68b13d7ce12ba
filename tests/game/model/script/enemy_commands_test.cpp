// The enemy commands on a live enemy: variables and conditions, the part tree and its timed moves, drops, attacks, and data that asks for too much.
#include <array>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "game/services/achievement/achievements.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/script/enemy_command_handlers.h"
#include "game/model/world/game_world.h"
#include "game/model/object/enemy_sprite_pool.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/ship.h"
#include "tests/support/enemy_world.h"

namespace {

using support::kPlainEnemy;

class EnemyCommands : public support::EnemyWorld {
protected:
    void SetUp() override
    {
        EnemyWorld::SetUp();
        enemy_ = &Spawn(kPlainEnemy, 500);
    }
    GAME_CObjectEnemy& Enemy() { return *enemy_; }
    std::int32_t Var(std::string_view name) const { return Variable(*enemy_, name); }
    const vesk::utility::script::ScriptThread& Main() const { return enemy_->script.GetThreads()->Main(); }

private:
    GAME_CObjectEnemy* enemy_ = nullptr;
};

TEST_F(EnemyCommands, VariablesTakeSixteenNamesAndLeaveTheirValueWhenAnOperatorCannotApply)
{
    std::string statements = "    var.clear_all\n";
    for (int i = 0; i < 16; ++i) statements += "    var.set \"v" + std::to_string(i) + "\" " + std::to_string(i) + "\n";
    statements += R"(
    var.set "seventeenth" 99
    var.op "v3" "/=" 0
    var.op "v4" "%" 0
    var.op "v5" "^=" 7
    var.op "v6" "*=" 7
    var.op "v7" "-" 10
    var.random "v8" 5 5
    var.op_random "v9" "=" 5 5
    var.stat "v10" 7
    var.abs "v7"
    var.clear "v11"
    var.set "again" 5
)";
    RunStatements(Enemy(), statements);
    EXPECT_EQ(Var("seventeenth"), 0);
    const auto& variables = Enemy().script.Variables();
    EXPECT_TRUE(std::none_of(variables.begin(), variables.end(), [](const auto& v) { return v.Name() == "seventeenth"; }));
    EXPECT_EQ(Var("v3"), 3);
    EXPECT_EQ(Var("v4"), 4);
    EXPECT_EQ(Var("v5"), 5);
    EXPECT_EQ(Var("v6"), 42);
    EXPECT_EQ(Var("v7"), 3);
    EXPECT_EQ(Var("v8"), 5);
    EXPECT_EQ(Var("v9"), 5);
    EXPECT_EQ(Var("v10"), 500);  // the ship at 0, the enemy at 500
    EXPECT_EQ(Var("v11"), 0);
    EXPECT_EQ(Var("again"), 5);  // the cleared slot took the new name
}

TEST_F(EnemyCommands, AComparisonAndsIntoTheAllConditionAndOrsIntoTheAnyCondition)
{
    RunStatements(Enemy(), "    var.set \"n\" 4\n    cond.reset\n    test.var \"n\" \"==\" 4\n");
    EXPECT_EQ(Main().conditionAnd, 1u);
    EXPECT_EQ(Main().conditionOr, 1u);
    RunStatements(Enemy(), "    var.set \"n\" 4\n    cond.reset\n    test.var \"n\" \"==\" 4\n    test.var \"n\" \">\" 9\n");
    EXPECT_EQ(Main().conditionAnd, 0u);
    EXPECT_EQ(Main().conditionOr, 1u);
    // An unknown comparison is false; so is a test of a flag that is clear.
    RunStatements(Enemy(), "    var.set \"n\" 4\n    cond.reset\n    test.var \"n\" \"<=>\" 4\n    flag1 0\n    test.flag1\n");
    EXPECT_EQ(Main().conditionAnd, 0u);
    EXPECT_EQ(Main().conditionOr, 0u);
    // Item counts aboard compare unsigned; with none aboard, 0 >= 0 holds.
    RunStatements(Enemy(), "    cond.reset\n    test.item 'I001' \">=\" 0\n    test.item 'I001' \">\" 0\n");
    EXPECT_EQ(Main().conditionAnd, 0u);
    EXPECT_EQ(Main().conditionOr, 1u);
}

TEST_F(EnemyCommands, NamesAreReadWithinTheirThirtyTwoBytes)
{
    // A name that fills its field: the operator behind it is not part of the name.
    std::vector<std::uint8_t> data(68, 0);
    std::fill_n(data.begin(), 32, 'a');
    data[32] = '+';
    data[33] = '=';
    data[64] = 7;
    const vesk::utility::script::ScriptArgs args(data.data(), data.size());
    enemy_commands::VariableCommand(Enemy().script, 10, args, 0);
    enemy_commands::VariableCommand(Enemy().script, 10, args, 0);
    EXPECT_EQ(Var(std::string(31, 'a')), 14);  // the name keeps 31 characters

    // A field cut short by the end of the data names nothing.
    const vesk::utility::script::ScriptArgs cut(data.data(), 20);
    EXPECT_TRUE(enemy_commands::ReadName(cut, 0).empty());
    EXPECT_TRUE(cut.Faulted());
}

TEST_F(EnemyCommands, GlobalFlagsCountersAndAchievementBitsOutsideTheirTablesTouchNothing)
{
    const std::vector<std::uint8_t> before(GetWorkingSlot().begin(), GetWorkingSlot().end());
    RunStatements(Enemy(), R"(
    flag.global 1056 1
    flag.global 4000000000 1
    counter.global 1024 "=" 5
    achievement 'A001' 16 1
    achievement 'Z999' 0 1
)");
    EXPECT_TRUE(std::equal(before.begin(), before.end(), GetWorkingSlot().begin()));

    RunStatements(Enemy(), R"(
    flag.global 1055 1
    counter.global 7 "=" 120
    counter.global 7 "+=" 10
    counter.global 8 "/" 0
    achievement 'A001' 15 1
)");
    EXPECT_TRUE(GetSlotEventBit(GetWorkingSlot(), 1055));
    EXPECT_EQ(static_cast<std::int8_t>(GetWorkingSlot()[save_layout::slot::kByteTable + 7]), -126);  // in 8 bits
    EXPECT_EQ(GetWorkingSlot()[save_layout::slot::kByteTable + 8], 0);
}

TEST_F(EnemyCommands, DropCountsComeFromTheRangeAndStopAtTheDropPool)
{
    for (int run = 0; run < 20; ++run) {
        Field().ClearDropItems();
        RunStatements(Enemy(), "    drop.spawn 3 1\n");
        EXPECT_GE(Field().CountDropItems(), 1);
        EXPECT_LE(Field().CountDropItems(), 3);
    }
    Field().ClearDropItems();
    RunStatements(Enemy(), "    drop.spawn 2 2\n");
    EXPECT_EQ(Field().CountDropItems(), 2);
    // However many the data asks for, no more than the pool holds are made, and the step ends.
    Field().ClearDropItems();
    RunStatements(Enemy(), "    drop.spawn 200 300\n");
    EXPECT_EQ(Field().CountDropItems(), 128);
    RunStatements(Enemy(), "    drop.spawn 2000000000 -2000000000\n");
    EXPECT_EQ(Field().CountDropItems(), 128);
}

TEST_F(EnemyCommands, TheScriptBuildsMovesAndTakesApartItsPartTree)
{
    GAME_CEnemySpritePool& pool = GetEnemySpritePool();
    RunStatements(Enemy(), R"(
    part.root "body" 5
    part.add "head" 7 "body"
    part.add "leg" 8 "body"
    part.add "foot" 8 "leg"
    part.add "lost" 8 "nobody"
    part.move_under "foot" "head"
    part.move_under "head" "foot"
    part.base_offset "head" 0.5 1.0
    part.offset "head" 10 -20 0
    part.offset_to "leg" 8 4 4
    var.set "moved" 1
    part.angle_to "foot" 90 0
    part.flip_tree "body" 1
    part.auto_flip "leg" 1
)");
    GAME_CEnemySprite* root = Enemy().GetSpriteRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(pool.UsedCount(), 4u);  // the part under a missing parent was never taken
    GAME_CEnemySprite* head = root->FindPartByName("head");
    GAME_CEnemySprite* leg = root->FindPartByName("leg");
    ASSERT_NE(head, nullptr);
    ASSERT_NE(leg, nullptr);
    EXPECT_EQ(root->FindPartByName("foot")->Parent(), head);  // moved; the move back under it was refused
    EXPECT_EQ(head->offset, (vesk::math::Vec2{10.0f, -20.0f}));
    EXPECT_EQ(head->pivot, (vesk::math::Vec2{0.5f, 1.0f}));
    EXPECT_EQ(head->spriteIndex, 7);

    // The timed move holds the script four steps and ends where it was sent.
    EXPECT_EQ(Var("moved"), 0);
    EXPECT_FLOAT_EQ(leg->offset.x, 2.0f);
    for (int step = 0; step < 4; ++step) Enemy().script.Update();
    EXPECT_EQ(leg->offset, (vesk::math::Vec2{8.0f, 4.0f}));
    EXPECT_EQ(Var("moved"), 1);
    EXPECT_FLOAT_EQ(root->FindPartByName("foot")->angle, 90.0f);  // 0 frames: at once
    EXPECT_EQ(head->flipX, 1);
    EXPECT_EQ(leg->autoFlip, 1);

    RunStatements(Enemy(), R"(
    part.release "foot"
    part.texture "head" 3
    part.texture "nothing" 3
)");
    EXPECT_EQ(pool.UsedCount(), 3u);
    EXPECT_EQ(head->spriteIndex, 3);
    RunStatements(Enemy(), "    part.release \"body\"\n");
    EXPECT_EQ(Enemy().GetSpriteRoot(), nullptr);
    EXPECT_EQ(pool.FreeCount(), 128u);

    // A new root gives the old tree back; the enemy's release gives back the new one.
    RunStatements(Enemy(), "    part.root \"a\" 1\n    part.add \"b\" 1 \"a\"\n    part.root \"c\" 1\n");
    EXPECT_EQ(pool.UsedCount(), 1u);
    Enemy().Release();
    EXPECT_EQ(pool.FreeCount(), 128u);
}

TEST_F(EnemyCommands, MovementWordsFlagsValuesAndAttacks)
{
    const float scale = Enemy().scaleX;
    const std::int32_t sprite = Enemy().spriteIndex;
    RunStatements(Enemy(), R"(
    move.reset 700
    value 33
    flag1 0
    sprite 3 500 7
)");
    EXPECT_EQ(Enemy().spriteIndex, sprite);  // no such sprite: nothing changes
    EXPECT_EQ(Enemy().scaleX, scale);
    const EnemyHPRecord& record = Enemy().hpRecord;
    EXPECT_EQ(record.speedFactor, 700);
    EXPECT_EQ(record.facingMode, 1);
    EXPECT_EQ(record.invertFacing, 1);
    EXPECT_EQ(record.refreshFacing, 1);
    EXPECT_EQ(Enemy().thirdValue, 33);
    EXPECT_EQ(record.flags, 1u);
    RunStatements(Enemy(), R"(
    move.mode1 5
    cond.reset
    test.flag0
    var.set "flag0" 0
    goto_if not_all no_flag
    var.set "flag0" 1
no_flag:
)");
    EXPECT_EQ(record.invertFacing, 1);
    EXPECT_EQ(record.refreshFacing, 0);
    EXPECT_EQ(record.facingDecided, 0);
    EXPECT_EQ(Var("flag0"), 1);  // every label start sets both flags again

    // An attack at 1500 per mille: 10 x 1.5 = 15 damage, give or take 15 %, on the hull.
    const std::int64_t hull = Ship().GetRemainingHull();
    RunStatements(Enemy(), "    attack 0 0 0 1500\n    attack.spend\n");
    const std::int64_t lost = hull - Ship().GetRemainingHull();
    EXPECT_GE(lost, 13);
    EXPECT_LE(lost, 17);
    EXPECT_EQ(record.attack[0], 8);  // the fifth value, 2, came off
}

TEST_F(EnemyCommands, TheEnemyTakesItemsTargetsACrewMemberAndFeedsTheArcadeWaves)
{
    struct Waves final : MiniGameWaveSink {
        std::vector<std::uint32_t> ids;
        std::array<std::int32_t, 3> wave{};
        void AddWaveEnemy(std::uint32_t id) override { ids.push_back(id); }
        void StartWave(std::int32_t perSpawn, std::int32_t repeats, std::int32_t frames) override
        {
            wave = {perSpawn, repeats, frames};
        }
    } waves;
    GAME_CObjectActor& rat = AddCrew(2, 1);
    // A route enemy's wave commands reach no arcade world.
    RunStatements(Enemy(), "    minigame.add 9\n    minigame.set 1 1 1\n");
    Enemy().script.waveSink = &waves;
    RunStatements(Enemy(), R"(
    target.random
    target.debuff 'N001'
    minigame.add 7
    minigame.set 2 3 40
)");
    Enemy().script.waveSink = nullptr;
    EXPECT_EQ(Enemy().script.target, &rat);
    EXPECT_EQ(rat.status.debuffs[0].id, support::kDebuff);
    EXPECT_EQ(waves.ids, std::vector<std::uint32_t>{7});
    EXPECT_EQ(waves.wave, (std::array<std::int32_t, 3>{2, 3, 40}));

    // With an empty crew there is no target, and nothing is done to the one before.
    Field().crew.clear();
    RunStatements(Enemy(), "    target.buff 'B001'\n    target.random\n");
    EXPECT_EQ(Enemy().script.target, nullptr);
}

}  // namespace
