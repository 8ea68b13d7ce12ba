// A room on the ship: its kind, cell and script, its crew and bound tasks, and the values its data and upgrades give.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "game/services/data/record_entries.h"
#include "game/model/script/script_room.h"

class GAME_CObjectActor;
class GAME_CObjectEnemy;
class GAME_CTaskBase;
struct RoomData;

// Room kinds with rules of their own (positions in the room-id table).
enum RoomKind : std::uint16_t {
    kRoomKindNone = 0,
    kRoomKindBridge = 1,
    kRoomKindCrewHome = 3,
    kRoomKindDoubleTurret = 16,
    kRoomKindStorage = 20,
    kRoomKindEngine = 23,
    kRoomKindOpenStorage = 32,  // "ID90": holds what does not fit anywhere, without capacity rules
};

// Engine modes of an engine room.
enum EngineMode : std::int32_t { kEngineDisconnected = 0, kEngineConnected = 1, kEngineOverLimit = 2 };

// The labels of a room script; the room's state is the label its script runs.
namespace room_label {
inline constexpr std::u16string_view kNoTask = u"更新[NoTask]";
inline constexpr std::u16string_view kTask = u"更新[Task]";
inline constexpr std::u16string_view kTaskTwoCrew = u"更新[Task][2人]";
inline constexpr std::u16string_view kBuildStay = u"更新[Build][Stay]";
inline constexpr std::u16string_view kBuildRunning = u"更新[Build][Running]";
inline constexpr std::u16string_view kUpgradeStay = u"アップグレード[Stay]";
inline constexpr std::u16string_view kUpgradeRunning = u"アップグレード[Running]";
inline constexpr std::u16string_view kBreak = u"破壊";
}  // namespace room_label

// A building block of the ship grid. The ship owns a fixed pool of rooms and moves them between
// its free list and its room list; a free room holds the pool state (kind 0, off the grid).
class GAME_CRoomBase {
public:
    static constexpr int kUpgradeTypeCount = 11;
    static constexpr std::size_t kMaxBoundTasks = 5;

    struct SetupRecord {
        std::uint16_t kindIndex = 0;  // position in the room-id table
        std::uint16_t level = 0;
        std::int16_t gridX = -1;
        std::int16_t gridY = -1;
        bool underConstruction = false;
        bool skipFinish = false;
    };

    // {speed, rate} of one over-limit stage of an engine.
    struct OverLimitPair {
        std::int32_t speed = 0;
        std::int32_t rate = 0;
    };

    GAME_CRoomBase();
    virtual ~GAME_CRoomBase();
    GAME_CRoomBase(const GAME_CRoomBase&) = delete;
    GAME_CRoomBase& operator=(const GAME_CRoomBase&) = delete;

    // --- life cycle
    // Clears the room to the pool state, then takes kind, cell and state from the record. A room
    // under construction binds its script and waits in its build label; a finished one is finished
    // unless the record says to skip that.
    void Setup(const SetupRecord& record);
    // Back to the pool state (kind 0, off the grid, nothing bound).
    void ResetToPool();
    // The room is done: values recomputed, the no-task label, the ship's stats; unless asked not
    // to, a turret posts its reload and a food-storage room its cooking.
    void Finish(bool noRequests);
    // Binds the room script of the room id from the room script package; sprite, footprint and
    // record from the room's data.
    void BindRoomScript();
    // One simulation step: births, the label choice every 120 to 151 steps, the script at its period.
    void Update();
    // Runs the break label and posts the break message.
    void Break();
    // What a room held of the world goes when it leaves the ship: its tasks, crew, stores and stock.
    void ReleaseKindState();

    // --- state
    bool IsBuildStarted() const { return buildStarted; }
    // A room stands built once its construction is over; only such a room gives its materials back
    // when it goes (a room still being built has them in store or with its build task).
    bool IsFinishedBuilding() const { return !underConstruction && !buildStarted; }
    bool IsBuiltOnGrid() const;
    // Durability plus its bonus, less the damage on the footprint cells.
    std::int32_t GetRemainingDurability() const;
    void RecalcValues();
    // Installs the saved upgrade bits the room's data still offers.
    void ApplyUpgradeBits(std::uint32_t saved);
    void OnTaskCompleted(const GAME_CTaskBase& task);
    // (installed types 0 and 1 + extra) x (1000 + types 2 and 3) / 1000; for a turret the extra is
    // its ammunition stock.
    std::int32_t GetUpgradedOutput(std::int32_t extra) const;
    std::int32_t CalcUpgradedOutput(std::int32_t base) const;
    // The sum of the values of the installed upgrade entries of these types.
    std::int32_t SumUpgradeValues(std::initializer_list<std::int32_t> types) const;
    // The room's number in the ship's room list, or -1.
    std::int32_t GetRoomNumber() const;

    // --- crew
    std::int32_t CountCrew() const;
    bool TryAddCrew(GAME_CObjectActor* member);
    void AssignCrew(GAME_CObjectActor* member);
    // Null releases every present member.
    void UnassignCrew(GAME_CObjectActor* member);
    // Null only drops empty entries.
    void RemoveCrew(GAME_CObjectActor* member);
    bool IsAssigned(const GAME_CObjectActor* member) const;
    bool IsPresent(const GAME_CObjectActor* member) const;
    // The member is in the room's crew already, or the room has a place left for it.
    bool HasPlaceFor(const GAME_CObjectActor* member) const;
    bool IsHomeOf(const GAME_CObjectActor* member) const;
    bool CanBeHomeOf(const GAME_CObjectActor* member) const;

