#pragma once

#include <SDL.h>

// Copies a picture, or the part of it given by source (null for the whole picture), onto
// the screen with its top-left corner at (x, y). Alpha blending is switched on first, so a
// picture with an alpha channel blends by it. A failed blit ends the game.
void blitPicture(SDL_Surface* picture, const SDL_Rect* source, int x, int y);

// The same for a rendered text, which brings its own alpha and so is left as it is.
void blitText(SDL_Surface* text, int x, int y);
