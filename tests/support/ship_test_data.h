// The small data set of the ship tests, fuzz targets and benchmarks: a few items, two ships and room kinds with their scripts.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "framework/log/log.h"
#include "framework/memory/heaps.h"
#include "game/services/achievement/achievements.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/save/save_manager.h"
#include "game/model/script/script_package.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "tools/common/script_assembler.h"
#include "tools/common/script_commands.h"

namespace support {

// Room kinds of the test's room scripts (positions in the room-id table) and what they are.
inline constexpr std::int32_t kLadder = 1;      // "ID01" 1x2, joins rows
inline constexpr std::int32_t kHome = 3;        // "ID03" crew home for 3
inline constexpr std::int32_t kHullPlate = 5;   // "ID05" +50 hull, 3 "I001" and 2 "I002" to build, durability 100
inline constexpr std::int32_t kFuelTank = 6;    // "ID06" +200 fuel capacity
inline constexpr std::int32_t kKitchen = 10;    // "ID10" 2x1 food store of 5
inline constexpr std::int32_t kTurret = 15;     // "ID15" ammunition "I050", 5 rounds; upgrades listed out of type order
inline constexpr std::int32_t kStorage = 20;    // "ID20" 4 stacks
inline constexpr std::int32_t kEngine = 23;     // "ID23" 2x1 engine, output 7, over-limit upgrades
inline constexpr std::int32_t kNoDataKind = 24;  // "ID24": in the table, but no script registers it

// Items: "I001" a material stacking 10, "I002" a material whose stack limit is 0, "I003" food,
// "I050" ammunition (power 4, period 30, reach 10) stacking 10. Dish "D001", buff "B001", debuff
// "N001". Ships: "SHP2" 10 x 3 cells, all floor (hull 300, fuel 300 at rate 100, speed 1.000);
// "SHPX" 4 x 2 with a tag no hull renderer knows; "SHPL" 19 x 13, the largest grid.
inline constexpr std::uint32_t kMaterial = MakeTag("I001");
inline constexpr std::uint32_t kUnstackable = MakeTag("I002");
inline constexpr std::uint32_t kFood = MakeTag("I003");
inline constexpr std::uint32_t kAmmo = MakeTag("I050");
inline constexpr std::uint32_t kDish = MakeTag("D001");
inline constexpr std::uint32_t kBuff = MakeTag("B001");
inline constexpr std::uint32_t kDebuff = MakeTag("N001");

// Labels every test room runs: idle, working, building, upgrading, and the break that removes it.
inline constexpr std::string_view kTestRoomStateLabels = R"(
"更新[NoTask]":
    display 0 1000 0 1000
    offset 0 0
    period 1
idle:
    wait 60
    goto idle
"更新[Task]":
    period 1
work:
    offset.y_wave 1000 12 30
    goto work
"更新[Build][Stay]":
    period 1
    goto idle
"更新[Build][Running]":
    flag.build 0
    goto idle
"アップグレード[Stay]":
    goto idle
"アップグレード[Running]":
    goto work
"破壊":
    flag.broken 1
    display.add 0 -30 0 -30 2
    remove
    halt
)";

// The registration of each room kind; sprite ids are left at 1.
inline std::string TestRoomScriptSource()
{
    struct Room {
        const char* id;
        const char* registration;
    };
    static constexpr Room kRooms[] = {
        {"ID01", "    reg.sprite 1 1 2\n    reg.flags 0x1\n    reg.durability 100\n"},
        {"ID03", "    reg.sprite 1 1 1\n    reg.flags 0x28\n    reg.capacity 3\n    reg.durability 50\n"},
        {"ID05", "    reg.sprite 1 1 1\n    reg.flags 0x40\n    reg.durability 100\n    reg.value 3 50\n"
                 "    reg.material 'I001' 3\n    reg.material 'I002' 2\n"},
        {"ID06", "    reg.sprite 1 1 1\n    reg.flags 0x80\n    reg.durability 60\n    reg.value 4 200\n"},
        {"ID10", "    reg.sprite 1 2 1\n    reg.flags 0x30\n    reg.capacity 2\n    reg.durability 60\n    reg.value 2 5\n"},
        {"ID15", "    reg.sprite 1 1 1\n    reg.flags 0x100\n    reg.durability 60\n    reg.value 6 10\n    reg.value 7 5\n"
                 "    reg.accept_item 'I050'\n    reg.upgrade 4 3 \"TURRET_UPGRADE_4\"\n"
                 "    reg.upgrade 0 2 \"TURRET_UPGRADE_0\"\n"},
        {"ID20", "    reg.sprite 1 1 1\n    reg.flags 0x2\n    reg.durability 60\n    reg.value 0 4\n"},
        {"ID23", "    reg.sprite 1 2 1\n    reg.flags 0x20\n    reg.capacity 2\n    reg.durability 100\n    reg.value 8 7\n"
                 "    reg.value 11 300\n    reg.value 12 1500\n    reg.upgrade 0 2 \"ENGINE_UPGRADE_0\"\n"
                 "    reg.upgrade 1 0 \"ENGINE_UPGRADE_1\"\n    reg.upgrade 2 0 \"ENGINE_UPGRADE_2\"\n"},
    };
    std::string source;
    for (const Room& room : kRooms) {
        source += ".entry '" + std::string(room.id) + "'\n\"データベース登録\":\n" + room.registration + "    halt\n";
        source += kTestRoomStateLabels;
    }
    return source;
}

