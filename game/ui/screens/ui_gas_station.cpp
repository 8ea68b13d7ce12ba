// The gas station (slot 11): fuel for the hideout's price, chosen by buttons, keys or a drag along the gauge, bought after a question.
#include "game/ui/screens/ui_gas_station.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/world_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/focus_map.h"
#include "game/ui/hideout_facility.h"
#include "game/ui/room_window.h"
#include "game/ui/screen_callbacks.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_category_change_object.h"

using vesk::math::Vec2;

namespace {

constexpr std::int32_t kSeFuelBought = 59;
// The window rests 51 units above the canvas top, its buttons and gauge below.
constexpr float kWindowY = -51.0f;
constexpr Vec2 kBarsAt{123.0f, 167.0f};
constexpr float kBarLength = 272.0f;
constexpr float kBarHeight = 36.0f;
// The gauge's pressable cells share this width among the tank's units; a cell is as tall as the bar.
constexpr float kCellSpan = 271.0f;
constexpr float kCellHeight = 35.0f;
constexpr std::uint32_t kFuelColor = 0xFF366BDFu;
constexpr std::uint32_t kPurchaseColor = 0xFF36C5DFu;
constexpr std::size_t kTitleLimit = 127;
constexpr std::size_t kUnitLimit = 31;
constexpr std::size_t kQuestionLimit = 255;
constexpr Vec2 kCanvasTopLeft{0.0f, 0.0f};
constexpr Vec2 kCanvasBottomRight{kCanvasWidth, kCanvasHeight};

// Beside which button the cursor stands, in window units.
Vec2 CursorPlace(GAME_CUIGasStation::Focus focus)
{
    switch (focus) {
    case GAME_CUIGasStation::Focus::kMax: return {311.0f, 267.0f};
    case GAME_CUIGasStation::Focus::kBuy: return {271.0f, 305.0f};
    default: return {311.0f, 237.0f};
    }
}

}  // namespace

// It slides down from above the canvas, takes all input while open and holds the game behind it.
GAME_CUIGasStation::GAME_CUIGasStation(const UIScreenContext& context)
    : GAME_CUIScreen(UIHideoutFacilitySetup(kWindowY), &context)
{
    Build();
}

