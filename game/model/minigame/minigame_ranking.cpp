// The arcade ranking in the working slot: its repair on entry, a run's score taking its row, and the name entry.
#include "game/model/minigame/minigame_ranking.h"

#include <algorithm>

#include "game/model/minigame/minigame_world.h"
#include "game/services/save/working_slot.h"

namespace {

constexpr std::int32_t kDecideSE = 0;
constexpr std::int32_t kCancelSE = 2;
constexpr std::int32_t kCursorSE = 58;
constexpr int kLetterCount = static_cast<int>(kMiniGameLetters.size());
// Three quick As: the machine's own initials.
constexpr std::array<char16_t, 3> kQuickName = {u'Ｚ', u'Ｅ', u'Ｑ'};

}  // namespace

void PrepareMiniGameRanking()
{
    working_slot::SortRanking();
    if (working_slot::ReadRankingRow(0).score < 1) working_slot::InitRanking();
}

std::int32_t EnterMiniGameScore(std::int32_t score)
{
    working_slot::SortRanking();
    constexpr auto kRows = static_cast<std::int32_t>(working_slot::kRankingRows);
    std::int32_t row = 0;
    while (row < kRows && working_slot::ReadRankingRow(static_cast<std::size_t>(row)).score >= score) ++row;
    if (row == kRows) return kNoRankingRow;
    for (std::int32_t below = kRows - 1; below > row; --below) {
        working_slot::WriteRankingRow(static_cast<std::size_t>(below), working_slot::ReadRankingRow(static_cast<std::size_t>(below - 1)));
    }
    working_slot::WriteRankingRow(static_cast<std::size_t>(row), {{}, score});
    return row;
}

void MiniGameNameEntry::Start(std::int32_t newRow)
{
    row = newRow;
    cursor = 0;
    letter = 0;
    frames = 0;
}

bool MiniGameNameEntry::Step(const MiniGameNameKeys& keys)
{
    ++frames;
    const auto at = static_cast<std::size_t>(row);
    working_slot::RankingRow entry = working_slot::ReadRankingRow(at);
    if (cursor < kLetters) entry.name[static_cast<std::size_t>(cursor)] = kMiniGameLetters[static_cast<std::size_t>(letter)];
    bool done = false;
    if (keys.decide) {
        PlayMiniGameSE(kDecideSE);
        if (++cursor >= kLetters) {
            done = true;
            const bool allA = std::all_of(entry.name.begin(), entry.name.end(), [](char16_t c) { return c == kMiniGameLetters[0]; });
            if (frames < kQuickFrames && allA) entry.name = kQuickName;
        }
    } else if (keys.cancel) {
        if (cursor > 0) {
            PlayMiniGameSE(kCancelSE);
            --cursor;
            const char16_t under = entry.name[static_cast<std::size_t>(cursor)];
            const auto* found = std::find(kMiniGameLetters.begin(), kMiniGameLetters.end(), under);
            if (found != kMiniGameLetters.end()) letter = static_cast<std::int32_t>(found - kMiniGameLetters.begin());
        }
    } else if (keys.upHeld) {
        if (keys.upRepeat) {
            PlayMiniGameSE(kCursorSE);
            letter = (letter + kLetterCount - 1) % kLetterCount;
        }
    } else if (keys.downHeld && keys.downRepeat) {
        PlayMiniGameSE(kCursorSE);
        letter = (letter + 1) % kLetterCount;
    }
    working_slot::WriteRankingRow(at, entry);
    return done;
}
