// A stand-in for the game saving its current slot again and again, for the test that kills it mid-save.
//
//     game_saver_helper <folder>
//
// Works in <folder> as the game does: claims the save folder, makes new save data, then saves
// the current slot without end, each time with the money set to the save's number, and prints
// "saved <n>" once the save <n> is on disk.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "framework/file/save_file.h"
#include "framework/log/log.h"
#include "framework/memory/heaps.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"

int main(int argc, char** argv)
{
    if (argc != 2 || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: game_saver_helper <folder>\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
    vesk::memory::CreateHeaps();
    vesk::file::CreateSaveFolder();
    if (!vesk::file::ClaimSaveFolder()) return 1;
    GAME_CPlayerData* player = CreatePlayerData();
    ResetSaveAreas();
    InitAllSaveData();
    SaveAreas& areas = GetSaveAreas();
    const auto first = areas.ImageSlot(0);
    areas.workingSlot.assign(first.begin(), first.end());
    GAME_CSaveManager* saves = GetSaveManager();
    for (int n = 0;; ++n) {
        player->money = n;
        if (!saves->RequestSaveCurrentSlot()) return 1;
        while (!saves->IsIdle()) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
            saves->Step();
        }
        if (saves->lastResult != GAME_CSaveManager::kOk) return 1;
        std::printf("saved %d\n", n);
    }
}
