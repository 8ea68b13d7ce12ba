// The side-scrolling mini-game scene: its states from the title to the ranking, its music and its pause menu.
#include "game/app/scene/scene_minigame.h"

#include <algorithm>
#include <cmath>

#include "framework/input/input_manager.h"
#include "framework/window/window_proc.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/minigame/minigame_player.h"
#include "game/model/minigame/script_object_spawner.h"
#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "game/services/sound/focus_mute.h"
#include "game/services/sound/sound_player.h"
#include "game/ui/minigame_cabinet.h"
#include "game/ui/minigame_overlays.h"
#include "game/ui/minigame_pause_menu.h"
#include "game/ui/ui_draw.h"
#include "platform/little_endian.h"

namespace {

constexpr std::int32_t kEntrySE = 55;
constexpr std::int32_t kCancelSE = 2;
constexpr std::int32_t kTickSE = 3;
constexpr std::int32_t kGoSE = 39;
constexpr std::int32_t kPauseSE = 59;
constexpr std::int32_t kHitSE = 27;
constexpr std::int32_t kFallSE = 46;
constexpr std::int32_t kGameOverSE = 61;
constexpr std::uint32_t kArcadeMusic = 10;
constexpr std::uint32_t kFirstTrack = 1;
constexpr std::int32_t kMusicFade = 30;
constexpr std::int32_t kCountdownFrames = 180;
constexpr std::int32_t kStillFrames = 60;
constexpr std::int32_t kLandedFrames = 120;
constexpr std::int32_t kGameOverFrames = 180;
constexpr std::int32_t kRankingFrames = 600;
constexpr std::uint32_t kStartOrSelect = 0x1u | 0x2u;
constexpr int kKeyEnter = 44;
constexpr int kKeySpace = 74;
constexpr int kSlotUp = 0;
constexpr int kSlotDown = 1;

const GAME_CInputMap* Input() { return IsInputMapActive() ? GetInputMap() : nullptr; }

bool Triggered(int action)
{
    const GAME_CInputMap* input = Input();
    return input != nullptr && input->IsActionTriggered(action);
}

bool PadPressed(std::uint32_t mask)
{
    const GAME_CInputMap* input = Input();
    return input != nullptr && input->IsPadButtonInMode(GAME_CInputMap::kModePressed, mask);
}

bool ClickedAnywhere()
{
    const GAME_CInputMap* input = Input();
    return input != nullptr && input->IsPointerInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight});
}

bool SlotInMode(int mode, int slot)
{
    const GAME_CInputMap* input = Input();
    return input != nullptr && input->IsActionInMode(mode, slot);
}

// Volume factor to the settings block's percentage, rounded and kept within 0..100.
std::uint16_t VolumePercent(float factor)
{
    if (!(factor > 0.0f)) return 0;
    return static_cast<std::uint16_t>(std::min(100.0f, std::round(factor * 100.0f)));
}

void ClearMenuPause()
{
    if (!IsGameWorldReady()) return;
    if (GAME_CGameWorld* world = PeekGameWorld()) world->held = 0;
}

bool FocusPauseOn()
{
    const std::span<std::uint8_t> settings = GetWorkingSystemRecord();
    return settings.size() >= save_layout::system::kPauseInactive + 4 &&
           platform::ReadU32(settings, save_layout::system::kPauseInactive) != 0;
}

}  // namespace

GAME_CSceneMiniGameSideScroll::GAME_CSceneMiniGameSideScroll()
{
    world_ = std::make_unique<GAME_CMiniGameWorld>();
    cabinet_ = std::make_unique<GAME_CMiniGameCabinet>(world_->Tuning());
    GetSaveManager();
    PrepareMiniGameRanking();
    GAME_CSoundPlayer* sound = GetSoundPlayer();
    const std::span<std::uint8_t> settings = GetWorkingSystemRecord();
    if (settings.size() >= save_layout::system::kSeVolume + 2) {
        platform::WriteU16(settings, save_layout::system::kBgmVolume, VolumePercent(sound->bgmFactor));
        platform::WriteU16(settings, save_layout::system::kSeVolume, VolumePercent(sound->seVolume));
    }
    sound->StopBGM(kMusicFade);
    spawner_ = std::make_unique<GAME_CScriptObjectSpawner>();
    if (IsGameWorldReady()) spawner_->RunScriptGraphicFrame();
    pause_ = std::make_unique<GAME_CMiniGamePauseMenu>();
    overlays_ = std::make_unique<GAME_CMiniGameOverlays>();
}

GAME_CSceneMiniGameSideScroll::~GAME_CSceneMiniGameSideScroll()
{
    world_.reset();
    cabinet_.reset();
    spawner_.reset();
    ClearMenuPause();
    if (IsSoundPlayerReady()) {
        const GAME_CGameWorld* world = PeekGameWorld();
        const std::uint32_t track = world != nullptr && world->travel ? world->travel->ResumedMusic() : kFirstTrack;
        GetSoundPlayer()->PlayBGM(track, 0, true);
    }
    pause_.reset();
}

void GAME_CSceneMiniGameSideScroll::Update()
{
    if (next_ != state_) {
        state_ = next_;
        if (state_ != kPlay && state_ != kPause) counter_ = 0;
    }
    if (!vesk::window::GetWindowInputState().active && FocusPauseOn() && state_ == kPlay) {
        OpenPause();
        GetSoundPlayer()->HoldBGM();
    }
    // The ship's screens, which apply the mute option there, do not run here; the pause menu holds its music.
    ApplyFocusMute(*GetSoundPlayer());
    cabinet_->UpdateScanLine();
    controls_ = ReadMiniGameControls();
    switch (state_) {
    case kStart: next_ = kTitle; break;
    case kTitle: UpdateTitle(); break;
    case kCountdown: UpdateCountdown(); break;
    case kPlay: UpdatePlay(); break;
    case kStill:
        if (++counter_ >= kStillFrames) {
            next_ = kFalling;
            PlayMiniGameSE(kFallSE);
        }
        break;
    case kFalling: UpdateFalling(); break;
    case kGameOver: UpdateGameOver(); break;
    case kRanking: UpdateRankingView(); break;
    case kScoreEntry: UpdateScoreEntry(); break;
    case kBackToTitle: next_ = kStart; break;
    case kPause: UpdatePause(); break;
    default: next_ = kStart; break;
    }
}

