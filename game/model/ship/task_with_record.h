// The crew tasks that work from one task-data record: the record kept once, its material pairs, its terms and its carry requests.
#pragma once

#include <cstdint>
#include <span>

#include "game/model/ship/task_base.h"

// A task whose work one task-data record describes. The record is chosen when the task is made
// (null when there is none) and kept for the task's life: it answers GetTaskData, and its material
// pairs are what the task needs delivered before it works.
class GAME_CTaskWithRecord : public GAME_CTaskBase {
public:
    const TaskData* GetTaskData() const override { return record_; }

protected:
    GAME_CTaskWithRecord(const GAME_CTaskRequest& request, const TaskData* record);

    std::span<const ItemCount> GetRequiredMaterials() const override;
    // The record's duration in frames, or `fallback` without a record or a positive duration.
    std::int32_t RecordFramesOr(std::int32_t fallback) const;
    // Crew limit (at least 1) and duration from the record, else 1 and `defaultFrames`; the
    // record's sounds.
    void TakeRecordTerms(std::int32_t defaultFrames);
    // One carry request per material pair of the record.
    void PostRecordCarryRequests();
    // Tops up the record's material pairs as TopUpMaterials does.
    void TopUpRecordMaterials();

    const TaskData* const record_;
};

// The record's material pairs (at most five) that tasks of the kinds that collect them need.
std::span<const ItemCount> RecordMaterials(const TaskData* record);
// Seconds from a request or record as frames, kept within 32 bits.
std::int32_t SecondsToTaskFrames(std::int64_t seconds);
