// The achievement system: the game's achievement table mirrored to the storefront, and its answers taken in.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "framework/memory/heaps.h"
#include "platform/storefront/storefront.h"

namespace vesk::achievement {

inline constexpr size_t kAchievementTextSize = 128;

// One achievement as the storefront sees it. The game owns the table; the
// storefront side fills the texts and the achieved flag from the storefront's answers.
struct StorefrontAchievementRow {
    uint32_t index = 0;
    const char* apiName = "";
    std::array<char, kAchievementTextSize> name{};
    std::array<char, kAchievementTextSize> description{};
    uint8_t achieved = 0;
    uint32_t reserved = 0;
};

// Mirrors the game's achievement table to the storefront and takes in the
// storefront's answers, which arrive while the storefront callbacks run.
class SYSSTEAM_CAchievement : public memory::MainHeapObject {
public:
    SYSSTEAM_CAchievement();
    ~SYSSTEAM_CAchievement();
    SYSSTEAM_CAchievement(const SYSSTEAM_CAchievement&) = delete;
    SYSSTEAM_CAchievement& operator=(const SYSSTEAM_CAchievement&) = delete;

    void SetTable(StorefrontAchievementRow* rows, int count);
    StorefrontAchievementRow* Rows() const { return rows_; }
    int RowCount() const { return rowCount_; }
    uint64_t GameId() const { return gameId_; }

    // Flags shared with the game's achievement manager.
    bool statsRequested = false;  // the request for the player's stats went out (again after a failed answer)
    bool statsReceived = false;   // and its answer arrived
    bool storeOwed = false;       // achievements were set that the storefront has not stored

    // Rounds to wait after a failed request or store before asking again: an
    // unreadable, full or read-only disk is tried about every ten seconds, not every frame.
    static constexpr int kRetryRounds = 600;

    // Sends the stats request, then stores owed achievements once the stats
    // are in; the game calls it once per frame of play. A request whose answer
    // fails is sent again later; a store that fails leaves the achievements
    // owed, to be stored again later.
    void AdvanceRequestState();
    // Tells the storefront an achievement is unlocked (stored by the next store).
    bool SetAchievement(const char* apiName);

    // Answers of the storefront.
    void OnUserStatsReceived(uint64_t gameId, int result);
    void OnUserStatsStored(uint64_t gameId, int result);
    void OnUserAchievementStored(uint64_t gameId, std::string_view name, uint32_t current, uint32_t maximum);

private:
    struct Registration {
        bool registered = false;
        int callbackId = 0;
        int handle = 0;
    };

    void Register(Registration& registration, int callbackId);

    StorefrontAchievementRow* rows_ = nullptr;
    int rowCount_ = 0;
    uint64_t gameId_ = 0;
    bool hasUserStats_ = false;
    int retryWait_ = 0;
    Registration statsReceived_;
    Registration statsStored_;
    Registration achievementStored_;
};

// The one instance, or null.
SYSSTEAM_CAchievement* GetAchievementSystem();
// Creates the instance (null when that fails); the game's achievement manager
// destroys it at shut-down.
SYSSTEAM_CAchievement* CreateAchievementSystem();
void DestroyAchievementSystem();

}  // namespace vesk::achievement
