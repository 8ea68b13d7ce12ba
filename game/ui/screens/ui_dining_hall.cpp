// The dining-hall screen (slot 14): a kitchen's dish, its stock and the food menu, and the kitchen's task page.
#include "game/ui/screens/ui_dining_hall.h"

#include <algorithm>

#include "game/model/stores/food_storage.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/full_width.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_manager.h"
#include "game/ui/actor_list_panel.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_callback.h"

using vesk::math::Vec2;

namespace {

constexpr float kRowX = 317.0f;
constexpr float kRowTop = 193.0f;
constexpr float kDetailX = 60.0f;
// The first dish row's pointer rectangle on the canvas.
constexpr Vec2 kRowHitTopLeft{378.0f, 142.0f};
// The kitchen page's focus: 1 the dishes, then the task tab, the kitchen tab, the right and left skip arrows.
constexpr UIRoomFirstPageFocus kFocus = UIRoomFirstPageFocus::Numbered(1);
constexpr std::array<const char*, 4> kHeaderNames{"ui_text_cooking", "ui_text_food_stock", "ui_text_information", "ui_text_food_menu"};
constexpr std::array<Vec2, 4> kHeaderPlaces{{{36.0f, 138.0f}, {247.0f, 138.0f}, {36.0f, 177.0f}, {311.0f, 177.0f}}};

std::size_t CountIngredients(const CookingRecipe& recipe)
{
    return CountLeadingEntries<ItemCount>(recipe.ingredients, IsUnusedItemCount);
}

}  // namespace

GAME_CUIDiningHall::GAME_CUIDiningHall(const UIScreenContext& context) : GAME_CUIRoomScreen(context, kWindowHome, kWindowSlideFrom)
{
    timerIcon_ = FindUISprite("ui_icon_timer");
    calorieIcon_ = FindUISprite("ui_icon_build");
    // Every dish of the game, in the recipe table's order (ascending ids), one row each.
    for (std::int32_t position = 0; dishIds_.size() < kMenuRows; ++position) {
        std::uint32_t id = kNoId;
        const CookingRecipe* recipe = GetCookingRecipeAt(position, &id);
        if (recipe == nullptr) break;
        dishIds_.push_back(id);
        recipes_.push_back(recipe);
    }
    BuildKitchenPage();
    BuildTaskPage();
}

GAME_CUIDiningHall::~GAME_CUIDiningHall() = default;

void GAME_CUIDiningHall::BuildKitchenPage()
{
    firstRoot_ = MakeWindowRoot();
    firstFrame_ = BeginPage(firstPage_, firstRoot_, firstRoot_);
    AddHeaders(firstRoot_, kHeaderNames, kHeaderPlaces);
    currentDishIcon_ = MakeUIPictureUnder(firstRoot_, "", 38.0f, 147.0f);
    firstPage_.push_back(currentDishIcon_);
    stock_.BuildGauge(firstPage_, firstRoot_, {251.0f, 153.0f}, "ui_cursor_baselabel");

    rows_.resize(dishIds_.size());
    BuildUISeparatedLines(firstPage_, firstRoot_, rows_,
                          {.first = {kRowX, kRowTop}, .separatorSprite = "ui_separator_right", .separator = {-21.0f, 15.0f}});
    for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i].label->SetTextA(TagText(dishIds_[i]).c_str());
    // Every dish has its row: the list never scrolls.
    list_.count = list_.visible = static_cast<std::int32_t>(rows_.size());
    marker_ = MakeUIPictureUnder(rows_.empty() ? nullptr : rows_[0].label, "ui_select_highlight_current", -4.0f, -2.0f);
    firstPage_.push_back(marker_);
    BuildUISeparatedLines(firstPage_, firstRoot_, details_, {.first = {kDetailX, kRowTop}, .icons = true});
    detailScroll_ = MakeUIScrollBar(firstRoot_, 285.0f, 190.0f, 8.0f, 108.0f);
    firstPage_.push_back(detailScroll_);
    menuScroll_ = MakeUIScrollBar(firstRoot_, 474.0f, 190.0f, 8.0f, 108.0f);
    menuScroll_->SetMaximum(static_cast<std::int32_t>(dishIds_.size()) - static_cast<std::int32_t>(kMenuRows));
    firstPage_.push_back(menuScroll_);

    AddTabBar(firstPage_, firstFrame_, {"KITCHEN_TEXT_KITCHEN", "KITCHEN_TEXT_TASK", false, nullptr, UIBind(this, &GAME_CUIDiningHall::OnTaskTabButton)});
    currentDish_ = MakeUILabel(firstRoot_, "", 58.0f, 150.0f);
    firstPage_.push_back(currentDish_);
    stock_.BuildLabel(firstPage_, firstRoot_, {366.0f, 150.0f});
    AddUISeparatedLineLabels(firstPage_, rows_);
    AddUISeparatedLineLabels(firstPage_, details_);
    EndPage(firstPage_, firstFrame_);
}

