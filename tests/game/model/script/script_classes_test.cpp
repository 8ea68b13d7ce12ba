// The room, actor and enemy engines: what a restart does to their owners, the step period and the enemy's variables.
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "framework/memory/heaps.h"
#include "framework/utility/script_package/script_package.h"
#include "game/model/script/script_actor.h"
#include "game/model/script/script_enemy.h"
#include "game/model/script/script_room.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/room_base.h"
#include "tests/support/script_assembly.h"

namespace {

// A parsed package of one entry (id 1).
class Package : public support::ParsedPackage {
public:
    Package(std::string_view source, std::string_view table) : ParsedPackage(source, {table}) {}
};

// Counts the frames the script ran through the common table's loop counter.
constexpr std::string_view kCountingScript = R"(
.entry 1
"start":
    period 3
loop:
    wait 1
    goto loop
)";

TEST(ScriptClasses, ARoomRestartClearsItsFlagsAndTheScriptRunsAtItsPeriod)
{
    Package package(kCountingScript, "room.def");
    GAME_CRoomBase room;
    room.SetScriptFlagA(true);
    room.SetScriptFlagB(true);
    GAME_CScriptRoom& script = room.Script();
    script.Attach(package.Program());
    ASSERT_EQ(script.JumpToLabel(u"start"), 1u);
    EXPECT_FALSE(room.GetScriptFlagA());
    EXPECT_FALSE(room.GetScriptFlagB());
    EXPECT_EQ(script.Period().period, 1);

    // The first tick runs the script (period 1), which sets period 3: from
    // then on only every third tick runs it.
    std::vector<std::uint32_t> loops;
    for (int tick = 0; tick < 7; ++tick) {
        script.TickScript();
        loops.push_back(script.GetThreads()->Main().loopCounter);
    }
    EXPECT_EQ(loops, (std::vector<std::uint32_t>{0, 0, 0, 1, 1, 1, 2}));

    // A goto is no restart: the period stays.
    EXPECT_EQ(script.Period().period, 3);
}

TEST(ScriptClasses, AnActorRestartShowsTheCrewMemberAtItsStandardOffset)
{
    Package package(kCountingScript, "actor.def");
    GAME_CObjectActor actor;
    actor.SetVisible(false);
    actor.SetDrawOffset({4.0f, 4.0f});
    GAME_CScriptActor script(&actor);
    script.Attach(package.Program());
    ASSERT_EQ(script.JumpToLabel(u"start"), 1u);
    EXPECT_TRUE(actor.IsVisible());
    EXPECT_EQ(actor.GetDrawOffset(), (vesk::math::Vec2{0.0f, -11.0f}));
    script.TickScript();
    EXPECT_EQ(script.Period().period, 3);
    EXPECT_EQ(script.Period().counter, 0);
}

TEST(ScriptClasses, ACrewMemberIsInTheStateLabelsOfTheProgramItsScriptRuns)
{
    // The state labels out of order in one program, at other commands in the next.
    Package first(R"(
.entry 1
"更新[NoAction]":
idle:
    wait 1
    goto idle
"死亡":
fall:
    wait 1
    goto fall
"更新[ItemGet]":
carry:
    wait 1
    goto carry
)",
                  "actor.def");
    Package second(R"(
.entry 1
"更新[Action]":
walk:
    wait 1
    goto walk
"更新[NoAction]":
    halt
)",
                   "actor.def");
    GAME_CObjectActor actor;
    GAME_CScriptActor script(&actor);
    constexpr CrewStateLabel kLabels[] = {CrewStateLabel::kNoAction, CrewStateLabel::kAction,
                                          CrewStateLabel::kItemGet, CrewStateLabel::kDeath};
    constexpr std::u16string_view kNames[] = {actor_label::kNoAction, actor_label::kAction, actor_label::kItemGet,
                                              actor_label::kDeath};
    // Which of the four the script is in, each answer checked against the label found by its name.
    const auto states = [&] {
        std::string in;
        for (std::size_t i = 0; i < std::size(kLabels); ++i) {
            const bool isIn = script.IsInStateLabel(kLabels[i]);
            EXPECT_EQ(isIn, script.IsInLabel(kNames[i])) << i;
            in += isIn ? '1' : '0';
        }
        return in;
    };
    // The states once the script was started at the label and ran a step.
    const auto startedAt = [&](std::u16string_view label) {
        EXPECT_NE(script.JumpToLabel(label), 0u);
        script.TickScript();
        return states();
    };

    script.Attach(first.Program());
    EXPECT_EQ(states(), "0000");
    EXPECT_EQ(startedAt(actor_label::kNoAction), "1000");
    EXPECT_EQ(startedAt(actor_label::kDeath), "0001");
    EXPECT_EQ(startedAt(actor_label::kItemGet), "0010");

    // Another program: its labels, not the ones found in the first.
    script.Attach(second.Program());
    EXPECT_EQ(startedAt(actor_label::kAction), "0100");
    EXPECT_EQ(startedAt(actor_label::kNoAction), "1000");

    // A program set without attaching it is asked by name.
    ASSERT_NE(script.JumpToLabel(actor_label::kAction), 0u);
    script.SetProgram(first.Program());
    EXPECT_EQ(states(), "1000");  // the first program's idle loop starts where the second's walk did
    script.Attach(nullptr);
    EXPECT_EQ(states(), "0000");
}

TEST(ScriptClasses, AnEnemyRestartRunsEveryStepAndItsVariablesHoldSixteenNames)
{
    Package package(".entry 1\n\"start\":\n    period -4\n    halt\n", "enemy.def");
    GAME_CObjectEnemy enemy;
    GAME_CScriptEnemy script;
    script.FindOrCreateVariable("stale")->value = 9;
    script.Attach(package.Program(), &enemy);
    EXPECT_EQ(script.FindVariable("stale"), nullptr);
    ASSERT_EQ(script.JumpToLabel(u"start"), 1u);
    EXPECT_EQ(enemy.GetFlagWord(), GAME_CObjectEnemy::kFlagWordScriptStarted);
    EXPECT_EQ(script.Period().period, 0);
    script.TickScript();
    EXPECT_EQ(script.Period().period, 0);  // the enemy's period is at least 0

    for (int i = 0; i < 16; ++i) {
        const std::string name = std::string(1, static_cast<char>('a' + i));
        ASSERT_NE(script.FindOrCreateVariable(name), nullptr) << i;
    }
    EXPECT_EQ(script.FindOrCreateVariable("q"), nullptr);
    script.FindOrCreateVariable("d")->value = 42;
    EXPECT_EQ(script.FindOrCreateVariable("d")->value, 42);
    EXPECT_EQ(script.FindVariable("dd"), nullptr);
    script.ClearVariable("d");
    GAME_CScriptEnemy::Variable* reused = script.FindOrCreateVariable("a name longer than thirty-one characters");
    ASSERT_NE(reused, nullptr);
    EXPECT_EQ(reused->Name(), "a name longer than thirty-one c");
    EXPECT_EQ(reused->value, 0);
    EXPECT_EQ(script.FindVariable("a name longer than thirty-one characters, said again"), reused);
}

}  // namespace
