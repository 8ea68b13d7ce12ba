// The pause menu (slot 33): eight rows over the stopped game, the quit dialog and the return to the title.
#include "game/ui/screens/ui_pause.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "framework/math/scalar.h"
#include "framework/process/quitting.h"
#include "game/services/input/input_actions.h"
#include "game/model/session/play_session.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"
#include "game/services/save/working_slot.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_world.h"
#include "game/ui/screens/ui_ship_status.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"

namespace {

constexpr float kRowWidth = 242.0f;
constexpr float kRowHeight = 34.0f;
constexpr float kFirstRowY = 49.0f;
constexpr float kRowStep = 38.0f;
constexpr std::int32_t kButtonDelay = 5;
// The screen each row opens above the menu; the return and quit rows open none.
constexpr std::array<int, GAME_CUIPause::kRowCount> kRowSlots{kSlotSoundRoom, -1, kSlotMessageLog, kSlotTalkLog,
                                                             kSlotSaveSlots, kSlotAchieveList, kSlotOption, -1};
constexpr int kPulsePeriod = 90;
constexpr std::uint32_t kBandAlpha = 0x98;
constexpr std::uint32_t kDimAlpha = 200;
constexpr std::uint32_t kVisible = 0xFFFFFFFFu;

// The entry pictures of rows 1 to 7 in Japanese, English and Korean.
constexpr const char* kRowSprites[GAME_CUIPause::kRowCount][3] = {
    {"ui_sound_button", "ui_sound_button", "ui_sound_button"},
    {"ui_pause_return_to_game", "ui_pause_return_to_game_eng", "ui_pause_return_to_game_kr"},
    {"ui_pause_message_log", "ui_pause_message_log_eng", "ui_pause_message_log_kr"},
    {"ui_pause_rumor_log", "ui_pause_rumor_log_eng", "ui_pause_rumor_log_kr"},
    {"ui_pause_save", "ui_pause_save_eng", "ui_pause_save_kr"},
    {"ui_pause_achievement", "ui_pause_achievement_eng", "ui_pause_achievement_kr"},
    {"ui_pause_option", "ui_pause_option_eng", "ui_pause_option_kr"},
    {"ui_pause_quit_the_game", "ui_pause_quite_the_game_eng", "ui_pause_quite_the_game_kr"},
};
constexpr const char* kQuitKeys[3] = {"PAUSEUI_TEXT_RETURN_TO_TITLE", "PAUSEUI_TEXT_RETURN_TO_DESKTOP",
                                      "PAUSEUI_TEXT_CONTINUE"};
// Screens that keep the game stopped when the pause menu closes beneath them.
constexpr int kMenusHoldingTheGame[] = {kSlotMessageLog, kSlotTalkLog, kSlotAjitoMenu, kSlotPub, kSlotQuestBoard, kSlotShop, kSlotGasStation,
                                        kSlotBuild, kSlotCurrentQuest, kSlotItemDictionary, kSlotDiningHall, kSlotBullet, kSlotHospital,
                                        kSlotItemCreate, kSlotEngineRoom, kSlotInventory, kSlotMindControl, kSlotMap, kSlotAchieveList,
                                        kSlotOption};
// Screens opened over the pause menu, which it dims.
constexpr int kScreensOverThePause[] = {kSlotMessageLog, kSlotTalkLog, kSlotSaveSlots, kSlotAchieveList, kSlotOption,
                                        kSlotControllerConfig, kSlotKeyboardConfig, kSlotSoundRoom, kSlotInstruction};

void DrawFullCover(std::uint32_t alpha)
{
    DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, std::min<std::uint32_t>(alpha, 255) << 24);
}

// The black of the fade to the title, `frames` into it.
void DrawFadeCover(std::int32_t frames)
{
    const float amount = std::clamp(static_cast<float>(frames) / GAME_CUIPause::kFadeFrames, 0.0f, 1.0f);
    DrawFullCover(static_cast<std::uint32_t>(amount * 255.0f));
}

