// Static records of global tuning: near views, the camera, the arcade game's block and weapons.
#pragma once

#include <array>
#include <cstdint>

#include "game/services/data/record_entries.h"

// One near-view scenery, six values in the script's order.
struct NearViewData {
    std::array<std::int32_t, 6> values{};
};

// What the 2D camera takes when it is made.
struct CameraValues {
    float zoomMin = 1.5f;
    float zoomMax = 10.0f;
    float zoomValue3 = 0.01f;
    float zoomValue4 = 2.0f;
    float scrollSpeed = 10.0f;
    float value6 = 1.0f;
};

// The tuning block: the arcade game's parameters.
struct TuningBlock {
    float value1 = 1.0f;
    float scanPause = 1.0f;  // seconds
    std::int32_t scanSpeed = 190;
    std::int32_t weaponSlots = 99;
    std::int32_t maxLives = 3;
    std::int32_t startLives = 3;
    std::int32_t walkSpeed = 180;
    std::int32_t walkDelay = 8;
    std::int32_t maxFallSpeed = 1200;
    std::int32_t gravity = 200;
    // Upward speeds: the rat leaves the ground at minus the speed.
    std::int32_t jumpSpeed = 200;
    std::int32_t doubleJumpSpeed = 150;
    float jumpCut = 0.5f;
    float value14 = 2.0f;
    std::int32_t hitMarginTop = 5;
    std::int32_t hitMarginBottom = 5;
    std::int32_t hitMarginRight = 5;
    std::int32_t hitMarginLeft = 5;
    float invincibleTime = 2.0f;  // seconds
    std::int32_t fullLifeBonus = 200;
    float shieldTime = 10.0f;  // seconds
    // Lifetimes in seconds of the arcade items by kind: 0, 2, 3, 4, 1.
    std::array<float, 5> itemLife{15.0f, 10.0f, 10.0f, 10.0f, 6.0f};
    float itemBlinkTime = 3.0f;
};

inline void InitTuningBlock(TuningBlock& block) { block = TuningBlock{}; }

// A record of three values and three factors: the arcade game's weapons ("W001" ...).
struct ParamRecord {
    std::uint32_t id = kNoId;
    std::int32_t power = 0;
    std::int32_t bulletSpeed = 0;  // units per second
    std::int32_t cooldown = 0;     // frames
    float muzzleX = 0.0f;
    float muzzleY = 0.0f;
    float secondMuzzleY = 0.0f;
};

// The three limits set together; the first is the crew birth counter's.
struct DatabaseLimits {
    std::int32_t first = 1000000;
    std::int32_t second = 10;
    std::int32_t third = 500;
};

// The route that a new game starts on.
struct StartRouteEntry {
    std::uint32_t routeId = kNoId;
    std::uint32_t commandIndex = kNoId;
};
