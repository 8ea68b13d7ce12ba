// The save-slot screen (slot 45): the ten game slots, saved into from the pause menu and loaded from the title.
#include "game/ui/screens/ui_save_slot.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "framework/app/date_time.h"
#include "framework/text/format_text.h"
#include "framework/text/utf.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/model/session/play_session.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_world.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_label_object.h"

using namespace save_layout;

namespace {

constexpr float kRowX = 191.0f;
constexpr float kFirstRowY = 12.0f;
constexpr float kRowTop = 28.0f;
constexpr float kRowStep = 85.0f;
constexpr float kLabelPositions[GAME_CUISaveSlot::kLabelCount][2] = {
    {7.0f, 8.0f}, {92.0f, 8.0f}, {177.0f, 8.0f}, {92.0f, 26.0f}, {92.0f, 44.0f}};
constexpr float kCursorX = 164.0f;
constexpr float kMarkerX = 401.0f;
constexpr float kUpMarkerY = 96.0f;
constexpr float kDownMarkerY = 352.0f;
constexpr std::int32_t kButtonDelay = 5;
constexpr std::size_t kLabelChars = 127;
constexpr char16_t kIdeographicSpace = u'\u3000';

float RowY(int row) { return row == 0 ? kFirstRowY : kRowTop + kRowStep * static_cast<float>(row); }

std::u16string Truncated(std::u16string text)
{
    text.resize(std::min(text.size(), kLabelChars));
    return text;
}

GAME_CUIIconObject* MakeButton(GAME_CUIObjectBase* parent, const char* sprite, float x, float y, float width, float height,
                              UIIconCallback callback)
{
    UIIconObjectDesc desc;
    InitUIIconObjectDesc(&desc);
    desc.hiddenX = desc.shownX = x;
    desc.hiddenY = desc.shownY = y;
    desc.normalSprite = sprite != nullptr ? FindUISprite(sprite) : kNoSprite;
    if (sprite != nullptr && desc.normalSprite != kNoSprite) {
        const vesk::math::Vec2 size = UISpriteSize(desc.normalSprite);
        width = size.x;
        height = size.y;
    }
    SetUIIconObjectDescSize(&desc, width, height);
    desc.releaseCallback = std::move(callback);
    desc.pressedFrames = kButtonDelay;
    auto* button = new GAME_CUIIconObject(&desc);
    button->SetParent(parent);
    return button;
}

}  // namespace

GAME_CUISaveSlot::GAME_CUISaveSlot(const UIScreenContext& context)
    : GAME_CUIScreen(UIScreenSetup{.dialog = UIDialogOnClose::kClose}, &context)
{
    saveSprite_ = FindUISprite("ui_bigtext_save");
    loadSprite_ = FindUISprite("ui_bigtext_load");
    BuildWidgets();
}

