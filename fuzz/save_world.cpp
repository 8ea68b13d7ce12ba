// Whole save images, seeded with images the game wrote, mutated field by field at the offsets of the
// slots and the system record. Each image is read by the load (its header made to match, so that
// the fields are reached), applied to the running game, and the slot's world is stepped a few frames.
// Inputs are whole images or edit lists (see save_edits.h) over a new game's image and the seeds.
#include <malloc.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "framework/file/resource_file.h"
#include "framework/log/log.h"
#include "framework/math/random.h"
#include "fuzz/save_edits.h"
#include "game/model/script/script_package.h"
#include "game/model/session/play_session.h"
#include "game/model/world/game_world.h"
#include "game/services/achievement/achievements.h"
#include "game/services/data/setting_script.h"
#include "game/services/data/static_database.h"
#include "game/services/input/input_map.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"

namespace {

using namespace save_layout;

constexpr int kFramesStepped = 8;

// The game as the start-up leaves it: the data set's database, scripts and world.
void PrepareGame()
{
    static const bool ready = [] {
        vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
        vesk::math::SeedRandom(1);
        vesk::math::MarkRandomClockSeeded();
        vesk::file::SetResourceFolder(VARNOLIS_BUILT_RESOURCE_DIR);
        CreatePlayerData();
        ResetSaveAreas();
        GetSaveManager();
        if (GAME_CStaticDatabase* database = GetStaticDatabase()) {
            RunStaticDatabaseScript(*database);
            database->LoadActorNameLists();
        }
        GetInputMap();
        for (int kind = 0; kind < kScriptPackageKindCount; ++kind) LoadScriptPackage(kind);
        GetAchievementManager();
        GetGameWorld();
        return true;
    }();
    (void)ready;
}

// A new game's image first, then the images the game wrote.
const std::vector<fuzz_support::Image>& BaseImages()
{
    static const std::vector<fuzz_support::Image> images = [] {
        InitAllSaveData();
        SaveAreas& areas = GetSaveAreas();
        std::memcpy(areas.ImageSystemRecord().data(), areas.workingSystem.data(), kSystemRecordSize);
        WriteSaveHeader(areas.image);
        return fuzz_support::ReadBaseImages(areas.image);
    }();
    return images;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Each run copies whole images: kept in the heap, not mapped and unmapped run after run, they
    // cost no page faults.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    fuzz_support::AllowWholeImages(argc, argv);
    return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed)
{
    PrepareGame();
    return fuzz_support::MutateEditList(data, size, maxSize, seed, BaseImages());
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PrepareGame();
    static fuzz_support::Image image;
    if (size != kImageSize && TakeLoadedImage(std::span(data, size)) == GAME_CSaveManager::kOk) __builtin_trap();
    fuzz_support::ImageOfInput(data, size, BaseImages(), image);
    if (TakeLoadedImage(image) != GAME_CSaveManager::kOk) return 0;
    SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    GAME_CGameWorld* world = GetGameWorld();
    for (int frame = 0; frame < kFramesStepped; ++frame) world->Step();
    return 0;
}
