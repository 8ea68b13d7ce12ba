// The script-graphic engine: pools, handles, parents and children, the frame's passes and the draw list.
#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "tests/support/graphic_script.h"
#include "tests/support/log_capture.h"

namespace vesk::utility::script_graphic {
namespace {

using support::GraphicScript;
using support::LogCapture;

constexpr const char* kIdle = R"(
.entry 1
"idle":
    halt
"end":
    return
)";

TEST(ScriptGraphicEngine, CreationTakesPooledObjectsUnderGrowingHandles)
{
    GraphicScript script(kIdle);
    UTL_CScriptEngine& engine = script.engine;
    EXPECT_EQ(engine.PooledCount(kObjectScript), 128u);
    EXPECT_EQ(engine.PooledCount(kObjectSprite), 128u);

    UTL_CObjectScript* a = script.Spawn(u"idle", u"a");
    UTL_CObjectScript* b = script.Spawn(u"idle", u"b");
    UTL_CObjectSprite* s = engine.CreateSpriteObject(u"s", 3, 4, nullptr);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->handle, 0u);
    EXPECT_EQ(b->handle, 1u);
    EXPECT_EQ(s->handle, 2u);
    EXPECT_EQ(s->GetSprite(), nullptr);  // no such sprite loaded
    EXPECT_EQ(engine.PooledCount(kObjectScript), 126u);
    EXPECT_EQ(engine.FindObjectByHandle(1), b);
    EXPECT_EQ(engine.FindObjectByHandle(7), nullptr);
    EXPECT_EQ(script.Named(u"b"), b);
    EXPECT_EQ(script.Named(u"B"), nullptr);

    EXPECT_TRUE(engine.RemoveObject(0));
    EXPECT_FALSE(engine.RemoveObject(0));
    EXPECT_EQ(a->handle, UTL_CObjectBase::kNoHandle);
    EXPECT_EQ(engine.FindObjectByHandle(0), nullptr);
    EXPECT_EQ(engine.PooledCount(kObjectScript), 127u);

    // A second Init takes the listed objects back and does not grow the pools.
    engine.Init(script.program);
    EXPECT_EQ(engine.ObjectCount(), 0u);
    EXPECT_EQ(engine.PooledCount(kObjectScript), 128u);
    EXPECT_EQ(engine.PooledCount(kObjectSprite), 128u);
    EXPECT_EQ(script.Spawn(u"idle")->handle, 0u);
}

TEST(ScriptGraphicEngine, PoolsGrowOnDemand)
{
    GraphicScript script(kIdle);
    for (int i = 0; i < 300; ++i) {
        ASSERT_NE(script.Spawn(u"idle"), nullptr);
    }
    EXPECT_EQ(script.engine.ObjectCount(), 300u);
    EXPECT_EQ(script.engine.PooledCount(kObjectScript), 0u);
    script.engine.KillAll();
    EXPECT_EQ(script.engine.ObjectCount(), 0u);
    EXPECT_EQ(script.engine.PooledCount(kObjectScript), 300u);
}

TEST(ScriptGraphicEngine, ChildrenJoinAndLeaveTheirParentsList)
{
    GraphicScript script(kIdle);
    UTL_CObjectScript* parent = script.Spawn(u"idle", u"p");
    UTL_CObjectScript* child = script.Spawn(u"idle", u"c", parent);
    ASSERT_EQ(parent->GetChildren().size(), 1u);
    EXPECT_EQ(parent->GetChildren()[0], child);
    EXPECT_EQ(child->GetParent(), parent);

    script.engine.RemoveObject(child->handle);
    EXPECT_TRUE(parent->GetChildren().empty());
    EXPECT_EQ(child->GetParent(), nullptr);
}

