// The arcade game's world: the pools, the rat, score and time, the HUD's weapon icons, and a run's start and step.
#include "game/model/minigame/minigame_world.h"

#include <algorithm>
#include <limits>

#include "framework/math/random.h"
#include "game/model/minigame/minigame_enemy.h"
#include "game/model/minigame/minigame_player.h"
#include "game/model/minigame/minigame_weapon.h"
#include "game/model/object/object_enemy.h"
#include "game/model/script/script_package.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/sound/sound_player.h"

namespace {

constexpr std::uint32_t kWeaponTags[3] = {MakeTag("W001"), MakeTag("W002"), MakeTag("W003")};
constexpr float kPlayerStartX = 320.0f;
constexpr float kPlayerScale = 2.0f;
constexpr int kWeaponKinds = 3;
// Tags of the drops by item kind: cheese, shield, machine gun, cannon, laser.
constexpr std::uint32_t kDropTags[GAME_CMiniGameObjectItem::kKinds] = {MakeTag("I101"), MakeTag("I105"), MakeTag("I102"),
                                                                       MakeTag("I103"), MakeTag("I104")};

template <typename Object>
void MakePool(std::vector<std::unique_ptr<Object>>& pool, std::size_t count, GAME_CMiniGameWorld& world)
{
    pool.reserve(count);
    for (std::size_t i = 0; i < count; ++i) pool.push_back(std::make_unique<Object>(world));
}

template <typename Object>
void EmptyPool(std::vector<std::unique_ptr<Object>>& pool)
{
    for (auto& object : pool) {
        object->active = 0;
        object->age = 0;
    }
}

// The first free object, else (when `oldest` is set) the one in play longest; null when neither.
template <typename Object>
Object* TakeFromPool(const std::vector<std::unique_ptr<Object>>& pool, bool oldest)
{
    Object* longest = nullptr;
    for (const auto& object : pool) {
        if (object->active == 0) return object.get();
        if (oldest && (longest == nullptr || object->age > longest->age)) longest = object.get();
    }
    return longest;
}

}  // namespace

void PlayMiniGameSE(std::int32_t id)
{
    if (id < 0 || id >= static_cast<std::int32_t>(kSoundEffectCount)) return;
    GetSoundPlayer()->PlaySE(static_cast<std::uint32_t>(id), 1.0f);
}

