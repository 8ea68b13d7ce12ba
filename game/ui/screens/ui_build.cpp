// The build menu (slot 4): the room kinds the player may build, with what each takes, and the demolish entry.
#include "game/ui/screens/ui_build.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/text/font_manager.h"
#include "game/services/data/id_tags.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/working_slot.h"
#include "game/services/text/draw_state.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/room_base.h"
#include "game/ui/room_window.h"
#include "game/ui/screen_callbacks.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_build_select_grid.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_callback.h"
#include "game/ui/widgets/ui_category_change_object.h"
#include "game/ui/ui_manager.h"

using vesk::math::Vec2;

namespace {

constexpr float kLineX = 60.0f;
constexpr float kLineTop = 193.0f;
constexpr float kLineStep = 18.0f;
constexpr std::int32_t kVisibleRows = 7;
constexpr std::uint32_t kDemolish = MakeTag("IDBR");
constexpr std::uint32_t kLadder = MakeTag("ID22");
constexpr std::int32_t kNoRoomKind = kRoomIdCount;

bool HasBothPendingWords(const GAME_CShip& ship) { return ship.awaitedRoomId != kNoId && ship.resumePoint[0] != kNoId; }

}  // namespace

// The list window slides itself; the menu closes in the frame its slide ends.
GAME_CUIBuild::GAME_CUIBuild(const UIScreenContext& context)
    : GAME_CUIScreen({.mover = {.kind = UIMover::Kind::kImmediate}, .settlesAtOnce = true}, &context)
{
    timerIcon_ = FindUISprite("ui_icon_timer");
    buildIcon_ = FindUISprite("ui_icon_build");

    UIListObjectDesc desc;
    InitUIListObjectDesc(&desc);
    desc.shownX = kUIRoomWindowAt.x;
    desc.shownY = kUIRoomWindowAt.y;
    desc.openingWidth = desc.width = 280.0f;
    desc.openingHeight = desc.height = 218.0f;
    desc.further = 10;
    desc.closeRelease = CloseAndOpenHud(this, Context().ui);
    desc.decide = UIBind(this, &GAME_CUIBuild::OnChooseRoom);
    list_ = new GAME_CUIListObject(&desc);
    AddWidget(list_);
    AddMovedRoot(list_);
    panelStart_ = widgets_.size();
    const UIListRowEnabledCallback rowState = [this](std::intptr_t roomId) { return CanBuildRoom(roomId); };
    if (const GAME_CStaticDatabase* database = GetStaticDatabase()) {
        for (const auto& [id, record] : database->Rooms()) {
            if (record == nullptr) continue;
            UIListObjectRowDesc row;
            InitUIListObjectRowDesc(&row);
            std::strncpy(row.key, TagText(id).c_str(), sizeof row.key - 1);
            row.enabled = rowState;
            row.argument = static_cast<std::intptr_t>(id);
            row.normalColor = GetUIColor(kUIColorText);
            list_->AddRow(row);
        }
    }
    UIListObjectRowDesc demolish;
    InitUIListObjectRowDesc(&demolish);
    std::strncpy(demolish.key, "IDBR", sizeof demolish.key - 1);
    demolish.enabled = rowState;
    demolish.argument = static_cast<std::intptr_t>(kDemolish);
    demolish.normalColor = GetUIColor(kUIColorText);
    list_->AddRow(demolish);

    UIButtonSpec close{.sprite = "ui_closebutton", .pressedSprite = "ui_closebutton_touch", .sound = kSeUICancel,
                       .action = kActionCancel, .release = CloseAndOpenHud(this, Context().ui)};
    PlaceUIButtonTopLeft(close, 432.0f, 107.0f);
    widgets_.push_back(MakeUIButton(list_, close));
    listScroll_ = MakeUIScrollBar(list_, 474.0f, 155.0f, 10.0f, 126.0f);
    widgets_.push_back(listScroll_);
    // The bar stops at the window face's bottom edge.
    panelScroll_ = MakeUIScrollBar(list_, 285.0f, 191.0f, 10.0f, 142.0f, true);
    widgets_.push_back(panelScroll_);
    const Vec2 buttonSize = UISpriteSize(FindUISprite("ui_enterbutton"));
    GAME_CUINullObject* buttonNode = MakeUIGroupUnder(list_, 309.0f + buttonSize.x * 0.5f, 298.0f + buttonSize.y * 0.5f);
    widgets_.push_back(buttonNode);
    UIButtonSpec build{.sprite = "ui_enterbutton", .pressedSprite = "ui_enterbutton_touch", .sound = kSeUIDecide,
                       .action = kActionDecide, .pressedScale = 0.9f, .release = UIBind(this, &GAME_CUIBuild::OnChooseRoom)};
    button_ = MakeUIButton(buttonNode, build);
    widgets_.push_back(button_);

    headers_.Add(widgets_, list_, "ui_text_information", {36.0f, 175.0f});
    headers_.Add(widgets_, list_, "ui_text_buildenable", {310.0f, 138.0f});
    widgets_.push_back(MakeUIPictureUnder(list_, "ui_separator_left_strong2", 36.0f, 188.0f));
    widgets_.push_back(MakeUIPictureUnder(list_, "ui_separator_right_strong", 310.0f, 152.0f));
    for (int line = 0; line < kInfoLines; ++line) {
        const auto at = static_cast<std::size_t>(line);
        lines_[at] = MakeUILabel(list_, "", kLineX, kLineTop + kLineStep * static_cast<float>(line));
        icons_[at] = MakeUIPictureUnder(lines_[at], "", -21.0f, -1.0f);
        widgets_.push_back(icons_[at]);
        GAME_CUINullObject* separator = MakeUIPictureUnder(lines_[at], "ui_separator_left", -24.0f, 15.0f);
        widgets_.push_back(separator);
    }

    split_ = widgets_.size();
    widgets_.push_back(MakeUIRoomWindowTitle(list_, "BUILD_TEXT_UI_TITLE"));
    description_ = MakeUILabel(list_, "ID00", 40.0f, 147.0f);
    widgets_.push_back(description_);
    buttonLabel_ = MakeUILabel(button_, "BUILD_ENTER_BUTTON_TEXT", 0.0f, 0.0f, 0.5f, 0.5f);
    widgets_.push_back(buttonLabel_);
    for (GAME_CUILabelObject* line : lines_) widgets_.push_back(line);
    lines_[0]->SetTextW(FormatUIMessage("BUILD_TEXT_TOFINISH", {UIFullWidthNumber(0), GetMessageTextExpanded("TIME_UNIT_TEXT")}).c_str());
    lines_[2]->SetTextA("BUILD_TEXT_ENABLE_BUILD_NUM");
    widgets_.push_back(MakeUIPictureCut(list_, "ui_windowbase_scan_title", 34.0f, 108.0f, 420.0f, 29.0f));
    widgets_.push_back(MakeUIPictureCut(list_, "ui_windowbase_scan_main", 34.0f, 137.0f, 420.0f, 181.0f));
}

