#include <gtest/gtest.h>

#include <pthread.h>

#include <algorithm>
#include <random>
#include <vector>

#include "board/board.h"
#include "support/fakes.h"
#include "support/surface_fixture.h"

namespace {

constexpr bool M = true;
constexpr bool o = false;
constexpr int TOP = 60;
constexpr int LEFT = 90;

class BoardPlayTest : public SurfaceTest {
  protected:
    void TearDown() override {
        fakes::stopScriptingRand();
        SurfaceTest::TearDown();
    }

    // A board of the given mines, laid out as a new game would be.
    Board layOut(int rows, int cols, const std::vector<bool>& mines) {
        fakes::scriptRand(fakes::mineScript(mines));
        Board board(screen, sheet);
        board.generate(TOP, LEFT, rows, cols, 20);
        fakes::stopScriptingRand();
        return board;
    }

    // A board without mines: no rand() % 100 is below zero.
    Board layOutWithoutMines(int rows, int cols) {
        Board board(screen, sheet);
        board.generate(TOP, LEFT, rows, cols, -1);
        return board;
    }
};

struct Drawn {
    int index;
    int tileX;
};

// What the board drew, in order, as cell indices and tiles.
std::vector<Drawn> drawnCells(const std::vector<fakes::Blit>& blits, int cols) {
    std::vector<Drawn> drawn;
    for (const fakes::Blit& blit : blits) {
        drawn.push_back(
            {(blit.y - TOP) / TILE_SIZE * cols + (blit.x - LEFT) / TILE_SIZE, blit.sourceRect.x});
    }
    return drawn;
}

std::vector<int> indicesOf(const std::vector<Drawn>& drawn) {
    std::vector<int> indices;
    for (const Drawn& d : drawn) indices.push_back(d.index);
    return indices;
}

// Opens one cell and tells which cells were drawn, in order.
std::vector<int> openAndWatch(Board& board, int index, int* result = nullptr) {
    fakes::startRecordingBlits();
    const int r = board.open(index, false);
    if (result) *result = r;
    return indicesOf(drawnCells(fakes::stopRecordingBlits(), board.getLayoutCols()));
}

struct FloodCase {
    const char* name;
    int rows;
    int cols;
    std::vector<bool> mines;
    int start;
    std::vector<int> order;
};

class FloodOrderTest : public BoardPlayTest, public ::testing::WithParamInterface<FloodCase> {};

TEST_P(FloodOrderTest, OpensAndDrawsCellsDepthFirstInTheNeighbourOrder) {
    const FloodCase& c = GetParam();
    Board board =
        c.mines.empty() ? layOutWithoutMines(c.rows, c.cols) : layOut(c.rows, c.cols, c.mines);
    int result = -1;
    EXPECT_EQ(openAndWatch(board, c.start, &result), c.order);
    EXPECT_EQ(result, OpenResult::Opened);
    EXPECT_EQ(board.getRevealedCount(), static_cast<int>(c.order.size()));
}

// The ring of mines round a 5 x 5 board leaves the centre empty and its eight neighbours
// numbered, so the flood shows the order in which it tries them.
const std::vector<bool> RING{M, M, M, M, M, M, o, o, o, M, M, o, o,
                             o, M, M, o, o, o, M, M, M, M, M, M};

INSTANTIATE_TEST_SUITE_P(
    Boards, FloodOrderTest,
    ::testing::Values(FloodCase{"CentreOf3x3", 3, 3, {}, 4, {4, 3, 1, 0, 2, 5, 7, 6, 8}},
                      FloodCase{"CornerOf3x3", 3, 3, {}, 0, {0, 1, 3, 4, 6, 7, 8, 5, 2}},
                      FloodCase{
                          "NeighbourOrder", 5, 5, RING, 12, {12, 11, 6, 16, 13, 8, 18, 7, 17}},
                      FloodCase{"OneRow", 1, 5, {}, 2, {2, 1, 0, 3, 4}},
                      FloodCase{"OneColumn", 5, 1, {}, 2, {2, 1, 0, 3, 4}},
                      FloodCase{"RegionWithItsBorder",
                                3,
                                4,
                                {o, o, o, M, o, o, o, o, o, o, o, o},
                                0,
                                {0, 1, 4, 5, 8, 9, 10, 11, 6, 7, 2}}),
    [](const ::testing::TestParamInfo<FloodCase>& info) { return info.param.name; });

TEST_F(BoardPlayTest, OpeningEveryCellOfAMineFreeBoardClearsIt) {
    Board board = layOutWithoutMines(6, 7);
    EXPECT_FALSE(board.isCleared());
    EXPECT_EQ(board.open(17, false), OpenResult::Opened);
    EXPECT_EQ(board.getRevealedCount(), 42);
    EXPECT_TRUE(board.isCleared());
}

TEST_F(BoardPlayTest, ANumberOpensAloneWithItsTile) {
    Board board = layOut(2, 2, {M, o, o, o});
    fakes::startRecordingBlits();
    EXPECT_EQ(board.open(3, false), OpenResult::Opened);
    const auto drawn = drawnCells(fakes::stopRecordingBlits(), 2);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].index, 3);
    EXPECT_EQ(drawn[0].tileX, 1 * TILE_SIZE);
    EXPECT_EQ(board.getRevealedCount(), 1);
}

