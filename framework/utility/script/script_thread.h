// Script threads and the block of ten threads an engine runs.
#pragma once

#include <array>
#include <cstdint>

namespace vesk::utility::script {

inline constexpr std::uint32_t kNoIndex = 0xFFFFFFFF;
inline constexpr std::uint32_t kReturnStackSize = 16;
inline constexpr std::uint32_t kSubThreadCount = 8;
inline constexpr std::uint32_t kKeepFlag = 0x1;

// Where a call from outside the script (no command running) found a running
// thread: the command it stood on, perhaps one that waits, is taken up again on
// return where it was, its frames and conditions as they were, so that it
// neither runs its first frame twice nor is passed over.
struct ScriptResumePoint {
    std::uint32_t interrupted = 0;
    std::uint32_t framesOnCommand = 0;
    std::uint32_t conditionAnd = 0;
    std::uint32_t conditionOr = 0;
};

// One script thread: where it is, what it returns to, and the state the
// common command table keeps per thread.
struct ScriptThread {
    std::uint32_t jumpCount = 0;
    std::uint32_t framesOnCommand = 0;  // set to 0 only when the thread moves on
    const std::uint8_t* startData = nullptr;
    std::uint32_t startIndex = 0;
    std::uint32_t programCounter = 0;
    std::uint32_t returnStack[kReturnStackSize] = {};
    std::uint32_t stackDepth = 0;
    // One for each return address: set for the calls made from outside.
    ScriptResumePoint resumePoints[kReturnStackSize] = {};
    std::uint32_t exitIndex = 0;
    std::uint32_t exitArmed = 0;
    std::uint32_t keepFlags = 0;
    std::uint32_t running = 0;
    std::uint32_t yield = 0;
    std::uint32_t runAgain = 0;
    std::uint32_t conditionAnd = 0;
    std::uint32_t conditionOr = 0;
    std::uint64_t effectHandle = 0;
    std::uint32_t randomWaitTarget = 0;
    std::uint32_t effectId = 0;
    float effectPosition[3] = {};
    float effectRotation[3] = {};  // radians
    float effectScale[3] = {};
    std::uint32_t effectParameter = 0;
    std::uint32_t loopCounter = 0;

    // Not script state: the engine's guard against scripts that never yield.
    std::uint32_t commandsThisFrame = 0;
    // Set by a return that takes up an interrupted command: the step that ran
    // the return neither counts a frame nor moves on.
    std::uint32_t resuming = 0;
};

// Effect id and parameter to none, position and rotation to zero, scale to 1.
void InitScriptThread(ScriptThread& thread);

// A whole thread reset: every field zero, then the effect fields as above.
void ClearScriptThread(ScriptThread& thread);

// Sets the thread running from command index (also where a restart goes back
// to), with the conditions reset.
void StartScriptThread(ScriptThread& thread, std::uint32_t index, const std::uint8_t* startData);

// How much of the return stack belongs to scripts that calls from outside
// interrupted: one past the topmost interrupted entry, 0 when there is none.
std::uint32_t InterruptedDepth(const ScriptThread& thread);

// The ten threads one script runs in.
struct ScriptThreadBlock {
    static constexpr std::uint32_t kMain = 0;
    static constexpr std::uint32_t kFirstSub = 1;
    static constexpr std::uint32_t kExit = 9;
    static constexpr std::uint32_t kCount = 10;

    std::array<ScriptThread, kCount> threads;

    ScriptThreadBlock() { Clear(); }

    ScriptThread& Main() { return threads[kMain]; }
    const ScriptThread& Main() const { return threads[kMain]; }
    // n from 1 to 8.
    ScriptThread& Sub(std::uint32_t n) { return threads[n]; }
    ScriptThread& Exit() { return threads[kExit]; }

    void Clear()
    {
        for (ScriptThread& thread : threads) {
            ClearScriptThread(thread);
        }
    }
};

}  // namespace vesk::utility::script
