// A room's life cycle and script: set-up, finish, the label choice of each step, break and release.
#include "game/model/ship/room_base.h"

#include <algorithm>
#include <string>

#include "framework/math/random.h"
#include "framework/text/format_text.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/services/data/id_tags.h"
#include "game/services/player/player_data.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/model/script/script_package.h"
#include "game/services/text/message_text.h"
#include "game/model/object/object_actor.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_paths.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"

namespace {

constexpr std::int32_t kLabelPeriodBase = 120;
constexpr std::int32_t kLabelPeriodSpread = 31;
constexpr std::size_t kBreakMessageLength = 64;
constexpr std::uint32_t kMessageKindShip = 2;

const vesk::utility::script_package::ProgramRecord* FindRoomProgram(std::uint32_t roomId)
{
    const GAME_CScriptPackageHolder* holder = GetScriptPackages();
    const GAME_CScriptPackage* package = holder ? holder->Get(kScriptPackageRoom) : nullptr;
    return package ? package->FindProgram(roomId) : nullptr;
}

}  // namespace

GAME_CRoomBase::GAME_CRoomBase() : script_(this) {}

GAME_CRoomBase::~GAME_CRoomBase()
{
    ReleaseKindState();
    UnassignCrew(nullptr);
}

void GAME_CRoomBase::ResetToPool()
{
    kind = kRoomKindNone;
    level = 0;
    gridX = -1;
    gridY = -1;
    roomId = kNoId;
    spriteId = -1;
    width = 1;
    height = 1;
    roomData = nullptr;
    assignedCrew.clear();
    presentCrew.clear();
    inventoryLink = -1;
    capacity = 0;
    foodStackCount = 0;
    hullBonus = 0;
    fuelCapacityBonus = 0;
    fuelRateTerm = 0;
    turretPower = 0;
    turretAmmoCapacity = 0;
    engineOutput = 0;
    engineMode = kEngineDisconnected;
    durabilityBonus = 0;
    overLimit = {};
    birthCounter = 0;
    reevaluationTimer = 0;
    underConstruction = false;
    installedUpgrades = 0;
    scriptFlagA = false;
    buildStarted = false;
    offsetX = 0.0f;
    offsetY = 0.0f;
    scaleX = 1.0f;
    scaleY = 1.0f;
    broken = false;
    offset2X = 0.0f;
    offset2Y = 0.0f;
    target = nullptr;
    removeRequested = false;
    boundTasks.clear();
    screenRect = {};
    rememberedTab = 0;
    addTaskCursorRow = 0;
    addTaskFirstRow = 0;
    script_.Attach(nullptr);
    ship_paths::NoteLayoutChanged();
}

void GAME_CRoomBase::Setup(const SetupRecord& record)
{
    ResetToPool();
    kind = record.kindIndex;
    level = record.level;
    gridX = record.gridX;
    gridY = record.gridY;
    underConstruction = record.underConstruction;
    roomId = GetRoomIdTag(kind);
    roomData = FindRoomData(roomId);
    ship_paths::NoteLayoutChanged();
    if (roomData != nullptr) {
        width = static_cast<std::uint16_t>(std::clamp(roomData->width, 1, GAME_CShipGrid::kMaxWidth));
        height = static_cast<std::uint16_t>(std::clamp(roomData->height, 1, GAME_CShipGrid::kMaxHeight));
        capacity += roomData->capacity;
    }
    if (underConstruction) {
        BindRoomScript();
        GoBuildStay();
    } else if (!record.skipFinish) {
        Finish(false);
    }
}

void GAME_CRoomBase::BindRoomScript()
{
    script_.Attach(FindRoomProgram(roomId));
    roomData = FindRoomData(roomId);
    ship_paths::NoteLayoutChanged();
    if (roomData == nullptr) return;
    spriteId = roomData->spriteId;
    width = static_cast<std::uint16_t>(std::clamp(roomData->width, 1, GAME_CShipGrid::kMaxWidth));
    height = static_cast<std::uint16_t>(std::clamp(roomData->height, 1, GAME_CShipGrid::kMaxHeight));
}

std::int32_t GAME_CRoomBase::GetRoomNumber() const
{
    const GAME_CShip* ship = ship_world::Ship();
    return ship != nullptr ? ship->GetRoomIndex(this) : -1;
}

void GAME_CRoomBase::Finish(bool noRequests)
{
    underConstruction = false;
    buildStarted = false;
    roomData = FindRoomData(roomId);
    ship_paths::NoteLayoutChanged();
    RecalcValues();
    if (!broken && !underConstruction) {
        if (HasLabel(room_label::kNoTask)) script_.JumpToLabel(room_label::kNoTask);
        script_.TickScript();
    }
    GAME_CShip* ship = ship_world::Ship();
    if (IsGameWorldReady() && ship != nullptr) {
        ship->RecalcStats();
        if (ship->scriptWaiting != 0 && ship->awaitedRoomId == roomId) ship->ClearScriptWait();
    }
    if (noRequests || !IsGameWorldReady() || GetRoomNumber() < 0) return;
    PostRequests();
}

void GAME_CRoomBase::PostRequests()
{
    if (roomData == nullptr) return;
    const std::int32_t number = GetRoomNumber();
    if ((roomData->flags & kRoomTurret) != 0) {
        if (roomData->acceptedItems.empty()) return;
        const std::uint32_t ammoId = roomData->acceptedItems.front();
        if (GAME_CAmmoImpl* store = GetOrCreateAmmoStorage(number)) store->SetAmmoId(&ammoId);
        GAME_CTaskBase::CreateFromRequest(MakeReloadRequest(number, ammoId));
        return;
    }
    if ((roomData->flags & kRoomFoodStorage) == 0) return;
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr || database->CookingRecipes().empty()) return;
    const std::uint32_t recipeId = database->CookingRecipes().begin()->first;
    if (recipeId == kNoId || database->FindCookingRecipe(recipeId) == nullptr) return;
    if (GAME_CFoodStorage* store = GetOrCreateFoodStorage(number)) store->SetFoodId(&recipeId);
    GAME_CTaskBase::CreateFromRequest(MakeCookingRequest(number));
}

