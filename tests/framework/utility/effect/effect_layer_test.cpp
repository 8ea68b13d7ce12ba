// The effect layer: spawning, drawing, following anchors, records freed and the root placement.
#include <utility>
#include <vector>

#include "tests/framework/utility/effect/effect_test_support.h"

namespace vesk::utility::particle::test {
namespace {

using script_graphic::UTL_CObjectScript;

class EffectLayerTest : public EffectLayerFixture {};

TEST_F(EffectLayerTest, LoadingPlacesAnImmortalRootAndFreesEveryRecord)
{
    layer.LoadParticleScripts();
    UTL_CObjectScript* root = layer.Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), kRootName);
    EXPECT_EQ(layer.Capacity(), kEffectRecordCount);
    EXPECT_EQ(layer.FreeRecordCount(), kEffectRecordCount);
    EXPECT_TRUE(layer.ActiveRecords().empty());

    UTL_CObjectScript* effect = layer.SpawnParticleEffect(Request(u"dot"));
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->GetParent(), root);
    // Effects start hidden and out of the root's transform.
    EXPECT_FALSE(effect->HasFlags(draw_unit::kInheritTransform));
    EXPECT_EQ(effect->local.visible, 0u);
    ASSERT_EQ(layer.ActiveRecords().size(), 1u);
    EXPECT_EQ(layer.FreeRecordCount(), kEffectRecordCount - 1);

    // Far past the default lifetime the root lives on, scaled by the zoom.
    for (int frame = 0; frame < 200; ++frame) {
        layer.UpdateParticleEffects();
    }
    EXPECT_EQ(layer.Root(), root);
    EXPECT_FLOAT_EQ(root->local.scale.x, host.zoom * 0.5f);

    // A second layer shares the engine and its root.
    UTL_CEffectLayer second(&host);
    second.LoadParticleScripts();
    EXPECT_EQ(second.Root(), root);
    ASSERT_NE(second.SpawnParticleEffect(Request(u"dot")), nullptr);
    EXPECT_EQ(second.SpawnParticleEffect(Request(u"dot"))->GetParent(), root);
}

TEST_F(EffectLayerTest, AnUnknownLabelSpawnsAndDrawsNothing)
{
    layer.LoadParticleScripts();
    const std::size_t objects = GetEffectEngine()->ObjectCount();
    EXPECT_EQ(layer.SpawnParticleEffect(Request(u"no_such_effect")), nullptr);
    EXPECT_EQ(GetEffectEngine()->ObjectCount(), objects);
    EXPECT_TRUE(layer.ActiveRecords().empty());
    layer.UpdateParticleEffects();
    layer.DrawParticleEffects();
    EXPECT_EQ(LitPixels(), 0);
}

TEST_F(EffectLayerTest, EachKindShowsItsSpriteAtItsPoint)
{
    layer.LoadParticleScripts();
    // Kind 0: the graphic's position (10, 20) plus the offset.
    UTL_SEffectRequest atPosition = Request(u"dot", kEffectAtPosition);
    atPosition.params.offset = {100.0f, 50.0f};
    // Kind 1: the anchor, scrolled, plus the offset mirrored for an anchor facing left.
    host.things[0].view.position = {200.0f, 100.0f};
    host.things[0].view.mirror = true;
    UTL_SEffectRequest follow = Request(u"dot", kEffectFollow);
    follow.params.anchor = host.AnchorOf(0);
    follow.params.offset = {10.0f, 5.0f};
    // Kind 2: the ship body's position plus whole cells.
    UTL_SEffectRequest onCell = Request(u"dot", kEffectOnShipCell);
    onCell.params.cellX = 2;
    onCell.params.cellY = 3;
    // Kind 3: the anchor, scrolled, plus the screen offset, pivoting at the anchor's pivot.
    host.things[1].view.position = {150.0f, 200.0f};
    UTL_SEffectRequest unmirrored = Request(u"dot", kEffectFollowUnmirrored);
    unmirrored.params.anchor = host.AnchorOf(1);
    unmirrored.params.screenOffsetX = 7;
    unmirrored.params.screenOffsetY = -8;
    for (const UTL_SEffectRequest* request : {&atPosition, &follow, &onCell, &unmirrored}) {
        ASSERT_NE(layer.SpawnParticleEffect(*request), nullptr);
    }

    layer.UpdateParticleEffects();
    layer.DrawParticleEffects();
    EXPECT_TRUE(ShowsDotAt(110, 70));
    EXPECT_TRUE(ShowsDotAt(193, 109));
    EXPECT_TRUE(ShowsDotAt(348, 112));
    EXPECT_TRUE(ShowsDotAt(160, 196));
    EXPECT_EQ(LitPixels(), 4 * 16);
    // Every draw ends its batch.
    EXPECT_EQ(record->textureRenderer.PendingQuads(), 0);
    EXPECT_EQ(graphics::GetSpriteDrawState().group, -1);
    EXPECT_EQ(graphics::GetSpriteDrawState().blendMode, 5);
}

