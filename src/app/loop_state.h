#pragma once

// The first board, 10 x 10 and centred, laid out at start-up and never shown.
constexpr int FIRST_BOARD_TOP = 150;
constexpr int FIRST_BOARD_LEFT = 250;

// The main function's own state: what the command line chose, and the event loop's screen
// mode and display flags.
struct LoopState {
    bool soundOn = true;
    bool softwareVideo = false;
    bool menuShown = true;
    bool menuNeedsRedraw = true;
    bool noGameYet = true;
    bool boardActive = false;
    // Games dealt, by Start or after a game's end: a page tells a new game by it.
    int deals = 0;
    // Both start true, as if the pointer stood on each button, so the first motion onto a
    // button draws nothing until the pointer has left it once.
    bool startHovered = true;
    bool quitHovered = true;
};
