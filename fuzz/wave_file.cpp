// Parses arbitrary bytes as every kind of wave and as a sound package, then plays what parsed.
// A bad file must be refused, and a file that parses must play through the
// mixer without reading outside its bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "framework/sound/sound_package.h"
#include "framework/sound/sound_player.h"
#include "framework/sound/wave_data.h"
#include "platform/audio/mixer.h"
#include "fuzz/quiet_log.h"

namespace {

using namespace vesk::sound;

void PlayBriefly(const SoundRecord& record)
{
    static platform::audio::Mixer mixer(48000);
    platform::audio::WaveFormat format;
    if (!DescribeMixerFormat(record.wave, format)) {
        return;
    }
    const platform::audio::VoiceId voice = mixer.CreateVoice(format);
    platform::audio::VoiceBuffer buffer;
    buffer.data = record.wave.samples.data();
    buffer.size = static_cast<uint32_t>(record.wave.samples.size());
    const LoopRegion loop = MakeLoopRegion(record.wave, platform::audio::FramesInBuffer(format, buffer.size));
    buffer.loopBegin = loop.begin;
    buffer.loopLength = loop.length;
    buffer.loopCount = platform::audio::kLoopInfinite;
    if (!mixer.SubmitBuffer(voice, buffer)) {
        buffer.loopBegin = buffer.loopLength = buffer.loopCount = 0;
        mixer.SubmitBuffer(voice, buffer);
    }
    mixer.Start(voice);
    static float out[2048 * platform::audio::kOutputChannels];
    mixer.Mix(out, 2048);
    mixer.DestroyVoice(voice);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_support::QuietLog();

    // Copies, so reads past the input's end are caught exactly.
    const std::vector<uint8_t> bytes(data, data + size);
    SoundRecord record;
    for (const uint32_t code : {kFormatPcmWave, kFormatAdpcmWave}) {
        record.wave.formatCode = 0;
        if (ParseWave(bytes, code, "fuzz.wav", record.wave)) {
            PlayBriefly(record);
        }
    }
    ParseSat9Wave(bytes, "fuzz.sat9", record.wave);
    ParseVagData(bytes, "fuzz.vag", record.wave);

    std::vector<SoundRecord> records;
    if (ParseSoundPackage(bytes, "fuzz.pac", records)) {
        for (const SoundRecord& entry : records) {
            PlayBriefly(entry);
        }
    }
    return 0;
}
