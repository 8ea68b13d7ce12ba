// The hideout menu as the tests reach it: the HUD's hideout button, pressed once its block has slid out.
#pragma once

#include <gtest/gtest.h>

#include "game/services/input/input_actions.h"
#include "game/ui/screens/ui_ajito_menu.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/widgets/ui_icon_object.h"

namespace support {

// Over any game fixture.
template <typename Fixture>
class HideoutMenuSteps : public Fixture {
protected:
    GAME_CUIAjitoMenu& Menu() const { return *this->UI().template Get<GAME_CUIAjitoMenu>(); }

    // The HUD's hideout button once its block has slid out; the menu opens and rests.
    void OpenMenuFromHud()
    {
        const GAME_CUICommon& hud = *this->UI().template Get<GAME_CUICommon>();
        ASSERT_TRUE(this->StepUntil([&] { return hud.HideoutBlock()->GetPosition()->x > 0.0f && !hud.Icon(GAME_CUICommon::kHideout)->IsDisabled(); },
                                    3 * GAME_CUICommon::kSlideFrames));
        this->PressAction(kActionShortcutHideout);
        ASSERT_TRUE(this->StepUntil([&] { return Menu().State() == UIScreenState::kMain; }, 40));
    }
};

}  // namespace support
