// The storage-room screen (slot 19): the item page's rows, title and keys, the hand-over to the discard window, and the task page.
#include "game/ui/screens/ui_inventory.h"

#include <algorithm>

#include "framework/text/format_text.h"
#include "game/model/ship/room_base.h"
#include "game/model/stores/storage_binding.h"
#include "game/model/stores/stored_items.h"
#include "game/model/world/game_world.h"
#include "game/services/data/item_records.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/services/text/full_width.h"
#include "game/services/text/message_text.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_inventory_trash.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_callback.h"

using vesk::math::Vec2;

namespace {

constexpr Vec2 kRowOrigin{69.0f, 156.0f};
constexpr float kRowStep = 18.0f;
// A row's pointer rectangle reaches this far right and down from the row's place.
constexpr Vec2 kRowHitSize{392.0f, 17.0f};
// The row highlight starts 4 units before the row (the cursor stands 21 before it, the highlight 17
// into the cursor) and ends with the row's rectangle, short of the scroll bar.
constexpr float kHighlightWidth = kRowHitSize.x + 4.0f;
constexpr std::array<const char*, 2> kHeaderNames{"ui_text_name", "ui_text_num"};
constexpr std::array<Vec2, 2> kHeaderPlaces{{{66.0f, 138.0f}, {375.0f, 138.0f}}};
constexpr std::size_t kTitleLimit = 128;

using Stock = std::vector<std::pair<std::uint32_t, std::int32_t>>;

// Each stack's item and count.
Stock StockOf(const GAME_CInventory* inventory)
{
    Stock stock;
    if (inventory == nullptr) return stock;
    for (const InventoryStack& stack : inventory->stacks) stock.emplace_back(stack.ItemId(), stack.Count());
    return stock;
}

bool StockIs(const GAME_CInventory* inventory, const Stock& stock)
{
    const std::size_t stacks = inventory != nullptr ? inventory->stacks.size() : 0;
    if (stacks != stock.size()) return false;
    for (std::size_t i = 0; i < stacks; ++i) {
        const InventoryStack& stack = inventory->stacks[i];
        if (stack.ItemId() != stock[i].first || stack.Count() != stock[i].second) return false;
    }
    return true;
}

}  // namespace

GAME_CUIInventory::GAME_CUIInventory(const UIScreenContext& context) : GAME_CUIRoomScreen(context, kWindowHome, kWindowSlideFrom)
{
    BuildItemPage();
    BuildTaskPage();
}

GAME_CUIInventory::~GAME_CUIInventory() = default;

void GAME_CUIInventory::BuildItemPage()
{
    firstRoot_ = MakeWindowRoot();
    firstFrame_ = BeginPage(firstPage_, firstRoot_, firstRoot_);
    AddHeaders(firstRoot_, kHeaderNames, kHeaderPlaces);
    for (int i = 0; i < kRows; ++i) {
        UIItemRowWidgets& row = rows_[static_cast<std::size_t>(i)];
        row.anchor = MakeUIGroupUnder(firstRoot_, kRowOrigin.x, kRowOrigin.y + kRowStep * static_cast<float>(i));
        row.icon = MakeUIPictureUnder(row.anchor, "", 0.0f, 0.0f);
        row.separator = MakeUIPictureUnder(row.anchor, "ui_separator_big", -23.0f, 16.0f);
        firstPage_.push_back(row.anchor);
        firstPage_.push_back(row.icon);
        firstPage_.push_back(row.separator);
    }
    scroll_ = MakeUIScrollBar(firstRoot_, 464.0f, 156.0f, 8.0f, 140.0f);
    firstPage_.push_back(scroll_);
    AddTabBar(firstPage_, firstFrame_,
              {.firstTabKey = "INVENTORY_TAB_ITEM", .taskTabKey = "INVENTORY_TAB_TASK", .taskPage = false,
               .taskTabRelease = UIBind(this, &GAME_CUIInventory::OnTaskTab), .highlightSprite = "ui_select_highlight_big"});
    CutUIPicture(firstFrame_.highlight, kHighlightWidth, kRowStep);
    for (UIItemRowWidgets& row : rows_) {
        row.name = MakeUILabel(row.anchor, "", 20.0f, 1.0f);
        row.count = MakeUILabel(row.anchor, "", 301.0f, 1.0f, 1.0f, 0.0f);
        firstPage_.push_back(row.name);
        firstPage_.push_back(row.count);
    }
    EndPage(firstPage_, firstFrame_);
}

