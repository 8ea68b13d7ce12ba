// Textures: the one interface of whole images and sprites, and the whole image on the device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/memory/arena.h"

namespace platform::gfx {
class Texture;
}

namespace vesk::resource {

class SYS_CShader;

struct TexCoord {
    float u = 0.0f;
    float v = 0.0f;
};

// Anything that sets a shader's parameters before a draw (a texture binds
// itself at stage 0).
class ShaderParameterProvider {
public:
    virtual ~ShaderParameterProvider() = default;
    virtual void ApplyShaderParameters(SYS_CShader& shader, void* argument) = 0;
};

// The one interface of whole images and sprites. A sprite shows a rectangle
// of its package's atlas: its size and texture coordinates are its own, its
// pixels, format and image size are the atlas's.
class SYS_CTexture : public ShaderParameterProvider {
public:
    virtual void Bind(int stage) = 0;
    // Gives up the device objects and pixels; a sprite has none of its own.
    virtual void Release() = 0;
    virtual void MarkDirty() = 0;
    virtual const std::string& GetName() const = 0;
    virtual std::uint32_t GetFormat() const = 0;
    // The pixel block of a raw image (B8G8R8A8 rows), null when none is kept.
    virtual const void* GetPixels() const = 0;
    // The texture whose pixels a sprite shows; null for a whole image.
    virtual SYS_CTexture* GetAtlas() { return nullptr; }
    // The size of the whole image; for a sprite that of its atlas.
    virtual int GetImageWidth() const = 0;
    virtual int GetImageHeight() const = 0;
    // The size drawn: the whole image's, or the sprite's.
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual TexCoord GetUVMin() const = 0;
    virtual TexCoord GetUVMax() const = 0;
    // A sprite may move the texture coordinates it is drawn with.
    virtual void AdjustUV(TexCoord& first, TexCoord& second) const {}

    // Binds at stage 0, the texture slot of the textured shaders.
    void ApplyShaderParameters(SYS_CShader&, void*) override { Bind(0); }
};

// A whole image on the device: loaded pixels, or a render target.
class SYSWIN_CTexture : public SYS_CTexture {
public:
    SYSWIN_CTexture();
    ~SYSWIN_CTexture() override;

    // Raw images (any format other than the three block-compressed ones):
    // width x height pixels of 4 bytes, blue, green, red, alpha, rows top to
    // bottom, put on the device at once. With a copy heap nothing else is
    // kept; without, the caller's block is kept as it is and must outlive the
    // texture: marked dirty, it goes to the device again at the next bind.
    // Block-compressed images are
    // decoded at once into a texture of the size their payload states; no
    // pixel block is kept. Width and height stay those given. Returns 0, or
    // -1 on failure.
    int CreateFromImage(const std::string& name, const void* payload, std::size_t size, std::uint32_t format,
                        int width, int height, memory::HeapRecord* copyHeap);
    // An empty colour texture of the given size for drawing into.
    bool CreateRenderTexture(int width, int height);
    // Also unbinds the texture wherever the device still holds it.
    void Release() override;

    void Bind(int stage) override;
    void MarkDirty() override { dirty_ = true; }
    const std::string& GetName() const override { return name_; }
    std::uint32_t GetFormat() const override { return format_; }
    const void* GetPixels() const override { return pixels_; }
    int GetImageWidth() const override { return width_; }
    int GetImageHeight() const override { return height_; }
    int GetWidth() const override { return width_; }
    int GetHeight() const override { return height_; }
    TexCoord GetUVMin() const override { return {0.0f, 0.0f}; }
    TexCoord GetUVMax() const override { return {1.0f, 1.0f}; }

    platform::gfx::Texture* DeviceTexture() { return texture_.get(); }

private:
    int CreateFromBlockImage(const void* payload, std::size_t size);

    std::uint16_t width_ = 0;
    std::uint16_t height_ = 0;
    std::uint32_t format_ = 0;
    std::string name_;
    std::unique_ptr<platform::gfx::Texture> texture_;
    const void* pixels_ = nullptr;
    std::size_t pixelsSize_ = 0;
    bool pixelsBorrowed_ = true;
    bool dirty_ = false;
};

}  // namespace vesk::resource
