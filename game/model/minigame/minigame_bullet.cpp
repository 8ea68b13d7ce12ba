// The arcade game's bullets: machine-gun rounds, thrown shells and piercing laser bolts.
#include "game/model/minigame/minigame_bullet.h"

#include "game/model/minigame/minigame_world.h"

namespace {

constexpr std::int32_t kShotSounds[GAME_CMiniGameObjectBullet::kKinds] = {52, 53, 25};
constexpr std::uint8_t kShellKind = 1;
constexpr std::uint8_t kRoundKind = 0;

}  // namespace

void GAME_CMiniGameObjectBullet::Init(const MiniGameShot& shot)
{
    Reset();
    kind = MiniGameKind::kBullet;
    position = {shot.x, shot.y};
    scaleX = shot.scaleX;
    scaleY = shot.scaleY;
    velocity = {shot.velocityX, shot.velocityY};
    power = shot.power;
    subKind = shot.kind < kKinds ? shot.kind : 0;
    spriteGroup = kMiniGameSpriteGroup;
    PlayMiniGameSE(kShotSounds[subKind]);
    sprite = World().Sprites().bullets[subKind];
    TakeSpriteSize();
}

void GAME_CMiniGameObjectBullet::Update()
{
    if (subKind == kShellKind) {
        Fall();
        position.y += velocity.y;
    }
    position.x += velocity.x;
    const float w = width * scaleX;
    const float h = height * scaleY;
    if (position.x < -w || position.x > kMiniGameFieldWidth + w || position.y < -h || position.y > h + kMiniGameFieldBottom) {
        Deactivate();
    }
    ++age;
}

void GAME_CMiniGameObjectBullet::OnCollide()
{
    if (subKind != kRoundKind) return;
    hit = 1;
    Deactivate();
}