void GAME_CUISaveSlot::BuildWidgets()
{
    GAME_CUINullObject* root = Root();
    bigTitle_ = MakeUIPictureUnder(root, "ui_bigtext_save", 27.0f, 12.0f);
    AddWidget(bigTitle_);
    AddWidget(MakeUIPictureUnder(root, "ui_saveload_separator", 6.0f, 92.0f));
    for (int r = 0; r < kVisibleRows; ++r) {
        Row& row = rows_[static_cast<std::size_t>(r)];
        row.button = MakeButton(root, "ui_saveload_window_bg", kRowX, RowY(r), 0.0f, 0.0f,
                                [this, r](GAME_CUIIconObject*) {
                                    if (pages_.Is(kList)) clickedRow_ = r;
                                });
        AddWidget(row.button);
        row.highlight = MakeUIPictureUnder(row.button, "ui_saveload_window_bg_selected", 0.0f, 0.0f);
        AddWidget(row.highlight);
        AddWidget(MakeUIPictureUnder(row.button, "ui_saveload_window_left", 0.0f, 0.0f));
        GAME_CUINullObject* right = MakeUIPictureUnder(row.button, "ui_saveload_window_right", row.button->GetSize()->x, 0.0f);
        const vesk::math::Vec2 pivot{1.0f, 0.0f};
        right->SetPivot(&pivot);
        AddWidget(right);
        for (int l = 0; l < kLabelCount; ++l) {
            GAME_CUILabelObject* label = MakeUILabel(row.button, "", kLabelPositions[l][0], kLabelPositions[l][1]);
            label->SetTextW(u"");
            row.labels[static_cast<std::size_t>(l)] = label;
            AddWidget(label);
        }
    }
    // The buttons act only while the list is up.
    GAME_CUIIconObject* scrollUp = MakeButton(root, "ui_saveload_up_marker", kMarkerX, kUpMarkerY, 0.0f, 0.0f, [this](GAME_CUIIconObject*) {
        if (pages_.Is(kList)) scrollUpRequest_ = 1;
    });
    GAME_CUIIconObject* scrollDown = MakeButton(root, "ui_saveload_down_marker", kMarkerX, kDownMarkerY, 0.0f, 0.0f, [this](GAME_CUIIconObject*) {
        if (pages_.Is(kList)) scrollDownRequest_ = 1;
    });
    // The area around the window comes after the rows and markers, so that they take a press first.
    GAME_CUIIconObject* backArea = MakeButton(root, nullptr, 0.0f, 0.0f, kCanvasWidth, kCanvasHeight, [this](GAME_CUIIconObject*) {
        if (pages_.Is(kList)) SetOpen(false);
    });
    for (GAME_CUIIconObject* button : {scrollUp, scrollDown, backArea}) AddWidget(button);
    titleLabel_ = MakeUILabel(root, "", 27.0f, 64.0f);
    AddWidget(titleLabel_);
    cursor_.arrow = MakeUIPictureUnder(root, "ui_cursor_common_r90", kCursorX, 0.0f);
    AddWidget(cursor_.arrow);
}

int GAME_CUISaveSlot::SelectedSlot() const
{
    return loadMode != 0 ? list_.top + list_.cursor : list_.top + 1 + list_.cursor;
}

bool GAME_CUISaveSlot::IsRowHighlighted(int row) const
{
    return (rows_[static_cast<std::size_t>(row)].highlight->Color() >> 24) == 0xFF;
}

std::u16string GAME_CUISaveSlot::RowText(int row, RowLabel label) const
{
    return std::u16string(rows_[static_cast<std::size_t>(row)].labels[static_cast<std::size_t>(label)]->Literal());
}

void GAME_CUISaveSlot::OnEnterState(UIScreenState state)
{
    if (state == kClosed) {
        loadMode = 0;
        return;
    }
    if (state != kOpening) return;
    ShowAllWidgets();
    pages_.Reset(kList);
    TakeSnapshot();
    scrollUpRequest_ = 0;
    scrollDownRequest_ = 0;
    decideRequest_ = 0;
    clickedRow_ = -1;
    saveOwed_ = false;
    dimCounter_ = 0;
    SetUpList();
}

void GAME_CUISaveSlot::TakeSnapshot()
{
    SaveAreas& areas = GetSaveAreas();
    snapshot_.resize(kSlotCount * kSlotSize);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto image = areas.ImageSlot(slot);
        std::memcpy(snapshot_.data() + static_cast<std::size_t>(slot) * kSlotSize, image.data(), kSlotSize);
    }
}

working_slot::SlotSummary GAME_CUISaveSlot::SnapshotSummary(int slot) const
{
    if (slot < 0 || slot >= kSlotCount || snapshot_.size() < kSlotCount * kSlotSize) return {};
    return working_slot::ReadSlotSummary(std::span<const std::uint8_t>(snapshot_).subspan(static_cast<std::size_t>(slot) * kSlotSize, kSlotSize));
}

std::uint32_t GAME_CUISaveSlot::SnapshotPlayTime(int slot) const { return SnapshotSummary(slot).playSeconds; }

