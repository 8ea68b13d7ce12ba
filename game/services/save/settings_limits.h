// What the options let the player set in the settings block, and the reading of a setting kept within it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "framework/log/log.h"
#include "platform/little_endian.h"

namespace save_layout::system {
inline constexpr std::uint16_t kMaxVolume = 100;  // percent, music and effects alike
inline constexpr std::uint16_t kMaxCameraSpeed = 150;
inline constexpr std::uint16_t kMaxWheelSensitivity = 100;  // percent
inline constexpr std::uint16_t kMaxAutoSaveMinutes = 60;
}  // namespace save_layout::system

// A u16 setting no larger than the options offer: a damaged save's larger number (music many times
// too loud, a camera flying, an autosave put off for weeks) is taken at the limit, with a log line.
inline std::uint16_t ReadSettingUpTo(std::span<const std::uint8_t> settings, std::size_t offset, std::uint16_t maximum,
                                     std::string_view name)
{
    const std::uint16_t value = platform::ReadU16(settings, offset);
    if (value <= maximum) return value;
    vesk::log::Warning("settings: " + std::string(name) + " " + std::to_string(value) + " is past " +
                       std::to_string(maximum) + "; " + std::to_string(maximum) + " is taken");
    return maximum;
}
