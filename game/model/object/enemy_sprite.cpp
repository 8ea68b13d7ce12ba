// The enemy sprite part: tree links, names, flips, the once-per-frame animation and the draw.
#include "game/model/object/enemy_sprite.h"

#include <algorithm>
#include <cmath>

#include "framework/draw/sprite_draw.h"
#include "framework/graphics/device_record.h"
#include "framework/math/scalar.h"
#include "game/model/object/enemy_sprite_pool.h"

namespace {

using vesk::math::Mat4;

constexpr double kRadiansToDegrees = 180.0 / 3.14159265358979323846;

Mat4 ScaleTurnMove(float sx, float sy, float degrees, bool mirror, const vesk::math::Vec2& move)
{
    const float c = vesk::math::MathCosDeg(degrees);
    const float s = vesk::math::MathSinDeg(degrees);
    // Row vectors: a point is scaled, turned, mirrored about x and then moved.
    const float side = mirror ? -1.0f : 1.0f;
    Mat4 m = vesk::math::GetIdentityMatrix();
    m(0, 0) = sx * c * side;
    m(0, 1) = sx * s;
    m(1, 0) = -sy * s * side;
    m(1, 1) = sy * c;
    m(3, 0) = move.x;
    m(3, 1) = move.y;
    return m;
}

void DrawPart(const GAME_CEnemySprite& part, const vesk::math::Vec2& origin)
{
    vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord();
    const Mat4& m = part.WorldMatrix();
    vesk::graphics::SpriteDrawState& state = vesk::graphics::GetSpriteDrawState();
    if (state.group != part.spriteGroup) vesk::graphics::BeginSpriteDraw(part.spriteGroup, state.blendMode);
    if (record != nullptr) {
        vesk::graphics::DrawParam& param = record->textureRenderer.drawParam;
        vesk::graphics::InitDrawParam(param);
        param.scaleX = std::hypot(m(0, 0), m(0, 1));
        param.scaleY = std::hypot(m(1, 0), m(1, 1));
        // The turn is read off the part's y axis, which stays upright whether
        // the tree is mirrored or not; a flipped sprite mirrors its pivot too.
        param.angle = static_cast<float>(std::atan2(-m(1, 0), m(1, 1)) * kRadiansToDegrees);
        param.flipX = part.flipX != 0 ? 1 : 0;
        param.flipY = part.flipY != 0 ? 1 : 0;
        param.pivotX = param.flipX != 0 ? 1.0f - part.pivot.x : part.pivot.x;
        param.pivotY = param.flipY != 0 ? 1.0f - part.pivot.y : part.pivot.y;
        param.color = part.color;
    }
    vesk::graphics::DrawSprite({m(3, 0) + origin.x, m(3, 1) + origin.y}, part.spriteIndex);
}

}  // namespace

std::int32_t CopyName32(std::span<char, 32> buffer, std::string_view text)
{
    std::fill(buffer.begin(), buffer.end(), '\0');
    const std::size_t end = std::min({text.find('\0'), text.size(), buffer.size() - 1});
    std::copy_n(text.begin(), end, buffer.begin());
    return static_cast<std::int32_t>(end);
}

void GAME_CEnemySprite::SetName(std::string_view name) { CopyName32(name_, name); }

void GAME_CEnemySprite::InitFromRecord(const EnemySpritePartRecord* record)
{
    name_.fill('\0');
    world_ = vesk::math::GetIdentityMatrix();
    partId = -1;
    pivot = {};
    offset = {};
    scale = {1.0f, 1.0f};
    angle = 0.0f;
    value = 0.0f;
    flipX = 0;
    flipY = 0;
    color = 0xFFFFFFFFu;
    spriteIndex = -1;
    spriteGroup = kEnemySpriteGroup;
    visited = 0;
    autoFlip = 0;
    if (record == nullptr) return;
    partId = record->partId;
    SetName(record->name);
    scale = record->scale;
    pivot = record->pivot;
    offset = record->offset;
    angle = record->angle;
    spriteIndex = record->spriteIndex;
    spriteGroup = record->spriteGroup;
}

void GAME_CEnemySprite::ResetPart()
{
    GAME_CEnemySpritePool* pool = PeekEnemySpritePool();
    while (GAME_CEnemySprite* child = firstChild_) {
        RemoveChild(child);
        if (pool != nullptr) pool->ReleasePart(child);
    }
    InitFromRecord(nullptr);
}

bool GAME_CEnemySprite::Contains(const GAME_CEnemySprite* part) const
{
    for (; part != nullptr; part = part->parent_) {
        if (part == this) return true;
    }
    return false;
}

