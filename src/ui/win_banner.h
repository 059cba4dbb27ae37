#pragma once

// Draws the win picture centred on the screen.
void drawWinBanner();
