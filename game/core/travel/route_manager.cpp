// The route manager's part in the route scripts' registration.
#include "game/core/travel/route_manager.h"

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
