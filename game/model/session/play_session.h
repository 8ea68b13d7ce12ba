// Applying a save slot and the system record to the running game.
#pragma once

#include <cstdint>
#include <span>

// The one reader of a slot: a new game, a continued game and a loaded slot all pass here.
// Every value read is checked; a bad one is clamped or dropped with a log line, and the system
// record is left holding the settings and bindings in force.
void SetupPlaySession(std::span<std::uint8_t> slot, std::span<std::uint8_t> systemRecord);
// The option words of a settings block into the player data.
void ApplySettingsToPlayerData(std::span<const std::uint8_t> settings);
