// Parsing of RIFF waves, ADPCM waves and the unplayable kinds, with every chunk checked.
#include "framework/sound/wave_data.h"

#include <string>

#include "framework/log/log.h"
#include "framework/resource/chunk_list.h"
#include "platform/little_endian.h"

namespace vesk::sound {
namespace {

using platform::ReadU16;
using platform::ReadU32;
using resource::MakeTag;

uint32_t ReadU32BigEndian(std::span<const uint8_t> bytes, size_t offset)
{
    return (static_cast<uint32_t>(bytes[offset]) << 24) | (static_cast<uint32_t>(bytes[offset + 1]) << 16) |
           (static_cast<uint32_t>(bytes[offset + 2]) << 8) | static_cast<uint32_t>(bytes[offset + 3]);
}

bool HasTag(std::span<const uint8_t> bytes, size_t offset, uint32_t tag)
{
    return offset + 4 <= bytes.size() && ReadU32(bytes, offset) == tag;
}

bool Refuse(std::string_view what, std::string_view fault)
{
    log::Error(std::string(what) + ": " + std::string(fault));
    return false;
}

constexpr uint32_t kRiff = MakeTag("RIFF");
constexpr uint32_t kWave = MakeTag("WAVE");
constexpr uint32_t kFmt = MakeTag("fmt ");
constexpr uint32_t kData = MakeTag("data");
constexpr uint32_t kSmpl = MakeTag("smpl");
constexpr uint32_t kVag = MakeTag("VAGp");

// Body offsets inside a "smpl" chunk: the loop count, then the first loop's
// start and end.
constexpr size_t kSmplLoopCount = 28;
constexpr size_t kSmplLoopStart = 44;
constexpr size_t kSmplLoopEnd = 48;

bool CheckRiffHeader(std::span<const uint8_t> bytes, std::string_view what)
{
    if (!HasTag(bytes, 0, kRiff) || !HasTag(bytes, 8, kWave) || !HasTag(bytes, 12, kFmt)) {
        return Refuse(what, "not a RIFF wave with a leading \"fmt \" chunk");
    }
    return true;
}

}  // namespace

bool ParseWave(std::span<const uint8_t> bytes, uint32_t formatCode, std::string_view what, WaveData& out)
{
    out = {};
    if (!CheckRiffHeader(bytes, what)) {
        return false;
    }
    if (bytes.size() < kWaveFormatBlockOffset) {
        return Refuse(what, "\"fmt \" chunk header cut short");
    }
    const uint64_t formatSize = ReadU32(bytes, 16);
    const size_t minimum = formatCode == kFormatAdpcmWave ? kWaveMinAdpcmFormatSize : kWaveMinFormatSize;
    if (formatSize < minimum || formatSize > bytes.size() - kWaveFormatBlockOffset) {
        return Refuse(what, "\"fmt \" chunk of " + std::to_string(formatSize) + " bytes does not fit");
    }

    WaveData wave;
    wave.source = bytes;
    wave.formatCode = formatCode;
    wave.formatBlock = bytes.subspan(kWaveFormatBlockOffset, static_cast<size_t>(formatSize));
    wave.channels = ReadU16(bytes, 22);
    wave.sampleRate = static_cast<float>(ReadU32(bytes, 24));
    if (formatCode == kFormatAdpcmWave) {
        wave.samplesPerBlock = ReadU16(bytes, 38);
    } else {
        wave.samplesPerBlock = 1;
        wave.bitsPerSample = ReadU16(bytes, 34);
    }

    // Chunks follow each other with no pad byte between them.
    bool hasData = false;
    uint64_t position = kWaveFormatBlockOffset + formatSize;
    while (position < bytes.size()) {
        if (bytes.size() - position < 8) {
            break;  // a trailing pad byte or two, too short to be a chunk
        }
        const uint32_t tag = ReadU32(bytes, static_cast<size_t>(position));
        const uint64_t size = ReadU32(bytes, static_cast<size_t>(position + 4));
        const uint64_t body = position + 8;
        if (size > bytes.size() - body) {
            return Refuse(what, "chunk at " + std::to_string(position) + " of " + std::to_string(size) +
                                    " bytes runs past the end");
        }
        const std::span<const uint8_t> chunk = bytes.subspan(static_cast<size_t>(body), static_cast<size_t>(size));
        if (tag == kData) {
            wave.samples = chunk;
            hasData = true;
        } else if (tag == kSmpl) {
            if (chunk.size() < kSmplLoopCount + 4) {
                return Refuse(what, "\"smpl\" chunk too short for its loop count");
            }
            if (ReadU32(chunk, kSmplLoopCount) != 0) {
                if (chunk.size() < kSmplLoopEnd + 4) {
                    return Refuse(what, "\"smpl\" chunk too short for its loop");
                }
                wave.loopStart = ReadU32(chunk, kSmplLoopStart);
                wave.loopEnd = ReadU32(chunk, kSmplLoopEnd);
            }
        }
        position = body + size;
    }
    if (!hasData) {
        return Refuse(what, "no \"data\" chunk");
    }
    out = wave;
    return true;
}

bool ParseSat9Wave(std::span<const uint8_t> bytes, std::string_view what, WaveData& out)
{
    out = {};
    if (!CheckRiffHeader(bytes, what)) {
        return false;
    }
    constexpr size_t kFirstChunk = 92;
    constexpr size_t kDataAfterSmpl = 160;
    WaveData wave;
    size_t dataChunk = kFirstChunk;
    if (HasTag(bytes, kFirstChunk, kSmpl)) {
        if (!HasTag(bytes, kDataAfterSmpl, kData)) {
            return Refuse(what, "no \"data\" chunk after the \"smpl\" chunk");
        }
        wave.loopStart = ReadU32(bytes, 144);
        wave.loopEnd = ReadU32(bytes, 148);
        dataChunk = kDataAfterSmpl;
    } else if (!HasTag(bytes, kFirstChunk, kData)) {
        return Refuse(what, "neither \"smpl\" nor \"data\" at its fixed place");
    }
    if (bytes.size() < dataChunk + 8) {
        return Refuse(what, "\"data\" chunk header cut short");
    }
    const uint64_t size = ReadU32(bytes, dataChunk + 4);
    if (size > bytes.size() - (dataChunk + 8)) {
        return Refuse(what, "\"data\" chunk runs past the end");
    }
    wave.source = bytes;
    wave.samples = bytes.subspan(dataChunk + 8, static_cast<size_t>(size));
    wave.sampleRate = static_cast<float>(ReadU32(bytes, 24));
    wave.channels = ReadU16(bytes, 22);
    wave.formatWords[0] = ReadU32(bytes, 64);
    wave.formatWords[1] = ReadU32(bytes, 80);
    wave.formatCode = kFormatSat9;
    out = wave;
    return true;
}

bool ParseVagData(std::span<const uint8_t> bytes, std::string_view what, WaveData& out)
{
    out = {};
    constexpr size_t kHeaderSize = 48;
    if (!HasTag(bytes, 0, kVag) || bytes.size() < kHeaderSize) {
        return Refuse(what, "not \"VAGp\" data");
    }
    const uint64_t size = ReadU32BigEndian(bytes, 12);
    if (size > bytes.size() - kHeaderSize) {
        return Refuse(what, "sample data of " + std::to_string(size) + " bytes runs past the end");
    }
    WaveData wave;
    wave.source = bytes;
    wave.samples = bytes.subspan(kHeaderSize, static_cast<size_t>(size));
    wave.sampleRate = static_cast<float>(ReadU32BigEndian(bytes, 16));
    wave.channels = bytes[30];
    wave.formatCode = kFormatVag;
    out = wave;
    return true;
}

bool DescribeMixerFormat(const WaveData& wave, platform::audio::WaveFormat& out, std::string* fault)
{
    using platform::audio::SampleEncoding;
    auto refuse = [fault](std::string reason) {
        if (fault) *fault = std::move(reason);
        return false;
    };
    const std::span<const uint8_t> block = wave.formatBlock;
    if (block.size() < kWaveMinFormatSize) {
        return refuse("no \"fmt \" block");
    }
    constexpr uint16_t kTagPcm = 1;
    constexpr uint16_t kTagMsAdpcm = 2;
    platform::audio::WaveFormat format;
    format.channels = ReadU16(block, 2);
    format.sampleRate = ReadU32(block, 4);
    format.blockAlign = ReadU16(block, 12);
    const uint16_t tag = ReadU16(block, 0);
    const uint16_t bits = ReadU16(block, 14);
    if (tag == kTagPcm && bits == 8) {
        format.encoding = SampleEncoding::Pcm8;
    } else if (tag == kTagPcm && bits == 16) {
        format.encoding = SampleEncoding::Pcm16;
    } else if (tag == kTagMsAdpcm && block.size() >= kWaveMinAdpcmFormatSize) {
        format.encoding = SampleEncoding::MsAdpcm;
        format.samplesPerBlock = ReadU16(block, 18);
    } else if (tag == kTagPcm) {
        return refuse("PCM of " + std::to_string(bits) + " bits a sample (8 and 16 play)");
    } else if (tag == kTagMsAdpcm) {
        return refuse("an MS-ADPCM \"fmt \" block too short for its frames per block");
    } else {
        return refuse("encoding " + std::to_string(tag) + " (PCM and MS-ADPCM play)");
    }
    if (std::string reason = platform::audio::FindFormatFault(format); !reason.empty()) {
        return refuse(std::move(reason));
    }
    out = format;
    return true;
}

}  // namespace vesk::sound
