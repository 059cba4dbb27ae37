#!/usr/bin/env bash
# A scripted session of the real game under valgrind's memcheck, in a real window: the menu,
# a slider, Start, a flag, an opening, Escape both ways, a new game, and closing the window.
# Nothing may be lost, read or written amiss; tests/e2e/memcheck.supp lists the little that
# SDL and libX11 keep by design.
source "$(dirname "$0")/x11_session.sh"
start_display
SUPPRESSIONS="$(dirname "$0")/memcheck.supp"
LOG="$SHOTS/memcheck.log"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null

# The game runs some twenty times slower under valgrind.
settle() { sleep 1; }
wait_for_window() { timeout 90 xdotool search --sync --name "^$1\$" | head -n1; }

# Only the game's own process is judged: anything it forks stays silent, and the log is the
# one named after the game's process id.
rm -f "$LOG" "$LOG".*
valgrind --child-silent-after-fork=yes --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect --error-exitcode=99 --num-callers=30 \
    --suppressions="$SUPPRESSIONS" --log-file="$LOG.%p" "$GAME" &
GAME_PID=$!
ln -s "$(basename "$LOG").$GAME_PID" "$LOG"
WINDOW=$(wait_for_window Dunmarrow)
[ -n "$WINDOW" ] || { fail "the window did not open"; finish; }
# Wait until the game answers: the first motion it reads draws the menu.
for _ in $(seq 60); do
    move 5 5
    shot memcheck-menu
    shows "$LAST_SHOT" 345 190 gfx/menu.png 12 14 && break
done
move 400 190
drag 340 338 300
click 1 400 190
click 3 265 255
click 1 535 345
key Escape
key Escape
click 3 10 10
# The game may still be catching up under valgrind.
for _ in $(seq 30); do
    shot memcheck-session
    isnt shows "$LAST_SHOT" 345 190 gfx/menu.png 12 14 && break
    settle
done
check "the session ends in a game" isnt shows "$LAST_SHOT" 345 190 gfx/menu.png 12 14

"$CLOSE_WINDOW" Dunmarrow
EXIT_STATUS=0
wait "$GAME_PID" || EXIT_STATUS=$?
GAME_PID=
check "the game under memcheck ends with status 0 (99: memcheck found errors)" \
    [ "$EXIT_STATUS" = 0 ]
check "memcheck reports no error" grep -q "ERROR SUMMARY: 0 errors" "$LOG"
check "no memory is definitely lost" isnt grep -qE "definitely lost: [1-9]" "$LOG"
check "no memory is indirectly lost" isnt grep -qE "indirectly lost: [1-9]" "$LOG"
[ "$FAILURES" -eq 0 ] || cat "$LOG"
finish