std::int32_t GAME_CUIBuild::CanBuildRoom(std::intptr_t roomId) const
{
    const auto id = static_cast<std::uint32_t>(roomId);
    if (id == MakeTag("ID90") || id == MakeTag("ID02")) return kRowHidden;
    const GAME_CShip* ship = Context().world.ship.get();
    if (id == kDemolish) {
        if (ship == nullptr || HasBothPendingWords(*ship)) return kRowHidden;
        const std::uint32_t x = ship->resumePoint[1];
        const std::uint32_t y = ship->resumePoint[2];
        if (x < GAME_CShipGrid::kMaxWidth && y < GAME_CShipGrid::kMaxHeight) {
            const GAME_CShipGrid::Cell* cell = ship->grid.GetCell(x, y);
            if (cell != nullptr && cell->usable != 0) return kRowHidden;
        }
        if (ship->rooms.empty() || ship->rooms.front() == nullptr) return kRowHidden;
        return kRowEnabled;
    }
    const RoomData* data = FindRoomData(id);
    if (data == nullptr) return kRowHidden;
    const bool allowed = ship == nullptr || !HasBothPendingWords(*ship) || ship->awaitedRoomId == id;
    std::int32_t state = allowed ? kRowEnabled : kRowDisabled;
    for (const ItemCount& material : data->materials) {
        if (IsUnusedItemCount(material)) break;
        if (UIAvailableItemCount(material.itemId, false) < material.count) {
            state = working_slot::RoomKindUnlocked(FindRoomIdIndex(id)) ? kRowDisabled : kRowHidden;
            break;
        }
    }
    const std::int32_t limit = data->BuildLimit();
    if (limit >= 1 && state == kRowEnabled && ship != nullptr && ship->CountIntactRoomsOfKind(FindRoomIdIndex(id)) >= limit) {
        state = kRowDisabled;
    }
    return state;
}

const UIListObjectRowDesc* GAME_CUIBuild::SelectedRow() const { return list_->ShownRow(list_->Top() + list_->Cursor()); }

void GAME_CUIBuild::BeginFrame(bool input)
{
    if ((State() != kOpening && State() != kMain) || input) return;
    const GAME_CGameWorld& world = Context().world;
    const bool event = world.travel && world.travel->routeManager && world.travel->routeManager->IsRouteEventRunning();
    if (world.inputBlocked != 0 || event || Context().ui.IsOpen(kSlotEvent)) SetOpen(false);
}

