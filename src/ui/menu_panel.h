#pragma once

// Draws the settings panel: the translucent panel, then for the mine percentage, the rows
// and the columns a track, a knob, the value and a label, read fresh from the board.
void drawMenuPanel();
