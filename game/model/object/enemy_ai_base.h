// The enemy AI: keeps an enemy within its reach of home, turns it to face the ship and walks it towards the ship.
#pragma once

#include "framework/memory/heaps.h"

class GAME_CObjectEnemy;

// Owned by its enemy for the enemy's whole life; the enemy's update runs it
// while the enemy has HP.
class GAME_CEnemyAIBase : public vesk::memory::MainHeapObject {
public:
    GAME_CEnemyAIBase() = default;
    virtual ~GAME_CEnemyAIBase() = default;
    GAME_CEnemyAIBase(const GAME_CEnemyAIBase&) = delete;
    GAME_CEnemyAIBase& operator=(const GAME_CEnemyAIBase&) = delete;

    // One step: decide the facing (every step, or once until it is decided),
    // then, with a speed, a ship and home both within reach and the approach
    // flags set, step towards the ship.
    virtual void Update();
    virtual void SetOwner(GAME_CObjectEnemy* owner) { owner_ = owner; }
    GAME_CObjectEnemy* GetOwner() const { return owner_; }

private:
    GAME_CObjectEnemy* owner_ = nullptr;
};
