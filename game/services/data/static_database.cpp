// The static database's containers: get-or-create, lookups and the single instance.
#include "game/services/data/static_database.h"

#include <algorithm>
#include <iterator>

namespace {

template <typename Record>
const Record* FindInMap(const StaticRecordMap<Record>& map, std::uint32_t id)
{
    const auto found = map.find(id);
    return found != map.end() ? &found->second : nullptr;
}

template <typename Record>
const Record* AtPositionInMap(const StaticRecordMap<Record>& map, std::int32_t position, std::uint32_t* outId)
{
    if (position < 0 || static_cast<std::size_t>(position) >= map.size()) {
        if (outId != nullptr) {
            *outId = kNoId;
        }
        return nullptr;
    }
    const auto at = std::next(map.begin(), position);
    if (outId != nullptr) {
        *outId = at->first;
    }
    return &at->second;
}

template <typename Record>
const Record* FindIndexedInMap(const StaticRecordMap<Record>& map, std::uint32_t id, std::int32_t* outPosition)
{
    const auto found = map.find(id);
    if (outPosition != nullptr) {
        *outPosition = found != map.end() ? static_cast<std::int32_t>(std::distance(map.begin(), found)) : -1;
    }
    return found != map.end() ? &found->second : nullptr;
}

template <typename Record>
Record* CreateInMap(StaticRecordMap<Record>& map, std::uint32_t id)
{
    return &map.try_emplace(id).first->second;
}

template <typename Record>
Record* GetOrCreateInMap(StaticRecordMap<Record>& map, std::uint32_t id, bool create)
{
    if (const auto found = map.find(id); found != map.end()) {
        return &found->second;
    }
    return create ? CreateInMap(map, id) : nullptr;
}

// Lists of owned records that carry their own id.
template <typename Record>
Record* FindInList(const std::vector<std::unique_ptr<Record>>& list, std::uint32_t id)
{
    for (const std::unique_ptr<Record>& record : list) {
        if (record->id == id) {
            return record.get();
        }
    }
    return nullptr;
}

template <typename Record>
Record* GetOrCreateInList(std::vector<std::unique_ptr<Record>>& list, std::uint32_t id, bool create)
{
    if (Record* found = FindInList(list, id)) {
        return found;
    }
    if (!create) {
        return nullptr;
    }
    list.push_back(std::make_unique<Record>());
    list.back()->id = id;
    return list.back().get();
}

void AppendUnique(std::vector<std::uint32_t>& list, std::uint32_t id)
{
    if (std::find(list.begin(), list.end(), id) == list.end()) {
        list.push_back(id);
    }
}

std::unique_ptr<GAME_CStaticDatabase>& Instance()
{
    static std::unique_ptr<GAME_CStaticDatabase> instance;
    return instance;
}

}  // namespace

GAME_CStaticDatabase::GAME_CStaticDatabase() { rooms_.reserve(kReservedRoomKinds); }

void GAME_CStaticDatabase::Clear()
{
    items_.clear();
    recipes_.clear();
    rooms_.clear();
    tasks_.clear();
    hideouts_.clear();
    routes_.clear();
    ships_.clear();
    quests_.clear();
    rumors_.clear();
    enemies_.clear();
    skills_.clear();
    buffs_.clear();
    debuffs_.clear();
    balloonGroups_.clear();
    balloonRanges_.clear();
    nearViews_.clear();
    params_.clear();
    markedIds_.clear();
    production_.clear();
    mindControl_.clear();
    treatment_.clear();
}

ItemData* GAME_CStaticDatabase::GetOrCreateItemData(std::uint32_t id, bool create)
{
    return GetOrCreateInList(items_, id, create);
}

CookingRecipe* GAME_CStaticDatabase::GetOrCreateCookingRecipe(std::uint32_t id, bool create)
{
    return GetOrCreateInMap(recipes_, id, create);
}

RoomData* GAME_CStaticDatabase::FindRoom(std::uint32_t id) const
{
    for (const auto& [roomId, record] : rooms_) {
        if (roomId == id) {
            return record.get();
        }
    }
    return nullptr;
}

