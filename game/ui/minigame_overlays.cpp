// What the arcade screen shows over its field: the title, the countdown, the HUD, the ranking, the name entry and the game over.
#include "game/ui/minigame_overlays.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/sprite_registry.h"
#include "framework/text/font_manager.h"
#include "framework/text/format_text.h"
#include "game/model/minigame/minigame_player.h"
#include "game/model/minigame/minigame_ranking.h"
#include "game/model/minigame/minigame_world.h"
#include "game/services/save/working_slot.h"
#include "game/services/text/message_text.h"
#include "game/ui/ui_draw.h"

namespace {

constexpr std::uint32_t kTextColour = 0xFFFFFFFFu;
constexpr float kLabelY = 12.0f;
constexpr float kLabelX[4] = {29.0f, 144.0f, 258.0f, 345.0f};

std::int32_t Arcade(const char* name) { return vesk::resource::FindSpriteIndex(kMiniGameSpriteGroup, name); }

void Draw(std::int32_t sprite, float x, float y, const MiniGameLook& look = {})
{
    DrawMiniGameSprite(kMiniGameSpriteGroup, sprite, {x, y}, look);
}

float LineHeight()
{
    const vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager();
    const vesk::text::FontRecord* font = fonts != nullptr ? fonts->Font(GAME_CMiniGameOverlays::kFontSlot) : nullptr;
    if (font == nullptr) return 0.0f;
    return font->CellHeight() * (font->size > 0.0f ? font->size : 1.0f);
}

// The HUD's figures are written into a fixed buffer: a frame of play asks the allocator for nothing.
class HudFigures {
public:
    // A decimal number of at least the digits given; negative values show as 0.
    HudFigures& Number(std::int32_t value, int minDigits)
    {
        char16_t digits[10];
        int count = 0;
        auto rest = static_cast<std::uint32_t>(std::max(value, 0));
        do {
            digits[count++] = static_cast<char16_t>(u'0' + rest % 10);
            rest /= 10;
        } while (rest != 0);
        while (count < minDigits && count < 10) digits[count++] = u'0';
        while (count > 0) text_[length_++] = digits[--count];
        return *this;
    }
    HudFigures& Colon()
    {
        text_[length_++] = u':';
        return *this;
    }
    std::u16string_view View() const { return {text_, length_}; }

private:
    char16_t text_[36];
    std::size_t length_ = 0;
};

}  // namespace

void DrawMiniGameText(float x, float y, std::u16string_view text)
{
    DrawUIText({x, y}, text, kTextColour, 1.0f, GAME_CMiniGameOverlays::kFontSlot);
}

float MeasureMiniGameText(std::u16string_view text)
{
    const vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager();
    return fonts != nullptr ? fonts->MeasureString(GAME_CMiniGameOverlays::kFontSlot, text, 0.0f, nullptr, false) : 0.0f;
}

std::u16string MiniGameHalfWidth(std::u16string_view text)
{
    std::u16string half(text);
    for (char16_t& unit : half) {
        if (unit >= u'\uFF01' && unit <= u'\uFF5E') unit = static_cast<char16_t>(unit - 0xFEE0);
        if (unit == u'\u3000') unit = u' ';
    }
    return half;
}

GAME_CMiniGameOverlays::GAME_CMiniGameOverlays()
{
    coinPrompt_ = Arcade("ui_minigame_text_insertcoin");
    title_ = Arcade("ui_minigame_title");
    copyright_ = Arcade("ui_minigame_copyright");
    for (int digit = 0; digit < 3; ++digit) {
        digits_[static_cast<std::size_t>(digit)] = FindUISprite("ui_text_num_" + std::to_string(digit + 1));
    }
    labels_ = {Arcade("ui_minigame_text_score"), Arcade("ui_minigame_text_time"), Arcade("ui_minigame_text_life"),
               Arcade("ui_minigame_text_weapon")};
    cheese_ = Arcade("ui_minigame_cheese");
    pushEnter_ = Arcade("ui_minigame_text_pushenter");
    gameOver_ = Arcade("ui_minigame_text_gameover");
}

void GAME_CMiniGameOverlays::DrawTitle() const
{
    DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, 0xFF000000u);
    Draw(coinPrompt_, 257.0f, 7.0f);
    Draw(title_, 80.0f, 39.0f);
    Draw(copyright_, 193.0f, 239.0f);
}

