#include "support/loop_fixture.h"

#include "app/event_loop.h"
#include "board/cell.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/surfaces.h"
#include "ui/menu_button.h"

namespace {

std::string nameOf(const fakes::Blit& blit) {
    if (blit.source == AppState::background) return "background";
    if (blit.source == AppState::winImage) return "win";
    if (blit.source == AppState::spriteSheet) return "cells";
    if (blit.source == AppState::menuImage) {
        switch (blit.sourceRect.x) {
            case 0:
                return "start";
            case 326:
                return "start*";
            case 134:
                return "quit";
            case 462:
                return "quit*";
        }
    }
    // The panel picture, its sliders and its texts.
    return "panel";
}

}  // namespace

SDL_Event motionEvent(int x, int y, Uint8 buttonsHeld) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.state = buttonsHeld;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    return event;
}

SDL_Event releaseEvent(Uint8 button, int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = SDL_RELEASED;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    return event;
}

SDL_Event keyEvent(SDLKey key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    return event;
}

void LoopTest::SetUp() {
    fakes::takeSoundsHeard();
}

void LoopTest::startGame(bool soundOn, const std::string& directory) {
    game = std::make_unique<RunningGame>(soundOn, directory);
    state = &game->state;
    fakes::resetFlips();
}

void LoopTest::TearDown() {
    fakes::stopScriptingRand();
    game.reset();
}

void LoopTest::play(const std::vector<SDL_Event>& events) {
    for (SDL_Event event : events) ASSERT_EQ(SDL_PushEvent(&event), 0);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    fakes::resetFlips();
    fakes::startRecordingBlits();
    if (loopEntered) {
        while (handleNextEvent(*state)) {
        }
    } else {
        loopEntered = true;
        runEventLoop(*state);
    }
    drawn.clear();
    for (const fakes::Blit& blit : fakes::stopRecordingBlits()) {
        const std::string name = nameOf(blit);
        if (drawn.empty() || drawn.back() != name) drawn.push_back(name);
    }
}

std::vector<std::string> LoopTest::soundsPlayed() {
    std::vector<std::string> names;
    for (Mix_Chunk* chunk : fakes::takeSoundsHeard()) {
        if (chunk == AppState::openSound) names.push_back("open");
        if (chunk == AppState::explosionSound) names.push_back("explosion");
        if (chunk == AppState::flagSound) names.push_back("flag");
    }
    return names;
}

std::vector<SDL_Event> LoopTest::setSliders(int percentX, int rowsX, int colsX) {
    const Uint8 left = SDL_BUTTON(SDL_BUTTON_LEFT);
    return {motionEvent(percentX, 250, left), motionEvent(rowsX, 300, left),
            motionEvent(colsX, 350, left)};
}

int LoopTest::tileAt(int x, int y) {
    for (int tile = 0; tile < 12; ++tile) {
        if (countDifferences(AppState::screen, x, y, AppState::spriteSheet, tile * TILE_SIZE, 0,
                             TILE_SIZE, TILE_SIZE) == 0) {
            return tile;
        }
    }
    return -1;
}

// Sampled at a spot of each button that is opaque in both looks.
std::string LoopTest::buttonLook(int button) {
    const bool start = button == MenuButton::Start;
    const int x = start ? 333 + 12 : 365 + 8;
    const int y = start ? 176 + 14 : 394 + 16;
    const Uint32 shown = pixelAt(AppState::screen, x, y);
    const int normalX = start ? 12 : 134 + 8;
    const int highlightedX = start ? 326 + 12 : 462 + 8;
    const int sourceY = start ? 14 : 16;
    if (nearlyEqual(shown, pixelAt(AppState::menuImage, normalX, sourceY))) return "normal";
    if (nearlyEqual(shown, pixelAt(AppState::menuImage, highlightedX, sourceY))) {
        return "highlighted";
    }
    return "neither";
}

bool LoopTest::showsBackgroundAt(int x, int y) {
    return pixelAt(AppState::screen, x, y) == pixelAt(AppState::background, x, y);
}

// Whatever lies beneath shows through the picture's glass, so only its opaque pixels (its
// words and edge) are compared, and there must be plenty of them. Pictures with an alpha channel
// blend even where they are opaque, which may leave a channel one off.
bool LoopTest::showsWinBanner() {
    SDL_Surface* win = AppState::winImage;
    const int x = 400 - win->w / 2;
    const int y = 300 - win->h / 2;
    int opaque = 0;
    for (int dy = 0; dy < win->h; ++dy) {
        for (int dx = 0; dx < win->w; ++dx) {
            if (alphaAt(win, dx, dy) != 255) continue;
            if (!nearlyEqual(pixelAt(AppState::screen, x + dx, y + dy), pixelAt(win, dx, dy))) {
                return false;
            }
            ++opaque;
        }
    }
    return opaque > 100;
}
