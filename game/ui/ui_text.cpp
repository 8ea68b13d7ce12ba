// What the screens write into their labels: message texts used as formats, numbers in full-width digits, names by tag, and what the ship holds of an item.
#include "game/ui/ui_text.h"

#include <algorithm>

#include "game/model/stores/stored_items.h"
#include "game/services/data/tag.h"
#include "game/services/text/full_width.h"
#include "game/services/text/message_text.h"
#include "game/ui/ui_draw.h"
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

std::u16string UIFittedText(std::u16string text, float width)
{
    const std::u16string_view all = text;
    if (MeasureUIText(all) <= width) return text;
    // A start grows no narrower as it grows longer: halve the range between one that fits and one that does not.
    std::size_t fits = 0;
    std::size_t over = text.size();
    while (over - fits > 1) {
        const std::size_t middle = fits + (over - fits) / 2;
        if (MeasureUIText(all.substr(0, middle)) <= width) {
            fits = middle;
        } else {
            over = middle;
        }
    }
    // A character of two units is kept whole or not at all.
    if (fits > 0 && text[fits - 1] >= 0xD800 && text[fits - 1] <= 0xDBFF) --fits;
    text.resize(fits);
    return text;
}
