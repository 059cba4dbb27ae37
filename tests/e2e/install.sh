#!/usr/bin/env bash
# Installs the game into a scratch prefix and into a Debian package, checks what a desktop
# reads (desktop entry, metainfo, manual page), and plays the installed launcher from an
# unrelated directory. Arguments: GAME CLOSE_WINDOW SCREENSHOT_DIR BUILD_DIR.
source "$(dirname "$0")/x11_session.sh"
BUILD="$4"
SCRATCH=$(mktemp -d)
# As a player would install it for themselves.
PREFIX="$SCRATCH/home/.local"
APP_ID=org.dunmarrow.Dunmarrow

cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
for file in bin/dunmarrow libexec/dunmarrow/dunmarrow share/dunmarrow/gfx/sprites.png \
    share/dunmarrow/sfx/mvstn.wav share/dunmarrow/fonts/vera.ttf \
    share/applications/$APP_ID.desktop share/metainfo/$APP_ID.metainfo.xml \
    share/icons/hicolor/256x256/apps/$APP_ID.png share/man/man6/dunmarrow.6.gz \
    share/doc/dunmarrow/LICENSE; do
    check "installs $file" [ -s "$PREFIX/$file" ]
done

DESKTOP="$PREFIX/share/applications/$APP_ID.desktop"
check "the desktop entry validates" desktop-file-validate "$DESKTOP"
check "the desktop entry starts the launcher" grep -qx "Exec=$PREFIX/bin/dunmarrow" "$DESKTOP"
check "the desktop entry runs in the data directory" \
    grep -qx "Path=$PREFIX/share/dunmarrow" "$DESKTOP"
check "the desktop entry files the game under games" grep -qx "Categories=Game;LogicGame;" "$DESKTOP"
check "the metainfo validates" appstreamcli validate --no-net \
    "$PREFIX/share/metainfo/$APP_ID.metainfo.xml"
check "the icon is 256 x 256" \
    bash -c "identify -format '%wx%h' '$PREFIX/share/icons/hicolor/256x256/apps/$APP_ID.png' | grep -qx 256x256"
MAN_WARNINGS=$(man --warnings -l "$PREFIX/share/man/man6/dunmarrow.6.gz" 2>&1 >/dev/null)
check "the manual page formats without a warning" [ -z "$MAN_WARNINGS" ]
MANUAL=$(MANWIDTH=200 man -l "$PREFIX/share/man/man6/dunmarrow.6.gz" 2>/dev/null)
for topic in -nosound -software Escape "Right-button release" gfx/sprites.png fonts/vera.ttf \
    "$PREFIX/share/dunmarrow" "graphical desktop" DUNMARROW_SCALE; do
    check "the manual page tells of $topic" grep -qF -- "$topic" <<<"$MANUAL"
done

# The launcher, started from an unrelated directory, still finds the game's files. The screen
# is a 4K one, where a high-density desktop scales the game's window below.
SCREEN_SIZE=3840x2160x24 start_display
GAME_DIR="$SCRATCH" start_game_with "$PREFIX/bin/dunmarrow" -nosound
move 5 5
shot installed-menu
check "the installed game shows its menu" shows "$LAST_SHOT" 345 190 gfx/menu.png 12 14
close_game
check "the installed game closes with status 0" [ "$EXIT_STATUS" = 0 ]

# launcher_ignores_path NAME LAUNCHER: the launcher runs nothing it would find on PATH. From a
# folder of programs named as the commands a launcher might use, with that folder on PATH, it
# still reaches the game (which refuses --help with status 2), and none of them runs; nor does
# it need PATH at all.
launcher_ignores_path() {
    local trap_dir status output
    trap_dir=$(mktemp -d)
    for command in readlink dirname realpath basename; do
        printf '#!/bin/sh\ntouch "%s/ran-$0"\n' "$trap_dir" >"$trap_dir/$command"
        chmod +x "$trap_dir/$command"
    done
    output=$(cd "$trap_dir" && env -u DISPLAY PATH=.:/usr/bin:/bin "$2" --help 2>&1) && status=0 ||
        status=$?
    check "$1: with . first on PATH, the launcher reaches the game" [ "$status" = 2 ]
    check "$1: and runs nothing from the working directory" \
        [ -z "$(find "$trap_dir" -name 'ran-*')" ]
    output=$(cd / && env -u DISPLAY PATH=/nonexistent "$2" --help 2>&1) && status=0 || status=$?
    check "$1: with no command on PATH, the launcher reaches the game" [ "$status" = 2 ]
    check "$1: which refuses --help" grep -qF "What are you doing?" <<<"$output"
    rm -rf "$trap_dir"
}
launcher_ignores_path "installed" "$PREFIX/bin/dunmarrow"

# Without its data directory, the launcher says where it looked.
mv "$PREFIX/share/dunmarrow" "$SCRATCH/moved"
LOST=$(cd / && "$PREFIX/bin/dunmarrow" 2>&1) && LOST_STATUS=0 || LOST_STATUS=$?
check "a launcher without the game's files ends with status 1" [ "$LOST_STATUS" = 1 ]
check "and says where it looked" grep -qF "the game's files are not in" <<<"$LOST"

