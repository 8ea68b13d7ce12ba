// A crew member's status block: name, meters in thousandths, condition flags, skill, buff and debuff slots, and the stats they give.
#include "game/model/object/actor_status.h"

#include <algorithm>
#include <vector>

#include "framework/math/random.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/task_records.h"
#include "game/services/text/actor_names.h"
#include "game/services/clock/game_clock.h"
#include "game/model/object/actor_ai_base.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_mes_balloon.h"
#include "game/model/ship/task_base.h"

namespace {

constexpr std::int32_t kUnit = 1000;
constexpr std::size_t kModifierCount = 7;

bool IsClockStopped()
{
    const GAME_CGameClock* clock = PeekGameClock();
    return clock != nullptr && clock->timeStopped != 0;
}

ActorBaseStats DatabaseBaseStats()
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    return database != nullptr ? database->BaseStats() : ActorBaseStats{};
}

std::int32_t TruncateToInt(double value)
{
    return static_cast<std::int32_t>(std::clamp(value, -2147483648.0, 2147483647.0));
}

std::int32_t MeterMaximum(std::int32_t wholeUnits)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{wholeUnits} * kUnit, 0, INT32_MAX));
}

// A period that counts frames: never below 1, or the meter loops would not end.
void KeepPeriodPositive(std::int32_t& period) { period = std::max(period, 1); }

// One stage of the recalculation: the per-mille factors of the stage's records added up as
// differences from 1000, so that 1000 leaves a stat as it is; then the stats they change scaled.
struct ModifierStage {
    std::array<std::int64_t, kModifierCount> sums{kUnit, kUnit, kUnit, kUnit, kUnit, kUnit, kUnit};

    void Add(const StatModifier& record)
    {
        for (std::size_t i = 0; i < kModifierCount; ++i) sums[i] += std::int64_t{record.factors[i]} - kUnit;
    }

    void Apply(ActorBaseStats& stats) const
    {
        const auto factor = [&](std::size_t i) { return static_cast<double>(sums[i]) * 0.001; };
        stats.maxHp = TruncateToInt(stats.maxHp * factor(0));
        stats.maxStamina = TruncateToInt(stats.maxStamina * factor(1));
        stats.maxCalorie = TruncateToInt(stats.maxCalorie * factor(2));
        stats.caloriePeriod =
            TruncateToInt(stats.caloriePeriod / (static_cast<double>(std::max<std::int64_t>(sums[3], 1)) * 0.001));
        stats.walkSpeedX = static_cast<float>(stats.walkSpeedX * factor(4));
        stats.walkSpeedY = static_cast<float>(stats.walkSpeedY * factor(5));
    }
};

void AddGroupOnce(std::vector<std::uint16_t>& groups, const std::vector<std::uint16_t>& found)
{
    for (std::uint16_t group : found) {
        if (std::find(groups.begin(), groups.end(), group) == groups.end()) groups.push_back(group);
    }
}

template <typename Slot>
bool HoldsId(const std::array<Slot, 2>& slots, std::uint32_t id)
{
    return std::any_of(slots.begin(), slots.end(), [&](const Slot& slot) { return slot.id == id; });
}

template <typename Slot>
void RemoveById(std::array<Slot, 2>& slots, std::uint32_t id)
{
    const bool both = id == 0 || id == kNoId || id == 0xFFFFFFFE;
    for (Slot& slot : slots) {
        if (both || slot.id == id) slot = Slot{};
    }
}

template <typename Slot>
void RemoveRandom(std::array<Slot, 2>& slots, bool preferOccupied)
{
    const std::size_t chosen = static_cast<std::size_t>(vesk::math::Rand() & 1);
    if (!preferOccupied) {
        slots[chosen] = Slot{};
        return;
    }
    if (IsSlotIdSet(slots[chosen].id)) {
        slots[chosen] = Slot{};
    } else if (IsSlotIdSet(slots[1 - chosen].id)) {
        slots[1 - chosen] = Slot{};
    }
}

}  // namespace

ActorName& ActorName::operator=(std::u16string_view text)
{
    units = {};
    for (std::size_t i = 0; i < units.size() && i < text.size(); ++i) units[i] = text[i];
    return *this;
}

ActorName::operator std::u16string_view() const
{
    const std::size_t length = units[0] == 0 ? 0 : (units[1] == 0 ? 1 : 2);
    return {units.data(), length};
}

