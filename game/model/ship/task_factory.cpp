// The task factory: one maker per kind, the creation of a task from a request, and the request rebuilt from a save record.
#include <array>

#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_attack.h"
#include "game/model/ship/task_build.h"
#include "game/model/ship/task_care.h"
#include "game/model/ship/task_carry.h"
#include "game/model/ship/task_factory.h"
#include "game/model/ship/task_food.h"
#include "game/model/ship/task_manager.h"
#include "game/model/ship/task_ship_ops.h"
#include "platform/little_endian.h"

namespace {

using TaskCreate = GAME_CTaskBase* (*)(const GAME_CTaskRequest&);

template <typename Task>
GAME_CTaskBase* Create(const GAME_CTaskRequest& request)
{
    return new Task(request);
}

// Indexed by kind; kind 1 has no class.
constexpr std::array<TaskCreate, kTaskKindCount> kFactory{
    &Create<GAME_CTaskRoomBuild>,
    nullptr,
    &Create<GAME_CTaskItemCraft>,
    &Create<GAME_CTaskRoomUpgrade>,
    &Create<GAME_CTaskMeal>,
    &Create<GAME_CTaskBreak>,
    &Create<GAME_CTaskItemCarrier>,
    &Create<GAME_CTaskCooking>,
    &Create<GAME_CTaskCarrierFromInventory>,
    &Create<GAME_CTaskAttackToEnemy>,
    &Create<GAME_CTaskReload>,
    &Create<GAME_CTaskDoctor>,
    &Create<GAME_CTaskPatient>,
    &Create<GAME_CTaskRouteScan>,
    &Create<GAME_CTaskEngineMaintenance>,
    &Create<GAME_CTaskBridgeDriver>,
    &Create<GAME_CTaskMealOnGrid>,
    &Create<GAME_CTaskMindControl>,
    &Create<GAME_CTaskRefuel>,
};

constexpr std::uint32_t kHealTask = MakeTag("THHP");

}  // namespace

bool HasTaskClass(std::int32_t kind)
{
    return kind >= 0 && kind < kTaskKindCount && kFactory[static_cast<std::size_t>(kind)] != nullptr;
}

GAME_CTaskBase* GAME_CTaskBase::CreateFromRequest(const GAME_CTaskRequest& request)
{
    GAME_CTaskManager* tasks = ship_world::Tasks();
    if (tasks == nullptr || !HasTaskClass(request.kind) || !tasks->CanCreateTask(request)) return nullptr;
    GAME_CTaskBase* task = kFactory[static_cast<std::size_t>(request.kind)](request);
    tasks->AddTask(task);
    return task;
}

std::optional<GAME_CTaskRequest> MakeRequestFromSaveRecord(std::span<const std::uint8_t> record)
{
    const std::uint32_t taskId = platform::ReadU32(record, task_record::kId);
    const std::uint32_t kindWord = platform::ReadU32(record, task_record::kKindWord);
    const std::int32_t kind = record[task_record::kKind];
    const std::uint8_t roomByte = record[task_record::kRoom];
    const std::int32_t room = roomByte < GAME_CTaskBase::kNoRoomIndex ? roomByte : -1;
    std::optional<GAME_CTaskRequest> request;
    switch (kind) {
    case kTaskRoomBuild:
        request = MakeRoomBuildRequest(room);
        break;
    case kTaskItemCraft:
        if (const TaskData* data = FindTaskData(taskId)) request = MakeItemCraftRequest(*data, room, 1);
        break;
    case kTaskRoomUpgrade:
        if (const TaskData* data = FindTaskData(taskId)) request = MakeRoomUpgradeRequest(*data, room);
        break;
    case kTaskMeal:
        request = MakeMealRequest(room);
        break;
    case kTaskBreak:
        request = MakeBreakRequest(room);
        request->taskId = taskId;
        break;
    case kTaskItemCarrier:
        // The item object it went for is not saved; lying items ask for their carriers anew.
        break;
    case kTaskCooking:
        request = MakeCookingRequest(room, 1);
        break;
    case kTaskCarrierFromInventory:
        request = MakeCarryFromStoreRequest(nullptr, room, kindWord, 0);
        break;
    case kTaskAttackToEnemy:
        request = MakeAttackRequest(room, 1);
        break;
    case kTaskReload:
        request = MakeReloadRequest(room, kindWord);
        break;
    case kTaskDoctor:
        request = MakeDoctorRequest(room);
        break;
    case kTaskPatient:
        if (taskId == kHealTask) {
            request = MakePatientRequest(room, 0, 0, 0);
        } else if (const TaskData* data = FindTaskData(taskId); data != nullptr && data->treatedDebuff != kNoId) {
            request = MakePatientRequest(room, 0, data->treatedDebuff, 0);
        }
        break;
    case kTaskRouteScan:
        request = MakeRouteScanRequest(room, 1);
        break;
    case kTaskEngineMaintenance:
        request = MakeEngineMaintenanceRequest(room, 1);
        break;
    case kTaskBridgeDriver:
        request = MakeBridgeDriverRequest(room);
        break;
    case kTaskMealOnGrid:
        request = MakeMealOnGridRequest();
        break;
    case kTaskMindControl:
        request = MakeMindControlRequest(room, kindWord, nullptr, 1);
        request->taskId = taskId;
        break;
    case kTaskRefuel:
        request = MakeRefuelRequest(taskId, room, 1);
        break;
    default:
        break;
    }
    if (request) request->restored = 1;
    return request;
}
