// Static-database scripts assembled from source and run into a database of the test's own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "game/services/data/setting_script.h"
#include "game/services/data/static_database.h"
#include "tests/support/probe_script.h"
#include "tools/common/script_assembler.h"
#include "tools/common/script_commands.h"

namespace game_test {

// The definitions the data set's static-database script is assembled with.
inline const vesk::tools::script::CommandSet& SettingCommands()
{
    static const vesk::tools::script::CommandSet commands = [] {
        vesk::tools::script::CommandSet set;
        vesk::tools::script::Diagnostics errors;
        set.LoadFile(support::DefinitionPath("common.def"), errors);
        set.LoadFile(support::DefinitionPath("static_database.def"), errors);
        for (const auto& error : errors) {
            ADD_FAILURE() << error.ToString();
        }
        return set;
    }();
    return commands;
}

// A package of one entry whose registration label runs the given statements.
inline std::vector<std::uint8_t> AssembleSetting(std::string_view statements)
{
    const std::string source = ".entry 1\n\"データベース登録\":\n" + std::string(statements) + "\n    return\n";
    const auto result = vesk::tools::script::AssembleScript(source, "setting.vss", SettingCommands());
    for (const auto& error : result.errors) {
        ADD_FAILURE() << error.ToString();
    }
    return result.package;
}

// Runs a package's registration on the database; false when it could not run.
inline bool RunSetting(GAME_CStaticDatabase& database, const std::vector<std::uint8_t>& package)
{
    GAME_CScriptSetting engine(&database);
    return engine.LoadStaticDatabaseScriptFromMemory(package) && engine.RunRegistration();
}

inline bool RunSettingSource(GAME_CStaticDatabase& database, std::string_view statements)
{
    return RunSetting(database, AssembleSetting(statements));
}

}  // namespace game_test
