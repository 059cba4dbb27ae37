#!/usr/bin/env bash
# The web build in a browser (ENGINE: chromium, the default, firefox or webkit): the page, the
# whole session of scenario.sh with real mouse and key input, and what only the page has: the
# query string as the command line, no context menu over the game, the page that says the
# game has ended, a Quit long after the page opened, a tab opened behind another, sites with
# damaged files, windows of every size, touch, the game installed and offline, a first visit
# offline, a strict Content-Security-Policy, JavaScript turned off and WebKit without its
# media plugins. What an engine's driver cannot do is left to the others, each place saying
# why. Arguments: SITE_DIR SCREENSHOT_DIR.
source "$(dirname "$0")/web_session.sh"
start_display

start_game
check "the page is titled Dunmarrow" [ "$(browser title)" = Dunmarrow ]
check "the game's canvas is 800 x 600" [ "$(browser ms 'canvas.width * 1000 + canvas.height')" = 800600 ]
shot menu-at-once
check "the menu shows before the player touches anything" shows "$LAST_SHOT" 345 190 gfx/menu.png 12 14
source "$(dirname "$0")/scenario.sh"
check "the page says the game has ended" grep -q "The game has ended" <<<"$(browser text ended-note)"
check "with its status" [ "$(browser ms 'document.body.dataset.exitStatus')" = 0 ]
browser ms 'setTimeout(() => { throw new Error("a fault after the end") }), 0' >/dev/null
check "an error after Quit changes nothing" [ "$(browser status) $(browser text problem)" = "0 " ]
click 3 400 300
check "no context menu ever showed over the game or its notes" [ "$(browser menus)" = 0 ]

# An error while the game plays is shown, and the game counts as ended.
start_game -nosound
browser ms 'setTimeout(() => { throw new Error("a planted fault") }), 0' >/dev/null
check "an error during play is shown" grep -q "a planted fault" <<<"$(browser text problem)"
check "and ends the game" [ "$(browser status)" = failed ]

# The query string is the command line: each &-separated word one argument, the web's own
# name=value parameters and empty words left out. QUERY, the status after a moment ("running"
# while the game plays), and whether a sound may start.
while read -r query expected sound; do
    start_game "$query"
    [ "$expected" = running ] || wait_for_exit
    check "?$query: $expected" [ "$(browser status)" = "$expected" ]
    if [ "$expected" = running ]; then
        move 5 5
        click 1 400 190
        click 1 415 315
        shot "query-${query//[^a-z]/}"
        check "?$query plays" isnt shows "$LAST_SHOT" 415 315 "$SPRITES" 15 15
        [ "$sound" = silent ] && check "?$query plays without a sound" [ "$(count_sounds)" = 0 ]
    fi
done <<'QUERIES'
fbclid=IwAR0x&utm_source=portal running sound
-nosound&utm_source=x running silent
-nosound&&-software& running silent
-bogus&utm_source=x 2 -
-nosound%00x 2 -
-nosound=1 2 -
QUERIES

start_game -bogus
wait_for_exit
shot refused
check "?-bogus is refused with status 2" [ "$EXIT_STATUS" = 2 ]
check "with the refusal's text" [ "$(browser text box)" = \
    "What are you doing? There is only two options. And that's -nosound and -software." ]
click 3 400 450
check "no context menu over the ended page" [ "$(browser menus)" = 0 ]
browser press again >/dev/null
check "Play again after a refusal offers the plain game" \
    [ "$(browser ms 'location.search') $(browser status)" = " running" ]

# Sound waits for the player's first click, which still acts in the game. Quit, long after
# the page opened, reaches the page within a second.
# (Headless Chromium lets sound start at once, so the test holds it back as a browser would.)
start_game
OPENED_AT=$SECONDS
move 5 5
browser audio_suspend >/dev/null
check "sound is held back before the first click" [ "$(browser audio)" = suspended ]
click 1 400 190
shot first-click
# (Firefox, with no audio device on the test machine, keeps every audio context suspended.)
if [ "$ENGINE" != firefox ]; then
    check "the first click starts the sound" [ "$(browser audio)" = running ]
