// One sprite of a sprite package: a rectangle of the package's atlas, drawn as a texture of its own.
#pragma once

#include <cstdint>

#include "framework/graphics/sprite_table.h"
#include "framework/graphics/texture.h"
#include "framework/memory/heaps.h"

namespace vesk::resource {

// One sprite of a sprite package: a rectangle of the package's atlas. It owns
// nothing on the device; binding it binds the atlas, so all sprites of a
// package draw from one texture.
class SYS_CMergeTexture final : public SYS_CTexture, public memory::MainHeapObject {
public:
    // The atlas is not owned and must outlive the sprite.
    void SetSpriteEntry(SYS_CTexture* atlas, const SpriteEntry& entry);

    void Bind(int stage) override;
    void Release() override {}
    void MarkDirty() override {}
    const std::string& GetName() const override { return entry_.name; }
    std::uint32_t GetFormat() const override { return atlas_ ? atlas_->GetFormat() : 0; }
    const void* GetPixels() const override { return atlas_ ? atlas_->GetPixels() : nullptr; }
    SYS_CTexture* GetAtlas() override { return atlas_; }
    int GetImageWidth() const override { return atlas_ ? atlas_->GetImageWidth() : 0; }
    int GetImageHeight() const override { return atlas_ ? atlas_->GetImageHeight() : 0; }
    int GetWidth() const override { return entry_.width; }
    int GetHeight() const override { return entry_.height; }
    TexCoord GetUVMin() const override { return {entry_.uMin, entry_.vMin}; }
    TexCoord GetUVMax() const override { return {entry_.uMax, entry_.vMax}; }

    // A word for the owner's use; 0 at creation.
    void SetUserWord(std::uint32_t word) { userWord_ = word; }
    std::uint32_t GetUserWord() const { return userWord_; }

    const SpriteEntry& Entry() const { return entry_; }

private:
    SYS_CTexture* atlas_ = nullptr;
    SpriteEntry entry_;
    std::uint32_t userWord_ = 0;
};

}  // namespace vesk::resource