std::int32_t WholeUnits(std::int32_t thousandths)
{
    return thousandths >= 1 && thousandths < kUnit ? 1 : thousandths / kUnit;
}

GAME_CActorStatus::GAME_CActorStatus() = default;

void GAME_CActorStatus::Init(GAME_CObjectActor* newOwner)
{
    skills = {};
    buffs = {};
    debuffs = {};
    flags = 0;
    name = ActorName{};
    progress = 0;
    base = DatabaseBaseStats();
    hp = MeterMaximum(base.maxHp);
    stamina = MeterMaximum(base.maxStamina);
    calorie = MeterMaximum(base.maxCalorie);
    owner = newOwner;
    name = PickRandomActorName();
    Recalc();
    staminaCountdown = 1;
    calorieCountdown = 1;
    hpCountdown = 1;
}

std::int32_t GAME_CActorStatus::OwnerTaskKind() const
{
    return owner != nullptr && owner->task != nullptr ? owner->task->GetKind() : -1;
}

bool GAME_CActorStatus::IsStarving() const { return GetCalorie() == 0 || (flags & kFlagStarving) != 0; }

bool GAME_CActorStatus::IsExhausted() const { return GetStamina() == 0 || (flags & kFlagExhausted) != 0; }

bool GAME_CActorStatus::IsCritical() const
{
    if (GetCalorie() > 0 && (flags & kFlagStarving) == 0) return (flags & kFlagCritical) != 0;
    return GetStamina() == 0 || (flags & kFlagExhausted) != 0 || (flags & kFlagCritical) != 0;
}

void GAME_CActorStatus::UpdateConditionFlags()
{
    if (GetCalorie() == 0) {
        flags |= kFlagStarving;
        if (GetStamina() == 0 || (flags & kFlagExhausted) != 0) {
            flags |= kFlagCritical;
        } else {
            flags &= ~kFlagCritical;
        }
    } else {
        flags &= ~(kFlagStarving | kFlagCritical);
    }
}

std::int32_t GAME_CActorStatus::AddToMeter(std::int32_t& meter, std::int32_t amount, std::int32_t maximum)
{
    if (amount < 0 && IsClockStopped()) return meter;
    meter = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{meter} + amount, 0, MeterMaximum(maximum)));
    UpdateConditionFlags();
    return meter;
}

std::int32_t GAME_CActorStatus::AddHP(std::int32_t amount) { return AddToMeter(hp, amount, computed.maxHp); }

std::int32_t GAME_CActorStatus::AddStamina(std::int32_t amount)
{
    return AddToMeter(stamina, amount, computed.maxStamina);
}

std::int32_t GAME_CActorStatus::AddCalorie(std::int32_t amount)
{
    return AddToMeter(calorie, amount, computed.maxCalorie);
}

void GAME_CActorStatus::Tick()
{
    const std::int32_t kind = OwnerTaskKind();
    const bool hasTask = owner != nullptr && owner->task != nullptr;
    // 1. Calorie and starving.
    if (calorie <= 0) {
        flags |= kFlagStarving;
        if (kind != kTaskMeal && kind != kTaskBreak) --staminaCountdown;
    } else if (kind != kTaskMeal) {
        flags &= ~kFlagStarving;
        --calorieCountdown;
        if (!hasTask) --staminaCountdown;
    }
    // 2. Exhaustion lasts until stamina is full again.
    if (stamina > 0) {
        if (GetStamina() >= computed.maxStamina) flags &= ~kFlagExhausted;
    } else {
        flags |= kFlagExhausted;
    }
    // 3. Critical: HP drains unless the crew member eats or rests.
    if (!IsCritical()) {
        flags &= ~kFlagCritical;
    } else if (kind != kTaskMeal && kind != kTaskBreak && kind != kTaskMealOnGrid) {
        --hpCountdown;
    }
    const bool stopped = IsClockStopped();
    // 4. to 6. The meter steps; each expiry adds its period.
    while (calorieCountdown < 1) {
        if (!stopped) AddCalorie(-kUnit);
        calorieCountdown += computed.caloriePeriod;
    }
    while (staminaCountdown < 1) {
        if (IsStarving()) {
            if (!stopped) AddStamina(-kUnit);
            staminaCountdown += computed.starvingStaminaDrainPeriod;
        } else {
            // Recovery goes on while the clock is stopped.
            stamina = static_cast<std::int32_t>(
                std::min<std::int64_t>(std::int64_t{stamina} + kUnit, MeterMaximum(computed.maxStamina)));
            UpdateConditionFlags();
            staminaCountdown += (flags & kFlagExhausted) != 0 ? computed.exhaustedStaminaRecoveryPeriod
                                                              : computed.staminaRecoveryPeriod;
        }
    }
    while (hpCountdown < 1) {
        if (!stopped) AddHP(-kUnit);
        hpCountdown += computed.criticalHpDrainPeriod;
    }
    // 7. to 9. Buffs and debuffs run out.
    const bool buffEnded = TickBuffs();
    const bool debuffEnded = TickDebuffs();
    if (buffEnded || debuffEnded) Recalc();
    // 10. A starving crew member on a break looks for a meal.
    if (IsStarving() && kind == kTaskBreak && owner != nullptr && owner->ai != nullptr) {
        owner->ai->SeekMeal(owner->GetGridColumn(), owner->GetGridRow());
    }
}

