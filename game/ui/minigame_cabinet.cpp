// The arcade cabinet drawn around the mini-game: the field's backdrop and near view, the bezel, the scan line and the controller panel.
#include "game/ui/minigame_cabinet.h"

#include <cmath>
#include <iterator>

#include "framework/graphics/sprite_registry.h"
#include "game/model/minigame/minigame_world.h"
#include "game/services/data/tuning_records.h"

namespace {

constexpr int kNearViewGroup = 6;
constexpr float kFieldBottom = 260.0f;
constexpr float kStickTilt = 20.0f;

// The cabinet's pictures, in the order of their names below.
enum Piece : std::size_t { kBackground, kFrame, kAdjustment, kScan, kPanel, kKeyhole, kCoinSlot, kPushBar, kStickCover,
                           kStick, kButtonFrameLeft, kButtonFrameRight, kButtonLeft, kButtonLeftHeld, kButtonRight,
                           kButtonRightHeld };
constexpr const char* kPieceNames[] = {
    "minigame_bg", "ui_minigame_frame", "ui_minigame_adjustment", "ui_minigame_scan", "ui_minigame_bg_controller",
    "ui_minigame_keyhole", "ui_minigame_insertcoin", "ui_minigame_pushbar", "ui_minigame_stick_cover", "ui_minigame_stick",
    "ui_minigame_button_frame_left", "ui_minigame_button_frame_right", "ui_minigame_button_left",
    "ui_minigame_button_left_touch", "ui_minigame_button_right", "ui_minigame_button_right_touch"};
static_assert(std::size(kPieceNames) == GAME_CMiniGameCabinet::kPieceCount);

// A picture of the cabinet at its top-left corner, mirrored as asked.
struct PlacedPiece {
    Piece piece;
    float x, y;
    bool flipX = false;
    bool flipY = false;
};
// The bezel's four corners: one picture, mirrored into each.
constexpr PlacedPiece kBezel[] = {{kFrame, 0.0f, 0.0f},
                                  {kFrame, 580.0f, 0.0f, true},
                                  {kFrame, 0.0f, 200.0f, false, true},
                                  {kFrame, 580.0f, 200.0f, true, true}};
// The controller panel's fixed pictures under the stick, in draw order.
constexpr PlacedPiece kPanelPictures[] = {{kPanel, 0.0f, kFieldBottom}, {kKeyhole, 27.0f, 315.0f}, {kCoinSlot, 69.0f, 268.0f},
                                          {kPushBar, 35.0f, 286.0f}, {kStickCover, 179.0f, 301.0f}};

void Draw(std::int32_t sprite, float x, float y, const MiniGameLook& look = {})
{
    DrawMiniGameSprite(kMiniGameSpriteGroup, sprite, {x, y}, look);
}

}  // namespace

GAME_CMiniGameCabinet::GAME_CMiniGameCabinet(const TuningBlock& tuning)
{
    for (std::size_t piece = 0; piece < kPieceCount; ++piece) {
        pieces_[piece] = vesk::resource::FindSpriteIndex(kMiniGameSpriteGroup, kPieceNames[piece]);
    }
    nearView_ = vesk::resource::FindSpriteIndex(kNearViewGroup, "nearview_1_1");
    nearViewWidth_ = MiniGameSpriteSize(kNearViewGroup, nearView_).x;
    scanSpeed = static_cast<float>(tuning.scanSpeed / 60);
    scanPause = static_cast<std::int32_t>(std::trunc(tuning.scanPause * 60.0f));
}

void GAME_CMiniGameCabinet::UpdateScanLine()
{
    if (scanState == kScanMoving) {
        scanY += scanSpeed;
        if (scanY > kFieldBottom) {
            scanWait = 0;
            scanState = kScanWaiting;
        }
    } else if (++scanWait > scanPause) {
        scanY = kScanStart;
        scanState = kScanMoving;
    }
}

void GAME_CMiniGameCabinet::DrawBackground() const { Draw(pieces_[kBackground], 0.0f, 0.0f); }

void GAME_CMiniGameCabinet::DrawNearView() const
{
    MiniGameLook look;
    look.pivotY = 1.0f;
    DrawMiniGameSprite(kNearViewGroup, nearView_, {0.0f, kFieldBottom}, look);
    DrawMiniGameSprite(kNearViewGroup, nearView_, {nearViewWidth_, kFieldBottom}, look);
}

void GAME_CMiniGameCabinet::DrawOverlay(const MiniGameControls& controls) const
{
    const auto draw = [this](const PlacedPiece& placed) {
        Draw(pieces_[placed.piece], placed.x, placed.y, {.flipX = placed.flipX, .flipY = placed.flipY});
    };
    for (const PlacedPiece& corner : kBezel) draw(corner);
    Draw(pieces_[kAdjustment], 0.0f, 0.0f);
    Draw(pieces_[kScan], 0.0f, scanY);
    for (const PlacedPiece& piece : kPanelPictures) draw(piece);
    const float tilt = controls.left ? -kStickTilt : controls.right ? kStickTilt : 0.0f;
    Draw(pieces_[kStick], 207.0f, 335.0f, {.angle = tilt, .pivotX = 0.5f, .pivotY = 1.0f});
    Draw(pieces_[kButtonFrameLeft], 367.0f, kFieldBottom);
    Draw(pieces_[kButtonFrameRight], 277.0f, kFieldBottom);
    Draw(pieces_[controls.fireHeld ? kButtonLeftHeld : kButtonLeft], 296.0f, 278.0f);
    Draw(pieces_[controls.jumpHeld ? kButtonRightHeld : kButtonRight], 498.0f, 278.0f);
}
