#include "support/surfaces.h"

SDL_Surface* makeSurface(int width, int height, bool withAlpha) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x00FF0000, 0x0000FF00,
                                0x000000FF, withAlpha ? 0xFF000000 : 0);
}

void fillSurface(SDL_Surface* surface, Uint32 rgb) {
    SDL_FillRect(surface, nullptr,
                 SDL_MapRGBA(surface->format, rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF, 255));
}

namespace {

Uint32 rawPixel(SDL_Surface* surface, int x, int y) {
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    switch (surface->format->BytesPerPixel) {
        case 4:
            return reinterpret_cast<const Uint32*>(row)[x];
        case 2:
            return reinterpret_cast<const Uint16*>(row)[x];
        case 3: {
            const Uint8* p = row + 3 * x;
            return p[0] | p[1] << 8 | p[2] << 16;
        }
        default:
            return row[x];
    }
}

}  // namespace

Uint32 pixelAt(SDL_Surface* surface, int x, int y) {
    Uint8 r, g, b;
    SDL_GetRGB(rawPixel(surface, x, y), surface->format, &r, &g, &b);
    return static_cast<Uint32>(r) << 16 | g << 8 | b;
}

Uint8 alphaAt(SDL_Surface* surface, int x, int y) {
    Uint8 r, g, b, a;
    SDL_GetRGBA(rawPixel(surface, x, y), surface->format, &r, &g, &b, &a);
    return a;
}

void putPixel(SDL_Surface* surface, int x, int y, Uint32 rgb, Uint8 alpha) {
    Uint8* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
    reinterpret_cast<Uint32*>(row)[x] =
        SDL_MapRGBA(surface->format, rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF, alpha);
}

Uint32 patternColour(int x, int y, Uint32 salt) {
    return ((static_cast<Uint32>(x) * 2654435761u) ^ (static_cast<Uint32>(y) * 40503u) ^
            (salt * 97u)) &
           0xFFFFFF;
}

SDL_Surface* makePatternSurface(int width, int height, Uint32 salt, bool withAlpha) {
    SDL_Surface* surface = makeSurface(width, height, withAlpha);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) putPixel(surface, x, y, patternColour(x, y, salt));
    }
    return surface;
}

bool nearlyEqual(Uint32 a, Uint32 b, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int difference =
            static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (difference > tolerance || difference < -tolerance) return false;
    }
    return true;
}

int countDifferences(SDL_Surface* actual, int x, int y, SDL_Surface* expected, int ex, int ey,
                     int w, int h) {
    int differences = 0;
    for (int dy = 0; dy < h; ++dy) {
        for (int dx = 0; dx < w; ++dx) {
            if (pixelAt(actual, x + dx, y + dy) != pixelAt(expected, ex + dx, ey + dy)) {
                ++differences;
            }
        }
    }
    return differences;
}
