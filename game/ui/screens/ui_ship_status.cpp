// The ship-status panel (slot 1): its layout and the figures, gauges, meter and danger counter it reads from the game each frame.
#include "game/ui/screens/ui_ship_status.h"

#include <algorithm>
#include <string>

#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/clock/game_clock.h"
#include "game/services/data/static_database.h"
#include "game/services/player/player_data.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_manager.h"

namespace {

using vesk::math::Vec2;

constexpr float kDigitStep = 6.0f;
constexpr float kGaugeLength = 64.0f;
constexpr float kGaugeHeight = 4.0f;
constexpr std::int64_t kLargestGaugeFigure = 9999;
constexpr std::int64_t kLargestCalories = 99999;
constexpr std::size_t kMoneyLeastDigits = 8;
// The crew and their homes in three digits, leading zeros shown.
constexpr std::size_t kCrewDigits = 3;
// Gauge colours, red in the low byte: hull, fuel, calories.
constexpr std::array<std::uint32_t, 3> kBarColors{0xFFFDC203u, 0xFF0352FDu, 0xFF03FDDCu};
constexpr std::array<float, 3> kBarRows{6.0f, 12.0f, 18.0f};
// A counter that has run this long goes back by whole beats, keeping its phase.
constexpr std::int32_t kDangerWrap = GAME_CUIShipStatus::kFlashPeriod * 1000000;

float ClampedShare(std::int64_t part, std::int64_t whole)
{
    if (whole <= 0 || part <= 0) return 0.0f;
    if (part >= whole) return 1.0f;
    return static_cast<float>(static_cast<double>(part) / static_cast<double>(whole));
}

}  // namespace

void UIStatusDigits::Build(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, float x, float y,
                           std::size_t count, const std::array<std::int32_t, 10>& sprites)
{
    sprites_ = &sprites;
    count_ = std::min(count, kMostDigits);
    for (std::size_t k = 0; k < count_; ++k) {
        digits_[k] = MakeUIPictureUnder(parent, "ui_text_num_0", x + kDigitStep * static_cast<float>(k), y);
        list.push_back(digits_[k]);
    }
}

void UIStatusDigits::HideAll()
{
    for (std::size_t k = 0; k < count_; ++k) digits_[k]->SetColor(kUIHidden);
}

void UIStatusDigits::Show(std::int64_t value, std::size_t leastDigits)
{
    HideAll();
    std::int64_t largest = 0;
    for (std::size_t k = 0; k < count_; ++k) largest = largest * 10 + 9;
    std::int64_t rest = std::clamp<std::int64_t>(value, 0, largest);
    for (std::size_t shown = 0; shown < count_; ++shown) {
        if (shown >= std::max<std::size_t>(leastDigits, 1) && rest == 0) break;
        GAME_CUINullObject* digit = digits_[count_ - 1 - shown];
        digit->SetSprite((*sprites_)[static_cast<std::size_t>(rest % 10)]);
        digit->SetColor(kUIWhite);
        rest /= 10;
    }
}

std::string UIStatusDigits::Shown() const
{
    std::string text;
    for (std::size_t k = 0; k < count_; ++k) {
        const GAME_CUINullObject* digit = digits_[k];
        const auto found = std::find(sprites_->begin(), sprites_->end(), digit->Sprite());
        text += (digit->Color() >> 24) == 0 || found == sprites_->end() ? ' ' : static_cast<char>('0' + (found - sprites_->begin()));
    }
    return text;
}

GAME_CUIShipStatus::GAME_CUIShipStatus(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kAlwaysPasses, .fieldControl = true, .mover = {.kind = UIMover::Kind::kImmediate}},
                     &context)
{
    InitNoticeRecord(&notice);
    noticeText_.reserve(256);
    Build();
}

void GAME_CUIShipStatus::Build()
{
    for (std::size_t digit = 0; digit < digitSprites_.size(); ++digit) {
        digitSprites_[digit] = FindUISprite("ui_text_num_" + std::to_string(digit));
    }
    markSprite_ = FindUISprite("ui_cursor_baselabel");
    twoRowPlate_ = FindUISprite("ui_main_hpfuel_base");
    threeRowPlate_ = FindUISprite("ui_main_hpfuelcal_base");
    BuildGauges();
    BuildFigures();
    Root()->UpdateTree(false);
}

