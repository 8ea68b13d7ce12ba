// A seeded new game, left to run without input, ends in the same world when run twice in one process.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>

#include "framework/file/save_file.h"
#include "framework/math/random.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/world/game_world.h"
#include "tests/support/game_fixture.h"

namespace {

constexpr std::uint32_t kSeed = 1234;
constexpr int kIdleFrames = 300;

class SeededRunTest : public support::GameFixture {
protected:
    // A new game from a fresh save folder, seeded before start-up, stepped with no input; the
    // world's crew and lying items written out as text.
    std::string RunAndDescribe()
    {
        std::filesystem::remove_all(Folder() / vesk::file::kSaveFolder);
        std::filesystem::create_directories(Folder() / vesk::file::kSaveFolder);
        vesk::math::MarkRandomClockSeeded();
        vesk::math::SeedRandom(kSeed);
        StartNewGameToFirstRoad();
        if (HasFatalFailure()) return {};
        StepFrames(kIdleFrames);
        std::ostringstream out;
        const GAME_CFieldObjectManager& field = *GetGameWorld()->fieldObjects;
        for (const GAME_CObjectActor* actor : field.crew) {
            if (actor == nullptr) continue;
            out << "crew " << actor->GetPosition().x << ',' << actor->GetPosition().y << '\n';
        }
        for (const GAME_CObjectItem* item : field.items) {
            if (item == nullptr || item->carrier != nullptr) continue;
            out << "item " << item->GetPosition().x << ',' << item->GetPosition().y << '\n';
        }
        StopGame();
        return out.str();
    }
};

// The simulation depends only on the world, the frame's input and the seeded generator: nothing
// the first run left behind, and no thread's timing (loading, saving), may move the second one.
TEST_F(SeededRunTest, TwoRunsFromTheSameSeedEndInTheSameWorld)
{
    const std::string first = RunAndDescribe();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_NE(first.find("crew"), std::string::npos) << "a new game has crew";
    const std::string second = RunAndDescribe();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(first, second);
}

}  // namespace
