# Sourced by the end-to-end scripts once a game has started, on the desktop or in the browser:
# the menu, hover, the sliders, Start, flagging, opening, Escape both ways, a win, a loss, a
# new game, boards of several sizes, a win on a board with mines, and Quit. The session
# script gives the inputs (move, click, key, drag), the screenshots and count_sounds.

# The first event draws the menu; the pointer then leaves Start and comes back to it.
move 5 5
shot menu
check "the menu shows Start" shows "$LAST_SHOT" 345 190 "$MENU" 12 14
check "the menu shows Quit" shows "$LAST_SHOT" 373 410 "$MENU" 142 16
check "the background shows outside the panel" shows "$LAST_SHOT" 100 500 "$BACK" 100 500
move 400 190
shot hover-start
check "hovering highlights Start" shows "$LAST_SHOT" 345 190 "$MENU" 338 14
move 400 410
shot hover-quit
check "hovering highlights Quit instead" shows "$LAST_SHOT" 373 410 "$MENU" 470 16
check "Start is normal again" shows "$LAST_SHOT" 345 190 "$MENU" 12 14

# Drag the rows slider to 4: the knob follows.
drag 340 338 300
shot slider
check "the rows knob stands at 4 rows" shows "$LAST_SHOT" 343 300 "$MENU" 321 5
# And the columns slider to 12 and back to 10: the knob follows both ways.
drag 340 362 350
shot slider-columns
check "the columns knob stands at 12 columns" shows "$LAST_SHOT" 367 350 "$MENU" 321 5
drag 340 355 350
shot slider-columns-back
check "and back at 10" shows "$LAST_SHOT" 360 350 "$MENU" 321 5
check "having left 12" isnt shows "$LAST_SHOT" 367 350 "$MENU" 321 5

# Start a 4 x 10 game.
click 1 400 190
shot game-start
# 4 rows, 10 columns: top 240, left 250.
check "the new board is covered" shows "$LAST_SHOT" 265 255 "$SPRITES" 15 15
check "the board is centred" shows "$LAST_SHOT" 249 255 "$BACK" 249 255

# A flag on the top-left cell, which a left click cannot open, then taken off again.
SOUNDS=$(count_sounds)
click 3 265 255
shot flag
check "right click sets a flag" shows "$LAST_SHOT" 265 255 "$SPRITES" 345 15
click 1 265 255
shot flag-kept
check "a left click leaves the flagged cell shut" shows "$LAST_SHOT" 265 255 "$SPRITES" 345 15
sounds_since "$SOUNDS" 1 "the flag"
click 3 265 255
shot unflag
check "a second right click takes it off" shows "$LAST_SHOT" 265 255 "$SPRITES" 15 15

# Open the bottom-right cell: whatever it holds, it is no longer covered.
SOUNDS=$(count_sounds)
click 1 535 345
shot opened
OPENED="$LAST_SHOT"
check "left click opens the cell" isnt shows "$LAST_SHOT" 535 345 "$SPRITES" 15 15
sounds_since "$SOUNDS" 1 "the opening"

# Escape shows the menu over the game and hides it again.
key Escape
shot escape-menu
check "Escape shows the menu" shows "$LAST_SHOT" 345 190 "$MENU" 12 14
key Escape
shot escape-back
check "Escape hides it again, leaving the board as it was" \
    same_picture "$LAST_SHOT" "$OPENED"

# A win: one cell and no share of mines (a mine still turns up in one game of a hundred).
key Escape
drag 330 320 250
drag 330 325 300
drag 330 324 350
click 1 400 190
# An opaque pixel of the win picture's title: the picture, 400 x 96, lands at (200, 252).
open_single_cell_until win "$WIN" 200 30 400 282
check "opening every safe cell shows the win picture" [ "$OUTCOME" = yes ]

# A right release anywhere starts the next game.
click 3 10 10
shot new-game
check "a right click after the end deals a new board" shows "$LAST_SHOT" 400 300 "$SPRITES" 15 15

# A loss: one cell, 91 % mines.
key Escape
drag 330 411 250
click 1 400 190
open_single_cell_until loss "$SPRITES" 315 15 400 300
check "opening a mine shows it" [ "$OUTCOME" = yes ]
LOSS="$LAST_SHOT"
click 1 400 300
shot after-loss
check "left clicks do nothing once the game is lost" same_picture "$LAST_SHOT" "$LOSS"

