// The world map's selection: the discovered points, the cursor's step to a neighbour, a point's panel, the road to it with its scan marker, and a market good's dialog.
#include <algorithm>
#include <bit>
#include <cmath>

#include "framework/text/format_text.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "game/model/travel/route_save_block.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/save/quest_boards.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/working_slot.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_map.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"

using vesk::math::Vec2;

namespace {

constexpr std::int32_t kMaxShownCount = 99;
constexpr float kRightAngle = 90.0f;
constexpr float kNoAngle = 360.0f;
constexpr std::int32_t kItemDialogWidth = 280;
constexpr float kItemDialogImageY = 28.0f;

bool IsDiscovered(const HideoutData& record)
{
    return record.discoveryBit >= 0 && working_slot::StoryFlag(static_cast<std::uint32_t>(record.discoveryBit));
}

Vec2 MapPlace(const HideoutData& record) { return {static_cast<float>(record.mapX), static_cast<float>(record.mapY)}; }

// The angle in degrees between two directions; kNoAngle when either has no length.
float AngleBetween(Vec2 a, Vec2 b)
{
    const float lengths = std::sqrt(a.x * a.x + a.y * a.y) * std::sqrt(b.x * b.x + b.y * b.y);
    if (lengths <= 0.0f) return kNoAngle;
    const float cosine = std::min(1.0f, (a.x * b.x + a.y * b.y) / lengths);
    return std::acos(cosine) * 180.0f / 3.14159265f;
}

}  // namespace

void GAME_CUIMap::BuildDiscoveredPointList()
{
    discovered_.clear();
    const GAME_CStaticDatabase* database = Context().Database();
    if (database == nullptr) return;
    std::int32_t index = 0;
    for (const auto& [id, record] : database->Hideouts()) {
        if (IsDiscovered(record)) discovered_.push_back({id, &record, index});
        ++index;
    }
}

bool GAME_CUIMap::CanSelect() const
{
    const GAME_CStaticDatabase* database = Context().Database();
    return database != nullptr && database->Hideouts().size() >= 2 && discovered_.size() >= 2;
}

void GAME_CUIMap::SelectPointById(std::uint32_t id)
{
    if (!CanSelect()) return;
    std::int32_t index = -1;
    const HideoutData* record = Context().Database()->FindHideoutDataIndexed(id, &index);
    if (record == nullptr) return;
    Select({id, record, index});
}

// Only a neighbour less than a right angle off the direction counts; the best one must be
// discovered, no second best is taken in its place.
void GAME_CUIMap::StepCursor(float dx, float dy)
{
    if (!CanSelect()) return;
    const GAME_CStaticDatabase& database = *Context().Database();
    std::uint32_t cursorId = kNoId;
    const HideoutData* cursor = database.GetHideoutDataAt(cursorPoint_, &cursorId);
    if (cursor == nullptr) return;
    float bestAngle = kRightAngle;
    Point best;
    for (const std::uint32_t neighbourId : cursor->neighbours) {
        std::int32_t index = -1;
        const HideoutData* neighbour = database.FindHideoutDataIndexed(neighbourId, &index);
        if (neighbour == nullptr) continue;
        const Vec2 way{static_cast<float>(neighbour->mapX - cursor->mapX), static_cast<float>(neighbour->mapY - cursor->mapY)};
        const float angle = AngleBetween(way, {dx, dy});
        if (angle < bestAngle) {
            bestAngle = angle;
            best = {neighbourId, neighbour, index};
        }
    }
    if (best.record == nullptr || !IsDiscovered(*best.record)) return;
    Select(best);
}

void GAME_CUIMap::Select(const Point& point)
{
    for (const PanelLine line : {kLineDistance, kLineTime, kLineFuelNeed}) panel_[line]->SetTextA("");
    ShowPointPanel(point);
    scrollTarget_ = view_.Centring(MapPlace(*point.record));
    scrollMoving_ = true;
    cursorPoint_ = point.index;
    candidate_ = {};
    PlayUISE(kSeUICursor);
    FindCandidate(point);
    if (candidate_.route == nullptr) {
        HideRouteMarker();
        return;
    }
    ShowCandidateLines(point);
    ShowRouteScanInfo(candidate_.routeId);
}

