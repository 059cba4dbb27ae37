# Sourced by play_in_browser.sh: the whole game by keyboard alone, the browser's own keys, focus
# that shows, slider keys exact at every scale, and the game as a screen reader meets it.

# The whole game by keyboard alone: the menu by its highlight, the board by its cursor, a win
# and a loss each followed by the next game, and no trap: Tab leaves the game for the bar and
# comes back, and Enter presses a control. A screen reader reads each control, slider and cell
# as the focus reaches it, and hears what happens. (In a window with room for the bar beside the
# game; the pointer only rests on the page, where X gives a window without a window manager the
# keys.)
browser viewport 1280 600 1 >/dev/null
start_game -nosound
move 5 5
said() { browser text said; }
check "the game has the keyboard from the start" [ "$(browser focused)" = game ]
check "and shows it has" [ "$(browser ms 'document.getElementById("game").classList.contains("focused")')" = true ]
check "the help tells of the keys" grep -q "Keys: arrows move, Enter opens, Space flags" \
    <<<"$(browser text help)"
check "a screen reader reads Start first" [ "$(browser reader)" = "button Start" ]
key ArrowDown
check "then the mines' slider, named and valued as the game shows it" \
    [ "$(browser reader)" = "slider Number of mines: 20" ]
check "its value in the game's words" \
    [ "$(browser ms 'document.getElementById("reader-mines").getAttribute("aria-valuetext")')" = "20%" ]
key ArrowLeft 20
check "its value kept in step with the game" [ "$(browser reader)" = "slider Number of mines: 0" ]
key ArrowDown
check "then Size X" [ "$(browser reader)" = "slider Size X: 10" ]
key ArrowLeft 9
key ArrowDown
key ArrowLeft 9
check "and Size Y, moved by keys" [ "$(browser reader)" = "slider Size Y: 1" ]
shot keys-menu
page_shot keys-menu-page
check "by keys the sliders go to 0 %, 1 row and 1 column" \
    [ "$(for xy in "325 250" "329 300" "328 350"; do shows "$LAST_SHOT" $xy "$MENU" 321 5 && echo y; done | wc -l)" = 3 ]
check "with the highlight on the last slider" [ "$(browser ms 'document.getElementById("mark").hidden')" = false ]
key ArrowUp 3
open_the_cell() { key Enter; }
deal_again() { key Space; }
key Enter
shot keys-start
check "Enter on Start deals the board" shows "$LAST_SHOT" 400 300 "$SPRITES" 15 15
check "a screen reader hears the new game" grep -q "^A new game: 1 row of 1," <<<"$(said)"
check "and reads the cursor's cell" [ "$(browser reader)" = "gridcell Row 1, column 1: covered" ]
open_single_cell_until keys-win "$WIN" 200 30 400 282
check "a win by keyboard" [ "$OUTCOME" = yes ]
check "which a screen reader hears" grep -q "you win" <<<"$(said)"
key Space
key Escape
key ArrowDown
key ArrowRight 91
key ArrowUp
key Enter
open_single_cell_until keys-loss "$SPRITES" 315 15 400 300
check "a loss by keyboard" [ "$OUTCOME" = yes ]
check "which a screen reader hears" grep -q "The game is lost" <<<"$(said)"
check "reading the mine" [ "$(browser reader)" = "gridcell Row 1, column 1: mine" ]
key Space
shot keys-next
check "and Space deals the next game" shows "$LAST_SHOT" 400 300 "$SPRITES" 15 15
# (WebKit's X input has no key held long enough to repeat.)
if [ "$ENGINE" != webkit ]; then
    browser key_held Space >/dev/null
    shot keys-held
    check "Space held down flags once, never twice" shows "$LAST_SHOT" 400 300 "$SPRITES" 345 15
    check "a flag a screen reader hears" [ "$(said)" = "Flag set on row 1, column 1." ]
