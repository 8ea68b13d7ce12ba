// Worker threads: start, poll, join, stop requests, start failure and the re-entrant critical section.
#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "framework/lock/critical_section.h"
#include "framework/thread/thread.h"

namespace vesk::thread {
namespace {

using namespace std::chrono_literals;

struct JobState {
    std::atomic<bool> release{false};
    std::atomic<int> runs{0};
    std::atomic<bool> sawStop{false};
    void* argument1 = nullptr;
    std::intptr_t argument2 = 0;
};

void QuickJob(SYS_CThread*, void* argument, std::intptr_t value)
{
    auto* state = static_cast<JobState*>(argument);
    state->argument1 = argument;
    state->argument2 = value;
    ++state->runs;
}

// Runs until released or asked to stop.
void WaitingJob(SYS_CThread* thread, void* argument, std::intptr_t)
{
    auto* state = static_cast<JobState*>(argument);
    while (!state->release.load()) {
        if (thread->IsStopRequested()) {
            state->sawStop = true;
            return;
        }
        std::this_thread::sleep_for(1ms);
    }
    ++state->runs;
}

void PollUntilJoined(SYS_CThread& thread)
{
    for (int i = 0; i < 5000 && !thread.IsFinished(); ++i) {
        std::this_thread::sleep_for(1ms);
    }
    thread.Poll();
}

TEST(Thread, FreshObjectIsFinishedAndJoinDoesNothing)
{
    SYSWIN_CThread* thread = CreateThreadObject();
    ASSERT_NE(thread, nullptr);
    EXPECT_TRUE(thread->IsFinished());
    EXPECT_FALSE(thread->IsStopRequested());
    thread->Join();
    thread->Poll();
    EXPECT_TRUE(thread->IsFinished());
    delete thread;
}

TEST(Thread, JobGetsItsArgumentsAndPollJoinsItOnceFinished)
{
    JobState state;
    SYSWIN_CThread thread;
    ASSERT_TRUE(thread.Start("Quick", &QuickJob, &state, 44, 0xC00000, 0, 1));
    PollUntilJoined(thread);
    EXPECT_EQ(state.runs.load(), 1);
    EXPECT_EQ(state.argument1, &state);
    EXPECT_EQ(state.argument2, 44);
    EXPECT_TRUE(thread.IsFinished());

    // A joined object can run the next job.
    ASSERT_TRUE(thread.Start("Again", &QuickJob, &state, 1, 0, -1, 1));
    PollUntilJoined(thread);
    EXPECT_EQ(state.runs.load(), 2);
}

TEST(Thread, RunningJobIsNotFinishedAndCannotBeStartedTwice)
{
    JobState state;
    SYSWIN_CThread thread;
    ASSERT_TRUE(thread.Start("Waiting", &WaitingJob, &state, 0, 0, 1, 1));
    thread.Poll();
    EXPECT_FALSE(thread.IsFinished());
    EXPECT_FALSE(thread.Start("Twice", &QuickJob, &state, 0, 0, 0, 1));
    state.release = true;
    PollUntilJoined(thread);
    EXPECT_EQ(state.runs.load(), 1);
}

TEST(Thread, JoinAsksARunningJobToStopAndWaitsForIt)
{
    JobState state;
    SYSWIN_CThread thread;
    ASSERT_TRUE(thread.Start("Waiting", &WaitingJob, &state, 0, 0, 0, 1));
    thread.Join();
    EXPECT_TRUE(state.sawStop.load());
    EXPECT_TRUE(thread.IsFinished());
    EXPECT_FALSE(thread.IsStopRequested()) << "flags are cleared for the next job";
}

TEST(Thread, DeletingAThreadObjectStopsItsJob)
{
    JobState state;
    SYSWIN_CThread* thread = CreateThreadObject();
    ASSERT_TRUE(thread->Start("Waiting", &WaitingJob, &state, 0, 0, 0, 1));
    delete thread;
    EXPECT_TRUE(state.sawStop.load());
}

TEST(Thread, WaitForLastThreadBlocksUntilTheLatestJobEnds)
{
    WaitForLastThread();  // nothing started: returns at once

    JobState first;
    JobState second;
    SYSWIN_CThread older;
    SYSWIN_CThread newer;
    ASSERT_TRUE(older.Start("Older", &WaitingJob, &first, 0, 0, 0, 1));
    ASSERT_TRUE(newer.Start("Newer", &WaitingJob, &second, 0, 0, 0, 1));
    // Joining the older thread must not forget the newer one.
    older.Join();

    std::thread releaser([&second] {
        std::this_thread::sleep_for(20ms);
        second.release = true;
    });
    WaitForLastThread();
    EXPECT_EQ(second.runs.load(), 1);
    releaser.join();
    newer.Join();
    WaitForLastThread();
}

TEST(Thread, StartFailureIsReported)
{
    JobState state;
    SYSWIN_CThread thread;
    platform::SetThreadStartFailureForTesting(true);
    const bool started = thread.Start("Refused", &QuickJob, &state, 0, 0, 0, 1);
    platform::SetThreadStartFailureForTesting(false);
    EXPECT_FALSE(started);
    EXPECT_TRUE(thread.IsFinished());
    EXPECT_EQ(state.runs.load(), 0);
}

TEST(CriticalSection, IsReentrantAndExcludesOtherThreads)
{
    SYSWIN_CCriticalSection section;
    int counter = 0;
    {
        SYS_CScopedLock outer(&section);
        SYS_CScopedLock inner(&section);  // same thread again
        ++counter;
    }
    std::thread workers[4];
    for (std::thread& worker : workers) {
        worker = std::thread([&] {
            for (int i = 0; i < 10000; ++i) {
                SYS_CScopedLock lock(&section);
                ++counter;
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(counter, 40001);
    SYS_CScopedLock none(nullptr);  // no section: no-op
}

}  // namespace
}  // namespace vesk::thread
