#include <gtest/gtest.h>

#include <functional>

#include "board/board.h"
#include "state/app_state.h"
#include "support/surface_fixture.h"
#include "support/surfaces.h"
#include "ui/background.h"
#include "ui/menu_button.h"
#include "ui/menu_layout.h"
#include "ui/menu_panel.h"
#include "ui/win_banner.h"

namespace {

constexpr Uint32 MENU_SALT = 23;

class OverlayTest : public SurfaceTest {
  protected:
    void SetUp() override {
        SurfaceTest::SetUp();
        AppState::menuImage = makePatternSurface(533, 32, MENU_SALT);
    }
    void TearDown() override {
        SDL_FreeSurface(AppState::menuImage);
        AppState::menuImage = nullptr;
        SurfaceTest::TearDown();
    }

    // True when nothing in the one-pixel frame around the rectangle was touched.
    bool frameUntouched(int x, int y, int w, int h) {
        for (int i = -1; i <= w; ++i) {
            if (pixelAt(screen, x + i, y - 1) != SCREEN_FILL) return false;
            if (pixelAt(screen, x + i, y + h) != SCREEN_FILL) return false;
        }
        for (int i = -1; i <= h; ++i) {
            if (pixelAt(screen, x - 1, y + i) != SCREEN_FILL) return false;
            if (pixelAt(screen, x + w, y + i) != SCREEN_FILL) return false;
        }
        return true;
    }
};

struct ButtonCase {
    int button;
    bool highlighted;
    SDL_Rect source;
    int x;
    int y;
};

class MenuButtonTest : public OverlayTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(MenuButtonTest, CopiesItsPartOfTheMenuPictureOntoItsRectangle) {
    const ButtonCase& c = GetParam();
    g_errorNr = 1;
    drawMenuButton(c.button, c.highlighted);
    EXPECT_EQ(countDifferences(screen, c.x, c.y, AppState::menuImage, c.source.x, c.source.y,
                               c.source.w, c.source.h),
              0);
    EXPECT_TRUE(frameUntouched(c.x, c.y, c.source.w, c.source.h));
    EXPECT_EQ(g_errorNr, 0);
}

// Both looks of a button cover the same rectangle; any number but Start's draws Quit.
INSTANTIATE_TEST_SUITE_P(
    BothLooks, MenuButtonTest,
    ::testing::Values(ButtonCase{MenuButton::Start, false, START_NORMAL_PART, 333, 176},
                      ButtonCase{MenuButton::Start, true, START_HIGHLIGHTED_PART, 333, 176},
                      ButtonCase{MenuButton::Quit, false, QUIT_NORMAL_PART, 365, 394},
                      ButtonCase{MenuButton::Quit, true, QUIT_HIGHLIGHTED_PART, 365, 394},
                      ButtonCase{0, false, QUIT_NORMAL_PART, 365, 394},
                      ButtonCase{3, true, QUIT_HIGHLIGHTED_PART, 365, 394}));

struct PictureCase {
    int width;
    int height;
    int x;
    int y;
};

class WinBannerTest : public OverlayTest, public ::testing::WithParamInterface<PictureCase> {};

// Centred with each half truncated; what falls off the screen is clipped.
TEST_P(WinBannerTest, IsCentredOnTheScreen) {
    const PictureCase& c = GetParam();
    AppState::winImage = makePatternSurface(c.width, c.height, 5);
    drawWinBanner();
    const int left = std::max(c.x, 0);
    const int top = std::max(c.y, 0);
    const int right = std::min(c.x + c.width, SCREEN_WIDTH);
    const int bottom = std::min(c.y + c.height, SCREEN_HEIGHT);
    EXPECT_EQ(countDifferences(screen, left, top, AppState::winImage, left - c.x, top - c.y,
                               right - left, bottom - top),
              0);
    if (c.x > 0 && c.y > 0) {
        EXPECT_TRUE(frameUntouched(c.x, c.y, c.width, c.height));
    }
    SDL_FreeSurface(AppState::winImage);
    AppState::winImage = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Sizes, WinBannerTest,
                         ::testing::Values(PictureCase{200, 100, 300, 250},
                                           PictureCase{201, 101, 300, 250},
                                           PictureCase{360, 150, 220, 225},
                                           PictureCase{1000, 40, -100, 280},
                                           PictureCase{50, 900, 375, -150}));

class BackgroundTest : public OverlayTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(BackgroundTest, IsDrawnFromTheTopLeftCorner) {
    const PictureCase& c = GetParam();
    AppState::background = makePatternSurface(c.width, c.height, 9);
    drawBackground();
    const int width = std::min(c.width, SCREEN_WIDTH);
    const int height = std::min(c.height, SCREEN_HEIGHT);
    EXPECT_EQ(countDifferences(screen, 0, 0, AppState::background, 0, 0, width, height), 0);
    if (width < SCREEN_WIDTH) {
        EXPECT_EQ(pixelAt(screen, width, 0), SCREEN_FILL);
    }
    if (height < SCREEN_HEIGHT) {
        EXPECT_EQ(pixelAt(screen, 0, height), SCREEN_FILL);
    }
    SDL_FreeSurface(AppState::background);
    AppState::background = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Sizes, BackgroundTest,
                         ::testing::Values(PictureCase{800, 600, 0, 0}, PictureCase{900, 700, 0, 0},
                                           PictureCase{300, 200, 0, 0}));

using Drawing = std::function<void()>;

struct DrawingCase {
    const char* name;
    Drawing draw;
};

class CheckedBlitTest : public OverlayTest, public ::testing::WithParamInterface<DrawingCase> {
  protected:
    void SetUp() override {
        OverlayTest::SetUp();
        AppState::background = makePatternSurface(800, 600, 1);
        AppState::winImage = makePatternSurface(100, 50, 2);
        AppState::panelImage = makePatternSurface(221, 290, 3);
        AppState::board = new Board(screen, sheet);
        AppState::board->generate(150, 250, 10, 10, 20);
    }
    void TearDown() override {
        delete AppState::board;
        AppState::board = nullptr;
        for (SDL_Surface** picture :
             {&AppState::background, &AppState::winImage, &AppState::panelImage}) {
            SDL_FreeSurface(*picture);
            *picture = nullptr;
        }
        OverlayTest::TearDown();
    }
};

TEST_P(CheckedBlitTest, AGoodBlitLeavesNoErrorNumber) {
    g_errorNr = 1;
    GetParam().draw();
    EXPECT_EQ(g_errorNr, 0);
}

// A locked screen refuses every blit.
TEST_P(CheckedBlitTest, AFailedBlitEndsTheGameWithTheErrorBox) {
    SDL_LockSurface(screen);
    EXPECT_EXIT(GetParam().draw(), ::testing::ExitedWithCode(1),
                "^Error!\nSurfaces must not be locked during blit, ErrorNr = 1\n$");
    SDL_UnlockSurface(screen);
}

INSTANTIATE_TEST_SUITE_P(
    EachPicture, CheckedBlitTest,
    ::testing::Values(DrawingCase{"Background", drawBackground},
                      DrawingCase{"WinBanner", drawWinBanner}, DrawingCase{"Panel", drawMenuPanel},
                      DrawingCase{"Start", [] { drawMenuButton(MenuButton::Start, true); }},
                      DrawingCase{"Quit", [] { drawMenuButton(MenuButton::Quit, false); }}),
    [](const ::testing::TestParamInfo<DrawingCase>& info) { return info.param.name; });

}  // namespace
