# Sourced by the browser's end-to-end script: the game's site served on the loopback, played in
# a browser (ENGINE: chromium, firefox or webkit) through tests/web/browser.mjs, with the same
# inputs, screenshots and checks as a window on the desktop. WebKitGTK's window and its real X
# input need a display: a private Xvfb, as large as the largest window tried. Arguments of the
# script: SITE_DIR SCREENSHOT_DIR.
set -euo pipefail

ENGINE=${ENGINE:-chromium}
export ENGINE
SITE="$(cd "$1" && pwd)"
SHOTS="$2"
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/private_display.sh"
WEB_TESTS="$(cd "$(dirname "${BASH_SOURCE[0]}")/../web" && pwd)"

# serve DIR [POLICY [PORT]]: serves the folder on a loopback port, a free one unless given,
# and sets SERVED_URL to its address; with POLICY, every answer carries it as its
# Content-Security-Policy; with SERVE_AT=/path, the folder is served under that path; with
# MAX_AGE=SECONDS, browsers are told to keep every file but the page that long (as hosts
# that know their file names change with their content do); with CORS=1, any origin may use
# the files (as the servers that portals embed games from do).
serve() {
    local port_file
    port_file=$(mktemp)
    python3 - "$1" "$port_file" "${2:-}" "${3:-0}" >/dev/null 2>&1 <<'PY' &
import functools, http.server, os, sys
class Handler(http.server.SimpleHTTPRequestHandler):
    # Connections kept open, as web hosts keep them.
    protocol_version = "HTTP/1.1"
    # With SERVE_AT=/path set, the folder is served under that path, as a host serves a folder
    # of its site, and its page at the path without its slash too, as some hosts serve a
    # folder's index; nothing is served outside it.
    def translate_path(self, path):
        at = os.environ.get("SERVE_AT")
        if at:
            bare = path.split("?")[0]
            if bare == at:
                path = "/index.html"
            elif bare.startswith(at + "/"):
                path = path[len(at):]
            else:
                path = "/nothing-here"
        return super().translate_path(path)
    def end_headers(self):
        page = self.path.split("?")[0].endswith(("/", "/index.html"))
        if os.environ.get("MAX_AGE") and not page:
            self.send_header("Cache-Control", "max-age=" + os.environ["MAX_AGE"])
        if os.environ.get("CORS"):
            self.send_header("Access-Control-Allow-Origin", "*")
        if sys.argv[3]:
            self.send_header("Content-Security-Policy", sys.argv[3])
        super().end_headers()
    def log_message(self, *args):
        pass
handler = functools.partial(Handler, directory=sys.argv[1])
server = http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[4])), handler)
open(sys.argv[2], "w").write(str(server.server_address[1]))
server.serve_forever()
PY
    SERVER_PIDS+=($!)
    SERVED=("$1" "${2:-}" $!)
    for _ in $(seq 100); do
        [ -s "$port_file" ] && break
        sleep 0.1
    done
    SERVED_URL="http://127.0.0.1:$(cat "$port_file")/"
    rm -f "$port_file"
}
SERVER_PIDS=()
# The game runs in the page: there is no process of its own to wait for.
GAME_PID=

# start_display: the site's server, the browser, and BROKEN, a folder for sites made for a test.
start_display() {
    serve "$SITE"
    SITE_URL=$SERVED_URL
    BROKEN=$(mktemp -d)
    [ "$ENGINE" = webkit ] && start_private_display 3840x2240x24
    coproc BROWSER { exec node "$WEB_TESTS/browser.mjs" "$SITE_URL" 2>"$SHOTS/browser.log"; }
    # At the end, a browser on a display of its own is given a moment to close before the
    # display goes.
    trap 'echo quit >&"${BROWSER[1]}" 2>/dev/null; [ -z "${XVFB_PID:-}" ] || sleep 1; kill "${SERVER_PIDS[@]}" ${XVFB_PID:-} 2>/dev/null || true; rm -rf "$BROKEN"' EXIT
}

# browser COMMAND...: one command to the browser; prints its answer.
browser() {
    local answer
    echo "$*" >&"${BROWSER[1]}"
    read -r answer <&"${BROWSER[0]}"
    case "$answer" in error:*) echo "browser: $* -> $answer" >&2 ;; esac
    echo "$answer"
}

