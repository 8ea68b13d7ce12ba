// One sprite part of an enemy's part tree: its place, turn, scale, flips and sprite, the tree operations, the animation and the draw.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "framework/math/matrix.h"
#include "framework/math/vector.h"

// How a part is set up from an enemy script's data: pivot and offset, scale,
// angle, sprite index and group, a name of at most 31 characters and a part id.
struct EnemySpritePartRecord {
    vesk::math::Vec2 pivot{};
    vesk::math::Vec2 offset{};
    vesk::math::Vec2 scale{1.0f, 1.0f};
    float angle = 0.0f;
    std::int32_t spriteIndex = -1;
    std::int32_t spriteGroup = 3;
    std::string_view name;
    std::int32_t partId = -1;
};

// What the animation of a tree reads of its enemy and the view.
struct EnemySpriteView {
    float cameraZoom = 2.0f;
    bool enemyFacesBack = false;  // the enemy's facing flag
    bool routeReversed = false;   // the route runs the other way
};

// A part of an enemy's sprite tree: a body with limbs, weapons or heads that
// turn and move with it. Parts live in the part pool and are linked into
// trees in place, so building and changing a tree never allocates. A part
// that is flipped is drawn mirrored; the root's flip mirrors the whole tree's
// geometry about the root.
class GAME_CEnemySprite {
public:
    static constexpr std::size_t kNameCapacity = 32;  // 31 characters and a zero
    static constexpr std::int32_t kEnemySpriteGroup = 3;

    GAME_CEnemySprite() { InitFromRecord(nullptr); }
    ~GAME_CEnemySprite() = default;
    GAME_CEnemySprite(const GAME_CEnemySprite&) = delete;
    GAME_CEnemySprite& operator=(const GAME_CEnemySprite&) = delete;

    // Every field reset (no children, no parent link kept, empty name,
    // identity matrix, scale 1, sprite none of group 3, white); with a record
    // its id, name, scale, pivot, offset, angle and sprite are taken.
    void InitFromRecord(const EnemySpritePartRecord* record);
    // As InitFromRecord (null), after every child went back to the pool.
    void ResetPart();

    // --- the tree
    // Nothing when the part is already a child, is this part or would make a
    // loop (this part lies in its sub-tree); otherwise appended.
    void AddChild(GAME_CEnemySprite* part);
    // Leaves the old parent and is appended to the new one's children (null:
    // none). Refused (false) when the new parent is this part or lies in its
    // sub-tree, which would make a loop.
    bool SetParent(GAME_CEnemySprite* parent);
    // Removes a direct child; false when it is not one.
    bool RemoveChild(GAME_CEnemySprite* part);
    // The first direct child of that name, else the first match in each
    // child's sub-tree in order; null when none.
    GAME_CEnemySprite* FindPartByName(std::string_view name) const;
    // The same part, taken out of its parent's children.
    GAME_CEnemySprite* DetachChildByName(std::string_view name);
    // Whether the part lies in this part's sub-tree (this part included).
    bool Contains(const GAME_CEnemySprite* part) const;

    // The flip x flag of this part, and with all of every sub-part.
    void SetFlip(bool flip, bool all);
    // The automatic flip (the flip follows the enemy's facing and the route's
    // direction) of this part and every sub-part.
    void SetAutoFlip(bool on);
    void ClearVisited();

    // --- once per frame
    // On the root: the world matrices of the whole tree, once per frame (the
    // visited flags guard it until ClearVisited).
    void AnimateTree(const EnemySpriteView& view);
    // Every part with a sprite at its world place plus the origin, parents
    // under their children, in the current sprite group.
    void DrawTree(const vesk::math::Vec2& origin) const;

    // --- fields
    std::string_view Name() const { return std::string_view(name_.data()); }
    void SetName(std::string_view name);
    GAME_CEnemySprite* Parent() const { return parent_; }
    GAME_CEnemySprite* FirstChild() const { return firstChild_; }
    GAME_CEnemySprite* NextSibling() const { return nextSibling_; }
    const vesk::math::Mat4& WorldMatrix() const { return world_; }

    std::int32_t partId = -1;
    vesk::math::Vec2 pivot{};  // fractions of the sprite's size: the point that stands on the part's place
    vesk::math::Vec2 offset{};  // the part's place in its parent's frame (the root's: from the enemy)
    vesk::math::Vec2 scale{1.0f, 1.0f};
    float angle = 0.0f;  // degrees
    float value = 0.0f;  // a further value the enemy script keeps on the part
    std::int32_t flipX = 0;
    std::int32_t flipY = 0;
    std::uint32_t color = 0xFFFFFFFFu;
    std::int32_t spriteIndex = -1;
    std::int32_t spriteGroup = kEnemySpriteGroup;
    std::int32_t visited = 0;
    std::int32_t autoFlip = 0;

private:
    void Unlink();
    void AppendChild(GAME_CEnemySprite* part);
    // This part's transform in its parent's frame.
    vesk::math::Mat4 LocalMatrix() const;
    void AnimateChildren(const EnemySpriteView& view);
    void DrawSubTree(const vesk::math::Vec2& origin) const;
    void TakeAutoFlip(const EnemySpriteView& view);

    std::array<char, kNameCapacity> name_{};
    GAME_CEnemySprite* parent_ = nullptr;
    GAME_CEnemySprite* firstChild_ = nullptr;
    GAME_CEnemySprite* lastChild_ = nullptr;
    GAME_CEnemySprite* prevSibling_ = nullptr;
    GAME_CEnemySprite* nextSibling_ = nullptr;
    vesk::math::Mat4 world_;
};

// Fills the 32-byte buffer with zeros and then at most 31 characters of the
// text (up to its first zero); returns the length copied.
std::int32_t CopyName32(std::span<char, 32> buffer, std::string_view text);
