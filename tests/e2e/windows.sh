#!/usr/bin/env bash
# The Windows build under Wine, in a real window on a private Xvfb display: the unpacked zip
# and the installed game each play the whole session of play_in_window.sh and show the error
# boxes of message_boxes.sh (the same scripts as on Linux, with "wine" put before the game),
# and leave their folder as they found it. The installer installs for the whole machine, with
# a Start-menu shortcut that starts the game in its folder and an entry in the list of
# installed programs, and its uninstaller takes it all away again.
# Arguments: PACKAGES_DIR CLOSE_WINDOW SCREENSHOT_DIR.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
PACKAGES="$1"
CLOSE_WINDOW="$2"
SHOTS="$3"
source "$HERE/x11_session.sh" "" "$CLOSE_WINDOW" "$SHOTS"
start_display
export DISPLAY_READY=1 RUNNER=wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winealsa.drv="
SCRATCH=$(mktemp -d)
export WINEPREFIX="$SCRATCH/wine"
trap 'wineserver -k 2>/dev/null || true; kill $XVFB_PID 2>/dev/null || true; rm -rf "$SCRATCH"' EXIT
wineboot --init >/dev/null 2>&1
wineserver -w

# folder_state DIR: every file with its checksum, to tell whether a session changed the folder.
folder_state() { (cd "$1" && find . -type f -exec md5sum {} + | sort -k2); }

# play_windows_game NAME EXE: both sessions with the game in its own folder.
play_windows_game() {
    local name=$1 exe=$2 before
    before=$(folder_state "$(dirname "$exe")")
    GAME_HOME=$(dirname "$exe") "$HERE/play_in_window.sh" "$exe" "$CLOSE_WINDOW" "$SHOTS/$name" ||
        fail "$name: the session in a window"
    "$HERE/message_boxes.sh" "$exe" "$CLOSE_WINDOW" "$SHOTS/$name" ||
        fail "$name: the error boxes"
    check "$name: the game's folder holds exactly what it held before" \
        [ "$before" = "$(folder_state "$(dirname "$exe")")" ]
}

ZIP=$(ls "$PACKAGES"/dunmarrow-*-win64.zip)
unzip -q "$ZIP" -d "$SCRATCH/zip"
UNZIPPED=$(ls -d "$SCRATCH"/zip/dunmarrow-*-win64)
for file in dunmarrow.exe SDL.dll README.txt LICENSE gfx/win.png sfx/mvstn.wav fonts/vera.ttf \
    fonts/vera-licence.txt licences/SDL.txt licences/SDL_image.txt licences/SDL_mixer.txt \
    licences/SDL_ttf.txt licences/libpng.txt licences/zlib.txt licences/FreeType.txt; do
    check "the zip holds $file" [ -s "$UNZIPPED/$file" ]
done
DLLS=$(x86_64-w64-mingw32-objdump -p "$UNZIPPED/dunmarrow.exe" | sed -n 's/.*DLL Name: //p' |
    tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
check "the game needs SDL.dll and Windows' own DLLs only ($DLLS)" \
    [ "$DLLS" = "kernel32.dll msvcrt.dll sdl.dll user32.dll " ]
check "the game is a program of the GUI subsystem" \
    bash -c "x86_64-w64-mingw32-objdump -p '$UNZIPPED/dunmarrow.exe' | grep -q 'Subsystem.*(Windows GUI)'"
play_windows_game zip "$UNZIPPED/dunmarrow.exe"

INSTALLER=$(ls "$PACKAGES"/dunmarrow-*-win64.exe)
wine "$INSTALLER" /S
wineserver -w
INSTALLED="$WINEPREFIX/drive_c/Program Files/Dunmarrow"
check "the installer installs into Program Files" [ -s "$INSTALLED/dunmarrow.exe" ]
check "with its uninstaller" [ -s "$INSTALLED/Uninstall.exe" ]
SHORTCUT="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Dunmarrow/Dunmarrow.lnk"
check "for every user, with a Start-menu shortcut" [ -s "$SHORTCUT" ]
check "which starts the game in its install folder" python3 - "$SHORTCUT" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
has_working_dir = int.from_bytes(data[0x14:0x18], "little") & 0x10
text = data.decode("utf-16-le", errors="ignore")
sys.exit(0 if has_working_dir and "C:\\Program Files\\Dunmarrow" in text.replace("\0", "") else 1)
PY
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dunmarrow'
check "and an entry in the list of installed programs" \
    bash -c "wine reg query '$UNINSTALL_KEY' /v DisplayName 2>/dev/null | grep -q Dunmarrow"
play_windows_game installed "$INSTALLED/dunmarrow.exe"

wine "$INSTALLED/Uninstall.exe" /S
wineserver -w
sleep 2
check "the uninstaller takes the game away" [ ! -e "$INSTALLED/dunmarrow.exe" ]
check "and its entry" isnt bash -c "wine reg query '$UNINSTALL_KEY' >/dev/null 2>&1"
finish
