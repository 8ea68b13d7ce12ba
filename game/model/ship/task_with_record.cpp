// The crew tasks that work from one task-data record: the record kept once, its material pairs, its terms and its carry requests.
#include "game/model/ship/task_with_record.h"

#include <algorithm>

namespace {

constexpr std::size_t kMaxRecordMaterials = 5;

}  // namespace

std::span<const ItemCount> RecordMaterials(const TaskData* record)
{
    if (record == nullptr) return {};
    return std::span<const ItemCount>(record->materials).first(kMaxRecordMaterials);
}

std::int32_t SecondsToTaskFrames(std::int64_t seconds)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(seconds * 60, 0, INT32_MAX));
}

GAME_CTaskWithRecord::GAME_CTaskWithRecord(const GAME_CTaskRequest& request, const TaskData* record)
    : GAME_CTaskBase(request), record_(record)
{
}

std::span<const ItemCount> GAME_CTaskWithRecord::GetRequiredMaterials() const { return RecordMaterials(record_); }

std::int32_t GAME_CTaskWithRecord::RecordFramesOr(std::int32_t fallback) const
{
    return record_ != nullptr && record_->durationSeconds > 0 ? SecondsToTaskFrames(record_->durationSeconds) : fallback;
}

void GAME_CTaskWithRecord::TakeRecordTerms(std::int32_t defaultFrames)
{
    crewLimit = record_ != nullptr ? std::max(1, record_->crewLimit) : 1;
    duration = RecordFramesOr(defaultFrames);
    TakeSounds(record_);
}

void GAME_CTaskWithRecord::PostRecordCarryRequests() { PostCarryRequests(RecordMaterials(record_), kMaxRecordMaterials); }

void GAME_CTaskWithRecord::TopUpRecordMaterials() { TopUpMaterials(RecordMaterials(record_)); }
