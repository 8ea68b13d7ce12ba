// The save and load machine: one job at a time on the save file, polled once a frame.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "framework/memory/heaps.h"

// Every access to the save file goes through here. A request starts a job on
// the file layer's worker thread and returns at once; the owner of the frame
// then runs Step once a frame until the machine is idle again.
// The machine never deletes the save file by itself: a file that cannot be
// used is set aside under a backup name (RequestBackupSave), never removed.
class GAME_CSaveManager : public vesk::memory::MainHeapObject {
public:
    enum State : std::uint32_t { kIdle = 0, kLoading = 1, kSaving = 2, kDeleting = 3, kBackingUp = 4 };
    // Results: success, no file, a file that is broken or could not be written, anything else
    // (a file that exists but cannot be read, no memory, no worker thread).
    enum Result : std::uint32_t { kOk = 0, kNotFound = 1, kBroken = 2, kOther = 4 };

    // Each returns false, doing nothing, unless the machine is idle and the job starts.
    bool RequestSaveCurrentSlot();
    bool RequestSaveSlot(std::uint32_t slot);
    bool RequestAutoSave();
    // Refused while another job runs, the system record is kept owed and written as soon as
    // the machine is idle.
    bool RequestSaveSystem();
    bool RequestLoad();
    // The file read again, as the return to the title reads it: the slots come back as the file
    // holds them, but a system record with changes the file lacks (an achievement earned while
    // another write ran, a setting whose write failed) is kept as the game holds it and written.
    bool RequestReread();
    bool RequestDeleteSave();
    // Renames the save file to a backup beside it, for a file the game cannot use.
    bool RequestBackupSave();
    // A file found broken: set aside as a backup, then, once that worked, written anew from the image
    // in memory (a save of the current slot). When it cannot be set aside it is left as it is.
    bool RequestBackupAndRewrite();

    // One step a frame: owed saves start, a finished job's result is taken.
    void Step();
    // At shut-down: the job in flight ends whole, and the saves owed behind it (an achievement
    // earned while it ran) are written before the game lets go of what they read.
    void FinishOwedWrites();
    // The autosave timer, once a frame from the main game after the simulation steps.
    void UpdateAutoSaveTimer();

    bool IsIdle() const { return state == kIdle; }
    // True once every system-record save requested so far is on disk.
    bool IsSystemRecordSaved() const { return savedSystemVersion_ >= requestedSystemVersion_; }
    bool IsSystemSavePending() const { return pendingSystemSave != 0; }

    // Play on without saving: every later save request is refused (the file is left alone).
    void HoldBackSaving() { savingHeldBack = 1; }
    bool IsSavingHeldBack() const { return savingHeldBack != 0; }

    std::uint32_t state = kIdle;
    std::uint32_t lastResult = kOk;
    std::uint32_t currentSlot = 0;
    std::uint32_t pendingSave = 0;
    std::uint32_t automatic = 0;
    std::uint32_t pendingSystemSave = 0;
    std::uint32_t savingHeldBack = 0;
    std::uint32_t autoSaveInterval = 0;  // frames, as last taken from the option
    std::uint32_t autoSaveCounter = 0;

private:
    bool CanSave() const;
    bool BuildAndWriteSlot(std::uint32_t slot, bool automatic);
    bool StartWrite();
    // A delete or backup job: the file layer's starter and the state while it runs.
    bool StartFileJob(std::uint32_t (*start)(), std::uint32_t jobState);
    void FinishLoad();
    void FinishWrite(std::uint32_t status);
    // A slot save's write that failed puts back what it replaced, so that the image's slots stay
    // what the file holds and no screen shows a save that is not on disk.
    void KeepSlotBeforeWrite(std::uint32_t slot);
    void PutBackSlotBeforeWrite();

    static constexpr std::uint32_t kNoSlotWritten = 0xFFFFFFFF;
    bool rewriteAfterBackup_ = false;
    bool keepUnsavedSystemOnLoad_ = false;
    std::vector<std::uint8_t> slotBeforeWrite_;
    std::uint32_t slotWritten_ = kNoSlotWritten;
    std::uint32_t imageSlotBeforeWrite_ = 0;
    std::uint32_t currentSlotBeforeWrite_ = 0;
    std::uint64_t requestedSystemVersion_ = 0;
    std::uint64_t writingSystemVersion_ = 0;
    std::uint64_t savedSystemVersion_ = 0;
};

// "PAUSEUI_SAVE_RUNNING" into the message log and the info bar (a save has started). An autosave
// that then cannot be written says so there too.
void PostSavingNotice();
// Stamps the local date and time into the slot's last-save time.
void WriteLastSaveTime(std::span<std::uint8_t> slot);

// The machine, made on first use.
GAME_CSaveManager* GetSaveManager();
GAME_CSaveManager* PeekSaveManager();
void DestroySaveManager();

// The image of a slot save: the working slot rebuilt from the running game (live areas kept from
// before), copied with the working system record into the image as its current slot.
void BuildSlotImage(std::uint32_t slot);

// A read save file: checked (size, header, checksum, format), then taken into the image and its
// current slot and system record into the working copies. The result is kOk or kBroken.
std::uint32_t TakeLoadedImage(std::span<const std::uint8_t> file);

// Writes the running game into a slot: each owner writes its own area, the live
// areas come from the copy of the working slot taken before the save began.
void StoreRunningGame(std::span<std::uint8_t> slot);
