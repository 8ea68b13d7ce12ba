// enemyview: plays every enemy kind of the data set through its labels beside a standing ship, for checking enemies by eye.
// Each kind stands in its own third of the canvas on a route under way and
// goes through its labels in turn: it appears, rests, attacks, is hit, and
// dies and drops its loot; a moment later it appears again. The label each
// enemy is in is written under it and on the terminal.
//
//   enemyview [--resources DIR] [--frames N] [--zoom Z] [ENEMY_ID...]
//
// --resources  the data folder (default ResourceWin)
// --frames     quits after that many frames (default: when the window closes)
// --zoom       the camera's zoom (default 2)
// ENEMY_ID     the kinds to show, as "E001" (default: the first three of the data set)

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "framework/draw/sprite_draw.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/polygon_render.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/memory/heaps.h"
#include "framework/text/font_manager.h"
#include "framework/text/utf.h"
#include "game/services/achievement/achievements.h"
#include "game/services/player/player_data.h"
#include "game/services/data/setting_script.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/model/script/script_package.h"
#include "game/model/travel/route_manager.h"
#include "game/model/world/game_world.h"
#include "game/model/world/world_attacks.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_enemy.h"
#include "tools/common/viewer.h"

namespace {

constexpr std::uint32_t kViewRoute = MakeTag("RVW1");
constexpr std::int32_t kRouteLength = 4000;
constexpr std::int32_t kShipPosition = 2000;
// Where the kinds stand, from the ship: one to its left, one level with it, one to its right.
constexpr std::array<std::int32_t, 3> kPlaces{-440, 0, 440};

int Usage()
{
    std::fprintf(stderr, "usage: enemyview [--resources DIR] [--frames N] [--zoom Z] [ENEMY_ID...]\n");
    return 2;
}

// Colours as RGBA bytes, red lowest.
constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return 0xFF000000u | (b << 16) | (g << 8) | r;
}

// One enemy on show: what it is in, and when it goes on to the next step.
struct Stage {
    enum Step { kAppearing, kResting, kAttacking, kHit, kDying, kGone };
    std::uint32_t id = kNoId;
    std::int32_t place = 0;
    GAME_CObjectEnemy* enemy = nullptr;
    Step step = kGone;
    long until = 0;
    std::string shown;
};

const char* LabelName(const GAME_CObjectEnemy* enemy)
{
    if (enemy == nullptr) return "gone";
    if (enemy->IsInLabel(enemy_label::kAppear)) return "appear";
    if (enemy->IsInIdleLabel()) return "idle";
    if (enemy->IsInAttackLabel()) return "attack";
    if (enemy->IsInDamageLabel()) return "damage";
    if (enemy->IsInDeathLabel()) return "death";
    return "-";
}

void Spawn(Stage& stage, long frame)
{
    GAME_CObjectEnemy* enemy = GetGameWorld()->fieldObjects->AcquireEnemyObject();
    if (enemy == nullptr) return;
    EnemySetupRecord setup;
    setup.enemyId = stage.id;
    setup.routePositions = {kShipPosition + stage.place, kShipPosition + stage.place};
    enemy->Init(setup);
    stage.enemy = enemy;
    stage.step = Stage::kAppearing;
    stage.until = frame + 150;
}

// The next step of the kind's turn, once its time has come.
void Advance(Stage& stage, long frame)
{
    GAME_CFieldObjectManager& field = *GetGameWorld()->fieldObjects;
    if (stage.enemy != nullptr && !field.IsEnemyActive(stage.enemy)) {
        stage.enemy = nullptr;
        stage.step = Stage::kGone;
        stage.until = frame + 90;
    }
    if (frame < stage.until) return;
    GAME_CObjectEnemy* enemy = stage.enemy;
    switch (stage.step) {
    case Stage::kGone:
        Spawn(stage, frame);
        return;
    case Stage::kAppearing:
        stage.step = Stage::kResting;
        stage.until = frame + 120;
        return;
    case Stage::kResting:
        enemy->RunLabel(enemy_label::kAttack);
        stage.step = Stage::kAttacking;
        stage.until = frame + 100;
        return;
    case Stage::kAttacking:
        ApplyCrewAttackToEnemy(AttackRecord{1, 0, 34}, enemy);
        enemy->PlayDamage();
        stage.step = Stage::kHit;
        stage.until = frame + 80;
        return;
    case Stage::kHit:
        AddEnemyHP(enemy->hpRecord, -enemy->hpRecord.hp);
        stage.step = Stage::kDying;
        stage.until = frame + 100000;  // until it leaves the field
        return;
    case Stage::kDying:
        return;
    }
}

// Dusk sky, far dunes and the sand; the ship's place is a dark line on it.
void DrawBackdrop()
{
    vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord();
    if (record == nullptr) return;
    vesk::graphics::BeginColorPolygonDraw();
    auto& renderer = record->colorRenderer;
    renderer.AddRect({0, 0}, {640, 250}, Rgb(196, 150, 110));
    renderer.AddRect({0, 250}, {640, 110}, Rgb(214, 170, 104));
    renderer.AddRect({318, 250}, {4, 110}, Rgb(90, 60, 40));
    renderer.Flush();
}

