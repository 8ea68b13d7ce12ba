// The start-up scene: loads the game's data on background jobs, reads or creates the save, shows the logos.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <string>

#include "framework/thread/thread.h"
#include "game/app/scene/scene_base.h"

class GAME_CSceneInitialize final : public GAME_CSceneBase {
public:
    // The states; the jobs load in the order database, room, actor, enemy, room sprites,
    // resources, route, then the save file is read.
    enum StartupState : std::int32_t {
        kStartDatabase = 0,
        kWaitDatabase = 1,
        kStartRoomScripts = 4,
        kStartActorScripts = 5,
        kStartRouteScripts = 6,
        kStartEnemyScripts = 7,
        kStartRoomSprites = 8,
        kStartResources = 9,
        kRequestLoad = 10,
        kLoadRequested = 11,
        kWaitLoad = 12,
        kLoadOutcome = 13,
        kNewData = 14,
        kNewGame = 15,
        kWaitNewGameSave = 16,
        kBrokenFile = 17,
        kWaitBackup = 18,
        kPlayWithoutSaving = 19,
        kCreateFailed = 20,
        kNoSoundDevice = 21,
        kCompanyLogo = 22,
        kEngineLogo = 23,
        kStartGame = 24,
        // A file the game cannot run without is missing or refused: the dialog names it and the
        // game ends on the answer.
        kMissingData = 25,
    };

    static constexpr std::int32_t kLogoFrames = 180;

    GAME_CSceneInitialize();
    ~GAME_CSceneInitialize() override;

    void Update() override;
    void Draw() override;
    void DrawExtra() override {}
    bool IsEnd() const override { return endFlag_; }
    std::uint32_t GetSceneId() const override { return kSceneInitialize; }
    // Covered by the main game: the scene removes itself at the next update.
    void UpdateCovered() override { endFlag_ = true; }

    std::int32_t GetState() const { return state_; }
    std::int32_t GetLogoFrame() const { return logoFrame_; }
    // Jobs hand over only through this word, read by the next update.
    void SetNextState(std::int32_t state) { nextState_.store(state); }
    void SetLogoTextures(std::int32_t company, std::int32_t engine);
    bool HasJob() const { return job_ != nullptr; }

private:
    using JobFunction = void (*)(vesk::thread::SYS_CThread*, void*, std::intptr_t);

    void StartJob(JobFunction job, std::size_t stackSize);
    void PollJob();
    void StepState();
    bool IsDialogShown() const;
    void UpdateInitDialog(bool changed);
    std::u16string MissingDataText() const;
    void ApplyLoadOutcome();
    void MakeNewData(bool resetPlayTime);
    void GoToSoundCheck();
    void ApplyDisplaySettings(std::span<const std::uint8_t> settings);
    void FitWindowForDefaults();
    void StepLogo(std::int32_t nextState);
    void StartGame();
    void DrawLogo(std::int32_t texture) const;

    vesk::thread::SYSWIN_CThread* job_ = nullptr;
    bool endFlag_ = false;
    std::int32_t frameCounter_ = 0;
    std::int32_t state_ = kStartDatabase;
    std::atomic<std::int32_t> nextState_{kStartDatabase};
    std::atomic<std::int32_t> companyLogo_{-1};
    std::atomic<std::int32_t> engineLogo_{-1};
    std::int32_t logoFrame_ = 0;
    // The save file exists but could not be read: it must be left alone.
    bool saveFileUnreadable_ = false;
};

// Test seam: run the start-up jobs on the calling thread, one per update, so that the
// sequence of states is the same on every run.
void SetStartupJobsInline(bool inlineJobs);

// Applies the storefront's language to the player data and the working system record,
// raising the language-changed flag when it differs.
void ApplyPlatformLanguage();