TEST_F(BoardPlayTest, AMineIsReportedAndShownButNotCounted) {
    Board board = layOut(2, 2, {M, o, o, o});
    board.open(3, false);
    fakes::startRecordingBlits();
    EXPECT_EQ(board.open(0, false), OpenResult::MineHit);
    const auto drawn = drawnCells(fakes::stopRecordingBlits(), 2);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].tileX, MINE_VALUE * TILE_SIZE);
    EXPECT_TRUE(board.cellAt(0).isRevealed());
    EXPECT_EQ(board.getRevealedCount(), 1);
    EXPECT_FALSE(board.isCleared());
}

TEST_F(BoardPlayTest, AnOpenedCellIsIgnoredInEitherModeAndNotRedrawn) {
    Board board = layOut(2, 2, {M, o, o, o});
    board.open(3, false);
    fakes::startRecordingBlits();
    EXPECT_EQ(board.open(3, false), OpenResult::Ignored);
    EXPECT_EQ(board.open(3, true), OpenResult::Ignored);
    EXPECT_TRUE(fakes::stopRecordingBlits().empty());
    EXPECT_FALSE(board.cellAt(3).isFlagged());
    EXPECT_EQ(board.getRevealedCount(), 1);
}

TEST_F(BoardPlayTest, AFlagTogglesAndBlocksOpeningUntilRemoved) {
    Board board = layOut(2, 2, {M, o, o, o});
    fakes::startRecordingBlits();
    EXPECT_EQ(board.open(2, true), OpenResult::Opened);
    EXPECT_EQ(board.open(2, false), OpenResult::Ignored);
    EXPECT_TRUE(board.cellAt(2).isFlagged());
    EXPECT_FALSE(board.cellAt(2).isRevealed());
    EXPECT_EQ(board.open(2, true), OpenResult::Opened);
    const auto drawn = drawnCells(fakes::stopRecordingBlits(), 2);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].tileX, FLAG_TILE_X);
    EXPECT_EQ(drawn[1].tileX, COVERED_TILE_X);
    EXPECT_FALSE(board.cellAt(2).isFlagged());
    EXPECT_EQ(board.getRevealedCount(), 0);
    EXPECT_EQ(board.open(2, false), OpenResult::Opened);
    EXPECT_TRUE(board.cellAt(2).isRevealed());
}

TEST_F(BoardPlayTest, AFlagOnAMineKeepsItShut) {
    Board board = layOut(1, 2, {M, o});
    EXPECT_EQ(board.open(0, true), OpenResult::Opened);
    EXPECT_EQ(board.open(0, false), OpenResult::Ignored);
    EXPECT_EQ(board.open(1, false), OpenResult::Opened);
    // Flags play no part in the win: every safe cell is open.
    EXPECT_TRUE(board.isCleared());
}

