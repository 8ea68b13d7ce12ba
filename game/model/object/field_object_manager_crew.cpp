// The field-object manager's crew: hand-out and return, lookups, picking, hull damage, crew talk and placement.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/graphics/sprite_registry.h"
#include "framework/math/random.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/task_records.h"
#include "game/services/input/input_map.h"
#include "game/services/clock/game_clock.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"

namespace {

constexpr int kUiSpriteGroup = 2;
constexpr int kHalfChance = 16383;  // a random value at or above it: a 50 % chance
constexpr std::int32_t kBottomRowTries = 10;
constexpr float kPickNarrowX = 10.0f;
constexpr float kPickNarrowY = 8.0f;

bool IsFloorCell(const GAME_CShip& ship, std::int32_t x, std::int32_t y)
{
    const GAME_CShipGrid::Cell* cell = ship.grid.GetCell(x, y);
    return cell != nullptr && ship.grid.IsInside(x, y) && cell->usable != 0;
}

// The screen box of a crew member's sprite, anchored at its bottom centre; narrowed when asked.
struct ScreenBox {
    float centreX = 0.0f;
    float centreY = 0.0f;
    float halfWidth = 0.0f;
    float halfHeight = 0.0f;
    vesk::math::Vec2 anchor;
};

// A sprite of group 2 at a field point, its size in field pixels scaled by the sprite's scale.
ScreenBox SpriteScreenBox(const vesk::math::Vec2& fieldPoint, std::int32_t sprite, float scaleX, float scaleY,
                          bool narrowed)
{
    const FieldFrame frame = CurrentFieldFrame();
    const vesk::resource::SYS_CTexture* texture = vesk::resource::GetSpriteAt(kUiSpriteGroup, sprite);
    float width = texture != nullptr ? static_cast<float>(texture->GetWidth()) * scaleX : 0.0f;
    float height = texture != nullptr ? static_cast<float>(texture->GetHeight()) * scaleY : 0.0f;
    if (narrowed) {
        width = std::max(width - kPickNarrowX, 0.0f);
        height = std::max(height - kPickNarrowY, 0.0f);
    }
    ScreenBox box;
    box.anchor = frame.ToScreen(fieldPoint);
    box.halfWidth = width * frame.SpriteScaleX() * 0.5f;
    box.halfHeight = height * frame.SpriteScaleY() * 0.5f;
    box.centreX = box.anchor.x;
    box.centreY = box.anchor.y - box.halfHeight;
    return box;
}

ScreenBox BoxOf(const GAME_CObjectActor& actor, bool narrowed)
{
    return SpriteScreenBox(actor.position, actor.spriteIndex, actor.displayScaleX, actor.displayScaleY, narrowed);
}

ScreenBox BoxOf(const GAME_CObjectItem& item, bool narrowed)
{
    return SpriteScreenBox(item.position, item.spriteIndex, 1.0f, 1.0f, narrowed);
}

bool Overlaps(const ScreenBox& box, const vesk::math::Vec2& position, const vesk::math::Vec2& size)
{
    const float centreX = position.x + size.x * 0.5f;
    const float centreY = position.y + size.y * 0.5f;
    return std::fabs(box.centreX - centreX) < box.halfWidth + size.x * 0.5f &&
           std::fabs(box.centreY - centreY) < box.halfHeight + size.y * 0.5f;
}

// The ship departing or arriving, or no pointer pressed: nothing is picked.
bool CanPick()
{
    const GAME_CShip* ship = ship_world::Ship();
    return ship == nullptr || !ship->IsTurning();
}

bool IsPointerInBox(const ScreenBox& box)
{
    const GAME_CInputMap* input = GetInputMap();
    return input != nullptr && input->IsPointerInRect({box.centreX - box.halfWidth, box.centreY - box.halfHeight},
                                                      {box.centreX + box.halfWidth, box.centreY + box.halfHeight});
}

// The pickers over a list of crew members or items: the first the pointer is on, the first whose
// narrowed box overlaps a rectangle, and the one whose anchor is nearest a point.
template <typename T, typename Accept>
T* FirstAtPointer(const std::vector<T*>& list, Accept accept)
{
    if (!CanPick()) return nullptr;
    for (T* object : list) {
        if (accept(object) && IsPointerInBox(BoxOf(*object, false))) return object;
    }
    return nullptr;
}

template <typename T, typename Accept>
T* FirstInRect(const std::vector<T*>& list, Accept accept, const vesk::math::Vec2& position, const vesk::math::Vec2& size)
{
    if (!CanPick()) return nullptr;
    for (T* object : list) {
        if (accept(object) && Overlaps(BoxOf(*object, true), position, size)) return object;
    }
    return nullptr;
}

template <typename T, typename Accept>
T* NearestToPoint(const std::vector<T*>& list, Accept accept, const vesk::math::Vec2& point)
{
    if (!CanPick()) return nullptr;
    T* nearest = nullptr;
    float best = 0.0f;
    for (T* object : list) {
        if (!accept(object)) continue;
        const vesk::math::Vec2 anchor = BoxOf(*object, false).anchor;
        const float dx = anchor.x - point.x;
        const float dy = anchor.y - point.y;
        const float distance = dx * dx + dy * dy;
        if (nearest == nullptr || distance < best) {
            nearest = object;
            best = distance;
        }
    }
    return nearest;
}

// A member whose HP has run out is playing its death: it takes no orders, so a pick passes it
// over for whoever stands behind it.
bool IsSelectableActor(const GAME_CObjectActor* actor)
{
    return actor != nullptr && actor->repairCountdown <= 0 && !actor->status.IsHPEmpty();
}

bool IsPickableActor(const GAME_CObjectActor* actor) { return IsSelectableActor(actor) && actor->assigned == 0; }

bool IsFieldItem(const GAME_CObjectItem* item) { return item != nullptr && item->carrier == nullptr && item->dead == 0; }

// The whole speakers of a crew talk: half the crew, at least 1.
std::int32_t HalfCrew(std::size_t crewCount) { return std::max<std::int32_t>(1, static_cast<std::int32_t>(crewCount / 2)); }

std::int32_t RandomLine(std::span<const std::uint32_t> lines)
{
    const int count = static_cast<int>(std::min<std::size_t>(lines.size(), 32767));
    return static_cast<std::int32_t>(lines[static_cast<std::size_t>(vesk::math::RandInt(count))]);
}

}  // namespace

