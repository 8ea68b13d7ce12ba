// Enemies in the running game on the shipped data: where they are drawn beside the ship, their hit flash, and every shipped kind through its labels.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "framework/draw/sprite_draw.h"
#include "framework/graphics/device_record.h"
#include "framework/math/random.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/route_save_block.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/model/world/world_attacks.h"
#include "game/model/object/enemy_sprite_pool.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/ship.h"
#include "game/services/ui_port/ui_slots.h"
#include "platform/little_endian.h"
#include "tests/support/game_fixture.h"
#include "tests/support/log_capture.h"

namespace {

constexpr std::uint32_t kRoute = MakeTag("R901");

// Each sprite draw with the draw parameters it was given.
class DrawLook final : public vesk::graphics::SpriteDrawObserver {
public:
    struct Draw {
        int group;
        std::int32_t ref;
        float x;
        float y;
        vesk::graphics::DrawParam param;
    };
    DrawLook() { vesk::graphics::SetSpriteDrawObserver(this); }
    ~DrawLook() override { vesk::graphics::SetSpriteDrawObserver(nullptr); }
    void OnSpriteDraw(int group, std::int32_t ref, vesk::graphics::Vec2f position) override
    {
        draws.push_back({group, ref, position.x, position.y, vesk::graphics::GetDeviceRecord()->textureRenderer.drawParam});
    }
    std::vector<Draw> draws;
};

class EnemyInGame : public support::GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartPlaying());
        RouteData* route = GetStaticDatabase()->GetOrCreateRouteData(kRoute);
        route->length = 2000;
        route->startLocation = MakeTag("H901");
        route->endLocation = MakeTag("H902");
        GAME_CGameWorld& world = *GetGameWorld();
        StartRoute(*world.travel, &kRoute, true, {}, {});
        ASSERT_EQ(world.travel->routeManager->GetRouteId(), kRoute);
        world.travel->routeManager->SetPosition(500);
        world.camera->zoom = 2.0f;
    }

    GAME_CObjectEnemy& Spawn(std::uint32_t id, std::int32_t position)
    {
        GAME_CObjectEnemy* enemy = GetGameWorld()->fieldObjects->AcquireEnemyObject();
        EXPECT_NE(enemy, nullptr);
        EnemySetupRecord setup;
        setup.enemyId = id;
        setup.routePositions = {position, position};
        enemy->Init(setup);
        return *enemy;
    }

    // The route runs from its end location back to its start (or forward again); nothing moves.
    static void SetRouteReversed(bool reversed)
    {
        if (reversed) {
            GetGameWorld()->travel->routeManager->SetEnds(MakeTag("H902"), MakeTag("H901"));
        } else {
            GetGameWorld()->travel->routeManager->SetEnds(MakeTag("H901"), MakeTag("H902"));
        }
    }

    // The enemy's draws in the enemies' sprite group, as the world's draw makes them.
    static std::vector<DrawLook::Draw> DrawOf(GAME_CObjectEnemy& enemy)
    {
        DrawLook look;
        vesk::graphics::BeginSpriteDraw(GAME_CObjectEnemy::kEnemySpriteGroup, 4);
        enemy.Draw();
        vesk::graphics::EndSpriteDraw();
        return look.draws;
    }
};

