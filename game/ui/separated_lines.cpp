// Lines of text with a separator under each (and an icon before each when asked), as the room windows' lists and figure panels stand them.
#include "game/ui/separated_lines.h"

#include "game/ui/ui_draw.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"

void BuildUISeparatedLines(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, std::span<UISeparatedLine> lines,
                           const UISeparatedLinesLayout& layout)
{
    for (std::size_t k = 0; k < lines.size(); ++k) {
        UISeparatedLine& line = lines[k];
        line.label = MakeUILabel(parent, "", layout.first.x, layout.first.y + kUILineStep * static_cast<float>(k));
        line.separator = MakeUIPictureUnder(line.label, layout.separatorSprite, layout.separator.x, layout.separator.y);
        list.push_back(line.separator);
        if (!layout.icons) continue;
        line.icon = MakeUIPictureUnder(line.label, "", layout.icon.x, layout.icon.y);
        list.push_back(line.icon);
    }
}

void AddUISeparatedLineLabels(std::vector<GAME_CUIObjectBase*>& list, std::span<const UISeparatedLine> lines)
{
    for (const UISeparatedLine& line : lines) list.push_back(line.label);
}

void ClearUISeparatedLines(std::span<UISeparatedLine> lines)
{
    for (UISeparatedLine& line : lines) {
        line.label->SetTextA("");
        line.separator->SetColor(kUIHidden);
        if (line.icon != nullptr) line.icon->SetColor(kUIHidden);
    }
}
