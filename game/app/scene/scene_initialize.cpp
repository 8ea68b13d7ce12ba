// The start-up scene: loads the game's data on background jobs, reads or creates the save, shows the logos.
#include "game/app/scene/scene_initialize.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "framework/achievement/platform_language.h"
#include "framework/process/quitting.h"
#include "framework/app/window_title.h"
#include "framework/graphics/device_record.h"
#include "framework/draw/sprite_draw.h"
#include "framework/file/heap_block.h"
#include "framework/file/resource_file.h"
#include "framework/graphics/sprite_package.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/text/format_text.h"
#include "framework/text/message_file.h"
#include "framework/text/utf.h"
#include "framework/log/log.h"
#include "framework/memory/heaps.h"
#include "framework/sound/sound_manager.h"
#include "framework/window/main_window.h"
#include "game/services/achievement/achievements.h"
#include "game/services/input/any_input.h"
#include "game/services/text/language.h"
#include "game/services/player/player_data.h"
#include "game/services/data/setting_script.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_map.h"
#include "game/model/session/play_session.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"
#include "game/app/scene/missing_game_files.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/script/script_package.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/draw_state.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/ship/ship_body_render.h"
#include "game/ui/selection_dialog.h"
#include "platform/little_endian.h"

namespace {

std::atomic<bool> g_inlineJobs{false};

constexpr std::size_t kJobStack = 0xC00000;
constexpr std::size_t kRouteJobStack = 0x1000000;
constexpr int kJobPriority = 44;
constexpr int kLoadAttempts = 15;
constexpr std::uint32_t kDialogOwnerSlot = 48;
constexpr std::size_t kDialogTextUnits = 256;
constexpr int kSpriteGroupsReleased = 8;
constexpr std::uint32_t kNewGameShip = MakeTag("SHP2");
constexpr std::int32_t kLogoFadeFrames = 60;
constexpr std::int32_t kLogoHoldEnd = 120;
constexpr std::int32_t kSkipFrom = 60;

struct DialogMessage {
    const char* key;
    bool yesNo;
    bool dots;
};

// The dialog messages by index; 1 and 7 are not used.
constexpr std::array<DialogMessage, 10> kMessages = {{
    {"SCENE_INIT_SAVEDATA_INIT", false, true},
    {"", false, false},
    {"SCENE_INIT_SAVEDATA_NOCREATEYESNO", true, false},
    {"SCENE_INIT_SAVEDATA_CREATERUNNING", false, true},
    {"SCENE_INIT_PREPARE_GAME", false, true},
    {"SCENE_INIT_SAVEDATA_CREATEFAILED", true, false},
    {"SCENE_INIT_SAVEDATA_BROKEN", false, false},
    {"", false, false},
    {"SCENE_INIT_NOSOUND_DEVICE", false, false},
    {"SCENE_INIT_DATA_MISSING", false, false},
}};
constexpr int kMissingDataMessage = 9;
// Said when the message file itself is the one missing.
constexpr std::u16string_view kMissingDataFallback = u"A game file is missing or damaged:\n%ls\nThe game will close.";

int MessageOfState(std::int32_t state)
{
    using S = GAME_CSceneInitialize;
    switch (state) {
    case 3:
    case S::kNewData: return 0;
    case S::kWaitNewGameSave:
    case S::kWaitBackup: return 3;
    case S::kBrokenFile: return 6;
    case S::kPlayWithoutSaving: return 2;
    case S::kCreateFailed: return 5;
    case S::kNoSoundDevice: return 8;
    case S::kMissingData: return kMissingDataMessage;
    default: return 4;
    }
}

constexpr std::array<const char16_t*, 4> kDots = {u"", u".", u"..", u"..."};

GAME_CSceneInitialize* SceneOf(void* argument) { return static_cast<GAME_CSceneInitialize*>(argument); }

bool StopRequested(vesk::thread::SYS_CThread* thread)
{
    return vesk::process::IsQuitting() || (thread != nullptr && thread->IsStopRequested());
}

enum class LoadOutcome { kLoaded, kStopped, kFailed };

// Tries a load up to 15 times, as a read can fail for a moment. A file that is there and opens but
// still does not load was refused for what it holds: reading it again gives the same bytes and the
// same refusal, so it is tried once.
template <typename Load>
LoadOutcome TryLoad(vesk::thread::SYS_CThread* thread, std::string_view what, Load load)
{
    for (int attempt = 0; attempt < kLoadAttempts; ++attempt) {
        if (StopRequested(thread)) return LoadOutcome::kStopped;
        if (load()) return LoadOutcome::kLoaded;
        if (vesk::file::ResourceFileOpens(what)) break;
    }
    return LoadOutcome::kFailed;
}

// A load the game can go on without; false only when the game is quitting.
template <typename Load>
bool Retry(vesk::thread::SYS_CThread* thread, const char* what, Load load)
{
    const LoadOutcome outcome = TryLoad(thread, what, load);
    if (outcome == LoadOutcome::kFailed) {
        vesk::log::Error(std::string("start-up: ") + what + " could not be loaded; going on without it");
    }
    return outcome != LoadOutcome::kStopped;
}

// A load the game cannot run without; when it fails, the file is named for the dialog and the scene
// goes to it. False then, or when the game is quitting.
template <typename Load>
bool RetryRequired(vesk::thread::SYS_CThread* thread, void* scene, std::string_view path, Load load)
{
    const LoadOutcome outcome = TryLoad(thread, path, load);
    if (outcome != LoadOutcome::kFailed) return outcome == LoadOutcome::kLoaded;
    vesk::log::Error("start-up: " + std::string(path) + " could not be loaded; the game cannot run without it");
    ReportMissingGameFile(path);
    SceneOf(scene)->SetNextState(GAME_CSceneInitialize::kMissingData);
    return false;
}

// Packages and images are large: they go to the main heap, the resource heap keeps the fonts.
vesk::resource::TextureLoader Loader()
{
    return {vesk::memory::MainHeap(), vesk::memory::MainHeap()};
}

bool LoadSprites(int group, const char* path)
{
    vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    return registry != nullptr && registry->LoadSpritePackage(Loader(), group, path) != nullptr;
}

// A sprite package that reads and passes its checks, without loading it into a group.
bool IsSpritePackageUsable(const std::string& path)
{
    std::size_t size = 0;
    void* block = vesk::file::ReadResourceFile(nullptr, path, &size);
    if (block == nullptr) return false;
    const bool usable =
        vesk::resource::ReadSpritePackageChunks({static_cast<const std::uint8_t*>(block), size}, path).has_value();
    vesk::file::FreeFileBlock(block);
    return usable;
}

std::int32_t LoadTexture(const char* path)
{
    vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    return registry ? registry->LoadTexture(Loader(), 0, path) : vesk::resource::kNoTexture;
}

void InitDatabaseJob(vesk::thread::SYS_CThread* thread, void* argument, std::intptr_t)
{
    GAME_CSceneInitialize* scene = SceneOf(argument);
    if (vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry()) {
        for (int group = 0; group < kSpriteGroupsReleased; ++group) registry->ReleaseSpritePackage(group);
    }
    DestroyScriptPackageHolder();
    DestroyGameWorld();
    DestroySoundPlayer();
    DestroyInputMap();
    DestroySaveManager();
    scene->SetNextState(GAME_CSceneInitialize::kWaitDatabase);
    vesk::log::Info("start-up: static database");
    // The dialog that names a missing file reads its answer through the input map.
    GetInputMap();
    if (GAME_CStaticDatabase* database = GetStaticDatabase()) {
        if (!RetryRequired(thread, argument, kStaticDatabasePackagePath, [&] { return RunStaticDatabaseScript(*database); })) {
            return;
        }
        database->LoadActorNameLists();
    } else {
        vesk::log::Error("start-up: there is no static database to fill");
    }
    scene->SetNextState(GAME_CSceneInitialize::kStartRoomScripts);
}

template <int Kind, std::int32_t Next>
void LoadScriptsJob(vesk::thread::SYS_CThread* thread, void* argument, std::intptr_t)
{
    static constexpr const char* kNames[] = {"room scripts", "actor scripts", "route scripts", "enemy scripts"};
    vesk::log::Info(std::string("start-up: ") + kNames[Kind]);
    if (!RetryRequired(thread, argument, ScriptPackageFile(Kind), [] { return LoadScriptPackage(Kind); })) return;
    SceneOf(argument)->SetNextState(Next);
}

constexpr auto LoadRoomScriptsJob = &LoadScriptsJob<kScriptPackageRoom, GAME_CSceneInitialize::kStartActorScripts>;
constexpr auto LoadActorScriptsJob = &LoadScriptsJob<kScriptPackageActor, GAME_CSceneInitialize::kStartEnemyScripts>;
constexpr auto LoadRouteScriptsJob = &LoadScriptsJob<kScriptPackageRoute, GAME_CSceneInitialize::kRequestLoad>;
constexpr auto LoadEnemyScriptsJob = &LoadScriptsJob<kScriptPackageEnemy, GAME_CSceneInitialize::kStartRoomSprites>;

void LoadRoomSpritesJob(vesk::thread::SYS_CThread* thread, void* argument, std::intptr_t)
{
    vesk::log::Info("start-up: room sprites");
    if (!Retry(thread, "ship/room/dotroom.pac", [] { return LoadSprites(2, "ship/room/dotroom.pac"); })) return;
    GetAchievementManager();
    GetGameWorld();
    SceneOf(argument)->SetNextState(GAME_CSceneInitialize::kStartResources);
}

void LoadResourcesJob(vesk::thread::SYS_CThread* thread, void* argument, std::intptr_t)
{
    vesk::log::Info("start-up: resources");
    struct Package {
        int group;
        const char* path;
    };
    auto loadPackage = [&](const Package& package) {
        return Retry(thread, package.path, [&] { return LoadSprites(package.group, package.path); });
    };
    auto loadTexture = [&](const char* path, std::int32_t* id) {
        return Retry(thread, path, [&] { return (*id = LoadTexture(path)) != vesk::resource::kNoTexture; });
    };
    for (const Package& package : {Package{1, "effect/effect.pac"}, Package{3, "enemy/enemy.pac"},
                                   Package{5, "bg/object/object.pac"}}) {
        if (!loadPackage(package)) return;
    }
    GAME_CGameWorld* world = GetGameWorld();
    if (!Retry(thread, "the distant views", [&] { return world->background->LoadTextures(); })) return;
    const char* endings[] = {"common/bg_ending.cvt", "common/bg_ending_front.cvt"};
    for (int i = 0; i < GAME_CBackgroundView::kEndingImageCount; ++i) {
        std::int32_t id = vesk::resource::kNoTexture;
        if (!loadTexture(endings[i], &id)) return;
        world->background->SetEndingImage(i, id);
    }
    if (!loadPackage({6, "bg/nearview/nearview.pac"})) return;
    GetSoundPlayer();
    if (!loadPackage({7, "minigame/minigame.pac"})) return;
    for (const char* path : {"common/minigame_titlelogo.cvt", "common/minigame_frame.cvt",
                             "common/minigame_gameover.cvt", "common/minigame_licence.cvt"}) {
        std::int32_t id = vesk::resource::kNoTexture;
        if (!loadTexture(path, &id)) return;
    }
    std::int32_t company = vesk::resource::kNoTexture;
    std::int32_t engine = vesk::resource::kNoTexture;
    if (!loadTexture("common/companylogo_korvexa.cvt", &company)) return;
    if (!loadTexture("common/gameengine_logo.cvt", &engine)) return;
    // A new game starts on the first ship: without its hull there is nothing to show.
    const std::string hull = HullPackagePathOf(kNewGameShip);
    if (!RetryRequired(thread, argument, hull, [&] { return IsSpritePackageUsable(hull); })) return;
    SceneOf(argument)->SetLogoTextures(company, engine);
    SceneOf(argument)->SetNextState(GAME_CSceneInitialize::kStartRouteScripts);
}

void SetTitleForPlatformLanguage()
{
    vesk::window::SetMainWindowTitle(
        vesk::app::WindowTitleForPlatformLanguage(vesk::achievement::GetPlatformLanguageCode()));
}

}  // namespace

