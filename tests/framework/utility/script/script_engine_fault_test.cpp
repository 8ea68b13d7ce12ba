// Broken bytecode and scripts that would hang stop their thread with a log line.
// Nothing crashes and the other threads go on.
#include <gtest/gtest.h>

#include "tests/support/log_capture.h"
#include "tests/support/probe_script.h"

namespace vesk::utility::script {
namespace {

using support::LogCapture;
using support::AssembleProbeScript;
using support::CommandOffset;
using support::ProbeScript;
using Marks = std::vector<std::uint32_t>;

TEST(ScriptEngineFaults, TableOrSlotOutOfRangeStopsTheThread)
{
    const char* cases[][2] = {
        {".raw 5 0 0 0", "table 5, which is not installed"},
        {".raw 1 5 0 0", "slot 5 of table 1, which has 5 slots"},
        {".raw 0 100 0 0", "slot 100 of table 0, which has 100 slots"},
    };
    for (const auto& [command, message] : cases) {
        const std::string source = std::string(".entry 1\n\"start\":\n    probe.mark 1\n    ") + command +
                                   "\n    probe.mark 2\n    halt\n";
        LogCapture capture;
        ProbeScript script(source);
        script.Start(u"start");
        script.engine.Update();
        script.engine.Update();
        EXPECT_EQ(script.Marks(), Marks({1})) << command;
        EXPECT_FALSE(script.Main().running) << command;
        EXPECT_TRUE(capture.Contains("script main thread stopped at command 2")) << command;
        EXPECT_TRUE(capture.Contains(message)) << command;
    }

    // A table number beyond the eight the engine holds.
    std::vector<std::uint8_t> bytes = AssembleProbeScript(".entry 1\n    nop\n    halt\n");
    bytes[CommandOffset(bytes, 0, 0)] = 200;
    LogCapture capture;
    ProbeScript script(bytes);
    script.engine.JumpToEntry(0);
    script.engine.Update();
    EXPECT_FALSE(script.Main().running);
    EXPECT_TRUE(capture.Contains("table 200, which is not installed"));
}

TEST(ScriptEngineFaults, RunningPastTheLastCommandOrStartingBeyondItStopsTheThread)
{
    LogCapture capture;
    ProbeScript script(".entry 1\n\"start\":\n    probe.mark 1\n");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1}));
    EXPECT_FALSE(script.Main().running);
    EXPECT_TRUE(capture.Contains("ran past the last command"));

    script.engine.JumpToEntry(1000);
    EXPECT_TRUE(script.engine.GetCurrentData().IsEmpty());
    script.engine.Update();
    EXPECT_FALSE(script.Main().running);
}

TEST(ScriptEngineFaults, CallsDeeperThanTheReturnStackStopTheThread)
{
    LogCapture capture;
    ProbeScript script(R"(
.entry 1
"start":
deeper:
    probe.mark 1
    call deeper
)");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(script.Marks().size(), 17u);  // the first run and 16 calls
    EXPECT_EQ(script.Main().stackDepth, kReturnStackSize);
    EXPECT_FALSE(script.Main().running);
    EXPECT_TRUE(capture.Contains("deeper than the 16-entry return stack"));
}

// Calls from outside (road events met while others wait unfinished) fill the return stack: the one
// too many is refused with a log line, and the sixteen under way all run to their end. A thread a
// fault stopped with a full stack still takes the next call from outside, from an empty stack.
TEST(ScriptEngineFaults, ACallFromOutsideOntoAFullStackIsRefusedAndTheEventsUnderWayGoOn)
{
    ProbeScript script(R"(
.entry 1
"start":
    probe.mark 1
    wait 1
    probe.mark 3
    return
"event":
    probe.mark 2
    return
"runaway":
deeper:
    call deeper
)");
    const auto event = script.engine.FindLabel(u"event");
    ASSERT_TRUE(event.has_value());
    script.Start(u"start");
    script.engine.Update();
    for (std::uint32_t call = 0; call < kReturnStackSize; ++call) {
        ASSERT_EQ(script.engine.Call(event->commandIndex), 1u);
    }
    {
        LogCapture capture;
        EXPECT_EQ(script.engine.Call(event->commandIndex), 0u);
        EXPECT_TRUE(capture.Contains("from outside refused: a call nests deeper than the 16-entry return stack"));
    }
    EXPECT_TRUE(script.Main().running);
    script.engine.Update();
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3}));
    EXPECT_FALSE(script.Main().running);

    LogCapture capture;
    script.Start(u"runaway");
    script.engine.Update();
    ASSERT_FALSE(script.Main().running);
    ASSERT_TRUE(capture.Contains("stopped at command"));
    EXPECT_EQ(script.engine.Call(event->commandIndex), 1u);
    script.engine.Update();
    EXPECT_EQ(script.Marks().back(), 2u);
    EXPECT_FALSE(script.Main().running);
    EXPECT_EQ(script.Main().stackDepth, 0u);
}

TEST(ScriptEngineFaults, ArgumentDataOutsideTheBlockStopsTheThread)
{
    const std::vector<std::uint8_t> good = AssembleProbeScript(".entry 1\n    probe.mark 1\n    goto #0\n");
    const std::size_t gotoRecord = CommandOffset(good, 0, 1);
    const std::uint32_t blockSize =
        support::ReadWord(good, support::EntryOffset(good, 0) + script_package::kEntryBlockSizeOffset);

    struct Case {
        std::uint32_t offset;
        const char* message;
    };
    for (const Case& broken : {Case{0xFFFFFFF0u, "lies outside the block"}, Case{blockSize, "lies outside the block"},
                               Case{blockSize - 2, "ends at the block end before all its arguments"}}) {
        std::vector<std::uint8_t> bytes = good;
        support::WriteWord(bytes, gotoRecord + script_package::kCommandArgumentOffset, broken.offset);
        LogCapture capture;
        ProbeScript script(bytes);
        script.engine.JumpToEntry(0);
        script.engine.Update();
        EXPECT_EQ(script.Marks(), Marks({1}));
        EXPECT_FALSE(script.Main().running);
        EXPECT_TRUE(capture.Contains(broken.message)) << broken.offset;
    }
}

