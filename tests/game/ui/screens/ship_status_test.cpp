// The status strip over play: a new game's figures, the danger flash and its causes, the marks on the distance meter, and the rules by which a notice repeats into the log and the ticker.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/model/object/field_object_manager.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/travel/route_save_block.h"
#include "game/model/world/game_world.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/clock/game_clock.h"
#include "game/services/text/message_text.h"
#include "game/services/player/player_data.h"
#include "game/ui/message_log.h"
#include "game/ui/resident_bar.h"
#include "game/ui/screens/ui_ship_status.h"
#include "platform/little_endian.h"
#include "tests/support/game_fixture.h"

namespace {

using Figure = GAME_CUIShipStatus::Figure;

constexpr std::uint32_t kDropMarkColor = 0xFFCCCC66u;
constexpr std::uint32_t kEnemyMarkColor = 0xFF6699CCu;

class ShipStatusTest : public support::GameFixture {
protected:
    GAME_CUIShipStatus& Panel() const { return *UI().Get<GAME_CUIShipStatus>(); }
    GAME_CRouteManager& Route() const { return *GetGameWorld()->travel->routeManager; }

    // The route's record in the working slot marked as scanned, as a finished scan marks it.
    void MarkRouteScanned() const
    {
        std::int32_t position = -1;
        ASSERT_NE(GetStaticDatabase()->FindRouteDataIndexed(Route().GetRouteId(), &position), nullptr);
        const RouteSaveBlock block = route_block::Working();
        const std::size_t record = route_block::RouteRecord(static_cast<std::size_t>(position));
        platform::WriteU16(block, record + route_block::kScanLevel, 1);
        platform::WriteU16(block, record + route_block::kScanCountdown, 0xFFFF);
    }

    // The x of every mark of the colour the last frame drew.
    std::vector<float> MarksOfColor(std::uint32_t color) const
    {
        const std::int32_t mark = FindUISprite("ui_cursor_baselabel");
        std::vector<float> xs;
        for (const support::RecordedSpriteDraw& draw : frames.back().sprites) {
            if (draw.group == kUISpriteGroup && draw.ref == mark && draw.color == color) xs.push_back(draw.x);
        }
        return xs;
    }

    // Red over green of a canvas pixel, which the flash raises.
    int Redness(int x, int y) const
    {
        const std::uint32_t pixel = CanvasPixel(x, y);
        return static_cast<int>((pixel >> 16) & 0xFF) - static_cast<int>((pixel >> 8) & 0xFF);
    }
};

TEST_F(ShipStatusTest, ANewGamesPanelCountsTheShipAndFlashesWhileTheShipIsInDanger)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    GAME_CGameWorld& world = *GetGameWorld();
    GAME_CShip& ship = *world.ship;
    ASSERT_TRUE(Panel().IsOpen());
    StepFrames(1);

    // Hull and fuel (the tank starts two thirds full) in four digits without leading zeros; the
    // calories of the ten dishes the pantry holds at 30 each on the three-row plate; money in eight
    // digits with the ninth hidden; crew and quarters in three.
    EXPECT_EQ(Panel().Shown(Figure::kHull), " 300");
    EXPECT_EQ(Panel().Shown(Figure::kHullMax), " 300");
    EXPECT_EQ(Panel().Shown(Figure::kFuel), " 200");
    EXPECT_EQ(Panel().Shown(Figure::kFuelCapacity), " 300");
    ASSERT_EQ(world.foodStores.Count(), 1);
    const GAME_CFoodStorageImpl& pantry = *world.foodStores.At(0);
    EXPECT_EQ(*pantry.GetFoodId(), MakeTag("D001"));
    EXPECT_EQ(pantry.GetCapacity(), 10);
    std::string calories = std::to_string(pantry.GetCount() * 30);
    EXPECT_EQ(Panel().Shown(Figure::kCalories), std::string(5 - calories.size(), ' ') + calories);
    EXPECT_EQ(Panel().Shown(Figure::kCalorieCapacity), "  300");
    EXPECT_EQ(Panel().PlateSprite(), FindUISprite("ui_main_hpfuelcal_base"));
    EXPECT_EQ(Panel().Shown(Figure::kMoney), " 00000500");
    EXPECT_EQ(Panel().Shown(Figure::kCrew), "003");
    EXPECT_EQ(Panel().Shown(Figure::kCrewCapacity), "003");
    EXPECT_FLOAT_EQ(Panel().BarShare(Figure::kHull), 1.0f);
    EXPECT_EQ(Panel().DangerCounter(), 0);

