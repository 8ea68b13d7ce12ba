// The title screen (slot 37): the dropping logo, press start, the menu, continue and the new game's start.
#include "game/ui/screens/ui_title.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/draw/sprite_draw.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/input/input_manager.h"
#include "framework/math/random.h"
#include "framework/math/scalar.h"
#include "framework/memory/heaps.h"
#include "framework/process/quitting.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/model/session/play_session.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"
#include "game/services/save/working_slot.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"
#include "game/ui/screens/ui_achieve_list.h"
#include "game/ui/screens/ui_option.h"
#include "game/ui/screens/ui_save_slot.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/list_view.h"
#include "game/ui/screen_context.h"
#include "game/ui/sinking_hull.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widget_builders.h"

namespace {

constexpr int kTextureGroup = 2;
constexpr const char* kImagePaths[GAME_CUITitle::kImageCount] = {
    "common/ui_title_bg.cvt",
    "common/ui_title_copyright.cvt",
    "common/ui_title_logo.cvt",
    "common/ui_title_logo_eng.cvt",
    "common/ui_title_logo_kr.cvt",
    "common/ui_title_continue.cvt",
    "common/ui_title_continue_eng.cvt",
    "common/ui_title_continue_kr.cvt",
    "common/ui_title_load.cvt",
    "common/ui_title_load_eng.cvt",
    "common/ui_title_load_kr.cvt",
    "common/ui_title_newgame.cvt",
    "common/ui_title_newgame_eng.cvt",
    "common/ui_title_newgame_kr.cvt",
    "common/ui_title_achievement.cvt",
    "common/ui_title_achievement_eng.cvt",
    "common/ui_title_achievement_kr.cvt",
    "common/ui_title_option.cvt",
    "common/ui_title_option_eng.cvt",
    "common/ui_title_option_kr.cvt",
    "common/ui_title_exit.cvt",
    "common/ui_title_exit_eng.cvt",
    "common/ui_title_exit_kr.cvt",
};

// The six entries of the menu with a save, in order; the menu without one starts at new game.
enum Entry : int { kEntryContinue = 0, kEntryLoad, kEntryNewGame, kEntryAchievement, kEntryOption, kEntryExit };
constexpr int kEntryRoles[] = {GAME_CUITitle::kContinue, GAME_CUITitle::kLoad,   GAME_CUITitle::kNewGame,
                               GAME_CUITitle::kAchievement, GAME_CUITitle::kOption, GAME_CUITitle::kExit};
// The widths the cursor keeps from each entry's picture, by entry and language variant.
constexpr float kEntryWidths[6][GAME_CUITitle::kLanguageVariants] = {
    {91.0f, 134.0f, 94.0f}, {136.0f, 150.0f, 125.0f}, {102.0f, 134.0f, 69.0f},
    {69.0f, 182.0f, 47.0f}, {86.0f, 102.0f, 52.0f},   {136.0f, 72.0f, 52.0f},
};
constexpr float kEntryDrawY[] = {164.0f, 192.0f, 220.0f, 249.0f, 276.0f, 304.0f};
// An entry's pointer rectangle starts 2 units below its picture's top.
constexpr float kEntryHitDrop = 2.0f;
constexpr float kEntryHitLeft = 260.0f;
constexpr float kEntryHitRight = 380.0f;
constexpr float kEntryHitHeight = 28.0f;
constexpr float kCentreX = kCanvasWidth * 0.5f;
constexpr float kCentreY = kCanvasHeight * 0.5f;

constexpr float kLogoY = 96.0f;
constexpr float kLogoDrop = 512.0f;
constexpr float kLogoTurn = 15.0f;
constexpr std::int32_t kLogoFallEnd = 40;
constexpr std::int32_t kLogoSettled = 80;
constexpr std::int32_t kLogoDone = 81;
constexpr std::int32_t kLogoFadeFrames = 60;

constexpr float kTitleZoom = 2.0f;
constexpr float kContinueZoom = 4.0f;
constexpr std::int32_t kContinueZoomFrames = 60;
constexpr std::int32_t kNewGameFadeFrames = 120;
constexpr std::uint32_t kTitleMusic = 0;
constexpr std::uint32_t kDimAlpha = 200;
// Screens opened from the menu, which the title dims beneath them.
constexpr int kScreensOverTheTitle[] = {kSlotSaveSlots,        kSlotAchieveList,    kSlotOption,
                                        kSlotControllerConfig, kSlotKeyboardConfig, kSlotInstruction};
// Screens over which the title stands still (it follows their language change).
constexpr int kScreensSuspendingTheTitle[] = {kSlotOption, kSlotSaveSlots};
// Where the new game's creature appears, ahead of the ship.
constexpr std::int32_t kAppearanceDistance = 120;
constexpr std::uint32_t kTitleEnemy = MakeTag("E015");
constexpr char16_t kTitleEnemyLabel[] = u"出現[TITLE]";
constexpr int kPillarsPerBurst = 3;
constexpr int kMaxZoomSteps = 1000;


// The running world came from a slot that has been played.
bool TitleHasSave() { return working_slot::PlaySeconds() != 0; }

std::int32_t RoutePosition(const GAME_CGameWorld& world)
{
    return world.travel && world.travel->routeManager ? world.travel->routeManager->GetPosition() : 0;
}

void DrawBlackCover(std::uint32_t alpha)
{
    DrawUIRect({-2.0f, -2.0f}, {kCanvasWidth + 4.0f, kCanvasHeight + 4.0f}, std::min<std::uint32_t>(alpha, 255) << 24);
}

}  // namespace