void GAME_CMiniGameOverlays::DrawCountdown(std::int32_t frames) const
{
    const int digit = 3 - frames / 60;
    if (digit < 1 || digit > 3) return;
    const std::int32_t sprite = digits_[static_cast<std::size_t>(digit - 1)];
    const vesk::math::Vec2 size = UISpriteSize(sprite);
    constexpr float kEnlarged = 10.0f;
    const auto left = static_cast<float>(static_cast<std::int32_t>(kCanvasWidth - size.x * kEnlarged) / 2);
    const auto top = static_cast<float>(static_cast<std::int32_t>(kCanvasHeight - size.y * kEnlarged) / 2);
    DrawMiniGameSprite(kUISpriteGroup, sprite, {left, top}, {kEnlarged, kEnlarged});
}

void GAME_CMiniGameOverlays::DrawHud(const GAME_CMiniGameWorld& world) const
{
    for (std::size_t i = 0; i < labels_.size(); ++i) Draw(labels_[i], kLabelX[i], kLabelY);
    const GAME_CMiniGameObjectPlayer* player = world.Player();
    if (player == nullptr) return;
    if (player->active != 0) {
        for (std::int32_t life = 0; life < player->lives && life < 16; ++life) {
            Draw(cheese_, 267.0f + 22.0f * static_cast<float>(life), 38.0f);
        }
    }
    const auto& icons = world.WeaponIcons();
    for (std::size_t i = 0; i < icons.size(); ++i) Draw(icons[i], 355.0f + 26.0f * static_cast<float>(i), 35.0f);
    DrawMiniGameText(39.0f, 39.0f, HudFigures().Number(world.score, 1).View());
    const std::uint32_t time = world.playTime;
    const auto hundredths = static_cast<std::int32_t>(std::trunc(static_cast<float>(time % 60) * (1.0f / 60.0f) * 100.0f));
    const HudFigures clock = HudFigures()
                                 .Number(static_cast<std::int32_t>(time / 3600), 2)
                                 .Colon()
                                 .Number(static_cast<std::int32_t>((time / 60) % 60), 2)
                                 .Colon()
                                 .Number(hundredths, 2);
    DrawMiniGameText(158.0f, 38.0f, clock.View());
}

void GAME_CMiniGameOverlays::DrawRanking() const
{
    for (std::size_t row = 0; row < working_slot::kRankingRows; ++row) {
        const float x = row < 5 ? 139.0f : 350.0f;
        const float y = 76.0f + 26.0f * static_cast<float>(row % 5);
        const working_slot::RankingRow entry = working_slot::ReadRankingRow(row);
        DrawMiniGameText(x, y, vesk::text::FormatText(u"%2d", {static_cast<std::int32_t>(row + 1)}));
        const auto end = std::find(entry.name.begin(), entry.name.end(), u'\0');
        DrawMiniGameText(x + 32.0f, y, MiniGameHalfWidth(std::u16string_view(entry.name.data(), static_cast<std::size_t>(end - entry.name.begin()))));
        DrawMiniGameText(x + 96.0f, y, vesk::text::FormatText(u"%d", {entry.score}));
    }
    const float width = MiniGameSpriteSize(kMiniGameSpriteGroup, pushEnter_).x;
    Draw(pushEnter_, 320.0f - width * 0.5f, 232.0f);
}

void GAME_CMiniGameOverlays::DrawScoreEntry(const MiniGameNameEntry& entry) const
{
    const float line = LineHeight();
    const float centreX = kCanvasWidth * 0.5f;
    const float centreY = kCanvasHeight * 0.5f;
    const std::u16string prompt = MiniGameHalfWidth(GetMessageTextExpanded("MINIGAME_SCORE_ENTRY"));
    DrawMiniGameText(centreX - MeasureMiniGameText(prompt) * 0.5f, centreY - 50.0f - line * 0.5f, prompt);
    const working_slot::RankingRow row = working_slot::ReadRankingRow(static_cast<std::size_t>(entry.row));
    const auto end = std::find(row.name.begin(), row.name.end(), u'\0');
    const float left = centreX - MeasureMiniGameText(u"AAA") * 0.5f;
    DrawMiniGameText(left, centreY - line * 0.5f,
                     MiniGameHalfWidth(std::u16string_view(row.name.data(), static_cast<std::size_t>(end - row.name.begin()))));
    const float caretX = left + static_cast<float>(entry.cursor) * MeasureMiniGameText(u"A") + 2.0f;
    DrawMiniGameText(caretX, centreY + line * 0.5f, u"^");
}

void GAME_CMiniGameOverlays::DrawGameOver() const { Draw(gameOver_, 199.0f, 129.0f); }