// A picture centred on its parent.
GAME_CUINullObject* MakeOverlay(GAME_CUIObjectBase* parent, const char* sprite)
{
    GAME_CUINullObject* overlay = MakeUIPictureUnder(parent, sprite, 0.0f, 0.0f);
    constexpr vesk::math::Vec2 kCentre{0.5f, 0.5f};
    overlay->SetPivot(&kCentre);
    return overlay;
}

}  // namespace

GAME_CUIPause::GAME_CUIPause(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kNeverPasses, .mover = {.kind = UIMover::Kind::kImmediate}, .holdsGame = true,
                      .dialog = UIDialogOnClose::kClose},
                     &context)
{
    bigTextSprite_ = FindUISprite("ui_bigtext_pause");
    balloonSprites_ = {FindUISprite("mesballoon_15"), FindUISprite("mesballoon_15_eng"), FindUISprite("mesballoon_15_kr")};
    ratSprite_ = FindUISprite("dot_rat3_2");
    BuildMenu();
    BuildQuitDialog();
}

GAME_CUIPause::~GAME_CUIPause() { DeleteWidgets(dialogWidgets_); }

const GAME_CRouteManager* GAME_CUIPause::CurrentRoute() const { return Context().world.travel->routeManager.get(); }

// No route, or the new game's opening route: the game cannot be saved.
bool GAME_CUIPause::SavingBarred() const
{
    const GAME_CRouteManager* route = CurrentRoute();
    return route == nullptr || route->IsStartRoute();
}

void GAME_CUIPause::BuildMenu()
{
    for (int row = 0; row < kRowCount; ++row) {
        UIIconObjectDesc desc;
        InitUIIconObjectDesc(&desc);
        if (row == kRowSoundRoom) {
            desc.hiddenX = desc.shownX = 199.0f;
            desc.hiddenY = desc.shownY = 27.0f;
            SetUIIconObjectDescSize(&desc, 42.0f, 34.0f);
        } else {
            desc.hiddenX = kCanvasWidth + kRowWidth;
            desc.shownX = kCanvasWidth * 0.5f;
            desc.hiddenY = desc.shownY = kFirstRowY + kRowStep * static_cast<float>(row);
            SetUIIconObjectDescSize(&desc, kRowWidth, kRowHeight);
            desc.pivotX = 0.5f;
            desc.pivotY = 0.5f;
            desc.appearTween = 1;
            desc.disappearTween = 1;
        }
        desc.pressedScaleX = 0.95f;
        desc.pressedScaleY = 0.95f;
        desc.normalSprite = FindUISprite(kRowSprites[row][0]);
        desc.soundEffect = kSeUIDecide;
        desc.releaseCallback = [this, row](GAME_CUIIconObject*) { RunRow(row); };
        desc.pressedFrames = kButtonDelay;
        MenuRow& entry = rows_[static_cast<std::size_t>(row)];
        entry.button = new GAME_CUIIconObject(&desc);
        if (row == kRowSoundRoom) {
            entry.highlight = MakeUIPictureUnder(entry.button, "ui_manual_button_touch", 0.0f, 0.0f);
        } else {
            entry.frame = MakeOverlay(entry.button, "ui_pause_enterbutton");
            entry.highlight = MakeOverlay(entry.button, "ui_pause_enterbutton_touch");
            AddWidget(entry.frame);
        }
        AddWidget(entry.highlight);
        AddWidget(entry.button);
        AddMovedRoot(entry.button);
    }
}

