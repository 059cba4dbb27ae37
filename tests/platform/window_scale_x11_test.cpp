#include <gtest/gtest.h>

#include <SDL.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/window_scale.h"
#include "support/process.h"

// How the X11 body wires the scale rules to the desktop: the display in DISPLAY, its screen's
// size as SDL reports it, and its Xft.dpi, on a private X server of each size; the rules
// themselves are tested in window_scale_test.cpp.

namespace {

// A private X server with a screen of the given size and the desktop's Xft.dpi, for as long as
// the object lives; name is "" where none could start.
struct PrivateDisplay {
    // (A display number another server holds: a few tries.)
    PrivateDisplay(const std::string& screen, int dpi) {
        for (int attempt = 0; attempt < 3 && name.empty(); ++attempt) {
            stop();
            start(screen, dpi, attempt);
        }
    }
    ~PrivateDisplay() { stop(); }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // On a display number of its own (from the process's id, so that test processes side by
    // side choose apart), once X's socket for it shows.
    void start(const std::string& screen, int dpi, int attempt) {
        const int number = 100 + (getpid() * 7 + attempt * 13) % 800;
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
        const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
        if (access(socket.c_str(), F_OK) == 0 || access(lock.c_str(), F_OK) == 0) return;
        const std::string display = ":" + std::to_string(number);
        pid = fork();
        if (pid == 0) {
            const std::string depth = screen + "x24";
            // Its resources kept when the last client leaves, as a desktop keeps them.
            execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", depth.c_str(), "-nolisten",
                   "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int waited = 0; waited < 200 && access(socket.c_str(), F_OK) != 0; ++waited) {
            usleep(50 * 1000);
        }
        const ProgramRun xrdb = runProgram(
            "/bin/sh", {"-c", "echo 'Xft.dpi: " + std::to_string(dpi) + "' | xrdb -merge"}, ".",
            {{"DISPLAY", display}});
        if (xrdb.exitStatus == 0) {
            name = display;
        } else {
            problem = "no X server on " + display + ": " + xrdb.output;
        }
    }

    void stop() {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }

    pid_t pid = -1;
    std::string name;
    std::string problem;
};

struct X11ScaleCase {
    const char* screen;
    int dpi;
    const char* player;  // DUNMARROW_SCALE, or none
    const char* scale;   // what sdl12-compat is asked for, or "none"
};

class X11WindowScaleTest : public ::testing::TestWithParam<X11ScaleCase> {};

TEST_P(X11WindowScaleTest, TheDesktopsScaleAsItsScreenHoldsIt) {
    if (std::system("command -v Xvfb xrdb >/dev/null") != 0) GTEST_SKIP() << "no Xvfb or xrdb";
    const X11ScaleCase& c = GetParam();
    // (Other tests of this program may leave SIGCHLD ignored, which would reap the servers.)
    struct sigaction byDefault {};
    struct sigaction before {};
    byDefault.sa_handler = SIG_DFL;
    sigaction(SIGCHLD, &byDefault, &before);
    PrivateDisplay display(c.screen, c.dpi);
    sigaction(SIGCHLD, &before, nullptr);
    ASSERT_FALSE(display.name.empty()) << display.problem;
    EXPECT_EXIT(
        {
            setenv("DISPLAY", display.name.c_str(), 1);
            setenv("SDL_VIDEODRIVER", "x11", 1);
            for (const char* unset : {"SDL12COMPAT_WINDOW_SCALING", "GDK_SCALE", "QT_SCALE_FACTOR",
                                      "QT_SCREEN_SCALE_FACTORS", "DUNMARROW_SCALE"}) {
                unsetenv(unset);
            }
            if (c.player) setenv("DUNMARROW_SCALE", c.player, 1);
            if (SDL_Init(SDL_INIT_VIDEO) != 0) {
                std::fprintf(stderr, "no video: %s\n", SDL_GetError());
                _exit(1);
            }
            chooseWindowScale(800, 600);
            const char* chosen = std::getenv("SDL12COMPAT_WINDOW_SCALING");
            std::fprintf(stderr, "scale %s\n", chosen ? chosen : "none");
            // (Straight out: what libX11 keeps for the display is not the game's to free.)
            _exit(0);
        },
        ::testing::ExitedWithCode(0), std::string("scale ") + c.scale + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Screens, X11WindowScaleTest,
    ::testing::Values(X11ScaleCase{"1920x1440", 192, nullptr, "2"},     // Xft.dpi 192: twice
                      X11ScaleCase{"1400x1050", 192, nullptr, "none"},  // 1600 x 1200 won't fit
                      X11ScaleCase{"2600x2000", 96, "3", "3"},          // the player's own
                      X11ScaleCase{"2600x2000", 288, "1", "none"}));    // kept at 800 x 600

}  // namespace