void GAME_CUISaveSlot::SetUpList()
{
    // Loading lists the automatic save first, standing still above the slots that scroll.
    const std::int32_t shown = loadMode != 0 ? kVisibleRows : kVisibleRows - 1;
    list_ = {.count = shown + kMaxScrollTop, .visible = shown, .wrap = UIListWrap::kTwoPart, .pinned = loadMode != 0 ? 1 : 0};
    bigTitle_->SetSprite(loadMode != 0 ? loadSprite_ : saveSprite_);
    titleLabel_->SetTextA(loadMode != 0 ? "ADD_TEXT_UI_SAVELOAD_LOAD_TITLE" : "ADD_TEXT_UI_SAVELOAD_SAVE_TITLE");
    const auto current = static_cast<std::int32_t>(GetSaveManager()->currentSlot);
    if (current != 0) {
        std::int32_t v = loadMode != 0 ? current : current - 1;
        const std::int32_t lastRow = list_.visible - 1;
        if (v > lastRow) {
            list_.top = v - lastRow;
            v = lastRow;
        }
        list_.cursor = v;
    }
    list_.Clamp();
    PlaceCursor();
    WriteRows();
}

void GAME_CUISaveSlot::UpdateMain(bool input)
{
    if (AnyWidgetBusyOrDecided()) input = false;
    Root()->UpdateTree(input);
    cursor_.Tick();
    pages_.Advance([this](SubState page) { EnterSubState(page); });
    // Only the states that wait on the dialog poll it: a poll closes a dialog answered no.
    const SubState page = pages_.Current();
    const bool waits = page == kSaveDone || page == kLoadDone || page == kSaveRetryQuestion;
    const UIDialogAnswer answer = waits ? PollDialog() : UIDialogAnswer::kNone;
    switch (page) {
    case kList: UpdateList(input); break;
    case kSaveQuestion:
    case kLoadQuestion: FollowDialogAnswer(pages_, page == kSaveQuestion ? kSaving : kLoadConfirmed, kList); break;
    case kSaving: UpdateSaving(); break;
    case kSaveDone:
        if (answer == UIDialogAnswer::kGone) {
            TakeSnapshot();
            pages_.Go(kList);
        }
        break;
    case kLoadConfirmed: pages_.Go(kLoadDone); break;
    case kLoadDone:
        if (answer == UIDialogAnswer::kGone) {
            SetOpen(false);
            if (auto* title = Context().ui.Get<GAME_CUITitle>()) title->StartContinue();
        }
        break;
    case kPreviewFadeOut:
        if (++dimCounter_ > kFadeFrames - 1) pages_.Go(kPreviewApply);
        break;
    case kPreviewApply:
        if (++waitCounter_ > kFadeFrames - 1) pages_.Go(kPreviewFadeIn);
        break;
    case kPreviewFadeIn:
        if (--dimCounter_ < 1) pages_.Go(kList);
        break;
    case kSaveRetryQuestion:
        if (answer == UIDialogAnswer::kNo || answer == UIDialogAnswer::kGone) {
            TakeSnapshot();
            pages_.Go(kList);
        } else if (answer == UIDialogAnswer::kYes) {
            pages_.Go(kSaving);
        }
        break;
    }
}

void GAME_CUISaveSlot::EnterSubState(SubState subState)
{
    const auto ask = [](const char* key) {
        AskInDialog(kSlotPause, {.text = GetMessageTextExpanded(key), .areYouSure = true});
    };
    const auto tell = [](const char* key) { NoticeInDialog(kSlotPause, {.text = GetMessageTextExpanded(key)}); };
    switch (subState) {
    case kList: dimCounter_ = 0; break;
    case kSaveQuestion: ask("PAUSEUI_SAVE_YESNO"); break;
    case kSaving: StartSave(); break;
    case kSaveDone: tell("PAUSEUI_SAVE_FINISHED"); break;
    case kLoadQuestion: ask("ADD_TEXT_UI_SAVELOAD_LOAD_YESNO"); break;
    case kLoadConfirmed: BusyInDialog(kSlotPause); break;
    case kLoadDone: tell("ADD_TEXT_UI_SAVELOAD_LOAD_FINISHED"); break;
    case kPreviewApply: ApplyPreview(); break;
    case kSaveRetryQuestion: AskInDialog(kSlotPause, {.text = GetMessageTextExpanded("PAUSEUI_SAVE_RETRY_YESNO")}); break;
    default: break;
    }
}

