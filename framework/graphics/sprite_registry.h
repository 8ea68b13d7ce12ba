// The sprite registry: 128 sprite groups of sprite packages and 32 texture slot groups of stand-alone images.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/graphics/texture.h"
#include "framework/memory/arena.h"

namespace vesk::resource {

// Where the textures of the game live: 128 sprite groups, each holding one
// loaded sprite package, and 32 texture slot groups of stand-alone images.
//
// Texture id:    (slot group << 16) | index, always below 0x1000000.
// Sprite handle: 0x01000000 | (sprite group << 16) | index.
inline constexpr int kSpriteGroupCount = 128;
inline constexpr int kTextureSlotGroupCount = 32;
inline constexpr int kTexturesReservedPerSlotGroup = 128;
inline constexpr int32_t kNoTexture = -1;
inline constexpr uint32_t kSpriteHandleTag = 0x01000000;

constexpr int32_t MakeTextureId(int slotGroup, int index)
{
    return static_cast<int32_t>((static_cast<uint32_t>(slotGroup & 0xFF) << 16) | static_cast<uint32_t>(index));
}
constexpr uint32_t MakeSpriteHandle(int group, int index)
{
    return kSpriteHandleTag | (static_cast<uint32_t>(group & 0xFF) << 16) | static_cast<uint32_t>(index & 0xFFFF);
}

// The heaps a load uses: file reads go to the file heap (null: the main
// heap, or the general allocator without one); raw pixels are copied into the
// copy heap so that textures outlive the file block.
struct TextureLoader {
    memory::HeapRecord* fileHeap = nullptr;
    memory::HeapRecord* copyHeap = nullptr;
};

// One loaded sprite package: its sprites in table order, then its atlas as
// the last texture. The table block is kept as it was read.
struct SpriteGroup {
    // Hashes a sprite name so that a string_view finds a std::string key.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    std::vector<uint8_t> table;
    std::vector<SYS_CTexture*> textures;
    // The ids of the package's stand-alone images in texture slot group 0; they go with the package.
    std::vector<int32_t> extraImages;
    // Each name without its extension, to the first texture that has it.
    std::unordered_map<std::string, int, NameHash, std::equal_to<>> firstByName;
    // Changes at every load and release, so names resolved before can tell
    // that their index may have moved.
    uint32_t generation = 0;

    bool IsEmpty() const { return table.empty() && textures.empty() && extraImages.empty(); }
};

class SpriteRegistry {
public:
    SpriteRegistry();
    ~SpriteRegistry();
    SpriteRegistry(const SpriteRegistry&) = delete;
    SpriteRegistry& operator=(const SpriteRegistry&) = delete;

    // Stand-alone images.

    // Reads a ".cvt" file of the data folder into the slot group; the id, or
    // kNoTexture when the file cannot be read or made into a texture. The
    // loader needs a copy heap: the file block is freed here.
    int32_t LoadTexture(const TextureLoader& loader, int slotGroup, std::string_view path);
    // A ".cvt" image in memory, appended to the slot group. Without a copy
    // heap the texture keeps pointing at the image's pixels, which the caller
    // then keeps alive. kNoTexture (with a log line) for a bad image or slot.
    int32_t AddTextureFromImage(const TextureLoader& loader, int slotGroup, std::span<const uint8_t> image,
                                std::string_view what = "image");
    // Deletes the texture and leaves a null in its place, so later ids keep
    // their meaning; nulls at the end of the list are dropped, so their places
    // are taken again. Ids that name no texture are ignored.
    void UnloadTexture(int32_t id);
    void ReleaseTexture(int32_t id) { UnloadTexture(id); }
    SYS_CTexture* GetTextureById(int32_t id) const;
    // Searches the slot groups whose bit is set in mask, 0 to 31, each from
    // its newest texture back, for the exact name; the id, or kNoTexture.
    int32_t FindTextureId(uint32_t mask, std::string_view name) const;
    SYS_CTexture* FindTextureByName(uint32_t mask, std::string_view name) const;
    void ReleaseAllTextures();
    // The length of a slot group's list, nulls included (0 outside the range).
    int TextureCount(int slotGroup) const;

    // Sprite packages.

    // Loads a package of the data folder into an empty group; its atlas, or
    // null when the group is outside the registry or not empty, the file
    // cannot be read or the package is refused. Every "TEXE" image of the
    // package is added to texture slot group 0 until the package is released.
    SYS_CTexture* LoadSpritePackage(const TextureLoader& loader, int group, std::string_view path);
    // The same from a package in memory (what names it in log lines).
    SYS_CTexture* LoadSpritePackageFromMemory(const TextureLoader& loader, int group, std::span<const uint8_t> file,
                                              std::string_view what);
    // Deletes the group's textures, its stand-alone images and its table; the group can be loaded again.
    void ReleaseSpritePackage(int group);

    // The index of the first texture of the group whose name, without its
    // extension, equals name without its extension; -1 when none.
    // A hashed lookup, but still one per call: code that draws every frame
    // resolves its names once (see SpriteName) and keeps the index.
    int FindSprite(int group, std::string_view name) const;
    int FindSpriteIndex(int group, std::string_view name) const { return FindSprite(group, name); }
    // Null outside the group's list (the atlas is the last element).
    SYS_CTexture* GetSprite(int group, int index) const;
    SYS_CTexture* GetSpriteAt(int group, int index) const { return GetSprite(group, index); }
    // Null unless the top byte is 1 and group and index lie in the registry.
    SYS_CTexture* GetPackageSprite(uint32_t handle) const;
    const SpriteGroup* GetSpriteGroup(int group) const;
    // The group's generation (0 outside the registry).
    uint32_t GroupGeneration(int group) const;
    // How many times FindSprite has been asked, for tests that hold frames
    // free of lookups by name.
    uint64_t NameLookupCount() const { return nameLookups_; }

    // Every package and every texture; at shut-down.
    void ReleaseAll();

private:
    std::vector<SpriteGroup> groups_;
    std::vector<std::vector<SYS_CTexture*>> slotGroups_;
    mutable uint64_t nameLookups_ = 0;
};

// The registry of the framework manager; null while there is no manager.
SpriteRegistry* GetSpriteRegistry();
// The manager hands its registry over when it is made and takes it back (null)
// before it goes.
void SetSpriteRegistry(SpriteRegistry* registry);

// The framework manager's registry, for code that names sprites by group:
// -1 and null when there is no manager.
int FindSpriteIndex(int group, std::string_view name);
SYS_CTexture* GetSpriteAt(int group, int index);

}  // namespace vesk::resource
