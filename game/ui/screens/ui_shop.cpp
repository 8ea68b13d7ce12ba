// The market (slot 10): a buy tab over the hideout's goods and a sell tab over what the ship holds, six rows at a time, with the totals, the money and the questions.
#include "game/ui/screens/ui_shop.h"

#include <algorithm>
#include <span>

#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "game/model/stores/stored_items.h"
#include "game/model/world/game_world.h"
#include "game/services/data/item_records.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/world_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
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

constexpr std::int32_t kSeTrade = 59;
// The list's first row, in window units; rows stand a line apart.
constexpr float kListTop = 156.0f;
constexpr float kRowStep = 18.0f;
// Pointer rectangles on the canvas with the window at rest: a row, and its increase and decrease buttons.
constexpr float kRowLeft = 130.0f;
constexpr float kRowRight = 522.0f;
constexpr float kRowTop = 105.0f;
constexpr float kRowBottom = 122.0f;
// The rows' lines and the highlight: they start where the row's rectangle does and end with it,
// short of the scroll bar, which the shared pictures would run past.
constexpr float kRowLineLeft = 69.0f;
constexpr float kRowLineWidth = kRowRight - kRowLeft;
constexpr float kIncreaseLeft = 373.0f;
constexpr float kDecreaseLeft = 386.0f;
constexpr float kStepButtonWidth = 12.0f;
constexpr float kStepButtonTop = 107.0f;
constexpr float kStepButtonBottom = 118.0f;
constexpr float kTabY = 311.0f;
constexpr float kTabLowered = 3.0f;
constexpr std::size_t kLabelLimit = 127;
constexpr std::size_t kNumberLimit = 31;
constexpr std::size_t kQuestionLimit = 240;
constexpr std::int64_t kTotalCeiling = 999'999'999;

// Held, the page modifier makes the keys step ten at a time and the sell list's cursor a page.
bool PageModifierHeld() { return IsUIActionHeld(kActionMenuFunctionA); }

}  // namespace

// It slides down from above the canvas, takes all input while open and holds the game behind it.
GAME_CUIShop::GAME_CUIShop(const UIScreenContext& context)
    : GAME_CUIScreen(UIHideoutFacilitySetup(kUIRoomWindowAt.y), &context)
{
    Build();
}

