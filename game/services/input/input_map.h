// The input map: the game's actions, cursor slots, bindings, pointer lists and last-used device.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "framework/input/input_manager.h"
#include "framework/math/vector.h"
#include "framework/memory/heaps.h"
#include "game/services/input/input_actions.h"

// Turns the framework's pad bits, key codes and pointer records into the
// game's 28 actions and 4 cursor slots, holds the player's bindings with their
// defaults, and tells which device was used last. One instance (GetInputMap);
// while it exists the frame refreshes input through UpdateInputMap.
//
// Pad tests read the first pad; with no pad record every pad test is false and
// only keys count.
class GAME_CInputMap : public vesk::memory::MainHeapObject {
public:
    static constexpr int kCursorSlotCount = 4;  // up, down, left, right
    static constexpr int kRemapPairCount = 32;
    // Bytes of one binding table in the save image: a 32-bit word per action.
    static constexpr std::size_t kBindingTableBytes = kInputActionCount * 4;

    // Query modes of the framework: 0 held, 1 released, 2 newly pressed, 3 auto-repeat.
    static constexpr int kModeHeld = 0;
    static constexpr int kModeReleased = 1;
    static constexpr int kModePressed = 2;
    static constexpr int kModeRepeat = 3;

    GAME_CInputMap();
    ~GAME_CInputMap();
    GAME_CInputMap(const GAME_CInputMap&) = delete;
    GAME_CInputMap& operator=(const GAME_CInputMap&) = delete;

    // After the framework's input update: the pointer lists, the stick
    // positions and the last-device flag of this frame.
    void Refresh();

    // --- actions (an action outside 0..27 is never active)
    bool IsActionHeld(int action) const;
    bool IsActionTriggered(int action) const;
    bool IsActionRepeated(int action) const;
    bool IsActionHeldOnPad(int action) const;
    // Cursor slot 0..3 in a query mode: the slot's stick direction, or the pad
    // button or key of the slot's action.
    bool IsActionInMode(int mode, int slot) const;
    bool IsSlotHeldOnPad(int slot) const;
    // Pad buttons of the mask in a query mode on the first pad, whatever they are bound to.
    bool IsPadButtonInMode(int mode, std::uint32_t mask) const { return PadMeets(mode, mask); }
    bool IsSlotTriggeredOnPad(int slot) const;
    bool IsZoomInHeld() const;
    bool IsZoomOutHeld() const;

    // Each set bit through the second remap table when the pad-layout option
    // is set, else through the first; bits not in the table pass unchanged.
    std::uint32_t RemapPadButtons(std::uint32_t mask) const;

    // --- pointers (canvas units, bounds inclusive)
    // A pointer pressed this frame inside the rectangle that is not pinching;
    // never while the ship departs or arrives.
    bool IsPointerInRect(const vesk::math::Vec2& topLeft, const vesk::math::Vec2& bottomRight) const;
    // Any held pointer inside the rectangle; never while the ship departs or arrives.
    bool IsAnyPointerInRect(const vesk::math::Vec2& topLeft, const vesk::math::Vec2& bottomRight) const;
    // The first pressed pointer, else the first held one, else (-100, -100).
    vesk::math::Vec2 GetFirstPointerPosition() const;
    // The frame's movement of the first held pointer once it has been held
    // kDragFrames frames (a drag, not a tap), else (0, 0).
    vesk::math::Vec2 GetDragPosition() const;
    static constexpr std::int32_t kDragFrames = 8;
    // The first held pointer that is pinching: its pinch distance and centre.
    struct PinchResult {
        float distance = 0.0f;
        float centreX = 0.0f;
        float centreY = 0.0f;
    };
    bool GetReleasedPointer(PinchResult& out) const;

    const vesk::input::TouchList& GetPressedPointers() const { return pressed_; }
    const vesk::input::TouchList& GetHeldPointers() const { return held_; }
    const vesk::input::TouchList& GetIdlePointers() const { return idle_; }
    // The pad's left (0) and right (1) stick, copied each frame while the world is set up.
    const vesk::math::Vec2& GetStickPosition(int stick) const { return sticks_[stick == 0 ? 0 : 1]; }
    // The stick that steers cursors: the left one, the right one with the sticks swapped.
    const vesk::math::Vec2& GetSteeringStickPosition() const;
    // The other stick, which scrolls the field's view and zooms: the right one, the left one with the sticks swapped.
    const vesk::math::Vec2& GetViewStickPosition() const;

