// The static database's lookups on the single instance: null and -1 while there is none.
#pragma once

#include "game/services/data/static_database.h"

namespace static_lookups_detail {

// Calls the lookup on the instance; without one, clears the out position or id and gives null.
template <typename Lookup, typename Out>
auto OnInstance(Lookup lookup, Out* out) -> decltype(lookup(*GetStaticDatabase()))
{
    if (GAME_CStaticDatabase* database = GetStaticDatabase()) {
        return lookup(*database);
    }
    if (out != nullptr) {
        *out = static_cast<Out>(-1);
    }
    return nullptr;
}

}  // namespace static_lookups_detail

#define VARNOLIS_STATIC_LOOKUP(Record, Name, Key)                                                            \
    inline const Record* Name(Key key)                                                                       \
    {                                                                                                        \
        return static_lookups_detail::OnInstance([&](const GAME_CStaticDatabase& d) { return d.Name(key); }, \
                                                 static_cast<int*>(nullptr));                                \
    }
#define VARNOLIS_STATIC_LOOKUP_OUT(Record, Name, Key, Out)                                                        \
    inline const Record* Name(Key key, Out* out)                                                                  \
    {                                                                                                             \
        return static_lookups_detail::OnInstance([&](const GAME_CStaticDatabase& d) { return d.Name(key, out); }, \
                                                 out);                                                            \
    }

VARNOLIS_STATIC_LOOKUP(ItemData, FindItemData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP_OUT(ItemData, FindItemDataIndexed, std::uint32_t, std::int32_t)
VARNOLIS_STATIC_LOOKUP_OUT(ItemData, GetItemDataAt, std::int32_t, std::uint32_t)
VARNOLIS_STATIC_LOOKUP(ItemProductionData, FindItemProductionData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP(CookingRecipe, FindCookingRecipe, std::uint32_t)
VARNOLIS_STATIC_LOOKUP_OUT(CookingRecipe, GetCookingRecipeAt, std::int32_t, std::uint32_t)
VARNOLIS_STATIC_LOOKUP(RoomData, FindRoomData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP(TaskData, FindTaskData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP_OUT(TaskData, GetTaskDataAt, std::int32_t, std::uint32_t)
VARNOLIS_STATIC_LOOKUP(HideoutData, FindHideoutData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP_OUT(HideoutData, GetHideoutDataAt, std::int32_t, std::uint32_t)
VARNOLIS_STATIC_LOOKUP_OUT(HideoutData, FindHideoutDataIndexed, std::uint32_t, std::int32_t)
VARNOLIS_STATIC_LOOKUP(RouteData, FindRouteData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP_OUT(RouteData, GetRouteDataAt, std::int32_t, std::uint32_t)
VARNOLIS_STATIC_LOOKUP_OUT(RouteData, FindRouteDataIndexed, std::uint32_t, std::int32_t)
VARNOLIS_STATIC_LOOKUP(ShipData, FindShipData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP(QuestData, FindQuestData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP(RumorData, FindRumorData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP_OUT(RumorData, GetRumorDataAt, std::int32_t, std::uint32_t)
VARNOLIS_STATIC_LOOKUP_OUT(RumorData, FindRumorDataIndexed, std::uint32_t, std::int32_t)
VARNOLIS_STATIC_LOOKUP(EnemyData, FindEnemyData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP_OUT(EnemyData, GetEnemyDataAt, std::int32_t, std::uint32_t)
VARNOLIS_STATIC_LOOKUP(SkillData, FindSkillData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP(BuffData, FindBuffData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP(DebuffData, FindDebuffData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP(TaskData, FindMindControlData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP(TaskData, FindTreatmentData, std::uint32_t)
VARNOLIS_STATIC_LOOKUP(BalloonGroup, FindBalloonGroup, std::uint16_t)

#undef VARNOLIS_STATIC_LOOKUP
#undef VARNOLIS_STATIC_LOOKUP_OUT

inline const RouteData* FindRouteBetween(std::uint32_t locationA, std::uint32_t locationB, std::int32_t* outPosition)
{
    return static_lookups_detail::OnInstance(
        [&](const GAME_CStaticDatabase& d) { return d.FindRouteBetween(locationA, locationB, outPosition); },
        outPosition);
}
