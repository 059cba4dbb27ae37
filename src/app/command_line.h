#pragma once

#include "app/loop_state.h"

// Reads the options into the state. Returns false for a command line the game does not
// take: anything but no argument, "-nosound", "-software", or those two in either order.
bool readCommandLine(int argc, const char* const argv[], LoopState& state);

// Tells the player which options exist and ends the process with status 2.
[[noreturn]] void refuseCommandLine();
