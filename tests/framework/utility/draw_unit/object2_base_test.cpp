// The 2D draw unit: composition with its parent, inheritance, integration, lifetime, timers and links.
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "framework/utility/draw_unit/object2_base.h"
#include "framework/utility/move_control/knock_back.h"

using namespace vesk::utility::draw_unit;
using vesk::math::Color;
using vesk::math::Vec2;
using vesk::utility::move_control::UTL_CKnockBack;

namespace {

class TestUnit final : public UTL_CObject2Base {
public:
    explicit TestUnit(std::u16string_view unitName = u"") { SetName(unitName); }
    void Draw(bool) override {}
};

// One frame of an owner: clear the marks, then update.
void Frame(std::initializer_list<UTL_CObject2Base*> units)
{
    for (UTL_CObject2Base* unit : units) {
        unit->ClearFrameFlags();
    }
    for (UTL_CObject2Base* unit : units) {
        unit->UpdateTransform();
    }
}

}  // namespace

TEST(DrawUnit, FreshUnitHasResetValues)
{
    TestUnit unit;
    EXPECT_EQ(unit.local.scale, (Vec2{1, 1}));
    EXPECT_EQ(unit.local.color, (Color{255, 255, 255, 255}));
    EXPECT_EQ(unit.local.blendMode, 4u);
    EXPECT_EQ(unit.local.visible, 1u);
    EXPECT_EQ(unit.lifetime, 60u);
    EXPECT_EQ(unit.flags, 0u);
    EXPECT_EQ(unit.GetParent(), nullptr);
}

TEST(DrawUnit, ChildComposesWithScaledRotatedParent)
{
    TestUnit parent;
    TestUnit child;
    ASSERT_TRUE(child.SetParent(&parent));
    parent.local.position = {100, 100};
    parent.local.scale = {2, 2};
    parent.local.rotation = 90;
    child.local.position = {10, 0};
    child.local.rotation = 15;
    child.local.scale = {0.5f, 3};
    child.flags |= kInheritTransform;

    // The child updates its parent first even when listed before it.
    Frame({&child, &parent});
    EXPECT_NEAR(child.world.position.x, 100.0f, 1e-4f);
    EXPECT_NEAR(child.world.position.y, 120.0f, 1e-4f);
    EXPECT_FLOAT_EQ(child.world.rotation, 105.0f);
    EXPECT_EQ(child.world.scale, (Vec2{1, 6}));

    child.flags |= kOwnRotation;
    Frame({&child, &parent});
    EXPECT_FLOAT_EQ(child.world.rotation, 15.0f);

    // Without the flag the parent's transform is ignored.
    child.flags = 0;
    Frame({&child, &parent});
    EXPECT_EQ(child.world.position, (Vec2{10, 0}));
}

TEST(DrawUnit, InheritsStateOnlyWhereFlagged)
{
    TestUnit parent;
    TestUnit child;
    child.SetParent(&parent);
    parent.local.priority = 7;
    parent.local.blendMode = 1;
    parent.local.visible = 0;
    parent.local.color = {10, 20, 30, 40};
    child.local.priority = 2;
    child.local.color = {1, 2, 3, 4};

    Frame({&parent, &child});
    EXPECT_EQ(child.world.priority, 2u);
    EXPECT_EQ(child.world.blendMode, 4u);
    EXPECT_EQ(child.world.visible, 1u);
    EXPECT_EQ(child.world.color, (Color{1, 2, 3, 4}));

    child.flags = kInheritPriority | kInheritBlendMode | kInheritVisible | kInheritColor;
    Frame({&parent, &child});
    EXPECT_EQ(child.world.priority, 7u);
    EXPECT_EQ(child.world.blendMode, 1u);
    EXPECT_EQ(child.world.visible, 0u);
    EXPECT_EQ(child.world.color, (Color{10, 20, 30, 4}));

    child.flags = kInheritAlpha;
    Frame({&parent, &child});
    EXPECT_EQ(child.world.color, (Color{1, 2, 3, 40}));
}

TEST(DrawUnit, FlipsXorWithTheParentAndStayOffWithoutOne)
{
    TestUnit root;
    root.local.flipX = 1;
    Frame({&root});
    EXPECT_EQ(root.world.flipX, 0u);

    TestUnit parent;
    TestUnit child;
    child.SetParent(&parent);
    parent.world.flipX = 1;  // a root keeps whatever its world flips hold
    child.local.flipX = 1;
    child.local.flipY = 1;
    Frame({&parent, &child});
    EXPECT_EQ(child.world.flipX, 0u);
    EXPECT_EQ(child.world.flipY, 1u);
}

TEST(DrawUnit, IntegratesVelocityAccelerationScaleAndRotation)
{
    TestUnit unit;
    unit.velocity = {1, 2};
    unit.acceleration = {1, 0};
    unit.scaleVelocity = {0.5f, -0.25f};
    unit.rotationVelocity = 10;
    Frame({&unit});
    Frame({&unit});
    // Position takes the velocity before acceleration changes it.
    EXPECT_EQ(unit.local.position, (Vec2{3, 4}));
    EXPECT_EQ(unit.velocity, (Vec2{3, 2}));
    EXPECT_EQ(unit.local.scale, (Vec2{2, 0.5f}));
    EXPECT_FLOAT_EQ(unit.local.rotation, 20.0f);
    EXPECT_EQ(unit.world.position, unit.local.position);
}

