// What the arcade screen shows over its field: the title, the countdown, the HUD, the ranking, the name entry and the game over.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class GAME_CMiniGameWorld;
class MiniGameNameEntry;

class GAME_CMiniGameOverlays {
public:
    // Font slot of the arcade's own lettering.
    static constexpr int kFontSlot = 1;

    GAME_CMiniGameOverlays();

    // Black under the cabinet, with the coin prompt, the title and the copyright.
    void DrawTitle() const;
    // 3, 2 and 1, ten times enlarged in the middle of the canvas, a second each.
    void DrawCountdown(std::int32_t frames) const;
    // The labels; with a rat, its lives, the weapons taken, the score and the play time.
    void DrawHud(const GAME_CMiniGameWorld& world) const;
    void DrawRanking() const;
    void DrawScoreEntry(const MiniGameNameEntry& entry) const;
    void DrawGameOver() const;

private:
    std::int32_t coinPrompt_ = -1;
    std::int32_t title_ = -1;
    std::int32_t copyright_ = -1;
    std::array<std::int32_t, 3> digits_{-1, -1, -1};  // 1, 2, 3
    std::array<std::int32_t, 4> labels_{-1, -1, -1, -1};
    std::int32_t cheese_ = -1;
    std::int32_t pushEnter_ = -1;
    std::int32_t gameOver_ = -1;
};

// The arcade font's text at a point, and its width.
void DrawMiniGameText(float x, float y, std::u16string_view text);
float MeasureMiniGameText(std::u16string_view text);
// Full-width letters and digits as ASCII, as the arcade font draws them.
std::u16string MiniGameHalfWidth(std::u16string_view text);