fi
check "and starts the game" shows "$LAST_SHOT" 415 315 "$SPRITES" 15 15
key Escape
LATE=$((13 - (SECONDS - OPENED_AT)))
[ "$LATE" -gt 0 ] && sleep "$LATE"
click 1 400 410
wait_for_exit
check "Quit 13 s after the page opened ends the game with status 0 at once" [ "$EXIT_STATUS" = 0 ]

# A tab opened behind another, where the browser loads no media: the game starts all the same.
# (Classic WebDriver loads a page only in the tab in front.)
if [ "$ENGINE" != webkit ]; then
check "a tab opened behind stays hidden while it starts" [ "$(browser open_behind -)" = hidden ]
check "and starts the game there" [ "$(browser status) $(browser ms 'document.getElementById("loading").hidden')" = "running true" ]
browser front >/dev/null
move 5 5
shot behind-menu
check "brought to the front, it shows the menu" shows "$LAST_SHOT" 345 190 "$MENU" 12 14
click 1 400 190
shot behind-start
check "and plays" shows "$LAST_SHOT" 415 315 "$SPRITES" 15 15
fi

# Sites whose files are damaged. damaged_site NAME FILE DAMAGE: a copy of the site in
# $BROKEN/NAME with FILE (its plain name) missing, cut to half, changed by a byte, of random
# bytes, not a picture or empty; sealed_site NAME then seals it as the build does, as though it
# had been built from those files.
BROKEN=$(mktemp -d)
# sealed_copy DIR FILE: the sealed site's copy of FILE, named for its content.
sealed_copy() {
    local copies=("$1/${2%.*}".????????????."${2##*.}")
    [ -f "${copies[0]}" ] && echo "${copies[0]}"
}
damaged_site() {
    rm -rf "${BROKEN:?}/$1"
    cp -r "$SITE" "$BROKEN/$1"
    damage "$(sealed_copy "$BROKEN/$1" "$2")" "$3"
}
# damage PATH HOW: the file damaged that way.
damage() {
    local target=$1
    case "$2" in
        missing) rm "$target" ;;
        half) truncate -s $(($(stat -c %s "$target") / 2)) "$target" ;;
        byte) python3 -c 'import sys; f = open(sys.argv[1], "r+b"); f.seek(-100, 2); b = f.read(1)
f.seek(-100, 2); f.write(bytes([b[0] ^ 0xff]))' "$target" ;;
        random) head -c "$(stat -c %s "$target")" /dev/urandom >"$target" ;;
        text) echo "not a picture" >"$target" ;;
        empty) : >"$target" ;;
    esac
}
sealed_site() { python3 dist/web/seal.py "$BROKEN/$1"; }

# A picture the desktop refuses is refused here too: NAME, then how the file is damaged.
while read -r name damage; do
    damaged_site "$name-$damage" "gfx/$name" "$damage"
    sealed_site "$name-$damage"
    serve "$BROKEN/$name-$damage"
    browser visit "$SERVED_URL" >/dev/null
    wait_for_exit
    shot "picture-$name-$damage"
    check "gfx/$name $damage ends with status 1" [ "$EXIT_STATUS" = 1 ]
    check "and the error box" grep -q "^Error! .*ErrorNr = -5$" <<<"$(browser text box)"
    check "and no progress bar" [ "$(browser text loading)" = "" ]
done <<'PICTURES'
win.png missing
menu.png random
alphatest.png text
back800.png empty
sprites.png half
win.png byte
PICTURES

# Sounds that cannot be decoded, or are missing, are not heard, and the game plays.
damaged_site sounds sfx/mvstn.wav random
damage "$(sealed_copy "$BROKEN/sounds" sfx/click.wav)" missing
head -c 1000 /dev/urandom >"$(sealed_copy "$BROKEN/sounds" sfx/explosion.wav)"
sealed_site sounds
serve "$BROKEN/sounds"
browser visit "$SERVED_URL" >/dev/null
move 5 5
click 1 400 190
click 3 385 285
click 1 415 315
shot damaged-sounds
check "with damaged sounds the game plays" isnt shows "$LAST_SHOT" 415 315 "$SPRITES" 15 15
check "silently" [ "$(browser status) $(count_sounds)" = "running 0" ]

