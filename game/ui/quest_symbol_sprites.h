// The symbols of the quest screens' detail rows: fuel, time limit, money and town, looked up once by name.
#pragma once

#include <array>
#include <cstdint>

class GAME_CQuestSymbolSprites {
public:
    enum Symbol : int { kFuel = 0, kLimit = 1, kMoney = 2, kTown = 3 };
    static constexpr int kCount = 4;

    // Looks the sprites up in the UI group; a missing one stays absent.
    GAME_CQuestSymbolSprites();

    // The UI sprite index, -1 when absent.
    std::int32_t Index(Symbol symbol) const { return ids_[static_cast<std::size_t>(symbol)]; }

private:
    std::array<std::int32_t, kCount> ids_{};
};
