// The focus map's walk: neighbours, their conditions, the step's sound and the decide press.
#include "game/ui/focus_map.h"

#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_icon_object.h"

const UIFocusPlace* UIFocusMap::Find(std::int32_t id) const
{
    for (const UIFocusPlace& place : places_) {
        if (place.id == id) return &place;
    }
    return nullptr;
}

bool UIFocusMap::Open(std::int32_t id) const
{
    const UIFocusPlace* place = Find(id);
    return place != nullptr && (!place->condition || place->condition());
}

std::int32_t UIFocusMap::Neighbour(std::int32_t from, int direction) const
{
    const UIFocusPlace* place = Find(from);
    if (place == nullptr || direction < 0 || direction > 3) return kUINoFocus;
    const auto d = static_cast<std::size_t>(direction);
    if (Open(place->next[d])) return place->next[d];
    return Open(place->otherwise[d]) ? place->otherwise[d] : kUINoFocus;
}

bool UIFocusMap::Step(std::int32_t& focus, int direction) const
{
    const std::int32_t to = Neighbour(focus, direction);
    if (to == kUINoFocus) return false;
    const UIFocusPlace& from = *Find(focus);
    const bool sideways = direction == kUIFocusLeft || direction == kUIFocusRight;
    if (!from.silent && !(sideways && from.silentSideways)) PlayUISE(kSeUICursor);
    focus = to;
    if (const UIFocusPlace* arrived = Find(to); arrived->arrive) arrived->arrive(direction);
    return true;
}

UIFocusWalk UIFocusMap::Walk(std::int32_t& focus, int direction) const
{
    const UIFocusPlace* place = Find(focus);
    if (place == nullptr) return UIFocusWalk::kNone;
    const bool sounds = place->soundsUpDown && (direction == kUIFocusUp || direction == kUIFocusDown);
    if (place->inside && place->inside(direction)) {
        if (sounds) PlayUISE(kSeUICursor);
        return UIFocusWalk::kAnswered;
    }
    if (Step(focus, direction)) return UIFocusWalk::kStepped;
    if (!sounds) return UIFocusWalk::kNone;
    PlayUISE(kSeUICursor);
    return UIFocusWalk::kAnswered;
}

bool UIFocusMap::Press(std::int32_t focus) const
{
    const UIFocusPlace* place = Find(focus);
    if (place == nullptr || place->button == nullptr) return false;
    place->button->Press();
    return true;
}
