// The arcade ranking in the working slot: its repair on entry, a run's score taking its row, and the name entry.
#pragma once

#include <array>
#include <cstdint>

inline constexpr std::int32_t kNoRankingRow = 10;

// The letters of a name, in the order the cursor runs through them: Ａ to Ｚ, a space and a low line.
inline constexpr std::array<char16_t, 28> kMiniGameLetters = {
    u'Ａ', u'Ｂ', u'Ｃ', u'Ｄ', u'Ｅ', u'Ｆ', u'Ｇ', u'Ｈ', u'Ｉ', u'Ｊ', u'Ｋ', u'Ｌ', u'Ｍ', u'Ｎ',
    u'Ｏ', u'Ｐ', u'Ｑ', u'Ｒ', u'Ｓ', u'Ｔ', u'Ｕ', u'Ｖ', u'Ｗ', u'Ｘ', u'Ｙ', u'Ｚ', u'\u3000', u'＿'};

// Sorted, and the defaults when the best score is below 1 (a new or cleared slot).
void PrepareMiniGameRanking();
// The first row with a lower score takes the run's score with an empty name; the rows below move
// down and the last drops. The row, or kNoRankingRow when no row is lower.
std::int32_t EnterMiniGameScore(std::int32_t score);

// What the name entry is told each frame.
struct MiniGameNameKeys {
    bool decide = false;      // newly pressed
    bool cancel = false;      // newly pressed
    bool upHeld = false;
    bool upRepeat = false;    // the held key's auto-repeat fires
    bool downHeld = false;
    bool downRepeat = false;
};

// Three letters picked like an arcade machine's: up and down run through the letters, DECIDE
// takes one, CANCEL goes back a letter. The letter under the cursor is written every frame.
class MiniGameNameEntry {
public:
    static constexpr std::int32_t kLetters = 3;
    static constexpr std::int32_t kQuickFrames = 60;

    void Start(std::int32_t row);
    // One frame; true once the third letter is taken.
    bool Step(const MiniGameNameKeys& keys);

    std::int32_t row = 65535;
    std::int32_t cursor = 0;
    std::int32_t letter = 0;
    std::int32_t frames = 0;
};
