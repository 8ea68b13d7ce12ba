// The scroll bar: an integer 0..maximum shown as a framed gauge, changed by the wheel, the menu inputs or a drag.
#include "game/ui/widgets/ui_scroll_bar_object.h"

#include <algorithm>
#include <cmath>

#include "game/services/input/input_map.h"
#include "game/ui/ui_draw.h"

using vesk::math::Vec2;

namespace {

// Whole-pixel lengths: (int)(length / count + 0.5555555).
float WholeSegment(float length, float count) { return static_cast<float>(static_cast<int>(length / count + 0.5555555f)); }

}  // namespace

UIScrollBarObjectDesc* InitUIScrollBarObjectDesc(UIScrollBarObjectDesc* desc)
{
    *desc = UIScrollBarObjectDesc{0.0f, 0.0f, 8.0f, 16.0f, 0, 0, 1.0f, 0, 0, 1, 0, 0};
    return desc;
}

GAME_CUIScrollBarObject::GAME_CUIScrollBarObject(const UIScrollBarObjectDesc* desc)
    : GAME_CUIPlacedObject(kTakesPosition | kTakesVisible)
{
    desc_ = UIDescOrDefaults(desc, InitUIScrollBarObjectDesc);
    position_ = {desc_.positionX, desc_.positionY};
    size_ = {desc_.width, desc_.height};
    rotation_ = desc_.rotated != 0 ? 90.0f : 0.0f;
    maximum_ = std::max(desc_.maximum, 0);
    frameSide_ = FindUISprite("ui_scrollbar_frame_side");
    frameCenter_ = FindUISprite("ui_scrollbar_frame_center");
    gauge_ = FindUISprite("ui_scrollbar_gauge");
    slider_ = FindUISprite("ui_sliderbar_slider");
}

void GAME_CUIScrollBarObject::SetMaximum(std::int32_t maximum)
{
    maximum_ = std::max(maximum, 0);
    value_ = std::clamp(value_, 0, maximum_);
}

void GAME_CUIScrollBarObject::SetValue(std::int32_t value) { value_ = std::clamp(value, 0, maximum_); }

std::int32_t GAME_CUIScrollBarObject::Step(std::int32_t value, std::int32_t delta) const
{
    const std::int64_t moved = static_cast<std::int64_t>(value) + delta;
    if (desc_.clamp != 0) return static_cast<std::int32_t>(std::clamp<std::int64_t>(moved, 0, maximum_));
    const std::int64_t span = static_cast<std::int64_t>(maximum_) + 1;
    return static_cast<std::int32_t>(((moved % span) + span) % span);
}

GAME_CUIScrollBarObject::Area GAME_CUIScrollBarObject::PickArea()
{
    // Rotated or not, the area reaches 3 units beyond the bar in x and 1 in y.
    const Vec2 world = WorldPosition();
    const Vec2 scale = WorldScale();
    const Vec2 extent = desc_.rotated != 0 ? Vec2{size_.y * scale.y * desc_.lengthFactor, size_.x * scale.x}
                                           : Vec2{size_.x * scale.x, size_.y * scale.y * desc_.lengthFactor};
    return {{world.x - 3.0f, world.y - 1.0f}, {world.x + extent.x + 3.0f, world.y + extent.y + 1.0f}};
}

void GAME_CUIScrollBarObject::Update(bool input)
{
    decided_ = 0;
    if (!IsVisible() || !input) return;
    if (dragging_ == 0 && maximum_ >= 1) {
        const Area area = PickArea();
        if (IsUIClickInRect(area.from, area.to)) {
            dragging_ = 1;
            decided_ = 1;
        }
    }
    const bool started = decided_ != 0;
    if (!started && desc_.wheel != 0) {
        const std::int32_t steps = UIWheelSteps();
        if (steps != 0) {
            value_ = Step(value_, -steps);
            PlayUISE(kSeUICursor);
            decided_ = 1;
        }
    }
    if (desc_.keyboard != 0) {
        const int back = desc_.rotated != 0 ? kUIMenuLeft : kUIMenuUp;
        const int on = desc_.rotated != 0 ? kUIMenuRight : kUIMenuDown;
        const std::int32_t before = value_;
        if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, back)) {
            value_ = Step(value_, -1);
        } else if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, on)) {
            value_ = Step(value_, 1);
        }
        if (value_ != before) PlayUISE(kSeUICursor);
    }
    // The press that starts a drag already takes the value under it: a quick click is down for that frame only.
    if (dragging_ != 0) UpdateDrag();
}

