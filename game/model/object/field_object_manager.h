// The field objects of the game world: the pools of crew members, items, enemies, drop items, sand pillars and their lists.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "framework/memory/heaps.h"
#include "game/model/object/actor_ai_base.h"
#include "game/model/object/damage_numbers.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_drop_item.h"
#include "game/model/object/object_enemy.h"
#include "game/model/object/object_item.h"
#include "game/model/object/object_mes_balloon.h"
#include "game/model/object/object_sand_pillar.h"

class GAME_CRoomBase;
class GAME_CTaskBase;

// A hull hit on one cell: its base damage and the spread around it in per mille.
struct CellDamageRecord {
    std::int32_t damage = 0;
    std::int32_t spreadPerMille = 0;
};

// A balloon picture and its English and Korean variants (-1 when there is none).
struct BalloonSpriteRecord {
    std::int32_t sprite = -1;
    std::int32_t english = -1;
    std::int32_t korean = -1;
};

// The game world's first member. Every object is made once with the manager and handed out of and
// back into its fixed pool: 128 crew members (each bound for life to its AI and its balloon), 247
// items (one per grid cell, so items never outnumber cells), 16 enemies, 128 drop items (the
// oldest is taken again when none is free) and 128 sand pillars. A pooled object is either free or
// active; a dead one goes back to its pool in the same update pass.
class GAME_CFieldObjectManager : public vesk::memory::MainHeapObject {
public:
    static constexpr std::size_t kCrewPoolSize = 128;
    static constexpr std::size_t kItemPoolSize = 247;
    static constexpr std::size_t kEnemyPoolSize = 16;
    static constexpr std::size_t kDropItemPoolSize = 128;
    static constexpr std::size_t kSandPillarPoolSize = 128;

    GAME_CFieldObjectManager();
    ~GAME_CFieldObjectManager();
    GAME_CFieldObjectManager(const GAME_CFieldObjectManager&) = delete;
    GAME_CFieldObjectManager& operator=(const GAME_CFieldObjectManager&) = delete;

    // Empties the lists and deletes every pooled object; afterwards only destruction is valid.
    void Clear();

    // --- each simulation step and each frame
    void Update();
    // Items, crew members, then their balloons; nothing while the ship is zoomed out.
    void Draw();
    // The second pass onto the ship's view; a crew member the player holds comes last, on top.
    void DrawOverlay(const FieldView& view);
    void DrawEnemies();
    void DrawDropItemsAndPillars();
    void DrawDamageNumbers() const { damageNumbers_.Draw(); }

    // --- crew
    // With releaseFirst every crew member working the task is released from it; else one fit
    // crew member is given the task: the room's own crew first, else the cheapest to reach
    // (relaxed: also those bound to other rooms). A task whose room is gone is finished.
    void AssignCrewToTask(GAME_CTaskBase* task, bool releaseFirst, bool relaxed);
    // A crew member arriving in a room leaves the rooms it was in and is taken in; false when full.
    bool MoveCrewIntoRoom(GAME_CObjectActor* actor, GAME_CRoomBase* room);
    GAME_CObjectActor* AcquireActorObject();
    void RemoveDeadActors();
    // The next (previous) crew member after the given one, wrapping; null when it is not listed.
    GAME_CObjectActor* GetNextActor(const GAME_CObjectActor* actor, bool backwards) const;
    // A member's place among the listed crew, as the save's records number them; -1 when not listed.
    std::int32_t GetActorIndex(const GAME_CObjectActor* actor) const;
    // The member at that place (the inverse of GetActorIndex); null when none.
    GAME_CObjectActor* GetActorAt(std::int64_t index) const;
    GAME_CObjectActor* PickActorAtPointer() const;
    GAME_CObjectActor* FindActorInRect(const vesk::math::Vec2& position, const vesk::math::Vec2& size) const;
    GAME_CObjectActor* FindNearestActorToPoint(const vesk::math::Vec2& point) const;
    void DamageActorsAtCell(std::int32_t column, std::int32_t row, const CellDamageRecord& damage);
    // Crew talk: each crew member with a 50 % chance says a line of the list.
    void ShowCrewBalloonsFromRecord(std::span<const std::uint32_t> lines);
    void ShowRandomCrewBalloons(std::span<const std::uint32_t> lines, std::int32_t maximum);
    void ShowCrewBalloonGroup(std::int32_t group, std::int32_t maximum, std::int32_t minimum);
    std::int32_t CountIdleCrew() const;
    // Every crew member's home and workplace links, or with a room only the links to that room.
    void ClearCrewRoomLinks(const GAME_CRoomBase* room = nullptr);
    // Every crew member's links take the numbers their rooms have now.
    void SyncCrewRoomLinks();
    void SetActorName(GAME_CObjectActor* actor, const ActorName& name);
    void PlaceCrewOnBottomRow();