void SetStartupJobsInline(bool inlineJobs) { g_inlineJobs.store(inlineJobs); }

void ApplyPlatformLanguage()
{
    const std::uint32_t language = GetPlatformLanguageIndex();
    if (GAME_CPlayerData* player = GetPlayerData()) {
        if (language != player->language) player->languageChanged = 1;
        player->language = language;
    }
    platform::WriteU16(GetWorkingSystemRecord(), save_layout::system::kLanguage, static_cast<std::uint16_t>(language));
}

GAME_CSceneInitialize::GAME_CSceneInitialize()
{
    ApplyPlatformLanguage();
    SetTitleForPlatformLanguage();
}

GAME_CSceneInitialize::~GAME_CSceneInitialize()
{
    // A job still running reaches into this scene: it is stopped and waited for.
    if (job_ != nullptr) {
        job_->RequestStop();
        job_->Join();
        delete job_;
        job_ = nullptr;
    }
}

void GAME_CSceneInitialize::SetLogoTextures(std::int32_t company, std::int32_t engine)
{
    companyLogo_.store(company);
    engineLogo_.store(engine);
}

void GAME_CSceneInitialize::StartJob(JobFunction job, std::size_t stackSize)
{
    if (g_inlineJobs.load()) {
        job(nullptr, this, 0);
        return;
    }
    job_ = vesk::thread::CreateThreadObject();
    if (job_ == nullptr || !job_->Start("InitScene", job, this, 0, stackSize, kJobPriority, 0)) {
        vesk::log::Error("start-up: the loader thread could not start; loading on the main thread");
        delete job_;
        job_ = nullptr;
        job(nullptr, this, 0);
    }
}