TEST(DrawUnit, UpdatesOncePerFrameUntilTheMarksAreCleared)
{
    TestUnit unit;
    unit.velocity = {1, 0};
    unit.ClearFrameFlags();
    unit.UpdateTransform();
    unit.UpdateTransform();
    EXPECT_EQ(unit.local.position.x, 1.0f);
    EXPECT_TRUE(unit.HasFlags(kUpdatedThisFrame));
    unit.flags |= kDrawnThisFrame;
    unit.ClearFrameFlags();
    EXPECT_FALSE(unit.HasFlags(kUpdatedThisFrame | kDrawnThisFrame));
}

TEST(DrawUnit, ColourStepsSaturate)
{
    Color color{250, 5, 128, 0};
    StepColor(color, 10, -10, 0, 300);
    EXPECT_EQ(color, (Color{255, 0, 128, 255}));
    StepColor(color, -1000, 1000, -129, -256);
    EXPECT_EQ(color, (Color{0, 255, 0, 0}));
    StepColor(color, INT32_MIN, INT32_MAX, 0, 0);
    EXPECT_EQ(color, (Color{0, 255, 0, 0}));

    TestUnit unit;
    unit.colorVelocity = {-100, 0, 0, -100};
    for (int frame = 0; frame < 5; ++frame) {
        Frame({&unit});
    }
    EXPECT_EQ(unit.local.color, (Color{0, 255, 255, 0}));
    EXPECT_EQ(unit.world.color, unit.local.color);
}

TEST(DrawUnit, DiesAfterSixtyUpdatesUnlessImmortal)
{
    TestUnit unit;
    for (int frame = 0; frame < 60; ++frame) {
        Frame({&unit});
        ASSERT_FALSE(unit.IsDead()) << "frame " << frame;
    }
    Frame({&unit});
    EXPECT_TRUE(unit.IsDead());
    EXPECT_EQ(unit.age, 60u);

    TestUnit immortal;
    immortal.flags |= kImmortal;
    for (int frame = 0; frame < 200; ++frame) {
        Frame({&immortal});
    }
    EXPECT_FALSE(immortal.IsDead());
    EXPECT_EQ(immortal.age, 200u);
}

TEST(DrawUnit, PauseStopsAllChange)
{
    TestUnit unit;
    unit.velocity = {1, 1};
    unit.timers[0] = 3;
    unit.flags |= kPaused;
    for (int frame = 0; frame < 100; ++frame) {
        Frame({&unit});
    }
    EXPECT_FALSE(unit.IsDead());
    EXPECT_EQ(unit.age, 0u);
    EXPECT_EQ(unit.local.position, (Vec2{0, 0}));
    EXPECT_EQ(unit.timers[0], 3u);
}

// A long line of paused or dead units, each the child of the one before (as an effect script that
// gives every new object the last one as its parent builds): each unit is asked once by its owner and
// once by its child in a frame, however long the line, rather than once by every unit below it.
TEST(DrawUnit, ALineOfPausedOrDeadUnitsIsWalkedOnceAFrame)
{
    class CountingUnit final : public UTL_CObject2Base {
    public:
        void Draw(bool) override {}
        void UpdateTransform() override
        {
            ++asked;
            UTL_CObject2Base::UpdateTransform();
        }
        int asked = 0;
    };
    for (const std::uint32_t stopped : {std::uint32_t{kPaused}, std::uint32_t{kDead}}) {
        constexpr int kLine = 200;
        std::vector<std::unique_ptr<CountingUnit>> line;
        for (int i = 0; i < kLine; ++i) {
            line.push_back(std::make_unique<CountingUnit>());
            line.back()->flags |= stopped;
            if (i > 0) {
                ASSERT_TRUE(line.back()->SetParent(line[static_cast<std::size_t>(i) - 1].get()));
            }
        }
        for (int frame = 0; frame < 2; ++frame) {
            for (auto& unit : line) unit->ClearFrameFlags();
            for (auto& unit : line) unit->UpdateTransform();
        }
        for (const auto& unit : line) EXPECT_LE(unit->asked, 4) << "stopped flag " << stopped;
        EXPECT_EQ(line.front()->age, 0u);
        EXPECT_EQ(line.back()->local.position, (Vec2{0, 0}));
    }
}

TEST(DrawUnit, TimersCountDownToZero)
{
    TestUnit unit;
    unit.timers[0] = 2;
    unit.timers[7] = 1;
    for (int frame = 0; frame < 3; ++frame) {
        Frame({&unit});
    }
    EXPECT_EQ(unit.timers[0], 0u);
    EXPECT_EQ(unit.timers[7], 0u);
}

