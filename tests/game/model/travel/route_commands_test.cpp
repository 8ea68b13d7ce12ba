// Tests of the route commands: registration, variables and their operators, conditions on the slot's tables, rooms, events, recruits and losses.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <vector>

#include "game/services/player/player_data.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_item.h"
#include "game/model/stores/stored_items.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "platform/little_endian.h"
#include "tests/support/log_capture.h"
#include "tests/support/ship_test_data.h"
#include "tests/support/travel_world.h"
#include "game/ui/screens/ui_game_over.h"
#include "game/ui/ui_manager.h"

namespace {

using namespace save_layout;

// Route 1 runs the labels the tests call; route 2 only registers its scenery and music.
constexpr std::string_view kRoutes = R"(
.entry 1
"データベース登録":
    reg.route 'H001' 'H002' 500
    reg.music2 3 12 400 1
    reg.event first_window 10 12
    reg.event second_window 14 16
    reg.call_first call_made 1
    halt
"経路作成":
    return
first_window:
    var.set "first" "+=" 1
    return
second_window:
    var.set "second" "+=" 1
    return
call_made:
    var.set "calls" "+=" 1
    return
"variables":
    var.set "a" "=" 40
    var.set "a" "/=" 0
    var.set "a" "%" 0
    var.set "a" "<<" 3
    var.set "made" "??" 5
    var.set "min" "=" -2147483648
    var.set "min" "/" -1
    var.set "min" "%" -1
    var.random "same" "=" 7 7
    var.op_var "copy" "=" "absent"
    var.clear "a"
    return
"range":
    var.random "r" "=" 5 1
    var.random "wide" "=" -2147483648 2147483647
    return
"conditions":
    test.money "<" -1
    goto_if not_all c1
    var.set "unsigned_below" "=" 1
c1:
    test.money ">" 0
    goto_if all c2
    var.set "zero_not_above" "=" 1
c2:
    byte.op 5 "=" 200
    test.byte 5 "==" -56
    goto_if not_all c3
    var.set "signed_byte" "=" 1
c3:
    byte.op 1024 "=" 1
    bit.set 1056 1
    bit.set 1055 1
    test.bit 1055 1
    goto_if not_all c4
    var.set "bit" "=" 1
c4:
    test.false
    goto_if all c5
    var.set "and_cleared" "=" 1
c5:
    test.forward
    goto_if not_all c6
    var.set "forward" "=" 1
c6:
    return
"rooms":
    room.unlock 'ID03' 1
    room.unlock 'IDNO' 1
    room.unlock 'ZZ99' 1
    room.place 'ZZ99' 0 0
    room.place 'IDNO' 1 0
    room.place 'ID03' 2 0
    return
"events":
    event.random #9 300 300 0 10 4
    event.random_keep #8 100 200 25 10 2 "from" "to"
    var.event_bound "first_to" "=" #8 0 1
    var.event_bound "none" "=" #77 1 1
    return
"template":
    crew.template_buff 'B001'
    crew.template_buff 'B002'
    crew.template_buff 'B003'
    crew.template_hp 0
    crew.recruit_template 0 1
    return
"losses":
    loss.money -300
    loss.money 300
    loss.engine_materials
    return
.entry 2
"データベース登録":
    reg.route 'H002' 'H003' 100
    reg.views_music 0 9 2 3 100 0
    reg.music 12 1
    halt
)";

class RouteCommands : public support::TravelWorld {
protected:
    void SetUp() override
    {
        TravelWorld::SetUp();
        GetStaticDatabase()->AddNearViewData({{0, 1, 2, 3, 4, 5}});
        LoadRoutes(kRoutes);
        StartOnRoute(1);
    }

    std::span<std::uint8_t> Slot() const { return GetWorkingSlot(); }
};

