// The task page the room screens share: the room's information panel, its tasks and crew through the list controller, and the page's seven focus places.
#include "game/ui/room_task_tab.h"

#include <algorithm>

#include "game/services/data/room_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/message_text.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_manager.h"
#include "game/model/ship/room_base.h"
#include "game/ui/actor_list_panel.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_base.h"
#include "game/ui/ui_text.h"
#include "game/ui/wheel_areas.h"

using vesk::math::Vec2;

namespace {

constexpr float kIconTextX = 14.0f;

}  // namespace

UIRoomTaskTabLayout UIRoomTaskTabLayout::MovedBy(Vec2 offset) const
{
    UIRoomTaskTabLayout moved = *this;
    for (Vec2* place : {&moved.informationHeader, &moved.executingHeader, &moved.actorHeader, &moved.centreSeparator, &moved.hpFrame,
                        &moved.upgradeLabel, &moved.scrollBar, &moved.controllerOrigin, &moved.crewPanelPoint}) {
        *place = {place->x + offset.x, place->y + offset.y};
    }
    for (Vec2& place : moved.focusPlaces) place = {place.x + offset.x, place.y + offset.y};
    return moved;
}

void GAME_CUIRoomTaskTab::BuildSprites(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent,
                                       const UIRoomTaskTabLayout& layout)
{
    layout_ = layout;
    parent_ = parent;
    arrowSprite_ = FindUISprite("ui_cursor_common_r90");
    gridCursorSprite_ = FindUISprite("ui_cursor_grid_normal");
    upgradeIcon_ = FindUISprite("ui_icon_build");

    headers_.Add(list, parent, "ui_text_information", layout.informationHeader);
    headers_.Add(list, parent, "ui_text_executing", layout.executingHeader);
    headers_.Add(list, parent, "ui_text_actor", layout.actorHeader);
    list.push_back(MakeUIPictureUnder(parent, "ui_separator_center", layout.centreSeparator.x, layout.centreSeparator.y));

    gaugeFrame_ = MakeUIPictureUnder(parent, "ui_room_hpbar_frame", layout.hpFrame.x, layout.hpFrame.y);
    list.push_back(gaugeFrame_);
    GAME_CUINullObject* holder = MakeUIGroupUnder(gaugeFrame_, 2.0f, 3.0f);
    list.push_back(holder);
    fill_ = MakeUIGaugeFill(holder, layout.gaugeSprite, layout.gaugeColor, kGaugeLength, kGaugeHeight);
    fill_.Show(1.0f);
    list.push_back(fill_.picture);

    info_.BuildSprites(list, parent, {.origin = layout.upgradeLabel, .lines = UpgradeLines(), .separator = {-3.0f, -3.0f},
                                      .icon = {0.0f, -1.0f}, .iconTextX = kIconTextX, .separatorOnFirst = true});
    scroll_ = MakeUIScrollBar(parent, layout.scrollBar.x, layout.scrollBar.y, 8.0f, layout.scrollBarHeight);
    list.push_back(scroll_);

    controller_.Reset(new GAME_CUIListController(context_));
    controller_->SetActorPanel(new GAME_CUIActorListPanel(context_));
    controller_->SetOrigin(layout.controllerOrigin);
    const Vec2 extent = controller_->Extent();
    controller_->SetExtent({extent.x + layout.controllerExtentShift.x, extent.y + layout.controllerExtentShift.y});
    controller_->Panel()->SetPoint(layout.crewPanelPoint);
    list.push_back(MakeUIDrawHook([this] { DrawListSprites(); }));
}

void GAME_CUIRoomTaskTab::BuildTexts(std::vector<GAME_CUIObjectBase*>& list)
{
    caption_ = MakeUILabel(gaugeFrame_, "SHIP_STATUS_HP", -30.0f, -2.0f);
    value_ = MakeUILabel(gaugeFrame_, "", 115.0f, -2.0f);
    list.push_back(caption_);
    list.push_back(value_);
    info_.BuildTexts(list);
    list.push_back(MakeUIDrawHook([this] { DrawListTexts(); }));
}

void GAME_CUIRoomTaskTab::Attach(GAME_CRoomBase* room)
{
    room_ = room;
    controller_->Attach(room);
}

void GAME_CUIRoomTaskTab::ApplyLanguage() { headers_.Apply(); }