void GAME_CUIShop::Build()
{
    paySprites_.Find("ui_text_pay");
    totalSprites_.Find("ui_text_total_price");
    tabOn_ = FindUISprite("ui_tab_on");
    tabOff_ = FindUISprite("ui_tab_off");

    window_ = MakeUIRoomWindowUnder(Root());
    // The player's way out goes back to the hideout menu; a close by an event or a game over does not.
    BeginUIRoomWindow(widgets_, window_, window_, {.closeRelease = CloseAndOpenHideoutMenu(this, Context().ui), .owner = this});
    headers_.Add(widgets_, window_, "ui_text_name", {88.0f, 140.0f});
    headers_.Add(widgets_, window_, "ui_text_price", {230.0f, 140.0f});
    headers_.Add(widgets_, window_, "ui_text_num", {342.0f, 140.0f});
    GAME_CUINullObject* payFrame = MakeUIPictureUnder(window_, "ui_payprice_frame", 67.0f, 268.0f);
    AddWidget(payFrame);
    payHeader_ = MakeUIPictureUnder(payFrame, "ui_text_pay", 16.0f, 4.0f);
    AddWidget(payHeader_);
    headers_.Add(widgets_, payFrame, "ui_text_havemoney", {11.0f, 18.0f});
    AddWidget(MakeUIPictureUnder(window_, "ui_separator_center", 69.0f, 153.0f));
    AddWidget(MakeUIPictureUnder(window_, "ui_tab_separator", 34.0f, 321.0f));
    list_ = MakeUIGroupUnder(window_, 0.0f, kListTop);
    AddWidget(list_);
    for (int i = 0; i + 1 < kRows; ++i) {
        rows_[static_cast<std::size_t>(i)].separator =
            MakeUIPictureCut(list_, "ui_separator_big", kRowLineLeft, kRowStep * static_cast<float>(i + 1) - 1.0f, kRowLineWidth, kRowStep);
        AddWidget(rows_[static_cast<std::size_t>(i)].separator);
    }
    cursor_.Build(widgets_, list_, {.highlightAt = {kRowLineLeft, 0.0f}, .arrowAt = {46.0f, 4.0f}});
    CutUIPicture(cursor_.highlight, kRowLineWidth, kRowStep);
    BuildRows();

    UIButtonSpec enter{.sprite = "ui_enterbutton", .pressedSprite = "ui_enterbutton_touch", .sound = kSeUIDecide,
                       .action = kActionDecide, .release = [this](GAME_CUIIconObject*) { OnEnterButton(); }};
    PlaceUIButtonTopLeft(enter, 340.0f, 274.0f);
    enter_ = MakeUIButton(window_, enter);
    AddWidget(enter_);
    scroll_ = MakeUIScrollBar(window_, 464.0f, kListTop, 8.0f, kRowStep * kRows);
    AddWidget(scroll_);
    const float tabHalf = UISpriteSize(tabOn_).x / 2.0f;
    buyAnchor_ = MakeUIGroupUnder(window_, tabHalf + 44.0f, kTabY);
    AddWidget(buyAnchor_);
    buyTab_ = MakeUIButton(buyAnchor_, {.sprite = "ui_tab_on", .pressedSprite = "ui_tab_on", .sound = kSeUIDecide, .action = kActionMenuTabLeft,
                                        .release = [this](GAME_CUIIconObject*) { ShowTab(true); }});
    AddWidget(buyTab_);
    sellAnchor_ = MakeUIGroupUnder(window_, tabHalf + 264.0f, kTabY);
    AddWidget(sellAnchor_);
    sellTab_ = MakeUIButton(sellAnchor_, {.sprite = "ui_tab_off", .pressedSprite = "ui_tab_off", .sound = kSeUIDecide, .action = kActionMenuTabRight,
                                          .release = [this](GAME_CUIIconObject*) { ShowTab(false); }});
    AddWidget(sellTab_);

    AddWidget(MakeUICategorySwitch(0));
    title_ = MakeUIRoomWindowTitle(window_, "");
    AddWidget(title_);
    AddWidget(MakeUILabel(enter_, "MARKET_ACCOUNTING", 0.0f, 0.0f, 0.5f, 0.5f));
    AddWidget(MakeUILabel(buyTab_, "MARKET_ITEM_BUY", 0.0f, 0.0f, 0.5f, 0.5f));
    AddWidget(MakeUILabel(sellTab_, "MARKET_ITEM_SELL", 0.0f, 0.0f, 0.5f, 0.5f));
    for (int i = 0; i < kRows; ++i) {
        Row& row = rows_[static_cast<std::size_t>(i)];
        const float y = kRowStep * static_cast<float>(i) + 2.0f;
        row.name = MakeUILabel(list_, "", 88.0f, y);
        row.mark = MakeUILabel(list_, "", 212.0f, y);
        row.price = MakeUILabel(list_, "", 300.0f, y, 1.0f);
        row.number = MakeUILabel(list_, "", 342.0f, y);
        for (GAME_CUILabelObject* label : {row.name, row.mark, row.price, row.number}) AddWidget(label);
    }
    AddWidget(MakeUILabel(window_, "MONEY_MARK", 124.0f, 283.0f));
    moneyLabel_ = MakeUILabel(window_, "", 244.0f, 283.0f, 1.0f);
    AddWidget(moneyLabel_);
    AddWidget(MakeUILabel(window_, "MONEY_MARK", 124.0f, 269.0f));
    totalLabel_ = MakeUILabel(window_, "", 244.0f, 269.0f, 1.0f);
    AddWidget(totalLabel_);
    EndUIRoomWindow(widgets_, window_);
}

void GAME_CUIShop::BuildRows()
{
    for (int i = 0; i < kRows; ++i) {
        Row& row = rows_[static_cast<std::size_t>(i)];
        const float y = kRowStep * static_cast<float>(i);
        row.icon = MakeUIPictureUnder(list_, "icon_item_i001", 70.0f, y + 1.0f);
        AddWidget(row.icon);
        // The buttons are pictures: the list finds their presses by rectangle.
        row.increase = MakeUIPictureUnder(list_, "ui_button_increase", kIncreaseLeft - kUIRoomWindowAt.x, y + 2.0f);
        AddWidget(row.increase);
        row.decrease = MakeUIPictureUnder(list_, "ui_button_decrease", kDecreaseLeft - kUIRoomWindowAt.x, y + 2.0f);
        AddWidget(row.decrease);
    }
}

MarketParties GAME_CUIShop::Parties() const
{
    return {Context().world.fieldObjects.get(), Context().world.ship.get(), Context().Player()};
}

bool GAME_CUIShop::KeepsHoldOnClose() const { return Context().ui.IsOpen(kSlotAjitoMenu); }

