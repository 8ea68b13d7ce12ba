// The portable model: loading from its image, the node hierarchy, materials and animation playback.
#include "framework/graphics/model.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include "framework/graphics/model_image.h"
#include "framework/graphics/model_math.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/log/log.h"
#include "framework/memory/heaps.h"

namespace vesk::resource {

using math::Mat4;
using math::Vec3;
using math::Vec4;

namespace {

constexpr std::string_view kDefaultMaterialName = "default_material";

// A float frame truncated to a whole number; NaN counts as 0 and huge values
// are held inside the 32-bit range, so no conversion overflows.
std::int64_t TruncateFrame(float frame)
{
    if (!(frame == frame)) return 0;
    const double truncated = std::trunc(static_cast<double>(frame));
    return static_cast<std::int64_t>(std::clamp(truncated, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                                                static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

SYS_CTexture* FindTexture(const ModelLoader& loader, const std::string& name)
{
    if (loader.findTexture) return loader.findTexture(name);
    const SpriteRegistry* registry = GetSpriteRegistry();
    return registry ? registry->FindTextureByName(0xFFFFFFFFu, name) : nullptr;
}

Vec3 Blend(const Vec3& previous, const Vec3& current, float weight)
{
    return {previous.x * weight + current.x * (1.0f - weight), previous.y * weight + current.y * (1.0f - weight),
            previous.z * weight + current.z * (1.0f - weight)};
}

}  // namespace

ModelBlock MakeOwnedBlock(memory::HeapRecord* heap, const void* source, std::size_t size)
{
    if (size == 0) return {};
    void* block = heap ? memory::MemAlloc(heap, size) : memory::MainHeapAlloc(size);
    if (!block) return {};
    // Heap blocks come zero-filled.
    if (source) std::memcpy(block, source, size);
    return {std::shared_ptr<std::uint8_t>(static_cast<std::uint8_t*>(block),
                                          [](std::uint8_t* pointer) { memory::MainHeapFree(pointer); }),
            size};
}

ModelBlock MakeBorrowedBlock(void* source, std::size_t size)
{
    if (!source || size == 0) return {};
    return {std::shared_ptr<std::uint8_t>(static_cast<std::uint8_t*>(source), [](std::uint8_t*) {}), size};
}

SYS_CModel_fbx::SYS_CModel_fbx() = default;
SYS_CModel_fbx::~SYS_CModel_fbx() = default;

void SYS_CModel_fbx::Clear()
{
    ReleaseDeviceObjects();
    meshes_.clear();
    vertexData_ = {};
    vertexStride_ = 0;
    name_.clear();
    flags_ = 0;
    renderFlags_ = 7;
    std::fill(std::begin(headerWords_), std::end(headerWords_), 0u);
    std::fill(std::begin(boundsWords_), std::end(boundsWords_), 0u);
    std::fill(std::begin(extraWords_), std::end(extraWords_), 0u);
    std::fill(std::begin(materialBounds_), std::end(materialBounds_), 0u);
    nodes_.reset();
    mainRoot_ = -1;
    bindInverse_.clear();
    skinning_.clear();
    world_.clear();
    animation_ = ModelAnimationState{};
    ResetWholeModelAnimation();
    meshAnimations_.clear();
}

void SYS_CModel_fbx::ResetWholeModelAnimation()
{
    wholeEnabled_ = false;
    wholeFrame_ = 0;
    wholeAnimation_ = nullptr;
    wholeSample_ = WholeModelSample{};
}

bool SYS_CModel_fbx::Load(const ModelLoader& loader, const void* image, std::size_t size)
{
    Clear();
    if (!image || size == 0) {
        log::Error("model: no image to load");
        return false;
    }
    ModelImage parsed;
    if (!ParseModelImage({static_cast<const std::uint8_t*>(image), size}, "model image", parsed)) return false;

    name_ = parsed.name;
    flags_ = parsed.flags;
    renderFlags_ = RenderFlagsFromModelFlags(parsed.flags);
    std::copy(std::begin(parsed.headerWords), std::end(parsed.headerWords), headerWords_);
    std::copy(std::begin(parsed.boundsWords), std::end(parsed.boundsWords), boundsWords_);
    std::copy(std::begin(parsed.extraWords), std::end(parsed.extraWords), extraWords_);

    vertexData_ = MakeOwnedBlock(loader.heap, parsed.vertexData.data(), parsed.vertexData.size());
    if (!parsed.vertexData.empty() && vertexData_.Empty()) {
        log::Error("model " + name_ + ": no memory for " + std::to_string(parsed.vertexData.size()) +
                   " bytes of vertex data");
        Clear();
        return false;
    }

    auto nodes = std::make_shared<std::vector<ModelNode>>(parsed.nodes.size());
    std::vector<Vec4> rotations;
    std::vector<Vec3> translations;
    for (std::size_t i = 0; i < parsed.nodes.size(); ++i) {
        const ModelNodeRecord& record = parsed.nodes[i];
        ModelNode& node = (*nodes)[i];
        node.name = record.name;
        node.parent = record.parent;
        rotations.push_back(record.rotation);
        translations.push_back(record.translation);
        // The image check already keeps every parent's list within 16.
        if (record.parent >= 0) {
            ModelNode& parent = (*nodes)[static_cast<std::size_t>(record.parent)];
            parent.children[static_cast<std::size_t>(parent.childCount++)] = static_cast<std::int32_t>(i);
        }
    }
    nodes_ = std::move(nodes);
    BuildNodeMatrices(rotations, translations);
    ChooseMainRoot();

    meshes_.resize(parsed.meshes.size());
    for (std::size_t i = 0; i < parsed.meshes.size(); ++i) {
        const ModelMeshRecord& record = parsed.meshes[i];
        ModelMesh& mesh = meshes_[i];
        mesh.name = record.name;
        mesh.indexData = MakeOwnedBlock(loader.heap, record.indexData.data(), record.indexData.size());
        if (!record.indexData.empty() && mesh.indexData.Empty()) {
            log::Error("model " + name_ + ": no memory for the index data of mesh " + record.name);
            Clear();
            return false;
        }
        mesh.indexCount = record.indexCount;
        mesh.flags = record.flags;
        mesh.blendMode = MeshBlendModeFromFlags(record.flags);
        if (record.textureFlags & kMeshTextureDiffuse) mesh.textures[0] = FindTexture(loader, record.textureName);
        if (record.textureFlags & kMeshTextureNormal) mesh.textures[1] = FindTexture(loader, record.textureName + "_nrm");
        if (record.textureFlags & kMeshTextureSpecular) mesh.textures[2] = FindTexture(loader, record.textureName + "_spc");
        // The last mesh's stride word counts.
        vertexStride_ = record.vertexStride;
    }
    meshAnimations_.assign(meshes_.size() * kMeshAnimationSlots, MeshAnimationEntry{});
    CreateBuffers(false);
    return true;
}

void SYS_CModel_fbx::BuildNodeMatrices(const std::vector<Vec4>& rotations, const std::vector<Vec3>& translations)
{
    const std::size_t count = rotations.size();
    bindInverse_.resize(count);
    skinning_.assign(count, math::GetIdentityMatrix());
    world_.assign(count, math::GetIdentityMatrix());
    for (std::size_t i = 0; i < count; ++i) {
        bindInverse_[i] = math::InverseMatrix(MatrixFromRotationTranslation(rotations[i], translations[i]));
    }
}

void SYS_CModel_fbx::ChooseMainRoot()
{
    mainRoot_ = -1;
    if (!nodes_) return;
    const std::vector<ModelNode>& nodes = *nodes_;
    int bestDepth = 0;
    std::vector<std::pair<std::int32_t, int>> stack;
    for (std::size_t root = 0; root < nodes.size(); ++root) {
        if (nodes[root].parent != -1) continue;
        // Depth along the child lists; a tree, since every node has one parent.
        int depth = 0;
        stack.assign(1, {static_cast<std::int32_t>(root), 1});
        while (!stack.empty()) {
            const auto [node, level] = stack.back();
            stack.pop_back();
            depth = std::max(depth, level);
            const ModelNode& record = nodes[static_cast<std::size_t>(node)];
            for (int c = 0; c < record.childCount; ++c) stack.push_back({record.children[static_cast<std::size_t>(c)], level + 1});
        }
        if (depth > bestDepth) {
            bestDepth = depth;
            mainRoot_ = static_cast<int>(root);
        }
    }
}

bool SYS_CModel_fbx::MakeInstanceOf(const SYS_CModel& source)
{
    const auto* model = dynamic_cast<const SYS_CModel_fbx*>(&source);
    if (!model || model == this) {
        log::Error("model: an instance needs another loaded model as its source");
        return false;
    }
    Clear();
    // Vertex data, index data and nodes are shared; whoever goes last frees them.
    vertexData_ = model->vertexData_;
    nodes_ = model->nodes_;
    name_ = model->name_;
    flags_ = model->flags_;
    renderFlags_ = model->renderFlags_;
    vertexStride_ = model->vertexStride_;
    std::copy(std::begin(model->headerWords_), std::end(model->headerWords_), headerWords_);
    std::copy(std::begin(model->boundsWords_), std::end(model->boundsWords_), boundsWords_);
    std::copy(std::begin(model->extraWords_), std::end(model->extraWords_), extraWords_);
    std::copy(std::begin(model->materialBounds_), std::end(model->materialBounds_), materialBounds_);
    meshes_ = model->meshes_;
    mainRoot_ = model->mainRoot_;
    bindInverse_ = model->bindInverse_;
    skinning_ = model->skinning_;
    world_ = model->world_;
    meshAnimations_.assign(meshes_.size() * kMeshAnimationSlots, MeshAnimationEntry{});
    CreateBuffers(false);
    return true;
}

bool SYS_CModel_fbx::SetupModelMaterial(const ModelLoader& loader, const ModelMaterialDesc& description)
{
    name_ = std::string(description.name);
    flags_ = description.flags;
    renderFlags_ = RenderFlagsFromModelFlags(description.flags);
    vertexData_ = description.borrowVertexData
                      ? MakeBorrowedBlock(description.vertexData, description.vertexSize)
                      : MakeOwnedBlock(loader.heap, description.vertexData, description.vertexSize);
    headerWords_[0] = description.headerWords[0];
    headerWords_[1] = description.headerWords[1];
    vertexStride_ = description.vertexStride;
    std::copy(std::begin(description.bounds), std::end(description.bounds), materialBounds_);
    if (meshes_.empty()) {
        meshes_.resize(1);
        meshes_[0].name = std::string(kDefaultMaterialName);
    }
    ModelMesh& mesh = meshes_[0];
    std::fill(std::begin(mesh.textures), std::end(mesh.textures), nullptr);
    mesh.textures[0] = description.texture;
    mesh.indexData = description.borrowIndexData
                         ? MakeBorrowedBlock(description.indexData, description.indexSize)
                         : MakeOwnedBlock(loader.heap, description.indexData, description.indexSize);
    // Never more indices than the block holds, so drawing stays inside it.
    mesh.indexCount = std::min<std::uint64_t>(description.indexCount, mesh.indexData.size / 2);
    mesh.flags = 0;
    mesh.blendMode = description.blendMode;
    meshAnimations_.assign(meshes_.size() * kMeshAnimationSlots, MeshAnimationEntry{});

    const bool complete = (description.vertexSize == 0 || !vertexData_.Empty()) &&
                          (description.indexSize == 0 || !mesh.indexData.Empty());
    if (!complete) log::Error("model " + name_ + ": material data missing or out of memory");
    CreateBuffers(true);
    return complete;
}

bool SYS_CModel_fbx::PlayAnimation(const ModelAnimation* animation, std::int32_t startFrame, bool loop,
                                   std::uint32_t fadeLength, float fadeWeight)
{
    if (!animation) {
        animation_ = ModelAnimationState{};
        return true;
    }
    if (animation->NodeCount() < NodeCount()) {
        log::Error("model " + name_ + ": an animation of " + std::to_string(animation->NodeCount()) +
                   " nodes cannot play on " + std::to_string(NodeCount()) + " nodes");
        return false;
    }
    const std::int32_t frameBefore = GetFrame();
    animation_.previous = animation_.current;
    animation_.previousFrame = static_cast<std::uint32_t>(std::max<std::int32_t>(frameBefore, 0));
    animation_.fadeLength = fadeLength;
    animation_.fadeStep = fadeWeight;
    animation_.fadeWeight = fadeWeight;
    animation_.current = animation;
    animation_.startFrame = startFrame;
    animation_.frame = static_cast<float>(startFrame);
    animation_.loop = loop;
    animation_.speed = 1.0f;
    return true;
}

bool SYS_CModel_fbx::IsAnimationFinished() const
{
    if (!animation_.current) return true;
    if (animation_.loop) return false;
    return TruncateFrame(animation_.frame) >= animation_.current->NodeFrameCount();
}

std::int32_t SYS_CModel_fbx::GetFrame() const
{
    if (!animation_.current) return 0;
    return static_cast<std::int32_t>(TruncateFrame(animation_.frame));
}

void SYS_CModel_fbx::SetFrame(std::int32_t frame)
{
    if (!animation_.current) return;
    animation_.frame = static_cast<float>(frame);
    const std::uint16_t count = animation_.current->NodeFrameCount();
    if (TruncateFrame(animation_.frame) >= count) animation_.frame = static_cast<float>(count);
}

Mat4 SYS_CModel_fbx::LocalMatrix(std::size_t node, std::int64_t frame, bool crossFade) const
{
    const NodeSample current = animation_.current->SampleNode(node, frame);
    if (!crossFade) return ComposeLocalMatrix(current.scale, current.rotation, current.translation);
    const NodeSample previous = animation_.previous->SampleNode(node, animation_.previousFrame);
    const float w = animation_.fadeWeight;
    return ComposeLocalMatrix(Blend(previous.scale, current.scale, w),
                              BlendFadeRotation(previous.rotation, current.rotation, 1.0f - w),
                              Blend(previous.translation, current.translation, w));
}

void SYS_CModel_fbx::EvaluatePose(std::span<const NodeOverride> overrides)
{
    if (!animation_.current) {
        std::fill(skinning_.begin(), skinning_.end(), math::GetIdentityMatrix());
        return;
    }
    const std::int64_t f = TruncateFrame(animation_.frame);
    if (animation_.interval > 1 && f % animation_.interval != 0) return;
    if (f >= animation_.current->NodeFrameCount() || mainRoot_ < 0) return;

    const bool crossFade = animation_.previous &&
                           f < static_cast<std::int64_t>(animation_.startFrame) + animation_.fadeLength;
    const std::vector<ModelNode>& nodes = *nodes_;
    // Parents before children, without recursion: a long chain of nodes
    // must not exhaust the stack.
    std::vector<std::pair<std::int32_t, Mat4>> pending;
    pending.push_back({mainRoot_, math::GetIdentityMatrix()});
    while (!pending.empty()) {
        const auto [node, parent] = pending.back();
        pending.pop_back();
        const std::size_t index = static_cast<std::size_t>(node);
        Mat4 world = math::MultiplyMatrix(LocalMatrix(index, f, crossFade), parent);
        if (index < overrides.size() && overrides[index].flag != 0) {
            world = math::MultiplyMatrix(world, overrides[index].matrix);
        }
        world_[index] = world;
        const ModelNode& record = nodes[index];
        for (int c = record.childCount - 1; c >= 0; --c) {
            pending.push_back({record.children[static_cast<std::size_t>(c)], world});
        }
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) skinning_[i] = math::MultiplyMatrix(bindInverse_[i], world_[i]);
}

void SYS_CModel_fbx::AdvanceFrame()
{
    const float before = animation_.frame;
    animation_.frame += animation_.speed;
    if (animation_.previous && animation_.fadeLength != 0) {
        animation_.fadeWeight = std::max(
            0.0f, animation_.fadeWeight - animation_.fadeStep / static_cast<float>(animation_.fadeLength));
    }
    const std::uint16_t count = animation_.current->NodeFrameCount();
    if (!animation_.loop) {
        if (TruncateFrame(animation_.frame) >= count) animation_.frame = static_cast<float>(count);
        return;
    }
    // An animation without frames stays at frame 0 rather than divide by zero.
    if (count == 0) {
        animation_.frame = 0.0f;
        return;
    }
    animation_.frame = static_cast<float>(TruncateFrame(before + animation_.speed) % count);
}

void SYS_CModel_fbx::Update()
{
    EvaluatePose();
    if (animation_.current) AdvanceFrame();
    RunWholeModelPass();
    for (Attachment& attachment : attachments_) attachment.current = attachment.pending;
}

void SYS_CModel_fbx::RunWholeModelPass()
{
    if (!wholeEnabled_) return;
    if (wholeAnimation_) {
        WholeModelSample sample;
        if (wholeAnimation_->SampleWholeModel(wholeFrame_, true, sample)) wholeSample_ = sample;
        ++wholeFrame_;
    }
    for (MeshAnimationEntry& entry : meshAnimations_) {
        if (!entry.animation) {
            entry.matrix = math::GetIdentityMatrix();
            continue;
        }
        WholeModelSample sample;
        if (entry.animation->SampleWholeModel(entry.frame, true, sample)) {
            entry.matrix = MatrixFromWholeModelSample(sample);
        }
        ++entry.frame;
    }
}

void SYS_CModel_fbx::SetMeshAnimation(std::size_t mesh, int slot, const ModelAnimation* animation)
{
    const std::size_t index = mesh * kMeshAnimationSlots + static_cast<std::size_t>(slot);
    if (slot < 0 || slot >= kMeshAnimationSlots || index >= meshAnimations_.size()) return;
    meshAnimations_[index] = MeshAnimationEntry{};
    meshAnimations_[index].animation = animation;
}

void SYS_CModel_fbx::ResizeAttachments(std::size_t count)
{
    if (count > attachments_.size()) attachments_.resize(count);
}

void SYS_CModel_fbx::SetAttachment(std::size_t index, ModelAttachment* object)
{
    if (index >= attachments_.size()) {
        log::Warning("model " + name_ + ": no attachment slot " + std::to_string(index));
        return;
    }
    attachments_[index].pending = object;
    attachments_[index].current = object;
}

void SYS_CModel_fbx::DrawAttachments()
{
    for (const Attachment& attachment : attachments_) {
        if (attachment.current) attachment.current->DrawWithModel(*this);
    }
}

ModelAttachment* SYS_CModel_fbx::GetAttachment(std::size_t index) const
{
    return index < attachments_.size() ? attachments_[index].current : nullptr;
}

}  // namespace vesk::resource