void GAME_CUISaveSlot::UpdateList(bool input)
{
    if (!input) return;
    PlaceCursor();
    WriteRows();
    if (IsUIActionTriggered(kActionCancel)) {
        PlayUISE(kSeUICancel);
        SetOpen(false);
        return;
    }
    if (IsUIActionTriggered(kActionDecide) || decideRequest_ != 0) {
        decideRequest_ = 0;
        PlayUISE(kSeUIDecide);
        if (loadMode == 0) {
            pages_.Go(kSaveQuestion);
        } else if (SnapshotPlayTime(SelectedSlot()) != 0) {
            pages_.Go(kLoadQuestion);
        }
        return;
    }
    const std::int32_t wheel = UIWheelSteps();
    const bool up = IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp) || scrollUpRequest_ != 0 || wheel > 0;
    const bool down = IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown) || scrollDownRequest_ != 0 || wheel < 0;
    scrollUpRequest_ = 0;
    scrollDownRequest_ = 0;
    if (up || down) {
        MoveCursor(up);
    } else if (clickedRow_ >= 0) {
        ClickRow(clickedRow_);
    }
    clickedRow_ = -1;
}

void GAME_CUISaveSlot::MoveCursor(bool up)
{
    PlayUISE(kSeUICursor);
    list_.Step(up ? -1 : 1);
    if (loadMode != 0 && SnapshotPlayTime(SelectedSlot()) != 0) pages_.Go(kPreviewFadeOut);
    PlaceCursor();
    WriteRows();
}

void GAME_CUISaveSlot::ClickRow(int row)
{
    if (loadMode == 0) {
        if (row == 0) return;
        if (list_.cursor == row - 1) {
            decideRequest_ = 1;
        } else {
            list_.cursor = row - 1;
        }
    } else if (list_.cursor == row) {
        decideRequest_ = 1;
    } else {
        list_.cursor = row;
        if (row == 0) list_.top = 0;
        if (SnapshotPlayTime(SelectedSlot()) != 0) pages_.Go(kPreviewFadeOut);
    }
    PlaceCursor();
    WriteRows();
}

void GAME_CUISaveSlot::StartSave()
{
    BusyInDialog(kSlotPause);
    waitCounter_ = 0;
    vesk::app::DateTime now{};
    vesk::app::GetLocalDateTime(now);
    const std::uint32_t stamp[8] = {now.year, now.month, now.day, now.hour, now.minute, now.second, now.millisecond, now.dayOfWeek};
    working_slot::SetLastSaveTime(stamp);
    saveOwed_ = !GetSaveManager()->RequestSaveSlot(static_cast<std::uint32_t>(SelectedSlot()));
    PostSavingNotice();
}

void GAME_CUISaveSlot::UpdateSaving()
{
    waitCounter_ = (waitCounter_ + 1) % 16;
    SetDialogRunningText("PAUSEUI_SAVE_RUNNING", static_cast<std::uint32_t>(waitCounter_));
    GAME_CSaveManager* saves = GetSaveManager();
    if (!saves->IsIdle() || saves->pendingSave != 0) return;
    if (saveOwed_) {
        // The machine was busy when the save was asked for: it is asked for now that it is free.
        saveOwed_ = !saves->RequestSaveSlot(static_cast<std::uint32_t>(SelectedSlot()));
        if (!saveOwed_) return;
        saveOwed_ = false;
        pages_.Go(kSaveRetryQuestion);
        return;
    }
    pages_.Go(saves->lastResult == GAME_CSaveManager::kOk ? kSaveDone : kSaveRetryQuestion);
}

void GAME_CUISaveSlot::ApplyPreview()
{
    waitCounter_ = 0;
    const int slot = SelectedSlot();
    GetSaveManager()->currentSlot = static_cast<std::uint32_t>(slot);
    SaveAreas& areas = GetSaveAreas();
    const auto image = areas.ImageSlot(slot);
    areas.workingSlot.assign(image.begin(), image.end());
    SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    GAME_CShip& ship = *Context().world.ship;
    ship.SetZoomedOut(true);
    FinishZoomChange(ship);
}

