// The base of every moving thing of the arcade game: placement, motion, look, hit box and the pool flags.
#pragma once

#include <cstdint>

#include "framework/math/vector.h"
#include "framework/memory/heaps.h"

class GAME_CMiniGameWorld;

enum class MiniGameKind : std::int32_t { kPlayer = 0, kEnemy = 1, kItem = 2, kWeapon = 3, kBullet = 4, kNone = 5 };

// A hit box: left, top, width and height in canvas units.
struct MiniGameBox {
    float left = 0.0f;
    float top = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// Strict overlap of the two boxes' centres within their half sizes.
bool MiniGameBoxesOverlap(const MiniGameBox& a, const MiniGameBox& b);

// The ground line every object stands on, and the top of the controller panel below the field.
inline constexpr float kMiniGameGround = 255.0f;
inline constexpr float kMiniGameFieldBottom = 260.0f;
inline constexpr float kMiniGameFieldWidth = 640.0f;
inline constexpr std::uint32_t kMiniGameWhite = 0xFFFFFFFFu;

// Objects live in the world's fixed pools and are started again in place; one is free while its
// active flag is clear. Velocities are units per world step.
class GAME_CMiniGameObjectBase : public vesk::memory::MainHeapObject {
public:
    explicit GAME_CMiniGameObjectBase(GAME_CMiniGameWorld& world);
    virtual ~GAME_CMiniGameObjectBase() = default;
    GAME_CMiniGameObjectBase(const GAME_CMiniGameObjectBase&) = delete;
    GAME_CMiniGameObjectBase& operator=(const GAME_CMiniGameObjectBase&) = delete;

    virtual void Update() { ++age; }
    // The sprite at the position with the object's pivot, scale, flips, turn and colour.
    virtual void Draw();
    virtual void Deactivate()
    {
        active = 0;
        age = 0;
    }
    virtual bool IsDead() const { return false; }
    // The world calls it on the object that is hit.
    virtual void OnHit(GAME_CMiniGameObjectBase&) {}
    // The hit flag; an item also goes.
    virtual void OnCollide();

    // What every kind's start shares.
    void Reset();
    // Width and height of the current sprite (0 for none).
    void TakeSpriteSize();
    // Velocity y grows by gravity up to the fall cap.
    void Fall() { velocity.y = velocity.y + gravity < fallCap ? velocity.y + gravity : fallCap; }
    // The hit box as the object stands, stored in `box`.
    const MiniGameBox& RebuildHitBox();
    // The middle of the drawn sprite.
    vesk::math::Vec2 SpriteCentre() const;
    GAME_CMiniGameWorld& World() const { return world_; }

    vesk::math::Vec2 position{};
    vesk::math::Vec2 velocity{};
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float pivotX = 0.5f;
    float pivotY = 1.0f;
    float width = 0.0f;
    float height = 0.0f;
    float gravity = 0.0f;  // per step squared
    float fallCap = 0.0f;  // per step
    std::int32_t animation = 0;
    MiniGameKind kind = MiniGameKind::kNone;
    std::uint8_t subKind = 0;
    std::uint8_t motion = 0;
    std::uint8_t hit = 0;
    std::uint8_t shield = 0;
    std::int32_t spriteGroup = 2;
    std::int32_t sprite = -1;
    std::uint32_t age = 0;
    std::uint32_t active = 0;
    std::int32_t flipX = 0;
    std::int32_t flipY = 0;
    float rotation = 0.0f;
    vesk::math::Vec2 hitOffset{};
    std::uint32_t color = kMiniGameWhite;  // RGBA bytes, alpha in the top byte
    std::int32_t lives = 0;
    float marginTop = 0.0f;
    float marginBottom = 0.0f;
    float marginRight = 0.0f;
    float marginLeft = 0.0f;
    MiniGameBox box{};

private:
    GAME_CMiniGameWorld& world_;
};

// One sprite of a sprite group with the given look, as the arcade game draws all its sprites.
struct MiniGameLook {
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    std::uint32_t color = kMiniGameWhite;
    float angle = 0.0f;
    float pivotX = 0.0f;
    float pivotY = 0.0f;
    bool flipX = false;
    bool flipY = false;
};
void DrawMiniGameSprite(std::int32_t group, std::int32_t index, vesk::math::Vec2 position, const MiniGameLook& look = {});
// A sprite's size in pixels, (0, 0) when it does not exist.
vesk::math::Vec2 MiniGameSpriteSize(std::int32_t group, std::int32_t index);
