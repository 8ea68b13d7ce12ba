// Gesture recognition of touch points: taps, drags and pinches.
#include "framework/input/touch_point.h"

#include <cmath>

namespace vesk::input {

namespace {

const TouchPoint* FindPinchPartner(const TouchList& points, const TouchPoint& point)
{
    for (const TouchPoint* other : points) {
        if (other == &point || other == nullptr) {
            continue;
        }
        const bool live = other->state == kTouchHeld || other->state == kTouchIdle;
        if (live && (point.id == 0 || other->id == point.id)) {
            return other;
        }
    }
    return nullptr;
}

void RecordPinch(TouchPoint& point, const TouchPoint& other)
{
    const float dx = static_cast<float>(other.x - point.x);
    const float dy = static_cast<float>(other.y - point.y);
    point.pinchDistance = std::sqrt(dx * dx + dy * dy);
    point.pinchCentreX = (static_cast<float>(point.x) + static_cast<float>(other.x)) * 0.5f;
    point.pinchCentreY = (static_cast<float>(point.y) + static_cast<float>(other.y)) * 0.5f;
    if (point.gesture != Gesture::Pinch) {
        point.pinchStartDistance = point.pinchDistance;
    }
    point.gesture = Gesture::Pinch;
}

// Whether the point is still short and still enough to be a tap. The distance
// from the start decides; a product of the two offsets would let a long
// straight drag pass, because one offset is then 0.
bool WithinTapLimits(const TouchPoint& point)
{
    const int32_t dx = point.x - point.startX;
    const int32_t dy = point.y - point.startY;
    return point.frames <= kTapMaxFrames && dx * dx + dy * dy <= kTapMaxDistance * kTapMaxDistance;
}

void Recognize(const TouchList& points, TouchPoint& point)
{
    if (const TouchPoint* partner = FindPinchPartner(points, point)) {
        RecordPinch(point, *partner);
        return;
    }
    bool tapped = false;
    if (WithinTapLimits(point)) {
        point.flags |= kTouchWithinTapLimits;
        tapped = point.state == kTouchReleased;
    } else {
        point.flags &= ~kTouchWithinTapLimits;
    }
    if (point.state == kTouchHeld) {
        point.flags |= kTouchHeldFlag;
        if (point.moveX != 0 || point.moveY != 0) {
            point.gesture = Gesture::Drag;
            point.counter = 1;
        } else {
            point.gesture = Gesture::None;
        }
    } else {
        point.flags &= ~kTouchHeldFlag;
        point.gesture = Gesture::None;
    }
    // The release ends the hold and reports the tap in the same frame.
    if (tapped) {
        point.gesture = Gesture::Tap;
        ++point.counter;
    }
}

}  // namespace

void RecognizeGestures(const TouchList& points)
{
    for (TouchPoint* point : points) {
        if (point != nullptr && point->state != kTouchNone) {
            Recognize(points, *point);
        }
    }
}

}  // namespace vesk::input
