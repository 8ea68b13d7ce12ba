// The all-crew list (slot 29): its widgets, the list and the detail panel, the keys, clicks and wheel, and the way to the crew status window.
#include "game/ui/screens/ui_all_actor_info.h"

#include <algorithm>
#include <string>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_base.h"
#include "game/model/world/game_world.h"
#include "game/services/data/task_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/text/actor_names.h"
#include "game/ui/room_window.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_actor_status.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_text.h"
#include "game/ui/wheel_areas.h"
#include "game/ui/widgets/ui_category_change_object.h"

using vesk::math::Vec2;

namespace {

constexpr Vec2 kFirstMarker{319.0f, 156.0f};
constexpr Vec2 kFirstName{335.0f, 157.0f};
constexpr Vec2 kCursorFromMarker{-23.0f, 0.0f};
// Pointer rectangles, on the canvas with the window at rest.
constexpr Vec2 kFirstRowHit{380.0f, 105.0f};
constexpr Vec2 kRowHitSize{152.0f, 17.0f};
constexpr Vec2 kPanelHitFrom{101.0f, 160.0f};
constexpr Vec2 kPanelHitTo{341.0f, 275.0f};
constexpr Vec2 kPanelWheelFrom{95.0f, 155.0f};
constexpr Vec2 kPanelWheelTo{345.0f, 285.0f};
constexpr Vec2 kListWheelFrom{355.0f, 105.0f};
constexpr Vec2 kListWheelTo{535.0f, 285.0f};
constexpr std::uint32_t kHighlightColor = 0x80FFFFFFu;
constexpr std::size_t kTitleLimit = 63;
constexpr std::size_t kLineLimit = 63;

std::u16string RoomName(const GAME_CRoomBase& room) { return UITagName(room.GetRoomId()); }

// What the member does in the room it stands in, by its task's kind.
const char* ActivityKey(std::int32_t kind)
{
    switch (kind) {
    case kTaskMeal: return "ALL_ACTOR_INFO_MEAL";
    case kTaskBreak: return "ALL_ACTOR_INFO_BREAK";
    case kTaskCooking: return "ALL_ACTOR_INFO_COOKING";
    case kTaskAttackToEnemy: return "ALL_ACTOR_INFO_ATTACK";
    case kTaskPatient: return "ALL_ACTOR_INFO_CURE";
    case kTaskBridgeDriver: return "ALL_ACTOR_INFO_BRIDGE_DRIVER";
    default: return "ALL_ACTOR_INFO_TASK_RUNNING";
    }
}

UICrewMeters::Layout ListMeters() { return {.first = {68.0f, 152.0f}}; }

}  // namespace

GAME_CUIAllActorInfo::GAME_CUIAllActorInfo(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kBlocksWhileOpen,
                      .mover = {.shown = {kUIRoomWindowAt.x, kUIRoomWindowAt.y}, .hidden = {kUIRoomWindowAt.x, -kCanvasHeight}},
                      .holdsGame = true,
                      .dialog = UIDialogOnClose::kClose},
                     &context),
      meters_(ListMeters())
{
    Build();
}

