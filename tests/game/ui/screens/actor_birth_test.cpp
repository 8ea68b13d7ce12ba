// The crew birth window: a birth in the second crew quarters announced over the darkened game, a rename, and the birth posted on closing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "framework/math/random.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/actor_names.h"
#include "game/services/text/language.h"
#include "game/ui/message_log.h"
#include "game/ui/screens/ui_actor_birth.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class ActorBirthTest : public support::UITest {
protected:
    GAME_CUIActorBirth& Birth() const { return *UI().Get<GAME_CUIActorBirth>(); }

    // A crew quarters on the first free floor cell.
    GAME_CRoomBase* PlaceQuarters()
    {
        GAME_CShip& ship = *world->ship;
        const std::int32_t kind = FindRoomIdIndex(MakeTag("ID03"));
        for (std::int32_t y = ship.grid.height - 1; y >= 0; --y) {
            for (std::int32_t x = 0; x < ship.grid.width; ++x) {
                if (ship.CanPlaceRoom(x, y, kind)) return ship.PlaceRoom(x, y, kind);
            }
        }
        return nullptr;
    }

    // Whether the text names the three, in this order.
    static bool NamesInOrder(std::u16string_view text, const GAME_CObjectActor& first, const GAME_CObjectActor& second,
                             const GAME_CObjectActor& child)
    {
        std::size_t at = 0;
        for (const GAME_CObjectActor* member : {&first, &second, &child}) {
            const std::u16string name = RomanizeKanaPair(member->status.name);
            if (name.empty()) return false;
            at = text.find(name, at);
            if (at == std::u16string_view::npos) return false;
            at += 1;
        }
        return true;
    }
};

