#include "platform/sdl_start.h"

#include <cstdlib>

// Windows and the other desktops offer SDL only drivers that show a window.
void startSdl(Uint32 subsystems) {
    SDL_Init(SDL_INIT_VIDEO);
    // A game that cannot show itself starts nothing more: no audio device, no sound.
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_InitSubSystem(subsystems & ~SDL_INIT_VIDEO);
    std::atexit(SDL_Quit);
}

void windowOpened() {}
