// An enemy field object: for now its set-up, its place on the route and its HP; it stands still until the enemies are built.
#include "game/object/object_enemy.h"

void InitEnemySetupRecord(EnemySetupRecord& record) { record = EnemySetupRecord{}; }

void GAME_CObjectEnemy::Init(const EnemySetupRecord& record)
{
    dead = 0;
    enemyId_ = record.enemyId;
    homePosition = record.routePositions[0];
    routePosition = record.routePositions[1];
}
