// The mixer's voices and queued buffers, their resampled reads and the saturated stereo mix.
#include "platform/audio/mixer.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/audio/ms_adpcm.h"
#include "platform/little_endian.h"

namespace platform::audio {
namespace {

constexpr int kSlotBits = 8;
constexpr uint32_t kSlotMask = (1u << kSlotBits) - 1;
static_assert(kMaxVoices <= (1 << kSlotBits));

float Pcm16ToFloat(const uint8_t* bytes)
{
    const int16_t value = ReadI16(bytes);
    return static_cast<float>(value) * (1.0f / 32768.0f);
}

float Pcm8ToFloat(uint8_t byte)
{
    return static_cast<float>(static_cast<int>(byte) - 128) * (1.0f / 128.0f);
}

// Readers of one source frame, for a frame inside the buffer; the encoding and the channel count
// are fixed per reader, so the mixing loop holds no switch.
template <uint32_t Channels>
struct ReadPcm16 {
    const uint8_t* data;
    void operator()(uint32_t frame, float& left, float& right) const
    {
        const uint8_t* at = data + static_cast<size_t>(frame) * 2 * Channels;
        left = Pcm16ToFloat(at);
        right = Channels == 2 ? Pcm16ToFloat(at + 2) : left;
    }
};

template <uint32_t Channels>
struct ReadPcm8 {
    const uint8_t* data;
    void operator()(uint32_t frame, float& left, float& right) const
    {
        const uint8_t* at = data + static_cast<size_t>(frame) * Channels;
        left = Pcm8ToFloat(at[0]);
        right = Channels == 2 ? Pcm8ToFloat(at[1]) : left;
    }
};

}  // namespace

Mixer::Mixer(uint32_t outputRate)
    : outputRate_(std::clamp(outputRate, kMinSampleRate, kMaxSampleRate))
{
}

Mixer::~Mixer() = default;

VoiceId Mixer::MakeId(int slot, uint16_t generation)
{
    // The generation keeps a stale id from reaching a voice that reused its slot.
    return static_cast<VoiceId>((static_cast<uint32_t>(generation & 0x7FFF) << kSlotBits) | static_cast<uint32_t>(slot));
}

Mixer::Voice* Mixer::Find(VoiceId id)
{
    return const_cast<Voice*>(std::as_const(*this).Find(id));
}

const Mixer::Voice* Mixer::Find(VoiceId id) const
{
    if (id < 0) {
        return nullptr;
    }
    const uint32_t slot = static_cast<uint32_t>(id) & kSlotMask;
    if (slot >= voices_.size()) {
        return nullptr;
    }
    const Voice& voice = voices_[slot];
    if (!voice.inUse || MakeId(static_cast<int>(slot), voice.generation) != id) {
        return nullptr;
    }
    return &voice;
}

VoiceId Mixer::CreateVoice(const WaveFormat& format)
{
    if (!IsPlayableFormat(format)) {
        return kNoVoice;
    }
    // Block memory is made before the lock so the audio thread never waits on it.
    std::array<std::vector<int16_t>, 2> blocks;
    if (format.encoding == SampleEncoding::MsAdpcm) {
        for (auto& block : blocks) {
            block.assign(static_cast<size_t>(format.samplesPerBlock) * format.channels, 0);
        }
    }

    std::lock_guard lock(mutex_);
    for (int slot = 0; slot < kMaxVoices; ++slot) {
        Voice& voice = voices_[slot];
        if (voice.inUse) {
            continue;
        }
        const uint16_t generation = static_cast<uint16_t>((voice.generation + 1) & 0x7FFF);
        std::swap(voice.blocks, blocks);  // the old (empty) blocks leave with the local
        voice.inUse = true;
        voice.generation = generation;
        voice.format = format;
        voice.running = false;
        voice.queued = false;
        voice.buffer = {};
        voice.totalFrames = 0;
        voice.loopEnd = 0;
        voice.loopsLeft = 0;
        voice.position = 0;
        voice.step = (static_cast<uint64_t>(format.sampleRate) << 32) / outputRate_;
        voice.volume = 1.0f;
        voice.blockIndex = {-1, -1};
        voice.blockFrames = {0, 0};
        voice.nextBlockSlot = 0;
        return MakeId(slot, generation);
    }
    return kNoVoice;
}

void Mixer::DestroyVoice(VoiceId id)
{
    std::array<std::vector<int16_t>, 2> released;
    std::lock_guard lock(mutex_);
    if (Voice* voice = Find(id)) {
        std::swap(voice->blocks, released);
        voice->inUse = false;
        voice->running = false;
        voice->queued = false;
        voice->buffer = {};
    }
}

bool Mixer::SubmitBuffer(VoiceId id, const VoiceBuffer& buffer)
{
    std::lock_guard lock(mutex_);
    Voice* voice = Find(id);
    if (!voice || voice->queued || !buffer.data) {
        return false;
    }
    const uint32_t total = FramesInBuffer(voice->format, buffer.size);
    if (total == 0) {
        return false;
    }
    uint32_t loopEnd = 0;
    if (buffer.loopCount != 0) {
        if (buffer.loopCount > kMaxLoopCount && buffer.loopCount != kLoopInfinite) {
            return false;
        }
        if (!IsLoopInside(buffer.loopBegin, buffer.loopLength, total)) {
            return false;
        }
        loopEnd = buffer.loopLength == 0 ? total : buffer.loopBegin + buffer.loopLength;
    }
    voice->buffer = buffer;
    voice->totalFrames = total;
    voice->loopEnd = loopEnd;
    voice->loopsLeft = buffer.loopCount;
    voice->position = 0;
    voice->queued = true;
    voice->blockIndex = {-1, -1};
    return true;
}

template <typename Change>
bool Mixer::ChangeVoice(VoiceId id, Change change)
{
    std::lock_guard lock(mutex_);
    Voice* voice = Find(id);
    if (!voice) {
        return false;
    }
    change(*voice);
    return true;
}

bool Mixer::Start(VoiceId id)
{
    return ChangeVoice(id, [](Voice& voice) { voice.running = true; });
}

bool Mixer::Stop(VoiceId id)
{
    return ChangeVoice(id, [](Voice& voice) { voice.running = false; });
}

bool Mixer::FlushBuffers(VoiceId id)
{
    return ChangeVoice(id, [](Voice& voice) {
        voice.queued = false;
        voice.buffer = {};
    });
}

uint32_t Mixer::BuffersQueued(VoiceId id) const
{
    std::lock_guard lock(mutex_);
    const Voice* voice = Find(id);
    return voice && voice->queued ? 1 : 0;
}

bool Mixer::SetVolume(VoiceId id, float volume)
{
    return ChangeVoice(id, [volume](Voice& voice) { voice.volume = std::isfinite(volume) ? volume : 0.0f; });
}

float Mixer::GetVolume(VoiceId id) const
{
    std::lock_guard lock(mutex_);
    const Voice* voice = Find(id);
    return voice ? voice->volume : 0.0f;
}

int Mixer::ActiveVoiceCount() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(voices_.begin(), voices_.end(),
                                          [](const Voice& voice) { return voice.inUse && voice.running && voice.queued; }));
}

