// Effect fields: at most 32 at once, the buff given every step to crew standing in range, and the end of a field's life.
#include <gtest/gtest.h>

#include "game/model/object/object_actor.h"
#include "game/model/ship/effect_field.h"
#include "game/model/ship/ship.h"
#include "tests/support/ship_world.h"

namespace {

using namespace support;

class EffectFields : public ShipWorld {};

bool HasBuff(const GAME_CObjectActor& member, std::uint32_t id)
{
    for (const auto& slot : member.status.buffs) {
        if (slot.id == id) return true;
    }
    return false;
}

TEST_F(EffectFields, AThirtyThirdFieldIsRefusedUntilADeadOneIsSweptAway)
{
    const GAME_CRoomBase& home = Place(kHome, 4, 1);
    GAME_CEffectField* first = nullptr;
    for (int i = 0; i < 32; ++i) {
        GAME_CEffectField* field = CreateEffectField(kEffectBuff, 1, kBuff, 0, 100, &home);
        ASSERT_NE(field, nullptr) << i;
        if (first == nullptr) first = field;
    }
    EXPECT_EQ(CreateEffectField(kEffectBuff, 1, kBuff, 0, 100, &home), nullptr);
    first->Kill();
    EXPECT_EQ(CreateEffectField(kEffectBuff, 1, kBuff, 0, 100, &home), nullptr);
    UpdateEffectFields();
    EXPECT_EQ(GetEffectFields().size(), 31u);
    EXPECT_NE(CreateEffectField(kEffectBuff, 1, kBuff, 0, 100, &home), nullptr);
}

TEST_F(EffectFields, CrewInRangeGetTheBuffEveryStepUntilTheFieldEnds)
{
    const GAME_CRoomBase& home = Place(kHome, 4, 1);
    GAME_CObjectActor& corner = AddCrew(5, 2);  // diagonally outside the room, inside range 1
    GAME_CObjectActor& outside = AddCrew(6, 1);
    GAME_CObjectActor& ill = AddCrew(3, 0);
    ASSERT_NE(CreateEffectField(kEffectBuff, 2, kBuff, 1, 3, &home), nullptr);
    ASSERT_NE(CreateEffectField(kEffectDebuff, 3, kDebuff, 1, 1, &home), nullptr);

    StepShip(1);
    EXPECT_TRUE(HasBuff(corner, kBuff));
    EXPECT_FALSE(HasBuff(outside, kBuff));
    EXPECT_EQ(ill.status.debuffs[0].id, kDebuff);
    // The debuff field of lifetime 1 gave its effect once and is gone.
    EXPECT_EQ(GetEffectFields().size(), 1u);

    corner.status.buffs = {};
    StepShip(1);
    EXPECT_TRUE(HasBuff(corner, kBuff));

    StepShip(1);
    EXPECT_TRUE(GetEffectFields().empty());
    corner.status.buffs = {};
    StepShip(1);
    EXPECT_FALSE(HasBuff(corner, kBuff));
}

}  // namespace
