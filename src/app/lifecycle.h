#pragma once

#include "app/loop_state.h"

// Starts SDL, opens the window, starts the mixer and the font engine, loads every picture, sound
// and the font, creates the board and lays out a first one. A failure ends the process. Where
// the sounds open after the first picture (the browser), the loop opens them.
void startUp(LoopState& state);

// Opens the mixer and loads the three sounds, when the sound is on.
void openSounds(const LoopState& state);

// Frees what start-up loaded, in a fixed order. SDL itself is shut down at exit.
void shutDown(LoopState& state);
