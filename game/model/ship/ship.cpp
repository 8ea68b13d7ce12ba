// The land ship of the game world: its pool of rooms, the simulation step, stats, fuel, turns and hull damage.
#include "game/model/ship/ship.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "framework/graphics/sprite_registry.h"
#include "framework/math/scalar.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/services/text/message_text.h"
#include "game/model/world/camera2d.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"
#include "game/services/ui_port/ui_slots.h"

namespace {

constexpr int kSpriteGroup = 2;
constexpr float kHullScale = 2.0f;
constexpr std::uint32_t kMessageKindShip = 2;
constexpr const char* kTurretNames[GAME_CShip::kTurretKinds] = {"dotroom_machinegun", "dotroom_cannon", "dotroom_laser"};
constexpr const char* kEffectFieldNames[3] = {"bufffield_minusion", "bufffield_music", "bufffield_smoke"};

std::int32_t FindSprite(const std::string& name) { return vesk::resource::FindSpriteIndex(kSpriteGroup, name); }

// "01" .. "99".
std::string TwoDigits(int n)
{
    const char digits[3] = {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10), '\0'};
    return digits;
}

std::int32_t ClampToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

GAME_CShip::GAME_CShip()
    : body(CreateShipBodyRender(kNoId)), roomPool_(std::make_unique<std::array<GAME_CRoomBase, kRoomPoolSize>>())
{
    freeRooms.reserve(kRoomPoolSize);
    rooms.reserve(kRoomPoolSize);
    damageMarkers.reserve(kRoomPoolSize);
    for (GAME_CRoomBase& room : *roomPool_) freeRooms.push_back(&room);
    if (const GAME_CPlayerData* player = GetPlayerData()) viewScale = player->word11;
    LookUpSprites();
}

GAME_CShip::~GAME_CShip()
{
    ClearEffectFields();
    body.reset();
    if (vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry()) {
        registry->ReleaseSpritePackage(GAME_CShipBodyRender::kHullSpriteGroup);
    }
    rooms.clear();
    freeRooms.clear();
    roomPool_.reset();
    ClearDamage();
}

void GAME_CShip::LookUpSprites()
{
    floorSprite = FindSprite("dot_basegrid");
    damageMarkerSprite = FindSprite("dot_damagemarker");
    labelBaseSprite = FindSprite("ui_labelbase");
    for (int kind = 0; kind < kTurretKinds; ++kind) {
        for (int level = 0; level < kTurretLevels; ++level) {
            turretSprites[kind][level] = FindSprite(std::string(kTurretNames[kind]) + "_" + TwoDigits(level + 1));
            weaponSprites[kind][level] = FindSprite("weapon_" + TwoDigits(kind + 1) + "_" + TwoDigits(level + 1));
        }
    }
    for (int kind = 0; kind < 3; ++kind) {
        for (int frame = 0; frame < 2; ++frame) {
            effectFieldSprites[kind][frame] = FindSprite(std::string(kEffectFieldNames[kind]) + "_" + TwoDigits(frame + 1));
        }
    }
    const std::int32_t cursor = FindSprite("ui_cursor_grid_normal");
    if (const vesk::resource::SYS_CTexture* sprite = vesk::resource::GetSpriteAt(kSpriteGroup, cursor)) {
        cursorBoxWidth = static_cast<float>(sprite->GetWidth());
        cursorBoxHeight = static_cast<float>(sprite->GetHeight());
    }
}

// --- simulation

void GAME_CShip::Update()
{
    driveFlag = 0;
    if (--statsTimer < 1) {
        statsTimer = kStatsPeriod;
        RecalcStats();
    }
    if (turnState == kTurningAway || turnState == kTurningBack) {
        UpdateTurn();
        if (turnState == kTurningAway || turnState == kTurningBack) return;
    }
    grid.Animate();
    for (std::int32_t i = 0; i < GetAmmoStorageCount(); ++i) {
        if (GAME_CAmmoImpl* store = GetAmmoStorageAt(i)) store->UpdateAutoAttack();
    }
    UpdateRooms();
    RemoveMarkedRooms();
    UpdateEffectFields();
    UpdateFuel();
    UpdateDamageMarkers();
}

