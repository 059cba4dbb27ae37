# Sourced by play_in_browser.sh: the whole game by keyboard alone.

# The whole game by keyboard alone: the menu by its highlight, the board by its cursor, a win
# and a loss each followed by the next game, and no trap: Tab leaves the game for the bar and
# comes back, and Enter presses a control. (In a window with room for the bar beside the game;
# the pointer only rests on the page, where X gives a window without a window manager the keys.)
browser viewport 1280 600 1 >/dev/null
start_game -nosound
move 5 5
check "the game has the keyboard from the start" [ "$(browser focused)" = canvas ]
check "the help tells of the keys" grep -q "Keys: arrows move, Enter opens, Space flags" \
    <<<"$(browser text help)"
key ArrowDown
key ArrowLeft 20
key ArrowDown
key ArrowLeft 9
key ArrowDown
key ArrowLeft 9
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
open_single_cell_until keys-win "$WIN" 200 30 400 282
check "a win by keyboard" [ "$OUTCOME" = yes ]
key Space
key Escape
key ArrowDown
key ArrowRight 91
key ArrowUp
key Enter
open_single_cell_until keys-loss "$SPRITES" 315 15 400 300
check "a loss by keyboard" [ "$OUTCOME" = yes ]
key Space
shot keys-next
check "and Space deals the next game" shows "$LAST_SHOT" 400 300 "$SPRITES" 15 15
# (WebKit's X input has no key held long enough to repeat.)
if [ "$ENGINE" != webkit ]; then
    browser key_held Space >/dev/null
    shot keys-held
    check "Space held down flags once, never twice" shows "$LAST_SHOT" 400 300 "$SPRITES" 345 15
fi
key Tab
check "Tab leaves the game for the bar" [ "$(browser focused)" = menu ]
key Enter
shot keys-menu-control
check "where Enter presses Menu, which shows the menu" shows "$LAST_SHOT" 345 190 "$MENU" 12 14
check "and gives the keys back to the game" [ "$(browser focused)" = canvas ]
key Tab
page_shot keys-tab-page
key Shift+Tab
check "Shift+Tab comes back to the game from the bar" [ "$(browser focused)" = canvas ]
key Escape
shot keys-escape
check "where Escape goes to the game" isnt shows "$LAST_SHOT" 345 190 "$MENU" 12 14
browser viewport 800 600 1 >/dev/null

