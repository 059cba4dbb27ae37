# Sourced by play_in_browser.sh: the page and the whole session of scenario.sh, errors during
# and after play, the query string as the command line, sound held back until the first click,
# and a tab opened behind another.

start_game
check "the page is titled Dunmarrow" [ "$(browser title)" = Dunmarrow ]
check "the game's canvas is 800 x 600" [ "$(browser ms 'canvas.width * 1000 + canvas.height')" = 800600 ]
shot menu-at-once
check "the menu shows before the player touches anything" shows "$LAST_SHOT" 345 190 gfx/menu.png 12 14
# (WebKit's driver runs its watch only once the page has loaded.)
if [ "$ENGINE" != webkit ]; then
    check "painted before the sounds are opened" \
        [ "$(browser wait_for 'window.paintedBeforeSounds !== "no sound decoded"') $(browser ms 'window.paintedBeforeSounds')" = "yes true" ]
fi
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
