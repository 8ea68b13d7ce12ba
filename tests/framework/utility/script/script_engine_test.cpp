// The script engine: waits, jumps, calls, loops, restarts, sub-threads and labels.
#include <gtest/gtest.h>

#include "tests/support/probe_script.h"

namespace vesk::utility::script {
namespace {

using support::ProbeScript;
using Marks = std::vector<std::uint32_t>;

TEST(ScriptEngine, WaitOfThreeFramesMovesOnInTheFourthAndWaitOfZeroAtOnce)
{
    ProbeScript script(R"(
.entry 1
"start":
    probe.mark 1
    wait 3
    probe.mark 2
    wait 0
    probe.mark 3
    halt
)");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1}));
    script.engine.Update();
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1}));
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 2, 3}));
    EXPECT_EQ(script.Main().framesOnCommand, 1u);  // one frame on the halt
}

TEST(ScriptEngine, GotoContinuesAfterItsTargetAndJumpRunsTheTargetItself)
{
    // Index 0 is the label marker; #4 names "probe.mark 4" directly.
    const char* source = R"(
.entry 1
"start":
    %s #4
    probe.mark 99
    probe.mark 99
    probe.mark 4
    probe.mark 5
    halt
)";
    char text[256];
    std::snprintf(text, sizeof text, source, "goto");
    ProbeScript withGoto(text);
    withGoto.Start(u"start");
    withGoto.engine.Update();
    EXPECT_EQ(withGoto.Marks(), Marks({5}));
    EXPECT_EQ(withGoto.engine.jumps, std::vector<int>({kJumpRestart, kJumpGoto}));

    std::snprintf(text, sizeof text, source, "jump");
    ProbeScript withJump(text);
    withJump.Start(u"start");
    withJump.engine.Update();
    EXPECT_EQ(withJump.Marks(), Marks({4, 5}));
    EXPECT_EQ(withJump.engine.jumps, std::vector<int>({kJumpRestart, kJumpRestart}));
}

TEST(ScriptEngine, CallAndReturnResumeAfterTheCall)
{
    ProbeScript script(R"(
.entry 1
"start":
    call sub
    probe.mark 2
    call sub
    probe.mark 3
    halt
sub:
    probe.mark 1
    return
)");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 2, 1, 3}));
    EXPECT_EQ(script.Main().stackDepth, 0u);
    EXPECT_EQ(script.Main().jumpCount, 3u);  // the restart and two calls
    EXPECT_TRUE(script.Main().running);
}

TEST(ScriptEngine, CallAtCommandZeroPushesMinusOneAndItsReturnEndsTheScript)
{
    const char* source = R"(
.entry 1
    call sub
    probe.mark 2
    halt
sub:
    probe.mark 1
    %s
)";
    char text[256];
    std::snprintf(text, sizeof text, source, "halt");
    ProbeScript halted(text);
    halted.engine.JumpToEntry(0);
    halted.engine.Update();
    ASSERT_EQ(halted.Main().stackDepth, 1u);
    EXPECT_EQ(halted.Main().returnStack[0], kNoIndex);

    // The return pops -1, stays, runs again at once and finds the stack empty.
    std::snprintf(text, sizeof text, source, "return");
    ProbeScript returned(text);
    returned.engine.JumpToEntry(0);
    returned.engine.Update();
    EXPECT_EQ(returned.Marks(), Marks({1}));
    EXPECT_FALSE(returned.Main().running);
}

