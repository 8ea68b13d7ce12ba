// The world map screen: its opening on the ship's place, its four modes, the map page's focus, the cursor's walk, the zoom and the scroll.
#include "game/ui/screens/ui_map.h"

#include <algorithm>
#include <array>

#include "framework/input/touch_point.h"
#include "game/model/ship/room_base.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/focus_map.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_slider.h"

using vesk::math::Vec2;

namespace {

// The bridge remembers the page the screen showed last: 0 the map, 1 the tasks.
constexpr std::int32_t kRememberMap = 0;
constexpr std::int32_t kRememberTasks = 1;
// A point takes the pointer within this square about it.
constexpr float kPointHitHalf = 8.0f;
// A drag moves the map once the pointer has been held this long, by half its movement.
constexpr std::int32_t kDragHoldFrames = 7;
constexpr float kDragFactor = 0.5f;
constexpr float kScrollEase = 0.25f;
constexpr float kScrollRestDistance = 0.00001f;
constexpr float kStickDeadZone = 0.1f;

const GAME_CRouteManager* RouteOf(const GAME_CGameWorld& world)
{
    return world.travel ? world.travel->routeManager.get() : nullptr;
}

// The ship stands at a route end (or has no route).
bool StandsAtRouteEnd(const GAME_CRouteManager* route)
{
    return route == nullptr || route->GetPosition() < 1 || route->GetPosition() >= route->GetLength();
}

bool PointerDownOn(GAME_CUINullObject* picture)
{
    const Vec2 at = picture->WorldPosition();
    const Vec2 size = UISpriteSize(picture->Sprite());
    return IsUIDownInRect(at, {at.x + size.x, at.y + size.y});
}

}  // namespace

// The pages' roots rest at the canvas origin: their height is how far the window has slid.
float GAME_CUIMap::SlideY() const { return firstRoot_->GetPosition()->y; }

void GAME_CUIMap::OnMapTab()
{
    pages_.Go(Mode::kMap);
    if (GAME_CRoomBase* room = Room()) room->rememberedTab = kRememberMap;
}

void GAME_CUIMap::OnTaskTab()
{
    pages_.Go(Mode::kTask);
    if (GAME_CRoomBase* room = Room()) room->rememberedTab = kRememberTasks;
}

void GAME_CUIMap::OnEnterOpening()
{
    BeginOpening();
    firstFrame_.title->SetTextA("ADD_TEXT_UI_MAP_TITLE");
    GAME_CGameWorld& world = Context().world;
    world.SetFieldStick(false);
    confirmPending_ = false;
    pointerHold_ = PointerHold::kNone;
    transitionFrames_ = 0;
    WriteZoom(UIMapView::kMinZoom);
    LoadMapPicture();
    pages_.Reset(Room() != nullptr && Room()->rememberedTab == kRememberTasks ? Mode::kTask : Mode::kMap);
    candidate_ = {};

    const GAME_CRouteManager* route = RouteOf(world);
    atStop = StandsAtRouteEnd(route) ? 1 : 0;
    BuildDiscoveredPointList();
    const GAME_CStaticDatabase* database = Context().Database();
    const std::uint32_t here = route != nullptr && route->GetPosition() < route->GetLength() ? openFromId : openToId;
    std::int32_t index = -1;
    const HideoutData* location = database != nullptr ? database->FindHideoutDataIndexed(here, &index) : nullptr;
    if (location != nullptr) currentPoint_ = cursorPoint_ = index;
    travelFrom_ = route != nullptr && database != nullptr ? database->FindHideoutData(route->GetDeparture()) : nullptr;
    travelTo_ = route != nullptr && database != nullptr ? database->FindHideoutData(route->GetDestination()) : nullptr;

    // The view stands where the ship is on its road; with an end off the map, on the location.
    if (route != nullptr && travelFrom_ != nullptr && travelTo_ != nullptr) {
        const float t = static_cast<float>(route->GetPosition()) / static_cast<float>(std::max(1, route->GetLength()));
        const Vec2 half{UIMapView::kSize.x * 0.5f, UIMapView::kSize.y * 0.5f};
        const Vec2 from{static_cast<float>(travelFrom_->mapX) - half.x, static_cast<float>(travelFrom_->mapY) - half.y};
        const Vec2 to{static_cast<float>(travelTo_->mapX) - half.x, static_cast<float>(travelTo_->mapY) - half.y};
        view_.scroll = UIMapView::ClampScroll({(1.0f - t) * from.x + t * to.x, (1.0f - t) * from.y + t * to.y}, view_.zoom);
    } else if (location != nullptr) {
        view_.scroll = view_.Centring({static_cast<float>(location->mapX), static_cast<float>(location->mapY)});
    }
    scrollTarget_ = view_.scroll;
    scrollMoving_ = false;

    // The road lines of a point chosen before the map last closed do not belong to the ship's place.
    for (const PanelLine line : {kLineDistance, kLineTime, kLineFuelNeed}) panel_[line]->SetTextA("");
    if (location != nullptr) ShowPointPanel({here, location, index});
    if (route != nullptr && atStop == 0) {
        panel_[kLineDistance]->SetTextW(
            FormatUIMessage("MAPUI_REMAINDISTANCE_FORMAT", {UIFullWidthNumber(route->GetLength() - route->GetPosition())}).c_str());
    }
    ShowRouteScanInfo(route != nullptr ? route->GetRouteId() : kNoId);
    UpdateMapView(false);
    EnterTaskPage();
    PlaceMapFocus();
}

