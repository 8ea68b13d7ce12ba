// The quest boards of the hideouts in a save slot, and the rules that fill, renew, accept and remove their offers.
#include "game/services/save/quest_boards.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/math/random.h"
#include "game/services/data/static_database.h"
#include "game/services/save/save_field_log.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "platform/little_endian.h"

using namespace save_layout;

namespace {

constexpr std::uint32_t kEmptyId = 0xFFFFFFFF;

const HideoutData* HideoutAt(int set)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    return database ? database->GetHideoutDataAt(set, nullptr) : nullptr;
}

// The hideout's pool: its offers up to the first empty id or a value of 0 or less.
std::vector<QuestOffer> PoolOf(const HideoutData& hideout)
{
    std::vector<QuestOffer> pool;
    for (const QuestOffer& offer : hideout.offers) {
        if (offer.questId == kNoId || offer.value <= 0) break;
        pool.push_back(offer);
    }
    return pool;
}

int OfferCountOf(const HideoutData& hideout) { return std::clamp(hideout.offerCount, 0, slot::kOfferPairCount); }

std::int32_t DefaultDaysOf(std::uint32_t questId)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    const QuestData* quest = database ? database->FindQuestData(questId) : nullptr;
    return quest ? quest->limitDays : -1;
}

// A pool quest not yet in the set: up to ten random draws, then a walk from a random start.
// -1 when every quest of the pool is in the set already.
int DrawQuestNotInSet(const std::vector<QuestOffer>& pool, const QuestBoardWriter& set)
{
    const int size = static_cast<int>(pool.size());
    if (size == 0) return -1;
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int index = (vesk::math::Rand() / 2) % size;
        if (!set.Contains(pool[index].questId)) return index;
    }
    const int start = (vesk::math::Rand() / 2) % size;
    for (int step = 0; step < size; ++step) {
        const int index = (start + step) % size;
        if (!set.Contains(pool[index].questId)) return index;
    }
    return -1;
}

// The boards past the data's hideouts belong to no hideout: the game never fills them, and a quest
// found there has no hideout to be named by, delivered at or counted against the limit. Each such
// board is emptied, the quests it held named in the log.
void DropBoardsPastHideouts(std::span<std::uint8_t> slot)
{
    for (int index = CountUsedOfferSets(); index < slot::kOfferSetCount; ++index) {
        QuestBoardWriter set(slot, index);
        int held = 0;
        int taken = 0;
        for (int pair = 0; pair < slot::kOfferPairCount; ++pair) {
            if (set.IsEmpty(pair)) continue;
            ++held;
            taken += set.IsAccepted(pair) ? 1 : 0;
        }
        if (held == 0 && set.Mask() == 0) continue;
        LogBadWorkingSlotField("offer set " + std::to_string(index),
                               slot::kOfferSets + static_cast<std::size_t>(index) * slot::kOfferSetSize,
                               "a board past the hideouts holds " + std::to_string(held) + " quests, " +
                                   std::to_string(taken) + " of them taken; they are dropped");
        for (int pair = 0; pair < slot::kOfferPairCount; ++pair) set.EmptyPair(pair);
        set.SetMask(0);
    }
}

// Calls visit(index, hideout, set) for each used offer set whose hideout has a record.
template <typename Visit>
void ForEachHideoutOfferSet(std::span<std::uint8_t> slot, Visit visit)
{
    const int sets = CountUsedOfferSets();
    for (int index = 0; index < sets; ++index) {
        const HideoutData* hideout = HideoutAt(index);
        if (hideout == nullptr) continue;
        QuestBoardWriter set(slot, index);
        visit(index, *hideout, set);
    }
}

}  // namespace

void ApplyQuestEffects(std::span<std::uint8_t> slot, std::uint32_t questId, QuestEffect effect)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    const QuestData* quest = database ? database->FindQuestData(questId) : nullptr;
    if (quest == nullptr) return;
    const auto which = static_cast<std::size_t>(effect);
    const std::uint32_t flag = quest->eventFlags[which];
    if (flag < kQuestFlagCount) SetSlotEventBit(slot, flag, true);
    const QuestCounterAssignment& counter = quest->counters[which];
    if (counter.index < slot::kByteTableSize) slot[slot::kByteTable + counter.index] = counter.value;
}

