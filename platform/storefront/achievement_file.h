// The text file of unlocked achievements: reading it leniently, writing it back whole.
#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace platform::storefront {

inline constexpr std::size_t kMaxAchievementNameLength = 127;
inline constexpr std::size_t kMaxAchievementNames = 1024;
// The file is tiny (20 names); anything much larger is not ours.
inline constexpr std::size_t kMaxAchievementFileSize = 64 * 1024;

using AchievementNames = std::set<std::string, std::less<>>;

struct AchievementFile {
    AchievementNames names;
    // Lines that are not names (comments, and lines that cannot be read),
    // without their line ends; written back so that nobody's edits are lost.
    std::vector<std::string> keptLines;
    // One line for each line that should have been a name and is not.
    std::vector<std::string> problems;
};

// Names are what the game passes as API names: visible ASCII, no blanks.
bool IsValidAchievementName(std::string_view name);

// One name a line; blank lines and lines starting with '#' hold none. A file
// edited by hand is read as meant: a byte-order mark, CRLF line ends and
// blanks around a name are passed over.
AchievementFile ParseAchievementFile(std::string_view text);

// A header comment, the names in order, then the kept lines as they were.
std::string FormatAchievementFile(const AchievementNames& names, const std::vector<std::string>& keptLines);

}  // namespace platform::storefront