void FinishZoomChange(GAME_CShip& ship)
{
    if (!ship.body) return;
    for (int step = 0; step < kMaxZoomSteps && ship.body->IsZoomChanging(); ++step) ship.body->Update();
}

GAME_CUITitle::GAME_CUITitle(const UIScreenContext& context)
    : GAME_CUIScreen({.mover = {.kind = UIMover::Kind::kImmediate}, .dialog = UIDialogOnClose::kCloseAnsweringYes}, &context)
{
    textures_.fill(vesk::resource::kNoTexture);
    cursorSprite_ = FindUISprite("ui_cursor_common");
}

GAME_CUITitle::~GAME_CUITitle() { ReleaseImages(); }

GAME_CGameWorld* GAME_CUITitle::ReadyWorld() const { return IsGameWorldReady() ? &Context().world : nullptr; }

int GAME_CUITitle::EntryCount() const
{
    if (pages_.Is(kMenuWithSave)) return 6;
    if (pages_.Is(kMenuWithoutSave)) return 4;
    return 0;
}

int GAME_CUITitle::Image(int role) const
{
    return role < kLogo ? role : role + language_;
}

void GAME_CUITitle::StartContinue()
{
    counterA_ = 0;
    pages_.Go(kContinueGame);
}

bool GAME_CUITitle::IsSuspended()
{
    if (!Context().ui.IsAnyOpen(kScreensSuspendingTheTitle)) return false;
    language_ = UILanguageVariant();
    return true;
}

void GAME_CUITitle::OnEnterState(UIScreenState state)
{
    switch (state) {
    case kClosed: ReleaseImages(); break;
    case kOpening: OpeningSetUp(); break;
    case kClosing: ClosingSetUp(); break;
    default: break;
    }
}

void GAME_CUITitle::EveryFrame()
{
    GAME_CGameWorld* ready = ReadyWorld();
    if (ready == nullptr) return;
    ready->background->Update();
    if (!Context().ui.IsOpen(kSlotSoundRoom) && State() != kClosing && !HasNoticeLogText(*ready)) {
        Context().ui.Resident()->infoBar.AddMessage(GetMessageTextExpanded("TITLE_IPRIGHTS").c_str(), 0);
    }
}

bool GAME_CUITitle::StepTransition(UIScreenState state) { return state != kOpening || UpdateLogo(); }

void GAME_CUITitle::OpeningSetUp()
{
    Context().Sound().PlayBGM(kTitleMusic, 0, false);
    if (GAME_CGameWorld* world = ReadyWorld()) {
        // The game left for the title takes its notices with it, by whichever way it came here: a
        // repeating one would otherwise go on in the next game's ticker and log.
        world->ui->ClearInfoBarMessages();
        world->ui->ClearShipStatusNotice();
        world->ui->SetOpen(kSlotPauseUpper, false);
        world->camera->SetZoom(kTitleZoom, 0);
        GAME_CShip& ship = *world->ship;
        if (ship.body && !ship.body->IsZoomChanging() && ship.body->currentState == GAME_CShipBodyRender::kClose) {
            ship.SetZoomedOut(true);
            FinishZoomChange(ship);
        }
        world->SetFieldStick(false);
        world->held = 0;
    }
    LoadImages();
    pages_.Reset(kStart);
    logoSpeed_ = 0.0f;
    logoOffset_ = 0.0f;
    counterA_ = 0;
    counterB_ = 0;
    cursor_ = 0;
    language_ = UILanguageVariant();
    if (GAME_CGameWorld* world = ReadyWorld()) {
        world->ship->SetZoomedOut(true);
        FinishZoomChange(*world->ship);
    }
}

