// The window procedure: mouse, wheel, buttons, keys, focus, the system cursor and closing.
#include <atomic>
#include <chrono>
#include <csignal>
#include <ostream>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "framework/process/quitting.h"
#include "framework/thread/thread.h"
#include "tests/support/window_fixture.h"

namespace vesk::window::test {
namespace {

using platform::MouseButton;
using platform::WindowEvent;
using platform::WindowEventType;

// Where the cursor stands: in client pixels, then in canvas units.
struct Cursor {
    int rawX, rawY, canvasX, canvasY;
    bool operator==(const Cursor&) const = default;
};

void PrintTo(const Cursor& cursor, std::ostream* out)
{
    *out << "raw " << cursor.rawX << "," << cursor.rawY << " canvas " << cursor.canvasX << "," << cursor.canvasY;
}

class WindowProcTest : public support::WindowTest {
protected:
    Cursor CursorAfterMove(int x, int y)
    {
        PushMouseMove(x, y);
        DrainMessages();
        const WindowInputState& state = GetWindowInputState();
        return {state.rawCursorX, state.rawCursorY, state.canvasCursorX, state.canvasCursorY};
    }
};

TEST_F(WindowProcTest, MousePositionIsClampedToTheClientAndScaledToTheCanvas)
{
    EXPECT_EQ(CursorAfterMove(-5, -7), (Cursor{0, 0, 0, 0}));
    EXPECT_EQ(CursorAfterMove(900, 500), (Cursor{640, 360, 640, 360}));

    // At twice the canvas size, client pixels halve into canvas units.
    SetWindowedClientSize(1280, 720);
    EXPECT_EQ(CursorAfterMove(1281, 2000), (Cursor{1280, 720, 640, 360}));
    EXPECT_EQ(CursorAfterMove(641, 359), (Cursor{641, 359, 320, 179}));

    // A size the game never asked for, as a window manager may give it (a tiling one does,
    // whatever the window says about resizing): the cursor's pixels are of that size.
    platform::SetWindowClientSize(960, 540);
    EXPECT_EQ(CursorAfterMove(480, 1000), (Cursor{480, 540, 320, 360}));
    // A size of nothing (a window folded away) leaves the mapping as it was.
    WindowEvent folded;
    folded.type = WindowEventType::Resized;
    Push(folded);
    DrainMessages();
    EXPECT_EQ(process::GetCanvasView(0).clientWidth, 960.0f);
}

TEST_F(WindowProcTest, WheelGivesWholeNotchesTowardZero)
{
    const WindowInputState& state = GetWindowInputState();
    const auto turn = [&](int delta) {
        WindowEvent event;
        event.type = WindowEventType::Wheel;
        event.wheelDelta = delta;
        Push(event);
        DrainMessages();
        return state.wheelSteps;
    };
    EXPECT_EQ(turn(240), 2);
    EXPECT_EQ(turn(-119), 0);
    EXPECT_EQ(turn(-360), -3);
    EXPECT_EQ(turn(121), 1);
}

struct ButtonCall {
    MouseButton button;
    int32_t x;
    int32_t y;
    bool down;
};
std::vector<ButtonCall> g_buttonCalls;
std::vector<std::pair<uint16_t, bool>> g_keyCalls;
int g_deviceChanges = 0;

TEST_F(WindowProcTest, ButtonsKeysAndDevicesReachTheInputHooks)
{
    g_buttonCalls.clear();
    g_keyCalls.clear();
    g_deviceChanges = 0;
    InputHooks hooks;
    hooks.mouseButton = [](MouseButton button, int32_t x, int32_t y, bool down) {
        g_buttonCalls.push_back({button, x, y, down});
    };
    hooks.key = [](uint16_t code, bool down) { g_keyCalls.emplace_back(code, down); };
    hooks.deviceChange = [] { ++g_deviceChanges; };
    SetInputHooks(hooks);

    const auto button = [&](WindowEventType type, MouseButton which, int x, int y) {
        WindowEvent event;
        event.type = type;
        event.button = which;
        event.x = x;
        event.y = y;
        Push(event);
        DrainMessages();
    };
    const WindowInputState& state = GetWindowInputState();

    button(WindowEventType::ButtonDown, MouseButton::Left, 10, 20);
    EXPECT_EQ(state.captureBits, kCaptureLeft);
    button(WindowEventType::ButtonDown, MouseButton::Right, 700, -3);  // outside: passed unclamped
    EXPECT_EQ(state.captureBits, kCaptureLeft | kCaptureRight);
    button(WindowEventType::ButtonDown, MouseButton::Middle, 1, 2);
    EXPECT_EQ(state.captureBits, kCaptureLeft | kCaptureMiddle | kCaptureRight);
    button(WindowEventType::ButtonUp, MouseButton::Left, 11, 21);
    EXPECT_EQ(state.captureBits, kCaptureMiddle | kCaptureRight);

    ASSERT_EQ(g_buttonCalls.size(), 4u);
    EXPECT_EQ(g_buttonCalls[0].button, MouseButton::Left);
    EXPECT_EQ(g_buttonCalls[0].x, 10);
    EXPECT_EQ(g_buttonCalls[0].y, 20);
    EXPECT_TRUE(g_buttonCalls[0].down);
    EXPECT_EQ(g_buttonCalls[1].button, MouseButton::Right);
    EXPECT_EQ(g_buttonCalls[1].x, 700);
    EXPECT_EQ(g_buttonCalls[1].y, -3);
    EXPECT_EQ(g_buttonCalls[2].button, MouseButton::Middle);
    EXPECT_FALSE(g_buttonCalls[3].down);

    WindowEvent key;
    key.type = WindowEventType::KeyDown;
    key.keyCode = 41;  // escape
    Push(key);
    key.type = WindowEventType::KeyUp;
    Push(key);
    PushType(WindowEventType::DeviceChange);
    DrainMessages();
    ASSERT_EQ(g_keyCalls.size(), 2u);
    EXPECT_EQ(g_keyCalls[0], std::make_pair(uint16_t{41}, true));
    EXPECT_EQ(g_keyCalls[1], std::make_pair(uint16_t{41}, false));
    EXPECT_EQ(g_deviceChanges, 1);
}

TEST_F(WindowProcTest, ActivationFollowsTheFocus)
{
    PushType(WindowEventType::Activated);
    DrainMessages();
    EXPECT_TRUE(GetWindowInputState().active);
    PushType(WindowEventType::Deactivated);
    DrainMessages();
    EXPECT_FALSE(GetWindowInputState().active);
}

TEST_F(WindowProcTest, SystemCursorIsHiddenOverTheClientAndShownLeftOrAbove)
{
    const MainWindowRecord& record = GetMainWindowRecord();
    platform::SetTestCursorPosition(platform::Point{-1, 50});
    PushType(WindowEventType::None);
    DrainMessages();
    EXPECT_TRUE(record.systemCursorShown);

    platform::SetTestCursorPosition(platform::Point{0, 0});
    PushType(WindowEventType::None);
    DrainMessages();
    EXPECT_FALSE(record.systemCursorShown);

    platform::SetTestCursorPosition(platform::Point{30, -2});
    PushType(WindowEventType::None);
    DrainMessages();
    EXPECT_TRUE(record.systemCursorShown);
}

TEST_F(WindowProcTest, CloseSetsQuittingAndQuitArrivesAfterWaitingMessages)
{
    process::ClearQuitting();
    PushType(WindowEventType::Close);
    PushMouseMove(5, 5);

    EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);
    EXPECT_TRUE(process::IsQuitting());
    EXPECT_EQ(quit, 0);
    EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);  // the mouse move
    EXPECT_EQ(quit, 0);
    EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);  // the quit message
    EXPECT_EQ(quit, 1);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(PumpMessages(&quit, &exitCode), 0);  // nothing left
}

