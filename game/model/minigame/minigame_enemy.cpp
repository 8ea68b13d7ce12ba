// The arcade game's enemy: a field enemy driven through its arcade step, with gravity, HP growth, score and drop.
#include "game/model/minigame/minigame_enemy.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "game/model/minigame/minigame_bullet.h"
#include "game/model/minigame/minigame_player.h"
#include "game/model/minigame/minigame_world.h"
#include "game/model/object/object_enemy.h"

namespace {

// The field enemy's arcade words: draw layer, score, the two attack ranges, HP growth.
constexpr std::size_t kLayerWord = 0;
constexpr std::size_t kScoreWord = 1;
constexpr std::size_t kGrowthWord = 4;
// Rectangles the enemy script sets: the hit-box margins (top, bottom, right, left), then the
// attack offset and size.
constexpr std::size_t kMarginRect = 0;
constexpr std::size_t kAttackRect = 1;

}  // namespace

GAME_CMiniGameObjectEnemy::GAME_CMiniGameObjectEnemy(GAME_CMiniGameWorld& world) : GAME_CMiniGameObjectBase(world) {}

GAME_CMiniGameObjectEnemy::~GAME_CMiniGameObjectEnemy() = default;

void GAME_CMiniGameObjectEnemy::Init(const MiniGameEnemySpawn& spawn)
{
    Reset();
    kind = MiniGameKind::kEnemy;
    position = {spawn.x, spawn.y};
    scaleX = spawn.scaleX;
    scaleY = spawn.scaleY;
    if (!fieldEnemy_) fieldEnemy_ = std::make_unique<GAME_CObjectEnemy>();
    EnemySetupRecord setup;
    InitEnemySetupRecord(setup);
    setup.enemyId = spawn.enemyId;
    fieldEnemy_->InitForMiniGame(setup);
    fieldEnemy_->position = position;
    spriteGroup = GAME_CObjectEnemy::kEnemySpriteGroup;
    sprite = World().Sprites().firstEnemySize;
    TakeSpriteSize();
    growthTimer = kGrowthPeriod;
    attackBox = {};
}

bool GAME_CMiniGameObjectEnemy::IsDead() const { return fieldEnemy_ == nullptr || fieldEnemy_->hpRecord.hp < 1; }

std::int32_t GAME_CMiniGameObjectEnemy::DrawLayer() const
{
    return fieldEnemy_ != nullptr ? fieldEnemy_->miniGameRanges[kLayerWord] : 0;
}

void GAME_CMiniGameObjectEnemy::OnHit(GAME_CMiniGameObjectBase& other)
{
    if (fieldEnemy_ == nullptr || other.kind != MiniGameKind::kBullet) return;
    const auto& bullet = static_cast<const GAME_CMiniGameObjectBullet&>(other);
    GAME_CScriptEnemy& script = fieldEnemy_->script;
    // The jump runs the restart hook, which sets the script's step period to every step.
    script.JumpToLabel(enemy_label::kDamage);
    AddEnemyHP(fieldEnemy_->hpRecord, SaturatedAdd(0, bullet.power == INT32_MIN ? INT32_MAX : -bullet.power));
    if (bullet.power >= 0) fieldEnemy_->damageFlash = GAME_CObjectEnemy::kDamageFlashFrames;
}

void GAME_CMiniGameObjectEnemy::Update()
{
    if (fieldEnemy_ == nullptr) {
        Deactivate();
        return;
    }
    GAME_CObjectEnemy& enemy = *fieldEnemy_;
    if (enemy.IsDead()) {
        World().AddScore(enemy.miniGameRanges[kScoreWord]);
        MiniGameDrop drop;
        drop.x = position.x - width * pivotX * scaleX + width * scaleX * 0.5f;
        drop.y = position.y;
        drop.tag = enemy.pendingDrop;
        World().SpawnDropItem(drop);
        Deactivate();
    }
    if (--growthTimer < 0) {
        if (enemy.hpRecord.hp > 0) {
            const std::int32_t growth = enemy.miniGameRanges[kGrowthWord];
            enemy.hpRecord.hp = SaturatedAdd(enemy.hpRecord.hp, growth);
            enemy.hpRecord.maxHp = SaturatedAdd(enemy.hpRecord.maxHp, growth);
        }
        growthTimer = kGrowthPeriod;
    }
    if (position.y < kMiniGameGround) {
        if (enemy.arcadeFlags[0] != 0) {
            velocity.y = 0.0f;
            enemy.arcadeFlags.fill(0);
        }
        Fall();
        position.y = std::min(position.y + velocity.y, kMiniGameGround);
    }
    enemy.position = position;
    if (const GAME_CMiniGameObjectPlayer* player = World().Player()) {
        enemy.miniGameArea[0] = std::trunc(player->position.x);
        enemy.miniGameArea[1] = std::trunc(player->position.y);
    }
    enemy.UpdateForMiniGame();
    CopyLookBack();
    if (enemy.IsInAttackLabel()) {
        const vesk::math::Vec2 centre = SpriteCentre();
        const auto& attack = enemy.rects[kAttackRect];
        attackBox.width = attack[2];
        attackBox.height = attack[3];
        attackBox.left = flipX != 0 ? centre.x - attack[0] - attackBox.width : centre.x + attack[0];
        attackBox.top = centre.y + attack[1];
    }
    hit = enemy.hpRecord.hp > 0 && !enemy.IsInDamageLabel() ? 0 : 1;
    ++age;
}

void GAME_CMiniGameObjectEnemy::CopyLookBack()
{
    const GAME_CObjectEnemy& enemy = *fieldEnemy_;
    scaleX = enemy.scaleX;
    scaleY = enemy.scaleY;
    position = enemy.GetPosition();
    pivotX = enemy.anchorX;
    pivotY = enemy.anchorY;
    width = enemy.width;
    height = enemy.height;
    sprite = enemy.spriteIndex;
    flipX = enemy.facing != 0 ? 1 : 0;
    color = enemy.tint;
    const auto& margins = enemy.rects[kMarginRect];
    marginTop = margins[0];
    marginBottom = margins[1];
    marginRight = margins[2];
    marginLeft = margins[3];
}
