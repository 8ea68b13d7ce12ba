// An effect's kind, the request that spawns it and the record the layer keeps while it lives.
#pragma once

#include <cstdint>
#include <string>

#include "framework/math/vector.h"
#include "framework/utility/effect/effect_host.h"

namespace vesk::utility::script_graphic {
class UTL_CObjectScript;
}

namespace vesk::utility::particle {

// How an effect is drawn.
enum UTL_EEffectKind : std::uint32_t {
    kEffectAtPosition = 0,     // at the graphic's own position plus an offset
    kEffectFollow = 1,         // following a game object, mirrored with it
    kEffectOnShipCell = 2,     // on a cell of the ship's grid
    kEffectFollowUnmirrored = 3,
};

// Kinds 1 and 3 follow a game object.
inline bool FollowsAnchor(std::uint32_t kind) { return kind == kEffectFollow || kind == kEffectFollowUnmirrored; }

// The part of a request that a record keeps, from the anchor on.
struct UTL_SEffectParams {
    UTL_SEffectAnchor anchor;       // kinds 1 and 3
    math::Vec2 offset{};            // kinds 0 and 1
    math::Vec2 scale{1.0f, 1.0f};
    float rotation = 0.0f;          // degrees; kinds 1 to 3
    std::uint32_t anchorMode = 0;   // kind 1
    std::int32_t cellX = 0;         // kind 2
    std::int32_t cellY = 0;
    std::int32_t screenOffsetX = 0;  // kind 3
    std::int32_t screenOffsetY = 0;
};

// What game code fills to spawn an effect: the script label to run, the
// effect object's name and how the effect is drawn.
struct UTL_SEffectRequest {
    static constexpr std::size_t kNameUnits = 32;

    std::uint32_t kind = kEffectAtPosition;
    std::u16string objectName;  // at most kNameUnits - 1 units are kept
    std::u16string labelName;
    UTL_SEffectParams params;
};

// Ties one effect object to how the layer draws it.
struct UTL_SEffectRecord {
    static constexpr std::uint32_t kNoHandle = 0xFFFFFFFF;

    std::uint32_t kind = kEffectAtPosition;
    script_graphic::UTL_CObjectScript* object = nullptr;
    // The object's handle when it was spawned: objects are pooled, and a
    // removed one that was handed out again has another handle.
    std::uint32_t objectHandle = kNoHandle;
    UTL_SEffectParams params;
    // Where a followed anchor was last seen. Once the anchor is lost (its
    // object went or was reused) the effect stays at that point.
    bool anchorSeen = false;
    UTL_SAnchorView lastAnchor;

    void Reset() { *this = UTL_SEffectRecord{}; }
};

}  // namespace vesk::utility::particle
