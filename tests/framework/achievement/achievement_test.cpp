// The achievement system against the storefront stand-in, and the player's language.
#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "framework/achievement/achievement.h"
#include "framework/achievement/platform_language.h"
#include "framework/achievement/storefront_session.h"
#include "platform/file_system.h"
#include "tests/support/log_capture.h"

namespace vesk::achievement {
namespace {

namespace storefront = platform::storefront;
using support::LogCapture;

constexpr int kRows = 20;

// The game's side of the table: twenty rows named as the storefront knows them.
struct GameTable {
    GameTable()
    {
        for (int row = 0; row < kRows; ++row) {
            names[row] = "KLO_ACHIEVEMENT_1_" + std::to_string(row);
            rows[row].index = static_cast<uint32_t>(row);
            rows[row].apiName = names[row].c_str();
        }
    }

    std::array<std::string, kRows> names;
    std::array<StorefrontAchievementRow, kRows> rows;
};

class AchievementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::string("achievement_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(folder_);
        Start();
    }

    void TearDown() override
    {
        Stop();
        std::filesystem::remove_all(folder_);
    }

    // One run of the game: session, object, table and the stats request.
    void Start()
    {
        ASSERT_TRUE(StartStorefront(folder_));
        ASSERT_NE(CreateAchievementSystem(), nullptr);
        table_ = std::make_unique<GameTable>();
        GetAchievementSystem()->SetTable(table_->rows.data(), kRows);
        GetAchievementSystem()->AdvanceRequestState();
        RunStorefrontCallbacks();
    }

    void Stop()
    {
        DestroyAchievementSystem();
        StopStorefront();
    }

