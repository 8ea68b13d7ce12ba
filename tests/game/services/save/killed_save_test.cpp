// The game killed while it saves its slot: the save file is always one whole valid image.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "framework/file/save_file.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "platform/little_endian.h"
#include "tests/support/build_paths.h"
#include "tests/support/scratch_folder.h"

extern char** environ;

namespace {

using namespace save_layout;

// The number of the last "saved <n>" line; -1 before the first.
int LastSaved(const std::string& output)
{
    const std::size_t at = output.rfind("saved ");
    return at == std::string::npos ? -1 : std::atoi(output.c_str() + at + 6);
}

TEST(KilledSaveTest, ASaverKilledAtRandomMomentsLeavesTheOldImageOrTheNew)
{
    support::ScratchFolder scratch;
    const std::filesystem::path out = scratch.path() / "saver.out";
    std::mt19937 random(20261207);
    for (int round = 0; round < 50; ++round) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const std::string folder = scratch.path().string();
        char* argv[] = {const_cast<char*>(support::GameSaverHelperProgram()), const_cast<char*>(folder.c_str()), nullptr};
        pid_t pid = -1;
        ASSERT_EQ(posix_spawn(&pid, support::GameSaverHelperProgram(), &actions, nullptr, argv, environ), 0);
        posix_spawn_file_actions_destroy(&actions);

        // Once it has saved at least once, it is killed somewhere in its next saves.
        for (int wait = 0; wait < 10000 && LastSaved(support::ReadBytes(out)) < 0; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 40000)(random)));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round << ": the saver stopped by itself";
        const int last = LastSaved(support::ReadBytes(out));
        ASSERT_GE(last, 0) << "round " << round;

        const std::string bytes = support::ReadBytes(scratch.path() / vesk::file::MakeSavePath());
        const std::vector<std::uint8_t> image(bytes.begin(), bytes.end());
        ASSERT_TRUE(CheckSaveImage(image)) << "round " << round << ": " << image.size() << " bytes";
        const auto money = static_cast<int>(platform::ReadU32(image.data() + SlotOffset(0) + slot::kMoney));
        EXPECT_TRUE(money == last || money == last + 1) << "round " << round << ": money " << money << " after save " << last;
    }
}

}  // namespace
