// One loaded sound, its volume class and the name it is known by.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/sound/wave_data.h"

namespace vesk::sound {

// Volume classes: which group's volume factor a playing sound takes.
inline constexpr uint32_t kVolumeClassFile = 0;
inline constexpr uint32_t kVolumeClassPackage = 1;
inline constexpr uint32_t kVolumeClassUnused = 3;

inline constexpr size_t kSoundNameCapacity = 64;

// One loaded sound. A stand-alone file owns its file block; package sounds
// point into the package block their list keeps.
struct SoundRecord {
    std::string name;
    void* fileBlock = nullptr;
    WaveData wave;
    uint32_t volumeClass = kVolumeClassUnused;
};

// The name a sound is known by: its path or entry name cut at the last "." and
// kept to the record's room.
std::string MakeSoundName(std::string_view path);

}  // namespace vesk::sound
