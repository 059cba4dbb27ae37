#pragma once

#include <string>

// A rectangle of the screen, its bounds all inclusive.
struct ShownArea {
    int left;
    int top;
    int right;
    int bottom;
};

// The menu's controls, top to bottom.
enum MenuControl { START_CONTROL, MINES_CONTROL, ROWS_CONTROL, COLS_CONTROL, QUIT_CONTROL };
constexpr int MENU_CONTROL_COUNT = 5;

// What the game's screen shows now, for a page that shows only the part that matters: the
// browser's page on a phone, where the whole 800 x 600 screen would leave cells too small for a
// finger, shows the settings panel while the menu is up and the board while it is hidden, and
// puts the keyboard's cursor on them; and a screen reader hears the board's cells from it. A
// desktop window shows the whole screen, and nothing is told.
struct ShownPart {
    bool menu;  // the menu shows (its panel is the part); else the board
    // The part, in the screen's pixels: the panel, or the board with the win picture when it
    // shows.
    int left;
    int top;
    int width;
    int height;
    // The board in play: its top-left corner and its size in cells.
    int boardLeft;
    int boardTop;
    int boardCols;
    int boardRows;
    // The settings for the next game, as the menu's sliders stand.
    int minePercent;
    int rows;
    int cols;
    // The game in play: mines laid, games dealt so far, and whether it is over (lost or won).
    int mines;
    int deals;
    bool over;
    // The board's cells as a player sees them, row by row: '-' covered, 'f' flagged, '0' to '8'
    // opened (0 is empty), '*' an opened mine. Covered cells never tell what they hide.
    std::string cells;
    // Where the menu takes the pointer, for a page that plays it by keyboard: each control's
    // area, and for a slider how many pixels of its track one step of its value takes (0 for a
    // button).
    ShownArea controls[MENU_CONTROL_COUNT];
    double stepPixels[MENU_CONTROL_COUNT];
};

// Whether this platform is told at all: where it is not, the loop spares itself the work.
bool isToldShownPart();
void tellShownPart(const ShownPart& shown);
