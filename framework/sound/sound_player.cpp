// A voice on the mixer: a sound played once or looped, paused, stopped, at its group's volume.
#include "framework/sound/sound_player.h"

#include <algorithm>
#include <array>
#include <string>

#include "framework/log/log.h"
#include "framework/sound/sound_record.h"

namespace vesk::sound {
namespace {

// The volume factor of each volume class (music, effects, spare group).
constexpr std::array<float, 3> kVolumeFactors{0.5f, 0.5f, 1.0f};

float VolumeFactor(uint32_t volumeClass)
{
    return volumeClass < kVolumeFactors.size() ? kVolumeFactors[volumeClass] : 1.0f;
}

uint32_t RoundUpToBlock(uint32_t frames, uint32_t samplesPerBlock)
{
    // Plain arithmetic: ADPCM blocks rarely hold a power of two of frames.
    const uint64_t rounded = (uint64_t{frames} + samplesPerBlock - 1) / samplesPerBlock * samplesPerBlock;
    return rounded > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(rounded);
}

}  // namespace

LoopRegion MakeLoopRegion(const WaveData& wave, uint32_t totalFrames)
{
    LoopRegion region{wave.loopStart, wave.loopEnd - wave.loopStart};
    if (wave.formatCode == kFormatAdpcmWave && wave.samplesPerBlock > 0) {
        region.begin = RoundUpToBlock(region.begin, wave.samplesPerBlock);
        region.length = RoundUpToBlock(region.length, wave.samplesPerBlock);
        // Rounding may carry the end past a short last block.
        if (region.begin < totalFrames && region.length > totalFrames - region.begin) {
            region.length = totalFrames - region.begin;
        }
    }
    return region;
}

std::string FindPlaybackFault(const WaveData& wave)
{
    platform::audio::WaveFormat format;
    std::string fault;
    if (!DescribeMixerFormat(wave, format, &fault)) {
        return fault;
    }
    const uint32_t bytes = static_cast<uint32_t>(std::min<size_t>(wave.samples.size(), UINT32_MAX));
    const uint32_t frames = platform::audio::FramesInBuffer(format, bytes);
    if (frames == 0) {
        return "no whole sample frame in its " + std::to_string(bytes) + " bytes of data";
    }
    if (wave.loopEnd < wave.loopStart) {
        return "a loop that runs backwards, from frame " + std::to_string(wave.loopStart) + " to frame " +
               std::to_string(wave.loopEnd);
    }
    const LoopRegion region = MakeLoopRegion(wave, frames);
    if (!platform::audio::IsLoopInside(region.begin, region.length, frames)) {
        return "a loop from frame " + std::to_string(wave.loopStart) + " to frame " + std::to_string(wave.loopEnd) +
               " that does not lie inside its " + std::to_string(frames) + " frames";
    }
    return {};
}

SYSWIN_CSoundPlayer::~SYSWIN_CSoundPlayer()
{
    ReleaseSource();
}

void SYSWIN_CSoundPlayer::ReleaseSource()
{
    if (source_ != platform::audio::kNoVoice) {
        mixer_.DestroyVoice(source_);
        source_ = platform::audio::kNoVoice;
    }
    record_ = nullptr;
}

int SYSWIN_CSoundPlayer::Play(const SoundRecord& record, float volumeA, float volumeB, bool loop)
{
    const WaveData& wave = record.wave;
    if (wave.formatCode != kFormatPcmWave && wave.formatCode != kFormatAdpcmWave) {
        ReleaseSource();
        return 0;
    }
    ReleaseSource();

    platform::audio::WaveFormat format;
    if (!DescribeMixerFormat(wave, format)) {
        log::Error("sound \"" + record.name + "\": its format cannot be played");
        return 0;
    }
    source_ = mixer_.CreateVoice(format);
    if (source_ == platform::audio::kNoVoice) {
        log::Error("sound \"" + record.name + "\": no mixer voice left");
        return 0;
    }

    platform::audio::VoiceBuffer buffer;
    buffer.data = wave.samples.data();
    buffer.size = static_cast<uint32_t>(std::min<size_t>(wave.samples.size(), UINT32_MAX));
    if (loop) {
        const LoopRegion region = MakeLoopRegion(wave, platform::audio::FramesInBuffer(format, buffer.size));
        buffer.loopBegin = region.begin;
        buffer.loopLength = region.length;
        buffer.loopCount = platform::audio::kLoopInfinite;
    }
    if (!mixer_.SubmitBuffer(source_, buffer) || !mixer_.Start(source_)) {
        log::Error("sound \"" + record.name + "\": its samples or loop points are unusable");
        ReleaseSource();
        return 0;
    }
    record_ = &record;
    volumeClass_ = record.volumeClass;
    state_ = kVoicePlaying;
    SetVolume(volumeA, volumeB);
    return 1;
}

void SYSWIN_CSoundPlayer::Stop()
{
    if (state_ != kVoicePlaying && state_ != kVoicePaused) {
        return;
    }
    mixer_.Stop(source_);
    mixer_.FlushBuffers(source_);
    state_ = kVoiceStopped;
}

void SYSWIN_CSoundPlayer::Pause()
{
    if (state_ != kVoicePlaying && state_ != kVoicePaused) {
        return;
    }
    mixer_.Stop(source_);
    state_ = kVoicePaused;
}

void SYSWIN_CSoundPlayer::Resume()
{
    if (state_ != kVoicePlaying && state_ != kVoicePaused) {
        return;
    }
    mixer_.Start(source_);
    state_ = kVoicePlaying;
}

uint32_t SYSWIN_CSoundPlayer::GetState() const
{
    if (source_ == platform::audio::kNoVoice) {
        return kVoiceNeverPlayed;
    }
    if (mixer_.BuffersQueued(source_) == 0) {
        return kVoiceStopped;
    }
    return state_;
}

void SYSWIN_CSoundPlayer::SetVolume(float volumeA, float volumeB)
{
    volumeA_ = volumeA;
    volumeB_ = volumeB;
    if (state_ == kVoicePlaying || state_ == kVoicePaused) {
        mixer_.SetVolume(source_, (volumeA + volumeB) * 0.5f * VolumeFactor(volumeClass_));
    }
}

}  // namespace vesk::sound
