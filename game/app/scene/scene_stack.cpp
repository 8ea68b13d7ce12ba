// The stack of scenes: at most one of each kind, the last one on top.
#include "game/app/scene/scene_stack.h"

#include <algorithm>

#include "game/app/scene/scene_main_game.h"
#include "game/app/scene/scene_initialize.h"
#include "game/app/scene/scene_minigame.h"

namespace {

GAME_CSceneStack* g_stack = nullptr;

GAME_CSceneBase* MakeScene(std::uint32_t id)
{
    switch (id) {
    case kSceneGameMain: return new GAME_CSceneGameMain;
    case kSceneInitialize: return new GAME_CSceneInitialize;
    case kSceneMiniGame: return new GAME_CSceneMiniGameSideScroll;
    default: return nullptr;
    }
}

void DropNullScenes(GAME_CSceneStack& stack)
{
    std::erase(stack.scenes, nullptr);
}

}  // namespace

GAME_CSceneStack* GetSceneStack()
{
    if (g_stack == nullptr) g_stack = new GAME_CSceneStack;
    return g_stack;
}

GAME_CSceneStack* PeekSceneStack() { return g_stack; }

void DestroySceneStack()
{
    if (g_stack == nullptr) return;
    ClearSceneStack(*g_stack);
    delete g_stack;
    g_stack = nullptr;
}

bool IsSceneOnStack(std::uint32_t id)
{
    if (g_stack == nullptr) return false;
    return std::any_of(g_stack->scenes.begin(), g_stack->scenes.end(),
                       [id](const GAME_CSceneBase* scene) { return scene != nullptr && scene->GetSceneId() == id; });
}

bool PushScene(std::uint32_t id)
{
    GAME_CSceneStack* stack = GetSceneStack();
    if (id > kSceneMiniGame || IsSceneOnStack(id)) return false;
    GAME_CSceneBase* scene = MakeScene(id);
    if (scene == nullptr) return false;
    stack->scenes.push_back(scene);
    return true;
}

void UpdateSceneStack(GAME_CSceneStack& stack)
{
    for (GAME_CSceneBase*& scene : stack.scenes) {
        if (scene != nullptr && scene->IsEnd()) {
            delete scene;
            scene = nullptr;
        }
    }
    DropNullScenes(stack);
    if (stack.scenes.empty()) return;
    // Scenes pushed during these updates wait for the next frame.
    const std::size_t count = stack.scenes.size();
    for (std::size_t i = 0; i + 1 < count; ++i) stack.scenes[i]->UpdateCovered();
    stack.scenes[count - 1]->Update();
}

void DrawSceneStack(GAME_CSceneStack& stack)
{
    if (stack.scenes.empty()) return;
    const std::size_t count = stack.scenes.size();
    for (std::size_t i = 0; i + 1 < count; ++i) {
        if (stack.scenes[i] != nullptr) stack.scenes[i]->DrawCovered();
    }
    if (stack.scenes[count - 1] != nullptr) stack.scenes[count - 1]->Draw();
}

void EndMainGameScene(GAME_CSceneStack& stack)
{
    DropNullScenes(stack);
    for (GAME_CSceneBase* scene : stack.scenes) {
        if (scene->GetSceneId() == kSceneGameMain) scene->RequestEnd();
    }
}

void ClearSceneStack(GAME_CSceneStack& stack)
{
    for (GAME_CSceneBase*& scene : stack.scenes) {
        delete scene;
        scene = nullptr;
    }
    stack.scenes.clear();
    stack.scenes.shrink_to_fit();
}
