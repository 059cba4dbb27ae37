#include "platform/sdl_start.h"

#include <cstdlib>

namespace {

// The drivers that show a window, in SDL's own order of preference: the classic library's and
// SDL2's (under sdl12-compat), each library passing over the names it does not know. Left to
// itself, SDL would fall back on a text terminal (caca, aalib: ncurses may end the process
// from inside SDL_Init) or on SDL2's invisible offscreen window, and a board of 30-pixel
// cells can be played on neither.
constexpr const char* DISPLAY_DRIVERS[] = {"x11", "wayland", "dga", "fbcon", "directfb", "kmsdrm"};

void startVideo() {
    const char* named = std::getenv("SDL_VIDEODRIVER");
    // A driver the player named is taken at its word, whatever it is; an empty name names none.
    if (named && *named) {
        SDL_Init(SDL_INIT_VIDEO);
        return;
    }
    for (const char* driver : DISPLAY_DRIVERS) {
        setenv("SDL_VIDEODRIVER", driver, 1);
        if (SDL_Init(SDL_INIT_VIDEO) == 0) break;
    }
    unsetenv("SDL_VIDEODRIVER");
}

}  // namespace

void startSdl(Uint32 subsystems) {
    startVideo();
    // A game that cannot show itself starts nothing more: no audio device, no sound.
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_InitSubSystem(subsystems & ~SDL_INIT_VIDEO);
    std::atexit(SDL_Quit);
}

void windowOpened() {}
