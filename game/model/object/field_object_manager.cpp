// The field-object manager: making and clearing the pools, the step and the draw passes, enemies, drop items and sand pillars.
#include "game/model/object/field_object_manager.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/graphics/sprite_registry.h"
#include "game/model/world/game_world.h"
#include "game/model/object/enemy_sprite_pool.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_manager.h"
#include "game/services/ui_port/ui_slots.h"

namespace {

constexpr int kUiSpriteGroup = 2;
constexpr int kBalloonPictures = 99;
constexpr int kSlotEnding = 46;
constexpr int kSlotStaffRoll = 47;

template <typename T, std::size_t N>
bool Contains(const std::array<T*, N>& slots, const T* object)
{
    return std::find(slots.begin(), slots.end(), object) != slots.end();
}

// Puts the object into the first empty slot; false when there is none.
template <typename T, std::size_t N>
bool PutInFirstEmpty(std::array<T*, N>& slots, T* object)
{
    const auto empty = std::find(slots.begin(), slots.end(), nullptr);
    if (empty == slots.end()) return false;
    *empty = object;
    return true;
}

// Crew members and enemies hold still while an event holds the field, and while the game-over
// screen is up unless the ending or the staff roll plays behind it.
bool AreCrewAndEnemiesHeld()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    const GAME_CRouteManager* route = world != nullptr && world->travel ? world->travel->routeManager.get() : nullptr;
    if (route == nullptr) return false;
    if (route->IsHolding()) return true;
    return ship_world::IsScreenOpen(kSlotGameOver) && !ship_world::IsScreenOpen(kSlotEnding) &&
           !ship_world::IsScreenOpen(kSlotStaffRoll);
}

}  // namespace

char16_t* CopyWideName64(std::array<char16_t, 64>& buffer, std::u16string_view text)
{
    buffer = {};
    const std::size_t length = std::min(text.size(), buffer.size() - 1);
    std::copy_n(text.begin(), length, buffer.begin());
    return buffer.data();
}

// --- construction and tear-down

GAME_CFieldObjectManager::GAME_CFieldObjectManager()
    : crewPool_(std::make_unique<std::array<GAME_CObjectActor, kCrewPoolSize>>()),
      itemPool_(std::make_unique<std::array<GAME_CObjectItem, kItemPoolSize>>()),
      enemyPool_(std::make_unique<std::array<GAME_CObjectEnemy, kEnemyPoolSize>>()),
      aiPool_(std::make_unique<std::array<GAME_CActorAIBase, kCrewPoolSize>>()),
      balloonPool_(std::make_unique<std::array<GAME_CObjectMesBalloon, kCrewPoolSize>>())
{
    crew.reserve(kCrewPoolSize);
    freeCrew_.reserve(kCrewPoolSize);
    items.reserve(kItemPoolSize);
    freeItems_.reserve(kItemPoolSize);
    enemies.reserve(kEnemyPoolSize);
    freeEnemies_.reserve(kEnemyPoolSize);
    pendingEnemies.reserve(kEnemyPoolSize);
    LookUpBalloonSprites();
    for (std::size_t i = 0; i < kCrewPoolSize; ++i) {
        GAME_CObjectActor& actor = (*crewPool_)[i];
        GAME_CObjectMesBalloon& balloon = (*balloonPool_)[i];
        GAME_CActorAIBase& ai = (*aiPool_)[i];
        actor.balloon = &balloon;
        actor.ai = &ai;
        balloon.owner = &actor;
        ai.Reset(&actor);
        balloon.ResetQueue();
        freeCrew_.push_back(&actor);
    }
    for (GAME_CObjectItem& item : *itemPool_) freeItems_.push_back(&item);
    for (GAME_CObjectEnemy& enemy : *enemyPool_) freeEnemies_.push_back(&enemy);
    dropItemPool_.reserve(kDropItemPoolSize);
    for (std::size_t i = 0; i < kDropItemPoolSize; ++i) {
        dropItemPool_.push_back(std::make_unique<GAME_CObjectDropItem>());
        freeDropItems_[i] = dropItemPool_.back().get();
    }
    sandPillarPool_.reserve(kSandPillarPoolSize);
    for (std::size_t i = 0; i < kSandPillarPoolSize; ++i) {
        sandPillarPool_.push_back(std::make_unique<GAME_CObjectSandPillar>());
        freeSandPillars_[i] = sandPillarPool_.back().get();
    }
}

GAME_CFieldObjectManager::~GAME_CFieldObjectManager() { Clear(); }