# The Debian package, built as Debian builds its own, in Debian's layout for games.
DEB=$(tools/debian_package.sh "$SCRATCH/package")
check "the Debian package is built" [ -s "$DEB" ]
LINTIAN=$(lintian --fail-on error,warning "$DEB" 2>&1) && LINTIAN_STATUS=0 || LINTIAN_STATUS=$?
check "lintian finds no error and no warning in the package" [ "$LINTIAN_STATUS" = 0 ]
[ "$LINTIAN_STATUS" = 0 ] || echo "$LINTIAN"
CONTENTS=$(dpkg-deb -c "$DEB")
for file in usr/games/dunmarrow usr/libexec/dunmarrow/dunmarrow \
    usr/share/games/dunmarrow/gfx/win.png usr/share/games/dunmarrow/sfx/mvstn.wav \
    usr/share/applications/$APP_ID.desktop usr/share/metainfo/$APP_ID.metainfo.xml \
    usr/share/man/man6/dunmarrow.6.gz usr/share/doc/dunmarrow/copyright \
    usr/share/doc/dunmarrow/changelog.gz; do
    check "the package holds /$file" grep -qF "./$file" <<<"$CONTENTS"
done
check "the package depends on SDL 1.2" bash -c "dpkg-deb -f '$DEB' Depends | grep -q libsdl1.2debian"
check "the package depends on Debian's Vera font" \
    bash -c "dpkg-deb -f '$DEB' Depends | grep -q ttf-bitstream-vera"
dpkg-deb -x "$DEB" "$SCRATCH/unpacked"
UNPACKED="$SCRATCH/unpacked"
check "the package's copyright file is machine-readable and licenses the game under MIT" \
    bash -c "head -n1 '$UNPACKED/usr/share/doc/dunmarrow/copyright' |
        grep -q copyright-format/1.0 && grep -qx 'License: Expat' \
        '$UNPACKED/usr/share/doc/dunmarrow/copyright'"
FONT_LINK=$(readlink "$UNPACKED/usr/share/games/dunmarrow/fonts/vera.ttf" || true)
check "the package's font links to Debian's Vera" \
    [ "$(realpath -m "/usr/share/games/dunmarrow/fonts/$FONT_LINK")" = \
        /usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf ]
check "which is the game's own font" \
    cmp -s /usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf fonts/vera.ttf
PACKAGED_ENTRY="$UNPACKED/usr/share/applications/$APP_ID.desktop"
check "the packaged desktop entry starts /usr/games/dunmarrow" \
    grep -qx "Exec=/usr/games/dunmarrow" "$PACKAGED_ENTRY"
check "the packaged desktop entry runs in /usr/share/games/dunmarrow" \
    grep -qx "Path=/usr/share/games/dunmarrow" "$PACKAGED_ENTRY"
check "the packaged manual page names /usr/share/games/dunmarrow" \
    bash -c "zcat '$UNPACKED/usr/share/man/man6/dunmarrow.6.gz' | grep -qF /usr/share/games/dunmarrow"
LAUNCHER=$(cat "$UNPACKED/usr/games/dunmarrow")
check "the packaged launcher knows where the game's files are" \
    grep -qx "data=/usr/share/games/dunmarrow" <<<"$LAUNCHER"
check "and where the game is" grep -qx "game=/usr/libexec/dunmarrow/dunmarrow" <<<"$LAUNCHER"
# The packaged launcher names the paths of an installed package, so it is played installed,
# where the tests may install packages.
if [ "$(id -u)" = 0 ] && ! dpkg-query -W dunmarrow >/dev/null 2>&1; then
    trap 'dpkg -r dunmarrow >/dev/null 2>&1; [ -n "${XVFB_PID:-}" ] && kill $XVFB_PID 2>/dev/null || true' EXIT
    dpkg -i "$DEB" >/dev/null
    GAME_DIR=/ start_game_with /usr/games/dunmarrow -nosound
    check "without a scaled desktop the window is 800 x 600" window_is 800x600
    close_game
    check "the packaged launcher starts the installed game" [ "$EXIT_STATUS" = 0 ]
    # On a desktop scaled to 192 dots an inch (and at 288) the window opens at the desktop's
    # whole scale, where sdl12-compat is installed beside the classic library, and the pointer
    # lands on the game's pixels scaled alike: Start, then the middle cell of the first board.
    for scale in 2 3; do
        echo "Xft.dpi: $((96 * scale))" | xrdb -nocpp -merge
        GAME_DIR=/ start_game_with /usr/games/dunmarrow -nosound
        check "at Xft.dpi $((96 * scale)) the window is $((800 * scale)) x $((600 * scale))" \
            window_is $((800 * scale))x$((600 * scale))
        move 10 10
        click 1 $((400 * scale)) $((190 * scale))
        click 1 $((415 * scale)) $((315 * scale))
        shot "scaled-$scale"
        convert "$LAST_SHOT" -sample "800x600!" "$SHOTS/scaled-$scale-game.png"
        check "at scale $scale Start deals a board" \
            shows "$SHOTS/scaled-$scale-game.png" 265 165 gfx/sprites.png 15 15
        check "and a click opens the cell under the pointer" \
            isnt shows "$SHOTS/scaled-$scale-game.png" 415 315 gfx/sprites.png 15 15
        close_game
        xrdb -remove
    done
    # The player's own scale beats the desktop's; one beyond the screen gets the largest that
    # fits; and one that is no scale (zero, text) leaves the desktop's.
    echo "Xft.dpi: 192" | xrdb -nocpp -merge
    while read -r given size; do
        export DUNMARROW_SCALE=$given
        GAME_DIR=/ start_game_with /usr/games/dunmarrow -nosound
        check "DUNMARROW_SCALE=$given on a desktop at 192 dpi: $size" window_is "$size"
        close_game
    done <<'SCALES'
1 800x600
3 2400x1800
9 2400x1800
0 1600x1200
two 1600x1200
SCALES
    unset DUNMARROW_SCALE
    xrdb -remove
    launcher_ignores_path "packaged" /usr/games/dunmarrow
    dpkg -r dunmarrow >/dev/null
else
    echo "skipped: playing the installed package needs root and no dunmarrow installed already"
fi

rm -rf "$SCRATCH"
finish
