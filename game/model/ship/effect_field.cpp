// Effect fields: timed areas over a room's footprint in which every crew member gets a buff or debuff each step.
#include "game/model/ship/effect_field.h"

#include <algorithm>

#include "game/services/data/static_lookups.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"

namespace {

constexpr std::int32_t kAnimationPeriod = 15;

std::vector<GAME_CEffectField*>& FieldList()
{
    static std::vector<GAME_CEffectField*> list;
    return list;
}

std::uint32_t FieldColor(std::int32_t effectType, std::uint32_t effectId)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr) return 0;
    if (effectType == kEffectBuff) {
        const BuffData* buff = database->FindBuffData(effectId);
        return buff != nullptr && buff->color != 0 ? buff->color : database->GetBuffColor();
    }
    const DebuffData* debuff = database->FindDebuffData(effectId);
    return debuff != nullptr && debuff->color != 0 ? debuff->color : database->GetDebuffColor();
}

class GAME_CEffectFieldImpl final : public GAME_CEffectField {
public:
    GAME_CEffectFieldImpl(std::int32_t effectType, std::int32_t visualKind, std::uint32_t effectId, std::int32_t range,
                          std::int32_t lifetime, const GAME_CRoomBase& room)
        : x_(room.gridX), y_(room.gridY), width_(room.width), height_(room.height), effectType_(effectType),
          visualKind_(visualKind), effectId_(effectId), color_(FieldColor(effectType, effectId)),
          range_(std::max(0, range)), lifetime_(std::max(0, lifetime))
    {
    }

    void Update() override
    {
        ApplyToCrew();
        if (--lifetime_ <= 0) Kill();
        if (++counter_ >= kAnimationPeriod) {
            counter_ = 0;
            const std::int32_t frames = visualKind_ == 1 || visualKind_ == 2 ? 2 : visualKind_ == 3 ? 4 : 1;
            frame_ = (frame_ + 1) % frames;
        }
    }
    void Kill() override { dead_ = true; }
    bool IsDead() const override { return dead_; }
    std::int32_t GetEffectType() const override { return effectType_; }
    GAME_CRoomBase* GetRoom() const override
    {
        const GAME_CGameWorld* world = PeekGameWorld();
        return world && world->ship ? world->ship->GetRoomAtCell(x_, y_) : nullptr;
    }
    const std::uint32_t& GetEffectId() const override { return effectId_; }
    std::int32_t GetX() const override { return x_; }
    std::int32_t GetY() const override { return y_; }
    std::int32_t GetWidth() const override { return width_; }
    std::int32_t GetHeight() const override { return height_; }
    std::int32_t GetRange() const override { return range_; }
    std::int32_t GetLifetime() const override { return lifetime_; }
    const std::uint32_t& GetColor() const override { return color_; }
    std::int32_t GetVisualKind() const override { return visualKind_; }
    std::int32_t GetAnimationCounter() const override { return counter_; }
    std::int32_t GetAnimationPeriod() const override { return kAnimationPeriod; }
    std::int32_t GetAnimationFrame() const override { return frame_; }

private:
    void ApplyToCrew() const
    {
        const GAME_CGameWorld* world = PeekGameWorld();
        if (world == nullptr || !world->fieldObjects) return;
        const std::int64_t left = std::int64_t{x_} - range_;
        const std::int64_t right = std::int64_t{x_} - 1 + width_ + range_;
        const std::int64_t top = std::int64_t{y_} - range_;
        const std::int64_t bottom = std::int64_t{y_} - 1 + height_ + range_;
        for (GAME_CObjectActor* member : world->fieldObjects->crew) {
            if (member == nullptr) break;
            if (member->active == 0) continue;
            if (member->cellX < left || member->cellX > right || member->cellY < top || member->cellY > bottom) continue;
            if (effectType_ == kEffectBuff) {
                member->status.AddBuff(effectId_);
            } else if (effectType_ == kEffectDebuff) {
                member->status.AddDebuff(effectId_);
            }
        }
    }

    std::int32_t x_;
    std::int32_t y_;
    std::int32_t width_;
    std::int32_t height_;
    std::int32_t effectType_;
    std::int32_t visualKind_;
    std::uint32_t effectId_;
    std::uint32_t color_;
    std::int32_t range_;
    std::int32_t lifetime_;
    bool dead_ = false;
    std::int32_t counter_ = 0;
    std::int32_t frame_ = 0;
};

}  // namespace

GAME_CEffectField* CreateEffectField(std::int32_t effectType, std::int32_t visualKind, std::uint32_t effectId,
                                     std::int32_t range, std::int32_t lifetime, const GAME_CRoomBase* room)
{
    std::vector<GAME_CEffectField*>& list = FieldList();
    if (room == nullptr || list.size() >= kMaxEffectFields) return nullptr;
    auto* field = new GAME_CEffectFieldImpl(effectType, visualKind, effectId, range, lifetime, *room);
    if (field == nullptr) return nullptr;
    list.push_back(field);
    return field;
}

void UpdateEffectFields()
{
    std::vector<GAME_CEffectField*>& list = FieldList();
    std::size_t i = 0;
    while (i < list.size()) {
        GAME_CEffectField* field = list[i];
        if (field == nullptr) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (field->IsDead()) {
            delete field;
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        const std::size_t before = list.size();
        field->Update();
        if (list.size() != before) return;
        if (field->IsDead()) {
            delete field;
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
}

void ClearEffectFields()
{
    std::vector<GAME_CEffectField*>& list = FieldList();
    for (GAME_CEffectField* field : list) delete field;
    list.clear();
}

const std::vector<GAME_CEffectField*>& GetEffectFields() { return FieldList(); }
