// A test fixture with the framework up as the application brings it up: manager, window, device and render resources.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "framework/app/framework_manager.h"
#include "framework/app/framework_session.h"
#include "framework/graphics/device_record.h"
#include "tests/support/resource_folder_fixture.h"

namespace support {

// The framework as the application brings it up: the canvas, the manager with
// its window and device, then the render resources, with every shader file in a
// private resource folder.
class FrameworkFixture : public support::ResourceFolderFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MakeResourceFolder("framework_resources"));
        session_.emplace(vesk::app::FrameworkSystem::Canvas | vesk::app::FrameworkSystem::FrameworkManager |
                         vesk::app::FrameworkSystem::RenderResources);
        ASSERT_TRUE(session_->Start());
        manager = vesk::app::GetFrameworkManager();
        ASSERT_NE(manager, nullptr);
        record = vesk::graphics::GetDeviceRecord();
        ASSERT_NE(record, nullptr);
    }

    void TearDown() override
    {
        session_.reset();
        RemoveResourceFolder();
    }

    vesk::app::GAME_CFrameworkManager* manager = nullptr;

private:
    std::optional<vesk::app::FrameworkSession> session_;
};

}  // namespace support
