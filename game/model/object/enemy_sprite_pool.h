// The pool of 128 enemy sprite parts, made with the player data and freed with it.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "framework/memory/heaps.h"
#include "game/model/object/enemy_sprite.h"

// Every enemy's part tree takes its parts from here: 128 parts in one block,
// each either free or used.
class GAME_CEnemySpritePool : public vesk::memory::MainHeapObject {
public:
    static constexpr std::size_t kPartCount = 128;

    GAME_CEnemySpritePool();
    GAME_CEnemySpritePool(const GAME_CEnemySpritePool&) = delete;
    GAME_CEnemySpritePool& operator=(const GAME_CEnemySpritePool&) = delete;

    // A free part, now used; null when all 128 are used.
    GAME_CEnemySprite* AcquirePart();
    // The part leaves its parent, is reset (its children go back first) and
    // is free again. A part that is not used does nothing.
    void ReleasePart(GAME_CEnemySprite* part);
    // Every part free and reset.
    void ResetPool();

    std::size_t FreeCount() const { return free_.size(); }
    std::size_t UsedCount() const { return used_.size(); }
    bool IsUsed(const GAME_CEnemySprite* part) const;

private:
    std::array<GAME_CEnemySprite, kPartCount> parts_;
    std::vector<GAME_CEnemySprite*> free_;
    std::vector<GAME_CEnemySprite*> used_;
};

// The pool, made on first use.
GAME_CEnemySpritePool& GetEnemySpritePool();
// Null while there is none: for giving parts back, which never makes one.
GAME_CEnemySpritePool* PeekEnemySpritePool();
// Gives the part (and its sub-tree) back when the pool exists.
void ReleaseEnemySpritePart(GAME_CEnemySprite* part);
// Made at the end of the player data's creation and destroyed with it.
void CreateEnemySpritePartPool();
void DestroyEnemySpritePartPool();