std::int32_t GAME_CUIShop::ListRows() const
{
    return OnBuyTab() ? static_cast<std::int32_t>(trade_.GoodsCount()) : trade_.SellRowCount();
}

void GAME_CUIShop::OnEnterState(UIScreenState state)
{
    switch (state) {
    case kOpening: {
        headers_.Apply();
        const HideoutData* hideout = UIHideoutHere(Context());
        trade_.ResetBuyList(hideout != nullptr ? std::span<const std::uint32_t>(hideout->marketItems) : std::span<const std::uint32_t>());
        title_->SetTextW(UILimitedText(UIHideoutFacilityTitle(Context(), kTypeNameMarket), kLabelLimit).c_str());
        pages_.Reset(kBuyList);
        ShowAllWidgets();
        ShowTab(true);
        ResetBuyList();
        Context().world.SetFieldStick(false);
        break;
    }
    case kMain: UIRunArmedRouteLabel(Context(), RouteScreenLabel::kMarket); break;
    case kClosing: Context().world.SetFieldStick(true); break;
    case kClosed: trade_.ClearQuantities(); break;
    default: break;
    }
}

void GAME_CUIShop::EveryFrame()
{
    cursor_.StepArrow();
    const GAME_CPlayerData* player = Context().Player();
    moneyLabel_->SetTextW(UIFullWidthNumber(player != nullptr ? player->money : 0).c_str());
}

void GAME_CUIShop::UpdateMain(bool input)
{
    pages_.Advance([this](Page page) { EnterPage(page); });
    scroll_->SetValue(view_.top);
    const bool listing = pages_.Is(kBuyList) || pages_.Is(kSellList);
    bool left = Root()->UpdateTree(listing && input && !AnyWidgetBusyOrDecided());
    if (view_.Follow(*scroll_)) {
        PlayUISE(kSeUICursor);
        RefreshRows();
        left = false;
    }
    switch (pages_.Current()) {
    case kBuyList:
    case kSellList: ListInput(left); break;
    case kBuyConfirm:
        // A no greys the enter button until the list comes back.
        if (!FollowDialogAnswer(pages_, kBought, kBuyList) && pages_.Asked() == kBuyList) enter_->SetColor(GetUIColor(kUIColorGreyed));
        break;
    case kSellConfirm: FollowDialogAnswer(pages_, kSold, kSellList); break;
    default:
        if (!IsDialogShown()) {
            pages_.Go(pages_.Current() == kSold ? kSellList : kBuyList);
            if (pages_.Is(kBought)) trade_.ClearQuantities();
            RefreshTotals();
        }
        break;
    }
    scroll_->SetValue(view_.top);
}

void GAME_CUIShop::EnterPage(Page page)
{
    const MarketParties parties = Parties();
    switch (page) {
    case kBuyList: ResetBuyList(); break;
    case kBuyRefused: NoticeInDialog(kSlotShop, {.text = GetMessageTextExpanded(trade_.ChooseBuyRefusal(parties)), .focusOnYes = true}); break;
    case kBuyConfirm: {
        const GAME_CMarketTrade::Totals totals = trade_.GetBuyTotals();
        AskInDialog(kSlotShop, {.text = UILimitedText(FormatUIMessage("MARKET_BUY_YESNO", {UIFullWidthNumber(totals.count), GetMessageTextExpanded("MONEY_MARK"),
                                                                                      UIFullWidthNumber(totals.price)}),
                                                kQuestionLimit)});
        break;
    }
    case kBought:
        trade_.ExecutePurchase(parties);
        PlayUISE(kSeTrade);
        NoticeInDialog(kSlotShop, {.text = GetMessageTextExpanded("MARKET_BUY_FINISH_0") + u"\n" + GetMessageTextExpanded("MARKET_BUY_FINISH_1"),
                                   .focusOnYes = true});
        break;
    case kSellList: EnterSellList(); break;
    case kSellConfirm:
        AskInDialog(kSlotShop, {.text = UILimitedText(FormatUIMessage("MARKET_SELL_YESNO", {UIFullWidthNumber(trade_.MarkedCount()), GetMessageTextExpanded("MONEY_MARK"),
                                                                                       UIFullWidthNumber(trade_.MarkedPrice())}),
                                                kQuestionLimit)});
        break;
    case kSold: {
        const std::int64_t paid = trade_.ExecuteSale(parties);
        PlayUISE(kSeTrade);
        view_.cursor = 0;
        view_.top = 0;
        RefreshRows();
        NoticeInDialog(kSlotShop, {.text = UILimitedText(FormatUIMessage("MARKET_SELL_FINISHED", {GetMessageTextExpanded("MONEY_MARK"), UIFullWidthNumber(paid)}), kLabelLimit),
                                   .focusOnYes = true});
        break;
    }
    }
}

