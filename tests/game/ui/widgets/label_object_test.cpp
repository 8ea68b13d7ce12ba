// Text labels: alignment on the pivot with the label's scale, key and literal texts, texts not drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "game/services/text/message_text.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_label_object.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class LabelObjectTest : public support::UITest {
protected:
    void TearDown() override
    {
        label.reset();
        support::UITest::TearDown();
    }

    std::unique_ptr<GAME_CUILabelObject> label;
};

TEST_F(LabelObjectTest, ACentredLabelOfScaleTwoStandsOnTwiceItsWidth)
{
    UILabelObjectDesc desc;
    InitUILabelObjectDesc(&desc);
    desc.positionX = 320.0f;
    desc.positionY = 100.0f;
    desc.pivotX = 0.5f;
    desc.scale = 2.0f;
    label = std::make_unique<GAME_CUILabelObject>(&desc);
    label->SetTextW(u"100% done");
    label->UpdateTree(false);
    label->Draw();
    StepFrames(1);
    const support::RecordedTextDraw* drawn = FindTextDraw(u"100% done");
    ASSERT_NE(drawn, nullptr);
    const float width = MeasureUIText(u"100% done");
    ASSERT_GT(width, 0.0f);
    EXPECT_EQ(drawn->x, std::floor(320.0f - width + 0.55555f));
    EXPECT_EQ(drawn->color, desc.color);

    // In key mode the text is the key's, looked up in the current language.
    label->SetTextA("COMMAND_NO");
    label->Draw();
    StepFrames(1);
    EXPECT_NE(FindTextDraw(GetMessageTextExpanded("COMMAND_NO")), nullptr);

    // Hidden, or with an empty text, nothing is drawn.
    label->SetVisible(false);
    label->Draw();
    label->SetVisible(true);
    label->SetTextW(u"");
    label->Draw();
    StepFrames(1);
    EXPECT_EQ(FindTextDraw(GetMessageTextExpanded("COMMAND_NO")), nullptr);
}

}  // namespace
