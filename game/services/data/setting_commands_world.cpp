// Static-database commands of the world: ships, quests, rumours, room kinds, hideouts, near views.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "game/services/data/id_tags.h"
#include "game/services/data/setting_commands.h"
#include "game/services/data/static_database.h"

namespace setting_commands {
namespace {

constexpr std::size_t kTypeNameBytes = HideoutData::kTypeNameLength + 1;
constexpr std::size_t kNoticeKeyBytes = QuestData::kNoticeKeyLength + 1;

void AppendUnique(std::vector<std::uint32_t>& list, std::uint32_t id)
{
    if (std::find(list.begin(), list.end(), id) == list.end()) {
        list.push_back(id);
    }
}

// A quest flag or counter index: values of 1024 or more are stored as none (and reported unless
// they are none already).
std::uint32_t QuestIndex(std::uint32_t quest, std::uint32_t index)
{
    if (index < kQuestFlagCount) {
        return index;
    }
    if (index != kNoId) {
        ReportRefused("quest " + DescribeId(quest) + " names flag or counter " + std::to_string(index) +
                      " (0 to 1023)");
    }
    return kNoId;
}

void PutOrReport(std::span<ItemCount> list, std::uint32_t itemId, std::int32_t count, const std::string& owner)
{
    if (!PutItemCount(list, itemId, count)) {
        ReportRefused(owner + " has no free item entry for " + DescribeId(itemId));
    }
}

void ListRumorAt(GAME_CStaticDatabase& database, std::uint32_t rumor, std::uint32_t hideout)
{
    database.GetOrCreateRumorData(rumor);
    AppendUnique(database.GetOrCreateHideoutData(hideout)->rumors, rumor);
}

}  // namespace

std::uint32_t ShipCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    static constexpr std::size_t kWords[] = {4, 1, 3, 4, 4, 3, 2};
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    const std::size_t words = mode < std::size(kWords) ? kWords[mode] : (mode == 100 ? 3 : 0);
    if (database == nullptr || words == 0 || !args.Need(words)) {
        return 1;
    }
    ShipData& ship = *database->GetOrCreateShipData(args.U32(0));
    switch (mode) {
    case 0:
        ship.baseHull = args.I32(1);
        ship.baseFuelCapacity = args.I32(2);
        ship.value = args.I32(3);
        break;
    case 2:
        ship.gridWidth = static_cast<std::uint16_t>(args.U32(1));
        ship.gridHeight = static_cast<std::uint16_t>(args.U32(2));
        ship.floorMask.reset();
        for (int y = 0; y < std::min<int>(ship.gridHeight, kShipGridMaxHeight); ++y) {
            for (int x = 0; x < std::min<int>(ship.gridWidth, kShipGridMaxWidth); ++x) {
                ship.SetFloorCell(x, y, true);
            }
        }
        break;
    case 3:
        ship.SetFloorCell(args.I32(1), args.I32(2), args.U32(3) != 0);
        break;
    case 4:
        ship.values = {args.I32(1), args.I32(2)};
        ship.baseSpeed = args.I32(3);
        break;
    case 5: {
        const auto magnitude = [](std::int32_t v) {
            return static_cast<std::int32_t>(std::min<std::int64_t>(std::llabs(v), INT32_MAX));
        };
        ship.offsets = {magnitude(args.I32(1)), -magnitude(args.I32(2))};
        break;
    }
    case 6:
        ship.baseFuelRate = args.I32(1);
        break;
    case 100:
        PutOrReport(ship.materials, args.U32(1), args.I32(2), "ship " + DescribeId(ship.id));
        break;
    default:
        break;
    }
    return 1;
}

std::uint32_t QuestCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    std::size_t words = 0;
    switch (mode) {
    case 20: words = 1; break;
    case 1: case 2: words = 2; break;
    case 3: case 11: case 12: case 13: words = 3; break;
    case 0: case 10: words = 4; break;
    default: break;
    }
    if (database == nullptr || words == 0 || !args.Need(words)) {
        return 1;
    }
    QuestData& quest = *database->GetOrCreateQuestData(args.U32(0));
    const std::string owner = "quest " + DescribeId(args.U32(0));
    switch (mode) {
    case 0:
        quest.limitDays = args.I32(1);
        PutOrReport(quest.neededItems, args.U32(2), args.I32(3), owner);
        break;
    case 1:
        quest.money = args.I32(1);
        break;
    case 2:
        quest.fuel = args.I32(1);
        break;
    case 3:
        PutOrReport(quest.rewardItems, args.U32(1), args.I32(2), owner);
        break;
    case 10:
        for (std::size_t i = 0; i < quest.eventFlags.size(); ++i) {
            quest.eventFlags[i] = QuestIndex(args.U32(0), args.U32(1 + i));
        }
        break;
    case 11:
    case 12:
    case 13:
        quest.counters[mode - 11] =
            QuestCounterAssignment{QuestIndex(args.U32(0), args.U32(1)), static_cast<std::uint8_t>(args.U32(2))};
        break;
    case 20:
        if (std::string key = ReadFieldText(args, 4, kNoticeKeyBytes); !key.empty()) {
            quest.noticeKey = std::move(key);
        }
        break;
    default:
        break;
    }
    return 1;
}

