// Save images loaded into the whole game, headless, and played on through the screens that read them.
//
// The game is brought up once as the program starts it, on SDL's dummy drivers in a scratch folder,
// and a new game is played to its first road. Each input (see save_edits.h) is then loaded as the
// load screen loads a slot, and the loaded game is stepped frame by frame, then one screen opens as
// the HUD, the pause menu or the options open it: the crew list, the quests, the item dictionary,
// the build grid, the pause menu's rows (message and talk logs, save slots, achievements, options,
// sound room), the two binding screens, a hideout facility when the ship lies at one, or the screen
// of one of the ship's rooms. The sum of the input's bytes picks which, so that a run stays within
// the test run's time for one input. The screen gets cursor keys, a tab, DECIDE and CANCEL before
// it closes. A game the input ended (a game over, the title) is brought up again.
#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "framework/app/framework_session.h"
#include "framework/file/resource_file.h"
#include "framework/file/save_file.h"
#include "framework/graphics/device_record.h"
#include "framework/input/key_tables.h"
#include "framework/log/log.h"
#include "framework/math/random.h"
#include "framework/window/window_proc.h"
#include "fuzz/save_edits.h"
#include "game/app/game_app.h"
#include "game/app/scene/scene_base.h"
#include "game/app/scene/scene_initialize.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/session/play_session.h"
#include "game/model/ship/ship.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"
#include "game/ui/screens/ui_current_quest.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/ui_screen.h"
#include "platform/input/keyboard.h"

