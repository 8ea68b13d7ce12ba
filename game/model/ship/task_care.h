// The tasks that treat crew members: a patient healed or cured in an infirmary, the doctor beside it, and mind control.
#pragma once

#include "game/model/ship/task_with_record.h"

// Picks a crew member who needs the treatment, keeps it in the room for the treatment time and
// then heals its HP ("THHP") or removes its debuff.
class GAME_CTaskPatient final : public GAME_CTaskWithRecord {
public:
    static constexpr std::int32_t kSearchPeriod = 180;
    static constexpr std::int32_t kMaterialPeriod = 180;
    static constexpr std::int32_t kDefaultFrames = 600;

    explicit GAME_CTaskPatient(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskPatient; }
    TaskTarget GetTargetIndex() const override { return {.actor = patient_}; }
    bool CanProgress(std::int32_t crewLimit, std::int32_t duration) override;
    void OnCrewMemberGone(const GAME_CObjectActor* member) override;
    void Update() override;
    void LoadRecord(std::span<const std::uint8_t> area, std::size_t index) override;
    // First aid ("THHP") rather than the cure of a debuff.
    bool IsHeal() const;

protected:
    void ApplyCompletionEffect() override;
    bool RepeatTask() override;

private:
    // The crew member the treatment is for, or null.
    GAME_CObjectActor* FindPatient();
    // HP units healed by one reward: the record's amount in thousandths, at least one.
    std::int64_t HealAmount() const;
    // The duration that heals the member's missing HP.
    void TimeHealFor(const GAME_CObjectActor& actor);

    GAME_CObjectActor* patient_ = nullptr;
    std::int32_t searchTimer_ = kSearchPeriod;
    std::int32_t materialTimer_ = kMaterialPeriod;
};

// Stands beside a patient task and ends when that task has gone.
class GAME_CTaskDoctor final : public GAME_CTaskBase {
public:
    explicit GAME_CTaskDoctor(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskDoctor; }
    std::int32_t GetCrewLimit() const override { return 1; }
    std::int32_t GetTaskValue() const override { return 3; }
    void Update() override;
    void LoadRecord(std::span<const std::uint8_t> area, std::size_t index) override;
    void OnLinkedTaskRemoved(const GAME_CTaskBase* removed) override;
    GAME_CTaskBase* GetLinkedTask() const { return linked_; }
    void SetLinkedTask(GAME_CTaskBase* patient) { linked_ = patient; }
    // The list position of the linked patient task as a save record names it (-1 none); the list
    // links it once every task is back.
    std::uint32_t GetSavedLinkIndex() const { return savedLinkIndex_; }

protected:
    void ApplyCompletionEffect() override;
    std::vector<ItemCount> SavedMaterialPairs() const override;

private:
    GAME_CTaskBase* linked_ = nullptr;
    std::uint32_t savedLinkIndex_ = kNoId;
};

// Takes a learned skill away from a crew member.
class GAME_CTaskMindControl final : public GAME_CTaskWithRecord {
public:
    static constexpr std::int32_t kSearchPeriod = 180;
    static constexpr std::int32_t kMaterialPeriod = 180;
    static constexpr std::int32_t kDefaultFrames = 600;
    static constexpr std::uint16_t kMindControlRoomKind = 14;

    explicit GAME_CTaskMindControl(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskMindControl; }
    std::int32_t GetCrewLimit() const override { return 1; }
    TaskTarget GetTargetIndex() const override { return {.actor = subject_}; }
    bool CanProgress(std::int32_t crewLimit, std::int32_t duration) override;
    void OnCrewMemberGone(const GAME_CObjectActor* member) override;
    void Update() override;
    void SaveRecord(std::span<std::uint8_t> area, std::size_t index) const override;
    void LoadRecord(std::span<const std::uint8_t> area, std::size_t index) override;
    // The skill slot (0 or 1) the order named.
    std::uint32_t SkillSlot() const { return slot_; }

private:
    GAME_CObjectActor* subject_ = nullptr;
    std::uint32_t slot_ = 0;
    std::int32_t searchTimer_ = kSearchPeriod;
    std::int32_t materialTimer_ = kMaterialPeriod;
};

// Keeps the crew member as the task's only crew and gives it the task (its old room lets it go).
void KeepAsOnlyCrew(GAME_CTaskBase& task, GAME_CObjectActor* actor);