TEST_F(RouteCommands, RegistrationFillsTheRecordsAndBoundsTheirValues)
{
    const RouteData* first = GetStaticDatabase()->FindRouteData(1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->startLocation, MakeTag("H001"));
    EXPECT_EQ(first->length, 500);
    EXPECT_EQ(first->music1, 3);
    EXPECT_EQ(first->music2, 1);  // 11 or more is stored as 1
    EXPECT_EQ(first->musicSwitch, 400);

    const RouteData* second = GetStaticDatabase()->FindRouteData(2);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->nearViewB, 0);  // clamped to the last of the one near view
    EXPECT_EQ(second->blend, 200);
    EXPECT_EQ(second->musicSwitch, 100);
    EXPECT_EQ(second->music1, 1);
    EXPECT_EQ(second->music2, 1);
}

TEST_F(RouteCommands, MovesCarryTheFractionAndACrossingCallsOnlyTheFirstEventMet)
{
    EXPECT_EQ(Route().Move(0.4f), 0);
    EXPECT_EQ(Route().Move(0.4f), 0);
    EXPECT_EQ(Route().Move(0.4f), 1);
    EXPECT_EQ(Route().Move(0.8f), 2);  // 0.2 was carried over

    EXPECT_EQ(Route().Move(20.0f), 22);
    Script().Update();
    EXPECT_EQ(Variable("first"), 1);
    EXPECT_FALSE(HasVariable("second"));
    EXPECT_EQ(Route().Events()->fixedEvents.size(), 1u);  // the second waits for the next move past it

    // Backward the windows lie at length - position: 500 - 485 = 15 is in [14, 16).
    StartOnRoute(1, false);
    EXPECT_EQ(Route().Move(484.0f), 484);
    Script().Update();
    EXPECT_FALSE(HasVariable("second"));
    EXPECT_EQ(Route().Move(2.0f), 486);
    Script().Update();
    EXPECT_EQ(Variable("second"), 1);
    EXPECT_EQ(Route().Move(1000.0f), 500);  // kept within the route
}

TEST_F(RouteCommands, AccumulatedThousandsBecomeRandomCallsWhenTheRouteStarts)
{
    // Road 1 is the first of the route map; its record's first accumulator holds 2500.
    const std::size_t record = slot::kTravel + slot::kTravelKeptOffset;
    platform::WriteI32(Slot(), record + 132, 2500);
    StartOnRoute(1);
    EXPECT_EQ(Variable("calls"), 2);
    EXPECT_EQ(platform::ReadI32(Slot(), record + 132), 500);

    // A damaged slot's accumulator far beyond any road's maximum is held to a hundred calls.
    platform::WriteI32(Slot(), record + 132, 2000000000);
    support::LogCapture log;
    StartOnRoute(2);
    StartOnRoute(1);
    EXPECT_EQ(Variable("calls"), 100);
    EXPECT_EQ(platform::ReadI32(Slot(), record + 132), 0);
    EXPECT_TRUE(log.Contains("random-call accumulator of 2000000000"));
}

TEST_F(RouteCommands, TheMusicFollowsTheProgressAndTheEnemiesInReach)
{
    RouteData* record = GetStaticDatabase()->GetOrCreateRouteData(1);
    record->music1 = 3;
    record->music2 = 12;
    record->musicSwitch = 500;
    EXPECT_EQ(Travel().RouteMusicAt(400), 3);  // a second music of 11 or more never plays
    record->music1 = 11;
    EXPECT_EQ(Travel().RouteMusicAt(400), 1);
    record->music1 = 3;
    record->music2 = 4;
    EXPECT_EQ(Travel().RouteMusicAt(249), 3);
    EXPECT_EQ(Travel().RouteMusicAt(250), 4);

    // An enemy whose reach covers the ship asks for its battle music: a fade, then the battle.
    EnemyData* kind = GetStaticDatabase()->GetOrCreateEnemyData(MakeTag("E001"));
    kind->stats[1] = -30;  // the reach counts by its size
    kind->stats[10] = 5;
    GAME_CObjectEnemy* enemy = World().fieldObjects->AcquireEnemyObject();
    EnemySetupRecord setup;
    InitEnemySetupRecord(setup);
    setup.enemyId = MakeTag("E001");
    enemy->Init(setup);
    enemy->routePosition = 130;
    Route().SetPosition(100);
    Travel().UpdateFrame();
    EXPECT_EQ(Travel().music.battleSlots[0], 5);
    EXPECT_EQ(Travel().music.requested, GAME_CTravelController::kMusicFadeForBattle);
    for (int i = 0; i < 200; ++i) Travel().UpdateFrame();
    EXPECT_EQ(Travel().music.state, GAME_CTravelController::kMusicBattle);

    // Out of reach: the battle ends and the route music fades back in.
    enemy->routePosition = 131;
    for (int i = 0; i < 500; ++i) Travel().UpdateFrame();
    EXPECT_EQ(Travel().music.state, GAME_CTravelController::kMusicRoute);
    EXPECT_EQ(Travel().music.battleSlots[0], -1);
    for (int i = 0; i < 7000; ++i) Travel().UpdateMusic();
    EXPECT_EQ(Travel().music.frames, GAME_CTravelMusicState::kMaxFrames);
}

