// The setting script engine: runs "script/static_database.pac" to fill the static database.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "framework/utility/script/script_engine.h"
#include "framework/utility/script/script_thread.h"
#include "framework/utility/script_package/script_package.h"

class GAME_CStaticDatabase;

inline constexpr std::string_view kStaticDatabasePackagePath = "script/static_database.pac";

// The static-database command table: table 1 of the setting script engine.
inline constexpr std::uint32_t kSettingTableSize = 86;
vesk::utility::script::CommandTable GetStaticDatabaseCommandTable();

class GAME_CScriptSetting final : public vesk::utility::script::SYS_CScriptEngine {
public:
    // The engine fills `database`, which it does not own (null: the statements do nothing).
    explicit GAME_CScriptSetting(GAME_CStaticDatabase* database);

    void OnJump(int) override {}

    // Clears the engine, installs the common table and the static-database table, and reads the
    // package. False, with a log line naming the file, when it is missing, broken or empty.
    bool LoadStaticDatabaseScript();
    // The same from bytes already in memory (tests and tools).
    bool LoadStaticDatabaseScriptFromMemory(std::span<const std::uint8_t> bytes);

    // Jumps to the registration label and runs the script to its end (a script that runs more than
    // the registration's command budget without yielding is stopped). False when the label is
    // missing.
    bool RunRegistration();

    GAME_CStaticDatabase* Database() const { return database_; }

private:
    bool TakePackage(void* image, std::size_t size);

    GAME_CStaticDatabase* database_;
    vesk::utility::script::ScriptThreadBlock threads_;
    vesk::utility::script_package::UTL_CManager package_;
};

// The start-up's database load: the setting script from the data folder, run once on the
// database; false, with a log line, when there was nothing to run (the database stays as it is).
bool RunStaticDatabaseScript(GAME_CStaticDatabase& database);
