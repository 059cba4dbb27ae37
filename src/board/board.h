#pragma once

#include <SDL.h>

#include <vector>

#include "board/cell.h"
#include "board/open_result.h"

// The minefield. It holds the settings for the next game (rows, columns, mine percentage)
// apart from the layout in play, so the sliders may change the settings while a paused game
// keeps its cells; every cell lookup goes by the layout in play.
class Board {
  public:
    Board(SDL_Surface* screen, SDL_Surface* spriteSheet);

    // Lays out the first game without drawing it. Called once, on a new board.
    void generate(int top, int left, int rows, int cols, int minePercent);
    // Lays out a new game from the current settings at a new origin and draws every cell.
    void restart(int top, int left);

    // Opens the cell (flooding an empty region) or, in flag mode, toggles its flag. Returns
    // an OpenResult; an index outside the cells in play is Ignored.
    int open(int index, bool flagMode);
    // True once every cell that holds no mine has been opened.
    bool isCleared() const;
    void drawAll();

    int getMinePercent() const { return minePercent; }
    void setMinePercent(int percent) { minePercent = percent; }
    int getRows() const { return rows; }
    void setRows(int count) { rows = count; }
    int getCols() const { return cols; }
    void setCols(int count) { cols = count; }

    // The layout in play, as it was laid out; the settings above may have moved on since.
    int getLayoutRows() const { return layoutRows; }
    int getLayoutCols() const { return layoutCols; }
    int getTop() const { return top; }
    int getLeft() const { return left; }
    int getCellCount() const { return cellCount; }
    int getMineCount() const { return mineCount; }
    int getRevealedCount() const { return revealedCount; }
    const Cell& cellAt(int index) const { return cells[index]; }

  private:
    void layOut(bool drawCells);
    // Opens one covered cell without flooding; refuses a flagged one.
    int openCovered(int index);
    void flood(int start);

    std::vector<Cell> cells;
    int cellCount = 0;
    int mineCount = 0;
    // Opened cells that are not mines, kept as cells open so the win test needs no recount.
    int revealedCount = 0;
    int rows = 0;
    int cols = 0;
    int top = 0;
    int left = 0;
    int minePercent = 0;
    SDL_Surface* screen;
    SDL_Surface* spriteSheet;
    int layoutRows = 0;
    int layoutCols = 0;
};
