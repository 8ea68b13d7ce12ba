// The discard and put-out window (slot 32): its layout, the item page, the discard and put-out questions, and laying the stack on the floor.
#include "game/ui/screens/ui_inventory_trash.h"

#include <string>

#include "framework/text/format_text.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/room_base.h"
#include "game/model/world/game_world.h"
#include "game/services/data/item_records.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/inventory.h"
#include "game/services/text/full_width.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/item_description.h"
#include "game/ui/room_window.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_category_change_object.h"

using vesk::math::Vec2;

namespace {

constexpr UIItemDetailLayout kDetail{.icon = {38.0f, 147.0f},
                                     .priceHeading = {283.0f, 138.0f},
                                     .amountHeading = {36.0f, 138.0f},
                                     .informationHeading = {36.0f, 170.0f},
                                     .title = kUIRoomWindowTitleAt,
                                     .price = {295.0f, 149.0f},
                                     .amount = {59.0f, 149.0f},
                                     .description = {.firstLine = {44.0f, 181.0f}, .rows = GAME_CUIInventoryTrash::kDescriptionLines,
                                                     .step = kUILineStep, .barHeight = 104.0f}};
constexpr std::size_t kPriceLimit = 63;

// A dialog's lines about a stack: the item's name with its icon, and the count against its stack limit.
std::array<UIDialogItem, 2> StackLines(std::uint32_t itemId, const ItemData* record, std::int32_t count)
{
    return {{{.text = UITagName(itemId), .icon = record != nullptr ? record->iconSprite : kNoSprite},
             {.text = ToFullWidthText(vesk::text::FormatText(u"%d/%d", {count, StackLimitOf(record)}))}}};
}

}  // namespace

// It stands in place over the storage-room screen, which holds the game, and takes all input.
GAME_CUIInventoryTrash::GAME_CUIInventoryTrash(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kBlocksWhileOpen, .mover = {.kind = UIMover::Kind::kImmediate},
                      .dialog = UIDialogOnClose::kClose},
                     &context)
{
    Build();
}

void GAME_CUIInventoryTrash::Build()
{
    GAME_CUINullObject* window = MakeUIRoomWindowUnder(Root());
    BeginUIRoomWindow(widgets_, window, window,
                      {.closeSprite = "ui_backbutton", .closePressedSprite = "ui_backbutton_touch", .owner = this});
    detail_.BuildSprites(widgets_, window, kDetail, headers_);
    widgets_.push_back(MakeUIPictureUnder(window, "ui_separator_center", 38.0f, 164.0f));
    widgets_.push_back(MakeUIPictureUnder(window, "ui_separator_center", 38.0f, 304.0f));

    // The three buttons along the bottom: put out, discard, back.
    struct ButtonPlace {
        float left;
        const char* caption;
        std::int32_t action;
        std::int32_t sound;
        UIIconCallback release;
    };
    const ButtonPlace buttons[] = {
        {75.0f, "INVENTORY_TRASH_PUTOUTBUTTON", kActionMenuFunctionA, kSeUIDecide, [this](GAME_CUIIconObject*) { OnPutOutButton(); }},
        {201.0f, "INVENTORY_TRASH_TRASHBUTTON", kActionMenuFunctionB, kSeUIDecide, [this](GAME_CUIIconObject*) { OnTrashButton(); }},
        {327.0f, "INVENTORY_TRASH_BACKBUTTON", -1, kSeUICancel, [this](GAME_CUIIconObject*) { SetOpen(false); }},
    };
    std::array<GAME_CUIIconObject*, 3> made{};
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        UIButtonSpec spec{.sprite = "ui_enterbutton8", .pressedSprite = "ui_enterbutton8_touch", .sound = buttons[i].sound,
                          .action = buttons[i].action, .release = buttons[i].release};
        PlaceUIButtonTopLeft(spec, buttons[i].left, 311.0f);
        made[i] = MakeUIButton(window, spec);
        widgets_.push_back(made[i]);
    }

    widgets_.push_back(MakeUICategorySwitch(0));
    detail_.BuildTexts(widgets_);
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        widgets_.push_back(MakeUILabel(made[i], buttons[i].caption, 0.0f, 0.0f, 0.5f, 0.5f));
    }
    EndUIRoomWindow(widgets_, window);
}

void GAME_CUIInventoryTrash::Offer(GAME_CInventory* inventory, GAME_CItemDataImpl* item, GAME_CRoomBase* room)
{
    inventory_ = inventory;
    item_ = item;
    room_ = room;
}

void GAME_CUIInventoryTrash::OnEnterState(UIScreenState state)
{
    if (state == kOpening) {
        ShowAllWidgets();
        headers_.Apply();
        pages_.Reset(kItem);
        ShowItemPage();
    } else if (state == kClosed) {
        item_ = nullptr;
    }
}

void GAME_CUIInventoryTrash::UpdateMain(bool input)
{
    pages_.Advance([this](Page page) { EnterPage(page); });
    switch (pages_.Current()) {
    case kItem: UpdateItemPage(input); break;
    case kDiscard: UpdateDiscard(); break;
    case kAskPutOut:
        Root()->UpdateTree(false);
        FollowDialogAnswer(pages_, kPutOut, kItem);
        break;
    case kPutOut:
        Root()->UpdateTree(false);
        if (!IsDialogShown()) SetOpen(false);
        break;
    case kPutOutRefused:
        if (!IsDialogShown()) pages_.Go(kItem);
        break;
    }
}

