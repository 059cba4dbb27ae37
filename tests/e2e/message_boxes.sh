#!/usr/bin/env bash
# With a display, the error boxes are real windows; the game ends once they are dismissed.
source "$(dirname "$0")/x11_session.sh"
start_display

# dismiss_box TITLE SHOT: waits for the box, photographs it and presses its button; then
# waits for the game to end and sets EXIT_STATUS.
dismiss_box() {
    local box
    box=$(wait_for_window "$1" || true)
    EXIT_STATUS="no box"
    [ -n "$box" ] || return 0
    sleep 0.3
    import -window "$box" "$SHOTS/$2.png"
    # The game's window may keep the keyboard focus (it does on sdl12-compat): give it to the
    # box, so that Return reaches its button.
    xdotool windowfocus "$box" mousemove --window "$box" 5 5 key Return
    wait_for_exit "$GAME_PID"
}

# shellcheck disable=SC2086
${RUNNER:-} "$GAME" -nosound -nosound 2>/dev/null &
GAME_PID=$!
dismiss_box "What are you doing\\?" refused
check "a refused command line shows its box and ends with status 2" [ "$EXIT_STATUS" = 2 ]

scratch=$(mktemp -d)
cp -r gfx sfx fonts "$scratch"
rm "$scratch/gfx/win.png"
# shellcheck disable=SC2086
(cd "$scratch" && exec ${RUNNER:-} "$GAME" -nosound 2>/dev/null) &
GAME_PID=$!
dismiss_box "Error!" missing-picture
check "a missing picture shows the error box and ends with status 1" [ "$EXIT_STATUS" = 1 ]
rm -rf "$scratch"
finish
