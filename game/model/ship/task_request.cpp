// The builders of task requests, one per kind.
#include "game/model/ship/task_request.h"

#include "game/services/data/tag.h"
#include "game/services/data/task_records.h"

namespace {

// A new request of the kind; `firstWord` is its first kind-specific word (offset 20).
GAME_CTaskRequest Begin(std::uint32_t taskId, std::int32_t kind, std::uint32_t size, std::int32_t roomIndex,
                        std::uint32_t firstWord = 0)
{
    GAME_CTaskRequest request;
    request.taskId = taskId;
    request.kind = kind;
    request.size = size;
    request.restored = 0;
    request.roomIndex = roomIndex;
    request.Word(20) = firstWord;
    return request;
}

// Crew limit, duration in seconds and the two meter totals of the record, at offsets 20 to 32.
void CopyWorkWords(GAME_CTaskRequest& request, const TaskData& record)
{
    request.Word(20) = static_cast<std::uint32_t>(record.crewLimit);
    request.Word(24) = static_cast<std::uint32_t>(record.durationSeconds);
    request.Word(28) = static_cast<std::uint32_t>(record.staminaChange);
    request.Word(32) = static_cast<std::uint32_t>(record.calorieChange);
}

}  // namespace

GAME_CTaskRequest MakeItemCraftRequest(const TaskData& record, std::int32_t roomIndex, std::uint32_t extra)
{
    GAME_CTaskRequest request = Begin(record.id, kTaskItemCraft, 48, roomIndex);
    CopyWorkWords(request, record);
    request.Word(36) = record.productItem;
    request.Word(40) = static_cast<std::uint32_t>(record.productCount);
    request.Word(44) = extra;
    return request;
}

GAME_CTaskRequest MakeItemCarrierRequest(GAME_CObjectItem* item, std::uint16_t x, std::uint16_t y)
{
    GAME_CTaskRequest request = Begin(MakeTag("TICR"), kTaskItemCarrier, 24, -1,
                                      static_cast<std::uint32_t>(x) | static_cast<std::uint32_t>(y) << 16);
    request.item = item;
    return request;
}

GAME_CTaskRequest MakeRoomUpgradeRequest(const TaskData& record, std::int32_t roomIndex)
{
    GAME_CTaskRequest request = Begin(record.id, kTaskRoomUpgrade, 40, roomIndex);
    CopyWorkWords(request, record);
    request.Word(36) = record.productItem;
    return request;
}

GAME_CTaskRequest MakeMealRequest(std::int32_t roomIndex)
{
    return Begin(MakeTag("TMEL"), kTaskMeal, 20, roomIndex);
}

GAME_CTaskRequest MakeCookingRequest(std::int32_t roomIndex, std::uint32_t value)
{
    GAME_CTaskRequest request = Begin(MakeTag("TCKG"), kTaskCooking, 44, roomIndex);
    request.Word(40) = value;
    return request;
}

GAME_CTaskRequest MakeAttackRequest(std::int32_t roomIndex, std::uint32_t flag)
{
    GAME_CTaskRequest request = Begin(MakeTag("TATK"), kTaskAttackToEnemy, 44, roomIndex, 1);
    request.Word(24) = 120;
    request.Word(40) = flag;
    return request;
}

GAME_CTaskRequest MakePatientRequest(std::int32_t roomIndex, std::uint32_t a, std::uint32_t treatment,
                                     std::uint32_t c)
{
    GAME_CTaskRequest request = Begin(MakeTag("TPTT"), kTaskPatient, 32, roomIndex, a);
    request.Word(24) = treatment;
    request.Word(28) = c;
    return request;
}

GAME_CTaskRequest MakeRouteScanRequest(std::int32_t roomIndex, std::uint32_t a)
{
    return Begin(MakeTag("TSCN"), kTaskRouteScan, 24, roomIndex, a);
}

GAME_CTaskRequest MakeEngineMaintenanceRequest(std::int32_t roomIndex, std::uint32_t a)
{
    return Begin(MakeTag("TMNT"), kTaskEngineMaintenance, 24, roomIndex, a);
}

GAME_CTaskRequest MakeMindControlRequest(std::int32_t roomIndex, std::uint32_t slot, GAME_CObjectActor* actor,
                                         std::uint32_t flag)
{
    GAME_CTaskRequest request = Begin(MakeTag("TMDC"), kTaskMindControl, 32, roomIndex, slot);
    request.actor = actor;
    request.Word(28) = flag;
    return request;
}

GAME_CTaskRequest MakeRefuelRequest(std::uint32_t taskId, std::int32_t roomIndex, std::uint32_t a)
{
    return Begin(taskId, kTaskRefuel, 24, roomIndex, a);
}

GAME_CTaskRequest MakeReloadRequest(std::int32_t roomIndex, std::uint32_t ammoId)
{
    return Begin(MakeTag("TRLD"), kTaskReload, 24, roomIndex, ammoId);
}

GAME_CTaskRequest MakeCarryFromStoreRequest(GAME_CTaskBase* parent, std::int32_t roomIndex, std::uint32_t itemId,
                                            std::int32_t count)
{
    GAME_CTaskRequest request =
        Begin(MakeTag("TCFI"), kTaskCarrierFromInventory, 32, roomIndex, static_cast<std::uint32_t>(roomIndex));
    request.parent = parent;
    request.Word(24) = itemId;
    request.Word(28) = static_cast<std::uint32_t>(count);
    return request;
}

GAME_CTaskRequest MakeMealOnGridRequest() { return Begin(MakeTag("TMOG"), kTaskMealOnGrid, 16, -1); }

GAME_CTaskRequest MakeRoomBuildRequest(std::int32_t roomIndex)
{
    return Begin(MakeTag("TRBD"), kTaskRoomBuild, 24, roomIndex);
}

GAME_CTaskRequest MakeBreakRequest(std::int32_t roomIndex) { return Begin(MakeTag("TBRK"), kTaskBreak, 20, roomIndex); }

GAME_CTaskRequest MakeBridgeDriverRequest(std::int32_t roomIndex)
{
    return Begin(MakeTag("TDRV"), kTaskBridgeDriver, 20, roomIndex);
}

GAME_CTaskRequest MakeDoctorRequest(std::int32_t roomIndex) { return Begin(MakeTag("TDCT"), kTaskDoctor, 20, roomIndex); }
