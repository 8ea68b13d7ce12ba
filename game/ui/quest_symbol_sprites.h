// The symbols of the quest screens' detail rows: fuel, time limit, money, town and the row line, looked up once by name.
#pragma once

#include <array>
#include <cstdint>

namespace vesk::resource {
class SYS_CTexture;
}

class GAME_CQuestSymbolSprites {
public:
    enum Symbol : int { kFuel = 0, kLimit = 1, kMoney = 2, kTown = 3, kRowLine = 4 };
    static constexpr int kCount = 5;

    // Looks the five sprites up in the UI group; a missing one stays absent.
    GAME_CQuestSymbolSprites();

    // The UI sprite index, -1 when absent.
    std::int32_t Index(Symbol symbol) const { return handles_[static_cast<std::size_t>(symbol)].index; }
    bool Has(Symbol symbol) const { return handles_[static_cast<std::size_t>(symbol)].sprite != nullptr; }

private:
    struct Handle {
        std::int32_t index = -1;
        vesk::resource::SYS_CTexture* sprite = nullptr;
    };
    std::array<Handle, kCount> handles_{};
};
