// The static database: the game's read-only data, filled at start-up by scripts.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game/services/data/item_records.h"
#include "game/services/data/room_records.h"
#include "game/services/data/status_records.h"
#include "game/services/data/task_records.h"
#include "game/services/data/tuning_records.h"
#include "game/services/data/world_records.h"

// Records keyed by id in ascending unsigned order; position n is the n-th key.
template <typename Record>
using StaticRecordMap = std::map<std::uint32_t, Record>;

// Every record is owned here and lives until Clear or destruction, so pointers to records stay
// valid while the database is loaded. Lookups of unknown ids and positions past either end give
// null and position -1.
class GAME_CStaticDatabase {
public:
    static constexpr std::size_t kReservedRoomKinds = 30;

    // The start sound and completion sound of a task kind.
    struct TaskSoundPair {
        std::int32_t start = -1;
        std::int32_t completion = -1;
    };

    GAME_CStaticDatabase();
    GAME_CStaticDatabase(const GAME_CStaticDatabase&) = delete;
    GAME_CStaticDatabase& operator=(const GAME_CStaticDatabase&) = delete;

    // Frees every record of every container; the scalar members stay.
    void Clear();

    // --- get-or-create: the record under the id, else a new one with its defaults, or null when
    // `create` is false.
    ItemData* GetOrCreateItemData(std::uint32_t id, bool create);
    CookingRecipe* GetOrCreateCookingRecipe(std::uint32_t id, bool create);
    RoomData* GetOrCreateRoomData(std::uint32_t id, bool create);
    BuffData* GetOrCreateBuffData(std::uint32_t id, bool create);
    DebuffData* GetOrCreateDebuffData(std::uint32_t id, bool create);
    TaskData* GetOrCreateTaskData(std::uint32_t id);
    HideoutData* GetOrCreateHideoutData(std::uint32_t id);
    RouteData* GetOrCreateRouteData(std::uint32_t id);
    ShipData* GetOrCreateShipData(std::uint32_t id);
    QuestData* GetOrCreateQuestData(std::uint32_t id);
    RumorData* GetOrCreateRumorData(std::uint32_t id);
    EnemyData* GetOrCreateEnemyData(std::uint32_t id);
    SkillData* GetOrCreateSkillData(std::uint32_t id);
    BalloonGroup* GetOrCreateBalloonGroup(std::uint16_t id);
    ParamRecord* GetOrCreateParamRecord(std::uint32_t id);
    void AddNearViewData(const NearViewData& view);
    // Lower and upper are clamped: upper to 0..1000, lower to 0..upper.
    void AddBalloonRange(std::int32_t lower, std::int32_t upper, std::uint32_t lineId);
    void ClearBalloonRanges() { balloonRanges_.clear(); }
    void AddMarkedId(std::uint32_t id);
    void ClearMarkedIds() { markedIds_.clear(); }

    // --- derived indexes, built once the records they read are loaded
    void BuildItemProductionIndex();
    void BuildTreatmentIndex();
    void BuildMindControlIndex();

