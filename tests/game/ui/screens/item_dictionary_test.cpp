// The item dictionary: unfound items refused, the list's ring and page jumps, a found item's detail with where it is made, and the percentage.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/model/stores/stored_items.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/working_slot.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/ui/item_description.h"
#include "game/ui/list_view.h"
#include "game/ui/screens/ui_item_dictionary.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class ItemDictionaryTest : public support::UITest {
protected:
    GAME_CUIItemDictionary& Dictionary() const { return *UI().Get<GAME_CUIItemDictionary>(); }
    const GAME_CStaticDatabase& Database() const { return *GetStaticDatabase(); }
    int ItemCount() const { return static_cast<int>(Database().Items().size()); }

    void Open()
    {
        UI().SetOpen(kSlotItemDictionary, true);
        ASSERT_TRUE(StepUntil([&] { return Dictionary().State() == UIScreenState::kMain; }, 40));
    }

    void Press(int action)
    {
        PressAction(action);
        StepFrames(2);
    }

    // Down (or up) with the page modifier held.
    void PressWithPageModifier(int action)
    {
        HoldAction(kActionMenuFunctionA, 2);
        PressAction(action);
        StepFrames(2);
    }

    static void ForgetEveryFoundItem()
    {
        const std::span<std::uint8_t> slot = GetWorkingSlot();
        std::fill_n(slot.begin() + static_cast<std::ptrdiff_t>(save_layout::slot::kFieldItemsLive),
                    save_layout::slot::kFieldItemsLiveSize, std::uint8_t{0});
    }

    std::vector<std::u16string> ShownDescription() const
    {
        std::vector<std::u16string> lines;
        for (int k = 0; k < GAME_CUIItemDictionary::kDescriptionRows; ++k) {
            lines.emplace_back(Dictionary().Description().Row(k)->Literal());
        }
        return lines;
    }
};

