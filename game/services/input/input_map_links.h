// What the input map reads of the rest of the game: two player options, the ship's travel state and whether the world is ready.
#pragma once

// The player data and the ship own these values; until they exist the values
// are kept here, set by whoever knows them (the settings, the tests).

// The pad-layout option: pad buttons are shown through the second remap table.
bool IsPadLayoutOptionSet();
void SetPadLayoutOption(bool set);

// The stick-swap option: the right stick steers, the left one scrolls the view and zooms.
bool IsStickSwapOptionSet();
void SetStickSwapOption(bool set);

// The ship's travel state word: 1 while it departs, 3 while it arrives (the ship's turn state while
// the game world has a ship).
int GetShipTravelState();
void SetShipTravelState(int state);
// The travel state says the ship departs or arrives.
bool IsShipTurning();

// Whether the game world's members are all in place: the input map reads the field's pointers only then.
bool IsGameReadyForInput();