void GAME_CUIInventory::BuildTaskPage()
{
    taskRoot_ = MakeWindowRoot();
    UIRoomTaskTabLayout layout;
    layout.tabChangeSwitches = true;
    // Beside the tabs are the skip arrows: right of the task tab and left of the item tab.
    layout.taskTabLeadsToSkip = true;
    layout.otherTabLeadsToSkip = true;
    // The storerooms' gauge is the bar body's own picture, untinted.
    layout.gaugeSprite = "ui_room_hpbar_body";
    layout.gaugeColor = kUIWhite;
    FillTaskPage(taskRoot_, layout,
                 {.firstTabKey = "INVENTORY_TAB_ITEM", .taskTabKey = "INVENTORY_TAB_TASK", .taskPage = true,
                  .firstTabRelease = UIBind(this, &GAME_CUIInventory::OnItemTab)});
}

GAME_CInventory* GAME_CUIInventory::Inventory() const
{
    const GAME_CPlayerData* player = Context().Player();
    return player != nullptr && target != nullptr ? player->GetInventoryAt(target->inventoryLink) : nullptr;
}

std::int32_t GAME_CUIInventory::StackCount() const
{
    const GAME_CInventory* inventory = Inventory();
    return inventory != nullptr ? static_cast<std::int32_t>(inventory->stacks.size()) : 0;
}

bool GAME_CUIInventory::IsOwnSubWindowOpen() const { return Context().ui.IsOpen(kSlotInventoryTrash); }

void GAME_CUIInventory::OnEnterOpening()
{
    BeginOpening();
    subMode = 0;
    page_ = askedPage_ = target != nullptr && target->rememberedTab == kTaskPage ? kTaskPage : kItemPage;
    GAME_CPlayerData* player = Context().Player();
    const GAME_CShip* ship = Context().world.ship.get();
    bound_ = target != nullptr && player != nullptr && ship != nullptr && BindStorageRooms(*ship, *player, *target) != nullptr;
    // A room left without an inventory is not shown: the slide ends at once (CanShowRoom).
    if (!bound_) return;
    ShowTitle();
    list_.count = StackCount();
    list_.ShowFromStart(*scroll_);
    RefreshItemList();
    if (place_ == kPlaces.list && list_.count == 0) place_ = kPlaces.firstTab;
    PlaceCursor();
    EnterTaskPage();
    ClearStoredItemMarks();
    lastCover_ = 0;
}

void GAME_CUIInventory::OnEveryFrame()
{
    // The discard window closed over the item page, or the crew stored or took items while the
    // game went on under the window: what changed shows.
    const bool covered = CoverCounter() != 0;
    if (bound_ && !covered && (lastCover_ != 0 || !StockIs(Inventory(), shownStock_))) RefreshAfterCover();
    lastCover_ = CoverCounter();
}

void GAME_CUIInventory::OnItemTab()
{
    askedPage_ = kItemPage;
    if (target != nullptr) target->rememberedTab = kItemPage;
}

void GAME_CUIInventory::OnTaskTab()
{
    askedPage_ = kTaskPage;
    if (target != nullptr) target->rememberedTab = kTaskPage;
}

void GAME_CUIInventory::EnterPage(std::int32_t page)
{
    page_ = page;
    if (page == kItemPage) {
        ClearStoredItemMarks();
        PlaceCursor();
    } else {
        taskTab_.UpdateControllerQuietly();
        taskTab_.Place(taskTab_.Focus());
    }
}