void GAME_CUIShop::ResetBuyList()
{
    trade_.ClearQuantities();
    view_.cursor = 0;
    view_.top = 0;
    scroll_->SetMaximum(std::max(static_cast<std::int32_t>(trade_.GoodsCount()) - kRows, 0));
    scroll_->SetValue(0);
    RefreshRows();
    RefreshTotals();
    enter_->SetColor(trade_.CanBuySelection(Parties()) ? kUIWhite : GetUIColor(kUIColorGreyed));
}

void GAME_CUIShop::EnterSellList()
{
    trade_.BuildSellList(Parties());
    view_.cursor = 0;
    view_.top = 0;
    scroll_->SetMaximum(std::max(trade_.SellRowCount() - kRows, 0));
    scroll_->SetValue(0);
    enter_->SetColor(GetUIColor(kUIColorGreyed));
    RefreshRows();
    RefreshTotals();
}

void GAME_CUIShop::ShowTab(bool buy)
{
    buyTab_->SetSprites(buy ? tabOn_ : tabOff_, buy ? tabOn_ : tabOff_);
    sellTab_->SetSprites(buy ? tabOff_ : tabOn_, buy ? tabOff_ : tabOn_);
    const float tabHalf = UISpriteSize(tabOn_).x / 2.0f;
    const Vec2 buyAt{tabHalf + 44.0f, kTabY + (buy ? 0.0f : kTabLowered)};
    const Vec2 sellAt{tabHalf + 264.0f, kTabY + (buy ? kTabLowered : 0.0f)};
    buyAnchor_->SetPosition(&buyAt);
    sellAnchor_->SetPosition(&sellAt);
    if (State() != kMain) return;
    // The tab already shown starts nothing anew.
    if (buy && !OnBuyTab()) pages_.Go(kBuyList);
    if (!buy && OnBuyTab()) pages_.Go(kSellList);
}

void GAME_CUIShop::OnEnterButton()
{
    const bool enabled = enter_->Color() == kUIWhite;
    if (OnBuyTab()) {
        if (!trade_.AnyQuantity()) return;
        pages_.Go(enabled ? kBuyConfirm : kBuyRefused);
    } else if (enabled) {
        pages_.Go(kSellConfirm);
    }
}

void GAME_CUIShop::ListInput(bool input)
{
    const std::int32_t listRows = ListRows();
    if (!OnBuyTab()) {
        scroll_->SetMaximum(std::max(listRows - kRows, 0));
        view_.top = std::clamp(view_.top, 0, scroll_->Maximum());
    }
    if (!input || listRows == 0) return;
    if (PointerOnRows(listRows)) return;
    const bool page = PageModifierHeld();
    if (IsUIMenuPressed(kUIMenuUp, true)) {
        PlayUISE(kSeUICursor);
        StepCursor(false, listRows);
    } else if (IsUIMenuPressed(kUIMenuDown, true)) {
        PlayUISE(kSeUICursor);
        StepCursor(true, listRows);
    }
    if (IsUIMenuPressed(kUIMenuLeft, true)) {
        PlayUISE(kSeUICursor);
        StepValue(view_.top + view_.cursor, page ? -10 : -1, MarketMarkRule::kKey);
    } else if (IsUIMenuPressed(kUIMenuRight, true)) {
        PlayUISE(kSeUICursor);
        StepValue(view_.top + view_.cursor, page ? 10 : 1, MarketMarkRule::kKey);
    }
}

bool GAME_CUIShop::PointerOnRows(std::int32_t listRows)
{
    const std::int32_t shown = std::min(kRows, listRows - view_.top);
    // A click on another row moves the cursor there; one on the cursor row goes on to its buttons.
    if (view_.Click(ClickedUIListRow({kRowLeft, kRowTop}, shown, {kRowRight - kRowLeft, kRowBottom - kRowTop})) == UIListClick::kMoved) {
        RefreshRows();
        return true;
    }
    for (const bool increase : {true, false}) {
        const float left = increase ? kIncreaseLeft : kDecreaseLeft;
        const std::int32_t i = ClickedUIListRow({left, kStepButtonTop}, shown, {kStepButtonWidth, kStepButtonBottom - kStepButtonTop});
        if (i < 0) continue;
        PlayUISE(kSeUICursor);
        if (i == view_.cursor) {
            StepValue(view_.top + i, increase ? 1 : -1, increase ? MarketMarkRule::kIncreaseButton : MarketMarkRule::kDecreaseButton);
        } else {
            view_.cursor = i;
            AfterChange();
        }
        return true;
    }
    return false;
}

