#include "platform/graphics/resources.h"

#include <algorithm>
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
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      format_(format),
      pixels_(static_cast<std::size_t>(width_) * height_, 0u)
{
}

void Texture::Update(const void* bytes, std::size_t rowPitch)
{
    const auto* source = static_cast<const std::uint8_t*>(bytes);
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* row = source + rowPitch * y;
        std::uint32_t* out = pixels_.data() + static_cast<std::size_t>(y) * width_;
        for (int x = 0; x < width_; ++x) {
            // Bytes B, G, R, A read as a little-endian word are 0xAARRGGBB already.
            const std::uint32_t word = ReadU32(row + 4 * x);
            out[x] = format_ == PixelFormat::B8G8R8A8 ? word : SwapRedBlue(word);
        }
    }
}

std::vector<std::uint8_t> Texture::ReadBytes() const
{
    std::vector<std::uint8_t> bytes(pixels_.size() * 4);
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        const std::uint32_t word = format_ == PixelFormat::B8G8R8A8 ? pixels_[i] : SwapRedBlue(pixels_[i]);
        bytes[4 * i + 0] = static_cast<std::uint8_t>(word);
        bytes[4 * i + 1] = static_cast<std::uint8_t>(word >> 8);
        bytes[4 * i + 2] = static_cast<std::uint8_t>(word >> 16);
        bytes[4 * i + 3] = static_cast<std::uint8_t>(word >> 24);
    }
    return bytes;
}

DepthBuffer::DepthBuffer(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), depth_(static_cast<std::size_t>(width_) * height_, 1.0f)
{
}

void DepthBuffer::Clear(float value) { std::fill(depth_.begin(), depth_.end(), value); }

void DepthBuffer::ClearStencil(std::uint8_t value)
{
    pendingStencil_ = value;
    stencilPending_ = true;
}

std::uint8_t* DepthBuffer::StencilData()
{
    if (stencilPending_) {
        stencil_.assign(static_cast<std::size_t>(width_) * height_, pendingStencil_);
        stencilPending_ = false;
    }
    return stencil_.data();
}

std::uint8_t DepthBuffer::StencilAt(int x, int y) const
{
    return stencilPending_ ? pendingStencil_ : stencil_[static_cast<std::size_t>(y) * width_ + x];
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
