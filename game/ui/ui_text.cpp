// What the screens write into their labels: message texts used as formats, numbers in full-width digits, names by tag, and what the ship holds of an item.
#include "game/ui/ui_text.h"

#include <algorithm>

#include "game/model/stores/stored_items.h"
#include "game/services/data/tag.h"
#include "game/services/text/full_width.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_world.h"

std::u16string FormatUIMessage(std::string_view key, std::initializer_list<vesk::text::FormatArg> args)
{
    return vesk::text::FormatText(GetMessageTextExpanded(key), args);
}

std::u16string UITagName(std::uint32_t tag) { return GetMessageTextExpanded(TagText(tag)); }

std::u16string_view UIWaitingDots(std::uint32_t frames)
{
    static constexpr std::u16string_view kDots[] = {u"   ", u".  ", u".. ", u"..."};
    return kDots[(frames / 4) % 4];
}

std::u16string UIFullWidthNumber(std::int64_t number, std::u16string_view format)
{
    return ToFullWidthText(vesk::text::FormatText(format, {number}));
}

std::int64_t UIAvailableItemCount(std::uint32_t itemId, bool withCarried)
{
    return CountAvailableItem(itemId, withCarried);
}

std::u16string UILimitedText(std::u16string text, std::size_t limit)
{
    if (text.size() > limit) text.resize(limit);
    return text;
}
