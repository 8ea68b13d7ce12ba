// The save file's write, read and delete jobs on a worker thread, and the claim on the save folder.
#include "framework/file/save_file.h"

#include <chrono>
#include <limits>
#include <optional>
#include <thread>
#include <vector>

#include "framework/file/heap_block.h"
#include "framework/log/log.h"
#include "framework/thread/thread.h"
#include "platform/file_system.h"
#include "platform/folder_claim.h"

namespace vesk::file {
namespace {

constexpr int kSaveSlotFileNumber = 0;

struct WriteRequest {
    std::string path;
    const void* data = nullptr;
    std::size_t size = 0;
    std::uint32_t status = 0;
};

struct ReadRequest {
    std::string path;
    memory::HeapRecord* heap = nullptr;
    std::uint32_t status = 0;
    void* buffer = nullptr;
    std::size_t bytesRead = 0;
};

struct DeleteRequest {
    std::string path;
    std::uint32_t status = 0;
};

struct BackupRequest {
    std::string path;
    std::uint32_t status = 0;
    std::string backupPath;
};

// The blocks are only touched by the job while its thread runs, and by the
// main thread before the start and after the thread was collected.
WriteRequest g_writeRequest;
ReadRequest g_readRequest;
DeleteRequest g_deleteRequest;
BackupRequest g_backupRequest;
thread::SYSWIN_CThread* g_saveThread = nullptr;
bool g_saveJobsWaited = false;

// Claims the save folder, logging what the claim removed; false with the
// reason in why when this copy may not write into it.
bool ClaimFolder(std::string& why)
{
    std::vector<std::string> removed;
    const std::string path = MakeSavePath();
    const std::string_view fileName = std::string_view(path).substr(kSaveFolder.size() + 1);
    const bool claimed = platform::ClaimFolder(std::string(kSaveFolder), fileName, &why, &removed);
    for (const std::string& path : removed) {
        log::Info("removed " + path + ", left by a save that was cut short");
    }
    return claimed;
}

void WriteJob(thread::SYS_CThread*, void* argument, std::intptr_t)
{
    auto& request = *static_cast<WriteRequest*>(argument);
    std::string why;
    if (request.data == nullptr) {
        why = "no data";
    } else if (ClaimFolder(why) &&
               platform::WriteFileAtomically(request.path, request.data, request.size, &why)) {
        request.status = kSaveJobDone;
        return;
    }
    log::Error("save file " + request.path + " not written: " + why);
    request.status = kSaveFileFailed;
}

std::uint32_t ReadInto(ReadRequest& request)
{
    platform::FileReader reader;
    switch (reader.Open(request.path)) {
    case platform::FileReader::OpenResult::Opened:
        break;
    case platform::FileReader::OpenResult::NotFound:
        log::Info("no save file at " + request.path);
        return kSaveFileFailed;
    case platform::FileReader::OpenResult::Failed:
        log::Error("cannot open save file " + request.path + ": " + reader.LastError());
        return kSaveFileUnreadable;
    }
    const std::optional<std::uint64_t> size = reader.Size();
    if (!size) {
        log::Error("cannot read save file " + request.path + ": " + reader.LastError());
        return kSaveFileUnreadable;
    }
    if (*size == 0) {
        return kSaveJobDone;
    }
    // Checked before any memory is taken: the file's size is the stranger's to choose.
    if (*size > kSaveImageSize) {
        log::Error("save file " + request.path + " has " + std::to_string(*size) + " bytes, more than a save image's " +
                   std::to_string(kSaveImageSize) + "; it is not read");
        return kSaveFileTooLarge;
    }
    void* buffer = nullptr;
    if (*size <= std::numeric_limits<std::size_t>::max()) {
        buffer = AllocateFileBlock(request.heap, static_cast<std::size_t>(*size));
    }
    if (buffer == nullptr) {
        log::Error("no memory to read save file " + request.path + " (" + std::to_string(*size) + " bytes)");
        return kSaveNoMemory;
    }
    if (!reader.ReadExact(buffer, *size)) {
        log::Error("cannot read save file " + request.path + ": " + reader.LastError());
        FreeFileBlock(buffer);
        return kSaveFileUnreadable;
    }
    request.buffer = buffer;
    request.bytesRead = static_cast<std::size_t>(*size);
    return kSaveJobDone;
}

void ReadJob(thread::SYS_CThread*, void* argument, std::intptr_t)
{
    auto& request = *static_cast<ReadRequest*>(argument);
    request.status = ReadInto(request);
}

void DeleteJob(thread::SYS_CThread*, void* argument, std::intptr_t)
{
    auto& request = *static_cast<DeleteRequest*>(argument);
    std::string why;
    if (ClaimFolder(why) && platform::RemoveFile(request.path, &why)) {
        request.status = kSaveJobDone;
        return;
    }
    log::Warning("save file " + request.path + " not deleted: " + why);
    request.status = kSaveFileFailed;
}

// Backups never replace one another: the first free name of "<save>.broken",
// "<save>.broken2", ... is taken.
constexpr int kMaxBackups = 99;

void BackupJob(thread::SYS_CThread*, void* argument, std::intptr_t)
{
    auto& request = *static_cast<BackupRequest*>(argument);
    std::string why;
    // Another copy that holds the folder may be writing the file this copy found broken.
    if (!ClaimFolder(why)) {
        log::Error("save file " + request.path + " not set aside: " + why);
        request.status = kSaveFileFailed;
        return;
    }
    why = "every backup name is taken";
    for (int number = 1; number <= kMaxBackups; ++number) {
        std::string candidate = request.path + ".broken";
        if (number > 1) {
            candidate += std::to_string(number);
        }
        if (platform::FileExists(candidate)) {
            continue;
        }
        if (platform::MoveFileAside(request.path, candidate, &why)) {
            log::Info("save file " + request.path + " kept as " + candidate);
            request.backupPath = candidate;
            request.status = kSaveJobDone;
            return;
        }
        if (platform::FileExists(candidate)) {
            continue;  // taken between the test and the rename
        }
        break;
    }
    log::Error("save file " + request.path + " not set aside: " + why);
    request.status = kSaveFileFailed;
}

template <typename Request>
void ResetRequest(Request& request)
{
    request = Request{};
}

// A buffer no poll took over would otherwise be lost.
void ResetRequest(ReadRequest& request)
{
    FreeFileBlock(request.buffer);
    request = ReadRequest{};
}

// Steps shared by the three starters; fill sets up the request block.
template <typename Request, typename Fill>
std::uint32_t StartJob(std::string_view name, thread::JobFunction job, Request& request, Fill fill)
{
    if (g_saveThread != nullptr) {
        return kSaveJobBusy;
    }
    g_saveThread = thread::CreateThreadObject();
    ResetRequest(request);
    request.path = MakeSavePath();
    fill(request);
    if (g_saveThread == nullptr) {
        request.status = kSaveThreadFailed;
        return request.status;
    }
    request.status = kSaveJobRunning;
    if (!g_saveThread->Start(name, job, &request, static_cast<std::intptr_t>(sizeof(Request)), 16384, 0, 1)) {
        // Nothing runs, so nothing is left for a poll to collect.
        delete g_saveThread;
        g_saveThread = nullptr;
        request.status = kSaveThreadFailed;
        return kSaveThreadFailed;
    }
    if (g_saveJobsWaited) {
        while (!g_saveThread->IsFinished()) std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    // The job owns the block from here on and may already have finished:
    // reading its status now would race with it.
    return kSaveJobRunning;
}

// True while the job still runs; otherwise collects its thread object.
bool JobStillRunning()
{
    if (g_saveThread == nullptr) {
        return false;
    }
    if (!g_saveThread->IsFinished()) {
        return true;
    }
    delete g_saveThread;
    g_saveThread = nullptr;
    return false;
}

}  // namespace

std::string MakeSavePath()
{
    std::string path(kSaveFolder);
    path += '/';
    path += static_cast<char>('0' + kSaveSlotFileNumber / 10);
    path += static_cast<char>('0' + kSaveSlotFileNumber % 10);
    path += '_';
    path += kSaveFileName;
    return path;
}

bool CreateSaveFolder()
{
    return platform::CreateFolder(std::string(kSaveFolder));
}

bool ClaimSaveFolder()
{
    std::string why;
    if (ClaimFolder(why)) {
        return true;
    }
    log::Warning("this copy of the game cannot save: " + why);
    return false;
}

std::uint32_t SaveCreate(const void* data)
{
    return StartJob("SaveCreate", &WriteJob, g_writeRequest, [data](WriteRequest& request) {
        request.data = data;
        request.size = kSaveImageSize;
    });
}

std::uint32_t SaveRead(memory::HeapRecord* heap)
{
    return StartJob("SaveRead", &ReadJob, g_readRequest, [heap](ReadRequest& request) {
        request.heap = heap;
    });
}

std::uint32_t SaveDelete()
{
    return StartJob("SaveDelete", &DeleteJob, g_deleteRequest, [](DeleteRequest&) {});
}

std::uint32_t SaveBackup()
{
    return StartJob("SaveBackup", &BackupJob, g_backupRequest, [](BackupRequest&) {});
}

std::uint32_t PollSaveBackup()
{
    return JobStillRunning() ? kSaveJobRunning : g_backupRequest.status;
}

std::string GetLastSaveBackupPath()
{
    return g_backupRequest.backupPath;
}

void FinishSaveJob()
{
    if (g_saveThread == nullptr) {
        return;
    }
    // No stop request: a write that stopped early would leave the old save in place.
    while (!g_saveThread->IsFinished()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    delete g_saveThread;
    g_saveThread = nullptr;
}

std::uint32_t PollSaveCreate()
{
    return JobStillRunning() ? kSaveJobRunning : g_writeRequest.status;
}

std::uint32_t PollSaveRead(void** outBuffer, std::size_t* outSize)
{
    if (JobStillRunning()) {
        return kSaveJobRunning;
    }
    if (outSize != nullptr) {
        *outSize = g_readRequest.bytesRead;
    }
    if (outBuffer != nullptr) {
        *outBuffer = g_readRequest.buffer;
        g_readRequest.buffer = nullptr;
        g_readRequest.bytesRead = 0;
    }
    return g_readRequest.status;
}

std::uint32_t PollSaveDelete()
{
    return JobStillRunning() ? kSaveJobRunning : g_deleteRequest.status;
}

void SetSaveJobsWaited(bool waited)
{
    g_saveJobsWaited = waited;
}

}  // namespace vesk::file