void GAME_CRoomBase::Update()
{
    UpdateBirths();
    if (--reevaluationTimer < 1) {
        reevaluationTimer = kLabelPeriodBase + (vesk::math::Rand() & kLabelPeriodSpread);
        if (!HasActiveLabel()) {
            if (!underConstruction && IsBuiltOnGrid()) return;
            if (FindWorkingTask() != nullptr) {
                underConstruction ? GoBuildRunning() : GoTask();
            } else {
                underConstruction ? GoBuildStay() : GoNoTask();
            }
        } else {
            ChooseLabel();
        }
    }
    script_.TickScript();
}

void GAME_CRoomBase::ChooseLabel()
{
    if (underConstruction) return;
    if (FindRunningUpgradeTask() != nullptr) {
        if (!IsInUpgradeRunningLabel()) GoUpgradeRunning();
        return;
    }
    if (FindWorkingTask() != nullptr) {
        if (!IsInLabel(WorkLabel()) && !IsInUpgradeRunningLabel()) GoTask();
        return;
    }
    if (IsInLabel(room_label::kNoTask) || IsInLabel(room_label::kUpgradeStay)) return;
    GoNoTask();
}

void GAME_CRoomBase::Break()
{
    GoToLabel(room_label::kBreak);
    std::u16string text = vesk::text::FormatText(GetMessageTextOrKey("OLIF_ROOM_BREAK"),
                                                  {GetMessageTextOrKey(TagText(roomId))});
    if (text.size() > kBreakMessageLength) text.resize(kBreakMessageLength);
    ship_world::PostMessage(text, kMessageKindShip);
}

void GAME_CRoomBase::ReleaseKindState()
{
    GAME_CShip* ship = ship_world::Ship();
    if (IsGameWorldReady()) {
        if (GAME_CTaskManager* tasks = ship_world::Tasks()) tasks->RemoveRoomTasks(this);
    }
    if (ship == nullptr) return;
    UnassignCrew(nullptr);
    for (GAME_CObjectActor* member : assignedCrew) {
        if (member != nullptr) member->assigned = 0;
    }
    assignedCrew.clear();
    if (roomData == nullptr) {
        if (kind == kRoomKindEngine) ship->RecalcStats();
        return;
    }
    const std::uint32_t flags = roomData->flags;
    const std::int32_t number = GetRoomNumber();
    if ((flags & kRoomInventory) != 0) {
        if (GAME_CPlayerData* player = GetPlayerData()) player->DropRoomInventories(this);
    }
    if ((flags & kRoomFoodStorage) != 0 && number >= 0) RemoveFoodStorage(FindFoodStorage(number));
    if ((flags & kRoomHull) != 0) ship->RecalcStats();
    if ((flags & kRoomFuelTank) != 0) ship->RecalcStats();
    if ((flags & kRoomTurret) != 0 && number >= 0) RemoveAmmoStorage(FindAmmoStorage(number), gridY);
    if (kind == kRoomKindEngine) ship->RecalcStats();
}

// --- script labels

bool GAME_CRoomBase::HasLabel(std::u16string_view label) const { return script_.FindLabel(label).has_value(); }

bool GAME_CRoomBase::HasActiveLabel() const
{
    const vesk::utility::script::ScriptThreadBlock* threads = script_.GetThreads();
    return script_.GetProgram() != nullptr && threads != nullptr && threads->Main().running != 0;
}

bool GAME_CRoomBase::IsInLabel(std::u16string_view label) const
{
    if (!HasActiveLabel()) return false;
    const auto found = script_.FindLabel(label);
    return found.has_value() && found->commandIndex == script_.GetThreads()->Main().startIndex;
}

bool GAME_CRoomBase::IsInWorkLabel() const
{
    return IsInTaskLabel() || IsInCrewTaskLabel() || IsInUpgradeRunningLabel();
}

std::u16string_view GAME_CRoomBase::WorkLabel() const
{
    return assignedCrew.size() >= 2 && HasLabel(room_label::kTaskTwoCrew) ? room_label::kTaskTwoCrew
                                                                          : room_label::kTask;
}

void GAME_CRoomBase::GoToLabel(std::u16string_view label)
{
    if (HasLabel(label)) script_.JumpToLabel(label);
    script_.TickScript();
}

void GAME_CRoomBase::GoNoTask()
{
    if (!broken && !underConstruction) GoToLabel(room_label::kNoTask);
}

void GAME_CRoomBase::GoTask()
{
    if (!broken && !underConstruction) GoToLabel(WorkLabel());
}

void GAME_CRoomBase::GoBuildStay()
{
    if (!broken) GoToLabel(room_label::kBuildStay);
}

void GAME_CRoomBase::GoBuildRunning()
{
    if (!broken) GoToLabel(room_label::kBuildRunning);
}

void GAME_CRoomBase::GoUpgradeStay()
{
    if (!broken && !underConstruction) GoToLabel(room_label::kUpgradeStay);
}

void GAME_CRoomBase::GoUpgradeRunning()
{
    if (!broken && !underConstruction) GoToLabel(room_label::kUpgradeRunning);
}