void GAME_CUITitle::ClosingSetUp()
{
    GAME_CGameWorld& world = Context().world;
    Context().ui.ClearInfoBarMessages();
    // Left otherwise than by continue (which zooms back in itself), the ship is given back the normal
    // view the title took away.
    if (GAME_CGameWorld* ready = ReadyWorld(); ready != nullptr && ready->ship->body && ready->ship->body->IsZoomedOut()) {
        ready->ship->SetZoomedOut(false);
        FinishZoomChange(*ready->ship);
    }
    world.SetFieldStick(true);
}

void GAME_CUITitle::LoadImages()
{
    vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    if (registry == nullptr) return;
    const vesk::resource::TextureLoader loader{vesk::memory::MainHeap(), vesk::memory::MainHeap()};
    for (int i = 0; i < kImageCount; ++i) {
        registry->UnloadTexture(textures_[static_cast<std::size_t>(i)]);
        textures_[static_cast<std::size_t>(i)] = registry->LoadTexture(loader, kTextureGroup, kImagePaths[i]);
    }
}

void GAME_CUITitle::ReleaseImages()
{
    vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    for (std::int32_t& texture : textures_) {
        if (registry != nullptr) registry->UnloadTexture(texture);
        texture = vesk::resource::kNoTexture;
    }
}

bool GAME_CUITitle::UpdateLogo()
{
    ++counterA_;
    ++counterB_;
    if (counterB_ < kLogoFallEnd) {
        logoSpeed_ += 0.8f;
        logoOffset_ += logoSpeed_;
        if (logoOffset_ >= kLogoDrop) {
            counterB_ = kLogoFallEnd;
            logoSpeed_ = -6.0f;
            logoOffset_ = 0.0f;
        }
    } else if (counterB_ < kLogoDone) {
        logoSpeed_ += 0.3f;
        logoOffset_ += logoSpeed_;
        if (logoOffset_ >= 0.0f) {
            counterB_ = kLogoSettled;
            logoSpeed_ = 0.0f;
            logoOffset_ = 0.0f;
        }
    } else {
        logoSpeed_ = 0.0f;
        logoOffset_ = 0.0f;
    }
    return counterA_ >= kLogoFadeFrames && counterB_ >= kLogoDone;
}

float GAME_CUITitle::LogoY() const
{
    if (State() == kOpening && counterB_ < kLogoFallEnd) return kLogoY - (kLogoDrop - logoOffset_);
    if (State() == kOpening && counterB_ < kLogoSettled) return kLogoY + logoOffset_;
    return kLogoY;
}

float GAME_CUITitle::LogoRotation() const
{
    if (State() != kOpening || counterB_ >= kLogoSettled) return 0.0f;
    if (counterB_ < kLogoFallEnd) return kLogoTurn;
    return (1.0f - static_cast<float>(counterB_ - kLogoFallEnd) / 40.0f) * kLogoTurn;
}

void GAME_CUITitle::UpdateMain(bool input)
{
    pages_.Advance([this](SubState page) { EnterSubState(page); });
    switch (pages_.Current()) {
    case kStart: pages_.Go(kPressStart); break;
    case kPressStart: UpdatePressStart(); break;
    case kMenuWithoutSave:
    case kMenuWithSave: UpdateMenu(input); break;
    case kContinueGame: UpdateContinue(); break;
    case kNewGameQuestion:
        if (FollowDialogAnswer(pages_, kRunningMessage, kMenuWithSave)) {
            counterA_ = 0;
            CloseDialog();
        }
        break;
    case kRunningMessage: {
        ++cursor_;
        SetDialogRunningText("TITLE_FIRST_SAVE_DELETE_RUNNING", static_cast<std::uint32_t>(cursor_), 63);
        if (GetSaveManager()->IsIdle()) pages_.Go(kNewGameAppearance);
        break;
    }
    case kNewGameAppearance: {
        if (GAME_CGameWorld* world = ReadyWorld()) {
            world->fieldObjects->UpdateEnemies();
            world->fieldObjects->UpdateSandPillars();
        }
        if (++counterA_ >= kAppearanceFrames) pages_.Go(kNewGameStart);
        break;
    }
    case kNewGameStart: UpdateNewGameStart(); break;
    }
}

