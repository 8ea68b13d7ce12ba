// A layout object drawn with the framework's sprites, with data attached by key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "framework/utility/layout/plix/object.h"

namespace vesk::layout {

// Data the layout library attaches to an object under a key; the entry owns its bytes.
struct LayoutDataEntry {
    std::uint32_t key = 0;
    std::vector<std::uint8_t> data;
};

// A layout object drawn with the framework's sprites: parts name sprites of
// the object's sprite group and go through the textured polygon renderer.
class SYS_CObjectForVesk final : public plix::SYS_CObject {
public:
    explicit SYS_CObjectForVesk(std::uint32_t spriteGroup = 0) : spriteGroup_(spriteGroup) {}

    std::int32_t ResolveSprite(plix::SYS_CPart& part) override;
    void BeginDraw(int blendMode) override;
    void EndBatch() override;
    bool DrawPart(const plix::SYS_CPart& part) override;
    bool GetData(std::uint32_t id, const void*& data, std::size_t& size) const override;

    std::uint32_t SpriteGroup() const { return spriteGroup_; }
    void SetSpriteGroup(std::uint32_t group) { spriteGroup_ = group; }

    // Appends an entry holding a copy of the bytes; GetData finds the first entry of a key.
    void AddData(std::uint32_t key, std::span<const std::uint8_t> bytes);
    // Frees the first entry of the key; false when there is none.
    bool FreeData(std::uint32_t key);
    std::size_t DataCount() const { return data_.size(); }

private:
    std::uint32_t spriteGroup_ = 0;
    std::vector<std::unique_ptr<LayoutDataEntry>> data_;
};

// Draws the pending sprites and leaves no sprite group current, with blend
// mode 5. Also called by scenes that drew sprites without a layout object.
void EndBatch();

}  // namespace vesk::layout
