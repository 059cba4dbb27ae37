#include "app/screen_redraw.h"

#include "board/board.h"
#include "core/app_state.h"
#include "ui/background.h"
#include "ui/menu_button.h"
#include "ui/menu_panel.h"
#include "ui/win_banner.h"

void drawMenu(bool startHighlighted, bool quitHighlighted) {
    drawMenuPanel();
    drawMenuButton(MenuButton::Start, startHighlighted);
    drawMenuButton(MenuButton::Quit, quitHighlighted);
}

void redrawMenu(const LoopState& state, bool startHighlighted, bool quitHighlighted) {
    Board& board = *AppState::board;
    drawBackground();
    // The board laid out at start-up is never shown.
    if (!state.noGameYet) board.drawAll();
    if (board.isCleared()) drawWinBanner();
    drawMenu(startHighlighted, quitHighlighted);
}

void startNewGame() {
    Board& board = *AppState::board;
    drawBackground();
    const int top = SCREEN_HEIGHT / 2 - board.getRows() * TILE_SIZE / 2;
    const int left = SCREEN_WIDTH / 2 - board.getCols() * TILE_SIZE / 2;
    board.restart(top, left);
}

void toggleMenu(LoopState& state) {
    if (state.menuShown) {
        Board& board = *AppState::board;
        state.menuShown = false;
        drawBackground();
        board.drawAll();
        if (board.isCleared()) drawWinBanner();
    } else {
        state.menuShown = true;
        state.menuNeedsRedraw = true;
    }
}
