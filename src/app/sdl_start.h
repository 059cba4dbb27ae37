#pragma once

#include <SDL.h>

// Starts SDL with the given subsystems on a display the player can see, and has it shut down
// when the process ends. Whether a display started shows in SDL_WasInit(SDL_INIT_VIDEO).
void startSdl(Uint32 subsystems);
