// The scene interface: the game runs as a stack of scenes, each updated and drawn every frame.
#pragma once

#include <cstdint>

#include "framework/memory/heaps.h"

inline constexpr std::uint32_t kSceneGameMain = 0;
inline constexpr std::uint32_t kSceneInitialize = 1;
inline constexpr std::uint32_t kSceneMiniGame = 2;

class GAME_CSceneBase : public vesk::memory::MainHeapObject {
public:
    GAME_CSceneBase() = default;
    virtual ~GAME_CSceneBase() = default;
    GAME_CSceneBase(const GAME_CSceneBase&) = delete;
    GAME_CSceneBase& operator=(const GAME_CSceneBase&) = delete;

    // The scene on top.
    virtual void Update() = 0;
    virtual void Draw() = 0;
    virtual void DrawExtra() = 0;
    virtual bool IsEnd() const = 0;
    virtual std::uint32_t GetSceneId() const = 0;
    // A scene with another above it.
    virtual void UpdateCovered() {}
    virtual void DrawCovered() {}
    virtual void Reserved() {}
    virtual void RequestEnd() {}
};