// --- hand-out and return

GAME_CObjectActor* GAME_CFieldObjectManager::AcquireActorObject()
{
    if (freeCrew_.empty()) return nullptr;
    GAME_CObjectActor* actor = freeCrew_.back();
    freeCrew_.pop_back();
    actor->active = 1;
    actor->dead = 0;
    crew.push_back(actor);
    actor->cellX = 0xFFFF;
    actor->cellY = 0xFFFF;
    actor->workLink = ActorRoomLink{};
    actor->homeLink = ActorRoomLink{};
    if (actor->ai != nullptr) actor->ai->Reset(actor);
    return actor;
}

void GAME_CFieldObjectManager::RemoveDeadActors()
{
    std::erase_if(crew, [&](GAME_CObjectActor* actor) {
        if (actor == nullptr) return true;
        if (actor->dead == 0) return false;
        ReturnActor(actor);
        return true;
    });
}

GAME_CObjectActor* GAME_CFieldObjectManager::GetNextActor(const GAME_CObjectActor* actor, bool backwards) const
{
    const auto found = std::find(crew.begin(), crew.end(), actor);
    if (actor == nullptr || found == crew.end()) return nullptr;
    const std::size_t count = crew.size();
    std::size_t index = static_cast<std::size_t>(found - crew.begin());
    for (std::size_t step = 1; step < count; ++step) {
        index = backwards ? (index + count - 1) % count : (index + 1) % count;
        if (crew[index] != nullptr) return crew[index];
    }
    return const_cast<GAME_CObjectActor*>(actor);
}

