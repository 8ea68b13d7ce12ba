// Reading and writing the achievement file's text.
#include "platform/storefront/achievement_file.h"

#include <algorithm>

namespace platform::storefront {
namespace {

constexpr std::string_view kHeader = "# unlocked achievements, one per line";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

bool IsValidAchievementName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxAchievementNameLength) {
        return false;
    }
    return std::all_of(name.begin(), name.end(), [](char c) { return c > 0x20 && c < 0x7F; });
}

AchievementFile ParseAchievementFile(std::string_view text)
{
    AchievementFile file;
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::size_t lineNumber = 0;
    bool full = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        while (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const std::string_view name = Trim(line);
        if (name.empty() || name == kHeader) {
            continue;
        }
        if (name.front() == '#') {
            file.keptLines.emplace_back(line);
            continue;
        }
        if (!IsValidAchievementName(name)) {
            file.problems.push_back("line " + std::to_string(lineNumber) +
                                    " is not an achievement name; it is kept as it stands");
            file.keptLines.emplace_back(line);
            continue;
        }
        if (file.names.contains(name)) {
            continue;
        }
        if (file.names.size() >= kMaxAchievementNames) {
            if (!full) {
                file.problems.push_back("more than " + std::to_string(kMaxAchievementNames) +
                                        " names; the rest is kept but not read");
                full = true;
            }
            file.keptLines.emplace_back(line);
            continue;
        }
        file.names.emplace(name);
    }
    return file;
}

std::string FormatAchievementFile(const AchievementNames& names, const std::vector<std::string>& keptLines)
{
    std::string text(kHeader);
    text += '\n';
    for (const std::string& name : names) {
        text += name;
        text += '\n';
    }
    for (const std::string& line : keptLines) {
        text += line;
        text += '\n';
    }
    return text;
}

}  // namespace platform::storefront
