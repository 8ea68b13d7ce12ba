// RIFF wave files laid out: "fmt ", "smpl" and "data" chunks of PCM and MS-ADPCM waves.
#include "tools/common/wav_writer.h"

#include <utility>

#include "tools/common/byte_writer.h"

namespace tools {
namespace {

struct FormatChunk {
    uint16_t formatTag = 1;
    uint16_t channels = 1;
    uint32_t sampleRate = 0;
    uint32_t bytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    std::vector<uint8_t> extra;  // after the size word of the extension
};

void WriteSmpl(ByteWriter& out, uint32_t sampleRate, const WavLoop& loop)
{
    out.Tag("smpl");
    out.U32(36 + 24);
    out.U32(0);                                 // manufacturer
    out.U32(0);                                 // product
    out.U32(sampleRate ? 1000000000u / sampleRate : 0);  // sample period in ns
    out.U32(60);                                // unity note
    out.U32(0);                                 // pitch fraction
    out.U32(0);                                 // SMPTE format
    out.U32(0);                                 // SMPTE offset
    out.U32(1);                                 // loops
    out.U32(0);                                 // sampler data
    out.U32(0);                                 // cue point id
    out.U32(0);                                 // forward loop
    out.U32(loop.start);
    out.U32(loop.end);
    out.U32(0);                                 // fraction
    out.U32(0);                                 // play count: forever
}

std::vector<uint8_t> MakeWav(const FormatChunk& format, const std::vector<uint8_t>& data, std::optional<WavLoop> loop)
{
    ByteWriter out;
    out.Tag("RIFF");
    out.U32(0);  // patched below
    out.Tag("WAVE");
    out.Tag("fmt ");
    const bool extended = format.formatTag != 1;
    out.U32(extended ? static_cast<uint32_t>(18 + format.extra.size()) : 16);
    out.U16(format.formatTag);
    out.U16(format.channels);
    out.U32(format.sampleRate);
    out.U32(format.bytesPerSecond);
    out.U16(format.blockAlign);
    out.U16(format.bitsPerSample);
    if (extended) {
        out.U16(static_cast<uint16_t>(format.extra.size()));
        out.Bytes(format.extra);
    }
    if (loop) {
        WriteSmpl(out, format.sampleRate, *loop);
    }
    out.Tag("data");
    out.U32(static_cast<uint32_t>(data.size()));
    out.Bytes(data);
    // The reader walks chunks without pad bytes, so data ends the file.
    std::vector<uint8_t>& bytes = out.Data();
    const auto riffSize = static_cast<uint32_t>(bytes.size() - 8);
    for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<uint8_t>(riffSize >> (8 * i));
    return std::move(bytes);
}

}  // namespace

std::vector<uint8_t> MakePcmWav(const std::vector<int16_t>& samples, uint32_t sampleRate, uint16_t channels,
                                std::optional<WavLoop> loop)
{
    FormatChunk format;
    format.channels = channels;
    format.sampleRate = sampleRate;
    format.blockAlign = static_cast<uint16_t>(2 * channels);
    format.bytesPerSecond = sampleRate * format.blockAlign;
    format.bitsPerSample = 16;
    ByteWriter data;
    for (int16_t sample : samples) data.U16(static_cast<uint16_t>(sample));
    return MakeWav(format, data.Data(), loop);
}

std::vector<uint8_t> MakeAdpcmWav(const std::vector<uint8_t>& blocks, uint32_t sampleRate, uint16_t channels,
                                  uint16_t blockAlign, uint16_t samplesPerBlock, std::optional<WavLoop> loop)
{
    static constexpr int16_t kCoefficients[7][2] = {{256, 0},  {512, -256}, {0, 0},     {192, 64},
                                                    {240, 0},  {460, -208}, {392, -232}};
    FormatChunk format;
    format.formatTag = 2;
    format.channels = channels;
    format.sampleRate = sampleRate;
    format.blockAlign = blockAlign;
    format.bitsPerSample = 4;
    format.bytesPerSecond = samplesPerBlock ? sampleRate * blockAlign / samplesPerBlock : 0;
    ByteWriter extra;
    extra.U16(samplesPerBlock);
    extra.U16(7);
    for (const auto& pair : kCoefficients) {
        extra.U16(static_cast<uint16_t>(pair[0]));
        extra.U16(static_cast<uint16_t>(pair[1]));
    }
    format.extra = extra.Data();
    return MakeWav(format, blocks, loop);
}

}  // namespace tools