    // The hull at half: the flash beats once a second, rising by 5 for 20 frames, falling from 101
    // for 20 and dark for 20; the canvas reddens at the beat's top. The world stands meanwhile, so
    // that no one mends the hull.
    world.held = 1;
    const GAME_CRoomBase* anyRoom = *std::find_if(ship.rooms.begin(), ship.rooms.end(), [](const GAME_CRoomBase* room) { return room != nullptr; });
    ship.AddCellDamage(anyRoom->gridX, anyRoom->gridY, static_cast<std::int32_t>(ship.hullMax / 2));
    std::vector<std::int32_t> alphas;
    int topRedness = 0, darkRedness = 0;
    for (int frame = 0; frame < GAME_CUIShipStatus::kFlashPeriod; ++frame) {
        StepFrames(1);
        alphas.push_back(Panel().FlashAlpha());
        if (Panel().DangerCounter() % 60 == 19) topRedness = Redness(320, 40);
        if (Panel().DangerCounter() % 60 == 50) darkRedness = Redness(320, 40);
    }
    EXPECT_EQ(Panel().Shown(Figure::kHull), " 150");
    EXPECT_FLOAT_EQ(Panel().BarShare(Figure::kHull), 0.5f);
    ASSERT_EQ(Panel().DangerCounter(), GAME_CUIShipStatus::kFlashPeriod);
    for (int p = 1; p < GAME_CUIShipStatus::kFlashPeriod; ++p) {
        const int expected = p < 20 ? 5 * p : p < 40 ? 101 - 5 * (p - 20) : 0;
        EXPECT_EQ(alphas[static_cast<std::size_t>(p - 1)], expected) << "frame " << p << " of the beat";
    }
    EXPECT_GT(topRedness, darkRedness + 20);
    // Mended above half, the flash stops at once.
    ship.ClearDamage();
    StepFrames(1);
    EXPECT_EQ(Panel().DangerCounter(), 0);
    EXPECT_EQ(Panel().Shown(Figure::kHull), " 300");
    world.held = 0;

    // The departure: under way, the meter's icon follows the ship (x 24 past 1,000 of 2,400) and the
    // clock the time of day.
    GAME_CRoomBase& engine = **std::find_if(ship.rooms.begin(), ship.rooms.end(), [](const GAME_CRoomBase* room) {
        return room != nullptr && room->kind == kRoomKindEngine;
    });
    engine.engineMode = kEngineConnected;
    ship.RecalcStats();
    ShowNextHideoutNotice(world);
    ASSERT_TRUE(StepUntil([&] { return Route().GetPosition() > 1000; }, 2000));
    ASSERT_EQ(Route().GetLength(), 2400);
    EXPECT_EQ(Panel().PositionIcon()->GetPosition()->x, 24.0f);
    EXPECT_EQ(Panel().DirectionArrow()->Sprite(), FindUISprite("ui_distancemater_direction"));
    GAME_CGameClock& clock = *GetGameClock();
    clock.step = 0;
    StepFrames(1);
    EXPECT_EQ(Panel().Shown(Figure::kClock), "0600");
    clock.step = clock.DayLength() / 2;
    StepFrames(1);
    EXPECT_EQ(Panel().Shown(Figure::kClock), "1800");

    // Along a scanned route a drop and an enemy are marked where they lie: 64 units for the route
    // from 4 units right of the arrow, 3 above it.
    GAME_CFieldObjectManager& field = *world.fieldObjects;
    field.ClearEnemies();
    field.ClearDropItems();
    StepFrames(1);
    EXPECT_TRUE(MarksOfColor(kDropMarkColor).empty());
    MarkRouteScanned();
    GAME_CObjectDropItem* drop = field.AcquireDropItem();
    ASSERT_NE(drop, nullptr);
    drop->routePosition = 1800;
    GAME_CObjectEnemy* enemy = field.AcquireEnemyObject();
    ASSERT_NE(enemy, nullptr);
    enemy->Init({MakeTag("E001"), {2100, 2100}});
    StepFrames(1);
    const vesk::math::Vec2 arrow = const_cast<GAME_CUINullObject*>(Panel().DirectionArrow())->WorldPosition();
    const std::vector<float> drops = MarksOfColor(kDropMarkColor);
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0], static_cast<float>(static_cast<int>(arrow.x + 4.0f + 64.0f * 1800.0f / 2400.0f)));
    const std::vector<float> enemies = MarksOfColor(kEnemyMarkColor);
    ASSERT_EQ(enemies.size(), 1u);
    EXPECT_EQ(enemies[0], static_cast<float>(static_cast<int>(arrow.x + 4.0f + 64.0f * static_cast<float>(enemy->routePosition) / 2400.0f)));

    // Under way with the engine room worn to nothing, the flash runs at full hull, and runs on while
    // a new engine room is only being built, as that drives nothing; the game-over screen stops it.
    ship.ClearDamage();
    StepFrames(1);
    ASSERT_EQ(Panel().DangerCounter(), 0);
    engine.durabilityBonus = -engine.roomData->durability;
    StepFrames(3);
    EXPECT_TRUE(Route().IsUnderWay());
    EXPECT_FLOAT_EQ(Panel().HullRatio(), 1.0f);
    EXPECT_EQ(Panel().DangerCounter(), 3);
    const std::int32_t engineKind = FindRoomIdIndex(MakeTag("ID23"));
    GAME_CRoomBase* site = nullptr;
    for (std::int32_t y = 0; y < ship.grid.height && site == nullptr; ++y) {
        for (std::int32_t x = 0; x < ship.grid.width && site == nullptr; ++x) {
            if (ship.CanPlaceRoom(x, y, engineKind)) site = ship.PlaceNewRoom(x, y, engineKind, MakeTag("ID23"), true);
        }
    }
    ASSERT_NE(site, nullptr);
    StepFrames(3);
    EXPECT_TRUE(site->underConstruction);
    EXPECT_EQ(Panel().DangerCounter(), 6);
    UI().SetOpen(kSlotGameOver, true);
    StepFrames(1);
    EXPECT_EQ(Panel().DangerCounter(), 0);
}

