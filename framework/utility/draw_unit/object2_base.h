// The 2D scene node that script graphics and effects draw: transform, velocities, parent, children and timers.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/memory/heaps.h"
#include "framework/utility/draw_unit/transform2.h"
#include "framework/utility/move_control/move_interface.h"

namespace vesk::utility::draw_unit {

// A 2D scene node: a local transform and colour with per-frame velocities, a
// parent whose world transform it can inherit, children, a name, a lifetime,
// per-object variables and timers, and an optional mover. Each frame
// UpdateTransform integrates the local state and composes the world state that
// drawing reads.
//
// The parent and child links are kept consistent by SetParent, RemoveChild and
// the destructor: a unit never points at a parent that does not list it.
class UTL_CObject2Base : public memory::MainHeapObject {
public:
    static constexpr std::uint32_t kDefaultLifetime = 60;
    static constexpr std::size_t kVariableCount = 8;
    static constexpr std::size_t kTimerCount = 8;
    // Timer 0 is the input lock of the script commands.
    static constexpr std::size_t kInputLockTimer = 0;

    // Replaces the composed world position (for example to snap it).
    using PositionFilter = math::Vec2 (*)(const math::Vec2& worldPosition);

    UTL_CObject2Base();
    virtual ~UTL_CObject2Base();
    UTL_CObject2Base(const UTL_CObject2Base&) = delete;
    UTL_CObject2Base& operator=(const UTL_CObject2Base&) = delete;

    // Back to a fresh unit: transforms, motion, mover, flags, age, lifetime,
    // variables and timers. Children are dropped (they keep living unparented);
    // the unit stays under its parent and keeps its name.
    virtual void Reset();
    // continues: the next unit drawn shares this one's batch.
    virtual void Draw(bool continues) = 0;
    // One frame of motion and the world composition; runs the parent's first
    // and at most once a frame (until ClearFrameFlags).
    virtual void UpdateTransform();
    // Clears the per-frame marks (updated, drawn).
    virtual void ClearFrameFlags();

    // Marks the unit and, depth first, all its descendants dead. A unit already killed so, whose line
    // has gained no unit since, is passed over: its descendants are dead already.
    void Kill();

    bool HasFlags(std::uint32_t mask) const { return (flags & mask) != 0; }
    void SetFlags(std::uint32_t mask, bool on)
    {
        flags = on ? (flags | mask) : (flags & ~mask);
        if (!on && (mask & kDead) != 0) {
            ForgetKilledLine();
        }
    }
    bool IsDead() const { return HasFlags(kDead); }

    // Moves the unit under parent (null: no parent), out of its old parent's
    // child list and to the end of the new one's. Refused (false, no change)
    // when parent is the unit itself or one of its descendants.
    bool SetParent(UTL_CObject2Base* parent);
    UTL_CObject2Base* GetParent() const { return parent_; }
    const std::vector<UTL_CObject2Base*>& GetChildren() const { return children_; }
    // Takes every occurrence of child out of the child list and unparents it.
    void RemoveChild(UTL_CObject2Base* child);
    // Unparents every child and empties the list.
    void ClearChildren();

    const std::u16string& GetName() const { return name_; }
    void SetName(std::u16string_view name) { name_.assign(name.begin(), name.end()); }
    // First direct child of that name; null when none.
    UTL_CObject2Base* FindChild(std::u16string_view name) const;
    // Depth first: each child in order, then (when it has another name) its
    // own descendants before the next sibling; null when none.
    UTL_CObject2Base* FindDescendant(std::u16string_view name) const;

    // Replaces any mover, starts the new one from the local position and lets
    // it drive the unit. A null mover only removes the old one.
    void StartMover(std::unique_ptr<move_control::UTL_CInterface> newMover);
    move_control::UTL_CInterface* GetMover() const { return mover_.get(); }
    bool IsMoverActive() const { return moverActive_ != 0; }

    UTL_STransform2 world;
    UTL_STransform2 local;
    math::Vec2 velocity{};
    math::Vec2 acceleration{};
    math::Vec2 scaleVelocity{};
    math::Vec2 origin{};  // drawing pivot in pixels
    float rotationVelocity = 0.0f;  // degrees per frame
    std::array<std::int32_t, 4> colorVelocity{};  // red, green, blue, alpha steps per frame
    PositionFilter positionFilter = nullptr;
    std::uint32_t flags = 0;
    std::uint32_t age = 0;       // frames
    std::uint32_t lifetime = kDefaultLifetime;
    std::array<std::int32_t, kVariableCount> variables{};
    std::uint32_t padIndex = 0;
    std::array<std::uint32_t, kTimerCount> timers{};

private:
    void ComposeWorld();
    // Drops the killed-line mark of this unit and of each ancestor that holds it.
    void ForgetKilledLine();

    std::unique_ptr<move_control::UTL_CInterface> mover_;
    std::uint32_t moverActive_ = 0;
    UTL_CObject2Base* parent_ = nullptr;
    std::vector<UTL_CObject2Base*> children_;
    std::u16string name_;
    // Set by Kill once this unit and all below it are dead; dropped when a unit joins the line or
    // one in it is reset to life.
    bool killedLine_ = false;
};

}  // namespace vesk::utility::draw_unit
