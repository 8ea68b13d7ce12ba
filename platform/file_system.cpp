// Whole-file reads, crash-safe whole-file writes through a synced temporary file, deletion and folders.
#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstdio>
#include <system_error>
#include <thread>

namespace platform {
namespace {

std::atomic<FileFault> g_fault{FileFault::None};
std::atomic<uint64_t> g_temporaryNumber{0};

std::string SystemErrorText(int error)
{
    return std::generic_category().message(error);
}

void SetReason(std::string* whyFailed, std::string reason)
{
    if (whyFailed != nullptr) {
        *whyFailed = std::move(reason);
    }
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes all of data, retrying interrupted and partial writes.
bool WriteAll(int fd, const unsigned char* data, uint64_t size, std::string* whyFailed)
{
    uint64_t limit = size;
    const FileFault fault = g_fault.load();
    if (fault == FileFault::ShortWrite || fault == FileFault::SlowShortWrite) {
        limit = size / 2;
    }
    if (fault == FileFault::SlowWrite || fault == FileFault::SlowShortWrite) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    uint64_t done = 0;
    while (done < limit) {
        const ssize_t written = write(fd, data + done, limit - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            SetReason(whyFailed, "write failed: " + SystemErrorText(errno));
            return false;
        }
        done += static_cast<uint64_t>(written);
    }
    if (done < size) {
        SetReason(whyFailed, "write failed: " + SystemErrorText(ENOSPC));
        return false;
    }
    return true;
}

// Makes a finished rename durable. Some file systems refuse to sync a folder;
// the rename has happened by then, so that is not reported as a failure.
void SyncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

FileReader::~FileReader()
{
    Close();
}

FileReader::OpenResult FileReader::Open(const std::string& path)
{
    Close();
    // Never waits: a named pipe would hold the open until some writer came. Reads of a regular
    // file do not heed the flag, and Size turns anything else away.
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ >= 0) {
        return OpenResult::Opened;
    }
    const int error = errno;
    lastError_ = SystemErrorText(error);
    return error == ENOENT || error == ENOTDIR ? OpenResult::NotFound : OpenResult::Failed;
}

std::optional<uint64_t> FileReader::Size()
{
    struct stat info {};
    if (fstat(fd_, &info) != 0) {
        lastError_ = SystemErrorText(errno);
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        lastError_ = "not a regular file";
        return std::nullopt;
    }
    return static_cast<uint64_t>(info.st_size);
}

bool FileReader::ReadExact(void* buffer, uint64_t size)
{
    uint64_t limit = size;
    if (g_fault.load() == FileFault::ShortRead) {
        limit = size / 2;
    }
    auto* bytes = static_cast<unsigned char*>(buffer);
    uint64_t done = 0;
    while (done < limit) {
        const ssize_t got = read(fd_, bytes + done, limit - done);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            lastError_ = SystemErrorText(errno);
            return false;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<uint64_t>(got);
    }
    if (done < size) {
        lastError_ = "file ended after " + std::to_string(done) + " of " + std::to_string(size) + " bytes";
        return false;
    }
    return true;
}

void FileReader::Close()
{
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

std::optional<TemporaryFileName> ParseTemporaryFileName(std::string_view name)
{
    constexpr std::string_view kSuffix = ".tmp";
    if (name.size() <= kSuffix.size() || !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    name.remove_suffix(kSuffix.size());
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0) {
        return std::nullopt;
    }
    const std::string_view tag = name.substr(dot + 1);
    const std::size_t dash = tag.find('-');
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (dash == std::string_view::npos || !digits(tag.substr(0, dash)) || !digits(tag.substr(dash + 1))) {
        return std::nullopt;
    }
    return TemporaryFileName{name.substr(0, dot), tag.substr(0, dash)};
}

bool IsTemporaryFileName(std::string_view name)
{
    return ParseTemporaryFileName(name).has_value();
}

bool WriteFileAtomically(const std::string& path, const void* data, uint64_t size, std::string* whyFailed)
{
    // Each write has a temporary file of its own, so that writes of two
    // threads or processes never write into the same one.
    std::string temporary;
    int fd = -1;
    do {
        temporary = path + "." + std::to_string(getpid()) + "-" + std::to_string(g_temporaryNumber.fetch_add(1));
        temporary += ".tmp";
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EEXIST);
    if (fd < 0) {
        SetReason(whyFailed, "cannot create " + temporary + ": " + SystemErrorText(errno));
        return false;
    }
    bool ok = WriteAll(fd, static_cast<const unsigned char*>(data), size, whyFailed);
    if (ok && fsync(fd) != 0) {
        SetReason(whyFailed, "flush to disk failed: " + SystemErrorText(errno));
        ok = false;
    }
    if (close(fd) != 0 && ok) {
        SetReason(whyFailed, "close failed: " + SystemErrorText(errno));
        ok = false;
    }
    if (ok && rename(temporary.c_str(), path.c_str()) != 0) {
        SetReason(whyFailed, "cannot replace " + path + ": " + SystemErrorText(errno));
        ok = false;
    }
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    SyncFolder(FolderOf(path));
    return true;
}

bool RemoveFile(const std::string& path, std::string* whyFailed)
{
    if (unlink(path.c_str()) != 0) {
        SetReason(whyFailed, SystemErrorText(errno));
        return false;
    }
    return true;
}

bool MoveFileAside(const std::string& path, const std::string& newPath, std::string* whyFailed)
{
    // Never over an existing file: a backup made earlier stays as it is.
    if (renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, newPath.c_str(), RENAME_NOREPLACE) == 0) {
        SyncFolder(FolderOf(path));
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        SetReason(whyFailed, "cannot rename " + path + " to " + newPath + ": " + SystemErrorText(errno));
        return false;
    }
    // A file system without the no-replace rename: a second name, then the old one goes.
    if (link(path.c_str(), newPath.c_str()) != 0 || unlink(path.c_str()) != 0) {
        SetReason(whyFailed, "cannot rename " + path + " to " + newPath + ": " + SystemErrorText(errno));
        return false;
    }
    SyncFolder(FolderOf(path));
    return true;
}

bool FileExists(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

bool CreateFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0755) == 0) {
        return true;
    }
    struct stat info {};
    return errno == EEXIST && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void SetFileFaultForTesting(FileFault fault)
{
    g_fault.store(fault);
}

}  // namespace platform
