// An item's description as the item windows show it: its own text, where it is made and what it goes into.
#pragma once

#include <cstdint>
#include <string>

class GAME_CStaticDatabase;

// The text ends every line with a line feed: the item's own text and an empty line, then the
// production section (the crafting tasks that make it, under a heading per run of one room's
// entries, or a line saying it cannot be made), an empty line, and the material section (what it is
// made into, headed the same way, or a line saying it has no use). A formatted line keeps at most
// kItemDescriptionLineLimit characters. An item without a production record reads as one without
// entries: it cannot be made and has no use.
inline constexpr std::size_t kItemDescriptionLineLimit = 79;
std::u16string ComposeItemDescription(const GAME_CStaticDatabase& database, std::uint32_t itemId);
