// The local storefront stand-in: the language from the environment, the achievement file and the queued answers.
#include "platform/storefront/storefront.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

#include "platform/file_system.h"
#include "platform/folder_claim.h"
#include "platform/storefront/achievement_file.h"

namespace platform::storefront {

namespace {

// The stand-in's application id; only its low 24 bits reach the game id.
constexpr uint32_t kAppId = 0x0A7F35;

struct Registration {
    int handle = 0;
    int callbackId = 0;
    AnswerHandler handler;
};

struct State {
    bool running = false;
    std::string folder;
    ReportProblem report = nullptr;
    std::vector<Registration> registrations;
    int nextHandle = 1;
    std::vector<Answer> queue;
    bool statsReceived = false;
    AchievementNames achieved;
    std::vector<std::string> keptLines;  // lines of the file that are not names
    std::vector<std::string> unlockedSinceStore;
};

State g_state;

void Report(const std::string& line)
{
    if (g_state.report != nullptr) {
        g_state.report(line);
    }
}

std::string FilePath() { return g_state.folder + "/" + kAchievementFileName; }

void Queue(int callbackId, int result, std::string name = {})
{
    Answer answer;
    answer.callbackId = callbackId;
    answer.gameId = GetGameId();
    answer.result = result;
    answer.achievementName = std::move(name);
    g_state.queue.push_back(std::move(answer));
}

// Reads the file; false when it exists but cannot be used.
bool LoadAchievements(AchievementFile& file)
{
    const std::string path = FilePath();
    FileReader reader;
    const FileReader::OpenResult opened = reader.Open(path);
    if (opened == FileReader::OpenResult::NotFound) {
        return true;  // nothing unlocked yet
    }
    if (opened == FileReader::OpenResult::Failed) {
        Report(path + ": " + reader.LastError());
        return false;
    }
    const std::optional<uint64_t> size = reader.Size();
    if (!size || *size > kMaxAchievementFileSize) {
        Report(path + ": not a small regular file");
        return false;
    }
    std::string text(static_cast<size_t>(*size), '\0');
    if (!text.empty() && !reader.ReadExact(text.data(), text.size())) {
        Report(path + ": " + reader.LastError());
        return false;
    }
    file = ParseAchievementFile(text);
    for (const std::string& problem : file.problems) {
        Report(path + ": " + problem);
    }
    return true;
}

bool SaveAchievements()
{
    const std::string text = FormatAchievementFile(g_state.achieved, g_state.keptLines);
    if (text.size() > kMaxAchievementFileSize) {
        // It could not be read back.
        Report(FilePath() + ": not written: it would grow past " + std::to_string(kMaxAchievementFileSize) +
               " bytes");
        return false;
    }
    CreateFolder(g_state.folder);
    std::string why;
    if (!ClaimFolder(g_state.folder, kAchievementFileName, &why) || !WriteFileAtomically(FilePath(), text.data(), text.size(), &why)) {
        Report(FilePath() + ": not written: " + why);
        return false;
    }
    return true;
}

std::string Lowercase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

// "zh_TW.UTF-8@x" -> language "zh", territory "tw".
std::string LanguageFromLocale(std::string_view locale)
{
    const std::string lower = Lowercase(locale.substr(0, locale.find_first_of(".@")));
    const size_t separator = lower.find_first_of("_-");
    const std::string language = lower.substr(0, separator);
    const std::string territory = separator == std::string::npos ? "" : lower.substr(separator + 1);

    if (language == "zh") {
        const bool traditional = territory == "tw" || territory == "hk" || territory == "mo" || territory == "hant";
        return traditional ? "tchinese" : "schinese";
    }
    if (language == "pt" && territory == "br") {
        return "brazilian";
    }
    static constexpr std::pair<std::string_view, std::string_view> kNames[] = {
        {"ja", "japanese"}, {"en", "english"}, {"ko", "koreana"}, {"fr", "french"},     {"de", "german"},
        {"es", "spanish"},  {"it", "italian"}, {"pt", "portuguese"}, {"ru", "russian"}, {"pl", "polish"},
    };
    for (const auto& [code, name] : kNames) {
        if (language == code) {
            return std::string(name);
        }
    }
    return "english";  // also "C" and "POSIX"
}

std::string_view Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

}  // namespace

bool Init(const std::string& folder, ReportProblem report)
{
    if (g_state.running) {
        return false;
    }
    g_state = State{};
    g_state.running = true;
    g_state.folder = folder;
    g_state.report = report;
    return true;
}

void Shutdown()
{
    g_state = State{};
}

bool IsRunning() { return g_state.running; }

void RunCallbacks()
{
    if (!g_state.running) {
        return;
    }
    // Handlers may make new requests; their answers wait for the next run.
    std::vector<Answer> answers;
    answers.swap(g_state.queue);
    for (const Answer& answer : answers) {
        const std::vector<Registration> registrations = g_state.registrations;
        for (const Registration& registration : registrations) {
            if (registration.callbackId == answer.callbackId) {
                registration.handler(answer);
            }
        }
    }
}

int RegisterCallback(int callbackId, AnswerHandler handler)
{
    if (!handler) {
        return 0;
    }
    const int handle = g_state.nextHandle++;
    g_state.registrations.push_back({handle, callbackId, std::move(handler)});
    return handle;
}

void UnregisterCallback(int handle)
{
    std::erase_if(g_state.registrations, [handle](const Registration& r) { return r.handle == handle; });
}

uint32_t GetAppId() { return kAppId; }

uint64_t GetGameId() { return GetAppId() & 0xFFFFFFu; }

// The language comes from the environment:
//   VARNOLIS_LANGUAGE  a storefront language name, used as given: "japanese",
//                      "english", "koreana", "schinese" (simplified Chinese),
//                      "tchinese" (traditional Chinese), or any other name
//                      (the game then uses English);
//   otherwise the system locale, from LC_ALL, LC_MESSAGES or LANG (the first
//   that is set), e.g. "ja_JP.UTF-8" -> "japanese", "zh_TW" -> "tchinese",
//   "zh_CN" -> "schinese"; no locale, "C" or "POSIX" give "english".
std::string GetCurrentGameLanguage()
{
    return LanguageFromEnvironment(Environment("VARNOLIS_LANGUAGE"), Environment("LC_ALL"),
                                   Environment("LC_MESSAGES"), Environment("LANG"));
}

std::string LanguageFromEnvironment(std::string_view chosen, std::string_view lcAll, std::string_view lcMessages,
                                    std::string_view lang)
{
    if (!chosen.empty()) {
        return Lowercase(chosen);
    }
    for (std::string_view locale : {lcAll, lcMessages, lang}) {
        if (!locale.empty()) {
            return LanguageFromLocale(locale);
        }
    }
    return "english";
}

bool RequestCurrentStats()
{
    if (!g_state.running) {
        return false;
    }
    AchievementFile file;
    if (LoadAchievements(file)) {
        // Unlocks not yet stored survive a second request.
        for (const std::string& name : g_state.unlockedSinceStore) {
            file.names.insert(name);
        }
        g_state.achieved = std::move(file.names);
        g_state.keptLines = std::move(file.keptLines);
        g_state.statsReceived = true;
        Queue(kUserStatsReceived, kResultOk);
    } else {
        Queue(kUserStatsReceived, kResultFail);
    }
    return true;
}

bool GetAchievement(std::string_view name, bool& achieved)
{
    if (!g_state.running || !g_state.statsReceived || !IsValidAchievementName(name)) {
        return false;
    }
    achieved = g_state.achieved.find(name) != g_state.achieved.end();
    return true;
}

bool SetAchievement(std::string_view name)
{
    if (!g_state.running || !g_state.statsReceived || !IsValidAchievementName(name)) {
        return false;
    }
    if (g_state.achieved.emplace(name).second) {
        g_state.unlockedSinceStore.emplace_back(name);
    }
    return true;
}

bool StoreStats()
{
    if (!g_state.running || !g_state.statsReceived) {
        return false;
    }
    if (!SaveAchievements()) {
        Queue(kUserStatsStored, kResultFail);
        return true;  // the request went out; its answer tells the failure
    }
    for (std::string& name : g_state.unlockedSinceStore) {
        Queue(kUserAchievementStored, kResultOk, std::move(name));
    }
    g_state.unlockedSinceStore.clear();
    Queue(kUserStatsStored, kResultOk);
    return true;
}

std::string GetAchievementDisplayAttribute(std::string_view name, std::string_view key)
{
    return {};
}

void QueueAnswerForTesting(const Answer& answer)
{
    g_state.queue.push_back(answer);
}

}  // namespace platform::storefront
