// The floor for the game's start-up time: the least an SDL 1.2 program does to show the
// game's window. It starts SDL's video, opens an 800 x 600 window with the game's flags,
// names it like the game and waits to be closed; it loads nothing.

#include <SDL.h>

int main(int, char*[]) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Surface* screen = SDL_SetVideoMode(800, 600, 0, SDL_HWSURFACE | SDL_ANYFORMAT);
    if (!screen) {
        SDL_Quit();
        return 1;
    }
    SDL_WM_SetCaption("Dunmarrow", nullptr);
    SDL_Event event;
    while (SDL_WaitEvent(&event) && event.type != SDL_QUIT) {
    }
    SDL_Quit();
    return 0;
}
