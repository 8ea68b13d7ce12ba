// The whole game brought up headless for a test: its own data and save folders, stepped frame by frame.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/app/framework_session.h"
#include "game/app/game_app.h"
#include "tests/support/frame_recorder.h"
#include "game/ui/ui_manager.h"

class GAME_CObjectActor;

namespace support {

// What one frame did that a test may look at.
struct FrameRecord {
    std::vector<std::uint32_t> soundEffects;  // the game's numbers of the sound effects asked for
    std::vector<RecordedSoundPlay> sounds;    // what the sound manager started
    std::vector<RecordedSpriteDraw> sprites;
    std::vector<RecordedTextDraw> texts;
};

// The game on SDL's dummy drivers, started as the program starts it (every framework system and
// the game), in a scratch folder of its own that holds the save folder. It reads the data set the
// build made unless a test names another data folder. Start-up jobs run inline, so every run
// passes the same states in the same frames. Frames are stepped by the test, never by a loop, and
// unpaced. Each frame's sounds and draws are recorded through the framework's observers.
class GameFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Brings the game up: the framework session with the game. Call once per test, after any
    // change to the folders (a save file to find, another data folder).
    void StartGame();
    // Shuts the game down as the program does (a save job in flight is finished first).
    void StopGame();
    bool IsRunning() const { return session_.has_value(); }

    // Frames through the game's own frame call; each leaves a record in frames.
    void StepFrames(int count);
    // Chooses the language as the options screen does: its messages and its font from the next frame on.
    void ChooseLanguage(std::uint32_t language);
    // Simulation steps of the world alone, without frames.
    void StepSimulation(int count);
    // Frames until done() holds; false when it did not within maxFrames.
    bool StepUntil(const std::function<bool()>& done, int maxFrames);
    // Frames until done() holds, confirming each event text as a reader does: DECIDE once all of
    // it is shown (and so also the choice a choice window offers first).
    bool StepConfirmingEventsUntil(const std::function<bool()>& done, int maxFrames);
    // Frames until the save machine has finished its job.
    bool StepUntilSaveIdle(int maxFrames = 600);

    // The start-up scene's state, -1 once it is gone.
    int StartupState() const;
    // Frames until the start-up reaches the state (or passes it when passing is allowed).
    bool StepUntilStartupState(int state, int maxFrames = 1200);
    // Frames until the main-game scene runs alone on the stack.
    bool StepUntilMainGame(int maxFrames = 1200);
    // A fresh game run up to the main game with its first save written.
    void StartToMainGame();
    // The same with the title closed, as in play: the world takes no simulation step while the title is open.
    void StartPlaying();
    // A fresh game started from the title as the player starts a new one, played through its opening
    // up to the first road, the view out of the black.
    void StartNewGameToFirstRoad();
    // The shared dialog's answer, as the player would give it.
    void AnswerDialog(int answer);

    // Raw input: the platform key goes down for one frame and up again at the next.
    void PressRawKey(std::uint8_t keyCode);
    // Input-map level: the key bound to the action is pressed for one frame.
    void PressAction(int action);
    // The platform key bound to the action now; 0 when no key is (unbound, or a mouse button).
    static std::uint8_t RawKeyOfAction(int action);
    // The key bound to the action is held for the next frames (the count of frames given).
    void HoldAction(int action, int frames);
    // The left button goes down at a canvas point for the next frame and up at the one after.
    void ClickAt(int x, int y);
    // A quick click at a canvas point: the window reports the left button down and up again before
    // the next frame, so that its press and release fall in that one frame.
    void TapAt(int x, int y);
    // The left button goes down at a canvas point from the next frame on, and stays down.
    void PointerDown(int x, int y);
    // The held pointer moves; the button goes up.
    void PointerMove(int x, int y);
    void PointerUp();
    // The left button goes down at one canvas point, moves to the other over the frames given (held
    // all along) and goes up in the frame after; the frames are stepped, each followed by afterFrame.
    void Drag(int fromX, int fromY, int toX, int toY, int frames, const std::function<void()>& afterFrame = {});
    // Wheel notches of the next frame (positive away from the player).
    void Wheel(int steps);
    // The window's focus from the next frame on (the game starts focused).
    void SetFocus(bool focused);
    // Closes a screen and steps frames until it has finished closing; false when it did not.
    bool CloseScreen(int slot, int maxFrames = 60);
    // The last frame's draw of a text as it stands, or null.
    const RecordedTextDraw* FindTextDraw(std::u16string_view text) const;
    // The last frame's draw of a sprite of a sprite group by name, or null.
    const RecordedSpriteDraw* FindSpriteDraw(int group, std::string_view name) const;
    // The game world's screen manager.
    GAME_CUIManager& UI() const;
    // A crew member taken from the pool and set up on the ship's lowest floor cell; null when none.
    GAME_CObjectActor* AddCrewMember();

    // The canvas pixel (0xAARRGGBB) of the last frame drawn.
    std::uint32_t CanvasPixel(int x, int y) const;
    // Writes the last frame's whole canvas as a PPM picture, for looking at by eye.
    bool WriteCanvasPicture(const std::string& path) const;
    // With VARNOLIS_UI_PICTURE_DIR=<folder>, writes the last frame's canvas there as <name>.ppm.
    void KeepCanvasPicture(const std::string& name) const;

    std::filesystem::path SavePath() const;
    std::filesystem::path BackupPath(int number = 1) const;
    const std::filesystem::path& Folder() const { return folder_; }
    // A data folder of the test's own: the built data set copied, for a test to change.
    void UseCopyOfDataSet();
    // A copy of the data set whose road script package is assembled from the source.
    void UseRoadScript(std::string_view source);
    const std::filesystem::path& DataFolder() const { return dataFolder_; }

    std::vector<FrameRecord> frames;

private:
    void Frame();

    std::filesystem::path previousFolder_;
    std::filesystem::path folder_;
    std::filesystem::path dataFolder_;
    varnolis::GameApplication game_;
    std::optional<vesk::app::FrameworkSession> session_;
    std::vector<std::uint8_t> keysToRelease_;
    std::optional<FrameRecorder> recorder_;
    std::vector<std::pair<std::uint8_t, int>> keysHeld_;
    bool focused_ = true;
    bool releaseButton_ = false;
};

}  // namespace support