TEST_F(EnemyInGame, AnEnemyStandsBesideTheShipAtHalfItsDistanceTimesTheZoomAndFlashesRedWhenHit)
{
    GAME_CObjectEnemy& level = Spawn(MakeTag("E001"), 500);
    GAME_CObjectEnemy& ahead = Spawn(MakeTag("E001"), 700);
    const std::vector<DrawLook::Draw> atShip = DrawOf(level);
    const std::vector<DrawLook::Draw> beyond = DrawOf(ahead);
    ASSERT_EQ(atShip.size(), 1u);
    ASSERT_EQ(beyond.size(), 1u);
    EXPECT_FLOAT_EQ(beyond[0].x - atShip[0].x, 100.0f);
    EXPECT_FLOAT_EQ(beyond[0].y, atShip[0].y);
    EXPECT_EQ(beyond[0].param.flipX, 1);  // it faces the ship, behind it

    SetRouteReversed(true);
    EXPECT_FLOAT_EQ(DrawOf(ahead)[0].x - DrawOf(level)[0].x, -100.0f);
    SetRouteReversed(false);

    // A hit: once in the tint, once more in red, fading from alpha 230.
    ApplyCrewAttackToEnemy(AttackRecord{1, 0, 63}, &ahead);
    EXPECT_EQ(ahead.damageFlash, GAME_CObjectEnemy::kDamageFlashFrames);
    std::vector<DrawLook::Draw> hit = DrawOf(ahead);
    ASSERT_EQ(hit.size(), 2u);
    EXPECT_EQ(hit[0].param.color, 0xFFFFFFFFu);
    EXPECT_EQ(hit[1].param.color, 0xE60000FFu);
    ahead.damageFlash = 1;
    EXPECT_EQ(DrawOf(ahead)[1].param.color, 0x0F0000FFu);

    // A sprite larger than the canvas is drawn; so is a rectangle larger than the canvas on screen.
    level.scaleX = 40.0f;
    EXPECT_EQ(DrawOf(level).size(), 1u);
    EXPECT_TRUE(IsRectOnScreen(0.0f, 0.0f, 1.0f, -100.0f, -100.0f, 1000.0f, 800.0f));
    EXPECT_FALSE(IsRectOnScreen(0.0f, 0.0f, 1.0f, 700.0f, -100.0f, 1000.0f, 800.0f));
    // Far off the canvas it is left out.
    level.scaleX = 1.0f;
    level.routePosition = 2000;
    EXPECT_TRUE(DrawOf(level).empty());
}

TEST_F(EnemyInGame, EveryShippedEnemyAppearsAttacksIsHitAndDiesWithoutAScriptFault)
{
    support::LogCapture log;
    GAME_CGameWorld& world = *GetGameWorld();
    for (const std::uint32_t id : {MakeTag("E001"), MakeTag("E002"), MakeTag("E016")}) {
        SCOPED_TRACE(TagText(id));
        const std::int64_t hull = world.ship->GetRemainingHull();
        GAME_CObjectEnemy& enemy = Spawn(id, 560);
        StepFrames(120);
        EXPECT_TRUE(enemy.IsInLabel(u"追跡") || enemy.IsInAttackLabel());  // the ship is within its reach
        EXPECT_TRUE(enemy.RunLabel(enemy_label::kAttack));
        StepFrames(60);
        EXPECT_LT(world.ship->GetRemainingHull(), hull);
        EXPECT_TRUE(enemy.PlayDamage());
        StepFrames(30);
        if (id == MakeTag("E002")) {
            ASSERT_NE(enemy.GetSpriteRoot(), nullptr);
            EXPECT_GE(GetEnemySpritePool().UsedCount(), 5u);  // a body and four parts
        }
        const int drops = world.fieldObjects->CountDropItems();
        AddEnemyHP(enemy.hpRecord, -enemy.hpRecord.hp);
        EXPECT_TRUE(StepUntil([&] { return !world.fieldObjects->IsEnemyActive(&enemy); }, 300));
        EXPECT_GT(world.fieldObjects->CountDropItems(), drops);
        EXPECT_EQ(GetEnemySpritePool().UsedCount(), 0u);
        const bool drawnInEnemyGroup = std::any_of(frames.begin(), frames.end(), [](const support::FrameRecord& frame) {
            return std::any_of(frame.sprites.begin(), frame.sprites.end(),
                               [](const auto& sprite) { return sprite.group == GAME_CObjectEnemy::kEnemySpriteGroup; });
        });
        EXPECT_TRUE(drawnInEnemyGroup);
        frames.clear();
    }
    for (const std::string& line : log.Lines()) EXPECT_EQ(line.find("script"), std::string::npos) << line;
}

