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
    GAME_CUIIconObject* button = nullptr;
};

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
    // Decide: presses the place's button; false when it has none.
    bool Press(std::int32_t focus) const;

private:
    std::span<const UIFocusPlace> places_;
};