TEST_F(EffectLayerTest, KindsScaleWithTheWorldAndMirrorOnlyWhenTheyFollow)
{
    layer.LoadParticleScripts();
    host.displayScale = 3.0f;
    host.zoom = 2.0f;
    host.bodyScale = {-2.0f, 1.5f};
    host.things[0].view = {{40.0f, 60.0f}, {0.25f, 1.0f}, true};

    UTL_SEffectRequest follow = Request(u"dot", kEffectFollow);
    follow.params.anchor = host.AnchorOf(0);
    follow.params.offset = {4.0f, 2.0f};
    follow.params.scale = {2.0f, 9.0f};  // only x counts
    follow.params.rotation = 30.0f;
    UTL_SEffectRequest onCell = Request(u"dot", kEffectOnShipCell);
    onCell.params.cellX = 2;
    onCell.params.cellY = 4;
    UTL_SEffectRequest unmirrored = follow;
    unmirrored.kind = kEffectFollowUnmirrored;
    for (const UTL_SEffectRequest* request : {&follow, &onCell, &unmirrored}) {
        ASSERT_NE(layer.SpawnParticleEffect(*request), nullptr);
    }
    layer.UpdateParticleEffects();
    const auto& draws = layer.CollectDraws();
    ASSERT_EQ(draws.size(), 3u);

    // s = display scale 3 x scale 2 x 0.5 = 3; facing left subtracts the x offset.
    EXPECT_FLOAT_EQ(draws[0].position.x, 43.0f - 12.0f);
    EXPECT_FLOAT_EQ(draws[0].position.y, 64.0f + 6.0f);
    EXPECT_FLOAT_EQ(draws[0].param.scaleX, 3.0f);
    EXPECT_FLOAT_EQ(draws[0].param.scaleY, 3.0f);
    EXPECT_FLOAT_EQ(draws[0].param.angle, 30.0f);
    EXPECT_EQ(draws[0].param.flipX, 1);
    EXPECT_FLOAT_EQ(draws[0].param.pivotX, 0.5f);  // the sprite's own centre

    // Size = zoom 2 x 0.25 x body scale; a mirrored body counts from the next cell.
    EXPECT_FLOAT_EQ(draws[1].param.scaleX, 1.0f);
    EXPECT_FLOAT_EQ(draws[1].param.scaleY, 0.75f);
    EXPECT_FLOAT_EQ(draws[1].position.x, 300.0f + 3 * 24.0f);
    EXPECT_FLOAT_EQ(draws[1].position.y, 40.0f + 4 * 24.0f * 0.75f);
    EXPECT_EQ(draws[1].param.flipX, 0);

    // Kind 3: no mirror, the anchor's pivot.
    EXPECT_FLOAT_EQ(draws[2].position.x, 43.0f);
    EXPECT_EQ(draws[2].param.flipX, 0);
    EXPECT_FLOAT_EQ(draws[2].param.pivotX, 0.25f);
    EXPECT_FLOAT_EQ(draws[2].param.pivotY, 1.0f);
}

