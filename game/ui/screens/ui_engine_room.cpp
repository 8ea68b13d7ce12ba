// The engine-room screen (slot 18): its two pages, opening on the room's remembered one, the live figures, the option rows and the mode questions.
#include "game/ui/screens/ui_engine_room.h"

#include <algorithm>
#include <string>

#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/text/full_width.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_callback.h"

using vesk::math::Vec2;

namespace {

constexpr float kRowX = 206.0f;
constexpr float kRowTop = 190.0f;
constexpr float kRowStep = 37.0f;
constexpr std::array<const char*, 3> kHeaderNames{"ui_text_speed", "ui_text_fuel_rate", "ui_text_mode_change"};
constexpr std::array<Vec2, 3> kHeaderPlaces{{{52.0f, 138.0f}, {192.0f, 138.0f}, {52.0f, 177.0f}}};
// The lever turns about a point this far left of its picture (fractions of its size).
constexpr Vec2 kLeverPivot{-0.66f, 0.5f};
constexpr std::uint32_t kOverLimitValveBit = 1u << 2;
// The live figures are written again every this many frames.
constexpr std::uint32_t kLiveRefreshFrames = 4;

const char* OptionKey(std::int32_t mode)
{
    switch (mode) {
    case kEngineOverLimit: return "ENGINEROOM_OVERLIMIT";
    case kEngineConnected: return "ENGINEROOM_CONNECT_MAINSHAFT";
    default: return "ENGINEROOM_ENGINE_STOP";
    }
}

// A figure with two decimals in full-width digits.
std::u16string Decimal(double value) { return ToFullWidthText(vesk::text::FormatText(u"%.2f", {value})); }

// A speed term in thousandths as the option's speed part.
std::u16string SpeedAdded(std::int64_t thousandths)
{
    return FormatUIMessage("ENGINEROOM_ENGINE_SPEED_ADD", {Decimal(static_cast<double>(thousandths) * 0.001)});
}

// A question of the engine page.
void Ask(const char* key) { AskInDialog(kSlotEngineRoom, {.text = GetMessageTextExpanded(key), .areYouSure = true}); }

}  // namespace

GAME_CUIEngineRoom::GAME_CUIEngineRoom(const UIScreenContext& context)
    : GAME_CUIRoomScreen(context, kWindowHome, kWindowSlideFrom, {.closesFromHome = true, .forgetsRoom = true})
{
    BuildEnginePage();
    BuildTaskPage();
    SetLeverAt(kEngineDisconnected);
}

GAME_CUIEngineRoom::~GAME_CUIEngineRoom() = default;

void GAME_CUIEngineRoom::BuildEnginePage()
{
    firstRoot_ = MakeWindowRoot();
    firstFrame_ = BeginPage(firstPage_, firstRoot_, firstRoot_);
    GAME_CUINullObject* modeBase = MakeUIPictureUnder(firstRoot_, "ui_engineroom_mode_base", 63.0f, 188.0f);
    lever_ = MakeUIPictureUnder(modeBase, "ui_engineroom_mode_frame_1", -72.0f, 55.0f);
    lever_->SetPivot(&kLeverPivot);
    firstPage_.push_back(modeBase);
    firstPage_.push_back(lever_);
    firstPage_.push_back(MakeUIPictureUnder(firstRoot_, "ui_engineroom_mode_cap", 63.0f, 199.0f));

    for (int k = 0; k < kOptionRows; ++k) {
        OptionRow& row = rows_[static_cast<std::size_t>(k)];
        row.node = MakeUIGroupUnder(firstRoot_, kRowX, kRowTop + kRowStep * static_cast<float>(k));
    }
    highlight_ = MakeUIPictureUnder(rows_[0].node, "ui_separator_engine_selected", -2.0f, 0.0f);
    firstPage_.push_back(highlight_);
    firstPage_.push_back(MakeUIPictureUnder(firstRoot_, "ui_separator_center", 38.0f, 168.0f));
    firstPage_.push_back(MakeUIPictureUnder(firstRoot_, "dot_itemsymbol_54", 66.0f, 148.0f));
    firstPage_.push_back(MakeUIPictureUnder(firstRoot_, "dot_itemsymbol_20", 206.0f, 148.0f));
    AddHeaders(firstRoot_, kHeaderNames, kHeaderPlaces);
    for (OptionRow& row : rows_) {
        row.separator = MakeUIPictureUnder(row.node, "ui_separator_engine", -5.0f, -1.0f);
        row.icon = MakeUIPictureUnder(row.node, "ui_icon_build", 0.0f, -1.0f);
        firstPage_.push_back(row.node);
        firstPage_.push_back(row.separator);
        firstPage_.push_back(row.icon);
    }

    AddTabBar(firstPage_, firstFrame_,
              {.firstTabKey = "ENGINEROOM_ENGINE", .taskTabKey = "ENGINEROOM_TASK", .taskPage = false,
               .firstTabRelease = UIBind(this, &GAME_CUIEngineRoom::OnEngineTab),
               .taskTabRelease = UIBind(this, &GAME_CUIEngineRoom::OnTaskTab), .highlightSprite = nullptr});
    speed_ = MakeUILabel(firstRoot_, "", 85.0f, 150.0f);
    fuelRate_ = MakeUILabel(firstRoot_, "", 225.0f, 150.0f);
    firstPage_.push_back(speed_);
    firstPage_.push_back(fuelRate_);
    for (OptionRow& row : rows_) {
        row.name = MakeUILabel(row.node, "", 16.0f, 1.0f);
        row.effect = MakeUILabel(row.node, "", 4.0f, 19.0f);
        firstPage_.push_back(row.name);
        firstPage_.push_back(row.effect);
    }
    EndPage(firstPage_, firstFrame_);
}

