#pragma once

#include "app/loop_state.h"
#include "platform/shown_part.h"

// Draws the settings panel and both buttons over whatever the screen shows.
void drawMenu(bool startHighlighted, bool quitHighlighted);

// Repaints the menu screen from the background up with the given button highlights.
void redrawMenu(const LoopState& state, bool startHighlighted, bool quitHighlighted);

// Lays out and draws a new board from the current settings, centred on the screen.
void startNewGame();

// Hides the menu over the game in play, or asks for it to be drawn over the current picture.
void toggleMenu(LoopState& state);

// What the screen shows now: the panel while the menu shows; else the board in play, with the
// win picture when it shows.
ShownPart shownPart(const LoopState& state);