namespace {

using namespace save_layout;

constexpr vesk::app::FrameworkSystems kGameSystems =
    (vesk::app::kAllFrameworkSystems & ~static_cast<vesk::app::FrameworkSystems>(vesk::app::FrameworkSystem::CrashHandler)) |
    static_cast<vesk::app::FrameworkSystems>(vesk::app::FrameworkSystem::Game);
// Frames the loaded game runs before the screens open, and frames each screen stays open at the least.
constexpr int kFramesAfterLoad = 20;
constexpr int kFramesPerKey = 2;
// Rooms whose screens can open, in the ship's build order: enough for every kind a seed's ship has.
constexpr std::size_t kRoomScreens = 12;
// The screens the HUD and the pause menu open, and those of the hideout while the ship lies at one.
constexpr int kFieldScreens[] = {kSlotAllActorInfo, kSlotCurrentQuest, kSlotItemDictionary, kSlotBuild,
                                 kSlotMessageLog, kSlotTalkLog,      kSlotSaveSlots,      kSlotAchieveList,
                                 kSlotOption,    kSlotKeyboardConfig, kSlotControllerConfig, kSlotSoundRoom};
constexpr int kHideoutScreens[] = {kSlotAjitoMenu, kSlotPub, kSlotQuestBoard, kSlotShop, kSlotGasStation};
constexpr std::size_t kPicks = std::size(kFieldScreens) + std::size(kHideoutScreens) + kRoomScreens;
constexpr int kTourKeys[] = {kActionCursorDown, kActionCursorDown, kActionCursorRight, kActionMenuTabRight,
                             kActionCursorUp,   kActionDecide,     kActionCursorDown,  kActionCancel,
                             kActionCancel};

// Made once and never freed: the session stays up to the process's end, past the static state of the
// systems it would stop.
varnolis::GameApplication& g_game = *new varnolis::GameApplication;
vesk::app::FrameworkSession* g_session = nullptr;
std::vector<std::uint8_t> g_keysToRelease;

GAME_CUIManager& UI() { return *UIManagerOf(GetGameWorld()); }

void Frame()
{
    vesk::window::GetWindowInputState().active = true;
    g_game.GameFrame();
    for (std::uint8_t key : g_keysToRelease) platform::input::SetKeyDown(key, false);
    g_keysToRelease.clear();
}

void StepFrames(int count)
{
    for (int i = 0; i < count; ++i) Frame();
}

bool StepUntil(const std::function<bool()>& done, int maxFrames)
{
    for (int i = 0; i < maxFrames && !done(); ++i) Frame();
    return done();
}

void PressAction(int action)
{
    const std::int32_t logical = GetInputMap()->GetKeyBinding(action);
    for (const vesk::input::KeyLogical& entry : vesk::input::LogicalKeyTable()) {
        if (entry.logicalKey != logical) continue;
        platform::input::SetKeyDown(entry.keyCode, true);
        g_keysToRelease.push_back(entry.keyCode);
        return;
    }
}

// Frames until done() holds, DECIDE pressed on every other frame while an event text stands all
// shown, as a reader confirms it (a key held down is no new press).
void StepConfirmingEventsUntil(const std::function<bool()>& done, int maxFrames)
{
    for (int frame = 0; frame < maxFrames && !done(); ++frame) {
        const GAME_CUIEvent* text = UI().Get<GAME_CUIEvent>();
        if (frame % 2 == 0 && text != nullptr && text->IsOpen() && text->AllShown() && !text->IsFinished()) {
            PressAction(kActionDecide);
        }
        Frame();
    }
}

// The game brought up afresh and a new game played to its first road, as the player starts one.
void StartGameToFirstRoad()
{
    if (g_session != nullptr) {
        g_session->Stop();
        delete g_session;
    }
    platform::input::ResetKeyboard();
    vesk::math::SeedRandom(1);
    vesk::math::MarkRandomClockSeeded();
    g_session = new vesk::app::FrameworkSession(kGameSystems, u"", &g_game);
    if (!g_session->Start()) __builtin_trap();
    if (vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord()) record->presenter.SetPaced(false);
    const bool mainGame = StepUntil([] {
        const GAME_CSceneStack* stack = PeekSceneStack();
        return stack != nullptr && stack->scenes.size() == 1 && stack->scenes.front()->GetSceneId() == kSceneGameMain;
    }, 1200);
    if (!mainGame) __builtin_trap();
    GAME_CUITitle& title = *UI().Get<GAME_CUITitle>();
    if (!StepUntil([&] { return title.GetSubState() == GAME_CUITitle::kPressStart; }, 300)) __builtin_trap();
    PressAction(kActionDecide);
    StepFrames(2);
    PressAction(kActionDecide);
    if (!StepUntil([] { return UI().IsOpen(kSlotCommon); }, 400)) __builtin_trap();
    const GAME_CRouteManager* route = GetGameWorld()->travel->routeManager.get();
    StepConfirmingEventsUntil([&] { return !route->IsStartRoute() && !UI().IsOpen(kSlotEvent); }, 3000);
    StepUntil([] { return !UI().IsOpen(kSlotFade); }, 120);
}

// Whether the game stands in the field: the HUD up, no title, game over or closing scene.
bool InTheField()
{
    GAME_CUIManager& ui = UI();
    const GAME_CSceneStack* stack = PeekSceneStack();
    const bool mainAlone = stack != nullptr && stack->scenes.size() == 1 && stack->scenes.front()->GetSceneId() == kSceneGameMain;
    return mainAlone && ui.IsOpen(kSlotCommon) && !ui.IsOpen(kSlotTitle) && !ui.IsOpen(kSlotGameOver) &&
           !ui.IsOpen(kSlotEnding) && !ui.IsOpen(kSlotStaffRoll);
}

// Whether a screen is one the tour closes: every screen the game opens over the field but the
// hideout's root, which stands while the ship lies at a hideout, and the game over and title.
bool ClosedByTour(int slot, bool eventToo)
{
    if (slot == kSlotEvent && !eventToo) return false;
    return slot >= kSlotBuild && slot <= kSlotSaveSlots && slot != kSlotAjitoRoot && slot != kSlotGameOver &&
           slot != kSlotTitle;
}

// The game's own screens closed and finished closing, the game held meanwhile, as on the way to a
// load (the event window too, before a load). A screen that opens the pause menu again as it closes
// has it closed in the next frame.
void CloseScreens(bool eventToo = false)
{
    StepUntil([&] {
        GetGameWorld()->held = 1;
        bool open = false;
        for (int screen = kSlotBuild; screen <= kSlotSaveSlots; ++screen) {
            if (!ClosedByTour(screen, eventToo) || !UI().IsOpen(screen)) continue;
            UI().SetOpen(screen, false);
            open = true;
        }
        if (eventToo) UI().CloseEventChoices();
        return !open;
    }, 8 * GAME_CUIScreen::kSlideFrames);
}

// The screen just opened, once it has slid in, walked over by keys, and closed.
void WalkAndClose()
{
    StepFrames(GAME_CUIScreen::kSlideFrames + 2);
    for (int key : kTourKeys) {
        PressAction(key);
        StepFrames(kFramesPerKey);
    }
    CloseScreens();
}

// The screen opened as its opener opens it, walked over by keys, and closed.
void TourScreen(int slot)
{
    if (!InTheField()) return;
    GAME_CUIManager& ui = UI();
    if (slot == kSlotCurrentQuest || slot == kSlotItemDictionary) GetGameWorld()->held = 1;
    ui.SetOpen(slot, true);
    if (slot == kSlotCurrentQuest) {
        if (auto* quests = ui.Get<GAME_CUICurrentQuest>()) quests->openedFromHud = 1;
    }
    WalkAndClose();
}

// The screen of the room at that place in the ship's build order, when the ship has one there.
void TourRoom(std::size_t place)
{
    const std::vector<GAME_CRoomBase*>* rooms = GetUIShipRooms(*GetGameWorld());
    if (rooms == nullptr || place >= rooms->size() || !InTheField()) return;
    UI().OpenRoomScreen((*rooms)[place], static_cast<std::int32_t>(place));
    WalkAndClose();
}

// The screen the pick names: the field's screens, then the hideout's, then the rooms'.
void TourPicked(std::size_t pick)
{
    if (pick < std::size(kFieldScreens)) return TourScreen(kFieldScreens[pick]);
    pick -= std::size(kFieldScreens);
    if (pick < std::size(kHideoutScreens)) {
        if (UI().IsOpen(kSlotAjitoRoot)) TourScreen(kHideoutScreens[pick]);
        return;
    }
    TourRoom(pick - std::size(kHideoutScreens));
}

const std::vector<fuzz_support::Image>& BaseImages()
{
    static const std::vector<fuzz_support::Image> images = fuzz_support::ReadBaseImages({});
    return images;
}

// One input: the image loaded into the game and the picked screen toured.
void RunInput(const uint8_t* data, size_t size)
{
    static fuzz_support::Image image;
    fuzz_support::ImageOfInput(data, size, BaseImages(), image);
    if (!InTheField()) StartGameToFirstRoad();
    CloseScreens(true);
    vesk::math::SeedRandom(1);
    GetSaveManager()->autoSaveCounter = 0;
    if (TakeLoadedImage(image) != GAME_CSaveManager::kOk) return;
    // The slot applied as the load screen applies it.
    SaveAreas& areas = GetSaveAreas();
    GetSaveManager()->currentSlot = areas.ImageCurrentSlot();
    SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    StepFrames(kFramesAfterLoad);
    std::size_t sum = 0;
    for (std::size_t i = 0; i < size; ++i) sum += data[i];
    TourPicked(sum % kPicks);
}

}  // namespace

