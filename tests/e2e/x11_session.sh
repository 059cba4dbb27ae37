# Sourced by the end-to-end scripts: a private Xvfb display, the game under it, screenshots
# and pixel checks. Arguments of the scripts: GAME CLOSE_WINDOW SCREENSHOT_DIR. RUNNER, when
# set, is put before the game on its command line: "wine" plays the Windows build.
set -euo pipefail

GAME="$1"
CLOSE_WINDOW="$2"
SHOTS="$3"
FAKETIME_LIBRARY=$(dpkg -L libfaketime | grep '/libfaketime\.so\.1$')

source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/private_display.sh"

# start_display: a private display (of SCREEN_SIZE, WIDTHxHEIGHTxDEPTH, where that is set).
start_display() {
    [ -n "${DISPLAY_READY:-}" ] || start_private_display ${SCREEN_SIZE:-}
    trap '[ -n "${XVFB_PID:-}" ] && kill $XVFB_PID 2>/dev/null; [ -n "${GAME_PID:-}" ] && kill $GAME_PID 2>/dev/null || true' EXIT
}

# wait_for_window TITLE: prints the window's id, or fails after ten seconds.
wait_for_window() {
    timeout 10 xdotool search --sync --name "^$1\$" | head -n1
}

# start_game [OPTIONS...]: starts the game in the background, in GAME_DIR if that is set, else
# in GAME_HOME (its own folder, when it has one), else here; sets GAME_PID and WINDOW. With
# STOPPED_CLOCK set to a date and time, the game's clock stands still there (libfaketime).
start_game() { start_game_with "$GAME" "$@"; }

# start_game_with PROGRAM [OPTIONS...]: as start_game, with another program (a launcher).
start_game_with() {
    local program="$1"
    shift
    local clock=()
    [ -n "${STOPPED_CLOCK:-}" ] && clock=(env "LD_PRELOAD=$FAKETIME_LIBRARY"
        "FAKETIME=$STOPPED_CLOCK" DONT_FAKE_MONOTONIC=1)
    # shellcheck disable=SC2086
    (cd "${GAME_DIR:-${GAME_HOME:-.}}" && exec "${clock[@]}" ${RUNNER:-} "$program" "$@") &
    GAME_PID=$!
    WINDOW=$(wait_for_window Dunmarrow)
    [ -n "$WINDOW" ] || { fail "the window did not open"; return 1; }
    # Let SDL settle the window before the first event goes in.
    sleep 0.3
}

# wait_for_exit PID: sets EXIT_STATUS to the exit status, or "timeout" after ten seconds.
wait_for_exit() {
    local pid=$1
    EXIT_STATUS=timeout
    for _ in $(seq 100); do
        if ! kill -0 "$pid" 2>/dev/null; then
            EXIT_STATUS=0
            wait "$pid" || EXIT_STATUS=$?
            return
        fi
        sleep 0.1
    done
}

# window_is WIDTHxHEIGHT: the game's window has that size.
window_is() { xdotool getwindowgeometry "$WINDOW" | grep -q "Geometry: $1\$"; }

close_game() {
    "$CLOSE_WINDOW" Dunmarrow
    wait_for_exit "$GAME_PID"
    GAME_PID=
}

# settle: waits until the game has handled the input sent: its process asleep, its processor
# time unchanged over three looks a twentieth of a second apart (SDL wakes it a hundred times a
# second to look for events, which costs it nothing to count), or gone; at most ten seconds.
# On a loaded machine a fixed pause could look before the game had drawn.
settle() {
    local last="" now same=0
    for _ in $(seq 200); do
        sleep 0.05
        now=$(awk '{ print $3, $14 + $15 }' "/proc/${GAME_PID:-0}/stat" 2>/dev/null || echo gone)
        if [ "$now" = "$last" ] && [ "${now%% *}" != R ]; then
            same=$((same + 1))
            [ "$same" -ge 3 ] && return
        else
            same=0
        fi
        last=$now
    done
}

move() { xdotool mousemove --window "$WINDOW" "$1" "$2"; settle; }
click() { xdotool mousemove --window "$WINDOW" "$2" "$3" click "$1"; settle; }
key() { xdotool key --window "$WINDOW" "$1"; settle; }
# click_all BUTTON X Y [X Y...]: releases the button at each point in turn, as fast as they come
# (xdotool's own pause after each click, a tenth of a second, is left out).
click_all() {
    local button=$1 steps=()
    shift
    while [ $# -gt 1 ]; do
        steps+=(mousemove --window "$WINDOW" "$1" "$2" click --delay 0 "$button")
        shift 2
    done
    xdotool "${steps[@]}"
    settle
}
# drag X0 X1 Y: the left button held from X0 to X1 along row Y.
# The pauses let a game under Wine see the button held before the pointer moves on.
drag() {
    xdotool mousemove --window "$WINDOW" "$1" "$3" mousedown 1
    sleep 0.1
    xdotool mousemove --window "$WINDOW" "$2" "$3"
    sleep 0.1
    xdotool mouseup 1
    settle
}

# count_sounds: how many sounds the game has started, read from what SDL's disk audio driver
# wrote to SOUND_FILE, when the game was started with its sound going there (hear_sounds).
# Where the game's sound goes elsewhere, the window does not tell: "unknown".
# Under Wine the file is named as Windows names it, whichever drive the game runs on.
SOUND_FILE="$SHOTS/sound.raw"
HEARING=
hear_sounds() {
    local name="$SOUND_FILE"
    [ "${RUNNER:-}" = wine ] && name=$(winepath -w "$SOUND_FILE")
    export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$name"
    HEARING=$name
}
count_sounds() {
    if [ -n "$HEARING" ] && [ "${SDL_DISKAUDIOFILE:-}" = "$HEARING" ]; then
        python3 "$(dirname "${BASH_SOURCE[0]}")/count_sounds.py" "$SOUND_FILE"
    else
        echo unknown
    fi
}

# shot NAME: a screenshot of the game's window into the screenshot folder.
# (ImageMagick's x: reader takes the window's pixels as import does, in a third of its time.)
shot() {
    convert "x:$WINDOW" "$SHOTS/$1.png"
    LAST_SHOT="$SHOTS/$1.png"
}