# Boards of the sizes a player meets, to look at: no word on the background is ever cut.
# set_sliders PERCENT_X ROWS_X COLS_X: the pointer's columns on the three tracks.
set_sliders() {
    drag 330 "$1" 250
    drag 330 "$2" 300
    drag 330 "$3" 350
}
# laid_out NAME ROWS COLS LEFT TOP: the board in the last screenshot, still covered, spans
# exactly its rectangle: covered at both of its corners, background just past its far edges.
laid_out() {
    local right=$(($4 + $3 * 30)) bottom=$(($5 + $2 * 30))
    check "a $1 board lies at ($4, $5)" shows "$LAST_SHOT" $(($4 + 15)) $(($5 + 15)) "$SPRITES" 15 15
    check "and ends at ($right, $bottom)" \
        shows "$LAST_SHOT" $((right - 15)) $((bottom - 15)) "$SPRITES" 15 15
    if [ "$right" -lt 800 ]; then
        check "with nothing of it right of $right" \
            shows "$LAST_SHOT" "$right" $((bottom - 15)) "$BACK" "$right" $((bottom - 15))
    fi
    if [ "$bottom" -lt 600 ]; then
        check "nor below $bottom" \
            shows "$LAST_SHOT" $((right - 15)) "$bottom" "$BACK" $((right - 15)) "$bottom"
    fi
}
# 10 x 10 at 20 %, then every cell opened from the top-left, in one go: a mine goes off on
# the way (at 20 % a board without one turns up once in some five billion deals), and the
# cells after it stay as they were.
key Escape
set_sliders 340 365 355
click 1 400 190
shot board-10x10
laid_out "10 x 10" 10 10 250 150
CELLS=()
for cell in $(seq 0 99); do CELLS+=($((265 + cell % 10 * 30)) $((165 + cell / 10 * 30))); done
click_all 1 "${CELLS[@]}"
shot board-10x10-loss
check "opening every cell of a 10 x 10 board at 20 % sets a mine off" \
    shows_anywhere "$LAST_SHOT" "$SPRITES" 315 15 "${CELLS[@]}"
for size in "18 8 401 348 280 30" "20 26 410 411 10 0"; do
    read -r rows cols rows_x cols_x left top <<<"$size"
    name="${rows}x$cols"
    key Escape
    set_sliders 340 "$rows_x" "$cols_x"
    click 1 400 190
    # Looked at while still covered: an opening may flood up to the corners that are checked.
    shot "board-$name"
    laid_out "$rows x $cols" "$rows" "$cols" "$left" "$top"
    click 1 $((left + 15 + 30 * 3)) $((top + 15 + 30 * 2))
    shot "board-$name-opened"
done

close_game

# A win on a 6 x 6 board with mines. The game deals from the clock's whole second, so on a
# clock that stands still every deal is the same board: each mine that goes off is
# remembered, and the next deal opens every other cell, until the board is won.
STOPPED_CLOCK="2026-12-08 12:00:00" start_game
move 5 5
set_sliders 330 347 341
click 1 400 190
CENTRES=()
for cell in $(seq 0 35); do CENTRES+=($((325 + cell % 6 * 30)) $((225 + cell / 6 * 30))); done
MINE_COLOUR=$(rgb "$SPRITES" 315 15)
MINES=" "
WON_WITH_MINES=no
for deal in $(seq 37); do
    cells=()
    for cell in $(seq 0 35); do
        [[ "$MINES" == *" $cell "* ]] || cells+=("${CENTRES[@]:cell * 2:2}")
    done
    click_all 1 "${cells[@]}"
    shot "win-6x6-deal-$deal"
    if shows "$LAST_SHOT" 400 282 "$WIN" 200 30; then
        [ "$MINES" != " " ] && WON_WITH_MINES=yes
        break
    fi
    cell=0
    while read -r colour; do
        if same_colour "$colour" "$MINE_COLOUR"; then
            MINES+="$cell "
            break
        fi
        cell=$((cell + 1))
    done < <(rgb_all "$LAST_SHOT" "${CENTRES[@]}")
    click 3 10 10
done
check "a 6 x 6 board with mines (${MINES# }) is won" [ "$WON_WITH_MINES" = yes ]

close_game

start_game -nosound
move 5 5
click 1 400 410
wait_for_exit "$GAME_PID"
GAME_PID=
check "Quit ends the game with status 0" [ "$EXIT_STATUS" = 0 ]