TEST(ScriptEngineFaults, ScriptThatNeverYieldsIsStoppedAndTheFrameEnds)
{
    LogCapture capture;
    ProbeScript script(R"(
.entry 1
"start":
    thread.start beside
loop:
    goto loop
beside:
    probe.mark 1
    halt
)");
    script.engine.SetCommandBudget(1000);
    script.Start(u"start");
    script.engine.Update();
    EXPECT_FALSE(script.Main().running);
    EXPECT_TRUE(capture.Contains("ran 1000 commands in one frame without yielding"));
    EXPECT_EQ(script.Marks(), Marks({1}));  // the sub-thread still ran

    // A command that stays without yielding spins just the same.
    ProbeScript spinning(".entry 1\n\"start\":\n    probe.spin\n");
    spinning.engine.SetCommandBudget(1000);
    spinning.Start(u"start");
    spinning.engine.Update();
    EXPECT_FALSE(spinning.Main().running);
}

TEST(ScriptEngineFaults, EndlessRunAgainIsStoppedAndBlamesTheThreadThatAsks)
{
    LogCapture capture;
    ProbeScript script(R"(
.entry 1
"start":
    thread.start again
main:
    wait 1000
    goto main
again:
    probe.run_again
    goto again
)");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_TRUE(script.Main().running);
    EXPECT_FALSE(script.Sub(1).running);
    EXPECT_TRUE(capture.Contains("script sub-thread 1 stopped"));
    EXPECT_TRUE(capture.Contains("asked to run again"));

    // A jump to itself restarts and asks again every pass.
    ProbeScript jumping(".entry 1\n\"start\":\n    jump \"start\"\n");
    jumping.engine.SetCommandBudget(1000);
    jumping.Start(u"start");
    jumping.engine.Update();
    EXPECT_FALSE(jumping.Main().running);
}

TEST(ScriptEngineFaults, ThreadsStoppedForHangingStayStoppedForTheRestOfTheFrame)
{
    // Every thread restarts the main thread and starts one more kept
    // sub-thread: each fault is undone at once by another thread.
    LogCapture capture;
    ProbeScript script(R"(
.entry 1
"start":
    probe.mark 1
    thread.start_keep "start"
    jump "start"
)");
    script.engine.SetCommandBudget(1000);
    script.Start(u"start");
    script.engine.Update();
    EXPECT_LE(script.Marks().size(), 16000u);
    std::size_t faults = 0;
    for (const std::string& line : capture.Lines()) {
        faults += line.find("stopped at command") != std::string::npos ? 1 : 0;
    }
    EXPECT_GE(faults, 1u);
    EXPECT_LE(faults, ScriptThreadBlock::kCount);
}

TEST(ScriptEngineFaults, SubThreadStartWithAllEightBusyIsIgnored)
{
    std::string source = ".entry 1\n\"start\":\n";
    for (int i = 0; i < 9; ++i) {
        source += "    thread.start busy\n";
    }
    source += "    probe.mark 1\n    halt\nbusy:\n    halt\n";
    LogCapture capture;
    ProbeScript script(source);
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1}));  // the main thread went on where it was
    EXPECT_TRUE(script.Main().running);
    for (std::uint32_t n = 1; n <= kSubThreadCount; ++n) {
        EXPECT_TRUE(script.Sub(n).running) << n;
    }
    EXPECT_FALSE(script.engine.block.Exit().running);
    EXPECT_TRUE(capture.Contains("all 8 sub-threads are running"));
}

TEST(ScriptEngineFaults, RoutinesNestedWithoutEndAreRefused)
{
    LogCapture capture;
    ProbeScript script(R"(
.entry 1
"start":
    probe.routine again
    probe.mark 2
    halt
again:
    probe.mark 1
    probe.routine again
    return
)");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(script.Marks().size(), SYS_CScriptEngine::kMaxNesting + 1);
    EXPECT_EQ(script.Marks().back(), 2u);
    EXPECT_TRUE(capture.Contains("nested too deep"));
}

TEST(ScriptEngineFaults, RoutinesThatBranchIntoMoreRoutinesAreBoundedPerFrame)
{
    // Unbounded, each of 16 levels would run three more: 3^16 routines.
    LogCapture capture;
    ProbeScript script(R"(
.entry 1
"start":
    probe.routine branch
    probe.mark 1
    halt
branch:
    probe.routine branch
    probe.routine branch
    probe.routine branch
    return
)");
    script.engine.SetCommandBudget(1000);
    script.Start(u"start");
    script.engine.Update();
    EXPECT_TRUE(capture.Contains("its frame ran more than 16000 commands in all"));
    EXPECT_FALSE(script.Main().running);

}

TEST(ScriptEngineFaults, EngineWithoutProgramOrThreadsDoesNothing)
{
    support::ProbeEngine engine;
    engine.Update();
    engine.Restart(3);
    EXPECT_EQ(engine.JumpToLabel(u"start"), 0u);
    EXPECT_TRUE(engine.GetCurrentData().IsEmpty());
    engine.SetThreads(nullptr);
    engine.Restart(0);
    EXPECT_EQ(engine.Call(1), 0u);
    engine.StopScript();
}

}  // namespace
}  // namespace vesk::utility::script
