// The save and load machine: one job at a time on the save file, polled once a frame.
#include "game/services/save/save_manager.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "framework/app/date_time.h"
#include "framework/file/heap_block.h"
#include "framework/file/save_file.h"
#include "framework/log/log.h"
#include "game/services/player/player_data.h"
#include "game/services/save/autosave_links.h"
#include "game/services/save/kept_slot_fields.h"
#include "game/services/save/save_image.h"
#include "game/services/text/message_text.h"
#include "game/services/ui_port/ui_port.h"
#include "game/services/ui_port/ui_slots.h"
#include "platform/little_endian.h"

using namespace save_layout;

namespace {

GAME_CSaveManager* g_saveManager = nullptr;

constexpr std::uint32_t kFramesPerMinute = 3600;
constexpr std::uint32_t kAutoSaveRetryFrames = 600;
constexpr std::size_t kSavingNoticeLength = 128;
constexpr std::uint32_t kAutoSaveLineKind = 1;
constexpr std::uint32_t kSaveShuffleSeed = 1;

// The file layer's answer to a finished write or backup: whether the file is missing, could not
// be written, or something else went wrong.
std::uint32_t ResultOfWrite(std::uint32_t status)
{
    switch (status) {
    case vesk::file::kSaveJobDone:
        return GAME_CSaveManager::kOk;
    case vesk::file::kSaveFileFailed:
        return GAME_CSaveManager::kBroken;
    default:
        return GAME_CSaveManager::kOther;
    }
}

}  // namespace

namespace {

// A save's line into the message log and the info bar.
void PostSaveLine(const char* key)
{
    GAME_CUIPort* ui = ActiveUIPort();
    if (ui == nullptr) return;
    std::u16string text = GetMessageTextExpanded(key);
    text.resize(std::min(text.size(), kSavingNoticeLength));
    ui->PostLine(text, kAutoSaveLineKind);
}

}  // namespace

void PostSavingNotice() { PostSaveLine("PAUSEUI_SAVE_RUNNING"); }

void WriteLastSaveTime(std::span<std::uint8_t> slot)
{
    vesk::app::DateTime now{};
    vesk::app::GetLocalDateTime(now);
    const std::uint32_t fields[8] = {now.year,   now.month,  now.day,         now.hour,
                                     now.minute, now.second, now.millisecond, now.dayOfWeek};
    for (std::size_t i = 0; i < 8; ++i) platform::WriteU32(slot, slot::kLastSaveTime + 4 * i, fields[i]);
}

bool GAME_CSaveManager::CanSave() const
{
    if (state != kIdle) return false;
    if (savingHeldBack != 0) {
        vesk::log::Info("save refused: the game runs without saving");
        return false;
    }
    return true;
}

bool GAME_CSaveManager::StartWrite()
{
    SaveAreas& areas = GetSaveAreas();
    WriteSaveHeader(areas.image);
    const std::uint32_t status = vesk::file::SaveCreate(areas.image.data());
    if (status != vesk::file::kSaveJobRunning) {
        vesk::log::Error("the save could not start (file layer status " + std::to_string(status) + ")");
        state = kIdle;
        lastResult = kOther;
        automatic = 0;
        // An owed system record is answered as not written rather than tried again every frame, which
        // would keep a screen waiting on it for ever; it goes with the next save that starts.
        pendingSystemSave = 0;
        return false;
    }
    // The image now holds the working system record: any system save owed so far is in this write.
    writingSystemVersion_ = requestedSystemVersion_;
    pendingSystemSave = 0;
    state = kSaving;
    lastResult = kOk;
    return true;
}

void GAME_CSaveManager::KeepSlotBeforeWrite(std::uint32_t slot)
{
    SaveAreas& areas = GetSaveAreas();
    const auto kept = areas.ImageSlot(static_cast<int>(slot));
    slotBeforeWrite_.assign(kept.begin(), kept.end());
    slotWritten_ = slot;
    imageSlotBeforeWrite_ = areas.ImageCurrentSlot();
    currentSlotBeforeWrite_ = currentSlot;
}

