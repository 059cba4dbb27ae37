#!/usr/bin/env bash
# The web build in Debian's Chromium: the page, the whole session of scenario.sh with real
# mouse and key input, and what only the page has: the query string as the command line, no
# context menu over the game, the page that says the game has ended, and a site that lacks a
# picture or a file. Arguments: SITE_DIR SCREENSHOT_DIR.
source "$(dirname "$0")/web_session.sh"
start_display

start_game
check "the page is titled Dunmarrow" [ "$(browser title)" = Dunmarrow ]
check "the game's canvas is 800 x 600" [ "$(browser ms 'canvas.width * 1000 + canvas.height')" = 800600 ]
source "$(dirname "$0")/scenario.sh"
check "the page says the game has ended" grep -q "The game has ended" <<<"$(browser text ended-note)"
check "with its status" [ "$(browser ms 'document.body.dataset.exitStatus')" = 0 ]
check "no context menu ever showed over the game" [ "$(browser menus)" = 0 ]

# Each &-separated word of the query string is one argument.
start_game -bogus
wait_for_exit
shot refused
check "?-bogus is refused with status 2" [ "$EXIT_STATUS" = 2 ]
check "with the refusal's text" [ "$(browser text box)" = \
    "What are you doing? There is only two options. And that's -nosound and -software." ]
start_game -nosound -software
move 5 5
click 1 400 190
click 3 385 285
click 1 415 315
check "?-nosound&-software plays without a sound" [ "$(count_sounds)" = 0 ]
shot nosound
check "and plays" isnt shows "$LAST_SHOT" 415 315 "$SPRITES" 15 15

# Sound waits for the player's first click, which still acts in the game; and the scenario
# quits without sound, while with sound the game ends the same way.
# (Headless Chromium lets sound start at once, so the test holds it back as a browser would.)
start_game
move 5 5
browser audio_suspend >/dev/null
check "sound is held back before the first click" [ "$(browser audio)" = suspended ]
click 1 400 190
shot first-click
check "the first click starts the sound" [ "$(browser audio)" = running ]
check "and starts the game" shows "$LAST_SHOT" 415 315 "$SPRITES" 15 15
key Escape
click 1 400 410
wait_for_exit
check "Quit with sound on ends the game with status 0" [ "$EXIT_STATUS" = 0 ]

# A site without its win picture, and one whose files did not all reach the server.
BROKEN=$(mktemp -d)
cp -r "$SITE" "$BROKEN/no-win"
mkdir "$BROKEN/files"
cp -r gfx sfx "$BROKEN/files"
rm "$BROKEN/files/gfx/win.png"
(cd "$BROKEN/files" && python3 /usr/share/emscripten/tools/file_packager.py \
    "$BROKEN/no-win/dunmarrow-files.data" --preload gfx sfx --use-preload-plugins \
    --js-output="$BROKEN/no-win/dunmarrow-files.js" >/dev/null 2>&1)
serve "$BROKEN/no-win"
browser visit "$SERVED_URL" >/dev/null
wait_for_exit
shot no-win-picture
check "a site without gfx/win.png ends with status 1" [ "$EXIT_STATUS" = 1 ]
check "and shows the error box" grep -q "^Error! .*ErrorNr = -5$" <<<"$(browser text box)"

cp -r "$SITE" "$BROKEN/no-data"
rm "$BROKEN/no-data/dunmarrow-files.data"
serve "$BROKEN/no-data"
browser visit "$SERVED_URL" >/dev/null
shot no-data
check "a file that does not download is named in the page" \
    grep -q "did not download" <<<"$(browser text problem)"
browser visit "file://$SITE/index.html" >/dev/null
shot file-page
check "a page opened from a file says how to serve it" \
    grep -qF "python3 -m http.server" <<<"$(browser text problem)"
check "a browser without WebAssembly is told so" \
    grep -q "cannot play Dunmarrow" <<<"$(browser visit_without_webassembly)"
rm -rf "$BROKEN"
finish