void GAME_CUIPause::BuildQuitDialog()
{
    dialogRoot_ = MakeUIGroupNode(0.0f, 0.0f);
    dialogWidgets_.push_back(dialogRoot_);
    dialogWidgets_.push_back(
        MakeUIPictureUnder(dialogRoot_, "ui_dialogbase", GAME_CUIInDisplaySelectionObject::kBoxX, GAME_CUIInDisplaySelectionObject::kBoxY));
    dialogWidgets_.push_back(MakeUILabel(dialogRoot_, "PAUSEUI_RETURN_TITLE_YESNO", kCanvasWidth * 0.5f, 106.0f, 0.5f));
    for (int i = 0; i < 3; ++i) {
        UIButtonSpec spec{.sprite = "ui_enterbutton",
                          .pressedSprite = "ui_enterbutton_touch",
                          .sound = kSeUIDecide,
                          .pressedFrames = kButtonDelay,
                          .pressedScale = 0.95f,
                          .release = [this, i](GAME_CUIIconObject*) { RunQuitChoice(i); }};
        PlaceUIButtonTopLeft(spec, 242.0f, 167.0f + 30.0f * static_cast<float>(i));
        GAME_CUIIconObject* button = MakeUIButton(dialogRoot_, spec);
        dialogWidgets_.push_back(button);
        quitButtons_[static_cast<std::size_t>(i)] = button;
        dialogWidgets_.push_back(MakeUILabel(button, kQuitKeys[i], 0.0f, 0.0f, 0.5f, 0.5f));
    }
    dialogCursorAnchor_ = MakeUIGroupUnder(dialogRoot_, 224.0f, 173.0f);
    dialogWidgets_.push_back(dialogCursorAnchor_);
    dialogCursorWidget_ = MakeUIPictureUnder(dialogCursorAnchor_, "ui_cursor_common_r90", 0.0f, 0.0f);
    dialogWidgets_.push_back(dialogCursorWidget_);
}

bool GAME_CUIPause::GameCleared() const
{
    return working_slot::EndingSeen();
}

void GAME_CUIPause::SetLanguageSprites()
{
    const int column = UILanguageVariant();
    for (int row = 0; row < kRowCount; ++row) {
        const std::int32_t sprite = FindUISprite(kRowSprites[row][column]);
        rows_[static_cast<std::size_t>(row)].button->SetSprites(sprite, -1);
    }
}

void GAME_CUIPause::RefreshMenu()
{
    const bool barred = SavingBarred();
    MenuRow& save = rows_[kRowSave];
    save.button->SetDisabled(barred);
    save.button->SetColor(barred ? kUIGrey : kUIWhite);
    save.frame->SetColor(barred ? kUIGrey : kUIWhite);
    MenuRow& sound = rows_[kRowSoundRoom];
    const bool cleared = GameCleared();
    sound.button->SetVisible(cleared);
    sound.button->SetColor(cleared ? kVisible : kUIHidden);
    if (!cleared) sound.highlight->SetColor(kUIHidden);
    UpdateHighlight();
    fadeCounter_ = 0;
}

void GAME_CUIPause::UpdateHighlight()
{
    for (int row = 0; row < kRowCount; ++row) {
        if (rows_[static_cast<std::size_t>(row)].button->IsDecided()) {
            cursor_ = row;
            break;
        }
    }
    for (int row = 0; row < kRowCount; ++row) {
        rows_[static_cast<std::size_t>(row)].highlight->SetColor(row == cursor_ ? kVisible : kUIHidden);
    }
}

void GAME_CUIPause::BeginFrame(bool input)
{
    if (State() != kClosed && State() != kClosing && !input) {
        const GAME_CRouteManager* route = CurrentRoute();
        if (route != nullptr && route->IsRouteEventRunning() && Context().ui.IsOpen(kSlotEvent)) SetOpen(false);
    }
    pulse_ = (pulse_ + 1) % kPulsePeriod;
    UpdateHighlight();
}

bool GAME_CUIPause::KeepsHoldOnClose() const
{
    return Context().ui.IsAnyOpen(kMenusHoldingTheGame);
}

