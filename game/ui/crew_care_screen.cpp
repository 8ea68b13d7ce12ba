// The room screens that treat one crew member at a time (the infirmary, the mind-control room): the list of what can be ordered for each member, the member's meters and traits beside it, the question, the order with its notice, and the room's task page.
#include "game/ui/crew_care_screen.h"

#include <algorithm>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_crew.h"
#include "game/model/world/game_world.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/actor_names.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_callback.h"

using vesk::math::Vec2;

namespace {

// The pages' roots stand at the canvas origin; positions below are canvas units.
constexpr Vec2 kHome{0.0f, 0.0f};
constexpr Vec2 kSlideFrom{0.0f, -360.0f};
// A row's node: the cursor stands 21 units left of it, its icon and words after it.
constexpr Vec2 kFirstRow{378.0f, 106.0f};
constexpr Vec2 kRowIcon{2.0f, -1.0f};
constexpr Vec2 kRowText{18.0f, -1.0f};
constexpr Vec2 kRowSeparator{-21.0f, 15.0f};
// The first row's pointer rectangle: from the cursor's place to the scroll bar, a whole line high, so
// that the rows' rectangles meet.
constexpr Vec2 kRowHitTopLeft{357.0f, 104.0f};
constexpr Vec2 kRowHitSize{168.0f, 18.0f};
constexpr Vec2 kTraitOrigin{101.0f, 160.0f};
constexpr std::size_t kRowTextLimit = 127;
constexpr std::size_t kQuestionLimit = 128;
constexpr std::uint32_t kMeterColor = UICrewMeters::kStaminaColor;
constexpr std::array<const char*, 2> kHeaderNames{"ui_text_information", "ui_text_actor"};
constexpr std::array<Vec2, 2> kHeaderPlaces{{{97.0f, 87.0f}, {371.0f, 87.0f}}};

UICrewMeters::Layout MemberMeters(Vec2 first)
{
    return {.row = {.name = {-30.0f, -2.0f}, .value = {205.0f, -2.0f}, .barSprite = "ui_labelbase"},
            .first = first,
            .colors = {kMeterColor, kMeterColor, kMeterColor}};
}

UICrewCareLayout OnCanvas(UICrewCareLayout layout)
{
    layout.taskPage = layout.taskPage.MovedBy(kUIRoomWindowAt);
    return layout;
}

}  // namespace

GAME_CUICrewCareScreen::GAME_CUICrewCareScreen(const UIScreenContext& context, const UICrewCareLayout& layout)
    : GAME_CUIRoomScreen(context, kHome, kSlideFrom, {.closesFromHome = true, .forgetsRoom = true}),
      layout_(OnCanvas(layout)),
      meters_(MemberMeters(layout_.taskPage.hpFrame))
{
    BuildListPage();
    BuildTaskPage();
}

GAME_CUICrewCareScreen::~GAME_CUICrewCareScreen() = default;

