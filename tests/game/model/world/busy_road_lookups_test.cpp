// Frames of the busiest travel find every sprite by the index resolved at load, never by name.
#include <gtest/gtest.h>

#include <cstdint>

#include "framework/graphics/sprite_registry.h"
#include "game/model/world/game_world.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/ui_port/ui_slots.h"
#include "platform/little_endian.h"
#include "tests/support/busy_road.h"
#include "tests/support/game_fixture.h"

namespace {

class BusyRoad : public support::GameFixture {};

TEST_F(BusyRoad, SixHundredFramesLookNoSpriteUpByName)
{
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    ASSERT_TRUE(support::FurnishBusyRoad(*GetGameWorld()));
    // Every achievement counts as earned before: the roads now earn some, and an earned one's popup
    // finds its icon by name once; these frames are about the travel's own drawing.
    platform::WriteU32(GetWorkingSystemRecord(), save_layout::system::kAchievementBits, 0xFFFFFu);
    StepFrames(60);
    const vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    ASSERT_NE(registry, nullptr);
    const std::uint64_t before = registry->NameLookupCount();
    StepFrames(600);
    EXPECT_EQ(registry->NameLookupCount() - before, 0u);
}

}  // namespace
