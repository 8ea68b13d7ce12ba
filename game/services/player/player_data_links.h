// What the player data leaves to the model: the pools that live as long as it does.
#pragma once

// The enemy sprites' part pool, made with the player data and freed with it.
void CreatePlayerDataPools();
void DestroyPlayerDataPools();
