// A careless player at the keys: seeded random input over the whole game, which must neither break nor lock.
//
// From a new game's first road, bursts of random input: presses of the keys the game binds (and of
// any other key now and then, for the key capture of the binding screens), left-button clicks,
// drags and moves at canvas points (mostly on the HUD buttons and the ship's rooms), wheel notches,
// some frames of no input, CANCEL held. After each burst the player backs out: CANCEL presses,
// DECIDE where only DECIDE moves on (event texts, event choices, a dialog without cancel, the pause
// menu's quit question), "yes" to the dialogs once refused long enough, and clicks on the empty sky.
// Checked: no crash and no sanitizer report (the run stops on either); no error line in the log;
// and no lock: within kBackOutFrames the game must rest again (see Resting: the field view with
// no screen open and nothing holding the game, or the title after a game over, and never still in
// the arcade game); a run that cannot back out fails naming what held it.
// Every run is reproducible from its seed, which seeds both the game and the player. CI plays a few
// fixed seeds briefly; VARNOLIS_RANDOM_PLAY_SEEDS=first-last (or one seed) and
// VARNOLIS_RANDOM_PLAY_FRAMES=<frames per seed> play long runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "framework/file/save_file.h"
#include "framework/input/key_tables.h"
#include "framework/math/random.h"
#include "framework/process/canvas.h"
#include "framework/process/quitting.h"
#include "game/app/scene/scene_minigame.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/object/field_draw.h"
#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/save_manager.h"
#include "game/ui/event_selection.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/screens/ui_pause.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "tests/support/game_fixture.h"
#include "tests/support/log_capture.h"

namespace {

constexpr std::uint32_t kCiSeeds[] = {1, 2};
constexpr int kCiFrames = 400;
// Frames the player has to bring the game back to rest after a burst; in the arcade game, whose
// round runs on to its ranking whatever the keys do, more.
constexpr int kBackOutFrames = 600;
constexpr int kArcadeBackOutFrames = 3600;
constexpr int kCanvasW = static_cast<int>(vesk::process::kCanvasWidth);
constexpr int kCanvasH = static_cast<int>(vesk::process::kCanvasHeight);
// A point of the sky above the ship, where a click picks nothing.
constexpr int kSkyX = 60;
constexpr int kSkyY = 90;
// Screens that stay open in the plain field view: the ship status, the resident bar, the HUD, the
// hideout root while the ship stands at a hideout, the fade and the achievement pop-up.
constexpr int kRestingSlots[] = {kSlotShipStatus, kSlotResident, kSlotCommon, kSlotAjitoRoot, kSlotFade, kSlotAchievementPopup};

// The seeds and frames of the run: CI's fixed ones unless the environment names others.
struct PlayPlan {
    std::vector<std::uint32_t> seeds;
    int frames = kCiFrames;
};

PlayPlan PlanFromEnvironment()
{
    PlayPlan plan;
    plan.seeds.assign(std::begin(kCiSeeds), std::end(kCiSeeds));
    if (const char* seeds = std::getenv("VARNOLIS_RANDOM_PLAY_SEEDS")) {
        const std::string text = seeds;
        const std::size_t dash = text.find('-');
        const unsigned long first = std::strtoul(text.c_str(), nullptr, 10);
        const unsigned long last = dash == std::string::npos ? first : std::strtoul(text.c_str() + dash + 1, nullptr, 10);
        plan.seeds.clear();
        for (unsigned long seed = first; seed <= last; ++seed) plan.seeds.push_back(static_cast<std::uint32_t>(seed));
    }
    if (const char* frames = std::getenv("VARNOLIS_RANDOM_PLAY_FRAMES")) plan.frames = std::max(1, std::atoi(frames));
    return plan;
}

class RandomPlayTest : public support::GameFixture {
protected:
    // One seed's run; a failure names the seed.
    void Play(std::uint32_t seed, int frameCount)
    {
        std::filesystem::remove_all(Folder() / vesk::file::kSaveFolder);
        std::filesystem::create_directories(Folder() / vesk::file::kSaveFolder);
        vesk::math::MarkRandomClockSeeded();
        vesk::math::SeedRandom(seed);
        player_.seed(seed);
        lastRoomPoint_.reset();
        StartNewGameToFirstRoad();
        if (HasFatalFailure()) return;
        played_ = 0;
        bool rested = true;
        while (played_ < frameCount && rested && !vesk::process::IsQuitting()) {
            Burst(std::min(std::uniform_int_distribution(50, 600)(player_), frameCount - played_));
            rested = BackOut();
        }
        const bool quit = vesk::process::IsQuitting();
        StopGame();
        EXPECT_TRUE(rested) << "seed " << seed << ": the game did not come back to rest by frame " << played_ << "; held by "
                            << held_;
        std::printf("seed %u: %d frames played%s\n", seed, played_, quit ? ", then the player quit the game" : "");
        std::fflush(stdout);
    }

private:
    int Roll(int below) { return std::uniform_int_distribution(0, below - 1)(player_); }
    float Unit() { return std::uniform_real_distribution(0.0f, 1.0f)(player_); }
    bool Chance(double share) { return Unit() < share; }

