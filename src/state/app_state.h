#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include "board/board.h"

constexpr int SCREEN_WIDTH = 800;
constexpr int SCREEN_HEIGHT = 600;

// The game's resources, loaded once at start-up and shared by everything that draws or plays:
// the screen, the pictures, the font, the sounds, and the board they are drawn on.
struct AppState {
    static SDL_Surface* screen;
    static SDL_Surface* spriteSheet;
    static SDL_Surface* menuImage;
    static SDL_Surface* panelImage;
    static SDL_Surface* winImage;
    static SDL_Surface* background;
    // The text the settings panel rendered last; the panel replaces it with every text it draws.
    static SDL_Surface* textSurface;
    static TTF_Font* font;
    // Each stays null when sound is off or its file does not load, and is then never heard.
    static Mix_Chunk* openSound;
    static Mix_Chunk* explosionSound;
    static Mix_Chunk* flagSound;
    static Board* board;
};

// Outcome of the last checked blit: 0 when it succeeded, 1 when it failed.
extern int g_errorNr;