    // --- tasks
    void AttachTask(GAME_CTaskBase* task);
    void DetachTask(GAME_CTaskBase* task);
    // Drops finished tasks and tells the others the room's new number.
    void RenumberTasks(std::int32_t roomNumber);
    bool IsTaskSlotArrayEmpty() const;
    // The first bound task other than the carry kinds, when it has progress.
    const GAME_CTaskBase* FindWorkingTask() const;
    // The first bound room-upgrade task, when it has progress.
    const GAME_CTaskBase* FindRunningUpgradeTask() const;

    // --- script labels
    void GoNoTask();
    void GoTask();
    void GoBuildStay();
    void GoBuildRunning();
    void GoUpgradeStay();
    void GoUpgradeRunning();
    bool HasLabel(std::u16string_view label) const;
    // The label the script was last started at, while its main thread runs.
    bool IsInLabel(std::u16string_view label) const;
    bool HasActiveLabel() const;
    bool IsInTaskLabel() const { return IsInLabel(room_label::kTask); }
    bool IsInCrewTaskLabel() const { return IsInLabel(room_label::kTaskTwoCrew); }
    bool IsInUpgradeRunningLabel() const { return IsInLabel(room_label::kUpgradeRunning); }
    bool IsInWorkLabel() const;
    // The working label for the assigned crew: the two-crew label when it exists and two or more
    // work here, else the one-crew label.
    std::u16string_view WorkLabel() const;
    // Jumps to the label when the script has it, then steps the script at its period.
    void GoToLabel(std::u16string_view label);

    // --- what the room scripts' registration and commands use
    std::uint32_t GetRoomId() const { return roomId; }
    void SetRoomId(std::uint32_t id) { roomId = id; }
    GAME_CScriptRoom& Script() { return script_; }
    const GAME_CScriptRoom& Script() const { return script_; }
    bool GetScriptFlagA() const { return scriptFlagA; }
    void SetScriptFlagA(bool set) { scriptFlagA = set; }
    bool GetScriptFlagB() const { return buildStarted; }
    void SetScriptFlagB(bool set) { buildStarted = set; }

    std::uint16_t kind = kRoomKindNone;
    std::uint16_t level = 0;
    std::int16_t gridX = -1;
    std::int16_t gridY = -1;
    std::uint32_t roomId = kNoId;
    std::int32_t spriteId = -1;
    std::uint16_t width = 1;
    std::uint16_t height = 1;
    const RoomData* roomData = nullptr;
    // Members the room has taken in to work (their `assigned` flag set; TryAddCrew, RemoveCrew).
    std::vector<GAME_CObjectActor*> assignedCrew;
    // Members bound to the room: its home for a crew home, else its workplace (AssignCrew, UnassignCrew).
    std::vector<GAME_CObjectActor*> presentCrew;

    // Values recomputed from the record and the upgrades.
    std::int32_t inventoryLink = -1;
    std::int32_t capacity = 0;
    std::int32_t foodStackCount = 0;
    std::int32_t hullBonus = 0;
    std::int32_t fuelCapacityBonus = 0;
    std::int32_t fuelRateTerm = 0;
    std::int32_t turretPower = 0;
    std::int32_t turretAmmoCapacity = 0;
    std::int32_t engineOutput = 0;
    std::int32_t engineMode = kEngineDisconnected;
    std::int32_t durabilityBonus = 0;
    std::array<OverLimitPair, 3> overLimit{};

    std::int32_t birthCounter = 0;
    std::int32_t reevaluationTimer = 0;
    bool underConstruction = false;
    std::uint32_t installedUpgrades = 0;  // bit n: upgrade type n
    bool scriptFlagA = false;  // draw the sprite on every footprint cell
    bool buildStarted = false;
    float offsetX = 0.0f;
    float offsetY = 0.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    bool broken = false;
    float offset2X = 0.0f;
    float offset2Y = 0.0f;
    GAME_CObjectEnemy* target = nullptr;
    bool removeRequested = false;
    std::vector<GAME_CTaskBase*> boundTasks;
    // Where the last draw put the room on screen: left, top, right, bottom.
    std::array<float, 4> screenRect{};
    // What the room screens keep for the room: the tab shown last, and the add-task screen's cursor
    // row and first shown row.
    std::int32_t rememberedTab = 0;
    std::int16_t addTaskCursorRow = 0;
    std::int16_t addTaskFirstRow = 0;

private:
    void UpdateBirths();
    void ChooseLabel();
    void PostRequests();

    GAME_CScriptRoom script_;
};

// How many crafting, cooking, engine-maintenance and refuelling tasks have been completed.
std::int32_t GetFinishedWorkTaskCount();

// A storeroom the crew bring items to: a room inventory with capacity rules, not on its way out.
bool IsCrewStoreroom(const GAME_CRoomBase& room);

// Search predicates of the ship's nearest-room search: (room, argument) -> bool.
bool RoomCanTakeItem(const GAME_CRoomBase& room, std::uint32_t itemId);
bool RoomHoldsItem(const GAME_CRoomBase& room, std::uint32_t itemId);
bool RoomHoldsAndCanTakeItem(const GAME_CRoomBase& room, std::uint32_t itemId);
bool RoomHasStock(const GAME_CRoomBase& room, std::uint32_t unused);
bool RoomHasFoodStorageContent(const GAME_CRoomBase& room, std::uint32_t unused);
