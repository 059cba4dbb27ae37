#pragma once

#include "board/cell.h"

// A screen rectangle whose bounds are all inclusive.
struct HitArea {
    int left;
    int top;
    int right;
    int bottom;

    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// Where the menu takes the pointer. The button areas reach a pixel or so past the drawn
// buttons, and the slider areas are a band inside each track.
constexpr HitArea START_AREA{333, 176, 467, 205};
constexpr HitArea QUIT_AREA{365, 396, 436, 428};
constexpr HitArea COLS_TRACK_AREA{320, 346, 411, 354};
constexpr HitArea ROWS_TRACK_AREA{320, 296, 411, 304};
constexpr HitArea MINES_TRACK_AREA{320, 246, 411, 254};

// The index of the cell under (x, y) on a board of the given layout whose top-left corner
// is at (left, top), or -1 when the point is off the board.
inline int cellIndexAt(int x, int y, int top, int left, int rows, int cols) {
    const int dx = x - left;
    const int dy = y - top;
    if (dx < 0 || dy < 0 || dx >= cols * TILE_SIZE || dy >= rows * TILE_SIZE) return -1;
    return dy / TILE_SIZE * cols + dx / TILE_SIZE;
}
