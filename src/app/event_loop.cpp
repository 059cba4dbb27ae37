#include "app/event_loop.h"

#include "app/board_input.h"
#include "app/lifecycle.h"
#include "app/menu_input.h"
#include "app/screen_redraw.h"
#include "platform/event_wait.h"
#include "platform/shown_part.h"
#include "platform/sound_start.h"
#include "state/app_state.h"
#include "ui/background.h"

void runEventLoop(LoopState& state) {
    // Shown only with the flip after the first event, which draws the menu.
    drawBackground();
    if (!handleNextEvent(state)) return;
    if (soundStart() == SoundStart::AFTER_FIRST_PICTURE) {
        waitUntilShown();
        openSounds(state);
    }
    while (handleNextEvent(state)) {
    }
}

bool handleNextEvent(LoopState& state) {
    SDL_Event event;
    if (!waitForEvent(&event) || event.type == SDL_QUIT) return false;
    handleEvent(state, event);
    if (isToldShownPart()) tellShownPart(shownPart(state));
    SDL_Flip(AppState::screen);
    return true;
}

void handleEvent(LoopState& state, const SDL_Event& event) {
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE && !state.noGameYet) {
        toggleMenu(state);
    }
    if (state.menuShown) {
        handleMenuEvent(state, event);
    } else {
        handleBoardEvent(state, event);
    }
}
