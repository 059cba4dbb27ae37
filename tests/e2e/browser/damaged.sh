# Sourced by play_in_browser.sh: sites with damaged pictures, sounds and files, and WebKit
# without the media plugins that decode its sounds.

# A picture the desktop refuses is refused here too, damaged before the site is sealed (the
# seal packs it as it is): NAME, then how the file is damaged.
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

# A file changed, cut short or gone after the site was sealed (a half-finished upload): named
# as the host has it, so that the host can find it, and never played. FILE, then what happened
# to it, and what the page says of it.
while read -r file damage said; do
    name=$(basename "$file")-$damage
    at=$(sealed_copy "$SITE" "$file")
    at=${at#"$SITE/"}
    damaged_site "$name" "$file" "$damage"
    serve "$BROKEN/$name"
    browser visit "$SERVED_URL" >/dev/null
    shot "changed-$name"
    check "$file $damage: the page says $at $said" grep -qF "The file $at $said" <<<"$(problem_text)"
    check "$file $damage: the game never starts" [ "$(browser status)" = failed ]
    check "$file $damage: no progress bar" [ "$(browser text loading)" = "" ]
done <<'FILES'
dunmarrow.wasm missing did not download.
dunmarrow.wasm byte did not download intact.
dunmarrow.js half did not download intact.
dunmarrow.js missing did not download.
assets.pack byte did not download intact.
assets.pack missing did not download.
assets.pack half did not download intact.
sfx/explosion.wav byte did not download intact.
FILES

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
