// The graphic command table: properties, flips, colours, lifetimes, selection, movers and input tests.
#include <algorithm>

#include <gtest/gtest.h>

#include "framework/input/input_manager.h"
#include "framework/math/random.h"
#include "tests/support/graphic_script.h"

namespace vesk::utility::script_graphic {
namespace {

using math::Color;
using math::Vec2;
using support::GraphicScript;

TEST(GraphicTable, PropertyCommandsSetTheDrawUnit)
{
    GraphicScript script(R"(
.entry 1
"props":
    pos 10.0, 20.0
    pos.add 1.0, 2.0
    pos.x_add 0.5
    pos.y 30.0
    vel 3.0, 4.0
    vel.add 1.0, 1.0
    vel.y_add -2.0
    accel.y 0.25
    scale 2.0, 3.0
    scale.x_add 1.0
    scale.vel_x 0.5
    rot 45.0
    rot.add 5.0
    rot.vel 1.5
    alpha 300
    color 1, 2, 3
    color.add 300, -5, 0
    red.vel 7
    alpha.vel -3
    color.vel 1, 2, 3
    visible 0
    priority 9
    blend 2
    flip.x 5
    flip.y 0
    origin 4.0, 6.0
    life.set 99
    var.set 3, -12
    var.set 8, 1
    pad.set 2
    inherit.transform 1
    inherit.alpha 1
    own_rotation 1
    input.lock 4
    halt
)");
    UTL_CObjectScript* object = script.Spawn(u"props");
    script.engine.ClearChangedFlags();
    script.engine.RunObjectScripts();

    EXPECT_EQ(object->local.position, (Vec2{11.5f, 30.0f}));
    EXPECT_EQ(object->velocity, (Vec2{4.0f, 3.0f}));
    EXPECT_EQ(object->acceleration, (Vec2{0.0f, 0.25f}));
    EXPECT_EQ(object->local.scale, (Vec2{3.0f, 3.0f}));
    EXPECT_EQ(object->scaleVelocity, (Vec2{0.5f, 0.0f}));
    EXPECT_EQ(object->local.rotation, 50.0f);
    EXPECT_EQ(object->rotationVelocity, 1.5f);
    EXPECT_EQ(object->local.color, (Color{255, 0, 3, 44}));  // alpha: the low byte of 300
    EXPECT_EQ(object->colorVelocity, (std::array<std::int32_t, 4>{1, 2, 3, -3}));
    EXPECT_EQ(object->local.visible, 0u);
    EXPECT_EQ(object->local.priority, 9u);
    EXPECT_EQ(object->local.blendMode, 2u);
    EXPECT_EQ(object->local.flipX, 5u);
    EXPECT_EQ(object->local.flipY, 0u);
    EXPECT_EQ(object->origin, (Vec2{4.0f, 6.0f}));
    EXPECT_EQ(object->lifetime, 99u);
    EXPECT_EQ(object->variables[3], -12);
    EXPECT_EQ(object->padIndex, 2u);
    EXPECT_EQ(object->flags, draw_unit::kInheritTransform | draw_unit::kInheritAlpha | draw_unit::kOwnRotation);
    EXPECT_EQ(object->timers[0], 4u);
}

TEST(GraphicTable, FlipWordsAreKeptAsGivenAndComposeDownTheChain)
{
    GraphicScript script(R"(
.entry 1
"root":
    obj.script "parent", parent
    halt
parent:
    flip.x 1
    obj.script "kid", kid
    halt
kid:
    flip.x 3
    flip.y 2
    halt
)");
    script.Spawn(u"root", u"root");
    script.Frame();
    UTL_CObjectBase* parent = script.Named(u"parent");
    UTL_CObjectBase* kid = script.Named(u"kid");
    ASSERT_NE(kid, nullptr);
    // World flips are the parent's XOR the local words, whole: the kid is
    // still flipped in x under its flipped parent.
    EXPECT_EQ(parent->world.flipX, 1u);
    EXPECT_EQ(kid->world.flipX, 2u);
    EXPECT_EQ(kid->world.flipY, 2u);
}

TEST(GraphicTable, ColourBytesSaturateAndSetModesTakeTheLowByte)
{
    GraphicScript script(R"(
.entry 1
"bytes":
    red 0x1FF
    green 250
    green.add 10
    blue 5
    blue.add -10
    alpha 0
    alpha.add -1
    halt
)");
    UTL_CObjectScript* object = script.Spawn(u"bytes");
    script.engine.RunObjectScripts();
    EXPECT_EQ(object->local.color, (Color{255, 255, 0, 0}));
}

TEST(GraphicTable, RandomModesStayInTheirRanges)
{
    GraphicScript script(R"(
.entry 1
"random":
    pos.random 5.0, -5.0, 6.0, -4.0
    rot.random 10.0, 20.0
    alpha.random 10, 12
    color.random 0, 100, 7, 3, 100, 7
    life.random 3, 3
    vel.y_random 1.0, 1.5
    halt
)");
    math::SeedRandom(1234);
    for (int i = 0; i < 40; ++i) {
        script.Spawn(u"random");
    }
    script.engine.RunObjectScripts();
    for (const auto& [handle, object] : script.engine.Objects()) {
        EXPECT_GE(object->local.position.x, 5.0f);
        EXPECT_LT(object->local.position.x, 6.0f);
        EXPECT_GE(object->local.position.y, -5.0f);
        EXPECT_LT(object->local.position.y, -4.0f);
        EXPECT_GE(object->local.rotation, 10.0f);
        EXPECT_LT(object->local.rotation, 20.0f);
        EXPECT_GE(object->local.color.a, 10);
        EXPECT_LE(object->local.color.a, 12);
        EXPECT_LE(object->local.color.r, 3);
        EXPECT_EQ(object->local.color.g, 100);
        EXPECT_EQ(object->local.color.b, 7);
        EXPECT_EQ(object->lifetime, 3u);
        EXPECT_GE(object->velocity.y, 1.0f);
        EXPECT_LT(object->velocity.y, 1.5f);
    }
}

TEST(GraphicTable, LifetimeCommandsEndImmortality)
{
    GraphicScript script(R"(
.entry 1
"life":
    life.immortal 1
    wait 3
    life.extend 2
    halt
)");
    UTL_CObjectScript* object = script.Spawn(u"life");
    script.Frame();
    EXPECT_TRUE(object->HasFlags(draw_unit::kImmortal));
    for (int frame = 0; frame < 3; ++frame) {
        script.Frame();
    }
    // Extended in the fourth frame: age 3 when the script ran, so two more frames.
    EXPECT_FALSE(object->HasFlags(draw_unit::kImmortal));
    EXPECT_EQ(object->lifetime, 5u);
    script.Frame();
    EXPECT_EQ(script.engine.ObjectCount(), 1u);
    script.Frame();
    EXPECT_EQ(script.engine.ObjectCount(), 0u);
}

TEST(GraphicTable, SelectGraphicRedirectsThePropertyCommands)
{
    GraphicScript script(R"(
.entry 1
"main":
    obj.script "kid", "idle"
    pos 1.0, 1.0
    select.self
    pos 2.0, 2.0
    select.child "kid"
    pos.x 3.0
    select.name "other"
    pos.y 9.0
    select.name "missing"
    pos.x 10.0
    select.descendant "leaf", "other"
    pos.x 4.0
    select.child "nobody"
    pos.y 4.0
    halt
"idle":
    halt
"kid parent":
    obj.script "grandkid", "idle"
    select.parent
    pos 6.0, 6.0
    halt
)");
    UTL_CObjectScript* other = script.Spawn(u"idle", u"other");
    UTL_CObjectScript* branch = script.Spawn(u"idle", u"branch", other);
    UTL_CObjectScript* leaf = script.Spawn(u"idle", u"leaf", branch);
    UTL_CObjectScript* main = script.Spawn(u"main", u"main");
    script.engine.RunObjectScripts();

    UTL_CObjectBase* kid = script.Named(u"kid");
    ASSERT_NE(kid, nullptr);
    EXPECT_EQ(kid->local.position, (Vec2{3.0f, 1.0f}));
    EXPECT_EQ(main->local.position, (Vec2{2.0f, 2.0f}));
    EXPECT_EQ(other->local.position, (Vec2{10.0f, 9.0f}));
    EXPECT_EQ(leaf->local.position, (Vec2{4.0f, 4.0f}));

    UTL_CObjectScript* parentSetter = script.Spawn(u"kid parent", u"", main);
    script.engine.RunObjectScript(parentSetter);
    EXPECT_EQ(main->local.position, (Vec2{6.0f, 6.0f}));
}

TEST(GraphicTable, AGraphicThatLeftTheEngineIsNotChangedAnyMore)
{
    GraphicScript script(R"(
.entry 1
"main":
    select.name "victim"
    wait 2
    pos 50.0, 50.0
    halt
"idle":
    halt
)");
    UTL_CObjectScript* victim = script.Spawn(u"idle", u"victim");
    UTL_CObjectScript* main = script.Spawn(u"main");
    main->flags |= draw_unit::kImmortal;
    script.Frame();
    script.engine.KillObject(victim->handle);
    script.Frame();
    UTL_CObjectScript* reused = script.Spawn(u"idle", u"newcomer");
    ASSERT_EQ(reused, victim);
    script.Frame();
    EXPECT_EQ(reused->local.position, (Vec2{0, 0}));
    EXPECT_EQ(main->local.position, (Vec2{0, 0}));
}

TEST(GraphicTable, RemoveChildrenKillsByNameOrAll)
{
    GraphicScript script(R"(
.entry 1
"one":
    obj.kill_child "b"
    halt
"all":
    obj.kill_children
    halt
"idle":
    halt
)");
    UTL_CObjectScript* parent = script.Spawn(u"idle");
    UTL_CObjectScript* a = script.Spawn(u"idle", u"a", parent);
    UTL_CObjectScript* b = script.Spawn(u"idle", u"b", parent);
    UTL_CObjectScript* b2 = script.Spawn(u"idle", u"b", parent);
    UTL_CObjectScript* grandchild = script.Spawn(u"idle", u"g", a);
    UTL_CObjectScript* killer = script.Spawn(u"one", u"", parent);
    script.engine.RunObjectScript(killer);
    // The killer hangs under the parent: its own children are none.
    EXPECT_FALSE(b->IsDead());

    UTL_CObjectScript* byName = script.Spawn(u"one");
    b->SetParent(byName);
    b2->SetParent(byName);
    script.engine.RunObjectScript(byName);
    EXPECT_TRUE(b->IsDead());
    EXPECT_FALSE(b2->IsDead());

    UTL_CObjectScript* everything = script.Spawn(u"all");
    a->SetParent(everything);
    script.engine.RunObjectScript(everything);
    EXPECT_TRUE(a->IsDead());
    EXPECT_TRUE(grandchild->IsDead());
    EXPECT_FALSE(parent->IsDead());
}

TEST(GraphicTable, MoveToPutsTheGraphicAtTheStartAndMovesItToTheEnd)
{
    GraphicScript script(R"(
.entry 1
"move":
    vel 100.0, 100.0
    move.from_to 0.0, 5.0, 30.0, 5.0, 3
    halt
"sprite move":
    obj.sprite "dot", 0, 0
    pos 7.0, 7.0
    move.from_to 0.0, 5.0, 30.0, 15.0, 1
    halt
)");
    UTL_CObjectScript* object = script.Spawn(u"move");
    object->flags |= draw_unit::kImmortal;
    std::vector<float> xs;
    std::vector<float> ys;
    for (int frame = 0; frame < 6; ++frame) {
        script.Frame();
        xs.push_back(object->local.position.x);
        ys.push_back(object->local.position.y);
    }
    // The mover holds the velocity off until it is done.
    EXPECT_EQ(xs, (std::vector<float>{10, 20, 30, 30, 30, 130}));
    EXPECT_EQ(ys, (std::vector<float>{5, 5, 5, 5, 5, 105}));
    EXPECT_EQ(object->GetMover(), nullptr);

    // When the graphic is another object, the running object is put at the
    // start and the graphic moves from where it is to the end.
    UTL_CObjectScript* owner = script.Spawn(u"sprite move");
    owner->local.position = {1, 1};
    script.engine.ClearChangedFlags();
    script.engine.RunObjectScripts();
    UTL_CObjectBase* dot = script.Named(u"dot");
    ASSERT_NE(dot, nullptr);
    EXPECT_EQ(owner->local.position, (Vec2{0.0f, 5.0f}));
    EXPECT_EQ(dot->local.position, (Vec2{7.0f, 7.0f}));
    script.engine.UpdateTransforms();
    EXPECT_EQ(dot->local.position, (Vec2{30.0f, 15.0f}));
    EXPECT_EQ(owner->local.position, (Vec2{0.0f, 5.0f}));
}

TEST(GraphicTable, KnockBackOvershootsAfterItsDelayAndComesBack)
{
    GraphicScript script(R"(
.entry 1
"hit":
    knockback 0.0, 2, 1, 5.0, 20.0, 0.0
    halt
)");
    UTL_CObjectScript* object = script.Spawn(u"hit");
    std::vector<float> xs;
    for (int frame = 0; frame < 7; ++frame) {
        script.Frame();
        xs.push_back(object->local.position.x);
    }
    EXPECT_EQ(xs, (std::vector<float>{0, 10, 20, 25, 25, 20, 20}));
    EXPECT_EQ(object->GetMover(), nullptr);
}

TEST(GraphicTable, VariableAndPadTestsFeedConditionalJumps)
{
    GraphicScript script(R"(
.entry 1
"main":
    var.set 1, 5
    var.test ==, 1, 5
    var.test >, 1, 4
    goto_if all, both
    halt
both:
    var.set 2, 1
    pad.test ==, 0
    goto_if all, pad0
    halt
pad0:
    var.set 3, 1
    var.test ==, 9, 0
    var.test <, 1, -100
    goto_if any, bad
    var.set 4, 1
    halt
bad:
    var.set 5, 1
    halt
)");
    UTL_CObjectScript* object = script.Spawn(u"main");
    script.engine.RunObjectScripts();
    EXPECT_EQ(object->variables[2], 1);
    EXPECT_EQ(object->variables[3], 1);
    EXPECT_EQ(object->variables[4], 1);
    EXPECT_EQ(object->variables[5], 0);
}

class GraphicInput : public ::testing::Test {
protected:
    void SetUp() override { input::CreateInput(); }
    void TearDown() override { input::ReleaseInput(); }
};

TEST_F(GraphicInput, ButtonRoutinesWaitForTheInputLockAndTheirState)
{
    GraphicScript script(R"(
.entry 1
"buttons":
    input.lock 3
loop:
    on.pressed 0, 0, 0x200, 1, routine
    on.held 6, 0, 0x200, 1, never
    wait 1
    goto loop
routine:
    var.set 5, 42
    return
never:
    var.set 7, 1
    return
)");
    UTL_CObjectScript* object = script.Spawn(u"buttons");
    object->flags |= draw_unit::kImmortal;
    input::GetPadInput(0)->buttons.pressed = 0x200;
    for (int frame = 0; frame < 3; ++frame) {
        script.Frame();
        EXPECT_EQ(object->variables[5], 0) << "frame " << frame;
    }
    script.Frame();
    EXPECT_EQ(object->variables[0], 1);
    EXPECT_EQ(object->variables[5], 42);
    EXPECT_EQ(object->variables[7], 0);  // nothing held

    // In state 1 the routine does not run again.
    object->variables[5] = 0;
    script.Frame();
    EXPECT_EQ(object->variables[5], 0);

    // A pad index beyond the four pads never matches.
    object->variables[0] = 0;
    object->padIndex = 4;
    script.Frame();
    EXPECT_EQ(object->variables[5], 0);
}

TEST(GraphicTable, PointerNearTestsTheHitListAroundTheNamedObject)
{
    GraphicScript script(R"(
.entry 1
"near":
    on.pointer_near 0, "button", 6.0, 3, hit
    halt
"far":
    on.pointer_near 0, "button", 4.0, 3, hit
    halt
"missing":
    on.pointer_near 0, "nothing", 100.0, 3, hit
    halt
"idle":
    halt
hit:
    var.set 1, 1
    return
)");
    UTL_CObjectScript* button = script.Spawn(u"idle", u"button");
    button->flags |= draw_unit::kImmortal;
    button->local.position = {103, 54};
    script.Frame();  // world position

    input::TouchPoint point;
    point.x = 100;
    point.y = 50;
    input::TouchList hits = {&point};
    script.engine.SetHitList(&hits);

    UTL_CObjectScript* near = script.Spawn(u"near");
    UTL_CObjectScript* far = script.Spawn(u"far");
    UTL_CObjectScript* missing = script.Spawn(u"missing");
    script.engine.RunObjectScripts();
    EXPECT_EQ(near->variables[0], 3);
    EXPECT_EQ(near->variables[1], 1);
    EXPECT_EQ(far->variables[0], 0);
    EXPECT_EQ(far->variables[1], 0);
    EXPECT_EQ(missing->variables[0], 0);
}

}  // namespace
}  // namespace vesk::utility::script_graphic
