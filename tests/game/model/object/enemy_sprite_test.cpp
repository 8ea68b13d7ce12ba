// Enemy sprite parts: the pool of 128, building and taking apart trees by name, and where a turned tree draws its parts.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "framework/graphics/sprite_registry.h"
#include "game/model/object/enemy_sprite.h"
#include "game/model/object/enemy_sprite_pool.h"
#include "tests/support/frame_recorder.h"

namespace {

class EnemySpriteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateEnemySpritePartPool();
        vesk::resource::SetSpriteRegistry(&registry_);  // draws reach the recorder through it
    }
    void TearDown() override
    {
        vesk::resource::SetSpriteRegistry(nullptr);
        DestroyEnemySpritePartPool();
    }

    GAME_CEnemySprite* Part(std::string_view name, std::int32_t sprite = -1)
    {
        GAME_CEnemySprite* part = GetEnemySpritePool().AcquirePart();
        EXPECT_NE(part, nullptr);
        EnemySpritePartRecord record;
        record.name = name;
        record.spriteIndex = sprite;
        part->InitFromRecord(&record);
        return part;
    }

    static std::size_t Total() { return GetEnemySpritePool().FreeCount() + GetEnemySpritePool().UsedCount(); }

private:
    vesk::resource::SpriteRegistry registry_;
};

TEST_F(EnemySpriteTest, ThePoolHandsOutEveryPartOnceAndTakesWholeTreesBack)
{
    GAME_CEnemySpritePool& pool = GetEnemySpritePool();
    std::vector<GAME_CEnemySprite*> taken;
    while (GAME_CEnemySprite* part = pool.AcquirePart()) taken.push_back(part);
    EXPECT_EQ(taken.size(), 128u);
    EXPECT_EQ(pool.AcquirePart(), nullptr);  // the 129th
    for (GAME_CEnemySprite* part : taken) pool.ReleasePart(part);
    EXPECT_EQ(pool.FreeCount(), 128u);

    // A root with three children goes back whole; releasing it again, or a
    // part that was never handed out, changes nothing.
    GAME_CEnemySprite* root = Part("body");
    for (const char* name : {"claw", "tail", "leg"}) root->AddChild(Part(name));
    EXPECT_EQ(pool.UsedCount(), 4u);
    pool.ReleasePart(root);
    EXPECT_EQ(pool.UsedCount(), 0u);
    EXPECT_EQ(pool.FreeCount(), 128u);
    pool.ReleasePart(root);
    GAME_CEnemySprite stranger;
    pool.ReleasePart(&stranger);
    EXPECT_EQ(pool.FreeCount(), 128u);
    EXPECT_EQ(Total(), 128u);

    // A child released on its own leaves its parent.
    root = Part("body");
    GAME_CEnemySprite* claw = Part("claw");
    root->AddChild(claw);
    pool.ReleasePart(claw);
    EXPECT_EQ(root->FirstChild(), nullptr);
    pool.ReleasePart(root);
    EXPECT_EQ(pool.FreeCount(), 128u);
}

TEST_F(EnemySpriteTest, PartsAreFoundMovedAndDetachedByNameAnywhereInTheTree)
{
    GAME_CEnemySprite* root = Part("body");
    GAME_CEnemySprite* head = Part("head");
    GAME_CEnemySprite* tail = Part("tail");
    GAME_CEnemySprite* sting = Part("sting");
    root->AddChild(head);
    root->AddChild(tail);
    tail->AddChild(sting);

    root->AddChild(head);  // already a child: nothing changes
    EXPECT_EQ(root->FirstChild(), head);
    EXPECT_EQ(head->NextSibling(), tail);
    EXPECT_EQ(tail->NextSibling(), nullptr);

    EXPECT_EQ(root->FindPartByName("sting"), sting);
    EXPECT_EQ(root->FindPartByName("wing"), nullptr);
    EXPECT_EQ(root->FindPartByName("body"), nullptr);  // the root is not its own child

    // A move that would hang a part under its own sub-tree is refused.
    EXPECT_FALSE(tail->SetParent(sting));
    EXPECT_FALSE(tail->SetParent(tail));
    EXPECT_EQ(sting->Parent(), tail);
    EXPECT_TRUE(sting->SetParent(head));
    EXPECT_EQ(head->FirstChild(), sting);
    EXPECT_EQ(tail->FirstChild(), nullptr);

    // The match in the second child's sub-tree is found and taken out.
    sting->SetParent(tail);
    EXPECT_EQ(root->DetachChildByName("sting"), sting);
    EXPECT_EQ(sting->Parent(), nullptr);
    EXPECT_EQ(tail->FirstChild(), nullptr);
    EXPECT_EQ(root->DetachChildByName("sting"), nullptr);

    // Flips reach the sub-parts only when asked.
    root->SetFlip(true, false);
    EXPECT_EQ(head->flipX, 0);
    root->SetFlip(true, true);
    EXPECT_EQ(head->flipX, 1);
    EXPECT_EQ(tail->flipX, 1);

    GetEnemySpritePool().ReleasePart(root);
    GetEnemySpritePool().ReleasePart(sting);
    EXPECT_EQ(GetEnemySpritePool().FreeCount(), 128u);
}

