// What a screen reaches of the running game, handed to it at construction by the screen factory.
#pragma once

class GAME_CGameWorld;
class GAME_CPlayerData;
class GAME_CSoundPlayer;
class GAME_CStaticDatabase;
class GAME_CUIManager;

// The world owns the screen manager, which owns the screens: both outlive every screen, so a screen
// keeps them by reference and never asks whether they exist. The player data, the database and the
// sound player are process-wide services that the start-up (and tests) may make anew while the world
// lives, so the context looks them up at each use rather than keeping a pointer that could go stale.
struct UIScreenContext {
    GAME_CGameWorld& world;
    GAME_CUIManager& ui;

    // Null before the player data is made.
    GAME_CPlayerData* Player() const;
    // Null before the database is made.
    const GAME_CStaticDatabase* Database() const;
    GAME_CSoundPlayer& Sound() const;
};