void GAME_CSaveManager::PutBackSlotBeforeWrite()
{
    if (slotWritten_ == kNoSlotWritten) return;
    SaveAreas& areas = GetSaveAreas();
    std::memcpy(areas.ImageSlot(static_cast<int>(slotWritten_)).data(), slotBeforeWrite_.data(), kSlotSize);
    areas.SetImageCurrentSlot(imageSlotBeforeWrite_);
    currentSlot = currentSlotBeforeWrite_;
    slotWritten_ = kNoSlotWritten;
}

bool GAME_CSaveManager::BuildAndWriteSlot(std::uint32_t slot, bool isAutomatic)
{
    if (!CanSave()) return false;
    const std::uint32_t target = std::min<std::uint32_t>(slot, kSlotCount - 1);
    KeepSlotBeforeWrite(target);
    currentSlot = target;
    BuildSlotImage(currentSlot);
    automatic = isAutomatic ? 1 : 0;
    if (StartWrite()) return true;
    PutBackSlotBeforeWrite();
    return false;
}

bool GAME_CSaveManager::RequestSaveCurrentSlot() { return BuildAndWriteSlot(currentSlot, false); }

bool GAME_CSaveManager::RequestSaveSlot(std::uint32_t slot)
{
    if (slot >= static_cast<std::uint32_t>(kSlotCount)) return false;
    return BuildAndWriteSlot(slot, false);
}

bool GAME_CSaveManager::RequestAutoSave() { return BuildAndWriteSlot(kAutoSaveSlot, true); }

bool GAME_CSaveManager::RequestSaveSystem()
{
    ++requestedSystemVersion_;
    if (!CanSave()) {
        pendingSystemSave = savingHeldBack == 0 ? 1 : 0;
        return false;
    }
    SaveAreas& areas = GetSaveAreas();
    std::memcpy(areas.ImageSystemRecord().data(), areas.workingSystem.data(), kSystemRecordSize);
    automatic = 1;
    slotWritten_ = kNoSlotWritten;
    return StartWrite();
}

bool GAME_CSaveManager::RequestLoad()
{
    if (state != kIdle) return false;
    const std::uint32_t status = vesk::file::SaveRead(nullptr);
    if (status != vesk::file::kSaveJobRunning) {
        vesk::log::Error("the save file could not be read (file layer status " + std::to_string(status) + ")");
        lastResult = kOther;
        return false;
    }
    state = kLoading;
    lastResult = kOk;
    keepUnsavedSystemOnLoad_ = false;
    return true;
}

bool GAME_CSaveManager::RequestReread()
{
    if (!RequestLoad()) return false;
    keepUnsavedSystemOnLoad_ = true;
    return true;
}

bool GAME_CSaveManager::StartFileJob(std::uint32_t (*start)(), std::uint32_t jobState)
{
    if (!CanSave()) return false;
    if (start() != vesk::file::kSaveJobRunning) {
        lastResult = kOther;
        return false;
    }
    state = jobState;
    lastResult = kOk;
    return true;
}

bool GAME_CSaveManager::RequestDeleteSave() { return StartFileJob(&vesk::file::SaveDelete, kDeleting); }

bool GAME_CSaveManager::RequestBackupSave() { return StartFileJob(&vesk::file::SaveBackup, kBackingUp); }

bool GAME_CSaveManager::RequestBackupAndRewrite()
{
    rewriteAfterBackup_ = RequestBackupSave();
    return rewriteAfterBackup_;
}

