#!/usr/bin/env bash
# The web build in a browser (ENGINE: chromium, the default, firefox or webkit), by topic, each
# a script of tests/e2e/browser that starts from a fresh page at 800 x 600 and can run alone:
#   page      the page, the whole session of scenario.sh with real mouse and key input, the
#             query string as the command line, no context menu, the page that says the game
#             has ended, sound held back until the first click, a tab opened behind another
#   damaged   sites with damaged pictures, sounds and files; WebKit without its media plugins
#   hosts     updates, a page without its script or style, /game without its slash, portals'
#             sandboxed frames, a strict Content-Security-Policy, a page from a file, no
#             WebAssembly, no JavaScript
#   windows   windows of every size and ratio, a drag through a resize, the licence's tab
#   touch     a phone and a tablet each way up, by finger
#   views     where fingers play: the part the game shows, rotation, pinch, the ring, flag mode
#   keyboard  the whole game by keyboard, the browser's own keys, focus, a screen reader's view
#   offline   installed and offline, updates of the offline worker
# What an engine's driver cannot do is left to the others, each place saying why.
# Arguments: SITE_DIR SCREENSHOT_DIR [TOPIC...]; every topic, in this order, when none is given.
TOPICS=(page damaged hosts windows touch views keyboard offline)
source "$(dirname "$0")/web_session.sh"
[ $# -gt 2 ] && TOPICS=("${@:3}")
for topic in "${TOPICS[@]}"; do
    [ -f "$(dirname "$0")/browser/$topic.sh" ] || { echo "no topic $topic" >&2; exit 2; }
done
start_display
for topic in "${TOPICS[@]}"; do
    echo "topic: $topic"
    started=$SECONDS
    browser viewport 800 600 1 >/dev/null
    source "$(dirname "$0")/browser/$topic.sh"
    echo "topic $topic took $((SECONDS - started)) s"
done
finish