void GAME_CUIBuild::OnOpen()
{
    headers_.Apply();
    ShowAllWidgets();
    list_->RefreshRows();
    const std::int32_t shown = static_cast<std::int32_t>(list_->ShownCount());
    listScroll_->SetMaximum(std::max(shown - kVisibleRows, 0));
    listScroll_->SetValue(static_cast<std::int32_t>(list_->Top()));
    if (shown > 0) {
        while (list_->Top() + list_->Cursor() >= static_cast<std::uint32_t>(shown) && list_->Cursor() > 0) {
            list_->SetCursor(list_->Cursor() - 1);
        }
    }
    shownRow_ = -1;
    RefreshRoomInfo();
    Context().world.stickDirections = 0;
}

void GAME_CUIBuild::OnEnterState(UIScreenState state)
{
    GAME_CGameWorld& world = Context().world;
    switch (state) {
    case kOpening: OnOpen(); break;
    case kClosing:
        list_->SetVisible(false);
        world.stickDirections = 1;
        break;
    case kClosed: world.held = 0; break;
    default: break;
    }
}

void GAME_CUIBuild::EveryFrame() { panelAtStart_ = panelScroll_->Value(); }

bool GAME_CUIBuild::StepTransition(UIScreenState)
{
    FollowSelection();
    return true;
}

void GAME_CUIBuild::FollowSelection()
{
    if (static_cast<std::int64_t>(list_->Top() + list_->Cursor()) != shownRow_) {
        RefreshRoomInfo();
    } else if (panelScroll_->Value() != panelAtStart_) {
        PlayUISE(kSeUICursor);
    }
}

void GAME_CUIBuild::UpdateMain(bool input)
{
    for (const GAME_CUIObjectBase* widget : widgets_) {
        if (widget->IsVisible() && widget->IsDecided()) input = false;
    }
    list_->UpdateTree(input);
    if (listScroll_->IsDecided()) {
        list_->ScrollTo(static_cast<std::uint32_t>(listScroll_->Value()));
    } else {
        listScroll_->SetValue(static_cast<std::int32_t>(list_->Top()));
    }
    if (panelScroll_->IsDecided()) PlaceInfoLines();
    FollowSelection();
}

void GAME_CUIBuild::PlaceInfoLines()
{
    const std::int32_t value = panelScroll_->Value();
    for (int line = 0; line < kInfoLines; ++line) {
        const auto at = static_cast<std::size_t>(line);
        const std::int32_t shown = line - value;
        const Vec2 position{kLineX, kLineTop + kLineStep * static_cast<float>(shown)};
        lines_[at]->SetPosition(&position);
        lines_[at]->SetVisible(line < lineCount_ && shown >= 0 && shown < kShownInfoLines);
        icons_[at]->SetColor(lines_[at]->IsVisible() ? kUIWhite : kUIHidden);
        lines_[at]->UpdateSubtree(false);
    }
}

