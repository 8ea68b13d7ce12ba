// The quest rules on the running game's slot bytes: accepting, the limit, delivering, removing, the daily pass and reading a slot.
#include <gtest/gtest.h>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_item.h"
#include "game/model/quest/quest_rules.h"
#include "game/model/ship/item_drops.h"
#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/data/tag.h"
#include "game/services/player/player_data.h"
#include "game/services/save/quest_boards.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/sound/sound_player.h"
#include "platform/little_endian.h"
#include "tests/support/game_fixture.h"

namespace {

constexpr std::uint32_t kEmpty = 0xFFFFFFFF;
constexpr std::size_t kDeliveredCount = 10288;

class QuestRules : public support::GameFixture {
protected:
    static std::size_t BoardOffset(int board) { return 32560 + 268 * static_cast<std::size_t>(board); }

    // Board b of the working slot laid out from the ids (0: empty) with the accepted mask.
    static void LayBoard(int board, std::initializer_list<const char*> ids, std::uint32_t mask, std::uint32_t countdown = 9)
    {
        const std::span<std::uint8_t> slot = GetWorkingSlot();
        std::size_t at = BoardOffset(board);
        int pair = 0;
        for (const char* id : ids) {
            platform::WriteU32(slot, at, id != nullptr ? Tag(id) : kEmpty);
            platform::WriteI32(slot, at + 4, id != nullptr ? 3 : 0);
            at += 8;
            ++pair;
        }
        for (; pair < 32; ++pair, at += 8) {
            platform::WriteU32(slot, at, kEmpty);
            platform::WriteI32(slot, at + 4, 0);
        }
        platform::WriteU32(slot, BoardOffset(board) + 256, mask);
        platform::WriteU32(slot, BoardOffset(board) + 260, 0xDEAD);
        platform::WriteU32(slot, BoardOffset(board) + 264, countdown);
    }

    static std::uint32_t Tag(const char* id)
    {
        std::uint32_t tag = 0;
        for (int i = 0; i < 4; ++i) tag |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(id[i])) << (8 * i);
        return tag;
    }
    static std::uint32_t IdAt(int board, int pair) { return platform::ReadU32(GetWorkingSlot(), BoardOffset(board) + 8 * pair); }
    static std::int32_t DaysAt(int board, int pair) { return platform::ReadI32(GetWorkingSlot(), BoardOffset(board) + 8 * pair + 4); }
    static std::uint32_t Mask(int board) { return platform::ReadU32(GetWorkingSlot(), BoardOffset(board) + 256); }
    static std::uint32_t MaskHigh(int board) { return platform::ReadU32(GetWorkingSlot(), BoardOffset(board) + 260); }

    static std::int32_t PilesOf(std::uint32_t itemId, std::int32_t* units)
    {
        std::int32_t piles = 0;
        *units = 0;
        for (const GAME_CObjectItem* item : GetGameWorld()->fieldObjects->items) {
            if (item == nullptr || item->dead != 0 || item->itemId != itemId) continue;
            ++piles;
            *units += item->count;
        }
        return piles;
    }
};

