// Random static-database scripts run into the database, then every lookup and index over what they made.
// Nothing may crash, read outside the package or hang. With the first byte odd
// the rest is taken as a whole package, else as commands of the registration
// label.
#include <vector>

#include "fuzz/registration_input.h"
#include "game/services/data/setting_script.h"

namespace {

void ExerciseLookups(const GAME_CStaticDatabase& database, std::uint32_t probe)
{
    std::uint32_t id = 0;
    std::int32_t position = 0;
    std::vector<std::int32_t> routes;
    std::vector<std::uint16_t> groups;
    std::vector<std::uint32_t> lines;
    for (std::int32_t at : {-1, 0, 1, static_cast<std::int32_t>(probe & 0xFF)}) {
        database.GetItemDataAt(at, &id);
        database.GetCookingRecipeAt(at, &id);
        database.GetTaskDataAt(at, &id);
        database.GetHideoutDataAt(at, &id);
        database.GetRumorDataAt(at, &id);
        database.GetEnemyDataAt(at, &id);
        database.GetShipDataAt(at);
        database.GetNearViewDataAt(at);
    }
    database.FindItemDataIndexed(probe, &position);
    database.FindHideoutDataIndexed(probe, &position);
    database.FindRouteBetween(probe, probe >> 1, &position);
    database.CollectRoutesFrom(probe, routes);
    database.CollectBalloonGroupsForBuff(probe, groups);
    database.CollectBalloonGroupsForDebuff(probe, groups);
    database.CollectBalloonLinesForRatio(static_cast<std::int32_t>(probe), static_cast<std::int32_t>(probe >> 3),
                                         lines);
    database.FindMindControlData(probe);
    database.FindTreatmentData(probe);
    database.FindItemProductionData(probe);
    for (const auto& ship : database.Ships()) {
        ship->IsFloorCell(probe % 40, probe % 30);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GAME_CStaticDatabase& database = registration_fuzz::FreshDatabase();
    std::vector<std::uint8_t> bytes =
        size > 0 && (data[0] & 1) != 0
            ? std::vector<std::uint8_t>(data + 1, data + size)
            : registration_fuzz::PackageFromInput(data, size, static_cast<std::uint16_t>(kSettingTableSize));
    // The check words made to match, so that a mutated whole package reaches the structure checks.
    vesk::tools::script::SealScriptPackage(bytes);
    GAME_CScriptSetting engine(&database);
    if (engine.LoadStaticDatabaseScriptFromMemory(bytes)) {
        engine.RunRegistration();
    }
    database.BuildItemProductionIndex();
    database.BuildTreatmentIndex();
    database.BuildMindControlIndex();
    ExerciseLookups(database, size >= 4 ? registration_fuzz::InputReader(data + size - 4, 4).U32() : 0);
    return 0;
}
