// The focus map: a screen's focus places as a table, and the walk between them by the direction keys.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "framework/math/vector.h"

class GAME_CUIIconObject;

enum UIFocusDirection : int { kUIFocusUp = 0, kUIFocusDown = 1, kUIFocusLeft = 2, kUIFocusRight = 3 };

inline constexpr std::int32_t kUINoFocus = -1;

// One place of a screen's focus: where the pointer stands and with which sprite (none: the pointer
// hides, the place shows its own cursor), the place each direction leads to, whether the place can be
// stood on now, whether steps from it go without a sound, and the button decide presses there.
struct UIFocusPlace {
    std::int32_t id = kUINoFocus;
    vesk::math::Vec2 pointer{};
    std::int32_t marker = -1;
    std::array<std::int32_t, 4> next{kUINoFocus, kUINoFocus, kUINoFocus, kUINoFocus};
    // Where a direction leads when its place cannot be stood on now (kUINoFocus: nowhere).
    std::array<std::int32_t, 4> otherwise{kUINoFocus, kUINoFocus, kUINoFocus, kUINoFocus};
    std::function<bool()> condition;
    bool silent = false;
    // Only the steps left and right from here go without a sound.
    bool silentSideways = false;
    GAME_CUIIconObject* button = nullptr;
    // A step that stays inside the place, asked before the walk: true while the place's own cursor or
    // value moves that way (moved here, or by its widget, which reads the key itself); false at its end.
    std::function<bool(int direction)> inside;
    // Run when a step arrives here, with the step's direction (a list entered from below starts on its
    // last row).
    std::function<void(int direction)> arrive;
    // Up and down also act on auto-repeat here.
    bool repeats = false;
    // Up and down are answered here with the cursor sound, even where they lead nowhere.
    bool soundsUpDown = false;
    // Its widget reads the same keys: an up or down step into or out of it uses up the frame's input.
    bool readsKeys = false;
};

// What a walk did with a key: nothing, answered it where the focus stands, or stepped on.
enum class UIFocusWalk { kNone, kAnswered, kStepped };

class UIFocusMap {
public:
    explicit UIFocusMap(std::span<const UIFocusPlace> places) : places_(places) {}

    const UIFocusPlace* Find(std::int32_t id) const;
    // Whether the place is in the table and can be stood on now.
    bool Open(std::int32_t id) const;
    // The place one step from `from` in the direction; kUINoFocus when the table leads nowhere.
    std::int32_t Neighbour(std::int32_t from, int direction) const;
    // One step: moves the focus, with the cursor sound unless the place left is silent.
    // False when the table leads nowhere from there.
    bool Step(std::int32_t& focus, int direction) const;
    // One key with the places' own moves: inside the place first, then the step.
    UIFocusWalk Walk(std::int32_t& focus, int direction) const;
    // Decide: presses the place's button; false when it has none.
    bool Press(std::int32_t focus) const;

private:
    std::span<const UIFocusPlace> places_;
};
