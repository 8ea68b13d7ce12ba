// The script engine that runs compiled script blocks in threads, its command tables and handlers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/utility/script/script_args.h"
#include "framework/utility/script/script_target.h"
#include "framework/utility/script/script_thread.h"
#include "framework/utility/script_package/program_record.h"

namespace vesk::utility::script {

class SYS_CScriptEngine;

// A command handler: (engine, the command's mode byte, its argument data, its
// u16 operand). Non-zero moves the thread to the next command; zero keeps it
// on this one (run again at once unless the handler set the thread's yield).
using ScriptHandler = std::uint32_t (*)(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args,
                                        std::uint16_t operand);

// A table of handlers by slot; an empty slot makes its command a no-op.
struct CommandTable {
    const ScriptHandler* handlers = nullptr;
    std::uint32_t size = 0;
};

// Kinds passed to OnJump.
enum JumpKind : int {
    kJumpRestart = 0,  // restart, jump to an entry or a label
    kJumpGoto = 1,     // goto within the thread, sub-thread start, return
    kJumpCall = 2,
    kJumpRestartKind3 = 3,
};

struct ScriptLabel {
    std::uint32_t nameOffset = 0;
    std::uint32_t commandIndex = 0;
};

// Runs a compiled script block one frame at a time in a block of ten threads:
// the main thread, eight sub-threads beside it and the exit thread that runs
// the exit block when the script restarts. Table 0 is the common table;
// derived engines install their own table as table 1 and react to jumps.
//
// The bytecode is not trusted: a command outside the program, a table or slot
// that does not exist, argument data outside the block, a call deeper than the
// return stack, or a thread that runs too long without yielding stops that
// thread with a log line.
class SYS_CScriptEngine {
public:
    static constexpr std::uint32_t kTableCount = 8;
    // A thread that runs this many commands in one Update without yielding is
    // taken to hang and is stopped.
    static constexpr std::uint32_t kDefaultCommandBudget = 1u << 20;
    // The same for a thread that asks Update to run the pass again this often.
    static constexpr std::uint32_t kMaxRunAgainPerUpdate = 4096;
    // Exit blocks and routines run inside handlers; deeper nesting is refused.
    static constexpr std::uint32_t kMaxNesting = 16;
    // Nested routines each have a budget of their own, so the whole frame
    // (one Update, or one call from outside) is bounded too: by this many
    // thread budgets.
    static constexpr std::uint32_t kFrameBudgetFactor = 16;

    SYS_CScriptEngine();
    virtual ~SYS_CScriptEngine();
    SYS_CScriptEngine(const SYS_CScriptEngine&) = delete;
    SYS_CScriptEngine& operator=(const SYS_CScriptEngine&) = delete;

    // Runs one thread for this frame; returns its run-again word.
    virtual std::uint32_t Execute(ScriptThread& thread);
    // Called after a jump with its JumpKind.
    virtual void OnJump(int kind) = 0;

    // --- set-up by the owner
    void SetProgram(const script_package::ProgramRecord* program) { program_ = program; }
    const script_package::ProgramRecord* GetProgram() const { return program_; }
    void SetThreads(ScriptThreadBlock* threads) { threads_ = threads; }
    ScriptThreadBlock* GetThreads() const { return threads_; }
    void SetTarget(SYS_CScriptTarget* target) { target_ = target; }
    SYS_CScriptTarget* GetTarget() const { return target_; }
    // index below kTableCount.
    void SetCommandTable(std::uint32_t index, CommandTable table);
    void SetCommandBudget(std::uint32_t commands) { commandBudget_ = commands; }

    // --- running
    // One frame: the main thread, then sub-threads 1 to 8; a thread that asks
    // to run again sends the pass back to the main thread.
    void Update();
    // Starts the script anew at command n on the main thread, after running an
    // armed exit block to its first yield.
    void Restart(std::uint32_t n);
    std::uint32_t JumpToEntry(std::uint32_t n);
    // 0 and no change when no label has this name.
    std::uint32_t JumpToLabel(std::u16string_view name);
    std::uint32_t Goto(std::uint32_t n, std::uint32_t restartHere);
    // 0 when the return stack is full: a call from a command then stops the thread, a call from
    // outside (no command running) is refused and the thread goes on.
    std::uint32_t Call(std::uint32_t n);
    // A return to a command that a call from outside interrupted: the running
    // thread takes command n up again as the point holds it, this very step.
    // The handler that returns passes its 0 on.
    std::uint32_t Resume(std::uint32_t n, const ScriptResumePoint& point);
    // Runs the routine at n now on a scratch thread block until its first
    // yield; 0 when n is kNoIndex or nesting is too deep.
    std::uint32_t RunRoutineNow(std::uint32_t n);
    // Ends the script of the current block (main thread and unkept sub-threads).
    void StopScript();
    // Clears every unkept sub-thread and the exit thread.
    static void ResetSubThreads(ScriptThreadBlock& block);

    // --- queries
    std::optional<ScriptLabel> FindLabel(std::u16string_view name) const;
    // The argument data of the main thread's start command; empty when there
    // is none.
    ScriptArgs GetCurrentData() const;
    // Argument data of command n; empty when n is outside the program, the
    // command has none, or its offset lies outside the block.
    ScriptArgs ArgumentsOf(std::uint32_t n) const;

    // The thread handlers and jumps act on: the executing thread, else the
    // current block's main thread, else the main thread of threads.
    ScriptThread* RunningThread();
    // The block Update runs (else threads).
    ScriptThreadBlock* CurrentBlock() { return currentBlock_ != nullptr ? currentBlock_ : threads_; }
    SYS_CScriptTarget* CurrentTarget() const { return currentTarget_; }

    // Stops a thread whose script went wrong, with a log line naming why.
    void StopThreadOnFault(ScriptThread& thread, std::string_view why);

protected:
    const script_package::ProgramRecord* program_ = nullptr;
    ScriptThreadBlock* threads_ = nullptr;
    SYS_CScriptTarget* target_ = nullptr;
    CommandTable tables_[kTableCount];
    ScriptThreadBlock* currentBlock_ = nullptr;
    ScriptThread* executing_ = nullptr;
    SYS_CScriptTarget* currentTarget_ = nullptr;

private:
    const std::uint8_t* StartDataOf(std::uint32_t n) const;
    void RunExitBlock(ScriptThread& main);
    std::string DescribeThread(const ScriptThread& thread) const;
    // Sends the thread on at command n: running, its conditions cleared, the jump reported.
    void ContinueAt(ScriptThread& thread, std::uint32_t n, int jumpKind);

    std::uint32_t commandBudget_ = kDefaultCommandBudget;
    std::uint32_t nesting_ = 0;
    std::uint32_t executeDepth_ = 0;
    std::uint32_t updateDepth_ = 0;
    std::uint64_t commandsThisFrame_ = 0;
};

}  // namespace vesk::utility::script
