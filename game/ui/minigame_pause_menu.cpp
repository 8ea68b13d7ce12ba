// The arcade game's pause menu: two items, return and quit, framed like the main pause menu, with a breathing cursor.
#include "game/ui/minigame_pause_menu.h"

#include <cmath>

#include "framework/math/scalar.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/player/player_data.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_null_object.h"

namespace {

using vesk::math::kFloatDegreesToRadians;

constexpr float kItemWidth = 242.0f;
constexpr float kItemHeight = 34.0f;
constexpr float kItemX = 320.0f;
constexpr float kItemY[2] = {125.0f, 163.0f};
constexpr int kPulsePeriod = 90;
constexpr std::uint32_t kCursorAlpha = 0x70;
constexpr std::uint32_t kBandColour = 0x98000000u;
constexpr float kBandX = 178.0f;
constexpr float kBandWidth = 284.0f;
constexpr vesk::math::Vec2 kTitlePosition{256.0f, 29.0f};
constexpr std::uint32_t kStartOrSelect = 0x1u | 0x2u;
constexpr std::int32_t kPauseSE = 59;
// The item pictures in Japanese, English and Korean.
constexpr const char* kItemSprites[2][3] = {
    {"ui_pause_return_to_game", "ui_pause_return_to_game_eng", "ui_pause_return_to_game_kr"},
    {"ui_pause_quit_the_game", "ui_pause_quite_the_game_eng", "ui_pause_quit_the_game_kr"},
};

// A piece of an item's frame under the item, mirrored as asked.
GAME_CUINullObject* MakePiece(GAME_CUIObjectBase* item, const char* sprite, float x, float y, std::int32_t flipX = 0,
                              std::int32_t flipY = 0)
{
    GAME_CUINullObject* piece = MakeUIPictureUnder(item, sprite, x, y);
    piece->SetFlip(flipX, flipY);
    return piece;
}

}  // namespace

GAME_CMiniGamePauseMenu::GAME_CMiniGamePauseMenu()
{
    titleSprite_ = FindUISprite("ui_bigtext_pause");
    const char* const side = "ui_pause_textframe_side";
    const char* const bar = "ui_pause_textframe_bar";
    const vesk::math::Vec2 sideSize = UISpriteSize(FindUISprite(side));
    const vesk::math::Vec2 barSize = UISpriteSize(FindUISprite(bar));
    const int language = UILanguageVariant();
    for (int item = 0; item < 2; ++item) {
        GAME_CUIIconObject* icon = MakeUIButton(nullptr, {.sprite = kItemSprites[item][language],
                                                          .x = kItemX,
                                                          .y = kItemY[item],
                                                          .pressedFrames = 10,
                                                          .pressedScale = 0.95f,
                                                          .size = {kItemWidth, kItemHeight},
                                                          .appearFrames = 1});
        items_[static_cast<std::size_t>(item)] = icon;
        widgets_.push_back(icon);
        auto& frame = frames_[static_cast<std::size_t>(item)];
        const float left = -kItemWidth * 0.5f;
        const float right = kItemWidth * 0.5f - sideSize.x;
        frame.push_back(MakePiece(icon, side, left, -kItemHeight * 0.5f));
        frame.push_back(MakePiece(icon, side, left, 0.0f, 0, 1));
        frame.push_back(MakePiece(icon, side, right, -kItemHeight * 0.5f, 1, 0));
        frame.push_back(MakePiece(icon, side, right, 0.0f, 1, 1));
        // The bars are the middle half of their picture, stretched back to its width.
        float x = 2.0f * sideSize.x - 85.0f;
        for (float uncovered = kItemWidth - 2.0f * sideSize.x; uncovered > 0.0f && barSize.x > 0.0f; uncovered -= barSize.x) {
            for (float y : {-kItemHeight * 0.5f, kItemHeight * 0.5f - barSize.y}) {
                GAME_CUINullObject* piece = MakePiece(icon, bar, x, y);
                piece->SetTextureRect(0.25f, 0.0f, 0.75f, 1.0f);
                const vesk::math::Vec2 scale{2.0f, 1.0f};
                piece->SetScale(&scale);
                frame.push_back(piece);
            }
            x += barSize.x * 0.5f;
        }
        widgets_.insert(widgets_.end(), frame.begin(), frame.end());
    }
    cursor_ = MakePiece(items_[0], "ui_cursor_baselabel", 0.0f, 0.0f);
    const vesk::math::Vec2 cursorSize = UISpriteSize(cursor_->Sprite());
    const vesk::math::Vec2 pivot{0.5f, 0.5f};
    cursor_->SetPivot(&pivot);
    if (cursorSize.x > 0.0f && cursorSize.y > 0.0f) {
        const vesk::math::Vec2 scale{kItemWidth / cursorSize.x, kItemHeight / cursorSize.y};
        cursor_->SetScale(&scale);
    }
    cursor_->SetColor((kCursorAlpha << 24) | 0x00FFFFFFu);
    widgets_.push_back(cursor_);
    list_.count = 2;
    list_.visible = 2;
    list_.wrap = UIListWrap::kRing;
}

