# Sourced by the session scripts: checks, their tally, and pixels of screenshots compared with
# the game's own pictures. SHOTS is the screenshot folder.
mkdir -p "$SHOTS"
FAILURES=0

# The game's own pictures, which the screenshots are compared with.
SPRITES=gfx/sprites.png
MENU=gfx/menu.png
WIN=gfx/win.png
BACK=gfx/back800.png

fail() {
    echo "FAIL: $*"
    FAILURES=$((FAILURES + 1))
}

isnt() { ! "$@"; }

check() {
    local what="$1"
    shift
    if "$@"; then echo "ok: $what"; else fail "$what"; fi
}

# sounds_since BEFORE N WHAT: WHAT started exactly N sounds since count_sounds said BEFORE,
# where the session can count them.
sounds_since() {
    [ "$1" = unknown ] && return 0
    local heard=$(($(count_sounds) - $1))
    check "$3 plays $2 sound(s) (heard: $heard)" [ "$heard" = "$2" ]
}

# rgb FILE X Y: prints "R G B" of a pixel.
rgb() {
    convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -n1 |
        sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}

# rgb_all FILE X Y [X Y...]: prints "R G B" of each pixel, a line each, in one pass.
rgb_all() {
    local file=$1 format=""
    shift
    while [ $# -gt 1 ]; do
        format+="%[fx:round(255*p{$1,$2}.r)] %[fx:round(255*p{$1,$2}.g)] "
        format+="%[fx:round(255*p{$1,$2}.b)]\n"
        shift 2
    done
    convert "$file" -format "$format" info:
}

# same_colour "R G B" "R G B": equal within 3 in every channel.
same_colour() {
    local a b
    read -r -a a <<<"$1"
    read -r -a b <<<"$2"
    for i in 0 1 2; do
        local d=$((a[i] - b[i]))
        [ "${d#-}" -le 3 ] || return 1
    done
}

# shows FILE X Y PICTURE PX PY: the screenshot's pixel matches the picture's pixel. The game's
# pictures do not change during a session, so each of their pixels is read once.
declare -A PICTURE_PIXELS=()
shows() {
    local key="$4 $5 $6"
    [ -n "${PICTURE_PIXELS[$key]:-}" ] || PICTURE_PIXELS[$key]=$(rgb "$4" "$5" "$6")
    same_colour "$(rgb "$1" "$2" "$3")" "${PICTURE_PIXELS[$key]}"
}

# shows_anywhere FILE PICTURE PX PY X Y [X Y...]: one of the screenshot's pixels at the points
# given matches the picture's pixel.
shows_anywhere() {
    local file=$1 wanted colour
    wanted=$(rgb "$2" "$3" "$4")
    shift 4
    while read -r colour; do
        same_colour "$colour" "$wanted" && return 0
    done < <(rgb_all "$file" "$@")
    return 1
}

# same_picture A B: the two screenshots agree pixel for pixel.
same_picture() {
    local differing
    differing=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
    [ "$differing" = 0 ]
}

# open_single_cell_until NAME FILE X Y SX SY: opens the one cell of the board until the
# screen at (SX, SY) shows the pixel (X, Y) of FILE, dealing again with the right button when
# chance has put the other outcome there; the last screenshot is NAME. Sets OUTCOME to yes
# or no.
# open_the_cell and deal_again are the inputs it uses; a session by touch gives its own.
open_the_cell() { click 1 400 300; }
deal_again() { click 3 10 10; }
open_single_cell_until() {
    OUTCOME=no
    for _ in 1 2 3 4 5 6; do
        open_the_cell
        shot "$1"
        if shows "$LAST_SHOT" "$5" "$6" "$2" "$3" "$4"; then
            OUTCOME=yes
            return
        fi
        deal_again
    done
}

finish() {
    if [ "$FAILURES" -ne 0 ]; then
        echo "$FAILURES check(s) failed; screenshots in $SHOTS"
        exit 1
    fi
    echo "all checks passed; screenshots in $SHOTS"
}