    void Frame()
    {
        StepFrames(1);
        ++played_;
    }

    void PressKeyOf(int action)
    {
        if (const std::uint8_t key = RawKeyOfAction(action)) PressRawKey(key);
    }

    // A random key press: mostly one the game binds, now and then any key there is.
    void PressRandomKey()
    {
        if (Chance(0.05)) {
            const auto table = vesk::input::LogicalKeyTable();
            PressRawKey(table[static_cast<std::size_t>(Roll(static_cast<int>(table.size())))].keyCode);
            return;
        }
        // CANCEL more often than the rest, so the player comes out of the screens too.
        PressKeyOf(Chance(0.15) ? kActionCancel : Roll(kInputActionCount));
    }

    // A canvas point: on a HUD button, on a room of the ship (often the last one again, as a second
    // click opens a room's screen), or anywhere.
    std::pair<int, int> RandomPoint()
    {
        const int kind = Roll(10);
        GAME_CUICommon* hud = UI().Get<GAME_CUICommon>();
        if (kind < 3 && hud != nullptr) {
            GAME_CUIIconObject& icon = *hud->Icon(Roll(GAME_CUICommon::kButtonCount));
            const vesk::math::Vec2 corner = icon.WorldPosition();
            const vesk::math::Vec2 size = *icon.GetSize();
            return OnCanvas(corner.x + size.x * (0.1f + 0.8f * Unit()), corner.y - size.y * (0.1f + 0.8f * Unit()));
        }
        if (kind < 6) {
            if (Chance(0.5) && lastRoomPoint_) return *lastRoomPoint_;
            const GAME_CShip& ship = *GetGameWorld()->ship;
            for (int attempt = 0; attempt < 20; ++attempt) {
                const int column = Roll(std::max(1, ship.grid.width));
                const int row = Roll(std::max(1, ship.grid.height));
                if (ship.GetRoomAtCell(column, row) == nullptr) continue;
                const vesk::math::Vec2 point = CurrentFieldFrame().ToScreen(
                    {(static_cast<float>(column) + 0.5f) * ship.grid.cellWidth, (static_cast<float>(row) + 0.5f) * ship.grid.cellHeight});
                lastRoomPoint_ = OnCanvas(point.x, point.y);
                return *lastRoomPoint_;
            }
        }
        return {Roll(kCanvasW), Roll(kCanvasH)};
    }

    static std::pair<int, int> OnCanvas(float x, float y)
    {
        return {std::clamp(static_cast<int>(x), 0, kCanvasW - 1), std::clamp(static_cast<int>(y), 0, kCanvasH - 1)};
    }

    // Random input over the frames given.
    void Burst(int frameCount)
    {
        int pointerHeld = 0;
        for (int frame = 0; frame < frameCount && !vesk::process::IsQuitting(); ++frame) {
            const int roll = Roll(1000);
            if (roll < 200) {
                PressRandomKey();
            } else if (roll < 300) {
                const auto [x, y] = RandomPoint();
                ClickAt(x, y);
            } else if (roll < 360) {
                const auto [x, y] = RandomPoint();
                PointerMove(x, y);
            } else if (roll < 375 && pointerHeld == 0) {
                const auto [x, y] = RandomPoint();
                PointerDown(x, y);
                pointerHeld = 1 + Roll(40);
            } else if (roll < 405) {
                Wheel(Roll(2) == 0 ? -(1 + Roll(3)) : 1 + Roll(3));
            } else if (roll < 415) {
                const int action = Roll(kInputActionCount);
                if (RawKeyOfAction(action) != 0) HoldAction(action, 2 + Roll(60));
            } else if (roll < 420) {
                if (RawKeyOfAction(kActionCancel) != 0) HoldAction(kActionCancel, 5 + Roll(60));
            } else if (roll < 440 && lastRoomPoint_) {
                // Two clicks on one room: the first selects its cell, the second opens its screen.
                ClickAt(lastRoomPoint_->first, lastRoomPoint_->second);
                Frame();
                Frame();
                ClickAt(lastRoomPoint_->first, lastRoomPoint_->second);
            } else if (roll < 450) {
                const int idle = 10 + Roll(120);
                for (int i = 0; i < idle; ++i) Frame();
                continue;
            }
            if (pointerHeld > 0 && --pointerHeld == 0) PointerUp();
            Frame();
        }
        PointerUp();
    }