# A file changed, cut short or gone after the site was sealed: named, and never played.
# FILE, then what happened to it.
while read -r file damage; do
    name=$(basename "$file")-$damage
    damaged_site "$name" "$file" "$damage"
    serve "$BROKEN/$name"
    browser visit "$SERVED_URL" >/dev/null
    shot "changed-$name"
    check "$file $damage: the page names it" grep -qF "The file $file did not download" <<<"$(browser text problem)"
    check "$file $damage: the game never starts" [ "$(browser status)" = failed ]
    check "$file $damage: no progress bar" [ "$(browser text loading)" = "" ]
done <<'FILES'
dunmarrow.wasm missing
dunmarrow.wasm byte
dunmarrow.js half
gfx/back800.png byte
gfx/sprites.png half
sfx/explosion.wav byte
fonts/vera.ttf byte
FILES

# An update never locks a returning player out. Build 1 played, build 2 put over it (its game,
# its WebAssembly, its page's script and style changed), and a reload plays build 2: from a
# server that sends only the files' dates (build 1's a year old, which the browser's cache
# reckons fresh for weeks), and from one that has browsers keep every file but the page for a
# year. Then build 3 arrives with its game's script cut short; once the host puts it right, Try
# again plays it. (Without the offline worker, which has its own updates, checked below.)
# next_build FROM TO N: build N, sealed, from build FROM.
next_build() {
    rm -rf "${BROKEN:?}/$2"
    cp -r "$1" "$BROKEN/$2"
    printf '\n;window.dunmarrowBuild = %d;\n' "$3" >>"$(sealed_copy "$BROKEN/$2" dunmarrow.js)"
    # (A custom section of WebAssembly's, which changes nothing else.)
    printf '\0\6\5build' >>"$(sealed_copy "$BROKEN/$2" dunmarrow.wasm)"
    echo "// build $3" >>"$(sealed_copy "$BROKEN/$2" page/main.js)"
    echo "/* build $3 */" >>"$(sealed_copy "$BROKEN/$2" page.css)"
    sealed_site "$2"
}
next_build "$SITE" build2 2
next_build "$BROKEN/build2" build3 3
build() { browser ms '(document.body.dataset.exitStatus || "running") + " " + (window.dunmarrowBuild || 1)'; }
for cache in dates year; do
    rm -rf "$BROKEN/host"
    cp -r "$SITE" "$BROKEN/host"
    rm "$BROKEN/host/service-worker.js"
    find "$BROKEN/host" -exec touch -d "1 year ago" {} +
    if [ "$cache" = year ]; then MAX_AGE=31536000 serve "$BROKEN/host"; else serve "$BROKEN/host"; fi
    browser visit "$SERVED_URL?-nosound" >/dev/null
    check "$cache: build 1 plays" [ "$(build)" = "running 1" ]
    rm -rf "${BROKEN:?}/host/"*
    cp -r "$BROKEN/build2/." "$BROKEN/host/"
    rm "$BROKEN/host/service-worker.js"
    browser reload >/dev/null
    move 5 5
    click 1 400 190
    click 1 415 315
    shot "update-$cache"
    check "$cache: after an update, a reload plays the new build" [ "$(build)" = "running 2" ]
    check "$cache: and the game plays" isnt shows "$LAST_SHOT" 415 315 "$SPRITES" 15 15
done
rm -rf "${BROKEN:?}/host/"*
cp -r "$BROKEN/build3/." "$BROKEN/host/"
rm "$BROKEN/host/service-worker.js"
script=$(sealed_copy "$BROKEN/host" dunmarrow.js)
cp "$script" "$BROKEN/script"
damage "$script" half
browser reload >/dev/null
check "a file that arrives cut short is named" grep -qF "The file dunmarrow.js did not download" <<<"$(browser text problem)"
cp "$BROKEN/script" "$script"
browser press retry >/dev/null
shot update-try-again
check "put right on the server, Try again plays it, whatever the cache kept" [ "$(build)" = "running 3" ]
check "from its menu" shows "$LAST_SHOT" 345 190 "$MENU" 12 14