void GAME_CUICrewCareScreen::BuildListPage()
{
    firstRoot_ = MakeUIGroupNode(kHome.x, kSlideFrom.y);
    GAME_CUINullObject* window = MakeUIRoomWindowUnder(firstRoot_);
    firstFrame_ = BeginPage(firstPage_, firstRoot_, window);
    AddHeaders(firstRoot_, kHeaderNames, kHeaderPlaces);
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        UIItemRowWidgets& row = rows_[r];
        row.anchor = MakeUIGroupUnder(firstRoot_, kFirstRow.x, kFirstRow.y + kUILineStep * static_cast<float>(r));
        row.icon = MakeUIPictureUnder(row.anchor, "ui_icon_actor", kRowIcon.x, kRowIcon.y);
        firstPage_.push_back(row.anchor);
        firstPage_.push_back(row.icon);
        // Seven separators: each under its row, shown when a row follows.
        if (r + 1 < rows_.size()) {
            row.separator = MakeUIPictureUnder(row.anchor, "ui_separator_right", kRowSeparator.x, kRowSeparator.y);
            firstPage_.push_back(row.separator);
        }
    }
    listBar_ = MakeUIScrollBar(firstRoot_, 535.0f, 103.0f, 8.0f, kUILineStep * kVisibleRows);
    firstPage_.push_back(listBar_);
    if (layout_.traitsBar) {
        traitsBar_ = MakeUIScrollBar(firstRoot_, 346.0f, 157.0f, 8.0f, 90.0f, true);
        // The wheel belongs to the list's bar.
        traitsBar_->SetTakesWheel(false);
        firstPage_.push_back(traitsBar_);
    }
    meters_.BuildPictures(firstPage_, firstRoot_);
    traits_.BuildSprites(firstPage_, firstRoot_, {.origin = kTraitOrigin, .lines = layout_.traitLines, .separator = {-4.0f, -3.0f}});

    AddTabBar(firstPage_, firstFrame_, {layout_.firstTabKey, layout_.taskTabKey, false, nullptr, UIBind(this, &GAME_CUICrewCareScreen::OnTaskTabButton)});
    for (UIItemRowWidgets& row : rows_) {
        row.name = MakeUILabel(row.anchor, "", kRowText.x, kRowText.y);
        firstPage_.push_back(row.name);
    }
    meters_.BuildTexts(firstPage_);
    const Vec2 title{layout_.taskPage.hpFrame.x - 30.0f, layout_.taskPage.hpFrame.y - 2.0f};
    noMember_ = MakeUILabel(firstRoot_, "", title.x, title.y);
    firstPage_.push_back(noMember_);
    traits_.BuildTexts(firstPage_);
    EndPage(firstPage_, firstFrame_);
}

void GAME_CUICrewCareScreen::BuildTaskPage()
{
    taskRoot_ = MakeUIGroupNode(kHome.x, kSlideFrom.y);
    FillTaskPage(MakeUIRoomWindowUnder(taskRoot_), layout_.taskPage,
                 {layout_.firstTabKey, layout_.taskTabKey, true, UIBind(this, &GAME_CUICrewCareScreen::OnFirstTabButton), nullptr});
}

bool GAME_CUICrewCareScreen::AddEntry(GAME_CObjectActor* member, std::uint32_t slot)
{
    if (static_cast<std::size_t>(count_) >= table_.size()) return false;
    table_[static_cast<std::size_t>(count_++)] = {member, slot};
    return true;
}

void GAME_CUICrewCareScreen::Ask(const std::u16string& text, std::span<const UIDialogItem> items) const
{
    AskInDialog(layout_.slot, {.text = UILimitedText(text, kQuestionLimit), .centred = true, .items = items});
}

void GAME_CUICrewCareScreen::Order()
{
    const std::u16string text = OrderedText(chosen_);
    const std::int32_t room = GetUIRoomIndex(Context().world, target);
    // Without the room on the ship there is nothing to bind the task to: no request at all.
    const GAME_CTaskBase* task = room >= 0 ? GAME_CTaskBase::CreateFromRequest(OrderRequest(chosen_, room)) : nullptr;
    // A task that was not made is told as the error it is, never as ordered.
    const std::u16string notice = task != nullptr ? text : GetMessageTextExpanded("ADDTASK_TEXT_ERROR_FATALERROR");
    NoticeInDialog(layout_.slot, {.text = UILimitedText(notice, kRowTextLimit), .centred = true});
}

std::u16string GAME_CUICrewCareScreen::MemberName(const GAME_CObjectActor& member)
{
    return RomanizeKanaPair(std::u16string_view(member.status.name));
}

void GAME_CUICrewCareScreen::CollectEntries()
{
    table_.fill({});
    count_ = 0;
    const GAME_CFieldObjectManager* objects = Context().world.fieldObjects.get();
    if (objects == nullptr) return;
    for (GAME_CObjectActor* member : objects->crew) {
        // A member playing its death is beyond any order: it leaves the list at once.
        if (member == nullptr || !task_crew::IsAliveInField(*member)) continue;
        if (!CollectEntriesOf(member)) return;
    }
}

