// The quest boards of the hideouts in a save slot, and the rules that fill, renew, accept and remove their offers.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

// One quest board of a slot (268 bytes): 32 offer slots {quest id, days left}, the mask of
// accepted slots and the countdown to the next re-roll. Board indices outside the slot's 40 and
// slot indices outside 0..31 are clamped.
class QuestBoardRecord {
public:
    QuestBoardRecord(std::span<const std::uint8_t> slot, int set);

    std::uint32_t Id(int pair) const;
    std::int32_t Value(int pair) const;
    // An id of -1 or 0 marks an empty pair.
    bool IsEmpty(int pair) const;
    bool IsAccepted(int pair) const;
    std::uint32_t Mask() const;
    std::uint32_t Countdown() const;

protected:
    std::size_t PairOffset(int pair) const;
    std::span<const std::uint8_t> slot_;
    std::size_t base_ = 0;
};

class QuestBoardWriter : public QuestBoardRecord {
public:
    QuestBoardWriter(std::span<std::uint8_t> slot, int set);

    void SetPair(int pair, std::uint32_t id, std::int32_t value);
    void EmptyPair(int pair) { SetPair(pair, 0xFFFFFFFF, 0); }
    void SetValue(int pair, std::int32_t value);
    void SetMask(std::uint32_t mask);
    void SetCountdown(std::uint32_t countdown);
    bool Contains(std::uint32_t id) const;
    // Accepting slot i: its bit, days left = the quest's limit, the quest's accept effects.
    void Accept(std::span<std::uint8_t> slot, int pair, std::uint32_t questId);
    // Slot i goes; later slots move down with their bits, then every slot from offerCount - 1 on is
    // emptied with its bit.
    void RemoveSlot(int pair, int offerCount);
    // The used slots move to the front in their order, with their bits.
    void Pack();

private:
    std::span<std::uint8_t> writable_;
};

// Which of a quest's effects (event flag and event value) apply.
enum class QuestEffect : int { kAccept = 0, kDelivery = 1, kExpiry = 2 };
void ApplyQuestEffects(std::span<std::uint8_t> slot, std::uint32_t questId, QuestEffect effect);
// The number of offer slots of the board's hideout (0 when none).
int QuestBoardOfferCount(int board);

// Draws a number 0..32767 for a shuffle.
using ShuffleDraw = std::function<int()>;
// The offer sets of a new game: each hideout's pool, shuffled by draws, cut to its offer count.
void BuildNewGameOfferSets(std::span<std::uint8_t> slot, const ShuffleDraw& draw);
// Keeps the accepted pairs, packs them to the front and fills the rest from the pool.
void RerollOfferSet(std::span<std::uint8_t> slot, int set);
// A read slot's boards checked as the writer leaves them: accepted marks only on pairs with a quest,
// a taken quest's days left from 1 to its limit (-1 for no limit), a 0 spare word, a countdown no
// longer than the hideout's; each break logged (a quest without a record too, which
// ReplaceUnknownOffers replaces) and mended. Boards past the hideouts are emptied, with a log line.
void CheckOfferSets(std::span<std::uint8_t> slot);
// Replaces every used pair whose quest the database does not know (a save is untrusted) by an offer
// not taken; one the pool has no other quest for leaves the board, which closes up behind it.
void ReplaceUnknownOffers(std::span<std::uint8_t> slot);
// A read slot's boards: used slots packed to the front (saves may hold holes).
void PackQuestBoards(std::span<std::uint8_t> slot);
// One day of the offer sets: accepted quests count down and expire, then the re-roll countdown.
void RefreshOfferSetsDaily(std::span<std::uint8_t> slot);
