#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <vector>

#include "board/board.h"
#include "support/fakes.h"
#include "support/surface_fixture.h"
#include "support/surfaces.h"

namespace {

class BoardLayoutTest : public SurfaceTest {
  protected:
    void SetUp() override {
        SurfaceTest::SetUp();
        fakes::resetRandCounters();
    }
    void TearDown() override {
        fakes::stopScriptingRand();
        SurfaceTest::TearDown();
    }
};

// The counts that a board with these mines must hold, worked out the slow, obvious way.
std::vector<int> expectedValues(const std::vector<bool>& mines, int rows, int cols) {
    std::vector<int> values(mines.size(), 0);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            if (mines[r * cols + c]) {
                values[r * cols + c] = MINE_VALUE;
                continue;
            }
            for (int dr = -1; dr <= 1; ++dr) {
                for (int dc = -1; dc <= 1; ++dc) {
                    const int nr = r + dr;
                    const int nc = c + dc;
                    if ((dr || dc) && nr >= 0 && nr < rows && nc >= 0 && nc < cols &&
                        mines[nr * cols + nc]) {
                        ++values[r * cols + c];
                    }
                }
            }
        }
    }
    return values;
}

void expectLayout(const Board& board, const std::vector<bool>& mines, int top, int left) {
    const int rows = board.getLayoutRows();
    const int cols = board.getLayoutCols();
    ASSERT_EQ(board.getCellCount(), rows * cols);
    const std::vector<int> values = expectedValues(mines, rows, cols);
    int mineCount = 0;
    for (int i = 0; i < board.getCellCount(); ++i) {
        const Cell& cell = board.cellAt(i);
        EXPECT_EQ(cell.getValue(), values[i]) << "cell " << i;
        EXPECT_EQ(cell.getX(), left + TILE_SIZE * (i % cols)) << "cell " << i;
        EXPECT_EQ(cell.getY(), top + TILE_SIZE * (i / cols)) << "cell " << i;
        EXPECT_FALSE(cell.isRevealed());
        EXPECT_FALSE(cell.isFlagged());
        mineCount += mines[i];
    }
    EXPECT_EQ(board.getMineCount(), mineCount);
    EXPECT_EQ(board.getRevealedCount(), 0);
}

struct LayoutCase {
    int rows;
    int cols;
    int minePercent;
};

class RandomLayoutTest : public BoardLayoutTest,
                         public ::testing::WithParamInterface<LayoutCase> {};

// Every layout seeds the generator anew from the clock's second and draws one number a cell,
// mine or not; each cell's count is the mines around it, whatever the board's shape. The
// numbers drawn are scripted: a mine at every third cell, give or take, where the setting
// lets one be (a number of 0 or 99 against the share: 99 is a mine only at 99 % or more).
TEST_P(RandomLayoutTest, LaysOutFromTheClockOneNumberACellCountingTheMinesAround) {
    const LayoutCase& c = GetParam();
    std::vector<int> script;
    std::vector<bool> mines;
    for (int i = 0; i < c.rows * c.cols; ++i) {
        script.push_back(i % 3 == 0 ? 0 : 99);
        mines.push_back(script.back() <= c.minePercent);
    }
    fakes::scriptRand(script);
    Board board(screen, sheet);
    const unsigned before = static_cast<unsigned>(std::time(nullptr));
    board.generate(40, 70, c.rows, c.cols, c.minePercent);
    const unsigned after = static_cast<unsigned>(std::time(nullptr));

    const unsigned seed = fakes::lastSeed();
    EXPECT_GE(seed, before);
    EXPECT_LE(seed, after);
    EXPECT_EQ(fakes::randCalls(), c.rows * c.cols);
    expectLayout(board, mines, 40, 70);
    // A layout by generate draws nothing.
    EXPECT_EQ(pixelAt(screen, 70, 40), SCREEN_FILL);
}

INSTANTIATE_TEST_SUITE_P(ManySettings, RandomLayoutTest,
                         ::testing::Values(LayoutCase{10, 10, 20}, LayoutCase{1, 1, 50},
                                           LayoutCase{1, 26, 30}, LayoutCase{20, 1, 30},
                                           LayoutCase{20, 26, 0}, LayoutCase{20, 26, 91},
                                           LayoutCase{7, 13, 45}, LayoutCase{2, 2, 60},
                                           LayoutCase{50, 40, 15}, LayoutCase{3, 3, 100},
                                           LayoutCase{5, 5, -1}));

