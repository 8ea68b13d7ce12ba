// The test program's entry: GoogleTest on SDL's dummy video and audio drivers.
#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Tests never open a real window or sound device.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
