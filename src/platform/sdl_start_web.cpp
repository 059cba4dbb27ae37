#include "platform/sdl_start.h"

#include <cstdlib>

void startSdl(Uint32 subsystems) {
    SDL_Init(SDL_INIT_VIDEO);
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_InitSubSystem(subsystems & ~SDL_INIT_VIDEO);
    // The browser's SDL_Quit only silences the sounds, and fails where no audio was opened.
    if (subsystems & SDL_INIT_AUDIO) std::atexit(SDL_Quit);
}

// As a window manager greets a new window: the canvas gained the focus.
void windowOpened() {
    SDL_Event shown{};
    shown.type = SDL_ACTIVEEVENT;
    shown.active.gain = 1;
    shown.active.state = SDL_APPACTIVE | SDL_APPINPUTFOCUS;
    SDL_PushEvent(&shown);
}
