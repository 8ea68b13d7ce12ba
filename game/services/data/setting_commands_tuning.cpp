// Static-database commands of global tuning and of the database as a whole.
#include <algorithm>

#include "game/services/data/setting_commands.h"
#include "game/services/data/static_database.h"

namespace setting_commands {
namespace {

constexpr std::int32_t kLimitMax = 2147483632;

}  // namespace

std::uint32_t ClearDatabaseCommand(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs&, std::uint16_t)
{
    if (GAME_CStaticDatabase* database = DatabaseOf(engine)) {
        database->Clear();
    }
    return 1;
}

std::uint32_t AcceptedCommand(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t) { return 1; }

std::uint32_t LimitsCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    if (database != nullptr && mode == 0 && args.Need(3)) {
        DatabaseLimits& limits = database->Limits();
        limits.first = std::clamp(args.I32(0), 100, kLimitMax);
        limits.second = std::clamp(args.I32(1), 1, kLimitMax);
        limits.third = std::clamp(args.I32(2), 1, kLimitMax);
    }
    return 1;
}

std::uint32_t CameraCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    if (database == nullptr || mode > 5 || !args.Need(1)) {
        return 1;
    }
    CameraValues& camera = database->Camera();
    float* const values[] = {&camera.zoomMin,    &camera.zoomMax,     &camera.zoomValue3,
                             &camera.zoomValue4, &camera.scrollSpeed, &camera.value6};
    *values[mode] = UnsignedThousandths(args.U32(0));
    return 1;
}

std::uint32_t TuningCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    static constexpr std::size_t kWords[] = {3, 6, 5, 5, 8};
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    if (database == nullptr || mode >= std::size(kWords) || !args.Need(kWords[mode])) {
        return 1;
    }
    TuningBlock& t = database->Tuning();
    const auto milli = [&](std::size_t i) { return UnsignedThousandths(args.U32(i)); };
    switch (mode) {
    case 0:
        t.value1 = milli(0);
        t.scanPause = milli(1);
        t.scanSpeed = args.I32(2);
        break;
    case 1:
        t.weaponSlots = args.I32(0);
        t.maxLives = args.I32(1);
        t.startLives = args.I32(2);
        t.walkSpeed = args.I32(3);
        t.walkDelay = args.I32(4);
        t.invincibleTime = milli(5);
        break;
    case 2:
        t.gravity = args.I32(0);
        t.maxFallSpeed = args.I32(1);
        t.jumpSpeed = args.I32(2);
        t.doubleJumpSpeed = args.I32(3);
        t.jumpCut = milli(4);
        break;
    case 3:
        t.value14 = milli(0);
        t.hitMarginTop = args.I32(1);
        t.hitMarginBottom = args.I32(2);
        t.hitMarginRight = args.I32(3);
        t.hitMarginLeft = args.I32(4);
        break;
    case 4:
        t.fullLifeBonus = args.I32(0);
        t.shieldTime = milli(1);
        for (std::size_t i = 0; i < t.itemLife.size(); ++i) {
            t.itemLife[i] = milli(2 + i);
        }
        t.itemBlinkTime = milli(7);
        break;
    default:
        break;
    }
    return 1;
}

std::uint32_t ParamCommand(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    if (database != nullptr && args.Need(7)) {
        ParamRecord& record = *database->GetOrCreateParamRecord(args.U32(0));
        record.power = args.I32(1);
        record.bulletSpeed = args.I32(2);
        record.cooldown = args.I32(3);
        record.muzzleX = UnsignedThousandths(args.U32(4));
        record.muzzleY = UnsignedThousandths(args.U32(5));
        record.secondMuzzleY = UnsignedThousandths(args.U32(6));
    }
    return 1;
}

}  // namespace setting_commands
