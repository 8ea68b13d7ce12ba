// Lays out random wide texts in the shared dialog, the event choices and the ticker.
// Whatever a message or an event script holds, the fixed line stores are never overrun.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/ui/event_selection.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/widgets/ui_info_bar_object.h"
#include "platform/little_endian.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static auto* dialog = new GAME_CUIInDisplaySelectionObject;
    static auto* choices = new GAME_CUIEventSelectionObject;
    static const UIInfoBarObjectDesc tickerDesc{3, 181.0f, 307.0f, 283.0f, 16.0f, 1.0f, 1.0f};
    static auto* ticker = new GAME_CUIInfoBarObject(&tickerDesc);
    if (size < 2) return 0;

    const uint8_t control = data[0];
    std::u16string text;
    for (size_t i = 1; i + 1 < size; i += 2) text += static_cast<char16_t>(platform::ReadU16(data + i));

    dialog->Open(control & 0x3F, 0, (control & 0x40) != 0);
    dialog->SetMessageText(text.c_str());
    dialog->AppendMessageText(text.c_str(), (control & 0x80) != 0);
    dialog->AppendNumber(static_cast<int32_t>(size) * ((control & 1) != 0 ? -1 : 1));
    dialog->UpdateTree(false);
    if (dialog->LineCount() > GAME_CUIInDisplaySelectionObject::kLineCount) std::abort();
    for (size_t line = 0; line < dialog->LineCount(); ++line) {
        if (dialog->Line(line).Length() >= GAME_CUIInDisplaySelectionObject::kLineChars) std::abort();
    }
    dialog->Close();
    dialog->UpdateTree(false);

    choices->Open();
    const GAME_CUIEventSelectionObject::Choice choice{static_cast<uint32_t>(control % 5), text};
    choices->SetChoice(&choice);
    choices->Update(false);
    for (uint32_t row = 0; row < GAME_CUIEventSelectionObject::kChoiceCount; ++row) {
        for (uint32_t line = 0; line < GAME_CUIEventSelectionObject::kLinesPerChoice; ++line) {
            if (choices->RowLabel(row, line)->Literal().size() >= GAME_CUIEventSelectionObject::kLineChars) std::abort();
        }
    }
    choices->SetTitle(text.c_str());
    choices->Close();
    choices->Update(false);

    ticker->AddMessage(text.c_str(), control);
    ticker->UpdateTree(false);
    if (ticker->CountMessages() > ticker->RowCount()) std::abort();
    if ((control & 0x0F) == 0) ticker->ClearMessages();
    return 0;
}
