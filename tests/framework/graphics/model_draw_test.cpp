// Models drawn on the device: depth, textures from the loader, material buffers and attachments.
#include <cmath>
#include <cstring>

#include "framework/app/framework_manager.h"
#include "framework/camera/camera.h"
#include "framework/graphics/device_model.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/texture.h"
#include "platform/graphics/device.h"
#include "tests/support/graphics_fixture.h"
#include "tools/common/model_writer.h"

namespace {

using support::GraphicsFixture;
using vesk::math::Vec3;
using vesk::resource::SYSWIN_CModel;

constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kGreen = 0xFF00FF00u;
constexpr std::uint32_t kBlack = 0xFF000000u;

// Corners of an axis-aligned rectangle at depth z, as positions followed by
// an RGBA colour (the vertex layout of the coloured 3D shader), and the
// indices of its two triangles.
void AddRect(std::vector<float>& vertices, std::vector<std::uint16_t>& indices, float x0, float y0, float x1, float y1,
             float z, const float rgba[4], bool uv = false)
{
    const auto base = static_cast<std::uint16_t>(vertices.size() / (uv ? 9 : 7));
    const float corners[4][4] = {{x0, y0, 0, 1}, {x1, y0, 1, 1}, {x1, y1, 1, 0}, {x0, y1, 0, 0}};
    for (const auto& c : corners) {
        vertices.insert(vertices.end(), {c[0], c[1], z, rgba[0], rgba[1], rgba[2], rgba[3]});
        if (uv) vertices.insert(vertices.end(), {c[2], c[3]});
    }
    for (int i : {0, 1, 2, 0, 2, 3}) indices.push_back(static_cast<std::uint16_t>(base + i));
}

class ModelDrawing : public GraphicsFixture {
protected:
    void SetUp() override
    {
        GraphicsFixture::SetUp();
        vesk::app::BeginFrameDraw();
        camera.SetPerspective(std::atan(1.0f), 640.0f / 360.0f, 1.0f, 20000.0f);
        camera.LookAt({0, 0, 10}, {0, 0, 0}, 1.0f, 20000.0f);
        vesk::graphics::SetRasterizerState(0);  // both windings
    }

    void UseShader(const char* name)
    {
        vesk::resource::SYSWIN_CShader* shader = vesk::graphics::GetShaderByName(name);
        ASSERT_NE(shader, nullptr);
        shader->SetVertexMatrix(0, camera.ViewProjection().m);
        shader->Apply(0);
        shader->Commit();
    }

    // The canvas pixel a world point lands on.
    std::uint32_t PixelAt(const Vec3& p) const
    {
        const auto clip = vesk::math::TransformVec4({p.x, p.y, p.z, 1.0f}, camera.ViewProjection());
        const int x = static_cast<int>((clip.x / clip.w + 1.0f) * 320.0f);
        const int y = static_cast<int>((1.0f - clip.y / clip.w) * 180.0f);
        return CanvasPixel(x, y);
    }

