// An effect layer with a test host and effect scripts of its own, for the effect tests.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/app/framework_manager.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/utility/effect/effect_layer.h"
#include "tests/support/framework_fixture.h"
#include "tests/support/graphic_script.h"
#include "tests/support/test_arena.h"
#include "tools/common/script_assembler.h"
#include "tools/common/sprite_package_writer.h"

namespace vesk::utility::particle::test {

inline constexpr int kEffectGroup = 1;
inline constexpr std::uint32_t kBlack = 0xFF000000u;
inline constexpr std::uint32_t kDotPixel = 0xFFFAC828u;  // the dot sprite on the canvas (0xAARRGGBB)

// Effects for the tests, each named by what it does.
inline constexpr std::string_view kTestEffects = R"(
.entry 1
"全オブジェクトの親":
    life.immortal 1
    halt
; A 4 x 4 dot at (10, 20) until it is killed.
"dot":
    visible 1
    life.immortal 1
    obj.sprite "dot" 1 0
    life.immortal 1
    pos 10 20
    halt
"at_once":
    return
"three_frames":
    visible 1
    obj.sprite "dot" 1 0
    wait 3
    return
"hidden":
    life.immortal 1
    obj.sprite "dot" 1 0
    life.immortal 1
    visible 0
    halt
; Its graphic is a script object, which has nothing to draw.
"no_sprite":
    life.immortal 1
    obj.script "child" idle
    life.immortal 1
    halt
idle:
    halt
)";

// A game world in miniature: fixed view values and four anchor objects that
// can be moved and reused (a reuse bumps the generation).
class TestHost : public UTL_CEffectHost {
public:
    struct Thing {
        UTL_SAnchorView view;
        std::uint32_t generation = 1;
    };

    float CameraZoom() const override { return zoom; }
    float DisplayScale() const override { return displayScale; }
    UTL_SShipScroll ShipScroll() const override { return scroll; }
    math::Vec2 ShipBodyPosition() const override { return bodyPosition; }
    math::Vec2 ShipBodyScale() const override { return bodyScale; }
    math::Vec2 ShipCellSize() const override { return cellSize; }

    bool FindAnchor(const UTL_SEffectAnchor& anchor, std::uint32_t mode, UTL_SAnchorView& out) const override
    {
        ++anchorQueries;
        for (const Thing& thing : things) {
            if (anchor.object == &thing) {
                if (anchor.generation != thing.generation || mode != 0) {
                    return false;
                }
                out = thing.view;
                return true;
            }
        }
        return false;
    }

    UTL_SEffectAnchor AnchorOf(int i) const { return {&things[static_cast<std::size_t>(i)], things[static_cast<std::size_t>(i)].generation}; }

    float zoom = 4.0f;
    float displayScale = 2.0f;
    UTL_SShipScroll scroll{3, 4};
    math::Vec2 bodyPosition{300.0f, 40.0f};
    math::Vec2 bodyScale{1.0f, 1.0f};
    math::Vec2 cellSize{24.0f, 24.0f};
    std::array<Thing, 4> things;
    mutable int anchorQueries = 0;
};

// The framework as the application brings it up, a sprite group 1 with the
// dot sprite, and the test effects as "script/particle.pac".
class EffectLayerFixture : public support::FrameworkFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(FrameworkFixture::SetUp());
        registry = resource::GetSpriteRegistry();
        ASSERT_NE(registry, nullptr);

        ::tools::RgbaImage dot(4, 4);
        for (std::size_t i = 0; i < dot.rgba.size(); i += 4) {
            dot.rgba[i] = 250;
            dot.rgba[i + 1] = 200;
            dot.rgba[i + 2] = 40;
            dot.rgba[i + 3] = 255;
        }
        package_ = *::tools::MakeSpritePackage("effect", {{"dot.png", dot}});
        ASSERT_NE(registry->LoadSpritePackageFromMemory(loader_, kEffectGroup, package_, "effect.pac"), nullptr);
        WriteEffects(kTestEffects);
        app::BeginFrameDraw();
    }

    void TearDown() override
    {
        layer.ReleaseParticleEffects();
        FrameworkFixture::TearDown();
    }

    void WriteEffects(std::string_view source)
    {
        const tools::script::AssemblyResult result =
            tools::script::AssembleScript(source, "effects.vss", support::GraphicCommands());
        for (const auto& error : result.errors) {
            ADD_FAILURE() << error.ToString();
        }
        WriteResource("script/particle.pac", result.package);
    }

    UTL_SEffectRequest Request(std::u16string_view label, std::uint32_t kind = kEffectAtPosition) const
    {
        UTL_SEffectRequest request;
        request.kind = kind;
        request.labelName = std::u16string(label);
        return request;
    }

    // True when the 4 x 4 block centred on (cx, cy) shows the dot and the
    // ring of pixels around it does not.
    ::testing::AssertionResult ShowsDotAt(int cx, int cy) const
    {
        return CanvasShows(cx - 2, cy - 2, 4, 4, [](int, int) { return kDotPixel; });
    }

    // Canvas pixels that are not black.
    int LitPixels() const
    {
        int lit = 0;
        for (int y = 0; y < 360; ++y) {
            for (int x = 0; x < 640; ++x) {
                lit += CanvasPixel(x, y) != kBlack ? 1 : 0;
            }
        }
        return lit;
    }

    support::TestArena pixels_{1 << 20};
    resource::TextureLoader loader_{nullptr, pixels_.heap()};
    resource::SpriteRegistry* registry = nullptr;
    std::vector<std::uint8_t> package_;
    TestHost host;
    UTL_CEffectLayer layer{&host};
};

}  // namespace vesk::utility::particle::test
