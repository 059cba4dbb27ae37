// How long a layout, a flood and a full redraw take, and how much a cell weighs.

#include <benchmark/benchmark.h>

#include <SDL.h>

#include "board/board.h"

namespace {

SDL_Surface* makeSurface(int width, int height) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0xFF00, 0xFF, 0);
}

// The largest board the sliders allow, and a far larger one laid out through the setters.
void layOutBoard(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const int cols = static_cast<int>(state.range(1));
    SDL_Surface* screen = makeSurface(8, 8);
    SDL_Surface* sheet = makeSurface(360, 30);
    for (auto _ : state) {
        Board board(screen, sheet);
        board.generate(0, 0, rows, cols, 20);
        benchmark::DoNotOptimize(board.getMineCount());
    }
    state.SetItemsProcessed(state.iterations() * rows * cols);
    state.counters["bytes_per_cell"] = sizeof(Cell);
    SDL_FreeSurface(sheet);
    SDL_FreeSurface(screen);
}
BENCHMARK(layOutBoard)->Args({20, 26})->Args({1000, 1000})->Unit(benchmark::kMicrosecond);

// One click that opens a whole board without mines: the flood at its longest.
void floodWholeBoard(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    SDL_Surface* screen = makeSurface(8, 8);
    SDL_Surface* sheet = makeSurface(360, 30);
    for (auto _ : state) {
        state.PauseTiming();
        Board board(screen, sheet);
        board.generate(0, 0, side, side, -1);
        state.ResumeTiming();
        benchmark::DoNotOptimize(board.open(0, false));
    }
    state.SetItemsProcessed(state.iterations() * side * side);
    SDL_FreeSurface(sheet);
    SDL_FreeSurface(screen);
}
BENCHMARK(floodWholeBoard)->Arg(20)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Every cell of the largest slider board drawn onto an 800 x 600 screen, as each menu
// redraw over a game does.
void drawWholeBoard(benchmark::State& state) {
    SDL_Surface* screen = makeSurface(800, 600);
    SDL_Surface* sheet = makeSurface(360, 30);
    Board board(screen, sheet);
    board.generate(0, 10, 20, 26, 20);
    for (auto _ : state) board.drawAll();
    state.SetItemsProcessed(state.iterations() * board.getCellCount());
    SDL_FreeSurface(sheet);
    SDL_FreeSurface(screen);
}
BENCHMARK(drawWholeBoard)->Unit(benchmark::kMicrosecond);

}  // namespace