void GAME_CUISaveSlot::PlaceCursor()
{
    float y = kRowStep * static_cast<float>(list_.cursor) + (loadMode != 0 ? 53.0f : 138.0f);
    if (loadMode != 0 && list_.cursor == 0) y = 37.0f;
    cursor_.Place({kCursorX, y});
}

void GAME_CUISaveSlot::WriteRows()
{
    for (int r = 0; r < kVisibleRows; ++r) WriteRow(r, r == 0 ? 0 : list_.top + r);
}

void GAME_CUISaveSlot::WriteRow(int r, int slotIndex)
{
    Row& row = rows_[static_cast<std::size_t>(r)];
    const bool highlighted = loadMode != 0 ? list_.cursor == r : list_.cursor == r - 1;
    row.highlight->SetColor(highlighted ? kUIWhite : kUIHidden);
    const auto setText = [&](RowLabel label, std::u16string text) {
        row.labels[static_cast<std::size_t>(label)]->SetTextW(Truncated(std::move(text)).c_str());
    };
    if (slotIndex == 0) {
        setText(kLabelName, GetMessageTextExpanded("ADD_TEXT_UI_SAVELOAD_SLOT_AUTO"));
    } else {
        setText(kLabelName, vesk::text::FormatText(GetMessageTextExpanded("ADD_TEXT_UI_SAVELOAD_SLOT_NUMBER"),
                                                   {UIFullWidthNumber(slotIndex)}));
    }
    const working_slot::SlotSummary summary = SnapshotSummary(slotIndex);
    if (summary.playSeconds == 0) {
        for (RowLabel label : {kLabelDate, kLabelPlayTime, kLabelLocation, kLabelCrew}) setText(label, u"");
        return;
    }
    const auto& stamp = summary.lastSaveTime;
    setText(kLabelDate, vesk::text::Utf8ToUtf16(std::to_string(stamp[0]) + "/" + std::to_string(stamp[1]) + "/" +
                                                std::to_string(stamp[2])));
    const std::uint32_t seconds = summary.playSeconds;
    std::u16string playTime = GetMessageTextExpanded("ADD_TEXT_UI_SAVELOAD_SLOT_PLAYTIME");
    playTime += kIdeographicSpace;
    playTime += vesk::text::FormatText(u"%03u:%02u", {seconds / 3600, (seconds / 60) % 60});
    setText(kLabelPlayTime, std::move(playTime));

    std::u16string location;
    const GAME_CStaticDatabase* database = Context().Database();
    const RouteData* route = database != nullptr ? database->FindRouteData(summary.routeId) : nullptr;
    if (route != nullptr) {
        std::uint32_t destination = route->endLocation;
        std::uint32_t origin = route->startLocation;
        if (summary.routeReversed != summary.routeDirection) std::swap(destination, origin);
        const std::int32_t position = summary.routePosition;
        if (position > 0 && position < route->length) {
            location = vesk::text::FormatText(GetMessageTextExpanded("ADD_TEXT_UI_SAVELOAD_SLOT_AJITO_MOVE"),
                                              {GetMessageTextExpanded(TagText(destination))});
        } else {
            const std::uint32_t at = position < 1 ? origin : destination;
            location = vesk::text::FormatText(GetMessageTextExpanded("ADD_TEXT_UI_SAVELOAD_SLOT_AJITO_STOP"),
                                              {GetMessageTextExpanded(TagText(at))});
        }
    }
    setText(kLabelLocation, std::move(location));
    const std::int32_t crew = summary.crewCount;
    setText(kLabelCrew, vesk::text::FormatText(GetMessageTextExpanded("ADD_TEXT_UI_SAVELOAD_SLOT_ACTOR"), {UIFullWidthNumber(crew)}));
}

void GAME_CUISaveSlot::Draw()
{
    if (State() == kClosed) return;
    if (dimCounter_ > 0) {
        const float dim = std::min(static_cast<float>(dimCounter_) / kFadeFrames, 1.0f);
        DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, static_cast<std::uint32_t>(255.0f * dim) << 24);
    }
    DrawWidgets(widgets_);
    FlushUISprites();
    DrawDialogIfShown();
    FlushUISprites();
}
