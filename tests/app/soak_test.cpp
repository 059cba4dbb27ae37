// A long, random but seeded game: every kind of input the loop takes, anywhere on the
// screen, with the board's invariants, the text slot and the memory in use checked after
// every event. DUNMARROW_SOAK_EVENTS sets the length (10,000 by default; tools/soak.sh runs
// a million) and DUNMARROW_SOAK_SEED the seed.

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdlib>
#include <random>
#include <string>

#include "app/event_loop.h"
#include "board/board.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/loop_fixture.h"
#include "ui/menu_layout.h"

#if defined(__SANITIZE_ADDRESS__)
// From AddressSanitizer's runtime; GCC ships no header that declares it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

long environmentNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

// Bytes the program holds on the heap, SDL's surfaces and the board's cells included.
size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// Where the player's pointer tends to be: the buttons, the sliders, the board, or anywhere.
class RandomPlayer {
  public:
    explicit RandomPlayer(unsigned seed) : random(seed) {}

    SDL_Event next() {
        switch (pick(10)) {
            case 0:
            case 1:
            case 2:
                return motionEvent(pick(SCREEN_WIDTH), pick(SCREEN_HEIGHT), heldButtons());
            case 3:
                return dragAlongASlider();
            case 4:
                return pressAMenuButton();
            case 5:
            case 6:
            case 7:
                return releaseEvent(anyButton(), 100 + pick(600), 150 + pick(300));
            case 8:
                return keyEvent(pick(4) == 0 ? SDLK_SPACE : SDLK_ESCAPE);
            default:
                return releaseEvent(SDL_BUTTON_RIGHT, pick(SCREEN_WIDTH), pick(SCREEN_HEIGHT));
        }
    }

  private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }

    // Left, middle, right and both wheel directions.
    Uint8 anyButton() {
        static const Uint8 BUTTONS[] = {SDL_BUTTON_LEFT,    SDL_BUTTON_LEFT,
                                        SDL_BUTTON_RIGHT,   SDL_BUTTON_MIDDLE,
                                        SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN};
        return BUTTONS[pick(6)];
    }

    // Start mostly; Quit ends the loop, after which the run carries on as the tests do.
    SDL_Event pressAMenuButton() {
        return releaseEvent(anyButton(), 400, pick(4) == 0 ? 410 : 190);
    }

    Uint8 heldButtons() {
        const int choice = pick(4);
        if (choice == 0) return SDL_BUTTON(SDL_BUTTON_LEFT);
        if (choice == 1) return SDL_BUTTON(SDL_BUTTON_RIGHT);
        return 0;
    }

    SDL_Event dragAlongASlider() {
        static const HitArea TRACKS[] = {MINES_TRACK_AREA, ROWS_TRACK_AREA, COLS_TRACK_AREA};
        const HitArea& track = TRACKS[pick(3)];
        // A little past both ends and bands, where the drag must leave the slider alone.
        const int x = track.left - 5 + pick(track.right - track.left + 11);
        const int y = track.top - 2 + pick(track.bottom - track.top + 5);
        return motionEvent(x, y, SDL_BUTTON(SDL_BUTTON_LEFT));
    }

    std::mt19937 random;
};

// What must hold of the board whatever happened to it: a cell for every place of the layout,
// and counters that agree with the cells.
void expectBoardInvariants(const Board& board) {
    const int rows = board.getLayoutRows();
    const int cols = board.getLayoutCols();
    ASSERT_EQ(board.getCellCount(), rows * cols);
    int openedSafe = 0;
    int mines = 0;
    for (int index = 0; index < board.getCellCount(); ++index) {
        const Cell& cell = board.cellAt(index);
        ASSERT_FALSE(cell.isRevealed() && cell.isFlagged()) << "cell " << index;
        const int value = cell.getValue();
        ASSERT_TRUE(value >= 0 && value <= MINE_VALUE) << "cell " << index << " holds " << value;
        if (value == MINE_VALUE) ++mines;
        if (cell.isRevealed() && value != MINE_VALUE) ++openedSafe;
        // Every cell lies where its index says, on the board in play.
        ASSERT_EQ(cell.getX(), board.getLeft() + index % cols * TILE_SIZE) << "cell " << index;
        ASSERT_EQ(cell.getY(), board.getTop() + index / cols * TILE_SIZE) << "cell " << index;
    }
    ASSERT_EQ(board.getRevealedCount(), openedSafe);
    ASSERT_EQ(board.getMineCount(), mines);
}