void GAME_CUIGasStation::Build()
{
    const float windowWidth = UISpriteSize(FindUISprite("ui_windowbase")).x;
    window_ = MakeUIPictureUnder(Root(), "ui_windowbase", std::floor((kCanvasWidth - windowWidth) / 2.0f), kWindowY);
    BeginUIRoomWindow(widgets_, window_, window_, {.closeRelease = CloseAndOpenHideoutMenu(this, Context().ui), .owner = this});

    UIButtonSpec button{.sprite = "ui_enterbutton8", .pressedSprite = "ui_enterbutton8_touch", .sound = kSeUIDecide,
                        .action = kActionMenuFunctionB, .release = [this](GAME_CUIIconObject*) { SetAmount(0); }};
    PlaceUIButtonTopLeft(button, 329.0f, 231.0f);
    reset_ = MakeUIButton(window_, button);
    AddWidget(reset_);
    button.action = kActionMenuFunctionA;
    button.release = [this](GAME_CUIIconObject*) { ChooseMost(); };
    PlaceUIButtonTopLeft(button, 329.0f, 261.0f);
    max_ = MakeUIButton(window_, button);
    AddWidget(max_);
    UIButtonSpec buyButton{.sprite = "ui_enterbutton", .pressedSprite = "ui_enterbutton_touch", .sound = kSeUIDecide,
                           .release = [this](GAME_CUIIconObject*) { AskToBuy(); }};
    PlaceUIButtonTopLeft(buyButton, 289.0f, 299.0f);
    buy_ = MakeUIButton(window_, buyButton);
    AddWidget(buy_);

    AddWidget(MakeUIPictureUnder(window_, "ui_fuel_frame", 64.0f, 151.0f));
    // Held down, plus and minus step again and again.
    UIButtonSpec step{.sprite = "ui_plusbutton", .pressedSprite = "ui_plusbutton_on", .sound = kSeUICursor, .pressedFrames = 1,
                      .release = [this](GAME_CUIIconObject*) {
                          SetAmount(std::min({std::int64_t{amount_} + 1, FreeCapacity(), Affordable()}));
                      },
                      .repeats = true};
    PlaceUIButtonTopLeft(step, 401.0f, 163.0f);
    plus_ = MakeUIButton(window_, step);
    AddWidget(plus_);
    step.sprite = "ui_minusbutton";
    step.pressedSprite = "ui_minusbutton_on";
    step.release = [this](GAME_CUIIconObject*) { SetAmount(std::max(amount_ - 1, 0)); };
    PlaceUIButtonTopLeft(step, 73.0f, 163.0f);
    AddWidget(MakeUIButton(window_, step));
    AddWidget(MakeUIPictureUnder(window_, "ui_fuel_gauge_frame", 120.0f, 163.0f));
    // The bars are the plain label base tinted, as the other gauges of the screens.
    fuelHolder_ = MakeUIGroupUnder(window_, kBarsAt.x, kBarsAt.y);
    AddWidget(fuelHolder_);
    fuelBar_ = MakeUIGaugeFill(fuelHolder_, "ui_labelbase", kFuelColor, kBarLength, kBarHeight);
    AddWidget(fuelBar_.picture);
    purchaseHolder_ = MakeUIGroupUnder(window_, kBarsAt.x, kBarsAt.y);
    AddWidget(purchaseHolder_);
    purchaseBar_ = MakeUIGaugeFill(purchaseHolder_, "ui_labelbase", kPurchaseColor, kBarLength, kBarHeight);
    AddWidget(purchaseBar_.picture);
    captions_.Add(widgets_, window_, "ui_text_fuel", {66.0f, 138.0f});
    AddWidget(MakeUIPictureUnder(window_, "ui_payprice_frame", 67.0f, 295.0f));
    GAME_CUINullObject* payCaption = captions_.Add(widgets_, window_, "ui_text_pay", {83.0f, 300.0f});
    captions_.Add(widgets_, payCaption, "ui_text_havemoney", {-5.0f, 14.0f});
    cursor_ = MakeUIPictureUnder(window_, "ui_cursor_common_r90", CursorPlace(focus_).x, CursorPlace(focus_).y);
    AddWidget(cursor_);

    AddWidget(MakeUICategorySwitch(0));
    title_ = MakeUIRoomWindowTitle(window_, "BUILD_TEXT_UI_TITLE");
    AddWidget(title_);
    AddWidget(MakeUILabel(reset_, "GASSTATION_BUTTON_RESET", 0.0f, 0.0f, 0.5f, 0.5f));
    AddWidget(MakeUILabel(max_, "GASSTATION_BUTTON_MAX", 3.0f, 0.0f, 0.5f, 0.5f));
    AddWidget(MakeUILabel(buy_, "GASSTATION_BUTTON_BUY", 0.0f, 0.0f, 0.5f, 0.5f));
    amountLabel_ = MakeUILabel(window_, "", 284.0f, 204.0f, 1.0f);
    AddWidget(amountLabel_);
    priceLabel_ = MakeUILabel(window_, "", 272.0f, 152.0f, 1.0f);
    AddWidget(priceLabel_);
    AddWidget(MakeUILabel(window_, "MONEY_MARK", 124.0f, 296.0f));
    moneyLabel_ = MakeUILabel(window_, "", 244.0f, 310.0f, 1.0f);
    AddWidget(moneyLabel_);
    AddWidget(MakeUILabel(window_, "MONEY_MARK", 124.0f, 310.0f));
    totalLabel_ = MakeUILabel(window_, "", 244.0f, 296.0f, 1.0f);
    AddWidget(totalLabel_);
    unitLabel_ = MakeUILabel(window_, "", 307.0f, 152.0f, 1.0f);
    AddWidget(unitLabel_);
    AddWidget(MakeUILabel(window_, "FUEL_UNIT_TEXT", 299.0f, 204.0f, 1.0f));
    EndUIRoomWindow(widgets_, window_);
}

