#!/usr/bin/env bash
# Plays the real game in a real window: every way of starting it and closing its window,
# with and without sound, then the whole session of scenario.sh.
source "$(dirname "$0")/x11_session.sh"
start_display

# Every option form starts the game, and closing the window ends it with status 0.
for options in "" "-nosound" "-software" "-nosound -software" "-software -nosound"; do
    # shellcheck disable=SC2086
    start_game $options
    close_game
    check "'$options' starts and closes with status 0" [ "$EXIT_STATUS" = 0 ]
done

# In a folder of its own, with SDL's disk audio writing to a file there: the file shows
# whether audio started.
GAME_DIR=$(mktemp -d)
cp -r gfx sfx fonts "$GAME_DIR"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$GAME_DIR/audio.raw"

rm "$GAME_DIR"/sfx/*.wav
start_game -nosound
close_game
check "without sound, missing sound files do no harm" [ "$EXIT_STATUS" = 0 ]
check "without sound, no audio starts" [ ! -e "$SDL_DISKAUDIOFILE" ]

cp sfx/mvstn.wav sfx/explosion.wav "$GAME_DIR/sfx"
start_game
close_game
check "with sound, a missing sound file does no harm" [ "$EXIT_STATUS" = 0 ]
check "with sound, audio starts" [ -e "$SDL_DISKAUDIOFILE" ]
rm -rf "$GAME_DIR"
unset GAME_DIR
# From here on the sounds go to a file, where the scenario counts them.
hear_sounds

start_game
check "the window is 800 x 600" \
    bash -c "xdotool getwindowgeometry '$WINDOW' | grep -q 'Geometry: 800x600'"
check "the window is titled Dunmarrow" [ "$(xdotool getwindowname "$WINDOW")" = Dunmarrow ]

source "$(dirname "$0")/scenario.sh"
finish
