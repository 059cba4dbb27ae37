// What the costliest moments of play cost on the real screen, each beside the floor: one
// full-screen blit of the background onto the same screen, timed just before it. The
// "x_floor" column is the benchmark's time over the floor's.
//
// Runs the real start-up, so it needs a display and the game's files in the working
// directory: tools/bench.sh provides both.

#include <benchmark/benchmark.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/event_loop.h"
#include "app/lifecycle.h"
#include "app/screen_redraw.h"
#include "board/board.h"
#include "state/app_state.h"
#include "ui/background.h"
#include "ui/menu_layout.h"

namespace {

using Clock = std::chrono::steady_clock;

// The game's loop state, as the main function would hold it.
LoopState g_game;

// The largest board the sliders allow.
constexpr int MOST_ROWS = 20;
constexpr int MOST_COLS = 26;

template <typename Work>
double secondsOf(Work work) {
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The floor, timed afresh beside each benchmark: the median of 41 samples of 20 full-screen
// blits each, the background drawn as the game draws it (alpha switched on before the blit: a
// plain copy on the classic library, a blend on sdl12-compat). One slow sample cannot move a median
// of so many, and a machine that slows down between benchmarks slows the floor with them. (Timing a
// blit after every iteration instead would let it pay for the X server's or SDL2's own work that
// the iteration set off.)
double floorSeconds() {
    constexpr int SAMPLES = 41;
    constexpr int BLITS_PER_SAMPLE = 20;
    std::vector<double> samples;
    for (int sample = 0; sample < SAMPLES; ++sample) {
        samples.push_back(secondsOf([] {
                              for (int i = 0; i < BLITS_PER_SAMPLE; ++i) drawBackground();
                          }) /
                          BLITS_PER_SAMPLE);
    }
    std::nth_element(samples.begin(), samples.begin() + SAMPLES / 2, samples.end());
    return samples[SAMPLES / 2];
}

// Each benchmark times only the work itself, leaving out the set-up between iterations, and
// sets its time per iteration against the floor timed just before it.
struct WorkTimer {
    benchmark::State& state;
    // Off for the work that takes nanoseconds, a thousandth of a blit: there the ratio says
    // nothing.
    bool againstTheFloor = true;
    double floor = againstTheFloor ? floorSeconds() : 0;
    double totalSeconds = 0;

    template <typename Work>
    void time(Work work) {
        const double seconds = secondsOf(work);
        state.SetIterationTime(seconds);
        totalSeconds += seconds;
    }

    ~WorkTimer() {
        if (!againstTheFloor) return;
        const double perIteration = totalSeconds / static_cast<double>(state.iterations());
        state.counters["x_floor"] = perIteration / floor;
    }
};

void playGame(int rows, int cols, int minePercent) {
    Board& board = *AppState::board;
    board.setRows(rows);
    board.setCols(cols);
    board.setMinePercent(minePercent);
    g_game.menuShown = false;
    g_game.noGameYet = false;
    g_game.boardActive = true;
    startNewGame();
}

void showMenu() {
    g_game.menuShown = true;
    g_game.menuNeedsRedraw = false;
}

SDL_Event dragAlongRowsSlider(int x) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.state = SDL_BUTTON(SDL_BUTTON_LEFT);
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>((ROWS_TRACK_AREA.top + ROWS_TRACK_AREA.bottom) / 2);
    return event;
}

void floorBlit(benchmark::State& state) {
    WorkTimer timer{state};
    for (auto _ : state) timer.time(drawBackground);
}

// A slider drag repaints the whole menu screen: background, the game behind the menu if
// there is one, the panel with its six texts and both buttons. Arg: whether a game of the
// largest size is in play behind the menu.
void sliderDrag(benchmark::State& state) {
    if (state.range(0)) {
        playGame(MOST_ROWS, MOST_COLS, 20);
    } else {
        g_game.noGameYet = true;
    }
    showMenu();
    WorkTimer timer{state};
    int step = 0;
    for (auto _ : state) {
        // Along the track and back to its start, so the number shown keeps changing.
        const int x =
            ROWS_TRACK_AREA.left + step++ % (ROWS_TRACK_AREA.right - ROWS_TRACK_AREA.left);
        const SDL_Event drag = dragAlongRowsSlider(x);
        timer.time([&] { handleEvent(g_game, drag); });
    }
}

// Start on the largest board: the background, a fresh layout and every cell drawn.
void newGame(benchmark::State& state) {
    WorkTimer timer{state};
    for (auto _ : state) timer.time([] { playGame(MOST_ROWS, MOST_COLS, 20); });
}

// One click on a board without mines: the flood opens and draws every cell.
void floodWholeBoard(benchmark::State& state) {
    Board& board = *AppState::board;
    WorkTimer timer{state};
    for (auto _ : state) {
        // Below zero, since even 0 % lays a mine wherever the die shows 0.
        playGame(MOST_ROWS, MOST_COLS, -1);
        timer.time([&] { benchmark::DoNotOptimize(board.open(0, false)); });
    }
}

// The win test that follows every opening click. It takes about a nanosecond, less than the
// clock itself, so an iteration is a run of calls (the argument) timed together.
void winTest(benchmark::State& state) {
    playGame(MOST_ROWS, MOST_COLS, 20);
    const Board& board = *AppState::board;
    const int64_t calls = state.range(0);
    WorkTimer timer{state, false};
    for (auto _ : state) {
        timer.time([&] {
            for (int64_t i = 0; i < calls; ++i) benchmark::DoNotOptimize(board.isCleared());
        });
    }
    state.SetItemsProcessed(state.iterations() * calls);
}

// Opening one numbered cell: no flood, one cell drawn. Each cell opens once, so the board
// is laid out again (untimed) when its numbered cells run out.
void singleCellOpen(benchmark::State& state) {
    Board& board = *AppState::board;
    std::vector<int> numbered;
    WorkTimer timer{state, false};
    for (auto _ : state) {
        if (numbered.empty()) {
            playGame(MOST_ROWS, MOST_COLS, 20);
            for (int i = 0; i < board.getCellCount(); ++i) {
                const Cell& cell = board.cellAt(i);
                if (cell.getValue() > 0 && cell.getValue() < MINE_VALUE) numbered.push_back(i);
            }
        }
        const int index = numbered.back();
        numbered.pop_back();
        timer.time([&] { benchmark::DoNotOptimize(board.open(index, false)); });
    }
}

}  // namespace

BENCHMARK(floorBlit)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(sliderDrag)
    ->ArgName("game_behind")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(newGame)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(floodWholeBoard)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(winTest)->ArgName("calls")->Arg(1000)->UseManualTime();
BENCHMARK(singleCellOpen)->UseManualTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // The drawing does not depend on sound; leaving it off keeps the audio device out of it.
    g_game.soundOn = false;
    startUp(g_game);
    std::printf("Screen: %dx%d, %d bits per pixel\n", AppState::screen->w, AppState::screen->h,
                AppState::screen->format->BitsPerPixel);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    shutDown(g_game);
    return 0;
}
