// A claim on a folder held for the life of the process: one writer at a time.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The file in a claimed folder that carries the claim (an advisory lock that
// the system drops when the process ends, however it ends).
inline constexpr const char* kFolderLockName = ".lock";

// Claims folder for this process until it ends, so that of several running
// programs only one writes into it. Claiming again is cheap and succeeds while
// the claim holds. The first claim also removes the temporary files that
// killed writes left in the folder (their names go to *removed when given):
// no other program can be writing them then. False, with the reason in
// *whyFailed, when another process holds the folder or it cannot be used;
// a later call may succeed once that process has ended.
bool ClaimFolder(const std::string& folder, std::string* whyFailed = nullptr,
                 std::vector<std::string>* removed = nullptr);

}  // namespace platform