# A slider drag goes on while the button is held, the window resized under it and the pointer
# off the game and back; let go off the game, the button is let go. (WebKit's window is resized
# by its driver, not under a held X button.)
if [ "$ENGINE" != webkit ]; then
    browser viewport 1000 600 1 >/dev/null
    start_game -nosound
    move 5 5
    browser drag_out 330 362 300 1280 600 >/dev/null
    shot drag-out
    DRAGGED_OUT=$LAST_SHOT
    start_game -nosound
    move 5 5
    drag 330 362 300
    shot drag-plain
    check "a slider drag goes on while the button is held, the window resized and the pointer off the game and back" \
        same_picture "$DRAGGED_OUT" "$LAST_SHOT"
    browser drag_off 362 300 >/dev/null
    shot drag-off
    LET_GO=$LAST_SHOT
    move 385 300
    shot drag-off-hover
    check "let go off the game, the button is let go: the pointer over a slider moves nothing" \
        same_picture "$LET_GO" "$LAST_SHOT"
    browser viewport 800 600 1 >/dev/null
fi

# The licence opens in a tab of its own, and the game in play stays as it was. (WebKit's
# driver here keeps to one window.)
if [ "$ENGINE" != webkit ]; then
    browser viewport 1280 600 1 >/dev/null
    start_game -nosound
    move 5 5
    click 1 400 190
    click 1 415 315
    shot licence-before
    BEFORE_LICENCE=$LAST_SHOT
    check "the licence opens in a tab of its own" [ "$(browser licence)" = "tab LICENSE.txt" ]
    shot licence-after
    check "and the game in play stays as it was" same_picture "$BEFORE_LICENCE" "$LAST_SHOT"
    check "still playing" [ "$(browser status)" = running ]
    browser viewport 800 600 1 >/dev/null
fi

# Never a blank page: without the page's own script the page says so, with Try again; served
# at an address without its slash (where neither its script nor its style arrive) its own note
# says what to do.
damaged_site no-script page/main.js missing
serve "$BROKEN/no-script"
browser visit "$SERVED_URL" >/dev/null
check "without its script the page says so" grep -q "^Dunmarrow could not start The page's own script (page/main.js and the modules it loads) did not download" \
    <<<"$(browser text problem)"
check "and counts as failed" [ "$(browser status)" = failed ]
# Without its style the page still reads, and the game plays.
damaged_site no-style page.css missing
serve "$BROKEN/no-style"
browser visit "$SERVED_URL?-nosound" >/dev/null
move 5 5
click 1 400 190
click 1 415 315
shot no-style
page_shot no-style-page
check "without its style the game plays" isnt shows "$LAST_SHOT" 415 315 "$SPRITES" 15 15
check "with nothing said against it" [ "$(browser status) $(browser text problem)" = "running " ]
SERVE_AT=/game serve "$SITE"
browser load "${SERVED_URL}game/" >/dev/null
check "served under /game/ the game starts" [ "$(browser ms 'document.getElementById("no-page")')" = null ]
browser load "${SERVED_URL}game" >/dev/null
page_shot no-slash
check "served at /game without its slash, the page says what to do" grep -q "Dunmarrow: if this stays, the page's own files did not arrive" <<<"$(browser text no-page)"
check "where the player sees it at once" [ "$(browser ms '(() => { const r = document.getElementById("no-page").getBoundingClientRect(); return r.height > 0 && r.top >= 0 && r.bottom <= innerHeight && getComputedStyle(document.getElementById("no-page")).visibility === "visible"; })()')" = true ]

# A portal's frame, sandboxed to scripts alone (sandbox="allow-scripts", so the page has an
# origin of its own and no storage, offline worker or full screen): from a server that lets any
# origin have the game's files, the game plays and nothing around it ends it; from one that
# does not, the frame says so. portal NAME GAME_URL: a portal's page holding the game there.
portal() {
    mkdir -p "$BROKEN/$1"
    cat >"$BROKEN/$1/index.html" <<HTML
<!DOCTYPE html><html><head><title>A portal</title></head><body style="margin:0">
<iframe sandbox="allow-scripts" src="$2" style="border:0;display:block;width:800px;height:600px"></iframe>
</body></html>
HTML
    serve "$BROKEN/$1"
    browser load "$SERVED_URL" >/dev/null
    browser frame on >/dev/null
}
CORS=1 serve "$SITE"
portal portal "$SERVED_URL?-nosound"
move 5 5
click 1 400 190
click 1 415 315
sleep 1.5
shot sandboxed-frame
check "in a portal's sandboxed frame the game plays" isnt shows "$LAST_SHOT" 415 315 "$SPRITES" 15 15
check "and nothing around it ends it: no worker, no storage" [ "$(browser status) $(browser text problem)" = "running " ]
check "with no Full screen control where full screen is not allowed" [ "$(browser ms 'document.getElementById("fullscreen").hidden')" = true ]
browser frame off >/dev/null
serve "$SITE"
portal closed-portal "$SERVED_URL"
page_shot sandboxed-frame-refused
check "from a server that does not allow it, the frame says so" grep -q "^Dunmarrow cannot start in this frame The page that shows the game keeps it in a sandboxed frame" <<<"$(browser text problem)"
check "and counts as failed" [ "$(browser status)" = failed ]
browser frame off >/dev/null
browser visit "$SITE_URL" >/dev/null