void GAME_CUIPause::OnEnterState(UIScreenState state)
{
    GAME_CGameWorld& world = Context().world;
    if (state == kOpening) {
        SetLanguageSprites();
        pulse_ = 0;
        for (int row = kRowReturnToGame; row < kRowCount; ++row) rows_[static_cast<std::size_t>(row)].button->SetVisible(true);
        if (resetCursor_) {
            resetCursor_ = false;
            cursor_ = kRowReturnToGame;
        }
        pages_.Reset(kMenu);
        RefreshMenu();
        world.SetFieldStick(false);
        showText_ = false;
        savingText_ = false;
    } else if (state == kClosing) {
        for (const MenuRow& row : rows_) row.button->SetVisible(false);
        world.SetFieldStick(true);
    }
}

bool GAME_CUIPause::UpdateTrees(bool input)
{
    for (const MenuRow& row : rows_) {
        input = row.button->UpdateTree(input);
    }
    return input;
}

void GAME_CUIPause::UpdateMain(bool input)
{
    pages_.Advance([this](SubState page) { EnterSubState(page); });
    // While a row is pressed or moving, no row takes input and the keys rest.
    const bool menuInput = UpdateTrees(!AnyWidgetBusyOrDecided() && pages_.Is(kMenu) && input);
    switch (pages_.Current()) {
    case kMenu:
        if (menuInput) UpdateMenuKeys();
        break;
    case kQuitDialog: UpdateQuitDialog(input); break;
    case kFadingOut:
        if (++fadeCounter_ > kFadeFrames - 1) pages_.Go(kReturningToTitle);
        break;
    case kReturningToTitle: ReturnToTitle(); break;
    }
}

void GAME_CUIPause::EnterSubState(SubState subState)
{
    GAME_CUIManager& ui = Context().ui;
    switch (subState) {
    case kMenu: RefreshMenu(); break;
    case kQuitDialog: {
        quitChoices_.cursor = kChoiceContinue;
        const vesk::math::Vec2 position{0.0f, 60.0f};
        dialogCursorWidget_->SetPosition(&position);
        for (GAME_CUIIconObject* button : quitButtons_) button->SetVisible(true);
        break;
    }
    case kFadingOut:
        fadeCounter_ = 0;
        Context().Sound().StopBGM(kFadeFrames);
        for (int slot = 4; slot <= 32; ++slot) ui.SetOpen(slot, false);
        break;
    case kReturningToTitle:
        rereadOwed_ = !GetSaveManager()->IsIdle() || !GetSaveManager()->RequestReread();
        ui.SetOpen(kSlotPauseUpper, false);
        break;
    }
}

void GAME_CUIPause::UpdateMenuKeys()
{
    if (IsUIActionTriggered(kActionDecide)) {
        rows_[static_cast<std::size_t>(cursor_)].button->Press();
    } else if (IsUIActionTriggered(kActionCancel)) {
        rows_[kRowReturnToGame].button->Press();
    } else {
        // The sound room's row, the first, counts only once the game has been cleared; the rows go round.
        const int first = GameCleared() ? kRowSoundRoom : kRowReturnToGame;
        UIListView menu{.count = kRowCount - first, .visible = kRowCount - first, .cursor = cursor_ - first, .wrap = UIListWrap::kRing};
        if (menu.StepByKeys() != 0) cursor_ = menu.cursor + first;
    }
}

void GAME_CUIPause::UpdateQuitDialog(bool input)
{
    dialogRoot_->UpdateTree(input);
    const vesk::math::Vec2 position{static_cast<float>((pulse_ / 8) % 2), 30.0f * static_cast<float>(quitChoices_.cursor)};
    dialogCursorWidget_->SetPosition(&position);
    if (IsUIActionTriggered(kActionDecide)) {
        quitButtons_[static_cast<std::size_t>(quitChoices_.cursor)]->Press();
    } else {
        quitChoices_.StepByKeys();
    }
}

