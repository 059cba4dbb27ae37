# Sourced by play_in_browser.sh: a drag through a resize, the licence in a tab of its own, and
# windows of every size and pixel ratio.

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

# Every window: the whole game at the largest 4:3 size that fits, nothing cut, no scrolling,
# sharp at whole device pixels, the bar of help and controls where it costs the game nothing,
# else a slim bar of the controls alone that costs it a few pixels (the game no more than 44
# CSS pixels narrower), the licence and full screen in reach, and a flag lands on the cell aimed
# at. WIDTH HEIGHT RATIO, and the bar's place.
while read -r width height ratio bar; do
    # (WebKitGTK's window has the screen's pixel ratio only.)
    [ "$ENGINE" = webkit ] && [ "$ratio" != 1 ] && continue
    browser viewport "$width" "$height" "$ratio" >/dev/null
    start_game -nosound
    size="$width x $height at $ratio"
    # What the layout is, from where the canvas lies and the bar: the facts in the order checked.
    layout=$(browser layout)
    read -r -a facts <<<"$(awk -v r="$ratio" -v slim="${bar#*+}" '{
        l = $1; t = $2; w = $3; h = $4; W = $5; H = $6
        largest = (W < H * 4 / 3) ? W : H * 4 / 3
        given = (slim == "slim") ? 44 : 1
        printf "%s ", (largest - w < given && w - largest < 1) ? "largest" : "smaller"
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
    check "$size: the licence and full screen (where allowed) in reach" [ "$(browser ms '["#bar a", "#fullscreen"].map((s) => { const e = document.querySelector(s); const r = e.getBoundingClientRect(); return e.hidden || r.width > 0 && r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight; }).join()')" = true,true ]
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
800 600 1 below+slim
360 640 3 below
640 360 3 beside
1600 1200 2 below+slim
1024 768 1 below+slim
820 660 1 below+slim
1100 820 1 below+slim
3840 2160 1 beside
WINDOWS
browser viewport 800 600 1 >/dev/null

