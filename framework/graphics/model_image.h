// The binary model image: a header, a node table, a mesh table, vertex data and per-mesh 16-bit indices.
// Little-endian; every offset counts from the image start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/math/vector.h"

namespace vesk::resource {

inline constexpr std::size_t kModelHeaderSize = 292;
inline constexpr std::size_t kModelNodeRecordSize = 76;
inline constexpr std::size_t kModelMeshRecordSize = 176;
inline constexpr std::size_t kModelNameSize = 192;        // header bytes 40..231
inline constexpr std::size_t kModelNodeNameSize = 32;
inline constexpr std::size_t kModelMeshNameSize = 64;     // at most 63 characters kept
inline constexpr std::size_t kModelTextureNameSize = 40;  // mesh bytes 80..119
inline constexpr int kMaxNodeChildren = 16;

// Texture flags of a mesh: which of its textures are looked up.
inline constexpr std::uint8_t kMeshTextureDiffuse = 0x1;
inline constexpr std::uint8_t kMeshTextureNormal = 0x2;
inline constexpr std::uint8_t kMeshTextureSpecular = 0x4;

struct ModelNodeRecord {
    std::string name;
    math::Vec4 rotation{0.0f, 0.0f, 0.0f, 1.0f};  // unit quaternion (x, y, z, w)
    math::Vec3 translation;
    std::int32_t parent = -1;  // -1 for a root
};

struct ModelMeshRecord {
    std::string name;
    std::span<const std::uint8_t> indexData;  // inside the image
    std::uint32_t indexCount = 0;
    std::uint32_t vertexStride = 0;
    std::string textureName;
    std::uint32_t flags = 0;
    std::uint8_t textureFlags = 0;
};

// A model image with every offset and count checked; the spans point into the
// image, which must outlive this record.
struct ModelImage {
    std::string name;
    std::span<const std::uint8_t> vertexData;
    std::uint32_t headerWords[2] = {};  // bytes 32..39, kept with the model
    std::uint32_t flags = 0;
    std::uint32_t boundsWords[4] = {};  // bytes 248..263
    std::uint32_t extraWords[7] = {};   // bytes 264..291
    std::vector<ModelNodeRecord> nodes;
    std::vector<ModelMeshRecord> meshes;
};

// Reads and checks a model image: the tables, the vertex block and every
// mesh's index block must lie inside the image, a mesh's index count must fit
// its index block, a parent must be -1 or another node, and no node may have
// more than 16 children. On failure logs one line naming `what` and the fault,
// and returns false.
bool ParseModelImage(std::span<const std::uint8_t> image, std::string_view what, ModelImage& out);

// The blend mode a mesh's flags select: low bits 1, 2, 3 give 1, 2, 3; 7
// gives 4; anything else 0.
int MeshBlendModeFromFlags(std::uint32_t flags);

// The model's render-flag word: 7 when bit 0 of the flags is clear, else 6.
std::uint32_t RenderFlagsFromModelFlags(std::uint32_t flags);

}  // namespace vesk::resource
