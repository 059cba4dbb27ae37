#pragma once

// Covers the screen with the background picture from the top-left corner.
void drawBackground();