void GAME_CUIDiningHall::BuildTaskPage()
{
    taskRoot_ = MakeWindowRoot();
    UIRoomTaskTabLayout layout;
    layout.focusPlaces[3] = {-3.0f, 233.0f};
    layout.tabChangeSwitches = true;
    FillTaskPage(taskRoot_, layout, {"KITCHEN_TEXT_KITCHEN", "KITCHEN_TEXT_TASK", true, UIBind(this, &GAME_CUIDiningHall::OnKitchenTabButton), nullptr});
}

std::int32_t GAME_CUIDiningHall::RoomIndex() const { return GetUIRoomIndex(Context().world, target); }

std::uint32_t GAME_CUIDiningHall::CurrentFoodId() const
{
    const GAME_CFoodStorage* store = FindFoodStorage(RoomIndex());
    return store != nullptr ? *store->GetFoodId() : kNoId;
}

const CookingRecipe* GAME_CUIDiningHall::RecipeUnderCursor() const
{
    const std::size_t index = static_cast<std::size_t>(std::max(0, list_.Index()));
    return index < recipes_.size() ? recipes_[index] : nullptr;
}

void GAME_CUIDiningHall::OnEnterOpening()
{
    BeginOpening();
    tab_ = target != nullptr && target->rememberedTab == 1 ? 1 : 0;
    GAME_CUIListController* controller = taskTab_.Controller();
    controller->focused = true;
    if (controller->Panel() != nullptr) controller->Panel()->focused = false;
    menu_.Reset(Menu::kBrowse);
    list_.top = 0;
    list_.cursor = 0;
    stock_.Forget();
    PlaceKitchenCursor(kitchenFocus_);
    ShowDishInfo(RecipeUnderCursor());
    taskTab_.Enter();
    taskTab_.Place(taskTab_.Focus());
    BuildCookingTaskData();
}

void GAME_CUIDiningHall::OnEveryFrame()
{
    const GAME_CFoodStorage* store = FindFoodStorage(RoomIndex());
    const std::uint32_t foodId = store != nullptr ? *store->GetFoodId() : kNoId;
    const bool dish = store != nullptr && FindCookingRecipe(foodId) != nullptr;
    stock_.Show(dish, dish ? store->GetCount() : 0, dish ? store->GetCapacity() : 0);
    for (std::size_t i = 0; i < dishIds_.size(); ++i) {
        if (dishIds_[i] == foodId && marker_->Parent() != rows_[i].label) marker_->SetParent(rows_[i].label);
    }
}

void GAME_CUIDiningHall::UpdateMain(bool input)
{
    menu_.Advance([this](Menu menu) {
        if (menu == Menu::kAskDish) EnterDishConfirm();
    });
    const std::int32_t detailScroll = detailScroll_->Value();
    const std::int32_t infoScroll = taskTab_.ScrollBar()->Value();
    const GAME_CUIObjectBase* cursorParent = firstFrame_.cursorNode->Parent();
    if (menu_.Is(Menu::kBrowse)) {
        UpdateBrowse(input);
    } else {
        UpdateDishConfirm();
    }
    if (detailScroll_->Value() != detailScroll && firstFrame_.cursorNode->Parent() == cursorParent) {
        PlayUISE(kSeUICursor);
        ShowDishDetails(RecipeUnderCursor(), detailScroll_->Value());
    }
    AnswerInfoScroll(infoScroll);
}