    // The player backs out until the game rests: false when it did not within kBackOutFrames.
    bool BackOut()
    {
        int budget = kBackOutFrames;
        for (int frame = 0; frame < budget; ++frame) {
            // A round of the arcade game runs on whatever the keys do: the field has its own frames
            // from the arcade's end.
            if (Arcade() != nullptr && frame < kArcadeBackOutFrames) budget = frame + kBackOutFrames;
            if (vesk::process::IsQuitting() || Resting()) return true;
            // A key held down is no new press: every other frame.
            if (frame % 2 == 0) PressBackOutKey(frame);
            Frame();
        }
        if (Resting()) return true;
        held_ = DescribeHold();
        return false;
    }

    // CANCEL, but what only DECIDE answers gets DECIDE: a dialog that cannot be cancelled its "no" when
    // it has one, the pause menu's quit question its "continue". A player refused for half the frames
    // gives in and answers dialogs "yes" (a screen may ask again each time it is left: leave without
    // saving?). Now and then a click on the sky instead.
    void PressBackOutKey(int frame)
    {
        const GAME_CUIInDisplaySelectionObject& dialog = *GetInDisplaySelection();
        const GAME_CUIPause* pause = InFieldView() ? UI().Get<GAME_CUIPause>() : nullptr;
        const bool givesIn = frame >= kBackOutFrames / 2;
        if (const GAME_CSceneMiniGameSideScroll* arcade = Arcade()) {
            const std::int32_t state = arcade->State();
            const bool ranking = state == GAME_CSceneMiniGameSideScroll::kRanking || state == GAME_CSceneMiniGameSideScroll::kScoreEntry;
            PressKeyOf(ranking ? kActionDecide : kActionCancel);
        } else if (pause != nullptr && pause->IsOpen() && pause->GetSubState() == GAME_CUIPause::kQuitDialog) {
            // Only once the last press has been acted on: the menu under the question has its cursor
            // on the quit row, which a further DECIDE would press again.
            if (frame % 16 == 0) {
                PressKeyOf(pause->GetDialogCursor() == GAME_CUIPause::kChoiceContinue ? kActionDecide : kActionCursorDown);
            }
        } else if (InFieldView() && dialog.IsVisible() && (givesIn || !dialog.closable)) {
            const int wanted = givesIn ? GAME_CUIInDisplaySelectionObject::kAnswerYes : GAME_CUIInDisplaySelectionObject::kAnswerNo;
            const bool onIt = !dialog.yesNoMode || dialog.cursorIndex == wanted;
            PressKeyOf(onIt ? kActionDecide : kActionCursorDown);
        } else if (WaitsForDecide()) {
            PressKeyOf(kActionDecide);
        } else if (frame % 16 == 0 && InFieldView()) {
            ClickAt(kSkyX, kSkyY);
        } else {
            PressKeyOf(kActionCancel);
        }
    }

    // The arcade game's scene while it is on the stack (also while it hands back to the main game),
    // else null.
    static const GAME_CSceneMiniGameSideScroll* Arcade()
    {
        const GAME_CSceneStack* stack = PeekSceneStack();
        if (stack == nullptr) return nullptr;
        for (const GAME_CSceneBase* scene : stack->scenes) {
            if (scene->GetSceneId() == kSceneMiniGame) return static_cast<const GAME_CSceneMiniGameSideScroll*>(scene);
        }
        return nullptr;
    }

    static bool InFieldView()
    {
        const GAME_CSceneStack* stack = PeekSceneStack();
        return stack != nullptr && stack->scenes.size() == 1 && stack->scenes.front()->GetSceneId() == kSceneGameMain;
    }

    // An event text shown in full, or event choices: only DECIDE goes on from them.
    bool WaitsForDecide() const
    {
        if (!InFieldView()) return false;
        const GAME_CUIEventSelectionObject* choices = PeekEventSelection();
        if (choices != nullptr && choices->IsActive()) return true;
        const GAME_CUIEvent* event = UI().Get<GAME_CUIEvent>();
        return event != nullptr && event->IsOpen() && event->AllShown() && !event->IsFinished();
    }