void GAME_CUIEngineRoom::BuildTaskPage()
{
    taskRoot_ = MakeWindowRoot();
    UIRoomTaskTabLayout layout;
    layout.upgradeIcons = false;
    layout.controllerExtentShift = {-36.0f, 12.0f};
    layout.tabChangeSwitches = true;
    layout.cancelCloses = true;
    // Left of the engine tab is the left skip arrow.
    layout.otherTabLeadsToSkip = true;
    FillTaskPage(taskRoot_, layout,
                 {.firstTabKey = "ENGINEROOM_ENGINE", .taskTabKey = "ENGINEROOM_TASK", .taskPage = true,
                  .firstTabRelease = UIBind(this, &GAME_CUIEngineRoom::OnEngineTab),
                  .taskTabRelease = UIBind(this, &GAME_CUIEngineRoom::OnTaskTab)});
}

float GAME_CUIEngineRoom::LeverAngleOf(std::int32_t mode)
{
    switch (mode) {
    case kEngineConnected: return 0.0f;
    case kEngineOverLimit: return -12.0f;
    default: return 12.0f;
    }
}

void GAME_CUIEngineRoom::SetLeverAt(std::int32_t mode)
{
    const float angle = LeverAngleOf(mode);
    InitTween(leverTween_, angle, 0.0f, kLeverFrames, 0);
    leverTween_.frame = kLeverFrames;
    lever_->SetRotation(angle);
}

void GAME_CUIEngineRoom::OnEnterOpening()
{
    BeginOpening();
    MoveRowCursor(0);
    if (const GAME_CRoomBase* room = Room()) SetLeverAt(room->engineMode);
    // The page the room showed last, without its entry.
    const bool tasks = Room() != nullptr && Room()->rememberedTab == static_cast<std::int32_t>(Page::kTasks);
    pages_.Reset(tasks ? Page::kTasks : Page::kEngine);
    RefreshEnginePage();
    EnterTaskPage();
    PlaceEngineFocus();
}

void GAME_CUIEngineRoom::OnEveryFrame()
{
    TweenPoint angle{lever_->GetRotation(), 0.0f};
    UpdateTweenEaseOut(leverTween_, angle);
    lever_->SetRotation(angle.x);
}

void GAME_CUIEngineRoom::OnEngineTab()
{
    if (!pages_.Is(Page::kTasks)) return;
    pages_.Go(Page::kEngine);
    if (GAME_CRoomBase* room = Room()) room->rememberedTab = static_cast<std::int32_t>(Page::kEngine);
}

void GAME_CUIEngineRoom::OnTaskTab()
{
    if (!pages_.Is(Page::kEngine)) return;
    pages_.Go(Page::kTasks);
    if (GAME_CRoomBase* room = Room()) room->rememberedTab = static_cast<std::int32_t>(Page::kTasks);
}

void GAME_CUIEngineRoom::UpdateMain(bool input)
{
    // While the lever swings the screen takes no input, on either page.
    input = input && IsTweenFinished(leverTween_);
    const std::int32_t infoScroll = taskTab_.ScrollBar()->Value();
    pages_.Advance([this](Page page) { EnterPage(page); });
    if (pages_.Is(Page::kTasks)) {
        UpdateTaskPage(input);
        AnswerInfoScroll(infoScroll);
        return;
    }
    const bool resting = pages_.Is(Page::kEngine);
    if (firstRoot_->IsAnyDecided()) input = false;
    input = firstRoot_->UpdateTree(resting && input) && resting && input;
    taskRoot_->UpdateTree(false);
    if (++liveFrames_ % kLiveRefreshFrames == 0) RefreshLiveValues();
    switch (pages_.Current()) {
    case Page::kEngine: UpdateEngineInput(input); break;
    case Page::kAskConnect: PollAnswer(Page::kConnected, "ENGINEROOM_SHAFTCONNECT_FINISHED"); break;
    case Page::kAskStop: PollAnswer(Page::kStopped, "ENGINEROOM_SHAFTDISCONNECT_FINISHED"); break;
    case Page::kAskOverLimit: PollAnswer(Page::kOverLimitSet, "ENGINEROOM_LIMIT_OVER_FINISHED"); break;
    default:
        if (!IsDialogShown()) pages_.Go(Page::kEngine);
        break;
    }
    AnswerInfoScroll(infoScroll);
}

