// The setting script engine and the static-database load of the start-up.
#include "game/services/data/setting_script.h"

#include <cstring>
#include <string>

#include "framework/file/heap_block.h"
#include "framework/file/resource_file.h"
#include "framework/log/log.h"
#include "framework/utility/script/common_table.h"
#include "game/services/data/registration.h"
#include "game/services/data/tag.h"

namespace {

using vesk::utility::script::GetCommonCommandTable;

void ReportUnusable(std::string_view why)
{
    vesk::log::Error("static database: " + std::string(kStaticDatabasePackagePath) + " " + std::string(why) +
                     "; the database stays empty");
}

}  // namespace

GAME_CScriptSetting::GAME_CScriptSetting(GAME_CStaticDatabase* database) : database_(database)
{
    SetThreads(&threads_);
    SetCommandBudget(kRegistrationCommandBudget);
}

bool GAME_CScriptSetting::TakePackage(void* image, std::size_t size)
{
    threads_.Clear();
    SetProgram(nullptr);
    SetCommandTable(0, GetCommonCommandTable());
    SetCommandTable(1, GetStaticDatabaseCommandTable());
    if (image == nullptr) {
        package_.Release();
        ReportUnusable("could not be read");
        return false;
    }
    if (package_.ParseScriptPackage(image, size, kStaticDatabasePackagePath, MakeTag("STAT")) == 0) {
        ReportUnusable("is not a script package");
        return false;
    }
    if (package_.GetEntryCount() == 0 || package_.GetEntry(0).program.IsEmpty()) {
        ReportUnusable("holds no script");
        return false;
    }
    SetProgram(&package_.GetEntry(0).program);
    return true;
}

bool GAME_CScriptSetting::LoadStaticDatabaseScript()
{
    std::size_t size = 0;
    void* image = vesk::file::ReadResourceFile(nullptr, kStaticDatabasePackagePath, &size);
    return TakePackage(image, size);
}

bool GAME_CScriptSetting::LoadStaticDatabaseScriptFromMemory(std::span<const std::uint8_t> bytes)
{
    void* image = bytes.empty() ? nullptr : vesk::file::AllocateFileBlock(nullptr, bytes.size());
    if (image != nullptr) {
        std::memcpy(image, bytes.data(), bytes.size());
    }
    return TakePackage(image, bytes.size());
}

bool GAME_CScriptSetting::RunRegistration()
{
    if (GetProgram() == nullptr || JumpToLabel(kRegistrationLabel) == 0) {
        vesk::log::Error("static database: " + std::string(kStaticDatabasePackagePath) +
                         " has no registration label; the database stays empty");
        return false;
    }
    Update();
    return true;
}

bool RunStaticDatabaseScript(GAME_CStaticDatabase& database)
{
    GAME_CScriptSetting engine(&database);
    return engine.LoadStaticDatabaseScript() && engine.RunRegistration();
}
