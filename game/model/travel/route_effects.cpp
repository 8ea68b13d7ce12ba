// Route command 40, modes 100 to 131: particle effects placed from the route script's effect settings.
#include <algorithm>

#include "game/model/travel/route_commands.h"
#include "game/model/world/game_world.h"

namespace route_commands {
namespace {

constexpr float kPerMille = 0.001f;
constexpr std::size_t kEffectLabelUnits = 32;

float Thousandths(std::int32_t value) { return static_cast<float>(value) * kPerMille; }

// The two variables named at bytes 0 and 32; false unless both exist.
bool TwoVariables(SYS_CScriptEngine& engine, const ScriptArgs& args, std::int32_t* first, std::int32_t* second)
{
    return VariableValue(engine, args, 0, first) && VariableValue(engine, args, kNameBytes, second);
}

}  // namespace

std::uint32_t SpawnEffect(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args)
{
    RouteEffectSettings& settings = RouteEngine(engine).effectSettings;
    std::int32_t first = 0;
    std::int32_t second = 0;
    switch (mode) {
    case 100: {
        std::u16string label = InlineWideText(args, 0, kEffectLabelUnits);
        if (!args.Need(17)) return 1;
        label.resize(std::min<std::size_t>(label.size(), kEffectLabelUnits - 1));
        GAME_CGameWorld* world = World();
        if (world != nullptr && world->effects) {
            vesk::utility::particle::UTL_SEffectRequest request;
            request.kind = vesk::utility::particle::kEffectAtPosition;
            request.objectName = settings.objectName;
            request.labelName = label;
            request.params.offset = {settings.x, settings.y};
            request.params.scale = {settings.scaleX, settings.scaleY};
            request.params.rotation = settings.rotation;
            world->effects->SpawnParticleEffect(request);
        }
        if (args.I32(16) != 0) ResetRouteEffectSettings(settings);
        return 1;
    }
    case 101:
        ResetRouteEffectSettings(settings);
        return 1;
    case 110:
        if (args.Need(2)) {
            settings.x = static_cast<float>(args.I32(0));
            settings.y = static_cast<float>(args.I32(1));
        }
        return 1;
    case 111:
        if (TwoVariables(engine, args, &first, &second)) {
            settings.x = static_cast<float>(first);
            settings.y = static_cast<float>(second);
        }
        return 1;
    case 112:
        if (TwoVariables(engine, args, &first, &second)) {
            const GAME_CGameWorld* world = World();
            if (world != nullptr && world->camera) world->camera->CellScreenPosition(first, second, &settings.x, &settings.y);
        }
        return 1;
    case 120:
        if (args.Need(2)) {
            settings.scaleX = Thousandths(args.I32(0));
            settings.scaleY = Thousandths(args.I32(1));
        }
        return 1;
    case 121:
        if (TwoVariables(engine, args, &first, &second)) {
            settings.scaleX = Thousandths(first);
            settings.scaleY = Thousandths(second);
        }
        return 1;
    case 130:
        if (args.Need(1)) settings.rotation = Thousandths(args.I32(0));
        return 1;
    case 131:
        if (VariableValue(engine, args, 0, &first)) settings.rotation = Thousandths(first);
        return 1;
    default:
        return 1;
    }
}

}  // namespace route_commands