TEST_F(EffectLayerTest, EffectsBeyondTheRecordsRunButAreNotDrawn)
{
    layer.LoadParticleScripts();
    std::vector<UTL_CObjectScript*> effects;
    for (std::uint32_t i = 0; i < kEffectRecordCount + 5; ++i) {
        effects.push_back(layer.SpawnParticleEffect(Request(u"three_frames")));
        ASSERT_NE(effects.back(), nullptr);
    }
    EXPECT_EQ(layer.ActiveRecords().size(), kEffectRecordCount);
    EXPECT_EQ(layer.FreeRecordCount(), 0u);

    layer.UpdateParticleEffects();
    EXPECT_EQ(layer.CollectDraws().size(), kEffectRecordCount);
    // The unrecorded ones ran too: each made its sprite.
    EXPECT_EQ(effects.back()->GetChildren().size(), 1u);

    for (int frame = 0; frame < 4; ++frame) {
        layer.UpdateParticleEffects();
    }
    EXPECT_EQ(GetEffectEngine()->ObjectCount(), 1u);  // only the root is left
    EXPECT_EQ(layer.FreeRecordCount(), kEffectRecordCount);
}

TEST_F(EffectLayerTest, AFinishedEffectFreesItsRecordInTheSameUpdate)
{
    layer.LoadParticleScripts();
    ASSERT_NE(layer.SpawnParticleEffect(Request(u"at_once")), nullptr);
    ASSERT_NE(layer.SpawnParticleEffect(Request(u"dot")), nullptr);
    ASSERT_NE(layer.SpawnParticleEffect(Request(u"three_frames")), nullptr);
    layer.UpdateParticleEffects();
    ASSERT_EQ(layer.ActiveRecords().size(), 2u);
    EXPECT_EQ(layer.FreeRecordCount(), kEffectRecordCount - 2);
    // The records keep their spawn order.
    EXPECT_EQ(layer.ActiveRecords()[0]->object->GetChildren().size(), 1u);

    for (int frame = 0; frame < 3; ++frame) {
        layer.UpdateParticleEffects();
    }
    EXPECT_EQ(layer.ActiveRecords().size(), 1u);
    // A killed effect goes the same way.
    ASSERT_TRUE(GetEffectEngine()->KillObject(layer.ActiveRecords()[0]->objectHandle));
    layer.UpdateParticleEffects();
    EXPECT_TRUE(layer.ActiveRecords().empty());
    EXPECT_EQ(layer.FreeRecordCount(), kEffectRecordCount);
}

TEST_F(EffectLayerTest, OnlyVisibleSpriteGraphicsAreDrawn)
{
    layer.LoadParticleScripts();
    ASSERT_NE(layer.SpawnParticleEffect(Request(u"no_sprite")), nullptr);
    ASSERT_NE(layer.SpawnParticleEffect(Request(u"hidden")), nullptr);
    layer.UpdateParticleEffects();
    EXPECT_EQ(layer.ActiveRecords().size(), 2u);
    EXPECT_TRUE(layer.CollectDraws().empty());
    layer.DrawParticleEffects();
    EXPECT_EQ(LitPixels(), 0);

    // A graphic that has been removed is not drawn through its stale pointer.
    UTL_CObjectScript* effect = layer.SpawnParticleEffect(Request(u"dot"));
    layer.UpdateParticleEffects();
    ASSERT_EQ(layer.CollectDraws().size(), 1u);
    const auto* sprite = effect->GetGraphic();
    ASSERT_NE(sprite, nullptr);
    GetEffectEngine()->KillObject(sprite->handle);
    GetEffectEngine()->RemoveDeadObjects();
    EXPECT_TRUE(layer.CollectDraws().empty());
}

TEST_F(EffectLayerTest, ARecordNeverFollowsItsObjectIntoAnotherEffect)
{
    layer.LoadParticleScripts();
    UTL_CObjectScript* first = layer.SpawnParticleEffect(Request(u"dot"));
    layer.UpdateParticleEffects();
    // Killed and removed behind the layer's back, then handed out again.
    GetEffectEngine()->KillObject(first->handle);
    GetEffectEngine()->RemoveDeadObjects();
    UTL_SEffectRequest second = Request(u"dot");
    second.params.offset = {100.0f, 0.0f};
    UTL_CObjectScript* reused = layer.SpawnParticleEffect(second);
    ASSERT_EQ(reused, first);  // the pool gives the same object back

    layer.UpdateParticleEffects();
    ASSERT_EQ(layer.ActiveRecords().size(), 1u);
    EXPECT_EQ(layer.ActiveRecords()[0]->objectHandle, reused->handle);
    const auto& draws = layer.CollectDraws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_FLOAT_EQ(draws[0].position.x, 110.0f);
}