void GAME_CUIMap::OnEveryFrame()
{
    ++frameCounter_;
    if (State() != lastState_) transitionFrames_ = 0;
    lastState_ = State();
    if (State() == kOpening || State() == kClosing) ++transitionFrames_;
    if (State() == kClosing && transitionFrames_ == 1) Context().world.SetFieldStick(true);
}

void GAME_CUIMap::UpdateMain(bool input)
{
    const std::int32_t infoScroll = taskTab_.ScrollBar()->Value();
    pages_.Advance([this](Mode mode) { EnterMode(mode); });
    switch (pages_.Current()) {
    case Mode::kTask:
        UpdateTaskPage(input);
        AnswerInfoScroll(infoScroll);
        return;
    case Mode::kMap: UpdateMapFocus(input); break;
    case Mode::kBrowse: UpdateBrowse(input); break;
    case Mode::kConfirm:
        firstRoot_->UpdateTree(false);
        UpdateTargetDialog();
        break;
    }
}

void GAME_CUIMap::EnterMode(Mode mode)
{
    GAME_CGameWorld& world = Context().world;
    world.SetFieldStick(false);
    switch (mode) {
    case Mode::kMap: PlaceMapFocus(); break;
    case Mode::kTask: EnterTaskPage(); break;
    case Mode::kBrowse:
        PlaceMapFocus();
        world.SetFieldStick(true);
        break;
    case Mode::kConfirm: OpenTargetDialog(); break;
    }
}

// The map page's five places: the map view, the two tabs and the two skip arrows. Steps between
// them go without a sound.
void GAME_CUIMap::UpdateMapFocus(bool input)
{
    if (firstRoot_->IsAnyDecided()) input = false;
    input = firstRoot_->UpdateTree(input) && input;
    taskRoot_->UpdateTree(false);
    if (!input) return;
    if (IsUIActionTriggered(kActionMenuTabChange)) {
        firstFrame_.taskTab->Press();
        return;
    }
    const auto& at = taskTab_.Layout().focusPlaces;
    constexpr std::int32_t none = kUINoFocus;
    const std::array<UIFocusPlace, 5> places{{
        {.id = kFocusView, .pointer = UIMapView::kCentre, .marker = gridCursorSprite_,
         .next = {none, kFocusMapTab, kFocusSkipLeft, kFocusSkipRight}, .silent = true},
        {.id = kFocusTaskTab, .pointer = at[0], .marker = arrowSprite_, .next = {kFocusView, none, kFocusMapTab, kFocusSkipRight},
         .silent = true, .button = firstFrame_.taskTab},
        {.id = kFocusMapTab, .pointer = at[1], .marker = arrowSprite_, .next = {kFocusView, none, kFocusSkipLeft, kFocusTaskTab},
         .silent = true, .button = firstFrame_.firstTab},
        {.id = kFocusSkipRight, .pointer = at[2], .marker = gridCursorSprite_, .next = {none, none, kFocusView, none}, .silent = true,
         .button = firstFrame_.skipRight},
        {.id = kFocusSkipLeft, .pointer = at[3], .marker = gridCursorSprite_, .next = {none, none, none, kFocusView}, .silent = true,
         .button = firstFrame_.skipLeft},
    }};
    const UIFocusMap map(places);
    const std::int32_t before = focus_;
    bool acted = false;
    for (const int direction : {kUIFocusUp, kUIFocusRight, kUIFocusLeft, kUIFocusDown}) {
        if (IsUIMenuSlot(GAME_CInputMap::kModePressed, direction) && map.Step(focus_, direction)) {
            acted = true;
            break;
        }
    }
    if (!acted && IsUIActionTriggered(kActionDecide)) {
        acted = true;
        if (focus_ == kFocusView) {
            pages_.Go(Mode::kBrowse);
        } else {
            map.Press(focus_);
        }
    }
    if (!acted && IsUIActionTriggered(kActionCancel)) firstFrame_.close->Press();
    if (focus_ == before && IsUIClickInRect(UIMapView::kOrigin, {UIMapView::kOrigin.x + UIMapView::kSize.x, UIMapView::kOrigin.y + UIMapView::kSize.y})) {
        pages_.Go(Mode::kBrowse);
        focus_ = kFocusView;
    }
    if (focus_ != before) PlaceMapFocus();
}

