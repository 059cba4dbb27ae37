#!/usr/bin/env bash
# The web build's figures, in headless Chromium on the loopback: the bytes a player downloads
# as a web server sends them (gzip); the time from opening the page in a browser just started
# to the game's background, beside the same for tools/minimal_screen.cpp (a program built as
# the game is that only fills its screen), the two taking turns; the time to the menu in a
# browser already running; the main thread's work while the game waits on its menu; and the cost of one
# slider-drag event over a 20 x 26 game. RUNS chooses how often each is taken (5; the first
# visits 2 x RUNS + 1).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
install_packages "${WEB_TEST_PACKAGES[@]}"
tools/web.sh >/dev/null
install_browser_driver
SITE=$(ls -d build-web/dunmarrow-*-web/)
set -- "$SITE" build-web/bench
source tests/e2e/web_session.sh
start_display
RUNS=${RUNS:-5}

total=0
cd "$SITE"
for file in index.html page/*.js page.*.css dunmarrow.*.js dunmarrow.*.wasm gfx/*.png sfx/*.wav \
    fonts/vera.*.ttf icon.png; do
    bytes=$(gzip -9c "$file" | wc -c)
    printf '%-24s %8d bytes gzipped (%d as stored)\n' "$file" "$bytes" "$(stat -c %s "$file")"
    total=$((total + bytes))
done
cd - >/dev/null
echo "download, gzipped: $total bytes"

# median: the middle of the numbers on standard input.
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
serve "$(pwd)/build-web/minimal"
MINIMAL_URL=$SERVED_URL
games=() minimals=()
for run in $(seq $((2 * RUNS + 1))); do
    games+=("$(browser first_visit_ms "$SITE_URL" 100 500)")
    minimals+=("$(browser first_visit_ms "$MINIMAL_URL" 100 500)")
    printf 'first visit %d: the game %.0f ms, the minimal screen %.0f ms\n' "$run" \
        "${games[-1]}" "${minimals[-1]}"
done
game=$(printf '%s\n' "${games[@]}" | median)
minimal=$(printf '%s\n' "${minimals[@]}" | median)
printf 'first visit, medians: the game %.0f ms, the minimal screen %.0f ms, ratio %.2f\n' \
    "$game" "$minimal" "$(echo "$game / $minimal" | bc -l)"

# In the same browser, with nothing cached: the menu comes with the first picture, before any
# input.
for run in $(seq "$RUNS"); do
    printf 'run %d: page opened to the menu drawn %.0f ms\n' "$run" "$(browser drawn_ms 345 190)"
done

start_game
move 5 5
# Past the start's own work (the font, the first drawing), the game only waits.
sleep 2
for run in $(seq "$RUNS"); do
    before=$(browser busy_ms)
    sleep 5
    after=$(browser busy_ms)
    printf 'idle on the menu, main thread: %.2f ms a second\n' "$(echo "($after - $before) / 5" | bc -l)"
done

drag 330 410 300
drag 330 411 350
click 1 400 190
key Escape
for run in $(seq "$RUNS"); do
    before=$(browser busy_ms)
    browser drag_back_and_forth 200 250 >/dev/null
    after=$(browser busy_ms)
    printf 'a slider drag over a 20 x 26 game: %.2f ms an event\n' \
        "$(echo "($after - $before) / 200" | bc -l)"
done
