// The one save file, written, read and deleted by jobs on a worker thread so that frames keep running.
// One job runs at a time: start it, then poll it once a frame until it stops
// reporting kSaveJobRunning.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/memory/arena.h"

namespace vesk::file {

// Job status words.
inline constexpr std::uint32_t kSaveJobDone = 0;
inline constexpr std::uint32_t kSaveJobRunning = 1;
// The file could not be opened because it does not exist, or could not be
// written (the old file is then left as it was) or deleted; also while another
// running copy of the game holds the save folder.
inline constexpr std::uint32_t kSaveFileFailed = 0xFF000000;
// No memory for the read buffer.
inline constexpr std::uint32_t kSaveNoMemory = 0xFF000001;
// The file exists but cannot be read whole: no access, not a regular file, a
// read error, or it ended before its size. Unlike kSaveFileFailed the save is
// there but broken.
inline constexpr std::uint32_t kSaveFileUnreadable = 0xFF000002;
inline constexpr std::uint32_t kSaveThreadFailed = 0xFF000004;
// Another save job is still held (running, or finished but not yet polled).
inline constexpr std::uint32_t kSaveJobBusy = 0xFF000005;
// The file is larger than any save image, so it cannot be one: it is not read.
inline constexpr std::uint32_t kSaveFileTooLarge = 0xFF000006;

inline constexpr std::size_t kSaveImageSize = 0x300000;
inline constexpr std::string_view kSaveFolder = "SaveWin";
inline constexpr std::string_view kSaveFileName = "save.bin";

// "SaveWin/00_save.bin", relative to the current directory.
std::string MakeSavePath();
// Creates the save folder; an existing one is fine.
bool CreateSaveFolder();
// Claims the save folder for this process's life: of several running copies
// of the game only one writes into it (a second copy would tear the first
// one's saves). The first claim removes the temporary files of writes that
// were killed. False, with a log line, while another copy holds the folder;
// this copy's writes and deletes then fail (each with a log line) until that
// copy has ended. Writes and deletes claim the folder themselves when this
// was not called.
bool ClaimSaveFolder();

// Starters: kSaveJobRunning, kSaveThreadFailed, or kSaveJobBusy (nothing
// started) while another job is held.
// Writes kSaveImageSize bytes from data, replacing the old file only once the
// new one is whole on disk. data must stay unchanged until the job ends.
std::uint32_t SaveCreate(const void* data);
// Reads the whole file into a block from heap (null: the main heap, or the
// general allocator while none exists); the caller frees it (MainHeapFree).
// A file larger than kSaveImageSize ends the job with kSaveFileTooLarge.
std::uint32_t SaveRead(memory::HeapRecord* heap);
std::uint32_t SaveDelete();
// Renames the save file to a backup name beside it ("00_save.bin.broken", then
// ".broken2" and so on), never over an earlier backup. The file is kept, never
// deleted; kSaveFileFailed when it could not be set aside.
std::uint32_t SaveBackup();

// kSaveJobRunning while the job runs; then its final status, again on every
// later poll. PollSaveRead hands the buffer and its size over on the first
// poll that sees the job ended; later polls give null and 0, so the buffer
// can never be freed twice.
std::uint32_t PollSaveCreate();
std::uint32_t PollSaveRead(void** outBuffer, std::size_t* outSize);
std::uint32_t PollSaveDelete();
std::uint32_t PollSaveBackup();
// The name the last backup job gave the file; empty when it set nothing aside.
std::string GetLastSaveBackupPath();

// Waits until a job still held has ended on its own (a save being written is
// finished, never cut short) and lets its thread go. Called before shutting
// down frees what the job reads or lives in; the job's status stays for a
// later poll.
void FinishSaveJob();

// For runs that must repeat frame for frame: a started job has ended before its starter returns,
// so the next poll finds it done however the threads were scheduled. Off by default.
void SetSaveJobsWaited(bool waited);

}  // namespace vesk::file
