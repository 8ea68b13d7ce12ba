// Reads arbitrary text as the achievements file and writes it back.
// No line may be lost, and what was written reads back as the same names and
// lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/storefront/achievement_file.h"

namespace {

using platform::storefront::AchievementFile;
using platform::storefront::FormatAchievementFile;
using platform::storefront::ParseAchievementFile;

bool Contains(const AchievementFile& file, std::string_view line)
{
    if (file.names.contains(line)) return true;
    for (const std::string& kept : file.keptLines) {
        if (kept == line) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const AchievementFile read = ParseAchievementFile(text);
    const std::string written = FormatAchievementFile(read.names, read.keptLines);
    const AchievementFile again = ParseAchievementFile(written);
    if (again.names != read.names || again.keptLines != read.keptLines ||
        again.problems.size() != read.problems.size()) {
        std::abort();
    }
    // Every line that holds more than blanks is a name or kept (the header
    // the writer puts first aside).
    std::string_view rest = text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        while (line.ends_with('\r')) line.remove_suffix(1);
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos) continue;
        const std::string_view trimmed = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
        if (trimmed == "# unlocked achievements, one per line") continue;
        if (!Contains(read, trimmed) && !Contains(read, line)) std::abort();
    }
    return 0;
}