void GAME_CSaveManager::FinishLoad()
{
    void* buffer = nullptr;
    std::size_t size = 0;
    const std::uint32_t status = vesk::file::PollSaveRead(&buffer, &size);
    if (status == vesk::file::kSaveJobRunning) return;
    state = kIdle;
    if (status == vesk::file::kSaveFileFailed) {
        lastResult = kNotFound;
    } else if (status == vesk::file::kSaveFileTooLarge) {
        lastResult = kBroken;
    } else if (status != vesk::file::kSaveJobDone) {
        // The file is there but could not be read: it must be left as it is.
        lastResult = kOther;
    } else {
        // Asked for while the load ran, or owed by a write that ended or failed before it: the file
        // does not hold it yet, and what the game counts as kept must not go back to the file's.
        SaveAreas& areas = GetSaveAreas();
        const bool keepSystem = keepUnsavedSystemOnLoad_ && (!IsSystemRecordSaved() || pendingSystemSave != 0);
        std::vector<std::uint8_t> unsavedSystem;
        if (keepSystem) unsavedSystem = areas.workingSystem;
        lastResult = TakeLoadedImage(std::span(static_cast<const std::uint8_t*>(buffer), size));
        if (lastResult == kOk) currentSlot = areas.ImageCurrentSlot();
        if (lastResult == kOk && keepSystem) {
            areas.workingSystem = std::move(unsavedSystem);
            std::memcpy(areas.ImageSystemRecord().data(), areas.workingSystem.data(), kSystemRecordSize);
            pendingSystemSave = 1;
        }
    }
    keepUnsavedSystemOnLoad_ = false;
    vesk::file::FreeFileBlock(buffer);
}

void GAME_CSaveManager::FinishWrite(std::uint32_t status)
{
    const bool automaticSlotSave = automatic != 0 && slotWritten_ != kNoSlotWritten;
    state = kIdle;
    automatic = 0;
    lastResult = ResultOfWrite(status);
    if (lastResult == kOk) {
        savedSystemVersion_ = std::max(savedSystemVersion_, writingSystemVersion_);
        slotWritten_ = kNoSlotWritten;
    } else {
        PutBackSlotBeforeWrite();
        // Nobody waits on an autosave: its "saving" line alone would leave the player sure it was written.
        if (automaticSlotSave) PostSaveLine("PAUSEUI_AUTOSAVE_FAILED");
    }
}

void GAME_CSaveManager::Step()
{
    if (state == kIdle) {
        if (pendingSave != 0) {
            pendingSave = 0;
            RequestSaveCurrentSlot();
        } else if (pendingSystemSave != 0) {
            RequestSaveSystem();
        }
        return;
    }
    switch (state) {
    case kLoading:
        FinishLoad();
        break;
    case kSaving: {
        const std::uint32_t status = vesk::file::PollSaveCreate();
        if (status != vesk::file::kSaveJobRunning) FinishWrite(status);
        break;
    }
    case kDeleting:
    case kBackingUp: {
        const std::uint32_t status = state == kDeleting ? vesk::file::PollSaveDelete() : vesk::file::PollSaveBackup();
        if (status == vesk::file::kSaveJobRunning) break;
        state = kIdle;
        lastResult = status == vesk::file::kSaveJobDone ? kOk : kOther;
        if (rewriteAfterBackup_) {
            rewriteAfterBackup_ = false;
            if (lastResult == kOk) {
                pendingSave = 1;
            } else {
                vesk::log::Error("the broken save file could not be set aside; it is left as it is");
            }
        }
        break;
    }
    default:
        state = kIdle;
        break;
    }
}

void GAME_CSaveManager::FinishOwedWrites()
{
    // Each round waits for one job and takes its end or starts the next owed save; a job that cannot
    // start leaves its save owed, so the rounds are counted rather than run until nothing is owed.
    constexpr int kRounds = 8;
    for (int round = 0; round < kRounds; ++round) {
        vesk::file::FinishSaveJob();
        if (IsIdle() && pendingSave == 0 && pendingSystemSave == 0) return;
        Step();
    }
}