void GAME_CSceneInitialize::PollJob()
{
    job_->Poll();
    if (job_->IsFinished()) {
        delete job_;
        job_ = nullptr;
    }
}

void GAME_CSceneInitialize::Update()
{
    ++frameCounter_;
    bool changed = false;
    const std::int32_t next = nextState_.load();
    if (next != state_) {
        logoFrame_ = 0;
        state_ = next;
        changed = true;
    }
    UpdateInitDialog(changed);
    if (IsDialogShown()) {
        GAME_CUIInDisplaySelectionObject* dialog = GetInDisplaySelection();
        if (dialog->visible) {
            if (state_ >= kCompanyLogo && state_ <= kStartGame) dialog->Close();
            dialog->UpdateTree(true);
        }
    }
    StepState();
    if (job_ != nullptr) {
        PollJob();
        return;
    }
    if (state_ >= kRequestLoad && !GetSaveManager()->IsIdle()) GetSaveManager()->Step();
}

// The dialog lives with the world, which the loaders make on their thread; a missing file is
// named only once its loader has ended, so then it may be shown without the world.
bool GAME_CSceneInitialize::IsDialogShown() const
{
    return state_ == kMissingData || (IsGameWorldReady() && state_ >= 2);
}

void GAME_CSceneInitialize::UpdateInitDialog(bool changed)
{
    if (!IsDialogShown()) return;
    GAME_CUIInDisplaySelectionObject* dialog = GetInDisplaySelection();
    if (!dialog->visible) {
        dialog->Open(kDialogOwnerSlot, 0, false);
        dialog->active = true;
    }
    const int index = MessageOfState(state_);
    const DialogMessage& message = kMessages[static_cast<std::size_t>(index)];
    if (changed) {
        dialog->answer = GAME_CUIInDisplaySelectionObject::kNoAnswer;
        dialog->SetYesNoMode(message.yesNo);
        if (message.yesNo) {
            dialog->SetButtonText(0, "COMMAND_YES");
            dialog->SetButtonText(1, "COMMAND_NO");
        } else {
            dialog->SetButtonText(0, "");
        }
        if (index == 6 || index == 8 || (index == kMissingDataMessage && vesk::text::IsMessageFileInstalled())) {
            dialog->SetYesNoMode(false);
            dialog->SetButtonText(0, "COMMAND_YES");
        }
        dialog->UpdateTree(false);
        dialog->UpdateTree(false);
    }
    std::u16string text = index == kMissingDataMessage ? MissingDataText() : GetMessageTextExpanded(message.key);
    if (message.dots) text += kDots[static_cast<std::size_t>((frameCounter_ / 4) % 4)];
    text.resize(std::min(text.size(), kDialogTextUnits - 1));
    dialog->SetMessageText(text.c_str());
}

