#pragma once

#include <SDL.h>

// Edge of a cell on the screen and of a tile in the sprite sheet, in pixels.
constexpr int TILE_SIZE = 30;
// The cell value that marks a mine; 0 to 8 count the mines around a cell.
constexpr int MINE_VALUE = 10;

// Where each look of a cell sits in the sprite sheet's single row of tiles. The numbers 1 to
// 8 sit at value x TILE_SIZE, and so does the mine at 10.
constexpr int COVERED_TILE_X = 0;
constexpr int EMPTY_TILE_X = 270;
constexpr int FLAG_TILE_X = 330;

// One square of the minefield. It draws itself straight onto the screen whenever asked; the
// surfaces belong to the game's resources and are shared by every cell.
class Cell {
  public:
    Cell(SDL_Surface* screen, SDL_Surface* spriteSheet, int x, int y, int value);

    // Blits the tile for the present state. When the blit fails, this cell reloads the sprite
    // sheet for its next draw; a sheet that cannot be reloaded ends the game.
    void draw();
    void reveal(bool state);
    void setFlagged(bool state);

    int getValue() const { return value; }
    bool isRevealed() const { return revealed; }
    bool isFlagged() const { return flagged; }
    int getX() const { return x; }
    int getY() const { return y; }
    SDL_Surface* getSpriteSheet() const { return spriteSheet; }
    // The x of the sprite-sheet tile that shows the present state.
    int tileX() const;

  private:
    int value;
    bool revealed = false;
    bool flagged = false;
    int x;
    int y;
    SDL_Surface* spriteSheet;
    SDL_Surface* screen;
};
