// The model image reader: header, nodes and meshes, and offsets or counts outside the image.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/graphics/model_image.h"
#include "tests/support/log_capture.h"
#include "tools/common/byte_writer.h"
#include "tools/common/model_writer.h"

namespace {

using support::LogCapture;
using vesk::resource::ModelImage;
using vesk::resource::ParseModelImage;
using ::tools::PutU32;

tools::ModelSource TwoNodeModel()
{
    tools::ModelSource model;
    model.name = "crate";
    model.flags = 1;
    model.vertexData = tools::FloatBytes({1, 2, 3, 4, 5, 6, 7, 8, 9});
    model.headerWords[0] = 11;
    model.headerWords[1] = 12;
    model.boundsWords[3] = 0x44;
    model.extraWords[6] = 0x77;
    model.nodes.push_back({"root", {0, 0, 0, 1}, {1, 2, 3}, -1});
    model.nodes.push_back({"lid", {0, 0, 1, 0}, {0, 0, 0}, 0});
    tools::ModelMeshSource mesh;
    mesh.name = "body";
    mesh.indices = {0, 1, 2};
    mesh.vertexStride = 12;
    mesh.textureName = "crate_tex";
    mesh.flags = 7;
    mesh.textureFlags = 5;
    model.meshes.push_back(mesh);
    return model;
}

// Offsets of the writer's layout for a two-node, one-mesh image.
constexpr std::size_t kNodeTable = tools::kModelImageHeaderBytes;
constexpr std::size_t kMeshTable = kNodeTable + 2 * tools::kModelNodeBytes;

TEST(ModelImage, ReadsHeaderNodesAndMeshes)
{
    const std::vector<std::uint8_t> bytes = tools::MakeModelImage(TwoNodeModel());
    ModelImage image;
    ASSERT_TRUE(ParseModelImage(bytes, "crate.mdl", image));
    EXPECT_EQ(image.name, "crate");
    EXPECT_EQ(image.flags, 1u);
    EXPECT_EQ(image.headerWords[1], 12u);
    EXPECT_EQ(image.boundsWords[3], 0x44u);
    EXPECT_EQ(image.extraWords[6], 0x77u);
    ASSERT_EQ(image.vertexData.size(), 36u);
    float third = 0;
    std::memcpy(&third, image.vertexData.data() + 8, 4);
    EXPECT_EQ(third, 3.0f);

    ASSERT_EQ(image.nodes.size(), 2u);
    EXPECT_EQ(image.nodes[0].name, "root");
    EXPECT_EQ(image.nodes[0].parent, -1);
    EXPECT_EQ(image.nodes[0].translation.z, 3.0f);
    EXPECT_EQ(image.nodes[1].parent, 0);
    EXPECT_EQ(image.nodes[1].rotation.z, 1.0f);

    ASSERT_EQ(image.meshes.size(), 1u);
    const auto& mesh = image.meshes[0];
    EXPECT_EQ(mesh.name, "body");
    EXPECT_EQ(mesh.indexCount, 3u);
    EXPECT_EQ(mesh.indexData.size(), 6u);
    EXPECT_EQ(mesh.indexData[2], 1u);
    EXPECT_EQ(mesh.vertexStride, 12u);
    EXPECT_EQ(mesh.textureName, "crate_tex");
    EXPECT_EQ(mesh.flags, 7u);
    EXPECT_EQ(mesh.textureFlags, 5u);
}

TEST(ModelImage, NamesStopAtTheirFields)
{
    std::vector<std::uint8_t> bytes = tools::MakeModelImage(TwoNodeModel());
    // Fill the mesh name field without a terminator: 63 characters are kept.
    std::memset(bytes.data() + kMeshTable, 'm', 64);
    std::memset(bytes.data() + kNodeTable, 'n', 32);
    ModelImage image;
    ASSERT_TRUE(ParseModelImage(bytes, "names", image));
    EXPECT_EQ(image.meshes[0].name, std::string(63, 'm'));
    EXPECT_EQ(image.nodes[0].name, std::string(32, 'n'));
}

TEST(ModelImage, BlendModesAndRenderFlags)
{
    const int expected[8] = {0, 1, 2, 3, 0, 0, 0, 4};
    for (std::uint32_t flags = 0; flags < 8; ++flags) {
        EXPECT_EQ(vesk::resource::MeshBlendModeFromFlags(flags | 0x100), expected[flags]) << flags;
    }
    EXPECT_EQ(vesk::resource::RenderFlagsFromModelFlags(0), 7u);
    EXPECT_EQ(vesk::resource::RenderFlagsFromModelFlags(1), 6u);
}

struct Breakage {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
    const char* logged;
};

TEST(ModelImage, RefusesOffsetsAndCountsOutsideTheImage)
{
    const std::vector<std::uint8_t> good = tools::MakeModelImage(TwoNodeModel());
    const auto size = static_cast<std::uint32_t>(good.size());
    const Breakage cases[] = {
        {"mesh table offset", 8, size, "mesh table"},
        {"mesh count", 12, 0x01000000, "mesh table"},
        {"node table offset", 16, size - 10, "node table"},
        {"node count", 20, 0xFFFFFFFF, "node table"},
        {"vertex offset", 24, size - 4, "vertex data"},
        {"vertex size", 28, 0xFFFFFFF0, "vertex data"},
        {"index offset", kMeshTable + 64, size - 2, "index data"},
        {"index size", kMeshTable + 68, 0x7FFFFFFF, "index data"},
        {"index count", kMeshTable + 72, 4, "indices do not fit"},
        {"parent too high", kNodeTable + tools::kModelNodeBytes + 72, 2, "parent"},
        {"parent below -1", kNodeTable + tools::kModelNodeBytes + 72, 0xFFFFFFFE, "parent"},
        {"own parent", kNodeTable + tools::kModelNodeBytes + 72, 1, "parent"},
    };
    for (const Breakage& breakage : cases) {
        std::vector<std::uint8_t> bytes = good;
        PutU32(bytes, breakage.offset, breakage.value);
        LogCapture capture;
        ModelImage image;
        EXPECT_FALSE(ParseModelImage(bytes, "broken.mdl", image)) << breakage.what;
        EXPECT_TRUE(capture.Contains("broken.mdl")) << breakage.what;
        EXPECT_TRUE(capture.Contains(breakage.logged)) << breakage.what;
        EXPECT_TRUE(image.nodes.empty() && image.meshes.empty()) << breakage.what;
    }
}

TEST(ModelImage, RefusesMeshesWhoseIndexDataOverlap)
{
    tools::ModelSource model = TwoNodeModel();
    model.meshes.resize(4, model.meshes[0]);
    std::vector<std::uint8_t> bytes = tools::MakeModelImage(model);
    ModelImage image;
    ASSERT_TRUE(ParseModelImage(bytes, "four.mdl", image));

    // Every mesh names the whole image as its index data: each block lies inside the image, but the copies
    // the load makes of them would take four times its size.
    for (std::size_t mesh = 0; mesh < 4; ++mesh) {
        PutU32(bytes, kMeshTable + mesh * tools::kModelMeshBytes + 64, 0);
        PutU32(bytes, kMeshTable + mesh * tools::kModelMeshBytes + 68, static_cast<std::uint32_t>(bytes.size()));
    }
    LogCapture capture;
    EXPECT_FALSE(ParseModelImage(bytes, "shared.mdl", image));
    EXPECT_TRUE(capture.Contains("shared.mdl: mesh 1"));
    EXPECT_TRUE(image.meshes.empty());
}

TEST(ModelImage, RefusesAShortHeader)
{
    const std::vector<std::uint8_t> good = tools::MakeModelImage(TwoNodeModel());
    LogCapture capture;
    ModelImage image;
    EXPECT_FALSE(ParseModelImage(std::span(good).first(291), "short.mdl", image));
    EXPECT_TRUE(capture.Contains("cut short"));
    EXPECT_FALSE(ParseModelImage({}, "empty.mdl", image));
}

TEST(ModelImage, SixteenChildrenAtMost)
{
    tools::ModelSource model;
    model.nodes.push_back({"root"});
    for (int i = 0; i < 16; ++i) model.nodes.push_back({"child", {0, 0, 0, 1}, {0, 0, 0}, 0});
    ModelImage image;
    EXPECT_TRUE(ParseModelImage(tools::MakeModelImage(model), "sixteen", image));
    model.nodes.push_back({"one too many", {0, 0, 0, 1}, {0, 0, 0}, 0});
    LogCapture capture;
    EXPECT_FALSE(ParseModelImage(tools::MakeModelImage(model), "seventeen", image));
    EXPECT_TRUE(capture.Contains("more than 16 children"));
}

}  // namespace