TEST_F(BoardPlayTest, TheFloodStopsAtAFlagAndItsCellStaysShut) {
    Board board = layOutWithoutMines(1, 5);
    board.open(2, true);
    EXPECT_EQ(openAndWatch(board, 0), (std::vector<int>{0, 1}));
    EXPECT_FALSE(board.cellAt(3).isRevealed());
    EXPECT_EQ(openAndWatch(board, 4), (std::vector<int>{4, 3}));
    EXPECT_TRUE(board.cellAt(2).isFlagged());
    EXPECT_FALSE(board.cellAt(2).isRevealed());
    EXPECT_EQ(board.getRevealedCount(), 4);
    EXPECT_FALSE(board.isCleared());
    board.open(2, true);
    board.open(2, false);
    EXPECT_TRUE(board.isCleared());
}

TEST_F(BoardPlayTest, CellsBehindAFlagOpenFromAnotherPath) {
    Board board = layOutWithoutMines(3, 3);
    board.open(1, true);
    EXPECT_EQ(openAndWatch(board, 0), (std::vector<int>{0, 4, 3, 7, 6, 8, 5, 2}));
    EXPECT_TRUE(board.cellAt(1).isFlagged());
    EXPECT_FALSE(board.cellAt(1).isRevealed());
    EXPECT_EQ(board.getRevealedCount(), 8);
    EXPECT_FALSE(board.isCleared());
}

TEST_F(BoardPlayTest, DrawAllDrawsEveryCellInIndexOrderInItsState) {
    Board board = layOut(2, 3, {M, o, o, o, o, o});
    board.open(2, false);
    board.open(3, true);
    fakes::startRecordingBlits();
    board.drawAll();
    const auto drawn = drawnCells(fakes::stopRecordingBlits(), 3);
    ASSERT_EQ(drawn.size(), 6u);
    const int tiles[] = {COVERED_TILE_X, TILE_SIZE, EMPTY_TILE_X,
                         FLAG_TILE_X,    TILE_SIZE, EMPTY_TILE_X};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(drawn[i].index, i);
        EXPECT_EQ(drawn[i].tileX, tiles[i]) << "cell " << i;
    }
}

// A sheet lost while the whole board draws: each of the board's own cells takes its fresh
// copy, so that the next draw shows its tile again.
TEST_F(BoardPlayTest, ASheetLostDuringDrawAllIsReloadedIntoTheBoardsOwnCells) {
    Board board = layOut(1, 2, {o, o});
    SDL_LockSurface(sheet);
    board.drawAll();
    SDL_UnlockSurface(sheet);
    for (int i = 0; i < 2; ++i) {
        SDL_Surface* reloaded = board.cellAt(i).getSpriteSheet();
        EXPECT_NE(reloaded, sheet) << "cell " << i;
        if (reloaded != sheet) SDL_FreeSurface(reloaded);
    }
}

// The sliders may change the settings while a game is paused; the game keeps its own layout.
TEST_F(BoardPlayTest, OpeningGoesByTheLayoutInPlayAfterTheSettingsChange) {
    Board board = layOutWithoutMines(3, 3);
    board.setRows(2);
    board.setCols(7);
    EXPECT_EQ(board.open(9, false), OpenResult::Ignored);
    EXPECT_EQ(board.open(9, true), OpenResult::Ignored);
    EXPECT_EQ(board.open(-1, false), OpenResult::Ignored);
    EXPECT_EQ(board.open(13, false), OpenResult::Ignored);
    EXPECT_EQ(openAndWatch(board, 4), (std::vector<int>{4, 3, 1, 0, 2, 5, 7, 6, 8}));
    EXPECT_TRUE(board.isCleared());

    board.restart(0, 0);
    EXPECT_EQ(board.getCellCount(), 14);
    EXPECT_EQ(board.getLayoutCols(), 7);
}

