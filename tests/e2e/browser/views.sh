# Sourced by play_in_browser.sh: where fingers play, the part of the game that matters, with
# rotation, pinch and pan, the ring of a hold and flag mode.

# Where fingers play (Chromium's emulated devices), the page shows the part of the game that
# matters, at the largest size the screen allows: the panel while the menu shows, the board
# while it is hidden. DEVICE, and the least size of a cell there, in CSS pixels (a 10 x 10 board
# on a phone: about 38; the whole screen shown, as with a mouse, gave 14.7 in portrait).
if [ "$ENGINE" = chromium ]; then
cell_px() { browser ms 'Math.round(document.getElementById("canvas").getBoundingClientRect().width / 80 * 3)'; }
while read -r device least; do
    browser device "$device" >/dev/null
    start_game -nosound
    page_shot "view-$device-menu"
    check "$device: the menu's panel shows whole" seen_whole 290 155 221 290
    tap 400 190
    page_shot "view-$device-board"
    check "$device: the board shows whole" seen_whole 250 150 300 300
    check "$device: with cells of $least CSS pixels or more" [ "$(cell_px)" -ge "$least" ]
    browser tap_element menu >/dev/null
    check "$device: Menu shows the panel whole again" seen_whole 290 155 221 290
    check "$device: every control of the bar 44 x 44 CSS pixels or more" [ "$(browser ms '[...document.querySelectorAll("#bar button, #bar a")].filter((e) => e.getClientRects().length).map((e) => { const r = e.getBoundingClientRect(); return r.width >= 44 && r.height >= 44; }).join()')" = true,true,true,true ]
done <<'VIEWS'
Pixel_5 37
Pixel_5_landscape 37
iPad_Mini 70
iPad_Mini_landscape 70
VIEWS

# A rotation keeps the view on the board, and the next tap lands on the cell under the finger.
browser device Pixel_5 >/dev/null
start_game -nosound
tap 400 190
browser device Pixel_5_landscape >/dev/null
check "turned, the board still shows whole" seen_whole 250 150 300 300
hold 415 315
shot view-turned
check "and a press lands on its cell" shows "$LAST_SHOT" 415 315 "$SPRITES" 345 15
# A finger held on a cell while the phone turns: the turn ends the hold, and flags nothing.
browser device Pixel_5 >/dev/null
browser fingers_down 445 315 >/dev/null
browser device Pixel_5_landscape >/dev/null
sleep 0.7
check "a hold across a turn goes, its ring with it" [ "$(browser ms 'document.getElementById("press").hidden')" = true ]
browser fingers_up >/dev/null
shot view-turned-held
check "and flags nothing" shows "$LAST_SHOT" 445 315 "$SPRITES" 15 15

# A board whose cells are still small: a pinch zooms in to 44 pixels a cell or more, two
# fingers pan, neither flags, and a tap then lands on the cell under the finger.
browser device Pixel_5 >/dev/null
start_game -nosound
browser swipe 330 411 300 >/dev/null
browser swipe 330 411 350 >/dev/null
tap 400 190
shot view-large-board
LARGE="$LAST_SHOT"
check "a 20 x 26 board on a phone has small cells" [ "$(cell_px)" -lt 44 ]
browser pinch 400 300 >/dev/null
browser pinch 400 300 >/dev/null
check "a pinch zooms in to 44 pixels a cell or more" [ "$(cell_px)" -ge 44 ]
browser swipe_two 400 300 480 >/dev/null
shot view-pinched
check "pinching and panning flag nothing" same_picture "$LAST_SHOT" "$LARGE"
tap 415 315
shot view-pinched-tap
check "a tap on the zoomed board opens the cell under the finger" \
    isnt shows "$LAST_SHOT" 415 315 "$SPRITES" 15 15

# The ring: from the moment a finger is down it grows round it until the hold takes; a finger
# that lifts early leaves a left release, one that stays a flag; a second finger after the hold
# took adds nothing.
ring() { browser ms '(document.getElementById("press").hidden ? "hidden" : document.getElementById("press").className)'; }
start_game -nosound
tap 400 190
check "a finger down grows a ring round it, which goes when it lifts early" \
    [ "$(browser brief_press 265 165)" = "growing hidden" ]
shot ring-short
check "and the cell opens" isnt shows "$LAST_SHOT" 265 165 "$SPRITES" 15 15
# (On a new board: the cell opened above may have flooded the rest.)
start_game -nosound
tap 400 190
browser fingers_down 535 435 >/dev/null
sleep 0.7
page_shot ring-took
check "held, the ring shows the hold took until the finger lifts" [ "$(ring)" = took ]
browser fingers_down 535 435 495 435 >/dev/null
browser fingers_up >/dev/null
shot ring-second-finger
check "and a second finger after it took leaves the flag set" \
    shows "$LAST_SHOT" 535 435 "$SPRITES" 345 15

# Flag mode: a tap flags and a hold opens on the board; the menu still takes a tap as a
# press; the mode is remembered, and works where storage is refused.
flag_mode() { browser ms 'document.getElementById("flag-mode").getAttribute("aria-pressed") + " " + document.getElementById("flag-mode").textContent'; }
check "flag mode starts off" [ "$(flag_mode)" = "false ⚐ Tap opens" ]
flag_mode_name() { browser ms 'document.getElementById("flag-mode").focus()' >/dev/null; browser reader; }
check "its name says what it is" [ "$(flag_mode_name)" = "button Flag mode" ]
browser tap_element flag-mode >/dev/null
check "its control shows it on, with an icon and a word" [ "$(flag_mode)" = "true ⚑ Tap flags" ]
check "and keeps its name" [ "$(flag_mode_name)" = "button Flag mode" ]
start_game -nosound
check "and a new visit remembers it" [ "$(flag_mode)" = "true ⚑ Tap flags" ]
tap 400 190
shot flag-mode-start
check "in flag mode a tap on Start still starts" shows "$LAST_SHOT" 265 165 "$SPRITES" 15 15
tap 265 165
hold 535 435
shot flag-mode-play
check "in flag mode a tap flags" shows "$LAST_SHOT" 265 165 "$SPRITES" 345 15
check "and a hold opens" isnt shows "$LAST_SHOT" 535 435 "$SPRITES" 15 15
browser tap_element menu >/dev/null
one_cell_by_touch
open_the_cell() { hold 400 300; }
deal_again() { tap 400 300; }
tap 400 190
open_single_cell_until flag-mode-win "$WIN" 200 30 400 282
check "a win in flag mode" [ "$OUTCOME" = yes ]
tap 400 300
browser tap_element menu >/dev/null
browser swipe 330 411 250 >/dev/null
tap 400 190
open_single_cell_until flag-mode-loss "$SPRITES" 315 15 400 300
check "a loss in flag mode" [ "$OUTCOME" = yes ]
tap 400 300
shot flag-mode-next
check "and a tap deals the next game" shows "$LAST_SHOT" 400 300 "$SPRITES" 15 15
browser tap_element flag-mode >/dev/null
browser no_storage >/dev/null
start_game -nosound
browser tap_element flag-mode >/dev/null
tap 400 190
tap 265 165
shot flag-mode-no-storage
check "where storage is refused, flag mode still works" \
    shows "$LAST_SHOT" 265 165 "$SPRITES" 345 15
check "and the game plays on" [ "$(browser status)" = running ]
browser viewport 800 600 1 >/dev/null
fi  # the view where fingers play, Chromium only

