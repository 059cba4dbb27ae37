#include "board/cell.h"

#include "core/fatal_error.h"
#include "core/resource_paths.h"
#include "platform/picture_format.h"

Cell::Cell(SDL_Surface* screen, SDL_Surface* spriteSheet, int x, int y, int value)
    : value(value), x(x), y(y), spriteSheet(spriteSheet), screen(screen) {}

int Cell::tileX() const {
    if (revealed) return value == 0 ? EMPTY_TILE_X : value * TILE_SIZE;
    return flagged ? FLAG_TILE_X : COVERED_TILE_X;
}

void Cell::draw() {
    SDL_Rect source{static_cast<Sint16>(tileX()), 0, TILE_SIZE, TILE_SIZE};
    SDL_Rect target{static_cast<Sint16>(x), static_cast<Sint16>(y), TILE_SIZE, TILE_SIZE};
    if (SDL_UpperBlit(spriteSheet, &source, screen, &target) == 0) return;

    // The sheet may have been lost (a hardware surface can be); take a fresh copy from disk
    // for this cell's next draw. The old sheet stays with its owner.
    SDL_Surface* reloaded = openPicture(SPRITE_SHEET_PATH);
    if (!reloaded) fatalError(SDL_GetError(), -5);
    spriteSheet = reloaded;
}

void Cell::reveal(bool state) {
    revealed = state;
    draw();
}

void Cell::setFlagged(bool state) {
    flagged = state;
}
