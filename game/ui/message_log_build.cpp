// The widgets of the message log window, in their draw order.
#include <string>
#include <utility>

#include "game/services/player/player_data.h"
#include "game/services/input/input_actions.h"
#include "game/ui/message_log.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_category_change_object.h"
#include "game/ui/widgets/ui_function_call_object.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"
#include "game/ui/widgets/ui_scroll_bar_object.h"

namespace {

constexpr std::int32_t kCloseButtonPressFrames = 5;

GAME_CUILabelObject* LabelUnder(GAME_CUIObjectBase* parent, const char* key, float x, float y, float pivotX,
                                std::uint32_t color)
{
    UILabelObjectDesc desc;
    InitUILabelObjectDesc(&desc);
    desc.positionX = x;
    desc.positionY = y;
    desc.pivotX = pivotX;
    desc.color = color;
    auto* label = new GAME_CUILabelObject(&desc);
    if (label == nullptr) return nullptr;
    if (key != nullptr) {
        label->SetTextA(key);
    } else {
        label->SetTextW(u"");
    }
    label->SetParent(parent);
    return label;
}

GAME_CUICategoryChangeObject* Switch(std::int32_t category, bool flush, bool resetText)
{
    UICategoryChangeObjectDesc desc;
    InitUICategoryChangeObjectDesc(&desc);
    desc.category = category;
    desc.flush = flush ? 1 : 0;
    desc.flushAndResetText = resetText ? 1 : 0;
    return new GAME_CUICategoryChangeObject(&desc);
}

}  // namespace

void GAME_CUIMessageLog::Build()
{
    const auto add = [this](GAME_CUIObjectBase* widget) { AddWidget(widget); };
    for (int digit = 0; digit < 10; ++digit) {
        digitSprites_[static_cast<std::size_t>(digit)] = FindUISprite("ui_text_num_" + std::to_string(digit));
    }
    titleSprite_ = FindUISprite("ui_text_messagelog");
    titleSpriteEnglish_ = FindUISprite("ui_text_messagelog_eng");
    const std::uint32_t text = GetUIColor(kUIColorText);

    add(Switch(1, false, false));
    GAME_CUINullObject* root = Root();
    add(MakeUIPictureUnder(root, "ui_windowbase", 61.0f, -51.0f));
    add(MakeUIPictureUnder(root, "ui_windowbase_bg", 95.0f, 57.0f));

    UIIconObjectDesc close;
    InitUIIconObjectDesc(&close);
    close.normalSprite = FindUISprite("ui_closebutton");
    close.pressedSprite = FindUISprite("ui_closebutton_touch");
    const vesk::math::Vec2 closeSize = UISpriteSize(close.normalSprite);
    SetUIIconObjectDescSize(&close, closeSize.x, closeSize.y);
    close.pivotX = close.pivotY = 0.5f;
    close.soundEffect = kSeUICancel;
    close.pressedFrames = kCloseButtonPressFrames;
    close.action = kActionCancel;
    close.useAction = 1;
    close.releaseCallback = [this](GAME_CUIIconObject*) { OnClose(); };
    const int halfWidth = static_cast<int>(closeSize.x) / 2;
    const int halfHeight = static_cast<int>(closeSize.y) / 2;
    GAME_CUINullObject* closeAnchor =
        MakeUIGroupNode(493.0f + static_cast<float>(halfWidth), 56.0f + static_cast<float>(halfHeight));
    if (closeAnchor != nullptr) closeAnchor->SetParent(root);
    add(closeAnchor);
    auto* closeButton = new GAME_CUIIconObject(&close);
    if (closeButton != nullptr) closeButton->SetParent(closeAnchor);
    add(closeButton);

    title_ = MakeUIPictureUnder(root, "ui_text_messagelog", 102.0f, 88.0f);
    add(title_);
    add(MakeUIPictureUnder(root, "ui_diary_datebg", 370.0f, 95.0f));

    scrollBar_ = MakeUIScrollBar(root, 356.0f, 106.0f, 8.0f, 180.0f, false);
    add(scrollBar_);

    for (int i = 0; i < 9; ++i) add(MakeUIPictureUnder(root, "ui_separator_left", 107.0f, 121.0f + 18.0f * static_cast<float>(i)));
    for (int i = 0; i < 5; ++i) {
        add(MakeUIPictureUnder(root, "ui_separator_right_short", 367.0f, 193.0f + 18.0f * static_cast<float>(i)));
    }
    cursor_ = MakeUIPictureUnder(root, "ui_cursor_common_r90", 100.0f, 105.0f);
    add(cursor_);
    add(MakeUIDrawHook([this] { DrawDayCounter(); }));

    add(Switch(0, true, false));
    add(LabelUnder(root, "MESSAGE_LOG", 103.0f, 60.0f, 0.0f, text));
    for (int i = 0; i < kRows; ++i) {
        rowLabels_[static_cast<std::size_t>(i)] = LabelUnder(root, nullptr, 119.0f, 106.0f + 18.0f * static_cast<float>(i), 0.0f, text);
        add(rowLabels_[static_cast<std::size_t>(i)]);
    }
    add(LabelUnder(root, "ADD_TEXT_UI_MESSAGELOG_07", 384.0f, 104.0f, 0.0f, KindColor(4)));
    add(LabelUnder(root, "ADD_TEXT_UI_MESSAGELOG_08", 500.0f, 138.0f, 0.0f, KindColor(4)));
    for (int i = 0; i < 6; ++i) {
        const bool right = i % 2 != 0;
        tallyLabels_[static_cast<std::size_t>(i)] =
            LabelUnder(root, nullptr, right ? 527.0f : 371.0f, 178.0f + 18.0f * static_cast<float>(i), right ? 1.0f : 0.0f, text);
        add(tallyLabels_[static_cast<std::size_t>(i)]);
    }
    add(MakeUIDrawHook([this] { CopyLinesToRows(); }));

    add(Switch(1, true, true));
    add(MakeUIPictureUnder(root, "ui_windowbase_scan_title", 95.0f, 57.0f));
    add(MakeUIPictureUnder(root, "ui_windowbase_scan_main", 95.0f, 86.0f));
    add(Switch(2, true, false));
}
