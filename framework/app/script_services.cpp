#include "framework/app/script_services.h"

#include "framework/utility/script/script_services.h"

namespace vesk::app {

// The script commands reach the framework's own input, sound and particle
// runtime; each answers "nothing" while its system does not exist.
void InstallScriptServices()
{
    utility::script::SetScriptServices(&utility::script::GetFrameworkScriptServices());
}

void RemoveScriptServices()
{
    if (&utility::script::GetScriptServices() == &utility::script::GetFrameworkScriptServices()) {
        utility::script::SetScriptServices(nullptr);
    }
}

}  // namespace vesk::app