    // 0 pad, 1 keyboard or mouse: which device the key names follow.
    bool IsKeyboardInUse() const { return keyboardInUse_ != 0; }

    // --- bindings (an action outside 0..27 reads as unbound and cannot be set)
    std::uint32_t GetPadBinding(int action) const;
    std::uint32_t GetDefaultPadBinding(int action) const;
    std::int32_t GetKeyBinding(int action) const;
    std::int32_t GetDefaultKeyBinding(int action) const;
    // False, binding unchanged, for a mask other than 0 or one bindable button.
    bool SetPadBinding(int action, std::uint32_t mask);
    // False, binding unchanged, for a code that is neither -1 nor a key.
    bool SetKeyBinding(int action, std::int32_t key);
    void RestoreDefaultBindings();

    // The binding tables of the save image: the word of action a at 4a,
    // little-endian (pad masks unsigned, key codes signed); the rest of the
    // given area is zero. False when the area is shorter than a table.
    bool WritePadBindings(std::span<std::uint8_t> area) const;
    bool WriteKeyBindings(std::span<std::uint8_t> area) const;
    static bool WriteDefaultPadBindings(std::span<std::uint8_t> area);
    static bool WriteDefaultKeyBindings(std::span<std::uint8_t> area);
    // Takes the bindings from a saved table. A saved value that is no binding
    // keeps the action's default, with a log line. False when the area is
    // shorter than a table (bindings unchanged).
    bool ReadPadBindings(std::span<const std::uint8_t> area);
    bool ReadKeyBindings(std::span<const std::uint8_t> area);

private:
    struct RemapPair {
        std::uint32_t from;
        std::uint32_t to;
    };
    struct PadBinding {
        std::uint32_t mask;
        std::uint32_t defaultMask;
    };
    struct KeyBinding {
        std::int32_t key;
        std::int32_t defaultKey;
    };

    static bool IsAction(int action) { return action >= 0 && action < kInputActionCount; }
    static bool IsSlot(int slot) { return slot >= 0 && slot < kCursorSlotCount; }
    bool PadMeets(int mode, std::uint32_t mask) const;
    bool KeyPasses(int mode, std::int32_t key) const;
    bool ActionInMode(int mode, int action) const;

    std::array<RemapPair, kRemapPairCount> remapA_{};
    std::array<RemapPair, kRemapPairCount> remapB_{};
    vesk::input::TouchList held_;     // pointer records of kind 1
    vesk::input::TouchList pressed_;  // kind 4
    vesk::input::TouchList idle_;     // kind 0x10000
    std::array<vesk::math::Vec2, 2> sticks_{};
    std::array<PadBinding, kInputActionCount> pad_{};
    std::array<KeyBinding, kInputActionCount> keys_{};
    std::array<std::uint32_t, kCursorSlotCount> slotMasks_{};
    std::array<int, kCursorSlotCount> slotActions_{};
    std::uint32_t keyboardInUse_ = 0;
};

// The instance, made on first use from the framework heap.
GAME_CInputMap* GetInputMap();
// Game end.
void DestroyInputMap();
// Set while an input map exists: the frame then refreshes input through
// UpdateInputMap instead of the framework's plain update.
bool IsInputMapActive();

// Once a frame: the framework's input update, then the input map's refresh.
// The second form takes the window's state as the framework's does.
void UpdateInputMap();
void UpdateInputMap(const vesk::input::WindowInputs& window);

// The lowest key code 0..114 newly pressed this frame, never the left mouse
// button (112), so a click while capturing a key binds nothing; -1 for none.
std::int32_t FindPressedKey();
// The first bindable pad button newly pressed on the first pad; 0 for none.
std::uint32_t FindPressedPadButton();

// Display names from the message file; the name key itself, widened, when the
// message file has no text for it.
std::u16string GetPadButtonName(std::uint32_t mask);
std::u16string GetKeyboardKeyName(std::int32_t code);