void GAME_CUITitle::EnterSubState(SubState subState)
{
    GAME_CGameWorld* world = ReadyWorld();
    switch (subState) {
    case kMenuWithoutSave:
    case kMenuWithSave:
        counterA_ = 0;
        cursor_ = 0;
        break;
    case kContinueGame:
        if (world != nullptr) world->camera->SetZoom(kContinueZoom, kContinueZoomFrames);
        break;
    case kNewGameQuestion: AskInDialog(kSlotTitle, {.text = GetMessageTextExpanded("TITLE_FIRST_YESNO_WITH_SAVE")}); break;
    case kRunningMessage:
        BusyInDialog(kSlotTitle);
        cursor_ = 0;
        break;
    case kNewGameAppearance: BeginAppearance(); break;
    case kNewGameStart:
        counterA_ = 0;
        if (world != nullptr && world->ship->body) {
            world->ship->body->animationTimer = 0;
            world->ship->body->sinking = 1;
        }
        break;
    default: break;
    }
}

void GAME_CUITitle::UpdatePressStart()
{
    counterA_ = (counterA_ + 1) % 60;
    if (!IsInputMapActive()) return;
    const GAME_CInputMap* map = GetInputMap();
    bool accepted = FindPressedKey() >= 0;
    if (const vesk::input::PadInput* pad = vesk::input::GetPadInput(0)) {
        const std::uint32_t pressed = pad->buttons.ForMode(GAME_CInputMap::kModePressed);
        accepted = accepted || (pressed & map->RemapPadButtons(0xFFFFFFFFu)) != 0;
    }
    accepted = accepted || map->IsPointerInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight});
    if (!accepted) return;
    PlayUISE(kSeUIDecide);
    pages_.Go(TitleHasSave() ? kMenuWithSave : kMenuWithoutSave);
}

void GAME_CUITitle::UpdateMenu(bool input)
{
    if (input) {
        const int count = EntryCount();
        const int first = count == 6 ? 0 : 2;
        // Every entry shows; the cursor goes round them.
        UIListView menu{.count = count, .visible = count, .cursor = cursor_, .wrap = UIListWrap::kRing};
        bool decide = IsUIActionTriggered(kActionDecide);
        for (int i = 0; i < count; ++i) {
            const float top = kEntryDrawY[i] + kEntryHitDrop;
            const vesk::math::Vec2 topLeft{kEntryHitLeft, top};
            const vesk::math::Vec2 bottomRight{kEntryHitRight, top + kEntryHitHeight};
            if (!IsUIClickInRect(topLeft, bottomRight)) continue;
            if (menu.Click(i) == UIListClick::kMoved) {
                cursor_ = menu.cursor;
                return;
            }
            decide = true;
        }
        const bool held = IsUIMenuSlot(GAME_CInputMap::kModeHeld, kUIMenuUp) || IsUIMenuSlot(GAME_CInputMap::kModeHeld, kUIMenuDown);
        if (!held) {
            if (decide) {
                PlayUISE(kSeUIDecide);
                RunEntry(first + cursor_);
            }
        } else if (menu.StepByKeys() != 0) {
            cursor_ = menu.cursor;
        }
    }
    counterA_ = (counterA_ + 1) % 64;
}

void GAME_CUITitle::RunEntry(int entry)
{
    GAME_CUIManager& ui = Context().ui;
    switch (entry) {
    case kEntryContinue:
        StartContinue();
        break;
    case kEntryLoad:
        ui.SetOpen(kSlotSaveSlots, true);
        if (auto* saveSlot = ui.Get<GAME_CUISaveSlot>()) saveSlot->loadMode = 1;
        break;
    case kEntryNewGame:
        counterA_ = 0;
        pages_.Go(pages_.Is(kMenuWithSave) ? kNewGameQuestion : kNewGameAppearance);
        break;
    case kEntryAchievement:
        ui.SetOpen(kSlotAchieveList, true);
        if (auto* list = ui.Get<GAME_CUIAchieveList>()) list->openedFromTitle = 1;
        break;
    case kEntryOption:
        ui.SetOpen(kSlotOption, true);
        if (auto* options = ui.Get<GAME_CUIOption>()) options->openedFromTitle = 1;
        break;
    case kEntryExit:
        vesk::process::SetQuitting();
        break;
    default: break;
    }
}