// One notice as the record asks for it, and the frames it shows on.
struct NoticeRule {
    const char* name;
    std::int32_t repeat;
    std::int32_t interval;
    bool logSuppressed;
    int frames;
    std::vector<int> shownAt;  // frames (from 1) that show it
    bool activeAfter;
};

TEST_F(ShipStatusTest, NoticesShowAtTheirIntervalAsOftenAsTheirRepeatCountSays)
{
    // The title keeps its own line in the ticker: play, without it.
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    UI().SetOpen(kSlotShipStatus, true);
    StepFrames(2);
    GAME_CUIMessageLog& log = *UI().MessageLog();
    GAME_CUIInfoBarObject& ticker = UI().Resident()->infoBar;
    const std::vector<NoticeRule> rules = {
        {"repeating without end every 500 frames", -1, 500, false, 1001, {1, 501, 1001}, true},
        {"once with no interval, at the next tick", 1, 0, false, 30, {1}, false},
        {"three times with no interval: refused", 3, 0, false, 30, {}, false},
        {"twice 40 frames apart, to the ticker only", 2, 40, true, 100, {1, 41}, false},
        {"once after a long interval still shows at the next tick", 1, 300, false, 30, {1}, false},
    };
    for (const NoticeRule& rule : rules) {
        SCOPED_TRACE(rule.name);
        Panel().ClearNotice();
        UINoticeRecord record;
        InitNoticeRecord(&record);
        record.key.Assign("OLIF_GET_ITEM");
        record.argumentKey.Assign("I002");
        record.count = rule.repeat;
        record.frames = rule.interval;
        record.flag = rule.logSuppressed ? 1 : 0;
        UI().ShowNotice(record);
        std::vector<int> logged, ticked;
        for (int frame = 1; frame <= rule.frames; ++frame) {
            log.Clear();
            ticker.ClearMessages();
            StepFrames(1);
            if (log.CountLines() > 0) logged.push_back(frame);
            if (ticker.CountMessages() > 0) ticked.push_back(frame);
        }
        EXPECT_EQ(ticked, rule.shownAt);
        EXPECT_EQ(logged, rule.logSuppressed ? std::vector<int>{} : rule.shownAt);
        EXPECT_EQ(UI().IsNoticeActive(), rule.activeAfter);
    }

    // The text names the argument's thing; a second notice replaces a repeating one at once.
    Panel().ClearNotice();
    UINoticeRecord first;
    first.key.Assign("OLIF_GET_ITEM");
    first.argumentKey.Assign("I002");
    first.count = -1;
    first.frames = 20;
    UI().ShowNotice(first);
    log.Clear();
    StepFrames(1);
    ASSERT_EQ(log.CountLines(), 1);
    EXPECT_EQ(std::u16string(log.GetLine(0).text.c_str()),
              vesk::text::FormatText(GetMessageTextExpanded("OLIF_GET_ITEM"), {GetMessageTextExpanded("I002")}));
    UINoticeRecord second;
    second.key.Assign("OLIF_AJITO_REACH");
    second.count = 1;
    second.frames = 5;
    UI().ShowNotice(second);
    log.Clear();
    StepFrames(60);
    ASSERT_EQ(log.CountLines(), 1);
    EXPECT_EQ(std::u16string(log.GetLine(0).text.c_str()), GetMessageTextExpanded("OLIF_AJITO_REACH"));
    EXPECT_FALSE(UI().IsNoticeActive());
}

}  // namespace
