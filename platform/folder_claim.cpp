// Claims on folders held for the life of the process, and the leftovers of ended writers that they remove.
#include "platform/folder_claim.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <mutex>
#include <system_error>

#include "platform/file_system.h"

namespace platform {
namespace {

struct HeldClaim {
    int fd = -1;
    dev_t device = 0;
    ino_t inode = 0;
    std::vector<std::string> cleanedNames;  // files whose leftovers are gone
};

std::mutex g_mutex;
std::vector<HeldClaim> g_claims;

std::string SystemErrorText(int error)
{
    return std::generic_category().message(error);
}

// A claimed folder that was removed takes its lock file with it; the claim
// then protects nothing and is let go.
void ForgetRemovedClaims()
{
    std::erase_if(g_claims, [](const HeldClaim& claim) {
        struct stat info {};
        if (fstat(claim.fd, &info) == 0 && info.st_nlink > 0) {
            return false;
        }
        close(claim.fd);
        return true;
    });
}

HeldClaim* FindHeld(const std::string& lockPath)
{
    struct stat info {};
    if (stat(lockPath.c_str(), &info) != 0) {
        return nullptr;
    }
    for (HeldClaim& claim : g_claims) {
        if (claim.device == info.st_dev && claim.inode == info.st_ino) {
            return &claim;
        }
    }
    return nullptr;
}

// Only a writer that has ended leaves its temporary file for good. A file of
// this process is a leftover of an earlier run with the same id: this
// process writes fileName only after claiming it. An id no process can have
// never came from a write of ours.
bool WriterHasEnded(std::string_view processDigits)
{
    pid_t process = 0;
    const char* end = processDigits.data() + processDigits.size();
    const auto [stop, error] = std::from_chars(processDigits.data(), end, process);
    if (error != std::errc() || stop != end || process <= 0) {
        return false;
    }
    return process == getpid() || (kill(process, 0) != 0 && errno == ESRCH);
}

void RemoveLeftovers(const std::string& folder, std::string_view fileName, std::vector<std::string>* removed)
{
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        const std::optional<TemporaryFileName> temporary = ParseTemporaryFileName(name);
        if (!temporary || temporary->fileName != fileName || !WriterHasEnded(temporary->process)) {
            continue;
        }
        const std::string path = folder + "/" + name;
        struct stat info {};
        if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && unlink(path.c_str()) == 0 &&
            removed != nullptr) {
            removed->push_back(path);
        }
    }
    closedir(listing);
}

void CleanOnce(HeldClaim& claim, const std::string& folder, std::string_view fileName,
               std::vector<std::string>* removed)
{
    if (std::find(claim.cleanedNames.begin(), claim.cleanedNames.end(), fileName) == claim.cleanedNames.end()) {
        claim.cleanedNames.emplace_back(fileName);
        RemoveLeftovers(folder, fileName, removed);
    }
}

}  // namespace

bool ClaimFolder(const std::string& folder, std::string_view fileName, std::string* whyFailed,
                 std::vector<std::string>* removed)
{
    const std::lock_guard<std::mutex> lock(g_mutex);
    const std::string lockPath = folder + "/" + kFolderLockName;
    ForgetRemovedClaims();
    if (HeldClaim* held = FindHeld(lockPath)) {
        CleanOnce(*held, folder, fileName, removed);
        return true;
    }
    const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (whyFailed != nullptr) {
            *whyFailed = "cannot open " + lockPath + ": " + SystemErrorText(errno);
        }
        return false;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        if (whyFailed != nullptr) {
            *whyFailed = error == EWOULDBLOCK ? "another running program writes into " + folder
                                              : "cannot lock " + lockPath + ": " + SystemErrorText(error);
        }
        return false;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        const int error = errno;
        close(fd);
        if (whyFailed != nullptr) {
            *whyFailed = "cannot use " + lockPath + ": " + SystemErrorText(error);
        }
        return false;
    }
    g_claims.push_back({fd, info.st_dev, info.st_ino, {}});
    CleanOnce(g_claims.back(), folder, fileName, removed);
    return true;
}

}  // namespace platform
