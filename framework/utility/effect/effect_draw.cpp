// The draw parameters of one effect, worked out from its record and graphic.
#include "framework/utility/effect/effect_draw.h"

namespace vesk::utility::particle {
namespace {

// The graphic's origin as a fraction of its sprite; an empty sprite has none.
void SetPivotFromOrigin(graphics::DrawParam& param, const UTL_SEffectGraphic& graphic)
{
    param.pivotX = graphic.spriteWidth > 0.0f ? graphic.origin.x / graphic.spriteWidth : 0.0f;
    param.pivotY = graphic.spriteHeight > 0.0f ? graphic.origin.y / graphic.spriteHeight : 0.0f;
}

// Kinds 1 and 3 scale with the background.
float FollowScale(const UTL_SEffectParams& params, const UTL_SEffectView& view)
{
    return view.displayScale * params.scale.x * 0.5f;
}

math::Vec2 ScrolledAnchor(const UTL_SAnchorView& anchor, const UTL_SEffectView& view)
{
    return {anchor.position.x + static_cast<float>(view.shipScroll.x),
            anchor.position.y + static_cast<float>(view.shipScroll.y)};
}

}  // namespace

UTL_SEffectView TakeEffectView(const UTL_CEffectHost& host)
{
    UTL_SEffectView view;
    view.cameraZoom = host.CameraZoom();
    view.displayScale = host.DisplayScale();
    view.shipScroll = host.ShipScroll();
    view.shipBodyPosition = host.ShipBodyPosition();
    view.shipBodyScale = host.ShipBodyScale();
    view.shipCellSize = host.ShipCellSize();
    return view;
}

std::optional<UTL_SAnchorView> FollowAnchor(UTL_SEffectRecord& record, const UTL_CEffectHost& host)
{
    UTL_SEffectAnchor& anchor = record.params.anchor;
    if (!anchor.IsNone()) {
        UTL_SAnchorView now;
        if (host.FindAnchor(anchor, record.params.anchorMode, now)) {
            record.lastAnchor = now;
            record.anchorSeen = true;
        } else {
            anchor = UTL_SEffectAnchor{};
        }
    }
    if (!record.anchorSeen) {
        return std::nullopt;
    }
    return record.lastAnchor;
}

std::optional<UTL_SEffectSpriteDraw> ComputeEffectDraw(std::uint32_t kind, const UTL_SEffectParams& params,
                                                       const UTL_SEffectGraphic& graphic,
                                                       const std::optional<UTL_SAnchorView>& anchor,
                                                       const UTL_SEffectView& view)
{
    UTL_SEffectSpriteDraw draw;
    draw.group = graphic.group;
    draw.index = graphic.index;
    draw.blendMode = graphic.worldBlendMode;
    graphics::DrawParam& param = draw.param;
    graphics::InitDrawParam(param);
    param.color = math::ColorToWord(graphic.worldColor);

    switch (kind) {
        case kEffectAtPosition:
            param.scaleX = params.scale.x;
            param.scaleY = params.scale.y;
            param.angle = graphic.worldRotation;
            SetPivotFromOrigin(param, graphic);
            param.flipX = static_cast<std::int32_t>(graphic.worldFlipX);
            param.flipY = static_cast<std::int32_t>(graphic.worldFlipY);
            draw.position = {graphic.worldPosition.x + params.offset.x, graphic.worldPosition.y + params.offset.y};
            return draw;

        case kEffectFollow: {
            if (!anchor) {
                return std::nullopt;
            }
            const float s = FollowScale(params, view);
            const math::Vec2 base = ScrolledAnchor(*anchor, view);
            // Facing left mirrors the effect about the anchor.
            const float side = anchor->mirror ? -1.0f : 1.0f;
            draw.position = {base.x + side * params.offset.x * s, base.y + params.offset.y * s};
            param.scaleX = s;
            param.scaleY = s;
            param.angle = params.rotation;
            SetPivotFromOrigin(param, graphic);
            param.flipX = static_cast<std::int32_t>(graphic.worldFlipX ^ (anchor->mirror ? 1u : 0u));
            param.flipY = static_cast<std::int32_t>(graphic.worldFlipY);
            return draw;
        }

        case kEffectOnShipCell: {
            float sizeX = view.cameraZoom * 0.25f * view.shipBodyScale.x;
            const float sizeY = view.cameraZoom * 0.25f * view.shipBodyScale.y;
            std::int32_t cellX = params.cellX;
            // A ship drawn mirrored counts its cells from the other edge.
            if (sizeX < 0.0f) {
                sizeX = -sizeX;
                cellX += 1;
            }
            draw.position = {
                view.shipBodyPosition.x + static_cast<float>(cellX) * view.shipCellSize.x * sizeX,
                view.shipBodyPosition.y + static_cast<float>(params.cellY) * view.shipCellSize.y * sizeY};
            param.scaleX = sizeX;
            param.scaleY = sizeY;
            param.angle = params.rotation;
            SetPivotFromOrigin(param, graphic);
            return draw;
        }

        case kEffectFollowUnmirrored: {
            if (!anchor) {
                return std::nullopt;
            }
            const float s = FollowScale(params, view);
            const math::Vec2 base = ScrolledAnchor(*anchor, view);
            draw.position = {base.x + static_cast<float>(params.screenOffsetX),
                             base.y + static_cast<float>(params.screenOffsetY)};
            param.scaleX = s;
            param.scaleY = s;
            param.angle = params.rotation;
            param.pivotX = anchor->pivot.x;
            param.pivotY = anchor->pivot.y;
            return draw;
        }

        default:
            return std::nullopt;
    }
}

}  // namespace vesk::utility::particle