std::int32_t SaturatedAdd(std::int32_t a, std::int32_t b)
{
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

GAME_CMiniGameWorld::GAME_CMiniGameWorld()
{
    if (const GAME_CStaticDatabase* database = GetStaticDatabase()) {
        tuning_ = database->Tuning();
        for (int kind = 0; kind < kWeaponKinds; ++kind) {
            if (const ParamRecord* record = database->FindParamRecord(kWeaponTags[kind])) weaponRecords_[kind] = *record;
        }
    }
    physics_.gravity = static_cast<float>(tuning_.gravity) / 3600.0f;
    physics_.fallCap = static_cast<float>(tuning_.maxFallSpeed) / 60.0f;
    sprites_.Find();
    MakePool(items_, kItemPool, *this);
    MakePool(weapons_, kWeaponPool, *this);
    MakePool(bullets_, kBulletPool, *this);
    MakePool(enemies_, kEnemyPool, *this);
    weaponIcons_.reserve(kMostWeaponIcons);
    waveEnemies.reserve(kMostWaveEnemies);
    drawList_.reserve(kItemPool + kBulletPool + kEnemyPool + 1);
    targets_.reserve(kEnemyPool);
    waveScript_ = std::make_unique<GAME_CScriptEnemy>();
    waveHost_ = std::make_unique<GAME_CObjectEnemy>();
}

GAME_CMiniGameWorld::~GAME_CMiniGameWorld() = default;

ParamRecord GAME_CMiniGameWorld::WeaponRecord(std::uint32_t tag) const
{
    for (int kind = 0; kind < kWeaponKinds; ++kind) {
        if (kWeaponTags[kind] == tag) return weaponRecords_[kind];
    }
    return {};
}

bool GAME_CMiniGameWorld::IsPlayerDead() const { return player_ && player_->active != 0 && player_->IsDead(); }

void GAME_CMiniGameWorld::Reset()
{
    EmptyPool(items_);
    EmptyPool(weapons_);
    EmptyPool(bullets_);
    EmptyPool(enemies_);
    CreatePlayer();
    weaponIcons_.clear();
    playTime = 0;
    score = 0;
    waveEnemies.clear();
    enemiesPerSpawn = 0;
    repeatCount = 0;
    interval = 0;
    waveActive = 0;
    StartWaveScript();
}

void GAME_CMiniGameWorld::CreatePlayer()
{
    player_.reset();
    inputEnabled = 0;
    player_ = std::make_unique<GAME_CMiniGameObjectPlayer>(*this);
    MiniGamePlayerStart start;
    start.x = kPlayerStartX;
    start.y = kMiniGameGround;
    start.scaleX = kPlayerScale;
    start.scaleY = kPlayerScale;
    start.sprite = sprites_.rat[0];
    player_->Init(start);
    if (!IsPlayerDead()) player_->AddWeapon(static_cast<std::uint8_t>(vesk::math::Rand() % kWeaponKinds));
    controls = {};
    player_->Update();
    inputEnabled = 1;
    deathLanded = 0;
}

void GAME_CMiniGameWorld::StartWaveScript()
{
    const GAME_CScriptPackageHolder* holder = GetScriptPackages();
    const GAME_CScriptPackage* package = holder != nullptr ? holder->Get(kScriptPackageEnemy) : nullptr;
    const auto* program = package != nullptr ? package->FindProgram(MakeTag("E999")) : nullptr;
    waveScript_->Attach(program, waveHost_.get());
    waveScript_->waveSink = this;
    if (program != nullptr) waveScript_->JumpToLabel(enemy_label::kAppear);
}

void GAME_CMiniGameWorld::Update()
{
    ++playTime;
    UpdateWaves();
    for (auto& item : items_) {
        if (item->active != 0) item->Update();
    }
    for (auto& bullet : bullets_) {
        if (bullet->active != 0) bullet->Update();
    }
    for (auto& enemy : enemies_) {
        if (enemy->active != 0) enemy->Update();
    }
    if (player_ && player_->active != 0) player_->Update();
    CollideItems();
    CollideBullets();
    CollideEnemies();
}

void GAME_CMiniGameWorld::Draw()
{
    drawList_.clear();
    for (auto& item : items_) {
        if (item->active != 0) drawList_.push_back(item.get());
    }
    for (auto& bullet : bullets_) {
        if (bullet->active != 0) drawList_.push_back(bullet.get());
    }
    for (std::int32_t layer = 5; layer >= 1; --layer) {
        for (auto& enemy : enemies_) {
            if (enemy->active != 0 && enemy->DrawLayer() == layer) drawList_.push_back(enemy.get());
        }
    }
    if (player_ && player_->active != 0) drawList_.push_back(player_.get());
    for (GAME_CMiniGameObjectBase* object : drawList_) {
        if (object->active != 0) object->Draw();
    }
}

void GAME_CMiniGameWorld::SpawnDropItem(const MiniGameDrop& drop)
{
    const auto* found = std::find(std::begin(kDropTags), std::end(kDropTags), drop.tag);
    if (found == std::end(kDropTags)) return;
    GAME_CMiniGameObjectItem* item = TakeFromPool(items_, true);
    MiniGameDrop start = drop;
    start.kind = static_cast<std::uint8_t>(found - std::begin(kDropTags));
    item->Init(start);
}

GAME_CMiniGameObjectWeapon* GAME_CMiniGameWorld::SpawnWeapon(std::int32_t slot, std::uint8_t kind)
{
    GAME_CMiniGameObjectWeapon* weapon = TakeFromPool(weapons_, true);
    weapon->Init({kind, slot});
    return weapon;
}

GAME_CMiniGameObjectBullet* GAME_CMiniGameWorld::SpawnBullet(const MiniGameShot& shot)
{
    GAME_CMiniGameObjectBullet* bullet = TakeFromPool(bullets_, false);
    if (bullet != nullptr) bullet->Init(shot);
    return bullet;
}

void GAME_CMiniGameWorld::AddWeaponIcon(std::uint8_t kind)
{
    if (weaponIcons_.size() >= kMostWeaponIcons) weaponIcons_.erase(weaponIcons_.begin());
    weaponIcons_.push_back(sprites_.weaponIcons[kind < kWeaponKinds ? kind : 0]);
}