std::int32_t GAME_CFieldObjectManager::GetActorIndex(const GAME_CObjectActor* actor) const
{
    std::int32_t index = 0;
    for (const GAME_CObjectActor* member : crew) {
        if (member == nullptr) continue;
        if (member == actor) return index;
        ++index;
    }
    return -1;
}

GAME_CObjectActor* GAME_CFieldObjectManager::GetActorAt(std::int64_t index) const
{
    if (index < 0) return nullptr;
    for (GAME_CObjectActor* member : crew) {
        if (member == nullptr) continue;
        if (index-- == 0) return member;
    }
    return nullptr;
}

std::int32_t GAME_CFieldObjectManager::CountIdleCrew() const
{
    return static_cast<std::int32_t>(std::count_if(crew.begin(), crew.end(), [](const GAME_CObjectActor* actor) {
        if (actor == nullptr || actor->dead != 0 || actor->assigned != 0) return false;
        return actor->task == nullptr || actor->task->GetKind() == kTaskItemCarrier ||
               actor->task->GetKind() == kTaskCarrierFromInventory;
    }));
}

void GAME_CFieldObjectManager::ClearCrewRoomLinks(const GAME_CRoomBase* room)
{
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr) continue;
        if (room == nullptr || actor->workLink.room == room) actor->workLink = ActorRoomLink{};
        if (room == nullptr || actor->homeLink.room == room) actor->homeLink = ActorRoomLink{};
    }
}

void GAME_CFieldObjectManager::SyncCrewRoomLinks()
{
    for (GAME_CObjectActor* actor : crew) {
        if (actor != nullptr) actor->SyncRoomLinks();
    }
}

void GAME_CFieldObjectManager::SetActorName(GAME_CObjectActor* actor, const ActorName& name)
{
    if (actor != nullptr) actor->status.name = name;
}

void GAME_CFieldObjectManager::PlaceCrewOnBottomRow()
{
    GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr) return;
    const std::int32_t row = ship->grid.height - 1;
    const std::int32_t width = std::max(ship->grid.width, 1);
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr) continue;
        if (actor->balloon != nullptr) actor->balloon->ResetQueue();
        std::int32_t column = -1;
        for (std::int32_t attempt = 0; attempt < kBottomRowTries && column < 0; ++attempt) {
            const std::int32_t x = vesk::math::Rand() / 2 % width;
            if (IsFloorCell(*ship, x, row)) column = x;
        }
        for (std::int32_t x = 0; x < width && column < 0; ++x) {
            if (IsFloorCell(*ship, x, row)) column = x;
        }
        if (column < 0) continue;
        ship->GetCellFloorPoint(column, row, &actor->position.x, &actor->position.y, true);
        actor->UpdateGridCell();
    }
}

// --- hull damage

void GAME_CFieldObjectManager::DamageActorsAtCell(std::int32_t column, std::int32_t row, const CellDamageRecord& damage)
{
    const GAME_CGameClock* clock = PeekGameClock();
    const bool stopped = clock != nullptr && clock->timeStopped != 0;
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr || actor->cellX != column || actor->cellY != row) continue;
        std::int64_t amount = damage.damage;
        if (damage.spreadPerMille > 0) {
            const std::int64_t spread = std::int64_t{damage.spreadPerMille} * damage.damage / 1000;
            const std::int64_t range = std::clamp<std::int64_t>(2 * spread + 2, 1, 32767);
            amount = std::max<std::int64_t>(damage.damage - spread + vesk::math::RandInt(static_cast<int>(range)), 0);
        }
        const std::int64_t change = -1000 * amount;
        if (!(change < 0 && stopped)) {
            GAME_CActorStatus& status = actor->status;
            const std::int64_t maximum = std::int64_t{status.computed.maxHp} * 1000;
            status.hp = static_cast<std::int32_t>(std::clamp<std::int64_t>(status.hp + change, 0, maximum));
            status.UpdateConditionFlags();
        }
        damageNumbers_.AddActor(actor, static_cast<std::int32_t>(std::min<std::int64_t>(amount, INT32_MAX)));
    }
}