void GAME_CUICrewCareScreen::FollowCrew()
{
    const std::array<UICrewCareEntry, kTableSize> before = table_;
    const std::int32_t countBefore = count_;
    const UICrewCareEntry* under = EntryUnderCursor();
    const UICrewCareEntry stoodOn = under != nullptr ? *under : UICrewCareEntry{};
    CollectEntries();
    const auto listed = table_.begin() + count_;
    if (count_ == countBefore && std::equal(table_.begin(), listed, before.begin())) return;
    list_.count = count_;
    const auto kept = std::find(table_.begin(), listed, stoodOn);
    list_.Select(kept != listed ? static_cast<std::int32_t>(kept - table_.begin()) : list_.Index());
    list_.Show(*listBar_);
    if (count_ == 0 && focus_ == kFocus.list) focus_ = kFocus.firstTab;
    ShowRows();
    PlaceListCursor();
}

const UICrewCareEntry* GAME_CUICrewCareScreen::EntryUnderCursor() const
{
    const std::int32_t index = list_.Index();
    return index >= 0 && index < count_ ? &table_[static_cast<std::size_t>(index)] : nullptr;
}

void GAME_CUICrewCareScreen::OnEnterOpening()
{
    BeginOpening();
    CollectEntries();
    list_.count = count_;
    list_.ShowFromStart(*listBar_);
    steps_.Reset(target != nullptr && target->rememberedTab == static_cast<std::int32_t>(Step::kTaskPage) ? Step::kTaskPage
                                                                                                            : Step::kList);
    chosen_ = {};
    if (layout_.focusListOnOpening) focus_ = kFocus.list;
    if (count_ == 0 && focus_ == kFocus.list) focus_ = kFocus.firstTab;
    EnterTaskPage();
    ShowRows();
    PlaceListCursor();
}

void GAME_CUICrewCareScreen::UpdateMain(bool input)
{
    if (steps_.Is(Step::kList)) FollowCrew();
    const std::int32_t infoScroll = taskTab_.ScrollBar()->Value();
    if (steps_.Is(Step::kTaskPage)) {
        UpdateTaskPage(input);
    } else {
        // A question asked last frame comes at this frame's Advance: until then the page takes no input,
        // or a tab pressed now would switch away from the question as its press ends.
        const bool listed = steps_.Is(Step::kList) && steps_.Asked() == Step::kList && input && !firstRoot_->IsAnyDecided();
        input = firstRoot_->UpdateTree(listed) && listed;
        taskRoot_->UpdateTree(false);
        taskTab_.UpdateControllerQuietly();
    }
    if (list_.Follow(*listBar_)) {
        // Dragged or wheeled: the rows follow, and that is the frame's input.
        PlayUISE(kSeUICursor);
        ShowRows();
        input = false;
    }
    steps_.Advance([this](Step step) { EnterStep(step); });
    switch (steps_.Current()) {
    case Step::kList: UpdateList(input); break;
    case Step::kQuestion: FollowDialogAnswer(steps_, Step::kNotice, Step::kList); break;
    case Step::kNotice:
        if (!IsDialogShown()) steps_.Go(Step::kList);
        break;
    case Step::kTaskPage: break;
    }
    AnswerInfoScroll(infoScroll);
}

void GAME_CUICrewCareScreen::EnterStep(Step step)
{
    switch (step) {
    case Step::kList:
        chosen_ = {};
        for (GAME_CUIObjectBase* widget : firstPage_) widget->SetVisible(true);
        FollowCrew();
        ShowRows();
        PlaceListCursor();
        break;
    case Step::kQuestion: AskAbout(chosen_); break;
    case Step::kNotice: Order(); break;
    case Step::kTaskPage: EnterTaskPage(); break;
    }
}

