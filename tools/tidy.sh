#!/usr/bin/env bash
# clang-tidy's checks of what C++ leaves uninitialised, over the game's own sources as the
# build at BUILD_DIR compiles them (its compile_commands.json): a structure such as a
# sigaction declared without {} holds stray bits that the system then reads. Fails on any
# finding. Arguments: BUILD_DIR [SOURCE_DIR].
set -euo pipefail
BUILD=$1
SOURCE=$(cd "${2:-$(dirname "$0")/..}" && pwd)
CHECKS='-*,cppcoreguidelines-pro-type-member-init,cppcoreguidelines-init-variables'
CHECKS+=',clang-analyzer-core.uninitialized.*'
mapfile -t files < <(python3 -c '
import json, sys
for entry in json.load(open(sys.argv[1] + "/compile_commands.json")):
    if entry["file"].startswith(sys.argv[2] + "/src/"):
        print(entry["file"])' "$BUILD" "$SOURCE" | sort -u)
[ "${#files[@]}" -gt 0 ] || { echo "no sources of the game in $BUILD" >&2; exit 1; }
clang-tidy -p "$BUILD" --quiet --checks="$CHECKS" --warnings-as-errors='*' "${files[@]}" 2>/dev/null
