// Attacks between the ship's crew and the enemies, posted to the game world.
#pragma once

#include <cstdint>

class GAME_CObjectEnemy;

// One attack: its power, a per-mille value beside it, and its sound (63 or more: none).
struct AttackRecord {
    std::int32_t power = 0;
    std::int32_t secondValue = 0;
    std::uint32_t sound = 63;
};

// The enemy takes the attack's damage. The enemies' hit reactions, floating numbers and hit
// effects come with the enemies; until then the enemy's HP drops (not below 0) and the sound plays.
void ApplyCrewAttackToEnemy(const AttackRecord& attack, GAME_CObjectEnemy* enemy);
