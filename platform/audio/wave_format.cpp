// Checks on wave formats and loop regions, and frame counts of sample buffers.
#include "platform/audio/wave_format.h"

#include "platform/audio/ms_adpcm.h"

namespace platform::audio {

bool IsPlayableFormat(const WaveFormat& format)
{
    return FindFormatFault(format).empty();
}

std::string FindFormatFault(const WaveFormat& format)
{
    if (format.channels < 1 || format.channels > 2) {
        return std::to_string(format.channels) + " channels (1 or 2 play)";
    }
    if (format.sampleRate < kMinSampleRate || format.sampleRate > kMaxSampleRate) {
        return "a sample rate of " + std::to_string(format.sampleRate) + " Hz (" + std::to_string(kMinSampleRate) +
               " to " + std::to_string(kMaxSampleRate) + " play)";
    }
    if (format.encoding == SampleEncoding::MsAdpcm &&
        (format.samplesPerBlock < 2 ||
         format.samplesPerBlock > MsAdpcmFramesInBlock(format.blockAlign, format.channels))) {
        return "ADPCM blocks of " + std::to_string(format.blockAlign) + " bytes that cannot hold the " +
               std::to_string(format.samplesPerBlock) + " frames they claim";
    }
    return {};
}

bool IsLoopInside(uint32_t begin, uint32_t length, uint32_t totalFrames)
{
    const uint64_t end = length == 0 ? totalFrames : uint64_t{begin} + length;
    return begin < totalFrames && end <= totalFrames && end > begin;
}

uint32_t PcmFrameBytes(const WaveFormat& format)
{
    switch (format.encoding) {
    case SampleEncoding::Pcm8: return format.channels;
    case SampleEncoding::Pcm16: return 2u * format.channels;
    case SampleEncoding::MsAdpcm: return 0;
    }
    return 0;
}

uint32_t FramesInBuffer(const WaveFormat& format, uint32_t bytes)
{
    if (format.encoding != SampleEncoding::MsAdpcm) {
        const uint32_t frameBytes = PcmFrameBytes(format);
        return frameBytes ? bytes / frameBytes : 0;
    }
    if (format.blockAlign == 0) {
        return 0;
    }
    const uint64_t fullBlocks = bytes / format.blockAlign;
    const uint32_t rest = bytes % format.blockAlign;
    uint64_t frames = fullBlocks * format.samplesPerBlock;
    const uint32_t restFrames = MsAdpcmFramesInBlock(rest, format.channels);
    frames += restFrames < format.samplesPerBlock ? restFrames : format.samplesPerBlock;
    return frames > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(frames);
}

}  // namespace platform::audio