TEST(ScriptGraphicEngine, KillingAParentKillsEveryDescendant)
{
    GraphicScript script(kIdle);
    UTL_CObjectScript* root = script.Spawn(u"idle", u"root");
    UTL_CObjectScript* child = script.Spawn(u"idle", u"child", root);
    UTL_CObjectSprite* leaf = script.engine.CreateSpriteObject(u"leaf", 0, 0, child);
    UTL_CObjectScript* other = script.Spawn(u"idle", u"other");

    EXPECT_TRUE(script.engine.KillObject(root->handle));
    EXPECT_FALSE(script.engine.KillObject(999));
    EXPECT_TRUE(child->IsDead());
    EXPECT_TRUE(leaf->IsDead());
    EXPECT_FALSE(other->IsDead());

    script.Frame();
    EXPECT_EQ(script.engine.ObjectCount(), 1u);
    EXPECT_EQ(script.Named(u"other"), other);
}

TEST(ScriptGraphicEngine, RemovingAParentTakesItsRemainingChildrenAlong)
{
    GraphicScript script(kIdle);
    UTL_CObjectScript* parent = script.Spawn(u"idle", u"p");
    UTL_CObjectScript* child = script.Spawn(u"idle", u"c", parent);

    // A child left listed would follow its parent's pooled, later reused, object.
    script.engine.RemoveObject(parent->handle);
    EXPECT_TRUE(child->IsDead());
    EXPECT_EQ(child->GetParent(), nullptr);
    script.engine.RemoveDeadObjects();
    EXPECT_EQ(script.engine.ObjectCount(), 0u);
}

TEST(ScriptGraphicEngine, ReusedObjectsStartFresh)
{
    GraphicScript script(kIdle);
    UTL_CObjectScript* parent = script.Spawn(u"idle", u"p");
    UTL_CObjectScript* child = script.Spawn(u"idle", u"c", parent);
    child->local.position = {5, 5};
    child->flags |= draw_unit::kImmortal;
    script.engine.KillObject(child->handle);
    script.engine.RemoveDeadObjects();

    UTL_CObjectScript* reused = script.Spawn(u"idle", u"fresh");
    ASSERT_EQ(reused, child);  // the pool hands back the last object returned
    EXPECT_EQ(reused->GetParent(), nullptr);
    EXPECT_EQ(reused->GetName(), u"fresh");
    EXPECT_EQ(reused->flags, 0u);
    EXPECT_EQ(reused->local.position, (math::Vec2{0, 0}));
    EXPECT_EQ(reused->GetGraphic(), reused);
    EXPECT_TRUE(parent->GetChildren().empty());

    UTL_CObjectSprite* sprite = script.engine.CreateSpriteObject(u"s", 0, 0, nullptr);
    EXPECT_EQ(sprite->GetSprite(), nullptr);
}

TEST(ScriptGraphicEngine, AScriptThatEndsAtOnceDiesAndLeavesInTheSameFrame)
{
    GraphicScript script(kIdle);
    UTL_CObjectScript* object = script.Spawn(u"end");
    script.engine.ClearChangedFlags();
    script.engine.RunObjectScripts();
    EXPECT_TRUE(object->IsDead());
    script.engine.UpdateTransforms();
    script.engine.RemoveDeadObjects();
    EXPECT_EQ(script.engine.ObjectCount(), 0u);
}

TEST(ScriptGraphicEngine, ObjectsCreatedByScriptsRunInTheSamePass)
{
    GraphicScript script(R"(
.entry 1
"parent":
    obj.script "kid", kid
    halt
kid:
    var.set 0, 7
    halt
)");
    script.Spawn(u"parent", u"parent");
    script.engine.ClearChangedFlags();
    script.engine.RunObjectScripts();
    UTL_CObjectBase* kid = script.Named(u"kid");
    ASSERT_NE(kid, nullptr);
    EXPECT_EQ(kid->variables[0], 7);
    EXPECT_EQ(kid->GetParent(), script.Named(u"parent"));
}

