// The storage-room screen (slot 19): the stacks a storeroom or the cargo hold keeps, eight rows at a time, and the room's task page.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game/ui/list_view.h"
#include "game/ui/room_screen.h"

class GAME_CInventory;

// The item page lists the stacks of the room's inventory; choosing one opens the discard and put-out
// window for it, which covers this screen until it closes. The screen never changes the stock itself.
// Opening binds the ship's storage rooms to their inventories first; a room left without one is not
// shown. The second page is the shared task page.
class GAME_CUIInventory : public GAME_CUIRoomScreen, public UIScreenSlot<kSlotInventory> {
public:
    static constexpr std::int32_t kItemPage = 0;
    static constexpr std::int32_t kTaskPage = 5;
    static constexpr int kRows = 8;
    // The item page's cursor places: 1 the rows (the item tab's list), 2 the task tab, 3 the item tab,
    // 4 and 5 the skip arrows.
    static constexpr UIRoomFirstPageFocus kPlaces = UIRoomFirstPageFocus::Numbered(1).WithTabsLeadingToSkips();

    explicit GAME_CUIInventory(const UIScreenContext& context);
    ~GAME_CUIInventory() override;

    void OnItemTab();
    void OnTaskTab();

    // Reset to 0 whenever the screen is opened for a room.
    std::uint32_t subMode = 0;

    // What the screen shows, for those who look at it.
    std::int32_t Page() const { return page_; }
    std::int32_t Place() const { return place_; }
    std::int32_t Top() const { return list_.top; }
    std::int32_t SelectedRow() const { return list_.cursor; }
    const UIItemRowWidgets& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    const GAME_CUIScrollBarObject* ItemScrollBar() const { return scroll_; }
    // The inventory shown (null when the room has none).
    GAME_CInventory* Inventory() const;

protected:
    bool ShowsTaskPage() const override { return page_ == kTaskPage; }
    void OnEnterOpening() override;
    void OnEveryFrame() override;
    bool CanShowRoom() const override { return target != nullptr && bound_; }
    bool IsOwnSubWindowOpen() const override;
    void UpdateMain(bool input) override;

private:
    void BuildItemPage();
    void BuildTaskPage();
    void EnterPage(std::int32_t page);
    std::int32_t StackCount() const;

    // "<room name> No.<n> [<stacks>/<capacity>]" into both titles.
    void ShowTitle();
    // The eight rows from stack `top` on: a line under every row with a row below it in the window.
    void RefreshItemList();
    // After the discard window, or a stock the crew changed: the list, the selection kept on a
    // stack, the title.
    void RefreshAfterCover();

    void UpdateItemPage(bool input);
    void UpdateItemKeys();
    // The stack under the cursor to the discard and put-out window.
    void ChooseStack();
    void PlaceCursor();

    std::array<UIItemRowWidgets, kRows> rows_{};
    GAME_CUIScrollBarObject* scroll_ = nullptr;
    UIListView list_{.visible = kRows, .wrap = UIListWrap::kStop};
    std::int32_t page_ = kItemPage;
    std::int32_t askedPage_ = kItemPage;
    std::int32_t place_ = kPlaces.list;
    std::uint32_t lastCover_ = 0;
    bool bound_ = false;
    // Each stack's item and count as the rows last showed them.
    std::vector<std::pair<std::uint32_t, std::int32_t>> shownStock_;
};