void GAME_CFieldObjectManager::Clear()
{
    crew.clear();
    items.clear();
    enemies.clear();
    pendingEnemies.clear();
    freeCrew_.clear();
    freeItems_.clear();
    freeEnemies_.clear();
    activeDropItems = {};
    freeDropItems_ = {};
    activeSandPillars = {};
    freeSandPillars_ = {};
    // Crew members reach their balloons and AI as they go, so they go first.
    crewPool_.reset();
    aiPool_.reset();
    balloonPool_.reset();
    itemPool_.reset();
    enemyPool_.reset();
    dropItemPool_.clear();
    sandPillarPool_.clear();
    balloonSprites_.clear();
}

void GAME_CFieldObjectManager::LookUpBalloonSprites()
{
    for (int number = 1; number <= kBalloonPictures; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "mesballoon_%02d", number);
        const int sprite = vesk::resource::FindSpriteIndex(kUiSpriteGroup, name);
        if (sprite < 0) continue;
        const std::string base(name);
        balloonSprites_.push_back({sprite, vesk::resource::FindSpriteIndex(kUiSpriteGroup, base + "_eng"),
                                   vesk::resource::FindSpriteIndex(kUiSpriteGroup, base + "_kr")});
    }
}

std::int32_t GAME_CFieldObjectManager::GetBalloonSpriteEnglish(std::int32_t sprite) const
{
    for (const BalloonSpriteRecord& record : balloonSprites_) {
        if (record.sprite == sprite) return record.english;
    }
    return sprite;
}

std::int32_t GAME_CFieldObjectManager::GetBalloonSpriteKorean(std::int32_t sprite) const
{
    for (const BalloonSpriteRecord& record : balloonSprites_) {
        if (record.sprite == sprite) return record.korean;
    }
    return sprite;
}

// --- the step

void GAME_CFieldObjectManager::Update()
{
    if (!AreCrewAndEnemiesHeld()) {
        UpdateActors();
        UpdateEnemies();
    }
    UpdateItems();
    UpdateDropItems();
    damageNumbers_.AgeDamageNumbers();
    UpdateSandPillars();
    // From the last to the first; an enemy that starts a label in its step leaves the list, so
    // the walk goes by index.
    for (std::size_t i = pendingEnemies.size(); i-- > 0;) {
        if (i < pendingEnemies.size() && pendingEnemies[i] != nullptr) pendingEnemies[i]->Update();
    }
}

void GAME_CFieldObjectManager::ReturnActor(GAME_CObjectActor* actor)
{
    actor->Release();
    // Whatever way it goes (a death, a dismissal, a loss on the road), no room and no task may
    // still list it: its object is the next one handed out, to a newborn or a recruit, which
    // would take its place in those lists.
    actor->LeaveTaskAndRooms();
    if (GAME_CTaskManager* tasks = ship_world::Tasks()) tasks->ForgetCrewMember(actor);
    actor->active = 0;
    freeCrew_.push_back(actor);
}