struct ChosenMinesCase {
    const char* name;
    int rows;
    int cols;
    std::vector<bool> mines;
    std::vector<int> values;
};

class ChosenMinesTest : public BoardLayoutTest,
                        public ::testing::WithParamInterface<ChosenMinesCase> {};

TEST_P(ChosenMinesTest, CountsAreTheMinesAround) {
    const ChosenMinesCase& c = GetParam();
    fakes::scriptRand(fakes::mineScript(c.mines));
    Board board(screen, sheet);
    board.generate(0, 0, c.rows, c.cols, 20);
    ASSERT_EQ(board.getCellCount(), static_cast<int>(c.values.size()));
    for (int i = 0; i < board.getCellCount(); ++i) {
        EXPECT_EQ(board.cellAt(i).getValue(), c.values[i]) << "cell " << i;
    }
}

constexpr bool M = true;
constexpr bool o = false;

INSTANTIATE_TEST_SUITE_P(
    Boards, ChosenMinesTest,
    ::testing::Values(
        ChosenMinesCase{
            "CentreOf3x3", 3, 3, {o, o, o, o, M, o, o, o, o}, {1, 1, 1, 1, 10, 1, 1, 1, 1}},
        ChosenMinesCase{"CornerOf4x4",
                        4,
                        4,
                        {o, o, o, o, o, o, o, o, o, o, o, o, o, o, o, M},
                        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 1, 10}},
        ChosenMinesCase{"AllButCentreOf3x3",
                        3,
                        3,
                        {M, M, M, M, o, M, M, M, M},
                        {10, 10, 10, 10, 8, 10, 10, 10, 10}},
        ChosenMinesCase{"OneRow", 1, 5, {M, o, o, M, M}, {10, 1, 1, 10, 10}},
        ChosenMinesCase{"OneColumn", 4, 1, {o, M, o, o}, {1, 10, 1, 0}}),
    [](const ::testing::TestParamInfo<ChosenMinesCase>& info) { return info.param.name; });

TEST_F(BoardLayoutTest, TheFirstBoardSpansItsRectangle) {
    Board board(screen, sheet);
    board.generate(150, 250, 10, 10, 20);
    EXPECT_EQ(board.getRows(), 10);
    EXPECT_EQ(board.getCols(), 10);
    EXPECT_EQ(board.getMinePercent(), 20);
    EXPECT_EQ(board.cellAt(0).getX(), 250);
    EXPECT_EQ(board.cellAt(0).getY(), 150);
    EXPECT_EQ(board.cellAt(99).getX() + TILE_SIZE - 1, 549);
    EXPECT_EQ(board.cellAt(99).getY() + TILE_SIZE - 1, 449);
}

struct EmptyCase {
    int rows;
    int cols;
};

class EmptyBoardTest : public BoardLayoutTest, public ::testing::WithParamInterface<EmptyCase> {};

// Negative counts can only come through the setters; they must lay out no cells, not crash.
TEST_P(EmptyBoardTest, HasNoCellsAndIsClearedAtOnce) {
    Board board(screen, sheet);
    board.generate(0, 0, 10, 10, 20);
    board.setRows(GetParam().rows);
    board.setCols(GetParam().cols);
    board.restart(300, 400);
    EXPECT_EQ(board.getCellCount(), 0);
    EXPECT_EQ(board.getMineCount(), 0);
    EXPECT_TRUE(board.isCleared());
    EXPECT_EQ(board.open(0, false), OpenResult::Ignored);
    fakes::startRecordingBlits();
    board.drawAll();
    EXPECT_TRUE(fakes::stopRecordingBlits().empty());
    EXPECT_EQ(pixelAt(screen, 400, 300), SCREEN_FILL);
}

INSTANTIATE_TEST_SUITE_P(ZeroOrNegative, EmptyBoardTest,
                         ::testing::Values(EmptyCase{0, 10}, EmptyCase{10, 0}, EmptyCase{0, 0},
                                           EmptyCase{-3, 10}, EmptyCase{10, -3},
                                           EmptyCase{-4, -5}));

