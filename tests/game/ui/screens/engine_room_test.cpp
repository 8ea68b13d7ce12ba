// The engine room's screen on a room placed for the test: its pages, its options and questions, and the room screens' frame.
// With VARNOLIS_UI_PICTURE_DIR=<folder> the test also writes the canvas at its stops as PPM pictures to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "game/ui/screens/ui_engine_room.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

class EngineRoomTest : public support::RoomScreenTest {
protected:
    GAME_CUIEngineRoom& Screen() const { return *UI().Get<GAME_CUIEngineRoom>(); }

    void Keep(const std::string& name)
    {
        const char* folder = std::getenv("VARNOLIS_UI_PICTURE_DIR");
        if (folder == nullptr) return;
        ASSERT_TRUE(WriteCanvasPicture(std::string(folder) + "/" + name + ".ppm"));
    }
};

TEST_F(EngineRoomTest, Picture)
{
    GAME_CRoomBase& engine = Place("ID23", 2, 2);
    OpenScreenOf(engine);
    StepFrames(2);
    Keep("engine");
    PressAction(kActionMenuTabChange);
    StepFrames(20);
    Keep("engine_tasks");
}

}  // namespace
