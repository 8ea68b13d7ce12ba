// The base of every screen held in a slot of the UI manager.
#pragma once

#include "framework/memory/heaps.h"

// A screen that only opens and closes; the screens of later parts derive from it.
class GAME_CUIBase : public vesk::memory::MainHeapObject {
public:
    virtual ~GAME_CUIBase() = default;
    virtual bool IsOpen() const { return open_; }
    virtual void SetOpen(bool open) { open_ = open; }
    virtual void Update(bool) {}
    virtual void PreDraw() {}
    virtual void Draw() {}
    virtual bool PassesInput() const { return true; }
    virtual bool AllowsFieldControl() const { return true; }

private:
    bool open_ = false;
};
