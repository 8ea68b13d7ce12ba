// The item dictionary (slot 31): every item of the database, nine rows at a time, and a detail page with its price, stack and description.
#include "game/ui/screens/ui_item_dictionary.h"

#include <algorithm>

#include "game/model/stores/stored_items.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/player/player_data.h"
#include "game/services/save/working_slot.h"
#include "game/services/text/message_text.h"
#include "game/ui/item_description.h"
#include "game/ui/menu_window.h"
#include "game/ui/screen_callbacks.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_category_change_object.h"

namespace {

// Rows hang from anchors 18 units apart; a row's pointer rectangle spans the window's list area.
constexpr float kRowX = 152.0f;
constexpr float kFirstRowY = 106.0f;
constexpr vesk::math::Vec2 kRowHitTopLeft{107.0f, 107.0f};
constexpr vesk::math::Vec2 kRowHitSize{392.0f, 16.0f};
constexpr float kCountRightX = 349.0f;
// Bits of the single-precision constant added before the percentage is cut to a whole number.
constexpr float kPercentNudge = 0.0055555552f;

}  // namespace

GAME_CUIItemDictionary::GAME_CUIItemDictionary(const UIScreenContext& context)
    : GAME_CUIScreen({.holdsGame = true, .settlesAtOnce = true}, &context)
{
    BuildListPage();
    BuildDetailPage();
}

GAME_CUIItemDictionary::~GAME_CUIItemDictionary() { DeleteWidgets(detailWidgets_); }

void GAME_CUIItemDictionary::BuildListPage()
{
    GAME_CUINullObject* root = Root();
    BeginUIMenuWindow(widgets_, root, CloseAndOpenHud(this, Context().ui));
    captions_.Add(widgets_, root, "ui_text_name", {127.0f, 87.0f});
    captions_.Add(widgets_, root, "ui_text_num", {440.0f, 87.0f});
    AddWidget(MakeUIPictureUnder(root, "ui_separator_center", 99.0f, 270.0f));
    // The holder rides on the cursor row's anchor 45 units to its left, so that the arrow stands
    // before the row and the highlight ends inside the window.
    cursor_.Build(widgets_, root, {.at = {-45.0f, -1.0f}});
    for (int r = 0; r < kRows; ++r) {
        UIItemRowWidgets& row = rows_[static_cast<std::size_t>(r)];
        row.anchor = MakeUIGroupUnder(root, kRowX, kFirstRowY + kUILineStep * static_cast<float>(r));
        AddWidget(row.anchor);
        row.separator = MakeUIPictureUnder(row.anchor, "ui_separator_big", -45.0f, 16.0f);
        AddWidget(row.separator);
        row.icon = MakeUIPictureUnder(row.anchor, "ui_icon_check", -19.0f, 0.0f);
        AddWidget(row.icon);
    }
    listScroll_ = MakeUIScrollBar(root, 525.0f, 105.0f, 8.0f, 162.0f);
    AddWidget(listScroll_);
    AddUIMenuWindowTitle(widgets_, root, "ITEMDICTIONARY_WINDOWTITLE");
    for (UIItemRowWidgets& row : rows_) {
        row.name = MakeUILabel(row.anchor, "", 0.0f, 0.0f);
        AddWidget(row.name);
        row.count = MakeUILabel(row.anchor, "", kCountRightX, 0.0f, 1.0f);
        AddWidget(row.count);
    }
    counter_ = MakeUILabel(root, "", 107.0f, 273.0f);
    AddWidget(counter_);
    AddWidget(MakeUIDrawHook([] { DrawSharedDialogCallback(); }));
    EndUIMenuWindow(widgets_, root);
}