TEST_F(RouteCommands, VariablesTakeTheOperatorsAndNeverFault)
{
    RunLabel(u"variables");
    EXPECT_FALSE(HasVariable("a"));  // cleared by name at the end
    EXPECT_EQ(Variable("made"), 0);  // an unknown operator makes the variable and leaves it
    EXPECT_EQ(Variable("min"), 0);   // INT_MIN / -1, then % -1
    EXPECT_EQ(Variable("same"), 7);
    EXPECT_TRUE(HasVariable("copy"));  // made before the absent second variable stopped it
    EXPECT_EQ(Variable("copy"), 0);

    std::set<std::int32_t> seen;
    for (int i = 0; i < 300; ++i) {
        RunLabel(u"range");
        seen.insert(Variable("r"));
    }
    EXPECT_EQ(seen, (std::set<std::int32_t>{1, 2, 3, 4, 5}));

    // Thirty-two names fill the table; a thirty-third finds no slot and changes nothing.
    Script().ClearRouteVariables();
    for (int i = 0; i < GAME_CScriptRoute::kVariableCount; ++i) {
        std::string name = std::to_string(i);
        name.insert(0, 1, 'v');  // not "v" + ...: GCC 12 warns of a false overlap there
        ASSERT_NE(Script().GetOrCreateRouteVariable(name), nullptr);
    }
    EXPECT_EQ(Script().GetOrCreateRouteVariable("one_more"), nullptr);
}

TEST_F(RouteCommands, ConditionsCompareUnsignedOrAsSignedBytesAndTouchNothingOutsideTheTables)
{
    std::vector<std::uint8_t> before(Slot().begin(), Slot().end());
    RunLabel(u"conditions");
    EXPECT_EQ(Variable("unsigned_below"), 1);
    EXPECT_EQ(Variable("zero_not_above"), 1);
    EXPECT_EQ(Variable("signed_byte"), 1);
    EXPECT_EQ(Variable("bit"), 1);
    EXPECT_EQ(Variable("and_cleared"), 1);
    EXPECT_EQ(Variable("forward"), 1);

    // Only byte 5 of the byte table and bit 1055 of the bit set changed.
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] != Slot()[i]) changed.push_back(i);
    }
    EXPECT_EQ(changed, (std::vector<std::size_t>{slot::kByteTable + 5, slot::kEventBits + 131}));
    EXPECT_EQ(Slot()[slot::kByteTable + 5], 200);
    EXPECT_EQ(Slot()[slot::kEventBits + 131], 0x80);
}

TEST_F(RouteCommands, RoomsAreUnlockedAtTheirBitAfterTheMoneyAndUnknownRoomsAreNotPlaced)
{
    // The working slot outlives a test: this one starts from an empty slot of its own.
    const std::vector<std::uint8_t> empty = EmptySlot();
    std::copy(empty.begin(), empty.end(), Slot().begin());
    const std::int32_t rooms = Ship().CountRoomsOnGrid();
    RunLabel(u"rooms");
    EXPECT_EQ(platform::ReadU32(Slot(), slot::kRoomUnlockFlags), 1u << 3);
    EXPECT_EQ(platform::ReadU32(Slot(), slot::kPlaySeconds), 0u);
    EXPECT_EQ(platform::ReadU32(Slot(), slot::kMoney), 0u);
    // "ZZ99" and "IDNO" are no room kind: refused with a line naming the id; "ID03" is placed.
    EXPECT_EQ(Ship().CountRoomsOnGrid(), rooms + 1);
    EXPECT_TRUE(LogMentions("ZZ99"));
    EXPECT_TRUE(LogMentions("IDNO"));
}

