// Whole-image textures on the device: made from raw or block-compressed pixels, as render targets, and bound.
#include "framework/graphics/texture.h"

#include "framework/graphics/device_record.h"
#include "framework/graphics/image_file.h"
#include "framework/log/log.h"
#include "platform/graphics/device.h"

namespace vesk::resource {

namespace {
constexpr int kMaxTextureSide = 0xFFFF;
}  // namespace

SYSWIN_CTexture::SYSWIN_CTexture() = default;

SYSWIN_CTexture::~SYSWIN_CTexture() { Release(); }

int SYSWIN_CTexture::CreateFromImage(const std::string& name, const void* payload, std::size_t size,
                                     std::uint32_t format, int width, int height, memory::HeapRecord* copyHeap)
{
    Release();
    width_ = static_cast<std::uint16_t>(width);
    height_ = static_cast<std::uint16_t>(height);
    format_ = format;
    name_ = name;
    if (IsBlockCompressedFormat(static_cast<std::uint16_t>(format))) {
        return CreateFromBlockImage(payload, size);
    }
    const std::size_t needed = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    if (width <= 0 || height <= 0 || width > kMaxTextureSide || height > kMaxTextureSide || !payload || size < needed) {
        log::Error("texture '" + name + "': the image holds fewer pixels than its size says");
        return -1;
    }
    platform::gfx::Device* device = graphics::GetDevice();
    if (!device) return -1;
    texture_ = device->CreateTexture(width, height, platform::gfx::PixelFormat::B8G8R8A8);
    if (!texture_) return -1;
    // The device holds the pixels from now on. A copy kept beside them could
    // never change, so none is kept: the image would sit in memory twice.
    texture_->Update(payload, static_cast<std::size_t>(width) * 4);
    if (!copyHeap) {
        // The caller's block stays, and may be changed and marked dirty.
        pixels_ = payload;
        pixelsBorrowed_ = true;
        pixelsSize_ = needed;
    }
    return 0;
}

int SYSWIN_CTexture::CreateFromBlockImage(const void* payload, std::size_t size)
{
    if (!payload) return -1;
    const std::optional<DecodedImage> decoded =
        DecodeImagePayload(static_cast<std::uint16_t>(format_), width_, height_,
                           std::span(static_cast<const std::uint8_t*>(payload), size), "texture '" + name_ + "'");
    platform::gfx::Device* device = graphics::GetDevice();
    if (!decoded || !device) return -1;
    texture_ = device->CreateTexture(static_cast<int>(decoded->width), static_cast<int>(decoded->height),
                                     platform::gfx::PixelFormat::B8G8R8A8);
    if (!texture_) return -1;
    texture_->Update(decoded->bgra.data(), static_cast<std::size_t>(decoded->width) * 4);
    return 0;
}

bool SYSWIN_CTexture::CreateRenderTexture(int width, int height)
{
    Release();
    platform::gfx::Device* device = graphics::GetDevice();
    if (!device || width <= 0 || height <= 0 || width > kMaxTextureSide || height > kMaxTextureSide) return false;
    texture_ = device->CreateTexture(width, height, platform::gfx::PixelFormat::R8G8B8A8);
    if (!texture_) return false;
    width_ = static_cast<std::uint16_t>(width);
    height_ = static_cast<std::uint16_t>(height);
    return true;
}

void SYSWIN_CTexture::Release()
{
    // A texture about to go must not stay bound: a later draw would read it.
    if (graphics::DeviceRecord* record = graphics::GetDeviceRecord()) {
        for (int stage = 0; stage < platform::gfx::kMaxTextureSlots; ++stage) {
            if (record->boundTextures[stage] == this) {
                record->boundTextures[stage] = nullptr;
                record->device.SetTexture(stage, nullptr);
            }
        }
    }
    if (pixels_ && !pixelsBorrowed_) memory::MemFree(const_cast<void*>(pixels_));
    pixels_ = nullptr;
    pixelsSize_ = 0;
    pixelsBorrowed_ = true;
    dirty_ = false;
    texture_.reset();
}

void SYSWIN_CTexture::Bind(int stage)
{
    graphics::DeviceRecord* record = graphics::GetDeviceRecord();
    if (!record) return;
    record->RecordBoundTexture(stage, this);
    if (dirty_ && texture_ && pixels_) {
        texture_->Update(pixels_, static_cast<std::size_t>(width_) * 4);
        dirty_ = false;
    }
    record->device.SetTexture(stage, texture_.get());
}

}  // namespace vesk::resource
