// The enemy test world: its enemy scripts and its route.
#include "tests/support/enemy_world.h"

#include <cstring>
#include <string>

#include "framework/memory/heaps.h"
#include "game/services/achievement/achievements.h"
#include "game/services/data/static_database.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"
#include "game/model/script/script_package.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_enemy.h"
#include "tests/support/script_assembly.h"

namespace support {
namespace {

// Every kind walks through its labels in a few steps, so tests can follow it.
constexpr std::string_view kEnemyScripts = R"(
.entry 'E001'
"データベース登録":
    reg.stats 40 200 1000 30 10 0 0 0 2
    reg.sprite_index 0
    reg.drop 'I001' 1
    reg.drop 'I003' 3
    halt
"出現":
    sprite 0 20 0
    var.set "appeared" 1
    wait 2
    return
"待機":
idle:
    var.op "idle" "+=" 1
    wait 1
    goto idle
"攻撃":
    var.op "shots" "+=" 1
    attack 0 0 0 1000
    return
"ダメージ":
    var.op "hurt" "+=" 1
    wait 3
    return
"死亡":
    var.op "deaths" "+=" 1
    drop.spawn 1 1
    wait 2
    var.set "ending" 1
    end
    return
"咆哮":
roar:
    var.op "roar" "+=" 1
    wait 1
    cond.reset
    test.var "roar" "<" 6
    goto_if all roar
    jump "待機"

.entry 'E002'
"データベース登録":
    reg.stats 40 200 1000 30 10 0 0 0 2
    reg.sprite_index 0
    halt
"出現":
    return
"待機":
idle:
    var.op "idle" "+=" 1
    wait 1
    goto idle
"死亡":
    var.op "deaths" "+=" 1
    wait 2
    return

.entry 'E016'
"データベース登録":
    reg.stats 40 200 1000 30 10 0 0 0 2
    reg.sprite_index 0
    halt
"出現":
    return
"待機":
idle:
    wait 1
    goto idle
"死亡":
    wait 1
    end
    return
)";

// The process-wide records a defeat writes: the working system record and the achievements.
void ForgetProgress()
{
    ResetSaveAreas();
    DestroyAchievementManager();
    for (int row = 0; row < kAchievementCount; ++row) GetStorefrontAchievementRows()[row].achieved = 0;
}

}  // namespace

void EnemyWorld::SetUp()
{
    ForgetProgress();
    CrewWorld::SetUp();
    const std::vector<std::uint8_t> bytes = AssemblePackage(kEnemyScripts, {"enemy.def"});
    void* image = vesk::memory::MainHeapAlloc(bytes.size());
    std::memcpy(image, bytes.data(), bytes.size());
    ASSERT_TRUE(LoadScriptPackageImage(kScriptPackageEnemy, image, bytes.size()));

    RouteData* route = GetStaticDatabase()->GetOrCreateRouteData(kTestRoute);
    route->length = kTestRouteLength;
    route->startLocation = MakeTag("H001");
    route->endLocation = MakeTag("H002");
    StartRoute(*World().travel, &kTestRoute, true, {}, {});
    ASSERT_EQ(Route().GetRouteId(), kTestRoute);
    World().camera->zoom = 2.0f;
    // A defeat may unlock an achievement, which saves the system record: the test world writes no file.
    GetSaveManager()->HoldBackSaving();
}

void EnemyWorld::TearDown()
{
    CrewWorld::TearDown();
    DestroySaveManager();
    programs_.clear();
    ForgetProgress();
}

GAME_CObjectEnemy& EnemyWorld::Spawn(std::uint32_t id, std::int32_t position, std::u16string_view label)
{
    GAME_CObjectEnemy* enemy = Field().AcquireEnemyObject();
    EXPECT_NE(enemy, nullptr);
    EnemySetupRecord setup;
    setup.enemyId = id;
    setup.routePositions = {position, position};
    CopyWideName64(setup.labelName, label);
    enemy->Init(setup);
    return *enemy;
}

void EnemyWorld::SetShipPosition(std::int32_t position) { Route().SetPosition(position); }

void EnemyWorld::SetRouteReversed(bool reversed)
{
    const RouteData* route = GetStaticDatabase()->FindRouteData(kTestRoute);
    if (reversed) {
        Route().SetEnds(route->endLocation, route->startLocation);
    } else {
        Route().SetEnds(route->startLocation, route->endLocation);
    }
}

std::int32_t EnemyWorld::Variable(const GAME_CObjectEnemy& enemy, std::string_view name)
{
    for (const auto& variable : enemy.script.Variables()) {
        if (variable.Name() == name) return variable.value;
    }
    return 0;
}

void EnemyWorld::RunStatements(GAME_CObjectEnemy& enemy, std::string_view statements)
{
    const std::string source = ".entry 1\n\"test\":\n" + std::string(statements) + "\n    halt\n";
    const std::vector<std::uint8_t> bytes = AssemblePackage(source, {"enemy.def"});
    void* image = vesk::memory::MainHeapAlloc(bytes.size());
    std::memcpy(image, bytes.data(), bytes.size());
    auto manager = std::make_unique<vesk::utility::script_package::UTL_CManager>();
    ASSERT_EQ(manager->ParseScriptPackage(image, bytes.size(), "test.pac"), 1);
    enemy.script.Attach(manager->FindProgram(1), &enemy);
    programs_.push_back(std::move(manager));
    ASSERT_TRUE(enemy.RunLabel(u"test"));
}

}  // namespace support
