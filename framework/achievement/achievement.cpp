// The achievement system's mirror of the game's table and its handling of the storefront's answers.
#include "framework/achievement/achievement.h"

#include <algorithm>
#include <string>

#include "framework/log/log.h"

namespace vesk::achievement {

namespace storefront = platform::storefront;

namespace {

SYSSTEAM_CAchievement* g_achievementSystem = nullptr;

// Copies text into a fixed field, cut short rather than overrun.
void CopyText(std::array<char, kAchievementTextSize>& field, const std::string& text)
{
    const size_t length = std::min(text.size(), field.size() - 1);
    std::copy_n(text.data(), length, field.data());
    field[length] = '\0';
}

}  // namespace

SYSSTEAM_CAchievement::SYSSTEAM_CAchievement()
{
    gameId_ = storefront::GetAppId() & 0xFFFFFFu;
    Register(statsReceived_, storefront::kUserStatsReceived);
    Register(statsStored_, storefront::kUserStatsStored);
    Register(achievementStored_, storefront::kUserAchievementStored);
    hasUserStats_ = storefront::IsRunning();
}

SYSSTEAM_CAchievement::~SYSSTEAM_CAchievement()
{
    for (Registration* registration : {&statsReceived_, &statsStored_, &achievementStored_}) {
        if (registration->registered) {
            storefront::UnregisterCallback(registration->handle);
            registration->registered = false;
        }
    }
}

void SYSSTEAM_CAchievement::Register(Registration& registration, int callbackId)
{
    registration.callbackId = callbackId;
    registration.handle = storefront::RegisterCallback(callbackId, [this](const storefront::Answer& answer) {
        switch (answer.callbackId) {
        case storefront::kUserStatsReceived:
            OnUserStatsReceived(answer.gameId, answer.result);
            break;
        case storefront::kUserStatsStored:
            OnUserStatsStored(answer.gameId, answer.result);
            break;
        case storefront::kUserAchievementStored:
            OnUserAchievementStored(answer.gameId, answer.achievementName, answer.currentProgress,
                                    answer.maxProgress);
            break;
        default:
            break;
        }
    });
    registration.registered = registration.handle != 0;
}

void SYSSTEAM_CAchievement::SetTable(StorefrontAchievementRow* rows, int count)
{
    rows_ = rows;
    rowCount_ = rows != nullptr ? std::max(count, 0) : 0;
}

void SYSSTEAM_CAchievement::AdvanceRequestState()
{
    if (!hasUserStats_) {
        return;
    }
    if (retryWait_ > 0) {
        --retryWait_;
        return;
    }
    if (!statsRequested) {
        statsRequested = storefront::RequestCurrentStats();
        return;
    }
    // Cleared as the store goes out, so that achievements set before its
    // answer are owed again; a failed answer owes the whole store again.
    if (statsReceived && storeOwed && storefront::StoreStats()) {
        storeOwed = false;
    }
}

bool SYSSTEAM_CAchievement::SetAchievement(const char* apiName)
{
    return hasUserStats_ && apiName != nullptr && storefront::SetAchievement(apiName);
}

void SYSSTEAM_CAchievement::OnUserStatsReceived(uint64_t gameId, int result)
{
    if (!hasUserStats_ || gameId != gameId_) {
        return;
    }
    if (result != storefront::kResultOk) {
        log::Warning("RequestStats - failed, " + std::to_string(result));
        // Asked again after a pause: without the stats no unlock reaches the storefront.
        statsRequested = false;
        retryWait_ = kRetryRounds;
        return;
    }
    statsReceived = true;
    for (int row = 0; row < rowCount_; ++row) {
        StorefrontAchievementRow& entry = rows_[row];
        bool achieved = false;
        if (storefront::GetAchievement(entry.apiName, achieved)) {
            entry.achieved = achieved ? 1 : 0;
        }
        CopyText(entry.name, storefront::GetAchievementDisplayAttribute(entry.apiName, "name"));
        CopyText(entry.description, storefront::GetAchievementDisplayAttribute(entry.apiName, "desc"));
    }
}

void SYSSTEAM_CAchievement::OnUserStatsStored(uint64_t gameId, int result)
{
    if (gameId != gameId_) {
        return;
    }
    if (result == storefront::kResultOk) {
        return;
    }
    if (result == storefront::kResultInvalidParam) {
        // The storefront rejected some of what was stored and reverted it: reload.
        OnUserStatsReceived(gameId, storefront::kResultOk);
        return;
    }
    log::Warning("StoreStats - failed, " + std::to_string(result));
    storeOwed = true;
    retryWait_ = kRetryRounds;
}

void SYSSTEAM_CAchievement::OnUserAchievementStored(uint64_t gameId, std::string_view name, uint32_t current,
                                                    uint32_t maximum)
{
    if (gameId != gameId_) {
        return;
    }
    const std::string quoted = "Achievement '" + std::string(name) + "'";
    if (maximum == 0) {
        log::Info(quoted + " unlocked!");
    } else {
        log::Info(quoted + " progress callback, (" + std::to_string(current) + "," + std::to_string(maximum) + ")");
    }
}

SYSSTEAM_CAchievement* GetAchievementSystem() { return g_achievementSystem; }

SYSSTEAM_CAchievement* CreateAchievementSystem()
{
    DestroyAchievementSystem();
    g_achievementSystem = new SYSSTEAM_CAchievement();
    return g_achievementSystem;
}

void DestroyAchievementSystem()
{
    delete g_achievementSystem;
    g_achievementSystem = nullptr;
}

}  // namespace vesk::achievement