std::int64_t GAME_CUIGasStation::Capacity() const { return Context().world.ship ? Context().world.ship->fuelCapacity : 0; }

std::int64_t GAME_CUIGasStation::Fuel() const { return Context().world.ship ? Context().world.ship->fuel : 0; }

std::int64_t GAME_CUIGasStation::Money() const
{
    const GAME_CPlayerData* player = Context().Player();
    return player != nullptr ? player->money : 0;
}

std::int64_t GAME_CUIGasStation::FreeCapacity() const { return std::max<std::int64_t>(Capacity() - Fuel(), 0); }

std::int64_t GAME_CUIGasStation::Affordable() const { return Money() / std::max(price_, 1); }

void GAME_CUIGasStation::SetAmount(std::int64_t amount) { amount_ = static_cast<std::int32_t>(std::clamp<std::int64_t>(amount, 0, INT32_MAX)); }

void GAME_CUIGasStation::ChooseMost() { SetAmount(std::min(FreeCapacity(), Affordable())); }

void GAME_CUIGasStation::AskToBuy()
{
    if (amount_ >= 1) pages_.Go(Money() < std::int64_t{price_} * amount_ ? kNotEnoughMoney : kConfirming);
}

Vec2 GAME_CUIGasStation::GaugeOrigin() const { return fuelHolder_->WorldPosition(); }

float GAME_CUIGasStation::FuelShare() const { return fuelBar_.picture->GetScale()->x / fuelBar_.fullScale; }

float GAME_CUIGasStation::PurchaseShare() const { return purchaseBar_.picture->GetScale()->x / purchaseBar_.fullScale; }

bool GAME_CUIGasStation::KeepsHoldOnClose() const { return Context().ui.IsOpen(kSlotAjitoMenu); }

void GAME_CUIGasStation::OnEnterState(UIScreenState state)
{
    switch (state) {
    case kOpening: {
        captions_.Apply();
        unitLabel_->SetTextW(UILimitedText(GetMessageTextExpanded("MONEY_MARK") + u"／" + GetMessageTextExpanded("FUEL_UNIT_TEXT"), kUnitLimit).c_str());
        ShowAllWidgets();
        amount_ = 0;
        const HideoutData* hideout = UIHideoutHere(Context());
        price_ = std::max(hideout != nullptr ? hideout->fuelPrice : HideoutData{}.fuelPrice, 1);
        pages_.Reset(kChoosing);
        cursor_->SetColor(kUIWhite);
        Context().world.SetFieldStick(false);
        break;
    }
    case kMain: UIRunArmedRouteLabel(Context(), RouteScreenLabel::kGasStation); break;
    case kClosing: Context().world.SetFieldStick(true); break;
    default: break;
    }
}

void GAME_CUIGasStation::EveryFrame()
{
    if (State() != kMain) RefreshView();
}

void GAME_CUIGasStation::UpdateMain(bool input)
{
    pages_.Advance([this](Page page) { EnterPage(page); });
    const bool choosing = pages_.Is(kChoosing);
    const bool left = Root()->UpdateTree(choosing && input && !AnyWidgetBusyOrDecided());
    switch (pages_.Current()) {
    case kChoosing:
        if (left) Choose();
        break;
    case kDragging: Drag(input); break;
    case kConfirming:
        if (FollowDialogAnswer(pages_, kBought, kChoosing)) {
            NoticeInDialog(kSlotGasStation, {.text = GetMessageTextExpanded("GASSTATION_BUY_FINISHED"), .focusOnYes = true});
        }
        break;
    default:
        if (!IsDialogShown()) pages_.Go(kChoosing);
        break;
    }
    RefreshView();
}

