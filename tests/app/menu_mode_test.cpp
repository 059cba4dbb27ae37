#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <cmath>

#include "app/event_loop.h"
#include "app/screen_redraw.h"
#include "board/board.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/loop_fixture.h"
#include "ui/menu_button.h"

namespace {

using Drawn = std::vector<std::string>;
constexpr Uint8 LEFT = SDL_BUTTON(SDL_BUTTON_LEFT);

class MenuModeTest : public LoopTest {
  protected:
    void SetUp() override {
        LoopTest::SetUp();
        startGame();
    }
};

TEST_F(MenuModeTest, TheLoopOpensOnTheBackgroundAndEndsOnQuitWithoutAFlip) {
    play({});
    EXPECT_EQ(drawn, (Drawn{"background"}));
    EXPECT_TRUE(showsBackgroundAt(400, 300));
    EXPECT_EQ(fakes::flips(), 0);
}

// The panel places its texts by whatever size they come out at, so only the font itself shows
// a size gone wrong: the game's is Vera at 12 points.
TEST_F(MenuModeTest, TheMenuIsWrittenInVeraAtTwelvePoints) {
    TTF_Font* twelvePoints = TTF_OpenFont("fonts/vera.ttf", 12);
    ASSERT_NE(twelvePoints, nullptr);
    ASSERT_NE(AppState::font, nullptr);
    EXPECT_EQ(TTF_FontHeight(AppState::font), TTF_FontHeight(twelvePoints));
    int gameWidth = 0;
    int twelveWidth = 0;
    TTF_SizeText(AppState::font, "Number of mines", &gameWidth, nullptr);
    TTF_SizeText(twelvePoints, "Number of mines", &twelveWidth, nullptr);
    EXPECT_EQ(gameWidth, twelveWidth);
    TTF_CloseFont(twelvePoints);
}

TEST_F(MenuModeTest, EscapeBeforeTheFirstStartOnlyDrawsThePendingMenu) {
    play({keyEvent(SDLK_ESCAPE), keyEvent(SDLK_ESCAPE)});
    EXPECT_EQ(drawn, (Drawn{"background", "panel", "start", "quit"}));
    EXPECT_TRUE(state->menuShown);
    EXPECT_FALSE(state->menuNeedsRedraw);
    EXPECT_TRUE(state->noGameYet);
    EXPECT_EQ(fakes::flips(), 2);
}

TEST_F(MenuModeTest, EveryHandledEventEndsWithAFlip) {
    play({keyEvent(SDLK_a), motionEvent(5, 5), releaseEvent(SDL_BUTTON_MIDDLE, 5, 5),
          keyEvent(SDLK_SPACE)});
    EXPECT_EQ(fakes::flips(), 4);
    EXPECT_EQ(drawn, (Drawn{"background", "panel", "start", "quit", "background", "panel", "start",
                            "quit", "background", "panel", "start", "quit"}));
}

TEST_F(MenuModeTest, TheFirstMotionOntoAButtonDrawsNoHighlight) {
    play({motionEvent(400, 190)});
    EXPECT_EQ(drawn, (Drawn{"background", "panel", "start", "quit", "background", "panel", "start",
                            "quit"}));
    EXPECT_EQ(buttonLook(MenuButton::Start), "normal");
    EXPECT_TRUE(state->startHovered);
    EXPECT_FALSE(state->quitHovered);
}

TEST_F(MenuModeTest, LeavingAndComingBackHighlightsTheButton) {
    play({motionEvent(5, 5), motionEvent(400, 190)});
    EXPECT_EQ(buttonLook(MenuButton::Start), "highlighted");
    EXPECT_EQ(buttonLook(MenuButton::Quit), "normal");
    EXPECT_EQ(drawn.back(), "quit");
    EXPECT_EQ(drawn[drawn.size() - 2], "start*");

    play({motionEvent(5, 5), motionEvent(400, 410)});
    EXPECT_EQ(buttonLook(MenuButton::Start), "normal");
    EXPECT_EQ(buttonLook(MenuButton::Quit), "highlighted");
}

TEST_F(MenuModeTest, OneMotionFromQuitOntoStartEndsWithBothNormal) {
    play({motionEvent(5, 5), motionEvent(400, 410)});
    ASSERT_EQ(buttonLook(MenuButton::Quit), "highlighted");
    play({motionEvent(400, 190)});
    // The loop's own background on entry, then two redraws on the one motion.
    EXPECT_EQ(drawn, (Drawn{"background", "panel", "start*", "quit", "background", "panel", "start",
                            "quit"}));
    EXPECT_EQ(buttonLook(MenuButton::Start), "normal");
    EXPECT_EQ(buttonLook(MenuButton::Quit), "normal");
    EXPECT_TRUE(state->startHovered);
    EXPECT_FALSE(state->quitHovered);
}

struct AreaCase {
    int x;
    int y;
    bool onStart;
    bool onQuit;
};

class HoverAreaTest : public MenuModeTest, public ::testing::WithParamInterface<AreaCase> {};

// The hit areas reach a little past the drawn buttons.
TEST_P(HoverAreaTest, TheButtonAreasHaveTheirOwnBounds) {
    play({motionEvent(5, 5), motionEvent(GetParam().x, GetParam().y)});
    EXPECT_EQ(state->startHovered, GetParam().onStart);
    EXPECT_EQ(state->quitHovered, GetParam().onQuit);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, HoverAreaTest,
    ::testing::Values(AreaCase{333, 176, true, false}, AreaCase{467, 205, true, false},
                      AreaCase{332, 190, false, false}, AreaCase{468, 190, false, false},
                      AreaCase{400, 175, false, false}, AreaCase{400, 206, false, false},
                      AreaCase{365, 396, false, true}, AreaCase{436, 428, false, true},
                      AreaCase{364, 410, false, false}, AreaCase{437, 410, false, false},
                      AreaCase{400, 395, false, false}, AreaCase{400, 429, false, false}));

class StartReleaseTest : public MenuModeTest, public ::testing::WithParamInterface<Uint8> {};

TEST_P(StartReleaseTest, AnyButtonReleasedOnStartStartsAGame) {
    play({releaseEvent(GetParam(), 400, 190)});
    EXPECT_FALSE(state->menuShown);
    EXPECT_FALSE(state->noGameYet);
    EXPECT_TRUE(state->boardActive);
    EXPECT_EQ(AppState::board->getTop(), 150);
    EXPECT_EQ(AppState::board->getLeft(), 250);
    EXPECT_EQ(drawn, (Drawn{"background", "panel", "start", "quit", "background", "cells"}));
    EXPECT_EQ(tileAt(250, 150), 0);
    EXPECT_EQ(tileAt(520, 420), 0);
    EXPECT_TRUE(showsBackgroundAt(249, 300));
    EXPECT_TRUE(showsBackgroundAt(550, 300));
}

INSTANTIATE_TEST_SUITE_P(Buttons, StartReleaseTest,
                         ::testing::Values(SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT,
                                           SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN));

TEST_F(MenuModeTest, QuitEndsTheLoopThroughTheQueueAfterEventsAlreadyWaiting) {
    SDL_Event events[] = {releaseEvent(SDL_BUTTON_LEFT, 400, 410), motionEvent(5, 5),
                          motionEvent(400, 190)};
    for (SDL_Event& event : events) SDL_PushEvent(&event);
    runEventLoop(*state);
    // Both motions were handled after the release; the second one found Start again.
    EXPECT_EQ(fakes::flips(), 3);
    EXPECT_TRUE(state->startHovered);
    EXPECT_TRUE(state->menuShown);
}

struct SliderCase {
    int x;
    int y;
    Uint8 held;
    int percent;
    int rows;
    int cols;
};

class SliderTest : public MenuModeTest, public ::testing::WithParamInterface<SliderCase> {};

TEST_P(SliderTest, ALeftOnlyDragOnATrackSetsItsValue) {
    const SliderCase& c = GetParam();
    play({motionEvent(c.x, c.y, c.held)});
    const Board& board = *AppState::board;
    EXPECT_EQ(board.getMinePercent(), c.percent);
    EXPECT_EQ(board.getRows(), c.rows);
    EXPECT_EQ(board.getCols(), c.cols);
    // The laid-out first board is untouched by the settings.
    EXPECT_EQ(board.getCellCount(), 100);
}

INSTANTIATE_TEST_SUITE_P(
    Tracks, SliderTest,
    ::testing::Values(
        SliderCase{320, 250, LEFT, 0, 10, 10}, SliderCase{411, 250, LEFT, 91, 10, 10},
        SliderCase{412, 250, LEFT, 20, 10, 10}, SliderCase{319, 250, LEFT, 20, 10, 10},
        SliderCase{350, 246, LEFT, 30, 10, 10}, SliderCase{350, 245, LEFT, 20, 10, 10},
        SliderCase{350, 255, LEFT, 20, 10, 10}, SliderCase{320, 300, LEFT, 20, 0, 10},
        SliderCase{411, 300, LEFT, 20, 20, 10}, SliderCase{412, 300, LEFT, 20, 10, 10},
        SliderCase{324, 304, LEFT, 20, 0, 10}, SliderCase{325, 296, LEFT, 20, 1, 10},
        SliderCase{320, 350, LEFT, 20, 10, 0}, SliderCase{411, 350, LEFT, 20, 10, 26},
        SliderCase{412, 350, LEFT, 20, 10, 10}, SliderCase{323, 346, LEFT, 20, 10, 0},
        SliderCase{324, 354, LEFT, 20, 10, 1},
        SliderCase{350, 250, SDL_BUTTON(SDL_BUTTON_LEFT) | SDL_BUTTON(SDL_BUTTON_RIGHT), 20, 10,
                   10},
        SliderCase{350, 300, SDL_BUTTON(SDL_BUTTON_RIGHT), 20, 10, 10},
        SliderCase{350, 350, 0, 20, 10, 10}));

class DragRedrawTest : public MenuModeTest, public ::testing::WithParamInterface<int> {};

// On each of the three tracks (mines, rows, columns, by their middle lines).
TEST_P(DragRedrawTest, ADragRedrawsTheMenuWithTheNewValueAtOnce) {
    const int y = GetParam();
    play({motionEvent(5, 5)});
    play({motionEvent(370, y, LEFT), motionEvent(371, y, LEFT)});
    // Each drag step repaints the whole menu with both buttons normal.
    EXPECT_EQ(drawn, (Drawn{"background", "panel", "start", "quit", "background", "panel", "start",
                            "quit"}));
}

INSTANTIATE_TEST_SUITE_P(Tracks, DragRedrawTest, ::testing::Values(250, 300, 350));

TEST_F(MenuModeTest, TheMenuIsNotHighlightedAgainWhenShownOverAGame) {
    play({motionEvent(5, 5), motionEvent(400, 190), releaseEvent(SDL_BUTTON_LEFT, 400, 190),
          keyEvent(SDLK_ESCAPE)});
    EXPECT_TRUE(state->menuShown);
    EXPECT_EQ(buttonLook(MenuButton::Start), "normal");
    // The menu went over the board without repainting the background.
    EXPECT_EQ(drawn.back(), "quit");
    EXPECT_EQ(drawn[drawn.size() - 4], "cells");
    EXPECT_EQ(tileAt(250, 150), 0);
}

// The menu's controls as a page that plays them by keyboard is told them: a motion with the
// button held on a step's column of each track sets that value, and a release in the middle of
// Quit and of Start presses them, as the game itself takes the pointer.
TEST_F(MenuModeTest, TheMenuAsToldToAPageTakesThePointer) {
    const ShownPart shown = shownPart(*state);
    const auto at = [&shown](int control, int value) {
        const ShownArea& area = shown.controls[control];
        const int x = area.left + static_cast<int>(std::ceil(value * shown.stepPixels[control]));
        return motionEvent(x, (area.top + area.bottom) / 2, LEFT);
    };
    const auto middle = [&shown](int control) {
        const ShownArea& area = shown.controls[control];
        return releaseEvent(SDL_BUTTON_LEFT, (area.left + area.right) / 2,
                            (area.top + area.bottom) / 2);
    };
    play({at(MINES_CONTROL, 7), at(ROWS_CONTROL, 3), at(COLS_CONTROL, 26), middle(START_CONTROL)});
    EXPECT_EQ(AppState::board->getMinePercent(), 7);
    EXPECT_EQ(AppState::board->getLayoutRows(), 3);
    EXPECT_EQ(AppState::board->getLayoutCols(), 26);
    EXPECT_FALSE(state->menuShown);
    // Quit queues a quit of its own behind the one that ends this play: it is left waiting.
    play({keyEvent(SDLK_ESCAPE), middle(QUIT_CONTROL)});
    SDL_Event left{};
    EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_PEEKEVENT, SDL_QUITMASK), 1);
}

}  // namespace
