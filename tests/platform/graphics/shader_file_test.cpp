// ".cfx" shader files read and refused, and the built-in programs loaded from them.
#include <gtest/gtest.h>

#include "platform/graphics/builtin_programs.h"
#include "tests/platform/graphics/gfx_test_rig.h"

namespace {

using namespace platform::gfx;

TEST(CfxFile, ReadsWhatTheWriterWrites)
{
    const auto bytes = tools::BuildCfx(ShaderStage::Pixel, "ps_vc_tc");
    CfxProgram program;
    std::string error;
    ASSERT_TRUE(ParseCfx(bytes.data(), bytes.size(), program, error)) << error;
    EXPECT_EQ(program.stage, ShaderStage::Pixel);
    EXPECT_EQ(program.name, "ps_vc_tc");
}

TEST(CfxFile, RefusesDamagedFiles)
{
    const auto good = tools::BuildCfx(ShaderStage::Vertex, "vs_vp2_vc");
    auto expectBad = [](std::vector<std::uint8_t> bytes, const char* why) {
        CfxProgram program;
        std::string error;
        EXPECT_FALSE(ParseCfx(bytes.data(), bytes.size(), program, error)) << why;
        EXPECT_FALSE(error.empty()) << why;
    };
    expectBad({}, "empty");
    expectBad(std::vector<std::uint8_t>(good.begin(), good.begin() + 11), "short header");
    auto bad = good;
    bad[0] = 'X';
    expectBad(bad, "magic");
    bad = good;
    bad[4] = 2;
    expectBad(bad, "version");
    bad = good;
    bad[6] = 7;
    expectBad(bad, "stage");
    bad = good;
    bad[8] = 200;
    expectBad(bad, "name runs past the end");
    bad = good;
    bad.push_back('x');
    expectBad(bad, "trailing bytes");
    bad = good;
    bad[8] = 0;
    bad.resize(12);
    expectBad(bad, "empty name");
    bad = good;
    bad[13] = 0;
    expectBad(bad, "control character in the name");
    CfxProgram program;
    std::string error;
    EXPECT_FALSE(ParseCfx(nullptr, 20, program, error));
}

TEST(Shaders, EveryBuiltinLoadsFromItsFileAndTakesALayout)
{
    Device device;
    EXPECT_EQ(BuiltinVertexPrograms().size(), 13u);
    EXPECT_EQ(BuiltinPixelPrograms().size(), 10u);
    const InputElement full[] = {{Semantic::Position, ElementFormat::Float3, 0},
                                 {Semantic::Color, ElementFormat::Float4, 12},
                                 {Semantic::Normal, ElementFormat::Float3, 28},
                                 {Semantic::TexCoord, ElementFormat::Float2, 40},
                                 {Semantic::BoneIndex, ElementFormat::UShort4, 48},
                                 {Semantic::BoneWeight, ElementFormat::Float4, 56}};
    for (const VertexProgram& program : BuiltinVertexPrograms()) {
        const auto bytes = tools::BuildCfx(ShaderStage::Vertex, std::string(program.name));
        std::string error;
        auto shader = device.CreateVertexShader(bytes.data(), bytes.size(), error);
        ASSERT_TRUE(shader) << program.name << ": " << error;
        EXPECT_TRUE(device.CreateInputLayout(full, *shader, error)) << program.name;
    }
    for (const PixelProgram& program : BuiltinPixelPrograms()) {
        const auto bytes = tools::BuildCfx(ShaderStage::Pixel, std::string(program.name));
        std::string error;
        EXPECT_TRUE(device.CreatePixelShader(bytes.data(), bytes.size(), error)) << program.name << ": " << error;
    }
}

TEST(Shaders, UnknownNamesWrongStagesAndShortLayoutsAreRefused)
{
    Device device;
    std::string error;
    const auto unknown = tools::BuildCfx(ShaderStage::Vertex, "vs_nothing");
    EXPECT_FALSE(device.CreateVertexShader(unknown.data(), unknown.size(), error));
    EXPECT_NE(error.find("vs_nothing"), std::string::npos);
    const auto pixel = tools::BuildCfx(ShaderStage::Pixel, "ps_vc");
    EXPECT_FALSE(device.CreateVertexShader(pixel.data(), pixel.size(), error));
    const auto vs = tools::BuildCfx(ShaderStage::Vertex, "vs_vp2_vc_vt");
    auto shader = device.CreateVertexShader(vs.data(), vs.size(), error);
    ASSERT_TRUE(shader);
    const InputElement positionOnly[] = {{Semantic::Position, ElementFormat::Float2, 0}};
    EXPECT_FALSE(device.CreateInputLayout(positionOnly, *shader, error));
}

}  // namespace
