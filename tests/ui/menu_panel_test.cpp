#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <string>
#include <vector>

#include "board/board.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/surface_fixture.h"
#include "support/surfaces.h"
#include "ui/menu_layout.h"
#include "ui/menu_panel.h"

namespace {

constexpr Uint32 MENU_SALT = 31;
constexpr Uint32 PANEL_COLOUR = 0x102030;
// Where the parts lie in the menu picture, as the game reads them.
const SDL_Rect KNOB = SLIDER_KNOB_PART;
const SDL_Rect TRACK = SLIDER_TRACK_PART;

class MenuPanelTest : public SurfaceTest {
  protected:
    void SetUp() override {
        SurfaceTest::SetUp();
        TTF_Init();
        AppState::font = TTF_OpenFont(DUNMARROW_SOURCE_DIR "/fonts/vera.ttf", 12);
        ASSERT_NE(AppState::font, nullptr);
        AppState::menuImage = makePatternSurface(533, 32, MENU_SALT);
        AppState::panelImage = makeSurface(221, 290);
        fillSurface(AppState::panelImage, PANEL_COLOUR);
        board = new Board(screen, sheet);
        board->generate(150, 250, 10, 10, 20);
        AppState::board = board;
    }
    void TearDown() override {
        fakes::failTextRendering(false);
        SDL_FreeSurface(AppState::textSurface);
        AppState::textSurface = nullptr;
        delete board;
        AppState::board = nullptr;
        SDL_FreeSurface(AppState::menuImage);
        SDL_FreeSurface(AppState::panelImage);
        AppState::menuImage = nullptr;
        AppState::panelImage = nullptr;
        if (AppState::font) TTF_CloseFont(AppState::font);
        AppState::font = nullptr;
        TTF_Quit();
        SurfaceTest::TearDown();
    }

    void setSettings(int percent, int rows, int cols) {
        board->setMinePercent(percent);
        board->setRows(rows);
        board->setCols(cols);
    }

    // Where the knob stands on the slider with the given centre line, found by its pixels,
    // or -1 when it is nowhere on that line.
    int knobXOnLine(int middle) {
        for (int x = 0; x + KNOB.w <= SCREEN_WIDTH; ++x) {
            if (countDifferences(screen, x, middle - 5, AppState::menuImage, KNOB.x, KNOB.y, KNOB.w,
                                 KNOB.h) == 0) {
                return x;
            }
        }
        return -1;
    }

    // The screen as it must look around a text drawn on the plain panel: the text rendered
    // afresh and blitted centred on (cx, cy). Compares a margin of 3 pixels around it too,
    // as much as lies between a label and its track.
    int textDifferences(const std::string& text, int cx, int cy) {
        SDL_Surface* rendered =
            TTF_RenderText_Blended(AppState::font, text.c_str(), SDL_Color{255, 255, 255, 255});
        const int margin = 3;
        SDL_Surface* expected = makeSurface(rendered->w + 2 * margin, rendered->h + 2 * margin);
        fillSurface(expected, PANEL_COLOUR);
        SDL_Rect at{static_cast<Sint16>(margin), static_cast<Sint16>(margin), 0, 0};
        SDL_BlitSurface(rendered, nullptr, expected, &at);
        const int x = cx - rendered->w / 2 - margin;
        const int y = cy - rendered->h / 2 - margin;
        const int differences =
            countDifferences(screen, x, y, expected, 0, 0, expected->w, expected->h);
        SDL_FreeSurface(expected);
        SDL_FreeSurface(rendered);
        return differences;
    }