void GAME_CUIEngineRoom::EnterPage(Page page)
{
    switch (page) {
    case Page::kEngine: RefreshEnginePage(); break;
    case Page::kAskConnect: Ask("ENGINEROOM_SHAFTCONNECT"); break;
    case Page::kConnected: ApplyMode(kEngineConnected); break;
    case Page::kAskStop: Ask("ENGINEROOM_SHAFTDISCONNECT"); break;
    case Page::kStopped: ApplyMode(kEngineDisconnected); break;
    case Page::kAskOverLimit: Ask("ENGINEROOM_LIMIT_OVER_YESNO"); break;
    case Page::kOverLimitSet: ApplyMode(kEngineOverLimit); break;
    case Page::kTasks: EnterTaskPage(); break;
    }
}

void GAME_CUIEngineRoom::RefreshLiveValues()
{
    const GAME_CShip* ship = Context().world.ship.get();
    // Without fuel the ship does not move, whatever its engines could give.
    const double speed = ship != nullptr && ship->fuel > 0 ? std::max(0.0, static_cast<double>(ship->speed)) : 0.0;
    const std::int32_t rate = ship != nullptr ? ship->fuelRate : 0;
    const auto withUnit = [](const std::u16string& figure, const char* unitKey) {
        return vesk::text::FormatText(u"%ls %ls", {figure, GetMessageTextExpanded(unitKey)});
    };
    speed_->SetTextW(withUnit(Decimal(speed), "SHIP_SPEED_RATE_UNIT_TEXT").c_str());
    fuelRate_->SetTextW(withUnit(UIFullWidthNumber(rate), "SHIP_FUEL_RATE_UNIT_TEXT").c_str());
}

void GAME_CUIEngineRoom::ShowOption(OptionRow& row, std::int32_t mode, const std::u16string& effect)
{
    row.mode = mode;
    row.icon->SetColor(kUIWhite);
    row.separator->SetColor(kUIWhite);
    row.name->SetTextW(GetMessageTextExpanded(OptionKey(mode)).c_str());
    row.effect->SetTextW(effect.c_str());
}

void GAME_CUIEngineRoom::RefreshEnginePage()
{
    RefreshLiveValues();
    for (OptionRow& row : rows_) {
        row.mode = kNoMode;
        row.icon->SetColor(kUIHidden);
        row.separator->SetColor(kUIHidden);
        row.name->SetTextA("");
        row.effect->SetTextA("");
    }
    const GAME_CRoomBase* room = Room();
    if (room == nullptr) return;
    const std::int64_t output = room->engineOutput;
    const std::int64_t connectSpeed = (output >> 1) | (output & 1);
    const std::u16string connectText = SpeedAdded(connectSpeed);
    std::size_t next = 0;
    if ((room->installedUpgrades & kOverLimitValveBit) != 0) {
        std::int64_t speedSum = 0;
        std::int64_t rateSum = 0;
        for (const GAME_CRoomBase::OverLimitPair& pair : room->overLimit) {
            speedSum += pair.speed;
            rateSum += pair.rate;
        }
        // The rate divisor grows by the stages' rates less 1000, once.
        const double extra = static_cast<double>(rateSum - 1000);
        const double percent = extra > 0.0 ? 100.0 / std::max(1000.0 / extra, 0.00001) : 100.0;
        const std::u16string speedPart = SpeedAdded(speedSum);
        const std::u16string fuelPart =
            FormatUIMessage("ENGINEROOM_ENGINE_FUEL_RATE", {ToFullWidthText(vesk::text::FormatText(u"%.0f", {percent}))});
        ShowOption(rows_[next++], kEngineOverLimit, vesk::text::FormatText(u"%ls %ls", {speedPart, fuelPart}));
    }
    ShowOption(rows_[next++], kEngineConnected, connectText);
    ShowOption(rows_[next], kEngineDisconnected, u"");
}

std::int32_t GAME_CUIEngineRoom::CountOptions() const
{
    const auto offered = [](const OptionRow& row) { return row.mode != kNoMode; };
    return static_cast<std::int32_t>(std::count_if(rows_.begin(), rows_.end(), offered));
}

void GAME_CUIEngineRoom::PollAnswer(Page done, const char* finishedKey)
{
    if (FollowDialogAnswer(pages_, done, Page::kEngine)) {
        NoticeInDialog(kSlotEngineRoom, {.text = GetMessageTextExpanded(finishedKey)});
    }
}

void GAME_CUIEngineRoom::ApplyMode(std::int32_t mode)
{
    GAME_CRoomBase* room = Room();
    if (room == nullptr) return;
    const float from = LeverAngleOf(room->engineMode);
    room->engineMode = mode;
    if (GAME_CShip* ship = Context().world.ship.get()) ship->RecalcStats();
    InitTween(leverTween_, LeverAngleOf(mode), 0.0f, kLeverFrames, 0);
    RestartTweenFrom(leverTween_, {from, 0.0f});
    lever_->SetRotation(from);
}
