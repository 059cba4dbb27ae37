#pragma once

#include <SDL.h>

#include "app/loop_state.h"

// The menu's share of the loop while it shows: the buttons' highlights follow the pointer, a
// release presses Start or Quit, and a drag with the left button moves a slider.
void handleMenuEvent(LoopState& state, const SDL_Event& event);
