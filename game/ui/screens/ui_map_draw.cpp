// The world map's view as drawn: the clip round the view, the picture, the roads, the points, the ship and destination markers, the route marker, and the dimmer of the page's controls.
#include <algorithm>
#include <cmath>

#include "framework/graphics/device_record.h"
#include "framework/graphics/polygon_render.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/save/working_slot.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_map.h"
#include "game/ui/ui_draw.h"

using vesk::math::Vec2;

namespace {

// Colour words (red in the low byte).
constexpr std::uint32_t kViewGround = 0xFF2B4C24u;
constexpr std::uint32_t kDimmer = 0x80000000u;
constexpr std::uint32_t kOrdinaryRoad = 0xFF808080u;
constexpr std::uint32_t kCurrentRoad = 0xFF00FFFFu;
constexpr std::uint32_t kCandidateRoad = 0xFFFFFFFFu;
// Roads are bands this wide, in whole units either side of the line.
constexpr std::int32_t kRoadWidth = 5;
constexpr std::uint32_t kMarkerPeriod = 60;
constexpr std::uint32_t kMarkerHalf = 30;

std::uint32_t WithAlpha(std::uint32_t color, std::uint32_t alpha) { return (color & 0x00FFFFFFu) | (alpha << 24); }

bool IsDiscovered(const HideoutData* record)
{
    return record != nullptr && record->discoveryBit >= 0 && working_slot::StoryFlag(static_cast<std::uint32_t>(record->discoveryBit));
}

Vec2 MapPlace(const HideoutData& record) { return {static_cast<float>(record.mapX), static_cast<float>(record.mapY)}; }

// A sprite whose pivot (fractions of its size) stands on the position.
void DrawPivoted(Vec2 position, std::int32_t sprite, float pivotX, float pivotY, std::uint32_t color, float scale = 1.0f)
{
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    param.pivotX = pivotX;
    param.pivotY = pivotY;
    param.scaleX = scale;
    param.scaleY = scale;
    param.color = color;
    DrawUISprite(position, sprite, param);
}

}  // namespace

// The view's ground and everything on the map change only the pixels inside the view, which moves
// with the window.
void GAME_CUIMap::DrawMapPicture()
{
    const float slide = SlideY();
    const Vec2 origin{UIMapView::kOrigin.x, UIMapView::kOrigin.y + slide};
    FlushUISprites();
    ClipUIDraws(origin, UIMapView::kSize);
    DrawUIRect(origin, UIMapView::kSize, kViewGround);
    DrawMapContents();
    PlaceRouteMarker();
    for (GAME_CUIObjectBase* widget : markerWidgets_) widget->Draw();
    FlushUISprites();
    ClearUIClip();
}

void GAME_CUIMap::DrawMapDimmer()
{
    if (!pages_.Is(Mode::kMap)) return;
    DrawUIRect({UIMapView::kOrigin.x, UIMapView::kOrigin.y + SlideY()}, UIMapView::kSize, kDimmer);
}

std::uint32_t GAME_CUIMap::FadeAlpha() const
{
    const float share = std::clamp(static_cast<float>(transitionFrames_) / static_cast<float>(kSlideFrames), 0.0f, 1.0f);
    if (State() == kOpening) return static_cast<std::uint32_t>(255.0f * share);
    if (State() == kClosing) return static_cast<std::uint32_t>(255.0f * (1.0f - share));
    return 255;
}