TEST_F(EffectLayerTest, AnEffectStopsFollowingAnAnchorWhoseObjectWasReused)
{
    layer.LoadParticleScripts();
    host.things[0].view.position = {100.0f, 100.0f};
    UTL_SEffectRequest follow = Request(u"dot", kEffectFollow);
    follow.params.anchor = host.AnchorOf(0);
    ASSERT_NE(layer.SpawnParticleEffect(follow), nullptr);
    // Never seen: an anchor that is already stale places nothing.
    UTL_SEffectRequest stale = follow;
    stale.params.anchor.generation = 0;
    ASSERT_NE(layer.SpawnParticleEffect(stale), nullptr);
    layer.UpdateParticleEffects();

    ASSERT_EQ(layer.CollectDraws().size(), 1u);
    host.things[0].view.position = {120.0f, 90.0f};
    EXPECT_FLOAT_EQ(layer.CollectDraws()[0].position.x, 123.0f);  // follows, with the scroll

    // The object goes back to its pool and comes out as something else.
    ++host.things[0].generation;
    host.things[0].view.position = {500.0f, 300.0f};
    ASSERT_EQ(layer.CollectDraws().size(), 1u);
    EXPECT_FLOAT_EQ(layer.CollectDraws()[0].position.x, 123.0f);  // stays where it was last seen
    EXPECT_TRUE(layer.ActiveRecords()[0]->params.anchor.IsNone());

    // Even if the old generation were to match again, the anchor is dropped for good.
    --host.things[0].generation;
    const int queries = host.anchorQueries;
    EXPECT_FLOAT_EQ(layer.CollectDraws()[0].position.x, 123.0f);
    EXPECT_EQ(host.anchorQueries, queries);
}

TEST_F(EffectLayerTest, AnAnchorThatLeavesBeforeTheFirstDrawStillPlacesItsEffects)
{
    // An enemy whose death spawns smoke at itself and ends in the same step leaves the field (and
    // its pool slot may be taken) before the effects are first drawn.
    layer.LoadParticleScripts();
    host.things[1].view = {{200.0f, 80.0f}, {0.25f, 1.0f}, true};
    UTL_SEffectRequest follow = Request(u"dot", kEffectFollow);
    follow.params.anchor = host.AnchorOf(1);
    follow.params.offset = {5.0f, 6.0f};
    UTL_SEffectRequest unmirrored = follow;
    unmirrored.kind = kEffectFollowUnmirrored;
    unmirrored.params.screenOffsetX = 7;
    ASSERT_NE(layer.SpawnParticleEffect(follow), nullptr);
    ASSERT_NE(layer.SpawnParticleEffect(unmirrored), nullptr);
    ++host.things[1].generation;
    host.things[1].view = {{500.0f, 300.0f}, {0.5f, 0.5f}, false};
    layer.UpdateParticleEffects();

    // Where the anchor stood, with the scroll (3, 4): s = display scale 2 x 1 x 0.5 = 1, and facing
    // left the follower subtracts its x offset and is mirrored; the other adds its screen offset.
    std::vector<std::pair<float, float>> points;
    std::vector<std::int32_t> flips;
    for (const UTL_SEffectSpriteDraw& draw : layer.CollectDraws()) {
        points.emplace_back(draw.position.x, draw.position.y);
        flips.push_back(draw.param.flipX);
    }
    EXPECT_EQ(points, (std::vector<std::pair<float, float>>{{198.0f, 90.0f}, {210.0f, 84.0f}}));
    EXPECT_EQ(flips, (std::vector<std::int32_t>{1, 0}));
    EXPECT_TRUE(layer.ActiveRecords()[0]->params.anchor.IsNone());
}