TEST_F(ActorBirthTest, ABirthInTheSecondQuartersIsAnnouncedOverTheStoppedGameRenamedAndPosted)
{
    GAME_CRoomBase* first = PlaceQuarters();
    GAME_CRoomBase* second = PlaceQuarters();
    ASSERT_TRUE(first != nullptr && second != nullptr);
    GAME_CObjectActor* mother = AddCrewMember();
    GAME_CObjectActor* father = AddCrewMember();
    ASSERT_TRUE(mother != nullptr && father != nullptr);
    // Names of the name list, which the sentence writes out.
    const GAME_CStaticDatabase& database = *GetStaticDatabase();
    ASSERT_GE(database.GetActorNameCount(), 3);
    mother->status.name = database.GetActorName(0);
    father->status.name = database.GetActorName(2);
    ASSERT_TRUE(second->TryAddCrew(mother));
    ASSERT_TRUE(second->TryAddCrew(father));
    DatabaseLimits& limits = GetStaticDatabase()->Limits();
    limits.first = 3;
    limits.second = 10;
    limits.third = 10;  // every due draw gives a child
    UI().SetOpen(kSlotBuildSelectGrid, true);
    StepFrames(1);
    const std::uint32_t before = CanvasPixel(4, 4);

    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotActorBirth); }, 600));
    GAME_CObjectActor* child = Birth().child;
    ASSERT_NE(child, nullptr);
    limits.first = 1000000;  // one child is enough
    EXPECT_EQ(Birth().parents[0], mother);
    EXPECT_EQ(Birth().parents[1], father);
    ASSERT_TRUE(StepUntil([&] { return Birth().State() == GAME_CUIActorBirth::kMain; }, 10));
    EXPECT_EQ(Birth().Cursor(), 0);
    EXPECT_TRUE(NamesInOrder(Birth().Sentence()->Literal(), *mother, *father, *child));
    KeepCanvasPicture("birth-window");

    // The game stands dimmed behind it with the crew and build screens gone.
    EXPECT_NE(world->held, 0u);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotBuildSelectGrid); }, 30));
    EXPECT_FALSE(UI().IsOpen(kSlotActorStatus));
    EXPECT_FALSE(UI().IsOpen(kSlotRoomBuilding));
    const std::uint32_t dimmed = CanvasPixel(4, 4);
    for (int shift : {0, 8, 16}) {
        EXPECT_NEAR(static_cast<int>((dimmed >> shift) & 0xFF), static_cast<int>((before >> shift) & 0xFF) / 2, 2);
    }
    EXPECT_TRUE(NamesInOrder(Birth().Sentence()->Literal(), *mother, *father, *child));

    // No cancel; DECIDE on the first button rolls a new name into the sentence.
    PressAction(kActionCancel);
    StepFrames(3);
    EXPECT_TRUE(UI().IsOpen(kSlotActorBirth));
    child->status.name = u"ーー";
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return child->status.name != ActorName(u"ーー"); }, 30));
    StepFrames(10);
    EXPECT_TRUE(NamesInOrder(Birth().Sentence()->Literal(), *mother, *father, *child));

    // Down to the close button: closing posts the birth with the new name, and the game goes on.
    PressAction(kActionCursorDown);
    StepFrames(2);
    EXPECT_EQ(Birth().Cursor(), 1);
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotActorBirth); }, 30));
    EXPECT_EQ(world->held, 0u);
    const GAME_CUIMessageLog& log = *UI().MessageLog();
    bool posted = false;
    for (int i = 0; i < log.CountLines(); ++i) {
        const GAME_CUIMessageLog::Line& line = log.GetLine(i);
        posted = posted || (line.kind == GAME_CUIActorBirth::kMessageKind &&
                            NamesInOrder(std::u16string_view(line.text.c_str()), *mother, *father, *child));
    }
    EXPECT_TRUE(posted);

    // The picture comes from the framework's generator, never the clock: one seed, one picture. The
    // rat lying on its side is drawn turned, lower and to the left.
    const auto openWithSeed = [&](std::uint32_t seed) {
        vesk::math::SeedRandom(seed);
        UI().ShowActorBirth(mother, father, child);
        EXPECT_TRUE(StepUntil([&] { return Birth().State() == GAME_CUIActorBirth::kMain; }, 10));
        const int picture = Birth().PictureIndex();
        Birth().SetOpen(false);
        EXPECT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotActorBirth); }, 10));
        return picture;
    };
    std::uint32_t seed = 1;
    while (openWithSeed(seed) != GAME_CUIActorBirth::kTurnedPicture && seed < 200) ++seed;
    EXPECT_EQ(openWithSeed(seed), GAME_CUIActorBirth::kTurnedPicture);
    EXPECT_EQ(openWithSeed(seed), GAME_CUIActorBirth::kTurnedPicture);
    vesk::math::SeedRandom(seed);
    UI().ShowActorBirth(mother, father, child);
    ASSERT_TRUE(StepUntil([&] { return Birth().State() == GAME_CUIActorBirth::kMain; }, 10));
    const support::RecordedSpriteDraw* picture = FindSpriteDraw(kUISpriteGroup, "dot_rat2_1");
    ASSERT_NE(picture, nullptr);
    KeepCanvasPicture("birth-window-turned");
    EXPECT_FLOAT_EQ(picture->x, 312.0f);
    EXPECT_FLOAT_EQ(picture->y, 174.0f);
}