void GAME_CUIBuild::RefreshRoomInfo()
{
    const UIListObjectRowDesc* row = SelectedRow();
    shownRow_ = static_cast<std::int64_t>(list_->Top() + list_->Cursor());
    const auto clearLines = [&] {
        for (int line = 0; line < kInfoLines; ++line) {
            const auto at = static_cast<std::size_t>(line);
            lines_[at]->SetTextA("");
            lines_[at]->SetVisible(false);
            icons_[at]->SetSprite(kNoSprite);
        }
        lineCount_ = 0;
    };
    if (row == nullptr) {
        // Nothing is shown to describe: an empty panel and a button that does nothing.
        description_->SetTextA("");
        clearLines();
        button_->SetColor(GetUIColor(kUIColorGreyed));
        button_->SetDisabled(true);
        panelScroll_->SetMaximum(0);
        return;
    }
    const auto id = static_cast<std::uint32_t>(row->argument);
    description_->SetTextA((TagText(id) + "_DISCRIPT").c_str());
    const bool enabled = row->enabled == nullptr || row->enabled(row->argument) == kRowEnabled;
    button_->SetColor(GetUIColor(enabled ? kUIColorUsable : kUIColorGreyed));
    button_->SetDisabled(!enabled);
    if (id == kDemolish) {
        clearLines();
        buttonLabel_->SetTextA("BUILD_ENTER_BUTTON_BREAK");
        panelScroll_->SetMaximum(0);
        return;
    }
    buttonLabel_->SetTextA(id == kLadder ? "BUILD_ENTER_BUTTON_TEXT2" : "BUILD_ENTER_BUTTON_TEXT");
    const RoomData* data = FindRoomData(id);
    if (data == nullptr) {
        clearLines();
        return;
    }
    const std::uint32_t text = GetUIColor(kUIColorText);
    lines_[0]->SetTextW(FormatUIMessage("BUILD_TEXT_TOFINISH", {UIFullWidthNumber(data->buildSeconds), GetMessageTextExpanded("TIME_UNIT_TEXT")}).c_str());
    lines_[0]->SetColor(text);
    lines_[1]->SetTextW(FormatUIMessage("BUILD_TEXT_NEED_GRID", {UIFullWidthNumber(data->width), UIFullWidthNumber(data->height)}).c_str());
    lines_[1]->SetColor(text);
    const std::int32_t limit = data->BuildLimit();
    if (limit < 1) {
        lines_[2]->SetTextW(GetMessageTextExpanded("BUILD_TEXT_ENABLE_BUILD_UNLIMITED").c_str());
        lines_[2]->SetColor(text);
    } else {
        const GAME_CGameWorld& world = Context().world;
        const std::int32_t built = world.ship ? world.ship->CountIntactRoomsOfKind(FindRoomIdIndex(id)) : 0;
        lines_[2]->SetTextW(FormatUIMessage("BUILD_TEXT_ENABLE_BUILD_NUM", {UIFullWidthNumber(built), UIFullWidthNumber(limit)}).c_str());
        lines_[2]->SetColor(built < limit ? text : kAtLimitColor);
    }
    icons_[0]->SetSprite(timerIcon_);
    icons_[1]->SetSprite(buildIcon_);
    icons_[2]->SetSprite(buildIcon_);
    std::int32_t materials = 0;
    bool ended = false;
    for (int line = 3; line < kInfoLines; ++line) {
        const auto at = static_cast<std::size_t>(line);
        const ItemCount& material = data->materials[at - 3];
        ended = ended || IsUnusedItemCount(material);
        if (ended) {
            lines_[at]->SetTextA("");
            icons_[at]->SetSprite(kNoSprite);
            continue;
        }
        ++materials;
        const std::int64_t have = UIAvailableItemCount(material.itemId, false);
        const ItemData* item = FindItemData(material.itemId);
        icons_[at]->SetSprite(item != nullptr ? item->iconSprite : kNoSprite);
        lines_[at]->SetTextW(vesk::text::FormatText(u"%ls：%ls（%ls）", {UITagName(material.itemId), UIFullWidthNumber(material.count),
                                                                       UIFullWidthNumber(have)})
                                 .c_str());
        lines_[at]->SetColor(have < material.count ? GetUIColor(kUIColorShort) : text);
    }
    lineCount_ = 3 + materials;
    panelScroll_->SetValue(0);
    panelScroll_->SetMaximum(materials + 3 > kShownInfoLines ? materials - 4 : 0);
    PlaceInfoLines();
    if (panelScroll_->Maximum() != 0) {
        for (int line = kShownInfoLines; line < kInfoLines; ++line) lines_[static_cast<std::size_t>(line)]->SetVisible(false);
    }
}

void GAME_CUIBuild::OnChooseRoom()
{
    RefreshRoomInfo();
    if (button_ == nullptr || button_->IsDisabled()) return;
    const UIListObjectRowDesc* row = SelectedRow();
    if (row == nullptr) return;
    auto* cursor = Context().ui.Get<GAME_CUIBuildSelectGrid>();
    SetOpen(false);
    if (cursor == nullptr) return;
    cursor->SetOpen(true);
    const auto id = static_cast<std::uint32_t>(row->argument);
    const std::int32_t index = FindRoomIdIndex(id);
    cursor->mode = index == 0 ? kNoRoomKind : index;
    cursor->roomData = cursor->mode < kNoRoomKind ? FindRoomData(id) : nullptr;
}

void GAME_CUIBuild::Draw()
{
    if (State() == kClosed) return;
    if (list_->IsVisible()) list_->Draw();
    // The panel shows once the window has slid in.
    if (list_->State() != 2) return;
    BeginUISprites();
    for (std::size_t i = panelStart_; i < split_; ++i) {
        if (widgets_[i]->IsVisible()) widgets_[i]->Draw();
    }
    FlushUISprites();
    ResetDrawState();
    for (std::size_t i = split_; i + 2 < widgets_.size(); ++i) {
        if (widgets_[i]->IsVisible()) widgets_[i]->Draw();
    }
    FlushUISprites();
    if (vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager()) fonts->ResetTextStyle();
    BeginUISprites();
    for (std::size_t i = widgets_.size(); i-- > widgets_.size() - 2;) {
        if (widgets_[i]->IsVisible()) widgets_[i]->Draw();
    }
    FlushUISprites();
}
