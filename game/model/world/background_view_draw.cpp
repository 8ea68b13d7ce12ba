// The background view's draw passes: the distant view, the near layer, the route objects and the front layer.
#include <cmath>

#include "framework/draw/sprite_draw.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/polygon_render.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/process/canvas.h"
#include "game/services/data/static_database.h"
#include "game/model/world/background_view.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_draw.h"

namespace {

using vesk::graphics::DrawParam;
using vesk::graphics::Vec2f;

constexpr int kAlphaBlend = 4;
// A layer whose period or tile is narrower than this draws nothing: the loops stay bounded.
constexpr float kNarrowestStep = 1.0f;

float CanvasWidth() { return vesk::process::kCanvasWidth; }
float CanvasHeight() { return vesk::process::kCanvasHeight; }

DrawParam* BeginPass(int group, float scale, float pivotX, float pivotY)
{
    vesk::graphics::BeginSpriteDraw(group, kAlphaBlend);
    vesk::graphics::DeviceRecord* device = vesk::graphics::GetDeviceRecord();
    if (device == nullptr) return nullptr;
    DrawParam& param = device->textureRenderer.drawParam;
    vesk::graphics::InitDrawParam(param);
    param.scaleX = scale;
    param.scaleY = scale;
    param.pivotX = pivotX;
    param.pivotY = pivotY;
    return &param;
}

void EndPass()
{
    if (vesk::graphics::DeviceRecord* device = vesk::graphics::GetDeviceRecord()) {
        vesk::graphics::InitDrawParam(device->textureRenderer.drawParam);
    }
    vesk::graphics::EndSpriteDraw();
}

const vesk::resource::SYS_CTexture* NearViewSprite(int index)
{
    return index < 0 ? nullptr : vesk::resource::GetSpriteAt(GAME_CBackgroundView::kNearViewSpriteGroup, index);
}

float SpriteWidth(int index)
{
    const vesk::resource::SYS_CTexture* sprite = NearViewSprite(index);
    return sprite != nullptr ? static_cast<float>(sprite->GetWidth()) : 0.0f;
}

// Where the layers stand on the canvas this frame.
struct LayerFrame {
    float scale = 2.0f;
    float half = 1.0f;
    float period = 798.0f;
    float cameraX = 0.0f;
    float cameraUnits = 0.0f;  // trunc(c x half)
    float shipX = 0.0f;
    float baseline = 0.0f;

    float ScreenX(float units) const { return (units - (cameraX + CanvasWidth())) * half + CanvasWidth() / 2.0f + shipX; }
    // The step of a tile: its width less the pixel the next one overlaps, at the view's scale.
    float Step(float width) const { return (2.0f * width - 2.0f) * half; }
};

LayerFrame MakeFrame(float scale)
{
    LayerFrame frame;
    frame.scale = scale;
    frame.half = scale / 2.0f;
    frame.period = GAME_CBackgroundView::kPeriodUnits * frame.half;
    const GAME_CGameWorld* world = PeekGameWorld();
    if (world != nullptr && world->camera) frame.cameraX = static_cast<float>(world->camera->targetX);
    frame.cameraUnits = std::trunc(frame.cameraX * frame.half);
    float shipY = 0.0f;
    if (world != nullptr && world->ship) {
        frame.shipX = world->ship->scrollX;
        shipY = world->ship->scrollY;
    }
    // The ground line the route's objects stand on too: above the HUD's bottom frame.
    frame.baseline = shipY + std::trunc(CanvasHeight() - HudFrameHeight());
    return frame;
}

// Draws the sprite when any of [x, x + span] lies on the canvas.
void DrawVisible(int sprite, float x, float span, float y)
{
    const auto left = static_cast<std::int64_t>(std::trunc(x));
    const std::int64_t right = left + static_cast<std::int64_t>(std::trunc(span));
    const auto width = static_cast<std::int64_t>(std::trunc(CanvasWidth()));
    if ((left >= 0 && left <= width) || (left < 0 && right >= 0)) vesk::graphics::DrawSprite({x, y}, sprite);
}

// x brought to the last position at or left of the canvas's left edge, a whole number of periods away.
float WrapLeftOf(float x, float period, float edge)
{
    if (x <= edge) return x;
    return x - std::ceil((x - edge) / period) * period;
}

// x moved right by whole steps while it lies a step or more left of the canvas, so that no loop
// walks tiles nobody sees.
float SkipToCanvas(float x, float step)
{
    if (x >= -step) return x;
    return x + std::floor((-step - x) / step) * step;
}

// The camera may lift the ground line above the HUD's frame (the grid's centre may go anywhere on
// the canvas); below the line the canvas would then show the distant sky. The tile's bottom row,
// stretched, runs the earth on down to the canvas's bottom edge. At rest the line stands on the
// frame and nothing is drawn.
void DrawEarthBelow(DrawParam& param, const LayerFrame& frame, int tile)
{
    if (frame.baseline >= std::trunc(CanvasHeight() - HudFrameHeight())) return;
    const vesk::resource::SYS_CTexture* sprite = NearViewSprite(tile);
    if (sprite == nullptr || sprite->GetHeight() < 1) return;
    const float height = static_cast<float>(sprite->GetHeight());
    const float step = frame.Step(static_cast<float>(sprite->GetWidth()));
    if (step < kNarrowestStep) return;
    param.pivotY = 0.0f;
    param.v0 = (height - 1.0f) / height;
    param.v1 = 1.0f;
    param.scaleY = CanvasHeight() - frame.baseline;
    for (float x = 0.0f; x < CanvasWidth(); x += step) {
        vesk::graphics::DrawSprite({x, frame.baseline}, tile);
    }
    param.pivotY = 1.0f;
    param.v0 = 0.0f;
    param.scaleY = frame.scale;
}

}  // namespace