TEST_F(EnemySpriteTest, NamesKeepThirtyOneCharactersAndStopAtAZero)
{
    std::array<char, 32> buffer{};
    buffer.fill('x');
    EXPECT_EQ(CopyName32(buffer, std::string_view("claw\0rest", 9)), 4);
    EXPECT_EQ(std::string_view(buffer.data()), "claw");
    EXPECT_EQ(buffer[31], '\0');
    EXPECT_EQ(CopyName32(buffer, std::string(40, 'a')), 31);
    EXPECT_EQ(buffer[31], '\0');
}

TEST_F(EnemySpriteTest, ATurnedRootCarriesItsChildrenAlongTheTurnedAxisAndAMirrorMirrorsThem)
{
    GAME_CEnemySprite* root = Part("body", 3);
    GAME_CEnemySprite* arm = Part("arm", 4);
    GAME_CEnemySprite* hidden = Part("hidden");  // no sprite: not drawn
    root->AddChild(arm);
    root->AddChild(hidden);
    arm->offset = {10.0f, 0.0f};
    root->angle = 90.0f;

    support::FrameRecorder recorder;
    EnemySpriteView view;
    view.cameraZoom = 2.0f;
    root->AnimateTree(view);
    root->DrawTree({100.0f, 50.0f});
    ASSERT_EQ(recorder.sprites.size(), 2u);
    EXPECT_EQ(recorder.sprites[0].ref, 3);  // the parent under its child
    EXPECT_FLOAT_EQ(recorder.sprites[0].x, 100.0f);
    EXPECT_FLOAT_EQ(recorder.sprites[0].y, 50.0f);
    EXPECT_EQ(recorder.sprites[1].ref, 4);
    EXPECT_NEAR(recorder.sprites[1].x, 100.0f, 1e-4f);
    EXPECT_NEAR(recorder.sprites[1].y, 60.0f, 1e-4f);

    // Animated once a frame: until the visited flags are cleared nothing moves.
    root->angle = 0.0f;
    root->AnimateTree(view);
    recorder.Clear();
    root->DrawTree({100.0f, 50.0f});
    EXPECT_NEAR(recorder.sprites[1].y, 60.0f, 1e-4f);

    // At zoom 4 the tree doubles; the enemy facing back mirrors it.
    root->SetAutoFlip(true);
    view.cameraZoom = 4.0f;
    view.enemyFacesBack = true;
    root->ClearVisited();
    root->AnimateTree(view);
    recorder.Clear();
    root->DrawTree({100.0f, 50.0f});
    EXPECT_EQ(arm->flipX, 1);
    EXPECT_NEAR(recorder.sprites[1].x, 80.0f, 1e-4f);
    EXPECT_NEAR(recorder.sprites[1].y, 50.0f, 1e-4f);

    // On a route run the other way the facing counts the other way round.
    view.routeReversed = true;
    root->ClearVisited();
    root->AnimateTree(view);
    EXPECT_EQ(arm->flipX, 0);
    GetEnemySpritePool().ReleasePart(root);
}

}  // namespace
