#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/sdl_start.h"
#include "support/fakes.h"

namespace {

// However the game ends, SDL is shut down as the process exits: on the console drivers that is
// what gives the terminal back.
TEST(SdlStartTest, SdlShutsDownWhenTheProcessExits) {
    EXPECT_EXIT(
        {
            fakes::reportSdlQuit(true);
            startSdl(SDL_INIT_VIDEO);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), ::testing::HasSubstr("SDL_Quit ran"));
}

}  // namespace
