// The floor for the web build's start-up time: the least an SDL 1.2 program built as the game
// is built does to show its screen. It opens the game's 800 x 600 screen, fills it with one
// colour, shows it and ends; it loads nothing.

#include <SDL.h>

int main(int, char*[]) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Surface* screen = SDL_SetVideoMode(800, 600, 0, SDL_HWSURFACE | SDL_ANYFORMAT);
    if (!screen) return 1;
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0x24, 0x2c, 0x3a));
    SDL_Flip(screen);
    return 0;
}