void GAME_CUIRoomTaskTab::CollectUpgradeKeys(std::vector<const char*>& out) const
{
    out.clear();
    const RoomData* data = room_ != nullptr ? room_->roomData : nullptr;
    if (data == nullptr) return;
    for (const RoomUpgradeEntry& entry : data->upgrades) {
        if (entry.type < 0 || entry.type >= 32) continue;
        if ((room_->installedUpgrades & (1u << entry.type)) != 0) out.push_back(entry.nameKey.c_str());
    }
}

int GAME_CUIRoomTaskTab::UpgradeLines() const { return std::clamp(layout_.upgradeLines, 1, kDisplayLines - 1); }

std::int32_t GAME_CUIRoomTaskTab::LineCount() const { return 1 + static_cast<std::int32_t>(upgradeKeys_.size()); }

void GAME_CUIRoomTaskTab::ShowDurability()
{
    caption_->SetTextW(GetMessageTextExpanded("SHIP_STATUS_HP").c_str());
    gaugeFrame_->SetColor(kUIWhite);
    fill_.picture->SetColor(layout_.gaugeColor);
    const RoomData* data = room_ != nullptr ? room_->roomData : nullptr;
    const std::int64_t maximum = (data != nullptr ? data->durability : 0) + (room_ != nullptr ? room_->durabilityBonus : 0);
    const std::int64_t remaining = room_ != nullptr ? room_->GetRemainingDurability() : 0;
    value_->SetTextW((UIFullWidthNumber(remaining) + u"／" + UIFullWidthNumber(maximum)).c_str());
    const float ratio = std::clamp(static_cast<float>(remaining) / static_cast<float>(std::max<std::int64_t>(maximum, 1)), 0.0f, 1.0f);
    fill_.Show(ratio);
}

void GAME_CUIRoomTaskTab::FillPanel(std::int32_t scroll)
{
    // Line 0 shows entry `scroll`: the durability, or an upgrade without gauge or value; the panel's
    // five lines the upgrades after it.
    caption_->SetTextA("");
    gaugeFrame_->SetColor(kUIHidden);
    fill_.picture->SetColor(kUIHidden);
    value_->SetTextA("");
    info_.Clear();
    if (scroll == 0) {
        ShowDurability();
    } else if (scroll > 0 && static_cast<std::size_t>(scroll) <= upgradeKeys_.size()) {
        caption_->SetTextA(upgradeKeys_[static_cast<std::size_t>(scroll) - 1]);
    }
    info_.Begin(scroll);
    for (const char* key : upgradeKeys_) info_.PutKey(key, layout_.upgradeIcons, layout_.upgradeIcons ? upgradeIcon_ : kNoSprite);
}

void GAME_CUIRoomTaskTab::Enter()
{
    CollectUpgradeKeys(upgradeKeys_);
    scroll_->SetMaximum(std::max(LineCount() - 1 - UpgradeLines(), 0));
    scroll_->SetValue(0);
    FillPanel(0);
    UpdateControllerQuietly();
}

void GAME_CUIRoomTaskTab::UpdateControllerQuietly() { controller_->Update(false); }

bool GAME_CUIRoomTaskTab::IsSubWindowOpen(const GAME_CUIManager& ui)
{
    return ui.IsOpen(kSlotAddTask) || ui.IsOpen(kSlotTaskCancel);
}

void GAME_CUIRoomTaskTab::GiveWheelToHoveredPart()
{
    // The page's places are relative to its parent, which slides with the screen.
    const Vec2 at = parent_ != nullptr ? parent_->WorldPosition() : Vec2{};
    const auto onCanvas = [at](float x, float y) { return Vec2{x + at.x, y + at.y}; };
    // Both parts reach right to where a press still takes the information's bar; the crew's down to
    // the panel's rows.
    const float right = scroll_->PickArea().to.x;
    const float separator = at.y + layout_.centreSeparator.y;
    const float crewBottom = at.y + layout_.crewPanelPoint.y + GAME_CUIActorListPanel::kRowsDepth;
    GAME_CUIActorListPanel* panel = controller_.Get() != nullptr ? controller_->Panel() : nullptr;
    GiveWheelToHoveredArea({
        {scroll_, onCanvas(layout_.informationHeader.x, layout_.informationHeader.y), {right, separator}},
        {panel != nullptr ? panel->ScrollBar() : nullptr, onCanvas(layout_.centreSeparator.x, layout_.centreSeparator.y), {right, crewBottom}},
    });
}

