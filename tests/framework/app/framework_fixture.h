#pragma once

#include <gtest/gtest.h>

#include "framework/app/canvas.h"
#include "framework/app/framework_manager.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "tests/framework/graphics/resource_folder_fixture.h"

namespace framework_test {

// The framework as the application brings it up: the manager with its window
// and device, then the render resources, with every shader file in a private
// resource folder.
class FrameworkFixture : public graphics_test::ResourceFolderFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MakeResourceFolder("framework_resources"));
        vesk::app::SetupCanvas();
        ASSERT_TRUE(vesk::app::CreateFrameworkManager());
        vesk::app::SetupRenderResources();
        manager = vesk::app::GetFrameworkManager();
        ASSERT_NE(manager, nullptr);
        record = vesk::graphics::GetDeviceRecord();
        ASSERT_NE(record, nullptr);
    }

    void TearDown() override
    {
        if (manager) manager->spriteRegistry.ReleaseAll();
        vesk::graphics::ReleaseShaderManager();
        vesk::graphics::ReleaseRenderStates();
        vesk::app::ReleaseFrameworkManager();
        vesk::app::ReleaseDeviceAndWindow();
        RemoveResourceFolder();
    }

    vesk::app::GAME_CFrameworkManager* manager = nullptr;
};

}  // namespace framework_test
