#pragma once

#include <SDL.h>

#include "app/loop_state.h"

// The board's share of the loop while the menu is hidden: a left release opens the cell under
// the pointer, a right release flags it, and once a game is over a right release anywhere
// starts the next one.
void handleBoardEvent(LoopState& state, const SDL_Event& event);
