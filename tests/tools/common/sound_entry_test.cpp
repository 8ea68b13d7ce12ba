// The sound packer: every wave the game could not play or loop refused with its reason, the others packed.
// A refusal names the file and the reason.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/log_capture.h"
#include "tools/common/byte_writer.h"
#include "tools/common/sound_entry.h"
#include "tools/common/wav_writer.h"

namespace {

// A 16-bit mono wave of 1000 frames, then with its "fmt " fields rewritten.
std::vector<uint8_t> Wave(std::optional<tools::WavLoop> loop = std::nullopt)
{
    return tools::MakePcmWav(std::vector<int16_t>(1000, 0), 22050, 1, loop);
}

std::vector<uint8_t> WaveWith(uint16_t formatTag, uint16_t channels, uint16_t bitsPerSample)
{
    std::vector<uint8_t> bytes = Wave();
    tools::PutU16(bytes, 20, formatTag);
    tools::PutU16(bytes, 22, channels);
    tools::PutU16(bytes, 34, bitsPerSample);
    return bytes;
}

TEST(SoundEntry, WavesTheGameCannotPlayOrLoopAreRefusedWithTheirReason)
{
    struct Case {
        const char* file;
        std::vector<uint8_t> bytes;
        const char* reason;
    };
    const Case refused[] = {
        {"pcm24.wav", WaveWith(1, 1, 24), "PCM of 24 bits a sample"},
        {"pcm32.wav", WaveWith(1, 1, 32), "PCM of 32 bits a sample"},
        {"float.wav", WaveWith(3, 1, 32), "encoding 3"},
        {"ulaw.wav", WaveWith(7, 1, 8), "encoding 7"},
        {"ima.wav", WaveWith(0x11, 1, 4), "encoding 17"},
        {"surround.wav", WaveWith(1, 6, 16), "6 channels"},
        {"backwards.wav", Wave(tools::WavLoop{900, 100}), "runs backwards, from frame 900 to frame 100"},
        {"past_end.wav", Wave(tools::WavLoop{100, 2000}), "from frame 100 to frame 2000"},
        {"starts_past_end.wav", Wave(tools::WavLoop{1000, 1000}), "does not lie inside its 1000 frames"},
    };
    for (const Case& c : refused) {
        support::LogCapture log;
        EXPECT_FALSE(tools::MakeSoundEntry(std::string("effects/") + c.file, c.file, c.bytes)) << c.file;
        ASSERT_EQ(log.Lines().size(), 1u) << c.file;
        EXPECT_EQ(log.Lines()[0].rfind(std::string("error: effects/") + c.file + ": ", 0), 0u) << log.Lines()[0];
        EXPECT_TRUE(log.Contains(c.reason)) << log.Lines()[0];
    }

    // What the game plays is packed as it is.
    const std::vector<uint8_t> playable[] = {
        Wave(),
        Wave(tools::WavLoop{100, 1000}),
        tools::MakePcmWav(std::vector<int16_t>(64, 0), 44100, 2),
        tools::MakeAdpcmWav(std::vector<uint8_t>(256, 0), 22050, 1, 256, 500),
    };
    for (const std::vector<uint8_t>& bytes : playable) {
        support::LogCapture log;
        const std::optional<tools::PackageChunk> entry = tools::MakeSoundEntry("ok.wav", "ok.wav", bytes);
        ASSERT_TRUE(entry) << (log.Lines().empty() ? "" : log.Lines()[0]);
        EXPECT_EQ(entry->tag, "SWAV");
        EXPECT_EQ(entry->data, bytes);
    }
}

}  // namespace