void GAME_CUIShipStatus::BuildGauges()
{
    GAME_CUINullObject* left = MakeUIGroupUnder(Root(), 0.0f, 7.0f);
    AddWidget(left);
    plate_ = MakeUIPictureUnder(left, "ui_main_hpfuel_base", 0.0f, 0.0f);
    AddWidget(plate_);
    std::array<GAME_CUINullObject*, 3> holders{};
    for (std::size_t row = 0; row < holders.size(); ++row) {
        holders[row] = MakeUIGroupUnder(left, 31.0f, kBarRows[row]);
        AddWidget(holders[row]);
    }
    for (std::size_t row = 0; row < bars_.size(); ++row) {
        bars_[row] = MakeUIGaugeFill(holders[row], "ui_labelbase", kBarColors[row], kGaugeLength, kGaugeHeight);
        AddWidget(bars_[row].picture);
    }
    hull_.Build(widgets_, left, 104.0f, 4.0f, 4, digitSprites_);
    hullMax_.Build(widgets_, left, 141.0f, 4.0f, 4, digitSprites_);
    fuel_.Build(widgets_, left, 104.0f, 10.0f, 4, digitSprites_);
    fuelCapacity_.Build(widgets_, left, 141.0f, 10.0f, 4, digitSprites_);
    calories_.Build(widgets_, left, 98.0f, 16.0f, 5, digitSprites_);
    calorieCapacity_.Build(widgets_, left, 135.0f, 16.0f, 5, digitSprites_);
    calories_.HideAll();
    calorieCapacity_.HideAll();
}

void GAME_CUIShipStatus::BuildFigures()
{
    GAME_CUINullObject* right = MakeUIGroupUnder(Root(), 494.0f, 7.0f);
    AddWidget(right);
    AddWidget(MakeUIPictureUnder(right, "ui_main_distance_base", 0.0f, 0.0f));
    AddWidget(MakeUIPictureUnder(right, "ui_text_colon", 125.0f, 4.0f));
    // The clock: hours left of the colon, minutes right of it.
    hours_.Build(widgets_, right, 113.0f, 3.0f, 2, digitSprites_);
    minutes_.Build(widgets_, right, 128.0f, 3.0f, 2, digitSprites_);
    AddWidget(MakeUIPictureUnder(right, "ui_text_dollar", 85.0f, 8.0f));
    money_.Build(widgets_, right, 86.0f, 9.0f, 9, digitSprites_);
    AddWidget(MakeUIPictureUnder(right, "ui_icon_actor_faceonly", 77.0f, 16.0f));
    AddWidget(MakeUIPictureUnder(right, "ui_text_kosuu", 90.0f, 18.0f));
    crew_.Build(widgets_, right, 96.0f, 17.0f, kCrewDigits, digitSprites_);
    crewCapacity_.Build(widgets_, right, 122.0f, 17.0f, kCrewDigits, digitSprites_);
    GAME_CUINullObject* meter = MakeUIPictureUnder(right, "ui_distancemater_background", 6.0f, 5.0f);
    meter->SetColor(kUIHidden);
    AddWidget(meter);
    arrow_ = MakeUIPictureUnder(meter, "ui_distancemater_direction", 1.0f, 3.0f);
    AddWidget(arrow_);
    AddWidget(MakeUIDrawHook([this] { DrawRouteMarks(); }));
    positionIcon_ = MakeUIPictureUnder(meter, "ui_distancemater_positionicon", 5.0f, 3.0f);
    AddWidget(positionIcon_);
    AddWidget(MakeUIPictureUnder(meter, "ui_meter_scanline", 0.0f, 1.0f));
}

void GAME_CUIShipStatus::OnEnterState(UIScreenState state)
{
    // Whatever the stores did while the panel was closed shows at its first update.
    if (state == kOpening) refreshFlag = 1;
}

void GAME_CUIShipStatus::EveryFrame()
{
    // Once asked to close the panel stands: it neither reads the game nor ticks its notice.
    if (State() == kClosing) return;
    if (refreshFlag != 0) {
        refreshFlag = 0;
        RefreshCalorieGauge();
    }
    const GAME_CGameWorld& world = Context().world;
    const GAME_CRouteManager* route = world.travel ? world.travel->routeManager.get() : nullptr;
    UpdateDistanceMeter(route);
    UpdateDanger(route);
    UpdateGauges();
    UpdateFigures();
    Root()->UpdateTree(false);
    UpdateNotice();
}

void GAME_CUIShipStatus::RefreshCalorieGauge()
{
    const GAME_CGameWorld& world = Context().world;
    const GAME_CStaticDatabase* database = Context().Database();
    std::int64_t capacity = 0;
    std::int64_t stored = 0;
    bool anyStore = false;
    for (std::int32_t slot = 0; slot < world.foodStores.Count(); ++slot) {
        const GAME_CFoodStorageImpl* store = world.foodStores.At(slot);
        if (store == nullptr) continue;
        anyStore = true;
        const CookingRecipe* recipe = database != nullptr ? database->FindCookingRecipe(*store->GetFoodId()) : nullptr;
        if (recipe == nullptr) continue;
        capacity += std::int64_t{recipe->calorie} * store->GetCapacity();
        stored += std::int64_t{recipe->calorie} * store->GetCount();
    }
    const std::int64_t most = std::clamp<std::int64_t>(capacity, 0, kLargestCalories);
    const std::int64_t current = std::clamp<std::int64_t>(stored, 0, most);
    calories_.HideAll();
    calorieCapacity_.HideAll();
    bars_[2].Show(0.0f);
    if (anyStore && most > 0) {
        plate_->SetSprite(threeRowPlate_);
        bars_[2].Show(ClampedShare(current, most));
        calories_.Show(current);
        calorieCapacity_.Show(most);
    } else {
        plate_->SetSprite(twoRowPlate_);
    }
}