class AllMinesTest : public BoardLayoutTest, public ::testing::WithParamInterface<int> {};

TEST_P(AllMinesTest, NinetyNinePercentAndMoreLaysOnlyMines) {
    Board board(screen, sheet);
    board.generate(0, 0, 12, 17, GetParam());
    EXPECT_EQ(board.getMineCount(), board.getCellCount());
    for (int i = 0; i < board.getCellCount(); ++i)
        EXPECT_EQ(board.cellAt(i).getValue(), MINE_VALUE);
    EXPECT_TRUE(board.isCleared());
}

INSTANTIATE_TEST_SUITE_P(Percentages, AllMinesTest, ::testing::Values(99, 100, 150));

TEST_F(BoardLayoutTest, APercentageEqualToTheDrawMakesAMine) {
    fakes::scriptRand({20, 21, 120, 121});
    Board board(screen, sheet);
    board.generate(0, 0, 1, 4, 20);
    EXPECT_EQ(board.cellAt(0).getValue(), MINE_VALUE);
    EXPECT_NE(board.cellAt(1).getValue(), MINE_VALUE);
    EXPECT_EQ(board.cellAt(2).getValue(), MINE_VALUE);
    EXPECT_NE(board.cellAt(3).getValue(), MINE_VALUE);
}

TEST_F(BoardLayoutTest, TwoLayoutsInTheSameSecondAreIdentical) {
    Board first(screen, sheet);
    Board second(screen, sheet);
    // Retried when the clock ticks over between the two layouts.
    for (int attempt = 0; attempt < 5; ++attempt) {
        first.generate(0, 0, 15, 20, 30);
        const unsigned firstSeed = fakes::lastSeed();
        second.generate(0, 0, 15, 20, 30);
        if (fakes::lastSeed() == firstSeed) break;
        first = Board(screen, sheet);
        second = Board(screen, sheet);
    }
    for (int i = 0; i < first.getCellCount(); ++i) {
        EXPECT_EQ(first.cellAt(i).getValue(), second.cellAt(i).getValue());
    }
}

TEST_F(BoardLayoutTest, RestartDrawsTheNewBoardCoveredAndResetsTheCounters) {
    const std::vector<bool> first{o, o, o, o};
    fakes::scriptRand(fakes::mineScript(first));
    Board board(screen, sheet);
    board.generate(0, 0, 2, 2, 20);
    board.open(0, false);
    ASSERT_EQ(board.getRevealedCount(), 4);

    board.setRows(3);
    board.setCols(2);
    board.setMinePercent(10);
    fakes::scriptRand(fakes::mineScript({M, o, o, o, o, M}));
    fakes::startRecordingBlits();
    board.restart(100, 200);
    const auto blits = fakes::stopRecordingBlits();

    EXPECT_EQ(board.getLayoutRows(), 3);
    EXPECT_EQ(board.getLayoutCols(), 2);
    EXPECT_EQ(board.getMineCount(), 2);
    EXPECT_EQ(board.getRevealedCount(), 0);
    ASSERT_EQ(blits.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(blits[i].x, 200 + TILE_SIZE * (i % 2));
        EXPECT_EQ(blits[i].y, 100 + TILE_SIZE * (i / 2));
        EXPECT_EQ(blits[i].sourceRect.x, COVERED_TILE_X);
    }
}

TEST_F(BoardLayoutTest, SettersChangeTheSettingsButNotTheCellsInPlay) {
    fakes::scriptRand(fakes::mineScript({o, M, o, o, o, o}));
    Board board(screen, sheet);
    board.generate(0, 0, 2, 3, 20);
    board.setRows(7);
    board.setCols(9);
    board.setMinePercent(55);
    EXPECT_EQ(board.getRows(), 7);
    EXPECT_EQ(board.getCols(), 9);
    EXPECT_EQ(board.getMinePercent(), 55);
    EXPECT_EQ(board.getCellCount(), 6);
    EXPECT_EQ(board.getLayoutRows(), 2);
    EXPECT_EQ(board.getLayoutCols(), 3);
    EXPECT_EQ(board.cellAt(1).getValue(), MINE_VALUE);
}

}  // namespace
