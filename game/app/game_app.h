// The game layer behind the framework's main loop: its start-up, frame and shut-down.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/app/game.h"

class GAME_CPlayerData;

namespace varnolis {

// The game as the framework runs it.
class GameApplication final : public vesk::app::Game {
public:
    // Player data, save machine, fonts, messages, title, achievements, then the start-up scene.
    void GameStartup() override;
    // Non-zero once the application is quitting.
    int GameFrame() override;
    // Frees only what exists, so a start-up that stopped early shuts down cleanly.
    void GameShutdown() override;

private:
    // Takes the texts and font of the player's new language; a language whose texts or font cannot
    // be loaded is not taken, and the one in force stays, in the player data and the settings alike.
    void ChangeLanguage(GAME_CPlayerData& player);
    // Says which file refused the player's language and puts the one in force back.
    void KeepLanguageInForce(GAME_CPlayerData& player, std::string_view refusedFile);

    // The font file in slot 0 (the player's language's), empty before the start-up.
    std::string systemFont_;
    // The language whose texts are installed.
    std::uint32_t languageInForce_ = 0;
};

// Reads the message file of the player's language and takes its font slot.
bool LoadMessageFileForLanguage();

}  // namespace varnolis
