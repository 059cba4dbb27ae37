# Sourced by play_in_browser.sh: what hosts do to the page: updates under two kinds of cache, a
# page without its script or style, an address without its slash, portals' sandboxed frames, a
# strict Content-Security-Policy, a page from a file, and browsers without WebAssembly or
# JavaScript.

# An update never locks a returning player out. Build 1 played, build 2 put over it (its game,
# its WebAssembly, its page's script and style changed), and a reload plays build 2: from a
# server that sends only the files' dates (build 1's a year old, which the browser's cache
# reckons fresh for weeks), and from one that has browsers keep every file but the page for a
# year. (Without the offline worker, which has its own updates: the offline topic.)
# next_build FROM TO N: build N, sealed, from build FROM.
next_build() {
    rm -rf "${BROKEN:?}/$2"
    cp -r "$1" "$BROKEN/$2"
    printf '\n;window.dunmarrowBuild = %d;\n' "$3" >>"$(sealed_copy "$BROKEN/$2" dunmarrow.js)"
    # (A custom section of WebAssembly's, which changes nothing else.)
    printf '\0\6\5build' >>"$(sealed_copy "$BROKEN/$2" dunmarrow.wasm)"
    echo "// build $3" >>"$(sealed_copy "$BROKEN/$2" page/main.js)"
    echo "/* build $3 */" >>"$(sealed_copy "$BROKEN/$2" page.css)"
    # (Past the sound's data, where no player hears it.)
    printf 'build %d' "$3" >>"$(sealed_copy "$BROKEN/$2" sfx/click.wav)"
    sealed_site "$2"
}
next_build "$SITE" build2 2
# put_up BUILD: the build on the host in place of the last, without its offline worker.
put_up() {
    rm -rf "${BROKEN:?}/host/"*
    cp -r "$1/." "$BROKEN/host/"
    rm "$BROKEN/host/service-worker.js"
}
build() { browser ms '(document.body.dataset.exitStatus || "running") + " " + (window.dunmarrowBuild || 1)'; }
for cache in dates year; do
    rm -rf "$BROKEN/host"
    cp -r "$SITE" "$BROKEN/host"
    rm "$BROKEN/host/service-worker.js"
    find "$BROKEN/host" -exec touch -d "1 year ago" {} +
    if [ "$cache" = year ]; then MAX_AGE=31536000 serve "$BROKEN/host"; else serve "$BROKEN/host"; fi
    browser visit "$SERVED_URL?-nosound" >/dev/null
    check "$cache: build 1 plays" [ "$(build)" = "running 1" ]
    put_up "$BROKEN/build2"
    browser reload >/dev/null
    move 5 5
    click 1 400 190
    click 1 415 315
    shot "update-$cache"
    check "$cache: after an update, a reload plays the new build" [ "$(build)" = "running 2" ]
    check "$cache: and the game plays" isnt shows "$LAST_SHOT" 415 315 "$SPRITES" 15 15
done
# Then builds whose files arrive cut short, the game's script (which the page loads as a script
# element), its WebAssembly and a sound (which the page fetches), each kept so by the cache for
# a year: each is named, and once the host has put it right, Try again plays it. BUILD, and the
# file damaged.
previous=$BROKEN/build2
while read -r number file; do
    next_build "$previous" "build$number" "$number"
    previous=$BROKEN/build$number
    put_up "$previous"
    copy=$(sealed_copy "$BROKEN/host" "$file")
    cp "$copy" "$BROKEN/whole"
    damage "$copy" half
    browser reload >/dev/null
    check "build $number: $file cut short is named as the host has it" \
        grep -qF "The file ${copy#"$BROKEN/host/"} did not download intact." <<<"$(problem_text)"
    cp "$BROKEN/whole" "$copy"
    browser press retry >/dev/null
    shot "update-try-again-$number"
    check "build $number: put right on the server, Try again plays it, whatever the cache kept" \
        [ "$(build)" = "running $number" ]
    check "build $number: from its menu" shows "$LAST_SHOT" 345 190 "$MENU" 12 14
done <<'BUILDS'
3 dunmarrow.js
4 dunmarrow.wasm
5 sfx/click.wav
BUILDS

# Never a blank page: without the page's own script the page says so, with Try again; served
# at an address without its slash (where neither its script nor its style arrive) its own note
# says what to do.
damaged_site no-script page/main.js missing
serve "$BROKEN/no-script"
browser visit "$SERVED_URL" >/dev/null
check "without its script the page says so" grep -q "^Dunmarrow could not start The page's own script (page/main.js and the modules it loads) did not download" \
    <<<"$(problem_text)"
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
check "from a server that does not allow it, the frame says so" grep -q "^Dunmarrow cannot start in this frame The page that shows the game keeps it in a sandboxed frame" <<<"$(problem_text)"
check "and counts as failed" [ "$(browser status)" = failed ]
browser frame off >/dev/null
browser visit "$SITE_URL" >/dev/null

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
    NO_SCRIPT=$(browser visit_without_javascript)
    check "with JavaScript off the page says the game needs it" grep -q "needs JavaScript" <<<"$NO_SCRIPT"
    check "and nothing else" grep -q "| the other note: never$" <<<"$NO_SCRIPT"
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

