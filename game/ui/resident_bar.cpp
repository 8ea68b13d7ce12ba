// The resident bar and its info bar, the ticker of short notices along the screen.
#include "game/ui/resident_bar.h"

#include <algorithm>

bool GAME_CUIInfoBarObject::AddMessage(const char16_t* text, std::uint32_t kind)
{
    if (text == nullptr) return false;
    for (Row& row : rows_) {
        if (row.text.empty()) {
            std::u16string_view view(text);
            row.text.assign(view.substr(0, std::min(view.size(), kRowLength)));
            row.kind = kind;
            return !row.text.empty();
        }
    }
    return false;
}

bool GAME_CUIInfoBarObject::ClearMessages()
{
    for (Row& row : rows_) row = Row{};
    return true;
}

int GAME_CUIInfoBarObject::CountMessages() const
{
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const Row& r) { return !r.text.empty(); }));
}
