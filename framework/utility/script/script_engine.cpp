// The script engine's run of a frame: threads stepped command by command, jumps, calls, and faults that stop a thread.
#include "framework/utility/script/script_engine.h"

#include "framework/log/log.h"
#include "framework/utility/script/script_conditions.h"
#include "platform/little_endian.h"

namespace vesk::utility::script {

using script_package::CommandRecord;
using script_package::ReadCommand;
using script_package::ReadLabel;

SYS_CScriptEngine::SYS_CScriptEngine() = default;

SYS_CScriptEngine::~SYS_CScriptEngine() = default;

void SYS_CScriptEngine::SetCommandTable(std::uint32_t index, CommandTable table)
{
    if (index < kTableCount) {
        tables_[index] = table;
    }
}

std::uint32_t SYS_CScriptEngine::Execute(ScriptThread& thread)
{
    if (thread.running == 0) {
        return 0;
    }
    executing_ = &thread;
    thread.yield = 0;
    thread.runAgain = 0;
    currentTarget_ = target_;
    if (currentBlock_ == nullptr) {
        thread.commandsThisFrame = 0;  // outside Update every run has its own budget
    }
    if (executeDepth_ == 0 && updateDepth_ == 0) {
        commandsThisFrame_ = 0;
    }
    ++executeDepth_;
    if (program_ == nullptr || program_->IsEmpty()) {
        StopThreadOnFault(thread, "there is no program to run");
    }
    // A thread stopped for spending its budget, then restarted by another
    // thread, waits for the next frame, as does every thread once the frame's
    // budget is spent: otherwise each restart would fault again at once.
    const bool threadSpent = currentBlock_ != nullptr && thread.commandsThisFrame > commandBudget_;
    if (threadSpent || commandsThisFrame_ > static_cast<std::uint64_t>(commandBudget_) * kFrameBudgetFactor) {
        thread.yield = 1;
    }

    while (thread.yield == 0) {
        const std::uint32_t index = thread.programCounter;
        if (index >= program_->commandCount) {
            StopThreadOnFault(thread, "it ran past the last command");
            break;
        }
        const CommandRecord command = ReadCommand(*program_, index);
        if (command.table >= kTableCount || tables_[command.table].handlers == nullptr) {
            StopThreadOnFault(thread, "the command names table " + std::to_string(command.table) +
                                          ", which is not installed");
            break;
        }
        const CommandTable& table = tables_[command.table];
        if (command.slot >= table.size) {
            StopThreadOnFault(thread, "the command names slot " + std::to_string(command.slot) + " of table " +
                                          std::to_string(command.table) + ", which has " +
                                          std::to_string(table.size) + " slots");
            break;
        }
        ScriptArgs args;
        if (command.argumentOffset != 0) {
            if (command.argumentOffset >= program_->blockSize) {
                StopThreadOnFault(thread, "its argument data at offset " + std::to_string(command.argumentOffset) +
                                              " lies outside the block");
                break;
            }
            args = ScriptArgs(program_->blockStart + command.argumentOffset,
                              program_->blockSize - command.argumentOffset);
        }

        const ScriptHandler handler = table.handlers[command.slot];
        const std::uint32_t result = handler != nullptr ? handler(*this, command.mode, args, command.operand) : 1;

        if (args.Faulted()) {
            StopThreadOnFault(thread, "its argument data ends at the block end before all its arguments");
            break;
        }
        if (thread.running == 0) {
            break;  // the command stopped its own thread
        }
        if (thread.resuming != 0) {
            thread.resuming = 0;
        } else {
            ++thread.framesOnCommand;
            if (result != 0) {
                thread.framesOnCommand = 0;
                ++thread.programCounter;
            }
        }
        // A command that ends the frame cannot hang it, unless it asks for
        // the pass to run again.
        if (thread.yield == 0 || thread.runAgain != 0) {
            if (++thread.commandsThisFrame > commandBudget_) {
                StopThreadOnFault(thread, "it ran " + std::to_string(commandBudget_) +
                                              " commands in one frame without yielding");
                break;
            }
            if (++commandsThisFrame_ > static_cast<std::uint64_t>(commandBudget_) * kFrameBudgetFactor) {
                StopThreadOnFault(thread, "its frame ran more than " +
                                              std::to_string(commandBudget_ * std::uint64_t{kFrameBudgetFactor}) +
                                              " commands in all");
                break;
            }
        }
    }

    --executeDepth_;
    executing_ = nullptr;
    currentTarget_ = nullptr;
    return thread.runAgain;
}

void SYS_CScriptEngine::Update()
{
    if (program_ == nullptr || program_->IsEmpty() || threads_ == nullptr || threads_->Main().running == 0) {
        return;
    }
    ScriptThreadBlock& block = *threads_;
    ScriptThreadBlock* const previousBlock = currentBlock_;
    currentBlock_ = &block;
    if (executeDepth_ == 0 && updateDepth_ == 0) {
        commandsThisFrame_ = 0;
    }
    ++updateDepth_;
    for (ScriptThread& thread : block.threads) {
        thread.commandsThisFrame = 0;
    }

    std::uint32_t runAgainCount[ScriptThreadBlock::kCount] = {};
    const auto asksAgain = [&](std::uint32_t n) {
        // A thread stopped for asking too often sits out the rest of the frame.
        if (runAgainCount[n] > kMaxRunAgainPerUpdate || Execute(block.threads[n]) == 0) {
            return false;
        }
        if (++runAgainCount[n] > kMaxRunAgainPerUpdate) {
            StopThreadOnFault(block.threads[n], "it asked to run again " + std::to_string(kMaxRunAgainPerUpdate) +
                                                    " times in one frame");
            return false;
        }
        return true;
    };

    bool passAgain = true;
    while (passAgain) {
        passAgain = false;
        while (asksAgain(ScriptThreadBlock::kMain)) {
        }
        for (std::uint32_t n = ScriptThreadBlock::kFirstSub; n <= kSubThreadCount; ++n) {
            if (asksAgain(n)) {
                passAgain = true;
                break;
            }
        }
    }
    --updateDepth_;
    currentBlock_ = previousBlock;
}

void SYS_CScriptEngine::Restart(std::uint32_t n)
{
    if (threads_ == nullptr) {
        return;
    }
    ScriptThread& main = threads_->Main();
    if (main.exitArmed != 0) {
        RunExitBlock(main);
    }
    ResetSubThreads(*threads_);
    ++main.jumpCount;
    // A command's restart sends the script it runs to another of its labels. The scripts that calls
    // from outside interrupted lie below it on the return stack, waiting for it to return: they
    // stay. A restart from outside starts everything anew.
    main.stackDepth = executing_ != nullptr ? InterruptedDepth(main) : 0;
    StartScriptThread(main, n, StartDataOf(n));
}

void SYS_CScriptEngine::RunExitBlock(ScriptThread& main)
{
    const std::uint32_t index = main.exitIndex;
    main.exitArmed = 0;
    main.exitIndex = kNoIndex;
    if (nesting_ >= kMaxNesting) {
        log::Error("script exit block at command " + std::to_string(index) + " not run: nested too deep");
        return;
    }
    ScriptThread* const savedExecuting = executing_;
    SYS_CScriptTarget* const savedTarget = currentTarget_;
    executing_ = nullptr;
    currentTarget_ = nullptr;

    ScriptThread& exit = CurrentBlock()->Exit();
    ++exit.jumpCount;
    exit.keepFlags = 0;
    StartScriptThread(exit, index, StartDataOf(index));
    ++nesting_;
    Execute(exit);
    --nesting_;

    executing_ = savedExecuting;
    currentTarget_ = savedTarget;
}

std::uint32_t SYS_CScriptEngine::JumpToEntry(std::uint32_t n)
{
    Restart(n);
    OnJump(kJumpRestart);
    return 1;
}

std::uint32_t SYS_CScriptEngine::JumpToLabel(std::u16string_view name)
{
    const std::optional<ScriptLabel> label = FindLabel(name);
    if (!label) {
        return 0;
    }
    Restart(label->commandIndex);
    OnJump(kJumpRestart);
    return 1;
}

std::uint32_t SYS_CScriptEngine::Goto(std::uint32_t n, std::uint32_t restartHere)
{
    ScriptThread* thread = RunningThread();
    if (thread == nullptr) {
        return 0;
    }
    if (restartHere != 0) {
        thread->startIndex = n;
        thread->startData = StartDataOf(n);
    }
    ContinueAt(*thread, n, kJumpGoto);
    return 1;
}

void SYS_CScriptEngine::ContinueAt(ScriptThread& thread, std::uint32_t n, int jumpKind)
{
    thread.programCounter = n;
    thread.running = 1;
    ResetConditions(thread);
    OnJump(jumpKind);
}

std::uint32_t SYS_CScriptEngine::Call(std::uint32_t n)
{
    ScriptThread* thread = RunningThread();
    if (thread == nullptr) {
        return 0;
    }
    // A thread at rest returns to nothing: what its stack and program counter still hold was left
    // by a run that a fault stopped.
    const bool atRest = thread->running == 0;
    if (atRest) {
        thread->stackDepth = 0;
    }
    // A command's call goes on after that command once it returns. A call from outside the script
    // (no command running) finds a running thread standing at the command it runs next, perhaps
    // one that waits: the return takes that command up again as it stood.
    const bool fromOutside = executing_ == nullptr && thread->running != 0;
    if (thread->stackDepth >= kReturnStackSize) {
        const std::string why = "a call nests deeper than the " + std::to_string(kReturnStackSize) + "-entry return stack";
        // The script itself recursing runs away and is stopped; a call from outside (a road event met
        // while as many wait unfinished) is refused and leaves the running ones alone.
        if (fromOutside) {
            log::Error("script call to command " + std::to_string(n) + " from outside refused: " + why);
        } else {
            StopThreadOnFault(*thread, why);
        }
        return 0;
    }
    thread->returnStack[thread->stackDepth] =
        atRest || (thread->programCounter == 0 && !fromOutside) ? kNoIndex : thread->programCounter;
    thread->resumePoints[thread->stackDepth] =
        fromOutside ? ScriptResumePoint{1, thread->framesOnCommand, thread->conditionAnd, thread->conditionOr} : ScriptResumePoint{};
    ++thread->stackDepth;
    ++thread->jumpCount;
    ContinueAt(*thread, n, kJumpCall);
    return 1;
}

std::uint32_t SYS_CScriptEngine::Resume(std::uint32_t n, const ScriptResumePoint& point)
{
    ScriptThread* thread = RunningThread();
    if (thread == nullptr) {
        return 0;
    }
    ContinueAt(*thread, n, kJumpGoto);
    thread->framesOnCommand = point.framesOnCommand;
    thread->conditionAnd = point.conditionAnd;
    thread->conditionOr = point.conditionOr;
    thread->resuming = 1;
    return 0;
}

std::uint32_t SYS_CScriptEngine::RunRoutineNow(std::uint32_t n)
{
    if (n == kNoIndex) {
        return 0;
    }
    if (nesting_ >= kMaxNesting) {
        log::Error("script routine at command " + std::to_string(n) + " not run: nested too deep");
        return 0;
    }
    ScriptThreadBlock* const savedBlock = currentBlock_;
    ScriptThread* const savedExecuting = executing_;
    SYS_CScriptTarget* const savedTarget = currentTarget_;

    ScriptThreadBlock scratch;
    currentBlock_ = &scratch;
    executing_ = &scratch.Main();
    Call(n);
    executing_ = nullptr;
    ++nesting_;
    Execute(scratch.Main());
    --nesting_;

    currentBlock_ = savedBlock;
    executing_ = savedExecuting;
    currentTarget_ = savedTarget;
    return 1;
}

void SYS_CScriptEngine::StopScript()
{
    ScriptThreadBlock* block = CurrentBlock();
    if (block == nullptr) {
        return;
    }
    ScriptThread& main = block->Main();
    main.startData = nullptr;
    main.startIndex = 0;
    main.programCounter = 0;
    main.running = 0;
    main.keepFlags = 0;
    for (std::uint32_t n = ScriptThreadBlock::kFirstSub; n <= kSubThreadCount; ++n) {
        ScriptThread& sub = block->Sub(n);
        if ((sub.keepFlags & kKeepFlag) == 0) {
            sub.startData = nullptr;
            sub.startIndex = 0;
            sub.programCounter = 0;
            sub.running = 0;
            sub.keepFlags = 0;
        }
    }
}

void SYS_CScriptEngine::ResetSubThreads(ScriptThreadBlock& block)
{
    for (std::uint32_t n = ScriptThreadBlock::kFirstSub; n <= kSubThreadCount; ++n) {
        if ((block.Sub(n).keepFlags & kKeepFlag) == 0) {
            ClearScriptThread(block.Sub(n));
        }
    }
    ClearScriptThread(block.Exit());
}

std::optional<ScriptLabel> SYS_CScriptEngine::FindLabel(std::u16string_view name) const
{
    if (program_ == nullptr || program_->IsEmpty()) {
        return std::nullopt;
    }
    const std::uint8_t* block = program_->blockStart;
    const std::uint64_t blockSize = program_->blockSize;
    for (std::uint32_t i = 0; i < program_->labelCount; ++i) {
        const script_package::LabelRecord label = ReadLabel(*program_, i);
        std::uint64_t at = label.nameOffset;
        bool same = true;
        for (const char16_t unit : name) {
            if (at + 2 > blockSize || platform::ReadU16(block + at) != unit) {
                same = false;
                break;
            }
            at += 2;
        }
        if (same && at + 2 <= blockSize && platform::ReadU16(block + at) == 0) {
            return ScriptLabel{label.nameOffset, label.commandIndex};
        }
    }
    return std::nullopt;
}

ScriptArgs SYS_CScriptEngine::GetCurrentData() const
{
    if (threads_ == nullptr || threads_->Main().running == 0) {
        return {};
    }
    return ArgumentsOf(threads_->Main().startIndex);
}

ScriptArgs SYS_CScriptEngine::ArgumentsOf(std::uint32_t n) const
{
    if (program_ == nullptr || program_->IsEmpty() || n >= program_->commandCount) {
        return {};
    }
    const std::uint32_t offset = ReadCommand(*program_, n).argumentOffset;
    if (offset == 0 || offset >= program_->blockSize) {
        return {};
    }
    return ScriptArgs(program_->blockStart + offset, program_->blockSize - offset);
}

const std::uint8_t* SYS_CScriptEngine::StartDataOf(std::uint32_t n) const
{
    return ArgumentsOf(n).Data();
}

ScriptThread* SYS_CScriptEngine::RunningThread()
{
    if (executing_ != nullptr) {
        return executing_;
    }
    if (currentBlock_ != nullptr) {
        return &currentBlock_->Main();
    }
    if (threads_ != nullptr) {
        return &threads_->Main();
    }
    return nullptr;
}

void SYS_CScriptEngine::StopThreadOnFault(ScriptThread& thread, std::string_view why)
{
    log::Error("script " + DescribeThread(thread) + " stopped at command " + std::to_string(thread.programCounter) +
               ": " + std::string(why));
    thread.running = 0;
    thread.keepFlags = 0;
    thread.yield = 1;
    thread.runAgain = 0;
}

std::string SYS_CScriptEngine::DescribeThread(const ScriptThread& thread) const
{
    for (const ScriptThreadBlock* block : {currentBlock_, threads_}) {
        if (block == nullptr) {
            continue;
        }
        for (std::uint32_t n = 0; n < ScriptThreadBlock::kCount; ++n) {
            if (&block->threads[n] != &thread) {
                continue;
            }
            if (n == ScriptThreadBlock::kMain) {
                return "main thread";
            }
            if (n == ScriptThreadBlock::kExit) {
                return "exit thread";
            }
            return "sub-thread " + std::to_string(n);
        }
    }
    return "thread";
}

}  // namespace vesk::utility::script