void GAME_CUIRoomTaskTab::Update(bool input)
{
    if (IsSubWindowOpen(context_.ui)) return;
    GAME_CUIListController& controller = *controller_.Get();
    GAME_CUIActorListPanel* panel = controller.Panel();
    const std::int32_t start = focus_;
    if (input && layout_.cancelCloses && IsUIActionTriggered(kActionCancel)) {
        PlayUISE(kSeUICancel);
        if (owner_ != nullptr) owner_->SetOpen(false);
        return;
    }
    if (input && layout_.tabChangeSwitches && IsUIActionTriggered(kActionMenuTabChange)) {
        if (frame_.firstTab != nullptr) frame_.firstTab->Press();
        return;
    }
    bool forController = input;
    if (input) {
        const std::array<UIFocusPlace, 7> table = FocusPlaces();
        const UIFocusMap map(table);
        // Up and down walk with the places' own moves; left and right only step.
        const UIFocusPlace* place = map.Find(focus_);
        const bool repeats = place != nullptr && place->repeats;
        UIFocusWalk walked = UIFocusWalk::kNone;
        if (IsUIMenuPressed(kUIMenuUp, repeats)) {
            walked = map.Walk(focus_, kUIFocusUp);
        } else if (IsUIMenuPressed(kUIMenuDown, repeats)) {
            walked = map.Walk(focus_, kUIFocusDown);
        }
        if (walked == UIFocusWalk::kStepped && (place->readsKeys || map.Find(focus_)->readsKeys)) forController = false;
        const bool stepped = walked != UIFocusWalk::kNone || (IsUIMenuPressed(kUIMenuRight) && map.Step(focus_, kUIFocusRight)) ||
                             (IsUIMenuPressed(kUIMenuLeft) && map.Step(focus_, kUIFocusLeft));
        if (!stepped && IsUIActionTriggered(kActionDecide)) map.Press(focus_);
        if (map.Find(focus_) == nullptr) focus_ = kTaskFocusRows;
    }
    if (focus_ != start) {
        controller.focused = focus_ == kTaskFocusRows;
        if (panel != nullptr) panel->focused = focus_ == kTaskFocusCrew;
    }
    if (controller.focused) {
        focus_ = kTaskFocusRows;
    } else if (panel != nullptr && panel->focused) {
        focus_ = kTaskFocusCrew;
    }
    if (focus_ != start) Place(focus_);
    controller.Update(forController);
}