# Every window: the whole game at the largest 4:3 size that fits, nothing cut, no scrolling,
# sharp at whole device pixels, the bar of help and controls where it costs the game nothing,
# and a flag lands on the cell aimed at. WIDTH HEIGHT RATIO, and the bar's place.
while read -r width height ratio bar; do
    # (WebKitGTK's window has the screen's pixel ratio only.)
    [ "$ENGINE" = webkit ] && [ "$ratio" != 1 ] && continue
    browser viewport "$width" "$height" "$ratio" >/dev/null
    start_game -nosound
    size="$width x $height at $ratio"
    # What the layout is, from where the canvas lies and the bar: the facts in the order checked.
    layout=$(browser layout)
    read -r -a facts <<<"$(awk -v r="$ratio" '{
        l = $1; t = $2; w = $3; h = $4; W = $5; H = $6
        largest = (W < H * 4 / 3) ? W : H * 4 / 3
        printf "%s ", (w - largest < 1 && largest - w < 1) ? "largest" : "smaller"
        printf "%s ", (w * 3 - h * 4 < 2 && h * 4 - w * 3 < 2) ? "4:3" : "skewed"
        printf "%s ", (l >= 0 && t >= 0 && l + w <= W + 0.5 && t + h <= H + 0.5) ? "whole" : "cut"
        p = w * r / 800
        printf "%s %s %s %s\n", (p >= 1 && (p - int(p + 0.5)) ^ 2 < 1e-6) ? "sharp" : "smooth", $7, $8, $9
    }' <<<"$layout")"
    check "$size: the game is as large as fits" [ "${facts[0]}" = largest ]
    check "$size: at 4:3" [ "${facts[1]}" = 4:3 ]
    check "$size: nothing cut" [ "${facts[2]}" = whole ]
    check "$size: no scrolling" [ "${facts[4]}" = still ]
    check "$size: drawn ${facts[3]}, as its scale asks" [ "${facts[5]}" = "${facts[3]}" ]
    check "$size: the bar of help and controls: $bar" [ "${facts[6]}" = "$bar" ]
    move 5 5
    click 1 400 190
    click 3 415 315
    shot "window-${width}x$height-$ratio"
    page_shot "page-${width}x$height-$ratio"
    check "$size: the flag lands on the cell aimed at" shows "$LAST_SHOT" 415 315 "$SPRITES" 345 15
    check "$size: and on no other" shows "$LAST_SHOT" 385 315 "$SPRITES" 15 15
done <<'WINDOWS'
1280 600 1 beside
1000 500 1 beside
600 800 1 below
800 600 1 bare
360 640 3 below
640 360 3 beside
1600 1200 2 bare
3840 2160 1 beside
WINDOWS
browser viewport 800 600 1 >/dev/null

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
# one_cell_by_touch: the sliders swiped to one row, one column and no share of mines.
one_cell_by_touch() {
    browser swipe 330 320 250 >/dev/null
    browser swipe 330 325 300 >/dev/null
    browser swipe 330 324 350 >/dev/null
}
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
browser tap_element flag-mode >/dev/null
check "its control shows it on, with an icon and a word" [ "$(flag_mode)" = "true ⚑ Tap flags" ]
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