// The point's name, market goods, fuel price and quest counts.
void GAME_CUIMap::ShowPointPanel(const Point& point)
{
    const HideoutData& record = *point.record;
    const GAME_CStaticDatabase* database = Context().Database();
    for (std::size_t slot = 0; slot < items_.size(); ++slot) {
        const ItemData* item =
            slot < record.marketItems.size() && database != nullptr ? database->FindItemData(record.marketItems[slot]) : nullptr;
        const std::int32_t sprite = item != nullptr ? item->iconSprite : kNoSprite;
        items_[slot]->SetSprites(sprite, kNoSprite);
        // An empty slot still bounces under the pointer, but silently.
        items_[slot]->SetSound(sprite == kNoSprite ? -1 : kSeUIDecide);
    }

    if ((record.facilities & kFacilityGasStation) != 0 && record.fuelPrice >= 1) {
        const std::u16string price = vesk::text::FormatText(
            u"%ls %ls／%ls", {GetMessageTextExpanded("MONEY_MARK"), UIFullWidthNumber(record.fuelPrice), GetMessageTextExpanded("FUEL_UNIT_TEXT")});
        panel_[kLineFuelPrice]->SetTextW(price.c_str());
    } else {
        panel_[kLineFuelPrice]->SetTextW(u"--------");
    }

    // The slot holds a board for each of the first hideouts only; a hideout past them has none.
    std::int32_t accepted = 0;
    std::int32_t acceptable = 0;
    if (point.index >= 0 && point.index < save_layout::slot::kOfferSetCount) {
        const QuestBoardRecord board(GetWorkingSlot(), point.index);
        accepted = std::popcount(board.Mask());
        if ((record.facilities & kFacilityQuestBoard) != 0) {
            for (int pair = 0; pair < save_layout::slot::kOfferPairCount; ++pair) acceptable += board.IsEmpty(pair) ? 0 : 1;
        }
    }
    panel_[kLineAccepted]->SetTextW(FormatUIMessage("MAP_TEXT_ACCEPTED_QUEST_NUM", {UIFullWidthNumber(accepted)}).c_str());
    panel_[kLineAcceptable]->SetTextW(FormatUIMessage("MAP_TEXT_ACCEPTABLE_QUEST_NUM", {UIFullWidthNumber(acceptable)}).c_str());
    panel_[kLineName]->SetTextW(UITagName(point.id).c_str());
}

// Under way only the two ends of the ship's road can be chosen; at a stop, the direct road from the
// ship's location.
void GAME_CUIMap::FindCandidate(const Point& point)
{
    const GAME_CStaticDatabase* database = Context().Database();
    const GAME_CGameWorld& world = Context().world;
    const GAME_CRouteManager* route = world.travel ? world.travel->routeManager.get() : nullptr;
    if (database == nullptr) return;
    if (atStop == 0) {
        if (route == nullptr || (point.record != travelFrom_ && point.record != travelTo_)) return;
        candidate_ = {route->GetDeparture(), route->GetDestination(), route->GetRouteId(), route->GetRouteRecord(), travelFrom_, travelTo_};
        return;
    }
    std::uint32_t fromId = kNoId;
    const HideoutData* from = database->GetHideoutDataAt(currentPoint_, &fromId);
    if (from == nullptr) return;
    std::int32_t position = -1;
    if (database->FindRouteBetween(fromId, point.id, &position) == nullptr) return;
    std::uint32_t routeId = kNoId;
    const RouteData* road = database->GetRouteDataAt(position, &routeId);
    if (road == nullptr) return;
    candidate_ = {fromId, point.id, routeId, road, from, point.record};
}

void GAME_CUIMap::ShowCandidateLines(const Point& point)
{
    const GAME_CGameWorld& world = Context().world;
    const GAME_CRouteManager* route = world.travel ? world.travel->routeManager.get() : nullptr;
    std::int64_t distance = candidate_.route->length;
    if (atStop == 0 && route != nullptr) {
        distance = point.record == travelTo_ ? route->GetLength() - route->GetPosition() : route->GetPosition();
        panel_[kLineDistance]->SetTextW(FormatUIMessage("MAPUI_REMAINDISTANCE_FORMAT", {UIFullWidthNumber(distance)}).c_str());
    } else {
        panel_[kLineDistance]->SetTextW(FormatUIMessage("MAPUI_TARGETDISTANCE_FORMAT", {UIFullWidthNumber(distance)}).c_str());
    }

    const GAME_CShip* ship = world.ship.get();
    const float speed = ship != nullptr && ship->fuel > 0 ? std::max(0.0f, ship->speed) : 0.0f;
    const std::int64_t whole = static_cast<std::int64_t>(speed);
    // A crawl below one unit a step has no whole speed to divide by: the time is unknown then.
    const std::u16string time = speed * 60.0f >= 0.00001f && whole >= 1 ? UIFullWidthNumber(distance / (whole * 60)) : u"？？？";
    panel_[kLineTime]->SetTextW(FormatUIMessage("MAPUI_TARGETAJITO_NEED_TIME", {time, GetMessageTextExpanded("TIME_UNIT_TEXT")}).c_str());
    PlaceTimeLine();
    const std::int64_t rate = ship != nullptr ? std::max(1, ship->fuelRate) : 1;
    panel_[kLineFuelNeed]->SetTextW(
        FormatUIMessage("MAPUI_TARGETAJITO_NEED_FUEL", {UIFullWidthNumber(candidate_.route->length / rate)}).c_str());
}