TEST_F(EffectLayerTest, ReleasingEndsEveryEffectAndLeavesNoEngine)
{
    layer.LoadParticleScripts();
    UTL_CEffectLayer other(&host);
    other.LoadParticleScripts();
    ASSERT_NE(other.SpawnParticleEffect(Request(u"dot")), nullptr);
    ASSERT_NE(layer.SpawnParticleEffect(Request(u"dot")), nullptr);
    layer.UpdateParticleEffects();

    layer.ReleaseParticleEffects();
    EXPECT_EQ(GetEffectEngine(), nullptr);
    EXPECT_EQ(layer.Capacity(), 0u);
    EXPECT_EQ(layer.SpawnParticleEffect(Request(u"dot")), nullptr);
    // The other layer's records pointed into the released engine: dropped, not followed.
    EXPECT_TRUE(other.CollectDraws().empty());
    other.UpdateParticleEffects();
    EXPECT_TRUE(other.ActiveRecords().empty());

    // Loading again starts a new engine; the other layer's records stay free.
    layer.LoadParticleScripts();
    ASSERT_NE(layer.SpawnParticleEffect(Request(u"dot")), nullptr);
    other.UpdateParticleEffects();
    EXPECT_TRUE(other.ActiveRecords().empty());
}

TEST_F(EffectLayerTest, WithoutAPackageNothingPlays)
{
    std::filesystem::remove(folder_ / "script" / "particle.pac");
    layer.LoadParticleScripts();
    EXPECT_NE(GetEffectEngine(), nullptr);
    EXPECT_EQ(layer.Root(), nullptr);
    EXPECT_EQ(layer.SpawnParticleEffect(Request(u"dot")), nullptr);
    layer.UpdateParticleEffects();
    layer.DrawParticleEffects();
    EXPECT_EQ(LitPixels(), 0);
}

TEST_F(EffectLayerTest, WithoutARootEffectsStandAlone)
{
    WriteEffects(R"(
.entry 1
"dot":
    visible 1
    obj.sprite "dot" 1 0
    wait 5
    return
)");
    layer.LoadParticleScripts();
    EXPECT_EQ(layer.Root(), nullptr);
    UTL_CObjectScript* first = layer.SpawnParticleEffect(Request(u"dot"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetParent(), nullptr);
    // The first effect does not become a root that the others would die with.
    UTL_CObjectScript* second = layer.SpawnParticleEffect(Request(u"dot"));
    EXPECT_EQ(second->GetParent(), nullptr);
    EXPECT_EQ(layer.Root(), nullptr);
}

TEST_F(EffectLayerTest, PlacementsSitUnderTheirParentRelativeToTheRoot)
{
    layer.LoadParticleScripts();
    UTL_CObjectScript* root = layer.Root();
    root->local.position = {10.0f, 20.0f};
    root->local.scale = {2.0f, 0.0f};

    UTL_SEffectPlacement anchor;
    anchor.objectName = u"anchor";
    anchor.labelName = u"dot";
    anchor.position = {30.0f, 40.0f};
    anchor.relative = true;
    anchor.flipX = 1;
    UTL_CObjectScript* placed = layer.PlaceEffectObject(anchor);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->GetParent(), root);
    EXPECT_FLOAT_EQ(placed->local.position.x, 10.0f);  // (30 - 10) / 2
    EXPECT_FLOAT_EQ(placed->local.position.y, 20.0f);  // a zero scale divides nothing
    EXPECT_EQ(placed->local.flipX, 1u);
    EXPECT_EQ(placed->local.visible, 1u);

    UTL_SEffectPlacement child = anchor;
    child.objectName = u"child";
    child.parentName = u"anchor";
    child.relative = false;
    UTL_CObjectScript* under = layer.PlaceEffectObject(child);
    ASSERT_NE(under, nullptr);
    EXPECT_EQ(under->GetParent(), placed);
    EXPECT_FLOAT_EQ(under->local.position.x, 20.0f);

    child.parentName = u"nobody";
    EXPECT_EQ(layer.PlaceEffectObject(child)->GetParent(), root);
    child.labelName = u"missing";
    EXPECT_EQ(layer.PlaceEffectObject(child), nullptr);
}

}  // namespace
}  // namespace vesk::utility::particle::test
