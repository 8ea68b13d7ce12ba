// The sprite registry: sprite packages and stand-alone images loaded, looked up and released.
#include "framework/graphics/sprite_registry.h"

#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/file/resource_file.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/image_file.h"
#include "framework/graphics/merge_texture.h"
#include "framework/graphics/sprite_name.h"
#include "framework/graphics/sprite_package.h"
#include "framework/graphics/sprite_table.h"
#include "framework/log/log.h"
#include "framework/memory/heaps.h"

namespace vesk::resource {
namespace {

SpriteRegistry* g_registry = nullptr;
// Generations are unique across registries, so that a registry made again at
// the same address never repeats one that a resolved name still holds.
uint32_t g_lastGeneration = 0;

constexpr int kMaxTexturesPerSlotGroup = 0x10000;  // the index is 16 bits of the id

bool IsSpriteGroup(int group) { return group >= 0 && group < kSpriteGroupCount; }
bool IsSlotGroup(int slotGroup) { return slotGroup >= 0 && slotGroup < kTextureSlotGroupCount; }

// Sprites waiting in the batch still point at their textures; they are drawn
// before any texture goes.
void DrawPendingSprites()
{
    graphics::DeviceRecord* record = graphics::GetDeviceRecord();
    if (record && record->textureRenderer.PendingQuads() > 0) record->textureRenderer.Flush();
}

void DeleteTexture(SYS_CTexture* texture)
{
    if (!texture) return;
    texture->Release();
    delete texture;
}

// A whole-image texture from a ".cvt" image; null (with a log line) when the
// image is broken or the device refuses it.
SYSWIN_CTexture* MakeImageTexture(const TextureLoader& loader, std::span<const uint8_t> bytes, std::string_view what)
{
    const std::optional<ImageFile> image = ParseImageFile(bytes, what);
    if (!image) return nullptr;
    auto* texture = new (std::nothrow) SYSWIN_CTexture();
    if (!texture) return nullptr;
    if (texture->CreateFromImage(std::string(image->name), image->payload.data(), image->payload.size(), image->format,
                                 image->width, image->height, loader.copyHeap) != 0) {
        log::Error(std::string(what) + ": cannot make a texture of image \"" + std::string(image->name) + "\"");
        delete texture;
        return nullptr;
    }
    return texture;
}

}  // namespace

SpriteRegistry::SpriteRegistry() : groups_(kSpriteGroupCount), slotGroups_(kTextureSlotGroupCount)
{
    for (std::vector<SYS_CTexture*>& list : slotGroups_) list.reserve(kTexturesReservedPerSlotGroup);
}

SpriteRegistry::~SpriteRegistry() { ReleaseAll(); }

int32_t SpriteRegistry::LoadTexture(const TextureLoader& loader, int slotGroup, std::string_view path)
{
    // Raw pixels would otherwise point into the file block freed below.
    if (!loader.copyHeap) {
        log::Error(std::string(path) + ": a texture loaded from a file needs a heap for its pixels");
        return kNoTexture;
    }
    std::size_t size = 0;
    void* block = file::ReadResourceFile(loader.fileHeap, path, &size);
    if (!block) return kNoTexture;
    const int32_t id = AddTextureFromImage(loader, slotGroup, std::span(static_cast<const uint8_t*>(block), size), path);
    memory::MainHeapFree(block);
    return id;
}

int32_t SpriteRegistry::AddTextureFromImage(const TextureLoader& loader, int slotGroup, std::span<const uint8_t> image,
                                            std::string_view what)
{
    if (!IsSlotGroup(slotGroup)) {
        log::Error(std::string(what) + ": texture slot group " + std::to_string(slotGroup) + " is outside 0 to 31");
        return kNoTexture;
    }
    std::vector<SYS_CTexture*>& list = slotGroups_[static_cast<size_t>(slotGroup)];
    if (list.size() >= kMaxTexturesPerSlotGroup) {
        log::Error(std::string(what) + ": texture slot group " + std::to_string(slotGroup) + " is full");
        return kNoTexture;
    }
    SYSWIN_CTexture* texture = MakeImageTexture(loader, image, what);
    if (!texture) return kNoTexture;
    list.push_back(texture);
    return MakeTextureId(slotGroup, static_cast<int>(list.size() - 1));
}

void SpriteRegistry::UnloadTexture(int32_t id)
{
    if (id < 0 || static_cast<uint32_t>(id) >= kSpriteHandleTag) return;
    const auto slotGroup = static_cast<size_t>(id >> 16);
    const auto index = static_cast<size_t>(id & 0xFFFF);
    if (slotGroup >= slotGroups_.size() || index >= slotGroups_[slotGroup].size()) return;
    std::vector<SYS_CTexture*>& list = slotGroups_[slotGroup];
    SYS_CTexture*& texture = list[index];
    if (!texture) return;
    DrawPendingSprites();
    DeleteTexture(texture);
    texture = nullptr;
    // A package's image released on its own: its place may go to another texture, which the
    // package's release must leave alone.
    if (slotGroup == 0) {
        for (SpriteGroup& group : groups_) std::erase(group.extraImages, id);
    }
    // Places at the end of the list are given back: a screen that loads its pictures at each
    // opening and releases them at closing would otherwise fill its group over a long game.
    while (!list.empty() && list.back() == nullptr) list.pop_back();
}

SYS_CTexture* SpriteRegistry::GetTextureById(int32_t id) const
{
    if (id < 0) return nullptr;
    const auto slotGroup = static_cast<size_t>((id >> 16) & 0xFF);
    const auto index = static_cast<size_t>(id & 0xFFFF);
    if (slotGroup >= slotGroups_.size() || index >= slotGroups_[slotGroup].size()) return nullptr;
    return slotGroups_[slotGroup][index];
}

int32_t SpriteRegistry::FindTextureId(uint32_t mask, std::string_view name) const
{
    for (int slotGroup = 0; slotGroup < kTextureSlotGroupCount; ++slotGroup) {
        if ((mask & (1u << slotGroup)) == 0) continue;
        const std::vector<SYS_CTexture*>& list = slotGroups_[static_cast<size_t>(slotGroup)];
        for (size_t i = list.size(); i-- > 0;) {
            if (list[i] && list[i]->GetName() == name) return MakeTextureId(slotGroup, static_cast<int>(i));
        }
    }
    return kNoTexture;
}

SYS_CTexture* SpriteRegistry::FindTextureByName(uint32_t mask, std::string_view name) const
{
    return GetTextureById(FindTextureId(mask, name));
}

void SpriteRegistry::ReleaseAllTextures()
{
    DrawPendingSprites();
    for (std::vector<SYS_CTexture*>& list : slotGroups_) {
        for (SYS_CTexture* texture : list) DeleteTexture(texture);
        list.clear();
    }
    // The packages' stand-alone images went with the rest; their ids may name new textures later.
    for (SpriteGroup& group : groups_) group.extraImages.clear();
}

int SpriteRegistry::TextureCount(int slotGroup) const
{
    return IsSlotGroup(slotGroup) ? static_cast<int>(slotGroups_[static_cast<size_t>(slotGroup)].size()) : 0;
}

SYS_CTexture* SpriteRegistry::LoadSpritePackage(const TextureLoader& loader, int group, std::string_view path)
{
    if (!IsSpriteGroup(group)) {
        log::Error(std::string(path) + ": sprite group " + std::to_string(group) + " is outside 0 to 127");
        return nullptr;
    }
    if (!groups_[static_cast<size_t>(group)].IsEmpty()) {
        log::Warning(std::string(path) + ": sprite group " + std::to_string(group) + " already holds a package");
        return nullptr;
    }
    std::size_t size = 0;
    void* block = file::ReadResourceFile(loader.fileHeap, path, &size);
    if (!block) return nullptr;
    SYS_CTexture* atlas =
        LoadSpritePackageFromMemory(loader, group, std::span(static_cast<const uint8_t*>(block), size), path);
    memory::MainHeapFree(block);
    return atlas;
}

SYS_CTexture* SpriteRegistry::LoadSpritePackageFromMemory(const TextureLoader& loader, int group,
                                                          std::span<const uint8_t> file, std::string_view what)
{
    if (!IsSpriteGroup(group) || !groups_[static_cast<size_t>(group)].IsEmpty()) {
        log::Error(std::string(what) + ": sprite group " + std::to_string(group) + " is not an empty sprite group");
        return nullptr;
    }
    // The sprites and extra images keep no pointer into the file, whose
    // block the caller frees; the pixels must be copied.
    if (!loader.copyHeap) {
        log::Error(std::string(what) + ": a sprite package needs a heap for its pixels");
        return nullptr;
    }
    const std::optional<SpritePackageChunks> chunks = ReadSpritePackageChunks(file, what);
    if (!chunks) return nullptr;
    SYSWIN_CTexture* atlas = MakeImageTexture(loader, chunks->atlas, what);
    if (!atlas) return nullptr;
    SpriteGroup& target = groups_[static_cast<size_t>(group)];
    for (const std::span<const uint8_t> image : chunks->extraImages) {
        const int32_t id = AddTextureFromImage(loader, 0, image, what);
        if (id != kNoTexture) target.extraImages.push_back(id);
    }

    target.table.assign(chunks->table.begin(), chunks->table.end());
    if (!chunks->table.empty()) {
        if (const std::optional<std::vector<SpriteEntry>> entries = ParseSpriteTable(target.table, what)) {
            target.textures.reserve(entries->size() + 1);
            for (const SpriteEntry& entry : *entries) {
                auto* sprite = new SYS_CMergeTexture();
                if (!sprite) break;  // out of memory: the sprites made so far stay
                sprite->SetSpriteEntry(atlas, entry);
                target.textures.push_back(sprite);
            }
        }
    } else {
        log::Warning(std::string(what) + ": sprite package without a sprite table; only its atlas is loaded");
    }
    target.textures.push_back(atlas);
    for (size_t i = 0; i < target.textures.size(); ++i) {
        if (target.textures[i]) {
            target.firstByName.try_emplace(std::string(RemoveExtension(target.textures[i]->GetName())), static_cast<int>(i));
        }
    }
    target.generation = ++g_lastGeneration;
    return atlas;
}

void SpriteRegistry::ReleaseSpritePackage(int group)
{
    if (!IsSpriteGroup(group)) return;
    SpriteGroup& target = groups_[static_cast<size_t>(group)];
    if (!target.textures.empty()) DrawPendingSprites();
    for (SYS_CTexture* texture : target.textures) DeleteTexture(texture);
    target.textures.clear();
    const std::vector<int32_t> images = std::move(target.extraImages);
    target.extraImages.clear();
    for (const int32_t id : images) UnloadTexture(id);
    target.table.clear();
    target.table.shrink_to_fit();
    target.firstByName.clear();
    target.generation = ++g_lastGeneration;
}

int SpriteRegistry::FindSprite(int group, std::string_view name) const
{
    ++nameLookups_;
    if (!IsSpriteGroup(group)) return -1;
    const SpriteGroup& target = groups_[static_cast<size_t>(group)];
    const auto found = target.firstByName.find(RemoveExtension(name));
    return found != target.firstByName.end() ? found->second : -1;
}

SYS_CTexture* SpriteRegistry::GetSprite(int group, int index) const
{
    if (!IsSpriteGroup(group) || index < 0) return nullptr;
    const std::vector<SYS_CTexture*>& list = groups_[static_cast<size_t>(group)].textures;
    return static_cast<size_t>(index) < list.size() ? list[static_cast<size_t>(index)] : nullptr;
}

SYS_CTexture* SpriteRegistry::GetPackageSprite(uint32_t handle) const
{
    if ((handle >> 24) != 1) return nullptr;
    return GetSprite(static_cast<int>((handle >> 16) & 0xFF), static_cast<int>(handle & 0xFFFF));
}

const SpriteGroup* SpriteRegistry::GetSpriteGroup(int group) const
{
    return IsSpriteGroup(group) ? &groups_[static_cast<size_t>(group)] : nullptr;
}

uint32_t SpriteRegistry::GroupGeneration(int group) const
{
    return IsSpriteGroup(group) ? groups_[static_cast<size_t>(group)].generation : 0;
}

void SpriteRegistry::ReleaseAll()
{
    for (int group = 0; group < kSpriteGroupCount; ++group) ReleaseSpritePackage(group);
    ReleaseAllTextures();
}

SpriteRegistry* GetSpriteRegistry()
{
    return g_registry;
}

void SetSpriteRegistry(SpriteRegistry* registry)
{
    g_registry = registry;
}

int FindSpriteIndex(int group, std::string_view name)
{
    const SpriteRegistry* registry = GetSpriteRegistry();
    return registry ? registry->FindSprite(group, name) : -1;
}

SYS_CTexture* GetSpriteAt(int group, int index)
{
    const SpriteRegistry* registry = GetSpriteRegistry();
    return registry ? registry->GetSprite(group, index) : nullptr;
}

}  // namespace vesk::resource
