// The field objects of the game world: crew members, items, enemies, drop items and sand pillars.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "framework/memory/heaps.h"

class GAME_CObjectActor;
class GAME_CObjectEnemy;
class GAME_CObjectItem;

// Holds no objects yet: there is no crew, no item and no enemy, and the save
// records of the field objects are left as the slot has them.
class GAME_CFieldObjectManager : public vesk::memory::MainHeapObject {
public:
    void Update() {}
    void Draw() {}
    void DrawOverlay(std::int16_t, std::int16_t) {}
    void DrawEnemies() {}
    void DrawDropItemsAndPillars() {}
    void DrawDamageNumbers() {}
    void Clear() { crew.clear(); }
    void SaveToSlot(std::span<std::uint8_t>) const {}
    void LoadFromSlot(std::span<const std::uint8_t>) { crew.clear(); }
    void ShowCrewBalloonGroup(int, int, int) {}
    // Every crew member grows a day older, up to the maximum age.
    void AgeCrewOneDay() {}
    // A free floor cell for an item near (x, y); false (outputs -1) when there is none.
    bool FindFreeItemCell(std::int32_t, std::int32_t, std::int32_t* column, std::int32_t* row)
    {
        *column = -1;
        *row = -1;
        return false;
    }

    std::vector<GAME_CObjectActor*> crew;
};