void DrawLabels(const std::vector<Stage>& stages)
{
    vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager();
    if (fonts == nullptr) return;
    fonts->SetCurrentFont(0);
    for (const Stage& stage : stages) {
        const std::string text = TagText(stage.id) + " " + stage.shown;
        const float x = 320.0f + static_cast<float>(stage.place) * 0.5f - 30.0f;
        fonts->DrawString({x, 262.0f}, vesk::text::Utf8ToUtf16(text));
    }
    vesk::graphics::EndSpriteDraw();
}

bool LoadData(const tools::ViewerOptions&)
{
    GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr || !RunStaticDatabaseScript(*database)) {
        std::fprintf(stderr, "error: the static database did not load\n");
        return false;
    }
    if (!LoadScriptPackage(kScriptPackageEnemy)) {
        std::fprintf(stderr, "error: script/enemy_script.pac did not load\n");
        return false;
    }
    vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    const vesk::resource::TextureLoader loader{vesk::memory::MainHeap(), vesk::memory::MainHeap()};
    for (const auto& [group, path] : {std::pair{1, "effect/effect.pac"}, std::pair{2, "ship/room/dotroom.pac"},
                                      std::pair{3, "enemy/enemy.pac"}}) {
        if (registry == nullptr || registry->LoadSpritePackage(loader, group, path) == nullptr) {
            std::fprintf(stderr, "error: %s did not load\n", path);
            return false;
        }
    }
    if (vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager()) {
        fonts->RegisterFont(loader, 0, "font/font_system.abcd", "font/font_system.cvt", 1.0f, -1.0f, 0.0f);
    }
    return true;
}

void SetUpRoute(float zoom)
{
    GAME_CGameWorld& world = *GetGameWorld();
    GetStaticDatabase()->GetOrCreateRouteData(kViewRoute)->length = kRouteLength;
    world.travel->routeManager = std::make_unique<GAME_CRouteManager>();
    // The route manager keeps the id it registers a script for: the route under way.
    world.travel->routeManager->BeginRegistration(kViewRoute, nullptr);
    world.travel->routeManager->SetLength(kRouteLength);
    world.travel->routeManager->SetPosition(kShipPosition);
    world.camera->zoom = zoom;
}

}  // namespace

int main(int argc, char** argv)
{
    tools::ViewerOptions options = tools::DefaultViewerOptions("enemyview");
    float zoom = 2.0f;
    std::vector<std::uint32_t> ids;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--zoom" && i + 1 < argc) {
            zoom = std::max(0.5f, static_cast<float>(std::atof(argv[++i])));
        } else if (arg.size() == 4 && arg[0] != '-') {
            const char tag[5] = {arg[0], arg[1], arg[2], arg[3], '\0'};
            ids.push_back(MakeTag(tag));
        } else if (!tools::ParseViewerOption(argc, argv, i, options)) {
            return Usage();
        }
    }
    if (!tools::OpenViewer(options)) return 1;
    CreatePlayerData();
    if (!LoadData(options)) {
        DestroyPlayerData();
        tools::CloseViewer();
        return 1;
    }
    SetUpRoute(zoom);
    // The viewer earns nothing: every achievement counts as had, so a defeat saves no record.
    for (int row = 0; row < kAchievementCount; ++row) GetStorefrontAchievementRows()[row].achieved = 1;
    if (ids.empty()) {
        for (const auto& [id, enemy] : GetStaticDatabase()->Enemies()) {
            if (ids.size() < kPlaces.size()) ids.push_back(id);
        }
    }
    std::vector<Stage> stages;
    for (std::size_t i = 0; i < ids.size() && i < kPlaces.size(); ++i) stages.push_back({ids[i], kPlaces[i]});

    GAME_CGameWorld& world = *GetGameWorld();
    tools::RunViewerFrames(
        options,
        [&](long frame) {
            for (Stage& stage : stages) Advance(stage, frame);
            world.fieldObjects->Update();
            world.effects->UpdateParticleEffects();
            for (Stage& stage : stages) {
                const std::string now = LabelName(stage.enemy);
                if (now != stage.shown) std::printf("%6ld %s %s\n", frame, TagText(stage.id).c_str(), now.c_str());
                stage.shown = now;
            }
            std::fflush(stdout);
        },
        [&] {
            DrawBackdrop();
            vesk::graphics::BeginSpriteDraw(GAME_CObjectEnemy::kEnemySpriteGroup, 4);
            world.fieldObjects->DrawEnemies();
            vesk::graphics::EndSpriteDraw();
            vesk::graphics::BeginSpriteDraw(2, 4);
            world.fieldObjects->DrawDropItemsAndPillars();
            vesk::graphics::EndSpriteDraw();
            world.effects->DrawParticleEffects();
            DrawLabels(stages);
        });
    DestroyGameWorld();
    DestroyScriptPackageHolder();
    DestroyPlayerData();
    tools::CloseViewer();
    return 0;
}