TEST_F(ItemDictionaryTest, UnfoundItemsStayNamelessAndShutWhileAFoundStoneShotOpensOnWhereItIsMade)
{
    ForgetEveryFoundItem();
    ASSERT_NO_FATAL_FAILURE(Open());
    const int total = ItemCount();
    ASSERT_GT(total, 2 * GAME_CUIItemDictionary::kRows);

    // Nothing found: no names, no icons, no counts, 0 percent, and decide is refused.
    EXPECT_EQ(Dictionary().Row(0).name->Literal(), GetMessageTextExpanded("ITEMDICTIONARY_NOT_YET_GET_NAME"));
    EXPECT_EQ(Dictionary().Row(0).name->Color(), GetUIColor(5));
    EXPECT_EQ(Dictionary().Row(0).count->Literal(), u"×０");
    EXPECT_EQ(Dictionary().Row(0).icon->Color() >> 24, 0u);
    EXPECT_EQ(Dictionary().CounterLabel()->Literal(),
              FormatUIMessage("ITEMDICTIONARY_GET_ITEM_NUM", {u"０", UIFullWidthNumber(total), u"０"}));
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeUIError));
    StepFrames(1);
    EXPECT_EQ(Dictionary().CurrentPage(), GAME_CUIItemDictionary::kList);

    // Up on the first item goes round to the last on the ninth row; down comes back to the first.
    Press(kActionCursorUp);
    EXPECT_EQ(Dictionary().Top(), total - GAME_CUIItemDictionary::kRows);
    EXPECT_EQ(Dictionary().CursorRow(), 8);
    EXPECT_EQ(Dictionary().ListScrollBar()->Value(), total - GAME_CUIItemDictionary::kRows);
    Press(kActionCursorDown);
    EXPECT_EQ(Dictionary().Top(), 0);
    EXPECT_EQ(Dictionary().CursorRow(), 0);
    // The page modifier jumps nine rows and leaves the cursor on its row.
    Press(kActionCursorDown);
    PressWithPageModifier(kActionCursorDown);
    EXPECT_EQ(Dictionary().Top(), 9);
    EXPECT_EQ(Dictionary().CursorRow(), 1);
    PressWithPageModifier(kActionCursorUp);
    EXPECT_EQ(Dictionary().Top(), 0);
    EXPECT_EQ(Dictionary().CursorRow(), 1);
    ASSERT_TRUE(CloseScreen(kSlotItemDictionary));

    // Found: the stone shot's row shows its name and what the ship holds of it.
    const std::uint32_t stoneShot = MakeTag("I040");
    std::int32_t position = -1;
    ASSERT_NE(Database().FindItemDataIndexed(stoneShot, &position), nullptr);
    working_slot::MarkItemDiscovered(stoneShot);
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(Dictionary().CounterLabel()->Literal(),
              FormatUIMessage("ITEMDICTIONARY_GET_ITEM_NUM",
                              {u"１", UIFullWidthNumber(total), UIFullWidthNumber(GAME_CUIItemDictionary::ObtainedPercentage(1, total))}));
    for (int step = 0; step < position; ++step) Press(kActionCursorDown);
    ASSERT_EQ(Dictionary().Top() + Dictionary().CursorRow(), position);
    const int row = Dictionary().CursorRow();
    EXPECT_EQ(Dictionary().Row(row).name->Literal(), UITagName(stoneShot));
    EXPECT_EQ(Dictionary().Row(row).name->Color(), GetUIColor(kUIColorText));
    EXPECT_EQ(Dictionary().Row(row).count->Literal(),
              u"×" + UIFullWidthNumber(CountStoredItem(stoneShot) + CountFieldItem(stoneShot)));
    EXPECT_EQ(Dictionary().Row(row).icon->Color() >> 24, 0xFFu);

    // A click on another row takes the cursor there; a second click on it opens nothing while its
    // item is unfound; a click on the stone shot's row brings the cursor back.
    const auto clickRow = [&](int shownRow) {
        ClickAt(200, 115 + 18 * shownRow);
        StepFrames(1);
    };
    const int other = row == 0 ? 1 : row - 1;
    clickRow(other);
    EXPECT_EQ(Dictionary().CursorRow(), other);
    EXPECT_TRUE(Played(kSeUICursor));
    StepFrames(1);
    clickRow(other);
    StepFrames(1);
    EXPECT_EQ(Dictionary().CurrentPage(), GAME_CUIItemDictionary::kList);
    clickRow(row);
    EXPECT_EQ(Dictionary().CursorRow(), row);

    // Its detail: price 2, piles of 50, chipped in the machine shop, material of nothing.
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeUIDecide));
    StepFrames(2);
    ASSERT_EQ(Dictionary().CurrentPage(), GAME_CUIItemDictionary::kDetail);
    EXPECT_EQ(Dictionary().DetailTitle()->Literal(), UITagName(stoneShot));
    EXPECT_NE(Dictionary().SellPriceLabel()->Literal().find(u"２"), std::u16string_view::npos);
    EXPECT_NE(Dictionary().MaxStackLabel()->Literal().find(u"５０"), std::u16string_view::npos);
    const std::vector<std::u16string> lines = ShownDescription();
    const std::u16string machineShop = FormatUIMessage("ItemDiscript_Facility", {UITagName(MakeTag("ID07"))});
    const auto heading = std::find(lines.begin(), lines.end(), machineShop);
    ASSERT_NE(heading, lines.end());
    ASSERT_NE(heading + 1, lines.end());
    EXPECT_NE(heading[1].find(UITagName(MakeTag("TC10"))), std::u16string::npos);
    EXPECT_NE(std::find(lines.begin(), lines.end(), FormatUIMessage("ItemDiscript_Unusable", {UITagName(stoneShot)})),
              lines.end());
    EXPECT_EQ(Dictionary().Description().Bar()->Maximum(), 0);
    KeepCanvasPicture("item_dictionary_detail");

    // Cancel goes back to the list where it was; cancel again closes onto the HUD.
    Press(kActionCancel);
    StepFrames(8);
    EXPECT_EQ(Dictionary().CurrentPage(), GAME_CUIItemDictionary::kList);
    EXPECT_EQ(Dictionary().Top() + Dictionary().CursorRow(), position);
    Press(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotItemDictionary); }, 40));
    EXPECT_TRUE(UI().IsOpen(kSlotCommon));
}