    // --- lookups
    const ItemData* FindItemData(std::uint32_t id) const;
    const ItemData* FindItemDataIndexed(std::uint32_t id, std::int32_t* outPosition) const;
    const ItemData* GetItemDataAt(std::int32_t position, std::uint32_t* outId) const;
    const ItemProductionData* FindItemProductionData(std::uint32_t itemId) const;
    const CookingRecipe* FindCookingRecipe(std::uint32_t id) const;
    const CookingRecipe* GetCookingRecipeAt(std::int32_t position, std::uint32_t* outId) const;
    const RoomData* FindRoomData(std::uint32_t roomId) const;
    const TaskData* FindTaskData(std::uint32_t id) const;
    const TaskData* GetTaskDataAt(std::int32_t position, std::uint32_t* outId) const;
    const HideoutData* FindHideoutData(std::uint32_t id) const;
    const HideoutData* GetHideoutDataAt(std::int32_t position, std::uint32_t* outId) const;
    const HideoutData* FindHideoutDataIndexed(std::uint32_t id, std::int32_t* outPosition) const;
    const RouteData* FindRouteData(std::uint32_t id) const;
    const RouteData* GetRouteDataAt(std::int32_t position, std::uint32_t* outId) const;
    const RouteData* FindRouteDataIndexed(std::uint32_t id, std::int32_t* outPosition) const;
    // The first route in id order whose endpoints are the two locations, in either order.
    const RouteData* FindRouteBetween(std::uint32_t locationA, std::uint32_t locationB,
                                      std::int32_t* outPosition) const;
    // Clears out, then appends the position of every route that has the location as an endpoint.
    void CollectRoutesFrom(std::uint32_t location, std::vector<std::int32_t>& out) const;
    const ShipData* FindShipData(std::uint32_t id) const;
    const ShipData* GetShipDataAt(std::int32_t position) const;
    const QuestData* FindQuestData(std::uint32_t id) const;
    const RumorData* FindRumorData(std::uint32_t id) const;
    const RumorData* GetRumorDataAt(std::int32_t position, std::uint32_t* outId) const;
    const RumorData* FindRumorDataIndexed(std::uint32_t id, std::int32_t* outPosition) const;
    const EnemyData* FindEnemyData(std::uint32_t id) const;
    const EnemyData* GetEnemyDataAt(std::int32_t position, std::uint32_t* outId) const;
    const SkillData* FindSkillData(std::uint32_t id) const;
    const BuffData* FindBuffData(std::uint32_t id) const;
    const DebuffData* FindDebuffData(std::uint32_t id) const;
    const TaskData* FindMindControlData(std::uint32_t skillId) const;
    const TaskData* FindTreatmentData(std::uint32_t debuffId) const;
    const BalloonGroup* FindBalloonGroup(std::uint16_t id) const;
    // Clear out, then append every group id whose buff (debuff) is the given one, in id order.
    void CollectBalloonGroupsForBuff(std::uint32_t buffId, std::vector<std::uint16_t>& out) const;
    void CollectBalloonGroupsForDebuff(std::uint32_t debuffId, std::vector<std::uint16_t>& out) const;
    // The lines of every balloon range that holds value / maximum in per mille (value clamped to
    // the maximum, a maximum below 1 taken as 1); returns their count.
    std::size_t CollectBalloonLinesForRatio(std::int32_t value, std::int32_t maximum,
                                            std::vector<std::uint32_t>& out) const;
    const NearViewData* GetNearViewDataAt(std::int32_t position) const;
    const ParamRecord* FindParamRecord(std::uint32_t id) const;

    // --- the containers, for readers that walk them
    const std::vector<std::unique_ptr<ItemData>>& Items() const { return items_; }
    const StaticRecordMap<CookingRecipe>& CookingRecipes() const { return recipes_; }
    const std::vector<std::pair<std::uint32_t, std::unique_ptr<RoomData>>>& Rooms() const { return rooms_; }
    const StaticRecordMap<TaskData>& Tasks() const { return tasks_; }
    const StaticRecordMap<HideoutData>& Hideouts() const { return hideouts_; }
    const StaticRecordMap<RouteData>& Routes() const { return routes_; }
    const std::vector<std::unique_ptr<ShipData>>& Ships() const { return ships_; }
    const StaticRecordMap<QuestData>& Quests() const { return quests_; }
    const StaticRecordMap<RumorData>& Rumors() const { return rumors_; }
    const StaticRecordMap<EnemyData>& Enemies() const { return enemies_; }
    const StaticRecordMap<SkillData>& Skills() const { return skills_; }
    const StaticRecordMap<BuffData>& Buffs() const { return buffs_; }
    const StaticRecordMap<DebuffData>& Debuffs() const { return debuffs_; }
    const StaticRecordMap<BalloonGroup>& BalloonGroups() const { return balloonGroups_; }
    const std::vector<BalloonRange>& BalloonRanges() const { return balloonRanges_; }
    const std::vector<NearViewData>& NearViews() const { return nearViews_; }
    const std::vector<std::unique_ptr<ParamRecord>>& Params() const { return params_; }
    const std::vector<std::uint32_t>& MarkedIds() const { return markedIds_; }
    const StaticRecordMap<ItemProductionData>& ItemProduction() const { return production_; }

