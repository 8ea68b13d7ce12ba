// A crew member's speech balloon: a small queue of lines that pops open over the speaker, bobs and closes.
#include "game/model/object/object_mes_balloon.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/math/random.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_lookups.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_sprite_draw.h"
#include "game/model/ship/ship_world.h"

namespace {

constexpr std::uint16_t kStarvingGroup = 0;
constexpr std::uint16_t kExhaustedGroup = 1;
constexpr std::uint16_t kCriticalGroup = 2;
constexpr std::int32_t kBobFrames = 60;
constexpr float kBobDegreesPerFrame = 6.0f;
constexpr float kBobHeight = 2.0f;
constexpr float kAnchorLift = 12.0f;
constexpr float kRoomAnchorLift = 6.0f;
constexpr std::uint32_t kLanguageJapanese = 0;
constexpr std::uint32_t kLanguageKorean = 2;

bool AlwaysSpeaks(std::uint16_t group) { return (group >= 3 && group <= 5) || (group >= 100 && group <= 107); }

template <typename Slots>
bool HoldsId(const Slots& slots, std::uint32_t id)
{
    return id != kNoId && std::any_of(slots.begin(), slots.end(), [&](const auto& slot) { return slot.id == id; });
}

}  // namespace

GAME_CObjectMesBalloon::GAME_CObjectMesBalloon()
{
    spriteIndex = -1;
    InitTween(scaleTween, 0.0f, 0.0f, kTweenFrames, 0);
}

void GAME_CObjectMesBalloon::ResetQueue()
{
    queue.clear();
    spriteIndex = -1;
    state = kIdle;
    requestedState = kIdle;
    showCountdown = 0;
    scale = {0.0f, 0.0f};
    bobOffset = {};
}

bool GAME_CObjectMesBalloon::IsGroupQueued(std::uint16_t group) const
{
    return std::any_of(queue.begin(), queue.end(), [&](const BalloonQueueEntry& entry) { return entry.group == group; });
}

bool GAME_CObjectMesBalloon::MaySpeak(std::uint16_t group) const
{
    const BalloonGroup* record = FindBalloonGroup(group);
    if (record == nullptr || owner == nullptr) return false;
    const GAME_CActorStatus& status = owner->status;
    switch (group) {
    case kStarvingGroup:
        return status.IsStarving();
    case kExhaustedGroup:
        return status.IsExhausted();
    case kCriticalGroup:
        return status.IsCritical();
    default:
        break;
    }
    if (AlwaysSpeaks(group)) return true;
    return HoldsId(status.buffs, record->buffId) || HoldsId(status.debuffs, record->debuffId);
}

std::int32_t GAME_CObjectMesBalloon::ChooseLine(std::uint16_t group, std::int32_t lineId) const
{
    if (lineId != -1) return lineId;
    const BalloonGroup* record = FindBalloonGroup(group);
    if (record == nullptr || record->lines.empty()) return -1;
    const int count = static_cast<int>(std::min<std::size_t>(record->lines.size(), 32767));
    return static_cast<std::int32_t>(record->lines[static_cast<std::size_t>(vesk::math::RandInt(count))]);
}

void GAME_CObjectMesBalloon::ShowHead()
{
    spriteIndex = queue.front().lineId;
    showCountdown = kShowFrames;
    if (state != kShowing) requestedState = kOpening;
}

void GAME_CObjectMesBalloon::ShowMessage(std::uint16_t group, std::int32_t lineId)
{
    if (group == kBalloonLineGroup) {
        if (lineId == -1) return;
        std::erase_if(queue, [](const BalloonQueueEntry& entry) { return entry.group == kBalloonLineGroup; });
        queue.insert(queue.begin(), BalloonQueueEntry{lineId, 0, kBalloonLineGroup, 0, 0, 0});
        ShowHead();
        return;
    }
    if (!MaySpeak(group) || IsGroupQueued(group)) return;
    const std::int32_t line = ChooseLine(group, lineId);
    if (line == -1) return;
    const std::uint8_t repeat = FindBalloonGroup(group)->flag != 0 ? 1 : 0;
    BalloonQueueEntry entry{line, 0, group, repeat, 0, 0};
    const bool flagged = std::any_of(queue.begin(), queue.end(), [](const BalloonQueueEntry& e) { return e.flagWord != 0; });
    if (!flagged) entry.repeatOnce = repeat;
    queue.push_back(entry);
    // While a line shows, the new one waits its turn behind it. Otherwise the balloon opens on the
    // head of the queue: the shown line is always the head, so that moving on drops the line that
    // was seen.
    if (state == kShowing) {
        showCountdown = kShowFrames;
    } else {
        ShowHead();
    }
}

void GAME_CObjectMesBalloon::ShowMessageNow(std::uint16_t group)
{
    if (group == kBalloonLineGroup || !MaySpeak(group)) return;
    const std::int32_t line = ChooseLine(group, -1);
    if (line == -1) return;
    std::erase_if(queue, [&](const BalloonQueueEntry& entry) { return entry.group == group; });
    const std::uint8_t repeat = FindBalloonGroup(group)->flag != 0 ? 1 : 0;
    BalloonQueueEntry entry{line, 0, group, repeat, 0, 0};
    const bool flagged = std::any_of(queue.begin(), queue.end(), [](const BalloonQueueEntry& e) { return e.flagWord != 0; });
    if (!flagged) entry.repeatOnce = repeat;
    queue.insert(queue.begin(), entry);
    // The head of the queue is the line on show, so the new head shows now, also over a line
    // already showing.
    ShowHead();
}

