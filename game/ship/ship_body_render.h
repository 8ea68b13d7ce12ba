// The hull renderer: where the ship's body stands on screen and how large it is drawn.
#pragma once

#include "framework/memory/heaps.h"

// Until the hull variants exist the body draws nothing; it stands at the canvas
// centre at scale 1, facing forward.
class GAME_CShipBodyRender : public vesk::memory::MainHeapObject {
public:
    virtual ~GAME_CShipBodyRender() = default;
    virtual void Update() {}
    virtual void DrawBody() {}
    virtual void DrawSecondPass() {}

    float positionX = 320.0f;
    float positionY = 180.0f;
    float scale = 1.0f;
    bool facingBack = false;
    float scrollSpeed = 1.0f;
};