    // --- scalar members
    ActorBaseStats& BaseStats() { return baseStats_; }
    const ActorBaseStats& BaseStats() const { return baseStats_; }
    // The pair of a task kind 0..18; kinds outside give the pair {-1, -1}.
    TaskSoundPair GetTaskSounds(std::int32_t kind) const;
    void SetTaskSounds(std::int32_t kind, TaskSoundPair sounds);
    CameraValues& Camera() { return camera_; }
    const CameraValues& Camera() const { return camera_; }
    TuningBlock& Tuning() { return tuning_; }
    const TuningBlock& Tuning() const { return tuning_; }
    StartRouteEntry& StartRoute() { return startRoute_; }
    const StartRouteEntry& StartRoute() const { return startRoute_; }
    DatabaseLimits& Limits() { return limits_; }
    const DatabaseLimits& Limits() const { return limits_; }
    std::uint32_t GetBuffColor() const { return buffColor_; }
    void SetBuffColor(std::uint32_t color) { buffColor_ = color; }
    std::uint32_t GetDebuffColor() const { return debuffColor_; }
    void SetDebuffColor(std::uint32_t color) { debuffColor_ = color; }

    // --- the crew name lists, as read
    // Reads the name list, and only when that gives data the forbidden-word list; a missing file
    // leaves its list empty.
    void LoadActorNameLists();
    void SetActorNameLists(std::string names, std::string ngWords);
    std::string_view GetActorNameList() const { return nameList_; }
    std::string_view GetActorNgWordList() const { return ngWordList_; }
    // The names of the list: two UTF-16 units each; an index past either end gives an empty name.
    std::int32_t GetActorNameCount() const;
    std::u16string_view GetActorName(std::int32_t index) const;

private:
    RoomData* FindRoom(std::uint32_t id) const;

    ActorBaseStats baseStats_;
    std::array<TaskSoundPair, kTaskKindCount> taskSounds_{};
    CameraValues camera_;
    TuningBlock tuning_;

    std::vector<std::unique_ptr<ItemData>> items_;
    StaticRecordMap<CookingRecipe> recipes_;
    std::vector<std::pair<std::uint32_t, std::unique_ptr<RoomData>>> rooms_;
    StaticRecordMap<TaskData> tasks_;
    StaticRecordMap<HideoutData> hideouts_;
    StaticRecordMap<RouteData> routes_;
    std::vector<std::unique_ptr<ShipData>> ships_;
    StaticRecordMap<QuestData> quests_;
    StaticRecordMap<RumorData> rumors_;
    StaticRecordMap<EnemyData> enemies_;
    StaticRecordMap<SkillData> skills_;
    StaticRecordMap<BuffData> buffs_;
    StaticRecordMap<DebuffData> debuffs_;
    StaticRecordMap<BalloonGroup> balloonGroups_;
    std::vector<BalloonRange> balloonRanges_;
    std::vector<NearViewData> nearViews_;
    std::vector<std::unique_ptr<ParamRecord>> params_;
    std::vector<std::uint32_t> markedIds_;
    StaticRecordMap<ItemProductionData> production_;
    StaticRecordMap<const TaskData*> mindControl_;
    StaticRecordMap<const TaskData*> treatment_;

    StartRouteEntry startRoute_;
    DatabaseLimits limits_;
    std::string nameList_;
    std::string ngWordList_;
    std::u16string names_;  // the name list as UTF-16
    std::uint32_t buffColor_ = 0x2870FF70;
    std::uint32_t debuffColor_ = 0x283030FF;
};

// --- the single instance
// Destroys an existing instance and makes a new, empty one.
void CreateStaticDatabase();
void DestroyStaticDatabase();
// Null while there is none.
GAME_CStaticDatabase* GetStaticDatabase();
