// The rumour log's sprites: the heading over its hideout column.
#include "tools/spritegen/rumour_log_art.h"

#include "tools/spritegen/room_screen_art.h"

namespace spritegen {

namespace {

constexpr RoomHeading kLogHeadings[] = {
    {"ui_text_ajito", {u"拠点", u"HIDEOUT", u"거점"}},
};

}  // namespace

std::vector<tools::NamedImage> DrawRumourLogSprites(const std::vector<std::string>& fontFiles)
{
    return DrawRoomHeadings(fontFiles, kLogHeadings);
}

}  // namespace spritegen
