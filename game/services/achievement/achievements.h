// The twenty achievements: their counters and checks, unlocking, and the popup queue.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/achievement/achievement.h"
#include "framework/memory/heaps.h"

inline constexpr int kAchievementCount = 20;
// PopAchievementNotice's answer when nothing is queued.
inline constexpr std::uint32_t kNoAchievementNotice = 20;

// What the game shows of an achievement.
struct AchievementGameRow {
    std::array<char, 64> icon{};        // "achievement_01" ...
    std::array<char, 64> lockedIcon{};  // "achievement_icon_lock"
    std::array<char, 64> messageKey{};  // "ACHIEVE_01" ...
    std::uint32_t reserved = 0;
};

class GAME_CAchievementManager : public vesk::memory::MainHeapObject {
public:
    std::vector<std::uint32_t> popupQueue;
    std::uint32_t frameCounter = 0;
    std::uint32_t checkIndex = 0;
    std::uint32_t checkInterval = 2;
    std::uint32_t checksPerRound = 1;
    std::array<std::uint32_t, kAchievementCount> thresholds{};
};

// A new manager: no popup pending, its counters at zero and every threshold 1.
GAME_CAchievementManager* ConstructAchievementManager();
// The manager, made on first use.
GAME_CAchievementManager* GetAchievementManager();
GAME_CAchievementManager* PeekAchievementManager();
// Empties the queue and deletes the storefront achievement object with the manager.
void DestroyAchievementManager();

const AchievementGameRow& GetAchievementGameRow(int index);
// The table handed to the storefront at start-up.
vesk::achievement::StorefrontAchievementRow* GetStorefrontAchievementRows();
// Clears the table's marks of what the storefront was told: a game that starts anew learns them
// again, and does not take them over from a game run before it in the same process.
void ResetStorefrontAchievementRows();

// Adds to the counter of the achievement with that tag ("A001" ...); false for an unknown tag.
bool AddAchievementCount(std::uint32_t tag, std::uint32_t amount);
// Sets or clears a bit of the bit sets of achievements 0, 12 and 18; false for a bit out of
// range or an unknown tag, true (nothing done) for the others.
bool SetAchievementFlag(std::uint32_t tag, std::uint32_t bit, bool on);
// Once a frame from the main game: every second frame one achievement is checked.
void UpdateAchievements(GAME_CAchievementManager& manager);
void UnlockAchievement(std::uint32_t index);
// Whether the achievement's bit is set in the working system record; false past its 32 bits.
bool IsAchievementUnlocked(std::uint32_t index);
// After a slot is applied: unlocked achievements are told to the storefront.
void SyncAchievementsFromSave();
// The first queued popup, or kNoAchievementNotice.
std::uint32_t PopAchievementNotice(GAME_CAchievementManager& manager);
// The achievement's icon sprite in sprite group 2, or null.
const void* FindAchievementIcon(int index);
// Zero-fills the 64 bytes and copies at most 63 characters (null: empty).
void InitFixedString64(std::array<char, 64>& buffer, const char* text);
// Whether the check of one achievement passes now (its counter refreshed first where it has one).
bool CheckAchievement(int index);
