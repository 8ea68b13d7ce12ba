// The sprites the arcade world draws its objects with, found by name once.
#include "game/model/minigame/minigame_sprites.h"

#include "framework/graphics/sprite_registry.h"

namespace {

constexpr int kRoomGroup = 2;
constexpr int kEnemyGroup = 3;
constexpr int kArcadeGroup = 7;

constexpr const char* kRatFrames[] = {"dot_rat0_0", "dot_rat0_1", "dot_rat0_2", "dot_rat2_0", "dot_rat2_1",
                                      "dot_rat2_0", "dot_rat3_0", "dot_rat3_1", "dot_rat3_2"};
constexpr const char* kItemSprites[] = {"dot_itemsymbol_03", "dot_itemsymbol_126", "dot_itemsymbol_112",
                                        "dot_itemsymbol_113", "dot_itemsymbol_114"};
constexpr const char* kWeaponFrames[3][6] = {
    {"weapon_01_05", "weapon_01_01", "weapon_01_02", "weapon_01_03", "weapon_01_04", ""},
    {"weapon_02_01", "weapon_02_01", "weapon_02_02", "weapon_02_03", "weapon_02_04", "weapon_02_05"},
    {"weapon_03_05", "weapon_03_01", "weapon_03_02", "weapon_03_03", "weapon_03_04", "weapon_03_05"},
};
constexpr const char* kBullets[] = {"minigame_bullet", "minigame_shell", "minigame_laser"};
constexpr const char* kWeaponIcons[] = {"ui_minigame_weapon_machingun", "ui_minigame_weapon_canon",
                                        "ui_minigame_weapon_lazer"};

std::int32_t Find(int group, const char* name)
{
    return *name == '\0' ? -1 : vesk::resource::FindSpriteIndex(group, name);
}

}  // namespace

void MiniGameSprites::Find()
{
    for (std::size_t i = 0; i < rat.size(); ++i) rat[i] = ::Find(kRoomGroup, kRatFrames[i]);
    shieldOrb = ::Find(kRoomGroup, "dot_itemsymbol_88");
    firstEnemySize = ::Find(kEnemyGroup, "enemy_07_11");
    for (std::size_t i = 0; i < items.size(); ++i) items[i] = ::Find(kRoomGroup, kItemSprites[i]);
    for (std::size_t kind = 0; kind < weaponFrames.size(); ++kind) {
        for (std::size_t frame = 0; frame < weaponFrames[kind].size(); ++frame) {
            weaponFrames[kind][frame] = ::Find(kRoomGroup, kWeaponFrames[kind][frame]);
        }
    }
    for (std::size_t i = 0; i < bullets.size(); ++i) bullets[i] = ::Find(kArcadeGroup, kBullets[i]);
    for (std::size_t i = 0; i < weaponIcons.size(); ++i) weaponIcons[i] = ::Find(kArcadeGroup, kWeaponIcons[i]);
}