TEST(ScriptGraphicEngine, AScriptThatMakesObjectsWithoutEndStopsAtTheObjectLimit)
{
    // Made objects run in the pass that made them, so a script that makes a copy of itself would make objects
    // until memory ran out in one frame; this one makes ten thousand children in a loop of one frame.
    GraphicScript script(R"(
.entry 1
"flood":
top:
    obj.script "copy", idle
    test.loop_counter >= 9999
    goto_if all, done
    goto top
done:
    halt
idle:
"idle":
    halt
)");
    LogCapture capture;
    script.Spawn(u"flood", u"flood");
    script.Frame();
    EXPECT_EQ(script.engine.ObjectCount(), UTL_CScriptEngine::kMaxObjects);
    EXPECT_EQ(capture.Lines().size(), 1u);
    EXPECT_TRUE(capture.Contains("objects are listed already")) << capture.Lines().front();

    // Objects that go make room again.
    script.engine.KillObject(script.Named(u"copy")->handle);
    script.Frame();
    EXPECT_NE(script.Spawn(u"idle", u"late"), nullptr);
    EXPECT_EQ(script.engine.ObjectCount(), UTL_CScriptEngine::kMaxObjects);
}

TEST(ScriptGraphicEngine, TheFramePassesShowTheOwnerNewObjectsBeforeTheirTransformsAreComposed)
{
    GraphicScript script(R"(
.entry 1
"parent":
    obj.script "kid", kid
    halt
kid:
    halt
)");
    UTL_CObjectScript* parent = script.Spawn(u"parent", u"parent");
    parent->local.position = {10.0f, 20.0f};
    script.engine.RunFramePasses([](UTL_CScriptEngine& engine) {
        for (const auto& [handle, object] : engine.Objects()) {
            if (object->GetParent() != nullptr) object->flags |= draw_unit::kInheritTransform;
        }
    });
    UTL_CObjectBase* kid = script.Named(u"kid");
    ASSERT_NE(kid, nullptr);
    EXPECT_EQ(kid->world.position, (math::Vec2{10.0f, 20.0f})) << "composed with its parent in its first frame";
    EXPECT_EQ(script.engine.DrawList().size(), 2u);
    EXPECT_EQ(script.engine.PriorityIndex().size(), 1u);
}

TEST(ScriptGraphicEngine, AChildKilledEarlierInThePassStillDoesItsFramesWork)
{
    // The kid counts its frames on its parent, which kills it on its third
    // frame before the kid's turn in the pass.
    GraphicScript script(R"(
.entry 1
"parent":
    obj.script "kid", kid
    select.self
    wait 2
    obj.kill_children
    halt
kid:
    select.parent
loop:
    pos.x_add 1.0
    wait 1
    goto loop
)");
    UTL_CObjectScript* parent = script.Spawn(u"parent", u"parent");
    std::vector<float> counted;
    std::vector<bool> kidListed;
    for (int frame = 0; frame < 5; ++frame) {
        script.Frame();
        counted.push_back(parent->local.position.x);
        kidListed.push_back(script.Named(u"kid") != nullptr);
    }
    EXPECT_EQ(kidListed, (std::vector<bool>{true, true, false, false, false}));
    EXPECT_EQ(counted, (std::vector<float>{1, 2, 3, 3, 3}));
}

TEST(ScriptGraphicEngine, ScriptsRunOncePerFrame)
{
    GraphicScript script(R"(
.entry 1
"count":
loop:
    pos.x_add 1.0
    wait 1
    goto loop
)");
    UTL_CObjectScript* object = script.Spawn(u"count");
    object->flags |= draw_unit::kImmortal;
    script.engine.ClearChangedFlags();
    script.engine.RunObjectScripts();
    script.engine.RunObjectScript(object);
    EXPECT_EQ(object->local.position.x, 1.0f);
    for (int frame = 0; frame < 9; ++frame) {
        script.Frame();
    }
    EXPECT_GT(object->local.position.x, 1.0f);
}