void GAME_CUIInventory::ShowTitle()
{
    const GAME_CInventory* inventory = Inventory();
    if (inventory == nullptr || target == nullptr) return;
    const std::u16string name = UITagName(MakeTag(inventory->overflow ? "ID90" : "ID20"));
    const std::u16string number = UIFullWidthNumber(static_cast<std::int64_t>(target->inventoryLink) + 1);
    const std::u16string fill =
        ToFullWidthText(vesk::text::FormatText(u"%d/%d", {static_cast<std::int64_t>(inventory->stacks.size()), inventory->capacity}));
    const std::u16string title = UILimitedText(vesk::text::FormatText(u"%ls No.%ls [%ls]", {name, number, fill}), kTitleLimit);
    for (const UIRoomPageFrame* frame : {&firstFrame_, &taskFrame_}) frame->title->SetTextW(title.c_str());
}

void GAME_CUIInventory::RefreshItemList()
{
    const GAME_CInventory* inventory = Inventory();
    shownStock_ = StockOf(inventory);
    const std::int32_t stacks = StackCount();
    for (int r = 0; r < kRows; ++r) {
        UIItemRowWidgets& row = rows_[static_cast<std::size_t>(r)];
        row.icon->SetColor(kUIHidden);
        // A line under every row with a row below it, and under the last while stacks follow.
        const bool line = r < kRows - 1 || list_.top + kRows < stacks;
        row.separator->SetColor(line ? kUIWhite : kUIHidden);
        const std::int32_t k = list_.top + r;
        if (inventory == nullptr || k >= stacks) {
            row.name->SetTextW(GetMessageTextExpanded("INVENTORY_NO_ITEM").c_str());
            row.count->SetTextW(u"--／--");
            continue;
        }
        const GAME_CItemDataImpl* item = inventory->stacks[static_cast<std::size_t>(k)].item.get();
        row.name->SetTextW(UITagName(item != nullptr ? item->itemId : kNoId).c_str());
        const std::int32_t count = item != nullptr ? item->count : 0;
        const std::int32_t limit = StackLimitOf(item != nullptr ? item->record : nullptr);
        row.count->SetTextW(ToFullWidthText(vesk::text::FormatText(u"%2d/%2d", {count, limit})).c_str());
        const std::int32_t icon = item != nullptr && item->record != nullptr ? item->record->iconSprite : kNoSprite;
        row.icon->SetSprite(icon);
        row.icon->SetColor(kUIWhite);
    }
}

void GAME_CUIInventory::RefreshAfterCover()
{
    const GAME_CInventory* inventory = FindRoomInventory(target);
    if (inventory == nullptr) return;
    list_.count = static_cast<std::int32_t>(inventory->stacks.size());
    if (list_.count == 0) {
        list_.top = 0;
        list_.cursor = 0;
    } else {
        list_.top = std::clamp(scroll_->Value(), 0, list_.MaxTop());
        // The selection stays on a stack: the one before a removed last one.
        while (list_.top + list_.cursor >= list_.count) --list_.cursor;
        if (list_.cursor < 0) {
            list_.top = std::max(list_.top + list_.cursor, 0);
            list_.cursor = 0;
        }
    }
    if (list_.count == 0 && place_ == kPlaces.list) place_ = kPlaces.firstTab;
    list_.Show(*scroll_);
    ShowTitle();
    RefreshItemList();
    PlaceCursor();
}

void GAME_CUIInventory::UpdateMain(bool input)
{
    const std::int32_t infoScroll = taskTab_.ScrollBar()->Value();
    if (askedPage_ != page_) EnterPage(askedPage_);
    if (page_ == kItemPage) {
        UpdateItemPage(input);
    } else {
        UpdateTaskPage(input);
    }
    AnswerInfoScroll(infoScroll);
}

void GAME_CUIInventory::UpdateItemPage(bool input)
{
    if (firstRoot_->IsAnyDecided()) input = false;
    input = firstRoot_->UpdateTree(input);
    if (Inventory() == nullptr) {
        SetOpen(false);
        return;
    }
    list_.count = StackCount();
    if (list_.Follow(*scroll_)) {
        PlayUISE(kSeUICursor);
        RefreshItemList();
        if (place_ == kPlaces.list) PlaceCursor();
    }
    list_.Clamp();
    taskRoot_->UpdateTree(false);
    if (input && !GAME_CUIRoomTaskTab::IsSubWindowOpen(Context().ui)) UpdateItemKeys();
    list_.Show(*scroll_);
}

