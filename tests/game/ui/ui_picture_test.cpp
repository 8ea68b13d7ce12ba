// A list window, a scroll bar, two toggles and the yes/no dialog drawn over the running game's ship.
// With VARNOLIS_UI_PICTURE=<file> the test also writes the canvas as a PPM picture to look at.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/app/framework_manager.h"
#include "game/app/scene/scene_stack.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_list_object.h"
#include "game/ui/widgets/ui_scroll_bar_object.h"
#include "game/ui/widgets/ui_toggle_object.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class UIPictureTest : public support::UITest {
protected:
    void TearDown() override
    {
        widgets.clear();
        support::UITest::TearDown();
    }

    std::vector<std::unique_ptr<GAME_CUIObjectBase>> widgets;
};

TEST_F(UIPictureTest, AListWindowAScrollBarTogglesAndTheDialogDrawOverTheShip)
{
    UIListObjectDesc listDesc;
    InitUIListObjectDesc(&listDesc);
    listDesc.width = 476.0f;
    listDesc.height = 330.0f;
    listDesc.shownX = 10.0f;
    listDesc.shownY = 10.0f;
    auto* list = new GAME_CUIListObject(&listDesc);
    widgets.emplace_back(list);
    for (const char* key : {"TCKG", "TATK", "TRBD", "TMNT", "TPTT", "TC01", "TC02", "TC03", "TC04"}) {
        UIListObjectRowDesc row;
        InitUIListObjectRowDesc(&row);
        std::snprintf(row.key, sizeof row.key, "%s", key);
        list->AddRow(row);
    }
    list->RefreshRows();
    list->SetVisible(true);

    UIScrollBarObjectDesc barDesc;
    InitUIScrollBarObjectDesc(&barDesc);
    barDesc.positionX = 470.0f;
    barDesc.positionY = 165.0f;
    barDesc.width = 10.0f;
    barDesc.height = 124.0f;
    barDesc.maximum = 2;
    auto* bar = new GAME_CUIScrollBarObject(&barDesc);
    widgets.emplace_back(bar);
    bar->SetVisible(true);
    bar->SetValue(1);

    std::vector<GAME_CUIToggleObject*> toggles;
    for (int i = 0; i < 2; ++i) {
        UIToggleObjectDesc toggleDesc;
        InitUIToggleObjectDesc(&toggleDesc);
        toggleDesc.positionX = 60.0f;
        toggleDesc.positionY = 130.0f + 30.0f * static_cast<float>(i);
        auto* toggle = new GAME_CUIToggleObject(&toggleDesc);
        widgets.emplace_back(toggle);
        toggle->SetVisible(true);
        toggle->value = i;
        toggles.push_back(toggle);
    }

    GAME_CUIInDisplaySelectionObject* dialog = GetInDisplaySelection();
    dialog->Open(kSlotCommon, 0, true);
    dialog->SetMessageByKey("ARE_YOU_SURE");
    dialog->SetButtonText(0, "COMMAND_YES");
    dialog->SetButtonText(1, "COMMAND_NO");
    dialog->alignment = 1;
    for (int i = 0; i < 20; ++i) {
        StepFrames(1);
        for (auto& widget : widgets) widget->UpdateTree(false);
    }
    ASSERT_EQ(list->State(), 2);
    ASSERT_TRUE(dialog->visible);

    // A frame drawn as the game draws one, with the widgets over the scenes.
    vesk::app::BeginFrameDraw();
    DrawSceneStack(*GetSceneStack());
    for (auto& widget : widgets) widget->Draw();
    dialog->Draw();
    FlushUISprites();
    vesk::app::EndFrameDraw();

    if (const char* path = std::getenv("VARNOLIS_UI_PICTURE")) {
        ASSERT_TRUE(WriteCanvasPicture(path));
    }
    // The dialog's light frame, one unit inside its box, and the toggle that is on.
    EXPECT_EQ(CanvasPixel(181, 200) & 0xFFFFFFu, 0xA8C6D6u);
    EXPECT_EQ(CanvasPixel(100, 170) & 0xFFFFFFu, 0x2F7A80u);
}

}  // namespace