class SoakTest : public LoopTest {
  protected:
    void TearDown() override {
        fakes::releaseSeeds();
        LoopTest::TearDown();
    }

    // Hands one event to the loop and lets it run until the queue is empty, as it would
    // between two inputs; a Quit press ends that run like any other.
    void feed(SDL_Event event) {
        ASSERT_EQ(SDL_PushEvent(&event), 0);
        SDL_Event stop{};
        stop.type = SDL_QUIT;
        ASSERT_EQ(SDL_PushEvent(&stop), 0);
        while (handleNextEvent(*state)) {
        }
        // A Quit press queued its own quit behind ours; take it away too.
        SDL_PumpEvents();
        SDL_Event left;
        while (SDL_PeepEvents(&left, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
        }
    }
};

TEST_F(SoakTest, LongRandomPlayKeepsTheBoardSoundAndMemoryFlat) {
    const long events = environmentNumber("DUNMARROW_SOAK_EVENTS", 10000);
    const unsigned seed = static_cast<unsigned>(environmentNumber("DUNMARROW_SOAK_SEED", 20261208));
    SCOPED_TRACE("seed " + std::to_string(seed) + " (DUNMARROW_SOAK_SEED)");
    fakes::fixSeeds(seed);
    startGame(false);
    play({});

    RandomPlayer player(seed);
    const Board& board = *AppState::board;
    // The heap is compared between the two halves of the run, after a first tenth that lets
    // every kind of screen and the largest boards come up once.
    const long warmUpEnd = events / 10;
    const long halfway = events / 2;
    size_t firstHalfPeak = 0;
    size_t secondHalfPeak = 0;
    long gamesStarted = 0;
    bool panelDrawn = false;
    long panelDraws = 0;
    for (long n = 0; n < events; ++n) {
        const SDL_Event event = player.next();
        const bool wasActive = state->boardActive;
        const bool hadGame = !state->noGameYet;
        fakes::startRecordingBlits();
        feed(event);
        for (const fakes::Blit& blit : fakes::stopRecordingBlits()) {
            if (blit.source == AppState::panelImage) {
                panelDrawn = true;
                ++panelDraws;
            }
        }
        if ((!wasActive && state->boardActive) || (!hadGame && !state->noGameYet)) ++gamesStarted;

        ASSERT_NO_FATAL_FAILURE(expectBoardInvariants(board)) << "after event " << n;
        if (panelDrawn) {
            ASSERT_EQ(fakes::liveTextSurfaces(), 1) << "after event " << n;
            ASSERT_NE(AppState::textSurface, nullptr) << "after event " << n;
        }
        if (n >= warmUpEnd && n < halfway) firstHalfPeak = std::max(firstHalfPeak, heapInUse());
        if (n >= halfway) secondHalfPeak = std::max(secondHalfPeak, heapInUse());
    }

    // The run did reach the parts it is meant to shake.
    EXPECT_GT(panelDraws, events / 100);
    EXPECT_GT(gamesStarted, events / 1000);
    // Nothing gathers from one event to the next: a text surface, a board or an event
    // kept for each would show here many times over.
    EXPECT_LE(secondHalfPeak, firstHalfPeak + 64 * 1024)
        << "the heap grew from " << firstHalfPeak << " to " << secondHalfPeak << " bytes";
}

}  // namespace