void GAME_CUIDiningHall::UpdateBrowse(bool input)
{
    if (GAME_CUIRoomTaskTab::IsSubWindowOpen(Context().ui)) return;
    if (tab_ == 0) {
        UpdateKitchenTab(input);
        return;
    }
    // The information scroll's change is answered by UpdateMain.
    UpdateTaskPage(input);
}

void GAME_CUIDiningHall::UpdateKitchenTab(bool input)
{
    const std::int32_t clicked = input ? ClickedUIListRow(kRowHitTopLeft, static_cast<std::int32_t>(rows_.size())) : -1;
    if (clicked >= 0) {
        if (list_.Click(clicked) == UIListClick::kDecided) {
            PlayUISE(kSeUIDecide);
            menu_.Go(Menu::kAskDish);
        } else {
            kitchenFocus_ = kFocus.list;
            PlaceKitchenCursor(kFocus.list);
        }
        input = false;
    }
    input = firstRoot_->UpdateTree(input);
    taskRoot_->UpdateTree(false);
    taskTab_.UpdateControllerQuietly();
    if (input && IsUIActionTriggered(kActionMenuTabChange)) {
        firstFrame_.taskTab->Press();
        return;
    }
    if (!input) return;
    const std::int32_t start = kitchenFocus_;
    const UIRoomKeys keys = UIRoomKeys::Read();
    if (kitchenFocus_ == kFocus.list && keys.decide && !rows_.empty()) {
        PlayUISE(kSeUIDecide);
        menu_.Go(Menu::kAskDish);
    } else if (StepFirstPageFocus(kitchenFocus_, kFocus, keys, list_)) {
        PlaceKitchenCursor(kFocus.list);
    }
    if (kitchenFocus_ != start) PlaceKitchenCursor(kitchenFocus_);
}

void GAME_CUIDiningHall::PlaceKitchenCursor(std::int32_t focus)
{
    const std::size_t row = static_cast<std::size_t>(std::max(0, list_.Index()));
    if (focus == kFocus.list && row < rows_.size()) {
        PlaceFirstCursorOnRow(rows_[row].label);
        ShowDishInfo(RecipeUnderCursor());
        return;
    }
    PlaceFirstCursorOnButton(focus, kFocus, focus != kFocus.list);
}

void GAME_CUIDiningHall::ShowDishInfo(const CookingRecipe* recipe)
{
    const std::int32_t ingredients = recipe != nullptr ? static_cast<std::int32_t>(CountIngredients(*recipe)) : 0;
    detailScroll_->SetMaximum(std::max(ingredients - 4, 0));
    detailScroll_->SetValue(0);
    const std::uint32_t foodId = CurrentFoodId();
    const CookingRecipe* current = FindCookingRecipe(foodId);
    if (current == nullptr) {
        currentDish_->SetTextA("");
        currentDishIcon_->SetColor(kUIHidden);
        stock_.Clear();
    } else {
        currentDish_->SetTextA(TagText(foodId).c_str());
        currentDishIcon_->SetSprite(current->value0);
        currentDishIcon_->SetColor(kUIWhite);
    }
    ShowDishDetails(recipe, detailScroll_->Value());
}