void GAME_CBackgroundView::DrawDistantView() const
{
    if (shownPhase_ < 0 || shownPhase_ >= kDistantViewCount) return;
    const LayerFrame frame = MakeFrame(scale_);
    DrawParam* param = BeginPass(-1, frame.scale, 0.0f, 0.0f);
    if (param == nullptr || frame.period < kNarrowestStep) {
        EndPass();
        return;
    }
    const float top = HudFrameHeight();
    const float start = WrapLeftOf(std::fmod((o_[3] - frame.cameraX * factors_[3]) * frame.half, frame.period), frame.period, 0.0f);
    auto drawBand = [&](int phase, float heightFraction) {
        const vesk::resource::SYS_CTexture* texture = distantTextures_[static_cast<std::size_t>(phase)];
        if (texture == nullptr || texture->GetWidth() < 1 || heightFraction <= 0.0f) return;
        param->scaleX = frame.period / static_cast<float>(texture->GetWidth());
        param->scaleY = frame.scale;
        param->v0 = 0.0f;
        param->v1 = heightFraction;
        for (float x = start; x < CanvasWidth(); x += frame.period) {
            vesk::graphics::DrawSprite({x, top}, distantViews_[static_cast<std::size_t>(phase)]);
        }
    };
    drawBand(shownPhase_, 1.0f);
    if (targetPhase_ != shownPhase_ && targetPhase_ >= 0 && targetPhase_ < kDistantViewCount) {
        const float rest = 1.0f - static_cast<float>(switchCounter_) / static_cast<float>(phaseSwitchDelay_);
        drawBand(targetPhase_, 1.0f - rest * rest);
    }
    EndPass();
}

void GAME_CBackgroundView::DrawNearViews() const { DrawLayer(false); }

void GAME_CBackgroundView::DrawFrontLayer() const { DrawLayer(true); }

void GAME_CBackgroundView::DrawLayer(bool front) const
{
    const LayerFrame frame = MakeFrame(scale_);
    DrawParam* param = BeginPass(kNearViewSpriteGroup, frame.scale, 0.0f, 1.0f);
    if (param == nullptr || nearViews_[0] == nullptr || nearViews_[1] == nullptr || frame.period < kNarrowestStep) {
        EndPass();
        return;
    }
    const float width = CanvasWidth();
    const float y = frame.baseline;
    const int tileValue = front ? 4 : 1;
    if (!front) DrawEarthBelow(*param, frame, NearSprite(0, tileValue));
    const float start = static_cast<float>(h_[front ? 4 : 2] - static_cast<std::int64_t>(frame.cameraUnits * 100.0f)) * 0.01f;
    const float seam = static_cast<float>(h_[front ? 1 : 0]) * 0.01f - frame.cameraUnits;

    if (NearSprite(0, tileValue) == NearSprite(1, tileValue)) {
        const int tile = NearSprite(0, tileValue);
        float x = front ? frame.ScreenX(start) : frame.ScreenX(start) - frame.period;
        x = SkipToCanvas(WrapLeftOf(x, frame.period, 0.00001f), frame.period);
        for (; x < width; x += frame.period) DrawVisible(tile, x, frame.period, y);
        EndPass();
        return;
    }

    const int a = NearSprite(0, tileValue);
    const int b = NearSprite(1, tileValue);
    const int c = NearSprite(0, tileValue + 2);
    const int d = NearSprite(1, tileValue + 1);
    // The near layer tiles at the scenery's period, the front layer at its tiles' own width.
    const float stepA = front ? frame.Step(SpriteWidth(a)) : frame.period;
    const float stepB = front ? frame.Step(SpriteWidth(b)) : frame.period;
    const float stepC = frame.Step(SpriteWidth(c));
    const float stepD = frame.Step(SpriteWidth(d));
    if (stepA < kNarrowestStep || stepB < kNarrowestStep) {
        EndPass();
        return;
    }
    float x = frame.ScreenX(start) - stepA;
    const float seamX = frame.ScreenX(seam) - stepA;
    if (x < seamX) {
        if (std::trunc(x) > 0.0f) x = WrapLeftOf(x, stepA, 0.0f);
        // Past the right edge the rest of the tiles and the end piece are out of sight.
        for (x = SkipToCanvas(x, stepA); x < seamX && x <= width; x += stepA) DrawVisible(a, x, stepC + stepA, y);
    }
    DrawVisible(c, x, front ? stepC + stepA : stepC, y);
    x = frame.ScreenX(start);
    DrawVisible(d, x, stepD, y);
    for (x = SkipToCanvas(x + stepD, stepB); x <= width; x += stepB) DrawVisible(b, x, stepB, y);
    EndPass();
}

void GAME_CBackgroundView::DrawObjects() const
{
    BeginPass(kObjectSpriteGroup, scale_, 0.5f, 1.0f);
    for (GAME_CObjectBGObj* object : active_) {
        if (object != nullptr) object->DrawScaled(scale_);
    }
    EndPass();
}