# kept_state: what the page has heard of its build kept for offline play, once it has.
kept_state() {
    browser ms "new Promise((resolve) => { const look = () => document.body.dataset.offline ? resolve(document.body.dataset.offline) : setTimeout(look, 50); look(); setTimeout(() => resolve('nothing heard'), 20000); })"
}
# Installed and offline: a manifest to install the game by, and an offline worker that keeps
# exactly this build's files; a reload without the network plays, and a new build takes over
# after one reload, never mixed with the old.
rm -rf "$BROKEN/kept"
cp -r "$SITE" "$BROKEN/kept"
serve "$BROKEN/kept"
KEPT_URL=$SERVED_URL
browser visit "$KEPT_URL" >/dev/null
check "the page names its manifest, to install the game by" \
    [ "$(browser ms 'fetch(document.querySelector("link[rel=manifest]").href).then((r) => r.json()).then((m) => [m.display, m.orientation, m.icons.map((i) => i.sizes + ":" + i.purpose).join(",")].join(" "))')" = \
      "fullscreen landscape 192x192:any,512x512:any,512x512:maskable" ]
if [ "$ENGINE" = chromium ]; then
    check "Chromium would offer to install it" [ "$(browser installable)" = installable ]
fi
check "the offline worker keeps the game" \
    [ "$(browser ms 'navigator.serviceWorker.ready.then(() => caches.keys()).then((k) => k.length + " " + k[0])')" = \
      "1 dunmarrow-$(sed -n 's/^ "version": "\(.*\)",$/\1/p' "$BROKEN/kept/service-worker.js")" ]
offline on
browser visit "$KEPT_URL?-nosound" >/dev/null
move 5 5
click 1 400 190
click 1 415 315
shot offline
check "offline, a reload plays" isnt shows "$LAST_SHOT" 415 315 "$SPRITES" 15 15
check "with nothing refused" [ "$(browser status) $(browser text problem)" = "running " ]
check "and the page knows its build is kept" [ "$(kept_state)" = kept ]
offline off
echo "/* the next build */" >>"$(sealed_copy "$BROKEN/kept" page.css)"
sealed_site kept
NEXT=$(sed -n 's/^ "version": "\(.*\)",$/\1/p' "$BROKEN/kept/service-worker.js")
browser visit "$KEPT_URL" >/dev/null
# (Chromium may hold the new worker back until the old one has been idle for half a minute;
# it usually takes over within a few seconds.)
check "the next build's worker takes over" [ "$(browser ms "new Promise((resolve) => { const look = () => caches.keys().then((k) => k.join() === 'dunmarrow-$NEXT' ? resolve('yes') : setTimeout(look, 100)); look(); setTimeout(() => resolve('no'), 120000); })")" = yes ]
browser visit "$KEPT_URL" >/dev/null
check "and after one reload the page is the next build's" \
    grep -q "the next build" <<<"$(browser ms 'fetch(document.querySelector("link[rel=stylesheet]").href).then((r) => r.text())')"
check "playing with nothing refused" [ "$(browser status) $(browser text problem)" = "running " ]

# The player clears the site's Cache Storage, its worker still there: the next visit online
# plays from the network and keeps the build again, whole, and offline a reload then plays.
kept_whole() {
    browser ms "new Promise((resolve) => { const look = () => caches.keys().then((k) => k.length === 1 ? caches.open(k[0]).then((c) => c.keys()).then((r) => r.length) : 0).then((n) => n === $(grep -c '": "sha384-' "$BROKEN/kept/service-worker.js") ? resolve('whole') : setTimeout(look, 100)); look(); setTimeout(() => resolve('not whole'), 30000); })"
}
# (Once the page has heard from its worker, which then touches its cache no more.)
check "the next build is kept" [ "$(kept_state)" = kept ]
check "the site's cache cleared" [ "$(browser ms 'caches.keys().then((k) => Promise.all(k.map((n) => caches.delete(n)))).then(() => caches.keys()).then((k) => k.length)')" = 0 ]
browser visit "$KEPT_URL" >/dev/null
check "cleared, the next visit online keeps the build again" [ "$(kept_whole)" = whole ]
check "and says nothing of it" [ "$(browser text not-kept)" = "" ]
offline on
[ "$ENGINE" = webkit ] || server off
browser visit "$KEPT_URL?-nosound" >/dev/null
move 5 5
click 1 400 190
click 1 415 315
shot offline-after-clearing
check "offline then, a reload plays" isnt shows "$LAST_SHOT" 415 315 "$SPRITES" 15 15
offline off
[ "$ENGINE" = webkit ] || server on
# A build that cannot be kept whole (here a file of it gone from the server; a storage quota
# too small fails the same way): nothing of it is kept, and the page says so, and plays on.
rm -rf "$BROKEN/unkept"
cp -r "$BROKEN/kept" "$BROKEN/unkept"
rm "$BROKEN/unkept/fonts/vera-licence.txt"
serve "$BROKEN/unkept"
browser visit "$SERVED_URL" >/dev/null
check "a build that cannot be kept whole: the page hears it is not kept" [ "$(kept_state)" = "not kept" ]
check "and says so" [ "$(browser text not-kept)" = "Not kept for offline play" ]
check "and keeps nothing of it" [ "$(browser ms 'caches.keys().then((k) => k.length)')" = 0 ]
check "while the game plays on" [ "$(browser status)" = running ]

