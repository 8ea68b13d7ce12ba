// The world map screen (slot 21), the bridge's room screen: the map of the discovered hideouts and their roads, a point's panel, the choice of the next target, and the bridge's task page.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "framework/math/vector.h"
#include "game/services/data/record_entries.h"
#include "game/ui/room_screen.h"
#include "game/ui/screens/ui_map_view.h"

struct HideoutData;
struct RouteData;
class GAME_CUISlider;

// The first page shows the map: a window onto the map picture with the roads and the discovered
// hideouts, the ship's place on its road, a marker on a scanned road with what the scan found, and
// a panel about one hideout (its name, the distance, time and fuel to it, its fuel price, its quests
// and market goods). In Browse a cursor walks the hideouts; deciding on one asks whether the ship
// should head there and, on yes, starts the road. The second page is the shared task page.
class GAME_CUIMap : public GAME_CUIRoomScreen, public UIScreenSlot<kSlotMap> {
public:
    // The page and what the map page's input does: the controls of the page, the task page, the
    // cursor over the map, the target question.
    enum class Mode : std::int32_t { kMap = 0, kTask = 1, kBrowse = 2, kConfirm = 3 };
    // The panel's lines.
    enum PanelLine : int { kLineName, kLineDistance, kLineTime, kLineFuelNeed, kLineFuelPrice, kLineAccepted, kLineAcceptable, kLineCount };

    // A discovered hideout: its id, its record and its position in the hideout map.
    struct Point {
        std::uint32_t id = kNoId;
        const HideoutData* record = nullptr;
        std::int32_t index = -1;
    };

    explicit GAME_CUIMap(const UIScreenContext& context);
    ~GAME_CUIMap() override;

    // Written by the screen manager just before it opens the screen: 1 while the ship stands at a
    // route end, and the ends of its route in travel direction.
    std::uint32_t atStop = 1;
    std::uint32_t openFromId = kNoId;
    std::uint32_t openToId = kNoId;

    // What the screen shows, for those who look at it.
    Mode CurrentMode() const { return pages_.Current(); }
    const UIMapView& View() const { return view_; }
    const std::vector<Point>& DiscoveredPoints() const { return discovered_; }
    std::int32_t CursorPointIndex() const { return cursorPoint_; }
    const GAME_CUILabelObject* PanelLabel(PanelLine line) const { return panel_[static_cast<std::size_t>(line)]; }
    const GAME_CUISlider* ZoomSlider() const { return slider_; }
    // The marker on the candidate road: shown, and the two counts it shows (-1 where a line is hidden).
    bool IsRouteMarkerShown() const;
    std::int32_t MarkerItemCount() const { return markerCounts_[0]; }
    std::int32_t MarkerEnemyCount() const { return markerCounts_[1]; }

    // The map picture, roads, points and markers as the map view's hook draws them, within its clip.
    void DrawMapPicture();

protected:
    bool ShowsTaskPage() const override { return pages_.Is(Mode::kTask); }
    void OnEnterOpening() override;
    void OnEveryFrame() override;
    void UpdateMain(bool input) override;

private:
    // The map page's focus places.
    enum MapFocus : std::int32_t { kFocusView = 1, kFocusTaskTab = 2, kFocusMapTab = 3, kFocusSkipRight = 4, kFocusSkipLeft = 5 };
    // What holds the pointer: a zoom button, or a drag of the map.
    enum class PointerHold : std::int32_t { kNone = 0, kZoomIn = 1, kZoomOut = 2, kDrag = 3 };
    static constexpr int kItemSlots = 12;

    // The road between the current location and the selected point (none: no route).
    struct Candidate {
        std::uint32_t fromId = kNoId;
        std::uint32_t toId = kNoId;
        std::uint32_t routeId = kNoId;
        const RouteData* route = nullptr;
        const HideoutData* from = nullptr;
        const HideoutData* to = nullptr;
    };
    // One line of the route marker: its picture, its sign and its two digits.
    struct MarkerLine {
        GAME_CUINullObject* icon = nullptr;
        GAME_CUINullObject* sign = nullptr;
        std::array<GAME_CUINullObject*, 2> digits{};
    };
    // One of the marker's two leader shapes: its anchor, its two plates and the anchor of the second.
    struct MarkerShape {
        GAME_CUINullObject* anchor = nullptr;
        GAME_CUINullObject* firstPlate = nullptr;
        GAME_CUINullObject* elbow = nullptr;
        GAME_CUINullObject* secondPlate = nullptr;
    };