void GAME_CUIAllActorInfo::Build()
{
    GAME_CUINullObject* window = MakeUIPictureUnder(Root(), "ui_windowbase", 0.0f, 0.0f);
    BeginUIRoomWindow(widgets_, window, window, {.closeRelease = [this](GAME_CUIIconObject*) { OnBack(); }, .owner = this});
    headings_.Add(widgets_, window, "ui_text_information", {36.0f, 138.0f});
    headings_.Add(widgets_, window, "ui_text_actor", {310.0f, 138.0f});
    meters_.BuildPictures(widgets_, window);
    panel_.BuildSprites(widgets_, window, {.origin = {40.0f, 211.0f}, .lines = kPanelLines, .separator = {-4.0f, -3.0f}});
    panelBar_ = MakeUIScrollBar(window, 285.0f, 208.0f, 8.0f, 126.0f);
    widgets_.push_back(panelBar_);
    for (int i = 0; i < kRows; ++i) {
        UIItemRowWidgets& row = rows_[static_cast<std::size_t>(i)];
        row.anchor = row.icon =
            MakeUIPictureUnder(window, "ui_icon_actor", kFirstMarker.x, kFirstMarker.y + kUILineStep * static_cast<float>(i));
        widgets_.push_back(row.icon);
        if (i + 1 < kRows) {
            row.separator = MakeUIPictureUnder(row.anchor, "ui_separator_right", -23.0f, 16.0f);
            widgets_.push_back(row.separator);
        }
    }
    listBar_ = MakeUIScrollBar(window, 474.0f, 154.0f, 8.0f, 180.0f);
    widgets_.push_back(listBar_);
    listCursor_.Build(widgets_, window,
                      {.at = {kFirstMarker.x + kCursorFromMarker.x, kFirstMarker.y}, .highlightSprite = "ui_select_highlight"});
    panelCursor_ = MakeUIPictureUnder(window, "ui_cursor_common_r90", 0.0f, 211.0f);
    widgets_.push_back(panelCursor_);

    widgets_.push_back(MakeUICategorySwitch(0));
    title_ = MakeUIRoomWindowTitle(window, "ALL_ACTOR_INFO_WINDOW_TITLE");
    widgets_.push_back(title_);
    meters_.BuildTexts(widgets_);
    panel_.BuildTexts(widgets_);
    for (int i = 0; i < kRows; ++i) {
        UIItemRowWidgets& row = rows_[static_cast<std::size_t>(i)];
        row.name = MakeUILabel(window, "", kFirstName.x, kFirstName.y + kUILineStep * static_cast<float>(i));
        widgets_.push_back(row.name);
    }
    EndUIRoomWindow(widgets_, window);
}

std::int32_t GAME_CUIAllActorInfo::CrewCount() const
{
    const GAME_CFieldObjectManager* objects = Context().world.fieldObjects.get();
    return objects != nullptr ? static_cast<std::int32_t>(objects->crew.size()) : 0;
}

GAME_CObjectActor* GAME_CUIAllActorInfo::SelectedMember() const
{
    const GAME_CFieldObjectManager* objects = Context().world.fieldObjects.get();
    const std::int32_t index = list_.Index();
    if (objects == nullptr || index < 0 || index >= static_cast<std::int32_t>(objects->crew.size())) return nullptr;
    return objects->crew[static_cast<std::size_t>(index)];
}

void GAME_CUIAllActorInfo::OnEnterState(UIScreenState state)
{
    GAME_CGameWorld& world = Context().world;
    switch (state) {
    case kOpening: {
        headings_.Apply();
        listCursor_.Restart();
        focus_ = Focus::kList;
        ShowAllWidgets();
        list_.count = CrewCount();
        list_.ShowFromStart(*listBar_);
        panelBar_->SetValue(0);
        ShowTitle();
        RefreshList();
        PlaceCursors();
        world.roomScreenClosing = 0;
        break;
    }
    case kClosing: world.roomScreenClosing = 1; break;
    default: break;
    }
}

void GAME_CUIAllActorInfo::EveryFrame()
{
    listCursor_.Tick();
    GiveWheelToHoveredBar();
    PlaceCursors();
}

void GAME_CUIAllActorInfo::GiveWheelToHoveredBar()
{
    GiveWheelToHoveredArea({{panelBar_, kPanelWheelFrom, kPanelWheelTo}, {listBar_, kListWheelFrom, kListWheelTo}});
}

void GAME_CUIAllActorInfo::PlaceCursors()
{
    const bool onPanel = focus_ == Focus::kPanel;
    listCursor_.arrow->SetColor(onPanel ? kUIHidden : kUIWhite);
    panelCursor_->SetColor(onPanel ? kUIWhite : kUIHidden);
    if (!onPanel) listCursor_.highlight->SetColor(kHighlightColor);
    const Vec2 holder{kFirstMarker.x + kCursorFromMarker.x, kFirstMarker.y + kUILineStep * static_cast<float>(list_.cursor)};
    listCursor_.holder->SetPosition(&holder);
    listCursor_.PlaceArrow();
    const Vec2 panelCursor{40.0f - UISpriteSize(panelCursor_->Sprite()).x - 2.0f + listCursor_.Bob(), 211.0f};
    panelCursor_->SetPosition(&panelCursor);
}

