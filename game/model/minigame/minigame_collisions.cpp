// The arcade world's collision passes: the rat with items, bullets with enemies, enemies with the rat.
#include "game/model/minigame/minigame_enemy.h"
#include "game/model/minigame/minigame_player.h"
#include "game/model/minigame/minigame_world.h"
#include "game/model/object/object_enemy.h"

namespace {

constexpr float kLeastAttackArea = 0.00001f;

}  // namespace

void GAME_CMiniGameWorld::CollideItems()
{
    if (!player_ || player_->IsDead()) return;
    const MiniGameBox& rat = player_->RebuildHitBox();
    for (auto& item : items_) {
        if (item->active == 0 || item->hit != 0) continue;
        if (!MiniGameBoxesOverlap(item->RebuildHitBox(), rat)) continue;
        item->OnCollide();
        player_->OnHit(*item);
    }
}

void GAME_CMiniGameWorld::CollideBullets()
{
    if (!player_ || player_->IsDead()) return;
    // Nothing moves and no hit flag changes during the pass: the targets and their boxes are
    // gathered once, not once per bullet.
    targets_.clear();
    for (auto& enemy : enemies_) {
        if (enemy->active == 0 || enemy->hit != 0) continue;
        enemy->RebuildHitBox();
        targets_.push_back(enemy.get());
    }
    for (auto& bullet : bullets_) {
        if (bullet->active == 0 || bullet->hit != 0) continue;
        const MiniGameBox& shot = bullet->RebuildHitBox();
        for (GAME_CMiniGameObjectEnemy* enemy : targets_) {
            if (!MiniGameBoxesOverlap(shot, enemy->box)) continue;
            bullet->OnCollide();
            enemy->OnHit(*bullet);
            if (bullet->active == 0 || bullet->hit != 0) break;
        }
    }
}

void GAME_CMiniGameWorld::CollideEnemies()
{
    if (!player_ || player_->IsDead() || player_->hit != 0) return;
    const MiniGameBox& rat = player_->RebuildHitBox();
    for (auto& enemy : enemies_) {
        if (enemy->active == 0 || enemy->hit != 0) continue;
        bool touches = MiniGameBoxesOverlap(enemy->RebuildHitBox(), rat);
        if (!touches && enemy->FieldEnemy() != nullptr && enemy->FieldEnemy()->IsInAttackLabel()) {
            const MiniGameBox& attack = enemy->attackBox;
            touches = attack.width * attack.width + attack.height * attack.height >= kLeastAttackArea &&
                      MiniGameBoxesOverlap(attack, rat);
        }
        if (touches) {
            player_->OnHit(*enemy);
            return;
        }
    }
}