    // --- building (ui_map_layout.cpp)
    void BuildMapPage();
    void BuildTaskPage();
    void BuildRouteMarker();
    void LoadMapPicture();

    // --- modes and input (ui_map.cpp)
    // The tab buttons.
    void OnMapTab();
    void OnTaskTab();
    void EnterMode(Mode mode);
    void UpdateMapFocus(bool input);
    void PlaceMapFocus();
    void UpdateBrowse(bool input);
    // False when a zoom button took the input.
    bool UpdateZoomButtons(bool input);
    void UpdateMapView(bool input);
    void WriteZoom(float zoom);
    float SlideY() const;

    // --- the panel and the selection (ui_map_select.cpp)
    // The discovered points anew from the slot's bits.
    void BuildDiscoveredPointList();
    // The selection, as the pointer on a point and a direction do; nothing with fewer than two
    // discovered points.
    void SelectPointById(std::uint32_t id);
    void StepCursor(float dx, float dy);
    // A market good's icon.
    void OnMarketItemIcon(GAME_CUIIconObject* icon);
    void ShowPointPanel(const Point& point);
    void Select(const Point& point);
    void FindCandidate(const Point& point);
    void ShowCandidateLines(const Point& point);
    // The time line at its place, or further right when the distance line reaches it.
    void PlaceTimeLine();
    void ShowRouteScanInfo(std::uint32_t routeId);
    void HideRouteMarker();
    void PlaceRouteMarker();
    bool CanSelect() const;

    // --- the target (ui_map_target.cpp)
    void RequestTarget();
    void OpenTargetDialog();
    void UpdateTargetDialog();
    void StartTargetRoute();

    // --- drawing (ui_map_draw.cpp)
    // What DrawMapPicture draws inside the clip but the route marker.
    void DrawMapContents();
    void DrawMapDimmer();
    std::uint32_t FadeAlpha() const;

    GAME_CRoomBase* Room() const { return target; }

    UIPages<Mode> pages_{Mode::kMap};
    UIMapView view_{};
    vesk::math::Vec2 scrollTarget_{};
    bool scrollMoving_ = false;
    PointerHold pointerHold_ = PointerHold::kNone;
    std::int32_t zoomHoldFrames_ = 0;
    std::int32_t focus_ = kFocusView;
    bool confirmPending_ = false;
    std::uint32_t frameCounter_ = 0;
    std::int32_t transitionFrames_ = 0;
    UIScreenState lastState_ = kClosed;

    std::vector<Point> discovered_;
    std::int32_t currentPoint_ = -1;
    std::int32_t cursorPoint_ = -1;
    Candidate candidate_{};
    const HideoutData* travelFrom_ = nullptr;
    const HideoutData* travelTo_ = nullptr;
    std::uint32_t targetId_ = kNoId;

    std::array<GAME_CUILabelObject*, kLineCount> panel_{};
    std::array<GAME_CUIIconObject*, kItemSlots> items_{};
    GAME_CUINullObject* zoomMinus_ = nullptr;
    GAME_CUINullObject* zoomPlus_ = nullptr;
    GAME_CUISlider* slider_ = nullptr;

    std::array<MarkerShape, 2> shapes_{};
    GAME_CUINullObject* markerRoot_ = nullptr;
    std::array<MarkerLine, 2> markerLines_{};
    std::array<std::int32_t, 2> markerCounts_{-1, -1};
    std::int32_t markerShape_ = -1;
    const RouteData* markerRoute_ = nullptr;
    std::vector<GAME_CUIObjectBase*> markerWidgets_;

    std::int32_t mapPicture_ = -1;
    std::int32_t pointSprite_ = -1;
    std::int32_t newSprite_ = -1;
    std::int32_t shipSprite_ = -1;
    std::int32_t nextArrowSprite_ = -1;
    std::int32_t nextRingSprite_ = -1;
    std::array<std::int32_t, 10> digitSprites_{};
};
