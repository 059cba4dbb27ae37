#include "app/app_state.h"

SDL_Surface* AppState::screen = nullptr;
SDL_Surface* AppState::spriteSheet = nullptr;
SDL_Surface* AppState::menuImage = nullptr;
SDL_Surface* AppState::panelImage = nullptr;
SDL_Surface* AppState::winImage = nullptr;
SDL_Surface* AppState::background = nullptr;
SDL_Surface* AppState::textSurface = nullptr;
TTF_Font* AppState::font = nullptr;
Board* AppState::board = nullptr;

int g_errorNr = 0;
