#include <gtest/gtest.h>

#include <vector>

#include "app/hit_areas.h"
#include "app/screen_redraw.h"
#include "board/board.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/loop_fixture.h"
#include "support/process.h"

namespace {

using Drawn = std::vector<std::string>;
using Sounds = std::vector<std::string>;
constexpr bool M = true;
constexpr bool o = false;

// Slider columns that give these rows and columns.
int rowsSliderX(int rows) {
    return 320 + (rows * 9 + 1) / 2;
}
int colsSliderX(int cols) {
    return 320 + (cols * 7 + 1) / 2;
}

class BoardModeTest : public LoopTest {
  protected:
    // Starts the game and a first game of the given size whose mines are the ones marked.
    void startWith(int rows, int cols, const std::vector<bool>& mines, bool soundOn = true) {
        startGame(soundOn);
        std::vector<SDL_Event> events = setSliders(330, rowsSliderX(rows), colsSliderX(cols));
        events.push_back(releaseEvent(SDL_BUTTON_LEFT, 400, 190));
        fakes::scriptRand(fakes::mineScript(mines));
        play(events);
        fakes::stopScriptingRand();
        ASSERT_FALSE(state->menuShown);
        ASSERT_EQ(AppState::board->getLayoutRows(), rows);
        ASSERT_EQ(AppState::board->getLayoutCols(), cols);
        soundsPlayed();
    }