RoomData* GAME_CStaticDatabase::GetOrCreateRoomData(std::uint32_t id, bool create)
{
    if (RoomData* found = FindRoom(id)) {
        return found;
    }
    if (!create) {
        return nullptr;
    }
    rooms_.emplace_back(id, std::make_unique<RoomData>());
    return rooms_.back().second.get();
}

BuffData* GAME_CStaticDatabase::GetOrCreateBuffData(std::uint32_t id, bool create)
{
    return GetOrCreateInMap(buffs_, id, create);
}

DebuffData* GAME_CStaticDatabase::GetOrCreateDebuffData(std::uint32_t id, bool create)
{
    return GetOrCreateInMap(debuffs_, id, create);
}

TaskData* GAME_CStaticDatabase::GetOrCreateTaskData(std::uint32_t id)
{
    TaskData* task = CreateInMap(tasks_, id);
    task->id = id;
    return task;
}

HideoutData* GAME_CStaticDatabase::GetOrCreateHideoutData(std::uint32_t id) { return CreateInMap(hideouts_, id); }
RouteData* GAME_CStaticDatabase::GetOrCreateRouteData(std::uint32_t id) { return CreateInMap(routes_, id); }
ShipData* GAME_CStaticDatabase::GetOrCreateShipData(std::uint32_t id) { return GetOrCreateInList(ships_, id, true); }
QuestData* GAME_CStaticDatabase::GetOrCreateQuestData(std::uint32_t id) { return CreateInMap(quests_, id); }
RumorData* GAME_CStaticDatabase::GetOrCreateRumorData(std::uint32_t id) { return CreateInMap(rumors_, id); }
EnemyData* GAME_CStaticDatabase::GetOrCreateEnemyData(std::uint32_t id) { return CreateInMap(enemies_, id); }
SkillData* GAME_CStaticDatabase::GetOrCreateSkillData(std::uint32_t id) { return CreateInMap(skills_, id); }

BalloonGroup* GAME_CStaticDatabase::GetOrCreateBalloonGroup(std::uint16_t id)
{
    return CreateInMap(balloonGroups_, id);
}

ParamRecord* GAME_CStaticDatabase::GetOrCreateParamRecord(std::uint32_t id)
{
    return GetOrCreateInList(params_, id, true);
}

void GAME_CStaticDatabase::AddNearViewData(const NearViewData& view) { nearViews_.push_back(view); }

void GAME_CStaticDatabase::AddBalloonRange(std::int32_t lower, std::int32_t upper, std::uint32_t lineId)
{
    BalloonRange range;
    range.upper = std::clamp(upper, 0, 1000);
    range.lower = std::clamp(lower, 0, range.upper);
    range.lineId = lineId;
    balloonRanges_.push_back(range);
}

void GAME_CStaticDatabase::AddMarkedId(std::uint32_t id) { AppendUnique(markedIds_, id); }

const ItemData* GAME_CStaticDatabase::FindItemData(std::uint32_t id) const { return FindInList(items_, id); }

const ItemData* GAME_CStaticDatabase::FindItemDataIndexed(std::uint32_t id, std::int32_t* outPosition) const
{
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i]->id == id) {
            if (outPosition != nullptr) {
                *outPosition = static_cast<std::int32_t>(i);
            }
            return items_[i].get();
        }
    }
    if (outPosition != nullptr) {
        *outPosition = -1;
    }
    return nullptr;
}

const ItemData* GAME_CStaticDatabase::GetItemDataAt(std::int32_t position, std::uint32_t* outId) const
{
    const bool inside = position >= 0 && static_cast<std::size_t>(position) < items_.size();
    if (outId != nullptr) {
        *outId = inside ? items_[position]->id : kNoId;
    }
    return inside ? items_[position].get() : nullptr;
}

const ItemProductionData* GAME_CStaticDatabase::FindItemProductionData(std::uint32_t itemId) const
{
    return FindInMap(production_, itemId);
}

