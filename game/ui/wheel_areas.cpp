// The mouse wheel handed to the scroll bar of the part of a screen that the pointer stands over.
#include "game/ui/wheel_areas.h"

#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_scroll_bar_object.h"

void GiveWheelToHoveredArea(std::initializer_list<UIWheelArea> areas)
{
    bool given = IsUIPointerRefused();
    for (const UIWheelArea& area : areas) {
        const bool hovered = !given && IsUIPointerOverRect(area.from, area.to);
        if (area.bar != nullptr) area.bar->SetTakesWheel(hovered);
        given = given || hovered;
    }
}
