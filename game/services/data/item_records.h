// Static records of items, dishes and the production index.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/services/data/record_entries.h"

// One item kind.
struct ItemData {
    std::uint32_t id = kNoId;
    // Ammunition: damage per round, frames between rounds, reach in route units.
    std::int32_t power = -1;
    std::int32_t period = -1;
    std::int32_t reach = -1;
    std::int32_t valueD = 26;
    std::int32_t valueE = 0;
    // Set together when the item is created.
    std::int32_t iconSprite = -1;  // in the UI sprite group
    std::int32_t buyPrice = 0;
    std::int32_t sellPrice = 0;
    std::int32_t stackLimit = 1;
    std::int32_t valueI = 0;
    std::int32_t foodValue = 0;

    // An item whose three ammunition values are all at least 1.
    bool IsAmmunition() const { return power >= 1 && period >= 1 && reach >= 1; }
};

// {skill id, weight} of a dish's skill table.
struct SkillWeight {
    std::uint32_t skillId = kNoId;
    std::int32_t weight = 0;
};

// One dish: what cooking it takes and what eating it gives.
struct CookingRecipe {
    std::int32_t value0 = -1;
    std::int32_t calorie = 0;                // gained per portion eaten
    std::int32_t mealDurationFrames = 0;     // the script gives seconds
    std::int32_t cookingStaminaCost = 0;
    std::int32_t cookingSeconds = 0;
    std::array<ItemCount, 8> ingredients{};  // ends at id -1 or count 0
    std::array<SkillWeight, 3> skills{};     // ends at id -1 or weight below 1
    std::int32_t noSkillWeight = 100;
};

// A crafting task that makes an item.
struct ItemProducer {
    std::uint32_t taskId = kNoId;
    std::uint32_t roomId = kNoId;
    std::int32_t productCount = 0;
};

// A crafting task that uses an item as a material.
struct ItemConsumer {
    std::uint32_t taskId = kNoId;
    std::uint32_t roomId = kNoId;
    std::int32_t productCount = 0;
    std::int32_t materialCount = 0;
    std::uint32_t productItem = kNoId;
};

// Where an item comes from and what it goes into, built from the room kinds' offered tasks.
struct ItemProductionData {
    std::vector<ItemProducer> producers;
    std::vector<ItemConsumer> consumers;
};
