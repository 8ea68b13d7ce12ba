#pragma once

namespace vesk::app {

// Installs the services the common script table reaches outside the script
// runtime (see SYS_CScriptServices), and removes them again.
void InstallScriptServices();
void RemoveScriptServices();

}  // namespace vesk::app