void GAME_CUIInventory::UpdateItemKeys()
{
    const std::int32_t stacks = list_.count;
    const Vec2 window = *firstRoot_->GetPosition();
    if (const std::int32_t i = ClickedUIListRow({window.x + kRowOrigin.x, window.y + kRowOrigin.y}, std::min(stacks, kRows), kRowHitSize); i >= 0) {
        if (place_ == kPlaces.list && i == list_.cursor) {
            ChooseStack();
        } else {
            PlayUISE(kSeUICursor);
            list_.cursor = i;
            place_ = kPlaces.list;
            PlaceCursor();
        }
        return;
    }
    const UIRoomKeys keys = UIRoomKeys::Read();
    if (place_ == kPlaces.list && keys.decide && list_.Index() < stacks) {
        ChooseStack();
        return;
    }
    if (IsUIActionTriggered(kActionMenuTabChange)) {
        firstFrame_.taskTab->Press();
        return;
    }
    const std::int32_t start = place_;
    const std::int32_t startTop = list_.top;
    const std::int32_t startRow = list_.cursor;
    switch (place_) {
    case kPlaces.list:
        if (stacks == 0) {
            place_ = kPlaces.firstTab;
        } else if (keys.up || keys.down) {
            PlayUISE(kSeUICursor);
            if (!list_.Step(keys.up ? -1 : 1)) place_ = kPlaces.firstTab;
        } else {
            StepTabAndSkipFocus(place_, kPlaces, keys);
        }
        break;
    case kPlaces.taskTab:
    case kPlaces.firstTab:
        if ((keys.up || keys.down) && IsUIMenuSlot(GAME_CInputMap::kModePressed, keys.up ? kUIMenuUp : kUIMenuDown)) {
            if (stacks == 0) break;
            PlayUISE(kSeUICursor);
            place_ = kPlaces.list;
            list_.top = keys.up ? list_.MaxTop() : 0;
            list_.cursor = keys.up ? stacks - 1 - list_.top : 0;
        } else {
            StepTabAndSkipFocus(place_, kPlaces, keys);
        }
        break;
    default:
        StepTabAndSkipFocus(place_, kPlaces, keys);
        // From an arrow the way back leads to the rows, or to a tab when there is no stack.
        if (place_ == kPlaces.list && stacks == 0) place_ = start == kPlaces.skipRight ? kPlaces.taskTab : kPlaces.firstTab;
        break;
    }
    if (list_.top != startTop) RefreshItemList();
    if (place_ != start || list_.top != startTop || list_.cursor != startRow) PlaceCursor();
}

void GAME_CUIInventory::PlaceCursor()
{
    if (place_ == kPlaces.list && list_.count > 0) {
        PlaceFirstCursorOnRow(rows_[static_cast<std::size_t>(std::clamp(list_.cursor, 0, kRows - 1))].anchor);
        return;
    }
    PlaceFirstCursorOnButton(place_ == kPlaces.list ? kPlaces.firstTab : place_, kPlaces);
}

void GAME_CUIInventory::ChooseStack()
{
    GAME_CInventory* inventory = Inventory();
    const std::int32_t index = list_.Index();
    if (inventory == nullptr || index < 0 || index >= static_cast<std::int32_t>(inventory->stacks.size())) return;
    GAME_CItemDataImpl* item = inventory->stacks[static_cast<std::size_t>(index)].item.get();
    if (item == nullptr) return;
    PlayUISE(kSeUIDecide);
    GAME_CUIInventoryTrash* trash = Context().ui.Get<GAME_CUIInventoryTrash>();
    if (trash == nullptr) return;
    trash->Offer(inventory, item, target);
    trash->SetOpen(true);
}
