// The enemy sprite part pool: handing parts out and taking whole sub-trees back.
#include "game/model/object/enemy_sprite_pool.h"

#include <algorithm>
#include <memory>

namespace {

std::unique_ptr<GAME_CEnemySpritePool> g_pool;

}  // namespace

GAME_CEnemySpritePool::GAME_CEnemySpritePool()
{
    free_.reserve(kPartCount);
    used_.reserve(kPartCount);
    ResetPool();
}

GAME_CEnemySprite* GAME_CEnemySpritePool::AcquirePart()
{
    if (free_.empty()) return nullptr;
    GAME_CEnemySprite* part = free_.back();
    free_.pop_back();
    used_.push_back(part);
    return part;
}

bool GAME_CEnemySpritePool::IsUsed(const GAME_CEnemySprite* part) const
{
    return part != nullptr && std::find(used_.begin(), used_.end(), part) != used_.end();
}

void GAME_CEnemySpritePool::ReleasePart(GAME_CEnemySprite* part)
{
    const auto at = std::find(used_.begin(), used_.end(), part);
    if (part == nullptr || at == used_.end()) return;
    used_.erase(at);
    if (GAME_CEnemySprite* parent = part->Parent()) parent->RemoveChild(part);
    part->ResetPart();
    free_.push_back(part);
}

void GAME_CEnemySpritePool::ResetPool()
{
    free_.clear();
    used_.clear();
    for (GAME_CEnemySprite& part : parts_) {
        part.SetParent(nullptr);
        while (GAME_CEnemySprite* child = part.FirstChild()) part.RemoveChild(child);
        part.InitFromRecord(nullptr);
    }
    for (GAME_CEnemySprite& part : parts_) free_.push_back(&part);
}

GAME_CEnemySpritePool& GetEnemySpritePool()
{
    if (!g_pool) g_pool = std::make_unique<GAME_CEnemySpritePool>();
    return *g_pool;
}

GAME_CEnemySpritePool* PeekEnemySpritePool() { return g_pool.get(); }

void ReleaseEnemySpritePart(GAME_CEnemySprite* part)
{
    if (g_pool) g_pool->ReleasePart(part);
}

void CreateEnemySpritePartPool() { GetEnemySpritePool(); }

void DestroyEnemySpritePartPool() { g_pool.reset(); }
