# Sourced by play_in_browser.sh: the game by finger on a phone and a tablet, each way up.

# Touch: in Chromium on its emulated devices, touch screen and all; in Firefox through
# WebDriver's touch actions, in a window of the device's size (Firefox has no device to
# emulate, so its pointer stays fine and the help stays the mouse's). WebKitGTK's driver has no
# touch actions. Chromium plays a second time as a browser that cannot vibrate.
# touch_device NAME WIDTH HEIGHT: the device, or a window of its size.
touch_device() {
    if [ "$ENGINE" = chromium ]; then
        browser device "$1" >/dev/null
    else
        browser viewport "$2" "$3" 1 >/dev/null
    fi
}
if [ "$ENGINE" != webkit ]; then
# (Firefox's tablet held sideways is a window with room beside the game for the page's bar,
# which with a fine pointer goes where the game would lose by it, and with it the Menu control.)
TOUCH_DEVICES="Pixel_5 393 851
Pixel_5_landscape 851 393
iPad_Mini 768 1024
iPad_Mini_landscape 1180 768"
[ "$ENGINE" = chromium ] && TOUCH_DEVICES+="
Pixel_5 393 851 no-vibrate"
# Touch, on a phone and a tablet, each way up: the whole of a short game with fingers only.
while read -r device width height vibrate; do
    touch_device "$device" "$width" "$height"
    [ -n "$vibrate" ] && browser no_vibrate >/dev/null && device+="-without-vibrate"
    start_game -nosound
    if [ "$ENGINE" = chromium ]; then
        check "$device: the help tells of fingers" grep -q "^Tap opens" <<<"$(browser text help)"
    fi
    tap 400 190
    shot "touch-$device-start"
    page_shot "touch-$device-page"
    check "$device: a tap on Start deals a board" shows "$LAST_SHOT" 265 165 "$SPRITES" 15 15
    hold 265 165
    shot "touch-$device-flag"
    check "$device: a long press flags" shows "$LAST_SHOT" 265 165 "$SPRITES" 345 15
    hold 265 165
    shot "touch-$device-unflag"
    check "$device: and another takes the flag off" shows "$LAST_SHOT" 265 165 "$SPRITES" 15 15
    browser tap_fingers 2 295 165 >/dev/null
    shot "touch-$device-two-fingers"
    check "$device: a two-finger tap flags the cell under the first finger" \
        shows "$LAST_SHOT" 295 165 "$SPRITES" 345 15
    check "$device: and no other" shows "$LAST_SHOT" 325 165 "$SPRITES" 15 15
    UNTOUCHED="$LAST_SHOT"
    browser tap_fingers 3 385 285 >/dev/null
    browser pinch 400 300 >/dev/null
    browser swipe_off 535 435 >/dev/null
    hold 247 147
    shot "touch-$device-nothing"
    check "$device: three fingers, a pinch, a swipe off the board, a long press off it: nothing" \
        same_picture "$LAST_SHOT" "$UNTOUCHED"
    # (The pinch may have zoomed the view where fingers play: back out.)
    browser pinch_close 400 300 >/dev/null
    browser ms 'window.scrollTo(0, 60), document.scrollingElement.scrollTop = 60, 0' >/dev/null
    hold 385 285
    shot "touch-$device-scrolled"
    check "$device: the page does not scroll" [ "$(browser ms 'window.scrollY')" = 0 ]
    check "$device: and a press after trying lands on its cell" shows "$LAST_SHOT" 385 285 "$SPRITES" 345 15
    check "$device: on no other" shows "$LAST_SHOT" 385 255 "$SPRITES" 15 15
    tap 535 435
    shot "touch-$device-opened"
    check "$device: a tap opens a cell" isnt shows "$LAST_SHOT" 535 435 "$SPRITES" 15 15
    browser tap_element menu >/dev/null
    shot "touch-$device-menu"
    check "$device: the Menu control shows the menu" shows "$LAST_SHOT" 345 190 "$MENU" 12 14
    MENU_SHOT="$LAST_SHOT"
    hold 480 190
    shot "touch-$device-menu-held"
    check "$device: a long press on the menu beside its buttons does nothing" \
        same_picture "$LAST_SHOT" "$MENU_SHOT"
    tap 400 410
    wait_for_exit
    check "$device: a tap on Quit ends the game with status 0" [ "$EXIT_STATUS" = 0 ]
done <<<"$TOUCH_DEVICES"

# A finger along a slider moves the knob where the mouse along the same path does.
touch_device Pixel_5 393 851
start_game -nosound
browser swipe 330 362 300 >/dev/null
shot touch-slider
TOUCH_SLIDER="$LAST_SHOT"
start_game -nosound
drag 330 362 300
shot mouse-slider
check "a finger on a slider lands where the mouse does" same_picture "$TOUCH_SLIDER" "$LAST_SHOT"

# A win and a loss by touch, each followed by the next game by a long press (on the tablet,
# where a finger reaches every pixel of the sliders).
touch_device iPad_Mini_landscape 1180 768
start_game -nosound
one_cell_by_touch
# (Where fingers play, the page shows only the board: a press on its one cell deals again.)
open_the_cell() { tap 400 300; }
deal_again() { hold 400 300; }
tap 400 190
open_single_cell_until touch-win "$WIN" 200 30 400 282
check "a win by touch" [ "$OUTCOME" = yes ]
if [ "$ENGINE" = chromium ]; then
    page_shot touch-win-page
    check "the win picture shows whole" seen_whole 200 252 400 96
fi
hold 400 300
shot touch-after-win
check "and a long press deals the next game" shows "$LAST_SHOT" 400 300 "$SPRITES" 15 15
browser tap_element menu >/dev/null
browser swipe 330 411 250 >/dev/null
tap 400 190
open_single_cell_until touch-loss "$SPRITES" 315 15 400 300
check "a loss by touch" [ "$OUTCOME" = yes ]
hold 400 300
shot touch-after-loss
check "and a long press deals the next game" shows "$LAST_SHOT" 400 300 "$SPRITES" 15 15
browser viewport 800 600 1 >/dev/null
fi  # touch, in Chromium and Firefox
