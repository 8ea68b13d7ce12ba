// Full screen at the monitor size, and its return after the window is activated again.
#include "framework/graphics/device_record.h"
#include "framework/window/main_window.h"
#include "tests/support/framework_fixture.h"

namespace {

using FullScreen = support::FrameworkFixture;

TEST_F(FullScreen, TakesTheMonitorSizeAndComesBackAfterActivation)
{
    const vesk::window::MonitorSize monitor = vesk::window::GetMonitorSize();
    ASSERT_GE(monitor.width, 1.0f);
    vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord();
    ASSERT_NE(record, nullptr);

    vesk::graphics::PlaceWindowOnMonitor(1280, 720, true);
    EXPECT_TRUE(vesk::window::IsFullScreen());
    EXPECT_EQ(record->windowWidth, static_cast<int>(monitor.width));
    EXPECT_EQ(record->windowHeight, static_cast<int>(monitor.height));

    // Something else took the window out of full screen while it was inactive.
    vesk::window::SetFullScreen(false);
    vesk::window::OnWindowActivated();
    EXPECT_TRUE(vesk::window::IsFullScreen());

    vesk::graphics::PlaceWindowOnMonitor(1280, 720, false);
    EXPECT_FALSE(vesk::window::IsFullScreen());
    EXPECT_EQ(record->windowWidth, 1280);
}

}  // namespace