void GAME_CShip::UpdateTurn()
{
    ++turnCounter;
    if (turnCounter < kTurnFrames) {
        const float angle = static_cast<float>(turnCounter) * 6.0f + (turnState == kTurningBack ? 180.0f : 0.0f);
        body->scaleX = kHullScale * std::cos(angle * vesk::math::kFloatDegreesToRadians);
        body->scaleY = kHullScale;
        return;
    }
    routePosition = ship_world::TravelDistance();
    if (turnState == kTurningAway) {
        turnState = kTurned;
        body->scaleX = -kHullScale;
    } else {
        turnState = kFacingForward;
        body->scaleX = kHullScale;
    }
    body->scaleY = kHullScale;
    turnCounter = 0;
    if (GAME_CCamera2D* camera = ship_world::Camera()) camera->ClampToShip();
}

void GAME_CShip::UpdateRooms()
{
    const std::size_t count = rooms.size();
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        GAME_CRoomBase* room = rooms[i];
        if (room == nullptr) continue;
        if (!room->broken && room->GetRemainingDurability() < 1) {
            room->Break();
        } else if (room->kind == kRoomKindEngine && !room->underConstruction) {
            if (room->engineMode == kEngineDisconnected) {
                if (!room->IsInLabel(room_label::kNoTask) && !room->IsInLabel(room_label::kUpgradeStay)) room->GoNoTask();
            } else if (room->FindRunningUpgradeTask() == nullptr) {
                if (room->assignedCrew.size() < 2) {
                    if (!room->IsInTaskLabel()) room->GoTask();
                } else if (!room->IsInLabel(room->WorkLabel()) && !room->IsInUpgradeRunningLabel()) {
                    room->GoTask();
                }
            }
        }
        room->Update();
        if (rooms.size() != count) break;
    }
}

void GAME_CShip::RemoveMarkedRooms()
{
    bool removed = false;
    for (std::size_t i = 0; i < rooms.size();) {
        if (rooms[i] != nullptr && rooms[i]->removeRequested) {
            RemoveRoom(static_cast<std::int32_t>(i));
            removed = true;
            i = 0;
            continue;
        }
        ++i;
    }
    if (removed) AfterRoomsRemoved();
}

void GAME_CShip::AfterRoomsRemoved()
{
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        GAME_CRoomBase* room = rooms[i];
        if (room == nullptr) continue;
        room->RenumberTasks(static_cast<std::int32_t>(i));
        const std::vector<GAME_CObjectActor*> present = room->presentCrew;
        for (GAME_CObjectActor* member : present) {
            if (member != nullptr) room->AssignCrew(member);
        }
    }
    if (GAME_CPlayerData* player = GetPlayerData()) {
        for (std::size_t i = 0; i < player->InventoryCount();) {
            GAME_CInventory* inventory = player->GetInventoryAt(static_cast<std::int64_t>(i));
            if (inventory == nullptr || (inventory->room != nullptr && GetRoomIndex(inventory->room) >= 0)) {
                ++i;
                continue;
            }
            std::int32_t x = 0;
            std::int32_t y = 0;
            if (inventory->room != nullptr) {
                y = std::max<std::int32_t>(0, inventory->room->gridY);
            } else {
                GetLowestFloorCell(&x, &y);
            }
            inventory->room = nullptr;
            player->DropInventoryItems(static_cast<std::int64_t>(i), x, y);
            i = 0;
        }
    }
    for (std::int32_t i = GetAmmoStorageCount() - 1; i >= 0; --i) {
        GAME_CAmmoImpl* store = GetAmmoStorageAt(i);
        if (store != nullptr && GetRoomIndex(store->GetRoom()) < 0) {
            const GAME_CRoomBase* room = store->GetRoom();
            RemoveAmmoStorage(store, room != nullptr ? std::max<std::int32_t>(0, room->gridY) : 0);
        }
    }
    for (std::int32_t i = 0; i < GetFoodStorageCount(); ++i) {
        GAME_CFoodStorage* store = GetFoodStorageAt(i);
        if (store != nullptr && GetRoomIndex(store->GetRoom()) < 0) RemoveFoodStorage(store);
    }
    RelinkAmmoStorageRooms();
    RelinkFoodStorageRooms();
}

