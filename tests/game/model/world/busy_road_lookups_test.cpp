// Frames of the busiest travel find every sprite by the index resolved at load, never by name.
#include <gtest/gtest.h>

#include <cstdint>

#include "framework/graphics/sprite_registry.h"
#include "game/model/world/game_world.h"
#include "game/services/ui_port/ui_slots.h"
#include "tests/support/busy_road.h"
#include "tests/support/game_fixture.h"

namespace {

class BusyRoad : public support::GameFixture {};

TEST_F(BusyRoad, SixHundredFramesLookNoSpriteUpByName)
{
    ASSERT_NO_FATAL_FAILURE(StartToMainGame());
    ASSERT_TRUE(CloseScreen(kSlotTitle));
    ASSERT_TRUE(support::FurnishBusyRoad(*GetGameWorld()));
    StepFrames(2);
    const vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    ASSERT_NE(registry, nullptr);
    const std::uint64_t before = registry->NameLookupCount();
    StepFrames(600);
    EXPECT_EQ(registry->NameLookupCount() - before, 0u);
}

}  // namespace
