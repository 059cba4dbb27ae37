#pragma once

#include <SDL.h>

#include "ui/slider_scale.h"

// Every position of the menu: where its parts are drawn, and where it takes the pointer.

// The parts of the menu picture, laid side by side along its top edge.
constexpr SDL_Rect START_NORMAL_PART{0, 0, 134, 29};
constexpr SDL_Rect QUIT_NORMAL_PART{134, 0, 71, 32};
constexpr SDL_Rect SLIDER_TRACK_PART{205, 0, 111, 18};
constexpr SDL_Rect SLIDER_KNOB_PART{316, 0, 10, 10};
constexpr SDL_Rect START_HIGHLIGHTED_PART{326, 0, 134, 29};
constexpr SDL_Rect QUIT_HIGHLIGHTED_PART{462, 0, 71, 32};

// The part of the panel picture that is drawn, and where it lands on the screen.
constexpr SDL_Rect PANEL_PART{0, 0, 221, 290};
constexpr int PANEL_X = 290;
constexpr int PANEL_Y = 155;

// Where the buttons are drawn: their top-left corners.
constexpr int START_X = 333;
constexpr int START_Y = 176;
constexpr int QUIT_X = 365;
constexpr int QUIT_Y = 394;

// The sliders, top to bottom, each drawn about its middle line.
constexpr int FIRST_SLIDER_MIDDLE = 250;
constexpr int SLIDER_SPACING = 50;
constexpr int TRACK_X = 315;
constexpr int TRACK_ABOVE_MIDDLE = 9;
constexpr int KNOB_ABOVE_MIDDLE = 5;
constexpr int LABEL_CENTRE_X = 370;
constexpr int LABEL_ABOVE_MIDDLE = 20;
constexpr int NUMBER_CENTRE_X = 470;

// A screen rectangle whose bounds are all inclusive.
struct HitArea {
    int left;
    int top;
    int right;
    int bottom;

    constexpr bool contains(int x, int y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};

// A button takes the pointer over its picture and the one pixel past its right and bottom
// edges, moved down by `drop` pixels.
constexpr HitArea buttonArea(int x, int y, const SDL_Rect& part, int drop) {
    return {x, y + drop, x + part.w, y + part.h + drop};
}
// A slider takes the pointer in a band about its middle line, from where its values begin
// (SLIDER_LEFT) to 91 pixels on, inside the drawn track.
constexpr int TRACK_AREA_LENGTH = 91;
constexpr int TRACK_AREA_HALF_HEIGHT = 4;
constexpr HitArea trackArea(int middle) {
    return {SLIDER_LEFT, middle - TRACK_AREA_HALF_HEIGHT, SLIDER_LEFT + TRACK_AREA_LENGTH,
            middle + TRACK_AREA_HALF_HEIGHT};
}

constexpr HitArea START_AREA = buttonArea(START_X, START_Y, START_NORMAL_PART, 0);
// Quit's area sits two pixels below its picture: its top two rows do not take the pointer,
// and two rows below it do.
constexpr HitArea QUIT_AREA = buttonArea(QUIT_X, QUIT_Y, QUIT_NORMAL_PART, 2);
constexpr HitArea MINES_TRACK_AREA = trackArea(FIRST_SLIDER_MIDDLE);
constexpr HitArea ROWS_TRACK_AREA = trackArea(FIRST_SLIDER_MIDDLE + SLIDER_SPACING);
constexpr HitArea COLS_TRACK_AREA = trackArea(FIRST_SLIDER_MIDDLE + 2 * SLIDER_SPACING);

// The areas as they were written out before, kept as a check on the arithmetic.
static_assert(START_AREA.left == 333 && START_AREA.top == 176 && START_AREA.right == 467 &&
              START_AREA.bottom == 205);
static_assert(QUIT_AREA.left == 365 && QUIT_AREA.top == 396 && QUIT_AREA.right == 436 &&
              QUIT_AREA.bottom == 428);
static_assert(COLS_TRACK_AREA.left == 320 && COLS_TRACK_AREA.top == 346 &&
              COLS_TRACK_AREA.right == 411 && COLS_TRACK_AREA.bottom == 354);
