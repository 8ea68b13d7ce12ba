// The room screens' sprites: window parts, tabs, skip buttons, gauges, headings, the build cursor and the item and dish icons.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "tools/common/sprite_package_writer.h"
#include "tools/common/wording.h"

namespace spritegen {

// In the UI's flat style: "ui_backbutton", "ui_skip_left" / "ui_skip_right" and their side windows,
// "ui_tab_on" / "ui_tab_off" / "ui_tab_separator", the separators, the highlight of the current row,
// the timer and build icons, the gauge frame, the build cursor's panel, its lettered stop button and
// its grid cursors, the lettered headings "ui_text_<word>" with "_eng" and "_kr", and an icon per
// item ("icon_item_<id>") and per dish ("icon_dish_<id>") that the static database names. Empty, with
// a line on stderr, when no font can be opened.
std::vector<tools::NamedImage> DrawRoomScreenSprites(const std::vector<std::string>& fontFiles);

// A lettered heading of a room screen: "<name>" with its "_eng" and "_kr" forms.
struct RoomHeading {
    const char* name;
    tools::Wording words;
    // Pixels added between the English letters; below 0 sets a word closer where the screen puts
    // something right after it.
    int englishTracking = 0;
};
// The headings in their three forms each, in the room screens' lettering; empty, with a line on
// stderr, when no font can be opened.
std::vector<tools::NamedImage> DrawRoomHeadings(const std::vector<std::string>& fontFiles, std::span<const RoomHeading> headings);

}  // namespace spritegen