void GAME_CShip::UpdateFuel()
{
    const std::int32_t distance = ship_world::TravelDistance();
    if (distance != routePosition) {
        const std::int64_t travelled = std::llabs(std::int64_t{distance} - routePosition);
        routePosition = distance;
        ++body->animationTimer;
        std::int64_t countdown = std::int64_t{fuelCountdown} - travelled;
        std::int64_t burnt = 0;
        if (countdown < 1) {
            // A rate of 0 would never refill the countdown.
            const std::int64_t rate = std::max(1, fuelRate);
            burnt = (1 - countdown + rate - 1) / rate;
            countdown += burnt * rate;
        }
        fuelCountdown = ClampToInt32(countdown);
        fuel = ClampToInt32(std::int64_t{fuel} - burnt);
    }
    fuel = std::clamp(fuel, 0, std::max(0, fuelCapacity));
    if (const GAME_CGameClock* clock = PeekGameClock(); clock != nullptr && clock->flag != 0) {
        fuel = fuelCapacity;
        fuelCountdown = 0;
    }
}

void GAME_CShip::UpdateDamageMarkers()
{
    const GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    for (std::size_t i = 0; i < damageMarkers.size();) {
        DamageMarker* marker = damageMarkers[i];
        if (marker == nullptr || marker->deleteFlag != 0) {
            delete marker;
            damageMarkers.erase(damageMarkers.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (marker->claimer != nullptr) {
            const bool listed = objects != nullptr &&
                                std::find(objects->crew.begin(), objects->crew.end(), marker->claimer) != objects->crew.end();
            if (!listed || !marker->claimer->IsActive()) marker->claimer = nullptr;
        }
        StepDamageMarker(*marker);
        ++i;
    }
}

void GAME_CShip::UpdateHullAlerts()
{
    body->Update();
    GAME_CGameWorld* world = PeekGameWorld();
    const bool noticeShowing = world != nullptr && HasNoticeLogText(*world);
    if (!noticeShowing && !ship_world::IsScreenOpen(kSlotGameOver) && GetRemainingHull() * 2 <= hullMax) {
        ship_world::PostMessage(GetMessageTextOrKey("OLIF_SHIP_DAMAGE_DANGER"), kMessageKindShip);
    }
    if (++alertCounter < kAlertPeriod) return;
    alertCounter = 0;
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (database == nullptr || objects == nullptr) return;
    std::vector<std::uint32_t> lines;
    const std::int64_t remaining = std::clamp<std::int64_t>(GetRemainingHull(), INT32_MIN, INT32_MAX);
    if (database->CollectBalloonLinesForRatio(static_cast<std::int32_t>(remaining), hullMax, lines) > 0) {
        objects->ShowRandomCrewBalloons(lines, static_cast<int>(lines.size()));
    }
}

// --- stats

EngineTerms GAME_CShip::GetEngineTerms(const GAME_CRoomBase& room) const
{
    EngineTerms terms;
    const std::int32_t output = room.engineOutput;
    if (room.engineMode == kEngineConnected) {
        terms.speed += (output >> 1) | (output & 1);
        const GAME_CTaskBase* maintenance = nullptr;
        for (std::size_t i = 0; i < room.boundTasks.size() && i < GAME_CRoomBase::kMaxBoundTasks; ++i) {
            const GAME_CTaskBase* task = room.boundTasks[i];
            if (task != nullptr && task->GetKind() == kTaskEngineMaintenance && task->progress > 0) {
                maintenance = task;
                break;
            }
        }
        if (maintenance == nullptr) return terms;
        terms.speed += output >> 1;
        for (const GAME_CObjectActor* member : maintenance->crew) {
            if (member == nullptr) continue;
            for (const GAME_CActorStatus::BuffSlot& slot : member->status.buffs) {
                if (slot.id == kNoId || slot.record == nullptr) continue;
                terms.speed += slot.record->pairFactors[0];
                terms.rate += slot.record->pairFactors[1];
            }
        }
    } else if (room.engineMode == kEngineOverLimit) {
        for (const GAME_CRoomBase::OverLimitPair& pair : room.overLimit) {
            terms.speed += pair.speed;
            terms.rate += pair.rate;
        }
        terms.rate -= 1000;
    }
    return terms;
}

void GAME_CShip::RecalcStats()
{
    if (!IsGameWorldReady() || GetPlayerData() == nullptr) return;
    const ShipData* record = FindShipData(shipTag);
    if (record == nullptr) return;
    std::int64_t hull = record->baseHull;
    std::int64_t capacity = record->baseFuelCapacity;
    std::int64_t rate = record->baseFuelRate;
    std::int64_t speedSum = 0;
    std::int64_t rateFactor = 1000;
    std::int64_t homes = 0;
    bool connected = false;
    for (std::int32_t n = 0; n < CountRoomsOnGrid(); ++n) {
        const GAME_CRoomBase* room = rooms[static_cast<std::size_t>(n)];
        if (room == nullptr || !room->IsBuiltOnGrid() || room->roomData == nullptr) continue;
        const std::uint32_t flags = room->roomData->flags;
        if ((flags & kRoomHull) != 0) hull += room->hullBonus;
        if ((flags & kRoomFuelTank) != 0) capacity += room->fuelCapacityBonus;
        rate += room->fuelRateTerm;
        if (room->kind == kRoomKindEngine) {
            const EngineTerms terms = GetEngineTerms(*room);
            speedSum += terms.speed;
            rateFactor += terms.rate - 1000;
            connected = connected || room->engineMode == kEngineConnected || room->engineMode == kEngineOverLimit;
        }
        if (room->kind == kRoomKindCrewHome) homes += room->capacity;
    }
    hullMax = ClampToInt32(hull);
    fuelCapacity = ClampToInt32(capacity);
    crewHomeCapacity = ClampToInt32(homes);
    // Engine upgrades can bring the factor to 0 or below; it divides.
    const float factor = static_cast<float>(std::max<std::int64_t>(1, rateFactor));
    const float scaled = 1000.0f / factor * static_cast<float>(rate);
    fuelRate = std::max(1, ClampToInt32(static_cast<std::int64_t>(std::clamp(scaled, -2.0e9f, 2.0e9f))));
    const float total = static_cast<float>(std::max<std::int64_t>(0, speedSum) + record->baseSpeed);
    speed = connected ? std::max(0.0f, total * 0.001f) : 0.0f;
    fuel = std::min(fuel, fuelCapacity);
}

std::int32_t GAME_CShip::AddFuel(std::int32_t delta)
{
    fuelCountdown = fuelRate;
    const std::int64_t sum = std::int64_t{fuel} + delta;
    fuel = ClampToInt32(std::clamp<std::int64_t>(sum, 0, std::max(0, fuelCapacity)));
    return fuel;
}

std::int64_t GAME_CShip::GetRemainingHull() const
{
    std::int64_t remaining = hullMax;
    for (const DamageMarker* marker : damageMarkers) {
        if (marker != nullptr) remaining -= marker->amount;
    }
    return remaining;
}

void GAME_CShip::ClearDamage()
{
    for (DamageMarker* marker : damageMarkers) delete marker;
    damageMarkers.clear();
}

std::int32_t GAME_CShip::GetCrewCapacity() const
{
    std::int64_t total = 0;
    for (const GAME_CRoomBase* room : rooms) {
        if (room != nullptr && room->IsBuiltOnGrid() && room->roomData != nullptr &&
            (room->roomData->flags & kRoomCrewHome) != 0) {
            total += room->capacity;
        }
    }
    return ClampToInt32(total);
}

// --- travel

void GAME_CShip::ApplyRouteEndpoint(std::uint32_t routeId, std::uint32_t locationId)
{
    const RouteData* route = FindRouteData(routeId);
    if (route == nullptr) return;
    if (route->endLocation == locationId && turnState == kTurned) {
        turnState = kTurningBack;
        turnCounter = 0;
    } else if (route->startLocation == locationId && turnState == kFacingForward) {
        turnState = kTurningAway;
        turnCounter = 0;
    }
}

void GAME_CShip::SetRoutePosition(std::int32_t position)
{
    routePosition = std::clamp(position, 0, std::max(0, ship_world::RouteLength()));
}

void GAME_CShip::ClearScriptWait()
{
    if (scriptWaiting != 0) {
        if (GAME_CCamera2D* camera = ship_world::Camera()) camera->followedObject = nullptr;
    }
    awaitedRoomId = kNoId;
    resumePoint = {kNoId, kNoId, kNoId};
    scriptWaiting = 0;
}

std::int32_t GAME_CShip::GetTurretWeaponSprite(const GAME_CRoomBase& room) const
{
    if (room.roomData == nullptr || (room.roomData->flags & kRoomTurret) == 0 || room.spriteId < 0) return -1;
    for (int kind = 0; kind < kTurretKinds; ++kind) {
        for (int level = 0; level < kTurretLevels; ++level) {
            if (turretSprites[kind][level] == room.spriteId) return weaponSprites[kind][level];
        }
    }
    return -1;
}