std::uint32_t RumorCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    const std::size_t words = mode == 0 ? 4 : (mode <= 4 ? 2 : 0);
    if (database == nullptr || words == 0 || !args.Need(words)) {
        return 1;
    }
    const std::uint32_t id = args.U32(0);
    RumorData& rumor = *database->GetOrCreateRumorData(id);
    switch (mode) {
    case 0:
        rumor.price = args.I32(1);
        // The pub weighs money against the price unsigned: a price below 0 could never be paid.
        if (rumor.price < 0) {
            ReportRefused("rumour " + DescribeId(id) + " costs " + std::to_string(rumor.price) + ", below 0; it costs 0");
            rumor.price = 0;
        }
        rumor.eventFlag = args.U32(2);
        ListRumorAt(*database, id, args.U32(3));
        break;
    case 1:
        ListRumorAt(*database, id, args.U32(1));
        break;
    case 2:
        rumor.discoveryBit = args.U32(1);
        break;
    case 3:
        if (FindRoomIdIndex(args.U32(1)) > 0) {
            rumor.unlockedRoom = args.U32(1);
        } else {
            ReportRefused("rumour " + DescribeId(id) + " unlocks " + DescribeId(args.U32(1)) +
                          ", which is no room kind");
        }
        break;
    case 4:
        rumor.afterEnding = args.U32(1) != 0 ? 1 : 0;
        break;
    default:
        break;
    }
    return 1;
}

std::uint32_t RoomKindCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    if (database != nullptr && mode == 0 && args.Need(1)) {
        database->GetOrCreateRoomData(args.U32(0), true);
    }
    return 1;
}

std::uint32_t HideoutCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    std::size_t words = 0;
    int typeName = -1;
    switch (mode) {
    case 11: typeName = kTypeNameGasStation; words = 1; break;
    case 21: typeName = kTypeNameMarket; words = 1; break;
    case 32: typeName = kTypeNameQuestBoard; words = 1; break;
    case 40: typeName = kTypeNamePub; words = 1; break;
    case 10: case 20: words = 2; break;
    case 30: case 31: words = 3; break;
    case 0: words = 4; break;
    case 1: case 50: words = 5; break;
    default: break;
    }
    if (database == nullptr || words == 0 || !args.Need(words)) {
        return 1;
    }
    HideoutData& hideout = *database->GetOrCreateHideoutData(args.U32(0));
    if (typeName >= 0) {
        hideout.typeNameKeys[typeName] = ReadFieldText(args, 4, kTypeNameBytes);
        return 1;
    }
    switch (mode) {
    case 0:
        hideout.discoveryBit = args.I32(1);
        hideout.mapX = args.I32(2);
        hideout.mapY = args.I32(3);
        break;
    case 1:
        hideout.facilities = 0;
        for (std::uint32_t bit = 0; bit < 4; ++bit) {
            if (args.U32(1 + bit) != 0) {
                hideout.facilities |= 1u << bit;
            }
        }
        break;
    case 10:
        hideout.fuelPrice = args.I32(1);
        break;
    case 20:
        AppendUnique(hideout.marketItems, args.U32(1));
        break;
    case 30:
        hideout.offerCount = args.I32(1);
        hideout.offerRefreshCountdown = args.I32(2);
        break;
    case 31: {
        QuestOffer* offer = FindEntryForId(
            std::span<QuestOffer>(hideout.offers), args.U32(1), [](const QuestOffer& o) { return o.questId; },
            [](const QuestOffer& o) { return o.questId == kNoId; });
        if (offer == nullptr) {
            ReportRefused("hideout " + DescribeId(args.U32(0)) + " has no free quest entry for " +
                          DescribeId(args.U32(1)));
        } else {
            *offer = QuestOffer{args.U32(1), args.I32(2)};
        }
        break;
    }
    case 50:
        for (std::size_t i = 0; i < hideout.neighbours.size(); ++i) {
            hideout.neighbours[i] = args.U32(1 + i) == 0 ? kNoId : args.U32(1 + i);
        }
        break;
    default:
        break;
    }
    return 1;
}

std::uint32_t NearViewCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    if (database != nullptr && mode == 0 && args.Need(6)) {
        NearViewData view;
        for (std::size_t i = 0; i < view.values.size(); ++i) {
            view.values[i] = args.I32(i);
        }
        database->AddNearViewData(view);
    }
    return 1;
}

}  // namespace setting_commands