    // --- items
    // Null when the floor has no room for one more; the caller lists the item.
    GAME_CObjectItem* AcquireItemObject();
    // The same, listed.
    GAME_CObjectItem* CreateItemObject();
    bool FindFreeItemCell(std::int32_t x, std::int32_t y, std::int32_t* column, std::int32_t* row) const;
    // Floor cells of the grid less the listed items (carried ones too): how many more stacks may lie.
    std::int64_t CountFreeItemPlaces() const;
    bool IsCellOccupiedByItem(std::int32_t column, std::int32_t row) const;
    bool IsItemActive(const GAME_CObjectItem* item) const;
    GAME_CObjectItem* GetItemAt(std::int64_t index) const;
    void ClearItems();
    void RemoveDeadItems();
    void ConsumeFieldItems(std::uint32_t itemId, std::int32_t amount);
    // How many lying stacks taking the units as ConsumeFieldItems does would empty: the places it frees.
    std::int64_t CountStacksEmptiedBy(std::uint32_t itemId, std::int64_t amount) const;
    GAME_CObjectItem* FindNearestFieldItemById(std::int32_t column, std::int32_t row, std::uint32_t itemId) const;
    GAME_CObjectItem* FindFieldItemToCarry(std::int32_t column, std::int32_t row) const;
    GAME_CObjectItem* PickItemAtPointer() const;
    GAME_CObjectItem* FindItemInRect(const vesk::math::Vec2& position, const vesk::math::Vec2& size) const;
    GAME_CObjectItem* FindNearestItemToPoint(const vesk::math::Vec2& point) const;
    // An item of the id and count set up at the floor point of the cell and listed; false when
    // none was left.
    bool DropItemOnCell(std::uint32_t itemId, std::int32_t count, std::int32_t column, std::int32_t row);

    // --- enemies
    GAME_CObjectEnemy* AcquireEnemyObject();
    void ActivateEnemy(GAME_CObjectEnemy* enemy);
    void ReleaseEnemy(GAME_CObjectEnemy* enemy);
    void UpdateEnemies();
    void ClearEnemies();
    void MirrorEnemyPositions(std::int32_t routeLength);
    bool AreAllEnemiesIdle() const;
    GAME_CObjectEnemy* FindNearestEnemy(std::int32_t routePosition) const;
    bool IsEnemyActive(const GAME_CObjectEnemy* enemy) const;
    void RunLabelOnAllEnemies(std::u16string_view label);
    void AddPendingEnemy(GAME_CObjectEnemy* enemy);
    void RemovePendingEnemy(GAME_CObjectEnemy* enemy);

    // --- drop items
    // The first free one, else the oldest active one again.
    GAME_CObjectDropItem* AcquireDropItem();
    void ClearDropItems();
    std::int32_t CountDropItems() const;

    // --- sand pillars
    GAME_CObjectSandPillar* AcquireSandPillar();
    void UpdateSandPillars();
    void ReleaseAllSandPillars();

