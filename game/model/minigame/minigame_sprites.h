// The sprites the arcade world draws its objects with, found by name once.
#pragma once

#include <array>
#include <cstdint>

struct MiniGameSprites {
    // Stand, walk 1, walk 2 / air; hurt 1, hurt 2, the death frame; the three landing frames.
    std::array<std::int32_t, 9> rat{-1, -1, -1, -1, -1, -1, -1, -1, -1};
    std::int32_t shieldOrb = -1;
    std::int32_t firstEnemySize = -1;  // of the enemy group
    std::array<std::int32_t, 5> items{-1, -1, -1, -1, -1};
    // By weapon kind: the idle frame, then the firing frames.
    std::array<std::array<std::int32_t, 6>, 3> weaponFrames{};
    std::array<std::int32_t, 3> bullets{-1, -1, -1};
    std::array<std::int32_t, 3> weaponIcons{-1, -1, -1};

    // Looks every sprite up in the loaded packages; missing ones stay -1.
    void Find();
};
