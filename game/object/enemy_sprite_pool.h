// The pool of enemy sprite parts, made with the player data and freed with it.
#pragma once

// The enemies draw no parts yet, so the pool holds nothing.
inline void CreateEnemySpritePartPool() {}
inline void DestroyEnemySpritePartPool() {}
