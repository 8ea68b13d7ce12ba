// The scene stack: one scene of each kind, removal only at the start of an update, covered passes.
#include <gtest/gtest.h>

#include "game/app/scene/scene_stack.h"

namespace {

// A scene that counts what the stack did to it and can end itself or push another while updated.
class CountingScene : public GAME_CSceneBase {
public:
    explicit CountingScene(std::uint32_t id) : id_(id) {}
    void Update() override
    {
        ++updates;
        if (endOnUpdate) ended = true;
        if (pushOnUpdate) PushScene(kSceneGameMain);
    }
    void Draw() override { ++draws; }
    void DrawExtra() override {}
    bool IsEnd() const override { return ended; }
    std::uint32_t GetSceneId() const override { return id_; }
    void UpdateCovered() override { ++coveredUpdates; }
    void DrawCovered() override { ++coveredDraws; }

    int updates = 0, draws = 0, coveredUpdates = 0, coveredDraws = 0;
    bool ended = false, endOnUpdate = false, pushOnUpdate = false;

private:
    std::uint32_t id_;
};

TEST(SceneStackTest, ASceneEndingAsAnotherIsPushedIsDrawnThatFrameAndGoesAtTheNext)
{
    GAME_CSceneStack* stack = GetSceneStack();
    auto* first = new CountingScene(kSceneInitialize);
    stack->scenes.push_back(first);
    EXPECT_FALSE(PushScene(kSceneInitialize));  // one of each kind
    EXPECT_FALSE(PushScene(7));

    // With one scene no covered pass runs.
    UpdateSceneStack(*stack);
    DrawSceneStack(*stack);
    EXPECT_EQ(first->updates, 1);
    EXPECT_EQ(first->coveredUpdates, 0);
    EXPECT_EQ(first->draws, 1);

    first->endOnUpdate = true;
    first->pushOnUpdate = true;
    UpdateSceneStack(*stack);
    ASSERT_EQ(stack->scenes.size(), 2u);
    EXPECT_TRUE(IsSceneOnStack(kSceneGameMain));
    DrawSceneStack(*stack);
    EXPECT_EQ(first->coveredDraws, 1);  // still drawn the frame it ended
    UpdateSceneStack(*stack);
    ASSERT_EQ(stack->scenes.size(), 1u);
    EXPECT_EQ(stack->scenes.front()->GetSceneId(), kSceneGameMain);

    // Ending the main game for the mini-game: it goes at the next update.
    EndMainGameScene(*stack);
    EXPECT_TRUE(stack->scenes.front()->IsEnd());
    DestroySceneStack();
    EXPECT_EQ(PeekSceneStack(), nullptr);
}

}  // namespace
