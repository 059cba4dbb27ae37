#pragma once

#include <SDL.h>

// A copy of the picture in the screen's own pixel layout, its alpha channel kept where it has
// one, or null where there is no such copy to make.
SDL_Surface* inScreenFormat(SDL_Surface* picture);