int QuestBoardOfferCount(int board)
{
    const HideoutData* hideout = HideoutAt(board);
    return hideout != nullptr ? OfferCountOf(*hideout) : 0;
}

QuestBoardRecord::QuestBoardRecord(std::span<const std::uint8_t> slot, int set)
    : slot_(slot), base_(slot::kOfferSets + static_cast<std::size_t>(std::clamp(set, 0, slot::kOfferSetCount - 1)) *
                                               slot::kOfferSetSize)
{
}

std::size_t QuestBoardRecord::PairOffset(int pair) const
{
    return base_ + static_cast<std::size_t>(std::clamp(pair, 0, slot::kOfferPairCount - 1)) * slot::kOfferPairSize;
}

std::uint32_t QuestBoardRecord::Id(int pair) const { return platform::ReadU32(slot_, PairOffset(pair)); }

std::int32_t QuestBoardRecord::Value(int pair) const { return platform::ReadI32(slot_, PairOffset(pair) + 4); }

bool QuestBoardRecord::IsEmpty(int pair) const { return Id(pair) == kEmptyId || Id(pair) == 0; }

bool QuestBoardRecord::IsAccepted(int pair) const { return pair >= 0 && pair < 32 && (Mask() >> pair & 1u) != 0; }

std::uint32_t QuestBoardRecord::Mask() const { return platform::ReadU32(slot_, base_ + slot::kOfferMask); }

std::uint32_t QuestBoardRecord::Countdown() const { return platform::ReadU32(slot_, base_ + slot::kOfferCountdown); }

QuestBoardWriter::QuestBoardWriter(std::span<std::uint8_t> slot, int set) : QuestBoardRecord(slot, set), writable_(slot) {}

void QuestBoardWriter::SetPair(int pair, std::uint32_t id, std::int32_t value)
{
    platform::WriteU32(writable_, PairOffset(pair), id);
    platform::WriteI32(writable_, PairOffset(pair) + 4, value);
}

void QuestBoardWriter::SetValue(int pair, std::int32_t value) { platform::WriteI32(writable_, PairOffset(pair) + 4, value); }

void QuestBoardWriter::SetMask(std::uint32_t mask)
{
    platform::WriteU32(writable_, base_ + slot::kOfferMask, mask);
    platform::WriteU32(writable_, base_ + slot::kOfferSpare, 0);
}

void QuestBoardWriter::SetCountdown(std::uint32_t countdown)
{
    platform::WriteU32(writable_, base_ + slot::kOfferCountdown, countdown);
}

bool QuestBoardWriter::Contains(std::uint32_t id) const
{
    for (int pair = 0; pair < slot::kOfferPairCount; ++pair) {
        if (!IsEmpty(pair) && Id(pair) == id) return true;
    }
    return false;
}

void QuestBoardWriter::Accept(std::span<std::uint8_t> slot, int pair, std::uint32_t questId)
{
    if (pair < 0 || pair >= slot::kOfferPairCount) return;
    SetMask(Mask() | 1u << pair);
    SetValue(pair, DefaultDaysOf(questId));
    ApplyQuestEffects(slot, questId, QuestEffect::kAccept);
}

void QuestBoardWriter::RemoveSlot(int pair, int offerCount)
{
    if (pair < 0 || pair >= slot::kOfferPairCount) return;
    std::uint32_t mask = Mask();
    for (int later = pair; later + 1 < slot::kOfferPairCount; ++later) {
        SetPair(later, Id(later + 1), Value(later + 1));
        mask = (mask & ~(1u << later)) | ((mask >> (later + 1) & 1u) << later);
    }
    EmptyPair(slot::kOfferPairCount - 1);
    mask &= ~(1u << (slot::kOfferPairCount - 1));
    // A board of no offers, or of more than fit, must not empty slots outside the board.
    const int tail = std::clamp(offerCount - 1, 0, slot::kOfferPairCount);
    for (int emptied = tail; emptied < slot::kOfferPairCount; ++emptied) {
        EmptyPair(emptied);
        mask &= ~(1u << emptied);
    }
    SetMask(mask);
}

