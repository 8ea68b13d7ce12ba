// A wave file checked as the game would play it and made into a package entry.
#include "tools/common/sound_entry.h"

#include "framework/log/log.h"
#include "framework/sound/sound_player.h"
#include "framework/sound/wave_data.h"

namespace tools {

std::optional<PackageChunk> MakeSoundEntry(const std::string& path, const std::string& name,
                                           std::vector<uint8_t> bytes)
{
    constexpr size_t kMaxNameLength = 127;
    if (name.size() > kMaxNameLength) {
        vesk::log::Error(path + ": the name is longer than an entry's " + std::to_string(kMaxNameLength) +
                         " characters");
        return std::nullopt;
    }
    vesk::sound::WaveData wave;
    if (!vesk::sound::ParseWave(bytes, vesk::sound::kFormatPcmWave, path, wave)) {
        return std::nullopt;  // the parser said why
    }
    // The game would find out only when it plays the sound.
    if (const std::string fault = vesk::sound::FindPlaybackFault(wave); !fault.empty()) {
        vesk::log::Error(path + ": the game cannot play this wave: " + fault);
        return std::nullopt;
    }
    return PackageChunk{"SWAV", name, std::move(bytes)};
}

}  // namespace tools