void GAME_CSceneInitialize::StepState()
{
    // The database job destroys and remakes the save machine and the world (with the dialog) on
    // its thread: neither is touched here before it has finished.
    if (state_ < 2) {
        if (state_ == kStartDatabase && !FirstMissingGameFile().empty()) {
            SetNextState(kMissingData);
        } else if (state_ == kStartDatabase) {
            SetNextState(kWaitDatabase);
            StartJob(&InitDatabaseJob, kJobStack);
        }
        return;
    }
    GAME_CSaveManager* saves = GetSaveManager();
    GAME_CUIInDisplaySelectionObject* dialog = GetInDisplaySelection();
    const std::int32_t answer = dialog->answer;
    const bool closed = !dialog->visible;
    const bool noJob = job_ == nullptr;
    switch (state_) {
    case kStartRoomScripts:
        if (noJob) StartJob(LoadRoomScriptsJob, kJobStack);
        break;
    case kStartActorScripts:
        if (noJob) StartJob(LoadActorScriptsJob, kJobStack);
        break;
    case kStartRouteScripts:
        if (noJob) StartJob(LoadRouteScriptsJob, kRouteJobStack);
        break;
    case kStartEnemyScripts:
        if (noJob) StartJob(LoadEnemyScriptsJob, kJobStack);
        break;
    case kStartRoomSprites:
        if (noJob) StartJob(&LoadRoomSpritesJob, kJobStack);
        break;
    case kStartResources:
        if (noJob) StartJob(&LoadResourcesJob, kJobStack);
        break;
    case kRequestLoad:
        if (noJob) {
            vesk::log::Info("start-up: save file");
            saveFileUnreadable_ = false;
            saves->RequestLoad();
            SetNextState(kLoadRequested);
        }
        break;
    case kLoadRequested:
        SetNextState(kWaitLoad);
        break;
    case kWaitLoad:
        if (noJob && saves->IsIdle()) SetNextState(kLoadOutcome);
        break;
    case kLoadOutcome:
        ApplyLoadOutcome();
        break;
    case kNewData:
        if (IsInputMapActive()) {
            MakeNewData(false);
            SetNextState(kNewGame);
        }
        break;
    case kNewGame:
        if (saves->IsIdle()) {
            GetGameWorld()->ship->ChangeShip(kNewGameShip);
            saves->RequestSaveCurrentSlot();
            SetNextState(kWaitNewGameSave);
        }
        break;
    case kWaitNewGameSave:
        if (saves->IsIdle()) {
            if (saves->lastResult == GAME_CSaveManager::kOk) {
                GoToSoundCheck();
            } else {
                SetNextState(kCreateFailed);
            }
        }
        break;
    case kBrokenFile:
        // Whatever the player does, the broken file is kept as a backup and new data is made.
        if (closed || answer == 0 || answer == 1) {
            MakeNewData(false);
            saves->RequestBackupSave();
            SetNextState(kWaitBackup);
        }
        break;
    case kWaitBackup:
        if (saves->IsIdle()) {
            if (saves->lastResult == GAME_CSaveManager::kOk) {
                SetNextState(kNewGame);
            } else {
                // The file could not be set aside: it must not be written over.
                saveFileUnreadable_ = true;
                SetNextState(kPlayWithoutSaving);
            }
        }
        break;
    case kPlayWithoutSaving:
        if (answer == 0) {
            MakeNewData(false);
            if (saveFileUnreadable_) saves->HoldBackSaving();
            GoToSoundCheck();
        } else if (answer == 1 || closed) {
            // Making new data would write over a file that could not be read: try reading it again.
            SetNextState(saveFileUnreadable_ ? kRequestLoad : kNewData);
        }
        break;
    case kCreateFailed:
        if (answer == 0) {
            MakeNewData(true);
            saves->RequestSaveCurrentSlot();
            SetNextState(kWaitNewGameSave);
        } else if (answer == 1 || closed) {
            SetNextState(kPlayWithoutSaving);
        }
        break;
    case kNoSoundDevice:
        if (closed || answer == 0) SetNextState(kCompanyLogo);
        break;
    case kMissingData:
        if (closed || answer == 0) vesk::process::QuitWithFailure();
        break;
    case kCompanyLogo:
        StepLogo(kEngineLogo);
        break;
    case kEngineLogo:
        StepLogo(kStartGame);
        break;
    case kStartGame:
        StartGame();
        break;
    default:
        break;
    }
}

