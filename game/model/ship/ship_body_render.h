// The hull renderers: the ship's body and wheels behind the rooms, its cover, weapons and damage in front, the zoom view states and the sinking.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/memory/heaps.h"

namespace vesk::resource {
class SYS_CTexture;
}

// One kind of hull per variant, chosen by the ship tag. The base holds the placement, the
// view-state machine between the close view and the zoomed-out view, and the sinking shake.
class GAME_CShipBodyRender : public vesk::memory::MainHeapObject {
public:
    // View states.
    enum ViewState : std::uint32_t { kClose = 0, kZoomingOut = 1, kZoomedOut = 2, kZoomingIn = 3 };
    static constexpr int kHullSpriteGroup = 4;

    // The computed draw position: the grid's top-left corner on screen.
    struct DrawRecord {
        float x = 0.0f;
        float y = 0.0f;
    };

    GAME_CShipBodyRender();
    virtual ~GAME_CShipBodyRender() = default;
    GAME_CShipBodyRender(const GAME_CShipBodyRender&) = delete;
    GAME_CShipBodyRender& operator=(const GAME_CShipBodyRender&) = delete;

    // Once a frame: the draw position, then the view-state step.
    void Update();
    // Computes the draw position.
    virtual void UpdateVariant() = 0;
    // Hull and wheels, before the rooms.
    virtual void DrawBody() = 0;
    // Cover, turret weapons, damage markers and the sinking dust, over the rooms.
    virtual void DrawFront() = 0;
    const DrawRecord& GetDrawRecord() const { return drawRecord; }
    // Queries of the variants for the ship and screen code.
    virtual bool IsSettledClose() const { return false; }
    virtual bool IsTallHull() const { return false; }
    virtual bool HasCoverPass() const { return true; }
    virtual float GetViewLimit() const { return 1000.0f; }
    virtual float GetViewShift(float value) const;

    bool IsZoomedOut() const { return currentState == kZoomedOut && targetState == kZoomedOut; }
    bool IsZoomChanging() const
    {
        return targetState != currentState || currentState == kZoomingOut || currentState == kZoomingIn;
    }
    bool IsMirrored() const { return scaleX < 0.0f || scaleY < 0.0f; }

    float positionX = 200.0f;
    float positionY = 120.0f;
    float scaleX = 2.0f;
    float scaleY = 2.0f;
    std::uint32_t animationTimer = 0;
    std::uint32_t currentState = kClose;
    std::uint32_t targetState = kClose;
    std::uint32_t transitionTimer = 0;
    std::uint32_t transitionLength = 10;
    std::int32_t damageMarkerIndex = -1;
    vesk::resource::SYS_CTexture* damageMarkerSprite = nullptr;
    std::uint32_t sinking = 0;
    float shakeX = 0.0f;
    float shakeY = 0.0f;
    float drawOffsetX = 0.0f;
    float drawOffsetY = 0.0f;
    std::uint32_t alternativeDraw = 0;
    float alternativeX = 0.0f;
    float alternativeY = 0.0f;
    float bottomMarginFactor = 5.0f;
    DrawRecord drawRecord;

private:
    void StepViewState();
};

// The renderer of a ship tag: "SHP0", "SHP1", "SHP2" or "PROT", "SHP3", "SHP4"; any other tag
// gets the null renderer, which draws nothing.
std::unique_ptr<GAME_CShipBodyRender> CreateShipBodyRender(std::uint32_t shipTag);
// The sprite package the hull of a ship draws from; empty for a ship drawn without one.
std::string HullPackagePathOf(std::uint32_t shipTag);