void GAME_CUIGasStation::EnterPage(Page page)
{
    switch (page) {
    case kChoosing: cursor_->SetColor(kUIWhite); break;
    case kDragging: {
        dragStartAmount_ = amount_;
        dragStart_ = FirstUIPointerPosition();
        dragSoundCounter_ = 0;
        break;
    }
    case kConfirming: Ask(); break;
    case kBought: Buy(); break;
    case kNotEnoughMoney:
        NoticeInDialog(kSlotGasStation, {.text = GetMessageTextExpanded("GASSTATION_NOT_ENOUGH_MONEY"), .focusOnYes = true});
        cursor_->SetColor(kUIHidden);
        break;
    }
}

void GAME_CUIGasStation::Choose()
{
    if (PressGaugeCell()) return;
    if (IsUIMenuPressed(kUIMenuLeft, true)) {
        PlayUISE(kSeUICursor);
        SetAmount(std::max(amount_ - 1, 0));
    } else if (IsUIMenuPressed(kUIMenuRight, true)) {
        // The keys go up to what the tank takes; the price is weighed only at the purchase.
        PlayUISE(kSeUICursor);
        SetAmount(std::min(std::int64_t{amount_} + 1, FreeCapacity()));
    }
    WalkFocus();
}

bool GAME_CUIGasStation::PressGaugeCell()
{
    const std::int64_t capacity = Capacity();
    const std::int64_t free = FreeCapacity();
    // An empty or full tank has no cells, and no tank none at all.
    if (capacity < 1 || free < 2 || IsUIPointerRefused()) return false;
    const float width = kCellSpan / static_cast<float>(capacity);
    const Vec2 gauge = GaugeOrigin();
    const float first = gauge.x + static_cast<float>(Fuel()) * width;
    const float bottom = gauge.y + kCellHeight;
    if (!IsUIClickInRect({first, gauge.y}, {first + static_cast<float>(free - 1) * width, bottom})) return false;
    for (std::int64_t k = 1; k < free; ++k) {
        const float left = first + static_cast<float>(k - 1) * width;
        if (!IsUIClickInRect({left, gauge.y}, {left + width, bottom})) continue;
        SetAmount(std::min(k + 1, Affordable()));
        pages_.Go(kDragging);
        PlayUISE(kSeUICursor);
        return true;
    }
    return false;
}

void GAME_CUIGasStation::WalkFocus()
{
    using enum Focus;
    constexpr auto id = [](Focus focus) { return static_cast<std::int32_t>(focus); };
    static const std::array<UIFocusPlace, 3> kPlaces{{
        {.id = id(kReset), .next = {id(kBuy), id(kMax), kUINoFocus, kUINoFocus}, .silent = true},
        {.id = id(kMax), .next = {id(kReset), id(kBuy), kUINoFocus, kUINoFocus}, .silent = true},
        {.id = id(kBuy), .next = {id(kMax), id(kReset), kUINoFocus, kUINoFocus}, .silent = true},
    }};
    const UIFocusMap map(kPlaces);
    std::int32_t focus = id(focus_);
    const Focus start = focus_;
    // On RESET and MAX down wins over up; on BUY up wins.
    const bool up = IsUIMenuPressed(kUIMenuUp);
    const bool down = IsUIMenuPressed(kUIMenuDown);
    if (focus_ == kBuy ? up : (up && !down)) {
        map.Walk(focus, kUIFocusUp);
    } else if (down) {
        map.Walk(focus, kUIFocusDown);
    } else if (IsUIActionTriggered(kActionDecide)) {
        switch (focus_) {
        case kReset: SetAmount(0); break;
        case kMax: ChooseMost(); break;
        case kBuy: AskToBuy(); break;
        }
    }
    focus_ = static_cast<Focus>(focus);
    if (focus_ == start) return;
    const Vec2 place = CursorPlace(focus_);
    cursor_->SetPosition(&place);
    cursor_->UpdateTree(false);
}

