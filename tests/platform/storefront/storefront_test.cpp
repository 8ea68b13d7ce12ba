// The storefront stand-in: queued answers, the achievement file, its failures and the player's language.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/folder_claim.h"
#include "platform/storefront/achievement_file.h"
#include "platform/storefront/storefront.h"

namespace platform::storefront {
namespace {

std::vector<std::string> g_problems;

void CollectProblem(std::string_view line) { g_problems.emplace_back(line); }

class StorefrontTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::string("storefront_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(folder_);
        g_problems.clear();
        ASSERT_TRUE(Init(folder_, CollectProblem));
        for (int id : {kUserStatsReceived, kUserStatsStored, kUserAchievementStored}) {
            handles_.push_back(RegisterCallback(id, [this](const Answer& answer) { answers_.push_back(answer); }));
        }
    }

    void TearDown() override
    {
        for (int handle : handles_) {
            UnregisterCallback(handle);
        }
        Shutdown();
        std::filesystem::remove_all(folder_);
    }

    std::string FilePath() const { return folder_ + "/" + kAchievementFileName; }

    void WriteFile(const std::string& text)
    {
        std::filesystem::create_directories(folder_);
        std::ofstream(FilePath(), std::ios::binary) << text;
    }

    std::string ReadFile() const
    {
        std::ifstream in(FilePath(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string folder_;
    std::vector<int> handles_;
    std::vector<Answer> answers_;
};

TEST_F(StorefrontTest, AnswersWaitForTheCallbacksToRun)
{
    EXPECT_FALSE(SetAchievement("A"));  // stats not received yet
    EXPECT_FALSE(StoreStats());
    ASSERT_TRUE(RequestCurrentStats());
    EXPECT_TRUE(answers_.empty());
    RunCallbacks();
    ASSERT_EQ(answers_.size(), 1u);
    EXPECT_EQ(answers_[0].callbackId, kUserStatsReceived);
    EXPECT_EQ(answers_[0].result, kResultOk);
    EXPECT_EQ(answers_[0].gameId, GetGameId());
    RunCallbacks();
    EXPECT_EQ(answers_.size(), 1u);
}

TEST_F(StorefrontTest, StoredUnlocksAreAnsweredWrittenAndReadBack)
{
    RequestCurrentStats();
    ASSERT_TRUE(SetAchievement("KLO_ACHIEVEMENT_1_4"));
    ASSERT_TRUE(SetAchievement("KLO_ACHIEVEMENT_1_0"));
    ASSERT_TRUE(SetAchievement("KLO_ACHIEVEMENT_1_4"));  // again: one unlock
    ASSERT_TRUE(StoreStats());
    RunCallbacks();
    ASSERT_EQ(answers_.size(), 4u);
    EXPECT_EQ(answers_[1].callbackId, kUserAchievementStored);
    EXPECT_EQ(answers_[1].achievementName, "KLO_ACHIEVEMENT_1_4");
    EXPECT_EQ(answers_[1].maxProgress, 0u);
    EXPECT_EQ(answers_[2].achievementName, "KLO_ACHIEVEMENT_1_0");
    EXPECT_EQ(answers_[3].callbackId, kUserStatsStored);
    EXPECT_EQ(answers_[3].result, kResultOk);
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
        EXPECT_FALSE(IsTemporaryFileName(entry.path().filename().string())) << entry.path();
    }

    // A second store has nothing new to announce.
    answers_.clear();
    StoreStats();
    RunCallbacks();
    ASSERT_EQ(answers_.size(), 1u);
    EXPECT_EQ(answers_[0].callbackId, kUserStatsStored);

    Shutdown();
    ASSERT_TRUE(Init(folder_, CollectProblem));
    bool achieved = true;
    EXPECT_FALSE(GetAchievement("KLO_ACHIEVEMENT_1_0", achieved));  // not requested yet
    RequestCurrentStats();
    ASSERT_TRUE(GetAchievement("KLO_ACHIEVEMENT_1_0", achieved));
    EXPECT_TRUE(achieved);
    ASSERT_TRUE(GetAchievement("KLO_ACHIEVEMENT_1_4", achieved));
    EXPECT_TRUE(achieved);
    ASSERT_TRUE(GetAchievement("KLO_ACHIEVEMENT_1_1", achieved));
    EXPECT_FALSE(achieved);
}

TEST_F(StorefrontTest, BadLinesAreSkippedWithAReason)
{
    WriteFile("# comment\r\nGOOD_1\r\n\r\nhas space\n" + std::string(200, 'X') + "\nbad\x01name\nGOOD_2");
    RequestCurrentStats();
    RunCallbacks();
    ASSERT_EQ(answers_.size(), 1u);
    EXPECT_EQ(answers_[0].result, kResultOk);
    bool achieved = false;
    EXPECT_TRUE(GetAchievement("GOOD_1", achieved) && achieved);
    EXPECT_TRUE(GetAchievement("GOOD_2", achieved) && achieved);
    ASSERT_EQ(g_problems.size(), 3u);
    EXPECT_NE(g_problems[0].find("line 4"), std::string::npos);
    EXPECT_NE(g_problems[1].find("line 5"), std::string::npos);
    EXPECT_NE(g_problems[2].find("line 6"), std::string::npos);
}

TEST_F(StorefrontTest, HandEditedFileKeepsEveryNameAndLineThroughALoadAndASave)
{
    WriteFile("\xEF\xBB\xBF" "FIRST_NAME\r\n"
              "# my own note\r\n"
              "  PADDED_NAME \t\r\n"
              "\r\n"
              "has space\r\n"
              "\tTABBED\n"
              "LAST_NAME");
    RequestCurrentStats();
    RunCallbacks();
    ASSERT_EQ(answers_.size(), 1u);
    ASSERT_EQ(answers_[0].result, kResultOk);
    for (const char* name : {"FIRST_NAME", "PADDED_NAME", "TABBED", "LAST_NAME"}) {
        bool achieved = false;
        EXPECT_TRUE(GetAchievement(name, achieved) && achieved) << name;
    }
    ASSERT_EQ(g_problems.size(), 1u);
    EXPECT_NE(g_problems[0].find("line 5 is not an achievement name; it is kept"), std::string::npos);

    ASSERT_TRUE(SetAchievement("NEW_NAME"));
    ASSERT_TRUE(StoreStats());
    EXPECT_EQ(ReadFile(), "# unlocked achievements, one per line\n"
                          "FIRST_NAME\nLAST_NAME\nNEW_NAME\nPADDED_NAME\nTABBED\n"
                          "# my own note\n"
                          "has space\n");

    // And once more through a fresh start: nothing is lost or doubled.
    Shutdown();
    ASSERT_TRUE(Init(folder_, CollectProblem));
    const std::string written = ReadFile();
    RequestCurrentStats();
    StoreStats();
    EXPECT_EQ(ReadFile(), written);
}

TEST_F(StorefrontTest, StoreThatWouldOutgrowWhatTheReaderTakesFailsAndKeepsTheFile)
{
    std::string text;
    while (text.size() + 40 < kMaxAchievementFileSize) text += "# a note kept from a hand edit........\n";
    WriteFile(text);
    RequestCurrentStats();
    ASSERT_TRUE(SetAchievement(std::string(kMaxAchievementNameLength, 'L')));
    StoreStats();
    RunCallbacks();
    ASSERT_EQ(answers_.size(), 2u);
    EXPECT_EQ(answers_[1].result, kResultFail);
    ASSERT_EQ(g_problems.size(), 1u);
    EXPECT_NE(g_problems[0].find("not written: it would grow past"), std::string::npos);
    EXPECT_EQ(ReadFile(), text);
}

TEST_F(StorefrontTest, AnotherProgramHoldingTheFolderFailsTheStore)
{
    std::filesystem::create_directories(folder_);
    const int other = open((folder_ + "/" + kFolderLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    RequestCurrentStats();
    SetAchievement("KLO_ACHIEVEMENT_1_2");
    StoreStats();
    RunCallbacks();
    ASSERT_EQ(answers_.size(), 2u);
    EXPECT_EQ(answers_[1].result, kResultFail);
    ASSERT_EQ(g_problems.size(), 1u);
    EXPECT_NE(g_problems[0].find("not written: another running program writes into"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(FilePath()));

    close(other);
    answers_.clear();
    StoreStats();
    RunCallbacks();
    ASSERT_EQ(answers_.size(), 2u);
    EXPECT_EQ(answers_[0].achievementName, "KLO_ACHIEVEMENT_1_2") << "the unlock waited";
    EXPECT_EQ(answers_[1].result, kResultOk);
}

TEST_F(StorefrontTest, OversizedFileFailsTheRequest)
{
    WriteFile(std::string(100 * 1024, '#'));
    RequestCurrentStats();
    RunCallbacks();
    ASSERT_EQ(answers_.size(), 1u);
    EXPECT_EQ(answers_[0].result, kResultFail);
    EXPECT_FALSE(SetAchievement("A"));
    EXPECT_EQ(g_problems.size(), 1u);
}

TEST_F(StorefrontTest, UnwritableFileAnswersAFailedStoreAndKeepsTheUnlock)
{
    RequestCurrentStats();
    SetAchievement("KLO_ACHIEVEMENT_1_2");
    // A folder where the file should be makes the write fail.
    std::filesystem::create_directories(FilePath());
    StoreStats();
    RunCallbacks();
    ASSERT_EQ(answers_.size(), 2u);
    EXPECT_EQ(answers_[1].callbackId, kUserStatsStored);
    EXPECT_EQ(answers_[1].result, kResultFail);
    EXPECT_FALSE(g_problems.empty());

    std::filesystem::remove_all(FilePath());
    answers_.clear();
    StoreStats();
    RunCallbacks();
    ASSERT_EQ(answers_.size(), 2u);
    EXPECT_EQ(answers_[0].achievementName, "KLO_ACHIEVEMENT_1_2");
    EXPECT_NE(ReadFile().find("KLO_ACHIEVEMENT_1_2\n"), std::string::npos);
}

TEST_F(StorefrontTest, HandlersMayAskAgainWhileAnswersAreDelivered)
{
    int requests = 0;
    const int handle = RegisterCallback(kUserStatsReceived, [&requests](const Answer&) {
        if (++requests == 1) {
            RequestCurrentStats();
        }
    });
    RequestCurrentStats();
    RunCallbacks();
    EXPECT_EQ(requests, 1);
    RunCallbacks();
    EXPECT_EQ(requests, 2);
    UnregisterCallback(handle);
}

TEST(StorefrontLanguage, ChosenNameThenTheLocaleVariablesInOrder)
{
    EXPECT_EQ(LanguageFromEnvironment("Japanese", "fr_FR", "", ""), "japanese");
    EXPECT_EQ(LanguageFromEnvironment("", "ko_KR.UTF-8", "ja_JP", "de_DE"), "koreana");
    EXPECT_EQ(LanguageFromEnvironment("", "", "ja_JP.UTF-8", "de_DE"), "japanese");
    EXPECT_EQ(LanguageFromEnvironment("", "", "", "zh_TW.UTF-8"), "tchinese");
    EXPECT_EQ(LanguageFromEnvironment("", "", "", "zh_HK"), "tchinese");
    EXPECT_EQ(LanguageFromEnvironment("", "", "", "zh_CN.GB2312"), "schinese");
    EXPECT_EQ(LanguageFromEnvironment("", "", "", "zh_SG"), "schinese");
    EXPECT_EQ(LanguageFromEnvironment("", "", "", "fr_CA"), "french");
    EXPECT_EQ(LanguageFromEnvironment("", "", "", "C.UTF-8"), "english");
    EXPECT_EQ(LanguageFromEnvironment("", "", "", "POSIX"), "english");
    EXPECT_EQ(LanguageFromEnvironment("", "", "", ""), "english");
}

}  // namespace
}  // namespace platform::storefront