uint32_t Mixer::NextFrame(const Voice& voice, uint32_t frame) const
{
    const uint32_t next = frame + 1;
    if (voice.loopsLeft != 0 && next == voice.loopEnd) {
        return voice.buffer.loopBegin;
    }
    return next;
}

void Mixer::Advance(Voice& voice)
{
    voice.position += voice.step;
    uint64_t frame = voice.position >> 32;
    const uint64_t fraction = voice.position & 0xFFFFFFFFu;
    if (voice.loopsLeft != 0 && frame >= voice.loopEnd) {
        const uint64_t length = voice.loopEnd - voice.buffer.loopBegin;
        const uint64_t over = frame - voice.loopEnd;
        const uint64_t wraps = over / length + 1;
        if (voice.loopsLeft == kLoopInfinite || wraps <= voice.loopsLeft) {
            if (voice.loopsLeft != kLoopInfinite) {
                voice.loopsLeft -= static_cast<uint32_t>(wraps);
            }
            frame = voice.buffer.loopBegin + over % length;
        } else {
            frame -= voice.loopsLeft * length;
            voice.loopsLeft = 0;
        }
        voice.position = (frame << 32) | fraction;
    }
    if (frame >= voice.totalFrames) {
        voice.queued = false;
    }
}

template <class ReadFrame>
void Mixer::MixVoiceWith(Voice& voice, float* out, uint32_t frames, ReadFrame read)
{
    const float volume = voice.volume;
    const uint64_t step = voice.step;
    uint32_t i = 0;
    while (i < frames && voice.queued) {
        // While a frame, the one after it and the next step's frame all lie before the loop
        // end (or the buffer's end), nothing wraps or ends: position only moves by the step.
        // That holds for every position below the bound.
        const uint64_t limit = voice.loopsLeft != 0 ? voice.loopEnd : voice.totalFrames;
        const uint64_t bound = std::min((limit - 1) << 32, (limit << 32) - std::min(step, limit << 32));
        uint64_t position = voice.position;
        const uint64_t run = position < bound ? (bound - position + step - 1) / step : 0;
        const uint32_t end = static_cast<uint32_t>(std::min<uint64_t>(frames, i + run));
        for (; i < end; ++i) {
            const uint64_t frame = position >> 32;
            const float weight = static_cast<float>(position & 0xFFFFFFFFu) * (1.0f / 4294967296.0f);
            float left;
            float right;
            float nextLeft;
            float nextRight;
            read(static_cast<uint32_t>(frame), left, right);
            read(static_cast<uint32_t>(frame + 1), nextLeft, nextRight);
            // With a weight of 0 this adds a zero: the same sample as not interpolating.
            left += (nextLeft - left) * weight;
            right += (nextRight - right) * weight;
            out[2 * i] += left * volume;
            out[2 * i + 1] += right * volume;
            position += step;
        }
        voice.position = position;
        if (i == frames) {
            break;
        }
        // One frame at a seam: next to the loop end or the buffer's end.
        const uint32_t frame = static_cast<uint32_t>(voice.position >> 32);
        const float weight = static_cast<float>(voice.position & 0xFFFFFFFFu) * (1.0f / 4294967296.0f);
        float left = 0.0f;
        float right = 0.0f;
        if (frame < voice.totalFrames) {
            read(frame, left, right);
        }
        if (weight != 0.0f) {
            float nextLeft = 0.0f;
            float nextRight = 0.0f;
            const uint32_t nextFrame = NextFrame(voice, frame);
            if (nextFrame < voice.totalFrames) {
                read(nextFrame, nextLeft, nextRight);
            }
            left += (nextLeft - left) * weight;
            right += (nextRight - right) * weight;
        }
        out[2 * i] += left * volume;
        out[2 * i + 1] += right * volume;
        Advance(voice);
        ++i;
    }
}