bool GAME_CActorStatus::TickBuffs()
{
    bool ended = false;
    for (BuffSlot& slot : buffs) {
        if (!IsSlotIdSet(slot.id) && slot.record == nullptr) continue;
        if (--slot.timer < 1) {
            slot = BuffSlot{};
            ended = true;
        }
    }
    return ended;
}

bool GAME_CActorStatus::TickDebuffs()
{
    bool ended = false;
    for (DebuffSlot& slot : debuffs) {
        if (!IsSlotIdSet(slot.id) && slot.record == nullptr) continue;
        --slot.timer;
        const std::int32_t interval = slot.record != nullptr ? slot.record->hpDrainInterval : 0;
        if (interval > 0 && slot.timer % interval == 0) AddHP(-kUnit);
        if (slot.timer < 1) {
            slot = DebuffSlot{};
            ended = true;
        }
    }
    return ended;
}

void GAME_CActorStatus::Recalc()
{
    base = DatabaseBaseStats();
    ActorBaseStats work = base;
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    std::vector<std::uint16_t> groups;
    std::vector<std::uint16_t> found;

    ModifierStage skillStage;
    for (SkillSlot& slot : skills) {
        slot.record = FindSkillData(slot.id);
        if (slot.record != nullptr) skillStage.Add(*slot.record);
    }
    skillStage.Apply(work);

    // Buffs and debuffs: a slot whose timer has run out starts it anew, and the balloon groups of
    // their kind are said.
    const auto timedStage = [&](auto& slots, auto find, auto collect) {
        ModifierStage stage;
        for (auto& slot : slots) {
            slot.record = find(slot.id);
            if (slot.record == nullptr) continue;
            if (slot.timer < 1) slot.timer = slot.record->durationSeconds * kFramesPerSecond;
            if (database != nullptr) {
                (database->*collect)(slot.id, found);
                AddGroupOnce(groups, found);
            }
            stage.Add(*slot.record);
        }
        stage.Apply(work);
    };
    timedStage(buffs, FindBuffData, &GAME_CStaticDatabase::CollectBalloonGroupsForBuff);
    timedStage(debuffs, FindDebuffData, &GAME_CStaticDatabase::CollectBalloonGroupsForDebuff);

    computed = work;
    hpCountdown = 1;
    if (owner != nullptr && owner->balloon != nullptr) {
        for (std::uint16_t group : groups) owner->balloon->ShowMessage(group, -1);
    }
    hp = std::min(hp, MeterMaximum(computed.maxHp));
    stamina = std::min(stamina, MeterMaximum(computed.maxStamina));
    calorie = std::min(calorie, MeterMaximum(computed.maxCalorie));
    KeepPeriodPositive(computed.workInterval);
    KeepPeriodPositive(computed.caloriePeriod);
    KeepPeriodPositive(computed.staminaRecoveryPeriod);
    KeepPeriodPositive(computed.exhaustedStaminaRecoveryPeriod);
    KeepPeriodPositive(computed.starvingStaminaDrainPeriod);
    KeepPeriodPositive(computed.criticalHpDrainPeriod);
}

void GAME_CActorStatus::AddSkill(std::uint32_t id)
{
    const SkillData* record = FindSkillData(id);
    if (record == nullptr || HoldsId(skills, id)) return;
    SkillSlot* slot = nullptr;
    if (!IsSlotIdSet(skills[0].id)) {
        slot = &skills[0];
    } else if (!IsSlotIdSet(skills[1].id) && progress >= base.secondSkillSlotNeed) {
        slot = &skills[1];
    }
    if (slot == nullptr) return;
    *slot = SkillSlot{id, record};
    Recalc();
}

