// A crew member's status block: name, meters in thousandths, condition flags, skill, buff and debuff slots, and the stats they give.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/services/data/record_entries.h"
#include "game/services/data/status_records.h"

class GAME_CObjectActor;

// A crew member's name: two UTF-16 characters of the name list (the save keeps their 4 bytes).
struct ActorName {
    std::array<char16_t, 2> units{};

    ActorName() = default;
    ActorName(std::u16string_view text) { *this = text; }  // NOLINT: names convert from text
    // The first two characters of the text; the rest of the field zero.
    ActorName& operator=(std::u16string_view text);
    // The characters up to the first zero.
    operator std::u16string_view() const;  // NOLINT
    bool IsEmpty() const { return units[0] == 0; }
    bool operator==(const ActorName& other) const = default;
};

// A meter in whole units: 1 to 999 thousandths count as 1, everything else is truncated.
std::int32_t WholeUnits(std::int32_t thousandths);

// What a crew record of a save slot gives the status block.
struct ActorStatusSave {
    std::array<std::uint32_t, 2> skillIds{kNoId, kNoId};
    std::array<std::uint32_t, 2> buffIds{kNoId, kNoId};
    std::array<std::uint32_t, 2> debuffIds{kNoId, kNoId};
    std::int32_t hp = 0;
    std::int32_t stamina = 0;
    std::int32_t calorie = 0;
    std::uint32_t flags = 0;
    std::int32_t progress = 0;
    // Frames left of each buff and debuff; 0 (a save that did not keep them) runs it its whole time.
    std::array<std::int32_t, 2> buffTimers{};
    std::array<std::int32_t, 2> debuffTimers{};
};

// The status block every crew member embeds. Meters are kept in thousandths of a unit and stay
// within 0 and their computed maximum x 1000; the computed periods are at least 1 frame.
class GAME_CActorStatus {
public:
    static constexpr std::uint32_t kFlagCritical = 1;
    static constexpr std::uint32_t kFlagExhausted = 2;
    static constexpr std::uint32_t kFlagStarving = 4;
    static constexpr std::uint32_t kSavedFlagMask = 0x7FFFFFFF;
    static constexpr std::int32_t kFramesPerSecond = 60;

    struct SkillSlot {
        std::uint32_t id = kNoId;
        const SkillData* record = nullptr;
    };
    struct BuffSlot {
        std::uint32_t id = kNoId;
        const BuffData* record = nullptr;
        std::int32_t timer = 0;  // frames left
    };
    struct DebuffSlot {
        std::uint32_t id = kNoId;
        const DebuffData* record = nullptr;
        std::int32_t timer = 0;  // frames left
    };

    // Owner none, the base and computed stats at their defaults, every slot empty, flags 0.
    GAME_CActorStatus();

    // A new crew member: slots and flags cleared, the database's base stats, full meters, a
    // random name from the name list, the stats computed.
    void Init(GAME_CObjectActor* owner);
    // One simulation step of the meters, the timers and the conditions.
    void Tick();
    // The computed stats anew from the base stats and the slots; meters lowered to their maxima.
    void Recalc();

    // Signed thousandths; a loss while the game clock is stopped changes nothing. The new value.
    std::int32_t AddHP(std::int32_t amount);
    std::int32_t AddStamina(std::int32_t amount);
    std::int32_t AddCalorie(std::int32_t amount);
    std::int32_t GetHP() const { return WholeUnits(hp); }
    std::int32_t GetStamina() const { return WholeUnits(stamina); }
    std::int32_t GetCalorie() const { return WholeUnits(calorie); }

    bool IsHPEmpty() const { return GetHP() == 0; }
    bool IsStarving() const;
    bool IsExhausted() const;
    bool IsCritical() const;
    // The starving and critical flags from the meters.
    void UpdateConditionFlags();

    void AddSkill(std::uint32_t id);
    void AddBuff(std::uint32_t id);
    void AddDebuff(std::uint32_t id);
    // An id of 0, -1 or -2 empties both slots of the kind.
    void RemoveSkill(std::uint32_t id);
    void RemoveBuff(std::uint32_t id);
    void RemoveDebuff(std::uint32_t id);
    // One slot chosen at random is emptied; preferring an occupied one, the other is emptied when
    // the chosen one is empty.
    void RemoveRandomSkill(bool preferOccupied);
    void RemoveRandomBuff(bool preferOccupied);
    void RemoveRandomDebuff(bool preferOccupied);

    // From a crew record of a save: slots, meters and progress, then the stats; the meters are
    // kept within their maxima and the flags' bits 0 to 30 are taken.
    void LoadFromSave(const ActorStatusSave& entry);
    ActorStatusSave MakeSave() const;
    // Every meter at its maximum, both buff slots empty.
    void RestoreFully();

    GAME_CObjectActor* owner = nullptr;
    ActorBaseStats base;
    ActorName name;
    std::int32_t progress = 0;  // compared with the base stats' need for the second skill slot
    std::int32_t hp = 0;
    std::int32_t stamina = 0;
    std::int32_t calorie = 0;
    std::array<SkillSlot, 2> skills{};
    std::array<BuffSlot, 2> buffs{};
    std::array<DebuffSlot, 2> debuffs{};
    std::uint32_t flags = 0;
    ActorBaseStats computed;
    std::int32_t staminaCountdown = 1;
    std::int32_t calorieCountdown = 1;
    std::int32_t hpCountdown = 1;

private:
    std::int32_t AddToMeter(std::int32_t& meter, std::int32_t amount, std::int32_t maximum);
    // The owner's task kind, -1 without a task.
    std::int32_t OwnerTaskKind() const;
    bool TickBuffs();
    bool TickDebuffs();
};

// Whether a slot id names something: -1 and 0 count as empty.
inline bool IsSlotIdSet(std::uint32_t id) { return id != kNoId && id != 0; }