void GAME_CUICrewCareScreen::UpdateList(bool input)
{
    if (!input) return;
    if (layout_.taskPage.tabChangeSwitches && IsUIActionTriggered(kActionMenuTabChange)) {
        firstFrame_.taskTab->Press();
        return;
    }
    list_.count = count_;
    const std::int32_t clicked = ClickedUIListRow(kRowHitTopLeft, list_.ShownRows(), kRowHitSize);
    if (clicked >= 0) {
        if (focus_ == kFocus.list && clicked == list_.cursor) {
            Choose(false);
            return;
        }
        PlayUISE(kSeUICursor);
        list_.cursor = clicked;
        focus_ = kFocus.list;
        listBar_->SetValue(list_.top);
        ShowRows();
        PlaceListCursor();
        return;
    }
    const std::int32_t start = focus_;
    const std::int32_t startIndex = list_.Index();
    const UIRoomKeys keys = UIRoomKeys::Read();
    const bool empty = count_ == 0;
    if (focus_ == kFocus.list && !empty && keys.decide) {
        Choose(true);
    } else {
        StepFirstPageFocus(focus_, kFocus, keys, list_);
    }
    // An empty list is no place to stand: the arrows lead to the nearer tab instead.
    if (empty && focus_ == kFocus.list) focus_ = start == kFocus.skipRight ? kFocus.taskTab : kFocus.firstTab;
    if (focus_ != start || list_.Index() != startIndex) {
        listBar_->SetValue(list_.top);
        ShowRows();
        PlaceListCursor();
    }
}

void GAME_CUICrewCareScreen::Choose(bool byKey)
{
    const UICrewCareEntry* entry = EntryUnderCursor();
    if (entry == nullptr || entry->member == nullptr || entry->slot >= UICrewCareEntry::kNoSlot) return;
    UIRoomTasks tasks{};
    if (GetUIRoomTasks(target, tasks) >= kUIRoomTaskSlots || !MayChoose(*entry, byKey)) return;
    chosen_ = *entry;
    steps_.Go(Step::kQuestion);
}

void GAME_CUICrewCareScreen::ShowRows()
{
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        UIItemRowWidgets& row = rows_[r];
        const std::int32_t index = list_.top + static_cast<std::int32_t>(r);
        const bool live = index < count_;
        row.name->SetTextW(live ? UILimitedText(RowText(table_[static_cast<std::size_t>(index)]), kRowTextLimit).c_str() : u"");
        row.icon->SetColor(live ? kUIWhite : kUIHidden);
        if (row.separator != nullptr) row.separator->SetColor(index + 1 < count_ ? kUIWhite : kUIHidden);
    }
    if (traitsBar_ != nullptr) traitsBar_->SetVisible(count_ > 0);
    const UICrewCareEntry* entry = EntryUnderCursor();
    ShowMember(entry != nullptr ? entry->member : nullptr);
}

void GAME_CUICrewCareScreen::ShowMember(const GAME_CObjectActor* member)
{
    traits_.Clear();
    if (member == nullptr) {
        meters_.Hide();
        noMember_->SetTextA(layout_.noMemberKey);
        return;
    }
    noMember_->SetTextA("");
    meters_.Show(member->status);
    traits_.Begin(0);
    const UICrewTraits traits = UICrewTraits::Of(member->status);
    for (std::size_t i = 0; i < traits.count; ++i) {
        if (traits.entries[i].kind == layout_.traits) PutUICrewTrait(traits_, traits.entries[i], {});
    }
}

void GAME_CUICrewCareScreen::PlaceListCursor()
{
    if (focus_ == kFocus.list && count_ > 0) {
        PlaceFirstCursorOnRow(rows_[static_cast<std::size_t>(std::clamp(list_.cursor, 0, kVisibleRows - 1))].anchor);
        return;
    }
    PlaceFirstCursorOnButton(focus_, kFocus);
}

void GAME_CUICrewCareScreen::OnFirstTabButton()
{
    steps_.Go(Step::kList);
    if (target != nullptr) target->rememberedTab = static_cast<std::int32_t>(Step::kList);
}

void GAME_CUICrewCareScreen::OnTaskTabButton()
{
    steps_.Go(Step::kTaskPage);
    if (target != nullptr) target->rememberedTab = static_cast<std::int32_t>(Step::kTaskPage);
}
