// Whole-file reads, crash-safe whole-file writes, deletion and folders.
// Paths are narrow, relative to the current directory unless absolute. Every
// failure comes with a one-line reason for the log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class FileReader {
public:
    enum class OpenResult : uint8_t { Opened, NotFound, Failed };

    FileReader() = default;
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // NotFound only when nothing exists at the path; a file that exists but
    // cannot be opened is Failed. Never waits, not even on a named pipe.
    OpenResult Open(const std::string& path);
    // Size of the open file; empty when it is not a regular file.
    std::optional<uint64_t> Size();
    // Reads exactly size bytes from the current position; false on an error
    // or when the file ends first.
    bool ReadExact(void* buffer, uint64_t size);
    void Close();

    // Why the last failing call failed.
    const std::string& LastError() const { return lastError_; }

private:
    int fd_ = -1;
    std::string lastError_;
};

// Replaces the file at path with size bytes of data so that a crash at any
// point leaves either the old file or the new one whole: the data goes to a
// temporary file of its own in the same folder, is flushed to disk and is then
// renamed over the old file. On failure the old file is untouched, the
// temporary file is gone and *whyFailed (when given) says why.
bool WriteFileAtomically(const std::string& path, const void* data, uint64_t size,
                         std::string* whyFailed = nullptr);

// The parts of a name of WriteFileAtomically's temporary files
// ("<file name>.<process>-<number>.tmp"); only a killed write leaves one behind.
struct TemporaryFileName {
    std::string_view fileName;  // the file the write was to replace
    std::string_view process;   // the digits of the writing process's id
};
std::optional<TemporaryFileName> ParseTemporaryFileName(std::string_view name);
bool IsTemporaryFileName(std::string_view name);

bool RemoveFile(const std::string& path, std::string* whyFailed = nullptr);

// Gives the file at path the name newPath, in the same folder; refused when
// something already has that name, so nothing is ever overwritten.
bool MoveFileAside(const std::string& path, const std::string& newPath, std::string* whyFailed = nullptr);

// True when anything (a file, a folder, a link) has that name.
bool FileExists(const std::string& path);

// An existing folder counts as success.
bool CreateFolder(const std::string& path);

// Test hook: makes file operations fail part-way, as a full disk or a failing
// drive would, until set back to None.
enum class FileFault : uint8_t {
    None,
    ShortWrite,  // writes stop after half the data with "no space left"
    ShortRead,   // reads end after half the data, as if the file were cut
    SlowWrite,   // writes take half a second longer, as a slow drive would
    SlowShortWrite,  // both: a slow drive that fills up
};
void SetFileFaultForTesting(FileFault fault);

}  // namespace platform