// A call pushed from outside the script (a route event met on the way) while the thread waits on a
// command: the return takes that command up where it stood; it is neither skipped nor started anew.
TEST(ScriptEngine, ACallFromOutsideWhileTheThreadWaitsReturnsToTheWaitingCommand)
{
    ProbeScript script(R"(
.entry 1
"start":
    probe.mark 1
    wait 2
    probe.mark 3
    return
"event":
    probe.mark 2
    return
)");
    script.Start(u"start");
    script.engine.Update();
    ASSERT_EQ(script.Marks(), Marks({1}));
    const auto event = script.engine.FindLabel(u"event");
    ASSERT_TRUE(event.has_value());
    ASSERT_EQ(script.engine.Call(event->commandIndex), 1u);
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 2}));
    // The wait goes on counting from the frame it had waited before the call.
    EXPECT_EQ(script.Main().framesOnCommand, 2u);
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 2, 3}));

    // A thread at rest is only called: the return ends the script.
    script.engine.Call(event->commandIndex);
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 2, 3, 2}));
    EXPECT_FALSE(script.Main().running);
}

// An event called from outside that jumps to another of its labels (a choice answered, a test
// taken) ends only itself: the script it interrupted still gets the return and goes on. A restart
// from outside starts everything anew.
TEST(ScriptEngine, AJumpInsideACallFromOutsideHandsBackToTheInterruptedScript)
{
    ProbeScript script(R"(
.entry 1
"start":
    probe.mark 1
    wait 2
    probe.mark 4
    return
"event":
    call helper
    probe.mark 9
helper:
    jump answered
    probe.mark 9
answered:
    probe.mark 2
    return
)");
    script.Start(u"start");
    script.engine.Update();
    const auto event = script.engine.FindLabel(u"event");
    ASSERT_TRUE(event.has_value());
    script.engine.Call(event->commandIndex);
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 2}));
    EXPECT_TRUE(script.Main().running);
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 2, 4}));
    EXPECT_FALSE(script.Main().running);

    script.Start(u"start");
    script.engine.Update();
    script.engine.Call(event->commandIndex);
    script.Start(u"start");
    EXPECT_EQ(script.Main().stackDepth, 0u);
    for (int frame = 0; frame < 3; ++frame) script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 2, 4, 1, 1, 4}));
    EXPECT_FALSE(script.Main().running);
}

TEST(ScriptEngine, LoopCounterRisesOnGotoAndClearsOnATakenConditionalGoto)
{
    ProbeScript script(R"(
.entry 1
"start":
top:
    wait 1
    test.loop_counter >= 3
    goto_if all, done
    goto top
done:
    probe.mark 1
    halt
)");
    script.Start(u"start");
    std::vector<std::uint32_t> counts;
    for (int frame = 0; frame < 5; ++frame) {
        script.engine.Update();
        counts.push_back(script.Main().loopCounter);
    }
    EXPECT_EQ(counts, std::vector<std::uint32_t>({0, 1, 2, 3, 0}));
    EXPECT_EQ(script.Marks(), Marks({1}));
}

TEST(ScriptEngine, RestartRunsAnArmedExitBlockFirstAndDisarmsIt)
{
    ProbeScript script(R"(
.entry 1
"start":
    exit.arm on_exit
    probe.mark 1
    halt
on_exit:
    probe.mark 100
    wait 1
    probe.mark 101
    halt
"again":
    probe.mark 2
    halt
)");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(script.Main().exitArmed, 1u);

    script.Start(u"again");  // the exit block runs to its first yield, now
    EXPECT_EQ(script.Marks(), Marks({1, 100}));
    EXPECT_EQ(script.Main().exitArmed, 0u);
    EXPECT_FALSE(script.engine.block.Exit().running);

    script.engine.Update();
    script.Start(u"again");
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 100, 2, 2}));
}

TEST(ScriptEngine, OnlySubThreadsWithTheKeepFlagSurviveARestart)
{
    ProbeScript script(R"(
.entry 1
"start":
    thread.start_keep kept
    thread.start plain
    halt
kept:
    probe.mark 1
    wait 1
    goto kept
plain:
    probe.mark 2
    wait 1
    goto plain
"again":
    halt
)");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 2}));
    ASSERT_TRUE(script.Sub(1).running && script.Sub(2).running);

    script.Start(u"again");
    EXPECT_TRUE(script.Sub(1).running);
    EXPECT_FALSE(script.Sub(2).running);
    script.engine.Update();
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 2, 1, 1}));
}