bool GAME_CUIAllActorInfo::ShowsCurrentCrew() const
{
    const GAME_CFieldObjectManager* objects = Context().world.fieldObjects.get();
    if (objects == nullptr) return shownCrew_.empty();
    return std::ranges::equal(shownCrew_, objects->crew);
}

void GAME_CUIAllActorInfo::ShowTitle()
{
    const std::u16string title = FormatUIMessage("ALL_ACTOR_INFO_WINDOW_TITLE", {UIFullWidthNumber(CrewCount())});
    title_->SetTextW(UILimitedText(title, kTitleLimit).c_str());
}

void GAME_CUIAllActorInfo::RefreshList()
{
    const GAME_CFieldObjectManager* objects = Context().world.fieldObjects.get();
    const std::int32_t count = CrewCount();
    shownCrew_.clear();
    if (objects != nullptr) shownCrew_.assign(objects->crew.begin(), objects->crew.end());
    for (UIItemRowWidgets& row : rows_) {
        row.icon->SetColor(kUIHidden);
        row.name->SetTextW(u"");
        if (row.separator != nullptr) row.separator->SetColor(kUIHidden);
    }
    for (std::int32_t i = 0; i < kRows && list_.top + i < count; ++i) {
        const GAME_CObjectActor* member = objects->crew[static_cast<std::size_t>(list_.top + i)];
        UIItemRowWidgets& row = rows_[static_cast<std::size_t>(i)];
        row.icon->SetColor(kUIWhite);
        if (member != nullptr) row.name->SetTextW(RomanizeKanaPair(std::u16string_view(member->status.name)).c_str());
    }
    // A rule under every row shown but the last, wherever the list stands.
    for (std::int32_t i = 0; i + 1 < std::min(count, kRows); ++i) rows_[static_cast<std::size_t>(i)].separator->SetColor(kUIWhite);
    panelBar_->SetValue(0);
    ShowSelected();
}

void GAME_CUIAllActorInfo::ShowSelected() { ShowDetail(SelectedMember()); }

void GAME_CUIAllActorInfo::ShowDetail(const GAME_CObjectActor* member)
{
    meters_.Hide();
    panel_.Clear();
    if (member == nullptr) {
        panelBar_->SetMaximum(0);
        panelBar_->SetValue(0);
        return;
    }
    const GAME_CActorStatus& status = member->status;
    const UICrewTraits traits = UICrewTraits::Of(status);
    const GAME_CRoomBase* work = member->workLink.room;
    const GAME_CRoomBase* home = member->homeLink.room;
    const GAME_CRoomBase* standing = member->task != nullptr && member->task->IsRoomTask() ? member->GetRoomAtOwnCell() : nullptr;
    const std::int32_t lines = static_cast<std::int32_t>(2 * traits.count) + (work != nullptr ? 1 : 0) + 1 + (standing != nullptr ? 1 : 0);
    panelBar_->SetMaximum(lines - kPanelLines);
    meters_.Show(status);

    panel_.Begin(panelBar_->Value());
    const auto put = [this](const std::u16string& line) { panel_.Put(UILimitedText(line, kLineLimit), false, kNoSprite); };
    if (work != nullptr) put(FormatUIMessage("ALL_ACTOR_INFO_BIND_TASK_ROOM", {RoomName(*work)}));
    put(home != nullptr ? FormatUIMessage("ALL_ACTOR_INFO_BIND_HOUSE_ROOM", {RoomName(*home)}) : FormatUIMessage("ALL_ACTOR_INFO_NOBIND_HOUSE"));
    if (standing != nullptr) put(FormatUIMessage(ActivityKey(member->task->GetKind()), {RoomName(*standing)}));
    for (std::size_t i = 0; i < traits.count; ++i) PutUICrewTrait(panel_, traits.entries[i], {});
    panel_.End(*panelBar_);
}

