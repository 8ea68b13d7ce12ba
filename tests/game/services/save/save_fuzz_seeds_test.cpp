// The save fuzzer's seeds are whole images this game wrote and still reads: a new game, a game after play, every slot used.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/tag.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "game/services/save/working_slot.h"
#include "tests/support/build_paths.h"
#include "tests/support/game_fixture.h"
#include "tests/support/scratch_folder.h"

namespace {

using Image = std::vector<std::uint8_t>;

std::filesystem::path SeedFolder() { return support::SourceRoot() / "fuzz/corpus/save_world"; }

class SaveFuzzSeeds : public support::GameFixture {
protected:
    Image SavedImage() const
    {
        const std::string bytes = support::ReadBytes(SavePath());
        return {bytes.begin(), bytes.end()};
    }

    // A slot as the save-slot screen writes it: with its play time, money and time stamp.
    void SaveSlot(std::uint32_t slot)
    {
        GetPlayerData()->playSeconds = 3600 + 97 * slot;
        GetPlayerData()->money = static_cast<std::int32_t>(1000 * slot + 250);
        const std::uint32_t stamp[8] = {2026, 1 + slot, 10 + slot, 12, 30, 15, 500, slot % 7};
        working_slot::SetLastSaveTime(stamp);
        ASSERT_TRUE(GetSaveManager()->RequestSaveSlot(slot));
        ASSERT_TRUE(StepUntilSaveIdle());
        ASSERT_EQ(GetSaveManager()->lastResult, GAME_CSaveManager::kOk);
    }
};

// With VARNOLIS_RECORD_SAVE_SEEDS=1 the seeds are written anew from this run.
TEST_F(SaveFuzzSeeds, AreImagesTheGameWroteAndStillReads)
{
    std::vector<std::pair<std::string, Image>> images;
    ASSERT_NO_FATAL_FAILURE(StartToMainGame());
    images.emplace_back("new_game", SavedImage());
    // An engine, a kitchen and a storeroom, three crew, and time passing.
    GAME_CShip& ship = *PeekGameWorld()->ship;
    ASSERT_NE(ship.PlaceRoom(0, 2, FindRoomIdIndex(MakeTag("ID23"))), nullptr);
    ASSERT_NE(ship.PlaceRoom(2, 1, FindRoomIdIndex(MakeTag("ID04"))), nullptr);
    ASSERT_NE(ship.PlaceRoom(4, 3, FindRoomIdIndex(MakeTag("ID20"))), nullptr);
    for (int i = 0; i < 3; ++i) ASSERT_NE(AddCrewMember(), nullptr);
    StepSimulation(600);
    ASSERT_NO_FATAL_FAILURE(SaveSlot(4));
    images.emplace_back("after_play", SavedImage());
    for (std::uint32_t slot = 0; slot < save_layout::kSlotCount; ++slot) {
        StepSimulation(60);
        ASSERT_NO_FATAL_FAILURE(SaveSlot(slot));
    }
    images.emplace_back("all_slots", SavedImage());

    const char* record = std::getenv("VARNOLIS_RECORD_SAVE_SEEDS");
    for (const auto& [name, image] : images) {
        ASSERT_EQ(image.size(), save_layout::kImageSize) << name;
        const std::filesystem::path seed = SeedFolder() / name;
        if (record != nullptr && std::string(record) == "1") {
            std::filesystem::create_directories(SeedFolder());
            support::WriteBytes(seed, std::string(image.begin(), image.end()));
            continue;
        }
        ASSERT_TRUE(std::filesystem::exists(seed)) << seed << "; record it with VARNOLIS_RECORD_SAVE_SEEDS=1";
        const std::string stored = support::ReadBytes(seed);
        ASSERT_EQ(stored.size(), save_layout::kImageSize) << seed << "; record it with VARNOLIS_RECORD_SAVE_SEEDS=1";
        EXPECT_EQ(TakeLoadedImage(std::span(reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size())),
                  GAME_CSaveManager::kOk)
            << name;
    }
}

}  // namespace
