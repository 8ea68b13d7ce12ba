// The arcade game's pause menu: two items, return and quit, framed like the main pause menu, with a breathing cursor.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/ui/list_view.h"

class GAME_CUIIconObject;
class GAME_CUINullObject;
class GAME_CUIObjectBase;

enum class MiniGamePauseChoice { kNone, kResume, kQuit };

// Up and down step the cursor through the kit's list view; a click on an item acts once it is released.
class GAME_CMiniGamePauseMenu {
public:
    static constexpr int kReturnItem = 0;
    static constexpr int kQuitItem = 1;

    GAME_CMiniGamePauseMenu();
    ~GAME_CMiniGamePauseMenu();
    GAME_CMiniGamePauseMenu(const GAME_CMiniGamePauseMenu&) = delete;
    GAME_CMiniGamePauseMenu& operator=(const GAME_CMiniGamePauseMenu&) = delete;

    // The cursor on the return item, the items ready for input.
    void Open();
    // One frame of the menu; what the player chose, with its sound played (none for a click).
    MiniGamePauseChoice Update();
    // The dark band, the glowing title and the items.
    void Draw() const;

    int CursorItem() const { return list_.Index(); }
    GAME_CUIIconObject* Item(int item) const { return items_[static_cast<std::size_t>(item)]; }
    std::uint32_t CursorAlpha() const;

private:
    void PlaceCursor();
    void ColourItems();
    MiniGamePauseChoice Choose() const;

    std::vector<GAME_CUIObjectBase*> widgets_;  // owned, in draw order
    std::array<GAME_CUIIconObject*, 2> items_{};
    std::array<std::vector<GAME_CUINullObject*>, 2> frames_{};
    GAME_CUINullObject* cursor_ = nullptr;
    UIListView list_;
    std::int32_t pulse_ = 0;
    bool pointerDecided_ = false;
    std::int32_t titleSprite_ = -1;
};
