// Whether the player pressed anything this frame: a key, a mouse button or a pad button.
#pragma once

bool IsAnyInputPressed();