void GAME_CUIItemDictionary::BuildDetailPage()
{
    detailRoot_ = MakeUIGroupNode(0.0f, -kCanvasHeight);
    if (detailRoot_ == nullptr) return;
    detailWidgets_.push_back(detailRoot_);
    AddMovedRoot(detailRoot_);
    GAME_CUINullObject* root = detailRoot_;
    BeginUIMenuWindow(detailWidgets_, root, [this](GAME_CUIIconObject*) { pages_.Go(kList); }, UIMenuCorner::kBack);

    const float lineHeight = std::max(static_cast<float>(static_cast<int>(UILineHeight())), 1.0f);
    detail_.BuildSprites(detailWidgets_, root,
                         {.icon = {107.0f, 88.0f},
                          .priceHeading = {131.0f, 87.0f},
                          .amountHeading = {331.0f, 87.0f},
                          .informationHeading = {107.0f, 110.0f},
                          .title = {103.0f, 60.0f},
                          .price = {220.0f, 88.0f},
                          .amount = {420.0f, 88.0f},
                          .description = {.firstLine = {105.0f, 130.0f}, .rows = kDescriptionRows, .step = lineHeight,
                                          .barHeight = lineHeight * kDescriptionRows}},
                         captions_);
    detailWidgets_.push_back(MakeUICategorySwitch(0, true));
    detail_.BuildTexts(detailWidgets_);
    EndUIMenuWindow(detailWidgets_, root);
}

std::int32_t GAME_CUIItemDictionary::ItemCount() const
{
    const GAME_CStaticDatabase* database = Context().Database();
    return database != nullptr ? static_cast<std::int32_t>(database->Items().size()) : 0;
}

std::int32_t GAME_CUIItemDictionary::ObtainedPercentage(std::int32_t obtained, std::int32_t total)
{
    float ratio = 1.0f;
    if (obtained <= 0) {
        ratio = 0.0f;
    } else if (total > obtained) {
        ratio = static_cast<float>(obtained) / static_cast<float>(total);
    }
    return static_cast<std::int32_t>((ratio + kPercentNudge) * 100.0f);
}

void GAME_CUIItemDictionary::OnEnterState(UIScreenState state)
{
    if (state == kOpening) {
        BeginOpen();
    } else if (state == kClosing) {
        Context().world.SetFieldStick(true);
    }
}

void GAME_CUIItemDictionary::BeginOpen()
{
    ShowAllWidgets();
    for (GAME_CUIObjectBase* widget : detailWidgets_) widget->SetVisible(true);
    captions_.Apply();
    rows_[kRows - 1].separator->SetColor(kUIHidden);
    list_.count = ItemCount();
    list_.ShowFromStart(*listScroll_);
    ShowObtainedCounter();
    PlaceCursor();
    RefreshRows();
    pages_.Reset(kList);
    selected_ = nullptr;
    Context().world.SetFieldStick(false);
}

void GAME_CUIItemDictionary::ShowObtainedCounter()
{
    const std::int32_t total = ItemCount();
    std::int32_t obtained = 0;
    for (std::int32_t i = 0; i < total; ++i) {
        if (working_slot::ItemDiscovered(static_cast<std::size_t>(i))) ++obtained;
    }
    const std::u16string text =
        FormatUIMessage("ITEMDICTIONARY_GET_ITEM_NUM", {UIFullWidthNumber(obtained), UIFullWidthNumber(total),
                                                        UIFullWidthNumber(ObtainedPercentage(obtained, total))});
    counter_->SetTextW(text.c_str());
}

void GAME_CUIItemDictionary::RefreshRows()
{
    const GAME_CStaticDatabase* database = Context().Database();
    if (database == nullptr) return;
    const std::u16string unobtainedName = GetMessageTextExpanded("ITEMDICTIONARY_NOT_YET_GET_NAME");
    for (int r = 0; r < kRows && list_.top + r < list_.count; ++r) {
        const std::int32_t position = list_.top + r;
        UIItemRowWidgets& row = rows_[static_cast<std::size_t>(r)];
        std::uint32_t id = 0;
        const ItemData* item = database->GetItemDataAt(position, &id);
        if (item != nullptr && working_slot::ItemDiscovered(static_cast<std::size_t>(position))) {
            row.icon->SetSprite(item->iconSprite);
            row.icon->SetColor(kUIWhite);
            row.name->SetColor(GetUIColor(kUIColorText));
            row.name->SetTextW(UITagName(id).c_str());
            const std::u16string count = u"×" + UIFullWidthNumber(CountStoredItem(id) + CountFieldItem(id));
            row.count->SetTextW(count.c_str());
        } else {
            row.icon->SetSprite(0);
            row.icon->SetColor(kUIHidden);
            row.name->SetColor(GetUIColor(kUIColorDimText));
            row.name->SetTextW(unobtainedName.c_str());
            row.count->SetTextW(u"×０");
        }
    }
}

