// A local stand-in for the storefront client: the player's language and the unlocked achievements.
// The achievements are kept in a small file beside the save. Answers to
// requests are queued and delivered, in order, by RunCallbacks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform::storefront {

// Answer numbers, as the storefront client numbers its callbacks.
inline constexpr int kUserStatsReceived = 1101;
inline constexpr int kUserStatsStored = 1102;
inline constexpr int kUserAchievementStored = 1103;

// Results carried by answers.
inline constexpr int kResultOk = 1;
inline constexpr int kResultFail = 2;
inline constexpr int kResultInvalidParam = 8;  // some stats were rejected and reverted

inline constexpr const char* kAchievementFileName = "achievements.txt";

struct Answer {
    int callbackId = 0;
    uint64_t gameId = 0;
    int result = kResultOk;
    // kUserAchievementStored only.
    std::string achievementName;
    uint32_t currentProgress = 0;
    uint32_t maxProgress = 0;  // 0 for an unlock
};

using AnswerHandler = std::function<void(const Answer&)>;
// Where the stand-in's problems (unreadable file, bad lines) are reported.
using ReportProblem = void (*)(std::string_view line);

// Starts the stand-in; achievements live in folder/achievements.txt. The
// folder need not exist yet. False when already running.
bool Init(const std::string& folder, ReportProblem report = nullptr);
void Shutdown();
bool IsRunning();

// Delivers every queued answer to the handlers registered for its number.
void RunCallbacks();

// A handle for UnregisterCallback; 0 when registration failed.
int RegisterCallback(int callbackId, AnswerHandler handler);
void UnregisterCallback(int handle);

uint32_t GetAppId();
// Game id of this application: the application id in the low 24 bits.
uint64_t GetGameId();

// The player's language as a storefront language name ("english", "japanese",
// "koreana", "schinese", "tchinese", "french", ...).
std::string GetCurrentGameLanguage();
// The same rule on given values of the environment variables (empty = unset).
std::string LanguageFromEnvironment(std::string_view chosen, std::string_view lcAll, std::string_view lcMessages,
                                    std::string_view lang);

// User statistics. RequestCurrentStats reads the file and answers with
// kUserStatsReceived; the others need that answer to have been ok.
bool RequestCurrentStats();
bool GetAchievement(std::string_view name, bool& achieved);
bool SetAchievement(std::string_view name);
// Writes the file; answers kUserAchievementStored for each achievement set
// since the last store, then kUserStatsStored.
bool StoreStats();
// The stand-in has no texts for its achievements: always "".
std::string GetAchievementDisplayAttribute(std::string_view name, std::string_view key);

// Test hook: queues an answer as the storefront would send it.
void QueueAnswerForTesting(const Answer& answer);

}  // namespace platform::storefront
