// The arcade game's world: the pools, the rat, score and time, the HUD's weapon icons and the wave machine.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/memory/heaps.h"
#include "game/model/minigame/minigame_bullet.h"
#include "game/model/minigame/minigame_item.h"
#include "game/model/minigame/minigame_sprites.h"
#include "game/model/script/script_enemy.h"
#include "game/services/data/tuning_records.h"

class GAME_CMiniGameObjectEnemy;
class GAME_CMiniGameObjectPlayer;
class GAME_CMiniGameObjectWeapon;
class GAME_CObjectEnemy;

// The arcade sprite package's group.
inline constexpr std::int32_t kMiniGameSpriteGroup = 7;

// What the rat is told this step: walk left or right (and whether the key went down this frame),
// jump (pressed, held) and fire (held).
struct MiniGameControls {
    bool left = false;
    bool leftPressed = false;
    bool right = false;
    bool rightPressed = false;
    bool jumpPressed = false;
    bool jumpHeld = false;
    bool fireHeld = false;
};
// The pad bits and fixed keys of the arcade controls: left A or the pad's left, right D or its right,
// jump Space or the DECIDE button, fire Enter or the CANCEL button.
MiniGameControls ReadMiniGameControls();

// Gravity and fall cap of every object, per step.
struct MiniGamePhysics {
    float gravity = 0.0f;
    float fallCap = 0.0f;
};

void PlayMiniGameSE(std::int32_t id);
std::int32_t SaturatedAdd(std::int32_t a, std::int32_t b);

// One run of the arcade game. Waves are data: the enemy script "E999" runs on the world's own
// engine and posts them through the wave command; the world spawns them. Nothing is allocated
// while it plays: every object comes from a fixed pool made with the world.
class GAME_CMiniGameWorld final : public vesk::memory::MainHeapObject, public MiniGameWaveSink {
public:
    static constexpr std::size_t kItemPool = 100;
    static constexpr std::size_t kWeaponPool = 100;
    static constexpr std::size_t kBulletPool = 300;
    static constexpr std::size_t kEnemyPool = 300;
    static constexpr std::size_t kMostWeaponIcons = 14;
    static constexpr std::size_t kMostWaveEnemies = 256;

    GAME_CMiniGameWorld();
    ~GAME_CMiniGameWorld();
    GAME_CMiniGameWorld(const GAME_CMiniGameWorld&) = delete;
    GAME_CMiniGameWorld& operator=(const GAME_CMiniGameWorld&) = delete;

    // A new run: empty pools, a new rat with a random weapon, the wave script at its start.
    void Reset();
    // One world step: time, waves, every object, the collision passes.
    void Update();
    // Items, bullets, enemies by draw layer (5 first), the rat.
    void Draw();

    // A wave's enemy at the left or right edge; dropped when all 300 are in play.
    void SpawnEnemy(std::uint32_t enemyId);
    // The drop tag picks the item; any other tag drops nothing. With all 100 in play the oldest goes.
    void SpawnDropItem(const MiniGameDrop& drop);
    // A weapon for the rat's stack, from a free slot or else the oldest one.
    GAME_CMiniGameObjectWeapon* SpawnWeapon(std::int32_t slot, std::uint8_t kind);
    // Null (the shot is lost) when all 300 bullets fly.
    GAME_CMiniGameObjectBullet* SpawnBullet(const MiniGameShot& shot);
    // The HUD lists the last 14 weapons taken.
    void AddWeaponIcon(std::uint8_t kind);
    void AddScore(std::int32_t points) { score = SaturatedAdd(score, points); }

    // The wave command.
    void AddWaveEnemy(std::uint32_t enemyId) override;
    void StartWave(std::int32_t perSpawn, std::int32_t repeats, std::int32_t frames) override;

    const TuningBlock& Tuning() const { return tuning_; }
    const MiniGamePhysics& Physics() const { return physics_; }
    const MiniGameSprites& Sprites() const { return sprites_; }
    // The weapon record of the tag; zeros when the database has none.
    ParamRecord WeaponRecord(std::uint32_t tag) const;
    GAME_CMiniGameObjectPlayer* Player() const { return player_.get(); }
    // The rat exists, is in play and has lost its last life.
    bool IsPlayerDead() const;
    const std::vector<std::unique_ptr<GAME_CMiniGameObjectItem>>& Items() const { return items_; }
    const std::vector<std::unique_ptr<GAME_CMiniGameObjectWeapon>>& WeaponPool() const { return weapons_; }
    const std::vector<std::unique_ptr<GAME_CMiniGameObjectBullet>>& Bullets() const { return bullets_; }
    const std::vector<std::unique_ptr<GAME_CMiniGameObjectEnemy>>& Enemies() const { return enemies_; }
    const std::vector<std::int32_t>& WeaponIcons() const { return weaponIcons_; }
    GAME_CScriptEnemy& WaveScript() { return *waveScript_; }

    std::uint32_t inputEnabled = 0;
    std::uint32_t deathLanded = 0;
    MiniGameControls controls;
    std::uint32_t playTime = 0;  // world steps
    std::int32_t score = 0;
    std::vector<std::uint32_t> waveEnemies;
    std::int32_t enemiesPerSpawn = 0;
    std::int32_t repeatCount = 0;
    std::int32_t repeatsLeft = 0;
    std::int32_t interval = 0;
    std::int32_t countdown = 0;
    std::uint32_t waveActive = 0;

private:
    void CreatePlayer();
    void StartWaveScript();
    void UpdateWaves();
    void CollideItems();
    void CollideBullets();
    void CollideEnemies();

    TuningBlock tuning_;
    MiniGamePhysics physics_;
    MiniGameSprites sprites_;
    std::array<ParamRecord, 3> weaponRecords_{};
    std::unique_ptr<GAME_CMiniGameObjectPlayer> player_;
    std::vector<std::unique_ptr<GAME_CMiniGameObjectItem>> items_;
    std::vector<std::unique_ptr<GAME_CMiniGameObjectWeapon>> weapons_;
    std::vector<std::unique_ptr<GAME_CMiniGameObjectBullet>> bullets_;
    std::vector<std::unique_ptr<GAME_CMiniGameObjectEnemy>> enemies_;
    std::vector<std::int32_t> weaponIcons_;
    std::unique_ptr<GAME_CScriptEnemy> waveScript_;
    std::unique_ptr<GAME_CObjectEnemy> waveHost_;
    std::vector<GAME_CMiniGameObjectBase*> drawList_;
    std::vector<GAME_CMiniGameObjectEnemy*> targets_;  // of the bullet pass
};