void GAME_CUIItemDictionary::EveryFrame()
{
    cursor_.StepArrow();
}

void GAME_CUIItemDictionary::UpdateMain(bool input)
{
    pages_.Advance([this](Page page) {
        if (page == kDetail) {
            ShowItemDetail();
        } else {
            selected_ = nullptr;
        }
    });
    if (pages_.Is(kList)) {
        UpdateList(input);
    } else {
        UpdateDetail(input);
    }
}

void GAME_CUIItemDictionary::UpdateList(bool input)
{
    const std::int32_t topBefore = list_.top;
    bool free = Root()->UpdateTree(input);
    detailRoot_->UpdateTree(false);
    if (list_.Follow(*listScroll_)) {
        PlayUISE(kSeUICursor);
        RefreshRows();
        free = false;
    }
    if (!free) return;

    if (const std::int32_t r = ClickedUIListRow(kRowHitTopLeft, kRows, kRowHitSize); r >= 0) {
        // Rows past the end of a short list take no cursor, yet the click is spent on them.
        if (list_.top + r < list_.count && list_.Click(r) == UIListClick::kDecided &&
            working_slot::ItemDiscovered(static_cast<std::size_t>(list_.Index()))) {
            OpenSelected();
        }
        PlaceCursor();
        return;
    }

    if (IsUIActionTriggered(kActionDecide)) {
        if (list_.Index() < list_.count && working_slot::ItemDiscovered(static_cast<std::size_t>(list_.Index()))) {
            OpenSelected();
        } else {
            PlayUISE(kSeUIError);
        }
    } else if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown) || IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp)) {
        // The list is a ring that stops at the last item of a short list; with the page modifier held
        // the top jumps a page and the cursor keeps its row.
        const std::int32_t direction = IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown) ? 1 : -1;
        PlayUISE(kSeUICursor);
        if (IsUIActionHeld(kActionMenuFunctionA)) {
            list_.JumpPage(direction);
        } else {
            list_.Step(direction);
        }
    }
    if (list_.top != topBefore) {
        list_.Show(*listScroll_);
        RefreshRows();
    }
    PlaceCursor();
}

void GAME_CUIItemDictionary::PlaceCursor()
{
    cursor_.holder->SetParent(rows_[static_cast<std::size_t>(list_.cursor)].anchor);
    cursor_.holder->UpdateTree(false);
}

void GAME_CUIItemDictionary::OpenSelected()
{
    const GAME_CStaticDatabase* database = Context().Database();
    if (database == nullptr) return;
    std::uint32_t id = 0;
    const ItemData* item = database->GetItemDataAt(list_.Index(), &id);
    if (item == nullptr) return;
    PlayUISE(kSeUIDecide);
    selectedId_ = id;
    selected_ = item;
    pages_.Go(kDetail);
}

void GAME_CUIItemDictionary::ShowItemDetail()
{
    if (selected_ == nullptr) return;
    detail_.Show(Context().Database(), selectedId_, selected_);
    const std::u16string price =
        FormatUIMessage("ITEMDICTIONARY_ITEM_SELL_PRICE", {GetMessageTextExpanded("MONEY_MARK"), UIFullWidthNumber(selected_->sellPrice)});
    detail_.Price()->SetTextW(price.c_str());
    const std::u16string stack = FormatUIMessage("ITEMDICTIONARY_ITEM_MAX_STACK", {UIFullWidthNumber(selected_->stackLimit)});
    detail_.Amount()->SetTextW(stack.c_str());
}

void GAME_CUIItemDictionary::UpdateDetail(bool input)
{
    UIDescriptionPane& description = detail_.Description();
    const std::int32_t before = description.Bar()->Value();
    detailRoot_->UpdateTree(input);
    Root()->UpdateTree(false);
    description.Scroll(before, input);
}

void GAME_CUIItemDictionary::Draw()
{
    if (State() == kClosed) return;
    DrawWidgets(pages_.Is(kDetail) ? detailWidgets_ : widgets_);
    FlushUISprites();
}
