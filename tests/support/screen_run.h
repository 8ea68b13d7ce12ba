// Scripted screen runs: each frame's draws and sounds digested and held against a checked-in recording.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "framework/file/save_file.h"
#include "framework/math/random.h"
#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/input/input_actions.h"
#include "game/ui/selection_dialog.h"
#include "tests/support/game_fixture.h"

namespace support {

// One frame of a run as the recording holds it.
struct ScreenRunFrame {
    std::string step;
    std::uint64_t digest = 0;
    std::size_t sprites = 0;
    std::size_t texts = 0;
    std::size_t sounds = 0;
};

ScreenRunFrame DigestFrame(const FrameRecord& frame, std::string_view step);
// The frame's draws and sounds, a line each, for the report of a difference.
std::string DescribeFrame(const FrameRecord& frame);
// Holds the run against tests/game/ui/recordings/<name>.txt; with VARNOLIS_RECORD_SCREEN_RUNS=1 set it
// writes the file instead. A difference fails with the first differing frame's step and draws.
void CheckScreenRun(std::string_view name, const std::vector<ScreenRunFrame>& run, const std::vector<FrameRecord>& frames,
                    std::size_t firstFrame);

// The steps of a run over any game fixture: each step names the frames it steps.
template <typename Fixture>
class ScreenRun : public Fixture {
protected:
    // The game up to its main scene with its first save written, always in the same state: the
    // randomness starts from one seed, again as the main scene comes (the start-up takes a varying
    // number of frames, each drawing a random number), and the frames from then on are as
    // many whatever the pace of the save's writer thread (waited for in wall time, before any
    // frame can see it still running).
    void StartSettled()
    {
        vesk::math::SeedRandom(1);
        vesk::math::MarkRandomClockSeeded();
        ASSERT_NO_FATAL_FAILURE(this->StartGame());
        ASSERT_TRUE(this->StepUntilMainGame());
        vesk::math::SeedRandom(1);
        // The floor's blinking began with the world, some frames ago: it starts again with the seed.
        GetGameWorld()->ship->grid.RestartFloorAnimation();
        const std::size_t main = this->frames.size();
        vesk::file::FinishSaveJob();
        ASSERT_TRUE(this->StepUntilSaveIdle(kSettleFrames));
        this->StepFrames(kSettleFrames - static_cast<int>(this->frames.size() - main));
    }
    static constexpr int kSettleFrames = 120;

    // The run starts with the next frame.
    void BeginRun() { first_ = this->frames.size(); }

    void Step(std::string_view step, int count)
    {
        this->StepFrames(count);
        Name(step);
    }
    void Key(int action, int after = 2)
    {
        this->PressAction(action);
        Step("key " + std::to_string(action), after);
    }
    void Keys(std::initializer_list<int> actions, int after = 2)
    {
        for (int action : actions) Key(action, after);
    }
    // Every direction, the tab and page keys, then the wheel both ways.
    void WalkAround(int after = 2)
    {
        Keys({kActionCursorDown, kActionCursorDown, kActionCursorDown, kActionCursorUp, kActionCursorUp, kActionCursorUp,
              kActionCursorRight, kActionCursorRight, kActionCursorLeft, kActionCursorLeft, kActionMenuTabRight,
              kActionMenuTabLeft},
             after);
        Scroll(-3);
        Scroll(3);
    }
    void Scroll(int steps, int after = 2)
    {
        this->Wheel(steps);
        Step("wheel " + std::to_string(steps), after);
    }
    void Click(int x, int y, int after = 3)
    {
        this->ClickAt(x, y);
        Step("click " + std::to_string(x) + "," + std::to_string(y), after);
    }
    static bool DialogShown() { return GetInDisplaySelection()->IsVisible(); }
    // Steps until the shared dialog's button rests (takes keys), 30 frames at the most.
    void WaitForDialogToRest()
    {
        const GAME_CUIInDisplaySelectionObject& dialog = *GetInDisplaySelection();
        for (int frame = 0; frame < 30 && !(dialog.IsVisible() && dialog.EnterButton()->State() == 1); ++frame) Step("wait", 1);
    }
    // Waits for the shared dialog to rest, then answers it as the player does; false when none came.
    bool Answer(bool yes)
    {
        GAME_CUIInDisplaySelectionObject& dialog = *GetInDisplaySelection();
        WaitForDialogToRest();
        if (!dialog.IsVisible()) return false;
        // The dialog's two answers stand one above the other: up or down moves between them.
        const int wanted = yes ? GAME_CUIInDisplaySelectionObject::kAnswerYes : GAME_CUIInDisplaySelectionObject::kAnswerNo;
        if (dialog.yesNoMode && dialog.cursorIndex != wanted) Key(kActionCursorDown);
        if (dialog.yesNoMode && dialog.cursorIndex != wanted) return false;
        Key(kActionDecide, 12);
        return true;
    }
    // Closes the screen by its slot and steps until it has finished closing.
    void Close(int slot)
    {
        this->UI().SetOpen(slot, false);
        for (int frame = 0; frame < 60 && this->UI().IsOpen(slot); ++frame) Step("closing", 1);
        Step("closed", 5);
    }
    // Holds what the run did against the recording of that name.
    void Check(std::string_view name) const { CheckScreenRun(name, run_, this->frames, first_); }

private:
    void Name(std::string_view step)
    {
        for (std::size_t i = first_ + run_.size(); i < this->frames.size(); ++i) run_.push_back(DigestFrame(this->frames[i], step));
    }

    std::size_t first_ = 0;
    std::vector<ScreenRunFrame> run_;
};

}  // namespace support
