// The enemy in the arcade game: its set-up and step, its walk across the screen and its reach to the target.
#include <algorithm>
#include <cmath>

#include "framework/graphics/sprite_registry.h"
#include "framework/process/canvas.h"
#include "game/services/data/world_records.h"
#include "game/model/object/object_enemy.h"

namespace {

constexpr float kTurnMargin = 30.0f;
constexpr float kSpeedUnit = 0.001f;
constexpr std::size_t kNearRange = 2;  // the kind's arcade word 29
constexpr std::size_t kFarRange = 3;   // word 30

}  // namespace

void GAME_CObjectEnemy::InitForMiniGame(const EnemySetupRecord& record)
{
    if (!SetUp(record)) return;
    onRoute_ = 0;
    StartAtLabel(record);
    values = record.values;
    damageFlash = 0;
    miniGameArea = {};
    if (data_ != nullptr) {
        std::copy(data_->miniGame.begin(), data_->miniGame.end(), miniGameRanges.begin());
    } else {
        miniGameRanges = {};
    }
}

void GAME_CObjectEnemy::UpdateForMiniGame()
{
    if (dead != 0) return;
    if (hpRecord.hp >= 1) UpdateMiniGameMovement();
    StepCharge();
    StepScriptAndTree(false);
    if (const vesk::resource::SYS_CTexture* sprite = vesk::resource::GetSpriteAt(kEnemySpriteGroup, spriteIndex)) {
        width = static_cast<float>(sprite->GetWidth());
        height = static_cast<float>(sprite->GetHeight());
    }
}

void GAME_CObjectEnemy::UpdateMiniGameMovement()
{
    EnemyHPRecord& record = hpRecord;
    if ((record.refreshFacing != 0 || record.facingDecided == 0) && record.facingMode == 0) {
        bool faces = miniGameArea[0] - position.x < 0.0f;
        if (record.speedFactor < 0) faces = !faces;
        if (record.invertFacing != 0) faces = !faces;
        facing = faces ? 1 : 0;
        record.facingDecided = 1;
    }
    if (record.speedFactor == 0) return;
    const float speed = static_cast<float>(record.speedFactor);
    if (record.climb != 0) {
        position.y -= speed * kSpeedUnit;
        return;
    }
    if (position.x < kTurnMargin) facing = 0;
    if (position.x > vesk::process::kCanvasWidth - kTurnMargin) facing = 1;
    position.x += speed * (facing != 0 ? -kSpeedUnit : kSpeedUnit);
}

bool GAME_CObjectEnemy::IsTargetInRange() const
{
    const float left = position.x - anchorX * width * scaleX;
    const float top = position.y - height * scaleY * anchorY;
    const float targetX = miniGameArea[0];
    const float targetY = miniGameArea[1];
    if (top > std::trunc(targetY)) return false;
    const auto offset = static_cast<std::int64_t>(std::trunc(std::clamp(targetX - (width * 0.5f + left), -2.0e9f, 2.0e9f)));
    const bool far = (offset >= 0) == (facing != 0);
    const std::int64_t range = miniGameRanges[far ? kFarRange : kNearRange];
    return std::llabs(offset) <= range;
}