TEST_F(QuestRules, AcceptLimitDeliveryRemovalDailyPassAndReadingFollowTheBoardBytes)
{
    StartToMainGame();
    const std::span<std::uint8_t> slot = GetWorkingSlot();
    for (int board = 0; board < 40; ++board) LayBoard(board, {}, 0);

    // Accepting slot 1 of board 0: its bit, the quest's limit as days, the accept flag; both mask words written.
    LayBoard(0, {"Q002", "Q001"}, 0);
    QuestBoardWriter(slot, 0).Accept(slot, 1, Tag("Q001"));
    EXPECT_EQ(Mask(0), 0b10u);
    EXPECT_EQ(MaskHigh(0), 0u);
    EXPECT_EQ(DaysAt(0, 1), 5);
    EXPECT_TRUE(GetSlotEventBit(slot, 101));
    EXPECT_FALSE(GetSlotEventBit(slot, 102));

    // The limit of 12: eleven accepted pass a twelfth, twelve refuse a thirteenth; slots after a hole are not counted.
    ASSERT_EQ(GetPlayerData()->questLimit, 12u);
    LayBoard(0, {"Q001", "Q002", "Q003", "Q004", "Q005", "Q006"}, 0b111111);
    LayBoard(1, {"Q001", "Q002", "Q003", "Q004", "Q005", nullptr, "Q006"}, 0b1011111);
    EXPECT_EQ(CountFlaggedQuestEntries(slot), 11);
    EXPECT_TRUE(CanAcceptQuest(slot));
    LayBoard(2, {"Q007"}, 0);
    QuestBoardWriter(slot, 2).Accept(slot, 0, Tag("Q007"));
    EXPECT_EQ(CountFlaggedQuestEntries(slot), 12);
    EXPECT_FALSE(CanAcceptQuest(slot));
    for (int board = 0; board < 3; ++board) LayBoard(board, {}, 0);

    // Delivering Q001 (10 grain for 300 money and 10 water) from the floor: money stops at its cap,
    // the water lies in piles of at most a stack, later slots move down with their bits.
    ASSERT_EQ(DropItemStacks(Tag("I020"), 10, 0, 0), 0);
    ASSERT_TRUE(IsQuestDeliverable(Tag("Q001")));
    GetPlayerData()->money = 999'999'900;
    const std::uint32_t delivered = platform::ReadU32(GetWorkingSystemRecord(), kDeliveredCount);
    // Hideout AD01's board offers three quests: what lies past them goes.
    LayBoard(0, {"Q001", "Q002", "Q004", "Q003"}, 0b1111);
    ASSERT_TRUE(DeliverQuest(slot, 0, 0, Tag("Q001")));
    EXPECT_TRUE(GetSoundPlayer()->WasPlayedThisFrame(22));
    EXPECT_EQ(GetPlayerData()->money, 999'999'999);
    std::int32_t units = 0;
    EXPECT_EQ(PilesOf(Tag("I020"), &units), 0);
    EXPECT_GE(PilesOf(Tag("I025"), &units), 1);
    EXPECT_EQ(units, 10);
    EXPECT_EQ(IdAt(0, 0), Tag("Q002"));
    EXPECT_EQ(IdAt(0, 1), Tag("Q004"));
    EXPECT_EQ(IdAt(0, 2), kEmpty);
    EXPECT_EQ(Mask(0), 0b11u);
    EXPECT_EQ(platform::ReadU32(GetWorkingSystemRecord(), kDeliveredCount), delivered + 1);

    // Fuel stops at the capacity; with nothing to hand a quest is not deliverable.
    GAME_CShip& ship = *GetGameWorld()->ship;
    EXPECT_FALSE(IsQuestDeliverable(Tag("Q004")));
    ASSERT_EQ(DropItemStacks(Tag("I011"), 5, 0, 0), 0);
    ship.fuel = ship.fuelCapacity - 10;
    ASSERT_TRUE(DeliverQuest(slot, 0, 0, Tag("Q004")));
    EXPECT_EQ(ship.fuel, ship.fuelCapacity);
    EXPECT_FALSE(DeliverQuest(slot, 0, 0, Tag("QZZZ")));

    // Removing slot 0 of 32 offers moves the 31 others down with their bits and empties slot 31;
    // a board of no offers, or of more than 32, stays inside its 32 slots.
    LayBoard(3, {"Q001", "Q002", "Q003", "Q004", "Q005", "Q006", "Q007", "Q008", "Q001", "Q002", "Q003",
                 "Q004", "Q005", "Q006", "Q007", "Q008", "Q001", "Q002", "Q003", "Q004", "Q005", "Q006",
                 "Q007", "Q008", "Q001", "Q002", "Q003", "Q004", "Q005", "Q006", "Q007", "Q008"},
             0x80000003u);
    QuestBoardWriter(slot, 3).RemoveSlot(0, 32);
    EXPECT_EQ(IdAt(3, 0), Tag("Q002"));
    EXPECT_EQ(IdAt(3, 30), Tag("Q008"));
    EXPECT_EQ(IdAt(3, 31), kEmpty);
    EXPECT_EQ(Mask(3), 0x40000001u);
    QuestBoardWriter(slot, 3).RemoveSlot(0, 40);
    EXPECT_EQ(IdAt(3, 29), Tag("Q008"));
    EXPECT_EQ(Mask(3), 0x20000000u);
    QuestBoardWriter(slot, 3).RemoveSlot(0, 0);
    for (int pair = 0; pair < 32; ++pair) EXPECT_EQ(IdAt(3, pair), kEmpty) << pair;
    EXPECT_EQ(Mask(3), 0u);
    EXPECT_EQ(IdAt(4, 0), kEmpty);

    // The daily pass: Q001 accepted with one day left expires, keeps its slot and stays a day later.
    LayBoard(0, {"Q001", nullptr, "Q002"}, 0b1, 9);
    QuestBoardWriter(slot, 0).SetValue(0, 1);
    RefreshOfferSetsDaily(slot);
    EXPECT_EQ(IdAt(0, 0), Tag("Q001"));
    EXPECT_EQ(DaysAt(0, 0), 0);
    EXPECT_EQ(Mask(0), 0u);
    EXPECT_TRUE(GetSlotEventBit(slot, 102));
    EXPECT_EQ(DaysAt(0, 1), 0);
    RefreshOfferSetsDaily(slot);
    EXPECT_EQ(IdAt(0, 0), Tag("Q001"));
    EXPECT_EQ(DaysAt(0, 0), 0);

    // A stored {empty, Q002 accepted} reads {Q002 accepted, empty}.
    LayBoard(0, {nullptr, "Q002"}, 0b10);
    PackQuestBoards(slot);
    EXPECT_EQ(IdAt(0, 0), Tag("Q002"));
    EXPECT_EQ(IdAt(0, 1), kEmpty);
    EXPECT_EQ(Mask(0), 0b1u);
}

}  // namespace
