// The particle manager: its buffers, model and runtime, effect commands and host callbacks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "framework/file/resource_file.h"
#include "framework/utility/particle/particle_callbacks.h"
#include "framework/utility/particle/particle_manager.h"
#include "framework/utility/script/script_services.h"
#include "tests/support/scratch_folder.h"

namespace vesk::utility::particle {
namespace {

class ParticleManagerTest : public ::testing::Test {
protected:
    void SetUp() override { file::SetResourceFolder((scratch_.path() / "data").string()); }
    void TearDown() override
    {
        ReleaseParticleManager();
        file::SetResourceFolder(file::kResourceFolder);
    }

    support::ScratchFolder scratch_;
};

TEST_F(ParticleManagerTest, CreationGivesBuffersModelAndARunningRuntime)
{
    ASSERT_TRUE(CreateParticleManager());
    UTL_CParticleManager* manager = GetParticleManager();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->effectSpriteGroup, -1);
    EXPECT_EQ(manager->vertexBufferBytes, 0x200000u);
    EXPECT_EQ(manager->indexBufferBytes, 0x100000u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NE(manager->vertexBuffers[i], nullptr);
        EXPECT_NE(manager->indexBuffers[i], nullptr);
    }
    ASSERT_NE(manager->model, nullptr);
    EXPECT_EQ(manager->model->Name(), "ParticleModel");
    EXPECT_EQ(manager->model->VertexData().size, 0x200000u);
    ASSERT_EQ(manager->model->Meshes().size(), 1u);
    EXPECT_EQ(manager->model->Meshes()[0].indexData.size, 0x100000u);
    EXPECT_TRUE(manager->runtime.IsRunning());

    // Creating again replaces the manager rather than leaking the first.
    ASSERT_TRUE(CreateParticleManager());
    ReleaseParticleManager();
    EXPECT_EQ(GetParticleManager(), nullptr);
    ReleaseParticleManager();  // twice is harmless
}

TEST_F(ParticleManagerTest, EffectCommandsReachTheRuntimeOnlyWhileItExists)
{
    const float position[3] = {};
    const float rotation[3] = {};
    EXPECT_EQ(SpawnEffect("spark", position, rotation, 1.0f), 0u);
    SetEffectParameter(4, 1);  // no manager: nothing happens

    ASSERT_TRUE(CreateParticleManager());
    EXPECT_EQ(SpawnEffect("spark", position, rotation, 1.0f), 0u);
    SetEffectParameter(4, 1);
    EXPECT_EQ(GetParticleManager()->runtime.PendingCommands(), 1u);
}

TEST_F(ParticleManagerTest, HostCallbacksWrapTheFrameworkServices)
{
    const UTL_SParticleCallbacks& host = GetHostCallbacks();
    EXPECT_FLOAT_EQ(host.squareRoot(9.0f), 3.0f);
    EXPECT_FLOAT_EQ(host.cosine(0.0f), 1.0f);
    // A cosine rounded just past 1 still has an angle.
    EXPECT_FLOAT_EQ(host.arcCosine(1.0000001f), 0.0f);
    EXPECT_FALSE(std::isnan(host.arcCosine(-1.5f)));
    for (int i = 0; i < 1000; ++i) {
        const float unit = host.randomUnit();
        ASSERT_GE(unit, 0.0f);
        ASSERT_LT(unit, 1.0f);
        const std::int32_t integer = host.randomInteger();
        ASSERT_GE(integer, 0);
        ASSERT_LE(integer, 32767);
    }
    char block[8];
    host.fill(block, 0x5A, sizeof(block));
    EXPECT_EQ(block[7], 0x5A);
    EXPECT_TRUE(host.predicate());

    std::uint16_t width = 1, height = 1;
    EXPECT_EQ(host.textureLookup("no_such_texture", &width, &height), -1);
    EXPECT_EQ(width, 1u);
}

TEST_F(ParticleManagerTest, ResourcesLoadOnceByTheirNameBeforeTheFirstDot)
{
    support::WriteBytes(scratch_.path() / "data" / "fx" / "burst.eff", "BURST");
    EXPECT_EQ(GetHostCallbacks().loadResource("fx/burst.eff"), nullptr);  // no manager yet

    ASSERT_TRUE(CreateParticleManager());
    const void* first = GetHostCallbacks().loadResource("fx/burst.eff");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(std::memcmp(first, "BURST", 5), 0);
    EXPECT_EQ(GetHostCallbacks().loadResource("fx/burst.eff"), first);
    // The same key whatever follows the dot.
    EXPECT_EQ(GetHostCallbacks().loadResource("fx/burst.other"), first);
    EXPECT_EQ(GetHostCallbacks().loadResource("fx/missing.eff"), nullptr);
    EXPECT_EQ(GetParticleManager()->resources.size(), 1u);
}

}  // namespace
}  // namespace vesk::utility::particle