TEST(ScriptEngine, SubThreadAskingToRunAgainRunsMainAndSubThreadsAgainInTheSameFrame)
{
    ProbeScript script(R"(
.entry 1
"start":
    thread.start first
    thread.start second
    probe.mark 1
    probe.yield
    probe.mark 4
    halt
first:
    probe.mark 2
    probe.run_again
    probe.mark 5
    halt
second:
    probe.mark 3
    halt
)");
    script.Start(u"start");
    script.engine.Update();
    // Pass 1: main 1, sub 1 asks again. Pass 2: main 4, sub 1 5, sub 2 3.
    EXPECT_EQ(script.Marks(), Marks({1, 2, 4, 5, 3}));
}

TEST(ScriptEngine, StopSubThreadByStartOrAllUnkept)
{
    ProbeScript script(R"(
.entry 1
"start":
    thread.start a
    thread.start_keep b
    thread.start c
    probe.yield
    thread.stop c
    probe.yield
    thread.stop_all
    halt
a:
b:
c:
    halt
)");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_TRUE(script.Sub(1).running && script.Sub(2).running && script.Sub(3).running);
    script.engine.Update();
    EXPECT_TRUE(script.Sub(1).running && script.Sub(2).running);
    EXPECT_FALSE(script.Sub(3).running);
    script.engine.Update();
    EXPECT_FALSE(script.Sub(1).running);
    EXPECT_TRUE(script.Sub(2).running);
}

TEST(ScriptEngine, JumpToLabelFindsTheExactUtf16NameAndAnUnknownNameChangesNothing)
{
    ProbeScript script(R"(
.entry 1
"データベース":
    probe.mark 1
    halt
"データベース登録":
    probe.mark 2
    halt
"Start":
    probe.mark 3
    halt
)");
    const std::optional<ScriptLabel> label = script.engine.FindLabel(u"データベース登録");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->commandIndex, 3u);
    EXPECT_FALSE(script.engine.FindLabel(u"start"));  // case matters
    EXPECT_FALSE(script.engine.FindLabel(u"データベース登録2"));

    script.Start(u"データベース登録");
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({2}));

    const ScriptThread before = script.Main();
    const std::size_t jumps = script.engine.jumps.size();
    EXPECT_EQ(script.engine.JumpToLabel(u"登録"), 0u);
    EXPECT_EQ(script.Main().programCounter, before.programCounter);
    EXPECT_EQ(script.Main().jumpCount, before.jumpCount);
    EXPECT_EQ(script.Main().running, before.running);
    EXPECT_EQ(script.engine.jumps.size(), jumps);
}

TEST(ScriptEngine, RunRoutineNowRunsToTheFirstYieldWithinTheCallersFrame)
{
    ProbeScript script(R"(
.entry 1
"start":
    probe.routine routine
    probe.mark 2
    halt
routine:
    probe.mark 1
    probe.yield
    probe.mark 99
    return
)");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 2}));
    EXPECT_EQ(script.Main().stackDepth, 0u);
    EXPECT_EQ(script.engine.RunRoutineNow(kNoIndex), 0u);
}

TEST(ScriptEngine, GetCurrentDataIsTheStartCommandsArgumentData)
{
    ProbeScript script(R"(
.entry 1
"start":
    probe.mark 7
    halt
)");
    EXPECT_TRUE(script.engine.GetCurrentData().IsEmpty());
    script.engine.JumpToEntry(1);  // starts at the probe.mark itself
    const ScriptArgs data = script.engine.GetCurrentData();
    ASSERT_FALSE(data.IsEmpty());
    EXPECT_EQ(data.U32(0), 7u);
    script.Start(u"start");  // a label marker has no data
    EXPECT_TRUE(script.engine.GetCurrentData().IsEmpty());
}

}  // namespace
}  // namespace vesk::utility::script