// Two quarters whose pairs come due in the same frame (as two quarters filled at the same moment do)
// announce their births one after the other, each with its own family, and both reach the message log.
TEST_F(ActorBirthTest, TwoBirthsDueInOneFrameAreAnnouncedInTurnEachWithItsOwnFamily)
{
    std::vector<GAME_CObjectActor*> pairs[2];
    for (std::vector<GAME_CObjectActor*>& pair : pairs) {
        GAME_CRoomBase* quarters = PlaceQuarters();
        ASSERT_NE(quarters, nullptr);
        for (int i = 0; i < 2; ++i) {
            GAME_CObjectActor* member = AddCrewMember();
            ASSERT_NE(member, nullptr);
            ASSERT_TRUE(quarters->TryAddCrew(member));
            pair.push_back(member);
        }
    }
    const std::size_t crewBefore = world->fieldObjects->crew.size();
    ASSERT_LE(static_cast<std::int64_t>(crewBefore) + 2, world->ship->GetCrewCapacity());
    DatabaseLimits& limits = GetStaticDatabase()->Limits();
    limits.first = 3;
    limits.second = 10;
    limits.third = 10;  // every due draw gives a child

    std::vector<GAME_CObjectActor*> announced[2];
    GAME_CObjectActor* children[2] = {nullptr, nullptr};
    for (int birth = 0; birth < 2; ++birth) {
        // The birth that waited comes as the first window closes, and may open the window again at once.
        ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotActorBirth) && Birth().child != children[0]; }, 600)) << "birth " << birth;
        if (birth == 1) limits.first = 1000000;  // two children are enough
        announced[birth] = {Birth().parents[0], Birth().parents[1]};
        children[birth] = Birth().child;
        ASSERT_TRUE(StepUntil([&] { return Birth().State() == GAME_CUIActorBirth::kMain; }, 10));
        Birth().SetOpen(false);
        ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotActorBirth) || Birth().child != children[birth]; }, 30));
    }
    EXPECT_FALSE(UI().IsOpen(kSlotActorBirth));
    ASSERT_NE(announced[0], announced[1]);
    for (const std::vector<GAME_CObjectActor*>& family : announced) {
        EXPECT_TRUE(family == pairs[0] || family == pairs[1]);
    }
    // Every child born was announced: none stands aboard unnamed to the player.
    EXPECT_EQ(std::count(world->fieldObjects->crew.begin(), world->fieldObjects->crew.end(), children[0]), 1);
    EXPECT_EQ(std::count(world->fieldObjects->crew.begin(), world->fieldObjects->crew.end(), children[1]), 1);
    EXPECT_EQ(world->fieldObjects->crew.size(), crewBefore + 2);
    const GAME_CUIMessageLog& log = *UI().MessageLog();
    for (int birth = 0; birth < 2; ++birth) {
        bool posted = false;
        for (int i = 0; i < log.CountLines(); ++i) {
            const GAME_CUIMessageLog::Line& line = log.GetLine(i);
            posted = posted || (line.kind == GAME_CUIActorBirth::kMessageKind &&
                                NamesInOrder(std::u16string_view(line.text.c_str()), *announced[birth][0], *announced[birth][1],
                                             *children[birth]));
        }
        EXPECT_TRUE(posted) << "birth " << birth;
    }
}

class ActorBirthSentenceTest : public support::UITest {};

// In every language the birth sentence, with the widest crew name for both parents and the child, keeps
// inside the window's frame less the shared dialog's margin on either side.
TEST_F(ActorBirthSentenceTest, TheSentenceFitsTheFrameWithTheWidestNamesInEveryLanguage)
{
    const float textRoom = UISpriteSize(FindUISprite("ui_dialogbase")).x - 2.0f * GAME_CUIInDisplaySelectionObject::kTextLeft;
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        const std::u16string name = WidestCrewName();
        const std::vector<std::u16string> lines =
            SplitTextLines(FormatUIMessage("ADD_TEXT_UI_ACTORBIRTH_03", {name, name, name}), {.ends = TextLineEnds::kBreaksEndLines});
        for (const std::u16string& line : lines) {
            EXPECT_LE(MeasureUIText(line), textRoom) << file << ", line " << (&line - lines.data()) + 1;
        }
    }
}

// Outside Japanese a crew name is written in Latin letters, two for each kana the table knows; a kana
// it does not know is left out. Every name of the list keeps both its kana in every such language.
TEST_F(ActorBirthSentenceTest, EveryNameOfTheListReadsWholeInLatinLetters)
{
    const GAME_CStaticDatabase& database = *GetStaticDatabase();
    ASSERT_GT(database.GetActorNameCount(), 10);
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        if (language == kLanguageJapanese) continue;
        ChooseLanguage(language);
        for (std::int32_t i = 0; i < database.GetActorNameCount(); ++i) {
            const std::u16string_view name = database.GetActorName(i);
            ASSERT_EQ(name.size(), 2u) << "name " << i;
            for (const char16_t kana : name) {
                EXPECT_FALSE(RomanizeKanaPair(std::u16string(1, kana)).empty())
                    << GetMessageFileForLanguage(language) << ": name " << i << ", kana U+" << std::hex
                    << static_cast<unsigned>(kana) << std::dec;
            }
        }
    }
}

}  // namespace