void GAME_CSceneInitialize::ApplyLoadOutcome()
{
    GAME_CSaveManager* saves = GetSaveManager();
    switch (saves->lastResult) {
    case GAME_CSaveManager::kOk:
        SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
        ApplyDisplaySettings(GetWorkingSystemRecord());
        GoToSoundCheck();
        break;
    case GAME_CSaveManager::kNotFound:
        SetNextState(kNewData);
        break;
    case GAME_CSaveManager::kBroken:
        FitWindowForDefaults();
        SetNextState(kBrokenFile);
        break;
    default:
        // The file is there but cannot be read: tell the player, never touch it.
        FitWindowForDefaults();
        saveFileUnreadable_ = true;
        SetNextState(kPlayWithoutSaving);
        break;
    }
}

void GAME_CSceneInitialize::MakeNewData(bool resetPlayTime)
{
    InitAllSaveData();
    SaveAreas& areas = GetSaveAreas();
    const auto slot = areas.ImageSlot(static_cast<int>(GetSaveManager()->currentSlot));
    areas.workingSlot.assign(slot.begin(), slot.end());
    ApplyPlatformLanguage();
    SetTitleForPlatformLanguage();
    SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    if (resetPlayTime) {
        if (GAME_CPlayerData* player = GetPlayerData()) player->playSeconds = 0;
    }
    // New settings fit the window to the screen as loaded ones do: on a first run the window would
    // otherwise keep the device's 1280 x 720, taller than a small display.
    ApplyDisplaySettings(GetWorkingSystemRecord());
}

