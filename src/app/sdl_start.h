#pragma once

#include <SDL.h>

// Starts SDL with the given subsystems on a display the player can see. Whether it worked
// shows in SDL_WasInit(SDL_INIT_VIDEO).
void startSdlOnADisplay(Uint32 subsystems);
