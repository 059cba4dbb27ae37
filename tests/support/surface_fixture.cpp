#include "support/surface_fixture.h"

#include "state/app_state.h"
#include "support/surfaces.h"

void SurfaceTest::SetUp() {
    g_errorNr = 0;
    screen = makeSurface(SCREEN_WIDTH, SCREEN_HEIGHT);
    fillSurface(screen, SCREEN_FILL);
    sheet = makePatternSurface(360, 30, SHEET_SALT);
    AppState::screen = screen;
    AppState::spriteSheet = sheet;
}

void SurfaceTest::TearDown() {
    AppState::screen = nullptr;
    AppState::spriteSheet = nullptr;
    SDL_FreeSurface(sheet);
    SDL_FreeSurface(screen);
}
