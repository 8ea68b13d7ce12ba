// The rules of the data check, one function per kind of record.
#include "tools/datacheck/data_check.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "game/services/data/id_tags.h"
#include "game/services/data/tag.h"
#include "game/services/save/working_slot.h"
#include "game/model/ship/task_base.h"
#include "game/services/ui_port/ui_slots.h"
#include "game/ui/screens/ui_add_task.h"
#include "game/ui/screens/ui_bullet.h"
#include "game/ui/screens/ui_dining_hall.h"
#include "game/ui/ui_manager.h"

namespace data_check {
namespace {

// Limits the save format sets on content.
constexpr std::int64_t kMaxCount = 255;
constexpr std::int64_t kMaxSeconds = 546;
constexpr std::size_t kMaxMaterialKinds = 5;
constexpr std::int32_t kMaxFuelCapacity = 32767;
constexpr std::size_t kMaxRoutes = 128;
constexpr std::size_t kMaxHideouts = 40;
constexpr std::uint32_t kQuestFlags = 1024;
// Bits the map and the rumours can reveal.
constexpr std::uint32_t kRevealBits = 32;
constexpr std::uint32_t kUpgradeBits = 11;

void CheckItems(GameDataCheck& check)
{
    // Each item has a found bit in the save slot, and the slot has 224 of them.
    if (check.Database().Items().size() > working_slot::kDiscoveredItemBits) {
        check.Report(kNoId, "items", std::to_string(check.Database().Items().size()) + " of them (at most 224)");
    }
    for (const auto& item : check.Database().Items()) {
        check.RequireNameAndDescription(item->id, "item");
        if (item->stackLimit < 1 || item->stackLimit > kMaxCount) {
            check.Report(item->id, "item", "has a stack limit of " + std::to_string(item->stackLimit) + " (1 to 255)");
        }
        if (item->buyPrice < 0 || item->sellPrice < 0) {
            check.Report(item->id, "item", "has a negative price");
        }
    }
}

// The food menu has a row for each dish and no more rows than these; the ammunition list keeps its
// last row for cancelling a reload.
constexpr std::size_t kMaxDishes = GAME_CUIDiningHall::kMenuRows;
constexpr std::size_t kMaxAmmunitionKinds = GAME_CUIBullet::kVisibleRows - 1;

void CheckDishes(GameDataCheck& check)
{
    std::size_t position = 0;
    for (const auto& [id, dish] : check.Database().CookingRecipes()) {
        if (++position > kMaxDishes) {
            check.Report(id, "dish", "is dish " + std::to_string(position) + " (the food menu shows " +
                                         std::to_string(kMaxDishes) + ")");
        }
        check.RequireNameAndDescription(id, "dish");
        check.RequireMaterials(id, "dish", dish.ingredients, "ingredient");
        check.RequireSeconds(id, "dish", dish.cookingSeconds, "cooking time");
        check.RequireSeconds(id, "dish", dish.mealDurationFrames / 60, "meal time");
        for (const SkillWeight& skill : dish.skills) {
            if (skill.skillId != kNoId && check.Database().FindSkillData(skill.skillId) == nullptr) {
                check.Report(id, "dish", "teaches " + DescribeTag(skill.skillId) + ", which is no skill");
            }
        }
    }
}

void CheckTaskBonuses(GameDataCheck& check, std::uint32_t id, const TaskData& task)
{
    const GAME_CStaticDatabase& database = check.Database();
    for (const TaskBonus& bonus : task.bonuses) {
        if (bonus.type >= kBonusUnused || bonus.id == kNoId) {
            continue;
        }
        const bool known = bonus.type == kBonusSkill  ? database.FindSkillData(bonus.id) != nullptr
                           : bonus.type == kBonusBuff ? database.FindBuffData(bonus.id) != nullptr
                                                      : database.FindDebuffData(bonus.id) != nullptr;
        if (!known) {
            static constexpr const char* kTypes[] = {"skill", "buff", "debuff"};
            check.Report(id, "task", "gives " + DescribeTag(bonus.id) + ", which is no " + kTypes[bonus.type]);
        }
    }
}

// A finished task's fields: the first gives a buff, the second a debuff, each drawn in one of the
// three looks of a field.
void CheckTaskFields(GameDataCheck& check, std::uint32_t id, const TaskData& task)
{
    const GAME_CStaticDatabase& database = check.Database();
    const auto checkField = [&](const TaskEffect& field, std::int32_t look, bool buff) {
        if (field.id == kNoId || field.value <= 0 || field.count <= 0) return;
        const bool known = buff ? database.FindBuffData(field.id) != nullptr : database.FindDebuffData(field.id) != nullptr;
        if (!known) {
            check.Report(id, "task", "leaves a field of " + DescribeTag(field.id) + ", which is no " + (buff ? "buff" : "debuff"));
        }
        if (look < 1 || look > 3) {
            check.Report(id, "task", "leaves a field drawn as " + std::to_string(look) + " (1 to 3)");
        }
    };
    checkField(task.effectA, task.effectAWord, true);
    checkField(task.effectB, task.effectBWord, false);
}

void CheckTasks(GameDataCheck& check)
{
    const GAME_CStaticDatabase& database = check.Database();
    std::set<std::int32_t> kinds;
    for (const auto& [id, task] : database.Tasks()) {
        check.RequireNameAndDescription(id, "task");
        kinds.insert(task.kind);
        if (task.kind < 0 || task.kind >= kTaskKindCount || task.kind == 1) {
            check.Report(id, "task", "has kind " + std::to_string(task.kind) + ", which no task class has");
        }
        check.RequireMaterials(id, "task", task.materials, "material");
        check.RequireSeconds(id, "task", task.durationSeconds, "duration");
        // A craft may make nothing when its work leaves something else: a bonus or a field.
        if (task.kind == kTaskItemCraft && (task.productItem != kNoId || !HasCompletionResults(task))) {
            check.RequireItem(id, "task", task.productItem, "product");
            check.RequireCount(id, "task", task.productCount, "product count");
        }
        if (task.kind == kTaskRoomUpgrade && task.productItem >= kUpgradeBits) {
            check.Report(id, "task", "sets upgrade bit " + std::to_string(task.productItem) + " (0 to 10)");
        }
        if (task.kind == kTaskRouteScan) {
            check.RequireSeconds(id, "task", task.amount / 60, "scan time");
        }
        if (task.kind == kTaskMindControl && database.FindSkillData(task.bonuses[0].id) == nullptr) {
            check.Report(id, "task", "takes away " + DescribeTag(task.bonuses[0].id) + ", which is no skill");
        }
        if (task.treatedDebuff != kNoId && database.FindDebuffData(task.treatedDebuff) == nullptr) {
            check.Report(id, "task", "treats " + DescribeTag(task.treatedDebuff) + ", which is no debuff");
        }
        CheckTaskBonuses(check, id, task);
        CheckTaskFields(check, id, task);
    }
    for (std::int32_t kind = 0; kind < kTaskKindCount; ++kind) {
        if (kind != 1 && kinds.count(kind) == 0) {
            check.Report(kNoId, "task kind", std::to_string(kind) + " has no task data");
        }
    }
}

void CheckStatusRecords(GameDataCheck& check)
{
    const GAME_CStaticDatabase& database = check.Database();
    for (const auto& [id, skill] : database.Skills()) {
        check.RequireNameAndDescription(id, "skill");
    }
    for (const auto& [id, buff] : database.Buffs()) {
        check.RequireNameAndDescription(id, "buff");
        if (buff.balloonGroup != kNoId && database.FindBalloonGroup(static_cast<std::uint16_t>(buff.balloonGroup)) ==
                                             nullptr) {
            check.Report(id, "buff", "names balloon group " + std::to_string(buff.balloonGroup) + ", which is none");
        }
    }
    for (const auto& [id, debuff] : database.Debuffs()) {
        check.RequireNameAndDescription(id, "debuff");
    }
}

void CheckShips(GameDataCheck& check)
{
    for (const auto& ship : check.Database().Ships()) {
        if (ship->baseFuelCapacity < 1 || ship->baseFuelCapacity > kMaxFuelCapacity) {
            check.Report(ship->id, "ship",
                         "has a fuel capacity of " + std::to_string(ship->baseFuelCapacity) + " (1 to 32767)");
        }
        if (ship->gridWidth > kShipGridMaxWidth || ship->gridHeight > kShipGridMaxHeight) {
            check.Report(ship->id, "ship", "has a grid larger than 19 x 13");
        }
        if (ship->floorMask.none()) {
            check.Report(ship->id, "ship", "has no floor");
        }
        check.RequireMaterials(ship->id, "ship", ship->materials, "material");
    }
}

void CheckQuests(GameDataCheck& check)
{
    for (const auto& [id, quest] : check.Database().Quests()) {
        check.RequireNameAndDescription(id, "quest");
        check.RequireMaterials(id, "quest", quest.neededItems, "wanted item");
        check.RequireMaterials(id, "quest", quest.rewardItems, "reward");
        if (!quest.noticeKey.empty()) {
            check.RequireMessage(id, "quest", quest.noticeKey);
        }
        if (quest.neededItems[0].itemId == kNoId) {
            check.Report(id, "quest", "wants nothing");
        }
    }
}

void CheckHideoutsAndRumours(GameDataCheck& check)
{
    const GAME_CStaticDatabase& database = check.Database();
    if (database.Hideouts().size() > kMaxHideouts) {
        check.Report(kNoId, "hideouts", std::to_string(database.Hideouts().size()) + " of them (at most 40)");
    }
    std::set<std::uint32_t> soldRumours;
    for (const auto& [id, hideout] : database.Hideouts()) {
        check.RequireMessage(id, "hideout", TagText(id));
        for (const std::string& key : hideout.typeNameKeys) {
            check.RequireMessage(id, "hideout", key);
        }
        if (static_cast<std::uint32_t>(hideout.discoveryBit) >= kRevealBits) {
            check.Report(id, "hideout", "has discovery bit " + std::to_string(hideout.discoveryBit) + " (0 to 31)");
        }
        for (std::uint32_t item : hideout.marketItems) {
            check.RequireItem(id, "hideout", item, "market item");
        }
        for (const QuestOffer& offer : hideout.offers) {
            if (offer.questId != kNoId && database.FindQuestData(offer.questId) == nullptr) {
                check.Report(id, "hideout", "offers " + DescribeTag(offer.questId) + ", which is no quest");
            }
        }
        for (std::uint32_t neighbour : hideout.neighbours) {
            if (neighbour != kNoId && database.FindHideoutData(neighbour) == nullptr) {
                check.Report(id, "hideout", "has neighbour " + DescribeTag(neighbour) + ", which is no hideout");
            }
        }
        for (std::uint32_t rumour : hideout.rumors) {
            soldRumours.insert(rumour);
        }
    }
    for (const auto& [id, rumour] : database.Rumors()) {
        check.RequireNameAndDescription(id, "rumour");
        if (soldRumours.count(id) == 0) {
            check.Report(id, "rumour", "is sold at no hideout");
        }
        if (rumour.eventFlag != kNoId && rumour.eventFlag >= kQuestFlags) {
            check.Report(id, "rumour", "sets event flag " + std::to_string(rumour.eventFlag) + " (0 to 1023)");
        }
        if (rumour.discoveryBit != kNoId && rumour.discoveryBit >= kRevealBits) {
            check.Report(id, "rumour", "reveals bit " + std::to_string(rumour.discoveryBit) + " (0 to 31)");
        }
    }
}

// Kinds with rules of their own in the room code.
constexpr std::int32_t kCrewHomeKind = 3;
constexpr std::int32_t kStoreroomKind = 20;
constexpr std::int32_t kEngineKind = 23;
constexpr std::int32_t kCargoHoldKind = 32;
constexpr std::int32_t kOpenCapacity = 129;
constexpr std::int32_t kGridWidth = 19;
constexpr std::int32_t kGridHeight = 13;

// The flags a room kind's role asks for, and what the code reads for each flag.
void CheckRoomRole(GameDataCheck& check, std::uint32_t id, std::int32_t kind, const RoomData& room)
{
    const auto require = [&](bool holds, std::string_view what) {
        if (!holds) {
            check.Report(id, "room kind", what);
        }
    };
    require(kind != kCrewHomeKind || (room.flags & kRoomCrewHome) != 0, "is the crew home without its flag 0x8");
    require(kind != kEngineKind || room.values[kRoomValueEngineOutput] > 0, "is the engine without an output");
    if (kind == kStoreroomKind || kind == kCargoHoldKind) {
        require((room.flags & kRoomInventory) != 0, "is a storage room without an inventory");
        require((room.flags & kRoomTakesCrew) == 0, "is a storage room that takes crew");
    }
    require((room.flags & kRoomInventory) == 0 || (room.flags & kRoomInventoryWithoutCapacity) != 0 ||
                room.values[kRoomValueInventoryCapacity] > 0,
            "has an inventory without capacity");
    require((room.flags & kRoomFoodStorage) == 0 || room.values[kRoomValueFoodCapacity] > 0,
            "has a food store without capacity");
    require((room.flags & kRoomTurret) == 0 || !room.acceptedItems.empty(), "is a turret that takes no ammunition");
    require(room.acceptedItems.size() <= kMaxAmmunitionKinds,
            "takes " + std::to_string(room.acceptedItems.size()) + " ammunition kinds (at most " +
                std::to_string(kMaxAmmunitionKinds) + ")");
    require((room.flags & kRoomTurret) == 0 || room.values[kRoomValueAmmoCapacity] > 0,
            "is a turret without an ammunition store");
    require((room.flags & kRoomJoinsRows) == 0 || room.height >= 2, "joins rows but is one row high");
    require((room.flags & kRoomHull) == 0 || room.values[kRoomValueHullBonus] > 0, "adds hull but has no bonus");
    require((room.flags & kRoomFuelTank) == 0 || room.values[kRoomValueFuelCapacityBonus] > 0,
            "is a fuel tank that adds no fuel");
    require(room.capacity <= 8 || room.capacity == kOpenCapacity, "has a capacity of " + std::to_string(room.capacity));
    // A build or a task goes on only while all the crew it calls for are in the room, and the room
    // lets in no more than its capacity: more would leave it standing for good.
    const std::int32_t builders = std::max(1, room.buildCrewLimit);
    require(builders <= room.capacity, "needs " + std::to_string(builders) + " builders but holds " +
                                           std::to_string(room.capacity) + " crew");
    // A task ordered in a room is worked there: a room that offers one must let crew in.
    for (const TaskData* task : room.offeredTasks) {
        require(((room.flags & kRoomTakesCrew) != 0 && room.capacity > 0),
                "offers task " + DescribeTag(task->id) + " but takes no crew");
        const std::int32_t workers = std::max(1, task->crewLimit);
        require(workers <= room.capacity, "offers task " + DescribeTag(task->id) + " for " + std::to_string(workers) +
                                              " crew but holds " + std::to_string(room.capacity));
    }
}

// A room whose screen orders work only through the add-task list, and that lets crew in, offers
// that list a task it can order from the start (waiting on no event flag or upgrade): else the
// room stands in the game with nothing to do.
void CheckRoomOffersWork(GameDataCheck& check, std::uint32_t id, std::int32_t kind, const RoomData& room)
{
    if (GAME_CUIManager::RoomScreenSlot(static_cast<std::uint16_t>(kind)) != kSlotItemCreate ||
        (room.flags & kRoomTakesCrew) == 0) {
        return;
    }
    const bool offers = std::any_of(room.offeredTasks.begin(), room.offeredTasks.end(), [](const TaskData* task) {
        return GAME_CUIAddTask::ListsTaskKind(task->kind) && task->ids.empty() && task->requiredUpgradeBits == 0;
    });
    if (!offers) {
        check.Report(id, "room kind", "takes crew but offers no task its screen can order");
    }
}

// Upgrade entry n is the upgrade of bit n; every upgrade a task offered here sets or needs has its entry.
void CheckRoomUpgrades(GameDataCheck& check, std::uint32_t id, const RoomData& room)
{
    std::uint32_t listed = 0;
    for (std::size_t n = 0; n < room.upgrades.size() && room.upgrades[n].type != -1; ++n) {
        const RoomUpgradeEntry& upgrade = room.upgrades[n];
        if (upgrade.type != static_cast<std::int32_t>(n) || n >= kUpgradeBits) {
            check.Report(id, "room kind", "lists upgrade type " + std::to_string(upgrade.type) + " as entry " +
                                              std::to_string(n) + " (entry n is the upgrade of bit n, 0 to 10)");
        }
        check.RequireMessage(id, "room kind", upgrade.nameKey);
        listed |= 1u << (n & 31);
    }
    for (const TaskData* task : room.offeredTasks) {
        std::uint32_t bits = task->requiredUpgradeBits;
        if (task->kind == kTaskRoomUpgrade && task->productItem < kUpgradeBits) {
            bits |= 1u << task->productItem;
        }
        if ((bits & ~listed) != 0) {
            check.Report(id, "room kind", "offers task " + DescribeTag(task->id) +
                                              ", whose upgrade bits have no upgrade entry here");
        }
    }
}

// Module slots count what the upgrades of bits 5 to 10 add (crew places and durability): a room
// with slots offers a task that installs one of them, else the slots stay empty for good.
void CheckRoomModuleSlots(GameDataCheck& check, std::uint32_t id, const RoomData& room)
{
    if ((room.flags & kRoomModuleSlots) == 0) return;
    const bool fillable = std::any_of(room.offeredTasks.begin(), room.offeredTasks.end(), [](const TaskData* task) {
        return task->kind == kTaskRoomUpgrade && task->productItem >= 5 && task->productItem <= 10;
    });
    if (!fillable) check.Report(id, "room kind", "has module slots but offers no upgrade to fill them");
}

void CheckRooms(GameDataCheck& check)
{
    const GAME_CStaticDatabase& database = check.Database();
    for (const auto& [id, room] : database.Rooms()) {
        const std::int32_t kind = FindRoomIdIndex(id);
        if (kind == 0 || id == GetRoomIdTag(kRoomIdCount - 1)) {
            check.Report(id, "room kind", "is not a room of the room-id table");
            continue;
        }
        check.RequireNameAndDescription(id, "room kind");
        check.RequireMaterials(id, "room kind", room->materials, "building material");
        check.RequireSeconds(id, "room kind", room->buildSeconds, "building time");
        for (std::uint32_t item : room->acceptedItems) {
            check.RequireItem(id, "room kind", item, "accepted ammunition");
        }
        for (const IdValue& pair : room->pairs) {
            if (pair.id != kNoId && pair.value != 0) {
                check.RequireItem(id, "room kind", pair.id, "engine material");
            }
        }
        if (room->spriteId == 0) {
            check.Report(id, "room kind", "has no sprite: no room script registers it");
        }
        if (room->width < 1 || room->height < 1 || room->width > kGridWidth || room->height > kGridHeight) {
            check.Report(id, "room kind", "has a footprint of " + std::to_string(room->width) + " x " +
                                              std::to_string(room->height) + " cells");
        }
        if (room->durability < 1) {
            check.Report(id, "room kind", "has no durability");
        }
        CheckRoomRole(check, id, kind, *room);
        CheckRoomOffersWork(check, id, kind, *room);
        CheckRoomUpgrades(check, id, *room);
        CheckRoomModuleSlots(check, id, *room);
    }
}

void CheckEnemies(GameDataCheck& check)
{
    for (const auto& [id, enemy] : check.Database().Enemies()) {
        check.RequireMessage(id, "enemy", TagText(id));
        for (int i = 0; i < CountEnemyDropEntries(enemy); ++i) {
            check.RequireItem(id, "enemy", enemy.drops[i].itemId, "drop");
        }
        if (enemy.stats[kEnemyMaxHp] < 1) {
            check.Report(id, "enemy", "has no HP");
        }
        if (enemy.stats[kEnemySpriteIndex] < 0) {
            check.Report(id, "enemy", "has no sprite");
        }
    }
}

void CheckRoutes(GameDataCheck& check)
{
    const GAME_CStaticDatabase& database = check.Database();
    if (database.Routes().size() > kMaxRoutes) {
        check.Report(kNoId, "routes", std::to_string(database.Routes().size()) + " of them (at most 128)");
    }
    const auto views = static_cast<std::int32_t>(database.NearViews().size());
    for (const auto& [id, route] : database.Routes()) {
        for (std::uint32_t end : {route.startLocation, route.endLocation}) {
            if (database.FindHideoutData(end) == nullptr) {
                check.Report(id, "route", "ends at " + DescribeTag(end) + ", which is no hideout");
            }
        }
        if (route.nearViewA < 0 || route.nearViewA >= views || route.nearViewB >= views) {
            check.Report(id, "route", "names a near view past the list");
        }
    }
}

// Ids the game's code names itself.
void CheckRequiredContent(GameDataCheck& check)
{
    const GAME_CStaticDatabase& database = check.Database();
    const ShipData* first = database.GetShipDataAt(0);
    if (first == nullptr || first->id != MakeTag("SHP2")) {
        check.Report(MakeTag("SHP2"), "ship", "is not the first ship");
    }
    if (database.Ships().size() < 2) {
        check.Report(kNoId, "ships", "there is no second ship");
    }
    const std::pair<std::uint32_t, std::int32_t> tasks[] = {
        {MakeTag("TRBD"), kTaskRoomBuild}, {MakeTag("TMEL"), kTaskMeal},         {MakeTag("TBRK"), kTaskBreak},
        {MakeTag("TD03"), kTaskBreak},     {MakeTag("TICR"), kTaskItemCarrier},  {MakeTag("TCKG"), kTaskCooking},
        {MakeTag("TCFI"), kTaskCarrierFromInventory}, {MakeTag("TATK"), kTaskAttackToEnemy}, {MakeTag("TRLD"), kTaskReload},
        {MakeTag("TDCT"), kTaskDoctor},    {MakeTag("TPTT"), kTaskPatient},      {MakeTag("THHP"), kTaskPatient},
        {MakeTag("TSCN"), kTaskRouteScan}, {MakeTag("TMNT"), kTaskEngineMaintenance}, {MakeTag("TDRV"), kTaskBridgeDriver},
        {MakeTag("TMOG"), kTaskMealOnGrid}, {MakeTag("TMDC"), kTaskMindControl},
    };
    for (const auto& [id, kind] : tasks) {
        const TaskData* task = database.FindTaskData(id);
        if (task == nullptr || task->kind != kind) {
            check.Report(id, "task", "is missing or not of kind " + std::to_string(kind));
        }
    }
    for (std::uint32_t item : {MakeTag("I076"), MakeTag("I101"), MakeTag("I102"), MakeTag("I103"), MakeTag("I104"),
                               MakeTag("I105")}) {
        check.RequireItem(kNoId, "the game", item, "item");
    }
    const ItemData* bomb = database.FindItemData(MakeTag("I096"));
    if (bomb == nullptr || !bomb->IsAmmunition()) {
        check.Report(MakeTag("I096"), "item", "is missing or no ammunition");
    }
    if (database.FindHideoutData(MakeTag("AD29")) == nullptr) {
        check.Report(MakeTag("AD29"), "hideout", "is missing");
    }
    for (std::uint32_t weapon : {MakeTag("W001"), MakeTag("W002"), MakeTag("W003")}) {
        if (database.FindParamRecord(weapon) == nullptr) {
            check.Report(weapon, "arcade weapon", "is missing");
        }
    }
    for (std::int32_t kind = 1; kind < kRoomIdCount - 1; ++kind) {
        if (database.FindRoomData(GetRoomIdTag(kind)) == nullptr) {
            check.Report(GetRoomIdTag(kind), "room kind", "is missing");
        }
    }
    if (database.FindEnemyData(MakeTag("E016")) == nullptr) {
        check.Report(MakeTag("E016"), "enemy", "is missing");
    }
    if (database.CookingRecipes().empty()) {
        check.Report(kNoId, "dishes", "there is none");
    }
    if (database.NearViews().empty()) {
        check.Report(kNoId, "near views", "there is none");
    }
    // The crew's own balloon groups: meters, hurt, newborn, fed, and the work and room groups.
    for (std::uint16_t group : {0, 1, 2, 3, 4, 5, 100, 103, 104, 105, 106, 107}) {
        const BalloonGroup* record = database.FindBalloonGroup(group);
        if (record == nullptr || record->lines.empty()) {
            check.Report(group, "balloon group", "is missing or has no line");
        }
    }
    const auto& items = database.Items();
    if (std::none_of(items.begin(), items.end(), [](const auto& item) { return item->valueE > 0; })) {
        check.Report(kNoId, "items", "there is no repair material");
    }
    if (std::none_of(items.begin(), items.end(), [](const auto& item) { return item->foodValue > 0; })) {
        check.Report(kNoId, "items", "there is no food");
    }
}

}  // namespace

std::string DescribeTag(std::uint32_t id)
{
    if (id == kNoId) {
        return "-1";
    }
    const std::string text = TagText(id);
    const bool printable = std::all_of(text.begin(), text.end(), [](char c) { return c > 0x20 && c < 0x7F; });
    return printable ? "'" + text + "'" : std::to_string(id);
}

GameDataCheck::GameDataCheck(const GAME_CStaticDatabase& database, std::set<std::string> messageKeys)
    : database_(database), messageKeys_(std::move(messageKeys))
{
}

std::vector<std::string> GameDataCheck::Run(const std::vector<Rule>& rules)
{
    findings_.clear();
    for (const Rule& rule : rules) {
        rule(*this);
    }
    return findings_;
}

void GameDataCheck::Report(std::uint32_t id, std::string_view kind, std::string_view problem)
{
    std::string finding(kind);
    if (id != kNoId) {
        finding += " " + DescribeTag(id);
    }
    findings_.push_back(finding + ": " + std::string(problem));
}

void GameDataCheck::RequireItem(std::uint32_t owner, std::string_view kind, std::uint32_t item,
                                std::string_view role)
{
    if (database_.FindItemData(item) == nullptr) {
        Report(owner, kind, std::string(role) + " " + DescribeTag(item) + " is no item");
    }
}

void GameDataCheck::RequireMessage(std::uint32_t owner, std::string_view kind, const std::string& key)
{
    if (messageKeys_.count(key) == 0) {
        Report(owner, kind, "message \"" + key + "\" is missing");
    }
}

void GameDataCheck::RequireNameAndDescription(std::uint32_t id, std::string_view kind)
{
    RequireMessage(id, kind, TagText(id));
    RequireMessage(id, kind, TagText(id) + "_DISCRIPT");
}

void GameDataCheck::RequireCount(std::uint32_t owner, std::string_view kind, std::int64_t count,
                                 std::string_view role)
{
    if (count < 1 || count > kMaxCount) {
        Report(owner, kind, std::string(role) + " " + std::to_string(count) + " (1 to 255)");
    }
}

void GameDataCheck::RequireSeconds(std::uint32_t owner, std::string_view kind, std::int64_t seconds,
                                   std::string_view role)
{
    if (seconds < 0 || seconds > kMaxSeconds) {
        Report(owner, kind, std::string(role) + " of " + std::to_string(seconds) + " seconds (at most 546)");
    }
}

void GameDataCheck::RequireMaterials(std::uint32_t owner, std::string_view kind, std::span<const ItemCount> materials,
                                     std::string_view role)
{
    const std::size_t used = CountLeadingEntries(materials, IsUnusedItemCount);
    if (used > kMaxMaterialKinds) {
        Report(owner, kind, "has " + std::to_string(used) + " " + std::string(role) + " kinds (at most 5)");
    }
    for (std::size_t i = 0; i < used; ++i) {
        RequireItem(owner, kind, materials[i].itemId, role);
        RequireCount(owner, kind, materials[i].count, std::string(role) + " count");
    }
}

GameDataCheck::Rule RoomSpriteRule(std::vector<vesk::resource::SpriteEntry> sprites)
{
    constexpr int kCellPixels = 24;
    return [sprites = std::move(sprites)](GameDataCheck& check) {
        for (const auto& [id, room] : check.Database().Rooms()) {
            const auto index = static_cast<std::size_t>(room->spriteId);
            if (room->spriteId < 0 || index >= sprites.size() || !sprites[index].name.starts_with("dotroom_")) {
                check.Report(id, "room kind", "shows sprite " + std::to_string(room->spriteId) +
                                                  ", which is no room sprite of the room package");
                continue;
            }
            const vesk::resource::SpriteEntry& sprite = sprites[index];
            if (sprite.width > room->width * kCellPixels || sprite.height > room->height * kCellPixels) {
                check.Report(id, "room kind", "shows " + sprite.name + ", larger than its footprint");
            }
        }
    };
}

GameDataCheck::Rule BalloonSpriteRule(std::vector<vesk::resource::SpriteEntry> sprites)
{
    const auto isBalloonPicture = [sprites = std::move(sprites)](std::uint32_t line) {
        if (line >= sprites.size()) {
            return false;
        }
        // The names keep their file extension.
        const std::string_view name = std::string_view(sprites[line].name).substr(0, sprites[line].name.find('.'));
        const std::string_view number = name.substr(std::min(name.size(), std::size_t{11}));
        return name.starts_with("mesballoon_") && number.size() == 2 && std::isdigit(number[0]) != 0 &&
               std::isdigit(number[1]) != 0;
    };
    return [isBalloonPicture](GameDataCheck& check) {
        for (const auto& [id, group] : check.Database().BalloonGroups()) {
            for (std::uint32_t line : group.lines) {
                if (!isBalloonPicture(line)) {
                    check.Report(id, "balloon group", "shows line " + std::to_string(line) +
                                                          ", which is no \"mesballoon_NN\" sprite of the room package");
                }
            }
        }
        for (const BalloonRange& range : check.Database().BalloonRanges()) {
            if (!isBalloonPicture(range.lineId)) {
                check.Report(range.lineId, "balloon range", "shows no \"mesballoon_NN\" sprite of the room package");
            }
        }
    };
}

std::vector<GameDataCheck::Rule> StaticDatabaseRules()
{
    return {CheckItems, CheckDishes, CheckTasks, CheckStatusRecords, CheckShips, CheckQuests, CheckHideoutsAndRumours};
}

std::vector<GameDataCheck::Rule> RulesOfTheDataSet()
{
    std::vector<GameDataCheck::Rule> rules = StaticDatabaseRules();
    rules.insert(rules.end(), {CheckRooms, CheckEnemies, CheckRoutes, CheckRequiredContent});
    return rules;
}

}  // namespace data_check
