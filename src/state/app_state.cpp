#include "state/app_state.h"

SDL_Surface* AppState::screen = nullptr;
SDL_Surface* AppState::spriteSheet = nullptr;
SDL_Surface* AppState::menuImage = nullptr;
SDL_Surface* AppState::panelImage = nullptr;
SDL_Surface* AppState::winImage = nullptr;
SDL_Surface* AppState::background = nullptr;
SDL_Surface* AppState::textSurface = nullptr;
TTF_Font* AppState::font = nullptr;
Mix_Chunk* AppState::openSound = nullptr;
Mix_Chunk* AppState::explosionSound = nullptr;
Mix_Chunk* AppState::flagSound = nullptr;
Board* AppState::board = nullptr;

int g_errorNr = 0;