    vesk::camera::SYS_CCamera camera;
};

// A near green rectangle drawn first, then a far red one that it partly hides.
tools::ModelSource OverlappingRects()
{
    const float red[4] = {1, 0, 0, 1};
    const float green[4] = {0, 1, 0, 1};
    std::vector<float> vertices;
    tools::ModelSource source;
    source.name = "rects";
    source.nodes.push_back({"root"});
    tools::ModelMeshSource nearMesh{"near", {}, 28};
    AddRect(vertices, nearMesh.indices, 0, -1, 3, 1, 2, green);
    tools::ModelMeshSource farMesh{"far", {}, 28};
    AddRect(vertices, farMesh.indices, -2, -2, 2, 2, 0, red);
    source.meshes = {nearMesh, farMesh};
    source.vertexData = tools::FloatBytes(vertices);
    return source;
}

TEST_F(ModelDrawing, DepthTestKeepsTheNearerSurface)
{
    const std::vector<std::uint8_t> bytes = tools::MakeModelImage(OverlappingRects());
    SYSWIN_CModel model;
    ASSERT_TRUE(model.Load({}, bytes.data(), bytes.size()));
    ASSERT_NE(model.VertexBuffer(), nullptr);
    EXPECT_FALSE(model.IsDynamic());
    UseShader("vs_vp3_vc__ps_vc");

    vesk::graphics::SetDepthStencilState(7);  // test less, write
    model.BindBuffers();
    model.Draw();
    EXPECT_EQ(PixelAt({1, 0, 2}), kGreen);
    EXPECT_EQ(PixelAt({1.9f, 0.5f, 0}), kGreen);  // the far one lies behind here
    EXPECT_EQ(PixelAt({-1, 0, 0}), kRed);
    EXPECT_EQ(PixelAt({1, 1.8f, 0}), kRed);
    EXPECT_EQ(PixelAt({0, 3, 0}), kBlack);
    EXPECT_EQ(CanvasPixel(2, 2), kBlack);

    // Without the depth test the later mesh paints over the nearer one.
    vesk::app::BeginFrameDraw();
    vesk::graphics::SetRasterizerState(0);
    vesk::graphics::SetDepthStencilState(0);
    UseShader("vs_vp3_vc__ps_vc");
    model.BindBuffers();
    model.Draw();
    EXPECT_EQ(PixelAt({1, 0, 2}), kRed);
}

TEST_F(ModelDrawing, MeshTexturesComeFromTheLoader)
{
    const float white[4] = {1, 1, 1, 1};
    std::vector<float> vertices;
    tools::ModelSource source;
    source.nodes.push_back({"root"});
    tools::ModelMeshSource mesh{"textured", {}, 36, "checker", 0, 1};
    AddRect(vertices, mesh.indices, -2, -2, 2, 2, 0, white, true);
    source.meshes = {mesh};
    source.vertexData = tools::FloatBytes(vertices);

    // Left half blue, right half yellow.
    const std::uint8_t bgra[16] = {255, 0, 0, 255, 0, 255, 255, 255, 255, 0, 0, 255, 0, 255, 255, 255};
    vesk::resource::SYSWIN_CTexture texture;
    ASSERT_EQ(texture.CreateFromImage("checker", bgra, sizeof bgra, 0, 2, 2, nullptr), 0);
    vesk::resource::ModelLoader loader;
    loader.findTexture = [&texture](std::string_view name) -> vesk::resource::SYS_CTexture* {
        return name == "checker" ? &texture : nullptr;
    };
    const std::vector<std::uint8_t> bytes = tools::MakeModelImage(source);
    SYSWIN_CModel model;
    ASSERT_TRUE(model.Load(loader, bytes.data(), bytes.size()));
    UseShader("vs_vp3_vc_vt__ps_vc_tc");
    model.BindBuffers();
    model.Draw();
    EXPECT_EQ(PixelAt({-1, 0, 0}), 0xFF0000FFu);
    EXPECT_EQ(PixelAt({1, 0, 0}), 0xFFFFFF00u);
    EXPECT_EQ(record->boundTextures[0], &texture);
}

TEST_F(ModelDrawing, MaterialBuffersFollowTheBorrowedData)
{
    const float red[4] = {1, 0, 0, 1};
    std::vector<float> vertices;
    std::vector<std::uint16_t> indices;
    AddRect(vertices, indices, -2, -2, 2, 2, 0, red);
    vesk::resource::ModelMaterialDesc description;
    description.name = "ParticleModel";
    description.vertexData = vertices.data();
    description.vertexSize = vertices.size() * sizeof(float);
    description.borrowVertexData = true;
    description.vertexStride = 28;
    description.indexData = indices.data();
    description.indexSize = indices.size() * 2;
    description.indexCount = 0;  // nothing to draw yet
    description.borrowIndexData = true;
    description.blendMode = 1;
    SYSWIN_CModel model;
    ASSERT_TRUE(model.SetupModelMaterial({}, description));
    EXPECT_EQ(model.Meshes()[0].name, "default_material");
    EXPECT_EQ(model.Meshes()[0].blendMode, 1);
    EXPECT_TRUE(model.IsDynamic());
    UseShader("vs_vp3_vc__ps_vc");
    model.BindBuffers();
    // A mesh without indices keeps the upload pending and draws nothing.
    EXPECT_TRUE(model.IsUploadPending());
    model.Draw();
    EXPECT_EQ(PixelAt({0, 0, 0}), kBlack);

    description.indexCount = 6;
    ASSERT_TRUE(model.SetupModelMaterial({}, description));
    model.BindBuffers();
    EXPECT_FALSE(model.IsUploadPending());
    model.Draw();
    EXPECT_EQ(PixelAt({0, 0, 0}), kRed);

    // The caller rewrites its vertices (green now) and asks for an upload.
    for (std::size_t v = 0; v < 4; ++v) {
        vertices[v * 7 + 3] = 0;
        vertices[v * 7 + 4] = 1;
    }
    model.CreateBuffers(true);
    EXPECT_FALSE(model.IsUploadPending());
    vesk::app::BeginFrameDraw();
    vesk::graphics::SetRasterizerState(0);
    UseShader("vs_vp3_vc__ps_vc");
    model.BindBuffers();
    model.Draw();
    EXPECT_EQ(PixelAt({0, 0, 0}), kGreen);
}

struct Marker : vesk::resource::ModelAttachment {
    int draws = 0;
    void DrawWithModel(vesk::resource::SYS_CModel&) override { ++draws; }
};

TEST_F(ModelDrawing, AttachedObjectsDrawAfterTheMeshes)
{
    const std::vector<std::uint8_t> bytes = tools::MakeModelImage(OverlappingRects());
    SYSWIN_CModel model;
    ASSERT_TRUE(model.Load({}, bytes.data(), bytes.size()));
    Marker marker;
    model.ResizeAttachments(1);
    model.SetAttachment(0, &marker);
    const auto drawsBefore = record->device.GetStats().draws;
    model.BindBuffers();
    model.Draw();
    EXPECT_EQ(record->device.GetStats().draws - drawsBefore, 2u);
    EXPECT_EQ(marker.draws, 1);
    model.DrawMeshes();
    EXPECT_EQ(marker.draws, 1);
}

}  // namespace