// --- crew talk

template <typename Speak>
void GAME_CFieldObjectManager::WalkCrewTalk(std::int32_t speakers, bool skipHalf, Speak speak)
{
    std::int32_t spoken = 0;
    while (spoken < speakers) {
        for (GAME_CObjectActor* actor : crew) {
            if (spoken >= speakers) return;
            if (actor == nullptr) continue;
            if (skipHalf && vesk::math::Rand() < kHalfChance) continue;
            speak(*actor);
            ++spoken;
        }
        // A complete walk counts as one too, so an empty crew (or bad luck) ends the talk.
        ++spoken;
    }
}

void GAME_CFieldObjectManager::ShowCrewBalloonsFromRecord(std::span<const std::uint32_t> lines)
{
    if (lines.empty()) return;
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr || actor->balloon == nullptr || vesk::math::Rand() < kHalfChance) continue;
        actor->balloon->ShowMessage(GAME_CObjectMesBalloon::kBalloonLineGroup, RandomLine(lines));
    }
}

void GAME_CFieldObjectManager::ShowRandomCrewBalloons(std::span<const std::uint32_t> lines, std::int32_t maximum)
{
    if (lines.empty()) return;
    const std::int32_t half = HalfCrew(crew.size());
    const std::int32_t wanted = maximum == 1 ? 1 : 1 + (vesk::math::Rand() / 4) % std::max(maximum, 1);
    WalkCrewTalk(std::min(half, wanted), half >= 2, [&](GAME_CObjectActor& actor) {
        if (actor.balloon != nullptr) {
            actor.balloon->ShowMessage(GAME_CObjectMesBalloon::kBalloonLineGroup, RandomLine(lines));
        }
    });
}

void GAME_CFieldObjectManager::ShowCrewBalloonGroup(std::int32_t group, std::int32_t maximum, std::int32_t minimum)
{
    if (group < 0 || group >= GAME_CObjectMesBalloon::kFixedGroupCount) return;
    const BalloonGroup* record = FindBalloonGroup(static_cast<std::uint16_t>(group));
    if (record == nullptr || record->lines.empty()) return;
    const std::int32_t half = HalfCrew(crew.size());
    const std::int32_t high = std::clamp(maximum, 1, half);
    const std::int32_t low = std::max(minimum, std::max(1, half / 4));
    // A minimum above the maximum counts by the distance between them.
    const std::int32_t speakers =
        high == low ? high : low + vesk::math::Rand() % std::max(std::abs(high - low), 1);
    WalkCrewTalk(speakers, half >= 2, [&](GAME_CObjectActor& actor) {
        if (actor.balloon != nullptr) actor.balloon->ShowMessage(static_cast<std::uint16_t>(group), -1);
    });
}

// --- picking

GAME_CObjectActor* GAME_CFieldObjectManager::PickActorAtPointer() const { return FirstAtPointer(crew, IsPickableActor); }

GAME_CObjectActor* GAME_CFieldObjectManager::FindActorInRect(const vesk::math::Vec2& position,
                                                             const vesk::math::Vec2& size) const
{
    return FirstInRect(crew, IsPickableActor, position, size);
}

GAME_CObjectActor* GAME_CFieldObjectManager::FindNearestActorToPoint(const vesk::math::Vec2& point) const
{
    return NearestToPoint(crew, IsSelectableActor, point);
}

GAME_CObjectItem* GAME_CFieldObjectManager::PickItemAtPointer() const { return FirstAtPointer(items, IsFieldItem); }

GAME_CObjectItem* GAME_CFieldObjectManager::FindItemInRect(const vesk::math::Vec2& position,
                                                           const vesk::math::Vec2& size) const
{
    return FirstInRect(items, IsFieldItem, position, size);
}

GAME_CObjectItem* GAME_CFieldObjectManager::FindNearestItemToPoint(const vesk::math::Vec2& point) const
{
    return NearestToPoint(items, IsFieldItem, point);
}
