#pragma once

#include <SDL.h>

// Waits until an event is there and takes it, as SDL_WaitEvent does: 1, or 0 when waiting
// failed.
int waitForEvent(SDL_Event* event);