void GAME_CObjectMesBalloon::RemoveQueuedGroup(std::uint16_t group)
{
    const auto found =
        std::find_if(queue.begin(), queue.end(), [&](const BalloonQueueEntry& entry) { return entry.group == group; });
    if (found == queue.end()) return;
    const bool wasShown = found == queue.begin();
    queue.erase(found);
    // The head is the line on show: when it goes, the next one takes its place rather than being
    // dropped unseen when the shown line's time is up.
    if (wasShown && !queue.empty()) ShowHead();
}

void GAME_CObjectMesBalloon::EnterState(std::int32_t newState)
{
    state = newState;
    if (newState == kOpening) {
        scaleTween.to = {1.0f, 1.0f};
        scaleTween.duration = kTweenFrames;
        RestartTweenFrom(scaleTween, {0.0f, 0.0f});
    } else if (newState == kShowing) {
        bobPhase = 0;
    } else if (newState == kClosing) {
        scaleTween.to = {0.0f, 0.0f};
        scaleTween.duration = kTweenFrames;
        RestartTweenFrom(scaleTween, {1.0f, 1.0f});
    }
}

void GAME_CObjectMesBalloon::Update()
{
    if (owner == nullptr || owner->dead != 0 || owner->status.IsHPEmpty()) {
        state = kIdle;
        requestedState = kIdle;
        return;
    }
    if (queue.empty() && state != kIdle && state != kClosing) requestedState = kClosing;
    if (requestedState != state) EnterState(requestedState);
    switch (state) {
    case kIdle:
        if (!queue.empty() && --queue.front().wait < 1) requestedState = kOpening;
        break;
    case kOpening:
        UpdateTweenEaseOut(scaleTween, scale);
        if (IsTweenFinished(scaleTween)) requestedState = kShowing;
        break;
    case kShowing:
        UpdateShowing();
        break;
    case kClosing:
        UpdateTweenEaseOut(scaleTween, scale);
        if (IsTweenFinished(scaleTween)) {
            if (!queue.empty()) {
                ShowHead();
            } else {
                requestedState = kIdle;
            }
        }
        break;
    default:
        break;
    }
}

void GAME_CObjectMesBalloon::UpdateShowing()
{
    if (queue.empty()) {
        requestedState = kClosing;
        return;
    }
    BalloonQueueEntry& head = queue.front();
    if (head.wait > 0) {
        --head.wait;
        return;
    }
    if (head.wait == 0) head.wait = -1;
    if (--showCountdown < 1) {
        MoveOn();
        return;
    }
    bobPhase = (bobPhase + 1) % kBobFrames;
    const float radians = static_cast<float>(bobPhase) * kBobDegreesPerFrame * std::numbers::pi_v<float> / 180.0f;
    bobOffset.x = 0.0f;
    bobOffset.y = bobPhase < kBobFrames / 2 ? -kBobHeight * std::sin(radians) : 0.0f;
}

void GAME_CObjectMesBalloon::MoveOn()
{
    if (queue.empty()) {
        requestedState = kClosing;
        return;
    }
    const BalloonQueueEntry done = queue.front();
    queue.erase(queue.begin());
    if (done.repeat != 0) {
        ShowMessage(done.group, done.group == kBalloonLineGroup ? done.lineId : -1);
        if (done.repeatOnce != 0 && !queue.empty() && queue.back().group == done.group) {
            queue.back().wait = kRepeatWait;
            queue.back().flagWord = 1;
        }
    }
    if (queue.empty()) {
        requestedState = kClosing;
        return;
    }
    ShowHead();
}

void GAME_CObjectMesBalloon::Draw()
{
    if (state == kIdle || spriteIndex < 0 || owner == nullptr || owner->dead != 0) return;
    if (!queue.empty() && queue.front().wait > 0) return;
    vesk::math::Vec2 anchor = owner->GetPosition();
    const GAME_CShip* ship = ship_world::Ship();
    const float cellWidth = FieldCellWidth();
    const float cellHeight = FieldCellHeight();
    anchor.y -= cellHeight - kAnchorLift;
    if (owner->assigned != 0 && ship != nullptr) {
        // Inside a room the crew member speaks from the middle of the room.
        if (const GAME_CRoomBase* room = ship->GetRoomAtCell(owner->GetGridColumn(), owner->GetGridRow())) {
            anchor.x = (room->gridX + room->width * 0.5f) * cellWidth;
            anchor.y = (room->gridY + room->height * 0.5f) * cellHeight - (cellHeight + kRoomAnchorLift);
        }
    }
    const vesk::math::Vec2 point = CurrentFieldFrame().ToScreen(anchor);
    std::int32_t sprite = spriteIndex;
    const GAME_CPlayerData* player = GetPlayerData();
    const std::uint32_t language = player != nullptr ? player->language : kLanguageJapanese;
    if (const GAME_CFieldObjectManager* manager = ship_world::FieldObjects(); manager != nullptr) {
        if (language == kLanguageKorean) {
            sprite = manager->GetBalloonSpriteKorean(sprite);
        } else if (language != kLanguageJapanese) {
            sprite = manager->GetBalloonSpriteEnglish(sprite);
        }
    }
    ShipSpriteLook look;
    look.scaleX = scale.x;
    look.scaleY = scale.y;
    look.pivotX = anchorX;
    look.pivotY = anchorY;
    DrawShipSprite(sprite, point.x + bobOffset.x, point.y + bobOffset.y, look);
}
