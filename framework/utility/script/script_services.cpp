#include "framework/utility/script/script_services.h"

namespace vesk::utility::script {
namespace {

SYS_CScriptServices* g_services = nullptr;

}  // namespace

void SetScriptServices(SYS_CScriptServices* services)
{
    g_services = services;
}

SYS_CScriptServices* GetScriptServices()
{
    return g_services;
}

}  // namespace vesk::utility::script
