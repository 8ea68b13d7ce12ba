// The arcade game's pick-ups: cheese, the shield and the three weapons, dropped by enemies.
#include "game/model/minigame/minigame_item.h"

#include <cmath>

#include "game/model/minigame/minigame_world.h"

namespace {

// The tuning block lists the lifetimes by kind 0, 2, 3, 4, 1.
constexpr int kLifeIndexOfKind[GAME_CMiniGameObjectItem::kKinds] = {0, 4, 1, 2, 3};

std::int32_t Frames(float seconds) { return static_cast<std::int32_t>(std::trunc(seconds * 60.0f)); }

}  // namespace

void GAME_CMiniGameObjectItem::Init(const MiniGameDrop& drop)
{
    Reset();
    kind = MiniGameKind::kItem;
    position = {drop.x, drop.y};
    scaleX = drop.scaleX;
    scaleY = drop.scaleY;
    subKind = drop.kind < kKinds ? drop.kind : 0;
    spriteGroup = 2;
    const TuningBlock& tuning = World().Tuning();
    blinkThreshold = Frames(tuning.itemBlinkTime);
    sprite = World().Sprites().items[subKind];
    lifetime = Frames(tuning.itemLife[kLifeIndexOfKind[subKind]]);
    TakeSpriteSize();
}

void GAME_CMiniGameObjectItem::Update()
{
    --lifetime;
    if (lifetime <= 0) Deactivate();
    if (lifetime < blinkThreshold) {
        ++animation;
        if (animation % 2 == 0) color ^= 0xFF000000u;
    }
    ++age;
}