void GAME_CUIDiningHall::ShowDishDetails(const CookingRecipe* recipe, std::int32_t scroll)
{
    ClearUISeparatedLines(details_);
    if (recipe == nullptr) return;
    const auto put = [&](std::int32_t line, const std::u16string& text, std::int32_t icon, std::uint32_t color) {
        const std::int32_t shown = line - scroll;
        if (shown < 0 || shown >= kShownDetailLines) return;
        UISeparatedLine& detail = details_[static_cast<std::size_t>(shown)];
        detail.label->SetTextW(text.c_str());
        detail.label->SetColor(color);
        detail.icon->SetSprite(icon);
        detail.icon->SetColor(kUIWhite);
        detail.separator->SetColor(kUIWhite);
    };
    const std::uint32_t text = GetUIColor(kUIColorText);
    put(0, FormatUIMessage("KITCHEN_NEEDTIME", {UIFullWidthNumber(recipe->cookingSeconds), GetMessageTextExpanded("TIME_UNIT_TEXT")}),
        timerIcon_, text);
    put(1, FormatUIMessage("KITCHEN_CALORIE_PER_FOOD", {UIFullWidthNumber(recipe->calorie), GetMessageTextExpanded("CALORIE_UNIT_TEXT")}),
        calorieIcon_, text);
    const std::size_t ingredients = CountIngredients(*recipe);
    for (std::size_t i = 0; i < ingredients; ++i) {
        const ItemCount& ingredient = recipe->ingredients[i];
        const std::int64_t have = UIAvailableItemCount(ingredient.itemId, false);
        const ItemData* item = FindItemData(ingredient.itemId);
        const std::u16string amounts = ToFullWidthText(vesk::text::FormatText(u"%d（%d）", {ingredient.count, have}));
        put(static_cast<std::int32_t>(i) + 2, vesk::text::FormatText(u"%ls：%ls", {UITagName(ingredient.itemId), amounts}),
            item != nullptr ? item->iconSprite : kNoSprite,
            ingredient.count <= have ? text : GetUIColor(kUIColorShort));
    }
}

void GAME_CUIDiningHall::EnterDishConfirm()
{
    const std::size_t index = static_cast<std::size_t>(std::max(0, list_.Index()));
    const std::uint32_t dish = index < dishIds_.size() ? dishIds_[index] : kNoId;
    const std::u16string name = UILimitedText(UITagName(dish), 63);
    const char* format = dish == CurrentFoodId() ? "KITCHEN_DECIDE_NOCHANGE_YESNO" : "KITCHEN_DECIDE_YESNO";
    const std::u16string message = FormatUIMessage(format, {name, GetMessageTextExpanded("KITCHEN_MENU"), GetMessageTextExpanded("KITCHEN_STOCK")});
    AskInDialog(kSlotDiningHall, {.text = UILimitedText(message, 255), .centred = true});
}

void GAME_CUIDiningHall::UpdateDishConfirm()
{
    // Either answer goes back to browsing; a yes changes the dish first.
    if (!FollowDialogAnswer(menu_, Menu::kBrowse, Menu::kBrowse)) return;
    const std::size_t index = static_cast<std::size_t>(std::max(0, list_.Index()));
    if (GAME_CFoodStorage* store = FindFoodStorage(RoomIndex()); store != nullptr && index < dishIds_.size()) {
        store->SetFoodId(&dishIds_[index]);
    }
    // Every cooking task of the kitchen stops, also when the dish stays the same.
    GAME_CGameWorld& world = Context().world;
    if (world.tasks && target != nullptr) {
        for (GAME_CTaskBase* task : world.tasks->GetRoomTasks(*target)) {
            if (task != nullptr && task->GetKind() == kTaskCooking) task->Finish();
        }
    }
    CloseDialog();
    ShowDishInfo(RecipeUnderCursor());
    BuildCookingTaskData();
}

void GAME_CUIDiningHall::BuildCookingTaskData()
{
    const CookingRecipe* recipe = FindCookingRecipe(CurrentFoodId());
    GAME_CUIListController* controller = taskTab_.Controller();
    if (recipe == nullptr) {
        controller->preset = nullptr;
        return;
    }
    cooking_ = TaskData{};
    cooking_.id = MakeTag("TCKG");
    cooking_.kind = kTaskCooking;
    cooking_.crewLimit = 1;
    cooking_.durationSeconds = recipe->cookingSeconds;
    cooking_.staminaChange = recipe->cookingStaminaCost;
    for (std::size_t i = 0; i < cooking_.materials.size(); ++i) {
        if (IsUnusedItemCount(recipe->ingredients[i])) break;
        cooking_.materials[i] = recipe->ingredients[i];
    }
    controller->preset = &cooking_;
}

void GAME_CUIDiningHall::OnKitchenTabButton()
{
    tab_ = 0;
    if (target != nullptr) target->rememberedTab = 0;
}

void GAME_CUIDiningHall::OnTaskTabButton()
{
    tab_ = 1;
    if (target != nullptr) target->rememberedTab = 1;
    EnterTaskPage();
}
