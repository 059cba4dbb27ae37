#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "board/board.h"

Board::Board(SDL_Surface* screen, SDL_Surface* spriteSheet)
    : screen(screen), spriteSheet(spriteSheet) {}

void Board::generate(int top, int left, int rows, int cols, int minePercent) {
    this->minePercent = minePercent;
    this->rows = rows;
    this->cols = cols;
    this->top = top;
    this->left = left;
    layOut(false);
}

void Board::restart(int top, int left) {
    this->top = top;
    this->left = left;
    cells = std::vector<Cell>();
    mineCount = 0;
    revealedCount = 0;
    layOut(true);
}

void Board::layOut(bool drawCells) {
    // Only the setters can make a count negative; such a board simply has no cells.
    layoutRows = std::max(rows, 0);
    layoutCols = std::max(cols, 0);
    cellCount = layoutRows * layoutCols;

    // Seeded anew for every layout, so two layouts within one second come out alike.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    std::vector<int> counts(cellCount, 0);
    for (int row = 0; row < layoutRows; ++row) {
        for (int col = 0; col < layoutCols; ++col) {
            // One number per cell, mine or not, and "<=": a setting of 0 still lays mines.
            if (std::rand() % 100 > minePercent) continue;
            ++mineCount;
            counts[row * layoutCols + col] = MINE_VALUE;
            for (int r = std::max(row - 1, 0); r <= std::min(row + 1, layoutRows - 1); ++r) {
                for (int c = std::max(col - 1, 0); c <= std::min(col + 1, layoutCols - 1); ++c) {
                    int& count = counts[r * layoutCols + c];
                    if (count != MINE_VALUE) ++count;
                }
            }
        }
    }

    cells.reserve(cellCount);
    for (int row = 0; row < layoutRows; ++row) {
        for (int col = 0; col < layoutCols; ++col) {
            cells.emplace_back(screen, spriteSheet, left + TILE_SIZE * col, top + TILE_SIZE * row,
                               counts[row * layoutCols + col]);
            if (drawCells) cells.back().draw();
        }
    }
}
