#include "app/screen_redraw.h"

#include <algorithm>
#include <string>

#include "board/board.h"
#include "state/app_state.h"
#include "ui/background.h"
#include "ui/menu_button.h"
#include "ui/menu_layout.h"
#include "ui/menu_panel.h"
#include "ui/slider_scale.h"
#include "ui/win_banner.h"

namespace {

SDL_Rect boundingBox(const SDL_Rect& a, const SDL_Rect& b) {
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.w, b.x + b.w);
    const int bottom = std::max(a.y + a.h, b.y + b.h);
    return {static_cast<Sint16>(left), static_cast<Sint16>(top), static_cast<Uint16>(right - left),
            static_cast<Uint16>(bottom - top)};
}

// What a player sees of each cell, never what a covered one hides.
std::string cellsAsSeen(const Board& board) {
    std::string cells(board.getCellCount(), '-');
    for (size_t i = 0; i < cells.size(); ++i) {
        const Cell& cell = board.cellAt(static_cast<int>(i));
        if (cell.isRevealed()) {
            cells[i] =
                cell.getValue() == MINE_VALUE ? '*' : static_cast<char>('0' + cell.getValue());
        } else if (cell.isFlagged()) {
            cells[i] = 'f';
        }
    }
    return cells;
}

}  // namespace

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

ShownPart shownPart(const LoopState& state) {
    const Board& board = *AppState::board;
    ShownPart shown{};
    shown.menu = state.menuShown;
    shown.boardLeft = board.getLeft();
    shown.boardTop = board.getTop();
    shown.boardCols = board.getLayoutCols();
    shown.boardRows = board.getLayoutRows();
    shown.minePercent = board.getMinePercent();
    shown.rows = board.getRows();
    shown.cols = board.getCols();
    shown.mines = board.getMineCount();
    shown.deals = state.deals;
    shown.over = !state.noGameYet && !state.boardActive;
    shown.cells = cellsAsSeen(board);
    const HitArea areas[MENU_CONTROL_COUNT] = {START_AREA, MINES_TRACK_AREA, ROWS_TRACK_AREA,
                                               COLS_TRACK_AREA, QUIT_AREA};
    const double steps[MENU_CONTROL_COUNT] = {0, 1, PIXELS_PER_ROW, PIXELS_PER_COL, 0};
    for (int i = 0; i < MENU_CONTROL_COUNT; ++i) {
        shown.controls[i] = {areas[i].left, areas[i].top, areas[i].right, areas[i].bottom};
        shown.stepPixels[i] = steps[i];
    }
    SDL_Rect part{static_cast<Sint16>(PANEL_X), static_cast<Sint16>(PANEL_Y), PANEL_PART.w,
                  PANEL_PART.h};
    if (!state.menuShown) {
        part = {static_cast<Sint16>(shown.boardLeft), static_cast<Sint16>(shown.boardTop),
                static_cast<Uint16>(shown.boardCols * TILE_SIZE),
                static_cast<Uint16>(shown.boardRows * TILE_SIZE)};
        if (board.isCleared()) {
            const SDL_Surface* win = AppState::winImage;
            const SDL_Rect banner{static_cast<Sint16>(SCREEN_WIDTH / 2 - win->w / 2),
                                  static_cast<Sint16>(SCREEN_HEIGHT / 2 - win->h / 2),
                                  static_cast<Uint16>(win->w), static_cast<Uint16>(win->h)};
            part = part.w && part.h ? boundingBox(part, banner) : banner;
        }
    }
    shown.left = part.x;
    shown.top = part.y;
    shown.width = part.w;
    shown.height = part.h;
    return shown;
}
