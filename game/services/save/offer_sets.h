// The quest offer sets of the map points in a save slot, and the rules that fill and renew them.
#pragma once

#include <cstdint>
#include <span>

// One offer set of a slot: 32 pairs {quest id, days}, the mask of accepted
// pairs and the countdown to the next re-roll. Pair and set indices are
// checked by the callers; reads of a set past the slot's 40 give empty values.
class OfferSetView {
public:
    OfferSetView(std::span<const std::uint8_t> slot, int set);

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

class OfferSetWriter : public OfferSetView {
public:
    OfferSetWriter(std::span<std::uint8_t> slot, int set);

    void SetPair(int pair, std::uint32_t id, std::int32_t value);
    void EmptyPair(int pair) { SetPair(pair, 0xFFFFFFFF, 0); }
    void SetValue(int pair, std::int32_t value);
    void SetMask(std::uint32_t mask);
    void SetCountdown(std::uint32_t countdown);
    bool Contains(std::uint32_t id) const;

private:
    std::span<std::uint8_t> writable_;
};

// The offer sets of a new game: each hideout's pool, shuffled, cut to its offer count.
void BuildNewGameOfferSets(std::span<std::uint8_t> slot);
// Keeps the accepted pairs, packs them to the front and fills the rest from the pool.
void RerollOfferSet(std::span<std::uint8_t> slot, int set);
// Replaces every used pair whose quest the database does not know (a save is untrusted).
void ReplaceUnknownOffers(std::span<std::uint8_t> slot);
// One day of the offer sets: accepted quests count down and expire, then the re-roll countdown.
void RefreshOfferSetsDaily(std::span<std::uint8_t> slot);
