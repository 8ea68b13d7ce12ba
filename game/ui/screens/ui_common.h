// The in-game HUD (slot 3): the button bar, the speed lamps, the play shortcuts and the player's hand on the ship view.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "framework/math/vector.h"
#include "game/model/world/tween.h"
#include "game/ui/ui_screen.h"

class GAME_CObjectActor;
class GAME_CObjectItem;
class GAME_CUIIconObject;
class GAME_CUINullObject;
class GAME_CUIObjectBase;

// Nine buttons along the bottom edge (all crew, quest list, item dictionary, pause, three speeds,
// build, hideout) act on release, 5 frames after their press. Through the HUD the player also acts
// on the ship view: picks crew members and items, selects the grid cell whose room screen opens on
// a second decide, and carries a crew member to a room. Its main state rests idle, walks a pad
// cursor over the nine buttons, or carries a crew member.
class GAME_CUICommon : public GAME_CUIScreen, public UIScreenSlot<kSlotCommon> {
public:
    // The buttons in the button cursor's order.
    enum Button : int {
        kAllCrew = 0,
        kQuestList,
        kItemDictionary,
        kPause,
        kSpeed1,
        kSpeed2,
        kSpeed3,
        kBuild,
        kHideout,
        kButtonCount
    };
    enum class Step : std::int32_t { kIdle, kButtonCursor, kCrewMove };
    using enum Step;
    static constexpr int kSpriteTableSize = 38;
    static constexpr std::int32_t kNoCell = -1;
    static constexpr std::int32_t kPressFrames = 5;
    // The colour of the room highlight (0xAARRGGBB).
    static constexpr std::uint32_t kHighlightColor = 0x4078FF00u;

    explicit GAME_CUICommon(const UIScreenContext& context);

    // Opening again while closing finishes the closing at once.
    void SetOpen(bool open) override;
    void Draw() override;
    // Only while the HUD rests: no slide, no button cursor, no crew carried.
    bool PassesInput() const override;

    // Starts carrying the crew member (sub-state 3 from the next update); null ends it.
    void BeginMoveActor(GAME_CObjectActor* actor);
    // Empties the player's hand and takes the button cursor down: the HUD closes with the game, or a
    // game over takes the ship out of the player's hands.
    void LetGoAsPlayEnds();
    // The button sprites of the player's language: Japanese plain, Korean "_kr", the rest "_eng".
    void ApplyLanguageTextures();

    // Whether a pick on the ship view may show a crew member or a field item. Every opening sets
    // both to 1; route command 57 and the all-crew list change them.
    std::int32_t crewPickFlag = 1;
    std::int32_t itemPickFlag = 1;

    // --- what the HUD shows
    Step SubStateNow() const { return steps_.Current(); }
    int ButtonCursor() const { return cursorIndex_; }
    std::int32_t CurrentCell() const { return currentCell_; }
    GAME_CObjectActor* MovedActor() const { return movedActor_; }
    GAME_CUIIconObject* Icon(int button) const { return icons_[static_cast<std::size_t>(button)]; }
    const GAME_CUINullObject* SpeedLamp(int speed) const { return lamps_[static_cast<std::size_t>(speed)]; }
    const GAME_CUINullObject* HideoutBlock() const { return block_; }
    // The fixed canvas point of a button where the button cursor stands (its bottom-left corner).
    static vesk::math::Vec2 CursorPoint(int button);

private:
    struct SpriteEntry {
        std::int32_t index = -1;
        void* sprite = nullptr;
    };

    // --- construction (ui_common.cpp)
    void LookUpSprites();
    void Build();
    GAME_CUIIconObject* AddButton(int button, float x, float y, std::int32_t normal, std::int32_t pressed);

    // --- state machine (ui_common.cpp)
    void BeginFrame(bool input) override;
    void OnEnterState(UIScreenState state) override;
    void EnterOpening();
    void UpdateHideoutBlock();
    void UpdateSpeedLamps();
    // The tree update of the idle and button-cursor steps: whether input is left after it.
    bool UpdateWidgetTrees(bool input);
    void UpdateMain(bool input) override;

    // --- buttons and shortcuts (ui_common_input.cpp)
    void IdleStep(bool input);
    void ButtonCursorStep(bool input);
    void LeaveButtonCursor();
    void Shortcuts();
    void PressSpeedShortcuts();
    void OnButton(int button);

    // --- the ship view (ui_common_field.cpp)
    // Picks, the pad decide and the cell select; false when they used the input up.
    bool PointerSection(bool input);
    void TrackFreeCell();
    void CrewMoveStep(bool input);
    void ShowCrew(GAME_CObjectActor* actor);
    void ShowItem(GAME_CObjectItem* item);
    void OpenRoomOnCell(std::int32_t column, std::int32_t row);

    // --- drawing (ui_common_draw.cpp)
    void DrawRoomHighlight();
    void DrawPadCursor();

    Tween tweenB_{};
    UIPages<Step> steps_{kIdle};
    GAME_CObjectActor* movedActor_ = nullptr;
    std::array<SpriteEntry, kSpriteTableSize> sprites_{};
    GAME_CUINullObject* block_ = nullptr;
    std::array<GAME_CUINullObject*, 3> lamps_{};
    std::array<GAME_CUIIconObject*, kButtonCount> icons_{};
    std::int32_t currentCell_ = kNoCell;
    void* frameSprite_ = nullptr;
    float frameHeight_ = 0.0f;
    float frameWidth_ = 0.0f;
    std::int32_t cursorIndex_ = kBuild;
    std::array<std::array<std::int32_t, 3>, 3> speedSprites_{};
    std::int32_t blockSprite_ = -1;
    std::int32_t frameSpriteIndex_ = -1;
};
