// The whole game brought up headless for a test: its own data and save folders, stepped frame by frame.
#include "tests/support/game_fixture.h"

#include <algorithm>
#include <cmath>

#include <stdlib.h>
#include <unistd.h>

#include "framework/file/resource_file.h"
#include "framework/file/save_file.h"
#include "framework/graphics/device_record.h"
#include "framework/input/key_tables.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/player/player_data.h"
#include "game/app/scene/scene_initialize.h"
#include "game/app/scene/scene_stack.h"
#include "game/services/save/save_manager.h"
#include "game/services/sound/sound_player.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/selection_dialog.h"
#include "platform/input/keyboard.h"
#include "tests/support/built_resources.h"
#include "tests/support/event_window.h"
#include "tests/support/golden_picture.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/script_assembly.h"
#include "tools/common/whole_file.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/input/input_manager.h"
#include "framework/process/canvas.h"
#include "framework/window/window_proc.h"
#include "game/ui/ui_manager.h"

namespace support {
namespace {

constexpr vesk::app::FrameworkSystems kGameSystems =
    (vesk::app::kAllFrameworkSystems & ~static_cast<vesk::app::FrameworkSystems>(vesk::app::FrameworkSystem::CrashHandler)) |
    static_cast<vesk::app::FrameworkSystems>(vesk::app::FrameworkSystem::Game);

// A platform key code that sets the logical key; 0 when none does.
std::uint8_t RawKeyOfLogicalKey(std::int32_t logicalKey)
{
    for (const vesk::input::KeyLogical& entry : vesk::input::LogicalKeyTable()) {
        if (entry.logicalKey == logicalKey) return entry.keyCode;
    }
    return 0;
}

}  // namespace

void GameFixture::SetUp()
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    previousFolder_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "varnolis_game_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    std::filesystem::current_path(folder_);
    std::filesystem::create_directories(folder_ / vesk::file::kSaveFolder);
    dataFolder_ = BuiltResourcePath();
    platform::input::ResetKeyboard();
    SetStartupJobsInline(true);
    vesk::file::SetSaveJobsWaited(true);
}

void GameFixture::TearDown()
{
    StopGame();
    SetStartupJobsInline(false);
    vesk::file::SetSaveJobsWaited(false);
    platform::input::ResetKeyboard();
    vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
    std::filesystem::current_path(previousFolder_);
    std::error_code ignored;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(folder_, ignored);
}

void GameFixture::UseCopyOfDataSet()
{
    const std::filesystem::path copy = folder_ / "ResourceWin";
    std::filesystem::copy(BuiltResourcePath(), copy, std::filesystem::copy_options::recursive);
    dataFolder_ = copy;
}

void GameFixture::UseRoadScript(std::string_view source)
{
    UseCopyOfDataSet();
    const std::vector<std::uint8_t> package = AssemblePackage(source, {"route.def"});
    const std::string bytes(package.begin(), package.end());
    WriteBytes(dataFolder_ / "script/route_script.pac", bytes);
}

void GameFixture::StartGame()
{
    ASSERT_FALSE(session_.has_value());
    vesk::file::SetResourceFolder(dataFolder_.string());
    focused_ = true;
    session_.emplace(kGameSystems, u"", &game_);
    ASSERT_TRUE(session_->Start()) << "the game did not come up";
    // Frames run as fast as they are stepped.
    if (vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord()) record->presenter.SetPaced(false);
    frames.clear();
    recorder_.emplace();
}

void GameFixture::StopGame()
{
    if (!session_) return;
    session_->Stop();
    session_.reset();
    recorder_.reset();
}

namespace {

// The shared dialog up, at rest (not coming or going) and waiting for the player's answer while the
// screen that owns it is open; null before the game has its screens. A busy dialog waits on work, not
// on the player: the title leaves its busy one up unseen through the new game's opening, which takes
// no input.
const GAME_CUIInDisplaySelectionObject* DialogAtRestUnderItsScreen()
{
    // Peeked at, not made: the start-up makes the world when it is ready to.
    const GAME_CGameWorld* world = PeekGameWorld();
    const GAME_CUIManager* ui = world != nullptr ? UIManagerOf(world) : nullptr;
    if (ui == nullptr) return nullptr;
    const GAME_CUIInDisplaySelectionObject* dialog = GetInDisplaySelection();
    const bool atRest = dialog->visible && dialog->active && dialog->state == 2 && dialog->nextState != 3;
    return atRest && ui->IsOpen(static_cast<int>(dialog->ownerSlot)) ? dialog : nullptr;
}

}  // namespace