inline void DefineTestShip(GAME_CStaticDatabase& database, std::uint32_t tag, int width, int height)
{
    ShipData* ship = database.GetOrCreateShipData(tag);
    ship->baseHull = 300;
    ship->baseFuelCapacity = 300;
    ship->baseSpeed = 1000;
    ship->baseFuelRate = 100;
    ship->gridWidth = static_cast<std::uint16_t>(width);
    ship->gridHeight = static_cast<std::uint16_t>(height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) ship->SetFloorCell(x, y, true);
    }
    ship->materials[0] = ItemCount{kMaterial, 4};
}

// Items, dishes, buffs and the two ships (must run once the database exists).
inline void DefineShipTestData(GAME_CStaticDatabase& database)
{
    ItemData* material = database.GetOrCreateItemData(kMaterial, true);
    material->stackLimit = 10;
    ItemData* unstackable = database.GetOrCreateItemData(kUnstackable, true);
    unstackable->stackLimit = 0;
    ItemData* food = database.GetOrCreateItemData(kFood, true);
    food->stackLimit = 5;
    food->foodValue = 30;
    ItemData* ammo = database.GetOrCreateItemData(kAmmo, true);
    ammo->stackLimit = 10;
    ammo->power = 4;
    ammo->period = 30;
    ammo->reach = 10;
    database.GetOrCreateCookingRecipe(kDish, true)->cookingSeconds = 10;
    database.GetOrCreateBuffData(kBuff, true)->durationSeconds = 10;
    database.GetOrCreateDebuffData(kDebuff, true)->durationSeconds = 10;
    DefineTestShip(database, MakeTag("SHP2"), 10, 3);
    DefineTestShip(database, MakeTag("SHPX"), 4, 2);
    DefineTestShip(database, MakeTag("SHPL"), 19, 13);
}

// Assembles a script source with common.def and the table's definition file of the folder and
// loads it as the package of the kind (which runs its registration); the assembler's errors, or
// empty on success.
inline std::vector<std::string> LoadTestScriptPackage(int kind, const std::string& source, std::string_view table,
                                                      const std::string& definitionsFolder)
{
    using namespace vesk::tools::script;
    CommandSet commands;
    Diagnostics errors;
    commands.LoadFile(definitionsFolder + "/common.def", errors);
    commands.LoadFile(definitionsFolder + "/" + std::string(table), errors);
    AssemblyResult result = AssembleScript(source, "test.vss", commands);
    std::vector<std::string> messages;
    for (const Diagnostic& error : errors) messages.push_back(error.ToString());
    for (const Diagnostic& error : result.errors) messages.push_back(error.ToString());
    if (!messages.empty()) return messages;
    void* image = vesk::memory::MainHeapAlloc(result.package.size());
    std::memcpy(image, result.package.data(), result.package.size());
    if (!LoadScriptPackageImage(kind, image, result.package.size())) messages.push_back("load failed");
    return messages;
}

// The test rooms' scripts as the room package, which registers the room kinds.
inline std::vector<std::string> LoadTestRoomScripts(const std::string& definitionsFolder)
{
    return LoadTestScriptPackage(kScriptPackageRoom, TestRoomScriptSource(), "room.def", definitionsFolder);
}

// Takes down the game singletons that a world brings up (world, storage lists, scripts, player
// data with its database, clock, save and achievement managers) and gives the log back its
// default sink. A program that ran the world inside a framework session calls it before the
// session stops: the singletons live on the session's heaps.
inline void DestroyTestWorld()
{
    DestroyGameWorld();
    ClearFoodStorageList();
    ClearAmmoStorageList();
    DestroyScriptPackageHolder();
    DestroyPlayerData();
    DestroyGameClock();
    DestroySaveManager();
    DestroyAchievementManager();
    vesk::log::SetSink(nullptr);
}

}  // namespace support
