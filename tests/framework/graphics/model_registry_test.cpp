// Model textures found by name in the framework's sprite registry.
#include <gtest/gtest.h>

#include "framework/graphics/device_model.h"
#include "framework/graphics/sprite_registry.h"
#include "tests/support/framework_fixture.h"
#include "tests/support/sprite_test_data.h"
#include "tools/common/model_writer.h"

namespace {

using ModelRegistryTextures = support::FrameworkFixture;

TEST_F(ModelRegistryTextures, FoundByNameInAnyTextureSlotGroup)
{
    vesk::resource::SpriteRegistry& registry = manager->spriteRegistry;
    const vesk::resource::TextureLoader textureLoader;
    const std::vector<std::uint8_t> wood = support::ImageFile("wood");
    const std::vector<std::uint8_t> normals = support::ImageFile("wood_nrm");
    const std::int32_t woodId = registry.AddTextureFromImage(textureLoader, 3, wood);
    const std::int32_t normalId = registry.AddTextureFromImage(textureLoader, 31, normals);
    ASSERT_NE(woodId, vesk::resource::kNoTexture);
    ASSERT_NE(normalId, vesk::resource::kNoTexture);

    tools::ModelSource source;
    source.nodes.push_back({"root"});
    source.meshes.push_back({"a", {0, 1, 2}, 28, "wood", 0, 7});
    source.meshes.push_back({"b", {0, 1, 2}, 28, "stone", 0, 1});
    const std::vector<std::uint8_t> bytes = tools::MakeModelImage(source);
    vesk::resource::SYSWIN_CModel model;
    ASSERT_TRUE(model.Load({}, bytes.data(), bytes.size()));
    EXPECT_EQ(model.Meshes()[0].textures[0], registry.GetTextureById(woodId));
    EXPECT_EQ(model.Meshes()[0].textures[1], registry.GetTextureById(normalId));
    EXPECT_EQ(model.Meshes()[0].textures[2], nullptr);  // no "wood_spc"
    EXPECT_EQ(model.Meshes()[1].textures[0], nullptr);  // missing: drawn without
    registry.ReleaseAllTextures();  // before the images they borrow go
}

}  // namespace