void GAME_CUIMap::DrawMapContents()
{
    const GAME_CStaticDatabase* database = Context().Database();
    vesk::graphics::DeviceRecord* device = vesk::graphics::GetDeviceRecord();
    if (database == nullptr || device == nullptr) return;
    const GAME_CGameWorld& world = Context().world;
    const GAME_CRouteManager* route = world.travel ? world.travel->routeManager.get() : nullptr;
    const float slide = SlideY();
    const std::uint32_t alpha = FadeAlpha();

    // The road the ship is on: at a stop the one between the route's ends, under way its own.
    std::uint32_t activeId = kNoId;
    const RouteData* active = nullptr;
    if (atStop != 0) {
        std::int32_t position = -1;
        if (database->FindRouteBetween(openFromId, openToId, &position) != nullptr) active = database->GetRouteDataAt(position, &activeId);
    } else if (route != nullptr) {
        activeId = route->GetRouteId();
        active = route->GetRouteRecord();
    }
    if (active == nullptr) active = database->GetRouteDataAt(0, &activeId);

    if (mapPicture_ >= 0) {
        vesk::graphics::DrawParam param;
        vesk::graphics::InitDrawParam(param);
        param.scaleX = view_.zoom;
        param.scaleY = view_.zoom;
        param.color = WithAlpha(kUIWhite, alpha);
        DrawGroupSprite(-1, view_.ToCanvas({0.0f, 0.0f}, slide), mapPicture_, param);
    }

    if (!database->Hideouts().empty()) {
        const bool showsCandidate = atStop != 0 && cursorPoint_ != -1 && cursorPoint_ != currentPoint_;
        FlushUISprites();
        vesk::graphics::BeginColorPolygonDraw();
        const float half = static_cast<float>(kRoadWidth >> 1);
        for (const auto& [id, road] : database->Routes()) {
            if (!IsDiscovered(road.startHideout) || !IsDiscovered(road.endHideout)) continue;
            const Vec2 a = view_.ToCanvas(MapPlace(*road.startHideout), slide);
            const Vec2 b = view_.ToCanvas(MapPlace(*road.endHideout), slide);
            const float length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
            if (length <= 0.0f) continue;
            const Vec2 side{-(b.y - a.y) / length * half, (b.x - a.x) / length * half};
            std::uint32_t color = kOrdinaryRoad;
            if (atStop == 0 && id == activeId) color = kCurrentRoad;
            if (showsCandidate && id == candidate_.routeId) color = kCandidateRoad;
            device->colorRenderer.AddQuad({a.x + side.x, a.y + side.y}, {a.x - side.x, a.y - side.y}, {b.x + side.x, b.y + side.y},
                                          {b.x - side.x, b.y - side.y}, WithAlpha(color, alpha));
        }
        device->colorRenderer.Flush();
    }

    const Vec2 pointSize = UISpriteSize(pointSprite_);
    std::int32_t index = 0;
    for (const auto& [id, record] : database->Hideouts()) {
        const std::int32_t position = index++;
        if (!IsDiscovered(&record)) continue;
        const Vec2 at = view_.ToCanvas(MapPlace(record), slide);
        DrawPivoted(at, pointSprite_, 0.5f, 0.5f, WithAlpha(position == cursorPoint_ ? kUIWhite : kUIGrey, alpha));
        if (!working_slot::HideoutVisited(static_cast<std::uint32_t>(position))) {
            DrawPivoted({at.x + pointSize.x * 0.5f, at.y - pointSize.y * 0.5f}, newSprite_, 0.5f, 0.5f, WithAlpha(kUIWhite, alpha));
        }
    }

    // The ship on its road, when the road's two ends are on the map.
    if (route != nullptr && IsDiscovered(travelFrom_) && IsDiscovered(travelTo_)) {
        const float t = static_cast<float>(route->GetPosition()) / static_cast<float>(std::max(1, active != nullptr ? active->length : 1));
        const Vec2 a = MapPlace(*travelFrom_);
        const Vec2 b = MapPlace(*travelTo_);
        DrawPivoted(view_.ToCanvas({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}, slide), shipSprite_, 0.5f, 1.0f, WithAlpha(kUIWhite, alpha));
    }

    // The destination's arrow bobs over 60 frames; in its second half a ring grows and fades under it.
    const HideoutData* destination = nullptr;
    if (atStop == 0) {
        destination = travelTo_;
    } else if (cursorPoint_ != currentPoint_) {
        destination = candidate_.to;
    }
    if (destination != nullptr) {
        const std::uint32_t c = frameCounter_ % kMarkerPeriod;
        const Vec2 at = view_.ToCanvas(MapPlace(*destination), slide);
        std::uint32_t rise = c >> 2;
        if (c >= kMarkerHalf) {
            const float grown = static_cast<float>(c - kMarkerHalf);
            const auto fade = static_cast<std::uint32_t>(255 - static_cast<std::int32_t>(grown / static_cast<float>(kMarkerHalf) * 255.0f));
            DrawPivoted(at, nextRingSprite_, 0.5f, 0.5f, WithAlpha(kUIWhite, fade), grown * 1.25f * 0.033f);
            rise = (kMarkerPeriod - c) >> 2;
        }
        DrawPivoted({at.x, at.y - static_cast<float>(rise)}, nextArrowSprite_, 0.5f, 1.0f, kUIWhite);
    }
    FlushUISprites();
}