void GAME_CUIInventoryTrash::EnterPage(Page page)
{
    switch (page) {
    case kItem: ShowItemPage(); break;
    case kDiscard: AskAboutStack("INVENTORY_TRASH_YESNO", "INVENTORY_TRASH_ONEITEM", "INVENTORY_TRASH_BACK"); break;
    case kAskPutOut: AskAboutStack("INVENTORY_TRASH_PUTOUT_YESNO", "COMMAND_YES", "COMMAND_NO"); break;
    case kPutOut: PutOutStack(); break;
    case kPutOutRefused: NoticeInDialog(kSlotInventoryTrash, {.text = GetMessageTextExpanded("INVENTORY_TRASH_PUTOUT_DISABLE")}); break;
    }
}

void GAME_CUIInventoryTrash::ShowItemPage()
{
    if (item_ == nullptr) return;
    itemId_ = item_->itemId;
    const ItemData* record = item_->record;
    detail_.Show(Context().Database(), itemId_, record);
    const std::u16string price = FormatUIMessage("INVENTORY_TRASH_SELLPRICE_PER_NUM",
                                                 {GetMessageTextExpanded("MONEY_MARK"), UIFullWidthNumber(record != nullptr ? record->sellPrice : 0)});
    detail_.Price()->SetTextW(UILimitedText(price, kPriceLimit).c_str());
    detail_.Amount()->SetTextW(ToFullWidthText(vesk::text::FormatText(u"%2d/%2d", {item_->count, StackLimitOf(record)})).c_str());
}

void GAME_CUIInventoryTrash::UpdateItemPage(bool input)
{
    UIDescriptionPane& description = detail_.Description();
    const std::int32_t before = description.Bar()->Value();
    description.Scroll(before, Root()->UpdateTree(input));
}

void GAME_CUIInventoryTrash::AskAboutStack(const char* key, const char* yes, const char* no)
{
    const auto lines = StackLines(itemId_, item_ != nullptr ? item_->record : nullptr, item_ != nullptr ? item_->count : 0);
    AskInDialog(kSlotInventoryTrash, {.text = GetMessageTextExpanded(key), .centred = true, .items = lines, .yesButton = yes, .noButton = no});
}

void GAME_CUIInventoryTrash::TellAboutStack(const char* key, std::int32_t count)
{
    const auto lines = StackLines(itemId_, FindItemData(itemId_), count);
    NoticeInDialog(kSlotInventoryTrash, {.text = GetMessageTextExpanded(key), .centred = true, .items = lines});
}

void GAME_CUIInventoryTrash::OnPutOutButton()
{
    const GAME_CFieldObjectManager* objects = Context().world.fieldObjects.get();
    std::int32_t column = -1;
    std::int32_t row = -1;
    const bool free = objects != nullptr && room_ != nullptr && objects->FindFreeItemCell(room_->gridX, room_->gridY, &column, &row);
    pages_.Go(free && column >= 0 && row >= 0 ? kAskPutOut : kPutOutRefused);
}

void GAME_CUIInventoryTrash::OnTrashButton() { pages_.Go(kDiscard); }

void GAME_CUIInventoryTrash::UpdateDiscard()
{
    Root()->UpdateTree(false);
    switch (PollDialog()) {
    case UIDialogAnswer::kYes:
        if (item_ == nullptr || !item_->TakeOne()) {
            CloseDialog();
            pages_.Go(kItem);
            break;
        }
        if (item_->count > 0) {
            // The next unit is asked about with the new count.
            ShowItemPage();
            AskAboutStack("INVENTORY_TRASH_YESNO", "INVENTORY_TRASH_ONEITEM", "INVENTORY_TRASH_BACK");
            break;
        }
        item_ = nullptr;
        if (inventory_ != nullptr) inventory_->RemoveEmptyStacks();
        CloseDialog();
        SetOpen(false);
        break;
    case UIDialogAnswer::kNo:
    case UIDialogAnswer::kGone: pages_.Go(kItem); break;
    case UIDialogAnswer::kNone: break;
    }
}

void GAME_CUIInventoryTrash::PutOutStack()
{
    GAME_CGameWorld& world = Context().world;
    GAME_CFieldObjectManager* objects = world.fieldObjects.get();
    ItemEntry entry;
    if (item_ != nullptr) InitItemEntry(entry, item_->itemId, item_->count);
    std::int32_t column = -1;
    std::int32_t row = -1;
    // The floor may have filled since the question: the cell and the item object are sought again.
    const bool laid = objects != nullptr && room_ != nullptr && entry.IsValid() &&
                      objects->FindFreeItemCell(room_->gridX, room_->gridY, &column, &row) && column >= 0 && row >= 0 &&
                      objects->DropItemOnCell(entry.itemId, entry.count, column, row);
    if (!laid) {
        pages_.Reset(kPutOutRefused);
        NoticeInDialog(kSlotInventoryTrash, {.text = GetMessageTextExpanded("INVENTORY_TRASH_PUTOUT_DISABLE")});
        return;
    }
    // One item object holds at most its stack limit; what is over it stays stored.
    item_->count -= entry.count;
    if (item_->count <= 0) {
        item_->count = 0;
        item_ = nullptr;
        if (inventory_ != nullptr) inventory_->RemoveEmptyStacks();
    }
    TellAboutStack("INVENTORY_TRASH_PUTOUT_FINISHED", entry.count);
}