void GAME_CFieldObjectManager::UpdateActors()
{
    // Index walk: an update may append crew (a birth) to the list.
    for (std::size_t i = 0; i < crew.size();) {
        GAME_CObjectActor* actor = crew[i];
        if (actor == nullptr) {
            crew.erase(crew.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        actor->Update();
        if (actor->dead != 0) {
            ReturnActor(actor);
            crew.erase(crew.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
}

void GAME_CFieldObjectManager::RetireItem(GAME_CObjectItem* item)
{
    if (GAME_CObjectActor* carrier = item->carrier) {
        if (carrier->carriedItem == item) carrier->carriedItem = nullptr;
        item->carrier = nullptr;
    }
    item->Release();
    item->dead = 0;
    freeItems_.push_back(item);
}

void GAME_CFieldObjectManager::UpdateItems()
{
    for (std::size_t i = 0; i < items.size();) {
        GAME_CObjectItem* item = items[i];
        if (item == nullptr) {
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        bool retire = !item->HasValidEntry();
        if (!retire) {
            item->Update();
            if (!item->HasValidEntry()) item->dead = 1;
            retire = item->dead != 0;
        }
        if (retire) {
            RetireItem(item);
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
}

void GAME_CFieldObjectManager::UpdateDropItems()
{
    for (GAME_CObjectDropItem*& slot : activeDropItems) {
        if (slot == nullptr) continue;
        slot->Update();
        if (slot->dead == 0) continue;
        slot->dead = 0;
        PutInFirstEmpty(freeDropItems_, slot);
        slot = nullptr;
    }
}

// --- drawing

void GAME_CFieldObjectManager::Draw()
{
    const GAME_CShip* ship = ship_world::Ship();
    if (ship != nullptr && ship->body && ship->body->currentState == GAME_CShipBodyRender::kZoomedOut &&
        ship->body->targetState == GAME_CShipBodyRender::kZoomedOut) {
        return;
    }
    for (GAME_CObjectItem* item : items) {
        if (item != nullptr && item->dead == 0) item->Draw();
    }
    for (GAME_CObjectActor* actor : crew) {
        if (actor != nullptr) actor->Draw();
    }
    for (GAME_CObjectActor* actor : crew) {
        if (actor != nullptr && actor->balloon != nullptr) actor->balloon->Draw();
    }
}

void GAME_CFieldObjectManager::DrawOverlay(const FieldView& view)
{
    for (GAME_CObjectItem* item : items) {
        if (item != nullptr && item->dead == 0) item->DrawOverlay(view);
    }
    GAME_CObjectActor* lastHeld = nullptr;
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr) continue;
        if (actor->held != 0) {
            lastHeld = actor;
            continue;
        }
        actor->DrawOverlay(view);
    }
    if (lastHeld != nullptr) lastHeld->DrawOnView(view);
    for (GAME_CObjectActor* actor : crew) {
        if (actor != nullptr && actor->balloon != nullptr) actor->balloon->DrawOverlay(view);
    }
}

void GAME_CFieldObjectManager::DrawEnemies()
{
    for (GAME_CObjectEnemy* enemy : enemies) {
        if (enemy != nullptr) enemy->Draw();
    }
}

void GAME_CFieldObjectManager::DrawDropItemsAndPillars()
{
    for (GAME_CObjectDropItem* drop : activeDropItems) {
        if (drop != nullptr) drop->Draw();
    }
    for (GAME_CObjectSandPillar* pillar : activeSandPillars) {
        if (pillar != nullptr && pillar->dead == 0) pillar->Draw();
    }
}

// --- enemies

GAME_CObjectEnemy* GAME_CFieldObjectManager::AcquireEnemyObject()
{
    if (freeEnemies_.empty()) return nullptr;
    GAME_CObjectEnemy* enemy = freeEnemies_.back();
    freeEnemies_.pop_back();
    ActivateEnemy(enemy);
    return enemy;
}

void GAME_CFieldObjectManager::ActivateEnemy(GAME_CObjectEnemy* enemy)
{
    if (enemy == nullptr) return;
    enemy->dead = 0;
    if (!IsEnemyActive(enemy)) enemies.push_back(enemy);
}

void GAME_CFieldObjectManager::ReleaseEnemy(GAME_CObjectEnemy* enemy)
{
    if (enemy == nullptr || std::find(freeEnemies_.begin(), freeEnemies_.end(), enemy) != freeEnemies_.end()) return;
    enemy->Release();  // its sprite parts go back to their pool
    enemy->dead = 0;
    // No turret goes on aiming at it, nor its room's script shooting it, while it waits in the pool.
    if (GAME_CShip* ship = ship_world::Ship()) ship->ForgetTarget(enemy);
    RemovePendingEnemy(enemy);
    freeEnemies_.push_back(enemy);
}

void GAME_CFieldObjectManager::UpdateEnemies()
{
    for (std::size_t i = 0; i < enemies.size();) {
        GAME_CObjectEnemy* enemy = enemies[i];
        if (enemy != nullptr) enemy->Update();
        if (enemy == nullptr || enemy->dead != 0) {
            ReleaseEnemy(enemy);
            enemies.erase(enemies.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
}

void GAME_CFieldObjectManager::ClearEnemies()
{
    for (GAME_CObjectEnemy* enemy : enemies) ReleaseEnemy(enemy);
    enemies.clear();
    pendingEnemies.clear();
    for (GAME_CObjectEnemy& enemy : *enemyPool_) enemy.Release();
    if (GAME_CEnemySpritePool* parts = PeekEnemySpritePool()) parts->ResetPool();
}

void GAME_CFieldObjectManager::MirrorEnemyPositions(std::int32_t routeLength)
{
    const auto mirror = [&](std::int32_t position) {
        return static_cast<std::int32_t>(std::int64_t{routeLength} - position);
    };
    for (GAME_CObjectEnemy* enemy : enemies) {
        if (enemy == nullptr) continue;
        enemy->routePosition = mirror(enemy->routePosition);
        enemy->homePosition = mirror(enemy->homePosition);
    }
}

bool GAME_CFieldObjectManager::AreAllEnemiesIdle() const
{
    return std::all_of(enemies.begin(), enemies.end(),
                       [](const GAME_CObjectEnemy* enemy) { return enemy == nullptr || enemy->IsInIdleLabel(); });
}

GAME_CObjectEnemy* GAME_CFieldObjectManager::FindNearestEnemy(std::int32_t routePosition) const
{
    GAME_CObjectEnemy* nearest = nullptr;
    std::int64_t best = 0;
    for (GAME_CObjectEnemy* enemy : enemies) {
        if (enemy == nullptr) continue;
        const std::int64_t distance = std::llabs(std::int64_t{enemy->routePosition} - routePosition);
        if (nearest == nullptr || distance < best) {
            nearest = enemy;
            best = distance;
        }
    }
    return nearest;
}

bool GAME_CFieldObjectManager::IsEnemyActive(const GAME_CObjectEnemy* enemy) const
{
    return enemy != nullptr && std::find(enemies.begin(), enemies.end(), enemy) != enemies.end();
}

void GAME_CFieldObjectManager::RunLabelOnAllEnemies(std::u16string_view label)
{
    for (GAME_CObjectEnemy* enemy : enemies) {
        // Only an enemy that jumped waits in the pending list, until its next label start.
        if (enemy != nullptr && enemy->RunLabel(label)) AddPendingEnemy(enemy);
    }
}

void GAME_CFieldObjectManager::AddPendingEnemy(GAME_CObjectEnemy* enemy)
{
    if (enemy != nullptr && std::find(pendingEnemies.begin(), pendingEnemies.end(), enemy) == pendingEnemies.end()) {
        pendingEnemies.push_back(enemy);
    }
}

void GAME_CFieldObjectManager::RemovePendingEnemy(GAME_CObjectEnemy* enemy) { std::erase(pendingEnemies, enemy); }

void GAME_CFieldObjectManager::AddEnemyDamageNumber(const GAME_CObjectEnemy* enemy, std::int32_t value)
{
    if (value < 1 || !IsEnemyActive(enemy)) return;
    damageNumbers_.AddEnemy(*enemy, value);
}

// --- drop items

GAME_CObjectDropItem* GAME_CFieldObjectManager::AcquireDropItem()
{
    const auto free = std::find_if(freeDropItems_.begin(), freeDropItems_.end(),
                                   [](const GAME_CObjectDropItem* drop) { return drop != nullptr; });
    if (free != freeDropItems_.end()) {
        GAME_CObjectDropItem* drop = *free;
        *free = nullptr;
        PutInFirstEmpty(activeDropItems, drop);
        return drop;
    }
    // None free: the oldest one lying beside the route is taken again, in its slot.
    GAME_CObjectDropItem* oldest = nullptr;
    for (GAME_CObjectDropItem* drop : activeDropItems) {
        if (drop != nullptr && (oldest == nullptr || drop->age > oldest->age)) oldest = drop;
    }
    return oldest;
}

void GAME_CFieldObjectManager::ClearDropItems()
{
    for (GAME_CObjectDropItem*& slot : activeDropItems) {
        if (slot == nullptr) continue;
        if (!Contains(freeDropItems_, slot)) PutInFirstEmpty(freeDropItems_, slot);
        slot = nullptr;
    }
}

std::int32_t GAME_CFieldObjectManager::CountDropItems() const
{
    return static_cast<std::int32_t>(std::count_if(activeDropItems.begin(), activeDropItems.end(),
                                                   [](const GAME_CObjectDropItem* drop) { return drop != nullptr; }));
}

// --- sand pillars

GAME_CObjectSandPillar* GAME_CFieldObjectManager::AcquireSandPillar()
{
    const auto free = std::find_if(freeSandPillars_.begin(), freeSandPillars_.end(),
                                   [](const GAME_CObjectSandPillar* pillar) { return pillar != nullptr; });
    if (free == freeSandPillars_.end()) return nullptr;
    GAME_CObjectSandPillar* pillar = *free;
    if (!PutInFirstEmpty(activeSandPillars, pillar)) return nullptr;
    *free = nullptr;
    return pillar;
}

void GAME_CFieldObjectManager::UpdateSandPillars()
{
    for (GAME_CObjectSandPillar*& slot : activeSandPillars) {
        if (slot == nullptr) continue;
        slot->Update();
        if (slot->dead == 0) continue;
        if (!Contains(freeSandPillars_, slot)) PutInFirstEmpty(freeSandPillars_, slot);
        slot = nullptr;
    }
}

void GAME_CFieldObjectManager::ReleaseAllSandPillars()
{
    for (GAME_CObjectSandPillar*& slot : activeSandPillars) {
        if (slot == nullptr) continue;
        if (!Contains(freeSandPillars_, slot)) PutInFirstEmpty(freeSandPillars_, slot);
        slot = nullptr;
    }
}
