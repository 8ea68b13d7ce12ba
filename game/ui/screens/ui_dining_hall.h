// The dining-hall screen (slot 14): a kitchen's dish, its stock and the food menu, and the kitchen's task page.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/services/data/task_records.h"
#include "game/ui/list_view.h"
#include "game/ui/room_screen.h"
#include "game/ui/room_stock.h"
#include "game/ui/separated_lines.h"

struct CookingRecipe;

// Choosing a dish asks in the shared dialog; a yes makes it the kitchen's dish (another dish empties
// the stock) and finishes the kitchen's cooking tasks. The task page offers cooking of the current
// dish as the add-task screen's first entry.
class GAME_CUIDiningHall : public GAME_CUIRoomScreen, public UIScreenSlot<kSlotDiningHall> {
public:
    // The food menu's rows; the data holds no more dishes than this.
    static constexpr std::size_t kMenuRows = 6;
    // The detail lines shown at once, of the time, the calories and the ingredients.
    static constexpr int kShownDetailLines = 6;
    // Browsing the pages, or the question that makes the chosen dish the kitchen's.
    enum class Menu : std::int32_t { kBrowse = 0, kAskDish = 2 };

    explicit GAME_CUIDiningHall(const UIScreenContext& context);
    ~GAME_CUIDiningHall() override;

    void OnKitchenTabButton();
    void OnTaskTabButton();

    // What the screen shows, for those who look at it.
    const std::vector<std::uint32_t>& DishIds() const { return dishIds_; }
    std::int32_t Tab() const { return tab_; }
    std::int32_t MenuState() const { return static_cast<std::int32_t>(menu_.Current()); }
    std::int16_t CursorRow() const { return static_cast<std::int16_t>(list_.cursor); }
    std::int32_t KitchenFocus() const { return kitchenFocus_; }
    const TaskData* CookingTaskData() const { return &cooking_; }
    const GAME_CUILabelObject* DishRow(std::size_t i) const { return rows_[i].label; }
    const GAME_CUILabelObject* DetailLabel(int line) const { return details_[static_cast<std::size_t>(line)].label; }
    const GAME_CUINullObject* CurrentDishMarker() const { return marker_; }
    const GAME_CUILabelObject* StockLabel() const { return stock_.Label(); }

protected:
    bool ShowsTaskPage() const override { return tab_ == 1; }
    void OnEnterOpening() override;
    void OnEveryFrame() override;
    void UpdateMain(bool input) override;

private:
    void BuildKitchenPage();
    void BuildTaskPage();
    void UpdateBrowse(bool input);
    void UpdateKitchenTab(bool input);
    void EnterDishConfirm();
    void UpdateDishConfirm();
    void PlaceKitchenCursor(std::int32_t focus);
    void ShowDishInfo(const CookingRecipe* recipe);
    void ShowDishDetails(const CookingRecipe* recipe, std::int32_t scroll);
    void BuildCookingTaskData();
    // The kitchen's dish (-1 when the room has no food store) and its recipe.
    std::uint32_t CurrentFoodId() const;
    const CookingRecipe* RecipeUnderCursor() const;
    std::int32_t RoomIndex() const;

    std::vector<std::uint32_t> dishIds_;
    std::vector<const CookingRecipe*> recipes_;
    UIListView list_{.wrap = UIListWrap::kStop};

    std::vector<UISeparatedLine> rows_;
    GAME_CUINullObject* marker_ = nullptr;
    std::array<UISeparatedLine, kShownDetailLines> details_{};
    GAME_CUIScrollBarObject* detailScroll_ = nullptr;
    GAME_CUIScrollBarObject* menuScroll_ = nullptr;
    UIRoomStock stock_;
    GAME_CUILabelObject* currentDish_ = nullptr;
    GAME_CUINullObject* currentDishIcon_ = nullptr;
    std::int32_t timerIcon_ = -1;
    std::int32_t calorieIcon_ = -1;

    std::int32_t tab_ = 0;
    UIPages<Menu> menu_{Menu::kBrowse};
    std::int32_t kitchenFocus_ = 1;
    TaskData cooking_;
};