void GAME_CUITitle::UpdateContinue()
{
    ++counterA_;
    GAME_CGameWorld* world = ReadyWorld();
    if (world == nullptr) return;
    if (world->ship->body) world->ship->body->Update();
    world->camera->Update();
    // Play starts once the view is at least as close as the title's; a camera that cannot come that
    // close (its limit lies below it) starts play at its limit rather than never.
    if (world->camera->zoom < world->camera->ClampZoom(kTitleZoom)) return;
    world->ui->SetOpen(kSlotCommon, true);
    world->ui->SetOpen(kSlotShipStatus, true);
    SetOpen(false);
    const std::uint32_t routeMusic = working_slot::RouteMusic();
    GAME_CSoundPlayer& sound = Context().Sound();
    if (routeMusic >= 1 && routeMusic <= kBgmCount) {
        sound.PlayBGM(routeMusic - 1, 0, false);
    } else {
        // With nothing stored the road's own music plays: the travel music takes it as playing already.
        sound.PlayBGM(world->travel->ResumedMusic(), 0, true);
    }
    if (world->ship->body) world->ship->SetZoomedOut(false);
}

void GAME_CUITitle::BeginAppearance()
{
    if (GAME_CGameWorld* world = ReadyWorld()) {
        GAME_CFieldObjectManager& objects = *world->fieldObjects;
        objects.ClearEnemies();
        if (GAME_CObjectEnemy* enemy = objects.AcquireEnemyObject()) {
            objects.ActivateEnemy(enemy);
            EnemySetupRecord record;
            InitEnemySetupRecord(record);
            record.enemyId = kTitleEnemy;
            const std::int32_t position = RoutePosition(*world) + kAppearanceDistance;
            record.routePositions = {position, position};
            std::copy(std::begin(kTitleEnemyLabel), std::end(kTitleEnemyLabel), record.labelName.begin());
            enemy->Init(record);
            enemy->freeMove = 1;  // she comes in from beyond the route's margin
            enemy->SetFlagWord(enemy->GetFlagWord() | 1u);
        }
    }
    counterA_ = 0;
}

void GAME_CUITitle::UpdateNewGameStart()
{
    GAME_CGameWorld* world = ReadyWorld();
    GAME_CShipBodyRender* body = world != nullptr && world->ship->body ? world->ship->body.get() : nullptr;
    StepSinkingHull(body, counterA_, [this] { PlaceSandPillars(); });
    if (world != nullptr) {
        world->fieldObjects->UpdateEnemies();
        world->fieldObjects->UpdateSandPillars();
    }
    if (body != nullptr) body->Update();
    if (counterA_ == kFadeStartFrame && world != nullptr) {
        world->ui->StartFade({0x00000000u, 0xFF000000u, kNewGameFadeFrames, 0});
    }
    if (counterA_ >= kNewGameStartFrames) StartPlay();
}

void GAME_CUITitle::PlaceSandPillars()
{
    GAME_CGameWorld* world = ReadyWorld();
    if (world == nullptr || !world->travel->routeManager) return;
    const GAME_CStaticDatabase* database = Context().Database();
    const ShipData* record = database != nullptr ? database->FindShipData(world->ship->shipTag) : nullptr;
    const std::int64_t span = record != nullptr ? std::llabs(std::int64_t{record->offsets[0]} - record->offsets[1]) : 0;
    const int spread = static_cast<int>(std::min<std::int64_t>(span, 32767));
    const std::int32_t position = RoutePosition(*world);
    for (int i = 0; i < kPillarsPerBurst; ++i) {
        GAME_CObjectSandPillar* pillar = world->fieldObjects->AcquireSandPillar();
        if (pillar == nullptr) break;
        std::int32_t at = position;
        if (spread != 0) at = position + vesk::math::RandInt(spread) - spread / 2;
        const std::int32_t value = (vesk::math::Rand() & 63) + 207;
        const float scale = 2.0f * (1.0f + static_cast<float>(vesk::math::RandInt(50) - 100) * 0.001f);
        pillar->Start(at, value, scale);
    }
}

