// A crew member: for now what its actor script's restart touches.
#pragma once

#include "framework/math/vector.h"

// A crew member of the field objects. This holds what the actor script
// changes on a restart: the draw offset and the visible flag.
class GAME_CObjectActor {
public:
    static constexpr float kStandardDrawOffsetY = -11.0f;

    GAME_CObjectActor() = default;
    GAME_CObjectActor(const GAME_CObjectActor&) = delete;
    GAME_CObjectActor& operator=(const GAME_CObjectActor&) = delete;

    const vesk::math::Vec2& GetDrawOffset() const { return drawOffset_; }
    void SetDrawOffset(const vesk::math::Vec2& offset) { drawOffset_ = offset; }
    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

private:
    vesk::math::Vec2 drawOffset_{0.0f, kStandardDrawOffsetY};
    bool visible_ = true;
};
