// The sound-effect package parsed into sound records.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "framework/sound/sound_record.h"

namespace vesk::sound {

// Parses the sound-effect package (a chunk list) into records in chunk order.
// "SWAV" and "APCM" entries are waves, "SAT9" and "SVAG" are kept but cannot be
// played; other tags are skipped and take no index. An entry that fails its
// checks still takes its index, with no data. False (nothing parsed) when the
// chunk list itself is broken.
bool ParseSoundPackage(std::span<const uint8_t> package, std::string_view what, std::vector<SoundRecord>& out);

}  // namespace vesk::sound