    // At rest: the main game alone, no dialog, no event choices, and either the title at its press
    // start or menu with nothing over it, or the field view with only the resting screens open, the
    // HUD idle and nothing holding the game.
    bool Resting() const
    {
        if (!InFieldView()) return false;
        const GAME_CUIManager& ui = UI();
        if (GetInDisplaySelection()->IsVisible()) return false;
        const GAME_CUIEventSelectionObject* choices = PeekEventSelection();
        if (choices != nullptr && choices->IsActive()) return false;
        const bool title = ui.IsOpen(kSlotTitle);
        for (int slot = 1; slot < kUISlotCount; ++slot) {
            if (!ui.IsOpen(slot) || (title && slot == kSlotTitle)) continue;
            if (std::find(std::begin(kRestingSlots), std::end(kRestingSlots), slot) == std::end(kRestingSlots)) return false;
        }
        if (title) {
            const GAME_CUITitle::SubState step = ui.Get<GAME_CUITitle>()->GetSubState();
            return step == GAME_CUITitle::kPressStart || step == GAME_CUITitle::kMenuWithoutSave || step == GAME_CUITitle::kMenuWithSave;
        }
        const GAME_CUICommon* hud = ui.Get<GAME_CUICommon>();
        if (hud != nullptr && hud->IsOpen() && hud->SubStateNow() != GAME_CUICommon::kIdle) return false;
        return GetGameWorld()->held == 0;
    }

    // What keeps the game from resting, for the failure report.
    std::string DescribeHold() const
    {
        std::ostringstream out;
        const GAME_CSceneStack* stack = PeekSceneStack();
        out << "scenes";
        if (stack != nullptr) {
            for (const GAME_CSceneBase* scene : stack->scenes) out << ' ' << scene->GetSceneId();
        }
        if (!InFieldView()) return out.str();
        const GAME_CUIManager& ui = UI();
        out << "; open slots (state)";
        for (int slot = 1; slot < kUISlotCount; ++slot) {
            if (!ui.IsOpen(slot)) continue;
            out << ' ' << slot << ' ' << typeid(*ui.GetScreen(slot)).name();
            if (const auto* screen = ui.Get<GAME_CUIScreen>(slot)) out << " (" << static_cast<int>(screen->State()) << ')';
        }
        const GAME_CUIInDisplaySelectionObject& dialog = *GetInDisplaySelection();
        out << "; dialog " << dialog.IsVisible();
        if (dialog.IsVisible()) {
            out << " of slot " << dialog.ownerSlot << (dialog.closable ? ", closable" : "") << ": ";
            for (char16_t c : dialog.Message()) out << (c < 0x80 ? static_cast<char>(c) : '?');
        }
        const GAME_CUIEventSelectionObject* choices = PeekEventSelection();
        out << "; event choices " << (choices != nullptr && choices->IsActive());
        if (const GAME_CUICommon* hud = ui.Get<GAME_CUICommon>()) out << "; HUD step " << static_cast<int>(hud->SubStateNow());
        if (const GAME_CUITitle* title = ui.Get<GAME_CUITitle>()) out << "; title step " << static_cast<int>(title->GetSubState());
        if (const GAME_CUIPause* pause = ui.Get<GAME_CUIPause>()) out << "; pause step " << static_cast<int>(pause->GetSubState());
        out << "; save machine " << (GetSaveManager()->IsIdle() ? "idle" : "busy");
        out << "; held " << GetGameWorld()->held << "; input blocked " << GetGameWorld()->inputBlocked;
        return out.str();
    }

    std::mt19937 player_;
    std::optional<std::pair<int, int>> lastRoomPoint_;
    int played_ = 0;
    std::string held_;
};

TEST_F(RandomPlayTest, CarelessPlayerNeitherBreaksNorLocksTheGame)
{
    const PlayPlan plan = PlanFromEnvironment();
    for (std::uint32_t seed : plan.seeds) {
        support::LogCapture log;
        Play(seed, plan.frames);
        ASSERT_FALSE(HasFatalFailure()) << "seed " << seed;
        for (const std::string& line : log.Lines()) {
            EXPECT_NE(line.rfind("error: ", 0), 0u) << "seed " << seed << ": " << line;
        }
    }
}

}  // namespace