std::u16string GAME_CSceneInitialize::MissingDataText() const
{
    const std::u16string file = vesk::text::Utf8ToUtf16(FirstMissingGameFile());
    const vesk::text::FormatArg argument(file);
    if (!vesk::text::IsMessageFileInstalled()) return vesk::text::FormatText(kMissingDataFallback, {&argument, 1});
    return vesk::text::FormatText(GetMessageTextExpanded(kMessages[kMissingDataMessage].key), {&argument, 1});
}

void GAME_CSceneInitialize::GoToSoundCheck()
{
    SetNextState(vesk::sound::HasSoundManager() ? kCompanyLogo : kNoSoundDevice);
}

// No settings could be read: the question that follows is asked in the window the default
// settings give, fitted to the screen like any other.
void GAME_CSceneInitialize::FitWindowForDefaults()
{
    std::vector<std::uint8_t> defaults(save_layout::kSystemRecordSize);
    InitSystemRecord(defaults);
    ApplyDisplaySettings(defaults);
}

void GAME_CSceneInitialize::ApplyDisplaySettings(std::span<const std::uint8_t> settings)
{
    const std::uint32_t setting = platform::ReadU16(settings, save_layout::system::kWindowSize);
    struct Size {
        float width;
        float height;
    };
    constexpr Size kSizes[] = {{640.0f, 360.0f}, {1280.0f, 720.0f}, {1920.0f, 1080.0f}};
    const std::uint32_t choice = (setting + 100) / 100;
    Size size = choice >= 1 && choice <= 3 ? kSizes[choice - 1] : Size{0.0f, 0.0f};
    const float screenHeight = static_cast<float>(vesk::window::GetScreenHeight());
    if (size.height >= screenHeight) {
        size = kSizes[0];
        for (int i = 2; i >= 0; --i) {
            if (kSizes[i].height < screenHeight) {
                size = kSizes[i];
                break;
            }
        }
    }
    const bool fullScreen = platform::ReadU32(settings, save_layout::system::kFullScreen) != 0;
    vesk::graphics::RequestDisplayMode(size.width, size.height, fullScreen);
}

