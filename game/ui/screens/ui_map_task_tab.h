// The world map's task page: the bridge's durability, upgrades, tasks and crew on the shared task tab, laid out in the map's window.
#pragma once

#include "game/ui/room_screen.h"

// The shared task tab placed for the map's window at (61, -51) under the page root: its headers,
// durability line, upgrade lines and scroll bar on the left, the bridge's tasks on the right and its
// crew below; the tab-change action turns to the map page.
UIRoomTaskTabLayout MapTaskTabLayout();
// The map page's tab bar as the task page shows it: "MAP_TEXT_MAP" and the lit "MAP_TEXT_TASK".
UIRoomTabSpec MapTaskTabs(UIIconCallback onMapTab);