void GameFixture::Frame()
{
    vesk::window::GetWindowInputState().active = focused_;
    const bool dialogWasUp = DialogAtRestUnderItsScreen() != nullptr;
    game_.GameFrame();
    for (std::uint8_t key : keysToRelease_) platform::input::SetKeyDown(key, false);
    keysToRelease_.clear();
    for (auto& [key, frames] : keysHeld_) {
        if (--frames == 0) platform::input::SetKeyDown(key, false);
    }
    std::erase_if(keysHeld_, [](const auto& held) { return held.second <= 0; });
    vesk::window::WindowInputState& window = vesk::window::GetWindowInputState();
    if (releaseButton_) {
        window.captureBits &= ~vesk::window::kCaptureLeft;
        releaseButton_ = false;
    }
    FrameRecord record;
    if (recorder_) {
        record.sounds = std::move(recorder_->sounds);
        record.sprites = std::move(recorder_->sprites);
        record.texts = std::move(recorder_->texts);
        recorder_->Clear();
    }
    if (const GAME_CSoundPlayer* sound = PeekSoundPlayer()) {
        for (std::uint32_t n = 0; n < kSoundEffectCount; ++n) {
            if (sound->WasPlayedThisFrame(n)) record.soundEffects.push_back(n);
        }
    }
    // The dialog takes every input while it is up: one its screen leaves undrawn holds the game
    // behind a question the player cannot see, whatever the test is about.
    const GAME_CUIInDisplaySelectionObject* dialog = DialogAtRestUnderItsScreen();
    if (dialogWasUp && dialog != nullptr && recorder_) {
        const int box = vesk::resource::FindSpriteIndex(2, "ui_dialogbase");
        const bool drawn = std::any_of(record.sprites.begin(), record.sprites.end(),
                                       [box](const RecordedSpriteDraw& draw) { return draw.group == 2 && draw.ref == box; });
        EXPECT_TRUE(drawn) << "frame " << frames.size() << ": the shared dialog of screen slot " << dialog->ownerSlot
                           << " is up but nothing drew it";
    }
    frames.push_back(std::move(record));
}

void GameFixture::StepFrames(int count)
{
    for (int i = 0; i < count; ++i) Frame();
}

void GameFixture::ChooseLanguage(std::uint32_t language)
{
    GetPlayerData()->language = language;
    GetPlayerData()->languageChanged = 1;
    StepFrames(1);
}

void GameFixture::StepSimulation(int count)
{
    GAME_CGameWorld* world = GetGameWorld();
    for (int i = 0; i < count; ++i) world->Step();
}

bool GameFixture::StepUntil(const std::function<bool()>& done, int maxFrames)
{
    for (int i = 0; i < maxFrames; ++i) {
        if (done()) return true;
        Frame();
    }
    return done();
}

bool GameFixture::StepUntilSaveIdle(int maxFrames)
{
    return StepUntil([] { return GetSaveManager()->IsIdle(); }, maxFrames);
}

int GameFixture::StartupState() const
{
    const GAME_CSceneStack* stack = PeekSceneStack();
    if (stack == nullptr) return -1;
    for (const GAME_CSceneBase* scene : stack->scenes) {
        if (scene->GetSceneId() == kSceneInitialize) return static_cast<const GAME_CSceneInitialize*>(scene)->GetState();
    }
    return -1;
}

bool GameFixture::StepUntilStartupState(int state, int maxFrames)
{
    return StepUntil([&] { return StartupState() == state; }, maxFrames);
}

bool GameFixture::StepUntilMainGame(int maxFrames)
{
    return StepUntil(
        [] {
            const GAME_CSceneStack* stack = PeekSceneStack();
            return stack != nullptr && stack->scenes.size() == 1 && stack->scenes.front()->GetSceneId() == kSceneGameMain;
        },
        maxFrames);
}

