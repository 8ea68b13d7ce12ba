// The game's script packages: rooms, actors, routes and enemies, loaded at start-up with their registration.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "framework/utility/script_package/script_package.h"
#include "game/services/data/registration.h"

// One loaded script package: its entries {script id, program}.
class GAME_CScriptPackage : public vesk::utility::script_package::UTL_CManager {};

enum ScriptPackageKind : int {
    kScriptPackageRoom = 0,   // entries keyed by room id tags
    kScriptPackageActor = 1,  // by actor script id
    kScriptPackageRoute = 2,  // by route id
    kScriptPackageEnemy = 3,  // by enemy id
    kScriptPackageKindCount = 4,
};

// The file of a kind, as "script/room_script.pac"; empty for other kinds.
std::string_view ScriptPackageFile(int kind);

// Holds the four packages from start-up to the game's end.
class GAME_CScriptPackageHolder {
public:
    // Null for a kind outside 0..3 or one not loaded.
    const GAME_CScriptPackage* Get(int kind) const;
    // Replaces the package of a kind (null empties it); nothing for another kind.
    void Set(int kind, std::unique_ptr<GAME_CScriptPackage> package);

private:
    std::array<std::unique_ptr<GAME_CScriptPackage>, kScriptPackageKindCount> packages_;
};

// The holder, made on first use.
GAME_CScriptPackageHolder* GetScriptPackages();
// Frees the holder and its packages (game end).
void DestroyScriptPackageHolder();

// Loads the package of a kind, replacing the one held, and runs the
// registration label of every entry: rooms on a temporary room, routes on a
// temporary route manager, enemies on a temporary enemy; actors register
// nothing (crew members take their scripts from the package when they are
// made). An entry without the label is passed over. A file that cannot be
// read or parsed leaves the kind's package empty, with a log line naming the
// file; false then, and for a kind outside 0..3.
bool LoadScriptPackage(int kind);

// LoadScriptPackage after its read: parses image (a block of the main heap,
// size bytes, taken over and freed with the package) and registers. Null
// image: the kind stays empty.
bool LoadScriptPackageImage(int kind, void* image, std::size_t size);