void QuestBoardWriter::Pack()
{
    std::uint32_t mask = 0;
    int used = 0;
    for (int pair = 0; pair < slot::kOfferPairCount; ++pair) {
        if (IsEmpty(pair)) continue;
        if (used != pair) SetPair(used, Id(pair), Value(pair));
        if (IsAccepted(pair)) mask |= 1u << used;
        ++used;
    }
    for (int pair = used; pair < slot::kOfferPairCount; ++pair) EmptyPair(pair);
    SetMask(mask);
}

void PackQuestBoards(std::span<std::uint8_t> slot)
{
    const int boards = CountUsedOfferSets();
    for (int board = 0; board < boards; ++board) QuestBoardWriter(slot, board).Pack();
}

void BuildNewGameOfferSets(std::span<std::uint8_t> slot, const ShuffleDraw& draw)
{
    ForEachHideoutOfferSet(slot, [&draw](int, const HideoutData& hideout, QuestBoardWriter& set) {
        std::vector<QuestOffer> pool = PoolOf(hideout);
        for (int pair = 0; pair < slot::kOfferPairCount; ++pair) {
            if (pair < static_cast<int>(pool.size())) {
                set.SetPair(pair, pool[pair].questId, pool[pair].value);
            } else {
                set.EmptyPair(pair);
            }
        }
        const int used = static_cast<int>(pool.size());
        if (used > 0) {
            for (int exchange = 0; exchange < 100; ++exchange) {
                const int a = (draw() / 4) % used;
                const int b = (draw() / 4) % used;
                std::swap(pool[a], pool[b]);
            }
            for (int pair = 0; pair < used; ++pair) set.SetPair(pair, pool[pair].questId, pool[pair].value);
        }
        for (int pair = OfferCountOf(hideout); pair < slot::kOfferPairCount; ++pair) set.SetPair(pair, kEmptyId, -1);
        set.SetMask(0);
        set.SetCountdown(static_cast<std::uint32_t>(hideout.offerRefreshCountdown));
    });
}

void RerollOfferSet(std::span<std::uint8_t> slot, int index)
{
    const HideoutData* hideout = HideoutAt(index);
    if (hideout == nullptr || index < 0 || index >= slot::kOfferSetCount) return;
    QuestBoardWriter set(slot, index);
    const std::vector<QuestOffer> pool = PoolOf(*hideout);
    const int offerCount = OfferCountOf(*hideout);
    set.SetCountdown(static_cast<std::uint32_t>(hideout->offerRefreshCountdown));

    struct Pair {
        std::uint32_t id;
        std::int32_t value;
    };
    std::vector<Pair> kept;
    for (int pair = 0; pair < offerCount; ++pair) {
        if (set.IsAccepted(pair) && !set.IsEmpty(pair)) kept.push_back({set.Id(pair), set.Value(pair)});
    }
    for (int pair = 0; pair < slot::kOfferPairCount; ++pair) set.EmptyPair(pair);
    std::uint32_t mask = 0;
    for (std::size_t pair = 0; pair < kept.size(); ++pair) {
        set.SetPair(static_cast<int>(pair), kept[pair].id, kept[pair].value);
        mask |= 1u << pair;
    }
    set.SetMask(mask);
    for (int pair = static_cast<int>(kept.size()); pair < offerCount; ++pair) {
        const int drawn = DrawQuestNotInSet(pool, set);
        if (drawn < 0) break;
        set.SetPair(pair, pool[drawn].questId, DefaultDaysOf(pool[drawn].questId));
    }
}