void GAME_CEnemySprite::Unlink()
{
    if (parent_ == nullptr) return;
    (prevSibling_ != nullptr ? prevSibling_->nextSibling_ : parent_->firstChild_) = nextSibling_;
    (nextSibling_ != nullptr ? nextSibling_->prevSibling_ : parent_->lastChild_) = prevSibling_;
    parent_ = nullptr;
    prevSibling_ = nullptr;
    nextSibling_ = nullptr;
}

void GAME_CEnemySprite::AppendChild(GAME_CEnemySprite* part)
{
    part->parent_ = this;
    part->prevSibling_ = lastChild_;
    part->nextSibling_ = nullptr;
    (lastChild_ != nullptr ? lastChild_->nextSibling_ : firstChild_) = part;
    lastChild_ = part;
}

void GAME_CEnemySprite::AddChild(GAME_CEnemySprite* part)
{
    if (part == nullptr || part->parent_ == this) return;
    part->SetParent(this);
}

bool GAME_CEnemySprite::SetParent(GAME_CEnemySprite* parent)
{
    if (parent == parent_) return true;
    if (parent != nullptr && Contains(parent)) return false;
    Unlink();
    if (parent != nullptr) parent->AppendChild(this);
    return true;
}

bool GAME_CEnemySprite::RemoveChild(GAME_CEnemySprite* part)
{
    if (part == nullptr || part->parent_ != this) return false;
    part->Unlink();
    return true;
}

GAME_CEnemySprite* GAME_CEnemySprite::FindPartByName(std::string_view name) const
{
    for (GAME_CEnemySprite* child = firstChild_; child != nullptr; child = child->nextSibling_) {
        if (child->Name() == name) return child;
    }
    for (GAME_CEnemySprite* child = firstChild_; child != nullptr; child = child->nextSibling_) {
        if (GAME_CEnemySprite* found = child->FindPartByName(name)) return found;
    }
    return nullptr;
}

GAME_CEnemySprite* GAME_CEnemySprite::DetachChildByName(std::string_view name)
{
    GAME_CEnemySprite* found = FindPartByName(name);
    if (found != nullptr) found->Unlink();
    return found;
}

void GAME_CEnemySprite::SetFlip(bool flip, bool all)
{
    flipX = flip ? 1 : 0;
    if (!all) return;
    for (GAME_CEnemySprite* child = firstChild_; child != nullptr; child = child->nextSibling_) child->SetFlip(flip, true);
}

void GAME_CEnemySprite::SetAutoFlip(bool on)
{
    autoFlip = on ? 1 : 0;
    for (GAME_CEnemySprite* child = firstChild_; child != nullptr; child = child->nextSibling_) child->SetAutoFlip(on);
}

void GAME_CEnemySprite::ClearVisited()
{
    visited = 0;
    for (GAME_CEnemySprite* child = firstChild_; child != nullptr; child = child->nextSibling_) child->ClearVisited();
}

vesk::math::Mat4 GAME_CEnemySprite::LocalMatrix() const { return ScaleTurnMove(scale.x, scale.y, angle, false, offset); }

void GAME_CEnemySprite::TakeAutoFlip(const EnemySpriteView& view)
{
    if (autoFlip != 0) flipX = view.enemyFacesBack != view.routeReversed ? 1 : 0;
}

void GAME_CEnemySprite::AnimateTree(const EnemySpriteView& view)
{
    if (visited != 0) return;
    visited = 1;
    TakeAutoFlip(view);
    const float size = view.cameraZoom * 0.5f;
    // The root's flip mirrors the whole tree about the root; its own turn
    // then runs the other way.
    world_ = ScaleTurnMove(size * scale.x, size * scale.y, angle, flipX != 0, offset);
    AnimateChildren(view);
}

void GAME_CEnemySprite::AnimateChildren(const EnemySpriteView& view)
{
    for (GAME_CEnemySprite* child = firstChild_; child != nullptr; child = child->nextSibling_) {
        if (child->visited != 0) continue;
        child->visited = 1;
        child->TakeAutoFlip(view);
        child->world_ = vesk::math::MultiplyMatrix(child->LocalMatrix(), world_);
        child->AnimateChildren(view);
    }
}

void GAME_CEnemySprite::DrawTree(const vesk::math::Vec2& origin) const
{
    // A part of another sprite group switches the group; the caller's comes back after the tree.
    const vesk::graphics::SpriteDrawState before = vesk::graphics::GetSpriteDrawState();
    DrawSubTree(origin);
    const vesk::graphics::SpriteDrawState& after = vesk::graphics::GetSpriteDrawState();
    if (after.group != before.group) vesk::graphics::BeginSpriteDraw(before.group, before.blendMode);
}

void GAME_CEnemySprite::DrawSubTree(const vesk::math::Vec2& origin) const
{
    if (spriteIndex != -1 && spriteGroup != -1) DrawPart(*this, origin);
    for (const GAME_CEnemySprite* child = firstChild_; child != nullptr; child = child->nextSibling_) {
        child->DrawSubTree(origin);
    }
}
