// The enemy's set-up from a set-up record.
#include "game/object/object_enemy.h"

void InitEnemySetupRecord(EnemySetupRecord& record) { record = EnemySetupRecord{}; }

void GAME_CObjectEnemy::Init(const EnemySetupRecord& record)
{
    dead_ = false;
    enemyId_ = record.enemyId;
}
