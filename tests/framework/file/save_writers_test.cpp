// Several running copies of the game saving into one folder, as processes.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "framework/file/save_file.h"
#include "platform/file_system.h"
#include "tests/support/build_paths.h"
#include "tests/support/scratch_folder.h"

extern char** environ;

namespace vesk::file {
namespace {

using support::ReadBytes;
using support::ScratchFolder;
using support::WriteBytes;

std::size_t CountOf(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

// One copy of the save writer, its output going to files in the folder.
class Copy {
public:
    Copy(const std::filesystem::path& folder, int writes, int tag, const std::string& name)
        : out_(folder / (name + ".out")), err_(folder / (name + ".err"))
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string folderText = folder.string();
        const std::string writesText = std::to_string(writes);
        const std::string tagText = std::to_string(tag);
        char* argv[] = {const_cast<char*>(support::SaveWriterHelperProgram()), const_cast<char*>(folderText.c_str()),
                        const_cast<char*>(writesText.c_str()), const_cast<char*>(tagText.c_str()), nullptr};
        if (posix_spawn(&pid_, support::SaveWriterHelperProgram(), &actions, nullptr, argv, environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Copy()
    {
        Kill();
        Wait();
    }
    Copy(const Copy&) = delete;
    Copy& operator=(const Copy&) = delete;

    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }
    void Kill()
    {
        if (pid_ > 0 && !waited_) kill(pid_, SIGKILL);
    }
    // The exit code; -1 when the copy was killed.
    int Wait()
    {
        if (pid_ > 0 && !waited_) {
            waitpid(pid_, &status_, 0);
            waited_ = true;
        }
        return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
    }
    std::string Out() const { return ReadBytes(out_); }
    std::string Err() const { return ReadBytes(err_); }

    // Waits up to ten seconds for a line on standard output.
    bool WaitForOutput(const std::string& text) const
    {
        for (int i = 0; i < 10000; ++i) {
            if (std::filesystem::exists(out_) && Out().find(text) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

private:
    std::filesystem::path out_;
    std::filesystem::path err_;
    pid_t pid_ = -1;
    int status_ = 0;
    bool waited_ = false;
};

class SaveWriters : public ::testing::Test {
protected:
    std::filesystem::path SavePath() const { return scratch_.path() / MakeSavePath(); }

    // The save is absent or one whole image as one write made it.
    void ExpectWholeSave(const std::string& when) const
    {
        if (!std::filesystem::exists(SavePath())) return;
        const std::string save = ReadBytes(SavePath());
        ASSERT_EQ(save.size(), kSaveImageSize) << when;
        // A write's bytes repeat every 256 bytes, from its first byte on.
        const auto first = static_cast<unsigned char>(save[0]);
        std::size_t same = 0;
        while (same < 256 && static_cast<unsigned char>(save[same]) == static_cast<unsigned char>(first + same * 7)) {
            ++same;
        }
        if (same == 256 && std::memcmp(save.data(), save.data() + 256, save.size() - 256) == 0) {
            same = save.size();
        }
        ASSERT_EQ(same, save.size()) << when << ": the save is not from one write";
    }

    // Looks at the save again and again for a while: it must be whole at
    // every moment, not only once the writers are gone.
    void WatchSave(std::chrono::milliseconds time, const std::string& when) const
    {
        const auto end = std::chrono::steady_clock::now() + time;
        do {
            ExpectWholeSave(when);
            if (::testing::Test::HasFatalFailure()) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        } while (std::chrono::steady_clock::now() < end);
    }

    std::vector<std::string> TemporaryFiles() const
    {
        std::vector<std::string> names;
        // Copies killed before they made the folder (a busy machine starts them slowly) leave none.
        if (!std::filesystem::exists(scratch_.path() / kSaveFolder)) return names;
        for (const auto& entry : std::filesystem::directory_iterator(scratch_.path() / kSaveFolder)) {
            if (platform::IsTemporaryFileName(entry.path().filename().string())) {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    ScratchFolder scratch_;
};

TEST_F(SaveWriters, SecondCopyCannotSaveUntilTheFirstHasEndedAndLeftoversGoAtTheNextStart)
{
    Copy first(scratch_.path(), 1000000, 0, "first");
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(first.WaitForOutput("saved"));

    Copy second(scratch_.path(), 3, 100, "second");
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.Wait(), 1);
    EXPECT_EQ(second.Out(), "not claimed\nfailed\nfailed\nfailed\n");
    const std::string log = second.Err();
    EXPECT_EQ(CountOf(log, "warning: this copy of the game cannot save: another running program writes into SaveWin"),
              1u)
        << log;
    EXPECT_EQ(CountOf(log, "error: save file SaveWin/00_save.bin not written: another running program writes into"),
              3u)
        << log;

    first.Kill();
    EXPECT_EQ(first.Wait(), -1);
    ExpectWholeSave("after the first copy was killed");

    // What a write killed between creating and renaming its file leaves.
    const std::string cutShort = "00_save.bin." + std::to_string(first.Pid()) + "-7.tmp";
    WriteBytes(scratch_.path() / kSaveFolder / cutShort, "half a save");
    WriteBytes(scratch_.path() / kSaveFolder / "notes.txt", "kept");
    Copy next(scratch_.path(), 1, 200, "next");
    EXPECT_EQ(next.Wait(), 0);
    EXPECT_EQ(next.Out(), "claimed\nsaved\n");
    EXPECT_NE(next.Err().find("removed SaveWin/" + cutShort), std::string::npos) << next.Err();
    EXPECT_TRUE(TemporaryFiles().empty());
    EXPECT_TRUE(std::filesystem::exists(scratch_.path() / kSaveFolder / "notes.txt"));
    ExpectWholeSave("after the next start");
    EXPECT_EQ(static_cast<unsigned char>(ReadBytes(SavePath())[0]), 200);
}

TEST_F(SaveWriters, TwoCopiesKilledAtRandomNeverLeaveATornSave)
{
    std::mt19937 random(20240611);
    // A copy starts within some 50 ms and then writes a save every 35 ms or so.
    std::uniform_int_distribution<int> untilFirstKill(10, 80);
    std::uniform_int_distribution<int> untilSecondKill(0, 50);
    std::size_t refused = 0;
    std::size_t cutShort = 0;
    for (int round = 0; round < 100; ++round) {
        Copy a(scratch_.path(), 50, round, "a");
        Copy b(scratch_.path(), 50, round + 128, "b");
        ASSERT_TRUE(a.Started() && b.Started());
        Copy& firstKilled = random() % 2 == 0 ? a : b;
        Copy& secondKilled = &firstKilled == &a ? b : a;
        const std::string when = "round " + std::to_string(round);
        WatchSave(std::chrono::milliseconds(untilFirstKill(random)), when);
        firstKilled.Kill();
        WatchSave(std::chrono::milliseconds(untilSecondKill(random)), when);
        secondKilled.Kill();
        a.Wait();
        b.Wait();
        ExpectWholeSave(when);
        cutShort += TemporaryFiles().size();
        for (const Copy* copy : {&a, &b}) {
            // Each refused write says so in the log before it reports.
            const std::size_t failed = CountOf(copy->Out(), "failed");
            EXPECT_LE(failed, CountOf(copy->Err(), "not written: another running program writes into SaveWin"))
                << "round " << round << ":\n" << copy->Err();
            refused += failed;
        }
        if (HasFatalFailure()) return;
    }
    RecordProperty("refused_writes", static_cast<int>(refused));
    RecordProperty("writes_cut_short", static_cast<int>(cutShort));
    std::printf("%zu writes refused, %zu cut short\n", refused, cutShort);

    Copy last(scratch_.path(), 1, 1, "last");
    EXPECT_EQ(last.Wait(), 0);
    EXPECT_TRUE(TemporaryFiles().empty()) << "leftovers of killed writes are removed at the next start";
    ExpectWholeSave("after the last start");
}

}  // namespace
}  // namespace vesk::file