GAME_CMiniGamePauseMenu::~GAME_CMiniGamePauseMenu() { DeleteWidgets(widgets_); }

void GAME_CMiniGamePauseMenu::Open()
{
    for (GAME_CUIIconObject* item : items_) item->SetVisible(true);
    list_.top = 0;
    list_.cursor = kReturnItem;
    PlaceCursor();
    cursor_->SetColor(GetUIColor(kUIColorText));
    pointerDecided_ = false;
}

std::uint32_t GAME_CMiniGamePauseMenu::CursorAlpha() const { return cursor_->Color() >> 24; }

void GAME_CMiniGamePauseMenu::PlaceCursor() { cursor_->SetParent(items_[static_cast<std::size_t>(CursorItem())]); }

void GAME_CMiniGamePauseMenu::ColourItems()
{
    for (int item = 0; item < 2; ++item) {
        const std::uint32_t colour = item == CursorItem() ? GetUIColor(kUIColorHighlight) : kUIWhite;
        items_[static_cast<std::size_t>(item)]->SetColor(colour);
        for (GAME_CUINullObject* piece : frames_[static_cast<std::size_t>(item)]) piece->SetColor(colour);
    }
}

MiniGamePauseChoice GAME_CMiniGamePauseMenu::Choose() const
{
    return CursorItem() == kReturnItem ? MiniGamePauseChoice::kResume : MiniGamePauseChoice::kQuit;
}

MiniGamePauseChoice GAME_CMiniGamePauseMenu::Update()
{
    pulse_ = (pulse_ + 1) % kPulsePeriod;
    const auto alpha = static_cast<std::int32_t>(std::trunc(std::sin(static_cast<float>(pulse_) * 4.0f * kFloatDegreesToRadians) * 20.0f)) + 53;
    cursor_->SetColor((cursor_->Color() & 0x00FFFFFFu) | (static_cast<std::uint32_t>(alpha) << 24));
    for (GAME_CUIIconObject* item : items_) item->UpdateTree(true);
    ColourItems();
    const bool anyDecided = items_[0]->IsDecided() || items_[1]->IsDecided();
    if (pointerDecided_) {
        if (anyDecided) return MiniGamePauseChoice::kNone;
        pointerDecided_ = false;
        return Choose();
    }
    if (anyDecided) {
        list_.cursor = items_[0]->IsDecided() ? kReturnItem : kQuitItem;
        PlaceCursor();
        pointerDecided_ = true;
        return MiniGamePauseChoice::kNone;
    }
    const GAME_CInputMap* input = IsInputMapActive() ? GetInputMap() : nullptr;
    if (input == nullptr) return MiniGamePauseChoice::kNone;
    if (input->IsPadButtonInMode(GAME_CInputMap::kModePressed, kStartOrSelect)) {
        PlayUISE(kPauseSE);
        return MiniGamePauseChoice::kResume;
    }
    if (input->IsActionTriggered(kActionDecide)) {
        PlayUISE(kSeUIDecide);
        return Choose();
    }
    if (list_.StepByKeys() != 0) PlaceCursor();
    return MiniGamePauseChoice::kNone;
}

void GAME_CMiniGamePauseMenu::Draw() const
{
    DrawUIRect({kBandX, 0.0f}, {kBandWidth, kCanvasHeight}, kBandColour);
    const auto glow = static_cast<std::int32_t>(std::trunc(std::sin(static_cast<float>(pulse_) * 2.0f * kFloatDegreesToRadians) * 127.0f)) - 128;
    DrawUISprite(kTitlePosition, titleSprite_, (static_cast<std::uint32_t>(glow & 0xFF) << 24) | 0x00FFFFFFu);
    DrawWidgets(widgets_);
}
