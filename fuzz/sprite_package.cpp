// Feeds arbitrary bytes to the sprite-package loader, through to the textures of a sprite group.
// The loader reads the chunk list, the sprite table, the atlas and the extra
// images.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "framework/graphics/device_record.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/log/log.h"
#include "framework/memory/arena.h"
#include "framework/process/canvas.h"

namespace {

constexpr size_t kPixelHeapSize = 64u << 20;

vesk::memory::HeapRecord* PixelHeap()
{
    static vesk::memory::HeapRecord heap;
    static const bool ready = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
        vesk::process::SetupCanvas();
        vesk::graphics::CreateDevice();
        return vesk::memory::InitArena(&heap, std::aligned_alloc(4096, kPixelHeapSize), kPixelHeapSize, 0x80);
    }();
    return ready ? &heap : nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vesk::memory::HeapRecord* heap = PixelHeap();
    if (!heap) return 0;
    vesk::resource::SpriteRegistry registry;
    const vesk::resource::TextureLoader loader{nullptr, heap};
    if (registry.LoadSpritePackageFromMemory(loader, 0, std::span(data, size), "fuzz.pac")) {
        const vesk::resource::SpriteGroup* group = registry.GetSpriteGroup(0);
        for (const vesk::resource::SYS_CTexture* sprite : group->textures) {
            if (!sprite || registry.FindSprite(0, sprite->GetName()) < 0) {
                __builtin_trap();
            }
            (void)sprite->GetUVMax();
        }
    }
    registry.ReleaseAll();
    return 0;
}
