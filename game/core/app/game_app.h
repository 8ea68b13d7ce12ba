#pragma once

// The game layer's three entry points, called by the framework's main loop.
void GameStartup();
int GameFrame();
void GameShutdown();
