// The 2D scene node's reset, parent and child links, per-frame integration and world composition.
#include "framework/utility/draw_unit/object2_base.h"

#include <algorithm>

#include "framework/math/scalar.h"

namespace vesk::utility::draw_unit {

UTL_CObject2Base::UTL_CObject2Base() { Reset(); }

UTL_CObject2Base::~UTL_CObject2Base()
{
    // Leave no pointer to this unit behind in the tree.
    ClearChildren();
    SetParent(nullptr);
}

void UTL_CObject2Base::Reset()
{
    world = UTL_STransform2{};
    local = UTL_STransform2{};
    velocity = {};
    acceleration = {};
    scaleVelocity = {};
    origin = {};
    rotationVelocity = 0.0f;
    colorVelocity = {};
    positionFilter = nullptr;
    mover_.reset();
    moverActive_ = 0;
    ClearChildren();
    flags = 0;
    age = 0;
    lifetime = kDefaultLifetime;
    padIndex = 0;
    variables = {};
    timers = {};
    // Alive again: the line above it no longer holds only dead units.
    ForgetKilledLine();
}

void UTL_CObject2Base::ClearFrameFlags() { flags &= ~kFrameFlagMask; }

void UTL_CObject2Base::Kill()
{
    // Sweeps kill the children of every dead unit they remove; walking a dead line again from each
    // of its units would make a long line cost its length squared.
    if (IsDead() && killedLine_) {
        return;
    }
    flags |= kDead;
    for (UTL_CObject2Base* child : children_) {
        child->Kill();
    }
    killedLine_ = true;
}

void UTL_CObject2Base::ForgetKilledLine()
{
    // Every unit below one whose line was killed has its own line killed, so the walk up
    // stops at the first unit that holds no such mark.
    for (UTL_CObject2Base* unit = this; unit != nullptr && unit->killedLine_; unit = unit->parent_) {
        unit->killedLine_ = false;
    }
}

bool UTL_CObject2Base::SetParent(UTL_CObject2Base* parent)
{
    for (const UTL_CObject2Base* up = parent; up != nullptr; up = up->parent_) {
        if (up == this) {
            return false;  // would close a loop
        }
    }
    if (parent_ != nullptr) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    parent_ = parent;
    if (parent_ != nullptr) {
        parent_->children_.push_back(this);
        // The new child may be alive: a later Kill of the line must reach it.
        parent_->ForgetKilledLine();
    }
    return true;
}

void UTL_CObject2Base::RemoveChild(UTL_CObject2Base* child)
{
    const auto removed = std::remove(children_.begin(), children_.end(), child);
    if (removed != children_.end()) {
        children_.erase(removed, children_.end());
        if (child != nullptr && child->parent_ == this) {
            child->parent_ = nullptr;
        }
    }
}

void UTL_CObject2Base::ClearChildren()
{
    for (UTL_CObject2Base* child : children_) {
        if (child->parent_ == this) {
            child->parent_ = nullptr;
        }
    }
    children_.clear();
}

UTL_CObject2Base* UTL_CObject2Base::FindChild(std::u16string_view name) const
{
    for (UTL_CObject2Base* child : children_) {
        if (child->name_ == name) {
            return child;
        }
    }
    return nullptr;
}

UTL_CObject2Base* UTL_CObject2Base::FindDescendant(std::u16string_view name) const
{
    for (UTL_CObject2Base* child : children_) {
        if (child->name_ == name) {
            return child;
        }
        if (UTL_CObject2Base* found = child->FindDescendant(name)) {
            return found;
        }
    }
    return nullptr;
}

void UTL_CObject2Base::StartMover(std::unique_ptr<move_control::UTL_CInterface> newMover)
{
    mover_ = std::move(newMover);
    moverActive_ = 0;
    if (mover_ != nullptr) {
        mover_->Start(local.position);
        moverActive_ = 1;
    }
}

void UTL_CObject2Base::UpdateTransform()
{
    if (HasFlags(kUpdatedThisFrame)) {
        return;
    }
    if (parent_ != nullptr) {
        parent_->UpdateTransform();
    }
    // Marked before the returns below as well: each descendant asks its parent first, so a paused or
    // dead unit left unmarked would walk its whole line of ancestors again for every one of them.
    flags |= kUpdatedThisFrame;
    // A dead unit waits for its owner to remove it.
    if (HasFlags(kPaused | kDead)) {
        return;
    }
    if ((age >= lifetime && !HasFlags(kImmortal)) || (parent_ != nullptr && parent_->IsDead())) {
        Kill();
        return;
    }

    if (mover_ == nullptr || moverActive_ == 0) {
        local.position.x += velocity.x;
        local.position.y += velocity.y;
        velocity.x += acceleration.x;
        velocity.y += acceleration.y;
        local.scale.x += scaleVelocity.x;
        local.scale.y += scaleVelocity.y;
        local.rotation += rotationVelocity;
    } else {
        mover_->Apply(local.position);
        if (!mover_->IsActive()) {
            mover_.reset();
            moverActive_ = 0;
        }
    }
    StepColor(local.color, colorVelocity[0], colorVelocity[1], colorVelocity[2], colorVelocity[3]);

    ComposeWorld();

    ++age;
    for (std::uint32_t& timer : timers) {
        if (timer != 0) {
            --timer;
        }
    }
}

void UTL_CObject2Base::ComposeWorld()
{
    const UTL_CObject2Base* parent = parent_;
    if (parent == nullptr || !HasFlags(kInheritTransform)) {
        world.position = local.position;
        world.scale = local.scale;
        world.rotation = local.rotation;
    } else {
        const UTL_STransform2& up = parent->world;
        world.scale = {local.scale.x * up.scale.x, local.scale.y * up.scale.y};
        world.rotation = HasFlags(kOwnRotation) ? local.rotation : local.rotation + up.rotation;
        const float x = local.position.x * up.scale.x;
        const float y = local.position.y * up.scale.y;
        const float cosine = math::MathCosDeg(up.rotation);
        const float sine = math::MathSinDeg(up.rotation);
        world.position = {up.position.x + x * cosine - y * sine, up.position.y + x * sine + y * cosine};
    }
    if (positionFilter != nullptr) {
        world.position = positionFilter(world.position);
    }

    const bool hasParent = parent != nullptr;
    world.priority = hasParent && HasFlags(kInheritPriority) ? parent->world.priority : local.priority;
    world.blendMode = hasParent && HasFlags(kInheritBlendMode) ? parent->world.blendMode : local.blendMode;
    world.visible = hasParent && HasFlags(kInheritVisible) ? parent->world.visible : local.visible;
    if (hasParent) {
        world.flipX = parent->world.flipX ^ local.flipX;
        world.flipY = parent->world.flipY ^ local.flipY;
    }
    const math::Color& colorSource = hasParent && HasFlags(kInheritColor) ? parent->world.color : local.color;
    world.color.r = colorSource.r;
    world.color.g = colorSource.g;
    world.color.b = colorSource.b;
    world.color.a = hasParent && HasFlags(kInheritAlpha) ? parent->world.color.a : local.color.a;
}

}  // namespace vesk::utility::draw_unit