void GAME_CUITitle::StartPlay()
{
    GAME_CGameWorld* world = ReadyWorld();
    if (world == nullptr) return;
    InitNewGameSlot(GetWorkingSlot(), false);
    SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    // The start sequence sank the title's hull out of sight; the new game's ship stands up again.
    if (GAME_CShipBodyRender* body = world->ship->body.get()) {
        body->sinking = 0;
        body->shakeX = 0.0f;
        body->shakeY = 0.0f;
        body->Update();
    }
    world->ui->SetOpen(kSlotCommon, true);
    world->ui->SetOpen(kSlotShipStatus, true);
    world->ui->SetOpen(kSlotEvent, true);
    SetOpen(false);
    GAME_CTravelController& travel = *world->travel;
    if (!travel.routeManager) travel.routeManager = std::make_unique<GAME_CRouteManager>();
    if (!travel.routeManager->LoadStartRoute()) {
        std::uint32_t firstRoute = kNoId;
        const GAME_CStaticDatabase* database = Context().Database();
        if (database != nullptr && database->GetRouteDataAt(0, &firstRoute) != nullptr) {
            StartRoute(travel, &firstRoute, true, {}, {});
        }
    }
    working_slot::SetPlaySeconds(1);
}

void GAME_CUITitle::PreDraw()
{
    if (State() == kClosed) return;
    if (State() == kOpening) {
        const float shown = std::min(static_cast<float>(counterA_) / kLogoFadeFrames, 1.0f);
        DrawBlackCover(255u - static_cast<std::uint32_t>(255.0f * shown));
    }
    FlushUISprites();
    DrawImage(kBackground, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    DrawImage(kBackground, 0.0f, 300.0f, 0.0f, 0.0f, 0.0f);
    if (!pages_.Is(kNewGameStart) || State() != kMain) {
        float y = LogoY();
        if (State() == kMain && pages_.Is(kContinueGame)) y -= 4.0f * static_cast<float>(counterA_);
        DrawImage(Image(kLogo), kCentreX, y, 0.5f, 0.5f, LogoRotation());
    }
    DrawImage(kRightsNotice, kCentreX, 344.0f, 0.5f, 0.5f, 0.0f);
    vesk::graphics::EndSpriteDraw();
}

void GAME_CUITitle::DrawImage(int index, float x, float y, float pivotX, float pivotY, float rotation) const
{
    const std::int32_t texture = textures_[static_cast<std::size_t>(index)];
    vesk::graphics::DeviceRecord* device = vesk::graphics::GetDeviceRecord();
    if (texture == vesk::resource::kNoTexture || device == nullptr) return;
    vesk::graphics::BeginSpriteDraw(-1, 4);
    vesk::graphics::DrawParam& param = device->textureRenderer.drawParam;
    vesk::graphics::InitDrawParam(param);
    param.pivotX = pivotX;
    param.pivotY = pivotY;
    param.angle = rotation;
    vesk::graphics::DrawSprite({x, y}, texture);
    vesk::graphics::InitDrawParam(param);
}

void GAME_CUITitle::Draw()
{
    if (State() == kMain) {
        if (pages_.Is(kPressStart)) {
            const std::u16string text = GetMessageTextExpanded("TITLE_PRESS_START");
            const float swing = (std::sin(static_cast<float>(counterA_) * 6.0f * vesk::math::kFloatDegreesToRadians) + 1.0f) * 0.125f;
            const auto alpha = static_cast<std::uint32_t>((1.0f - swing) * 255.0f);
            DrawUIText({kCentreX - MeasureUIText(text) * 0.5f, kCentreY}, text, (alpha << 24) | 0x00FFFFFFu);
        } else if (pages_.Is(kMenuWithoutSave) || pages_.Is(kMenuWithSave)) {
            DrawMenu();
        } else if (pages_.Is(kNewGameQuestion) || pages_.Is(kRunningMessage)) {
            DrawDialogIfShown();
        }
    }
    if (State() != kClosed && Context().ui.IsAnyOpen(kScreensOverTheTitle)) DrawBlackCover(kDimAlpha);
    FlushUISprites();
}

void GAME_CUITitle::DrawMenu() const
{
    const int count = EntryCount();
    const int first = count == 6 ? 0 : 2;
    for (int i = 0; i < count; ++i) {
        DrawImage(Image(kEntryRoles[first + i]), kCentreX, kEntryDrawY[i], 0.5f, 0.0f, 0.0f);
    }
    vesk::graphics::EndSpriteDraw();
    if (cursor_ < 0 || cursor_ >= count) return;
    const float width = kEntryWidths[first + cursor_][language_];
    const float cursorWidth = UISpriteSize(cursorSprite_).x;
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    param.angle = 90.0f;
    DrawUISprite({kCentreX - cursorWidth * 0.5f - width * 0.5f, kEntryDrawY[cursor_] + 4.0f}, cursorSprite_, param);
}
