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
    share/icons/hicolor/256x256/apps/$APP_ID.png share/man/man6/dunmarrow.6.gz; do
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
for topic in -nosound -software Escape "Right-button release" gfx/sprites.png fonts/vera.ttf; do
    check "the manual page tells of $topic" grep -qF -- "$topic" <<<"$MANUAL"
done

# The launcher, started from an unrelated directory, still finds the game's files.
start_display
GAME_DIR="$SCRATCH" start_game_with "$PREFIX/bin/dunmarrow" -nosound
move 5 5
shot installed-menu
check "the installed game shows its menu" shows "$LAST_SHOT" 345 190 gfx/menu.png 12 14
close_game
check "the installed game closes with status 0" [ "$EXIT_STATUS" = 0 ]

# Without its data directory, the launcher says where it looked.
mv "$PREFIX/share/dunmarrow" "$SCRATCH/moved"
LOST=$(cd / && "$PREFIX/bin/dunmarrow" 2>&1) && LOST_STATUS=0 || LOST_STATUS=$?
check "a launcher without the game's files ends with status 1" [ "$LOST_STATUS" = 1 ]
check "and says where it looked" grep -qF "the game's files are not in" <<<"$LOST"

# The Debian package holds the same tree under /usr and names its libraries.
(cd "$BUILD" && cpack -G DEB -B "$SCRATCH/package" >/dev/null)
DEB=$(ls "$SCRATCH"/package/dunmarrow_*.deb)
check "cpack builds a Debian package" [ -s "$DEB" ]
CONTENTS=$(dpkg-deb -c "$DEB")
for file in usr/bin/dunmarrow usr/libexec/dunmarrow/dunmarrow usr/share/dunmarrow/gfx/win.png \
    usr/share/applications/$APP_ID.desktop usr/share/metainfo/$APP_ID.metainfo.xml \
    usr/share/man/man6/dunmarrow.6.gz; do
    check "the package holds /$file" grep -qF "./$file" <<<"$CONTENTS"
done
check "the package depends on SDL 1.2" bash -c "dpkg-deb -f '$DEB' Depends | grep -q libsdl1.2debian"
dpkg-deb -x "$DEB" "$SCRATCH/unpacked"
check "the packaged desktop entry runs in /usr/share/dunmarrow" \
    grep -qx "Path=/usr/share/dunmarrow" "$SCRATCH/unpacked/usr/share/applications/$APP_ID.desktop"
GAME_DIR=/ start_game_with "$SCRATCH/unpacked/usr/bin/dunmarrow" -nosound
close_game
check "the packaged launcher starts the game" [ "$EXIT_STATUS" = 0 ]

rm -rf "$SCRATCH"
finish