// The title zooms the camera out at once, and the game stands still under it (and under every screen
// that holds it): a raider beside the ship is still drawn whole, its parts at the new zoom beside its
// body, not where the last step of the game put them.
TEST_F(EnemyInGame, ARaiderKeepsItsPartsTogetherWhenTheCameraZoomsWhileTheGameStandsStill)
{
    GAME_CGameWorld& world = *GetGameWorld();
    GAME_CObjectEnemy& raider = Spawn(MakeTag("E002"), 560);
    StepFrames(120);
    ASSERT_NE(raider.GetSpriteRoot(), nullptr);
    const std::vector<DrawLook::Draw> close = DrawOf(raider);
    ASSERT_GE(close.size(), 3u);

    world.camera->zoom *= 0.5f;
    const std::vector<DrawLook::Draw> far = DrawOf(raider);
    ASSERT_EQ(far.size(), close.size());
    // The body is drawn first, at the enemy's place; every part keeps its place on the body at half the size.
    for (std::size_t i = 1; i < far.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(far[i].param.scaleX, close[i].param.scaleX * 0.5f, 1e-4f);
        EXPECT_NEAR(far[i].param.scaleY, close[i].param.scaleY * 0.5f, 1e-4f);
        EXPECT_NEAR(far[i].x - far[0].x, (close[i].x - close[0].x) * 0.5f, 1e-3f);
        EXPECT_NEAR(far[i].y - far[0].y, (close[i].y - close[0].y) * 0.5f, 1e-3f);
    }
}

// The shipped road 1 calls up raiders from the thousands its first accumulator holds when the ship
// takes it; the nearest one walks up to the ship standing short of it, bites the hull, and, beaten
// by the crew, leaves its loot on the route and the field.
TEST_F(EnemyInGame, RaidersTheShippedRoadCallsUpWalkUpBiteTheHullAndLeaveTheirLootWhenBeaten)
{
    support::LogCapture log;
    GAME_CGameWorld& world = *GetGameWorld();
    std::int32_t place = -1;
    ASSERT_NE(GetStaticDatabase()->FindRouteDataIndexed(1, &place), nullptr);
    ASSERT_GE(place, 0);
    const std::size_t accumulator = save_layout::slot::kTravel +
                                    route_block::RouteRecord(static_cast<std::size_t>(place)) +
                                    route_block::kFirstAccumulator;
    platform::WriteI32(GetWorkingSlot(), accumulator, 5000);  // five calls: raiders 3, supplies 2
    vesk::math::SeedRandom(3);
    std::uint32_t road = 1;
    StartRoute(*world.travel, &road, true, {}, {});
    ASSERT_EQ(world.travel->routeManager->GetRouteId(), road);
    EXPECT_EQ(platform::ReadI32(GetWorkingSlot(), accumulator), 0);

    ASSERT_FALSE(world.fieldObjects->enemies.empty());
    for (const GAME_CObjectEnemy* enemy : world.fieldObjects->enemies) {
        EXPECT_TRUE(enemy->GetEnemyId() == MakeTag("E001") || enemy->GetEnemyId() == MakeTag("E002"));
        EXPECT_GE(enemy->homePosition, 600);
        EXPECT_LE(enemy->homePosition, 2000);
        EXPECT_TRUE(enemy->IsInLabel(enemy_label::kAppear) || enemy->IsInIdleLabel());
    }
    GAME_CObjectEnemy& nearest = **std::min_element(
        world.fieldObjects->enemies.begin(), world.fieldObjects->enemies.end(),
        [](const GAME_CObjectEnemy* a, const GAME_CObjectEnemy* b) { return a->homePosition < b->homePosition; });
    const std::int32_t home = nearest.homePosition;
    world.travel->routeManager->SetPosition(home - 100);

    const std::int64_t hull = world.ship->GetRemainingHull();
    EXPECT_TRUE(StepUntil([&] { return world.ship->GetRemainingHull() < hull; }, 900));
    EXPECT_LT(nearest.routePosition, home);  // it came towards the ship
    EXPECT_GT(nearest.routePosition, home - 100 - 1);

    const int drops = world.fieldObjects->CountDropItems();
    EXPECT_TRUE(StepUntil(
        [&] {
            if (!world.fieldObjects->IsEnemyActive(&nearest)) return true;
            if (!nearest.IsDying()) ApplyCrewAttackToEnemy(AttackRecord{40, 0, 63}, &nearest);
            return false;
        },
        600));
    EXPECT_GT(world.fieldObjects->CountDropItems(), drops);
    const std::uint32_t pending =
        platform::ReadU32(GetWorkingSystemRecord(), save_layout::system::kAchievementPending);
    EXPECT_NE(pending & 4u, 0u);
    for (const std::string& line : log.Lines()) EXPECT_EQ(line.find("script"), std::string::npos) << line;
}

}  // namespace
