// The shared yes/no dialog: a question by message text with one or two buttons.
#include "game/ui/selection_dialog.h"

#include "framework/draw/sprite_draw.h"
#include "framework/text/font_manager.h"
#include "game/core/input/input_map.h"
#include "game/core/text/draw_state.h"
#include "game/core/text/message_text.h"

namespace {

GAME_CUIInDisplaySelectionObject* g_dialog = nullptr;

constexpr float kCentreX = 320.0f;
constexpr float kMessageY = 150.0f;
constexpr float kButtonY = 205.0f;
constexpr float kButtonSpread = 60.0f;

void DrawCentred(vesk::text::SYS_CFontManager& fonts, float x, float y, const std::u16string& text)
{
    fonts.Style().anchorX = 0.5f;
    fonts.Style().anchorY = 0.5f;
    fonts.DrawString({x, y}, text);
}

}  // namespace

void GAME_CUIInDisplaySelectionObject::Open(std::uint32_t owner, std::uint32_t, bool yesNoMode)
{
    answer = kNoAnswer;
    message.clear();
    SetYesNoMode(yesNoMode);
    ownerSlot = owner > 50 ? 50 : owner;
    visible = true;
}

void GAME_CUIInDisplaySelectionObject::SetButtonText(int index, const std::string& key)
{
    if (twoButtons) {
        if (index == 0 || index == 1) buttonKeys[static_cast<std::size_t>(index)] = key;
        enterKey.clear();
    } else {
        enterKey = key;
        buttonKeys = {};
    }
}

void GAME_CUIInDisplaySelectionObject::SetMessageText(const char16_t* text)
{
    if (text != nullptr) message = text;
}

void GAME_CUIInDisplaySelectionObject::UpdateTree(bool inputAllowed)
{
    if (!inputAllowed || !visible || !active || answer != kNoAnswer || !IsInputMapActive()) return;
    const GAME_CInputMap* map = GetInputMap();
    if (map->IsActionTriggered(kActionDecide)) {
        answer = kAnswerYes;
    } else if (twoButtons && map->IsActionTriggered(kActionCancel)) {
        answer = kAnswerNo;
    }
}

void GAME_CUIInDisplaySelectionObject::Draw() const
{
    vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager();
    if (!active || !visible || fonts == nullptr) return;
    ResetDrawState();
    DrawCentred(*fonts, kCentreX, kMessageY, message);
    if (twoButtons) {
        DrawCentred(*fonts, kCentreX - kButtonSpread, kButtonY, GetMessageTextExpanded(buttonKeys[0]));
        DrawCentred(*fonts, kCentreX + kButtonSpread, kButtonY, GetMessageTextExpanded(buttonKeys[1]));
    } else if (!enterKey.empty()) {
        DrawCentred(*fonts, kCentreX, kButtonY, GetMessageTextExpanded(enterKey));
    }
    vesk::graphics::EndSpriteDraw();
}

GAME_CUIInDisplaySelectionObject* GetInDisplaySelection()
{
    if (g_dialog == nullptr) g_dialog = new GAME_CUIInDisplaySelectionObject;
    return g_dialog;
}

void DestroyInDisplaySelection()
{
    delete g_dialog;
    g_dialog = nullptr;
}
