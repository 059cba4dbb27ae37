#pragma once

#include "board/cell.h"

// Where the board takes the pointer: the index of the cell under (x, y) on a board of the
// given layout whose top-left corner is at (left, top), or -1 when the point is off the board.
// (The menu's areas are in ui/menu_layout.h, beside what they belong to.)
inline int cellIndexAt(int x, int y, int top, int left, int rows, int cols) {
    const int dx = x - left;
    const int dy = y - top;
    if (dx < 0 || dy < 0 || dx >= cols * TILE_SIZE || dy >= rows * TILE_SIZE) return -1;
    return dy / TILE_SIZE * cols + dx / TILE_SIZE;
}