TEST_F(RouteCommands, RandomEventsArePlacedOnTheRouteAndTheirBoundsRead)
{
    // The gate is open outside the creation label.
    ASSERT_TRUE(Travel().CanSpawnOnRoute());
    RunLabel(u"events");
    RouteEventList& events = *Route().Events();
    ASSERT_EQ(events.randomEvents.size(), 2u);
    // a equal to b places the window one unit before a.
    EXPECT_EQ(events.randomEvents[0]->GetFrom(), 299);
    EXPECT_EQ(events.randomEvents[0]->GetTo(), 309);
    const std::int32_t from = Variable("from");
    EXPECT_EQ(from % 25, 0);
    EXPECT_GE(from, 100);
    EXPECT_LT(from, 200);
    EXPECT_EQ(Variable("to"), from + 10);
    EXPECT_EQ(Variable("first_to"), from + 10);
    EXPECT_FALSE(HasVariable("none") && Variable("none") != 0);
}

TEST_F(RouteCommands, TheNewCrewTemplateKeepsTheFirstAndLastBuffAndItsCaps)
{
    RunLabel(u"template");
    ASSERT_EQ(World().fieldObjects->crew.size(), 1u);
    const GAME_CObjectActor& member = *World().fieldObjects->crew[0];
    EXPECT_EQ(member.status.hp, 0);
    EXPECT_EQ(member.status.stamina, member.status.computed.maxStamina * 1000);
    // Only "B001" is a buff of the data: it is the one the member holds.
    EXPECT_EQ(member.status.buffs[0].id, support::kBuff);
    EXPECT_EQ(Script().newCrew.buffIds[0], -1);  // the template was reset
}

TEST_F(RouteCommands, LossesTakeMoneyWhateverItsSignAndListIt)
{
    GetPlayerData()->AddMoney(1000);
    Place(support::kEngine, 0, 0);
    const std::size_t items = World().fieldObjects->items.size();
    RunLabel(u"losses");
    EXPECT_EQ(GetPlayerData()->money, 400);
    const auto* gameOver = UIManagerOf(&World())->Get<GAME_CUIGameOver>();
    ASSERT_EQ(gameOver->losses.size(), 2u);
    EXPECT_EQ(gameOver->losses[0].amount, 300);
    EXPECT_EQ(gameOver->losses[1].amount, 300);
    // A working engine room: no materials are dropped.
    EXPECT_EQ(World().fieldObjects->items.size(), items);
}

TEST_F(RouteCommands, EngineMaterialsComeAboardWhileTheOnlyEngineRoomIsStillBeingBuilt)
{
    // For this test an engine room is built of three units of the material.
    RoomData& engineData = *GetStaticDatabase()->GetOrCreateRoomData(MakeTag("ID23"), false);
    const auto dataMaterials = engineData.materials;
    struct Restore {
        RoomData& data;
        const std::array<ItemCount, 8>& materials;
        ~Restore() { data.materials = materials; }
    } restore{engineData, dataMaterials};
    engineData.materials[0] = ItemCount{support::kMaterial, 3};

    // The engine room under construction drives nothing: the road brings what it needs.
    GAME_CRoomBase* site = Ship().PlaceNewRoom(0, 0, support::kEngine, MakeTag("ID23"), false);
    ASSERT_NE(site, nullptr);
    ASSERT_EQ(CountFieldItem(support::kMaterial), 0);
    RunLabel(u"losses");
    EXPECT_EQ(CountFieldItem(support::kMaterial), 3);

    // Built, it drives the ship: no more come.
    site->Finish(true);
    for (GAME_CObjectItem* item : World().fieldObjects->items) item->dead = 1;
    World().fieldObjects->RemoveDeadItems();
    RunLabel(u"losses");
    EXPECT_EQ(CountFieldItem(support::kMaterial), 0);
}

}  // namespace