fi
key Tab
check "Tab leaves the game for the bar" [ "$(browser focused)" = menu ]
check "and the game no longer shows the focus" [ "$(browser ms 'document.getElementById("game").classList.contains("focused")')" = false ]
key Enter
shot keys-menu-control
check "where Enter presses Menu, which shows the menu" shows "$LAST_SHOT" 345 190 "$MENU" 12 14
check "and gives the keys back to the game" [ "$(browser focused)" = game ]
key Tab
page_shot keys-tab-page
key Shift+Tab
check "Shift+Tab comes back to the game from the bar" [ "$(browser focused)" = game ]
check "the game is one stop in the Tab order, then the bar's controls" \
    grep -qx "reader-[a-z]* menu\( fullscreen\)\? A" <<<"$(browser tab_stops)"
key Escape
shot keys-escape
check "where Escape goes to the game" isnt shows "$LAST_SHOT" 345 190 "$MENU" 12 14

# A board by keys, as a screen reader meets it: the grid, the cursor's cell after a move, a
# flag set and taken off, a cell opened.
start_game -nosound
key Enter
check "the board is a grid of its rows and columns" \
    [ "$(browser ms '(() => { const g = document.querySelector("#reader [role=grid]"); return [g.getAttribute("aria-label"), g.querySelectorAll("[role=row]").length, g.querySelectorAll("[role=gridcell]").length].join(); })()')" = "The board,10,100" ]
check "the cursor starts on its middle cell" [ "$(browser reader)" = "gridcell Row 5, column 5: covered" ]
key ArrowRight
check "and a move reads the next" [ "$(browser reader)" = "gridcell Row 5, column 6: covered" ]
key Space
check "a flag set is heard" [ "$(said)" = "Flag set on row 5, column 6." ]
check "and read on its cell" [ "$(browser reader)" = "gridcell Row 5, column 6: flagged" ]
key Space
check "and taken off" [ "$(said)" = "Flag taken off row 5, column 6." ]
key Enter
check "a cell opened is heard" grep -q "^Opened row 5, column 6: \|cells opened\|The game is lost" <<<"$(said)"
check "and read as it shows" isnt grep -q "covered\|flagged" <<<"$(browser reader)"

# The browser keeps its own keys: the page takes only the keys it plays the game with (here
# Escape and the arrows, which it takes), never one held with Ctrl, Alt, Meta or Shift, nor a
# function key. KEYS, then what becomes of them. (WebKit's keys are real X input, which its
# window would act on: there only keys it has no use for.)
while read -r keys wanted engines; do
    [ "$engines" = all ] || [ "$ENGINE" != webkit ] || continue
    check "$keys: $wanted" [ "$(browser key_default "$keys")" = "$wanted" ]
done <<'KEYS'
ArrowUp prevented all
F5 kept puppeteer
Control+r kept puppeteer
Control+Equal kept puppeteer
Control+Minus kept puppeteer
Control+0 kept puppeteer
Control+f kept puppeteer
Control+l kept puppeteer
Alt+ArrowLeft kept puppeteer
Control+Shift+I kept puppeteer
F12 kept puppeteer
Control kept all
F2 kept all
Shift+ArrowDown kept all
Control+ArrowLeft kept all
q kept all
KEYS

# Slider keys exact at any scale: each press moves its slider by one. WIDTH HEIGHT RATIO.
while read -r width height ratio; do
    [ "$ENGINE" = webkit ] && [ "$ratio" != 1 ] && continue
    browser viewport "$width" "$height" "$ratio" >/dev/null
    start_game -nosound
    key ArrowDown 2
    key ArrowRight 3
    key ArrowDown
    key ArrowLeft 2
    check "$width x $height at $ratio: three Rights on Size X, two Lefts on Size Y" \
        [ "$(browser ms '["rows", "cols"].map((n) => document.getElementById("reader-" + n).getAttribute("aria-valuenow")).join(" ")')" = "13 8" ]
done <<'SCALES'
1000 700 1
1280 800 1.5
1111 777 1.25
SCALES
browser viewport 800 600 1 >/dev/null