    std::string folder_;
    std::unique_ptr<GameTable> table_;
};

TEST_F(AchievementTest, UnlockIsStoredPersistedAndReadBackAtTheNextStart)
{
    SYSSTEAM_CAchievement* system = GetAchievementSystem();
    ASSERT_TRUE(system->statsRequested);
    ASSERT_TRUE(system->statsReceived);
    EXPECT_EQ(table_->rows[5].achieved, 0);

    ASSERT_TRUE(system->SetAchievement(table_->rows[5].apiName));
    system->storeOwed = true;
    system->AdvanceRequestState();
    EXPECT_FALSE(system->storeOwed);
    {
        LogCapture capture;
        RunStorefrontCallbacks();
        EXPECT_TRUE(capture.Contains("Achievement 'KLO_ACHIEVEMENT_1_5' unlocked!"));
    }

    Stop();
    Start();
    EXPECT_EQ(table_->rows[5].achieved, 1);
    for (int row = 0; row < kRows; ++row) {
        if (row != 5) {
            EXPECT_EQ(table_->rows[row].achieved, 0) << row;
        }
    }
}

TEST_F(AchievementTest, UnlockStoredOnAFullDiskStaysOwedAndIsStoredOnceTheDiskHasRoom)
{
    SYSSTEAM_CAchievement* system = GetAchievementSystem();
    ASSERT_TRUE(system->SetAchievement(table_->rows[3].apiName));
    system->storeOwed = true;
    const auto playRounds = [system](int rounds) {
        for (int round = 0; round < rounds; ++round) {
            system->AdvanceRequestState();
            RunStorefrontCallbacks();
        }
    };

    platform::SetFileFaultForTesting(platform::FileFault::ShortWrite);
    {
        LogCapture capture;
        playRounds(SYSSTEAM_CAchievement::kRetryRounds);
        platform::SetFileFaultForTesting(platform::FileFault::None);
        EXPECT_TRUE(capture.Contains("achievements.txt: not written: write failed")) << "the stand-in says why";
        EXPECT_FALSE(capture.Contains("unlocked!")) << "a failed store is not reported as stored";
        int failures = 0;
        for (const std::string& line : capture.Lines()) failures += line.find("StoreStats - failed, 2") != std::string::npos;
        EXPECT_EQ(failures, 1) << "a full disk is not tried again every frame";
    }
    EXPECT_TRUE(system->storeOwed);

    {
        LogCapture capture;
        playRounds(SYSSTEAM_CAchievement::kRetryRounds + 1);
        EXPECT_TRUE(capture.Contains("Achievement 'KLO_ACHIEVEMENT_1_3' unlocked!"));
    }
    EXPECT_FALSE(system->storeOwed);
    Stop();
    Start();
    EXPECT_EQ(table_->rows[3].achieved, 1) << "the unlock reached the file";
}

TEST_F(AchievementTest, StatsUnreadableAtStartAreAskedForAgainAndLaterUnlocksAreStored)
{
    ASSERT_TRUE(GetAchievementSystem()->SetAchievement(table_->rows[2].apiName));
    ASSERT_TRUE(storefront::StoreStats());
    RunStorefrontCallbacks();
    Stop();

    // The next start finds the file cut short: the first answer fails.
    platform::SetFileFaultForTesting(platform::FileFault::ShortRead);
    LogCapture capture;
    Start();
    SYSSTEAM_CAchievement* system = GetAchievementSystem();
    const auto playRounds = [system](int rounds) {
        for (int round = 0; round < rounds; ++round) {
            system->AdvanceRequestState();
            RunStorefrontCallbacks();
        }
    };
    EXPECT_FALSE(system->statsReceived);
    EXPECT_FALSE(system->SetAchievement(table_->rows[7].apiName)) << "the storefront takes no unlock before the stats";
    playRounds(SYSSTEAM_CAchievement::kRetryRounds);
    int failures = 0;
    for (const std::string& line : capture.Lines()) failures += line.find("RequestStats - failed, 2") != std::string::npos;
    EXPECT_EQ(failures, 1) << "an unreadable file is not asked for every frame";

    platform::SetFileFaultForTesting(platform::FileFault::None);
    playRounds(2);
    ASSERT_TRUE(system->statsReceived) << "the stats are asked for again once the wait is over";
    EXPECT_EQ(table_->rows[2].achieved, 1) << "the table mirrors the file";
    ASSERT_TRUE(system->SetAchievement(table_->rows[7].apiName));
    system->storeOwed = true;
    playRounds(1);
    EXPECT_FALSE(system->storeOwed);

    Stop();
    Start();
    EXPECT_EQ(table_->rows[2].achieved, 1);
    EXPECT_EQ(table_->rows[7].achieved, 1) << "an unlock after the retry reached the file";
}

TEST_F(AchievementTest, RejectedStoreReloadsEveryRow)
{
    for (StorefrontAchievementRow& row : table_->rows) {
        row.achieved = 1;  // the game's own guess
    }
    storefront::Answer answer;
    answer.callbackId = storefront::kUserStatsStored;
    answer.gameId = GetAchievementSystem()->GameId();
    answer.result = storefront::kResultInvalidParam;
    storefront::QueueAnswerForTesting(answer);
    RunStorefrontCallbacks();
    for (const StorefrontAchievementRow& row : table_->rows) {
        EXPECT_EQ(row.achieved, 0);
        EXPECT_EQ(row.name[0], '\0');
    }
}

TEST_F(AchievementTest, AnswersForAnotherGameAreIgnored)
{
    table_->rows[0].achieved = 1;
    storefront::Answer answer;
    answer.callbackId = storefront::kUserStatsReceived;
    answer.gameId = GetAchievementSystem()->GameId() + 1;
    storefront::QueueAnswerForTesting(answer);
    answer.callbackId = storefront::kUserAchievementStored;
    answer.achievementName = std::string(1, 'X');
    storefront::QueueAnswerForTesting(answer);
    LogCapture capture;
    RunStorefrontCallbacks();
    EXPECT_EQ(table_->rows[0].achieved, 1);
    EXPECT_TRUE(capture.Lines().empty());
}

TEST_F(AchievementTest, FailedAnswersLeaveADiagnosticLine)
{
    LogCapture capture;
    const uint64_t gameId = GetAchievementSystem()->GameId();
    storefront::QueueAnswerForTesting({storefront::kUserStatsReceived, gameId, storefront::kResultFail});
    storefront::QueueAnswerForTesting({storefront::kUserStatsStored, gameId, storefront::kResultFail});
    storefront::QueueAnswerForTesting({storefront::kUserAchievementStored, gameId, storefront::kResultOk, "P", 3, 10});
    RunStorefrontCallbacks();
    EXPECT_TRUE(capture.Contains("RequestStats - failed, 2"));
    EXPECT_TRUE(capture.Contains("StoreStats - failed, 2"));
    EXPECT_TRUE(capture.Contains("Achievement 'P' progress callback, (3,10)"));
}

TEST_F(AchievementTest, NothingIsAskedWithoutTheStorefront)
{
    Stop();
    ASSERT_NE(CreateAchievementSystem(), nullptr);
    SYSSTEAM_CAchievement* system = GetAchievementSystem();
    system->AdvanceRequestState();
    EXPECT_FALSE(system->statsRequested);
    EXPECT_FALSE(system->SetAchievement("KLO_ACHIEVEMENT_1_0"));
}

TEST(PlatformLanguage, StorefrontNamesGiveTheGamesCodes)
{
    EXPECT_EQ(PlatformLanguageCodeFromName("japanese"), 0);
    EXPECT_EQ(PlatformLanguageCodeFromName("english"), 1);
    EXPECT_EQ(PlatformLanguageCodeFromName("koreana"), 7);
    EXPECT_EQ(PlatformLanguageCodeFromName("schinese"), 15);
    EXPECT_EQ(PlatformLanguageCodeFromName("tchinese"), 16);
    EXPECT_EQ(PlatformLanguageCodeFromName("french"), 1);
    EXPECT_EQ(PlatformLanguageCodeFromName(""), 1);
}

TEST(PlatformLanguage, ChosenLanguageComesFromTheEnvironment)
{
    const char* saved = std::getenv("VARNOLIS_LANGUAGE");
    const std::string savedValue = saved != nullptr ? saved : "";
    setenv("VARNOLIS_LANGUAGE", "tchinese", 1);
    ReadPlatformLanguage();
    EXPECT_EQ(GetPlatformLanguageCode(), kPlatformLanguageTraditionalChinese);
    if (saved != nullptr) {
        setenv("VARNOLIS_LANGUAGE", savedValue.c_str(), 1);
    } else {
        unsetenv("VARNOLIS_LANGUAGE");
    }
}

}  // namespace
}  // namespace vesk::achievement