if [ "$ENGINE" != webkit ]; then
    check "offline on a first visit, the page says, whole, that it needs the network once" \
        grep -qx "Dunmarrow could not start The file [a-z./]* did not download. Dunmarrow needs the network once, to download the game; after that it plays offline. Try again" \
        <<<"$(browser first_visit_offline)"
fi

# A strict Content-Security-Policy: only the site's own files, and the WebAssembly compiled.
serve "$SITE" "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; object-src 'none'; base-uri 'none'"
browser visit "$SERVED_URL" >/dev/null
move 5 5
shot strict-policy
check "under a strict Content-Security-Policy the game starts" shows "$LAST_SHOT" 345 190 "$MENU" 12 14
check "and the browser refuses nothing" [ "$(browser ms 'window.policyViolations')" = 0 ]
check "the licence is served as text" \
    grep -q '^text/plain' <<<"$(browser ms 'fetch("LICENSE.txt").then((r) => r.headers.get("content-type"))')"

if [ "$ENGINE" = chromium ]; then
    check "with JavaScript off the page says the game needs it" \
        grep -q "needs JavaScript" <<<"$(browser visit_without_javascript)"
fi
browser visit "file://$SITE/index.html" >/dev/null
shot file-page
check "a page opened from a file says how to serve it" [ "$(browser text problem)" = \
    "Dunmarrow needs a web server Browsers do not let a page opened from a file load a game. Serve this folder, for example with python3 -m http.server run in it, then open http://localhost:8000/." ]
check "its commands as large as its words" [ "$(browser ms '[...document.querySelectorAll("#problem-text code")].map((code) => parseFloat(getComputedStyle(code).fontSize) >= 0.8 * parseFloat(getComputedStyle(code.parentNode).fontSize)).join()')" = "true,true" ]
check "and the page counts as failed" [ "$(browser status)" = failed ]
# (Taking WebAssembly away needs a script before the page's own, which classic WebDriver lacks.)
if [ "$ENGINE" != webkit ]; then
    check "a browser without WebAssembly is told so" \
        grep -q "cannot play Dunmarrow" <<<"$(browser visit_without_webassembly)"
fi

# WebKit on a system without GStreamer's good plugins (WAV's among them): no sound decodes,
# and the game plays silently. The engine starts again, with only the other plugins.
if [ "$ENGINE" = webkit ]; then
    GOOD_PLUGINS=$(dpkg -L gstreamer1.0-plugins-good | grep '/gstreamer-1.0/.*\.so$' | sort)
    mkdir "$BROKEN/plugins"
    comm -23 <(ls "$(dirname "$(head -n1 <<<"$GOOD_PLUGINS")")"/*.so | sort) <(echo "$GOOD_PLUGINS") |
        xargs ln -s -t "$BROKEN/plugins"
    browser relaunch "GST_PLUGIN_SYSTEM_PATH_1_0=$BROKEN/plugins" \
        "GST_REGISTRY_1_0=$BROKEN/plugins/registry.bin" >/dev/null
    start_game
    move 5 5
    click 1 400 190
    click 3 265 165
    click 1 535 435
    shot no-plugins
    check "without GStreamer's good plugins the game plays" shows "$LAST_SHOT" 265 165 "$SPRITES" 345 15
    check "silently" [ "$(browser status) $(count_sounds)" = "running 0" ]
fi
rm -rf "$BROKEN"
finish
