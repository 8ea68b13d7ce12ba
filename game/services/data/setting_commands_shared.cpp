// What the static-database command handlers share: the database, refusals and argument reading.
#include <algorithm>
#include <cstdint>

#include "framework/log/log.h"
#include "game/services/data/setting_commands.h"
#include "game/services/data/setting_script.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"

namespace setting_commands {

GAME_CStaticDatabase* DatabaseOf(SYS_CScriptEngine& engine)
{
    return static_cast<GAME_CScriptSetting&>(engine).Database();
}

void ReportRefused(std::string_view what)
{
    vesk::log::Warning("static database: " + std::string(what));
}

std::string ReadFieldText(const ScriptArgs& args, std::size_t byteOffset, std::size_t fieldBytes)
{
    if (fieldBytes == 0 || byteOffset >= args.Size()) {
        return {};
    }
    const std::size_t limit = std::min(fieldBytes - 1, args.Size() - byteOffset);
    const char* text = reinterpret_cast<const char*>(args.Data() + byteOffset);
    return std::string(text, std::find(text, text + limit, '\0'));
}

std::int32_t SecondsToFrames(std::int32_t seconds)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(static_cast<std::int64_t>(seconds) * 60, INT32_MIN,
                                                              INT32_MAX));
}

float UnsignedThousandths(std::uint32_t value) { return static_cast<float>(static_cast<double>(value) * 0.001); }
float SignedThousandths(std::int32_t value) { return static_cast<float>(static_cast<double>(value) * 0.001); }

std::uint32_t ResolveModifierRoom(const GAME_CStaticDatabase& database, std::uint32_t tag, std::string_view owner)
{
    if (database.FindRoomData(tag) != nullptr) {
        return tag;
    }
    if (tag != kNoId) {
        ReportRefused(std::string(owner) + ": unknown room kind " + DescribeId(tag));
    }
    return kNoId;
}

}  // namespace setting_commands
