// Actor-script commands on a crew member: its scale pair over frames, where its load is drawn, whether it is drawn, its progress and its AI.
#include <gtest/gtest.h>

#include "game/model/script/script_actor.h"
#include "game/model/object/object_actor.h"
#include "tests/support/script_assembly.h"

namespace {

TEST(ActorCommands, ThePairAndTheLoadPointMoveOverFramesAndTheOtherCommandsSetTheCrewMember)
{
    support::ParsedPackage package(R"(
.entry 1
"start":
    pair.set 1.0 2.0
    pair.add_over 0.5 0.25 3
    offset.move 0 -11 4 -15 0
    visible 0
    status 7
    ai.enable
    sprite 5 16 16
    halt
"walk":
    offset.move 0 -11 10 -21 10
    halt
)",
                                   {"actor.def"});
    GAME_CObjectActor actor;
    GAME_CScriptActor& script = actor.script;
    script.Attach(package.Program());
    ASSERT_EQ(script.JumpToLabel(u"start"), 1u);
    script.TickScript();
    // The adding runs three frames, one step each.
    EXPECT_EQ(actor.scaleX, 1.5f);
    script.TickScript();
    script.TickScript();
    EXPECT_EQ(actor.scaleX, 2.5f);
    EXPECT_EQ(actor.scaleY, 2.75f);
    EXPECT_TRUE(actor.IsVisible());
    script.TickScript();
    // Over 0 frames the load point is at its end at once.
    EXPECT_EQ(actor.carryOffset, (vesk::math::Vec2{4.0f, -15.0f}));
    EXPECT_FALSE(actor.IsVisible());
    EXPECT_EQ(actor.status.progress, 1);
    EXPECT_EQ(actor.aiEnabled, 1);
    EXPECT_EQ(actor.spriteIndex, 5);
    EXPECT_EQ(actor.displayScaleX, 1.0f);  // no such sprite: the scale stays

    // A restart shows the crew member again with its load at the standard point; halfway
    // through the move the point is halfway.
    ASSERT_EQ(script.JumpToLabel(u"walk"), 1u);
    EXPECT_TRUE(actor.IsVisible());
    EXPECT_EQ(actor.carryOffset, (vesk::math::Vec2{0.0f, -11.0f}));
    for (int i = 0; i < 6; ++i) script.TickScript();
    EXPECT_EQ(actor.carryOffset, (vesk::math::Vec2{5.0f, -16.0f}));
}

}  // namespace
