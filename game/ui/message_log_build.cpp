// The widgets of the message log window, in their draw order.
#include <string>
#include <tuple>

#include "game/ui/menu_window.h"
#include "game/ui/message_log.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"

void GAME_CUIMessageLog::Build()
{
    for (int digit = 0; digit < 10; ++digit) {
        digitSprites_[static_cast<std::size_t>(digit)] = FindUISprite("ui_text_num_" + std::to_string(digit));
    }
    titleSprite_ = FindUISprite("ui_text_messagelog");
    titleSpriteEnglish_ = FindUISprite("ui_text_messagelog_eng");

    GAME_CUINullObject* root = Root();
    BeginUIMenuWindow(widgets_, root, [this](GAME_CUIIconObject*) { OnClose(); });
    title_ = MakeUIPictureUnder(root, "ui_text_messagelog", 102.0f, 88.0f);
    AddWidget(title_);
    AddWidget(MakeUIPictureUnder(root, "ui_diary_datebg", 370.0f, 95.0f));

    scrollBar_ = MakeUIScrollBar(root, 356.0f, 106.0f, 8.0f, 180.0f, false);
    AddWidget(scrollBar_);

    for (int i = 0; i < 9; ++i) AddWidget(MakeUIPictureUnder(root, "ui_separator_left", 107.0f, 121.0f + 18.0f * static_cast<float>(i)));
    for (int i = 0; i < 5; ++i) {
        AddWidget(MakeUIPictureUnder(root, "ui_separator_right_short", 367.0f, 193.0f + 18.0f * static_cast<float>(i)));
    }
    cursor_.arrow = MakeUIPictureUnder(root, "ui_cursor_common_r90", 100.0f, 105.0f);
    AddWidget(cursor_.arrow);
    AddWidget(MakeUIDrawHook([this] { DrawDayCounter(); }));

    AddUIMenuWindowTitle(widgets_, root, "MESSAGE_LOG");
    for (int i = 0; i < kRows; ++i) {
        rowLabels_[static_cast<std::size_t>(i)] = MakeUILabel(root, nullptr, 119.0f, 106.0f + 18.0f * static_cast<float>(i));
        AddWidget(rowLabels_[static_cast<std::size_t>(i)]);
    }
    // The tallies' headings, in the colour of kind 4 lines.
    for (const auto& [key, x, y] : {std::tuple{"ADD_TEXT_UI_MESSAGELOG_07", 384.0f, 104.0f},
                                    std::tuple{"ADD_TEXT_UI_MESSAGELOG_08", 500.0f, 138.0f}}) {
        GAME_CUILabelObject* heading = MakeUILabel(root, key, x, y);
        heading->SetColor(UILineKindColor(4));
        AddWidget(heading);
    }
    for (int i = 0; i < 6; ++i) {
        const bool right = i % 2 != 0;
        tallyLabels_[static_cast<std::size_t>(i)] =
            MakeUILabel(root, nullptr, right ? 527.0f : 371.0f, 178.0f + 18.0f * static_cast<float>(i), right ? 1.0f : 0.0f);
        AddWidget(tallyLabels_[static_cast<std::size_t>(i)]);
    }
    AddWidget(MakeUIDrawHook([this] { CopyLinesToRows(); }));
    EndUIMenuWindow(widgets_, root, true);
}
