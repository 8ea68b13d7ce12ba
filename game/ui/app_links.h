// What the screens ask of the application above them; the application answers.
#pragma once

// The arcade game's scene comes on top and the main game's scene ends.
void SwitchToArcadeGame();