void GAME_CUIScrollBarObject::UpdateDrag()
{
    if (maximum_ < 1) {
        dragging_ = 0;
        return;
    }
    const Vec2 world = WorldPosition();
    const Vec2 scale = WorldScale();
    const bool across = desc_.rotated != 0;
    const float length = size_.y * (across ? scale.x : scale.y) * desc_.lengthFactor - 2.0f;
    const float start = (across ? world.x : world.y) + 1.0f;
    const float step = length / static_cast<float>(maximum_ + 1);
    for (std::int32_t i = 0; i <= maximum_; ++i) {
        const float low = start + step * static_cast<float>(i);
        const float high = low + step;
        const Vec2 topLeft = across ? Vec2{low, 0.0f} : Vec2{0.0f, low};
        const Vec2 bottomRight = across ? Vec2{high, kCanvasHeight} : Vec2{kCanvasWidth, high};
        if (IsUIDownInRect(topLeft, bottomRight)) {
            value_ = i;
            decided_ = 1;
            return;
        }
    }
    if (!across) {
        if (IsUIDownInRect({0.0f, -kCanvasHeight}, {kCanvasWidth, start})) {
            value_ = 0;
            decided_ = 1;
            return;
        }
        if (IsUIDownInRect({0.0f, start + length}, {kCanvasWidth, kCanvasHeight * 2.0f})) {
            value_ = maximum_;
            decided_ = 1;
            return;
        }
    }
    if (!IsAnyUIPointerHeld()) dragging_ = 0;
}

void GAME_CUIScrollBarObject::DrawFrame(Vec2 origin, float length)
{
    // End caps, and the centre piece tiled between them (the last tile cut to what remains).
    const Vec2 sideSize = UISpriteSize(frameSide_);
    const Vec2 centreSize = UISpriteSize(frameCenter_);
    const bool rotated = desc_.rotated != 0;
    const float cap = sideSize.y;
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    if (rotated) {
        param.angle = -90.0f;
        param.pivotY = 1.0f;
    }
    auto at = [&](float along) { return rotated ? Vec2{origin.x + along, origin.y} : Vec2{origin.x, origin.y + along}; };
    DrawUISprite(at(0.0f), frameSide_, param);
    const float inner = length - 2.0f * cap;
    const float tile = centreSize.y > 0.0f ? centreSize.y : 1.0f;
    for (float along = 0.0f; along < inner; along += tile) {
        vesk::graphics::DrawParam piece = param;
        piece.scaleY = std::min(tile, inner - along) / tile;
        DrawUISprite(at(cap + along), frameCenter_, piece);
    }
    vesk::graphics::DrawParam end = param;
    end.flipY = 1;
    DrawUISprite(at(length - cap), frameSide_, end);
}

void GAME_CUIScrollBarObject::Draw()
{
    if (!IsVisible() || (maximum_ < 1 && desc_.drawWhenEmpty == 0)) return;
    const Vec2 world = WorldPosition();
    const Vec2 scale = WorldScale();
    const float length = size_.y * scale.y * desc_.lengthFactor;
    const float across = size_.x * scale.x;
    DrawFrame(world, length);
    if (maximum_ < 1) return;
    const bool rotated = desc_.rotated != 0;
    if (desc_.knob != 0) {
        const Vec2 knobSize = UISpriteSize(slider_);
        const float travel = length - knobSize.y;
        const float along = travel * static_cast<float>(value_) / static_cast<float>(maximum_);
        vesk::graphics::DrawParam param;
        vesk::graphics::InitDrawParam(param);
        param.pivotX = 0.5f;
        if (rotated) {
            param.angle = -90.0f;
            DrawUISprite({world.x + along, world.y + across * 0.5f}, slider_, param);
        } else {
            DrawUISprite({world.x + across * 0.5f, world.y + along}, slider_, param);
        }
        return;
    }
    const Vec2 gaugeSize = UISpriteSize(gauge_);
    if (gaugeSize.y <= 0.0f) return;
    const float track = length - 4.0f;
    // A segment is at least a pixel, or a long list's gauge would vanish.
    const float segment = std::max(1.0f, WholeSegment(track, static_cast<float>(maximum_ + 1)));
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    param.scaleY = segment / gaugeSize.y;
    // Rounded up to whole pixels, the segments of a long list add up to more than the track: the
    // gauge then spreads over the track instead of running past the bar's end.
    const bool segmentsFit = segment * static_cast<float>(maximum_ + 1) <= track;
    const float along = 2.0f + (segmentsFit ? segment * static_cast<float>(value_)
                                            : std::floor(std::max(0.0f, track - segment) * static_cast<float>(value_) / static_cast<float>(maximum_)));
    if (rotated) {
        param.angle = -90.0f;
        param.pivotY = 1.0f;
        DrawUISprite({world.x + along, world.y}, gauge_, param);
    } else {
        param.scaleX = gaugeSize.x > 0.0f ? (across - 2.0f) / gaugeSize.x : 1.0f;
        DrawUISprite({world.x + 1.0f, world.y + along}, gauge_, param);
    }
}
