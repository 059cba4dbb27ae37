#include <gtest/gtest.h>

#include <cstdlib>

// Every test runs headless unless told otherwise: SDL's dummy video, its disk audio writing
// into nothing, and no display for the error box to appear on.
int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "disk", 0);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 0);
    setenv("SDL_DISKAUDIODELAY", "0", 0);
    unsetenv("DISPLAY");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
