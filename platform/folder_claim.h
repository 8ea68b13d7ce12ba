// A claim on a folder held for the life of the process: one writer at a time.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The file in a claimed folder that carries the claim (an advisory lock that
// the system drops when the process ends, however it ends).
inline constexpr const char* kFolderLockName = ".lock";

// Claims folder, in which this process writes fileName, until the process
// ends, so that of several running programs only one writes into it. Claiming
// again is cheap and succeeds while the claim holds. The first claim made for
// a file name also removes the temporary files that killed writes of that
// file left in the folder (their paths go to *removed when given): only
// files named as that file's temporaries, and only those whose writer has
// ended, so neither a player's file nor a write under way is ever touched.
// False, with the reason in *whyFailed, when another process holds the
// folder or it cannot be used; a later call may succeed once that process
// has ended.
bool ClaimFolder(const std::string& folder, std::string_view fileName, std::string* whyFailed = nullptr,
                 std::vector<std::string>* removed = nullptr);

}  // namespace platform
