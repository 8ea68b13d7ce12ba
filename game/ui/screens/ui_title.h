// The title screen (slot 37): the dropping logo, press start, the menu, continue and the new game's start.
#pragma once

#include <array>
#include <cstdint>

#include "game/ui/ui_screen.h"

class GAME_CGameWorld;
class GAME_CShip;

// Runs the hull renderer's view change to its end at once, as the title and the save slots' preview
// show the ship.
void FinishZoomChange(GAME_CShip& ship);

// Lies over the running world of the current slot, which keeps running behind it. It ends by
// starting play in that world (continue), by starting a new game, by handing over to the save-slot
// screen, or by setting the quit flag. Its 23 pictures live from its opening to its closed state.
class GAME_CUITitle : public GAME_CUIScreen, public UIScreenSlot<kSlotTitle> {
public:
    static constexpr int kImageCount = 23;
    static constexpr int kLanguageVariants = 3;
    // Pictures by role; from the logo on each role has a Japanese, an English and a Korean picture.
    enum ImageRole : int { kBackground = 0, kRightsNotice = 1, kLogo = 2, kContinue = 5, kLoad = 8, kNewGame = 11,
                           kAchievement = 14, kOption = 17, kExit = 20 };
    enum class SubState : std::int32_t {
        kStart,
        kPressStart,
        kMenuWithoutSave,
        kMenuWithSave,
        kContinueGame,
        kNewGameQuestion,
        kRunningMessage,
        kNewGameAppearance,
        kNewGameStart,
    };
    using enum SubState;
    // Frames of the appearance and of the start of a new game, and when the start's fade begins.
    static constexpr std::int32_t kAppearanceFrames = 120;
    static constexpr std::int32_t kNewGameStartFrames = 180;
    static constexpr std::int32_t kFadeStartFrame = 61;

    explicit GAME_CUITitle(const UIScreenContext& context);
    ~GAME_CUITitle() override;

    // The pictures: background, logo and rights notice.
    void PreDraw() override;
    // Press start, the menu, the dialog and the dim cover.
    void Draw() override;
    bool PassesInput() const override { return State() == kClosed || pages_.Is(kNewGameAppearance); }

    // The save-slot screen's hand-over after a finished load: the continue sequence starts.
    void StartContinue();

    SubState GetSubState() const { return pages_.Current(); }
    std::int32_t GetCursor() const { return cursor_; }
    std::int32_t GetCounterA() const { return counterA_; }
    // The route script's title command sets frame counter A.
    void SetCounterA(std::int32_t value) { counterA_ = value; }
    std::int32_t GetLanguageVariant() const { return language_; }
    std::int32_t GetTexture(int index) const { return textures_[static_cast<std::size_t>(index)]; }
    // 6 with a save, 4 without; 0 outside the menu.
    int EntryCount() const;
    // Where the logo is drawn this frame and its turn.
    float LogoY() const;
    float LogoRotation() const;

protected:
    // While the options or the save slots lie over it, the title stands still but follows the language.
    bool IsSuspended() override;
    void OnEnterState(UIScreenState state) override;
    // The running world behind the title, and the rights notice in the info bar.
    void EveryFrame() override;
    // The logo drops in as the title opens.
    bool StepTransition(UIScreenState state) override;
    void UpdateMain(bool input) override;

private:
    void OpeningSetUp();
    void ClosingSetUp();
    void LoadImages();
    void ReleaseImages();
    // True once the logo has settled and the black has lifted.
    bool UpdateLogo();
    void EnterSubState(SubState subState);
    void UpdatePressStart();
    void UpdateMenu(bool input);
    void RunEntry(int entry);
    void UpdateContinue();
    void BeginAppearance();
    void UpdateNewGameStart();
    void PlaceSandPillars();
    void StartPlay();
    void DrawMenu() const;
    void DrawImage(int index, float x, float y, float pivotX, float pivotY, float rotation) const;
    int Image(int role) const;
    // The world while its members are all in place, else null.
    GAME_CGameWorld* ReadyWorld() const;

    std::array<std::int32_t, kImageCount> textures_;
    UIPages<SubState> pages_{kStart};
    float logoSpeed_ = 0.0f;
    float logoOffset_ = 0.0f;
    std::int32_t counterA_ = 0;
    std::int32_t counterB_ = 0;
    std::int32_t cursor_ = 0;
    std::int32_t cursorSprite_ = -1;
    std::int32_t language_ = 0;
};