void GAME_CActorStatus::AddBuff(std::uint32_t id)
{
    const BuffData* record = FindBuffData(id);
    if (record == nullptr) return;
    for (BuffSlot& slot : buffs) {
        if (slot.id == id) {
            slot.timer = record->durationSeconds * kFramesPerSecond;
            return;
        }
    }
    for (BuffSlot& slot : buffs) {
        if (!IsSlotIdSet(slot.id)) {
            slot = BuffSlot{id, record, 0};
            Recalc();
            return;
        }
    }
}

void GAME_CActorStatus::AddDebuff(std::uint32_t id)
{
    const DebuffData* record = FindDebuffData(id);
    if (record == nullptr || HoldsId(debuffs, id)) return;
    for (DebuffSlot& slot : debuffs) {
        if (!IsSlotIdSet(slot.id)) {
            slot = DebuffSlot{id, record, 0};
            Recalc();
            return;
        }
    }
}

void GAME_CActorStatus::RemoveSkill(std::uint32_t id)
{
    RemoveById(skills, id);
    Recalc();
}

void GAME_CActorStatus::RemoveBuff(std::uint32_t id)
{
    RemoveById(buffs, id);
    Recalc();
}

void GAME_CActorStatus::RemoveDebuff(std::uint32_t id)
{
    RemoveById(debuffs, id);
    Recalc();
}

void GAME_CActorStatus::RemoveRandomSkill(bool preferOccupied)
{
    RemoveRandom(skills, preferOccupied);
    Recalc();
}

void GAME_CActorStatus::RemoveRandomBuff(bool preferOccupied)
{
    RemoveRandom(buffs, preferOccupied);
    Recalc();
}

void GAME_CActorStatus::RemoveRandomDebuff(bool preferOccupied)
{
    RemoveRandom(debuffs, preferOccupied);
    Recalc();
}

void GAME_CActorStatus::LoadFromSave(const ActorStatusSave& entry)
{
    for (std::size_t i = 0; i < 2; ++i) {
        skills[i] = SkillSlot{entry.skillIds[i], nullptr};
        buffs[i] = BuffSlot{entry.buffIds[i], nullptr, std::max(0, entry.buffTimers[i])};
        debuffs[i] = DebuffSlot{entry.debuffIds[i], nullptr, std::max(0, entry.debuffTimers[i])};
    }
    hp = entry.hp;
    stamina = entry.stamina;
    calorie = entry.calorie;
    progress = entry.progress;
    Recalc();
    // A buff or debuff goes on for the time it had left, never longer than it lasts.
    const auto keepTimeLeft = [](auto& slots) {
        for (auto& slot : slots) {
            slot.timer = slot.record != nullptr ? std::min(slot.timer, slot.record->durationSeconds * kFramesPerSecond) : 0;
        }
    };
    keepTimeLeft(buffs);
    keepTimeLeft(debuffs);
    // A save is not trusted: a meter below 0 is as empty as 0.
    hp = std::max(hp, 0);
    stamina = std::max(stamina, 0);
    calorie = std::max(calorie, 0);
    flags = entry.flags & kSavedFlagMask;
}

ActorStatusSave GAME_CActorStatus::MakeSave() const
{
    ActorStatusSave entry;
    for (std::size_t i = 0; i < 2; ++i) {
        entry.skillIds[i] = skills[i].id;
        entry.buffIds[i] = buffs[i].id;
        entry.debuffIds[i] = debuffs[i].id;
    }
    entry.hp = hp;
    entry.stamina = stamina;
    entry.calorie = calorie;
    entry.flags = flags;
    entry.progress = progress;
    for (std::size_t i = 0; i < 2; ++i) {
        entry.buffTimers[i] = buffs[i].timer;
        entry.debuffTimers[i] = debuffs[i].timer;
    }
    return entry;
}

void GAME_CActorStatus::RestoreFully()
{
    hp = MeterMaximum(computed.maxHp);
    stamina = MeterMaximum(computed.maxStamina);
    calorie = MeterMaximum(computed.maxCalorie);
    buffs = {};
    UpdateConditionFlags();
}
