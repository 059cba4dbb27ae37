# Sourced by play_in_browser.sh: the game installed and offline, and its offline worker's
# updates.

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
        grep -qx "Dunmarrow could not start The file [a-z0-9./]* did not download. Dunmarrow needs the network once, to download the game; after that it plays offline. Try again" \
        <<<"$(browser first_visit_offline)"
fi

