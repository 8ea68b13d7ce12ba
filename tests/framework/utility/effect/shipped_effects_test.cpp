// The effects of the data set: their sprites where the scripts look, and every effect playing to its end.
#include <cstdint>
#include <vector>

#include "tests/framework/utility/effect/effect_test_support.h"
#include "tests/support/built_resources.h"
#include "tests/support/log_capture.h"

namespace vesk::utility::particle::test {
namespace {

using script_graphic::UTL_CObjectScript;

using support::ReadBuiltResource;

// The effect scripts of the data set with the effect sprites in group 1.
class ShippedEffects : public EffectLayerFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(EffectLayerFixture::SetUp());
        const std::vector<std::uint8_t> scripts = ReadBuiltResource("script/particle.pac");
        shippedSprites_ = ReadBuiltResource("effect/effect.pac");
        ASSERT_FALSE(scripts.empty()) << "the data set is not built";
        ASSERT_FALSE(shippedSprites_.empty()) << "the data set is not built";
        WriteResource("script/particle.pac", scripts);
        registry->ReleaseSpritePackage(kEffectGroup);
        ASSERT_NE(registry->LoadSpritePackageFromMemory(loader_, kEffectGroup, shippedSprites_, "effect.pac"),
                  nullptr);
    }

    std::vector<std::uint8_t> shippedSprites_;
};

// The scripts name their sprites by index (see the header of particle.vss).
TEST_F(ShippedEffects, TheSpritesStandAtTheIndicesTheScriptsUse)
{
    const std::pair<const char*, int> expected[] = {{"burst_01", 0}, {"burst_04", 3},  {"smoke_01", 4},
                                                    {"smoke_04", 7}, {"sparkle_01", 8}, {"sparkle_03", 10}};
    for (const auto& [name, index] : expected) {
        EXPECT_EQ(registry->FindSprite(kEffectGroup, name), index) << name;
    }
}

TEST_F(ShippedEffects, EveryEffectPlaysAndEndsWhileTheRootLivesOn)
{
    support::LogCapture log;
    layer.LoadParticleScripts();
    UTL_CObjectScript* root = layer.Root();
    ASSERT_NE(root, nullptr);
    for (const std::u16string_view label : {u"hit_spark", u"smoke", u"sparkle", u"muzzle_flash"}) {
        UTL_SEffectRequest request = Request(label);
        request.params.offset = {320.0f, 180.0f};
        ASSERT_NE(layer.SpawnParticleEffect(request), nullptr);
        int drawnFrames = 0;
        int frames = 0;
        for (; frames < 300 && !layer.ActiveRecords().empty(); ++frames) {
            layer.UpdateParticleEffects();
            const std::size_t draws = layer.CollectDraws().size();
            EXPECT_LE(draws, 1u);  // one sprite per effect
            drawnFrames += static_cast<int>(draws);
        }
        EXPECT_TRUE(layer.ActiveRecords().empty()) << "an effect that does not end";
        EXPECT_GT(drawnFrames, 10);
        EXPECT_LT(frames, 120);
        EXPECT_EQ(GetEffectEngine()->ObjectCount(), 1u);
    }
    EXPECT_EQ(layer.Root(), root);
    EXPECT_TRUE(log.Lines().empty()) << log.Lines().front();
}

}  // namespace
}  // namespace vesk::utility::particle::test