// In Map the focus frame stands on its place; in Browse it is gone (the cursor is on the map).
void GAME_CUIMap::PlaceMapFocus()
{
    const bool shown = pages_.Asked() == Mode::kMap;
    if (focus_ != kFocusView) {
        PlaceFirstCursorOnButton(focus_, UIRoomFirstPageFocus::Numbered(kFocusView), shown);
        return;
    }
    GAME_CUINullObject* node = firstFrame_.cursorNode;
    node->SetParent(firstRoot_);
    const Vec2 size = UISpriteSize(gridCursorSprite_);
    const Vec2 at{UIMapView::kCentre.x - size.x * 0.5f, UIMapView::kCentre.y - size.y * 0.5f};
    node->SetPosition(&at);
    firstFrame_.cursorSprite->SetSprite(gridCursorSprite_);
    firstFrame_.cursorSprite->SetColor(shown ? kUIWhite : kUIHidden);
    node->UpdateTree(false);
}

void GAME_CUIMap::UpdateBrowse(bool input)
{
    UpdateMapView(input);
    if (candidate_.route == nullptr) HideRouteMarker();
    bool free = input;
    if (pointerHold_ == PointerHold::kNone || pointerHold_ == PointerHold::kDrag) {
        free = UpdateZoomButtons(free);
        if (firstRoot_->IsAnyDecided()) free = false;
        free = firstRoot_->UpdateTree(free) && free;
    } else {
        free = UpdateZoomButtons(free);
        firstRoot_->UpdateTree(false);
    }
    taskRoot_->UpdateTree(false);
    if (!free) return;

    if (IsUIActionTriggered(kActionCancel)) pages_.Go(Mode::kMap);
    pointerHold_ = PointerHold::kNone;
    if (IsUIActionTriggered(kActionDecide) || confirmPending_) {
        confirmPending_ = false;
        RequestTarget();
        return;
    }
    Vec2 direction{};
    bool held = false;
    const std::array<Vec2, 4> steps{{{0.0f, -1.0f}, {0.0f, 1.0f}, {-1.0f, 0.0f}, {1.0f, 0.0f}}};
    int firstHeld = -1;
    for (int slot = kUIMenuUp; slot <= kUIMenuRight; ++slot) {
        if (!IsUIMenuSlot(GAME_CInputMap::kModeHeld, slot)) continue;
        held = true;
        if (firstHeld < 0) firstHeld = slot;
        const Vec2 step = steps[static_cast<std::size_t>(slot)];
        if (step.x != 0.0f) direction.x = step.x;
        if (step.y != 0.0f) direction.y = step.y;
    }
    if (!held) {
        const float slide = SlideY();
        const Vec2 viewTop{UIMapView::kOrigin.x, UIMapView::kOrigin.y + slide};
        const Vec2 viewBottom{viewTop.x + UIMapView::kSize.x, viewTop.y + UIMapView::kSize.y};
        for (const Point& point : discovered_) {
            const Vec2 at = view_.ToCanvas({static_cast<float>(point.record->mapX), static_cast<float>(point.record->mapY)}, slide);
            // Only the part of a point's square that the view's clip lets show takes the pointer.
            const Vec2 from{std::max(at.x - kPointHitHalf, viewTop.x), std::max(at.y - kPointHitHalf, viewTop.y)};
            const Vec2 to{std::min(at.x + kPointHitHalf, viewBottom.x), std::min(at.y + kPointHitHalf, viewBottom.y)};
            if (from.x > to.x || from.y > to.y || !IsUIClickInRect(from, to)) continue;
            if (point.index == cursorPoint_) confirmPending_ = true;
            SelectPointById(point.id);
            return;
        }
        if (IsUIPointerRefused()) return;
        if (!IsUIHeldInRect(viewTop, viewBottom)) return;
        pointerHold_ = PointerHold::kDrag;
        const GAME_CInputMap* map = IsInputMapActive() ? GetInputMap() : nullptr;
        if (map == nullptr || map->GetHeldPointers().empty()) return;
        const vesk::input::TouchPoint& pointer = *map->GetHeldPointers().front();
        if (pointer.frames > kDragHoldFrames) {
            view_.scroll.x -= static_cast<float>(pointer.moveX) * kDragFactor;
            view_.scroll.y -= static_cast<float>(pointer.moveY) * kDragFactor;
            view_.scroll = UIMapView::ClampScroll(view_.scroll, view_.zoom);
            scrollMoving_ = false;
        }
        return;
    }
    // A deflected stick steers in its own direction.
    if (IsInputMapActive()) {
        const Vec2 stick = GetInputMap()->GetSteeringStickPosition();
        if (stick.x * stick.x + stick.y * stick.y > kStickDeadZone * kStickDeadZone) direction = stick;
    }
    if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, firstHeld)) {
        PlayUISE(kSeUICursor);
        StepCursor(direction.x, direction.y);
    }
}

