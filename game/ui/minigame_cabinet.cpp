// The arcade cabinet drawn around the mini-game: the field's backdrop and near view, the bezel, the scan line and the controller panel.
#include "game/ui/minigame_cabinet.h"

#include <cmath>

#include "framework/graphics/sprite_registry.h"
#include "game/model/minigame/minigame_world.h"
#include "game/services/data/tuning_records.h"

namespace {

constexpr int kNearViewGroup = 6;
constexpr float kFieldBottom = 260.0f;
constexpr float kStickTilt = 20.0f;

std::int32_t Arcade(const char* name) { return vesk::resource::FindSpriteIndex(kMiniGameSpriteGroup, name); }

void Draw(std::int32_t sprite, float x, float y, const MiniGameLook& look = {})
{
    DrawMiniGameSprite(kMiniGameSpriteGroup, sprite, {x, y}, look);
}

}  // namespace

GAME_CMiniGameCabinet::GAME_CMiniGameCabinet(const TuningBlock& tuning)
{
    background_ = Arcade("minigame_bg");
    nearView_ = vesk::resource::FindSpriteIndex(kNearViewGroup, "nearview_1_1");
    nearViewWidth_ = MiniGameSpriteSize(kNearViewGroup, nearView_).x;
    frame_ = Arcade("ui_minigame_frame");
    panel_ = Arcade("ui_minigame_bg_controller");
    keyhole_ = Arcade("ui_minigame_keyhole");
    coinSlot_ = Arcade("ui_minigame_insertcoin");
    pushBar_ = Arcade("ui_minigame_pushbar");
    stickCover_ = Arcade("ui_minigame_stick_cover");
    stick_ = Arcade("ui_minigame_stick");
    buttonFrameLeft_ = Arcade("ui_minigame_button_frame_left");
    buttonFrameRight_ = Arcade("ui_minigame_button_frame_right");
    buttonLeft_[0] = Arcade("ui_minigame_button_left");
    buttonLeft_[1] = Arcade("ui_minigame_button_left_touch");
    buttonRight_[0] = Arcade("ui_minigame_button_right");
    buttonRight_[1] = Arcade("ui_minigame_button_right_touch");
    adjustment_ = Arcade("ui_minigame_adjustment");
    scan_ = Arcade("ui_minigame_scan");
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

void GAME_CMiniGameCabinet::DrawBackground() const { Draw(background_, 0.0f, 0.0f); }

void GAME_CMiniGameCabinet::DrawNearView() const
{
    MiniGameLook look;
    look.pivotY = 1.0f;
    DrawMiniGameSprite(kNearViewGroup, nearView_, {0.0f, kFieldBottom}, look);
    DrawMiniGameSprite(kNearViewGroup, nearView_, {nearViewWidth_, kFieldBottom}, look);
}

void GAME_CMiniGameCabinet::DrawOverlay(const MiniGameControls& controls) const
{
    MiniGameLook mirrored;
    Draw(frame_, 0.0f, 0.0f);
    mirrored.flipX = true;
    Draw(frame_, 580.0f, 0.0f, mirrored);
    mirrored = {};
    mirrored.flipY = true;
    Draw(frame_, 0.0f, 200.0f, mirrored);
    mirrored.flipX = true;
    Draw(frame_, 580.0f, 200.0f, mirrored);
    Draw(adjustment_, 0.0f, 0.0f);
    Draw(scan_, 0.0f, scanY);
    Draw(panel_, 0.0f, kFieldBottom);
    Draw(keyhole_, 27.0f, 315.0f);
    Draw(coinSlot_, 69.0f, 268.0f);
    Draw(pushBar_, 35.0f, 286.0f);
    Draw(stickCover_, 179.0f, 301.0f);
    MiniGameLook stick;
    stick.pivotX = 0.5f;
    stick.pivotY = 1.0f;
    stick.angle = controls.left ? -kStickTilt : controls.right ? kStickTilt : 0.0f;
    Draw(stick_, 207.0f, 335.0f, stick);
    Draw(buttonFrameLeft_, 367.0f, kFieldBottom);
    Draw(buttonFrameRight_, 277.0f, kFieldBottom);
    Draw(buttonLeft_[controls.fireHeld ? 1 : 0], 296.0f, 278.0f);
    Draw(buttonRight_[controls.jumpHeld ? 1 : 0], 498.0f, 278.0f);
}
