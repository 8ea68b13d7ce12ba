// 3D models: a node hierarchy with meshes, materials and key-frame animation.
// SYS_CModel is the interface, SYS_CModel_fbx the portable model (loading,
// hierarchy, animation) and SYSWIN_CModel adds the device buffers and drawing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/graphics/model_animation.h"
#include "framework/math/matrix.h"
#include "framework/memory/arena.h"

namespace vesk::resource {

class SYS_CTexture;
class SYS_CModel;

// Anything attached to a model that draws itself after the model's meshes.
class ModelAttachment {
public:
    virtual ~ModelAttachment() = default;
    virtual void DrawWithModel(SYS_CModel& model) = 0;
};

// Where a model keeps what it loads and how it finds its textures.
struct ModelLoader {
    memory::HeapRecord* heap = nullptr;  // null: the main heap, or the general allocator
    // A texture by name; null when not found. When empty, the framework
    // manager's registry is searched through every texture slot group.
    std::function<SYS_CTexture*(std::string_view name)> findTexture;
};

// A block of model data: owned (freed with its last user) or borrowed from
// the caller, who keeps it alive and may rewrite it for dynamic buffers.
struct ModelBlock {
    std::shared_ptr<std::uint8_t> bytes;
    std::size_t size = 0;

    const std::uint8_t* Data() const { return bytes.get(); }
    bool Empty() const { return !bytes || size == 0; }
};

// A copy of size bytes (zero-filled when source is null) from the heap; an
// empty block when size is 0 or the heap has no room.
ModelBlock MakeOwnedBlock(memory::HeapRecord* heap, const void* source, std::size_t size);
ModelBlock MakeBorrowedBlock(void* source, std::size_t size);

struct ModelNode {
    std::string name;
    std::int32_t parent = -1;
    std::array<std::int32_t, 16> children{};
    int childCount = 0;
};

// Texture stages of a mesh: 0 diffuse, 1 normal map, 2 specular map, 3 unused.
inline constexpr int kMeshTextureStages = 4;
inline constexpr int kMeshAnimationSlots = 4;

struct ModelMesh {
    std::string name;
    ModelBlock indexData;  // 16-bit indices
    std::uint32_t indexCount = 0;
    SYS_CTexture* textures[kMeshTextureStages] = {};
    std::uint32_t flags = 0;
    int blendMode = 0;
};

// A caller's replacement of one node's world transform: world = world x
// matrix while the flag is non-zero.
struct NodeOverride {
    std::uint32_t flag = 0;
    math::Mat4 matrix;
};

// One-mesh model made from memory rather than from an image.
struct ModelMaterialDesc {
    std::string_view name;
    std::uint32_t flags = 0;  // bit 0 as in a model image
    void* vertexData = nullptr;  // null with a size: a zero-filled block of that size
    std::size_t vertexSize = 0;
    bool borrowVertexData = false;
    std::uint32_t headerWords[2] = {};
    std::uint32_t vertexStride = 0;
    std::uint32_t bounds[8] = {};
    SYS_CTexture* texture = nullptr;
    void* indexData = nullptr;  // null with a size: a zero-filled block of that size
    std::size_t indexSize = 0;
    std::uint32_t indexCount = 0;
    bool borrowIndexData = false;
    int blendMode = 0;
};

class SYS_CModel {
public:
    virtual ~SYS_CModel() = default;
    virtual int Query() const { return 0; }
    // The image must hold at least its header; false (with a log line) for a
    // refused image, leaving the model empty.
    virtual bool Load(const ModelLoader& loader, const void* image, std::size_t size) = 0;
    virtual void Update() = 0;
    virtual bool MakeInstanceOf(const SYS_CModel& source) = 0;
    virtual bool PlayAnimation(const ModelAnimation* animation, std::int32_t startFrame, bool loop,
                               std::uint32_t fadeLength, float fadeWeight) = 0;
    virtual const ModelAnimation* GetAnimation() const = 0;
    virtual bool IsAnimationFinished() const = 0;
    virtual std::int32_t GetFrame() const = 0;
    virtual void SetFrame(std::int32_t frame) = 0;
    virtual void SetPlaybackSpeed(float speed) = 0;
    virtual void SetUpdateInterval(std::uint32_t interval) = 0;
    // Static (false) or dynamic (true) buffers; when they exist already, the
    // data is uploaded again instead.
    virtual void CreateBuffers(bool dynamic) = 0;
    // Uploads pending data and binds the vertex buffer.
    virtual void BindBuffers() = 0;
    // The meshes with their textures, then every attached object.
    virtual void Draw() = 0;
    // The meshes only, with the textures the caller bound.
    virtual void DrawMeshes() = 0;
    virtual void ResizeAttachments(std::size_t count) = 0;
    virtual void SetAttachment(std::size_t index, ModelAttachment* object) = 0;
    virtual ModelAttachment* GetAttachment(std::size_t index) const = 0;
};

// Animation state of a model.
struct ModelAnimationState {
    const ModelAnimation* current = nullptr;
    std::uint32_t interval = 0;  // above 1: the pose is evaluated on multiples of it only
    float speed = 1.0f;
    std::int32_t startFrame = 0;
    float frame = 0.0f;
    bool loop = false;
    const ModelAnimation* previous = nullptr;  // set while a cross-fade may run
    std::uint32_t previousFrame = 0;
    std::uint32_t fadeLength = 0;
    float fadeStep = 0.0f;
    float fadeWeight = 0.0f;
};

struct MeshAnimationEntry {
    std::uint32_t frame = 0;
    const ModelAnimation* animation = nullptr;
    math::Mat4 matrix = math::GetIdentityMatrix();
};

class SYS_CModel_fbx : public SYS_CModel {
public:
    SYS_CModel_fbx();
    ~SYS_CModel_fbx() override;
    SYS_CModel_fbx(const SYS_CModel_fbx&) = delete;
    SYS_CModel_fbx& operator=(const SYS_CModel_fbx&) = delete;