void GAME_CUIAllActorInfo::UpdateMain(bool input)
{
    const std::int32_t count = CrewCount();
    list_.count = count;
    // The crew shrank under the cursor: back to the first member.
    if (list_.Index() >= count) list_.ShowFromStart(*listBar_);
    listBar_->SetMaximum(list_.MaxTop());
    // A member born, taken on or gone while the list shows: the title and rows are written anew, from
    // a top the bar's new end may have pulled back.
    if (!ShowsCurrentCrew()) {
        static_cast<void>(list_.Follow(*listBar_));
        ShowTitle();
        RefreshList();
    }
    const std::int32_t listBefore = listBar_->Value();
    const std::int32_t panelBefore = panelBar_->Value();
    const bool free = Root()->UpdateTree(input);
    // A top the bar's new end pulled back (the crew shrank) shows its rows anew as well.
    if (list_.Follow(*listBar_) || listBar_->Value() != listBefore) {
        PlayUISE(kSeUICursor);
        RefreshList();
        return;
    }
    if (panelBar_->Value() != panelBefore) {
        PlayUISE(kSeUICursor);
        ShowSelected();
        return;
    }
    if (!free || HandlePointer()) return;
    HandleKeys();
}

bool GAME_CUIAllActorInfo::HandlePointer()
{
    if (IsUIPointerRefused()) return false;
    if (const std::int32_t row = ClickedUIListRow(kFirstRowHit, std::min(kRows, list_.count - list_.top), kRowHitSize); row >= 0) {
        if (focus_ == Focus::kList && row == list_.cursor) {
            Decide();
        } else {
            focus_ = Focus::kList;
            list_.cursor = row;
            panelBar_->SetValue(0);
            ShowSelected();
            PlayUISE(kSeUICursor);
        }
        return true;
    }
    if (focus_ == Focus::kList && IsUIClickInRect(kPanelHitFrom, kPanelHitTo)) {
        focus_ = Focus::kPanel;
        PlayUISE(kSeUICursor);
        return true;
    }
    return false;
}

void GAME_CUIAllActorInfo::HandleKeys()
{
    // A held direction takes the frame, whether or not its press or repeat falls in it.
    if (IsUIMenuSlot(GAME_CInputMap::kModeHeld, kUIMenuLeft)) {
        if (IsUIMenuSlot(GAME_CInputMap::kModePressed, kUIMenuLeft) && focus_ == Focus::kList) {
            focus_ = Focus::kPanel;
            PlayUISE(kSeUICursor);
        }
        return;
    }
    if (IsUIMenuSlot(GAME_CInputMap::kModeHeld, kUIMenuRight)) {
        if (IsUIMenuSlot(GAME_CInputMap::kModePressed, kUIMenuRight) && focus_ == Focus::kPanel) {
            focus_ = Focus::kList;
            PlayUISE(kSeUICursor);
        }
        return;
    }
    if (focus_ == Focus::kList && IsUIActionTriggered(kActionDecide)) {
        PlayUISE(kSeUIDecide);
        if (SelectedMember() != nullptr) {
            Decide();
            return;
        }
    }
    const bool up = IsUIMenuSlot(GAME_CInputMap::kModeHeld, kUIMenuUp);
    const bool down = !up && IsUIMenuSlot(GAME_CInputMap::kModeHeld, kUIMenuDown);
    if (!up && !down) return;
    if (!IsUIMenuSlot(GAME_CInputMap::kModeRepeat, up ? kUIMenuUp : kUIMenuDown)) return;
    if (focus_ == Focus::kList) {
        PlayUISE(kSeUICursor);
        const std::int32_t topBefore = list_.top;
        list_.Step(up ? -1 : 1);
        if (list_.top != topBefore || list_.Index() == 0) {
            list_.Show(*listBar_);
            RefreshList();
        } else {
            panelBar_->SetValue(0);
            ShowSelected();
        }
        return;
    }
    const std::int32_t maximum = panelBar_->Maximum();
    if (maximum == 0) return;
    PlayUISE(kSeUICursor);
    const std::int32_t value = panelBar_->Value();
    panelBar_->SetValue(up ? (value == 0 ? maximum : value - 1) : (value + 1) % (maximum + 1));
    ShowSelected();
}

void GAME_CUIAllActorInfo::Decide()
{
    GAME_CObjectActor* member = SelectedMember();
    const auto* hud = Context().ui.Get<GAME_CUICommon>();
    if (member == nullptr || hud == nullptr || hud->crewPickFlag == 0) return;
    if (auto* status = Context().ui.Get<GAME_CUIActorStatus>()) status->OpenOnCrewMember(member);
    SetOpen(false);
}

void GAME_CUIAllActorInfo::OnBack()
{
    Context().ui.SetOpen(kSlotCommon, true);
    SetOpen(false);
}