void GAME_CSceneInitialize::StepLogo(std::int32_t nextState)
{
    ++logoFrame_;
    if (logoFrame_ >= kSkipFrom && logoFrame_ < kLogoHoldEnd && IsAnyInputPressed()) logoFrame_ = kLogoHoldEnd;
    if (logoFrame_ >= kLogoFrames) SetNextState(nextState);
}

void GAME_CSceneInitialize::StartGame()
{
    if (GAME_CSoundPlayer* sound = PeekSoundPlayer()) sound->readyToPlay = 1;
    PushScene(kSceneGameMain);
    if (vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry()) {
        registry->UnloadTexture(companyLogo_.load());
        registry->UnloadTexture(engineLogo_.load());
    }
    companyLogo_.store(vesk::resource::kNoTexture);
    engineLogo_.store(vesk::resource::kNoTexture);
    GAME_CGameWorld* world = GetGameWorld();
    world->ui->SetOpen(kSlotTitle, true);
    world->ui->SetOpen(kSlotResident, true);
    world->ui->UpdateScreens();
    vesk::log::Info("start-up: main game");
}

void GAME_CSceneInitialize::Draw()
{
    if (state_ == kStartGame) return;
    if (state_ == kCompanyLogo || state_ == kEngineLogo) {
        if (state_ == kCompanyLogo && logoFrame_ == 0) return;
        DrawLogo(state_ == kCompanyLogo ? companyLogo_.load() : engineLogo_.load());
        return;
    }
    if (IsDialogShown() && GetInDisplaySelection()->visible) {
        ResetDrawState();
        GetInDisplaySelection()->Draw();
    }
    vesk::graphics::EndSpriteDraw();
}

void GAME_CSceneInitialize::DrawLogo(std::int32_t texture) const
{
    vesk::graphics::DeviceRecord* device = vesk::graphics::GetDeviceRecord();
    if (device == nullptr) return;
    std::int32_t alpha = 0;
    if (logoFrame_ < kLogoFadeFrames) {
        alpha = 255 * logoFrame_ / kLogoFadeFrames;
    } else if (logoFrame_ < kLogoHoldEnd) {
        alpha = 255 * (kLogoFadeFrames - 1) / kLogoFadeFrames;
    } else {
        const float fade = std::min(static_cast<float>(logoFrame_ - kLogoHoldEnd) / kLogoFadeFrames, 1.0f);
        alpha = static_cast<std::int32_t>(255.0f - 255.0f * fade);
    }
    vesk::graphics::BeginSpriteDraw(-1, 4);
    vesk::graphics::DrawParam& param = device->textureRenderer.drawParam;
    vesk::graphics::InitDrawParam(param);
    param.pivotX = 0.5f;
    param.pivotY = 0.5f;
    param.color = 0x00FFFFFFu | (static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24);
    vesk::graphics::DrawSprite({320.0f, 180.0f}, texture);
    vesk::graphics::InitDrawParam(param);
    vesk::graphics::EndSpriteDraw();
}
