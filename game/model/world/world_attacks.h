// Attacks between the ship's crew and the enemies, posted to the game world.
#pragma once

#include <cstdint>
#include <string_view>

class GAME_CObjectEnemy;

// One attack of the crew: its power, its spread around the power in per mille, and its sound (63
// or more: none).
struct AttackRecord {
    std::int32_t power = 0;
    std::int32_t secondValue = 0;  // the spread
    std::uint32_t sound = 63;
};

// One attack of an enemy on the ship: its power and spread, the knock-back it gives the ship, a
// value beside them and the effect it shows (empty: the usual hit).
struct EnemyAttackRecord {
    std::int32_t power = 0;
    std::int32_t knockBackRatio = 0;
    std::int32_t spreadPerMille = 150;
    std::int32_t knockBackLength = 0;
    std::int32_t extraValue = 0;
    std::u16string_view effectLabel;
};

// The power, moved at random by up to its spread (per mille) either way; never below 0.
std::int32_t RollAttackDamage(std::int32_t power, std::int32_t spreadPerMille);

// The enemy takes the attack's damage: its HP falls, a hit flashes it red, a defeat is counted on
// the game clock, the damage floats over it, and a hit effect and the attack's sound play.
void ApplyCrewAttackToEnemy(const AttackRecord& attack, GAME_CObjectEnemy* enemy);
// The ship takes the damage on a random cell of its grid, where the damage floats, the crew on the
// cell are hurt as much and a hit effect plays; the travel controller takes the knock-back (none
// when ratio or length is below 1).
void ApplyEnemyAttackToShip(const EnemyAttackRecord& attack);
