// What the autosave timer reads of the route being travelled; the model answers.
#pragma once

struct AutoSaveRouteState {
    bool travelling = false;    // a world with a route manager exists
    bool eventRunning = false;  // the route's event runs: no autosave meanwhile
    bool holding = false;       // the route holds, or the ship or its crew is lost: the save waits a little
};
AutoSaveRouteState ReadAutoSaveRouteState();
