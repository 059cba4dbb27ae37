#pragma once

#include <SDL.h>

#include "app/loop_state.h"

// Draws the background, then waits for one event at a time, handles it and flips the
// screen, until a quit event arrives or waiting fails.
void runEventLoop(LoopState& state);

// Waits for the next event, handles it and flips the screen. Returns false, without a flip,
// when the event is a quit or waiting failed.
bool handleNextEvent(LoopState& state);

// One event, as the loop handles it between the wait and the flip.
void handleEvent(LoopState& state, const SDL_Event& event);
