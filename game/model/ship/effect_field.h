// Effect fields: timed areas over a room's footprint in which every crew member gets a buff or debuff each step.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/memory/heaps.h"

class GAME_CRoomBase;

// Effect types.
enum EffectFieldType : std::int32_t { kEffectBuff = 0, kEffectDebuff = 1 };

class GAME_CEffectField : public vesk::memory::MainHeapObject {
public:
    virtual ~GAME_CEffectField() = default;
    // One simulation step: the effect on every crew member in the area, the lifetime, the animation.
    virtual void Update() = 0;
    virtual void Kill() = 0;
    virtual bool IsDead() const = 0;
    virtual std::int32_t GetEffectType() const = 0;
    // The room at the field's cell now; null when none.
    virtual GAME_CRoomBase* GetRoom() const = 0;
    virtual const std::uint32_t& GetEffectId() const = 0;
    virtual std::int32_t GetX() const = 0;
    virtual std::int32_t GetY() const = 0;
    virtual std::int32_t GetWidth() const = 0;
    virtual std::int32_t GetHeight() const = 0;
    virtual std::int32_t GetRange() const = 0;
    virtual std::int32_t GetLifetime() const = 0;
    virtual const std::uint32_t& GetColor() const = 0;
    virtual std::int32_t GetVisualKind() const = 0;
    virtual std::int32_t GetAnimationCounter() const = 0;
    virtual std::int32_t GetAnimationPeriod() const = 0;
    virtual std::int32_t GetAnimationFrame() const = 0;
};

inline constexpr std::size_t kMaxEffectFields = 32;

// A new field over the room's current cell and footprint, appended to the list; null when 32
// fields are alive (or the room is null).
GAME_CEffectField* CreateEffectField(std::int32_t effectType, std::int32_t visualKind, std::uint32_t effectId,
                                     std::int32_t range, std::int32_t lifetime, const GAME_CRoomBase* room);
// Once a step, after the rooms: updates every field and deletes the dead ones.
void UpdateEffectFields();
void ClearEffectFields();
// The live fields, in creation order.
const std::vector<GAME_CEffectField*>& GetEffectFields();

// The ship's holder of the field list: its making and its end both clear every field.
class EffectFieldHolder {
public:
    EffectFieldHolder() { ClearEffectFields(); }
    ~EffectFieldHolder() { ClearEffectFields(); }
    EffectFieldHolder(const EffectFieldHolder&) = delete;
    EffectFieldHolder& operator=(const EffectFieldHolder&) = delete;
};
