#pragma once

#include <SDL_mixer.h>

// The main function's own state: what the command line chose, the sounds, and the
// event loop's screen mode and display flags.
struct LoopState {
    bool soundOn = true;
    bool softwareVideo = false;
    Mix_Chunk* openSound = nullptr;
    Mix_Chunk* explosionSound = nullptr;
    Mix_Chunk* flagSound = nullptr;
    bool menuShown = true;
    bool menuNeedsRedraw = true;
    bool noGameYet = true;
    bool boardActive = false;
    // Both start true, as if the pointer stood on each button, so the first motion onto a
    // button draws nothing until the pointer has left it once.
    bool startHovered = true;
    bool quitHovered = true;
    // Screen origin of the board in play.
    int boardTop = 150;
    int boardLeft = 250;
};
