// The port of the running world, for the services below the model.
#include "game/services/ui_port/ui_port.h"

namespace {

GAME_CUIPort* g_activePort = nullptr;

}  // namespace

GAME_CUIPort* ActiveUIPort() { return g_activePort; }

void SetActiveUIPort(GAME_CUIPort* port) { g_activePort = port; }
