// What the effect layer draws of one effect: the sprite, where and how, from its record, its graphic and the host's view.
#pragma once

#include <cstdint>
#include <optional>

#include "framework/graphics/polygon_render.h"
#include "framework/math/color.h"
#include "framework/math/vector.h"
#include "framework/utility/effect/effect_host.h"
#include "framework/utility/effect/effect_record.h"

namespace vesk::utility::particle {

// What the layer reads of an effect's graphic (a sprite object).
struct UTL_SEffectGraphic {
    std::int32_t group = -1;
    std::int32_t index = -1;
    float spriteWidth = 0.0f;
    float spriteHeight = 0.0f;
    math::Vec2 worldPosition{};
    float worldRotation = 0.0f;
    math::Color worldColor{255, 255, 255, 255};
    std::uint32_t worldBlendMode = 4;
    std::uint32_t worldFlipX = 0;
    std::uint32_t worldFlipY = 0;
    math::Vec2 origin{};  // pivot in pixels
};

// One sprite draw: the sprite, the blend mode, the point and the textured
// renderer's draw parameters.
struct UTL_SEffectSpriteDraw {
    std::int32_t group = -1;
    std::int32_t index = -1;
    std::uint32_t blendMode = 4;
    graphics::Vec2f position;
    graphics::DrawParam param;
};

// The values of the game world the kinds read, taken once per draw pass.
struct UTL_SEffectView {
    float cameraZoom = 1.0f;
    float displayScale = 1.0f;
    UTL_SShipScroll shipScroll;
    math::Vec2 shipBodyPosition{};
    math::Vec2 shipBodyScale{1.0f, 1.0f};
    math::Vec2 shipCellSize{24.0f, 24.0f};
};

UTL_SEffectView TakeEffectView(const UTL_CEffectHost& host);

// Kinds 1 and 3: the anchor's current view, or its last one once it was
// lost. Asks the host each time and remembers what it answered; after the
// host first refuses the anchor it is dropped for good, so a reused object
// is never followed. Empty when the anchor was never seen.
std::optional<UTL_SAnchorView> FollowAnchor(UTL_SEffectRecord& record, const UTL_CEffectHost& host);

// The draw of an effect of the given kind; anchor is the followed view for
// kinds 1 and 3. Empty when the kind is unknown or an anchor is needed and
// missing.
std::optional<UTL_SEffectSpriteDraw> ComputeEffectDraw(std::uint32_t kind, const UTL_SEffectParams& params,
                                                       const UTL_SEffectGraphic& graphic,
                                                       const std::optional<UTL_SAnchorView>& anchor,
                                                       const UTL_SEffectView& view);

}  // namespace vesk::utility::particle