bool GAME_CUIMap::UpdateZoomButtons(bool input)
{
    float zoom = UIMapView::ZoomOfSlider(slider_->value);
    bool taken = false;
    if (input) {
        switch (pointerHold_) {
        case PointerHold::kNone:
            for (const PointerHold button : {PointerHold::kZoomIn, PointerHold::kZoomOut}) {
                if (!PointerDownOn(button == PointerHold::kZoomIn ? zoomPlus_ : zoomMinus_)) continue;
                zoomHoldFrames_ = 1;
                PlayUISE(kSeUICursor);
                zoom += button == PointerHold::kZoomIn ? UIMapView::kZoomStep : -UIMapView::kZoomStep;
                pointerHold_ = button;
                taken = true;
                break;
            }
            break;
        case PointerHold::kZoomIn:
        case PointerHold::kZoomOut:
            if (!IsAnyUIPointerHeld()) {
                zoomHoldFrames_ = 0;
                pointerHold_ = PointerHold::kNone;
                break;
            }
            taken = true;
            if (PointerDownOn(pointerHold_ == PointerHold::kZoomIn ? zoomPlus_ : zoomMinus_)) {
                ++zoomHoldFrames_;
                if ((zoomHoldFrames_ & 7) == 0) PlayUISE(kSeUICursor);
                zoom += pointerHold_ == PointerHold::kZoomIn ? UIMapView::kZoomStep : -UIMapView::kZoomStep;
            }
            break;
        case PointerHold::kDrag: break;
        }
    }
    WriteZoom(zoom);
    return input && !taken;
}

void GAME_CUIMap::UpdateMapView(bool input)
{
    float zoom = UIMapView::ZoomOfSlider(slider_->value);
    if (input && IsInputMapActive()) {
        if (GetInputMap()->IsZoomOutHeld()) {
            zoom = std::max(UIMapView::kMinZoom, zoom - UIMapView::kZoomStep);
        } else if (GetInputMap()->IsZoomInHeld()) {
            zoom = std::min(UIMapView::kMaxZoom, zoom + UIMapView::kZoomStep);
        }
    }
    WriteZoom(zoom);
    if (scrollMoving_) {
        view_.scroll.x += (scrollTarget_.x - view_.scroll.x) * kScrollEase;
        view_.scroll.y += (scrollTarget_.y - view_.scroll.y) * kScrollEase;
        const float dx = scrollTarget_.x - view_.scroll.x;
        const float dy = scrollTarget_.y - view_.scroll.y;
        if (dx * dx + dy * dy < kScrollRestDistance) {
            view_.scroll = scrollTarget_;
            scrollMoving_ = false;
        }
    }
    view_.scroll = UIMapView::ClampScroll(view_.scroll, view_.zoom);
}

void GAME_CUIMap::WriteZoom(float zoom)
{
    view_.zoom = std::clamp(zoom, UIMapView::kMinZoom, UIMapView::kMaxZoom);
    slider_->maximum = 100;
    slider_->value = UIMapView::SliderOfZoom(view_.zoom);
}