TEST_F(BoardPlayTest, RandomPlayKeepsTheCountersAndTheRulesTrue) {
    std::mt19937 random(424242);
    for (int round = 0; round < 200; ++round) {
        const int rows = 1 + static_cast<int>(random() % 12);
        const int cols = 1 + static_cast<int>(random() % 12);
        const int percent = static_cast<int>(random() % 40);
        std::vector<bool> mines;
        for (int i = 0; i < rows * cols; ++i)
            mines.push_back(static_cast<int>(random() % 100) < percent);
        Board board = layOut(rows, cols, mines);
        const int cells = rows * cols;

        for (int move = 0; move < 60; ++move) {
            const int index = static_cast<int>(random() % (cells + 2)) - 1;
            const bool flag = random() % 3 == 0;
            std::vector<bool> flaggedBefore;
            for (int i = 0; i < cells; ++i) flaggedBefore.push_back(board.cellAt(i).isFlagged());
            const int result = board.open(index, flag);
            if (index < 0 || index >= cells) {
                EXPECT_EQ(result, OpenResult::Ignored);
            }

            int opened = 0;
            for (int i = 0; i < cells; ++i) {
                const Cell& cell = board.cellAt(i);
                ASSERT_FALSE(cell.isRevealed() && cell.isFlagged()) << "cell " << i;
                if (cell.isRevealed() && cell.getValue() != MINE_VALUE) ++opened;
                // Only the cell asked for can be a mine that opened.
                if (cell.isRevealed() && mines[i]) {
                    ASSERT_EQ(i, index);
                }
                if (!flag && flaggedBefore[i]) {
                    ASSERT_TRUE(cell.isFlagged());
                }
            }
            ASSERT_EQ(board.getRevealedCount(), opened);
            if (result == OpenResult::MineHit) break;
        }
    }
}

TEST_F(BoardPlayTest, TheBoardIsClearedExactlyWhenEverySafeCellIsOpen) {
    std::mt19937 random(7);
    for (int round = 0; round < 100; ++round) {
        const int rows = 1 + static_cast<int>(random() % 9);
        const int cols = 1 + static_cast<int>(random() % 9);
        const int cells = rows * cols;
        std::vector<bool> mines;
        for (int i = 0; i < cells; ++i) mines.push_back(random() % 5 == 0);
        Board board = layOut(rows, cols, mines);
        // Safe cells in a random order, each opened (lifting a flag first if one stands).
        std::vector<int> order;
        for (int i = 0; i < cells; ++i) {
            if (!mines[i]) order.push_back(i);
        }
        std::shuffle(order.begin(), order.end(), random);
        for (int index : order) {
            if (random() % 4 == 0) board.open(static_cast<int>(random() % cells), true);
            if (board.cellAt(index).isFlagged()) board.open(index, true);
            board.open(index, false);
            bool allSafeOpen = true;
            for (int i = 0; i < cells; ++i) allSafeOpen &= mines[i] || board.cellAt(i).isRevealed();
            ASSERT_EQ(board.isCleared(), allSafeOpen);
        }
        EXPECT_TRUE(board.isCleared());
        EXPECT_EQ(board.getRevealedCount(), board.getCellCount() - board.getMineCount());
    }
}

struct HugeFlood {
    Board* board;
    int result;
};

void* openTheWholeBoard(void* argument) {
    HugeFlood* flood = static_cast<HugeFlood*>(argument);
    flood->result = flood->board->open(0, false);
    return nullptr;
}

// A flood that recursed once per cell would need far more than this thread's 1 MiB stack.
TEST_F(BoardPlayTest, AMillionCellRegionOpensOnASmallStack) {
    SDL_Surface* tiny = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 8, 32, 0, 0, 0, 0);
    Board board(tiny, sheet);
    board.generate(0, 0, 1000, 1000, -1);
    HugeFlood flood{&board, -1};

    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 1 << 20);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, openTheWholeBoard, &flood), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);

    EXPECT_EQ(flood.result, OpenResult::Opened);
    EXPECT_EQ(board.getRevealedCount(), 1000000);
    EXPECT_TRUE(board.isCleared());
    SDL_FreeSurface(tiny);
}

}  // namespace
