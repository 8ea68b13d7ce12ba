// The crafting-room screen (slot 17): a workshop's task page alone, where crafting is ordered through the add-task window.
#pragma once

#include "game/ui/room_screen.h"

// The room's durability and upgrades, its tasks with the add-task row and its crew, on one page with
// one tab; the cursor moves between its places without a sound.
class GAME_CUIItemCreate : public GAME_CUIRoomScreen, public UIScreenSlot<kSlotItemCreate> {
public:
    explicit GAME_CUIItemCreate(const UIScreenContext& context);
    ~GAME_CUIItemCreate() override;

    // The page's root, which carries the window in its slide.
    const GAME_CUINullObject* PageRoot() const { return taskRoot_; }

protected:
    bool ShowsTaskPage() const override { return true; }
    void OnEnterOpening() override;
    void UpdateMain(bool input) override;
};
