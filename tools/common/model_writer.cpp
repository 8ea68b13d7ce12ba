// Model images and model animations laid out field by field.
#include "tools/common/model_writer.h"

#include <algorithm>

#include "tools/common/byte_writer.h"

namespace tools {

namespace {

// A zero-terminated name cut to the field.
void PutName(std::vector<uint8_t>& bytes, size_t offset, const std::string& name, size_t fieldSize)
{
    const size_t length = std::min(name.size(), fieldSize - 1);
    std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(length), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

std::vector<uint8_t> FloatBytes(const std::vector<float>& values)
{
    ByteWriter writer;
    for (float value : values) writer.F32(value);
    return writer.Data();
}

std::vector<uint8_t> MakeModelImage(const ModelSource& model)
{
    const size_t nodeOffset = kModelImageHeaderBytes;
    const size_t meshOffset = nodeOffset + model.nodes.size() * kModelNodeBytes;
    const size_t vertexOffset = meshOffset + model.meshes.size() * kModelMeshBytes;
    size_t end = vertexOffset + model.vertexData.size();

    std::vector<uint8_t> image(end, 0);
    PutU32(image, 8, static_cast<uint32_t>(meshOffset));
    PutU32(image, 12, static_cast<uint32_t>(model.meshes.size()));
    PutU32(image, 16, static_cast<uint32_t>(nodeOffset));
    PutU32(image, 20, static_cast<uint32_t>(model.nodes.size()));
    PutU32(image, 24, static_cast<uint32_t>(vertexOffset));
    PutU32(image, 28, static_cast<uint32_t>(model.vertexData.size()));
    PutU32(image, 32, model.headerWords[0]);
    PutU32(image, 36, model.headerWords[1]);
    PutName(image, 40, model.name, 192);
    PutU32(image, 232, model.flags);
    for (size_t i = 0; i < 4; ++i) PutU32(image, 248 + 4 * i, model.boundsWords[i]);
    for (size_t i = 0; i < 7; ++i) PutU32(image, 264 + 4 * i, model.extraWords[i]);
    std::copy(model.vertexData.begin(), model.vertexData.end(), image.begin() + static_cast<std::ptrdiff_t>(vertexOffset));

    for (size_t n = 0; n < model.nodes.size(); ++n) {
        const ModelNodeSource& node = model.nodes[n];
        const size_t at = nodeOffset + n * kModelNodeBytes;
        PutName(image, at, node.name, 32);
        for (size_t i = 0; i < 4; ++i) PutF32(image, at + 32 + 4 * i, node.rotation[i]);
        for (size_t i = 0; i < 3; ++i) PutF32(image, at + 48 + 4 * i, node.translation[i]);
        PutU32(image, at + 72, static_cast<uint32_t>(node.parent));
    }

    for (size_t m = 0; m < model.meshes.size(); ++m) {
        const ModelMeshSource& mesh = model.meshes[m];
        const size_t at = meshOffset + m * kModelMeshBytes;
        const size_t indexOffset = image.size();
        for (uint16_t index : mesh.indices) {
            image.push_back(static_cast<uint8_t>(index));
            image.push_back(static_cast<uint8_t>(index >> 8));
        }
        PutName(image, at, mesh.name, 64);
        PutU32(image, at + 64, mesh.indices.empty() ? 0 : static_cast<uint32_t>(indexOffset));
        PutU32(image, at + 68, static_cast<uint32_t>(mesh.indices.size() * 2));
        PutU32(image, at + 72, static_cast<uint32_t>(mesh.indices.size()));
        PutU32(image, at + 76, mesh.vertexStride);
        PutName(image, at + 80, mesh.textureName, 40);
        PutU32(image, at + 120, mesh.flags);
        image[at + 172] = mesh.textureFlags;
    }
    return image;
}

AnimationNodeSource RestNode()
{
    AnimationNodeSource node;
    node.rotation.push_back({0, {0, 0, 0, 1}});
    node.translation.push_back({0, {0, 0, 0}});
    node.scale.push_back({0, {1, 1, 1}});
    return node;
}

AnimationBytes MakeModelAnimation(const AnimationSource& animation)
{
    // Data: the node channel table, the node keys, the whole-model table, its keys.
    ByteWriter data;
    data.PadTo(animation.nodes.size() * 24);
    std::vector<uint32_t> table;
    for (const AnimationNodeSource& node : animation.nodes) {
        table.push_back(static_cast<uint32_t>(data.Size()));
        table.push_back(static_cast<uint32_t>(node.rotation.size()));
        for (const RotationKeySource& key : node.rotation) {
            data.U32(key.frame);
            for (float v : key.value) data.F32(v);
        }
        for (const auto* keys : {&node.translation, &node.scale}) {
            table.push_back(static_cast<uint32_t>(data.Size()));
            table.push_back(static_cast<uint32_t>(keys->size()));
            for (const VectorKeySource& key : *keys) {
                data.U32(key.frame);
                for (float v : key.value) data.F32(v);
            }
        }
    }
    for (size_t i = 0; i < table.size(); ++i) PutU32(data.Data(), 4 * i, table[i]);

    const uint32_t wholeTable = static_cast<uint32_t>(data.Size());
    data.PadTo(data.Size() + 24);
    for (size_t channel = 0; channel < 3; ++channel) {
        PutU32(data.Data(), wholeTable + 8 * channel, static_cast<uint32_t>(animation.wholeChannels[channel].size()));
        PutU32(data.Data(), wholeTable + 8 * channel + 4, static_cast<uint32_t>(data.Size()));
        for (const VectorKeySource& key : animation.wholeChannels[channel]) {
            data.U16(static_cast<uint16_t>(key.frame));
            data.U16(0);
            for (float v : key.value) data.F32(v);
        }
    }

    AnimationBytes bytes;
    bytes.header.assign(92, 0);
    PutU16(bytes.header, 44, animation.nodeFrameCount);
    PutU32(bytes.header, 48, 0);
    PutU16(bytes.header, 80, animation.wholeFrameCount);
    PutU16(bytes.header, 82, static_cast<uint16_t>(animation.wholeFrameRate));
    PutU32(bytes.header, 84, animation.wholeFlags);
    PutU32(bytes.header, 88, wholeTable);
    bytes.data = std::move(data.Data());
    return bytes;
}

}  // namespace tools
