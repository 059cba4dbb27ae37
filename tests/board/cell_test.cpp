#include <gtest/gtest.h>

#include <filesystem>

#include "board/cell.h"
#include "support/process.h"
#include "support/surface_fixture.h"
#include "support/surfaces.h"

namespace {

struct TileCase {
    int value;
    bool revealed;
    bool flagged;
    int tileX;
};

// A revealed cell shows its value (empty at 270, the mine at 300) even if it also carries a
// flag; a covered one the flag or the plain cover.
const TileCase TILE_CASES[] = {
    {0, false, false, 0},  {5, false, false, 0},   {10, false, false, 0}, {0, false, true, 330},
    {3, false, true, 330}, {10, false, true, 330}, {0, true, false, 270}, {1, true, false, 30},
    {2, true, false, 60},  {3, true, false, 90},   {4, true, false, 120}, {5, true, false, 150},
    {6, true, false, 180}, {7, true, false, 210},  {8, true, false, 240}, {10, true, false, 300},
    {0, true, true, 270},  {10, true, true, 300},
};

class CellTileTest : public SurfaceTest, public ::testing::WithParamInterface<TileCase> {};

TEST_P(CellTileTest, DrawsTheTileForItsStateAtItsPosition) {
    const TileCase& c = GetParam();
    Cell cell(screen, sheet, 97, 143, c.value);
    cell.setFlagged(c.flagged);
    if (c.revealed) {
        cell.reveal(true);
    } else {
        cell.draw();
    }

    EXPECT_EQ(countDifferences(screen, 97, 143, sheet, c.tileX, 0, TILE_SIZE, TILE_SIZE), 0);
    // Nothing beyond the cell's square is touched.
    for (int i = -1; i <= TILE_SIZE; ++i) {
        EXPECT_EQ(pixelAt(screen, 96, 143 + i), SCREEN_FILL);
        EXPECT_EQ(pixelAt(screen, 127, 143 + i), SCREEN_FILL);
        EXPECT_EQ(pixelAt(screen, 97 + i, 142), SCREEN_FILL);
        EXPECT_EQ(pixelAt(screen, 97 + i, 173), SCREEN_FILL);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryState, CellTileTest, ::testing::ValuesIn(TILE_CASES));

using CellTest = SurfaceTest;

TEST_F(CellTest, SettingAFlagDrawsNothingUntilTheNextDraw) {
    Cell cell(screen, sheet, 0, 0, 2);
    cell.draw();
    cell.setFlagged(true);
    EXPECT_EQ(countDifferences(screen, 0, 0, sheet, COVERED_TILE_X, 0, TILE_SIZE, TILE_SIZE), 0);
    cell.draw();
    EXPECT_EQ(countDifferences(screen, 0, 0, sheet, FLAG_TILE_X, 0, TILE_SIZE, TILE_SIZE), 0);
    cell.setFlagged(false);
    cell.draw();
    EXPECT_EQ(countDifferences(screen, 0, 0, sheet, COVERED_TILE_X, 0, TILE_SIZE, TILE_SIZE), 0);
}

// Runs in the repository's root, where ./gfx/sprites.png is.
TEST_F(CellTest, AFailedBlitReloadsTheSheetForThisCellOnly) {
    Cell failing(screen, sheet, 0, 0, 0);
    Cell other(screen, sheet, 60, 0, 0);
    SDL_LockSurface(sheet);
    failing.draw();
    SDL_UnlockSurface(sheet);

    // The failed draw left the screen alone and is not repeated.
    EXPECT_EQ(pixelAt(screen, 0, 0), SCREEN_FILL);
    SDL_Surface* reloaded = failing.getSpriteSheet();
    ASSERT_NE(reloaded, sheet);
    EXPECT_EQ(reloaded->w, 360);
    EXPECT_EQ(other.getSpriteSheet(), sheet);

    failing.draw();
    EXPECT_EQ(countDifferences(screen, 0, 0, reloaded, COVERED_TILE_X, 0, TILE_SIZE, TILE_SIZE), 0);
    other.draw();
    EXPECT_EQ(countDifferences(screen, 60, 0, sheet, COVERED_TILE_X, 0, TILE_SIZE, TILE_SIZE), 0);
    SDL_FreeSurface(reloaded);
}

TEST_F(CellTest, ASheetThatCannotBeReloadedEndsTheGame) {
    ScratchGameDir dir;
    dir.remove("gfx/sprites.png");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path);
    Cell cell(screen, sheet, 0, 0, 0);
    SDL_LockSurface(sheet);
    EXPECT_EXIT(cell.draw(), ::testing::ExitedWithCode(1),
                "Error!\n.*sprites\\.png.*, ErrorNr = -5");
    SDL_UnlockSurface(sheet);
    std::filesystem::current_path(previous);
}

}  // namespace
