// The world map's task page: the bridge's durability, upgrades, tasks and crew on the shared task tab, laid out in the map's window.
#include "game/ui/screens/ui_map_task_tab.h"

#include <utility>

UIRoomTaskTabLayout MapTaskTabLayout()
{
    UIRoomTaskTabLayout layout;
    layout.informationHeader = {97.0f, 87.0f};
    layout.executingHeader = {371.0f, 87.0f};
    layout.actorHeader = {107.0f, 212.0f};
    layout.centreSeparator = {99.0f, 204.0f};
    layout.hpFrame = {129.0f, 101.0f};
    layout.upgradeLabel = {100.0f, 118.0f};
    layout.scrollBar = {346.0f, 99.0f};
    layout.controllerOrigin = {378.0f, 100.0f};
    layout.controllerExtentShift = {-36.0f, 12.0f};
    layout.crewPanelPoint = {121.0f, 223.0f};
    // The task tab, the map tab, the right and left skip arrows, the upgrade lines.
    layout.focusPlaces = {{{325.0f, 263.0f}, {105.0f, 263.0f}, {602.0f, 182.0f}, {55.0f, 182.0f}, {83.0f, 100.0f}}};
    layout.tabChangeSwitches = true;
    return layout;
}

UIRoomTabSpec MapTaskTabs(UIIconCallback onMapTab)
{
    return {.firstTabKey = "MAP_TEXT_MAP", .taskTabKey = "MAP_TEXT_TASK", .taskPage = true, .firstTabRelease = std::move(onMapTab),
            .taskTabRelease = nullptr};
}
