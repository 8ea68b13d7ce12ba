// The discard and put-out window (slot 32): one stored stack with its price and description, thrown away a unit at a time or put out on the floor whole.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/ui/item_description.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

class GAME_CInventory;
class GAME_CItemDataImpl;
class GAME_CRoomBase;

// The storage-room screen opens it for a stack of its inventory. Discarding asks once per unit and
// the last unit removes the stack and closes the window. Putting out lays the whole stack (up to one
// item object's limit; the rest stays stored) on the free floor cell nearest to the room, where a crew
// member is asked to carry it; a floor without a free cell or an item object refuses, the stack kept.
class GAME_CUIInventoryTrash : public GAME_CUIScreen, public UIScreenSlot<kSlotInventoryTrash> {
public:
    static constexpr int kDescriptionLines = 7;
    enum class Page : std::int32_t { kItem, kDiscard, kAskPutOut, kPutOut, kPutOutRefused };
    using enum Page;

    explicit GAME_CUIInventoryTrash(const UIScreenContext& context);

    // The stack to show, its inventory and its room (where put-out searches from); kept valid by the
    // opener while the window is open.
    void Offer(GAME_CInventory* inventory, GAME_CItemDataImpl* item, GAME_CRoomBase* room);

    void OnPutOutButton();
    void OnTrashButton();

    // What the window shows, for those who look at it.
    Page CurrentPage() const { return pages_.Current(); }
    const GAME_CUILabelObject* Title() const { return detail_.Title(); }
    const GAME_CUILabelObject* AmountLabel() const { return detail_.Amount(); }
    const GAME_CUILabelObject* PriceLabel() const { return detail_.Price(); }
    const UIDescriptionPane& Description() const { return detail_.Description(); }

private:
    void Build();
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;
    void EnterPage(Page page);

    void ShowItemPage();
    void UpdateItemPage(bool input);
    // A question or notice about the stack: the message, the item's name with its icon, the count.
    void AskAboutStack(const char* key, const char* yes, const char* no);
    void TellAboutStack(const char* key, std::int32_t count);
    void UpdateDiscard();
    // Lays the stack on the floor, looking for the cell and the item object again now.
    void PutOutStack();

    UILanguagePictures headers_;

    GAME_CInventory* inventory_ = nullptr;
    GAME_CItemDataImpl* item_ = nullptr;
    GAME_CRoomBase* room_ = nullptr;
    std::uint32_t itemId_ = 0xFFFFFFFFu;
    // The description is composed when the page is filled; scrolled rows past the text keep what they showed.
    UIItemDetail detail_{{.lastLineUncounted = true, .blanksPastEnd = false}};
    UIPages<Page> pages_{kItem};
};