TEST(ScriptGraphicEngine, DrawListIsSortedByPriorityWithAnIndexOfEachPriority)
{
    GraphicScript script(kIdle);
    UTL_CObjectScript* objects[4];
    const std::uint32_t priorities[4] = {5, 0, 4000000000u, 5};
    for (int i = 0; i < 4; ++i) {
        objects[i] = script.Spawn(u"idle");
        objects[i]->local.priority = priorities[i];
    }
    script.Frame();
    const std::vector<UTL_CObjectBase*> expected = {objects[1], objects[0], objects[3], objects[2]};
    EXPECT_EQ(script.engine.DrawList(), expected);
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> index = {{0, 0}, {5, 1}, {4000000000u, 3}};
    EXPECT_EQ(script.engine.PriorityIndex(), index);
}

TEST(ScriptGraphicEngine, DrawPriorityMarksTheVisibleObjectsOfThatPriority)
{
    GraphicScript script(kIdle);
    UTL_CObjectScript* shown = script.Spawn(u"idle");
    UTL_CObjectScript* hidden = script.Spawn(u"idle");
    UTL_CObjectScript* elsewhere = script.Spawn(u"idle");
    shown->local.priority = hidden->local.priority = 3;
    hidden->local.visible = 0;
    script.Frame();
    script.engine.DrawPriority(3);
    script.engine.DrawPriority(8);  // nothing there
    EXPECT_TRUE(shown->HasFlags(draw_unit::kDrawnThisFrame));
    EXPECT_FALSE(hidden->HasFlags(draw_unit::kDrawnThisFrame));
    EXPECT_FALSE(elsewhere->HasFlags(draw_unit::kDrawnThisFrame));
}

TEST(ScriptGraphicEngine, RemovalDropsTheStaleDrawList)
{
    GraphicScript script(kIdle);
    UTL_CObjectScript* object = script.Spawn(u"idle");
    script.Frame();
    ASSERT_EQ(script.engine.DrawList().size(), 1u);
    script.engine.KillAll();
    EXPECT_TRUE(script.engine.DrawList().empty());
    script.engine.DrawPriority(0);  // must not draw the pooled object
    EXPECT_FALSE(object->HasFlags(draw_unit::kDrawnThisFrame));
}

TEST(ScriptGraphicEngine, ClearReturnsEverythingAndRestartsHandles)
{
    GraphicScript script(kIdle);
    UTL_CObjectScript* parent = script.Spawn(u"idle");
    script.Spawn(u"idle", u"", parent);
    script.engine.Clear();
    EXPECT_EQ(script.engine.ObjectCount(), 0u);
    EXPECT_EQ(script.engine.PooledCount(kObjectScript), 128u);
    EXPECT_EQ(script.Spawn(u"idle")->handle, 0u);
}

TEST(ScriptGraphicEngine, DestroyingTheEngineReleasesListedObjects)
{
    // Leak and use-after-free checks of the sanitizers watch this one.
    auto script = std::make_unique<GraphicScript>(kIdle);
    UTL_CObjectScript* root = script->Spawn(u"idle");
    UTL_CObjectScript* child = script->Spawn(u"idle", u"", root);
    script->Spawn(u"idle", u"", child);
    script.reset();
}

TEST(ScriptGraphicEngine, LockIsReentrantAndHoldsOffOtherThreads)
{
    GraphicScript script(kIdle);
    std::atomic<bool> created{false};
    std::thread other;
    {
        thread::SYS_CScopedLock outer(&script.engine.Lock());
        // The holder may create and look up again.
        ASSERT_NE(script.Spawn(u"idle", u"mine"), nullptr);
        EXPECT_NE(script.Named(u"mine"), nullptr);
        other = std::thread([&] {
            script.engine.CreateSpriteObject(u"theirs", 0, 0, nullptr);
            created = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        EXPECT_FALSE(created.load());
    }
    other.join();
    EXPECT_TRUE(created.load());
    EXPECT_EQ(script.engine.ObjectCount(), 2u);
}

}  // namespace
}  // namespace vesk::utility::script_graphic
