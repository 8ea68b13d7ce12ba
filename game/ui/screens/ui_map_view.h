// The world map's view: its zoom and its scroll into the map picture, and where a map point lands on the canvas.
#pragma once

#include "framework/math/vector.h"

// The map picture is 700 by 430 map units; the view shows a 284 by 136 unit window of the canvas,
// at zoom z covering 284 / z by 136 / z map units from the scroll on (scroll is the map point at the
// view's top-left corner at zoom 1, the view zooming about its centre).
struct UIMapView {
    static constexpr vesk::math::Vec2 kOrigin{108.0f, 118.0f};
    static constexpr vesk::math::Vec2 kSize{284.0f, 136.0f};
    static constexpr vesk::math::Vec2 kCentre{250.0f, 186.0f};
    static constexpr vesk::math::Vec2 kPicture{700.0f, 430.0f};
    static constexpr float kMinZoom = 1.0f;
    static constexpr float kMaxZoom = 2.0f;
    static constexpr float kZoomStep = 0.05f;

    float zoom = 1.0f;
    vesk::math::Vec2 scroll{};

    // The least and the greatest scroll at the zoom: the view never leaves the picture.
    static vesk::math::Vec2 MinScroll(float zoom);
    static vesk::math::Vec2 MaxScroll(float zoom);
    static vesk::math::Vec2 ClampScroll(vesk::math::Vec2 scroll, float zoom);
    // The scroll that puts the map point in the view's centre, within the bounds of the zoom.
    vesk::math::Vec2 Centring(vesk::math::Vec2 point) const;
    // The canvas position of a map point; slideY moves everything with the sliding window.
    vesk::math::Vec2 ToCanvas(vesk::math::Vec2 point, float slideY = 0.0f) const;
    // The zoom a slider value (0..100) stands for, and back (whole hundredths).
    static float ZoomOfSlider(int value);
    static int SliderOfZoom(float zoom);
};