void GAME_CUIShop::StepCursor(bool down, std::int32_t listRows)
{
    // A ring over the rows; on the sell tab the page modifier jumps a page before the step.
    const std::int32_t direction = down ? 1 : -1;
    view_.count = listRows;
    if (!OnBuyTab() && PageModifierHeld()) view_.JumpPage(direction);
    view_.Step(direction);
    RefreshRows();
}

void GAME_CUIShop::StepValue(std::int32_t row, std::int32_t step, MarketMarkRule rule)
{
    if (OnBuyTab()) {
        trade_.StepQuantity(static_cast<std::size_t>(row), step);
    } else {
        trade_.AdjustSellMark(row, step, rule);
    }
    AfterChange();
}

void GAME_CUIShop::AfterChange()
{
    const bool enabled = OnBuyTab() ? trade_.CanBuySelection(Parties()) : trade_.MarkedCount() > 0;
    enter_->SetColor(enabled ? kUIWhite : GetUIColor(kUIColorGreyed));
    RefreshRows();
    RefreshTotals();
}

void GAME_CUIShop::RefreshRows()
{
    const Vec2 cursorAt{0.0f, kRowStep * static_cast<float>(view_.cursor)};
    cursor_.holder->SetPosition(&cursorAt);
    const bool buy = OnBuyTab();
    const std::int32_t listRows = ListRows();
    const std::u16string moneyMark = GetMessageTextExpanded("MONEY_MARK");
    for (int i = 0; i < kRows; ++i) {
        Row& row = rows_[static_cast<std::size_t>(i)];
        const std::int32_t index = view_.top + i;
        std::uint32_t itemId = kNoId;
        const ItemData* record = nullptr;
        std::u16string number;
        if (index >= 0 && index < listRows) {
            if (buy) {
                itemId = trade_.GoodsAt(static_cast<std::size_t>(index));
                record = FindItemData(itemId);
                const std::int64_t held = CountItemAboard(itemId);
                number = UIFullWidthNumber(trade_.Quantity(static_cast<std::size_t>(index))) + u"\u3000(" + UIFullWidthNumber(held) + u")";
            } else {
                const MarketSellRow sold = trade_.SellRowAt(index);
                itemId = sold.itemId;
                record = sold.record;
                number = UIFullWidthNumber(sold.mark) + u"／" + UIFullWidthNumber(sold.count);
            }
        }
        const bool filled = itemId != kNoId;
        row.name->SetTextW(filled ? UITagName(itemId).c_str() : u"");
        row.mark->SetTextW(filled ? moneyMark.c_str() : u"");
        row.price->SetTextW(filled ? UIFullWidthNumber(record == nullptr ? 0 : buy ? record->buyPrice : record->sellPrice).c_str() : u"");
        row.number->SetTextW(UILimitedText(number, kNumberLimit).c_str());
        row.icon->SetSprite(filled && record != nullptr ? record->iconSprite : kNoSprite);
        for (GAME_CUINullObject* part : {row.separator, row.increase, row.decrease}) {
            if (part != nullptr) part->SetColor(filled ? kUIWhite : kUIHidden);
        }
    }
}

void GAME_CUIShop::RefreshTotals()
{
    const std::int64_t total = OnBuyTab() ? trade_.GetBuyTotals().price : trade_.MarkedPrice();
    totalLabel_->SetTextW(UIFullWidthNumber(std::clamp<std::int64_t>(total, 0, kTotalCeiling), u"%9d").c_str());
}

void GAME_CUIShop::Draw()
{
    if (State() == kClosed) return;
    payHeader_->SetSprite(OnBuyTab() ? paySprites_.Current() : totalSprites_.Current());
    GAME_CUIScreen::Draw();
    if (trade_.GoodsCount() == 0 && OnBuyTab()) {
        const std::u16string notice = GetMessageTextExpanded("MARKET_NO_SELL_ITEM");
        const float y = window_->WorldPosition().y + 16.0f + 2.0f * UILineHeight();
        DrawUIText({kCanvasWidth / 2.0f - MeasureUIText(notice) / 2.0f, y}, notice, GetUIColor(kUIColorText));
    }
}
