// Writers of model images and model animations, for tools and tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

struct ModelNodeSource {
    std::string name;
    float rotation[4] = {0, 0, 0, 1};  // quaternion x, y, z, w
    float translation[3] = {0, 0, 0};
    int32_t parent = -1;
};

struct ModelMeshSource {
    std::string name;
    std::vector<uint16_t> indices;
    uint32_t vertexStride = 0;
    std::string textureName;
    uint32_t flags = 0;
    uint8_t textureFlags = 0;
};

struct ModelSource {
    std::string name;
    uint32_t flags = 0;
    std::vector<uint8_t> vertexData;
    uint32_t headerWords[2] = {};
    uint32_t boundsWords[4] = {};
    uint32_t extraWords[7] = {};
    std::vector<ModelNodeSource> nodes;
    std::vector<ModelMeshSource> meshes;
};

// Where the writer puts the parts of an image, so tests can break them.
inline constexpr size_t kModelImageHeaderBytes = 292;
inline constexpr size_t kModelNodeBytes = 76;
inline constexpr size_t kModelMeshBytes = 176;

// The header, the node table, the mesh table, the vertex data, then each
// mesh's indices; every offset from the image start.
std::vector<uint8_t> MakeModelImage(const ModelSource& model);

// Floats as little-endian bytes (vertex data).
std::vector<uint8_t> FloatBytes(const std::vector<float>& values);

struct RotationKeySource {
    uint32_t frame = 0;
    float value[4] = {0, 0, 0, 1};
};

struct VectorKeySource {
    uint32_t frame = 0;
    float value[3] = {0, 0, 0};
};

struct AnimationNodeSource {
    std::vector<RotationKeySource> rotation;
    std::vector<VectorKeySource> translation;
    std::vector<VectorKeySource> scale;
};

// A node that holds the rest pose: one key each, no rotation, no move, scale 1.
AnimationNodeSource RestNode();

struct AnimationSource {
    uint16_t nodeFrameCount = 0;
    std::vector<AnimationNodeSource> nodes;
    uint16_t wholeFrameCount = 0;
    int16_t wholeFrameRate = 60;
    uint32_t wholeFlags = 0;
    // Translation, angles in degrees, scale; frames are 16-bit.
    std::vector<VectorKeySource> wholeChannels[3];
};

struct AnimationBytes {
    std::vector<uint8_t> header;  // 92 bytes
    std::vector<uint8_t> data;    // the node channel table at 0, then the keys
};

AnimationBytes MakeModelAnimation(const AnimationSource& animation);

}  // namespace tools
