#pragma once

#include <SDL.h>

// The picture in the file at path, or null where there is none to load (with SDL's error set
// where the platform's SDL keeps one).
SDL_Surface* openPicture(const char* path);

// A copy of the picture in the screen's own pixel layout, its alpha channel kept where it has
// one, or null where there is no such copy to make.
SDL_Surface* inScreenFormat(SDL_Surface* picture);