void GAME_CUIShipStatus::UpdateDistanceMeter(const GAME_CRouteManager* route)
{
    if (route == nullptr || route->GetLength() <= 0) return;
    float ratio = ClampedShare(route->GetPosition(), route->GetLength());
    // A route travelled from its record's end back to its start runs right to left.
    const bool backwards = route->GetRouteRecord() != nullptr && !route->IsForward();
    arrow_->SetFlip(backwards ? 1 : 0, 0);
    if (backwards) ratio = 1.0f - ratio;
    const Vec2 at{static_cast<float>(static_cast<std::int32_t>(ratio * kMeterLength)), positionIcon_->GetPosition()->y};
    positionIcon_->SetPosition(&at);
}

void GAME_CUIShipStatus::UpdateDanger(const GAME_CRouteManager* route)
{
    if (Context().ui.IsOpen(kSlotGameOver) || !Context().world.ship) {
        dangerCounter_ = 0;
        return;
    }
    const GAME_CShip& ship = *Context().world.ship;
    bool danger = 2 * ship.GetRemainingHull() <= ship.hullMax;
    if (route != nullptr && route->IsUnderWay()) {
        // Under way the ship needs an engine room to drive it and a bridge to steer it, each built and
        // with durability left: one still being built does neither.
        const bool working = ship.CountWorkingRoomsOfKind(kRoomKindEngine) > 0 && ship.CountWorkingRoomsOfKind(kRoomKindBridge) > 0;
        danger = danger || !working;
    }
    if (!danger) {
        dangerCounter_ = 0;
    } else if (++dangerCounter_ >= kDangerWrap) {
        dangerCounter_ -= kDangerWrap - kFlashPeriod;
    }
}

float GAME_CUIShipStatus::HullRatio() const
{
    if (!Context().world.ship) return 0.0f;
    const GAME_CShip& ship = *Context().world.ship;
    const std::int64_t remaining = ship.GetRemainingHull();
    if (remaining <= 0) return 0.0f;
    if (remaining >= ship.hullMax) return 1.0f;
    return ClampedShare(remaining, ship.hullMax);
}

void GAME_CUIShipStatus::UpdateGauges()
{
    if (!Context().world.ship) return;
    const GAME_CShip& ship = *Context().world.ship;
    bars_[0].Show(HullRatio());
    bars_[1].Show(ClampedShare(ship.fuel, ship.fuelCapacity));
}

void GAME_CUIShipStatus::UpdateFigures()
{
    const GAME_CGameWorld& world = Context().world;
    if (world.ship) {
        const GAME_CShip& ship = *world.ship;
        hull_.Show(std::min(ship.GetRemainingHull(), kLargestGaugeFigure));
        hullMax_.Show(std::min<std::int64_t>(ship.hullMax, kLargestGaugeFigure));
        fuel_.Show(std::min<std::int64_t>(ship.fuel, kLargestGaugeFigure));
        fuelCapacity_.Show(std::min<std::int64_t>(ship.fuelCapacity, kLargestGaugeFigure));
        crewCapacity_.Show(ship.crewHomeCapacity, kCrewDigits);
    }
    if (const GAME_CPlayerData* player = Context().Player()) money_.Show(player->money, kMoneyLeastDigits);
    if (world.fieldObjects) crew_.Show(static_cast<std::int64_t>(world.fieldObjects->crew.size()), kCrewDigits);
    const GAME_CGameClock& clock = *GetGameClock();
    // A day of no length stands at midnight rather than dividing by it.
    hours_.Show(GetClockHour(clock), 2);
    minutes_.Show(GetClockMinute(clock), 2);
}

float GAME_CUIShipStatus::BarShare(Figure figure) const
{
    const std::size_t row = figure == Figure::kHull ? 0 : figure == Figure::kFuel ? 1 : 2;
    const UIGaugeFill& bar = bars_[row];
    return bar.fullScale > 0.0f ? bar.picture->GetScale()->x / bar.fullScale : 0.0f;
}

std::string GAME_CUIShipStatus::Shown(Figure figure) const
{
    switch (figure) {
    case Figure::kHull: return hull_.Shown();
    case Figure::kHullMax: return hullMax_.Shown();
    case Figure::kFuel: return fuel_.Shown();
    case Figure::kFuelCapacity: return fuelCapacity_.Shown();
    case Figure::kCalories: return calories_.Shown();
    case Figure::kCalorieCapacity: return calorieCapacity_.Shown();
    case Figure::kMoney: return money_.Shown();
    case Figure::kCrew: return crew_.Shown();
    case Figure::kCrewCapacity: return crewCapacity_.Shown();
    case Figure::kClock: return hours_.Shown() + minutes_.Shown();
    }
    return {};
}
