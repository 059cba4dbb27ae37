#!/usr/bin/env bash
# Builds the benchmarks with optimisation and runs them on a private Xvfb display: the
# board's rules, the real drawing against a full-screen blit, the game's cost while it waits
# for the player, and the start-up time against a minimal SDL program. The drawing and the
# idle cost are measured on the classic SDL 1.2 and again on sdl12-compat. Options go to
# both Google Benchmark programs (for example --benchmark_filter=sliderDrag); STARTUP_RUNS
# sets how often each program starts (21), IDLE_SECONDS how long the idle game is watched
# (10).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
install_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}" libsdl1.2-compat
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DDUNMARROW_TESTS=OFF -DDUNMARROW_BENCHMARKS=ON >/dev/null
cmake --build build-bench -j "$(nproc)" -- --no-print-directory >/dev/null
BIN=build-bench/bench

source tools/private_display.sh
start_private_display
trap 'kill $XVFB_PID 2>/dev/null || true' EXIT

echo "== The board's rules"
"$BIN/board_bench" "$@"
echo
COMPAT_DIR=$(dirname "$(dpkg -L libsdl1.2-compat | grep '/libSDL-1\.2\.so\.0$')")

# idle_cost: the processor time the game takes, in milliseconds a second, while it sits on
# its menu waiting for the player.
idle_cost() {
    build-bench/dunmarrow -nosound &
    local pid=$! before after
    sleep 2
    before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep "${IDLE_SECONDS:-10}"
    after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "idle: $(((after - before) * 1000 / $(getconf CLK_TCK) / ${IDLE_SECONDS:-10})) ms of processor time a second"
}

for library in classic sdl12-compat; do
    library_path=
    [ "$library" = sdl12-compat ] && library_path="$COMPAT_DIR"
    echo "== Drawing on the real screen, $library (x_floor: times one full-screen blit)"
    LD_LIBRARY_PATH="$library_path" "$BIN/draw_bench" "$@"
    LD_LIBRARY_PATH="$library_path" idle_cost
    echo
done
echo "== Start-up, from exec to the window mapped (x_first: times the minimal SDL program)"
# The game's audio finds no device here; its messages about that are not the point.
"$BIN/startup_timer" "${STARTUP_RUNS:-21}" . "$BIN/minimal_window" \
    -- build-bench/dunmarrow -- build-bench/dunmarrow -nosound \
    -- "$BIN/minimal_window_game_libraries" 2>/dev/null
echo
echo "== The web build in headless Chromium"
tools/bench_web.sh
