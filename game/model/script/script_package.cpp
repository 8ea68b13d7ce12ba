// Loading the game's script packages and running their registration labels.
#include "game/model/script/script_package.h"

#include <string>

#include "framework/file/resource_file.h"
#include "framework/log/log.h"
#include "framework/memory/heaps.h"
#include "game/model/script/script_enemy.h"
#include "game/model/travel/route_manager.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/room_base.h"
#include "game/services/data/tag.h"

namespace {

using vesk::utility::script_package::DecodedEntry;
using vesk::utility::script_package::ProgramRecord;

constexpr int kReadAttempts = 16;

GAME_CScriptPackageHolder* g_holder = nullptr;

bool IsKind(int kind) { return kind >= 0 && kind < kScriptPackageKindCount; }

// The whole file, retried while it reads empty; null when it cannot be read
// (the file layer logs why) or stays empty.
void* ReadPackageFile(std::string_view file, std::size_t& size)
{
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        size = 0;
        constexpr std::size_t kUnread = static_cast<std::size_t>(-1);
        std::size_t read = kUnread;
        void* image = vesk::file::ReadResourceFile(nullptr, file, &read);
        if (image != nullptr) {
            size = read;
            return image;
        }
        if (read == kUnread) {
            return nullptr;  // missing or unreadable: another read will not help
        }
    }
    return nullptr;
}

// Restarts the engine at the registration label and runs it once, to its
// end or its first yield. False when the script has no such label.
template <typename Engine, typename Tick>
bool RunRegistration(Engine& engine, Tick tick)
{
    engine.SetCommandBudget(kRegistrationCommandBudget);
    if (engine.JumpToLabel(kRegistrationLabel) == 0) {
        return false;
    }
    tick();
    return true;
}

void RegisterRooms(const GAME_CScriptPackage& package)
{
    auto room = std::make_unique<GAME_CRoomBase>();
    for (std::uint32_t i = 0; i < package.GetEntryCount(); ++i) {
        const DecodedEntry& entry = package.GetEntry(i);
        if (entry.program.IsEmpty()) {
            continue;
        }
        room->SetRoomId(entry.id);
        GAME_CScriptRoom& script = room->Script();
        script.Attach(&entry.program);
        RunRegistration(script, [&] { script.TickScript(); });
    }
}

void RegisterRoutes(const GAME_CScriptPackage& package)
{
    auto manager = std::make_unique<GAME_CRouteManager>();
    for (std::uint32_t i = 0; i < package.GetEntryCount(); ++i) {
        const DecodedEntry& entry = package.GetEntry(i);
        if (entry.program.IsEmpty()) {
            continue;
        }
        manager->BeginRegistration(entry.id, &entry.program);
        GAME_CScriptRoute& script = manager->Script();
        RunRegistration(script, [&] { script.Update(); });
        manager->FinishRegistration();
    }
}

void RegisterEnemies(const GAME_CScriptPackage& package)
{
    auto engine = std::make_unique<GAME_CScriptEnemy>();
    for (std::uint32_t i = 0; i < package.GetEntryCount(); ++i) {
        const DecodedEntry& entry = package.GetEntry(i);
        if (entry.program.IsEmpty()) {
            continue;
        }
        // An enemy that only carries the id: a registration never plays the enemy's labels.
        auto enemy = std::make_unique<GAME_CObjectEnemy>();
        enemy->SetEnemyId(entry.id);
        engine->Attach(&entry.program, enemy.get());
        RunRegistration(*engine, [&] { engine->TickScript(); });
        engine->Attach(nullptr, nullptr);
    }
}

}  // namespace

// The kind each package's header must name: the first letters of its command table.
constexpr std::uint32_t kKindTags[kScriptPackageKindCount] = {MakeTag("ROOM"), MakeTag("ACTO"), MakeTag("ROUT"),
                                                              MakeTag("ENEM")};

std::string_view ScriptPackageFile(int kind)
{
    static constexpr std::string_view kFiles[kScriptPackageKindCount] = {
        "script/room_script.pac",
        "script/actor_script.pac",
        "script/route_script.pac",
        "script/enemy_script.pac",
    };
    return IsKind(kind) ? kFiles[kind] : std::string_view{};
}

const GAME_CScriptPackage* GAME_CScriptPackageHolder::Get(int kind) const
{
    return IsKind(kind) ? packages_[kind].get() : nullptr;
}

void GAME_CScriptPackageHolder::Set(int kind, std::unique_ptr<GAME_CScriptPackage> package)
{
    if (IsKind(kind)) {
        packages_[kind] = std::move(package);
    }
}

GAME_CScriptPackageHolder* GetScriptPackages()
{
    if (g_holder == nullptr) {
        g_holder = new GAME_CScriptPackageHolder();
    }
    return g_holder;
}

void DestroyScriptPackageHolder()
{
    delete g_holder;
    g_holder = nullptr;
}

bool LoadScriptPackage(int kind)
{
    if (!IsKind(kind)) {
        return false;
    }
    std::size_t size = 0;
    void* image = ReadPackageFile(ScriptPackageFile(kind), size);
    return LoadScriptPackageImage(kind, image, size);
}

bool LoadScriptPackageImage(int kind, void* image, std::size_t size)
{
    if (!IsKind(kind)) {
        vesk::memory::MainHeapFree(image);
        return false;
    }
    GAME_CScriptPackageHolder* holder = GetScriptPackages();
    holder->Set(kind, nullptr);
    auto package = std::make_unique<GAME_CScriptPackage>();
    // The file's reader or the parser has said, naming the file, why there are no scripts.
    if (image == nullptr || package->ParseScriptPackage(image, size, ScriptPackageFile(kind), kKindTags[kind]) != 1) {
        holder->Set(kind, std::move(package));
        return false;
    }
    switch (kind) {
    case kScriptPackageRoom:
        RegisterRooms(*package);
        break;
    case kScriptPackageRoute:
        RegisterRoutes(*package);
        break;
    case kScriptPackageEnemy:
        RegisterEnemies(*package);
        break;
    default:
        break;
    }
    holder->Set(kind, std::move(package));
    return true;
}