TEST(DrawUnit, KillingAParentKillsItsDescendants)
{
    TestUnit root;
    TestUnit child;
    TestUnit grandchild;
    TestUnit other;
    child.SetParent(&root);
    grandchild.SetParent(&child);
    other.SetParent(&root);
    root.Kill();
    EXPECT_TRUE(child.IsDead());
    EXPECT_TRUE(grandchild.IsDead());
    EXPECT_TRUE(other.IsDead());
}

TEST(DrawUnit, KillingADeadLineAgainReachesEveryUnitThatLivesInItSince)
{
    TestUnit root;
    TestUnit middle;
    TestUnit leaf;
    middle.SetParent(&root);
    leaf.SetParent(&middle);
    root.Kill();
    ASSERT_TRUE(leaf.IsDead());

    TestUnit joined;
    joined.SetParent(&leaf);
    root.Kill();
    EXPECT_TRUE(joined.IsDead()) << "a live unit that joined the dead line";

    leaf.SetFlags(kDead, false);
    root.Kill();
    EXPECT_TRUE(leaf.IsDead()) << "a unit of the line whose dead mark was cleared";

    // A reset drops the unit's children but leaves it in the line.
    middle.Reset();
    root.Kill();
    EXPECT_TRUE(middle.IsDead()) << "a unit of the line reset to life";
}

TEST(DrawUnit, ChildOfADeadParentDiesInItsUpdate)
{
    TestUnit parent;
    TestUnit child;
    child.SetParent(&parent);
    parent.flags |= kDead;
    Frame({&child});
    EXPECT_TRUE(child.IsDead());
}

TEST(DrawUnit, FindsChildrenAndDescendantsByName)
{
    TestUnit root(u"root");
    TestUnit a(u"a");
    TestUnit a1(u"leaf");
    TestUnit b(u"b");
    TestUnit b1(u"leaf");
    a.SetParent(&root);
    b.SetParent(&root);
    a1.SetParent(&a);
    b1.SetParent(&b);

    EXPECT_EQ(root.FindChild(u"b"), &b);
    EXPECT_EQ(root.FindChild(u"leaf"), nullptr);
    EXPECT_EQ(root.FindDescendant(u"leaf"), &a1);  // depth first
    EXPECT_EQ(root.FindDescendant(u"lea"), nullptr);
    EXPECT_EQ(root.FindDescendant(u"leafy"), nullptr);
}

TEST(DrawUnit, ParentLinksStayConsistent)
{
    TestUnit parent;
    TestUnit child;
    EXPECT_FALSE(parent.SetParent(&parent));
    ASSERT_TRUE(child.SetParent(&parent));
    EXPECT_FALSE(parent.SetParent(&child));  // would close a loop
    EXPECT_EQ(parent.GetParent(), nullptr);

    TestUnit other;
    child.SetParent(&other);
    EXPECT_TRUE(parent.GetChildren().empty());
    ASSERT_EQ(other.GetChildren().size(), 1u);

    other.RemoveChild(&child);
    EXPECT_TRUE(other.GetChildren().empty());
    EXPECT_EQ(child.GetParent(), nullptr);

    {
        auto shortLived = std::make_unique<TestUnit>();
        child.SetParent(shortLived.get());
        TestUnit grandchild;
        grandchild.SetParent(&child);
        shortLived.reset();
        EXPECT_EQ(child.GetParent(), nullptr);
        child.Reset();  // drops its children
        EXPECT_EQ(grandchild.GetParent(), nullptr);
        EXPECT_TRUE(child.GetChildren().empty());
    }
}

TEST(DrawUnit, MoverDrivesThePositionAndIsDroppedWhenDone)
{
    TestUnit unit;
    unit.velocity = {100, 100};  // ignored while the mover runs
    unit.local.position = {0, 0};
    unit.StartMover(std::make_unique<UTL_CKnockBack>(2, 1, 0.0f, Vec2{10, 0}, 0.0f));
    ASSERT_TRUE(unit.IsMoverActive());

    Frame({&unit});
    EXPECT_EQ(unit.local.position, (Vec2{0, 0}));  // the delay frame
    Frame({&unit});
    Frame({&unit});
    EXPECT_EQ(unit.local.position, (Vec2{10, 0}));
    EXPECT_EQ(unit.world.position, (Vec2{10, 0}));
    Frame({&unit});
    Frame({&unit});
    EXPECT_EQ(unit.GetMover(), nullptr);
    EXPECT_FALSE(unit.IsMoverActive());

    Frame({&unit});
    EXPECT_EQ(unit.local.position, (Vec2{110, 100}));
}

TEST(DrawUnit, PositionFilterReplacesTheWorldPosition)
{
    TestUnit unit;
    unit.local.position = {3.7f, -2.2f};
    unit.positionFilter = [](const Vec2& p) { return Vec2{std::floor(p.x), std::floor(p.y)}; };
    Frame({&unit});
    EXPECT_EQ(unit.world.position, (Vec2{3, -3}));
    EXPECT_EQ(unit.local.position, (Vec2{3.7f, -2.2f}));
}
