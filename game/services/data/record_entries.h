// Small entries shared by the static records: the absent id and the fixed lists of id pairs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// An absent id or position.
inline constexpr std::uint32_t kNoId = 0xFFFFFFFF;

// {item id, count} of a material, ingredient, quest or ship list.
struct ItemCount {
    std::uint32_t itemId = kNoId;
    std::int32_t count = 0;
};

// {id, value} of the fixed pair lists.
struct IdValue {
    std::uint32_t id = kNoId;
    std::int32_t value = 0;
};

// The entry of a fixed list that a statement naming `id` writes: the entry that already holds the
// id, wherever it stands, else the first unused one; null when every entry is in use by other ids.
// Looking for the id over the whole list first keeps one entry per id even after a gap.
template <typename Entry, typename IdOf, typename IsUnused>
Entry* FindEntryForId(std::span<Entry> entries, std::uint32_t id, IdOf idOf, IsUnused isUnused)
{
    for (Entry& entry : entries) {
        if (idOf(entry) == id) {
            return &entry;
        }
    }
    for (Entry& entry : entries) {
        if (isUnused(entry)) {
            return &entry;
        }
    }
    return nullptr;
}

// The rule of the {item id, count} lists: unused when the id is absent or the count is not positive.
inline bool IsUnusedItemCount(const ItemCount& entry) { return entry.itemId == kNoId || entry.count <= 0; }

// Writes {itemId, count} into an {item id, count} list by the rule above; false when it is full.
inline bool PutItemCount(std::span<ItemCount> entries, std::uint32_t itemId, std::int32_t count)
{
    ItemCount* entry = FindEntryForId(
        entries, itemId, [](const ItemCount& e) { return e.itemId; }, IsUnusedItemCount);
    if (entry == nullptr) {
        return false;
    }
    *entry = ItemCount{itemId, count};
    return true;
}

// Number of leading entries in use: readers stop at the first unused one.
template <typename Entry, typename IsUnused>
std::size_t CountLeadingEntries(std::span<const Entry> entries, IsUnused isUnused)
{
    std::size_t count = 0;
    while (count < entries.size() && !isUnused(entries[count])) {
        ++count;
    }
    return count;
}
