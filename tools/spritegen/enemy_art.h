// The enemy package's sprites: whole-sprite enemies in frames and the parts of the part-tree enemies.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "enemy/enemy.pac", sprite group 3, in index order (the packer sorts by name):
//   0, 1  enemy_crawler_01, _02    a sand crawler, two leg frames
//   2     enemy_drone_01           a scout drone
//   3, 4  enemy_scorpion_01, _02   the iron scorpion, tail down and tail raised
//   5     enemy_strider_body       the strider's hull
//   6     enemy_strider_gun        its cannon, turning about its breech
//   7     enemy_strider_head       its sensor head
//   8     enemy_strider_leg        a leg, hanging from its hip
//   9     enemy_strider_shadow     the strider's own sprite: its size, showing only its shadow
// Every enemy faces right; the game mirrors it to face left.
std::vector<tools::NamedImage> DrawEnemySprites();

}  // namespace spritegen