    Board* board = nullptr;
};

struct KnobCase {
    int percent;
    int rows;
    int cols;
    int mineKnobX;
    int rowsKnobX;
    int colsKnobX;
};

class KnobTest : public MenuPanelTest, public ::testing::WithParamInterface<KnobCase> {};

TEST_P(KnobTest, StandsWhereItsValuePutsIt) {
    const KnobCase& c = GetParam();
    setSettings(c.percent, c.rows, c.cols);
    drawMenuPanel();
    EXPECT_EQ(knobXOnLine(250), c.mineKnobX);
    EXPECT_EQ(knobXOnLine(300), c.rowsKnobX);
    EXPECT_EQ(knobXOnLine(350), c.colsKnobX);
}

// The start-up settings, the sliders' largest values, the ends of the percentage, values the
// percentage cannot show, and products that truncate.
INSTANTIATE_TEST_SUITE_P(
    Settings, KnobTest,
    ::testing::Values(KnobCase{20, 10, 10, 340, 365, 355}, KnobCase{91, 20, 26, 411, 410, 411},
                      KnobCase{0, 0, 0, 320, 320, 320}, KnobCase{100, 1, 1, 420, 324, 323},
                      KnobCase{101, 3, 5, 395, 333, 337}, KnobCase{-1, 3, 5, 395, 333, 337},
                      KnobCase{-40, 50, 60, 395, 545, 530}));

struct TextCase {
    int percent;
    int rows;
    int cols;
    std::vector<std::string> numbers;
};

class PanelTextTest : public MenuPanelTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(PanelTextTest, NumbersAndLabelsAreCentredOnTheirPoints) {
    const TextCase& c = GetParam();
    setSettings(c.percent, c.rows, c.cols);
    drawMenuPanel();
    EXPECT_EQ(textDifferences(c.numbers[0], 470, 250), 0) << c.numbers[0];
    EXPECT_EQ(textDifferences(c.numbers[1], 470, 300), 0) << c.numbers[1];
    EXPECT_EQ(textDifferences(c.numbers[2], 470, 350), 0) << c.numbers[2];
    EXPECT_EQ(textDifferences("Number of mines", 370, 230), 0);
    EXPECT_EQ(textDifferences("Size X", 370, 280), 0);
    EXPECT_EQ(textDifferences("Size Y", 370, 330), 0);
}

INSTANTIATE_TEST_SUITE_P(Settings, PanelTextTest,
                         ::testing::Values(TextCase{20, 10, 10, {"20%", "10", "10"}},
                                           TextCase{-1, 0, 26, {"-1%", "0", "26"}},
                                           TextCase{101, 7, -3, {"101%", "7", "-3"}},
                                           TextCase{0, 20, 1, {"0%", "20", "1"}}));

TEST_F(MenuPanelTest, ThePanelBlendsByItsAlphaOverWhatWasBeneath) {
    SDL_FreeSurface(AppState::panelImage);
    AppState::panelImage = makeSurface(221, 290, true);
    fillSurface(AppState::panelImage, 0);
    for (int y = 0; y < 290; ++y) {
        for (int x = 0; x < 221; ++x)
            putPixel(AppState::panelImage, x, y, 0xC86400, x < 110 ? 128 : 0);
    }
    fillSurface(screen, 0x0000C8);
    drawMenuPanel();
    // Half-transparent on the left, fully transparent on the right; outside untouched.
    const Uint32 half = pixelAt(screen, 300, 170);
    EXPECT_NEAR(static_cast<int>(half >> 16), 100, 2);
    EXPECT_NEAR(static_cast<int>(half & 0xFF), 100, 2);
    EXPECT_EQ(pixelAt(screen, 500, 170), 0x0000C8u);
    EXPECT_EQ(pixelAt(screen, 289, 170), 0x0000C8u);
}

TEST_F(MenuPanelTest, DrawsThePanelAndTheTracks) {
    drawMenuPanel();
    EXPECT_EQ(pixelAt(screen, 290, 155), PANEL_COLOUR);
    EXPECT_EQ(pixelAt(screen, 510, 444), PANEL_COLOUR);
    EXPECT_EQ(pixelAt(screen, 289, 155), SCREEN_FILL);
    EXPECT_EQ(pixelAt(screen, 511, 444), SCREEN_FILL);
    EXPECT_EQ(pixelAt(screen, 290, 445), SCREEN_FILL);
    // The tracks, where the knob does not cover them.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(countDifferences(screen, 315, 241 + 50 * i, AppState::menuImage, TRACK.x, TRACK.y,
                                   5, TRACK.h),
                  0);
        EXPECT_EQ(countDifferences(screen, 395, 241 + 50 * i, AppState::menuImage, TRACK.x + 80,
                                   TRACK.y, 31, TRACK.h),
                  0);
    }
}

TEST_F(MenuPanelTest, AfterAnyNumberOfDrawsOneTextSurfaceLivesAndItIsTheLastLabel) {
    EXPECT_EQ(AppState::textSurface, nullptr);
    for (int draws = 1; draws <= 5; ++draws) {
        drawMenuPanel();
        EXPECT_EQ(fakes::liveTextSurfaces(), 1);
    }
    ASSERT_NE(AppState::textSurface, nullptr);
    SDL_Surface* sizeY =
        TTF_RenderText_Blended(AppState::font, "Size Y", SDL_Color{255, 255, 255, 255});
    ASSERT_EQ(AppState::textSurface->w, sizeY->w);
    ASSERT_EQ(AppState::textSurface->h, sizeY->h);
    for (int y = 0; y < sizeY->h; ++y) {
        for (int x = 0; x < sizeY->w; ++x) {
            ASSERT_EQ(alphaAt(AppState::textSurface, x, y), alphaAt(sizeY, x, y));
        }
    }
    SDL_FreeSurface(sizeY);
}

TEST_F(MenuPanelTest, ANewValueShowsAtTheNextDraw) {
    drawMenuPanel();
    setSettings(55, 4, 17);
    drawMenuPanel();
    EXPECT_EQ(textDifferences("55%", 470, 250), 0);
    EXPECT_EQ(textDifferences("4", 470, 300), 0);
    EXPECT_EQ(textDifferences("17", 470, 350), 0);
}

// Without its texts the panel still shows everything else, and no stale text is kept.
class MissingTextTest : public MenuPanelTest, public ::testing::WithParamInterface<bool> {};

TEST_P(MissingTextTest, ThePanelDrawsWithoutText) {
    drawMenuPanel();
    ASSERT_NE(AppState::textSurface, nullptr);
    fillSurface(screen, SCREEN_FILL);
    const bool noFont = GetParam();
    if (noFont) {
        TTF_CloseFont(AppState::font);
        AppState::font = nullptr;
    } else {
        fakes::failTextRendering(true);
    }
    g_errorNr = 1;
    drawMenuPanel();
    EXPECT_EQ(AppState::textSurface, nullptr);
    EXPECT_EQ(fakes::liveTextSurfaces(), 0);
    EXPECT_EQ(g_errorNr, 0);
    EXPECT_EQ(knobXOnLine(250), 340);
    EXPECT_EQ(knobXOnLine(300), 365);
    EXPECT_EQ(knobXOnLine(350), 355);
    // Where the texts would be, only the panel shows.
    for (int y = 215; y < 360; ++y) {
        for (int x = 430; x < 505; ++x)
            ASSERT_EQ(pixelAt(screen, x, y), PANEL_COLOUR) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(NoFontOrFailingRenderer, MissingTextTest, ::testing::Bool());

}  // namespace
