// The departure for the next hideout: its notice, the hull's turn, the screens, the music and a fresh driver task.
#include <algorithm>
#include <string>

#include "framework/text/format_text.h"
#include "game/services/data/static_lookups.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/message_text.h"
#include "game/services/text/tag_text.h"
#include "game/model/world/game_world.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_request.h"

namespace {

constexpr std::size_t kNoticeLineLength = 255;
constexpr std::uint16_t kDrivingRoomKind = 1;
constexpr std::int32_t kDepartureFadeFrames = 240;

// The route's music for the way out: its first piece when bound for the record's end, else its
// second (the first when the second is no music).
std::int32_t DepartureMusic(const RouteData& record, std::uint32_t destination)
{
    if (record.music1 >= kMusicTrackCount) return -1;
    if (destination == record.endLocation) return record.music1;
    return record.music2 >= kMusicTrackCount ? record.music1 : record.music2;
}

// The bridge's driver task made anew, its driver kept on it.
void RenewDriverTask(GAME_CGameWorld& world)
{
    GAME_CShip& ship = *world.ship;
    const auto bridge = std::find_if(ship.rooms.begin(), ship.rooms.end(), [](const GAME_CRoomBase* room) {
        return room != nullptr && room->kind == kDrivingRoomKind;
    });
    if (bridge == ship.rooms.end()) return;
    GAME_CRoomBase& room = **bridge;
    const bool wasWorking = room.IsInWorkLabel();
    GAME_CObjectActor* driver = nullptr;
    std::vector<GAME_CTaskBase*> running;
    world.tasks->GetTasksOfKind(kTaskBridgeDriver, running);
    if (!running.empty() && !running.front()->crew.empty()) {
        driver = running.front()->crew.front();
        running.front()->RemoveCrew(driver);
    }
    world.tasks->FinishTasksOfKind(kTaskBridgeDriver);
    GAME_CTaskBase* task = GAME_CTaskBase::CreateFromRequest(MakeBridgeDriverRequest(ship.GetRoomIndex(&room)));
    if (task == nullptr) return;
    if (driver != nullptr) {
        task->AddCrew(driver);
        if (wasWorking) room.AssignCrew(driver);
    }
    if (wasWorking) room.GoTask();
}

}  // namespace

void ShowNextHideoutNotice(GAME_CGameWorld& world)
{
    if (!world.travel || !world.travel->routeManager || !world.ui || !world.ship) return;
    GAME_CTravelController& travel = *world.travel;
    GAME_CRouteManager& route = *travel.routeManager;

    world.ui->ClearInfoBarMessages();
    world.ui->ClearShipStatusNotice();
    char destination[5];
    TagToString(route.GetDestination(), destination);
    std::u16string line = vesk::text::FormatText(GetMessageTextExpanded("OLIF_GO_TO_NEXT_AJITO"),
                                                 {GetMessageTextExpanded(destination)});
    line.resize(std::min(line.size(), kNoticeLineLength));
    world.ui->PostLine(line, 0);

    GAME_CShip& ship = *world.ship;
    ship.ApplyRouteEndpoint(route.GetRouteId(), route.GetDestination());
    if (ship.IsTurning()) {
        ship.SetRoutePosition(0);
    } else {
        ship.SetRoutePosition(std::clamp(route.GetPosition(), 0, route.GetLength()));
    }
    for (int slot : {kSlotAjitoMenu, kSlotAjitoRoot, kSlotMap, kSlotEvent}) world.ui->SetOpen(slot, false);
    world.ui->SetOpen(kSlotCommon, true);
    world.ui->SetOpen(kSlotShipStatus, true);
    if (world.background) world.background->SetRoute(route);

    if (const RouteData* record = route.GetRouteRecord()) {
        std::vector<std::uint32_t> lines(record->values.begin(), record->values.end());
        world.fieldObjects->ShowCrewBalloonsFromRecord(lines);
        const std::int32_t music = DepartureMusic(*record, route.GetDestination());
        if (music >= 0) {
            if (travel.bgmLock == 0) {
                if (GAME_CSoundPlayer* sound = PeekSoundPlayer()) {
                    sound->PlayBGM(static_cast<std::uint32_t>(music), kDepartureFadeFrames, false);
                }
            }
            travel.music.currentId = music;
        }
    }
    RenewDriverTask(world);
}
