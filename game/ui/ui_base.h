// The base of every screen held in a slot of the screen manager.
#pragma once

#include <cstdint>

#include "framework/memory/heaps.h"
#include "framework/utility/non_copyable.h"
#include "game/services/ui_port/ui_slots.h"

class GAME_CRoomBase;

// Names the slot a screen class lives in, on the class's own line: the factory and the manager's
// Get<Screen>() read it.
template <int Slot>
struct UIScreenSlot {
    static constexpr int kSlot = Slot;
};

// A screen is built once with the manager and afterwards only opened and closed. Screens reach each
// other only through the manager's slots. The manager and the room screens write the two words below
// when they open a screen for a room.
class GAME_CUIBase : public vesk::memory::MainHeapObject, private vesk::NonCopyable<GAME_CUIBase> {
public:
    GAME_CUIBase() = default;
    virtual ~GAME_CUIBase() = default;

    // True from the open request until the screen has finished closing.
    virtual bool IsOpen() const = 0;
    // Raises the open or close request; nothing when the screen already is in the asked state.
    virtual void SetOpen(bool open) = 0;
    // Room screens: the screen of the next or previous room.
    virtual void SkipToNextRoom() {}
    virtual void SkipToPrevRoom() {}
    virtual bool QueryA() const { return false; }
    virtual bool QueryB() const { return false; }
    virtual bool QueryC() const { return false; }
    // Whether the player may scroll and zoom the ship view while this is the topmost open screen.
    virtual bool AllowsFieldControl() const { return true; }
    // One frame; input says whether the screen may read the player's input.
    virtual void Update(bool input) = 0;
    // Drawing before Draw in the manager's first pass.
    virtual void PreDraw() = 0;
    virtual void Draw() = 0;
    // Whether this frame's input still reaches the screens below, asked right after Update.
    virtual bool PassesInput() const = 0;

    // Opens the screen for a room, with no detail.
    void OpenForRoom(GAME_CRoomBase* room)
    {
        target = room;
        targetDetail = 0;
        SetOpen(true);
    }

    GAME_CRoomBase* target = nullptr;
    std::uint32_t targetDetail = 0;
};
