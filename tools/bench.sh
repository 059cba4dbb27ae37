#!/usr/bin/env bash
# Builds the benchmarks with optimisation and runs them on a private Xvfb display: the
# board's rules, the real drawing against a full-screen blit, and the start-up time against
# a minimal SDL program. Options go to both Google Benchmark programs (for example
# --benchmark_filter=sliderDrag); STARTUP_RUNS sets how often each program starts (21).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
install_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DDUNMARROW_TESTS=OFF -DDUNMARROW_BENCHMARKS=ON >/dev/null
cmake --build build-bench -j "$(nproc)" -- --no-print-directory >/dev/null
BIN=build-bench/bench

source tools/private_display.sh
start_private_display
trap 'kill $XVFB_PID 2>/dev/null || true' EXIT

echo "== The board's rules"
"$BIN/board_bench" "$@"
echo
echo "== Drawing on the real screen (x_floor: times one full-screen blit of the background)"
"$BIN/draw_bench" "$@"
echo
echo "== Start-up, from exec to the window mapped (x_first: times the minimal SDL program)"
# The game's audio finds no device here; its messages about that are not the point.
"$BIN/startup_timer" "${STARTUP_RUNS:-21}" . "$BIN/minimal_window" \
    -- build-bench/dunmarrow -- build-bench/dunmarrow -nosound \
    -- "$BIN/minimal_window_game_libraries" 2>/dev/null