void GAME_CSaveManager::UpdateAutoSaveTimer()
{
    const GAME_CPlayerData* player = GetPlayerData();
    const AutoSaveRouteState route = ReadAutoSaveRouteState();
    if (player == nullptr || !route.travelling || route.eventRunning) return;
    const GAME_CUIPort* ui = ActiveUIPort();
    if (ui == nullptr || ui->IsOpen(kSlotTitle) || ui->IsOpen(kSlotSaveSlots)) return;
    const std::uint32_t interval = std::uint32_t{player->autoSaveMinutes} * kFramesPerMinute;
    if (interval != autoSaveInterval) {
        autoSaveInterval = interval;
        autoSaveCounter = 0;
        return;
    }
    if (interval == 0) return;
    if (++autoSaveCounter < interval) return;
    if (route.holding) {
        autoSaveCounter = interval > kAutoSaveRetryFrames ? interval - kAutoSaveRetryFrames : 0;
        return;
    }
    WriteLastSaveTime(GetWorkingSlot());
    autoSaveCounter = 0;
    if (RequestAutoSave()) PostSavingNotice();
}

void BuildSlotImage(std::uint32_t slot)
{
    SaveAreas& areas = GetSaveAreas();
    areas.SetImageCurrentSlot(slot);
    areas.preSaveSlot = areas.workingSlot;
    // The running game is written over a new game's slot, its quest offers with the rest, so that
    // slot's shuffle draws from a generator of the save's own: drawing from the game's would make a
    // saved game play on otherwise than the same game unsaved.
    std::mt19937 saveDraws(kSaveShuffleSeed);
    InitNewGameSlot(areas.workingSlot, true, [&saveDraws] { return static_cast<int>(saveDraws() >> 17); });
    StoreRunningGame(areas.workingSlot);
    std::memcpy(areas.ImageSlot(static_cast<int>(slot)).data(), areas.workingSlot.data(), kSlotSize);
    std::memcpy(areas.ImageSystemRecord().data(), areas.workingSystem.data(), kSystemRecordSize);
}

std::uint32_t TakeLoadedImage(std::span<const std::uint8_t> file)
{
    if (file.size() != kImageSize) {
        vesk::log::Error("save file has " + std::to_string(file.size()) + " bytes, not " + std::to_string(kImageSize));
        return GAME_CSaveManager::kBroken;
    }
    // The file's bytes are checked where they lie and copied once, into the image, when they pass:
    // a refused file leaves the image as it was.
    if (!CheckSaveImage(file)) {
        vesk::log::Error("save file is damaged: its header or checksum does not match");
        return GAME_CSaveManager::kBroken;
    }
    // Only the format this game writes is read: a newer one is not ours to guess at, and no
    // game ever wrote format 0, so such a word means the header itself is damaged.
    if (GetSaveImageFormat(file) != kFormat) {
        vesk::log::Error("save file is of format " + std::to_string(GetSaveImageFormat(file)) +
                         ", which this game does not read");
        return GAME_CSaveManager::kBroken;
    }
    SaveAreas& areas = GetSaveAreas();
    areas.image.assign(file.begin(), file.end());
    for (int number = 0; number < kSlotCount; ++number) CheckKeptSlotFields(areas.ImageSlot(number), number);
    std::uint32_t slot = areas.ImageCurrentSlot();
    if (slot >= static_cast<std::uint32_t>(kSlotCount)) {
        vesk::log::Warning("save data: current slot " + std::to_string(slot) + " does not exist; slot 0 is taken");
        slot = 0;
        areas.SetImageCurrentSlot(slot);
    }
    const auto image = areas.ImageSlot(static_cast<int>(slot));
    areas.workingSlot.assign(image.begin(), image.end());
    const auto system = areas.ImageSystemRecord();
    areas.workingSystem.assign(system.begin(), system.end());
    return GAME_CSaveManager::kOk;
}

GAME_CSaveManager* GetSaveManager()
{
    if (g_saveManager == nullptr) g_saveManager = new GAME_CSaveManager;
    return g_saveManager;
}

GAME_CSaveManager* PeekSaveManager() { return g_saveManager; }

void DestroySaveManager()
{
    delete g_saveManager;
    g_saveManager = nullptr;
}