TEST_F(ItemDictionaryTest, AShortListRingsOverItsItemsPercentagesRoundUpNearAllAndOneRoomHeadsEachRunOnce)
{
    // Five items: the cursor stops on the fifth, and the ring goes between the first and the fifth.
    UIListView list{.count = 5, .visible = GAME_CUIItemDictionary::kRows, .wrap = UIListWrap::kRing};
    for (int step = 0; step < 4; ++step) list.Step(1);
    EXPECT_EQ(list.cursor, 4);
    list.Step(1);
    EXPECT_EQ(list.cursor, 0);
    list.Step(-1);
    EXPECT_EQ(list.cursor, 4);
    EXPECT_EQ(list.top, 0);
    // A page jump with nothing to scroll puts the cursor back on the first item.
    list.JumpPage(1);
    EXPECT_EQ(list.cursor, 0);

    EXPECT_EQ(GAME_CUIItemDictionary::ObtainedPercentage(0, 3), 0);
    EXPECT_EQ(GAME_CUIItemDictionary::ObtainedPercentage(1, 3), 33);
    EXPECT_EQ(GAME_CUIItemDictionary::ObtainedPercentage(223, 224), 100);
    EXPECT_EQ(GAME_CUIItemDictionary::ObtainedPercentage(224, 224), 100);

    // Every item of the data set: one room heading per run of one room's entries in each section.
    const GAME_CStaticDatabase& database = Database();
    bool sawARun = false;
    for (const auto& item : database.Items()) {
        const ItemProductionData* production = database.FindItemProductionData(item->id);
        ASSERT_NE(production, nullptr);
        int runs = 0;
        std::vector<std::uint32_t> rooms;
        for (const ItemProducer& producer : production->producers) rooms.push_back(producer.roomId);
        rooms.push_back(kNoId);
        for (const ItemConsumer& consumer : production->consumers) rooms.push_back(consumer.roomId);
        for (std::size_t i = 0; i < rooms.size(); ++i) {
            if (rooms[i] == kNoId) continue;
            if (i == 0 || rooms[i - 1] != rooms[i]) {
                ++runs;
            } else {
                sawARun = true;
            }
        }
        const std::vector<std::u16string> lines = SplitTextLines(ComposeItemDescription(database, item->id));
        int headings = 0;
        for (const std::u16string& line : lines) {
            for (std::uint32_t room : rooms) {
                if (room != kNoId && line == FormatUIMessage("ItemDiscript_Facility", {UITagName(room)})) {
                    ++headings;
                    break;
                }
            }
        }
        EXPECT_EQ(headings, runs) << TagText(item->id);
    }
    EXPECT_TRUE(sawARun);
}

// In every language each line of every item's description, with where it is made and what it goes
// into, is no wider than the rules under the item windows' description rows.
TEST_F(ItemDictionaryTest, EveryItemDescriptionFitsTheItemWindowsInEveryLanguage)
{
    // The rules start eight units left of the text.
    const float textRoom = UISpriteSize(FindUISprite("ui_separator_big2")).x - 8.0f;
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        for (const auto& item : Database().Items()) {
            const std::vector<std::u16string> lines =
                SplitTextLines(ComposeItemDescription(Database(), item->id), {.ends = TextLineEnds::kEveryBreak});
            for (const std::u16string& line : lines) {
                EXPECT_LE(MeasureUIText(line), textRoom) << file << ": " << TagText(item->id) << ", line " << (&line - lines.data()) + 1;
            }
        }
    }
}

}  // namespace
