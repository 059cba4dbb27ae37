#include "app/menu_input.h"

#include "app/screen_redraw.h"
#include "board/board.h"
#include "state/app_state.h"
#include "ui/menu_layout.h"

namespace {

// Start is tested before Quit on the same motion, so a jump from one button straight onto
// the other redraws twice and ends with both drawn normal.
void updateHover(LoopState& state, int x, int y) {
    const bool onStart = START_AREA.contains(x, y);
    if (onStart != state.startHovered) {
        redrawMenu(state, onStart, false);
        state.startHovered = onStart;
    }
    const bool onQuit = QUIT_AREA.contains(x, y);
    if (onQuit != state.quitHovered) {
        redrawMenu(state, false, onQuit);
        state.quitHovered = onQuit;
    }
}

void pressButtonAt(LoopState& state, int x, int y) {
    if (START_AREA.contains(x, y)) {
        state.menuShown = false;
        state.noGameYet = false;
        state.boardActive = true;
        ++state.deals;
        startNewGame();
    }
    if (QUIT_AREA.contains(x, y)) {
        // Through the queue, so that this event still ends with its flip.
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
}

// The settings apply to the next new game; a game in play keeps its layout.
void dragSliders(const LoopState& state, int x, int y) {
    Board& board = *AppState::board;
    if (COLS_TRACK_AREA.contains(x, y)) {
        board.setCols(colsAt(x));
        redrawMenu(state, false, false);
    }
    if (ROWS_TRACK_AREA.contains(x, y)) {
        board.setRows(rowsAt(x));
        redrawMenu(state, false, false);
    }
    if (MINES_TRACK_AREA.contains(x, y)) {
        board.setMinePercent(minePercentAt(x));
        redrawMenu(state, false, false);
    }
}

}  // namespace

void handleMenuEvent(LoopState& state, const SDL_Event& event) {
    if (state.menuNeedsRedraw) {
        // Over whatever the screen shows; the background is not repainted here.
        drawMenu(false, false);
        state.menuNeedsRedraw = false;
    }
    if (event.type == SDL_MOUSEMOTION) updateHover(state, event.motion.x, event.motion.y);
    if (event.type == SDL_MOUSEBUTTONUP) pressButtonAt(state, event.button.x, event.button.y);
    // Only a drag with the left button alone moves a slider.
    if (event.type == SDL_MOUSEMOTION && event.motion.state == SDL_BUTTON(SDL_BUTTON_LEFT)) {
        dragSliders(state, event.motion.x, event.motion.y);
    }
}