void GAME_CSceneMiniGameSideScroll::OpenPause()
{
    pause_->Open();
    next_ = kPause;
}

void GAME_CSceneMiniGameSideScroll::WorldStep()
{
    world_->controls = controls_;
    world_->Update();
}

void GAME_CSceneMiniGameSideScroll::UpdateTitle()
{
    if (Triggered(kActionDecide) || ClickedAnywhere()) {
        world_->Reset();
        PlayMiniGameSE(kEntrySE);
        next_ = kCountdown;
    } else if (Triggered(kActionCancel)) {
        PlayMiniGameSE(kCancelSE);
        endFlag_ = 1;
        PushScene(kSceneGameMain);
        ClearMenuPause();
    }
}

void GAME_CSceneMiniGameSideScroll::UpdateCountdown()
{
    ++counter_;
    if (counter_ >= kCountdownFrames) {
        next_ = kPlay;
        PlayMiniGameSE(kGoSE);
        GetSoundPlayer()->PlayBGM(kArcadeMusic, 0, false);
        counter_ = 0;
    } else if (counter_ % 60 == 0) {
        PlayMiniGameSE(kTickSE);
    }
}

void GAME_CSceneMiniGameSideScroll::UpdatePlay()
{
    world_->inputEnabled = 1;
    if (PadPressed(kStartOrSelect)) {
        PlayMiniGameSE(kPauseSE);
        OpenPause();
        GetSoundPlayer()->HoldBGM();
        return;
    }
    WorldStep();
    if (world_->IsPlayerDead()) {
        GetSoundPlayer()->StopBGM(0);
        PlayMiniGameSE(kHitSE);
        next_ = kStill;
    }
    spawner_->RunScriptGraphicFrame();
}

void GAME_CSceneMiniGameSideScroll::UpdateFalling()
{
    if (world_->deathLanded == 0) {
        counter_ = (counter_ - 1) & 1;
        if (counter_ == 1) {
            WorldStep();
            spawner_->RunScriptGraphicFrame();
        }
        return;
    }
    WorldStep();
    WorldStep();
    if (++counter_ >= kLandedFrames) {
        next_ = kGameOver;
        PlayMiniGameSE(kGameOverSE);
    }
}

void GAME_CSceneMiniGameSideScroll::UpdateGameOver()
{
    spawner_->RunScriptGraphicFrame();
    if (++counter_ < kGameOverFrames) return;
    next_ = kRanking;
    const std::int32_t row = EnterMiniGameScore(world_->score);
    if (row != kNoRankingRow) {
        entry_.Start(row);
        next_ = kScoreEntry;
    } else {
        entry_.row = kNoRankingRow;
    }
}

void GAME_CSceneMiniGameSideScroll::UpdateRankingView()
{
    ++counter_;
    const bool ended = counter_ >= kRankingFrames || Triggered(kActionDecide) ||
                       vesk::input::GetButton(GAME_CInputMap::kModePressed, kKeyEnter) != 0 ||
                       vesk::input::GetButton(GAME_CInputMap::kModePressed, kKeySpace) != 0 || ClickedAnywhere();
    if (ended) next_ = kBackToTitle;
}

void GAME_CSceneMiniGameSideScroll::UpdateScoreEntry()
{
    MiniGameNameKeys keys;
    keys.decide = Triggered(kActionDecide);
    keys.cancel = Triggered(kActionCancel);
    keys.upHeld = SlotInMode(GAME_CInputMap::kModeHeld, kSlotUp);
    keys.upRepeat = SlotInMode(GAME_CInputMap::kModeRepeat, kSlotUp);
    keys.downHeld = SlotInMode(GAME_CInputMap::kModeHeld, kSlotDown);
    keys.downRepeat = SlotInMode(GAME_CInputMap::kModeRepeat, kSlotDown);
    if (entry_.Step(keys)) next_ = kRanking;
}

void GAME_CSceneMiniGameSideScroll::UpdatePause()
{
    switch (pause_->Update()) {
    case MiniGamePauseChoice::kResume:
        next_ = kPlay;
        GetSoundPlayer()->ReleaseBGM();
        break;
    case MiniGamePauseChoice::kQuit:
        next_ = kBackToTitle;
        GetSoundPlayer()->StopBGM(0);
        break;
    default: break;
    }
}

void GAME_CSceneMiniGameSideScroll::Draw()
{
    if (state_ == kStart || state_ == kTitle) {
        overlays_->DrawTitle();
    } else {
        cabinet_->DrawBackground();
        world_->Draw();
        if (state_ == kCountdown && next_ == kCountdown) overlays_->DrawCountdown(counter_);
        overlays_->DrawHud(*world_);
        if (state_ == kRanking) overlays_->DrawRanking();
        if (state_ == kScoreEntry) overlays_->DrawScoreEntry(entry_);
        if (state_ == kPause) pause_->Draw();
        if (state_ == kGameOver) overlays_->DrawGameOver();
        cabinet_->DrawNearView();
    }
    FlushUISprites();
    spawner_->Draw();
    cabinet_->DrawOverlay(controls_);
    FlushUISprites();
}
