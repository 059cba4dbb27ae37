#pragma once

#include <SDL.h>

#include <string>

// 32-bit software surfaces whose pixels tests can write and read back.
SDL_Surface* makeSurface(int width, int height, bool withAlpha = false);
void fillSurface(SDL_Surface* surface, Uint32 rgb);
// The pixel at (x, y) as 0xRRGGBB, whatever the surface's format.
Uint32 pixelAt(SDL_Surface* surface, int x, int y);
// The pixel's alpha, 255 for a surface without an alpha channel.
Uint8 alphaAt(SDL_Surface* surface, int x, int y);
void putPixel(SDL_Surface* surface, int x, int y, Uint32 rgb, Uint8 alpha = 255);

// A surface whose every pixel is different, so a copied region shows exactly where it came
// from: the pixel at (x, y) is patternColour(x, y, salt).
SDL_Surface* makePatternSurface(int width, int height, Uint32 salt, bool withAlpha = false);
Uint32 patternColour(int x, int y, Uint32 salt);

// Whether two 0xRRGGBB colours differ by at most `tolerance` in each channel.
bool nearlyEqual(Uint32 a, Uint32 b, int tolerance = 2);

// How many pixels of a w x h region at (x, y) of `actual` differ from the region of
// `expected` at (ex, ey).
int countDifferences(SDL_Surface* actual, int x, int y, SDL_Surface* expected, int ex, int ey,
                     int w, int h);