const CookingRecipe* GAME_CStaticDatabase::FindCookingRecipe(std::uint32_t id) const
{
    return FindInMap(recipes_, id);
}

const CookingRecipe* GAME_CStaticDatabase::GetCookingRecipeAt(std::int32_t position, std::uint32_t* outId) const
{
    return AtPositionInMap(recipes_, position, outId);
}

const RoomData* GAME_CStaticDatabase::FindRoomData(std::uint32_t roomId) const
{
    return FindRoom(roomId);
}

const TaskData* GAME_CStaticDatabase::FindTaskData(std::uint32_t id) const { return FindInMap(tasks_, id); }

const TaskData* GAME_CStaticDatabase::GetTaskDataAt(std::int32_t position, std::uint32_t* outId) const
{
    return AtPositionInMap(tasks_, position, outId);
}

const HideoutData* GAME_CStaticDatabase::FindHideoutData(std::uint32_t id) const { return FindInMap(hideouts_, id); }

const HideoutData* GAME_CStaticDatabase::GetHideoutDataAt(std::int32_t position, std::uint32_t* outId) const
{
    return AtPositionInMap(hideouts_, position, outId);
}

const HideoutData* GAME_CStaticDatabase::FindHideoutDataIndexed(std::uint32_t id, std::int32_t* outPosition) const
{
    return FindIndexedInMap(hideouts_, id, outPosition);
}

const RouteData* GAME_CStaticDatabase::FindRouteData(std::uint32_t id) const { return FindInMap(routes_, id); }

const RouteData* GAME_CStaticDatabase::GetRouteDataAt(std::int32_t position, std::uint32_t* outId) const
{
    return AtPositionInMap(routes_, position, outId);
}

const RouteData* GAME_CStaticDatabase::FindRouteDataIndexed(std::uint32_t id, std::int32_t* outPosition) const
{
    return FindIndexedInMap(routes_, id, outPosition);
}

const RouteData* GAME_CStaticDatabase::FindRouteBetween(std::uint32_t locationA, std::uint32_t locationB,
                                                        std::int32_t* outPosition) const
{
    std::int32_t position = 0;
    for (const auto& [id, route] : routes_) {
        if ((route.startLocation == locationA && route.endLocation == locationB) ||
            (route.startLocation == locationB && route.endLocation == locationA)) {
            if (outPosition != nullptr) {
                *outPosition = position;
            }
            return &route;
        }
        ++position;
    }
    if (outPosition != nullptr) {
        *outPosition = -1;
    }
    return nullptr;
}

void GAME_CStaticDatabase::CollectRoutesFrom(std::uint32_t location, std::vector<std::int32_t>& out) const
{
    out.clear();
    std::int32_t position = 0;
    for (const auto& [id, route] : routes_) {
        if (route.startLocation == location || route.endLocation == location) {
            out.push_back(position);
        }
        ++position;
    }
}

const ShipData* GAME_CStaticDatabase::FindShipData(std::uint32_t id) const { return FindInList(ships_, id); }

const ShipData* GAME_CStaticDatabase::GetShipDataAt(std::int32_t position) const
{
    return position >= 0 && static_cast<std::size_t>(position) < ships_.size() ? ships_[position].get() : nullptr;
}

const QuestData* GAME_CStaticDatabase::FindQuestData(std::uint32_t id) const { return FindInMap(quests_, id); }
const RumorData* GAME_CStaticDatabase::FindRumorData(std::uint32_t id) const { return FindInMap(rumors_, id); }

const RumorData* GAME_CStaticDatabase::GetRumorDataAt(std::int32_t position, std::uint32_t* outId) const
{
    return AtPositionInMap(rumors_, position, outId);
}

const RumorData* GAME_CStaticDatabase::FindRumorDataIndexed(std::uint32_t id, std::int32_t* outPosition) const
{
    return FindIndexedInMap(rumors_, id, outPosition);
}

const EnemyData* GAME_CStaticDatabase::FindEnemyData(std::uint32_t id) const { return FindInMap(enemies_, id); }

