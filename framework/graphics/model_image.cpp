// Reading the binary model image's nodes and meshes, with every offset and count checked.
#include "framework/graphics/model_image.h"

#include <string>

#include "framework/log/log.h"
#include "framework/resource/file_fields.h"
#include "platform/little_endian.h"

namespace vesk::resource {
namespace {

using platform::ReadF32;
using platform::ReadU32;

std::string ReadName(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t fieldSize)
{
    return std::string(ReadFixedText(bytes, offset, fieldSize));
}

bool Refuse(std::string_view what, const std::string& fault)
{
    log::Error(std::string(what) + ": " + fault);
    return false;
}

bool BlockFits(std::uint64_t offset, std::uint64_t length, std::uint64_t size)
{
    return offset <= size && length <= size - offset;
}

bool ReadNodes(std::span<const std::uint8_t> image, std::string_view what, ModelImage& model)
{
    const std::uint32_t offset = ReadU32(image, 16);
    const std::uint32_t count = ReadU32(image, 20);
    if (!RecordsFit(offset, count, kModelNodeRecordSize, image.size())) {
        return Refuse(what, "node table of " + std::to_string(count) + " records at " + std::to_string(offset) +
                                " runs past the image end");
    }
    model.nodes.resize(count);
    std::vector<int> childCounts(count, 0);
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto record = image.subspan(offset + static_cast<std::size_t>(i) * kModelNodeRecordSize,
                                          kModelNodeRecordSize);
        ModelNodeRecord& node = model.nodes[i];
        node.name = ReadName(record, 0, kModelNodeNameSize);
        node.rotation = {ReadF32(record, 32), ReadF32(record, 36), ReadF32(record, 40), ReadF32(record, 44)};
        node.translation = {ReadF32(record, 48), ReadF32(record, 52), ReadF32(record, 56)};
        node.parent = static_cast<std::int32_t>(ReadU32(record, 72));
        if (node.parent == -1) continue;
        if (node.parent < 0 || static_cast<std::uint32_t>(node.parent) >= count ||
            static_cast<std::uint32_t>(node.parent) == i) {
            return Refuse(what, "node " + std::to_string(i) + " names parent " + std::to_string(node.parent) +
                                    " of " + std::to_string(count) + " nodes");
        }
        if (++childCounts[static_cast<std::size_t>(node.parent)] > kMaxNodeChildren) {
            return Refuse(what, "node " + std::to_string(node.parent) + " has more than " +
                                    std::to_string(kMaxNodeChildren) + " children");
        }
    }
    return true;
}

bool ReadMeshes(std::span<const std::uint8_t> image, std::string_view what, ModelImage& model)
{
    const std::uint32_t offset = ReadU32(image, 8);
    const std::uint32_t count = ReadU32(image, 12);
    if (!RecordsFit(offset, count, kModelMeshRecordSize, image.size())) {
        return Refuse(what, "mesh table of " + std::to_string(count) + " records at " + std::to_string(offset) +
                                " runs past the image end");
    }
    model.meshes.resize(count);
    // Each mesh's index data is copied whole when the model loads, so the blocks together may hold no more than
    // the image: meshes naming one block over and over would grow a small image into many times its size.
    std::uint64_t indexBytes = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto record = image.subspan(offset + static_cast<std::size_t>(i) * kModelMeshRecordSize,
                                          kModelMeshRecordSize);
        ModelMeshRecord& mesh = model.meshes[i];
        mesh.name = ReadName(record, 0, kModelMeshNameSize - 1);
        const std::uint32_t indexOffset = ReadU32(record, 64);
        const std::uint32_t indexSize = ReadU32(record, 68);
        mesh.indexCount = ReadU32(record, 72);
        mesh.vertexStride = ReadU32(record, 76);
        mesh.textureName = ReadName(record, 80, kModelTextureNameSize);
        mesh.flags = ReadU32(record, 120);
        mesh.textureFlags = record[172];
        if (!BlockFits(indexOffset, indexSize, image.size())) {
            return Refuse(what, "mesh " + std::to_string(i) + ": index data of " + std::to_string(indexSize) +
                                    " bytes at " + std::to_string(indexOffset) + " runs past the image end");
        }
        if (static_cast<std::uint64_t>(mesh.indexCount) * 2 > indexSize) {
            return Refuse(what, "mesh " + std::to_string(i) + ": " + std::to_string(mesh.indexCount) +
                                    " indices do not fit " + std::to_string(indexSize) + " bytes of index data");
        }
        indexBytes += indexSize;
        if (indexBytes > image.size()) {
            return Refuse(what, "mesh " + std::to_string(i) + ": the index data of the meshes so far add up to " +
                                    std::to_string(indexBytes) + " bytes, more than the image's " +
                                    std::to_string(image.size()) + "; their blocks overlap");
        }
        mesh.indexData = image.subspan(indexOffset, indexSize);
    }
    return true;
}

}  // namespace

bool ParseModelImage(std::span<const std::uint8_t> image, std::string_view what, ModelImage& out)
{
    out = ModelImage{};
    if (image.size() < kModelHeaderSize) {
        return Refuse(what, "model header cut short (" + std::to_string(image.size()) + " bytes)");
    }
    ModelImage model;
    model.name = ReadName(image, 40, kModelNameSize);
    model.headerWords[0] = ReadU32(image, 32);
    model.headerWords[1] = ReadU32(image, 36);
    model.flags = ReadU32(image, 232);
    for (int i = 0; i < 4; ++i) model.boundsWords[i] = ReadU32(image, 248 + 4 * static_cast<std::size_t>(i));
    for (int i = 0; i < 7; ++i) model.extraWords[i] = ReadU32(image, 264 + 4 * static_cast<std::size_t>(i));

    const std::uint32_t vertexOffset = ReadU32(image, 24);
    const std::uint32_t vertexSize = ReadU32(image, 28);
    if (!BlockFits(vertexOffset, vertexSize, image.size())) {
        return Refuse(what, "vertex data of " + std::to_string(vertexSize) + " bytes at " +
                                std::to_string(vertexOffset) + " runs past the image end");
    }
    model.vertexData = image.subspan(vertexOffset, vertexSize);

    if (!ReadNodes(image, what, model) || !ReadMeshes(image, what, model)) return false;
    out = std::move(model);
    return true;
}

int MeshBlendModeFromFlags(std::uint32_t flags)
{
    switch (flags & 7u) {
    case 1: return 1;
    case 2: return 2;
    case 3: return 3;
    case 7: return 4;
    default: return 0;
    }
}

std::uint32_t RenderFlagsFromModelFlags(std::uint32_t flags)
{
    return (flags & 1u) ? 6u : 7u;
}

}  // namespace vesk::resource