void GAME_CUIPause::ReturnToTitle()
{
    fadeCounter_ = kFadeFrames;
    GAME_CSaveManager* saves = GetSaveManager();
    if (!saves->IsIdle()) return;
    if (rereadOwed_) {
        // What the machine last did was that save, not the read: its result says nothing of the file.
        rereadOwed_ = false;
        if (saves->RequestReread()) return;
    }
    savingText_ = saves->lastResult == GAME_CSaveManager::kBroken;
    showText_ = true;
    // A file the re-read found broken is set aside and written anew from the records in memory.
    if (savingText_) saves->RequestBackupAndRewrite();
    SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    GAME_CUIManager& ui = Context().ui;
    ui.MessageLog()->Clear();
    ui.SetOpen(kSlotTitle, true);
    ui.SetOpen(kSlotShipStatus, false);
    ui.SetOpen(kSlotCommon, false);
    ui.ClearInfoBarMessages();
    if (auto* status = ui.Get<GAME_CUIShipStatus>()) status->ClearNotice();
    SetOpen(false);
}

void GAME_CUIPause::RunRow(int row)
{
    if (row < 0 || row >= kRowCount) return;
    if (row == kRowSave && SavingBarred()) return;
    cursor_ = row;
    GAME_CUIManager& ui = Context().ui;
    switch (row) {
    case kRowReturnToGame:
        ui.SetOpen(kSlotPauseUpper, false);
        SetOpen(false);
        resetCursor_ = true;
        break;
    case kRowQuit: pages_.Go(kQuitDialog); break;
    default: ui.SetOpen(kRowSlots[static_cast<std::size_t>(row)], true); break;
    }
}

void GAME_CUIPause::RunQuitChoice(int choice)
{
    switch (choice) {
    case kChoiceTitle:
        pages_.Go(kFadingOut);
        resetCursor_ = true;
        break;
    case kChoiceDesktop: vesk::process::SetQuitting(); break;
    case kChoiceContinue: pages_.Go(kMenu); break;
    default: break;
    }
}

void GAME_CUIPause::PreDraw()
{
    if (State() == kClosed || fadeCounter_ <= 0) return;
    DrawFadeCover(fadeCounter_);
}

void GAME_CUIPause::Draw()
{
    if (State() == kClosed) return;
    DrawUIRect({178.0f, 0.0f}, {284.0f, kCanvasHeight}, kBandAlpha << 24);
    const float wave = std::sin(2.0f * static_cast<float>(pulse_) * vesk::math::kFloatDegreesToRadians);
    const auto alpha = static_cast<std::uint8_t>(128.0f + 127.0f * wave);
    DrawUISprite({256.0f, 29.0f}, bigTextSprite_, (static_cast<std::uint32_t>(alpha) << 24) | 0x00FFFFFFu);
    DrawWidgets(widgets_);
    if (!pages_.Is(kMenu)) {
        DrawWidgets(dialogWidgets_);
        const int column = UILanguageVariant();
        DrawUISprite({297.0f, 127.0f}, balloonSprites_[static_cast<std::size_t>(column)]);
        vesk::graphics::DrawParam param;
        vesk::graphics::InitDrawParam(param);
        param.scaleX = 2.0f;
        param.scaleY = 2.0f;
        DrawUISprite({302.0f, 132.0f}, ratSprite_, param);
    }
    FlushUISprites();
    if (pages_.Is(kFadingOut) || pages_.Is(kReturningToTitle)) DrawFadeCover(fadeCounter_);
    if (pages_.Is(kReturningToTitle) && showText_) {
        const std::u16string text =
            GetMessageTextExpanded(savingText_ ? "PAUSEUI_RETURN_TITLE_SAVING" : "PAUSEUI_RETURN_TITLE_LOADING");
        DrawUIText({kCanvasWidth * 0.5f - MeasureUIText(text) * 0.5f, kCanvasHeight * 0.5f - UILineHeight() * 0.5f},
                   text, kUIWhite);
    }
    if (Context().ui.IsAnyOpen(kScreensOverThePause)) DrawFullCover(kDimAlpha);
    FlushUISprites();
}