std::atomic<bool> g_jobDone{false};

// Stands for a save job that notices the close only once it has started and then
// still needs a while to finish its file.
void SlowJob(thread::SYS_CThread*, void*, std::intptr_t)
{
    while (!process::IsQuitting()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    g_jobDone = true;
}

TEST_F(WindowProcTest, CloseWaitsForTheRunningWorkerThreadBeforeQuitting)
{
    process::ClearQuitting();
    g_jobDone = false;
    thread::SYSWIN_CThread* worker = thread::CreateThreadObject();
    ASSERT_NE(worker, nullptr);
    ASSERT_TRUE(worker->Start("SaveCreate", SlowJob, nullptr, 0, 0, 0, 1));

    PushType(WindowEventType::Close);
    EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);
    EXPECT_TRUE(g_jobDone);
    EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);
    EXPECT_EQ(quit, 1);

    worker->Poll();
    EXPECT_TRUE(worker->IsFinished());
    delete worker;
}

TEST_F(WindowProcTest, TerminationSignalIsACloseRequest)
{
    process::ClearQuitting();
    std::raise(SIGTERM);
    DrainMessages();
    EXPECT_TRUE(process::IsQuitting());
    EXPECT_EQ(quit, 1);
}

}  // namespace
}  // namespace vesk::window::test
