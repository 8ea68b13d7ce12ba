// The screen slots of the UI manager that the game core opens, closes and tests.
#pragma once

inline constexpr int kUISlotCount = 50;
inline constexpr int kSlotShipStatus = 1;
inline constexpr int kSlotResident = 2;
inline constexpr int kSlotCommon = 3;
inline constexpr int kSlotShipChange = 24;
inline constexpr int kSlotEvent = 25;
inline constexpr int kSlotMessageLog = 34;
inline constexpr int kSlotGameOver = 36;
inline constexpr int kSlotTitle = 37;
inline constexpr int kSlotSaveSlots = 45;
inline constexpr int kSlotFade = 48;
inline constexpr int kSlotAchievementPopup = 49;