const EnemyData* GAME_CStaticDatabase::GetEnemyDataAt(std::int32_t position, std::uint32_t* outId) const
{
    return AtPositionInMap(enemies_, position, outId);
}

const SkillData* GAME_CStaticDatabase::FindSkillData(std::uint32_t id) const { return FindInMap(skills_, id); }
const BuffData* GAME_CStaticDatabase::FindBuffData(std::uint32_t id) const { return FindInMap(buffs_, id); }
const DebuffData* GAME_CStaticDatabase::FindDebuffData(std::uint32_t id) const { return FindInMap(debuffs_, id); }

const TaskData* GAME_CStaticDatabase::FindMindControlData(std::uint32_t skillId) const
{
    const TaskData* const* found = FindInMap(mindControl_, skillId);
    return found != nullptr ? *found : nullptr;
}

const TaskData* GAME_CStaticDatabase::FindTreatmentData(std::uint32_t debuffId) const
{
    const TaskData* const* found = FindInMap(treatment_, debuffId);
    return found != nullptr ? *found : nullptr;
}

const BalloonGroup* GAME_CStaticDatabase::FindBalloonGroup(std::uint16_t id) const
{
    return FindInMap(balloonGroups_, id);
}

void GAME_CStaticDatabase::CollectBalloonGroupsForBuff(std::uint32_t buffId, std::vector<std::uint16_t>& out) const
{
    out.clear();
    for (const auto& [id, group] : balloonGroups_) {
        if (group.buffId == buffId) {
            out.push_back(static_cast<std::uint16_t>(id));
        }
    }
}

void GAME_CStaticDatabase::CollectBalloonGroupsForDebuff(std::uint32_t debuffId,
                                                         std::vector<std::uint16_t>& out) const
{
    out.clear();
    for (const auto& [id, group] : balloonGroups_) {
        if (group.debuffId == debuffId) {
            out.push_back(static_cast<std::uint16_t>(id));
        }
    }
}

std::size_t GAME_CStaticDatabase::CollectBalloonLinesForRatio(std::int32_t value, std::int32_t maximum,
                                                              std::vector<std::uint32_t>& out) const
{
    // Data can make the maximum 0; the ratio then divides by 1.
    const std::int64_t safeMaximum = std::max<std::int64_t>(1, maximum);
    const std::int64_t ratio = std::min<std::int64_t>(value, safeMaximum) * 1000 / safeMaximum;
    out.clear();
    for (const BalloonRange& range : balloonRanges_) {
        if (range.lower <= ratio && ratio <= range.upper) {
            out.push_back(range.lineId);
        }
    }
    return out.size();
}

const NearViewData* GAME_CStaticDatabase::GetNearViewDataAt(std::int32_t position) const
{
    return position >= 0 && static_cast<std::size_t>(position) < nearViews_.size() ? &nearViews_[position] : nullptr;
}

const ParamRecord* GAME_CStaticDatabase::FindParamRecord(std::uint32_t id) const { return FindInList(params_, id); }

GAME_CStaticDatabase::TaskSoundPair GAME_CStaticDatabase::GetTaskSounds(std::int32_t kind) const
{
    return kind >= 0 && kind < kTaskKindCount ? taskSounds_[kind] : TaskSoundPair{};
}

void GAME_CStaticDatabase::SetTaskSounds(std::int32_t kind, TaskSoundPair sounds)
{
    if (kind >= 0 && kind < kTaskKindCount) {
        taskSounds_[kind] = sounds;
    }
}

int CountEnemyDropEntries(const EnemyData& enemy)
{
    int count = 0;
    while (count < static_cast<int>(enemy.drops.size()) && enemy.drops[count].itemId != kNoId &&
           enemy.drops[count].weight > 0) {
        ++count;
    }
    return count;
}

void CreateStaticDatabase()
{
    Instance().reset();
    Instance() = std::make_unique<GAME_CStaticDatabase>();
}
void DestroyStaticDatabase() { Instance().reset(); }
GAME_CStaticDatabase* GetStaticDatabase() { return Instance().get(); }