    bool Load(const ModelLoader& loader, const void* image, std::size_t size) override;
    void Update() override;
    bool MakeInstanceOf(const SYS_CModel& source) override;
    bool PlayAnimation(const ModelAnimation* animation, std::int32_t startFrame, bool loop, std::uint32_t fadeLength,
                       float fadeWeight) override;
    const ModelAnimation* GetAnimation() const override { return animation_.current; }
    bool IsAnimationFinished() const override;
    std::int32_t GetFrame() const override;
    void SetFrame(std::int32_t frame) override;
    void SetPlaybackSpeed(float speed) override { animation_.speed = speed; }
    void SetUpdateInterval(std::uint32_t interval) override { animation_.interval = interval; }
    void ResizeAttachments(std::size_t count) override;
    void SetAttachment(std::size_t index, ModelAttachment* object) override;
    ModelAttachment* GetAttachment(std::size_t index) const override;

    // Builds a one-mesh model from a description; its buffers are dynamic.
    bool SetupModelMaterial(const ModelLoader& loader, const ModelMaterialDesc& description);

    // The pose of the current frame into the node matrices; overrides, when
    // given, hold one entry per node.
    void EvaluatePose(std::span<const NodeOverride> overrides = {});

    const std::string& Name() const { return name_; }
    std::uint32_t RenderFlags() const { return renderFlags_; }
    std::uint32_t VertexStride() const { return vertexStride_; }
    const ModelBlock& VertexData() const { return vertexData_; }
    std::size_t NodeCount() const { return nodes_ ? nodes_->size() : 0; }
    const ModelNode& Node(std::size_t index) const { return (*nodes_)[index]; }
    int MainRoot() const { return mainRoot_; }
    std::span<const math::Mat4> BindInverseMatrices() const { return bindInverse_; }
    // Bind inverse x world per node: the bone palette of skinned drawing.
    std::span<const math::Mat4> SkinningMatrices() const { return skinning_; }
    std::span<const math::Mat4> WorldMatrices() const { return world_; }
    std::span<const ModelMesh> Meshes() const { return meshes_; }
    const ModelAnimationState& AnimationState() const { return animation_; }

    // The whole-model animation pass runs only while enabled.
    void SetWholeModelAnimationEnabled(bool enabled) { wholeEnabled_ = enabled; }
    void SetWholeModelAnimation(const ModelAnimation* animation) { wholeAnimation_ = animation; }
    const WholeModelSample& WholeModelSampleValues() const { return wholeSample_; }
    // Entries of a mesh are mesh x 4 to mesh x 4 + 3.
    void SetMeshAnimation(std::size_t mesh, int slot, const ModelAnimation* animation);
    std::span<const MeshAnimationEntry> MeshAnimations() const { return meshAnimations_; }

protected:
    // Drops the device buffers when the model is cleared for new contents.
    virtual void ReleaseDeviceObjects() {}
    void Clear();
    // Every attached object draws itself with this model.
    void DrawAttachments();

    std::vector<ModelMesh> meshes_;
    ModelBlock vertexData_;
    std::uint32_t vertexStride_ = 0;

private:
    struct Attachment {
        ModelAttachment* current = nullptr;
        ModelAttachment* pending = nullptr;
    };

    void BuildNodeMatrices(const std::vector<math::Vec4>& rotations, const std::vector<math::Vec3>& translations);
    void ChooseMainRoot();
    math::Mat4 LocalMatrix(std::size_t node, std::int64_t frame, bool crossFade) const;
    void AdvanceFrame();
    void RunWholeModelPass();
    void ResetWholeModelAnimation();

    std::string name_;
    std::uint32_t flags_ = 0;
    std::uint32_t renderFlags_ = 7;
    std::uint32_t headerWords_[2] = {};
    std::uint32_t boundsWords_[4] = {};
    std::uint32_t extraWords_[7] = {};
    std::uint32_t materialBounds_[8] = {};
    std::shared_ptr<const std::vector<ModelNode>> nodes_;
    int mainRoot_ = -1;
    std::vector<math::Mat4> bindInverse_;
    std::vector<math::Mat4> skinning_;
    std::vector<math::Mat4> world_;
    ModelAnimationState animation_;
    bool wholeEnabled_ = false;
    std::uint32_t wholeFrame_ = 0;
    const ModelAnimation* wholeAnimation_ = nullptr;
    WholeModelSample wholeSample_;
    std::vector<MeshAnimationEntry> meshAnimations_;
    std::vector<Attachment> attachments_;
};

}  // namespace vesk::resource