# start_game [OPTIONS...]: opens the page with the options as its query string; with
# STOPPED_CLOCK set, the page's clock stands still.
start_game() {
    local query
    query=$(IFS='&'; echo "$*")
    local clock=${STOPPED_CLOCK:-}
    browser open "${query:--}" ${clock:+"${clock/ /T}"} >/dev/null
}
# A page has no window to close: the next start_game simply leaves it.
close_game() { :; }
wait_for_exit() { EXIT_STATUS=$(browser wait_status); }
move() { browser move "$1" "$2" >/dev/null; }
click() { browser click "$1" "$2" "$3" >/dev/null; }
click_all() { browser click_all "$@" >/dev/null; }
key() { browser key "$@" >/dev/null; }
drag() { browser drag "$1" "$2" "$3" >/dev/null; }
count_sounds() { browser sounds; }
page_shot() { browser page_shot "$SHOTS/$1.png" >/dev/null; }
shot() {
    browser shot "$SHOTS/$1.png" >/dev/null
    LAST_SHOT="$SHOTS/$1.png"
}
tap() { browser tap "$1" "$2" >/dev/null; }
# offline on|off: the browser cut off the network and given it back. WebKit's driver cannot
# cut it, so there the site last served stops, and starts again on its port.
offline() {
    if [ "$ENGINE" != webkit ]; then
        browser offline "$1" >/dev/null
    elif [ "$1" = on ]; then
        server off
    else
        server on
    fi
}
# server off|on: the site last served stopped, and started again on its port. (A browser's own
# offline switch does not reach the offline worker's fetches.)
server() {
    if [ "$1" = off ]; then
        kill "${SERVED[2]}"
        wait "${SERVED[2]}" 2>/dev/null || true
    else
        local port=${SERVED_URL##*:}
        serve "${SERVED[0]}" "${SERVED[1]}" "${port%/}"
    fi
}
hold() { browser hold "$1" "$2" >/dev/null; }
# problem_text: the page's words on a problem, once it shows them.
problem_text() {
    browser wait_for '!document.getElementById("problem").hidden' >/dev/null
    browser text problem
}
# seen_whole X Y W H: the game's rectangle shows whole on the page: inside the game's box and
# the window.
seen_whole() {
    [ "$(browser ms "(() => { const c = document.getElementById('canvas').getBoundingClientRect(); const g = document.getElementById('game').getBoundingClientRect(); const s = c.width / 800; const l = c.left + $1 * s, t = c.top + $2 * s, r = l + $3 * s, b = t + $4 * s; return l >= Math.max(g.left, 0) - 0.5 && t >= Math.max(g.top, 0) - 0.5 && r <= Math.min(g.right, innerWidth) + 0.5 && b <= Math.min(g.bottom, innerHeight) + 0.5; })()")" = true ]
}

# one_cell_by_touch: the sliders swiped to one row, one column and no share of mines.
one_cell_by_touch() {
    browser swipe 330 320 250 >/dev/null
    browser swipe 330 325 300 >/dev/null
    browser swipe 330 324 350 >/dev/null
}

# Sites whose files are damaged. damaged_site NAME FILE DAMAGE: a copy of the site in
# $BROKEN/NAME with FILE (its plain name) missing, cut to half, changed by a byte, of random
# bytes, not a picture or empty; sealed_site NAME then seals it as the build does, as though it
# had been built from those files.
# sealed_copy DIR FILE: the sealed site's copy of FILE, named for its content.
sealed_copy() {
    local copies=("$1/${2%.*}".????????????."${2##*.}")
    [ -f "${copies[0]}" ] && echo "${copies[0]}"
}
damaged_site() {
    local target
    rm -rf "${BROKEN:?}/$1"
    cp -r "$SITE" "$BROKEN/$1"
    # A file of the pack (a picture, the font) is first put back under its plain name, where the
    # next seal packs it again.
    target=$(sealed_copy "$BROKEN/$1" "$2") || {
        python3 dist/web/seal.py --unpack "$BROKEN/$1"
        target=$BROKEN/$1/$2
    }
    damage "$target" "$3"
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

