// The particle runtime: missing callbacks, unknown effects and the command ring.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <vector>

#include "framework/utility/particle/particle_runtime.h"

namespace vesk::utility::particle {
namespace {

std::vector<std::int32_t> g_errors;

void RecordError(std::int32_t code) { g_errors.push_back(code); }

// The host table with an error callback the tests can read.
UTL_SParticleCallbacks RecordingCallbacks()
{
    UTL_SParticleCallbacks callbacks = GetHostCallbacks();
    callbacks.reportError = RecordError;
    return callbacks;
}

class ParticleRuntimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_errors.clear();
        config.workMemory = work.data();
        config.workMemoryBytes = work.size();
    }

    std::uint64_t Spawn(std::string_view name)
    {
        const float position[3] = {1.0f, 2.0f, 3.0f};
        const float rotation[3] = {0.0f, 90.0f, 0.0f};
        return runtime.SpawnEffect(name, position, rotation, 1.0f);
    }

    alignas(std::max_align_t) std::array<std::uint8_t, kParticleWorkMemoryBytes> work{};
    UTL_SParticleConfig config;
    UTL_CParticleRuntime runtime;
};

TEST_F(ParticleRuntimeTest, StartNamesTheFirstMissingCallbackOrRefusedMemory)
{
    // Positions 1 to 7 in table order, then fill as 8.
    const auto clear = [](UTL_SParticleCallbacks& table, int position) {
        switch (position) {
            case 1: table.squareRoot = nullptr; break;
            case 2: table.sine = nullptr; break;
            case 3: table.cosine = nullptr; break;
            case 4: table.arcCosine = nullptr; break;
            case 5: table.randomInteger = nullptr; break;
            case 6: table.randomUnit = nullptr; break;
            case 7: table.textureLookup = nullptr; break;
            default: table.fill = nullptr; break;
        }
    };
    for (int position = 1; position <= 8; ++position) {
        UTL_SParticleCallbacks table = RecordingCallbacks();
        clear(table, position);
        clear(table, 8);  // a later gap does not hide an earlier one
        EXPECT_EQ(runtime.Start(config, table), position);
        EXPECT_FALSE(runtime.IsRunning());
    }

    // The optional entries may be missing; a custom lookup stands in for the table's.
    UTL_SParticleCallbacks table = RecordingCallbacks();
    table.loadResource = nullptr;
    table.reportError = nullptr;
    table.unused = nullptr;
    table.predicate = nullptr;
    table.textureLookup = nullptr;
    config.customTextureLookup = [](const char*, std::uint16_t*, std::uint16_t*) { return std::int32_t{-1}; };
    EXPECT_EQ(runtime.Start(config, table), kParticleOk);
    EXPECT_TRUE(runtime.IsRunning());
    config.customTextureLookup = nullptr;

    config.workMemory = nullptr;
    EXPECT_EQ(runtime.Start(config, RecordingCallbacks()), kParticleMemoryRefused);
    config.workMemory = work.data();
    config.workMemoryBytes = UTL_CParticleRuntime::RequiredWorkMemory() - 1;
    EXPECT_EQ(runtime.Start(config, RecordingCallbacks()), kParticleMemoryRefused);
    config.workMemoryBytes = UTL_CParticleRuntime::RequiredWorkMemory();
    EXPECT_EQ(runtime.Start(config, RecordingCallbacks()), kParticleOk);
}

TEST_F(ParticleRuntimeTest, AnEffectNobodyDefinedGivesHandleZeroAndError19)
{
    ASSERT_EQ(runtime.Start(config, RecordingCallbacks()), kParticleOk);
    EXPECT_EQ(Spawn("hit_spark"), 0u);
    EXPECT_EQ(Spawn(""), 0u);
    EXPECT_EQ(g_errors, (std::vector<std::int32_t>{kParticleEffectNotFound, kParticleEffectNotFound}));
    EXPECT_EQ(runtime.PendingCommands(), 0u);
    EXPECT_EQ(runtime.NextHandle(), 1u);  // no handle was issued
}

TEST_F(ParticleRuntimeTest, TheCommandRingHoldsSixtyFourPostsThenRefuses)
{
    ASSERT_EQ(runtime.Start(config, RecordingCallbacks()), kParticleOk);
    // Handle 0 names no effect: nothing is posted for it.
    EXPECT_FALSE(runtime.SetEffectParameter(0, 5));
    EXPECT_EQ(runtime.PendingCommands(), 0u);

    for (std::uint32_t i = 0; i < kMaxPendingCommands; ++i) {
        ASSERT_TRUE(runtime.SetEffectParameter(7, i));
    }
    EXPECT_TRUE(g_errors.empty());
    EXPECT_FALSE(runtime.SetEffectParameter(7, 99));
    EXPECT_EQ(g_errors, std::vector<std::int32_t>{kParticleCommandRefused});
    ASSERT_EQ(runtime.PendingCommands(), kMaxPendingCommands);
    const UTL_SParticleCommand& last = runtime.PendingCommand(kMaxPendingCommands - 1);
    EXPECT_EQ(last.code, kCommandParameter);
    EXPECT_EQ(last.handle, 7u);
    EXPECT_EQ(last.words[0], kMaxPendingCommands - 1);
}

TEST_F(ParticleRuntimeTest, AStoppedRuntimeSpawnsAndPostsNothing)
{
    EXPECT_EQ(Spawn("smoke"), 0u);
    EXPECT_FALSE(runtime.SetEffectParameter(3, 1));
    ASSERT_EQ(runtime.Start(config, RecordingCallbacks()), kParticleOk);
    runtime.Shutdown();
    EXPECT_FALSE(runtime.IsRunning());
    EXPECT_EQ(Spawn("smoke"), 0u);
    EXPECT_FALSE(runtime.SetEffectParameter(3, 1));
    EXPECT_EQ(runtime.PendingCommands(), 0u);
    // Stopping with a full ring still stops.
    ASSERT_EQ(runtime.Start(config, RecordingCallbacks()), kParticleOk);
    for (std::uint32_t i = 0; i < kMaxPendingCommands; ++i) {
        runtime.SetEffectParameter(1, i);
    }
    runtime.Shutdown();
    EXPECT_FALSE(runtime.IsRunning());
}

}  // namespace
}  // namespace vesk::utility::particle
