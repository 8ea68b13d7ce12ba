// The quest rules on the ship and the slot's boards: the accepted limit, what may be delivered, delivering and retiring.
#pragma once

#include <cstdint>
#include <span>

// Whether one more quest may be accepted: the accepted count is below the player's quest limit.
bool CanAcceptQuest(std::span<const std::uint8_t> slot);
// The quest is known and every needed item is available in its count.
bool IsQuestDeliverable(std::uint32_t questId);
// Every reward item finds room on the deck once the needed items are taken (a reward that finds none
// would be lost). True for a quest that pays no items.
bool QuestRewardsFitOnDeck(std::uint32_t questId);
// Takes the needed items, pays fuel, money and reward items, removes the slot, applies the delivery
// effects and counts the delivery. False (nothing done) for a quest the database does not know.
bool DeliverQuest(std::span<std::uint8_t> slot, int board, int pair, std::uint32_t questId);
// Removes the slot: nothing is paid back and no effect runs.
void RetireQuest(std::span<std::uint8_t> slot, int board, int pair);