void GameFixture::StartToMainGame()
{
    ASSERT_NO_FATAL_FAILURE(StartGame());
    ASSERT_TRUE(StepUntilMainGame());
    ASSERT_TRUE(StepUntilSaveIdle());
}

void GameFixture::StartPlaying()
{
    ASSERT_NO_FATAL_FAILURE(StartToMainGame());
    ASSERT_TRUE(CloseScreen(kSlotTitle));
}

void GameFixture::StartNewGameToFirstRoad()
{
    ASSERT_NO_FATAL_FAILURE(StartGame());
    ASSERT_TRUE(StepUntilMainGame());
    GAME_CUITitle& title = *UI().Get<GAME_CUITitle>();
    ASSERT_TRUE(StepUntil([&] { return title.GetSubState() == GAME_CUITitle::kPressStart; }, 300));
    PressAction(kActionDecide);
    StepFrames(2);
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotCommon); }, 400));
    const GAME_CRouteManager* route = GetGameWorld()->travel->routeManager.get();
    ASSERT_TRUE(StepConfirmingEventsUntil([&] { return !route->IsStartRoute() && !UI().IsOpen(kSlotEvent); }, 3000));
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotFade); }, 120));
}

bool GameFixture::StepConfirmingEventsUntil(const std::function<bool()>& done, int maxFrames)
{
    // A key held down is no new press: DECIDE goes down one frame and up the next.
    bool pressed = false;
    return StepUntil([&] {
        const bool waiting = EventTextWaits(UI().Get<GAME_CUIEvent>());
        if (waiting && !pressed) PressAction(kActionDecide);
        pressed = waiting && !pressed;
        return done();
    }, maxFrames);
}

void GameFixture::AnswerDialog(int answer) { GetInDisplaySelection()->answer = answer; }

void GameFixture::PressRawKey(std::uint8_t keyCode)
{
    platform::input::SetKeyDown(keyCode, true);
    keysToRelease_.push_back(keyCode);
}

std::uint8_t GameFixture::RawKeyOfAction(int action) { return RawKeyOfLogicalKey(GetInputMap()->GetKeyBinding(action)); }

void GameFixture::PressAction(int action)
{
    const std::uint8_t key = RawKeyOfAction(action);
    ASSERT_NE(key, 0) << "action " << action << " has no key to press";
    PressRawKey(key);
}

void GameFixture::HoldAction(int action, int frames)
{
    const std::uint8_t key = RawKeyOfAction(action);
    ASSERT_NE(key, 0) << "action " << action << " has no key to hold";
    platform::input::SetKeyDown(key, true);
    keysHeld_.emplace_back(key, frames);
}

namespace {

// Puts the window's pointer at a canvas point (the letterbox origin added back).
void PointerTo(int x, int y)
{
    const vesk::process::CanvasView& view = vesk::process::GetCanvasView(0);
    vesk::window::WindowInputState& window = vesk::window::GetWindowInputState();
    window.canvasCursorX = x + static_cast<int>(view.originX);
    window.canvasCursorY = y + static_cast<int>(view.originY);
}

void PressLeftAt(int x, int y)
{
    PointerTo(x, y);
    vesk::window::WindowInputState& window = vesk::window::GetWindowInputState();
    window.captureBits |= vesk::window::kCaptureLeft;
    vesk::input::OnMouseButton(vesk::input::MouseButton::Left, window.canvasCursorX, window.canvasCursorY, true);
}

}  // namespace

void GameFixture::ClickAt(int x, int y)
{
    PressLeftAt(x, y);
    releaseButton_ = true;
}

void GameFixture::TapAt(int x, int y)
{
    PointerTo(x, y);
    // The client pixel that the window's canvas scale takes back to the point.
    const vesk::process::CanvasView& view = vesk::process::GetCanvasView(0);
    const auto client = [](int canvas, float origin, float clientSize, float canvasSize) {
        return static_cast<std::int32_t>(std::ceil((static_cast<float>(canvas) + origin) * clientSize / canvasSize));
    };
    platform::WindowEvent event;
    event.button = platform::MouseButton::Left;
    event.x = client(x, view.originX, view.clientWidth, view.canvasWidth);
    event.y = client(y, view.originY, view.clientHeight, view.canvasHeight);
    event.type = platform::WindowEventType::ButtonDown;
    vesk::window::WindowProc(event);
    event.type = platform::WindowEventType::ButtonUp;
    vesk::window::WindowProc(event);
}

