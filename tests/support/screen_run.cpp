// Scripted screen runs: each frame's draws and sounds digested and held against a checked-in recording.
#include "tests/support/screen_run.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/text/utf.h"
#include "tests/support/build_paths.h"

namespace support {
namespace {

// Positions to a hundredth: enough to see a widget move, and blind to noise below what a pixel shows.
std::string Fixed(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    return text;
}

std::uint64_t Fnv1a(std::string_view bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string FormatLine(std::size_t index, const ScreenRunFrame& frame)
{
    char digest[17];
    std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(frame.digest));
    std::ostringstream line;
    line << index << ' ' << digest << ' ' << frame.sprites << '/' << frame.texts << '/' << frame.sounds << ' ' << frame.step;
    return line.str();
}

std::filesystem::path RecordingPath(std::string_view name)
{
    return SourceRoot() / "tests/game/ui/recordings" / (std::string(name) + ".txt");
}

constexpr const char* kHeader =
    "# A scripted screen run, a line per frame: frame, digest of its sprite draws, text draws and sounds,\n"
    "# their counts (sprites/texts/sounds) and the step that stepped it. VARNOLIS_RECORD_SCREEN_RUNS=1 records anew.\n";

}  // namespace

ScreenRunFrame DigestFrame(const FrameRecord& frame, std::string_view step)
{
    ScreenRunFrame digested{std::string(step), 0, frame.sprites.size(), frame.texts.size(),
                            frame.sounds.size() + frame.soundEffects.size()};
    // The crew and field objects come in an order that follows their addresses: the digest takes the
    // frame's lines sorted, so it holds what was drawn where, not in which order.
    std::vector<std::string> lines;
    std::istringstream described(DescribeFrame(frame));
    for (std::string line; std::getline(described, line);) lines.push_back(std::move(line));
    std::sort(lines.begin(), lines.end());
    std::string sorted;
    for (const std::string& line : lines) sorted += line + '\n';
    digested.digest = Fnv1a(sorted);
    return digested;
}

std::string DescribeFrame(const FrameRecord& frame)
{
    std::ostringstream out;
    for (const RecordedSpriteDraw& draw : frame.sprites) {
        out << "sprite " << draw.group << ':' << draw.ref << ' ' << Fixed(draw.x) << ',' << Fixed(draw.y) << ' ' << std::hex
            << draw.color << std::dec << '\n';
    }
    for (const RecordedTextDraw& draw : frame.texts) {
        out << "text \"" << vesk::text::Utf16ToUtf8(draw.text) << "\" " << Fixed(draw.x) << ',' << Fixed(draw.y) << " font "
            << draw.font << ' ' << std::hex << draw.color << std::dec << '\n';
    }
    for (const RecordedSoundPlay& play : frame.sounds) {
        out << "sound " << play.group << ':' << play.soundId << (play.loop ? " loop " : " ") << Fixed(play.volume) << '\n';
    }
    for (std::uint32_t effect : frame.soundEffects) out << "effect " << effect << '\n';
    return out.str();
}

void CheckScreenRun(std::string_view name, const std::vector<ScreenRunFrame>& run, const std::vector<FrameRecord>& frames,
                    std::size_t firstFrame)
{
    const std::filesystem::path path = RecordingPath(name);
    const char* record = std::getenv("VARNOLIS_RECORD_SCREEN_RUNS");
    if (record != nullptr && std::string_view(record) == "1") {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::trunc);
        out << kHeader;
        for (std::size_t i = 0; i < run.size(); ++i) out << FormatLine(i, run[i]) << '\n';
        ASSERT_TRUE(out.good()) << "could not write " << path;
        return;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in.good()) << "no recording at " << path << "; record it with VARNOLIS_RECORD_SCREEN_RUNS=1";
    std::vector<std::string> recorded;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') recorded.push_back(line);
    }
    for (std::size_t i = 0; i < run.size() && i < recorded.size(); ++i) {
        const std::string now = FormatLine(i, run[i]);
        if (now == recorded[i]) continue;
        FAIL() << "the " << name << " run differs from its recording first at frame " << i << " (step \"" << run[i].step
               << "\")\n  recorded: " << recorded[i] << "\n  now:      " << now << "\nwhat the frame did now:\n"
               << DescribeFrame(frames[firstFrame + i]);
    }
    EXPECT_EQ(run.size(), recorded.size()) << "the " << name << " run has another length than its recording";
}

}  // namespace support