void Mixer::MixVoice(Voice& voice, float* out, uint32_t frames)
{
    const uint8_t* data = voice.buffer.data;
    const bool stereo = voice.format.channels == 2;
    switch (voice.format.encoding) {
    case SampleEncoding::Pcm16:
        return stereo ? MixVoiceWith(voice, out, frames, ReadPcm16<2>{data})
                      : MixVoiceWith(voice, out, frames, ReadPcm16<1>{data});
    case SampleEncoding::Pcm8:
        return stereo ? MixVoiceWith(voice, out, frames, ReadPcm8<2>{data})
                      : MixVoiceWith(voice, out, frames, ReadPcm8<1>{data});
    case SampleEncoding::MsAdpcm: {
        const WaveFormat& format = voice.format;
        const auto read = [&voice, &format, data](uint32_t frame, float& left, float& right) {
            const uint32_t spb = format.samplesPerBlock;
            const int64_t block = frame / spb;
            const uint32_t within = frame % spb;
            int slot = voice.blockIndex[0] == block ? 0 : (voice.blockIndex[1] == block ? 1 : -1);
            if (slot < 0) {
                slot = voice.nextBlockSlot;
                voice.nextBlockSlot ^= 1;
                const size_t offset = static_cast<size_t>(block) * format.blockAlign;
                const size_t bytes = std::min<size_t>(format.blockAlign, voice.buffer.size - offset);
                voice.blockFrames[slot] = DecodeMsAdpcmBlock({data + offset, bytes}, format.channels, spb, voice.blocks[slot]);
                voice.blockIndex[slot] = block;
            }
            if (within >= voice.blockFrames[slot]) {
                left = right = 0.0f;  // a block that failed to decode plays as silence
                return;
            }
            const int16_t* samples = voice.blocks[slot].data() + static_cast<size_t>(within) * format.channels;
            left = static_cast<float>(samples[0]) * (1.0f / 32768.0f);
            right = format.channels == 2 ? static_cast<float>(samples[1]) * (1.0f / 32768.0f) : left;
        };
        return MixVoiceWith(voice, out, frames, read);
    }
    }
}

void Mixer::MixLocked(float* out, uint32_t frames)
{
    std::fill(out, out + static_cast<size_t>(frames) * kOutputChannels, 0.0f);
    for (Voice& voice : voices_) {
        if (voice.inUse && voice.running && voice.queued) {
            MixVoice(voice, out, frames);
        }
    }
}

void Mixer::Mix(float* out, uint32_t frames)
{
    std::lock_guard lock(mutex_);
    MixLocked(out, frames);
    for (size_t i = 0; i < static_cast<size_t>(frames) * kOutputChannels; ++i) {
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    }
}

void Mixer::Mix(int16_t* out, uint32_t frames)
{
    std::lock_guard lock(mutex_);
    while (frames > 0) {
        const uint32_t count = std::min(frames, kChunkFrames);
        MixLocked(chunk_.data(), count);
        for (uint32_t i = 0; i < count * kOutputChannels; ++i) {
            const float scaled = std::clamp(chunk_[i] * 32768.0f, -32768.0f, 32767.0f);
            out[i] = static_cast<int16_t>(std::lrint(scaled));
        }
        out += static_cast<size_t>(count) * kOutputChannels;
        frames -= count;
    }
}

}  // namespace platform::audio