void GameFixture::PointerDown(int x, int y) { PressLeftAt(x, y); }

void GameFixture::PointerMove(int x, int y) { PointerTo(x, y); }

void GameFixture::PointerUp() { vesk::window::GetWindowInputState().captureBits &= ~vesk::window::kCaptureLeft; }

void GameFixture::Drag(int fromX, int fromY, int toX, int toY, int frames, const std::function<void()>& afterFrame)
{
    auto step = [&] {
        Frame();
        if (afterFrame) afterFrame();
    };
    PointerDown(fromX, fromY);
    step();
    for (int i = 1; i <= frames; ++i) {
        PointerMove(fromX + (toX - fromX) * i / frames, fromY + (toY - fromY) * i / frames);
        step();
    }
    PointerUp();
    step();
}

void GameFixture::Wheel(int steps) { vesk::window::GetWindowInputState().wheelSteps = steps; }

void GameFixture::SetFocus(bool focused) { focused_ = focused; }

bool GameFixture::CloseScreen(int slot, int maxFrames)
{
    UI().SetOpen(slot, false);
    return StepUntil([&] { return !UI().IsOpen(slot); }, maxFrames);
}

const RecordedTextDraw* GameFixture::FindTextDraw(std::u16string_view text) const
{
    if (frames.empty()) return nullptr;
    for (const RecordedTextDraw& draw : frames.back().texts) {
        if (draw.text == text) return &draw;
    }
    return nullptr;
}

const RecordedSpriteDraw* GameFixture::FindSpriteDraw(int group, std::string_view name) const
{
    const int index = vesk::resource::FindSpriteIndex(group, name);
    if (frames.empty() || index < 0) return nullptr;
    for (const RecordedSpriteDraw& draw : frames.back().sprites) {
        if (draw.group == group && draw.ref == index) return &draw;
    }
    return nullptr;
}

GAME_CUIManager& GameFixture::UI() const { return *UIManagerOf(GetGameWorld()); }

GAME_CObjectActor* GameFixture::AddCrewMember()
{
    GAME_CGameWorld* world = GetGameWorld();
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (!world->ship->GetLowestFloorCell(&x, &y)) return nullptr;
    GAME_CObjectActor* member = world->fieldObjects->AcquireActorObject();
    if (member == nullptr) return nullptr;
    ActorSetupRecord setup;
    world->ship->GetCellFloorPoint(x, y, &setup.x, &setup.y, false);
    member->Init(setup);
    return member;
}

std::uint32_t GameFixture::CanvasPixel(int x, int y) const
{
    const vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord();
    return record->targets[vesk::graphics::kOffscreenTarget]->color.DeviceTexture()->Pixel(x, y);
}

bool GameFixture::WriteCanvasPicture(const std::string& path) const
{
    constexpr int kWidth = static_cast<int>(vesk::process::kCanvasWidth);
    constexpr int kHeight = static_cast<int>(vesk::process::kCanvasHeight);
    std::vector<std::uint32_t> canvas;
    canvas.reserve(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) canvas.push_back(CanvasPixel(x, y));
    }
    return tools::WriteWholeFile(path, PpmPicture(kWidth, kHeight, canvas));
}

void GameFixture::KeepCanvasPicture(const std::string& name) const
{
    const char* folder = std::getenv("VARNOLIS_UI_PICTURE_DIR");
    if (folder == nullptr) return;
    EXPECT_TRUE(WriteCanvasPicture(std::string(folder) + "/" + name + ".ppm"));
}

std::filesystem::path GameFixture::SavePath() const { return folder_ / vesk::file::MakeSavePath(); }

std::filesystem::path GameFixture::BackupPath(int number) const
{
    return SavePath().string() + ".broken" + (number > 1 ? std::to_string(number) : std::string());
}

}  // namespace support
