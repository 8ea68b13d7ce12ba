// The attack task: one shooting cycle of a turret room against the nearest enemy.
#pragma once

#include "game/model/ship/task_base.h"

class GAME_CObjectEnemy;

// A crew member mans the turret; the turret fires one round at the first step of progress, and
// at the end of the cycle the next cycle is posted against the enemy then nearest.
class GAME_CTaskAttackToEnemy final : public GAME_CTaskBase {
public:
    static constexpr std::int32_t kAchievementOfFirstCheeseBomb = 9;

    explicit GAME_CTaskAttackToEnemy(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const override { return kTaskAttackToEnemy; }
    // The two timing words, kept in milliseconds, in frames.
    std::int32_t GetExtraValue1() const override;
    std::int32_t GetExtraValue2() const override;
    void ResetTimers() override;
    void Update() override;

    std::int32_t timingMilliseconds1 = 0;
    std::int32_t timingMilliseconds2 = 0;

protected:
    bool RepeatTask() override;

private:
    // Drops the crew who cannot man the turret any more.
    void CleanCrew();
    // Fires the cycle's round; false when the turret cannot (the task then ends).
    bool Fire();
    // The next cycle against the enemy then nearest, the leading crew member handed over; false
    // when none is posted.
    bool PostNextCycle();
    // Ends the task and stands the turret down.
    void EndCycle();
    // The turret leaves its work label unless another cycle of its room carries on.
    void StandDownRoom();

    bool fired_ = false;
};

// An enemy that still fights: alive, with HP, and not in its death.
bool IsEnemyFighting(const GAME_CObjectEnemy* enemy);