// The game keeps its objects in its own heap, which the leak check does not read: the check the
// sanitizer runs as the process ends would count everything they hold as lost, as the per-input one would.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    fuzz_support::AllowWholeImages(argc, argv);
    // The game runs in a folder of its own: the corpus folders named and the findings written stay
    // where the run was started.
    static std::vector<std::string> paths;
    static std::vector<char*> arguments;
    const std::filesystem::path started = std::filesystem::current_path();
    paths.push_back("-artifact_prefix=" + (started / "").string());
    // The game keeps its objects in its own heap, which the leak check does not read: everything
    // they hold would count as lost.
    static std::string noLeakCheck = "-detect_leaks=0";
    for (int i = 1; i < *argc; ++i) {
        if ((*argv)[i][0] != '-') paths.push_back(std::filesystem::absolute((*argv)[i]).string());
    }
    arguments.assign(*argv, *argv + 1);
    arguments.push_back(paths[0].data());
    arguments.push_back(noLeakCheck.data());
    std::size_t next = 1;
    for (int i = 1; i < *argc; ++i) arguments.push_back((*argv)[i][0] != '-' ? paths[next++].data() : (*argv)[i]);
    arguments.push_back(nullptr);
    *argc = static_cast<int>(arguments.size()) - 1;
    *argv = arguments.data();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
    // The game's save folder lies in a scratch folder of its own; the data set is the one the build made.
    std::string folder = (std::filesystem::temp_directory_path() / "varnolis_save_screens_XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) __builtin_trap();
    std::filesystem::current_path(folder);
    std::filesystem::create_directories(std::filesystem::path(folder) / vesk::file::kSaveFolder);
    vesk::file::SetResourceFolder(VARNOLIS_BUILT_RESOURCE_DIR);
    SetStartupJobsInline(true);
    vesk::file::SetSaveJobsWaited(true);
    // Brought up before the runs, outside the time each input is given, and a first image loaded
    // and toured, so that what is made at a screen's first opening is made then too.
    StartGameToFirstRoad();
    RunInput(nullptr, 0);
    return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed)
{
    return fuzz_support::MutateEditList(data, size, maxSize, seed, BaseImages());
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RunInput(data, size);
    return 0;
}