    // --- damage numbers
    void AddCellDamageNumber(std::int32_t column, std::int32_t row, std::int32_t value)
    {
        damageNumbers_.AddCell(column, row, value);
    }
    void AddActorDamageNumber(const GAME_CObjectActor* actor, std::int32_t value)
    {
        damageNumbers_.AddActor(actor, value);
    }
    void AddEnemyDamageNumber(const GAME_CObjectEnemy* enemy, std::int32_t value);
    void ClearDamageNumbers() { damageNumbers_.Clear(); }
    const DamageNumbers& GetDamageNumbers() const { return damageNumbers_; }

    // --- balloon pictures
    std::int32_t GetBalloonSpriteEnglish(std::int32_t sprite) const;
    std::int32_t GetBalloonSpriteKorean(std::int32_t sprite) const;

    // --- the field part of a save slot
    void SaveToSlot(std::span<std::uint8_t> slot) const;
    void LoadFromSlot(std::span<const std::uint8_t> slot);

    std::vector<GAME_CObjectActor*> crew;
    std::vector<GAME_CObjectItem*> items;
    std::vector<GAME_CObjectEnemy*> enemies;
    std::array<GAME_CObjectDropItem*, kDropItemPoolSize> activeDropItems{};
    std::array<GAME_CObjectSandPillar*, kSandPillarPoolSize> activeSandPillars{};
    std::vector<GAME_CObjectEnemy*> pendingEnemies;
    std::uint32_t holdNextEnemy = 0;  // the next enemy set up waits in the pending list

private:
    void UpdateActors();
    void UpdateItems();
    void UpdateDropItems();
    void ReturnActor(GAME_CObjectActor* actor);
    void RetireItem(GAME_CObjectItem* item);
    void LookUpBalloonSprites();
    // Walks the crew, again and again, until that many have spoken (each complete walk counts as
    // one too, so the walk ends even when nobody speaks).
    template <typename Speak>
    void WalkCrewTalk(std::int32_t speakers, bool skipHalf, Speak speak);
    // Saved crew members outside the current grid get a floor cell of it.
    void RelocateCrewOutsideGrid();
    void LoadCrew(std::span<const std::uint8_t> slot);
    void LoadEnemies(std::span<const std::uint8_t> slot);
    void LoadItems(std::span<const std::uint8_t> slot);
    void LoadDropItems(std::span<const std::uint8_t> slot);

    std::unique_ptr<std::array<GAME_CObjectActor, kCrewPoolSize>> crewPool_;
    std::vector<GAME_CObjectActor*> freeCrew_;
    std::unique_ptr<std::array<GAME_CObjectItem, kItemPoolSize>> itemPool_;
    std::vector<GAME_CObjectItem*> freeItems_;
    std::unique_ptr<std::array<GAME_CObjectEnemy, kEnemyPoolSize>> enemyPool_;
    std::vector<GAME_CObjectEnemy*> freeEnemies_;
    std::array<GAME_CObjectDropItem*, kDropItemPoolSize> freeDropItems_{};
    std::array<GAME_CObjectSandPillar*, kSandPillarPoolSize> freeSandPillars_{};
    std::vector<std::unique_ptr<GAME_CObjectDropItem>> dropItemPool_;
    std::vector<std::unique_ptr<GAME_CObjectSandPillar>> sandPillarPool_;
    DamageNumbers damageNumbers_;
    std::unique_ptr<std::array<GAME_CActorAIBase, kCrewPoolSize>> aiPool_;
    std::unique_ptr<std::array<GAME_CObjectMesBalloon, kCrewPoolSize>> balloonPool_;
    std::vector<BalloonSpriteRecord> balloonSprites_;
};

// Fills a 64-unit UTF-16 buffer with at most 63 units of the text, the rest zero.
char16_t* CopyWideName64(std::array<char16_t, 64>& buffer, std::u16string_view text);
