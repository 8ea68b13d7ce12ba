// The field objects of the game world: crew members, items, enemies, drop items and sand pillars.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "framework/memory/heaps.h"
#include "game/object/object_actor.h"
#include "game/object/object_item.h"

class GAME_CObjectEnemy;

// The pools of crew members and items, and the lists of the active ones. The field objects' own
// update, drawing and save records come with them; until then the crew stands still, items only
// lie where they are put and the save records are left as the slot has them.
class GAME_CFieldObjectManager : public vesk::memory::MainHeapObject {
public:
    static constexpr std::size_t kCrewPoolSize = 128;
    static constexpr std::size_t kItemPoolSize = 247;

    GAME_CFieldObjectManager();
    ~GAME_CFieldObjectManager();
    GAME_CFieldObjectManager(const GAME_CFieldObjectManager&) = delete;
    GAME_CFieldObjectManager& operator=(const GAME_CFieldObjectManager&) = delete;

    void Update() {}
    void Draw() {}
    void DrawOverlay(std::int16_t, std::int16_t) {}
    void DrawEnemies() {}
    void DrawDropItemsAndPillars() {}
    void DrawDamageNumbers() {}
    void Clear();
    void SaveToSlot(std::span<std::uint8_t>) const {}
    void LoadFromSlot(std::span<const std::uint8_t>) { Clear(); }
    void ShowCrewBalloonGroup(int, int, int) {}
    void ShowRandomCrewBalloons(std::span<const std::uint32_t>, int) {}
    // Every crew member grows a day older, up to the maximum age.
    void AgeCrewOneDay() {}

    // --- crew
    // A member from the pool, active, appended to the crew list; null when the pool is empty.
    GAME_CObjectActor* AcquireActorObject();
    // Work and home links of every active member cleared.
    void ClearCrewRoomLinks();
    // Every active member onto a floor cell of the grid's bottom row (up to 10 random columns, then
    // the first from the left); a member stays where it is when the row has no floor cell.
    void PlaceCrewOnBottomRow();

    // --- items
    // A free floor cell near (x, y): the cell itself, then rows y - d and y + d for d = 0, 1, ...,
    // each scanned outward from column x. False (outputs -1) when every item object is in use,
    // there are no more floor cells than items, or no cell is free.
    bool FindFreeItemCell(std::int32_t x, std::int32_t y, std::int32_t* column, std::int32_t* row) const;
    bool IsCellOccupiedByItem(std::int32_t column, std::int32_t row) const;
    // The last item object of the free pool, for the caller to set up and append to `items`;
    // null when the floor has no room for one more.
    GAME_CObjectItem* AcquireItemObject();
    // Items without a record or count are dead; dead items go back to the pool.
    void RemoveDeadItems();
    // Every item back to the pool (a carried one let go first).
    void ClearItems();
    // Sets up an acquired item of the id and count at the floor point of the cell and lists it;
    // false when none was left.
    bool DropItemOnCell(std::uint32_t itemId, std::int32_t count, std::int32_t column, std::int32_t row);

    // --- enemies
    // The active enemy whose route position is nearest to the given one; null when none.
    GAME_CObjectEnemy* FindNearestEnemy(std::int32_t routePosition) const;

    std::vector<GAME_CObjectActor*> crew;
    std::vector<GAME_CObjectItem*> items;
    std::vector<GAME_CObjectEnemy*> enemies;

private:
    std::unique_ptr<std::array<GAME_CObjectActor, kCrewPoolSize>> crewPool_;
    std::vector<GAME_CObjectActor*> freeCrew_;
    std::unique_ptr<std::array<GAME_CObjectItem, kItemPoolSize>> itemPool_;
    std::vector<GAME_CObjectItem*> freeItems_;
};