void GAME_CUIGasStation::Drag(bool input)
{
    if (!input || !IsUIHeldInRect(kCanvasTopLeft, kCanvasBottomRight)) {
        pages_.Go(kChoosing);
        return;
    }
    const std::int64_t capacity = Capacity();
    const std::int64_t free = FreeCapacity();
    std::int64_t value = dragStartAmount_;
    // An empty or full tank gives no step to drag by.
    if (capacity >= 1 && free >= 1) {
        const float width = kCellSpan / static_cast<float>(capacity);
        const float steps = (FirstUIPointerPosition().x - dragStart_.x) * static_cast<float>(free) / (width * static_cast<float>(free));
        value += static_cast<std::int64_t>(std::trunc(steps));
    }
    value = std::clamp<std::int64_t>(value, 0, free);
    if (value != amount_) {
        dragSoundCounter_ = (dragSoundCounter_ + 1) % 4;
        if (dragSoundCounter_ == 1) PlayUISE(kSeUICursor);
    } else {
        dragSoundCounter_ = 0;
    }
    SetAmount(std::max<std::int64_t>(std::min({value, free, Affordable()}), 0));
}

void GAME_CUIGasStation::Ask()
{
    const std::u16string question =
        UILimitedText(FormatUIMessage("GASSTATION_BUYCHECK_YESNO", {UIFullWidthNumber(amount_), GetMessageTextExpanded("FUEL_UNIT_TEXT")}), kQuestionLimit);
    AskInDialog(kSlotGasStation, {.text = question});
    cursor_->SetColor(kUIHidden);
}

void GAME_CUIGasStation::Buy()
{
    const std::int64_t cost = std::int64_t{price_} * amount_;
    if (Context().world.ship) Context().world.ship->AddFuel(amount_);
    if (GAME_CPlayerData* player = Context().Player()) player->AddMoney(-cost);
    amount_ = 0;
    PlayUISE(kSeFuelBought);
}

void GAME_CUIGasStation::RefreshView()
{
    const std::int64_t cost = std::int64_t{price_} * amount_;
    const bool affordable = cost <= Money();
    buy_->SetColor(affordable ? kUIWhite : GetUIColor(kUIColorDimText));

    // Between hideouts the title stays as it was.
    if (UIHideoutHere(Context()) != nullptr) title_->SetTextW(UILimitedText(UIHideoutFacilityTitle(Context(), kTypeNameGasStation), kTitleLimit).c_str());

    // No tank, or one with no room left, shows empty bars and divides by nothing.
    const std::int64_t capacity = Capacity();
    const std::int64_t free = FreeCapacity();
    float fuelShare = 0.0f;
    float purchaseShare = 0.0f;
    if (capacity >= 1) {
        fuelShare = std::clamp(static_cast<float>(Fuel()) / static_cast<float>(capacity), 0.0f, 1.0f);
        if (free >= 1) purchaseShare = std::clamp(static_cast<float>(amount_) / static_cast<float>(free), 0.0f, 1.0f) * (1.0f - fuelShare);
    }
    fuelBar_.Show(fuelShare);
    purchaseBar_.Show(purchaseShare);
    const Vec2 purchaseAt{kBarsAt.x + kBarLength * fuelShare, kBarsAt.y};
    purchaseHolder_->SetPosition(&purchaseAt);

    amountLabel_->SetTextW(UIFullWidthNumber(amount_).c_str());
    priceLabel_->SetTextW(UIFullWidthNumber(price_).c_str());
    totalLabel_->SetTextW(UIFullWidthNumber(cost).c_str());
    moneyLabel_->SetTextW(UIFullWidthNumber(Money()).c_str());
}