    // The screen position of the middle of a cell of the board in play.
    int cellX(int col) { return AppState::board->getLeft() + 30 * col + 15; }
    int cellY(int row) { return AppState::board->getTop() + 30 * row + 15; }
    SDL_Event left(int row, int col) {
        return releaseEvent(SDL_BUTTON_LEFT, cellX(col), cellY(row));
    }
    SDL_Event right(int row, int col) {
        return releaseEvent(SDL_BUTTON_RIGHT, cellX(col), cellY(row));
    }
    int tileOf(int row, int col) {
        return tileAt(AppState::board->getLeft() + 30 * col, AppState::board->getTop() + 30 * row);
    }
};

const std::vector<bool> NO_MINES(100, o);

// Mines at 0 and 11 of a 3 x 4 board: cells 2, 3, 8 and 9 are empty, the others hold a 1.
const std::vector<bool> TWO_MINES{M, o, o, o, o, o, o, o, o, o, o, M};

TEST_F(BoardModeTest, StartCentresTheBoardOfTheSettings) {
    startWith(3, 4, TWO_MINES);
    EXPECT_EQ(AppState::board->getTop(), 255);
    EXPECT_EQ(AppState::board->getLeft(), 340);
    EXPECT_EQ(tileOf(0, 0), 0);
    EXPECT_EQ(tileOf(2, 3), 0);
    EXPECT_TRUE(showsBackgroundAt(339, 300));
    EXPECT_TRUE(showsBackgroundAt(460, 300));
}

struct ReleaseCase {
    int dx;  // from boardLeft
    int dy;  // from boardTop
    int opened;
};

class BoardEdgeTest : public BoardModeTest, public ::testing::WithParamInterface<ReleaseCase> {};

TEST_P(BoardEdgeTest, AReleaseOpensTheCellUnderIt) {
    // Mines at 5 and 6 leave every other cell numbered, so a release opens one cell only.
    std::vector<bool> mines(12, o);
    mines[5] = M;
    mines[6] = M;
    startWith(3, 4, mines);
    const ReleaseCase& c = GetParam();
    const int x = AppState::board->getLeft() + c.dx;
    const int y = AppState::board->getTop() + c.dy;
    // The game stands on the index alone: -1 off the board, never one past its cells.
    EXPECT_EQ(cellIndexAt(x, y, AppState::board->getTop(), AppState::board->getLeft(), 3, 4),
              c.opened);
    play({releaseEvent(SDL_BUTTON_LEFT, x, y)});
    EXPECT_EQ(AppState::board->getRevealedCount(), c.opened < 0 ? 0 : 1);
    if (c.opened >= 0) {
        EXPECT_TRUE(AppState::board->cellAt(c.opened).isRevealed());
        EXPECT_EQ(soundsPlayed(), (Sounds{"open"}));
    } else {
        EXPECT_EQ(soundsPlayed(), Sounds{});
        EXPECT_EQ(drawn, Drawn{});
    }
}

// The board covers boardLeft to boardLeft + 30 x cols - 1, and likewise down: on each side the
// last pixel inside and the first outside.
INSTANTIATE_TEST_SUITE_P(
    Edges, BoardEdgeTest,
    ::testing::Values(ReleaseCase{0, 0, 0}, ReleaseCase{119, 0, 3}, ReleaseCase{0, 89, 8},
                      ReleaseCase{119, 89, 11}, ReleaseCase{45, 75, 9}, ReleaseCase{120, 0, -1},
                      ReleaseCase{0, 90, -1}, ReleaseCase{-1, 10, -1}, ReleaseCase{10, -1, -1},
                      ReleaseCase{0, 45, 4}, ReleaseCase{-1, 45, -1}, ReleaseCase{45, 0, 1},
                      ReleaseCase{45, -1, -1}, ReleaseCase{119, 45, 7}, ReleaseCase{120, 45, -1},
                      ReleaseCase{45, 89, 9}, ReleaseCase{45, 90, -1}));

TEST_F(BoardModeTest, LeftOpensWithTheOpeningSoundAndRightFlagsWithTheClick) {
    startWith(3, 4, TWO_MINES);
    play({right(0, 1)});
    EXPECT_TRUE(AppState::board->cellAt(1).isFlagged());
    EXPECT_EQ(tileOf(0, 1), 11);
    EXPECT_EQ(soundsPlayed(), (Sounds{"flag"}));

    play({left(0, 1)});
    EXPECT_EQ(soundsPlayed(), Sounds{});
    EXPECT_FALSE(AppState::board->cellAt(1).isRevealed());

    play({left(0, 3)});
    // The empty corner opens its region with its border, but not the flagged cell.
    EXPECT_EQ(AppState::board->getRevealedCount(), 5);
    EXPECT_EQ(tileOf(0, 3), 9);
    EXPECT_EQ(tileOf(0, 2), 9);
    EXPECT_EQ(tileOf(1, 2), 1);
    EXPECT_EQ(tileOf(0, 1), 11);
    EXPECT_EQ(soundsPlayed(), (Sounds{"open"}));
    EXPECT_TRUE(state->boardActive);

    // An opened cell takes neither mode and makes no sound.
    play({right(0, 3), left(0, 3)});
    EXPECT_EQ(soundsPlayed(), Sounds{});
}

TEST_F(BoardModeTest, OtherButtonsAndOtherEventsDoNothingOnTheBoard) {
    startWith(3, 4, TWO_MINES);
    play({releaseEvent(SDL_BUTTON_MIDDLE, cellX(1), cellY(1)),
          releaseEvent(SDL_BUTTON_WHEELUP, cellX(1), cellY(1)), motionEvent(cellX(1), cellY(1), 1),
          keyEvent(SDLK_RETURN)});
    EXPECT_EQ(AppState::board->getRevealedCount(), 0);
    EXPECT_EQ(drawn, Drawn{});
    EXPECT_EQ(fakes::flips(), 4);
}

TEST_F(BoardModeTest, AMineEndsTheGameAndARightReleaseAnywhereStartsTheNext) {
    startWith(3, 4, TWO_MINES);
    play({left(0, 0)});
    EXPECT_FALSE(state->boardActive);
    EXPECT_EQ(tileOf(0, 0), 10);
    EXPECT_EQ(soundsPlayed(), (Sounds{"explosion"}));

    // The game is over: left releases do nothing.
    play({left(1, 1)});
    EXPECT_FALSE(AppState::board->cellAt(5).isRevealed());
    EXPECT_EQ(soundsPlayed(), Sounds{});

    fakes::scriptRand(fakes::mineScript(std::vector<bool>(12, o)));
    play({releaseEvent(SDL_BUTTON_RIGHT, 5, 5)});
    EXPECT_TRUE(state->boardActive);
    EXPECT_EQ(AppState::board->getRevealedCount(), 0);
    EXPECT_EQ(AppState::board->getMineCount(), 0);
    EXPECT_EQ(tileOf(0, 0), 0);
    EXPECT_EQ(drawn, (Drawn{"background", "cells"}));
    EXPECT_EQ(soundsPlayed(), Sounds{});
}

TEST_F(BoardModeTest, OpeningTheLastSafeCellWinsWithThePicture) {
    startWith(1, 2, {M, o});
    play({left(0, 1)});
    EXPECT_FALSE(state->boardActive);
    EXPECT_TRUE(showsWinBanner());
    EXPECT_EQ(drawn, (Drawn{"cells", "win"}));
    EXPECT_EQ(soundsPlayed(), (Sounds{"open"}));

    // Hidden behind the menu and back: the banner is drawn again over the board.
    play({keyEvent(SDLK_ESCAPE), keyEvent(SDLK_ESCAPE)});
    EXPECT_EQ(drawn, (Drawn{"panel", "start", "quit", "background", "cells", "win"}));
    EXPECT_FALSE(state->menuShown);

    play({releaseEvent(SDL_BUTTON_RIGHT, 790, 590)});
    EXPECT_TRUE(state->boardActive);
    EXPECT_FALSE(showsWinBanner());
}

TEST_F(BoardModeTest, EscapeTogglesBetweenTheBoardAndTheMenu) {
    startWith(3, 4, TWO_MINES);
    play({keyEvent(SDLK_ESCAPE)});
    EXPECT_TRUE(state->menuShown);
    EXPECT_FALSE(state->menuNeedsRedraw);
    // Drawn over the board without the background.
    EXPECT_EQ(drawn, (Drawn{"panel", "start", "quit"}));

    // While the menu shows, releases go to the menu, not the board.
    play({left(0, 3)});
    EXPECT_EQ(AppState::board->getRevealedCount(), 0);

    play({keyEvent(SDLK_ESCAPE)});
    EXPECT_FALSE(state->menuShown);
    EXPECT_EQ(drawn, (Drawn{"background", "cells"}));
    EXPECT_EQ(tileOf(1, 1), 0);
}

TEST_F(BoardModeTest, TheOldGameResumesWhenTheSlidersMovedBehindTheMenu) {
    startWith(3, 4, TWO_MINES);
    play({keyEvent(SDLK_ESCAPE)});
    play(setSliders(330, rowsSliderX(7), colsSliderX(2)));
    EXPECT_EQ(AppState::board->getRows(), 7);
    EXPECT_EQ(AppState::board->getCols(), 2);
    play({keyEvent(SDLK_ESCAPE)});
    ASSERT_FALSE(state->menuShown);

    // The cell in row 2, column 2 of the game in play, by its own layout.
    play({left(2, 2)});
    EXPECT_TRUE(AppState::board->cellAt(10).isRevealed());
    EXPECT_EQ(AppState::board->getRevealedCount(), 1);
    // Below the old board, where the new settings would reach: nothing.
    play({left(5, 0), right(3, 1)});
    EXPECT_EQ(AppState::board->getRevealedCount(), 1);
    EXPECT_EQ(soundsPlayed(), (Sounds{"open"}));

    // The next new game takes the new settings, centred.
    play({left(0, 0)});
    play({releaseEvent(SDL_BUTTON_RIGHT, 1, 1)});
    EXPECT_EQ(AppState::board->getLayoutRows(), 7);
    EXPECT_EQ(AppState::board->getLayoutCols(), 2);
    EXPECT_EQ(AppState::board->getTop(), 195);
    EXPECT_EQ(AppState::board->getLeft(), 370);
}

TEST_F(BoardModeTest, AnEmptyBoardIsCentredTakesNoReleaseAndCountsAsCleared) {
    startWith(0, 5, {});
    EXPECT_EQ(AppState::board->getTop(), 300);
    EXPECT_EQ(AppState::board->getLeft(), 325);
    EXPECT_TRUE(state->boardActive);
    play({releaseEvent(SDL_BUTTON_RIGHT, 400, 300), releaseEvent(SDL_BUTTON_LEFT, 400, 300)});
    EXPECT_TRUE(state->boardActive);
    EXPECT_EQ(drawn, Drawn{});

    play({keyEvent(SDLK_ESCAPE), motionEvent(350, 250, SDL_BUTTON(SDL_BUTTON_LEFT))});
    EXPECT_EQ(drawn,
              (Drawn{"panel", "start", "quit", "background", "win", "panel", "start", "quit"}));
    play({keyEvent(SDLK_ESCAPE)});
    EXPECT_EQ(drawn, (Drawn{"background", "win"}));
}

TEST_F(BoardModeTest, WithoutSoundNothingIsPlayed) {
    startWith(3, 4, TWO_MINES, false);
    play({right(0, 1), left(0, 3), left(0, 0)});
    EXPECT_FALSE(state->boardActive);
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(soundsPlayed(), Sounds{});
}

TEST_F(BoardModeTest, AMissingSoundFileSilencesOnlyThatSound) {
    ScratchGameDir dir;
    dir.remove("sfx/click.wav");
    startGame(true, dir.path);
    std::vector<SDL_Event> events = setSliders(330, rowsSliderX(3), colsSliderX(4));
    events.push_back(releaseEvent(SDL_BUTTON_LEFT, 400, 190));
    fakes::scriptRand(fakes::mineScript(TWO_MINES));
    play(events);
    play({right(0, 1), left(0, 3), left(0, 0)});
    EXPECT_TRUE(AppState::board->cellAt(1).isFlagged());
    EXPECT_EQ(soundsPlayed(), (Sounds{"open", "explosion"}));
}

// What the screen shows, as the loop tells a page that shows only that part: the board in play,
// the panel over it, the board with the win picture, the settings as the sliders stand; and the
// game as a screen reader hears it, the cells as a player sees them (never a covered mine).
TEST_F(BoardModeTest, TheShownPartFollowsTheScreen) {
    using Part = std::vector<int>;
    const auto part = [this] {
        const ShownPart shown = shownPart(*state);
        return Part{shown.menu,      shown.left,      shown.top,      shown.width,
                    shown.height,    shown.boardLeft, shown.boardTop, shown.boardCols,
                    shown.boardRows, shown.rows,      shown.cols};
    };
    const auto game = [this] {
        const ShownPart shown = shownPart(*state);
        return std::to_string(shown.deals) + " " + std::to_string(shown.mines) +
               (shown.over ? " over " : " playing ") + shown.cells;
    };
    startWith(3, 4, TWO_MINES);
    EXPECT_EQ(part(), (Part{false, 340, 255, 120, 90, 340, 255, 4, 3, 3, 4}));
    EXPECT_EQ(game(), "1 2 playing ------------");
    play({right(0, 0), left(0, 1)});
    EXPECT_EQ(game(), "1 2 playing f1----------");
    play({keyEvent(SDLK_ESCAPE)});
    EXPECT_EQ(part(), (Part{true, 290, 155, 221, 290, 340, 255, 4, 3, 3, 4}));
    play({motionEvent(rowsSliderX(7), 300, SDL_BUTTON(SDL_BUTTON_LEFT)), keyEvent(SDLK_ESCAPE)});
    EXPECT_EQ(part(), (Part{false, 340, 255, 120, 90, 340, 255, 4, 3, 7, 4}));
    // Every safe cell open: the win picture (400 x 96, centred) with the board.
    play({left(0, 2), left(1, 1), left(0, 1), left(1, 0), left(2, 0), left(2, 1), left(2, 2),
          left(2, 3), left(1, 2)});
    ASSERT_TRUE(AppState::board->isCleared());
    EXPECT_EQ(part(), (Part{false, 200, 252, 400, 96, 340, 255, 4, 3, 7, 4}));
    EXPECT_EQ(game(), "1 2 over f1001111001-");
    // The next game, dealt by a right release, and lost on its mine.
    std::vector<bool> lastMine(7 * 4, o);
    lastMine.back() = M;
    fakes::scriptRand(fakes::mineScript(lastMine));
    play({right(1, 1)});
    fakes::stopScriptingRand();
    EXPECT_EQ(game(), "2 1 playing " + std::string(28, '-'));
    play({left(6, 3)});
    EXPECT_EQ(game(), "2 1 over " + std::string(27, '-') + "*");
}

}  // namespace
