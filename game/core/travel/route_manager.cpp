// The route manager's part in the route scripts' registration.
#include "game/core/travel/route_manager.h"

#include "game/core/save/save_layout.h"
#include "platform/little_endian.h"

void GAME_CRouteManager::BeginRegistration(std::uint32_t routeId,
                                           const vesk::utility::script_package::ProgramRecord* program)
{
    routeId_ = routeId;
    script_.Attach(program);
}

void GAME_CRouteManager::FinishRegistration()
{
    script_.Attach(nullptr);
    routeId_ = kNoId;
}

void GAME_CRouteManager::WriteSaveBlock(std::span<std::uint8_t> slot) const
{
    using namespace save_layout;
    platform::WriteU32(slot, slot::kRouteId, routeId_);
    platform::WriteU32(slot, slot::kRouteReversed, 0);
    platform::WriteU32(slot, slot::kRouteDirection, 0);
    platform::WriteI32(slot, slot::kRoutePosition, position_);
}
