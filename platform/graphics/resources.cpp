// Textures' pixel uploads and read-backs, depth buffers and buffers.
#include "platform/graphics/resources.h"

#include <cstring>

#include "platform/little_endian.h"

namespace platform::gfx {

namespace {
// Swaps the red and blue bytes of a 0xAARRGGBB word (and back).
std::uint32_t SwapRedBlue(std::uint32_t p)
{
    return (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
}
}  // namespace

Texture::Texture(int width, int height, PixelFormat format)
    : format_(format), pixels_(width, height, 0u, true)
{
}

void Texture::Update(const void* bytes, std::size_t rowPitch)
{
    const auto* source = static_cast<const std::uint8_t*>(bytes);
    const int width = Width();
    std::uint32_t* pixels = Pixels();
    for (int y = 0; y < Height(); ++y) {
        const std::uint8_t* row = source + rowPitch * y;
        std::uint32_t* out = pixels + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            // Bytes B, G, R, A read as a little-endian word are 0xAARRGGBB already.
            const std::uint32_t word = ReadU32(row + 4 * x);
            out[x] = format_ == PixelFormat::B8G8R8A8 ? word : SwapRedBlue(word);
        }
    }
}

std::vector<std::uint8_t> Texture::ReadBytes() const
{
    const std::size_t count = static_cast<std::size_t>(Width()) * Height();
    const std::uint32_t* pixels = Pixels();
    std::vector<std::uint8_t> bytes(count * 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t word = format_ == PixelFormat::B8G8R8A8 ? pixels[i] : SwapRedBlue(pixels[i]);
        bytes[4 * i + 0] = static_cast<std::uint8_t>(word);
        bytes[4 * i + 1] = static_cast<std::uint8_t>(word >> 8);
        bytes[4 * i + 2] = static_cast<std::uint8_t>(word >> 16);
        bytes[4 * i + 3] = static_cast<std::uint8_t>(word >> 24);
    }
    return bytes;
}

DepthBuffer::DepthBuffer(int width, int height) : depth_(width, height, 1.0f, true), stencil_(width, height, 0, false)
{
}

Buffer::Buffer(BufferKind kind, BufferUsage usage, std::size_t size, const void* initial)
    : kind_(kind), usage_(usage), bytes_(size, 0)
{
    if (initial && size) std::memcpy(bytes_.data(), initial, size);
}

std::uint8_t* Buffer::MapDiscard() { return bytes_.data(); }

void Buffer::Update(const void* bytes)
{
    if (bytes && !bytes_.empty()) std::memcpy(bytes_.data(), bytes, bytes_.size());
}

}  // namespace platform::gfx
