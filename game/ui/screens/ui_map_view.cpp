// The world map's view: its zoom and its scroll into the map picture, and where a map point lands on the canvas.
#include "game/ui/screens/ui_map_view.h"

#include <algorithm>

using vesk::math::Vec2;

Vec2 UIMapView::MinScroll(float zoom)
{
    // Zoomed in, the view shows less of the picture round the same centre: its scroll may go below 0
    // by half of what it no longer shows.
    return {(zoom - 1.0f) * kSize.x * -0.25f, (zoom - 1.0f) * kSize.y * -0.25f};
}

Vec2 UIMapView::MaxScroll(float zoom)
{
    const Vec2 least = MinScroll(zoom);
    return {std::max(least.x, kPicture.x - kSize.x - least.x), std::max(least.y, kPicture.y - kSize.y - least.y)};
}

Vec2 UIMapView::ClampScroll(Vec2 scroll, float zoom)
{
    const Vec2 least = MinScroll(zoom);
    const Vec2 most = MaxScroll(zoom);
    return {std::clamp(scroll.x, least.x, most.x), std::clamp(scroll.y, least.y, most.y)};
}

Vec2 UIMapView::Centring(Vec2 point) const
{
    return ClampScroll({point.x - kSize.x * 0.5f, point.y - kSize.y * 0.5f}, zoom);
}

Vec2 UIMapView::ToCanvas(Vec2 point, float slideY) const
{
    return {kCentre.x + (point.x - (scroll.x + kSize.x * 0.5f)) * zoom,
            kCentre.y + (point.y - (scroll.y + kSize.y * 0.5f)) * zoom + slideY};
}

float UIMapView::ZoomOfSlider(int value) { return kMinZoom + static_cast<float>(value) / 100.0f; }

int UIMapView::SliderOfZoom(float zoom)
{
    // A hair over the whole part, so that a zoom read back from its slider value gives that value again.
    return static_cast<int>((zoom - kMinZoom) * 100.0f + 0.001f);
}
