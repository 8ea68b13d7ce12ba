// The interface of movers that take over a draw unit's position for a while.
#pragma once

#include "framework/math/vector.h"
#include "framework/memory/heaps.h"

namespace vesk::utility::move_control {

// A mover takes over a draw unit's local position for a while. The unit calls
// Apply once a frame while the mover is active and deletes it once it is not.
class UTL_CInterface : public memory::MainHeapObject {
public:
    virtual ~UTL_CInterface() = default;

    // Begins a move from position.
    virtual void Start(const math::Vec2& position) = 0;
    // One frame of the move, on the unit's local position.
    virtual void Apply(math::Vec2& position) = 0;
    virtual void SetTarget(const math::Vec2& target) = 0;
    virtual bool IsActive() const = 0;
    virtual math::Vec2 GetTarget() const = 0;
    // 0 at the start, 1 on the target.
    virtual float GetProgress() const = 0;
};

}  // namespace vesk::utility::move_control