void CheckOfferSets(std::span<std::uint8_t> slot)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr) return;
    ForEachHideoutOfferSet(slot, [&](int index, const HideoutData& hideout, QuestBoardWriter& set) {
        const std::string area = "offer set " + std::to_string(index);
        const std::size_t base = slot::kOfferSets + static_cast<std::size_t>(index) * slot::kOfferSetSize;
        std::uint32_t mask = set.Mask();
        for (int pair = 0; pair < slot::kOfferPairCount; ++pair) {
            const std::size_t at = base + static_cast<std::size_t>(pair) * slot::kOfferPairSize;
            if (set.IsEmpty(pair)) {
                if (set.IsAccepted(pair)) {
                    LogBadWorkingSlotField(area, base + slot::kOfferMask,
                                           "pair " + std::to_string(pair) + " is marked accepted without a quest; the mark is dropped");
                    mask &= ~(1u << pair);
                }
                continue;
            }
            const QuestData* quest = database->FindQuestData(set.Id(pair));
            if (quest == nullptr) {
                // Replaced once the boards are packed.
                LogBadWorkingSlotField(area, at,
                                       set.IsAccepted(pair) ? "taken quest " + std::to_string(set.Id(pair)) +
                                                                  " names no record; it is given up and replaced by an offer not taken"
                                                            : "quest " + std::to_string(set.Id(pair)) + " names no record; it is replaced");
                continue;
            }
            // A taken quest counts down from its limit and runs out at 0; an unlimited one holds -1. Days
            // outside that would never run out, or run out a quest that has no limit.
            const std::int32_t days = set.Value(pair);
            const std::int32_t limit = quest->limitDays;
            const bool fits = limit < 0 ? days == -1 : days >= std::min(limit, 1) && days <= limit;
            if (set.IsAccepted(pair) && !fits) {
                const std::int32_t mended = limit < 0 ? -1 : limit;
                LogBadWorkingSlotField(area, at + 4,
                                       "days left " + std::to_string(days) + " do not fit the quest's limit of " +
                                           std::to_string(limit) + "; they are " + std::to_string(mended));
                set.SetValue(pair, mended);
            }
        }
        if (platform::ReadU32(slot, base + slot::kOfferSpare) != 0) {
            LogBadWorkingSlotField(area, base + slot::kOfferSpare,
                                   std::to_string(platform::ReadU32(slot, base + slot::kOfferSpare)) + " in the spare word; it is 0");
        }
        set.SetMask(mask);
        const std::uint32_t longest = static_cast<std::uint32_t>(std::max(hideout.offerRefreshCountdown, 1));
        if (set.Countdown() > longest) {
            LogBadWorkingSlotField(area, base + slot::kOfferCountdown,
                                   "refresh countdown " + std::to_string(set.Countdown()) + " is past the hideout's " +
                                       std::to_string(longest) + "; it is " + std::to_string(longest));
            set.SetCountdown(longest);
        }
    });
    DropBoardsPastHideouts(slot);
}

void ReplaceUnknownOffers(std::span<std::uint8_t> slot)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr) return;
    ForEachHideoutOfferSet(slot, [&](int, const HideoutData& hideout, QuestBoardWriter& set) {
        const std::vector<QuestOffer> pool = PoolOf(hideout);
        bool emptied = false;
        for (int pair = 0; pair < slot::kOfferPairCount; ++pair) {
            if (set.IsEmpty(pair) || database->FindQuestData(set.Id(pair)) != nullptr) continue;
            // The player never took the quest that stands in for a lost one: it comes on offer, and a
            // lost taken quest no longer counts against the limit.
            set.SetMask(set.Mask() & ~(1u << pair));
            const int drawn = DrawQuestNotInSet(pool, set);
            if (drawn < 0) {
                set.EmptyPair(pair);
                emptied = true;
            } else {
                set.SetPair(pair, pool[drawn].questId, DefaultDaysOf(pool[drawn].questId));
            }
        }
        // The quests after a pair that found no replacement close up: a gap would hide them from the
        // board's list and from the count of taken quests.
        if (emptied) set.Pack();
    });
}

void RefreshOfferSetsDaily(std::span<std::uint8_t> slot)
{
    const int sets = CountUsedOfferSets();
    for (int index = 0; index < sets; ++index) {
        QuestBoardWriter set(slot, index);
        for (int pair = 0; pair < slot::kOfferPairCount; ++pair) {
            // An expired quest stays on the board, offered again with 0 days left.
            if (set.IsEmpty(pair)) {
                set.EmptyPair(pair);
                set.SetMask(set.Mask() & ~(1u << pair));
                continue;
            }
            if (!set.IsAccepted(pair) || set.Value(pair) < 1) continue;
            set.SetValue(pair, set.Value(pair) - 1);
            if (set.Value(pair) == 0) {
                set.SetMask(set.Mask() & ~(1u << pair));
                ApplyQuestEffects(slot, set.Id(pair), QuestEffect::kExpiry);
            }
        }
        if (set.Countdown() > 1) {
            set.SetCountdown(set.Countdown() - 1);
        } else {
            RerollOfferSet(slot, index);
        }
    }
}
