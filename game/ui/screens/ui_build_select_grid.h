// The build grid cursor (slot 5): places the chosen room kind on the ship's grid, or picks a room to break down.
#pragma once

#include <cstdint>
#include <string>

#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

class GAME_CRoomBase;
class GAME_CShip;
struct RoomData;

// The build menu sets the mode (the room kind to place, or the demolish entry's kind for breaking)
// and the kind's room data, then opens it. A bottom panel holds the stop button, which goes back to
// the build menu. Breaking asks in the shared dialog first; the last intact engine room is refused.
class GAME_CUIBuildSelectGrid : public GAME_CUIScreen, public UIScreenSlot<kSlotBuildSelectGrid> {
public:
    static constexpr std::int32_t kBreakMode = 33;
    static constexpr std::int32_t kNoMode = 34;
    static constexpr std::int32_t kPanelFrames = 15;
    // The footprint's colour (red, green, blue and alpha bytes from the lowest): translucent green.
    static constexpr std::uint32_t kFootprintColor = 0x4078FF00u;
    // The cursor on the grid, or one of the shared dialog's questions and notices.
    enum class Step : std::int32_t { kCursor, kBreakQuestion, kBroken, kMessage };
    using enum Step;

    explicit GAME_CUIBuildSelectGrid(const UIScreenContext& context);

    void Draw() override;

    // The stop button's callback: back to the build menu, the game held meanwhile.
    void OnStopButton();

    std::int32_t mode = kNoMode;
    const RoomData* roomData = nullptr;

    // What the screen shows, for those who look at it.
    Step DialogStep() const { return steps_.Current(); }
    std::int32_t CursorCell() const { return cursorCell_; }
    GAME_CRoomBase* SelectedRoom() const { return selected_; }
    GAME_CUIIconObject* StopButton() const { return stop_; }

private:
    void OnEnterState(UIScreenState state) override;
    bool StepTransition(UIScreenState state) override;
    void UpdateMain(bool input) override;
    void EnterStep(Step step);
    // Its dialogs stop the camera following the player's input until they have gone.
    void SetCameraFollowsInput(bool follows) const;
    void UpdateCursor(bool input);
    GAME_CShip* Ship() const;
    // The decide on the cursor cell: place the room, or pick the room there to break.
    void Act();
    void SelectForBreaking(GAME_CRoomBase& room);
    // The cell under the pointer or, in key mode, under the cursor box; -1 when none.
    std::int32_t CellUnderCursor() const;
    // In key mode the floor cell under the cursor box; -1 otherwise.
    std::int32_t KeyCursorFloorCell() const;
    // Moves the pointer onto the cell's middle, so that it stands where the key cursor stood.
    void PutPointerOn(std::int32_t cell) const;
    // Whether the cell lies on what the cursor cell stands for: the footprint the room would take, or
    // the room to break.
    bool CountsAsCursorCell(std::int32_t cell) const;
    void DrawFootprint() const;
    void DrawKeyCursor() const;

    GAME_CRoomBase* selected_ = nullptr;
    UILanguageSprites stopSprites_;
    UILanguageSprites stopPressedSprites_;
    UIPages<Step> steps_{kCursor};
    std::uint32_t selectedTag_ = 0xFFFFFFFFu;
    std::int32_t selectedCell_ = -1;
    std::int32_t cursorCell_ = -1;
    std::u16string message_;
    GAME_CUINullObject* panel_ = nullptr;
    GAME_CUIIconObject* stop_ = nullptr;
    std::int32_t labelBase_ = -1;
    std::int32_t breakCursor_ = -1;
    std::int32_t buildCursor_ = -1;
    std::int32_t catchCursor_ = -1;
    std::int32_t normalCursor_ = -1;
};
