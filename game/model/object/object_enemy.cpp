// The enemy's life: set-up, the step with its AI, death and the script's labels, and its part tree.
#include "game/model/object/object_enemy.h"

#include <algorithm>
#include <limits>

#include "framework/graphics/sprite_registry.h"
#include "game/services/achievement/achievements.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/save/save_image.h"
#include "game/model/script/script_package.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/object/enemy_sprite_pool.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship_world.h"
#include "platform/little_endian.h"

namespace {

constexpr std::uint32_t kIronScorpion = MakeTag("E016");
constexpr std::uint32_t kIronScorpionAchievement = 14;
// Bits of the achievement pending word that a defeat sets.
constexpr std::uint32_t kDefeatBits = 1u << 2;
constexpr std::uint32_t kIronScorpionDefeatBits = (1u << 1) | (1u << 2);
constexpr std::int64_t kMillionths = 1000000;

const vesk::utility::script_package::ProgramRecord* FindEnemyProgram(std::uint32_t enemyId)
{
    const GAME_CScriptPackageHolder* holder = GetScriptPackages();
    const GAME_CScriptPackage* package = holder != nullptr ? holder->Get(kScriptPackageEnemy) : nullptr;
    return package != nullptr ? package->FindProgram(enemyId) : nullptr;
}

std::int32_t ClampToI32(std::int64_t value)
{
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void InitEnemySetupRecord(EnemySetupRecord& record) { record = EnemySetupRecord{}; }

GAME_CObjectEnemy::GAME_CObjectEnemy() : ai_(std::make_unique<GAME_CEnemyAIBase>())
{
    dead = 1;
    ResetEnemyHPRecord(hpRecord);
    InitEnemyHPRecord(hpRecord, nullptr);
    hpRecord.owner = this;
    ai_->SetOwner(this);
}

GAME_CObjectEnemy::~GAME_CObjectEnemy() { ReleaseEnemySpritePart(spriteRoot_); }

bool GAME_CObjectEnemy::SetUp(const EnemySetupRecord& record)
{
    dead = 0;
    enemyId_ = record.enemyId;
    if (!IsGameWorldReady()) return false;
    ++life_;
    tint = 0;
    data_ = FindEnemyData(enemyId_);
    const auto* program = FindEnemyProgram(enemyId_);
    scaleX = 1.0f;
    scaleY = 1.0f;
    tint = 0xFFFFFFFFu;
    spriteIndex = data_ != nullptr ? data_->stats[kEnemySpriteIndex] : -1;
    homePosition = record.routePositions[0];
    routePosition = record.routePositions[1];
    routeRemainder = 0;
    script.Attach(program, this);
    // A pooled enemy starts its life as a new one.
    ResetEnemyHPRecord(hpRecord);
    InitEnemyHPRecord(hpRecord, data_);
    hpRecord.owner = this;
    ai_->SetOwner(this);
    dying_ = 0;
    pendingDrop = kNoId;
    thirdValue = 0;
    freeMove = 0;
    factors = {};
    rects = {};
    arcadeFlags = {};
    // The old tree goes before the start label runs, which may build a new one.
    SetSpriteRoot(nullptr);
    return true;
}

void GAME_CObjectEnemy::StartAtLabel(const EnemySetupRecord& record)
{
    const auto end = std::find(record.labelName.begin(), record.labelName.end(), u'\0');
    const std::u16string_view named(record.labelName.data(), static_cast<std::size_t>(end - record.labelName.begin()));
    if (!named.empty() && RunLabel(named)) return;
    RunLabel(enemy_label::kAppear);
}

void GAME_CObjectEnemy::Init(const EnemySetupRecord& record)
{
    if (!SetUp(record)) return;
    onRoute_ = 1;
    StartAtLabel(record);
    values = record.values;
    damageFlash = 0;
    facing = routePosition >= ShipRoutePosition() ? 1 : 0;
    GAME_CFieldObjectManager* manager = ship_world::FieldObjects();
    if (manager != nullptr && manager->holdNextEnemy != 0) {
        manager->AddPendingEnemy(this);
        manager->holdNextEnemy = 0;
    }
}

void GAME_CObjectEnemy::Update()
{
    if (dead != 0) return;
    if (hpRecord.hp >= 1) ai_->Update();
    StepCharge();
    StepScriptAndTree(true);
}

void GAME_CObjectEnemy::StepCharge()
{
    constexpr std::uint32_t kBoth = EnemyHPRecord::kFlagApproach | EnemyHPRecord::kFlagHitReaction;
    if ((hpRecord.flags & kBoth) == kBoth) hpRecord.charge = std::min(hpRecord.charge + 1, hpRecord.chargeMax);
}

void GAME_CObjectEnemy::StepScriptAndTree(bool onRoute)
{
    if (hpRecord.hp < 1) StartDeath();
    if (script.IsStopped()) {
        // A death whose script ended without the end request still ends the enemy.
        if (dying_ != 0) {
            dead = 1;
            return;
        }
        script.JumpToLabel(enemy_label::kIdle);
    }
    if (onRoute) KeepNearHome();
    script.TickScript();
    if (damageFlash > 0) --damageFlash;
    AnimateSpriteTree();
}

void GAME_CObjectEnemy::AnimateSpriteTree()
{
    if (spriteRoot_ == nullptr) return;
    const EnemySpriteView view = TreeView();
    spriteRoot_->ClearVisited();
    spriteRoot_->AnimateTree(view);
    treeZoom_ = view.cameraZoom;
}

void GAME_CObjectEnemy::KeepNearHome()
{
    const std::int64_t reach = hpRecord.reach;
    const std::int64_t home = homePosition;
    if (reach < 1) {
        routePosition = homePosition;
        return;
    }
    if (routePosition >= home + reach) routePosition = ClampToI32(home + reach - 1);
    if (routePosition <= home - reach) routePosition = ClampToI32(home - reach + 1);
    // A home placed beyond a road's end (or before its start) must not pull the enemy off the road's
    // margin, where it would stand beside a ship lying at the hideout and shoot at it for ever.
    if ((freeMove & kFreeMoveBit) == 0 && CurrentRouteLength() > 0) {
        routePosition = ClampToI32(HoldInsideRouteMargin(routePosition));
    }
}

EnemySpriteView GAME_CObjectEnemy::TreeView() const
{
    EnemySpriteView view;
    view.cameraZoom = FieldCameraZoom();
    view.enemyFacesBack = facing != 0;
    view.routeReversed = IsRouteReversed();
    return view;
}

void GAME_CObjectEnemy::MoveOnRoute(std::int64_t millionths)
{
    std::int64_t remainder = std::int64_t{routeRemainder} + millionths;
    const std::int64_t whole = remainder / kMillionths;
    remainder -= whole * kMillionths;
    routeRemainder = static_cast<std::int32_t>(remainder);
    const std::int64_t moved = std::int64_t{routePosition} + whole;
    routePosition = ClampToI32((freeMove & kFreeMoveBit) == 0 ? HoldInsideRouteMargin(moved) : moved);
}

std::int64_t GAME_CObjectEnemy::HoldInsideRouteMargin(std::int64_t position)
{
    const std::int64_t length = std::max<std::int64_t>(CurrentRouteLength(), 0);
    const std::int64_t margin = std::min<std::int64_t>(static_cast<std::int64_t>(static_cast<double>(length) * 0.1), 900);
    return std::clamp(position, margin, std::max(margin, length - margin));
}

// --- labels and death

bool GAME_CObjectEnemy::RunLabel(std::u16string_view label)
{
    if (script.JumpToLabel(label) == 0) return false;
    script.Update();
    return true;
}

bool GAME_CObjectEnemy::PlayDamage() { return script.JumpToLabel(enemy_label::kDamage) != 0; }

bool GAME_CObjectEnemy::PlayDeath() { return script.JumpToLabel(enemy_label::kDeath) != 0; }

void GAME_CObjectEnemy::StartDeath()
{
    if (dying_ != 0) return;
    dying_ = 1;
    // Without a death label there is nothing to play: the enemy ends at once.
    if (!PlayDeath()) dead = 1;
    if (onRoute_ != 0) NoteDefeat();
}

void GAME_CObjectEnemy::NoteDefeat()
{
    const std::span<std::uint8_t> system = GetWorkingSystemRecord();
    const std::uint32_t bits = enemyId_ == kIronScorpion ? kIronScorpionDefeatBits : kDefeatBits;
    const std::size_t at = save_layout::system::kAchievementPending;
    platform::WriteU32(system, at, platform::ReadU32(system, at) | bits);
    if (enemyId_ == kIronScorpion) UnlockAchievement(kIronScorpionAchievement);
}

// --- the part tree

void GAME_CObjectEnemy::SetSpriteRoot(GAME_CEnemySprite* part)
{
    if (part == spriteRoot_) return;
    GAME_CEnemySprite* old = spriteRoot_;
    spriteRoot_ = part;
    if (old == nullptr) return;
    // A new root taken from the old tree leaves it first, so it is not given back with it.
    if (part != nullptr && old->Contains(part)) part->SetParent(nullptr);
    ReleaseEnemySpritePart(old);
}

void GAME_CObjectEnemy::Release() { SetSpriteRoot(nullptr); }
