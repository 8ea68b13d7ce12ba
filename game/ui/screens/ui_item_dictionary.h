// The item dictionary (slot 31): every item of the database, nine rows at a time, and a detail page with its price, stack and description.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/ui/item_description.h"
#include "game/ui/list_cursor.h"
#include "game/ui/list_view.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

struct ItemData;

// Reads only: the database's item list, the discovered bits of the running game and the ship's
// stores and grid. An item never obtained shows neither its name nor its icon and does not open.
class GAME_CUIItemDictionary : public GAME_CUIScreen, public UIScreenSlot<kSlotItemDictionary> {
public:
    static constexpr int kRows = 9;
    static constexpr int kDescriptionRows = 9;
    enum class Page : std::int32_t { kList, kDetail };
    using enum Page;

    explicit GAME_CUIItemDictionary(const UIScreenContext& context);
    ~GAME_CUIItemDictionary() override;

    void Draw() override;

    Page CurrentPage() const { return pages_.Current(); }
    int CursorRow() const { return list_.cursor; }
    int Top() const { return list_.top; }
    const UIItemRowWidgets& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    const GAME_CUILabelObject* CounterLabel() const { return counter_; }
    const GAME_CUIScrollBarObject* ListScrollBar() const { return listScroll_; }
    const GAME_CUILabelObject* DetailTitle() const { return detail_.Title(); }
    const GAME_CUILabelObject* SellPriceLabel() const { return detail_.Price(); }
    const GAME_CUILabelObject* MaxStackLabel() const { return detail_.Amount(); }
    const UIDescriptionPane& Description() const { return detail_.Description(); }

    // Obtained items as a whole percentage of all items: exactly 100 with all, 0 with none; the
    // small constant lets a share just below all (223 of 224) read 100 as well.
    static std::int32_t ObtainedPercentage(std::int32_t obtained, std::int32_t total);

protected:
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;

private:
    void BuildListPage();
    void BuildDetailPage();
    void BeginOpen();
    void ShowObtainedCounter();
    void RefreshRows();
    void UpdateList(bool input);
    void PlaceCursor();
    void UpdateDetail(bool input);
    void OpenSelected();
    void ShowItemDetail();
    std::int32_t ItemCount() const;

    std::array<UIItemRowWidgets, kRows> rows_{};
    GAME_CUIScrollBarObject* listScroll_ = nullptr;
    GAME_CUILabelObject* counter_ = nullptr;
    // It rides on the cursor row's anchor.
    UIListCursor cursor_;

    std::vector<GAME_CUIObjectBase*> detailWidgets_;
    GAME_CUINullObject* detailRoot_ = nullptr;
    // The headings of both pages.
    UILanguagePictures captions_;

    UIListView list_{.visible = kRows, .wrap = UIListWrap::kRing};
    UIPages<Page> pages_{kList};
    std::uint32_t selectedId_ = 0xFFFFFFFFu;
    const ItemData* selected_ = nullptr;
    UIItemDetail detail_{{}};
};