// The scan's finds on the road: the item line from the first scan level, the enemy line from the
// second; on the ship's own road what lies on the field now. Never more than 99.
void GAME_CUIMap::ShowRouteScanInfo(std::uint32_t routeId)
{
    HideRouteMarker();
    const GAME_CStaticDatabase* database = Context().Database();
    std::int32_t position = -1;
    const RouteData* road = database != nullptr ? database->FindRouteDataIndexed(routeId, &position) : nullptr;
    if (road == nullptr || road->startHideout == nullptr || road->endHideout == nullptr) return;
    const route_block::RouteScan scan = route_block::ReadRouteScan(position);
    if (scan.level <= 0) return;

    const GAME_CGameWorld& world = Context().world;
    const GAME_CRouteManager* route = world.travel ? world.travel->routeManager.get() : nullptr;
    const bool ownRoad = route != nullptr && route->GetRouteId() == routeId && world.fieldObjects != nullptr;
    const HideoutData& a = *road->startHideout;
    const HideoutData& b = *road->endHideout;
    markerShape_ = static_cast<std::int64_t>(a.mapY - b.mapY) * (a.mapX - b.mapX) >= 0 ? 1 : 0;
    markerRoute_ = road;
    const MarkerShape& shape = shapes_[static_cast<std::size_t>(markerShape_)];
    shape.firstPlate->SetColor(kUIWhite);
    shape.secondPlate->SetColor(kUIWhite);
    markerRoot_->SetParent(shape.secondPlate);

    const auto showLine = [this](MarkerLine& line, std::int64_t count, std::int32_t& shown) {
        shown = static_cast<std::int32_t>(std::clamp<std::int64_t>(count, 0, kMaxShownCount));
        for (GAME_CUINullObject* node : {line.icon, line.sign, line.digits[0], line.digits[1]}) node->SetColor(kUIWhite);
        line.digits[0]->SetSprite(digitSprites_[static_cast<std::size_t>(shown / 10)]);
        line.digits[1]->SetSprite(digitSprites_[static_cast<std::size_t>(shown % 10)]);
    };
    std::int64_t items = scan.itemValue / 1000;
    if (ownRoad) {
        const auto& drops = world.fieldObjects->activeDropItems;
        items = std::count_if(drops.begin(), drops.end(), [](const auto* drop) { return drop != nullptr; });
    }
    showLine(markerLines_[0], items, markerCounts_[0]);
    if (scan.level <= 1) return;
    const std::int64_t enemies = ownRoad ? static_cast<std::int64_t>(world.fieldObjects->enemies.size()) : scan.enemyValue / 1000;
    showLine(markerLines_[1], enemies, markerCounts_[1]);
}

void GAME_CUIMap::HideRouteMarker()
{
    // Every piece is a plain node: the anchors draw nothing anyway, the pictures go transparent.
    for (GAME_CUIObjectBase* widget : markerWidgets_) static_cast<GAME_CUINullObject*>(widget)->SetColor(kUIHidden);
    markerCounts_ = {-1, -1};
    markerShape_ = -1;
    markerRoute_ = nullptr;
}

bool GAME_CUIMap::IsRouteMarkerShown() const { return markerShape_ >= 0; }

// The shape's anchor on the middle of the road as the view shows it now.
void GAME_CUIMap::PlaceRouteMarker()
{
    if (markerShape_ < 0 || markerRoute_ == nullptr) return;
    const float slide = SlideY();
    const Vec2 a = view_.ToCanvas(MapPlace(*markerRoute_->startHideout), slide);
    const Vec2 b = view_.ToCanvas(MapPlace(*markerRoute_->endHideout), slide);
    GAME_CUINullObject* anchor = shapes_[static_cast<std::size_t>(markerShape_)].anchor;
    const Vec2 middle{std::floor((a.x + b.x) * 0.5f), std::floor((a.y + b.y) * 0.5f)};
    anchor->SetPosition(&middle);
    anchor->UpdateTree(false);
}

// A good of the selected point's market: its name and price, with its picture, in a notice.
void GAME_CUIMap::OnMarketItemIcon(GAME_CUIIconObject* icon)
{
    const auto slot = std::find(items_.begin(), items_.end(), icon);
    if (slot == items_.end()) return;
    const std::size_t index = static_cast<std::size_t>(slot - items_.begin());
    const GAME_CStaticDatabase* database = Context().Database();
    std::uint32_t pointId = kNoId;
    const HideoutData* record = database != nullptr ? database->GetHideoutDataAt(cursorPoint_, &pointId) : nullptr;
    if (record == nullptr || record->marketItems.size() <= index) return;
    const std::uint32_t itemId = record->marketItems[index];
    const ItemData* item = database->FindItemData(itemId);
    if (item == nullptr || item->iconSprite == kNoSprite) return;
    const std::u16string name = UITagName(itemId);
    const std::u16string text = name + u"\n" + GetMessageTextExpanded("MONEY_MARK") + UIFullWidthNumber(item->buyPrice);
    NoticeInDialog(kSlotMap, {.text = text, .centred = true}, true);
    if (GAME_CUIInDisplaySelectionObject* dialog = GetInDisplaySelection()) {
        dialog->ClearImages();
        const std::int32_t nameWidth = static_cast<std::int32_t>(MeasureUIText(name));
        const std::int32_t x = ((kItemDialogWidth - nameWidth) >> 1) - static_cast<std::int32_t>(UISpriteSize(item->iconSprite).x) / 2 - 2;
        dialog->SetImage(0, item->iconSprite, static_cast<float>(x), kItemDialogImageY);
    }
}
