// Claims on folders, and the leftovers of killed writes that the first claim removes.
#include <fcntl.h>
#include <sys/file.h>
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

TEST(FolderClaim, OneHolderAtATimeAndTheFirstClaimClearsLeftovers)
{
    const std::string folder = "folder_claim_test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder + "/sub.1-2.tmp");
    Touch(folder + "/save.bin.123-4.tmp");
    Touch(folder + "/achievements.txt.9-0.tmp");
    Touch(folder + "/save.bin");
    Touch(folder + "/notes.tmp");
    Touch(folder + "/save.bin.12x-4.tmp");

    // Another holder: a lock taken through an open file of its own, as
    // another process would.
    const int other = open((folder + "/" + kFolderLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    std::string why;
    EXPECT_FALSE(ClaimFolder(folder, &why));
    EXPECT_EQ(why, "another running program writes into " + folder);
    EXPECT_TRUE(std::filesystem::exists(folder + "/save.bin.123-4.tmp")) << "someone may still be writing it";
    close(other);

    std::vector<std::string> removed;
    ASSERT_TRUE(ClaimFolder(folder, &why, &removed));
    std::sort(removed.begin(), removed.end());
    EXPECT_EQ(removed, (std::vector<std::string>{folder + "/achievements.txt.9-0.tmp", folder + "/save.bin.123-4.tmp"}));
    for (const char* kept : {"/save.bin", "/notes.tmp", "/save.bin.12x-4.tmp", "/sub.1-2.tmp"}) {
        EXPECT_TRUE(std::filesystem::exists(folder + kept)) << kept;
    }

    // Held now: claiming again changes nothing, and nobody else gets it.
    Touch(folder + "/save.bin.5-5.tmp");
    removed.clear();
    EXPECT_TRUE(ClaimFolder(folder, &why, &removed));
    EXPECT_TRUE(removed.empty());
    const int later = open((folder + "/" + kFolderLockName).c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(later, 0);
    EXPECT_NE(flock(later, LOCK_EX | LOCK_NB), 0);
    close(later);

    // A folder removed and made again is a new folder to claim.
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    Touch(folder + "/save.bin.6-6.tmp");
    removed.clear();
    EXPECT_TRUE(ClaimFolder(folder, &why, &removed));
    EXPECT_EQ(removed.size(), 1u);

    EXPECT_FALSE(ClaimFolder("folder_claim_test_missing", &why));
    EXPECT_NE(why.find("cannot open folder_claim_test_missing/.lock"), std::string::npos) << why;
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace platform