std::array<UIFocusPlace, 7> GAME_CUIRoomTaskTab::FocusPlaces() const
{
    const auto& at = layout_.focusPlaces;
    constexpr std::int32_t none = kUINoFocus;
    GAME_CUIListController& controller = *controller_.Get();
    const GAME_CUIActorListPanel* panel = controller.Panel();
    // The crew member the panel's cursor stands on, and how many it lists.
    const auto member = [panel] {
        return panel != nullptr ? static_cast<std::int64_t>(panel->ScrollBar()->Value()) * 2 + panel->Cursor() : 0;
    };
    const auto crewCount = [panel] { return panel != nullptr ? static_cast<std::int64_t>(panel->Crew().size()) : 0; };
    // Lists entered from below start at their end, from above at their start.
    const auto fromEnd = [](int direction, auto toEnd, auto toStart) {
        if (direction == kUIFocusUp) toEnd();
        if (direction == kUIFocusDown) toStart();
    };
    // The executing list and the crew panel show their own cursors and move them themselves; the
    // scroll bar's value moves here, and its change plays the sound (the owning screen's update).
    std::array<UIFocusPlace, 7> places{{
        {.id = kTaskFocusRows, .next = {kTaskFocusTaskTab, kTaskFocusTaskTab, kTaskFocusCrew, kTaskFocusSkipRight},
         .inside = [&controller](int d) {
             return d == kUIFocusUp ? controller.Cursor() != 0 : d == kUIFocusDown && controller.Cursor() < controller.CountSetFlags();
         },
         .arrive = [&controller, fromEnd](int d) {
             fromEnd(d, [&] { controller.SetCursor(controller.CountSetFlags()); }, [&] { controller.SetCursor(0); });
         },
         .repeats = true, .readsKeys = true},
        {.id = kTaskFocusCrew, .next = {kTaskFocusScrollBar, kTaskFocusOtherTab, kTaskFocusSkipLeft, kTaskFocusRows},
         .inside = [member, crewCount](int d) {
             return d == kUIFocusUp ? member() > 0 : d == kUIFocusDown && member() < crewCount() - 1;
         },
         .soundsUpDown = true},
        {.id = kTaskFocusTaskTab, .pointer = at[0], .marker = arrowSprite_,
         .next = {kTaskFocusRows, kTaskFocusRows, kTaskFocusOtherTab, layout_.taskTabLeadsToSkip ? kTaskFocusSkipRight : none},
         .button = frame_.taskTab},
        {.id = kTaskFocusOtherTab, .pointer = at[1], .marker = arrowSprite_,
         .next = {kTaskFocusCrew, kTaskFocusScrollBar, layout_.otherTabLeadsToSkip ? kTaskFocusSkipLeft : none, kTaskFocusTaskTab},
         .button = frame_.firstTab, .soundsUpDown = true},
        {.id = kTaskFocusSkipRight, .pointer = at[2], .marker = gridCursorSprite_, .next = {none, none, kTaskFocusRows, none},
         .button = frame_.skipRight},
        {.id = kTaskFocusSkipLeft, .pointer = at[3], .marker = gridCursorSprite_, .next = {none, none, none, kTaskFocusScrollBar},
         .otherwise = {none, none, none, kTaskFocusCrew}, .button = frame_.skipLeft},
        {.id = kTaskFocusScrollBar, .pointer = at[4], .marker = arrowSprite_,
         .next = {kTaskFocusOtherTab, kTaskFocusCrew, kTaskFocusSkipLeft, kTaskFocusRows},
         .condition = [this] { return layout_.scrollBarFocus && scroll_->Maximum() > 0; }, .silent = true,
         .inside = [this](int d) {
             const std::int32_t value = scroll_->Value();
             const bool moves = d == kUIFocusUp ? value > 0 : d == kUIFocusDown && value < scroll_->Maximum();
             if (moves) scroll_->SetValue(d == kUIFocusUp ? value - 1 : value + 1);
             return moves;
         },
         .arrive = [this, fromEnd](int d) {
             fromEnd(d, [this] { scroll_->SetValue(scroll_->Maximum()); }, [this] { scroll_->SetValue(0); });
         }},
    }};
    if (layout_.taskTabOnly) {
        // Without the other tab: the crew panel's way down and the scroll bar's way up end on each
        // other, and the task tab's sideways steps reach the skip arrows.
        places[1].otherwise[kUIFocusDown] = kTaskFocusScrollBar;
        places[2].next[kUIFocusLeft] = kTaskFocusSkipLeft;
        places[2].next[kUIFocusRight] = kTaskFocusSkipRight;
        places[3].condition = [] { return false; };
        places[6].otherwise[kUIFocusUp] = kTaskFocusCrew;
    }
    if (!layout_.leftSkipLeadsToScrollBar) places[5].next[kUIFocusRight] = kTaskFocusCrew;
    if (layout_.crewDownRewindsInformation) {
        places[3].arrive = [this](int d) {
            if (d == kUIFocusDown) scroll_->SetValue(0);
        };
    }
    if (layout_.silentFocus) {
        for (UIFocusPlace& place : places) {
            place.silent = true;
            place.soundsUpDown = false;
        }
    }
    return places;
}

void GAME_CUIRoomTaskTab::Place(std::int32_t focus)
{
    GAME_CUIListController& controller = *controller_.Get();
    GAME_CUIActorListPanel* panel = controller.Panel();
    controller.focused = focus == kTaskFocusRows;
    if (panel != nullptr) panel->focused = focus == kTaskFocusCrew;
    GAME_CUINullObject* node = frame_.cursorNode;
    GAME_CUINullObject* sprite = frame_.cursorSprite;
    if (node == nullptr || sprite == nullptr) return;
    const std::array<UIFocusPlace, 7> table = FocusPlaces();
    const UIFocusMap map(table);
    const UIFocusPlace* place = map.Find(focus);
    if (place == nullptr) place = map.Find(kTaskFocusTaskTab);
    if (place->marker < 0) {
        sprite->SetColor(kUIHidden);
    } else {
        node->SetPosition(&place->pointer);
        sprite->SetSprite(place->marker);
        sprite->SetColor(kUIWhite);
    }
    node->UpdateTree(false);
}

void GAME_CUIRoomTaskTab::DrawListSprites()
{
    if (controller_.Get() != nullptr) controller_->DrawSprites(parent_->WorldPosition());
}

void GAME_CUIRoomTaskTab::DrawListTexts()
{
    if (controller_.Get() != nullptr) controller_->DrawTexts(parent_->WorldPosition());
}
