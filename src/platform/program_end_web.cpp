#include "platform/program_end.h"

#include <emscripten.h>

#include <cstdlib>

void endProgram(int status) {
    // Runs the exit handlers, tells the page (Module.onExit) and stops the runtime.
    emscripten_force_exit(status);
    // Not reached: the runtime unwinds out of the game.
    std::abort();
}
