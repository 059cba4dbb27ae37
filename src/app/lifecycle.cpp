#include "app/lifecycle.h"

#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include "board/board.h"
#include "core/fatal_error.h"
#include "core/resource_paths.h"
#include "platform/picture_format.h"
#include "platform/sdl_start.h"
#include "platform/sound_start.h"
#include "platform/window_scale.h"
#include "state/app_state.h"

namespace {

constexpr int AUDIO_RATE = 44100;
constexpr int AUDIO_CHANNELS = 2;
constexpr int AUDIO_CHUNK_SIZE = 4096;

// If the conversion to the screen's format fails, the picture as loaded draws the same, only
// slower.
SDL_Surface* loadPicture(const char* path) {
    SDL_Surface* picture = openPicture(path);
    if (!picture) fatalError(SDL_GetError(), -5);
    SDL_Surface* converted = inScreenFormat(picture);
    if (!converted) return picture;
    SDL_FreeSurface(picture);
    return converted;
}

// A sound that does not load stays empty and is simply never heard.
Mix_Chunk* loadSound(const char* path) {
    return Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1);
}

SDL_Surface* openWindow(bool softwareVideo) {
    // Had no display driver started, SDL_SetVideoMode would start one of its own choosing.
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_SetError("No available video device");
        return nullptr;
    }
    // Whole multiples of the screen's pixels on a high-density desktop, where SDL can.
    chooseWindowScale(SCREEN_WIDTH, SCREEN_HEIGHT);
    const Uint32 surfaceKind = softwareVideo ? SDL_SWSURFACE : SDL_HWSURFACE;
    return SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 0, surfaceKind | SDL_ANYFORMAT);
}

void freeSurface(SDL_Surface*& surface) {
    SDL_FreeSurface(surface);
    surface = nullptr;
}

void freeSound(Mix_Chunk*& chunk) {
    if (chunk) Mix_FreeChunk(chunk);
    chunk = nullptr;
}

}  // namespace

void startUp(LoopState& state) {
    startSdl(state.soundOn ? SDL_INIT_VIDEO | SDL_INIT_AUDIO : SDL_INIT_VIDEO);
    AppState::screen = openWindow(state.softwareVideo);
    if (!AppState::screen) fatalError(SDL_GetError(), -5);
    windowOpened();
    // After the window: opening the mixer would start audio by itself, even with no display.
    if (soundStart() == SoundStart::BEFORE_FIRST_PICTURE) openSounds(state);
    TTF_Init();

    AppState::spriteSheet = loadPicture(SPRITE_SHEET_PATH);
    AppState::menuImage = loadPicture(MENU_IMAGE_PATH);
    AppState::panelImage = loadPicture(PANEL_IMAGE_PATH);
    AppState::winImage = loadPicture(WIN_IMAGE_PATH);
    AppState::background = loadPicture(BACKGROUND_PATH);

    // A missing font is not fatal: the settings panel then draws without its texts.
    AppState::font = TTF_OpenFont(FONT_PATH, FONT_POINTS);

    AppState::board = new Board(AppState::screen, AppState::spriteSheet);
    SDL_WM_SetCaption("Dunmarrow", nullptr);
    // Never shown: the menu leaves the cells out until the first Start lays out a fresh board.
    AppState::board->generate(FIRST_BOARD_TOP, FIRST_BOARD_LEFT, 10, 10, 20);
}

void openSounds(const LoopState& state) {
    if (!state.soundOn) return;
    Mix_OpenAudio(AUDIO_RATE, AUDIO_S16LSB, AUDIO_CHANNELS, AUDIO_CHUNK_SIZE);
    AppState::openSound = loadSound(OPEN_SOUND_PATH);
    AppState::explosionSound = loadSound(EXPLOSION_SOUND_PATH);
    AppState::flagSound = loadSound(FLAG_SOUND_PATH);
}

void shutDown(LoopState& state) {
    freeSound(AppState::openSound);
    freeSound(AppState::explosionSound);
    freeSound(AppState::flagSound);
    if (state.soundOn) {
        Mix_HaltChannel(-1);
        Mix_CloseAudio();
    }
    freeSurface(AppState::spriteSheet);
    freeSurface(AppState::menuImage);
    freeSurface(AppState::panelImage);
    freeSurface(AppState::textSurface);
    freeSurface(AppState::background);
    freeSurface(AppState::winImage);
    if (AppState::font) TTF_CloseFont(AppState::font);
    AppState::font = nullptr;
    TTF_Quit();
    delete AppState::board;
    AppState::board = nullptr;
}
