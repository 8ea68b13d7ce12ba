// Sound names, and the sound-effect package parsed into records.
#include "framework/sound/sound_package.h"

#include <string>

#include "framework/log/log.h"
#include "framework/resource/chunk_list.h"

namespace vesk::sound {

std::string MakeSoundName(std::string_view path)
{
    const size_t dot = path.rfind('.');
    if (dot != std::string_view::npos) {
        path = path.substr(0, dot);
    }
    return std::string(path.substr(0, kSoundNameCapacity - 1));
}

bool ParseSoundPackage(std::span<const uint8_t> package, std::string_view what, std::vector<SoundRecord>& out)
{
    using resource::MakeTag;
    out.clear();
    std::vector<resource::ChunkEntry> chunks;
    if (!resource::ReadChunkList(package, what, chunks)) {
        return false;
    }
    for (const resource::ChunkEntry& chunk : chunks) {
        const std::string entry = std::string(what) + " entry \"" + std::string(chunk.name) + "\"";
        SoundRecord record;
        switch (chunk.tag) {
        case MakeTag("SWAV"): ParseWave(chunk.data, kFormatPcmWave, entry, record.wave); break;
        case MakeTag("APCM"): ParseWave(chunk.data, kFormatAdpcmWave, entry, record.wave); break;
        case MakeTag("SAT9"): ParseSat9Wave(chunk.data, entry, record.wave); break;
        case MakeTag("SVAG"): ParseVagData(chunk.data, entry, record.wave); break;
        default: continue;
        }
        record.name = MakeSoundName(chunk.name);
        record.volumeClass = kVolumeClassPackage;
        out.push_back(std::move(record));
    }
    // The game's sound package is all sounds: one without any is a damaged header or a package
    // of another kind.
    if (out.empty()) {
        log::Error(std::string(what) + ": the sound package holds no sounds; not loaded");
        return false;
    }
    return true;
}

}  // namespace vesk::sound
