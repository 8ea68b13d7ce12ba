// Claims on folders, and the leftovers of killed writes that a claim removes.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/folder_claim.h"

namespace platform {
namespace {

void Touch(const std::filesystem::path& path) { std::ofstream(path) << "x"; }

// The id of a process that has ended.
pid_t EndedProcess()
{
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    return child;
}

TEST(FolderClaim, OneHolderAtATimeAndEachFilesFirstClaimClearsOnlyItsLeftovers)
{
    const std::string folder = "folder_claim_test";
    std::filesystem::remove_all(folder);
    const std::string ended = std::to_string(EndedProcess());
    const std::string running = std::to_string(getppid());
    const std::string self = std::to_string(getpid());
    std::filesystem::create_directories(folder + "/save.bin." + ended + "-2.tmp");
    const std::string cutSave = folder + "/save.bin." + ended + "-4.tmp";
    const std::string cutByAnEarlierRun = folder + "/save.bin." + self + "-9.tmp";
    const std::string cutAchievements = folder + "/achievements.txt." + ended + "-0.tmp";
    const std::string writeUnderWay = folder + "/save.bin." + running + "-1.tmp";
    const std::string playersOwn = folder + "/holiday." + ended + "-7.tmp";
    for (const std::string& path : {cutSave, cutByAnEarlierRun, cutAchievements, writeUnderWay, playersOwn}) {
        Touch(path);
    }
    Touch(folder + "/save.bin");
    Touch(folder + "/notes.tmp");
    Touch(folder + "/save.bin.12x-4.tmp");
    Touch(folder + "/save.bin.99999999999999999999-4.tmp");

    // Another holder: a lock taken through an open file of its own, as
    // another process would.
    const int other = open((folder + "/" + kFolderLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    std::string why;
    EXPECT_FALSE(ClaimFolder(folder, "save.bin", &why));
    EXPECT_EQ(why, "another running program writes into " + folder);
    EXPECT_TRUE(std::filesystem::exists(cutSave)) << "someone may still be writing it";
    close(other);

    std::vector<std::string> removed;
    ASSERT_TRUE(ClaimFolder(folder, "save.bin", &why, &removed));
    std::vector<std::string> expected{cutSave, cutByAnEarlierRun};
    std::sort(removed.begin(), removed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(removed, expected);
    removed.clear();
    ASSERT_TRUE(ClaimFolder(folder, "achievements.txt", &why, &removed));
    EXPECT_EQ(removed, (std::vector<std::string>{cutAchievements}));
    EXPECT_TRUE(std::filesystem::exists(writeUnderWay)) << "its writer still runs";
    EXPECT_TRUE(std::filesystem::exists(playersOwn)) << "not a temporary file of ours";
    for (const char* kept : {"/save.bin", "/notes.tmp", "/save.bin.12x-4.tmp", "/save.bin.99999999999999999999-4.tmp"}) {
        EXPECT_TRUE(std::filesystem::exists(folder + kept)) << kept;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/save.bin." + ended + "-2.tmp"));

    // Held now: claiming again changes nothing, and nobody else gets it.
    Touch(folder + "/save.bin." + ended + "-5.tmp");
    removed.clear();
    EXPECT_TRUE(ClaimFolder(folder, "save.bin", &why, &removed));
    EXPECT_TRUE(removed.empty());
    const int later = open((folder + "/" + kFolderLockName).c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(later, 0);
    EXPECT_NE(flock(later, LOCK_EX | LOCK_NB), 0);
    close(later);

    // A folder removed and made again is a new folder to claim.
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    Touch(folder + "/save.bin." + ended + "-6.tmp");
    removed.clear();
    EXPECT_TRUE(ClaimFolder(folder, "save.bin", &why, &removed));
    EXPECT_EQ(removed.size(), 1u);

    EXPECT_FALSE(ClaimFolder("folder_claim_test_missing", "save.bin", &why));
    EXPECT_NE(why.find("cannot open folder_claim_test_missing/.lock"), std::string::npos) << why;
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace platform
