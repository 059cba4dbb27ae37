#pragma once

#include <SDL.h>

// Starts SDL with the given subsystems on a display the player can see, and has it shut down
// when the process ends. Whether a display started shows in SDL_WasInit(SDL_INIT_VIDEO).
void startSdl(Uint32 subsystems);

// Called once the window is open. A desktop's window manager sends the new window a first
// event, which draws the menu; where nothing does (the browser's canvas), this sends it, so
// the menu shows before the player touches anything.
void windowOpened();
